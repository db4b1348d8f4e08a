#include "cli/InputFile.h"

#include "document/xml/RegularFile.h"

#include <QIODevice>

#include <algorithm>

QByteArray readTextStream(QIODevice& input) {
    QByteArray bytes;
    for (;;) {
        const QByteArray chunk = input.read(std::min<qint64>(qint64(1) << 20, maxFileBytes + 1 - bytes.size()));
        if (chunk.isEmpty())
            return bytes;
        bytes += chunk;
    }
}
