#pragma once

#include "document/Mxi.h"
#include "document/xml/Errors.h"
#include "document/xml/XmlDocument.h"

#include <QString>

// The content of the root's configuration-changes element as raw XML text, and back.
namespace ConfigurationText {

// The tags that the text stands between.
inline const QString StartTag = QLatin1Char('<') + Mxi::ConfigurationChanges + QLatin1Char('>');
inline const QString EndTag = QStringLiteral("</") + Mxi::ConfigurationChanges + QLatin1Char('>');

// A text that is not well-formed XML: the sentence that says why, with the line counted in the
// text, and the index in the text where the parser stopped.
class RefusedText : public Error {
public:
    RefusedText(const QString& message, int position) : Error(message), position_(position) {}
    int position() const { return position_; }

private:
    int position_;
};

// The XML of the element's child nodes, joined; empty when the root has no such element.
QString read(const XmlDocument& document);

// Parses text as the element's content and puts it in place of the old content; the element keeps
// its place and its attributes. A missing element is added as the root's last child. A text that
// does not parse throws RefusedText and changes nothing.
void store(XmlDocument& document, const QString& text);

} // namespace ConfigurationText
