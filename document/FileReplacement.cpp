#include "document/FileReplacement.h"

#include "document/xml/FileNames.h"

#include <QList>

#include <cerrno>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

std::function<void(int step)> afterWriteStep;

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

int stepsDone = 0;

void stepDone() {
    if (afterWriteStep)
        afterWriteStep(++stepsDone);
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

// Removes a file made beside the target unless it was kept.
class Removal {
public:
    explicit Removal(const QByteArray& path) : path_(path) {}
    ~Removal() {
        if (!kept_)
            ::unlink(path_.constData());
    }
    Removal(const Removal&) = delete;
    Removal& operator=(const Removal&) = delete;
    void keep() { kept_ = true; }

private:
    QByteArray path_;
    bool kept_ = false;
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

void syncFile(int file) {
    check(::fsync(file) == 0);
    stepDone();
}

// Makes To hold exactly what From holds, on the disk.
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
    syncFile(to);
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

// Path's folder as a prefix of names in it: empty for a bare name, else ending with "/".
QByteArray folderPrefix(const QByteArray& path) {
    return path.left(path.lastIndexOf('/') + 1);
}

QByteArray folderOf(const QByteArray& path) {
    const QByteArray prefix = folderPrefix(path);
    return prefix.isEmpty() ? QByteArray(".") : prefix.size() > 1 ? prefix.chopped(1) : prefix;
}

// Copies of the old text end in "~" and six characters; new texts on their way add "~new", so that
// nothing takes one for the other.
const QByteArray copyEnding = "~XXXXXX";
const QByteArray newTextEnding = "~XXXXXX~new";

// A name beside Path: a dot, Path's name cut to the longest name that its folder takes, and Ending.
QByteArray nameBeside(const QByteArray& path, const QByteArray& ending) {
    const QByteArray prefix = folderPrefix(path);
    const long longest = ::pathconf(folderOf(path).constData(), _PC_NAME_MAX);
    const QByteArray name = path.sliced(prefix.size());
    QByteArray kept = name.left((longest > 0 ? longest : NAME_MAX) - 1 - ending.size());
    while (!kept.isEmpty() && kept.size() < name.size() && isContinuation(name[kept.size()]))
        kept.chop(1);
    return prefix + '.' + kept + ending;
}

bool refusedByFolder(int error) {
    return error == EACCES || error == EPERM || error == EROFS;
}

[[noreturn]] void failInFolder(const QByteArray& path, int error) {
    if (!refusedByFolder(error))
        failWith(error);
    throw WriteFailure{QStringLiteral("its folder \"%1\" cannot be written: %2")
                           .arg(fileNameFromBytes(folderOf(path)), qt_error_string(error))};
}

// A new file beside Path, named after it with Ending; its name is returned in Path. -1 with errno set
// where the folder takes no new file.
int createBeside(QByteArray& path, const QByteArray& ending) {
    path = nameBeside(path, ending);
    const int descriptor = ::mkostemps(path.data(), int(ending.size() - ending.lastIndexOf('X') - 1), O_CLOEXEC);
    if (descriptor >= 0)
        stepDone();
    return descriptor;
}

// The same, where a folder that takes no new file is a failure that names the folder.
int createBesideInFolder(QByteArray& path, const QByteArray& ending) {
    const QByteArray target = path;
    const int descriptor = createBeside(path, ending);
    if (descriptor < 0)
        failInFolder(target, errno);
    return descriptor;
}

// Writes the text from where File stands; returns its size.
qint64 writeText(int file, const TextPieces& text) {
    qint64 size = 0;
    text([file, &size](const QByteArray& piece) {
        writeAll(file, piece.constData(), piece.size());
        size += piece.size();
        stepDone();
    });
    return size;
}

void syncFolder(const QByteArray& path) {
    const Descriptor folder(::open(folderOf(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    // Some file systems keep no folder on the disk to force there.
    check(::fsync(folder) == 0 || errno == EINVAL);
}

// Writes the text into the new file at NewPath, forces it to the disk and renames it over Path.
void completeAndRename(int file, const QByteArray& newPath, const QByteArray& path, const TextPieces& text,
                       mode_t mode) {
    writeText(file, text);
    // After the text: writing clears the set-user-ID and set-group-ID bits for users other than root.
    check(::fchmod(file, mode) == 0);
    syncFile(file);
    check(::rename(newPath.constData(), path.constData()) == 0);
    stepDone();
    syncFolder(path);
}

mode_t creationMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

void createFile(const QByteArray& path, const TextPieces& text) {
    QByteArray newPath = path;
    const Descriptor file(createBesideInFolder(newPath, newTextEnding));
    Removal removal(newPath);
    completeAndRename(file, newPath, path, text, creationMode());
    removal.keep();
}

bool copyExtendedAttribute(int from, int to, const char* name) {
    const ssize_t size = ::fgetxattr(from, name, nullptr, 0);
    QByteArray value(qMax<ssize_t>(size, 0), '\0');
    if (size < 0 || ::fgetxattr(from, name, value.data(), size_t(size)) != size)
        return false;
    if (::fsetxattr(to, name, value.constData(), size_t(size), 0) == 0)
        return true;
    // An attribute the system gives every new file, such as its security label, may already be right.
    QByteArray given(size, '\0');
    return ::fgetxattr(to, name, given.data(), size_t(size)) == size && given == value;
}

// False where one of them cannot be copied.
bool copyExtendedAttributes(int from, int to) {
    const ssize_t size = ::flistxattr(from, nullptr, 0);
    if (size < 0)
        return errno == ENOTSUP;
    QByteArray names(size, '\0');
    if (::flistxattr(from, names.data(), size_t(size)) != size)
        return false;
    for (const QByteArray& name : names.split('\0')) {
        if (!name.isEmpty() && !copyExtendedAttribute(from, to, name.constData()))
            return false;
    }
    return true;
}

// Gives the new file To what the file From has beside its text: owner, group, extended attributes
// (ACLs among them); false where the saver cannot give them all.
bool takeOver(int from, int to, const struct stat& status) {
    if (::fchown(to, status.st_uid, status.st_gid) != 0 || !copyExtendedAttributes(from, to))
        return false;
    stepDone();
    return true;
}

// Writes a new file beside Path and renames it over Path; false, with nothing changed, where that
// would lose something of the file or its folder takes no new file.
bool replaceByRename(int file, const QByteArray& path, const struct stat& status, const TextPieces& text) {
    if (status.st_nlink != 1)
        return false;
    QByteArray newPath = path;
    const int created = createBeside(newPath, newTextEnding);
    if (created < 0 && refusedByFolder(errno))
        return false;
    const Descriptor newFile(created);
    Removal removal(newPath);
    if (!takeOver(file, newFile, status))
        return false;
    completeAndRename(newFile, newPath, path, text, status.st_mode & 07777);
    removal.keep();
    return true;
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

// The copy belongs to the file's owner and group as far as the saver can give them, so that they can read it.
void giveCopyTheFilesAttributes(int copy, const struct stat& status) {
    if (::fchown(copy, status.st_uid, status.st_gid) != 0)
        (void)::fchown(copy, uid_t(-1), status.st_gid);
    check(::fchmod(copy, status.st_mode & 0777) == 0);
}

void writeInPlace(int file, const QByteArray& path, const struct stat& status, const TextPieces& text) {
    QByteArray copyPath = path;
    const Descriptor copy(createBesideInFolder(copyPath, copyEnding));
    Removal removal(copyPath);
    giveCopyTheFilesAttributes(copy, status);
    copyContent(file, copy);
    removal.keep();
    try {
        rewind(file);
        check(::ftruncate(file, writeText(file, text)) == 0);
        syncFile(file);
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
    ::fchmod(file, status.st_mode & 07777);
    ::unlink(copyPath.constData());
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

void replaceFile(const QByteArray& path, const struct stat& status, const TextPieces& text,
                 const std::optional<QByteArray>& expected) {
    refuseWhatIsNotAWritableFile(status);
    const Descriptor file(::open(path.constData(), O_RDWR | O_CLOEXEC));
    if (expected && !holds(file, *expected))
        throw ChangedFileError(QStringLiteral("it changed on disk after it was read and was left as it now is"));
    if (!replaceByRename(file, path, status, text))
        writeInPlace(file, path, status, text);
}

// The file that Name reaches; refuses a name that reaches a file other than the one its links end
// at, as the entry of a deleted file under /proc does.
std::optional<struct stat> statusOfTarget(const QByteArray& name, const QByteArray& path) {
    struct stat reached {};
    const bool reachesFile = ::stat(name.constData(), &reached) == 0;
    struct stat status {};
    const bool exists = ::stat(path.constData(), &status) == 0;
    if (!exists && errno != ENOENT)
        failWith(errno);
    if (reachesFile && (!exists || status.st_dev != reached.st_dev || status.st_ino != reached.st_ino))
        throw WriteFailure{QStringLiteral("it names no file of its own: the file it reaches was deleted or moved")};
    return exists ? std::optional(status) : std::nullopt;
}

void writeTextInto(const QString& fileName, const TextPieces& text, const std::optional<QByteArray>& expected) {
    stepsDone = 0;
    try {
        const QByteArray name = fileNameBytes(fileName);
        const QByteArray path = withLinksFollowed(name);
        if (const std::optional<struct stat> status = statusOfTarget(name, path))
            replaceFile(path, *status, text, expected);
        else
            createFile(path, text);
    } catch (const WriteFailure& failure) {
        throw SaveError(fileName, failure.reason);
    }
}

} // namespace

void writeSavedFile(const QString& fileName, const QByteArray& text, const std::optional<QByteArray>& expected) {
    writeTextInto(
        fileName, [&text](const auto& write) { write(text); }, expected);
}

void writeSavedFile(const QString& fileName, const TextPieces& text) {
    writeTextInto(fileName, text, std::nullopt);
}

QString unfinishedWriteCopy(const QString& fileName) {
    QByteArray path;
    try {
        path = withLinksFollowed(fileNameBytes(fileName));
    } catch (const WriteFailure&) {
        return {};
    }
    const QByteArray prefix = folderPrefix(path);
    const QByteArray start = nameBeside(path, copyEnding).sliced(prefix.size()).chopped(copyEnding.size() - 1);
    const std::unique_ptr<DIR, int (*)(DIR*)> folder(::opendir(folderOf(path).constData()), ::closedir);
    while (const dirent* entry = folder ? ::readdir(folder.get()) : nullptr) {
        const QByteArray name(entry->d_name);
        if (name.size() == start.size() + copyEnding.size() - 1 && name.startsWith(start))
            return fileNameFromBytes(prefix + name);
    }
    return {};
}

QString unfinishedWriteMessage(const QString& copy) {
    return QStringLiteral("an earlier write of this file did not finish: its old text is kept in \"%1\"").arg(copy);
}
