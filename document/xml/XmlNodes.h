#pragma once

// libxml2 stays inside the document library: only its sources include this header.

#include <libxml/tree.h>

#include <QByteArray>
#include <QString>

namespace XmlNodes {

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

inline QString toQString(const xmlChar* text) {
    return text ? QString::fromUtf8(reinterpret_cast<const char*>(text)) : QString();
}
inline const xmlChar* xmlText(const QByteArray& utf8) {
    return reinterpret_cast<const xmlChar*>(utf8.constData());
}

} // namespace XmlNodes
