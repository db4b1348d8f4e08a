#include "common/Painted.h"
#include "common/WindowFixture.h"

#include "support/VersionInfoReader.h"
#include "window/application/CreditReadme.h"
#include "window/controls/LabeledEdit.h"
#include "window/controls/LinkLabel.h"
#include "window/pictures/Pictures.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEnterEvent>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QUrl>

namespace {

const QColor headingBand(166, 202, 240);
const QColor headingText(10, 36, 106);
constexpr int versionRight = 382;

constexpr int firstHeading = 0;
constexpr int commandRow = 2;
const QString firstHeadingText = QStringLiteral("Dreamweaver, UltraDev, and Dreamweaver MX");

// The x of the leftmost pixel inside area that is not of the background colour, or -1.
int firstInkColumn(const QImage& image, const QRect& area, const QColor& background) {
    for (int x = area.left(); x <= area.right(); ++x) {
        for (int y = area.top(); y <= area.bottom(); ++y) {
            if (image.pixelColor(x, y) != background)
                return x;
        }
    }
    return -1;
}

bool allOfColour(const QImage& image, const QRect& area, const QColor& colour) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixelColor(x, y) != colour)
                return false;
        }
    }
    return true;
}

class MainPageTest : public WindowTest {
protected:
    QImage drawnRow(int row, bool selected) const {
        QImage image(form->ComboBox1->width(), 16, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter painter(&image);
        form->ComboBox1DrawItem(painter, row, image.rect(), selected);
        return image;
    }

    // Where the first ink of an entry indented by three blanks falls, give or take antialiasing.
    void expectIndented(int textLeft, int row) const {
        const QFontMetrics metrics(form->ComboBox1->font());
        const int expected =
            metrics.horizontalAdvance(QStringLiteral("   ")) + metrics.leftBearing(form->ComboBox1->itemText(row)[0]);
        EXPECT_NEAR(textLeft, expected, 1);
    }

    QColor listColour(QPalette::ColorRole role) const { return form->ComboBox1->palette().color(role); }

    QRect closedField() const {
        QComboBox* list = form->ComboBox1;
        QStyleOptionComboBox option;
        option.initFrom(list);
        option.subControls = QStyle::SC_All;
        return list->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list);
    }

    int versionRightEdge() const { return form->Label14->x() + form->Label14->width(); }
};

TEST_F(MainPageTest, ControlsSitWhereThePageLaysThemOut) {
    struct Placed {
        QWidget* control;
        QRect geometry;
    };
    const Placed placed[] = {
        {form->Image1, {64, 8, 318, 55}},         {form->Label2, {64, 64, 321, 25}},
        {form->LabeledEdit1, {40, 104, 361, 21}}, {form->LabeledEdit3, {40, 144, 361, 21}},
        {form->LabeledEdit2, {40, 184, 153, 21}}, {form->CheckBox1, {240, 192, 97, 17}},
        {form->ComboBox1, {40, 224, 369, 22}},    {form->Label15, {0, 250, 409, 10}},
        {form->Label16, {0, 260, 69, 10}},        {form->Label3, {280, 259, 171, 10}},
    };
    for (const Placed& p : placed) {
        EXPECT_EQ(p.control->parentWidget(), form->TabSheet1) << p.control->metaObject()->className();
        EXPECT_EQ(p.control->geometry(), p.geometry) << p.control->metaObject()->className();
    }
    EXPECT_EQ(form->Label1->geometry().topLeft(), QPoint(40, 208));
    EXPECT_EQ(form->Label1->height(), 13);
    EXPECT_EQ(form->Label14->y(), 88);
    EXPECT_EQ(form->Label14->height(), 13);

    EXPECT_EQ(form->Label2->text(), "P a r c e l w r i g h t");
    EXPECT_EQ(form->Label15->text(), "Macromedia logo is a trademark of Macromedia, Inc. All other brand names or "
                                     "trademarks are the property of their");
    EXPECT_EQ(form->Label16->text(), " respective owners.");
    EXPECT_EQ(form->Label3->text(), "(c) 2026 the Parcelwright project - README");
    EXPECT_EQ(form->Label1->text(), "Type");
    EXPECT_EQ(form->CheckBox1->text(), "Requires restart");
    EXPECT_EQ(form->LabeledEdit1->EditLabel->text(), "Name");
    EXPECT_EQ(form->LabeledEdit2->EditLabel->text(), "Version");
    EXPECT_EQ(form->LabeledEdit3->EditLabel->text(), "Author");
    EXPECT_FALSE(form->ComboBox1->isEditable());
}

