#include "common/QtPrinters.h"
#include "common/UserInput.h"

#include "window/controls/PageControl.h"
#include "window/dialogs/MessageBoxes.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

class PageControlTest : public testing::Test {
protected:
    void SetUp() override {
        MessageBoxes::recordInto(&messages);
        for (const QString& name : {QString("A"), QString("B"), QString("C")}) {
            pages.addPage(
                new QWidget, name, [this, name] { handle("show " + name); }, [this, name] { handle("hide " + name); });
        }
        pages.showActivePage();
        pages.show();
    }
    void TearDown() override { MessageBoxes::recordInto(nullptr); }

    void handle(const QString& call) {
        calls.append(call);
        if (call == failing)
            throw Error("failed " + call);
        if (call == keeping)
            throw PageKeptError("kept " + call);
    }

    PageControl pages{nullptr};
    QStringList calls;
    QString failing;
    QString keeping;
    QList<MessageBoxes::Message> messages;
};

} // namespace

TEST_F(PageControlTest, ShowsTheNewPageBeforeHidingTheOld) {
    clickTab(&pages, 2);
    clickTab(&pages, 1);
    EXPECT_EQ(calls, QStringList({"show A", "show C", "hide A", "show B", "hide C"}));
}

TEST_F(PageControlTest, ReportsAnErrorAndCompletesTheChange) {
    failing = "hide A";
    clickTab(&pages, 1);
    EXPECT_EQ(pages.currentIndex(), 1);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].text, "failed hide A.");
}

TEST_F(PageControlTest, APageThatKeepsItsEditsBecomesActiveAgain) {
    keeping = "hide A";
    clickTab(&pages, 2);
    EXPECT_EQ(pages.currentIndex(), 0);
    EXPECT_EQ(calls, QStringList({"show A", "show C", "hide A", "show A", "hide C"}));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].text, "kept hide A.");
}
