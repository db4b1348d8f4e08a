#include "window/forms/Unit2.h"
#include "window/forms/Unit3.h"
#include "window/pictures/Pictures.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class FolderNameWindows : public testing::Test {
protected:
    FolderNameWindows() {
        mainWindow.setFixedSize(473, 343);
        mainWindow.move(200, 150);
        mainWindow.show();
    }

    int visibleWindowsOfType(const char* className) const {
        int count = 0;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            count += widget->isVisible() && widget->inherits(className) ? 1 : 0;
        }
        return count;
    }

    QWidget mainWindow;
    TForm2 form2;
    TForm3 form3;
};

TEST_F(FolderNameWindows, AreFixedToolWindowsShowingTheirPictureUnscaled) {
    struct WindowCase {
        FolderNameWindow* window;
        QSize clientSize;
        QPixmap picture;
    };
    const WindowCase cases[] = {
        {&form2, QSize(476, 200), standardFoldersPicture()},
        {&form3, QSize(571, 520), flashFoldersPicture()},
    };
    for (const WindowCase& expected : cases) {
        FolderNameWindow* window = expected.window;
        SCOPED_TRACE(window->metaObject()->className());
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(window->windowTitle(), "Folder name");
        EXPECT_EQ(window->size(), expected.clientSize);
        EXPECT_EQ(window->minimumSize(), expected.clientSize);
        EXPECT_EQ(window->maximumSize(), expected.clientSize);

        const Qt::WindowFlags flags = window->windowFlags();
        EXPECT_EQ(window->windowType(), Qt::Tool);
        EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
        EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
        EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));

        // The picture unscaled at the top left, the rest in the button colour, set apart from the window's.
        const QPixmap& picture = expected.picture;
        QPalette palette = window->palette();
        palette.setColor(QPalette::Button, Qt::magenta);
        window->setPalette(palette);
        QImage look(window->size(), QImage::Format_ARGB32_Premultiplied);
        look.fill(Qt::magenta);
        QPainter(&look).drawPixmap(0, 0, picture);
        EXPECT_EQ(window->grab().toImage().convertToFormat(look.format()), look);
        ASSERT_NE(window->Image1, nullptr);
        EXPECT_EQ(window->Image1->geometry(), QRect(QPoint(0, 0), picture.size()));
        EXPECT_EQ(window->Image1->pixmap().toImage(), picture.toImage());
        EXPECT_FALSE(window->Image1->hasScaledContents());
    }
}

TEST_F(FolderNameWindows, Form3FirstAppearsAtItsDesignPosition) {
    form3.showBeside(&mainWindow);
    EXPECT_TRUE(form3.isVisible());
    EXPECT_EQ(form3.frameGeometry().topLeft(), QPoint(295, 119));
}

TEST_F(FolderNameWindows, Form2FirstAppearsCentredOnTheMainWindow) {
    form2.showBeside(&mainWindow);
    EXPECT_TRUE(form2.isVisible());
    const QPoint offset = form2.frameGeometry().center() - mainWindow.frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 1) << offset.x() << "," << offset.y();
}

TEST_F(FolderNameWindows, ShowingAVisibleWindowAgainKeepsTheOneWindow) {
    form2.showBeside(&mainWindow);
    form3.showBeside(&mainWindow);
    const QRect placed = form2.frameGeometry();
    form2.showBeside(&mainWindow);
    form2.showBeside(&mainWindow);

    EXPECT_TRUE(form2.isVisible());
    EXPECT_EQ(form2.frameGeometry(), placed);
    EXPECT_EQ(visibleWindowsOfType("TForm2"), 1);
    EXPECT_EQ(visibleWindowsOfType("TForm3"), 1);
}

TEST_F(FolderNameWindows, ReappearWhereTheyWereLastHidden) {
    form2.showBeside(&mainWindow);
    form3.showBeside(&mainWindow);
    form2.move(40, 50);
    form3.move(420, 30);
    form2.close();
    form3.Image1Click();
    ASSERT_FALSE(form2.isVisible());
    ASSERT_FALSE(form3.isVisible());

    mainWindow.move(10, 10);
    form2.showBeside(&mainWindow);
    form3.showBeside(&mainWindow);
    EXPECT_EQ(form2.pos(), QPoint(40, 50));
    EXPECT_EQ(form3.pos(), QPoint(420, 30));
}

TEST_F(FolderNameWindows, ClosingOnlyHidesTheWindow) {
    form3.showBeside(&mainWindow);
    const QImage shown = form3.Image1->pixmap().toImage();
    EXPECT_TRUE(form3.close());
    EXPECT_FALSE(form3.isVisible());

    form3.showBeside(&mainWindow);
    EXPECT_TRUE(form3.isVisible());
    EXPECT_EQ(form3.Image1->pixmap().toImage(), shown);
}

TEST_F(FolderNameWindows, ClickingAPictureHidesOnlyItsOwnWindow) {
    form2.showBeside(&mainWindow);
    form3.showBeside(&mainWindow);

    QTest::mouseClick(form2.Image1, Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_FALSE(form2.isVisible());
    EXPECT_TRUE(form3.isVisible());
    EXPECT_TRUE(mainWindow.isVisible());

    form2.showBeside(&mainWindow);
    QTest::mouseClick(form3.Image1, Qt::LeftButton, {}, QPoint(560, 510));
    EXPECT_FALSE(form3.isVisible());
    EXPECT_TRUE(form2.isVisible());
    EXPECT_TRUE(mainWindow.isVisible());
}

TEST_F(FolderNameWindows, RightClickOnThePictureLeavesTheWindowOpen) {
    form2.showBeside(&mainWindow);
    QTest::mouseClick(form2.Image1, Qt::RightButton, {}, QPoint(100, 100));
    EXPECT_TRUE(form2.isVisible());
}

} // namespace
