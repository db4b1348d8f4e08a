#include "common/QtPrinters.h"

#include "window/MessageBoxes.h"

#include <QAccessible>
#include <QApplication>
#include <QDialog>
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

// A file's content can look like markup; the user reads it as the characters it is.
TEST(MessageBoxes, ShowTextsAsTheyAre) {
    const QString text = "\"f.mxi\" is not an extension installation file: its root element is <html>, not "
                         "<macromedia-extension>; <b>bold</b> &amp;";
    const auto box = MessageBoxes::newErrorBox(text);
    const auto* label = box->findChild<QLabel*>("qt_msgbox_label");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(const_cast<QLabel*>(label))->text(QAccessible::Name), text);
    EXPECT_EQ(MessageBoxes::newTextBox(text)->findChild<QPlainTextEdit*>()->toPlainText(), text);
}

TEST(MessageBoxes, ALongTextFitsTheScreenScrollsAndClosesWithEnterOrEscape) {
    const QString text = QStringLiteral("<file source=\"%1\" destination=\"$dreamweaver/Configuration\"/>\n")
                             .arg(QString(300, 'x'))
                             .repeated(3000);
    const QSize screen = QApplication::primaryScreen()->availableSize();
    for (const auto& [key, result] :
         {std::pair{Qt::Key_Return, QDialog::Accepted}, {Qt::Key_Escape, QDialog::Rejected}}) {
        const auto box = MessageBoxes::newTextBox(text);
        box->show();
        EXPECT_LE(box->width(), screen.width());
        EXPECT_LE(box->height(), screen.height());
        auto* view = box->findChild<QPlainTextEdit*>();
        EXPECT_GT(view->verticalScrollBar()->maximum(), 0);
        EXPECT_GT(view->horizontalScrollBar()->maximum(), 0);
        QTest::keyClick(view, key);
        EXPECT_FALSE(box->isVisible());
        EXPECT_EQ(box->result(), result);
    }
}
