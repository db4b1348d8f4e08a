#include "window/forms/Unit1.h"

#include "document/FileListModel.h"
#include "document/Mxi.h"
#include "window/controls/HoverStyle.h"
#include "window/controls/LabelEvents.h"
#include "window/controls/LabeledEdit.h"
#include "window/controls/ListBox.h"
#include "window/forms/Unit2.h"
#include "window/forms/Unit3.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>

#include <array>

namespace {

constexpr int fileItemHeight = 16;
constexpr int sharedBadge = 2;
constexpr int systemBadge = 3;

QLabel* newLabel(const QString& caption, QWidget* page, int left, int top) {
    auto* label = new QLabel(caption, page);
    label->setGeometry(left, top, label->sizeHint().width(), 13);
    return label;
}

std::array<QWidget*, 6> fileEditors(const TForm1& form) {
    return {form.Edit1, form.Button6, form.Edit2, form.CheckBox4, form.CheckBox5, form.ComboBoxEx2};
}

void enableFileEditors(const TForm1& form, bool enabled) {
    for (QWidget* editor : fileEditors(form))
        editor->setEnabled(enabled);
}

// Text drawn with its character cell's top-left corner at topLeft.
void drawTextAt(QPainter& canvas, QPoint topLeft, const QString& text) {
    canvas.drawText(topLeft + QPoint(0, canvas.fontMetrics().ascent()), text);
}

} // namespace

void TForm1::buildFilesPage() {
    Label6 = newLabel(QStringLiteral("File"), TabSheet3, 8, 0);
    Edit1 = new QLineEdit(TabSheet3);
    Edit1->setGeometry(8, 16, 161, 21);
    keepAnyLength(Edit1);
    Button6 = new QPushButton(QStringLiteral("..."), TabSheet3);
    Button6->setGeometry(176, 16, 21, 21);
    Label7 = newLabel(QStringLiteral("Destination"), TabSheet3, 216, 0);
    Edit2 = new QLineEdit(TabSheet3);
    Edit2->setGeometry(216, 16, 225, 21);
    keepAnyLength(Edit2);
    CheckBox4 = new QCheckBox(QStringLiteral("Shared"), TabSheet3);
    CheckBox4->setGeometry(24, 48, 57, 17);
    CheckBox5 = new QCheckBox(QStringLiteral("System"), TabSheet3);
    CheckBox5->setGeometry(144, 48, 57, 17);
    Label8 = newLabel(QStringLiteral("Plateform"), TabSheet3, 216, 52);
    ComboBoxEx2 = new QComboBox(TabSheet3);
    ComboBoxEx2->setGeometry(272, 48, 169, 22);
    ComboBoxEx2->setIconSize(ImageList3.imageSize());
    const QStringList platformCaptions = {QStringLiteral("Both Windows and Apple"), QStringLiteral("Windows"),
                                          QStringLiteral("Apple")};
    for (int item = 0; item < platformCaptions.size(); ++item)
        ComboBoxEx2->addItem(ImageList3.icon(item), platformCaptions[item]);
    Button7 = new QPushButton(QStringLiteral("+"), TabSheet3);
    Button7->setGeometry(8, 72, 17, 17);
    Button8 = new QPushButton(QStringLiteral("-"), TabSheet3);
    Button8->setGeometry(32, 72, 17, 17);
    fileLines_ = new FileListModel(this);
    ListBox2 = new ListBox(
        TabSheet3, fileLines_, fileItemHeight,
        [this](QPainter& canvas, int index, const QRect& rect, bool) { ListBox2DrawItem(canvas, index, rect); });
    ListBox2->setGeometry(8, 96, 433, 145);
    Label4 = newLabel(QStringLiteral("Standard destination folder"), TabSheet3, 48, 248);
    Label5 = newLabel(QStringLiteral("Flash standard destination folder"), TabSheet3, 264, 248);
    HoverStyle::apply(Label4);
    HoverStyle::apply(Label5);

    QWidget* const tabOrder[] = {Edit1, Button6, Edit2, CheckBox4, CheckBox5, ComboBoxEx2, ListBox2, Button7, Button8};
    for (size_t next = 1; next < std::size(tabOrder); ++next)
        QWidget::setTabOrder(tabOrder[next - 1], tabOrder[next]);

    on(ListBox2->selectionModel(), &QItemSelectionModel::selectionChanged, &TForm1::ListBox2Click);
    on(Edit1, &QLineEdit::textChanged, &TForm1::Edit1Change);
    on(Edit2, &QLineEdit::textChanged, &TForm1::Edit2Change);
    on(CheckBox4, &QCheckBox::toggled, &TForm1::CheckBox4Click);
    on(CheckBox5, &QCheckBox::toggled, &TForm1::CheckBox5Click);
    on(ComboBoxEx2, &QComboBox::activated, &TForm1::ComboBoxEx2Click);
    on(Button6, &QPushButton::clicked, &TForm1::Button6Click);
    on(Button7, &QPushButton::clicked, &TForm1::Button7Click);
    on(Button8, &QPushButton::clicked, &TForm1::Button8Click);
    LabelEvents::onClick(Label4, [this] { Label4Click(); });
    LabelEvents::onClick(Label5, [this] { Label5Click(); });
    LabelEvents::onMouseEnter(Label4, [this] { Label4MouseEnter(); });
    LabelEvents::onMouseLeave(Label4, [this] { Label4MouseLeave(); });
    LabelEvents::onMouseEnter(Label5, [this] { Label5MouseEnter(); });
    LabelEvents::onMouseLeave(Label5, [this] { Label5MouseLeave(); });
}

