#pragma once

#include <QByteArray>
#include <QString>

// The largest file Load reads.
inline constexpr qint64 maxFileBytes = qint64(256) << 20;

// The bytes of the regular file fileName, at most maxFileBytes of them. A missing or unreadable file, a
// folder, a device, a pipe or a larger file is an UnreadableFileError that names the file and the
// reason; devices and pipes are never read, so nothing blocks.
QByteArray readRegularFile(const QString& fileName);
// Why a text of more than maxFileBytes is not read, as readRegularFile gives it.
QString tooLargeReason();
