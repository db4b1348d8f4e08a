#include "window/Unit1.h"

#include "document/Mxi.h"
#include "document/XmlErrors.h"
#include "window/HoverStyle.h"
#include "window/LabelEvents.h"
#include "window/Memo.h"
#include "window/PageControl.h"
#include "window/Shell.h"

#include <QLabel>
#include <QRegularExpression>

#include <algorithm>

namespace {

const QString formatDocumentAddress = QStringLiteral("http://download.macromedia.com/pub/exchange/mxi_file_format.pdf");

const QString startTag = QLatin1Char('<') + Mxi::ConfigurationChanges + QLatin1Char('>');
const QString endTag = QStringLiteral("</") + Mxi::ConfigurationChanges + QLatin1Char('>');

QLabel* tagLabel(const QString& text, QWidget* page, int left, int top) {
    auto* label = new QLabel(text, page);
    label->setTextFormat(Qt::PlainText);
    QFont font = label->font();
    font.setPixelSize(13);
    font.setBold(true);
    label->setFont(font);
    label->move(left, top);
    label->adjustSize();
    return label;
}

QString innerXml(const XmlNode& element) {
    QString text;
    for (const XmlNode& child : element.children())
        text += child.xml();
    return text;
}

// The document's type declaration on one line. The commit text starts with it, so that the typed
// text may refer to the entities the document declares, and the typed lines keep their numbers.
QString documentTypeLine(const XmlDocument& document) {
    for (const XmlNode& node : document.documentNode().children()) {
        if (node.type() == NodeType::DocumentType)
            return node.xml().replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
    }
    return {};
}

// Where the parser stopped, as a position in the typed text; the commit text puts prefixLength
// characters before the typed text's first line.
int errorPosition(const QString& typed, const ParseError& error, qsizetype prefixLength) {
    qsizetype lineStart = 0;
    for (int line = 1; line < error.line(); ++line) {
        const qsizetype lineBreak = typed.indexOf(QLatin1Char('\n'), lineStart);
        if (lineBreak < 0)
            break;
        lineStart = lineBreak + 1;
    }
    qsizetype lineEnd = typed.indexOf(QLatin1Char('\n'), lineStart);
    if (lineEnd < 0)
        lineEnd = typed.size();
    const qsizetype column = std::max(error.column(), 1) - 1 - (lineStart == 0 ? prefixLength : 0);
    return int(std::clamp(lineStart + column, lineStart, lineEnd));
}

// What the parser found. Two of libxml2's messages would name the hidden end tag, or an invalid
// element name for a declaration; those are said in plain words.
QString whatWasFound(const QString& reason, const QString& line) {
    static const QRegularExpression unclosed(
        QStringLiteral("^Opening and ending tag mismatch: (\\S+) line (\\d+) and ") + Mxi::ConfigurationChanges + '$');
    if (const QRegularExpressionMatch match = unclosed.match(reason); match.hasMatch())
        return QStringLiteral("<%1> opened on line %2 has no end tag").arg(match.captured(1), match.captured(2));
    if (reason == QStringLiteral("StartTag: invalid element name") && line.contains(QStringLiteral("<!DOCTYPE")))
        return QStringLiteral("a document type declaration (<!DOCTYPE ...>) stands inside the element, where XML "
                              "allows none");
    return QStringLiteral("the parser found \"%1\"").arg(reason);
}

// The refusal in a sentence, with the line counted as the box shows it.
QString refusal(const QString& typed, const ParseError& error, int position) {
    const qsizetype lineStart = typed.lastIndexOf(QLatin1Char('\n'), position - 1) + 1;
    const QString line = typed.mid(lineStart, typed.indexOf(QLatin1Char('\n'), lineStart) - lineStart);
    return QStringLiteral("The configuration changes are not well-formed XML: on line %1, %2.")
        .arg(typed.left(position).count(QLatin1Char('\n')) + 1)
        .arg(whatWasFound(error.reason(), line));
}

} // namespace

void TForm1::buildConfigurationPage() {
    Label11 = tagLabel(startTag, TabSheet4, 0, 0);
    Memo3 = new Memo(QRect(40, 16, 409, 225), TabSheet4);
    Label12 = tagLabel(endTag, TabSheet4, 0, 240);
    Label13 =
        new QLabel(QStringLiteral("For more information look at : The Extension Installation File Format"), TabSheet4);
    Label13->adjustSize();
    // The link starts at 128 as laid out; where this machine's font is wider than the layout's, it moves
    // left so that its end stays on the page (449 pixels wide, the memo's right edge).
    Label13->move(std::min(128, 449 - Label13->width()), 256);
    HoverStyle::apply(Label13);

    LabelEvents::onClick(Label13, [this] { Label13Click(); });
    LabelEvents::onMouseEnter(Label13, [this] { Label13MouseEnter(); });
    LabelEvents::onMouseLeave(Label13, [this] { Label13MouseLeave(); });
}

void TForm1::TabSheet4Show() {
    if (rejectedConfiguration_) {
        Memo3->setText(rejectedConfiguration_->text);
        Memo3->placeCursorAt(rejectedConfiguration_->errorPosition);
        Memo3->setFocus();
        rejectedConfiguration_.reset();
        return;
    }
    const XmlNode changes = Mxi::findRoot(XMLDocument1).findChild(Mxi::ConfigurationChanges);
    Memo3->setText(changes ? innerXml(changes) : QString());
}

// The typed text becomes the content of a new configuration-changes element, the root's last
// child. A text that does not parse keeps the page and stops Save; Load replaces the document anyway.
void TForm1::TabSheet4Hide() {
    const QString typed = Memo3->text();
    const QString prefix = documentTypeLine(XMLDocument1) + startTag;
    XmlDocument parsed;
    try {
        parsed.loadFromXml((prefix + typed + endTag).toUtf8());
    } catch (const ParseError& error) {
        if (leaving_ == Leaving::ForLoad)
            return;
        const int position = errorPosition(typed, error, prefix.size());
        rejectedConfiguration_ = RejectedText{typed, position};
        const QString message = refusal(typed, error, position);
        throw PageKeptError(
            leaving_ == Leaving::ForSave ? message + QStringLiteral(" Save stopped: nothing was written.") : message);
    }
    XmlNode root = Mxi::findRoot(XMLDocument1);
    root.removeFirstChild(Mxi::ConfigurationChanges);
    root.appendChild(parsed.documentNode().findChild(Mxi::ConfigurationChanges));
}

void TForm1::Label13Click() {
    Shell::ShellOpen(formatDocumentAddress);
}

void TForm1::Label13MouseEnter() {
    HoverStyle::enter(Label13);
}

void TForm1::Label13MouseLeave() {
    HoverStyle::leave(Label13);
}
