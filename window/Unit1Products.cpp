#include "window/Unit1.h"

#include "document/Mxi.h"
#include "document/ProductLine.h"
#include "window/LabeledEdit.h"
#include "window/ListBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>

#include <functional>

namespace {

constexpr int lineHeight = 16;
const QString appendedLine = QStringLiteral("0--5");

// Columns of a drawn line from its left edge; each sits under the editor that changes it.
constexpr int iconColumn = 1;
constexpr int captionColumn = 19;
constexpr int primaryColumn = 175;
constexpr int requiredColumn = 240;
constexpr int versionColumn = 335;
constexpr int lineTop = 1;

constexpr int primaryBadge = 0;
constexpr int requiredBadge = 1;

// A list item holds its product line as its text and the attributes it was read from as its data.
ProductRecord recordAt(const QListWidget* list, int row) {
    const QListWidgetItem* item = list->item(row);
    return {item->text(), item->data(Qt::UserRole).value<QList<Attribute>>()};
}

void appendRecord(QListWidget* list, const ProductRecord& record) {
    auto* item = new QListWidgetItem(record.line, list);
    item->setData(Qt::UserRole, QVariant::fromValue(record.original));
}

// Rewrites the selected line; a line the format cannot hold stays as it is.
void editSelectedLine(ListBox* list, const std::function<void(ProductFields&)>& edit) {
    const int row = list->selectedRow();
    if (row < 0)
        return;
    std::optional<ProductFields> fields = ProductLine::decode(list->item(row)->text());
    if (!fields)
        return;
    edit(*fields);
    list->item(row)->setText(ProductLine::encode(*fields));
}

void enableRequiredBox(TForm1& form) {
    form.CheckBox3->setEnabled(form.CheckBox2->isEnabled() && !form.CheckBox2->isChecked());
}

// The editors once a line is selected: the picker always, flags and version only on a product
// line; an unknown product gets them once a product is picked for it.
void enableEditors(TForm1& form, bool productLine) {
    form.ComboBoxEx1->setEnabled(true);
    form.CheckBox2->setEnabled(productLine);
    form.LabeledEdit4->setEnabled(productLine);
    enableRequiredBox(form);
}

void disableEditors(TForm1& form) {
    form.ComboBoxEx1->setEnabled(false);
    form.CheckBox2->setEnabled(false);
    form.CheckBox3->setEnabled(false);
    form.LabeledEdit4->setEnabled(false);
}

} // namespace

void TForm1::buildProductsPage() {
    ComboBoxEx1 = new QComboBox(TabSheet2);
    ComboBoxEx1->setGeometry(24, 16, 169, 22);
    ComboBoxEx1->setIconSize(ImageList1.imageSize());
    const QStringList& names = Mxi::productNames();
    for (qsizetype product = 0; product < names.size(); ++product)
        ComboBoxEx1->addItem(ImageList1.icon(int(product)), names[product]);
    ComboBoxEx1->setCurrentIndex(-1);
    CheckBox2 = new QCheckBox(QStringLiteral("primary"), TabSheet2);
    CheckBox2->setGeometry(200, 20, 57, 17);
    CheckBox3 = new QCheckBox(QStringLiteral("required"), TabSheet2);
    CheckBox3->setGeometry(264, 20, 81, 17);
    LabeledEdit4 = new LabeledEdit(QStringLiteral("Version"), TabSheet2);
    LabeledEdit4->place(360, 16, 65, 21);
    Button4 = new QPushButton(QStringLiteral("+"), TabSheet2);
    Button4->setGeometry(24, 45, 17, 17);
    Button5 = new QPushButton(QStringLiteral("-"), TabSheet2);
    Button5->setGeometry(48, 45, 17, 17);
    ListBox1 =
        new ListBox(TabSheet2, lineHeight, [this](QPainter& canvas, int index, const QRect& rect, bool selected) {
            ListBox1DrawItem(canvas, index, rect, selected);
        });
    ListBox1->setGeometry(24, 64, 401, 193);
    disableEditors(*this);

    on(ListBox1, &QListWidget::itemSelectionChanged, &TForm1::ListBox1Click);
    on(ComboBoxEx1, &QComboBox::currentIndexChanged, &TForm1::ComboBoxEx1Change);
    on(CheckBox2, &QCheckBox::toggled, &TForm1::CheckBox2Click);
    on(CheckBox3, &QCheckBox::toggled, &TForm1::CheckBox3Click);
    on(LabeledEdit4, &QLineEdit::textChanged, &TForm1::LabeledEdit4Change);
    on(Button4, &QPushButton::clicked, &TForm1::Button4Click);
    on(Button5, &QPushButton::clicked, &TForm1::Button5Click);
}

