#include "window/Unit1.h"

#include "document/Mxi.h"

#include "window/Memo.h"

#include <QLabel>

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

// The element whose leading text the box edits: the element itself when it is empty or starts
// with text, or its first child when that is an element holding only text. A null handle when the
// content is anything else, which the page leaves untouched.
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

// Fills the box from the element named name. A box whose element holds other content shows that
// content's XML, disabled.
void fillMemo(Memo* memo, const XmlDocument& document, const QString& name) {
    const XmlNode element = Mxi::findRoot(document).findChild(name);
    const XmlNode holder = element ? textHolder(element) : XmlNode();
    const bool editable = !element || holder;
    memo->setEnabled(editable);
    memo->setText(editable ? joinedText(holder ? leadingText(holder) : QList<XmlNode>()) : element.firstChild().xml());
}

// Writes the text into the element named name: into its first text piece, the other leading
// pieces removed. An element, or a CDATA section, that is missing is created for a text that is not
// empty.
void storeText(XmlDocument& document, const QString& name, const QString& text) {
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

} // namespace

void TForm1::buildDescriptionPage() {
    Label9 = new QLabel(QStringLiteral("Description"), TabSheet5);
    Label9->move(8, 8);
    Label9->adjustSize();
    Memo1 = new Memo(QRect(8, 24, 433, 105), TabSheet5);
    Label10 = new QLabel(QStringLiteral("UI-Access"), TabSheet5);
    Label10->move(8, 144);
    Label10->adjustSize();
    Memo2 = new Memo(QRect(8, 160, 433, 97), TabSheet5);
}

void TForm1::TabSheet5Show() {
    fillMemo(Memo1, XMLDocument1, Mxi::Description);
    shownDescription_ = Memo1->text();
    fillMemo(Memo2, XMLDocument1, Mxi::UiAccess);
    shownUiAccess_ = Memo2->text();
}

// A box left as it was shown keeps its element exactly as loaded, pieces and all.
void TForm1::TabSheet5Hide() {
    if (const QString text = Memo1->text(); Memo1->isEnabled() && text != shownDescription_)
        storeText(XMLDocument1, Mxi::Description, text);
    if (const QString text = Memo2->text(); Memo2->isEnabled() && text != shownUiAccess_)
        storeText(XMLDocument1, Mxi::UiAccess, text);
}
