#include "common/WindowFixture.h"

#include "window/controls/LabeledEdit.h"
#include "window/controls/ProblemsIndicator.h"
#include "window/forms/Unit2.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTabBar>
#include <QTest>

namespace {

class KeyboardOrderTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        QApplication::setActiveWindow(form.get());
    }

    // Opens a page by a click on its tab, then walks with Tab from the tabs to widget.
    void tabTo(Page page, QWidget* widget) {
        clickTab(page);
        form->PageControl1->tabBar()->setFocus();
        for (int step = 0; step < 20 && QApplication::focusWidget() != widget; ++step)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), widget);
    }
};

// Tab from the page tabs walks the current page's controls in their order, then the buttons, and
// comes back to the tabs.
TEST_F(KeyboardOrderTest, TabWalksTheCurrentPageThenTheButtons) {
    QWidget* const tabs = form->PageControl1->findChild<QTabBar*>();
    tabs->setFocus();
    QList<QWidget*> expected = {form->Image1, form->LabeledEdit1, form->LabeledEdit2, form->CheckBox1};
    expected += {form->ComboBox1, form->LabeledEdit3, form->Label3, form->ProblemsIndicator1};
    expected += {form->Button1, form->Button2, form->Button3, tabs};
    for (QWidget* next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next);
    }
}

TEST_F(KeyboardOrderTest, ControlKeysLoadSaveShowTheDocumentAndClose) {
    EXPECT_EQ(form->Button1->toolTip(), "Load (Ctrl+O)");
    EXPECT_EQ(form->Button2->toolTip(), "Save (Ctrl+S)");
    EXPECT_EQ(form->Button3->toolTip(), "Close (Ctrl+Q)");
    form->OpenDialog1.scriptAnswer(writeFile(R"(<macromedia-extension name="Keyed"/>)"));
    QTest::keyClick(form->LabeledEdit2, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(form->LabeledEdit1->text(), "Keyed");

    QTest::keyClick(form->LabeledEdit1, Qt::Key_D, Qt::ControlModifier);
    ASSERT_EQ(messageTexts().size(), 1);
    EXPECT_TRUE(messageTexts()[0].contains(R"(<macromedia-extension name="Keyed")"));

    form->SaveDialog1.scriptAnswer(folder.filePath("keyed.mxi"));
    QTest::keyClick(form->LabeledEdit1, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(readBytes(folder.filePath("keyed.mxi")), messageTexts()[0].toUtf8());

    QTest::keyClick(form->LabeledEdit1, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(form->isVisible());
}

// A link opens on Enter or Space once Tab has reached it, and shows a focus frame while it has the focus.
TEST_F(KeyboardOrderTest, LinksOpenOnEnterAndSpaceWithAFocusFrame) {
    TForm2 form2;
    form->Form2 = &form2;
    tabTo(ConfigurationPage, form->Label13);
    const QImage framed = form->Label13->grab().toImage();
    QTest::keyClick(form->Label13, Qt::Key_Return);
    form->Memo3->setFocus();
    EXPECT_NE(form->Label13->grab().toImage(), framed);
    tabTo(MainPage, form->Label3);
    QTest::keyClick(form->Label3, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(shell.opened.size(), 2);

    // Escape closes a help window; a minimised one comes back at the next Space on its link.
    tabTo(FilesPage, form->Label4);
    QTest::keyClick(form->Label4, Qt::Key_Space);
    QTest::keyClick(&form2, Qt::Key_Escape);
    EXPECT_FALSE(form2.isVisible());
    QTest::keyClick(form->Label4, Qt::Key_Space);
    form2.showMinimized();
    QTest::keyClick(form->Label4, Qt::Key_Space);
    EXPECT_TRUE(form2.isVisible() && !form2.isMinimized());
}

} // namespace
