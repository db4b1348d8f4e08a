#include "common/Painted.h"
#include "common/WindowFixture.h"

#include "document/FileLine.h"
#include "document/extfncts.h"
#include "window/controls/AttributeTable.h"
#include "window/controls/LinkLabel.h"
#include "window/forms/Unit2.h"
#include "window/forms/Unit3.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPainter>
#include <QPushButton>
#include <QTest>

namespace {

const QString newLineText = QStringLiteral("Select source|Select destination|false|false|both");

class FilesPageTest : public WindowTest {
protected:
    // Loads an extension whose files element holds FilesContent, or has no files element when null.
    void loadFiles(const QByteArray& filesContent) {
        QByteArray text = R"(<macromedia-extension name="n" version="1" type="command" requires-restart="true">)"
                          R"(<author name="a"/>)";
        if (!filesContent.isNull())
            text += "<files>" + filesContent + "</files>";
        const QString fileName = folder.filePath(QStringLiteral("files-page.mxi"));
        writeBytes(fileName, text + "</macromedia-extension>");
        load(fileName);
    }

    void visitFilesPage() {
        clickTab(FilesPage);
        clickTab(MainPage);
    }

    QStringList lines() const {
        QStringList texts;
        for (int row = 0; row < form->ListBox2->model()->rowCount(); ++row)
            texts.append(form->ListBox2->model()->index(row, 0).data().toString());
        return texts;
    }

    FileLine line(int row) const { return FileLine::fromText(lines()[row]); }

    QRect lineRect(int row) const { return form->ListBox2->visualRect(form->ListBox2->model()->index(row, 0)); }

    void clickLine(int row) {
        QTest::mouseClick(form->ListBox2->viewport(), Qt::LeftButton, {}, lineRect(row).center());
    }

    int selectedRow() const {
        const QModelIndexList selected = form->ListBox2->selectionModel()->selectedRows();
        return selected.isEmpty() ? -1 : selected.first().row();
    }

    // The user picks the platform item below the shown one with the keyboard.
    void pickNextPlatform() { QTest::keyClick(form->ComboBoxEx2, Qt::Key_Down); }

    std::vector<QWidget*> editors() const {
        return {form->Edit1, form->Button6, form->Edit2, form->CheckBox4, form->CheckBox5, form->ComboBoxEx2};
    }

