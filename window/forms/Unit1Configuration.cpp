#include "window/forms/Unit1.h"

#include "document/ConfigurationText.h"
#include "window/controls/LinkLabel.h"
#include "window/controls/Memo.h"
#include "window/controls/PageControl.h"
#include "window/dialogs/Shell.h"

#include <QLabel>

#include <algorithm>

namespace {

const QString formatDocumentAddress = QStringLiteral("http://download.macromedia.com/pub/exchange/mxi_file_format.pdf");

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

} // namespace

void TForm1::buildConfigurationPage() {
    Label11 = tagLabel(ConfigurationText::StartTag, TabSheet4, 0, 0);
    Memo3 = new Memo(QRect(40, 16, 409, 225), TabSheet4);
    Label12 = tagLabel(ConfigurationText::EndTag, TabSheet4, 0, 240);
    Label13 = new LinkLabel(QStringLiteral("For more information look at : The Extension Installation File Format"),
                            TabSheet4, LinkLabel::Hover::LightsUp);
    Label13->adjustSize();
    // The link starts at 128 as laid out; where this machine's font is wider than the layout's, it moves
    // left so that its end stays on the page (449 pixels wide, the memo's right edge).
    Label13->move(std::min(128, 449 - Label13->width()), 256);

    on(Label13, &LinkLabel::activated, &TForm1::Label13Click);
}

void TForm1::TabSheet4Show() {
    shownConfiguration_ = ConfigurationText::read(XMLDocument1);
    if (rejectedConfiguration_) {
        Memo3->setText(rejectedConfiguration_->text);
        Memo3->placeCursorAt(rejectedConfiguration_->errorPosition);
        Memo3->setFocus();
        rejectedConfiguration_.reset();
        return;
    }
    Memo3->setText(shownConfiguration_);
}

// A text left as shown changes nothing. A changed text becomes the element's content in its place;
// a text that does not parse keeps the page and stops Save; Load replaces the document anyway.
void TForm1::TabSheet4Hide() {
    const QString typed = Memo3->text();
    if (typed == shownConfiguration_)
        return;
    try {
        ConfigurationText::store(XMLDocument1, typed);
    } catch (const ConfigurationText::RefusedText& refused) {
        if (leaving_ == Leaving::ForLoad)
            return;
        rejectedConfiguration_ = RejectedText{typed, refused.position()};
        throw PageKeptError(leaving_ == Leaving::ForSave
                                ? refused.message() + QStringLiteral(" Save stopped: nothing was written.")
                                : refused.message());
    }
}

void TForm1::Label13Click() {
    Shell::ShellOpen(formatDocumentAddress);
}
