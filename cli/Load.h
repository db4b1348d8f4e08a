#pragma once

#include "cli/Refusal.h"
#include "document/XmlDocument.h"

#include <QByteArray>
#include <QString>

class SourceLines;

// Replaces the document by Text as the window's Load does. A text that is not well-formed XML, or whose
// root is not macromedia-extension, is a Refusal at the parser's first error or at the root's start tag.
void loadExtensionText(XmlDocument& document, const QByteArray& text, const QString& fileName,
                       const SourceLines& lines);

// Loads the regular file FileName as loadExtensionText loads its text, reading it in pieces so that
// a large file is never held whole. False, with the document unchanged, where the file does not load
// or is one that readRegularTextFile refuses: reading it whole then tells why.
bool loadExtensionFileInPieces(XmlDocument& document, const QString& fileName);

// The place of an element's start tag; ordinal counts the elements of its name before it on its line.
Place placeOf(const XmlNode& element, const SourceLines& lines, int ordinal = 0);
