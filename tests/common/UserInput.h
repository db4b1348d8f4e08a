#pragma once

// What the user does with mouse and keyboard, sent as events to the controls.

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

// Changes the page as the user does: a click on its tab.
inline void clickTab(QTabWidget* pages, int page) {
    QTabBar* tabs = pages->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(page).center());
}

// Picks a row of a drop-down list as the user does: opens the list, moves to the row, presses Enter.
inline void pickFromList(QComboBox* list, int row) {
    list->showPopup();
    list->view()->setCurrentIndex(list->model()->index(row, 0));
    QTest::keyClick(list->view(), Qt::Key_Return);
}

// Types text over all that the box holds: Ctrl+A and Delete, then one key for each character, a
// line break being Return and a tab Tab.
inline void typeOver(QWidget* box, const QString& text) {
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Delete);
    for (const QChar character : text) {
        const Qt::Key key = character == u'\n'   ? Qt::Key_Return
                            : character == u'\t' ? Qt::Key_Tab
                                                 : Qt::Key(character.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Click, box, key, QString(character), Qt::NoModifier);
    }
}

// Pastes text copied elsewhere over all that the box holds: Ctrl+A, then Ctrl+V.
inline void pasteOver(QWidget* box, const QString& text) {
    QApplication::clipboard()->setText(text);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
}

// Types text over a table cell as the user does: a click on the cell, F2, the text in the cell's editor,
// Return. The cell takes the text once the event loop runs after Return, as it does between the user's keys.
inline void typeInCell(QTableWidget* table, int row, int column, const QString& text) {
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualItemRect(table->item(row, column)).center());
    QTest::keyClick(table, Qt::Key_F2);
    QLineEdit* editor = nullptr;
    for (QLineEdit* opened : table->viewport()->findChildren<QLineEdit*>()) {
        if (opened->isVisible())
            editor = opened;
    }
    ASSERT_NE(editor, nullptr);
    typeOver(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
}
