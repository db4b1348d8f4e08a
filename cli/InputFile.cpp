#include "cli/InputFile.h"

#include "cli/Refusal.h"
#include "document/RegularFile.h"

#include <QIODevice>

#include <algorithm>
#include <cstring>

namespace {

constexpr qint64 chunkSize = qint64(1) << 20;

// UTF-16 text holds NUL bytes; its first character or byte-order mark shows it.
bool looksLikeUtf16(const QByteArray& bytes) {
    return bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF") || bytes.startsWith(QByteArray("<\0", 2)) ||
           bytes.startsWith(QByteArray("\0<", 2));
}

QByteArray checkedText(QByteArray bytes) {
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0 && !looksLikeUtf16(bytes))
        throw Refusal(QStringLiteral("binary data, not XML text (a NUL byte at offset %1)").arg(nul));
    return bytes;
}

} // namespace

QByteArray readRegularTextFile(const QString& fileName) {
    try {
        return checkedText(readRegularFile(fileName));
    } catch (const UnreadableFileError& error) {
        throw Refusal(error.reason());
    }
}

QByteArray readTextStream(QIODevice& input) {
    QByteArray bytes;
    for (;;) {
        const QByteArray chunk = input.read(chunkSize);
        if (chunk.isEmpty())
            break;
        bytes += chunk;
        if (bytes.size() > maxFileBytes)
            throw Refusal(tooLargeReason());
    }
    return checkedText(std::move(bytes));
}

int TextFilePieces::read(char* buffer, int length) {
    try {
        const int count = int(file_.read(buffer, length));
        start_.append(buffer, std::min<qsizetype>(count, 2 - start_.size()));
        if (std::memchr(buffer, '\0', size_t(count)) && !looksLikeUtf16(start_))
            return -1;
        return count;
    } catch (const UnreadableFileError&) {
        return -1;
    }
}
