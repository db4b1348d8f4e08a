#include "common/WindowFixture.h"

#include "document/xml/RegularFile.h"
#include "window/controls/AttributeTable.h"
#include "window/controls/LabeledEdit.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QTest>

#include <cstdlib>
#include <functional>

namespace {

QByteArray extensionWithProducts(const QByteArray& products) {
    return "<macromedia-extension name=\"Sample\" version=\"1.0\" type=\"command\" requires-restart=\"false\">\n"
           "  <description><![CDATA[text]]></description>\n" +
           products +
           "\n  <author name=\"Tester\"/>\n"
           "  <files/>\n"
           "</macromedia-extension>\n";
}

const QString flagCombinations = QStringLiteral(PARCELWRIGHT_TEST_DATA_DIR "/products_flag_combinations.mxi");

class ProductsPageTest : public WindowTest {
protected:
    void loadText(const QByteArray& text) {
        const QString fileName = folder.filePath(QStringLiteral("products_input.mxi"));
        writeBytes(fileName, text);
        load(fileName);
        ASSERT_TRUE(messages.isEmpty()) << messageTexts().join('\n').toStdString();
    }

    void showAndLeave() {
        clickTab(ProductsPage);
        clickTab(MainPage);
    }

    QStringList lines() const {
        QStringList texts;
        for (int row = 0; row < form->ListBox1->model()->rowCount(); ++row)
            texts.append(form->ListBox1->model()->index(row, 0).data().toString());
        return texts;
    }

    void clickLine(int row) {
        ListBox* list = form->ListBox1;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(row, 0)).center());
    }

    XmlNode products() const { return Mxi::findRoot(form->XMLDocument1).findChild(Mxi::Products); }

    int selectedRow() const {
        const QModelIndexList selected = form->ListBox1->selectionModel()->selectedRows();
        return selected.isEmpty() ? -1 : selected.first().row();
    }

    bool editorsEnabled() const {
        return form->ComboBoxEx1->isEnabled() && form->CheckBox2->isEnabled() && form->LabeledEdit4->isEnabled();
    }
};

TEST_F(ProductsPageTest, ControlsSitWhereThePageLaysThemOut) {
    struct Placed {
        QWidget* control;
        QRect geometry;
    };
    const Placed placed[] = {
        {form->ComboBoxEx1, {24, 16, 169, 22}}, {form->CheckBox2, {200, 20, 57, 17}},
        {form->CheckBox3, {264, 20, 81, 17}},   {form->LabeledEdit4, {360, 16, 65, 21}},
        {form->Button4, {24, 45, 17, 17}},      {form->Button5, {48, 45, 17, 17}},
        {form->ListBox1, {24, 64, 401, 113}},
    };
    for (const Placed& p : placed) {
        EXPECT_EQ(p.control->parentWidget(), form->TabSheet2);
        EXPECT_EQ(p.control->geometry(), p.geometry);
    }
    EXPECT_EQ(form->CheckBox2->text(), "primary");
    EXPECT_EQ(form->CheckBox3->text(), "required");
    EXPECT_EQ(form->LabeledEdit4->EditLabel->text(), "Version");
    EXPECT_EQ(form->Button4->text(), "+");
    EXPECT_EQ(form->Button5->text(), "-");
    EXPECT_FALSE(form->ComboBoxEx1->isEditable());
    // The seven older products keep their places; the Extension Manager's follow them.
    const QStringList older = {"dreamweaver", "dreamweaverultradev", "flash", "homesite", "JRun",
                               "Spectra",     "ColdFusion"};
    ASSERT_EQ(form->ComboBoxEx1->count(), 26);
    for (int product = 0; product < form->ComboBoxEx1->count(); ++product) {
        if (product < older.size()) {
            EXPECT_EQ(form->ComboBoxEx1->itemText(product), older[product]);
        }
        EXPECT_EQ(form->ComboBoxEx1->itemIcon(product).pixmap(16, 16).toImage(),
                  form->ImageList1.pixmap(product).toImage());
    }
}