void TForm1::TabSheet3Show() {
    enableFileEditors(*this, false);
    fileLines_->show(Mxi::listElement(XMLDocument1, Mxi::Files, false));
}

void TForm1::TabSheet3Hide() {
    fileLines_->commit(XMLDocument1, Mxi::File, [this] { return Mxi::listElement(XMLDocument1, Mxi::Files, true); });
}

void TForm1::ListBox2DrawItem(QPainter& Canvas, int Index, const QRect& Rect) {
    const FileLine line = fileLines_->fieldsAt(Index);
    const QPoint origin = Rect.topLeft();
    Canvas.fillRect(Rect, Canvas.brush());
    if (const int icon = FilePlatform::iconOf(line.platform); icon >= 0)
        ImageList3.draw(Canvas, origin + QPoint(1, 1), icon);
    drawTextAt(Canvas, origin + QPoint(20, 1), shortenedSource(line.source));
    drawTextAt(Canvas, origin + QPoint(170, 1), line.destination);
    if (line.shared)
        ImageList2.draw(Canvas, origin + QPoint(330, 1), sharedBadge);
    if (line.system)
        ImageList2.draw(Canvas, origin + QPoint(380, 1), systemBadge);
}

void TForm1::ListBox2Click() {
    const int index = ListBox2->selectedRow();
    // Without a selected line the editors would change nothing: they take no input then.
    enableFileEditors(*this, index >= 0);
    if (index < 0)
        return;
    const FileLine line = fileLines_->fieldsAt(index);
    // Filling the editors must not store them back into the line.
    const QSignalBlocker blockSource(Edit1);
    const QSignalBlocker blockDestination(Edit2);
    const QSignalBlocker blockShared(CheckBox4);
    const QSignalBlocker blockSystem(CheckBox5);
    const QSignalBlocker blockPlatform(ComboBoxEx2);
    Edit1->setText(line.source);
    Edit2->setText(line.destination);
    CheckBox4->setChecked(line.shared);
    CheckBox5->setChecked(line.system);
    ComboBoxEx2->setCurrentIndex(FilePlatform::itemOf(line.platform));
}

void TForm1::Edit1Change() {
    StoreFileLine(ListBox2->selectedRow());
}

void TForm1::Edit2Change() {
    StoreFileLine(ListBox2->selectedRow());
}

void TForm1::CheckBox4Click() {
    StoreFileLine(ListBox2->selectedRow());
}

void TForm1::CheckBox5Click() {
    StoreFileLine(ListBox2->selectedRow());
}

void TForm1::ComboBoxEx2Click() {
    StoreFileLine(ListBox2->selectedRow());
}

void TForm1::Button6Click() {
    if (OpenDialog2.Execute(this))
        Edit1->setText(OpenDialog2.FileName);
}

void TForm1::Button7Click() {
    fileLines_->append(FileLine::newLine());
}

void TForm1::Button8Click() {
    ListBox2->deleteSelectedRow();
}

void TForm1::StoreFileLine(int Index) {
    if (Index < 0)
        return;
    const FileLine line{Edit1->text(), Edit2->text(), CheckBox4->isChecked(), CheckBox5->isChecked(),
                        FilePlatform::codeOf(ComboBoxEx2->currentIndex())};
    fileLines_->setFields(Index, line);
}

void TForm1::Label4Click() {
    if (Form2)
        Form2->showBeside(this);
}

void TForm1::Label5Click() {
    if (Form3)
        Form3->showBeside(this);
}

void TForm1::Label4MouseEnter() {
    HoverStyle::enter(Label4);
}

void TForm1::Label4MouseLeave() {
    HoverStyle::leave(Label4);
}

void TForm1::Label5MouseEnter() {
    HoverStyle::enter(Label5);
}

void TForm1::Label5MouseLeave() {
    HoverStyle::leave(Label5);
}
