#include "window/forms/Unit1.h"

#include "document/Mxi.h"
#include "support/VersionInfoReader.h"
#include "window/application/CreditReadme.h"
#include "window/controls/LabeledEdit.h"
#include "window/controls/LinkLabel.h"
#include "window/controls/OwnerDrawnComboBox.h"
#include "window/controls/TypeListKeys.h"
#include "window/dialogs/Shell.h"
#include "window/pictures/Pictures.h"

#include <QApplication>
#include <QBitmap>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QSignalBlocker>
#include <QUrl>

namespace {

const QString macromediaHomePage = QStringLiteral("http://www.macromedia.com/");

const QString titleFamily = QStringLiteral("Trebuchet MS");
const QString smallPrintFamily = QStringLiteral("Small Fonts");
constexpr int titlePixelSize = 19;
constexpr int smallPrintPixelSize = 8;

// The version label grows to the left: its right edge stays under the logo's right edge.
constexpr int versionRight = 382;
constexpr int versionTop = 88;
constexpr int versionHeight = 13;

constexpr int typeRowHeight = 16;
constexpr int typeVisibleRows = 8;
const QString typeEntryIndent = QStringLiteral("   ");
// The classic Windows values of the active title bar's gradient start and caption colours, which the
// palette has no roles for; they keep headings apart from entries and from the selection.
const QColor typeHeadingBand(166, 202, 240);
const QColor typeHeadingText(10, 36, 106);

QFont pixelFont(const QString& family, int pixelSize) {
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    return font;
}

template <typename Label = QLabel> Label* smallPrintLabel(const QString& text, QWidget* page, const QRect& place) {
    auto* label = new Label(text, page);
    label->setTextFormat(Qt::PlainText);
    // Small Fonts is a bitmap face: unsmoothed, the eight-pixel print keeps its full colour and stays readable.
    QFont font = pixelFont(smallPrintFamily, smallPrintPixelSize);
    font.setStyleStrategy(QFont::NoAntialias);
    label->setFont(font);
    label->setGeometry(place);
    return label;
}

// The small print's grey, readable on the page.
void setGreyText(QLabel* label) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, readableOn(palette.color(QPalette::Disabled, QPalette::WindowText),
                                                      palette.color(QPalette::Window)));
    label->setPalette(palette);
}

// The logo is drawn on white; the page's own background shows through it.
QPixmap logoOnPage() {
    QPixmap logo = logoPicture();
    logo.setMask(logo.createMaskFromColor(Qt::white));
    return logo;
}

// The refresh shows the document's value; only the user's own edits write into the document.
void setEditText(QLineEdit* edit, const QString& text) {
    if (edit->text() == text)
        return;
    const QSignalBlocker blocker(edit);
    edit->setText(text);
}

void setChecked(QCheckBox* box, bool checked) {
    const QSignalBlocker blocker(box);
    box->setChecked(checked);
}

// An attribute that a loaded file lacks reads as the empty text here: the refresh runs inside
// every change of the document and must never interrupt it.
QString attributeOrEmpty(const XmlNode& element, const QString& name) {
    return element ? element.attribute(name).value_or(QString()) : QString();
}

} // namespace

