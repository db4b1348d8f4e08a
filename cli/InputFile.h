#pragma once

#include <QByteArray>

class QIODevice;

// A stream such as standard input, read as far as one byte past the largest text that Load reads, so
// that Load refuses a longer one without the whole of it held.
QByteArray readTextStream(QIODevice& input);
