#include "window/forms/Unit1.h"

#include "document/FileElement.h"
#include "document/FileListModel.h"
#include "document/Mxi.h"
#include "window/controls/AttributeTable.h"
#include "window/controls/LabeledEdit.h"
#include "window/controls/LineEditors.h"
#include "window/controls/LinkLabel.h"
#include "window/controls/ListBox.h"
#include "window/forms/Unit2.h"
#include "window/forms/Unit3.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

namespace {

constexpr int fileItemHeight = 16;
constexpr int sharedBadge = 2;
constexpr int systemBadge = 3;
constexpr int destinationColumn = 170;
constexpr int sharedColumn = 330;
constexpr int systemColumn = 380;

template <typename Label = QLabel, typename... Style>
Label* newLabel(const QString& caption, QWidget* page, int left, int top, Style... style) {
    auto* label = new Label(caption, page, style...);
    label->setGeometry(left, top, label->sizeHint().width(), 13);
    return label;
}

QLineEdit* newEdit(QWidget* page, const QRect& place) {
    auto* edit = new QLineEdit(page);
    edit->setGeometry(place);
    keepAnyLength(edit);
    return edit;
}

// The file type box: no type, then the types in the Extension Manager's spelling.
QComboBox* newFileTypeBox(QWidget* page) {
    auto* box = new QComboBox(page);
    box->setGeometry(86, 71, 76, 22);
    box->addItem(QString());
    box->setItemData(0, QStringLiteral("No file type"), Qt::AccessibleTextRole);
    box->addItems(FileType::names());
    return box;
}

// Picking the item the line already shows keeps the file's own spelling of it.
void pickFileType(FileLine& line, int item) {
    if (item != FileType::itemOf(line.fileType))
        line.fileType = item > 0 ? FileType::names()[item - 1] : QString();
}

// The attributes that the page's editors show, whichever spelling the line's element holds them in.
QStringList shownFileAttributes(const FileLine&) {
    return {Mxi::Source,    Mxi::Name,     Mxi::Destination, Mxi::Shared,     Mxi::SystemFile, Mxi::Platform,
            Mxi::Plateform, Mxi::FileType, Mxi::Products,    Mxi::MinVersion, Mxi::MaxVersion};
}

// Text drawn with its character cell's top-left corner at topLeft.
void drawTextAt(QPainter& canvas, QPoint topLeft, const QString& text) {
    canvas.drawText(topLeft + QPoint(0, canvas.fontMetrics().ascent()), text);
}

} // namespace

