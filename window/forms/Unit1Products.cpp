#include "window/forms/Unit1.h"

#include "document/Mxi.h"
#include "document/ProductListModel.h"
#include "window/controls/AttributeTable.h"
#include "window/controls/LabeledEdit.h"
#include "window/controls/LineEditors.h"
#include "window/controls/ListBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace {

constexpr int lineHeight = 16;
// The picker opens on the seven older products and more, without covering the whole screen.
constexpr int productVisibleRows = 13;
// The line "0--5" that "+" appends.
ProductFields appendedLine() {
    ProductFields line;
    line.version = QStringLiteral("5");
    return line;
}

// Columns of a drawn line from its left edge; each sits under the editor that changes it.
constexpr int iconColumn = 1;
constexpr int captionColumn = 19;
constexpr int primaryColumn = 175;
constexpr int requiredColumn = 240;
constexpr int versionColumn = 335;
constexpr int lineTop = 1;

constexpr int primaryBadge = 0;
constexpr int requiredBadge = 1;

void enableRequiredBox(TForm1& form) {
    form.CheckBox3->setEnabled(form.CheckBox2->isEnabled() && !form.CheckBox2->isChecked());
}

// The editors once a line is selected: the picker and the other attributes always, the rest only on
// a product line; an unknown product gets them once a product is picked for it.
void enableEditors(TForm1& form, bool productLine) {
    form.ComboBoxEx1->setEnabled(true);
    form.productAttributes->setEnabled(true);
    for (QWidget* editor : {static_cast<QWidget*>(form.CheckBox2), static_cast<QWidget*>(form.LabeledEdit4),
                            static_cast<QWidget*>(form.familyNameBox), static_cast<QWidget*>(form.highestVersionEdit)})
        editor->setEnabled(productLine);
    enableRequiredBox(form);
}

// The attributes that the page's editors show: the one the line is named by among them.
QStringList shownProductAttributes(const ProductFields& fields) {
    return {fields.family ? Mxi::FamilyName : Mxi::Name, Mxi::Primary, Mxi::Required, Mxi::Version,
            Mxi::ProductMaxVersion};
}

} // namespace

void TForm1::buildProductsPage() {
    ComboBoxEx1 = new QComboBox(TabSheet2);
    ComboBoxEx1->setGeometry(24, 16, 169, 22);
    ComboBoxEx1->setIconSize(ImageList1.imageSize());
    const QStringList& names = Mxi::productNames();
    for (qsizetype product = 0; product < names.size(); ++product)
        ComboBoxEx1->addItem(ImageList1.icon(int(product)), names[product]);
    ComboBoxEx1->setMaxVisibleItems(productVisibleRows);
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
    familyNameBox = new QCheckBox(QStringLiteral("familyname"), TabSheet2);
    familyNameBox->setGeometry(80, 45, 90, 17);
    highestVersionLabel = new QLabel(QStringLiteral("Highest version"), TabSheet2);
    highestVersionLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    highestVersionLabel->setGeometry(256, 46, 100, 13);
    highestVersionEdit = new QLineEdit(TabSheet2);
    highestVersionEdit->setGeometry(360, 42, 65, 21);
    keepAnyLength(highestVersionEdit);
    highestVersionLabel->setBuddy(highestVersionEdit);
    productLines_ = new ProductListModel(this);
    ListBox1 = new ListBox(TabSheet2, productLines_, lineHeight,
                           [this](QPainter& canvas, int index, const QRect& rect, bool selected) {
                               ListBox1DrawItem(canvas, index, rect, selected);
                           });
    ListBox1->setGeometry(24, 64, 401, 113);
    productAttributes = new AttributeTable(TabSheet2);
    productAttributes->setGeometry(24, 181, 401, 76);
    QWidget* const tabOrder[] = {ComboBoxEx1, CheckBox2,     CheckBox3,          LabeledEdit4, Button4,
                                 Button5,     familyNameBox, highestVersionEdit, ListBox1,     productAttributes};
    for (size_t next = 1; next < std::size(tabOrder); ++next)
        QWidget::setTabOrder(tabOrder[next - 1], tabOrder[next]);

    productEditors_ = new LineEditors<ProductFields>(this, ListBox1, productLines_);
    productEditors_->bind(
        ComboBoxEx1, [](const ProductFields& fields) { return fields.product; },
        [](ProductFields& fields, int product) { fields.product = product; }, [this] { ComboBoxEx1Change(); });
    productEditors_->bind(CheckBox2, &ProductFields::primary, [this] { CheckBox2Click(); });
    productEditors_->bind(CheckBox3, &ProductFields::required, [this] { CheckBox3Click(); });
    productEditors_->bind(LabeledEdit4, &ProductFields::version, [this] { LabeledEdit4Change(); });
    productEditors_->bind(familyNameBox, &ProductFields::family);
    productEditors_->bind(highestVersionEdit, &ProductFields::maxVersion);
    productEditors_->bind(productAttributes, &ProductFields::others, shownProductAttributes);
    productEditors_->setEnabled(false);

    on(ListBox1->selectionModel(), &QItemSelectionModel::selectionChanged, &TForm1::ListBox1Click);
    on(Button4, &QPushButton::clicked, &TForm1::Button4Click);
    on(Button5, &QPushButton::clicked, &TForm1::Button5Click);
}

void TForm1::TabSheet2Show() {
    productEditors_->setEnabled(false);
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
        productEditors_->setEnabled(false);
        return;
    }
    productEditors_->show();
    enableEditors(*this, productLines_->fieldsAt(row).product >= 0);
}

void TForm1::ComboBoxEx1Change() {
    productEditors_->storeIntoSelected(ComboBoxEx1);
    // A product picked for a line of an unknown one opens the editors that line kept closed.
    enableEditors(*this, true);
}

void TForm1::CheckBox2Click() {
    enableRequiredBox(*this);
    productEditors_->storeIntoSelected(CheckBox2);
}

void TForm1::CheckBox3Click() {
    productEditors_->storeIntoSelected(CheckBox3);
}

void TForm1::LabeledEdit4Change() {
    productEditors_->storeIntoSelected(LabeledEdit4);
}

void TForm1::Button4Click() {
    productLines_->append(appendedLine());
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
    const QString caption = productLines_->captionAt(Index) + (fields.family ? QStringLiteral(" family") : QString());
    Canvas.drawText(captionBox, textFlags,
                    Canvas.fontMetrics().elidedText(caption, Qt::ElideRight, captionBox.width()));
    const QString versions =
        fields.maxVersion.isEmpty() ? fields.version : fields.version + QStringLiteral(" to ") + fields.maxVersion;
    Canvas.drawText(versionBox, textFlags,
                    Canvas.fontMetrics().elidedText(versions, Qt::ElideRight, versionBox.width()));
}
