#include "window/Unit1.h"

#include "document/Mxi.h"
#include "window/LabeledEdit.h"
#include "window/Shell.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>

namespace {

void setEditText(QLineEdit* edit, const QString& text) {
    if (edit->text() != text)
        edit->setText(text);
}

int typeRowIndex(const QString& type) {
    const QStringList& rows = Mxi::typeRows();
    for (qsizetype row = 0; row < rows.size(); ++row) {
        if (rows[row].compare(type, Qt::CaseInsensitive) == 0)
            return int(row);
    }
    return -1;
}

// An attribute that a loaded file lacks reads as the empty text here: the refresh runs inside
// every change of the document and must never interrupt it.
QString attributeOrEmpty(const XmlNode& element, const QString& name) {
    return element ? element.attribute(name).value_or(QString()) : QString();
}

} // namespace

void TForm1::buildMainPage() {
    LabeledEdit1 = new LabeledEdit(QStringLiteral("Name"), TabSheet1);
    LabeledEdit1->place(40, 104, 361, 21);
    LabeledEdit3 = new LabeledEdit(QStringLiteral("Author"), TabSheet1);
    LabeledEdit3->place(40, 144, 361, 21);
    LabeledEdit2 = new LabeledEdit(QStringLiteral("Version"), TabSheet1);
    LabeledEdit2->place(40, 184, 153, 21);
    LabeledEdit2->setText(QStringLiteral("1.0.0.0"));
    CheckBox1 = new QCheckBox(QStringLiteral("Requires restart"), TabSheet1);
    CheckBox1->setGeometry(240, 192, 97, 17);
    Label1 = new QLabel(QStringLiteral("Type"), TabSheet1);
    Label1->setGeometry(40, 208, Label1->sizeHint().width(), 13);
    ComboBox1 = new QComboBox(TabSheet1);
    ComboBox1->setGeometry(40, 224, 369, 22);
    ComboBox1->addItems(Mxi::typeRows());
    ComboBox1->setMaxVisibleItems(8);
    ComboBox1->setCurrentIndex(-1);

    QWidget::setTabOrder(LabeledEdit1, LabeledEdit2);
    QWidget::setTabOrder(LabeledEdit2, CheckBox1);
    QWidget::setTabOrder(CheckBox1, ComboBox1);
    QWidget::setTabOrder(ComboBox1, LabeledEdit3);

    on(LabeledEdit1, &QLineEdit::textChanged, &TForm1::LabeledEdit1Change);
    on(LabeledEdit2, &QLineEdit::textChanged, &TForm1::LabeledEdit2Change);
    on(LabeledEdit3, &QLineEdit::textChanged, &TForm1::LabeledEdit3Change);
    on(CheckBox1, &QCheckBox::toggled, &TForm1::CheckBox1Click);
    on(ComboBox1, &QComboBox::activated, &TForm1::ComboBox1Change);
}

void TForm1::update() {
    if (!SkeletonBuilt)
        return;
    // Each step finds the root again: the handlers that a step runs change the document.
    setEditText(LabeledEdit1, attributeOrEmpty(Mxi::findRoot(XMLDocument1), Mxi::Name));
    setEditText(LabeledEdit2, attributeOrEmpty(Mxi::findRoot(XMLDocument1), Mxi::Version));
    const XmlNode root = Mxi::findRoot(XMLDocument1);
    CheckBox1->setChecked(root && root.attributeIsTrue(Mxi::RequiresRestart));
    const XmlNode rootForAuthor = Mxi::findRoot(XMLDocument1);
    setEditText(LabeledEdit3, attributeOrEmpty(rootForAuthor ? rootForAuthor.findChild(Mxi::Author) : XmlNode(), Mxi::Name));
    ComboBox1->setCurrentIndex(typeRowIndex(attributeOrEmpty(Mxi::findRoot(XMLDocument1), Mxi::Type)));
}

void TForm1::LabeledEdit1Change() { Mxi::findRoot(XMLDocument1).setAttribute(Mxi::Name, LabeledEdit1->text()); }

void TForm1::LabeledEdit2Change() { Mxi::findRoot(XMLDocument1).setAttribute(Mxi::Version, LabeledEdit2->text()); }

void TForm1::LabeledEdit3Change() {
    XmlNode root = Mxi::findRoot(XMLDocument1);
    if (XmlNode author = root.findChild(Mxi::Author)) {
        author.setAttribute(Mxi::Name, LabeledEdit3->text());
        return;
    }
    // A loaded file may have no author element: typing a name gives it one. Until it is attached the
    // refreshes read no author, and must not clear the field being typed in.
    const QString name = LabeledEdit3->text();
    const QSignalBlocker blocker(LabeledEdit3);
    XmlNode author = XMLDocument1.createElement(Mxi::Author);
    author.setAttribute(Mxi::Name, name);
    root.appendChild(author);
}

void TForm1::CheckBox1Click() {
    Mxi::findRoot(XMLDocument1).setAttribute(Mxi::RequiresRestart, CheckBox1->isChecked() ? Mxi::True : Mxi::False);
}

void TForm1::ComboBox1Change() {
    const QString row = ComboBox1->currentText();
    if (Mxi::isTypeHeading(row)) {
        Shell::Beep();
        ComboBox1->setCurrentIndex(-1);
        return;
    }
    Mxi::findRoot(XMLDocument1).setAttribute(Mxi::Type, row);
}

void TForm1::TabSheet1Show() {}
