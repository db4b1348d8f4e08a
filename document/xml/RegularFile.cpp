#include "document/xml/RegularFile.h"

#include "document/xml/Errors.h"
#include "document/xml/FileNames.h"
#include "document/xml/XmlLimits.h"

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
    refuse(fileName, QStringLiteral("it is larger than the %1 bytes (%2 MB) that Load reads")
                         .arg(XmlLimits::number(maxFileBytes), XmlLimits::number(maxFileBytes >> 20)));
}

void checkKind(const QString& fileName, const struct stat& status) {
    if (S_ISDIR(status.st_mode))
        refuse(fileName, QStringLiteral("it is a folder"));
    if (!S_ISREG(status.st_mode))
        refuse(fileName, QStringLiteral("it is a device, a pipe or a socket, not a file"));
    if (status.st_size > maxFileBytes)
        refuseAsTooLarge(fileName);
}

} // namespace

RegularFileReader::RegularFileReader(const QString& fileName) : fileName_(fileName) {
    const QByteArray path = fileNameBytes(fileName);
    struct stat status {};
    // The kind is known before opening: opening a pipe waits for a writer, opening a device may act.
    if (::stat(path.constData(), &status) != 0)
        refuseForSystemError(fileName);
    checkKind(fileName, status);
    descriptor_ = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor_ < 0)
        refuseForSystemError(fileName);
    // The name may have been given to another file in the meantime.
    try {
        if (::fstat(descriptor_, &status) != 0)
            refuseForSystemError(fileName);
        checkKind(fileName, status);
    } catch (...) {
        ::close(descriptor_);
        throw;
    }
    size_ = status.st_size;
}

RegularFileReader::~RegularFileReader() {
    ::close(descriptor_);
}

qsizetype RegularFileReader::read(char* buffer, qsizetype length) {
    for (;;) {
        const ssize_t count = ::read(descriptor_, buffer, size_t(length));
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            refuseForSystemError(fileName_);
        read_ += count;
        if (read_ > maxFileBytes)
            refuseAsTooLarge(fileName_);
        return count;
    }
}

void checkFileSize(qint64 bytes) {
    if (bytes <= maxFileBytes)
        return;
    throw LimitError(QStringLiteral("The document's text takes %1 bytes, more than the %2 that Load reads")
                         .arg(XmlLimits::number(bytes), XmlLimits::number(maxFileBytes)));
}

QByteArray readRegularFile(const QString& fileName) {
    RegularFileReader file(fileName);
    QByteArray bytes;
    bytes.reserve(file.size());
    char buffer[1 << 16];
    while (const qsizetype count = file.read(buffer, sizeof buffer))
        bytes.append(buffer, count);
    return bytes;
}