TEST_F(ProductsPageTest, SkeletonShowsNoLineAndKeepsAnEmptyProductsElement) {
    clickTab(ProductsPage);
    EXPECT_EQ(form->ListBox1->model()->rowCount(), 0);
    EXPECT_FALSE(form->ComboBoxEx1->isEnabled());
    EXPECT_FALSE(form->CheckBox2->isEnabled());
    EXPECT_FALSE(form->CheckBox3->isEnabled());
    EXPECT_FALSE(form->LabeledEdit4->isEnabled());
    clickTab(MainPage);
    EXPECT_EQ(elementXml(Mxi::Products), "<products/>");
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ProductsPageTest, FlagsReadOnlyWhenExactlyTrueAndAVisitWritesNothing) {
    load(flagCombinations);
    const QString before = elementXml(Mxi::Products);
    clickTab(ProductsPage);
    EXPECT_EQ(lines(), QStringList({"0++4", "1+-4", "2-+5", "3--5", "4--3", "5--1.5", "6--"}));
    EXPECT_EQ(selectedRow(), -1);
    clickTab(MainPage);
    EXPECT_EQ(elementXml(Mxi::Products), before);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ProductsPageTest, PrimaryProductRegainsItsRequiredFlagWhenPrimaryIsSwitchedOff) {
    load(flagCombinations);
    clickTab(ProductsPage);
    clickLine(0);
    EXPECT_FALSE(form->CheckBox3->isEnabled());
    form->CheckBox2->click();
    EXPECT_TRUE(form->CheckBox3->isEnabled());
    EXPECT_TRUE(form->CheckBox3->isChecked());
    EXPECT_EQ(lines().first(), "0-+4");
    clickTab(MainPage);
    EXPECT_TRUE(elementXml(Mxi::Products)
                    .startsWith("<products><product name=\"dreamweaver\" version=\"4\" primary=\"false\" "
                                "required=\"true\"/><product name=\"dreamweaverultradev\""));
}

// Each edit is made through the controls on products holding what the page does not show (comments,
// text, unknown children and attributes, flags in capitals, a capitalised name) and changes only its
// own element.
TEST_F(ProductsPageTest, AnEditChangesOnlyItsOwnElement) {
    const QByteArray first = R"(<product name="DreamWeaver" version="8" primary="TRUE" x="1"><y/></product>)";
    const QByteArray second =
        R"(<product familyname="Flash" name="Flash" version="10" platform="win" primary="true"/>)";
    const QByteArray products =
        "<products>text<!-- a comment -->" + first + second +
        R"(<product name="Contribute" version="8"/><!-- c --><item name="flash"/><?pi x?></products>)";
    expectOnlyListChanged(
        ProductsPage, products,
        {
            {"a visit", [] {}, products},
            {"the same product again",
             [this] {
                 clickLine(0);
                 QTest::keyClick(form->ComboBoxEx1, Qt::Key_Down);
                 QTest::keyClick(form->ComboBoxEx1, Qt::Key_Up);
             },
             products},
            {"a version",
             [this] {
                 clickLine(0);
                 typeOver(form->LabeledEdit4, "9");
             },
             QByteArray(products).replace(
                 first, R"(<product name="DreamWeaver" version="9" primary="TRUE" x="1"><y/></product>)")},
            {"flags",
             [this] {
                 clickLine(1);
                 form->CheckBox2->click();
                 form->CheckBox3->click();
             },
             QByteArray(products).replace(
                 second,
                 R"(<product familyname="Flash" name="Flash" version="10" platform="win" primary="false" required="true"/>)")},
            {"a removed line",
             [this] {
                 clickLine(1);
                 form->Button5->click();
             },
             QByteArray(products).replace(second, "")},
            {"an added line", [this] { form->Button4->click(); },
             QByteArray(products).replace("</products>",
                                          R"(<product name="dreamweaver" primary="false" version="5"/></products>)")},
        });
}

