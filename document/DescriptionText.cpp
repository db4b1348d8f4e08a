#include "document/DescriptionText.h"

#include "document/Mxi.h"

namespace DescriptionText {

namespace {

bool isTextPiece(const XmlNode& node) {
    return node.type() == NodeType::Text || node.type() == NodeType::CData;
}

// The text and CDATA children at the start of an element. Together they are one text: the
// serialiser splits a CDATA section wherever its text holds "]]>".
QList<XmlNode> leadingText(const XmlNode& element) {
    QList<XmlNode> pieces;
    for (XmlNode node = element.firstChild(); node && isTextPiece(node); node = node.nextSibling())
        pieces.append(node);
    return pieces;
}

// The element whose leading text is edited: the element itself when it is empty or starts with
// text, or its first child when that is an element holding only text. A null handle when the
// content is anything else, which stays untouched.
XmlNode textHolder(const XmlNode& element) {
    const XmlNode first = element.firstChild();
    if (!first || isTextPiece(first))
        return element;
    if (first.type() == NodeType::Element && first.childCount() > 0 && leadingText(first).size() == first.childCount())
        return first;
    return {};
}

QString joinedText(const QList<XmlNode>& pieces) {
    QString text;
    for (const XmlNode& piece : pieces)
        text += piece.value();
    return text;
}

} // namespace

Shown read(const XmlDocument& document, const QString& name) {
    const XmlNode element = Mxi::findRoot(document).findChild(name);
    if (!element)
        return {QString(), true};
    if (const XmlNode holder = textHolder(element))
        return {joinedText(leadingText(holder)), true};
    return {element.firstChild().xml(), false};
}

void store(XmlDocument& document, const QString& name, const QString& text) {
    XmlNode root = Mxi::findRoot(document);
    XmlNode element = root.findChild(name);
    if (!element) {
        if (text.isEmpty())
            return;
        element = root.appendChild(document.createElement(name));
    }
    XmlNode holder = textHolder(element);
    const QList<XmlNode> pieces = leadingText(holder);
    if (pieces.isEmpty()) {
        if (!text.isEmpty())
            holder.appendChild(document.createCDataSection(text));
        return;
    }
    XmlNode first = pieces.first();
    first.setValue(text);
    for (qsizetype i = 1; i < pieces.size(); ++i)
        holder.removeChild(pieces[i]);
}

} // namespace DescriptionText
