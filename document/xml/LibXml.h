#pragma once

// libxml2 stays inside the document library: only its sources include this header.

#include "document/xml/XmlDocument.h"

#include <libxml/tree.h>

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

namespace LibXml {

struct Parsed {
    OwnedXmlDoc document;
    std::optional<XmlDeclaration> declaration;
};

// Parses without network access, DTD loading or entity substitution, drops every text node that
// holds only white space and expands entity references in attribute values. Throws ParseError with
// the reason, the line and its text when the text is not well-formed, and without a line when it
// holds more than a saved file may (XmlLimits).
Parsed parse(const QByteArray& text);
// The same for the text that read gives piece by piece; nullopt where parse would throw, whose
// reason the whole text then gives.
std::optional<Parsed> tryParse(const ReadText& read);

// The document's text is kept and written as UTF-8: without this libxml2 writes characters
// outside ASCII in attribute values as character references.
void useUtf8(xmlDoc* document);

// The text of an attribute; a single text child, the usual case, is read without copying. Whatever
// is stored in *copy is the caller's to free.
const xmlChar* attributeValue(const xmlAttr* attribute, xmlChar** copy);
// The last node of the run of neighbouring nodes of first's type that begins at first.
const xmlNode* runEnd(const xmlNode* first);

// UTF-8 text of a node and its subtree.
QByteArray serializeNode(xmlNode* node);
// UTF-8 text of a document's top-level nodes, each followed by a line feed, without declaration.
QByteArray serializeBody(xmlDoc* document);
QByteArray declarationText(const XmlDeclaration& declaration);

inline QString toQString(const xmlChar* text) {
    return text ? QString::fromUtf8(reinterpret_cast<const char*>(text)) : QString();
}
inline const xmlChar* xmlText(const QByteArray& utf8) {
    return reinterpret_cast<const xmlChar*>(utf8.constData());
}

} // namespace LibXml