TEST_F(ProductsPageTest, SelectingALineLoadsTheEditorsWithoutChangingIt) {
    load(flagCombinations);
    clickTab(ProductsPage);
    struct Loaded {
        int row;
        bool primary;
        bool required;
        const char* version;
    };
    const Loaded cases[] = {
        {2, false, true, "5"}, {0, true, true, "4"}, {6, false, false, ""}, {5, false, false, "1.5"}};
    const QStringList before = lines();
    for (const Loaded& c : cases) {
        SCOPED_TRACE(c.row);
        clickLine(c.row);
        EXPECT_EQ(selectedRow(), c.row);
        EXPECT_TRUE(editorsEnabled());
        EXPECT_EQ(form->ComboBoxEx1->currentIndex(), c.row);
        EXPECT_EQ(form->CheckBox2->isChecked(), c.primary);
        EXPECT_EQ(form->CheckBox3->isChecked(), c.required);
        EXPECT_EQ(form->CheckBox3->isEnabled(), !c.primary);
        EXPECT_EQ(form->LabeledEdit4->text(), c.version);
        EXPECT_EQ(lines(), before);
    }
    QTest::keyClick(form->ListBox1, Qt::Key_Down);
    EXPECT_EQ(selectedRow(), 6);
    EXPECT_EQ(form->ComboBoxEx1->currentIndex(), 6);
    EXPECT_EQ(lines(), before);
}

TEST_F(ProductsPageTest, EachEditorRewritesOnlyItsPositionOfTheSelectedLine) {
    loadText(extensionWithProducts("<products><product name=\"homesite\" version=\"2\"/>"
                                   "<product name=\"JRun\" version=\"3\"/></products>"));
    clickTab(ProductsPage);
    clickLine(0);
    pickFromList(form->ComboBoxEx1, 5);
    EXPECT_EQ(lines(), QStringList({"5--2", "4--3"}));
    form->CheckBox3->click();
    EXPECT_EQ(lines(), QStringList({"5-+2", "4--3"}));
    form->CheckBox2->click();
    EXPECT_EQ(lines(), QStringList({"5++2", "4--3"}));
    EXPECT_FALSE(form->CheckBox3->isEnabled());
    typeOver(form->LabeledEdit4, "7.1 beta");
    EXPECT_EQ(lines(), QStringList({"5++7.1 beta", "4--3"}));
    typeOver(form->LabeledEdit4, "");
    EXPECT_EQ(lines(), QStringList({"5++", "4--3"}));
    clickTab(MainPage);
    EXPECT_EQ(elementXml(Mxi::Products), "<products><product name=\"Spectra\" version=\"\" primary=\"true\"/>"
                                         "<product name=\"JRun\" version=\"3\"/></products>");
}

TEST_F(ProductsPageTest, TwoPrimaryProductsInARowLeaveRequiredDisabled) {
    loadText(extensionWithProducts("<products><product name=\"flash\" primary=\"true\" version=\"8\"/>"
                                   "<product name=\"dreamweaver\" primary=\"true\" version=\"8\"/></products>"));
    clickTab(ProductsPage);
    clickLine(0);
    EXPECT_FALSE(form->CheckBox3->isEnabled());
    clickLine(1);
    EXPECT_TRUE(form->CheckBox2->isChecked());
    EXPECT_FALSE(form->CheckBox3->isEnabled());
}

TEST_F(ProductsPageTest, PlusAppendsAnUnselectedDreamweaverLine) {
    clickTab(ProductsPage);
    form->Button4->click();
    EXPECT_EQ(lines(), QStringList({"0--5"}));
    EXPECT_EQ(selectedRow(), -1);
    EXPECT_FALSE(editorsEnabled());
    clickTab(MainPage);
    EXPECT_EQ(elementXml(Mxi::Products),
              "<products><product name=\"dreamweaver\" primary=\"false\" version=\"5\"/></products>");
}

TEST_F(ProductsPageTest, PlusScrollsTheNewLineIntoViewAndScreenReadersReadSentences) {
    QByteArray products = "<products>";
    for (int product = 0; product < 20; ++product)
        products += R"(<product name="Flash" version="6" primary="true"/>)";
    loadText(extensionWithProducts(products + "</products>"));
    clickTab(ProductsPage);
    form->Button4->click();
    const QRect added = form->ListBox1->visualRect(form->ListBox1->model()->index(20, 0));
    EXPECT_GE(added.top(), 0);
    EXPECT_LT(added.bottom(), form->ListBox1->viewport()->height());
    EXPECT_EQ(selectedRow(), -1);
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(form->ListBox1);
    EXPECT_EQ(list->child(0)->text(QAccessible::Name), "Flash, version 6, primary");
    EXPECT_EQ(list->child(20)->text(QAccessible::Name), "Dreamweaver, version 5");
}

