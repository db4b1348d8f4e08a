#include "common/WindowFixture.h"

#include "window/LabeledEdit.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QTabBar>
#include <QTest>

namespace {

using KeyboardOrderTest = WindowTest;

// Tab from the page tabs walks the current page's controls in their order, then the buttons, and
// comes back to the tabs.
TEST_F(KeyboardOrderTest, TabWalksTheCurrentPageThenTheButtons) {
    QApplication::setActiveWindow(form.get());
    QWidget* const tabs = form->PageControl1->findChild<QTabBar*>();
    tabs->setFocus();
    const QList<QWidget*> expected = {form->LabeledEdit1, form->LabeledEdit2, form->CheckBox1,
                                      form->ComboBox1,    form->LabeledEdit3, form->Button1,
                                      form->Button2,      form->Button3,      tabs};
    for (QWidget* next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next);
    }
}

} // namespace
