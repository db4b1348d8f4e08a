#pragma once

#include "document/xml/XmlDocument.h"

#include <QByteArray>

#include <functional>

// The layout of a saved file: the XML text re-indented in two-space steps, every line break written
// as CR LF (line breaks inside text too) and one after the last line, UTF-8 without byte-order mark,
// with a declaration only when the text had one.
QByteArray savedText(const QByteArray& xml);
// The same for a document in memory, without writing and parsing its text first.
QByteArray savedText(const XmlDocument& document);
// The same handed to Write in pieces as it is laid out, so that a large text is never held whole.
void writeSavedText(const XmlDocument& document, const std::function<void(const QByteArray&)>& write);
// Throws what writeSavedText would, without laying the text out.
void checkSavedText(const XmlDocument& document);
