#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// Hands Text to Write, in pieces, as a freshly started window saves it after loading it: Load, then
// Save. With a FileName the sources are made relative to its folder, as Save into that file does;
// without one they stay as they are. The text is let go once loaded. A file that Load or Save refuses
// is a Refusal.
void formatText(QByteArray text, const QString& displayName, const QString& fileName,
                const std::function<void(const QByteArray&)>& write);
