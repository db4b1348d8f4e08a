#include "common/WindowFixture.h"

#include <QAccessible>
#include <QTabBar>
#include <QTest>

namespace {

using AccessibleNamesTest = WindowTest;

// The controls under item, as a screen reader walks them, that have no name. A table's cell may hold an
// empty value.
QStringList unnamedControls(QAccessibleInterface* item) {
    static const QList<QAccessible::Role> containers = {QAccessible::Client,      QAccessible::Pane,
                                                        QAccessible::LayeredPane, QAccessible::ScrollBar,
                                                        QAccessible::Window,      QAccessible::Cell};
    QStringList unnamed;
    if (!containers.contains(item->role()) && item->text(QAccessible::Name).trimmed().isEmpty())
        unnamed.append(QStringLiteral("%1 (role %2)")
                           .arg(item->object() ? item->object()->metaObject()->className() : "a part")
                           .arg(item->role()));
    for (int child = 0; child < item->childCount(); ++child)
        unnamed += unnamedControls(item->child(child));
    return unnamed;
}

// Each page, opened by a click on its tab, shows only named controls.
TEST_F(AccessibleNamesTest, EveryControlOfEveryPageHasAName) {
    EXPECT_EQ(QAccessible::queryAccessibleInterface(form.get())->role(), QAccessible::Window);
    QTabBar* tabs = form->PageControl1->findChild<QTabBar*>();
    for (int page = 0; page < tabs->count(); ++page) {
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(page).center());
        ASSERT_EQ(form->PageControl1->currentIndex(), page);
        EXPECT_EQ(unnamedControls(QAccessible::queryAccessibleInterface(form.get())), QStringList()) << page;
    }
}

} // namespace
