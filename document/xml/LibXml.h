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

} // namespace LibXml
