#include "common/WindowFixture.h"

#include <QComboBox>
#include <QTest>

namespace {

using TypeListKeysTest = WindowTest;

// On the closed list Down and Up step from type to type over the headings; at either end they stay.
TEST_F(TypeListKeysTest, DownAndUpOnTheClosedListStepOverHeadings) {
    form->ComboBox1->setFocus();
    const std::pair<Qt::Key, QString> steps[] = {{Qt::Key_Up, ""},
                                                 {Qt::Key_Down, "object"},
                                                 {Qt::Key_Up, "object"},
                                                 {Qt::Key_End, "generatorobject"},
                                                 {Qt::Key_Down, "generatorobject"},
                                                 {Qt::Key_Up, "flash panel"},
                                                 {Qt::Key_Up, "flash custom action"}};
    for (const auto& [key, type] : steps) {
        QTest::keyClick(form->ComboBox1, key);
        EXPECT_EQ(rootAttribute("type"), type);
    }
    pickFromList(form->ComboBox1, Mxi::typeRowOf("suite"));
    QTest::keyClick(form->ComboBox1, Qt::Key_Down);
    EXPECT_EQ(form->ComboBox1->currentText(), "dataSource");
    EXPECT_EQ(shell.beeps, 0);
}

} // namespace
