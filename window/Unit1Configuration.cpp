#include "window/Unit1.h"

#include "document/Mxi.h"
#include "document/XmlErrors.h"
#include "window/HoverStyle.h"
#include "window/LabelEvents.h"
#include "window/Memo.h"
#include "window/PageControl.h"
#include "window/Shell.h"

#include <QLabel>

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
        Memo3->setText(*rejectedConfiguration_);
        rejectedConfiguration_.reset();
        return;
    }
    const XmlNode changes = Mxi::findRoot(XMLDocument1).findChild(Mxi::ConfigurationChanges);
    Memo3->setText(changes ? innerXml(changes) : QString());
}

// The typed text becomes the content of a new configuration-changes element, the root's last
// child. A text that does not parse keeps the page, unless Load is replacing the document.
void TForm1::TabSheet4Hide() {
    const QString typed = Memo3->text();
    XmlDocument parsed;
    try {
        parsed.loadFromXml((startTag + typed + endTag).toUtf8());
    } catch (const ParseError& error) {
        if (loading_)
            return;
        rejectedConfiguration_ = typed;
        throw PageKeptError(error.message());
    }
    XmlNode root = Mxi::findRoot(XMLDocument1);
    root.removeFirstChild(Mxi::ConfigurationChanges);
    root.appendChild(parsed.documentNode().firstChild());
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
