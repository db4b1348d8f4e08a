#pragma once

#include "document/RegularFile.h"

#include <QByteArray>
#include <QString>

class QIODevice;

// The bytes of a regular file that Load would read and that hold text. Anything else is a Refusal
// that says why; opening never blocks, not even on a FIFO.
QByteArray readRegularTextFile(const QString& fileName);
// The same limits for a stream such as standard input.
QByteArray readTextStream(QIODevice& input);

// A regular file read in pieces for a parse, so that it is never held whole. Opening throws the
// UnreadableFileError that readRegularFile would; reading gives -1 where readRegularTextFile would
// refuse the file, which then tells why.
class TextFilePieces {
public:
    explicit TextFilePieces(const QString& fileName) : file_(fileName) {}
    int read(char* buffer, int length);

private:
    RegularFileReader file_;
    // The file's first bytes, which tell UTF-16 text.
    QByteArray start_;
};
