#pragma once

#include <QByteArray>
#include <QString>

// Text as a freshly started window writes it after loading it: Load, then Save. With a FileName the
// sources are made relative to its folder, as Save into that file does; without one they stay as they
// are. A file that Load or Save refuses is a Refusal.
QByteArray formattedText(const QByteArray& text, const QString& displayName, const QString& fileName = {});
