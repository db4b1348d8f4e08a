#include "window/forms/Unit1.h"

#include "document/DescriptionText.h"
#include "document/Mxi.h"
#include "window/controls/Memo.h"

#include <QLabel>

namespace {

// Fills the box from the element named name; a box whose element holds other content shows that
// content's XML, disabled.
void fillMemo(Memo* memo, const XmlDocument& document, const QString& name) {
    const DescriptionText::Shown shown = DescriptionText::read(document, name);
    memo->setEnabled(shown.editable);
    memo->setText(shown.text);
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
        DescriptionText::store(XMLDocument1, Mxi::Description, text);
    if (const QString text = Memo2->text(); Memo2->isEnabled() && text != shownUiAccess_)
        DescriptionText::store(XMLDocument1, Mxi::UiAccess, text);
}
