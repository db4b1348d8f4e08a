#include "window/controls/HoverStyle.h"

#include "window/controls/LabelEvents.h"

#include <QApplication>
#include <QEnterEvent>
#include <QLabel>

#include <gtest/gtest.h>

namespace {

QColor textColour(const QLabel& label) {
    return label.palette().color(QPalette::WindowText);
}

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
    EXPECT_EQ(HoverStyle::hotColor(), QApplication::palette().color(QPalette::Link));
    EXPECT_EQ(HoverStyle::restColor(), QApplication::palette().color(QPalette::WindowText));
    EXPECT_NE(HoverStyle::hotColor(), HoverStyle::restColor());
}

TEST_F(HoverStyleTest, AppliedLabelShowsTheHandAndRestsInWindowText) {
    EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(textColour(label), HoverStyle::restColor());
}

TEST_F(HoverStyleTest, EnterAndLeaveChangeOnlyTheTextColour) {
    const QFont font = label.font();
    const QString text = label.text();

    HoverStyle::enter(&label);
    EXPECT_EQ(textColour(label), HoverStyle::hotColor());
    EXPECT_EQ(label.font(), font);
    EXPECT_FALSE(label.font().underline());
    EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);

    HoverStyle::leave(&label);
    EXPECT_EQ(textColour(label), HoverStyle::restColor());
    EXPECT_EQ(label.font(), font);
    EXPECT_EQ(label.text(), text);
}

TEST_F(HoverStyleTest, ColourHoldsInEveryColourGroup) {
    HoverStyle::enter(&label);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        EXPECT_EQ(label.palette().color(group, QPalette::WindowText), HoverStyle::hotColor()) << group;
    }
}

TEST_F(HoverStyleTest, PointerPassingOverTheLabelLeavesItInWindowText) {
    LabelEvents::onMouseEnter(&label, [this] { HoverStyle::enter(&label); });
    LabelEvents::onMouseLeave(&label, [this] { HoverStyle::leave(&label); });

    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(&label, &enter);
    EXPECT_EQ(textColour(label), HoverStyle::hotColor());

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&label, &leave);
    EXPECT_EQ(textColour(label), HoverStyle::restColor());
}

} // namespace
