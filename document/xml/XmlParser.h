#pragma once

#include "document/xml/XmlDeclaration.h"

#include <QByteArray>

#include <functional>
#include <memory>
#include <optional>

struct _xmlDoc;

// The one owner of a libxml2 document.
struct FreeXmlDoc {
    void operator()(_xmlDoc* document) const;
};
using OwnedXmlDoc = std::unique_ptr<_xmlDoc, FreeXmlDoc>;

// Fills buffer with up to length bytes of a text and returns their count: 0 at its end, -1 to stop.
using ReadText = std::function<int(char* buffer, int length)>;

namespace XmlParser {

struct Parsed {
    OwnedXmlDoc document;
    std::optional<XmlDeclaration> declaration;
    // The internal subset of the document type declaration as written, between its brackets; null
    // without one.
    QByteArray internalSubset;
};

// Parses without network access, DTD loading or entity substitution, drops every text node that
// holds only white space and expands entity references in attribute values. A byte-order mark wins
// over a declared encoding. Throws ParseError with
// the reason, the line and its text when the text is not well-formed, and without a line when it
// holds more than a saved file may, or more nodes than a tree may (XmlLimits).
Parsed parse(const QByteArray& text);
// The same for the text that read gives piece by piece; nullopt where parse would throw, whose
// reason the whole text then gives.
std::optional<Parsed> tryParse(const ReadText& read);

} // namespace XmlParser
