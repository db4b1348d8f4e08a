#pragma once

#include <QByteArray>
#include <QString>

// The bytes of the regular file fileName, at most maxBytes of them. A missing or unreadable file, a
// folder, a device, a pipe or a larger file is an UnreadableFileError that names the file and the
// reason; devices and pipes are never read, so nothing blocks.
QByteArray readRegularFile(const QString& fileName, qint64 maxBytes);
