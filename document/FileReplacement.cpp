#include "document/FileReplacement.h"

#include "document/xml/FileNames.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Why the file cannot be written, without its name.
struct WriteFailure {
    QString reason;
};

[[noreturn]] void failWith(int error) {
    throw WriteFailure{qt_error_string(error)};
}

void check(bool succeeded) {
    if (!succeeded)
        failWith(errno);
}

class Descriptor {
public:
    explicit Descriptor(int descriptor) : descriptor_(descriptor) { check(descriptor >= 0); }
    ~Descriptor() { ::close(descriptor_); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    operator int() const { return descriptor_; }

private:
    int descriptor_;
};

bool isContinuation(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

void writeAll(int file, const char* data, qsizetype size) {
    while (size > 0) {
        const ssize_t count = ::write(file, data, size_t(size));
        if (count < 0 && errno == EINTR)
            continue;
        check(count > 0);
        data += count;
        size -= count;
    }
}

// Reads the next piece of File into Buffer; 0 at its end.
qsizetype readSome(int file, char* buffer, qsizetype size) {
    for (;;) {
        const ssize_t count = ::read(file, buffer, size_t(size));
        if (count < 0 && errno == EINTR)
            continue;
        check(count >= 0);
        return count;
    }
}

void rewind(int file) {
    check(::lseek(file, 0, SEEK_SET) == 0);
}

// Makes To hold exactly what From holds.
void copyContent(int from, int to) {
    rewind(from);
    rewind(to);
    char buffer[1 << 16];
    qint64 size = 0;
    while (const qsizetype count = readSome(from, buffer, sizeof buffer)) {
        writeAll(to, buffer, count);
        size += count;
    }
    check(::ftruncate(to, size) == 0);
    check(::fsync(to) == 0);
}

bool holds(int file, const QByteArray& expected) {
    rewind(file);
    char buffer[1 << 16];
    qsizetype size = 0;
    while (const qsizetype count = readSome(file, buffer, sizeof buffer)) {
        if (size + count > expected.size() || QByteArrayView(buffer, count) != expected.sliced(size, count))
            return false;
        size += count;
    }
    return size == expected.size();
}

// The file that Path names once every symbolic link on the way is followed, even when that file is missing.
QByteArray withLinksFollowed(QByteArray path) {
    for (int links = 0;; ++links) {
        struct stat status {};
        if (::lstat(path.constData(), &status) != 0 || !S_ISLNK(status.st_mode))
            return path;
        if (links == 40)
            failWith(ELOOP);
        char target[PATH_MAX];
        const ssize_t length = ::readlink(path.constData(), target, sizeof target);
        check(length >= 0);
        const QByteArray targetPath(target, length);
        path = targetPath.startsWith('/') ? targetPath : path.left(path.lastIndexOf('/') + 1) + targetPath;
    }
}

// A new file beside Path, named after it and cut to the longest name that its folder takes; its name
// is returned in Path.
int createBeside(QByteArray& path) {
    const qsizetype nameStart = path.lastIndexOf('/') + 1;
    const QByteArray folder = nameStart > 0 ? path.left(nameStart) : QByteArray(".");
    const long longest = ::pathconf(folder.constData(), _PC_NAME_MAX);
    const QByteArray name = path.sliced(nameStart);
    const QByteArray ending = "~XXXXXX";
    QByteArray kept = name.left((longest > 0 ? longest : NAME_MAX) - 1 - ending.size());
    while (!kept.isEmpty() && kept.size() < name.size() && isContinuation(name[kept.size()]))
        kept.chop(1);
    path = path.left(nameStart) + '.' + kept + ending;
    return ::mkostemp(path.data(), O_CLOEXEC);
}

// Writes the text from where File stands; returns its size.
qint64 writeText(int file, const TextPieces& text) {
    qint64 size = 0;
    text([file, &size](const QByteArray& piece) {
        writeAll(file, piece.constData(), piece.size());
        size += piece.size();
    });
    return size;
}

void createFile(const QByteArray& path, const TextPieces& text) {
    const Descriptor file(::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    try {
        writeText(file, text);
        check(::fsync(file) == 0);
    } catch (...) {
        ::unlink(path.constData());
        throw;
    }
}

void refuseWhatIsNotAWritableFile(const struct stat& status) {
    if (S_ISDIR(status.st_mode))
        throw WriteFailure{QStringLiteral("it is a folder")};
    if (!S_ISREG(status.st_mode))
        throw WriteFailure{QStringLiteral("it is a device, a pipe or a socket, not a file")};
    // Even where the system would let the user write, a file marked read-only for everyone stays as it is.
    if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        failWith(EACCES);
}

// Puts the old text back after the new text failed; false where that fails too and the copy keeps it.
bool putBack(int file, int copy, const QByteArray& copyPath) {
    try {
        copyContent(copy, file);
    } catch (const WriteFailure&) {
        return false;
    }
    ::unlink(copyPath.constData());
    return true;
}

QString keptIn(const QByteArray& copyPath) {
    return QStringLiteral("Its old text is kept in \"%1\"").arg(fileNameFromBytes(copyPath));
}

void replaceContent(const QByteArray& path, const TextPieces& text, const std::optional<QByteArray>& expected,
                    const struct stat& status) {
    const Descriptor file(::open(path.constData(), O_RDWR | O_CLOEXEC));
    if (expected && !holds(file, *expected))
        throw ChangedFileError(QStringLiteral("it changed on disk after it was read and was left as it now is"));
    QByteArray copyPath = path;
    const Descriptor copy(createBeside(copyPath));
    try {
        copyContent(file, copy);
    } catch (const WriteFailure&) {
        ::unlink(copyPath.constData());
        throw;
    }
    try {
        rewind(file);
        check(::ftruncate(file, writeText(file, text)) == 0);
        check(::fsync(file) == 0);
    } catch (WriteFailure& failure) {
        if (!putBack(file, copy, copyPath))
            failure.reason += ". " + keptIn(copyPath);
        throw;
    } catch (...) {
        // Making the text failed, after part of it was written.
        if (!putBack(file, copy, copyPath))
            throw WriteFailure{keptIn(copyPath)};
        throw;
    }
    // Writing clears the set-user-ID and set-group-ID bits for users other than root; the owner may set them again.
    ::fchmod(file, status.st_mode & 07777);
    ::unlink(copyPath.constData());
}

void writeTextInto(const QString& fileName, const TextPieces& text, const std::optional<QByteArray>& expected) {
    try {
        const QByteArray path = withLinksFollowed(fileNameBytes(fileName));
        struct stat status {};
        if (::stat(path.constData(), &status) != 0) {
            if (errno != ENOENT)
                failWith(errno);
            return createFile(path, text);
        }
        refuseWhatIsNotAWritableFile(status);
        replaceContent(path, text, expected, status);
    } catch (const WriteFailure& failure) {
        throw SaveError(fileName, failure.reason);
    }
}

} // namespace

void writeSavedFile(const QString& fileName, const QByteArray& text, const std::optional<QByteArray>& expected) {
    writeTextInto(fileName, [&text](const auto& write) { write(text); }, expected);
}

void writeSavedFile(const QString& fileName, const TextPieces& text) {
    writeTextInto(fileName, text, std::nullopt);
}
