#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// Hands Text to Write, in pieces, as a freshly started window saves it after loading it: Load, then
// Save. With a FileName the sources are made relative to its folder, as Save into that file does;
// without one they stay as they are. The text is let go once loaded. A file that Load or Save refuses
// is a PlacedError.
void formatText(QByteArray text, const QString& displayName, const QString& fileName,
                const std::function<void(const QByteArray&)>& write);
// The same for the regular file File, read in pieces so that a large file is never held whole; its
// sources are made relative to the folder of FileName.
void formatRegularFile(const QString& file, const QString& fileName,
                       const std::function<void(const QByteArray&)>& write);
