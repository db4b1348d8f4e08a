#pragma once

#include <QByteArray>
#include <QString>

// The file's bytes, or none when it cannot be opened.
QByteArray readBytes(const QString& fileName);
// Fails the running test when the file cannot be written.
void writeBytes(const QString& fileName, const QByteArray& bytes);
