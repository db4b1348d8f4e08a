#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

// The bytes of a regular file that Load would read and that hold text. Anything else is a Refusal
// that says why; opening never blocks, not even on a FIFO.
QByteArray readRegularTextFile(const QString& fileName);
// The same limits for a stream such as standard input.
QByteArray readTextStream(QIODevice& input);
