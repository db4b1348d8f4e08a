#include "document/xml/FileNames.h"

#include <algorithm>
#include <sys/stat.h>

namespace {

constexpr char16_t firstEscape = 0xDC80;

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of the valid UTF-8 sequence at the start of Bytes, 0 when there is none.
qsizetype validSequenceLength(QByteArrayView bytes) {
    const auto lead = static_cast<unsigned char>(bytes[0]);
    const qsizetype length = lead < 0x80   ? 1
                             : lead < 0xC2 ? 0
                             : lead < 0xE0 ? 2
                             : lead < 0xF0 ? 3
                             : lead < 0xF5 ? 4
                                           : 0;
    if (length == 0 || length > bytes.size())
        return 0;
    for (qsizetype i = 1; i < length; ++i) {
        if (!isContinuation(static_cast<unsigned char>(bytes[i])))
            return 0;
    }
    const auto second = static_cast<unsigned char>(length > 1 ? bytes[1] : 0);
    // Overlong forms, UTF-16 surrogates and code points past U+10FFFF.
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) || (lead == 0xF0 && second < 0x90) ||
        (lead == 0xF4 && second >= 0x90))
        return 0;
    return length;
}

bool isEscape(QChar c) {
    return c.unicode() >= firstEscape && c.unicode() <= firstEscape + 0x7F;
}

} // namespace

QString fileNameFromBytes(QByteArrayView bytes) {
    QString name;
    name.reserve(bytes.size());
    while (!bytes.isEmpty()) {
        const qsizetype length = validSequenceLength(bytes);
        if (length > 0)
            name += QString::fromUtf8(bytes.first(length));
        else
            name += QChar(char16_t(firstEscape + static_cast<unsigned char>(bytes[0]) - 0x80));
        bytes = bytes.sliced(std::max<qsizetype>(length, 1));
    }
    return name;
}

QByteArray fileNameBytes(const QString& fileName) {
    QByteArray bytes;
    bytes.reserve(fileName.size());
    qsizetype start = 0;
    for (qsizetype i = 0; i < fileName.size(); ++i) {
        // A pair's low surrogate never stands alone; an unpaired one in the escape range is a raw byte.
        if (!isEscape(fileName[i]) || (i > 0 && fileName[i - 1].isHighSurrogate()))
            continue;
        bytes += QStringView(fileName).sliced(start, i - start).toUtf8();
        bytes += char(fileName[i].unicode() - firstEscape + 0x80);
        start = i + 1;
    }
    return bytes + QStringView(fileName).sliced(start).toUtf8();
}

bool fileExists(const QString& fileName) {
    struct stat status {};
    return ::stat(fileNameBytes(fileName).constData(), &status) == 0;
}