TEST_F(MainPageTest, TitleAndSmallPrintHaveTheirFontsColoursAndFit) {
    EXPECT_EQ(form->Label2->font().family(), "Trebuchet MS");
    EXPECT_EQ(form->Label2->font().pixelSize(), 19);
    EXPECT_EQ(form->Label2->alignment(), Qt::AlignCenter);
    const QColor greyText = readableOn(QApplication::palette().color(QPalette::Disabled, QPalette::WindowText),
                                       form->palette().color(QPalette::Window));
    const QColor windowText = QApplication::palette().color(QPalette::WindowText);
    for (QLabel* label : QList<QLabel*>{form->Label15, form->Label16, form->Label3}) {
        EXPECT_EQ(label->font().family(), "Small Fonts");
        EXPECT_EQ(label->font().pixelSize(), 8);
    }
    EXPECT_TRUE(holdsColour(form->Label15->grab().toImage(), greyText));
    EXPECT_TRUE(holdsColour(form->Label16->grab().toImage(), greyText));
    EXPECT_TRUE(holdsColour(form->Label3->grab().toImage(), windowText));
    EXPECT_NE(greyText, windowText);

    // The faces that stand in for the designed ones must not clip any text.
    for (QLabel* label :
         QList<QLabel*>{form->Label2, form->Label14, form->Label15, form->Label16, form->Label3, form->Label1}) {
        const QFontMetrics metrics(label->font());
        EXPECT_LE(metrics.horizontalAdvance(label->text()), label->width()) << label->text().toStdString();
        EXPECT_LE(metrics.ascent() + metrics.descent(), label->height()) << label->text().toStdString();
    }
}

// The painted text: grey small print, links in the hot colour while the pointer is over them.
TEST_F(MainPageTest, LabelsPaintTheirTextColours) {
    const QColor windowText = QApplication::palette().color(QPalette::WindowText);
    const QColor greyText = QApplication::palette().color(QPalette::Disabled, QPalette::WindowText);
    EXPECT_TRUE(paintsIn(form->Label15, greyText, windowText) && paintsIn(form->Label16, greyText, windowText));
    const QColor hot = LinkLabel::hotColour(QApplication::palette());
    for (QLabel* link : {form->Label4, form->Label5, form->Label13}) {
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(link, &enter);
        EXPECT_TRUE(paintsIn(link, hot, windowText)) << link->text().toStdString();
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(link, &leave);
        EXPECT_TRUE(paintsIn(link, windowText, hot)) << link->text().toStdString();
    }
}