void TForm1::buildMainPage() {
    // The title and small print use Windows fonts; where they are missing these have the nearest widths.
    QFont::insertSubstitutions(titleFamily, {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(smallPrintFamily, {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    VersionInfoReader1 = new TVersionInfoReader(this);

    Image1 = new LinkLabel(QString(), TabSheet1);
    Image1->setPixmap(logoOnPage());
    Image1->setGeometry(64, 8, 318, 55);
    Label2 = new QLabel(QStringLiteral("P a r c e l w r i g h t"), TabSheet1);
    Label2->setFont(pixelFont(titleFamily, titlePixelSize));
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setGeometry(64, 64, 321, 25);
    Label14 = new QLabel(TabSheet1);
    Label14->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label14->setGeometry(versionRight, versionTop, 0, versionHeight);

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
    ComboBox1 = new OwnerDrawnComboBox(TabSheet1, typeRowHeight,
                                       [this](QPainter& canvas, int index, const QRect& rect, bool selected) {
                                           ComboBox1DrawItem(canvas, index, rect, selected);
                                       });
    ComboBox1->setGeometry(40, 224, 369, 22);
    ComboBox1->addItems(Mxi::typeRows());
    ComboBox1->setMaxVisibleItems(typeVisibleRows);
    ComboBox1->setCurrentIndex(-1);
    new TypeListKeys(ComboBox1);

    Label15 =
        smallPrintLabel(QStringLiteral("Macromedia logo is a trademark of Macromedia, Inc. All other brand names or "
                                       "trademarks are the property of their"),
                        TabSheet1, {0, 250, 409, 10});
    Label16 = smallPrintLabel(QStringLiteral(" respective owners."), TabSheet1, {0, 260, 69, 10});
    setGreyText(Label15);
    setGreyText(Label16);
    Label3 = smallPrintLabel<LinkLabel>(QStringLiteral("(c) 2026 the Parcelwright project - README"), TabSheet1,
                                        {280, 259, 171, 10});

    QWidget::setTabOrder(LabeledEdit1, LabeledEdit2);
    QWidget::setTabOrder(LabeledEdit2, CheckBox1);
    QWidget::setTabOrder(CheckBox1, ComboBox1);
    QWidget::setTabOrder(ComboBox1, LabeledEdit3);

    on(LabeledEdit1, &QLineEdit::textChanged, &TForm1::LabeledEdit1Change);
    on(LabeledEdit2, &QLineEdit::textChanged, &TForm1::LabeledEdit2Change);
    on(LabeledEdit3, &QLineEdit::textChanged, &TForm1::LabeledEdit3Change);
    on(CheckBox1, &QCheckBox::toggled, &TForm1::CheckBox1Click);
    on(ComboBox1, &QComboBox::activated, &TForm1::ComboBox1Change);
    on(Image1, &LinkLabel::activated, &TForm1::Image1Click);
    on(Label3, &LinkLabel::activated, &TForm1::Label3Click);
}

void TForm1::update() {
    if (!SkeletonBuilt)
        return;
    // Each step finds the root again: the handlers that a step runs change the document.
    setEditText(LabeledEdit1, attributeOrEmpty(Mxi::findRoot(XMLDocument1), Mxi::Name));
    setEditText(LabeledEdit2, attributeOrEmpty(Mxi::findRoot(XMLDocument1), Mxi::Version));
    const XmlNode root = Mxi::findRoot(XMLDocument1);
    setChecked(CheckBox1, root && root.attributeIsTrue(Mxi::RequiresRestart));
    const XmlNode rootForAuthor = Mxi::findRoot(XMLDocument1);
    setEditText(LabeledEdit3,
                attributeOrEmpty(rootForAuthor ? rootForAuthor.findChild(Mxi::Author) : XmlNode(), Mxi::Name));
    ComboBox1->setCurrentIndex(Mxi::typeRowOf(attributeOrEmpty(Mxi::findRoot(XMLDocument1), Mxi::Type)));
    mainPageShowsDocument_ = true;
}

void TForm1::LabeledEdit1Change() {
    Mxi::findRoot(XMLDocument1).setAttribute(Mxi::Name, LabeledEdit1->text());
}

void TForm1::LabeledEdit2Change() {
    Mxi::findRoot(XMLDocument1).setAttribute(Mxi::Version, LabeledEdit2->text());
}

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
        mainPageShowsDocument_ = false;
        return;
    }
    Mxi::findRoot(XMLDocument1).setAttribute(Mxi::Type, row);
}

// Headings are bands that look the same whether selected or not; entries are indented by three
// blanks and take the selection colours.
void TForm1::ComboBox1DrawItem(QPainter& Canvas, int Index, const QRect& Rect, bool Selected) {
    const QString row = ComboBox1->itemText(Index);
    const QPalette& palette = ComboBox1->palette();
    Canvas.setFont(ComboBox1->font());
    if (Mxi::isTypeHeading(row)) {
        Canvas.fillRect(Rect, typeHeadingBand);
        Canvas.setPen(typeHeadingText);
        Canvas.drawText(Rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, row.mid(1));
        return;
    }
    Canvas.fillRect(Rect, palette.color(Selected ? QPalette::Highlight : QPalette::Base));
    Canvas.setPen(palette.color(Selected ? QPalette::HighlightedText : QPalette::Text));
    Canvas.drawText(Rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, typeEntryIndent + row);
}

void TForm1::TabSheet1Show() {
    Label14->setText(VersionInfoReader1->GetValue(QStringLiteral("fileversion")));
    const int width = Label14->sizeHint().width();
    Label14->setGeometry(versionRight - width, versionTop, width, versionHeight);
}

void TForm1::Image1Click() {
    Shell::ShellOpen(macromediaHomePage);
}

void TForm1::Label3Click() {
    // The project has no web home: the credit line opens the README that comes with the program.
    Shell::ShellOpen(QUrl::fromLocalFile(creditReadme(QApplication::applicationDirPath())).toString());
}