void TForm1::buildFilesPage() {
    Label6 = newLabel(QStringLiteral("File"), TabSheet3, 8, 0);
    Edit1 = newEdit(TabSheet3, {8, 16, 161, 21});
    Button6 = new QPushButton(QStringLiteral("..."), TabSheet3);
    Button6->setGeometry(176, 16, 21, 21);
    Label7 = newLabel(QStringLiteral("Destination"), TabSheet3, 216, 0);
    Edit2 = newEdit(TabSheet3, {216, 16, 225, 21});
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
    fileTypeLabel = newLabel(QStringLiteral("Type"), TabSheet3, 60, 76);
    fileTypeBox = newFileTypeBox(TabSheet3);
    fileProductsLabel = newLabel(QStringLiteral("For"), TabSheet3, 170, 76);
    fileProductsEdit = newEdit(TabSheet3, {190, 71, 122, 21});
    fileVersionsLabel = newLabel(QStringLiteral("Versions"), TabSheet3, 320, 76);
    minVersionEdit = newEdit(TabSheet3, {364, 71, 36, 21});
    maxVersionEdit = newEdit(TabSheet3, {405, 71, 36, 21});
    fileLines_ = new FileListModel(this);
    ListBox2 = new ListBox(
        TabSheet3, fileLines_, fileItemHeight,
        [this](QPainter& canvas, int index, const QRect& rect, bool) { ListBox2DrawItem(canvas, index, rect); });
    ListBox2->setGeometry(8, 96, 433, 81);
    fileAttributes = new AttributeTable(TabSheet3);
    fileAttributes->setGeometry(8, 181, 433, 63);
    Label4 = newLabel<LinkLabel>(QStringLiteral("Standard destination folder"), TabSheet3, 48, 248,
                                 LinkLabel::Hover::LightsUp);
    Label5 = newLabel<LinkLabel>(QStringLiteral("Flash standard destination folder"), TabSheet3, 264, 248,
                                 LinkLabel::Hover::LightsUp);

    QWidget* const tabOrder[] = {Edit1,       Button6,          Edit2,          CheckBox4,      CheckBox5, ComboBoxEx2,
                                 fileTypeBox, fileProductsEdit, minVersionEdit, maxVersionEdit, ListBox2,  Button7,
                                 Button8,     fileAttributes};
    for (size_t next = 1; next < std::size(tabOrder); ++next)
        QWidget::setTabOrder(tabOrder[next - 1], tabOrder[next]);

    fileEditors_ = new LineEditors<FileLine>(this, ListBox2, fileLines_);
    fileEditors_->bind(Edit1, &FileLine::source, [this] { Edit1Change(); });
    fileEditors_->bind(Edit2, &FileLine::destination, [this] { Edit2Change(); });
    fileEditors_->bind(CheckBox4, &FileLine::shared, [this] { CheckBox4Click(); });
    fileEditors_->bind(CheckBox5, &FileLine::system, [this] { CheckBox5Click(); });
    fileEditors_->bind(
        ComboBoxEx2, [](const FileLine& line) { return FilePlatform::itemOf(line.platform); },
        [](FileLine& line, int item) { line.platform = FilePlatform::codeOf(item); }, [this] { ComboBoxEx2Click(); });
    fileEditors_->bind(
        fileTypeBox, [](const FileLine& line) { return FileType::itemOf(line.fileType); }, pickFileType);
    fileEditors_->bind(fileProductsEdit, &FileLine::products);
    fileEditors_->bind(minVersionEdit, &FileLine::minVersion);
    fileEditors_->bind(maxVersionEdit, &FileLine::maxVersion);
    fileEditors_->bind(fileAttributes, &FileLine::others, shownFileAttributes);
    on(ListBox2->selectionModel(), &QItemSelectionModel::selectionChanged, &TForm1::ListBox2Click);
    on(Button6, &QPushButton::clicked, &TForm1::Button6Click);
    on(Button7, &QPushButton::clicked, &TForm1::Button7Click);
    on(Button8, &QPushButton::clicked, &TForm1::Button8Click);
    on(Label4, &LinkLabel::activated, &TForm1::Label4Click);
    on(Label5, &LinkLabel::activated, &TForm1::Label5Click);
}

void TForm1::TabSheet3Show() {
    fileEditors_->setEnabled(false);
    Button6->setEnabled(false);
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
    const QString details = fileDetails(line);
    if (details.isEmpty()) {
        drawTextAt(Canvas, origin + QPoint(destinationColumn, 1), line.destination);
    } else {
        // The details follow the destination up to the first badge, cut short where they reach it.
        const int end = line.shared ? sharedColumn : line.system ? systemColumn : Rect.width();
        const QString text = line.destination.isEmpty() ? details : line.destination + QStringLiteral(", ") + details;
        drawTextAt(Canvas, origin + QPoint(destinationColumn, 1),
                   Canvas.fontMetrics().elidedText(text, Qt::ElideRight, end - destinationColumn - 4));
    }
    if (line.shared)
        ImageList2.draw(Canvas, origin + QPoint(sharedColumn, 1), sharedBadge);
    if (line.system)
        ImageList2.draw(Canvas, origin + QPoint(systemColumn, 1), systemBadge);
}

void TForm1::ListBox2Click() {
    const bool selected = ListBox2->selectedRow() >= 0;
    // Without a selected line the editors would change nothing: they take no input then.
    fileEditors_->setEnabled(selected);
    Button6->setEnabled(selected);
    fileEditors_->show();
}

void TForm1::Edit1Change() {
    StoreFileLine(ListBox2->selectedRow(), Edit1);
}

void TForm1::Edit2Change() {
    StoreFileLine(ListBox2->selectedRow(), Edit2);
}

void TForm1::CheckBox4Click() {
    StoreFileLine(ListBox2->selectedRow(), CheckBox4);
}

void TForm1::CheckBox5Click() {
    StoreFileLine(ListBox2->selectedRow(), CheckBox5);
}

void TForm1::ComboBoxEx2Click() {
    StoreFileLine(ListBox2->selectedRow(), ComboBoxEx2);
}

void TForm1::StoreFileLine(int Index, QWidget* Editor) {
    fileEditors_->store(Index, Editor);
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

void TForm1::Label4Click() {
    if (Form2)
        Form2->showBeside(this);
}

void TForm1::Label5Click() {
    if (Form3)
        Form3->showBeside(this);
}
