#include "window/controls/LinkLabel.h"

#include "common/Painted.h"
#include "window/pictures/Pictures.h"

#include <QApplication>
#include <QEnterEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class LinkLabelTest : public testing::Test {
protected:
    LinkLabelTest() {
        link.resize(160, 20);
        rest = link.palette().color(QPalette::WindowText);
        hot = LinkLabel::hotColour(link.palette());
    }

    void pointerOver(QWidget* widget) {
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(widget, &enter);
    }

    void pointerAway(QWidget* widget) {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(widget, &leave);
    }

    LinkLabel link{"Standard destination folder", nullptr, LinkLabel::Hover::LightsUp};
    QSignalSpy activations{&link, &LinkLabel::activated};
    QColor rest;
    QColor hot;
};

TEST_F(LinkLabelTest, LeftClickAndEnterOrSpaceActivateIt) {
    QTest::mouseClick(&link, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseClick(&link, Qt::RightButton, {}, QPoint(10, 10));
    QTest::mousePress(&link, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(&link, Qt::LeftButton, {}, QPoint(170, 10));
    EXPECT_EQ(activations.count(), 1);
    QTest::keyClick(&link, Qt::Key_Return);
    QTest::keyClick(&link, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(&link, Qt::Key_Space);
    QTest::keyClick(&link, Qt::Key_Space, Qt::ControlModifier);
    QTest::keyClick(&link, Qt::Key_A);
    EXPECT_EQ(activations.count(), 4);
    EXPECT_EQ(link.focusPolicy(), Qt::TabFocus);
}

TEST_F(LinkLabelTest, TextLightsUpUnderThePointerOnlyInColour) {
    EXPECT_EQ(link.cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(paintsIn(&link, rest, hot));
    const QFont font = link.font();
    pointerOver(&link);
    EXPECT_TRUE(paintsIn(&link, hot, rest));
    EXPECT_EQ(link.font(), font);
    // Painted in the hot colour whether its window is active or another one took the activation.
    link.show();
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    EXPECT_TRUE(paintsIn(&link, hot, rest));
    pointerAway(&link);
    EXPECT_TRUE(paintsIn(&link, rest, hot));
}

TEST(LinkLabelColours, HotColourReadsInADarkTheme) {
    QPalette dark(QColor(53, 53, 53));
    dark.setColor(QPalette::Link, QColor(0, 0, 255));
    EXPECT_GE(contrastRatio(LinkLabel::hotColour(dark), dark.color(QPalette::Window)), 4.5);
    EXPECT_EQ(LinkLabel::hotColour(QPalette(Qt::white)).rgb(), QPalette(Qt::white).color(QPalette::Link).rgb());
}

} // namespace