void TForm1::TabSheet2Show() {
    disableEditors(*this);
    ListBox1->clear();
    const XmlNode products = Mxi::findRoot(XMLDocument1).findChild(Mxi::Products);
    if (!products)
        return;
    for (const XmlNode& child : products.children()) {
        if (child.type() == NodeType::Element)
            appendRecord(ListBox1, readProduct(child.attributes()));
    }
}

void TForm1::TabSheet2Hide() {
    XmlNode products = Mxi::emptiedList(XMLDocument1, Mxi::Products, ListBox1->count() > 0);
    if (!products)
        return;
    for (int row = 0; row < ListBox1->count(); ++row) {
        XmlNode product = products.appendChild(XMLDocument1.createElement(Mxi::Product));
        for (const Attribute& attribute : productAttributes(recordAt(ListBox1, row)))
            product.setAttribute(attribute.first, attribute.second);
    }
}

void TForm1::ListBox1Click() {
    const int row = ListBox1->selectedRow();
    // Without a selected line the editors would change nothing: they take no input then.
    if (row < 0) {
        disableEditors(*this);
        return;
    }
    const ProductFields fields = productFields(recordAt(ListBox1, row));
    ComboBoxEx1->setCurrentIndex(fields.product);
    CheckBox2->setChecked(fields.primary);
    CheckBox3->setChecked(fields.required);
    LabeledEdit4->setText(fields.version);
    enableEditors(*this, fields.product >= 0);
}

void TForm1::ComboBoxEx1Change() {
    const int product = ComboBoxEx1->currentIndex();
    const int row = ListBox1->selectedRow();
    if (product < 0 || row < 0)
        return;
    const ProductRecord record = recordAt(ListBox1, row);
    ProductFields fields = productFields(record);
    fields.product = product;
    ListBox1->item(row)->setText(ProductLine::encode(fields));
    if (!record.isListed())
        enableEditors(*this, true);
}

void TForm1::CheckBox2Click() {
    enableRequiredBox(*this);
    editSelectedLine(ListBox1, [this](ProductFields& fields) { fields.primary = CheckBox2->isChecked(); });
}

void TForm1::CheckBox3Click() {
    editSelectedLine(ListBox1, [this](ProductFields& fields) { fields.required = CheckBox3->isChecked(); });
}

void TForm1::LabeledEdit4Change() {
    editSelectedLine(ListBox1, [this](ProductFields& fields) { fields.version = LabeledEdit4->text(); });
}

void TForm1::Button4Click() {
    appendRecord(ListBox1, {appendedLine, {}});
}

void TForm1::Button5Click() {
    ListBox1->deleteSelectedRow();
}

void TForm1::ListBox1DrawItem(QPainter& Canvas, int Index, const QRect& Rect, bool Selected) {
    const ProductRecord record = recordAt(ListBox1, Index);
    const ProductFields fields = productFields(record);
    const QPalette& palette = ListBox1->palette();
    Canvas.fillRect(Rect, palette.color(Selected ? QPalette::Highlight : QPalette::Base));

    const QPoint corner = Rect.topLeft();
    if (fields.product >= 0)
        ImageList1.draw(Canvas, corner + QPoint(iconColumn, lineTop), fields.product);
    if (fields.primary)
        ImageList2.draw(Canvas, corner + QPoint(primaryColumn, lineTop), primaryBadge);
    else if (fields.required)
        ImageList2.draw(Canvas, corner + QPoint(requiredColumn, lineTop), requiredBadge);

    Canvas.setFont(ListBox1->font());
    Canvas.setPen(palette.color(Selected ? QPalette::HighlightedText : QPalette::Text));
    const int textHeight = Rect.height() - lineTop;
    // An unknown product's own name may be long: it is cut short before the badges.
    const QRect captionBox(corner + QPoint(captionColumn, lineTop), QSize(primaryColumn - captionColumn, textHeight));
    const QRect versionBox(corner + QPoint(versionColumn, lineTop), QSize(Rect.width() - versionColumn, textHeight));
    const int textFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
    Canvas.drawText(captionBox, textFlags,
                    Canvas.fontMetrics().elidedText(productCaption(record), Qt::ElideRight, captionBox.width()));
    Canvas.drawText(versionBox, textFlags, fields.version);
}
