#include "document/RegularFile.h"

#include "document/XmlErrors.h"
#include "document/XmlLimits.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

[[noreturn]] void refuse(const QString& fileName, const QString& reason) {
    throw UnreadableFileError(fileName, reason);
}

[[noreturn]] void refuseForSystemError(const QString& fileName) {
    refuse(fileName, qt_error_string(errno));
}

[[noreturn]] void refuseAsTooLarge(const QString& fileName) {
    refuse(fileName, tooLargeReason());
}

void checkKind(const QString& fileName, const struct stat& status) {
    if (S_ISDIR(status.st_mode))
        refuse(fileName, QStringLiteral("it is a folder"));
    if (!S_ISREG(status.st_mode))
        refuse(fileName, QStringLiteral("it is a device, a pipe or a socket, not a file"));
    if (status.st_size > maxFileBytes)
        refuseAsTooLarge(fileName);
}

class FileDescriptor {
public:
    explicit FileDescriptor(int descriptor) : descriptor_(descriptor) {}
    ~FileDescriptor() { ::close(descriptor_); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return descriptor_; }

private:
    int descriptor_;
};

} // namespace

QString tooLargeReason() {
    return QStringLiteral("it is larger than the %1 bytes (%2 MB) that Load reads")
        .arg(XmlLimits::number(maxFileBytes), XmlLimits::number(maxFileBytes >> 20));
}

QByteArray readRegularFile(const QString& fileName) {
    const QByteArray path = QFile::encodeName(fileName);
    struct stat status {};
    // The kind is known before opening: opening a pipe waits for a writer, opening a device may act.
    if (::stat(path.constData(), &status) != 0)
        refuseForSystemError(fileName);
    checkKind(fileName, status);
    const int descriptor = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        refuseForSystemError(fileName);
    const FileDescriptor file(descriptor);
    // The name may have been given to another file in the meantime.
    if (::fstat(file.get(), &status) != 0)
        refuseForSystemError(fileName);
    checkKind(fileName, status);

    QByteArray bytes;
    bytes.reserve(status.st_size);
    char buffer[1 << 16];
    for (;;) {
        const ssize_t count = ::read(file.get(), buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            refuseForSystemError(fileName);
        if (count == 0)
            return bytes;
        if (bytes.size() + count > maxFileBytes)
            refuseAsTooLarge(fileName);
        bytes.append(buffer, count);
    }
}
