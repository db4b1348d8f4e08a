#include "window/forms/Unit1.h"

#include "document/DescriptionText.h"
#include "document/Mxi.h"
#include "window/controls/Memo.h"

#include <QLabel>

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
    shownDescription_ = showElementText(Memo1, Mxi::Description);
    shownUiAccess_ = showElementText(Memo2, Mxi::UiAccess);
}

void TForm1::TabSheet5Hide() {
    storeElementText(Memo1, Mxi::Description, shownDescription_);
    storeElementText(Memo2, Mxi::UiAccess, shownUiAccess_);
}

// A box whose element holds other content shows that content's XML, disabled.
QString TForm1::showElementText(Memo* memo, const QString& name) {
    const DescriptionText::Shown shown = DescriptionText::read(XMLDocument1, name);
    memo->setEnabled(shown.editable);
    memo->setText(shown.text);
    return memo->text();
}

// A box left as it was shown keeps its element exactly as loaded, pieces and all.
void TForm1::storeElementText(Memo* memo, const QString& name, const QString& shown) {
    if (const QString text = memo->text(); memo->isEnabled() && text != shown)
        DescriptionText::store(XMLDocument1, name, text);
}
