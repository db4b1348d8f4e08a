#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

// The largest file the headless modes read.
inline constexpr qint64 maximumInputSize = qint64(256) << 20;

// The bytes of a regular file no larger than maximumInputSize that holds text. Anything else is a
// Refusal that says why; opening never blocks, not even on a FIFO.
QByteArray readRegularTextFile(const QString& fileName);
// The same limits for a stream such as standard input.
QByteArray readTextStream(QIODevice& input);