TEST_F(MainPageTest, TheLogoShowsThePageThroughItsWhiteBackground) {
    const QImage logo = form->Image1->pixmap().toImage();
    ASSERT_EQ(logo.size(), QSize(318, 55));
    EXPECT_EQ(qAlpha(logo.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(logo.pixel(317, 54)), 0);
    EXPECT_EQ(logo.pixelColor(30, 28).alpha(), 255);
}

TEST_F(MainPageTest, KeyboardFocusMovesNameVersionRestartTypeAuthor) {
    QList<QWidget*> order;
    for (QWidget* widget = form->LabeledEdit1; order.size() < 5; widget = widget->nextInFocusChain()) {
        if (widget->focusPolicy() & Qt::TabFocus && form->TabSheet1->isAncestorOf(widget))
            order.append(widget);
    }
    EXPECT_EQ(order, (QList<QWidget*>{form->LabeledEdit1, form->LabeledEdit2, form->CheckBox1, form->ComboBox1,
                                      form->LabeledEdit3}));
}

TEST_F(MainPageTest, TypeRowsAreHeadingBandsAndIndentedEntries) {
    ASSERT_EQ(form->ComboBox1->count(), 49);
    EXPECT_EQ(form->ComboBox1->maxVisibleItems(), 8);
    EXPECT_NE(headingBand, listColour(QPalette::Highlight));
    EXPECT_NE(headingBand, listColour(QPalette::Base));
    int headings = 0;
    for (int row = 0; row < form->ComboBox1->count(); ++row) {
        const QString text = form->ComboBox1->itemText(row);
        EXPECT_EQ(text, Mxi::typeRows()[row]);
        for (const bool selected : {false, true}) {
            const QImage image = drawnRow(row, selected);
            SCOPED_TRACE(text.toStdString() + (selected ? " selected" : ""));
            if (text.startsWith('*')) {
                EXPECT_EQ(image.pixelColor(0, 0), headingBand);
                EXPECT_EQ(image.pixelColor(image.width() - 1, 15), headingBand);
                EXPECT_TRUE(holdsNearColour(image, headingText));
            } else {
                EXPECT_FALSE(holdsColour(image, headingBand));
                const QColor background = listColour(selected ? QPalette::Highlight : QPalette::Base);
                EXPECT_EQ(image.pixelColor(image.width() - 1, 15), background);
                EXPECT_TRUE(holdsNearColour(image, listColour(selected ? QPalette::HighlightedText : QPalette::Text)));
                const int textLeft = firstInkColumn(image, image.rect(), background);
                expectIndented(textLeft, row);
            }
        }
        headings += text.startsWith('*') ? 1 : 0;
    }
    EXPECT_EQ(headings, 4);
}

TEST_F(MainPageTest, AHeadingIsDrawnWithoutItsStarAndIgnoresTheSelection) {
    QImage expected(form->ComboBox1->width(), 16, QImage::Format_RGB32);
    expected.fill(headingBand);
    QPainter painter(&expected);
    painter.setFont(form->ComboBox1->font());
    painter.setPen(headingText);
    painter.drawText(expected.rect(), Qt::AlignLeft | Qt::AlignTop, firstHeadingText);
    painter.end();
    EXPECT_EQ(drawnRow(firstHeading, false), expected);
    EXPECT_EQ(drawnRow(firstHeading, true), expected);
}

TEST_F(MainPageTest, TheOpenedListDrawsItsRowsThroughTheSameMethod) {
    QComboBox* list = form->ComboBox1;
    list->showPopup();
    QAbstractItemView* view = list->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
    EXPECT_EQ(view->sizeHintForRow(0), 16);
    EXPECT_EQ(view->viewport()->height(), 8 * 16);
    const QImage shown = view->viewport()->grab().toImage();
    EXPECT_EQ(shown.pixelColor(shown.width() - 2, 8), headingBand);
    EXPECT_EQ(shown.pixelColor(shown.width() - 2, 16 + 8), listColour(QPalette::Base));
    expectIndented(firstInkColumn(shown, QRect(0, 16, shown.width(), 16), listColour(QPalette::Base)), 1);
    list->hidePopup();
}

TEST_F(MainPageTest, TheClosedFieldShowsThePickedEntryOrNothing) {
    QComboBox* list = form->ComboBox1;
    form->LabeledEdit1->setFocus();
    const QRect field = closedField();
    ASSERT_TRUE(field.isValid());
    EXPECT_TRUE(allOfColour(list->grab().toImage(), field, listColour(QPalette::Base)));

    pickFromList(list, commandRow);
    const QImage picked = list->grab().toImage();
    expectIndented(firstInkColumn(picked, field, listColour(QPalette::Base)) - field.left(), commandRow);
    EXPECT_EQ(picked.pixelColor(field.right(), field.bottom()), listColour(QPalette::Base));
}

TEST_F(MainPageTest, AHeadingPickedFromTheOpenedListIsRefused) {
    QComboBox* list = form->ComboBox1;
    pickFromList(list, commandRow);
    ASSERT_EQ(rootAttribute("type"), "command");
    pickFromList(list, firstHeading);
    EXPECT_EQ(shell.beeps, 1);
    EXPECT_EQ(list->currentIndex(), -1);
    EXPECT_EQ(rootAttribute("type"), "command");
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(MainPageTest, TheVersionLabelEndsUnderTheLogo) {
    EXPECT_EQ(form->Label14->text(), "1.0.2.126");
    EXPECT_EQ(versionRightEdge(), versionRight);
    const int versionWidth = form->Label14->width();

    // A reader without version information answers a longer text, which grows to the left.
    const QString plainFile = folder.filePath("plain.txt");
    writeBytes(plainFile, "no version here");
    form->VersionInfoReader1->setFileName(plainFile);
    form->VersionInfoReader1->GetFileInfo();
    clickTab(DescriptionPage);
    clickTab(MainPage);
    EXPECT_EQ(form->Label14->text(), "No such VersionInfo");
    EXPECT_EQ(versionRightEdge(), versionRight);
    EXPECT_GT(form->Label14->width(), versionWidth);
    EXPECT_EQ(form->Label14->y(), 88);
    EXPECT_EQ(form->Label14->height(), 13);
}

TEST_F(MainPageTest, TheLogoAndTheCreditLineOpenTheirPagesAndChangeNothingElse) {
    QTest::keyClicks(form->LabeledEdit1, "Ext");
    const QByteArray before = form->XMLDocument1.xml();
    QTest::mouseClick(form->Image1, Qt::LeftButton);
    QTest::mouseClick(form->Image1, Qt::LeftButton);
    EXPECT_EQ(shell.opened, QStringList({"http://www.macromedia.com/", "http://www.macromedia.com/"}));

    shell.opened.clear();
    QTest::mouseClick(form->Label3, Qt::LeftButton);
    // The test program is no installed program and does not run from the build folder itself.
    const QString installedReadme =
        QDir::cleanPath(QApplication::applicationDirPath() + "/../share/doc/parcelwright/README.md");
    EXPECT_EQ(shell.opened, QStringList({QUrl::fromLocalFile(installedReadme).toString()}));

    EXPECT_EQ(form->XMLDocument1.xml(), before);
    EXPECT_EQ(form->LabeledEdit1->text(), "Ext");
    EXPECT_EQ(form->PageControl1->currentIndex(), MainPage);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(MainPageTest, TheLogoAndTheCreditLineHaveNoHoverStyle) {
    for (QLabel* link : {form->Image1, form->Label3}) {
        EXPECT_FALSE(link->testAttribute(Qt::WA_SetCursor));
        EXPECT_EQ(link->cursor().shape(), Qt::ArrowCursor);
        const QImage rest = link->grab().toImage();
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(link, &enter);
        EXPECT_EQ(link->grab().toImage(), rest);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(link, &leave);
        EXPECT_EQ(link->grab().toImage(), rest);
        EXPECT_EQ(link->font().underline(), false);
    }
}

TEST(CreditReadmeTest, IsTheSourceTreesInTheBuildFolderAndTheInstalledOneElsewhere) {
    const QString buildFolder = QApplication::applicationDirPath() + "/..";
    EXPECT_EQ(QFileInfo(creditReadme(buildFolder)).canonicalFilePath(),
              QFileInfo(PARCELWRIGHT_TEST_DATA_DIR "/../../README.md").canonicalFilePath());
    EXPECT_EQ(creditReadme("/opt/pw/bin"), "/opt/pw/share/doc/parcelwright/README.md");
}

} // namespace