TEST_F(ProductsPageTest, MinusRemovesTheSelectedLineAndLeavesNoSelection) {
    load(flagCombinations);
    clickTab(ProductsPage);
    form->Button5->click();
    EXPECT_EQ(lines().size(), 7);

    clickLine(2);
    form->Button5->click();
    EXPECT_EQ(lines(), QStringList({"0++4", "1+-4", "3--5", "4--3", "5--1.5", "6--"}));
    EXPECT_EQ(selectedRow(), -1);
    EXPECT_FALSE(editorsEnabled());
    EXPECT_EQ(form->LabeledEdit4->text(), "5");
    typeOver(form->LabeledEdit4, "9");
    form->CheckBox2->click();
    EXPECT_EQ(lines(), QStringList({"0++4", "1+-4", "3--5", "4--3", "5--1.5", "6--"}));
    form->Button5->click();
    EXPECT_EQ(lines().size(), 6);

    clickTab(MainPage);
    EXPECT_FALSE(elementXml(Mxi::Products).contains("flash"));
    EXPECT_EQ(products().childCount(), 6);
}

TEST_F(ProductsPageTest, PickingAProductForAnUnknownOneMakesItThatProduct) {
    loadText(extensionWithProducts("<products><product name=\"Contribute\" version=\"8\" required=\"true\" "
                                   "platform=\"win\"/><product name=\"flash\" version=\"6\"/></products>"));
    clickTab(ProductsPage);
    clickLine(1);
    clickLine(0);
    EXPECT_EQ(form->ComboBoxEx1->currentIndex(), -1);
    EXPECT_TRUE(form->ComboBoxEx1->isEnabled());
    EXPECT_FALSE(form->CheckBox2->isEnabled());
    EXPECT_FALSE(form->CheckBox3->isEnabled());
    EXPECT_FALSE(form->LabeledEdit4->isEnabled());
    EXPECT_TRUE(form->CheckBox3->isChecked());
    EXPECT_EQ(form->LabeledEdit4->text(), "8");
    EXPECT_EQ(lines(), QStringList({"", "2--6"}));

    pickFromList(form->ComboBoxEx1, 3);
    EXPECT_EQ(lines(), QStringList({"3-+8", "2--6"}));
    EXPECT_TRUE(editorsEnabled());
    EXPECT_TRUE(form->CheckBox3->isEnabled());
    typeOver(form->LabeledEdit4, "9");
    clickTab(MainPage);
    EXPECT_EQ(elementXml(Mxi::Products),
              "<products><product name=\"homesite\" version=\"9\" required=\"true\" platform=\"win\"/>"
              "<product name=\"flash\" version=\"6\"/></products>");
}

// Every product of the picker is picked with the keyboard alone, from the first to the last.
TEST_F(ProductsPageTest, EveryKnownProductIsPickedByKeyboard) {
    loadText(extensionWithProducts("<products><product name=\"flash\" version=\"6\"/></products>"));
    clickTab(ProductsPage);
    clickLine(0);
    QTest::keyClick(form->ComboBoxEx1, Qt::Key_Home);
    for (int product = 0; product < Mxi::productNames().size(); ++product) {
        EXPECT_EQ(lines(), QStringList{QString::number(product) + "--6"});
        QTest::keyClick(form->ComboBoxEx1, Qt::Key_Down);
    }
    clickTab(MainPage);
    EXPECT_EQ(products().firstChild().xml(), R"(<product name="LightroomClassic" version="6"/>)");
}

