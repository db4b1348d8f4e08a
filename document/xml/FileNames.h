#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// File names as the system spells them: bytes, usually UTF-8 but not always. A byte that is not part
// of valid UTF-8 becomes one of the unpaired code units U+DC80 to U+DCFF and turns back into that byte,
// so that every name opens the file it names; Qt's own decoding would replace such bytes.
QString fileNameFromBytes(QByteArrayView bytes);
QByteArray fileNameBytes(const QString& fileName);
// True when FileName names something once its links are followed.
bool fileExists(const QString& fileName);
