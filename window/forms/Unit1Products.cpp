#include "window/forms/Unit1.h"

#include "document/Mxi.h"
#include "document/ProductListModel.h"
#include "window/controls/LabeledEdit.h"
#include "window/controls/ListBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPainter>
#include <QPushButton>

#include <functional>

namespace {

constexpr int lineHeight = 16;
// The line "0--5" that "+" appends.
const ProductFields appendedLine{0, false, false, QStringLiteral("5")};

// Columns of a drawn line from its left edge; each sits under the editor that changes it.
constexpr int iconColumn = 1;
constexpr int captionColumn = 19;
constexpr int primaryColumn = 175;
constexpr int requiredColumn = 240;
constexpr int versionColumn = 335;
constexpr int lineTop = 1;

constexpr int primaryBadge = 0;
constexpr int requiredBadge = 1;

// Rewrites the selected line; a product the line cannot hold stays as it is.
void editSelectedLine(ListBox* list, ProductListModel* lines, const std::function<void(ProductFields&)>& edit) {
    const int row = list->selectedRow();
    if (row < 0)
        return;
    ProductFields fields = lines->fieldsAt(row);
    if (fields.product < 0)
        return;
    edit(fields);
    lines->setFields(row, fields);
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
    productLines_ = new ProductListModel(this);
    ListBox1 = new ListBox(TabSheet2, productLines_, lineHeight,
                           [this](QPainter& canvas, int index, const QRect& rect, bool selected) {
                               ListBox1DrawItem(canvas, index, rect, selected);
                           });
    ListBox1->setGeometry(24, 64, 401, 193);
    disableEditors(*this);

    on(ListBox1->selectionModel(), &QItemSelectionModel::selectionChanged, &TForm1::ListBox1Click);
    on(ComboBoxEx1, &QComboBox::currentIndexChanged, &TForm1::ComboBoxEx1Change);
    on(CheckBox2, &QCheckBox::toggled, &TForm1::CheckBox2Click);
    on(CheckBox3, &QCheckBox::toggled, &TForm1::CheckBox3Click);
    on(LabeledEdit4, &QLineEdit::textChanged, &TForm1::LabeledEdit4Change);
    on(Button4, &QPushButton::clicked, &TForm1::Button4Click);
    on(Button5, &QPushButton::clicked, &TForm1::Button5Click);
}

void TForm1::TabSheet2Show() {
    disableEditors(*this);
    productLines_->show(Mxi::listElement(XMLDocument1, Mxi::Products, false));
}

void TForm1::TabSheet2Hide() {
    productLines_->commit(XMLDocument1, Mxi::Product,
                          [this] { return Mxi::listElement(XMLDocument1, Mxi::Products, true); });
}

void TForm1::ListBox1Click() {
    const int row = ListBox1->selectedRow();
    // Without a selected line the editors would change nothing: they take no input then.
    if (row < 0) {
        disableEditors(*this);
        return;
    }
    const ProductFields fields = productLines_->fieldsAt(row);
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
    ProductFields fields = productLines_->fieldsAt(row);
    const bool wasListed = fields.product >= 0;
    fields.product = product;
    productLines_->setFields(row, fields);
    if (!wasListed)
        enableEditors(*this, true);
}

void TForm1::CheckBox2Click() {
    enableRequiredBox(*this);
    editSelectedLine(ListBox1, productLines_,
                     [this](ProductFields& fields) { fields.primary = CheckBox2->isChecked(); });
}

void TForm1::CheckBox3Click() {
    editSelectedLine(ListBox1, productLines_,
                     [this](ProductFields& fields) { fields.required = CheckBox3->isChecked(); });
}

void TForm1::LabeledEdit4Change() {
    editSelectedLine(ListBox1, productLines_, [this](ProductFields& fields) { fields.version = LabeledEdit4->text(); });
}

void TForm1::Button4Click() {
    productLines_->append(appendedLine);
}

void TForm1::Button5Click() {
    ListBox1->deleteSelectedRow();
}

void TForm1::ListBox1DrawItem(QPainter& Canvas, int Index, const QRect& Rect, bool Selected) {
    const ProductFields fields = productLines_->fieldsAt(Index);
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
    Canvas.drawText(
        captionBox, textFlags,
        Canvas.fontMetrics().elidedText(productLines_->captionAt(Index), Qt::ElideRight, captionBox.width()));
    Canvas.drawText(versionBox, textFlags, fields.version);
}
