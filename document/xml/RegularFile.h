#pragma once

#include <QByteArray>
#include <QString>

// The largest file Load reads.
inline constexpr qint64 maxFileBytes = qint64(256) << 20;

// Throws a LimitError when a text of this many bytes is larger than Load reads.
void checkFileSize(qint64 bytes);

// The bytes of the regular file fileName, at most maxFileBytes of them. A missing or unreadable file, a
// folder, a device, a pipe or a larger file is an UnreadableFileError that names the file and the
// reason; devices and pipes are never read, so nothing blocks.
QByteArray readRegularFile(const QString& fileName);

// A file open for reading as readRegularFile reads it, for reading in pieces; opening and reading
// throw the UnreadableFileError that readRegularFile would.
class RegularFileReader {
public:
    explicit RegularFileReader(const QString& fileName);
    ~RegularFileReader();
    RegularFileReader(const RegularFileReader&) = delete;
    RegularFileReader& operator=(const RegularFileReader&) = delete;

    // The size the file had when opened.
    qint64 size() const { return size_; }
    // Reads up to length bytes into buffer and returns their count, 0 at the end.
    qsizetype read(char* buffer, qsizetype length);

private:
    QString fileName_;
    int descriptor_ = -1;
    qint64 size_ = 0;
    qint64 read_ = 0;
};