// The family form, the highest version and the other attributes show the file's values; an edit
// through each writes its own attribute alone.
TEST_F(ProductsPageTest, FamilyFormHighestVersionAndOtherAttributesWriteOnlyTheirOwn) {
    const QByteArray product = R"(<product familyname="Photoshop" version="15" maxversion="17" bit="64"/>)";
    const QByteArray list = "<products>" + product + "</products>";
    loadRootContent(list);
    clickTab(ProductsPage);
    clickLine(0);
    EXPECT_TRUE(form->familyNameBox->isChecked());
    EXPECT_EQ(QStringList({form->ComboBoxEx1->currentText(), form->highestVersionEdit->text(),
                           form->productAttributes->item(0, 0)->text(), form->productAttributes->item(0, 1)->text()}),
              QStringList({"Photoshop", "17", "bit", "64"}));
    EXPECT_EQ(form->ListBox1->model()->index(0, 0).data(Qt::AccessibleTextRole),
              "Photoshop family, version 15, highest version 17");
    const auto written = [&](const char* to) { return QByteArray(list).replace(product, to); };
    expectOnlyListChanged(ProductsPage, list,
                          {
                              {"a visit", [] {}, list},
                              {"a highest version",
                               [this] {
                                   clickLine(0);
                                   typeOver(form->highestVersionEdit, "18");
                               },
                               written(R"(<product familyname="Photoshop" version="15" maxversion="18" bit="64"/>)")},
                              {"the name form",
                               [this] {
                                   clickLine(0);
                                   form->familyNameBox->click();
                               },
                               written(R"(<product version="15" maxversion="17" bit="64" name="Photoshop"/>)")},
                              {"another product",
                               [this] {
                                   clickLine(0);
                                   pickFromList(form->ComboBoxEx1, 10);
                               },
                               written(R"(<product familyname="Photoshop64" version="15" maxversion="17" bit="64"/>)")},
                          });
}

TEST_F(ProductsPageTest, DocumentWithoutProductsGetsTheElementOnlyForALine) {
    loadText(extensionWithProducts(""));
    showAndLeave();
    EXPECT_TRUE(products().isNull());
    EXPECT_TRUE(messages.isEmpty());

    clickTab(ProductsPage);
    EXPECT_EQ(form->ListBox1->model()->rowCount(), 0);
    form->Button4->click();
    clickTab(MainPage);
    const XmlNode root = Mxi::findRoot(form->XMLDocument1);
    EXPECT_EQ(root.children().last().xml(),
              "<products><product name=\"dreamweaver\" primary=\"false\" version=\"5\"/></products>");
}

TEST_F(ProductsPageTest, SaveOnThePageCommitsTheEditFirst) {
    clickTab(ProductsPage);
    form->Button4->click();
    clickLine(0);
    typeOver(form->LabeledEdit4, "9.9");
    const QByteArray saved = save();
    EXPECT_TRUE(saved.contains("    <product name=\"dreamweaver\" primary=\"false\" version=\"9.9\"/>\r\n"))
        << saved.data();
    EXPECT_EQ(form->PageControl1->currentIndex(), MainPage);
}

class ProductsDrawing : public ProductsPageTest {
protected:
    void SetUp() override {
        ProductsPageTest::SetUp();
        loadText(extensionWithProducts(
            "<products><product name=\"flash\" primary=\"true\" required=\"true\" version=\"8\"/>"
            "<product name=\"JRun\" required=\"true\" version=\"4\"/><product name=\"homesite\" version=\"5\"/>"
            "<product name=\"Contribute\" version=\"8\" primary=\"true\"/></products>"));
        clickTab(ProductsPage);
    }

    QImage drawnLine(int row, bool selected) const {
        QImage image(lineSize, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        form->ListBox1DrawItem(painter, row, QRect(QPoint(0, 0), lineSize), selected);
        return image;
    }

    // A picture as a line shows it on its background: the line's bottom cuts its last row.
    static QImage onBackground(const QPixmap& picture, const QColor& background) {
        QImage image(picture.width(), lineSize.height() - 1, QImage::Format_ARGB32_Premultiplied);
        image.fill(background);
        QPainter painter(&image);
        painter.drawPixmap(0, 0, picture);
        return image;
    }

    static int countPixels(const QImage& image, const QRect& area, const std::function<bool(QColor)>& matches) {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x)
                count += matches(image.pixelColor(x, y)) ? 1 : 0;
        }
        return count;
    }

    static int distance(QColor a, QColor b) {
        return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
    }

    // Smoothed text has few pixels of exactly its colour: count those nearer to it than to the background.
    static int textPixels(const QImage& image, const QRect& area, QColor text, QColor background) {
        return countPixels(image, area, [&](QColor c) { return distance(c, text) < distance(c, background); });
    }

    static bool isPlain(const QImage& image, const QRect& area, const QColor& colour) {
        return countPixels(image, area, [&](QColor c) { return c == colour; }) == area.width() * area.height();
    }

    QColor colour(QPalette::ColorRole role) const { return form->ListBox1->palette().color(role); }

    static QRect at(int column, int width) { return {column, 1, width, lineSize.height() - 1}; }

    static constexpr QSize lineSize{401, 16};
};

