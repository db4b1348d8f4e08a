#pragma once

// What the user does with mouse and keyboard, sent as events to the controls.

#include <QTabBar>
#include <QTabWidget>
#include <QTest>

// Changes the page as the user does: a click on its tab.
inline void clickTab(QTabWidget* pages, int page) {
    QTabBar* tabs = pages->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(page).center());
}
