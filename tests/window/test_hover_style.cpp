#include "window/controls/HoverStyle.h"

#include "common/Painted.h"
#include "window/controls/LabelEvents.h"

#include <QApplication>
#include <QEnterEvent>
#include <QLabel>

#include <gtest/gtest.h>

namespace {

class HoverStyleTest : public testing::Test {
protected:
    HoverStyleTest() {
        QFont font("DejaVu Sans");
        font.setPointSize(8);
        label.setFont(font);
        label.setText("Standard destination folder");
        HoverStyle::apply(&label);
    }

    QLabel label;
};

TEST_F(HoverStyleTest, HotColourIsTheLinkColourAndDiffersFromWindowText) {
    const QColor link = QApplication::palette().color(QPalette::Link);
    const QColor windowText = QApplication::palette().color(QPalette::WindowText);
    EXPECT_TRUE(paintsIn(&label, windowText, link));
    HoverStyle::enter(&label);
    EXPECT_TRUE(paintsIn(&label, link, windowText));
}

TEST_F(HoverStyleTest, AppliedLabelShowsTheHandAndRestsInWindowText) {
    EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(paintsIn(&label, HoverStyle::restColor(), HoverStyle::hotColor()));
}

TEST_F(HoverStyleTest, EnterAndLeaveChangeOnlyTheTextColour) {
    const QFont font = label.font();
    const QString text = label.text();

    HoverStyle::enter(&label);
    EXPECT_TRUE(paintsIn(&label, HoverStyle::hotColor(), HoverStyle::restColor()));
    EXPECT_EQ(label.font(), font);
    EXPECT_FALSE(label.font().underline());
    EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);

    HoverStyle::leave(&label);
    EXPECT_TRUE(paintsIn(&label, HoverStyle::restColor(), HoverStyle::hotColor()));
    EXPECT_EQ(label.font(), font);
    EXPECT_EQ(label.text(), text);
}

// Painted while its window is active, then after another window took the activation.
TEST_F(HoverStyleTest, ColourHoldsInEveryColourGroup) {
    HoverStyle::enter(&label);
    label.show();
    QWidget other;
    other.show();
    for (QWidget* active : {static_cast<QWidget*>(&label), &other}) {
        QApplication::setActiveWindow(active);
        EXPECT_TRUE(paintsIn(&label, HoverStyle::hotColor(), HoverStyle::restColor())) << label.isActiveWindow();
    }
}

TEST_F(HoverStyleTest, PointerPassingOverTheLabelLeavesItInWindowText) {
    LabelEvents::onMouseEnter(&label, [this] { HoverStyle::enter(&label); });
    LabelEvents::onMouseLeave(&label, [this] { HoverStyle::leave(&label); });

    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(&label, &enter);
    EXPECT_TRUE(paintsIn(&label, HoverStyle::hotColor(), HoverStyle::restColor()));

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&label, &leave);
    EXPECT_TRUE(paintsIn(&label, HoverStyle::restColor(), HoverStyle::hotColor()));
}

} // namespace