TEST_F(ProductsDrawing, BadgesAndIconStandInTheirColumns) {
    struct Drawn {
        int row;
        int icon;
        bool primaryBadge;
        bool requiredBadge;
    };
    const Drawn cases[] = {{0, 2, true, false}, {1, 4, false, true}, {2, 3, false, false}, {3, -1, true, false}};
    for (const Drawn& c : cases) {
        for (const bool selected : {false, true}) {
            SCOPED_TRACE(testing::Message() << "row " << c.row << (selected ? " selected" : ""));
            const QColor background = colour(selected ? QPalette::Highlight : QPalette::Base);
            const QImage line = drawnLine(c.row, selected);
            EXPECT_EQ(line.pixelColor(0, 0), background);
            EXPECT_EQ(line.pixelColor(400, 15), background);
            if (c.icon >= 0)
                EXPECT_EQ(line.copy(at(1, 16)), onBackground(form->ImageList1.pixmap(c.icon), background));
            else
                EXPECT_TRUE(isPlain(line, at(0, 19), background));
            if (c.primaryBadge)
                EXPECT_EQ(line.copy(at(175, 45)), onBackground(form->ImageList2.pixmap(0), background));
            else
                EXPECT_TRUE(isPlain(line, at(175, 45), background));
            if (c.requiredBadge)
                EXPECT_EQ(line.copy(at(240, 45)), onBackground(form->ImageList2.pixmap(1), background));
            else
                EXPECT_TRUE(isPlain(line, at(240, 45), background));
            const QColor text = colour(selected ? QPalette::HighlightedText : QPalette::Text);
            EXPECT_GT(textPixels(line, at(19, 150), text, background), 10);
            EXPECT_GT(textPixels(line, at(335, 60), text, background), 5);
        }
    }
}

TEST_F(ProductsDrawing, TheListDrawsEachLineSixteenPixelsHigh) {
    ListBox* list = form->ListBox1;
    ASSERT_EQ(list->visualRect(list->model()->index(2, 0)), QRect(0, 32, list->viewport()->width(), 16));
    const QImage shot = list->viewport()->grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QColor background = colour(QPalette::Base);
    EXPECT_EQ(shot.copy(QRect(1, 33, 16, 15)), onBackground(form->ImageList1.pixmap(3), background));
    EXPECT_EQ(shot.copy(QRect(240, 17, 45, 15)), onBackground(form->ImageList2.pixmap(1), background));
    EXPECT_TRUE(isPlain(shot, QRect(1, 49, 16, 15), background));
}

// The products of a document as attribute lists, in order.
QList<QList<Attribute>> productAttributeLists(const XmlDocument& document) {
    QList<QList<Attribute>> lists;
    const XmlNode products = Mxi::findRoot(document).findChild(Mxi::Products);
    if (!products)
        return lists;
    for (const XmlNode& child : products.children()) {
        if (child.type() == NodeType::Element)
            lists.append(child.attributes());
    }
    return lists;
}

class SampleFilesProductsPageTest : public ProductsPageTest, public testing::WithParamInterface<SampleSet> {};

TEST_P(SampleFilesProductsPageTest, ProductsSurviveShowLeaveSaveAndReload) {
    for (const SampleFile& file : sampleFiles(GetParam())) {
        if (file.outcome != SampleFile::Loads)
            continue;
        SCOPED_TRACE(file.name.toStdString());
        XmlDocument original;
        original.loadFromXml(readRegularFile(file.path));
        const QList<QList<Attribute>> before = productAttributeLists(original);

        load(file.path);
        showAndLeave();
        save();
        load(savedFile);
        EXPECT_TRUE(messages.isEmpty()) << messageTexts().join('\n').toStdString();
        messages.clear();

        const QList<QList<Attribute>> after = productAttributeLists(form->XMLDocument1);
        EXPECT_EQ(after, before);
    }
}

INSTANTIATE_TEST_SUITE_P(, SampleFilesProductsPageTest, testing::Values(SampleSet::Own, SampleSet::Corpus),
                         sampleSetName);

} // namespace