    bool editorsEnabled(bool enabled) const {
        for (const QWidget* editor : editors()) {
            if (editor->isEnabled() != enabled)
                return false;
        }
        return true;
    }
};

TEST_F(FilesPageTest, ControlsSitWhereTheWindowDescribesThem) {
    struct Placement {
        QWidget* control;
        QRect geometry;
    };
    const Placement placements[] = {
        {form->Edit1, {8, 16, 161, 21}},      {form->Button6, {176, 16, 21, 21}},
        {form->Edit2, {216, 16, 225, 21}},    {form->CheckBox4, {24, 48, 57, 17}},
        {form->CheckBox5, {144, 48, 57, 17}}, {form->ComboBoxEx2, {272, 48, 169, 22}},
        {form->Button7, {8, 72, 17, 17}},     {form->Button8, {32, 72, 17, 17}},
        {form->ListBox2, {8, 96, 433, 81}},
    };
    for (const Placement& expected : placements) {
        SCOPED_TRACE(expected.control->metaObject()->className());
        EXPECT_EQ(expected.control->parentWidget(), form->TabSheet3);
        EXPECT_EQ(expected.control->geometry(), expected.geometry);
    }
    const QList<std::pair<QLabel*, QPoint>> labels = {{form->Label6, {8, 0}},
                                                      {form->Label7, {216, 0}},
                                                      {form->Label8, {216, 52}},
                                                      {form->Label4, {48, 248}},
                                                      {form->Label5, {264, 248}}};
    for (const auto& [label, position] : labels) {
        EXPECT_EQ(label->parentWidget(), form->TabSheet3);
        EXPECT_EQ(label->pos(), position) << label->text().toStdString();
    }
    EXPECT_EQ(form->Label6->text(), "File");
    EXPECT_EQ(form->Label7->text(), "Destination");
    EXPECT_EQ(form->Label8->text(), "Plateform");
    EXPECT_EQ(form->Label4->text(), "Standard destination folder");
    EXPECT_EQ(form->Label5->text(), "Flash standard destination folder");
    EXPECT_EQ(form->Button6->text(), "...");
    EXPECT_EQ(form->Button7->text(), "+");
    EXPECT_EQ(form->Button8->text(), "-");
    EXPECT_EQ(form->CheckBox4->text(), "Shared");
    EXPECT_EQ(form->CheckBox5->text(), "System");
    EXPECT_EQ(form->PageControl1->tabText(FilesPage), "Files");
    EXPECT_EQ(form->ListBox2->selectionMode(), QAbstractItemView::SingleSelection);

    QComboBox* platforms = form->ComboBoxEx2;
    EXPECT_FALSE(platforms->isEditable());
    ASSERT_EQ(platforms->count(), 3);
    const QStringList captions = {"Both Windows and Apple", "Windows", "Apple"};
    for (int item = 0; item < 3; ++item) {
        EXPECT_EQ(platforms->itemText(item), captions[item]);
        EXPECT_EQ(platforms->itemIcon(item).pixmap(16, 16).toImage(), form->ImageList3.pixmap(item).toImage());
    }
}

TEST_F(FilesPageTest, TabOrderRunsThroughTheEditorsThenTheList) {
    const QList<QWidget*> expected = {form->Edit1,     form->Button6,   form->Edit2,
                                      form->CheckBox4, form->CheckBox5, form->ComboBoxEx2,
                                      form->ListBox2,  form->Button7,   form->Button8};
    QList<QWidget*> order;
    QWidget* widget = form->Edit1;
    do {
        if (expected.contains(widget))
            order.append(widget);
        widget = widget->nextInFocusChain();
    } while (widget != form->Edit1);
    EXPECT_EQ(order, expected);
}

// Showing and leaving the page writes nothing, whatever files holds.
TEST_F(FilesPageTest, ShowingAndLeavingKeepsFilesExactly) {
    const QByteArray cases[] = {
        R"(<file plateform="win" shared="true" systemfile="true" destination="d" source="s"/>)",
        R"(<file source="s" destination="d" shared="True" systemfile="TRUE"/><file source="t" destination="e" shared="false" systemfile=""/>)",
        R"(<file source="a" destination="d" plateform="both"/><file source="b" destination="d" plateform="linux"/><file source="c" destination="d" plateform=""/>)",
        R"(<!-- panel --><folder source="a" destination="d"/><!-- <file source="x" destination="y"/> -->text<file source="b" destination=""><x/></file>)",
        R"(<file name="n" destination="d"/><file source="s"/><file/>)",
        R"(<file source="a|b&#13;&#10;c" destination="x&#10;|y" plateform="w|n"/><file source="Ä/ö.js" destination="$dreamweaver/設定"/>)",
    };
    for (const QByteArray& loaded : cases) {
        SCOPED_TRACE(loaded.data());
        loadFiles(loaded);
        visitFilesPage();
        EXPECT_EQ(elementXml(Mxi::Files), QString::fromUtf8("<files>" + loaded + "</files>"));
    }
    EXPECT_EQ(messageTexts(), QStringList());
}

// Each edit is made through the controls and changes only its own element.
TEST_F(FilesPageTest, AnEditChangesOnlyItsOwnElement) {
    const QByteArray first = R"(<file source="a" destination="d" shared="TRUE" plateform="both"><x/></file>)";
    const QByteArray second = R"(<file x="1" source="b" destination="e" systemfile="true"/>)";
    const QByteArray files = "<files>text<!-- a comment -->" + first + "<!-- c -->" + second + "<?pi x?></files>";
    expectOnlyListChanged(
        FilesPage, files,
        {
            {"a visit", [] {}, files},
            {"a destination",
             [this] {
                 clickLine(0);
                 QTest::keyClicks(form->Edit2, "2");
             },
             QByteArray(files).replace(
                 first, R"(<file source="a" destination="d2" shared="TRUE" plateform="both"><x/></file>)")},
            {"a removed line",
             [this] {
                 clickLine(1);
                 form->Button8->click();
             },
             QByteArray(files).replace(second, "")},
            {"an added line", [this] { form->Button7->click(); },
             QByteArray(files).replace("</files>",
                                       R"(<file source="Select source" destination="Select destination"/></files>)")},
        });
}

// "+" shows the new line at the end of a long list without selecting it; Down reaches it.
TEST_F(FilesPageTest, PlusScrollsTheNewLineIntoViewAndScreenReadersReadSentences) {
    QByteArray files;
    for (int file = 0; file < 30; ++file)
        files += QStringLiteral(R"(<file source="f%1.js" destination="$dreamweaver/Commands" plateform="win"/>)")
                     .arg(file)
                     .toUtf8();
    loadFiles(files);
    clickTab(FilesPage);
    form->Button7->click();
    EXPECT_GE(lineRect(30).top(), 0);
    EXPECT_LT(lineRect(30).bottom(), form->ListBox2->viewport()->height());
    EXPECT_EQ(selectedRow(), -1);
    clickLine(29);
    QTest::keyClick(form->ListBox2, Qt::Key_Down);
    EXPECT_EQ(selectedRow(), 30);
    EXPECT_EQ(form->Edit1->text(), "Select source");
    QTest::keyClick(form->ListBox2, Qt::Key_Up);
    EXPECT_EQ(selectedRow(), 29);

    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(form->ListBox2);
    ASSERT_EQ(list->childCount(), 31);
    EXPECT_EQ(list->child(29)->text(QAccessible::Name), "f29.js to $dreamweaver/Commands, Windows only");
    EXPECT_EQ(list->child(30)->text(QAccessible::Name), "Select source to Select destination");
}

TEST_F(FilesPageTest, ShowListsEveryElementUnselectedWithTheEditorsDisabled) {
    loadFiles(R"(<file source="s" destination="d" shared="true" plateform="linux"/><!-- c --><other/>)");
    clickTab(FilesPage);
    EXPECT_EQ(lines(), QStringList({"s|d|true|false|linux", "||false|false|both"}));
    EXPECT_EQ(selectedRow(), -1);
    EXPECT_TRUE(editorsEnabled(false));

    clickLine(0);
    EXPECT_TRUE(editorsEnabled(true));
    clickTab(MainPage);
    clickTab(FilesPage);
    EXPECT_EQ(selectedRow(), -1);
    EXPECT_TRUE(editorsEnabled(false));
    EXPECT_EQ(form->Edit1->text(), "s");
    EXPECT_TRUE(form->CheckBox4->isChecked());
    EXPECT_EQ(messageTexts(), QStringList());
}

TEST_F(FilesPageTest, DocumentWithoutFilesGetsOneOnlyForLines) {
    loadFiles(QByteArray());
    clickTab(FilesPage);
    EXPECT_EQ(form->ListBox2->model()->rowCount(), 0);
    clickTab(MainPage);
    EXPECT_FALSE(Mxi::findRoot(form->XMLDocument1).findChild(Mxi::Files));

    clickTab(FilesPage);
    form->Button7->click();
    clickTab(MainPage);
    const XmlNode root = Mxi::findRoot(form->XMLDocument1);
    EXPECT_EQ(root.children().last().xml(),
              R"(<files><file source="Select source" destination="Select destination"/></files>)");
    EXPECT_EQ(messageTexts(), QStringList());
}

TEST_F(FilesPageTest, PlusAppendsTheTemplateUnselectedAndKeepsTheSelection) {
    clickTab(FilesPage);
    form->Button7->click();
    EXPECT_EQ(lines(), QStringList{newLineText});
    EXPECT_EQ(selectedRow(), -1);
    clickLine(0);
    form->Button7->click();
    EXPECT_EQ(lines(), QStringList({newLineText, newLineText}));
    EXPECT_EQ(selectedRow(), 0);
    clickTab(MainPage);
    EXPECT_EQ(elementXml(Mxi::Files), R"(<files><file source="Select source" destination="Select destination"/>)"
                                      R"(<file source="Select source" destination="Select destination"/></files>)");
}

TEST_F(FilesPageTest, SelectingALineFillsTheEditorsWithoutRewritingIt) {
    loadFiles(R"(<file source="s" destination="d" shared="true" plateform="mac"/>)"
              R"(<file source="t" destination="e" systemfile="true" plateform="linux"/>)");
    clickTab(FilesPage);
    clickLine(0);
    EXPECT_TRUE(editorsEnabled(true));
    EXPECT_EQ(form->Edit1->text(), "s");
    EXPECT_EQ(form->Edit2->text(), "d");
    EXPECT_TRUE(form->CheckBox4->isChecked());
    EXPECT_FALSE(form->CheckBox5->isChecked());
    EXPECT_EQ(form->ComboBoxEx2->currentIndex(), 2);

    clickLine(1);
    EXPECT_EQ(form->Edit1->text(), "t");
    EXPECT_EQ(form->Edit2->text(), "e");
    EXPECT_FALSE(form->CheckBox4->isChecked());
    EXPECT_TRUE(form->CheckBox5->isChecked());
    EXPECT_EQ(form->ComboBoxEx2->currentIndex(), 0);
    EXPECT_EQ(lines(), QStringList({"s|d|true|false|mac", "t|e|false|true|linux"}));

    // An edit changes its own field alone: the unknown code stays.
    QTest::keyClicks(form->Edit2, "x");
    EXPECT_EQ(lines(), QStringList({"s|d|true|false|mac", "t|ex|false|true|linux"}));
    clickTab(MainPage);
    EXPECT_EQ(elementXml(Mxi::Files),
              R"(<files><file source="s" destination="d" shared="true" plateform="mac"/>)"
              R"(<file source="t" destination="ex" systemfile="true" plateform="linux"/></files>)");
}

TEST_F(FilesPageTest, EveryEditorRewritesTheSelectedLine) {
    loadFiles(R"(<file source="s" destination="d"/><file source="other" destination="o"/>)");
    clickTab(FilesPage);
    clickLine(0);
    form->CheckBox4->click();
    EXPECT_EQ(line(0), (FileLine{"s", "d", true, false, "both"}));
    form->CheckBox5->click();
    EXPECT_EQ(line(0), (FileLine{"s", "d", true, true, "both"}));
    pickNextPlatform();
    EXPECT_EQ(line(0), (FileLine{"s", "d", true, true, "win"}));
    QTest::keyClicks(form->Edit1, "2");
    EXPECT_EQ(line(0), (FileLine{"s2", "d", true, true, "win"}));
    clickTab(MainPage);
    EXPECT_EQ(elementXml(Mxi::Files),
              R"(<files><file source="s2" destination="d" systemfile="true" shared="true" platform="win"/>)"
              R"(<file source="other" destination="o"/></files>)");

    clickTab(FilesPage);
    clickLine(0);
    form->CheckBox4->click();
    form->CheckBox5->click();
    clickTab(MainPage);
    EXPECT_EQ(elementXml(Mxi::Files), R"(<files><file source="s2" destination="d" platform="win"/>)"
                                      R"(<file source="other" destination="o"/></files>)");
}

// Each editor of a file's details shows the file's value; an edit through it writes its own attribute
// alone, in place, and a visit writes nothing.
TEST_F(FilesPageTest, TheDetailEditorsShowTheFileAndWriteOnlyTheirOwnAttribute) {
    const QByteArray file = R"(<file source="p.zxp" file-type="csxs" products="Photoshop" minVersion="15" )"
                            R"(maxVersion="16" xml:lang="de"/>)";
    const QByteArray files = "<files>" + file + "</files>";
    loadRootContent(files);
    clickTab(FilesPage);
    clickLine(0);
    EXPECT_EQ(QStringList({form->fileTypeBox->currentText(), form->fileProductsEdit->text(),
                           form->minVersionEdit->text(), form->maxVersionEdit->text(),
                           form->fileAttributes->item(0, 0)->text(), form->fileAttributes->item(0, 1)->text()}),
              QStringList({"CSXS", "Photoshop", "15", "16", "xml:lang", "de"}));
    const auto written = [&](const char* from, const char* to) { return QByteArray(files).replace(from, to); };
    const auto onLine = [this](const std::function<void()>& edit) {
        return [this, edit] {
            clickLine(0);
            edit();
        };
    };
    expectOnlyListChanged(
        FilesPage, files,
        {
            {"a visit", [] {}, files},
            {"a file type", onLine([this] { pickFromList(form->fileTypeBox, 3); }),
             written("file-type=\"csxs\"", "file-type=\"plugin\"")},
            {"the shown file type again", onLine([this] { pickFromList(form->fileTypeBox, 2); }), files},
            {"no file type", onLine([this] { pickFromList(form->fileTypeBox, 0); }),
             written(" file-type=\"csxs\"", "")},
            {"products", onLine([this] { typeOver(form->fileProductsEdit, "Photoshop,Photoshop64"); }),
             written("Photoshop", "Photoshop,Photoshop64")},
            {"a minimum version", onLine([this] { typeOver(form->minVersionEdit, "14"); }),
             written("minVersion=\"15\"", "minVersion=\"14\"")},
            {"an emptied maximum version", onLine([this] { typeOver(form->maxVersionEdit, ""); }),
             written(" maxVersion=\"16\"", "")},
            {"a removed attribute", onLine([this] {
                 QTest::mouseClick(form->fileAttributes->viewport(), Qt::LeftButton, {},
                                   form->fileAttributes->visualItemRect(form->fileAttributes->item(0, 0)).center());
                 QTest::keyClick(form->fileAttributes, Qt::Key_Delete);
             }),
             written(" xml:lang=\"de\"", "")},
            {"an added attribute and one the page shows above", onLine([this] {
                 typeInCell(form->fileAttributes, 1, 0, "isresourcefile");
                 typeInCell(form->fileAttributes, 1, 1, "true");
                 typeInCell(form->fileAttributes, 2, 0, "source");
             }),
             written("/>", " isresourcefile=\"true\"/>")},
        });
}

// The platform comes from platform, else plateform; a pick is written as platform and replaces plateform.
TEST_F(FilesPageTest, PlatformIsReadFromPlatformElsePlateformAndWrittenAsPlatform) {
    const struct {
        QByteArray file;
        int shown;
        int picked;
        QByteArray written;
    } cases[] = {
        {R"(<file source="s" platform="win"/>)", 1, 2, R"(<file source="s" platform="mac"/>)"},
        {R"(<file source="s" plateform="mac" shared="true"/>)", 2, 1,
         R"(<file source="s" shared="true" platform="win"/>)"},
        {R"(<file platform="win" source="s" plateform="mac"/>)", 1, 2, R"(<file platform="mac" source="s"/>)"},
        {R"(<file source="s"/>)", 0, 1, R"(<file source="s" platform="win"/>)"},
        {R"(<file source="s" platform="linux"/>)", 0, 0, R"(<file source="s"/>)"},
        {R"(<file source="s" plateform="win"/>)", 1, 1, R"(<file source="s" plateform="win"/>)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.data());
        loadFiles(c.file);
        visitFilesPage();
        EXPECT_EQ(elementXml(Mxi::Files), QString::fromUtf8("<files>" + c.file + "</files>"));
        clickTab(FilesPage);
        clickLine(0);
        EXPECT_EQ(form->ComboBoxEx2->currentIndex(), c.shown);
        pickFromList(form->ComboBoxEx2, c.picked);
        clickTab(MainPage);
        EXPECT_EQ(elementXml(Mxi::Files), QString::fromUtf8("<files>" + c.written + "</files>"));
    }
}

TEST_F(FilesPageTest, EditingKeepsWhatThePageDoesNotEdit) {
    loadFiles(R"(<file source="s" destination="d" platform="win" file-type="CSXS"/><file name="n" destination="e"/>)");
    clickTab(FilesPage);
    clickLine(0);
    QTest::keyClicks(form->Edit2, "2");
    clickLine(1);
    form->CheckBox4->click();
    form->Button7->click();
    clickTab(MainPage);
    EXPECT_EQ(elementXml(Mxi::Files), R"(<files><file source="s" destination="d2" platform="win" file-type="CSXS"/>)"
                                      R"(<file name="n" destination="e" shared="true"/>)"
                                      R"(<file source="Select source" destination="Select destination"/></files>)");

    // The older name shows as the source, and an edit of it goes back into name.
    clickTab(FilesPage);
    clickLine(1);
    QTest::keyClicks(form->Edit1, "t");
    clickTab(MainPage);
    EXPECT_EQ(Mxi::findRoot(form->XMLDocument1).findChild(Mxi::Files).child(1).xml(),
              R"(<file name="nt" destination="e" shared="true"/>)");
}

TEST_F(FilesPageTest, MinusDeletesOnlyTheSelectedLine) {
    loadFiles(R"(<file source="a" destination="d" shared="true"/><file source="b" destination="e" platform="mac"/>)");
    clickTab(FilesPage);
    form->Button8->click();
    EXPECT_EQ(lines(), QStringList({"a|d|true|false|both", "b|e|false|false|mac"}));

    clickLine(0);
    form->Button8->click();
    EXPECT_EQ(lines(), QStringList{"b|e|false|false|mac"});
    EXPECT_EQ(selectedRow(), -1);
    EXPECT_TRUE(editorsEnabled(false));
    EXPECT_EQ(form->Edit1->text(), "a");
    EXPECT_TRUE(form->CheckBox4->isChecked());

    // With no line selected the editors take no input.
    QTest::keyClicks(form->Edit1, "x");
    form->CheckBox5->click();
    pickNextPlatform();
    EXPECT_EQ(lines(), QStringList{"b|e|false|false|mac"});
    form->Button8->click();
    EXPECT_EQ(lines(), QStringList{"b|e|false|false|mac"});
    clickTab(MainPage);
    EXPECT_EQ(elementXml(Mxi::Files), R"(<files><file source="b" destination="e" platform="mac"/></files>)");
}

// The list keeps its line on a click below the lines and on a Ctrl+click on the line itself.
TEST_F(FilesPageTest, ClicksBesideTheLinesKeepTheSelectedLine) {
    clickTab(FilesPage);
    form->Button7->click();
    clickLine(0);
    QTest::mouseClick(form->ListBox2->viewport(), Qt::LeftButton, {}, QPoint(20, 130));
    QTest::keyClicks(form->Edit2, "A");
    QTest::mouseClick(form->ListBox2->viewport(), Qt::LeftButton, Qt::ControlModifier, QPoint(20, 8));
    QTest::keyClicks(form->Edit2, "B");
    clickTab(MainPage);
    EXPECT_EQ(elementXml(Mxi::Files),
              R"(<files><file source="Select source" destination="Select destinationAB"/></files>)");
}

TEST_F(FilesPageTest, BrowsingFillsTheSourceOnly) {
    loadFiles(R"(<file source="s" destination="d" shared="true"/>)");
    clickTab(FilesPage);
    clickLine(0);
    form->OpenDialog2.scriptAnswer(std::nullopt);
    form->Button6->click();
    EXPECT_EQ(form->Edit1->text(), "s");
    EXPECT_EQ(lines(), QStringList{"s|d|true|false|both"});

    const QString chosen = QStringLiteral("/home/author/My Extension/Commands/Tool.htm");
    form->OpenDialog2.scriptAnswer(chosen);
    form->Button6->click();
    EXPECT_EQ(form->Edit1->text(), chosen);
    EXPECT_EQ(form->Edit2->text(), "d");
    EXPECT_EQ(lines(), QStringList{chosen + "|d|true|false|both"});
}

TEST_F(FilesPageTest, SeparatorsAndLineBreaksSurviveEditingSavingAndReloading) {
    clickTab(FilesPage);
    form->Button7->click();
    form->Button7->click();
    clickLine(0);
    QTest::keyClicks(form->Edit1, "|a|b|");
    QTest::keyClick(form->Edit1, Qt::Key_Home);
    QTest::keyClicks(form->Edit1, "x|y");
    // No key and no paste puts these line breaks into a line edit; a loaded file brings them.
    form->Edit2->setText("first\r\nsecond|\rthird\n");
    form->CheckBox4->click();
    clickLine(1);
    clickLine(0);
    const QString source = QStringLiteral("x|ySelect source|a|b|");
    const QString destination = QStringLiteral("first\r\nsecond|\rthird\n");
    EXPECT_EQ(form->Edit1->text(), source);
    EXPECT_EQ(form->Edit2->text(), destination);
    EXPECT_EQ(line(0), (FileLine{source, destination, true, false, "both"}));
    pickNextPlatform();
    EXPECT_EQ(line(0), (FileLine{source, destination, true, false, "win"}));

    save();
    load(savedFile);
    clickTab(FilesPage);
    EXPECT_EQ(line(0), (FileLine{source, destination, true, false, "win"}));
    clickLine(0);
    form->CheckBox5->click();
    clickTab(MainPage);
    EXPECT_EQ(elementXml(Mxi::Files),
              R"(<files><file source="x|ySelect source|a|b|" destination="first&#13;&#10;second|&#13;third&#10;" )"
              R"(shared="true" platform="win" systemfile="true"/>)"
              R"(<file source="Select source" destination="Select destination"/></files>)");
}

TEST_F(FilesPageTest, SaveFromThePageStoresTheLinesThenShowsRelativeSources) {
    clickTab(FilesPage);
    form->Button7->click();
    clickLine(0);
    const QString source = QDir(folder.path()).filePath(QStringLiteral("Commands/Tool.htm"));
    typeOver(form->Edit1, source);

    form->SaveDialog1.scriptAnswer(std::nullopt);
    form->Button2->click();
    EXPECT_EQ(Mxi::findRoot(form->XMLDocument1).findChild(Mxi::Files).firstChild().attribute(Mxi::Source), source);

    clickTab(FilesPage);
    const QByteArray saved = save();
    EXPECT_TRUE(saved.contains(R"(<file source="Commands/Tool.htm" destination="Select destination"/>)"));
    clickTab(FilesPage);
    EXPECT_EQ(lines(), QStringList{"Commands/Tool.htm|Select destination|false|false|both"});
}

// Renders line Row into an image of one list item with white background and black text.
QImage drawnLine(TForm1& form, int row, int width = 433) {
    QImage image(width, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::red);
    QPainter canvas(&image);
    canvas.setBrush(Qt::white);
    canvas.setPen(Qt::black);
    canvas.setFont(form.ListBox2->font());
    form.ListBox2DrawItem(canvas, row, image.rect());
    return image;
}

// What the list shows of Text drawn with its cell's top-left corner at Left.
QImage drawnText(const QFont& font, const QString& text, int left, int width = 433) {
    QImage image(width, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter canvas(&image);
    canvas.setPen(Qt::black);
    canvas.setFont(font);
    canvas.drawText(QPoint(left, 1 + canvas.fontMetrics().ascent()), text);
    return image;
}

// Picture drawn over a background, without its last row: pictures sit one pixel below the top of a
// 16-pixel item.
QImage onBackground(const QPixmap& picture, const QColor& background = Qt::white) {
    QImage image(picture.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(background);
    QPainter(&image).drawPixmap(0, 0, picture);
    return image.copy(0, 0, image.width(), image.height() - 1);
}

bool isWhite(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                return false;
        }
    }
    return true;
}

class FilesPageDrawing : public FilesPageTest {
protected:
    void SetUp() override {
        FilesPageTest::SetUp();
        clickTab(FilesPage);
    }

    // Shows the page over files holding these lines.
    void showLines(const QList<FileLine>& lines) {
        QByteArray files;
        for (const FileLine& line : lines) {
            files +=
                QStringLiteral(R"(<file source="%1" destination="%2" shared="%3" systemfile="%4" plateform="%5"/>)")
                    .arg(line.source, line.destination, line.shared ? "true" : "false", line.system ? "true" : "false",
                         line.platform)
                    .toUtf8();
        }
        loadFiles(files);
        clickTab(FilesPage);
    }
};

TEST_F(FilesPageDrawing, NewLineShowsTheBothIconAndItsTwoTexts) {
    form->Button7->click();
    const QImage image = drawnLine(*form, 0);
    EXPECT_EQ(image.copy(1, 1, 16, 15), onBackground(form->ImageList3.pixmap(0)));
    const QFont font = form->ListBox2->font();
    EXPECT_EQ(image.copy(20, 0, 150, 16), drawnText(font, "Select source", 20).copy(20, 0, 150, 16));
    EXPECT_EQ(image.copy(170, 0, 263, 16), drawnText(font, "Select destination", 170).copy(170, 0, 263, 16));
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
}

TEST_F(FilesPageDrawing, SourceIsShortenedPastTwentyCharacters) {
    showLines(
        {{"abcdefghijklmnopqrst", "", false, false, "both"}, {"abcdefghijklmnopqrstu", "", false, false, "both"}});
    const QFont font = form->ListBox2->font();
    EXPECT_EQ(drawnLine(*form, 0).copy(20, 0, 150, 16),
              drawnText(font, "abcdefghijklmnopqrst", 20).copy(20, 0, 150, 16));
    EXPECT_EQ(drawnLine(*form, 1).copy(20, 0, 150, 16),
              drawnText(font, "...defghijklmnopqrstu", 20).copy(20, 0, 150, 16));
}

TEST_F(FilesPageDrawing, PlatformIconOnlyForKnownCodes) {
    const struct {
        const char* code;
        int icon;
    } cases[] = {{"both", 0}, {"win", 1}, {"mac", 2}, {"linux", -1}, {"", -1}, {"Win", -1}};
    for (const auto& expected : cases) {
        SCOPED_TRACE(expected.code);
        showLines({{"", "", false, false, expected.code}});
        const QImage icon = drawnLine(*form, 0).copy(0, 0, 20, 16);
        if (expected.icon < 0) {
            EXPECT_TRUE(isWhite(icon));
        } else {
            EXPECT_EQ(icon.copy(1, 1, 16, 15), onBackground(form->ImageList3.pixmap(expected.icon)));
        }
    }
}

TEST_F(FilesPageDrawing, BadgesCoverTheDestinationInTheirOrder) {
    showLines(
        {{"s", "", true, false, "both"}, {"s", "", false, true, "both"}, {"s", QString(80, 'W'), true, true, "both"}});
    const QImage shared = onBackground(form->ImageList2.pixmap(2));
    const QImage system = onBackground(form->ImageList2.pixmap(3));
    const QImage sharedOnly = drawnLine(*form, 0);
    EXPECT_EQ(sharedOnly.copy(330, 1, 45, 15), shared);
    EXPECT_TRUE(isWhite(sharedOnly.copy(375, 0, 58, 16)));
    const QImage systemOnly = drawnLine(*form, 1);
    EXPECT_TRUE(isWhite(systemOnly.copy(170, 0, 210, 16)));
    EXPECT_EQ(systemOnly.copy(380, 1, 45, 15), system);

    // Over a long destination the badges are painted last, and the destination is not shortened.
    const QImage both = drawnLine(*form, 2, 800);
    const QImage text = drawnText(form->ListBox2->font(), QString(80, 'W'), 170, 800);
    EXPECT_EQ(both.copy(430, 0, 370, 16), text.copy(430, 0, 370, 16));
    const QImage sharedBadge = form->ImageList2.pixmap(2).toImage();
    const QImage systemBadge = form->ImageList2.pixmap(3).toImage();
    int opaque = 0;
    for (int y = 0; y < 15; ++y) {
        for (int x = 0; x < 45; ++x) {
            if (qAlpha(sharedBadge.pixel(x, y)) == 255) {
                ++opaque;
                ASSERT_EQ(both.pixel(330 + x, 1 + y), sharedBadge.pixel(x, y)) << x << "," << y;
            }
            if (qAlpha(systemBadge.pixel(x, y)) == 255) {
                ASSERT_EQ(both.pixel(380 + x, 1 + y), systemBadge.pixel(x, y)) << x << "," << y;
            }
        }
    }
    EXPECT_GT(opaque, 0);
}

TEST_F(FilesPageDrawing, ListPaintsSixteenPixelLinesThroughTheDrawing) {
    showLines({{"a", "b", false, false, "win"}, {"c", "d", true, false, "mac"}});
    clickLine(1);
    ListBox* list = form->ListBox2;
    const QRect first = lineRect(0);
    const QRect second = lineRect(1);
    EXPECT_EQ(first.height(), 16);
    EXPECT_EQ(second.top(), first.top() + 16);

    const QImage shown = list->viewport()->grab().toImage();
    const QImage windows = onBackground(form->ImageList3.pixmap(1), list->palette().color(QPalette::Base));
    EXPECT_EQ(shown.copy(QRect(first.topLeft() + QPoint(1, 1), QSize(16, 15))).convertToFormat(windows.format()),
              windows);
    EXPECT_EQ(shown.pixelColor(second.topLeft() + QPoint(300, 8)), list->palette().color(QPalette::Highlight));
}

TEST_F(FilesPageTest, LinkLabelsLightUpAndOpenTheHelpWindowsOnceSet) {
    for (QLabel* label : {form->Label4, form->Label5}) {
        SCOPED_TRACE(label->text().toStdString());
        EXPECT_EQ(label->cursor().shape(), Qt::PointingHandCursor);
        const QColor hot = LinkLabel::hotColour(label->palette());
        const QColor rest = label->palette().color(QPalette::WindowText);
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(label, &enter);
        EXPECT_TRUE(paintsIn(label, hot, rest));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(label, &leave);
        EXPECT_TRUE(paintsIn(label, rest, hot));
    }

    clickTab(FilesPage);
    QTest::mouseClick(form->Label4, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseClick(form->Label5, Qt::LeftButton, {}, QPoint(2, 2));

    TForm2 form2;
    TForm3 form3;
    form->Form2 = &form2;
    form->Form3 = &form3;
    QTest::mouseClick(form->Label4, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_TRUE(form2.isVisible());
    EXPECT_FALSE(form3.isVisible());
    QTest::mouseClick(form->Label5, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_TRUE(form3.isVisible());
    form->Form2 = nullptr;
    form->Form3 = nullptr;
}

QMap<QString, QString> attributeMap(const XmlNode& element) {
    QMap<QString, QString> map;
    for (const Attribute& attribute : element.attributes())
        map.insert(attribute.first, attribute.second);
    return map;
}

// The children of files, none where the document has no files element.
QList<XmlNode> filesChildren(const XmlDocument& document) {
    const XmlNode files = Mxi::findRoot(document).findChild(Mxi::Files);
    return files ? files.children() : QList<XmlNode>();
}

// The names of the children of files, comments and other nodes included.
QStringList childNames(const XmlDocument& document) {
    QStringList names;
    for (const XmlNode& node : filesChildren(document))
        names.append(node.name());
    return names;
}

QList<QMap<QString, QString>> fileAttributes(const XmlDocument& document) {
    QList<QMap<QString, QString>> files;
    for (const XmlNode& node : filesChildren(document)) {
        if (node.type() == NodeType::Element)
            files.append(attributeMap(node));
    }
    return files;
}

class SampleFilesFilesPageTest : public FilesPageTest, public testing::WithParamInterface<SampleSet> {};

TEST_P(SampleFilesFilesPageTest, KeepEveryFileAttributeThroughThePageAndSave) {
    for (const SampleFile& file : sampleFiles(GetParam())) {
        if (file.outcome != SampleFile::Loads)
            continue;
        SCOPED_TRACE(file.name.toStdString());
        load(file.path);
        QList<QMap<QString, QString>> expected = fileAttributes(form->XMLDocument1);
        const QStringList names = childNames(form->XMLDocument1);

        visitFilesPage();
        save();
        load(savedFile);
        visitFilesPage();

        for (QMap<QString, QString>& attributes : expected) {
            if (attributes.contains(Mxi::Source))
                attributes[Mxi::Source] = RelativeToFolder(attributes[Mxi::Source], FolderOf(savedFile));
        }
        EXPECT_EQ(fileAttributes(form->XMLDocument1), expected);
        EXPECT_EQ(childNames(form->XMLDocument1), names);
        EXPECT_EQ(messageTexts(), QStringList());
    }
}

INSTANTIATE_TEST_SUITE_P(, SampleFilesFilesPageTest, testing::Values(SampleSet::Own, SampleSet::Corpus), sampleSetName);

} // namespace
