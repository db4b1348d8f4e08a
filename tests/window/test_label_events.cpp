#include "window/controls/LabelEvents.h"

#include <QApplication>
#include <QEnterEvent>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class LabelEventsTest : public testing::Test {
protected:
    LabelEventsTest() {
        label.resize(120, 20);
        LabelEvents::onClick(&label, [this] { ++clicks; });
        LabelEvents::onMouseEnter(&label, [this] { ++enters; });
        LabelEvents::onMouseLeave(&label, [this] { ++leaves; });
    }

    void enter() {
        QEnterEvent event(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(&label, &event);
    }

    void leave() {
        QEvent event(QEvent::Leave);
        QApplication::sendEvent(&label, &event);
    }

    QLabel label;
    int clicks = 0;
    int enters = 0;
    int leaves = 0;
};

TEST_F(LabelEventsTest, LeftClickCallsTheClickHandlerOnly) {
    QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(enters, 0);
    EXPECT_EQ(leaves, 0);

    QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(119, 19));
    EXPECT_EQ(clicks, 2);
}

TEST_F(LabelEventsTest, OtherButtonsAndReleasesOutsideAreNoClick) {
    QTest::mouseClick(&label, Qt::RightButton, {}, QPoint(10, 10));
    QTest::mouseClick(&label, Qt::MiddleButton, {}, QPoint(10, 10));
    QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks, 0);
    QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(130, 10));
    EXPECT_EQ(clicks, 0);
}

TEST_F(LabelEventsTest, EnterAndLeaveCallTheirOwnHandlers) {
    enter();
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(leaves, 0);
    leave();
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(leaves, 1);
    EXPECT_EQ(clicks, 0);
}

TEST_F(LabelEventsTest, EveryHandlerOfAnEventIsCalled) {
    int secondClicks = 0;
    LabelEvents::onClick(&label, [&secondClicks] { ++secondClicks; });
    QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(secondClicks, 1);
}

TEST_F(LabelEventsTest, EventsStillReachTheWidget) {
    QLabel link("<a href=\"#\">link</a>");
    bool activated = false;
    QObject::connect(&link, &QLabel::linkActivated, [&activated] { activated = true; });
    int linkClicks = 0;
    LabelEvents::onClick(&link, [&linkClicks] { ++linkClicks; });
    link.resize(link.sizeHint());
    link.show();
    const QPoint onText(4, link.height() / 2);
    QTest::mouseClick(&link, Qt::LeftButton, {}, onText);
    EXPECT_EQ(linkClicks, 1);
    EXPECT_TRUE(activated);
}

} // namespace
