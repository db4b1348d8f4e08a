#include "cli/InputFile.h"

#include "cli/Refusal.h"

#include <QFile>
#include <QIODevice>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qint64 chunkSize = qint64(1) << 20;

Refusal tooLarge() {
    return Refusal(
        QStringLiteral("larger than %1 MB, the largest file this program reads").arg(maximumInputSize >> 20));
}

QString systemReason() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

// UTF-16 text holds NUL bytes; its first character or byte-order mark shows it.
bool looksLikeUtf16(const QByteArray& bytes) {
    return bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF") || bytes.startsWith(QByteArray("<\0", 2)) ||
           bytes.startsWith(QByteArray("\0<", 2));
}

QByteArray checkedText(QByteArray bytes) {
    if (bytes.size() > maximumInputSize)
        throw tooLarge();
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0 && !looksLikeUtf16(bytes))
        throw Refusal(QStringLiteral("binary data, not XML text (a NUL byte at offset %1)").arg(nul));
    return bytes;
}

class FileDescriptor {
public:
    explicit FileDescriptor(int descriptor) : descriptor_(descriptor) {}
    ~FileDescriptor() {
        if (descriptor_ >= 0)
            ::close(descriptor_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return descriptor_; }

private:
    int descriptor_;
};

} // namespace

QByteArray readRegularTextFile(const QString& fileName) {
    // Without O_NONBLOCK, opening a FIFO waits for a writer.
    const FileDescriptor file(::open(QFile::encodeName(fileName).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0)
        throw Refusal(systemReason());
    struct stat status {};
    if (::fstat(file.get(), &status) != 0)
        throw Refusal(systemReason());
    if (S_ISDIR(status.st_mode))
        throw Refusal(QStringLiteral("a folder, not a file"));
    if (!S_ISREG(status.st_mode))
        throw Refusal(QStringLiteral("not a regular file"));
    if (status.st_size > maximumInputSize)
        throw tooLarge();

    QByteArray bytes(qsizetype(status.st_size), Qt::Uninitialized);
    qsizetype filled = 0;
    while (filled < bytes.size()) {
        const ssize_t count = ::read(file.get(), bytes.data() + filled, size_t(bytes.size() - filled));
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            throw Refusal(systemReason());
        if (count == 0)
            break;
        filled += count;
    }
    bytes.truncate(filled);
    return checkedText(std::move(bytes));
}

QByteArray readTextStream(QIODevice& input) {
    QByteArray bytes;
    for (;;) {
        const QByteArray chunk = input.read(chunkSize);
        if (chunk.isEmpty())
            break;
        bytes += chunk;
        if (bytes.size() > maximumInputSize)
            throw tooLarge();
    }
    return checkedText(std::move(bytes));
}
