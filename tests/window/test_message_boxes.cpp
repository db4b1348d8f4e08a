#include "common/QtPrinters.h"

#include "window/dialogs/MessageBoxes.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

struct FullStopCase {
    const char* message;
    const char* shown;
};

class FullStopTest : public testing::TestWithParam<FullStopCase> {};

TEST_P(FullStopTest, AppendsAFullStopAfterALetterOrDigit) {
    EXPECT_EQ(MessageBoxes::withFullStop(GetParam().message), QString(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(Messages, FullStopTest,
                         testing::Values(FullStopCase{"Pas de document actif", "Pas de document actif."},
                                         FullStopCase{"Ligne: 12", "Ligne: 12."},
                                         FullStopCase{"(Null) en type (String)", "(Null) en type (String)"},
                                         FullStopCase{"ends with a blank ", "ends with a blank "},
                                         FullStopCase{"already.", "already."}, FullStopCase{"<a>", "<a>."},
                                         FullStopCase{"", ""}));

TEST(MessageBoxes, RecordsTheStandardErrorBox) {
    QList<MessageBoxes::Message> messages;
    MessageBoxes::recordInto(&messages);
    MessageBoxes::showError("Broken");
    MessageBoxes::recordInto(nullptr);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].text, "Broken.");
    EXPECT_EQ(messages[0].title, "Parcelwright for Macromedia products");
    EXPECT_EQ(messages[0].icon, QMessageBox::Critical);
}

// A file's content can look like markup: the user reads it as the characters it is. A long text
// fits the screen and scrolls.
TEST(MessageBoxes, ShowTextsAsTheyAreAndLongOnesScroll) {
    const QString text = "its root element is <html>, not <macromedia-extension>; <b>bold</b> &amp;\n";
    const auto error = MessageBoxes::newErrorBox(text);
    EXPECT_EQ(
        QAccessible::queryAccessibleInterface(error->findChild<QLabel*>("qt_msgbox_label"))->text(QAccessible::Name),
        text);
    for (const auto& [key, result] :
         {std::pair{Qt::Key_Return, QDialog::Accepted}, {Qt::Key_Escape, QDialog::Rejected}}) {
        const auto box = MessageBoxes::newTextBox(text.repeated(3000));
        box->show();
        auto* view = box->findChild<QPlainTextEdit*>();
        EXPECT_EQ(view->toPlainText(), text.repeated(3000));
        EXPECT_TRUE(QApplication::primaryScreen()->availableGeometry().contains(box->frameGeometry()));
        EXPECT_GT(view->verticalScrollBar()->maximum(), 0);
        QTest::keyClick(view, key);
        EXPECT_EQ(box->result(), result);
    }
}

// A long file name wraps instead of widening the box past the screen, and screen readers read it as it
// is. The question before replacing a file answers No to Enter.
TEST(MessageBoxes, LongNamesWrapAndTheReplaceQuestionDefaultsToNo) {
    const QString name = "/tmp/" + QString(250, 'n') + ".mxi";
    const auto question = MessageBoxes::newReplaceQuestion(name);
    question->show();
    EXPECT_TRUE(QApplication::primaryScreen()->availableGeometry().contains(question->frameGeometry()));
    auto* label = question->findChild<QLabel*>("qt_msgbox_label");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name),
              "\"" + name + "\" already exists.\nDo you want to replace it?");
    QTest::keyClick(question.get(), Qt::Key_Return);
    EXPECT_EQ(question->result(), QMessageBox::No);
}

// The question before unsaved changes go: Enter saves, Alt+D discards, Escape cancels.
TEST(MessageBoxes, TheSaveChangesQuestionAnswersByKey) {
    for (const auto& [key, modifier, answer] : {std::tuple{Qt::Key_Return, Qt::NoModifier, QMessageBox::Save},
                                                {Qt::Key_D, Qt::AltModifier, QMessageBox::Discard},
                                                {Qt::Key_Escape, Qt::NoModifier, QMessageBox::Cancel}}) {
        const auto question = MessageBoxes::newSaveChangesQuestion("a.mxi");
        question->show();
        question->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(question.get()));
        EXPECT_EQ(question->text(), "Save changes to a.mxi?");
        QTest::keyClick(question.get(), key, modifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return question->isHidden(); })); // a mnemonic clicks after a moment
        EXPECT_EQ(question->result(), answer);
    }
}
