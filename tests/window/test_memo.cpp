#include "common/WindowFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QTest>
#include <QTextBlock>

namespace {

class MemoTest : public WindowTest {
protected:
    QString description() const { return Mxi::findRoot(form->XMLDocument1).findChild(Mxi::Description).xml(); }
    QString changes() const { return Mxi::findRoot(form->XMLDocument1).findChild(Mxi::ConfigurationChanges).xml(); }
};

TEST_F(MemoTest, ShiftEnterTypesALineBreak) {
    clickTab(DescriptionPage);
    form->Memo1->clear();
    QTest::keyClicks(form->Memo1, "one");
    QTest::keyClick(form->Memo1, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(form->Memo1, "two");
    clickTab(ConfigurationPage);
    QTest::keyClicks(form->Memo3, "<menu");
    QTest::keyClick(form->Memo3, Qt::Key_Enter, Qt::ShiftModifier);
    QTest::keyClicks(form->Memo3, "id=\"m\"/>");
    clickTab(MainPage);

    EXPECT_EQ(messageTexts(), QStringList());
    EXPECT_EQ(description(), "<description><![CDATA[one\ntwo]]></description>");
    EXPECT_EQ(changes(), "<configuration-changes><menu id=\"m\"/></configuration-changes>");
}

TEST_F(MemoTest, TabMovesTheFocusOn) {
    QApplication::setActiveWindow(form.get());
    clickTab(DescriptionPage);
    form->Memo1->setFocus();
    QTest::keyClick(form->Memo1, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form->Memo2);
    clickTab(ConfigurationPage);
    form->Memo3->setFocus();
    QTest::keyClick(form->Memo3, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), form->Memo3);
    clickTab(MainPage);

    EXPECT_EQ(description(), "<description><![CDATA[description]]></description>");
    EXPECT_EQ(changes(), "<configuration-changes/>");
}

// A line far longer than the box is edited at the seam between the blocks that hold it.
TEST_F(MemoTest, EditsAtTheSeamsOfALongLine) {
    const QString line = QString("0123456789").repeated(1000);
    const QString text = line + "\r" + line;
    const QString file = writeFile("<macromedia-extension><description>" + line.toUtf8() + "&#13;" + line.toUtf8() +
                                   "</description></macromedia-extension>");
    const struct {
        Qt::Key key;
        int removedBefore;
        int removedAfter;
        QString inserted;
        QString committed = {}; // by an input method
    } edits[] = {{Qt::Key_unknown, 0, 0, ""},   {Qt::Key_unknown, 0, 0, "\n", QString(QChar::ParagraphSeparator)},
                 {Qt::Key_Backspace, 1, 0, ""}, {Qt::Key_Delete, 0, 1, ""},
                 {Qt::Key_Return, 0, 0, "\n"},  {Qt::Key_X, 0, 0, "x"}};
    for (const auto& edit : edits) {
        SCOPED_TRACE(&edit - edits);
        load(file);
        clickTab(DescriptionPage);
        ASSERT_GT(form->Memo1->blockCount(), 2);
        const QTextBlock second = form->Memo1->document()->firstBlock().next();
        const int seam = second.position() - 1;
        form->Memo1->setTextCursor(QTextCursor(second));
        if (edit.key != Qt::Key_unknown)
            QTest::keyClick(form->Memo1, edit.key);
        QInputMethodEvent commit;
        commit.setCommitString(edit.committed);
        QCoreApplication::sendEvent(form->Memo1, &commit);
        clickTab(MainPage);
        // Compared as a whole, but reported briefly: the text is long.
        EXPECT_TRUE(Mxi::findRoot(form->XMLDocument1).findChild(Mxi::Description).firstChild().value() ==
                    text.left(seam - edit.removedBefore) + edit.inserted + text.mid(seam + edit.removedAfter));
    }
}

TEST_F(MemoTest, CopiesAndPastesALongLineWhole) {
    const QString line = QString("0123456789 ").repeated(1000);
    load(writeFile("<macromedia-extension><description>" + line.toUtf8() + "</description></macromedia-extension>"));
    clickTab(DescriptionPage);
    QTest::keyClick(form->Memo1, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(form->Memo1, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), line);
    QTest::keyClick(form->Memo1, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(form->Memo1, Qt::Key_V, Qt::ControlModifier);
    clickTab(MainPage);
    EXPECT_EQ(description(), "<description>" + line + line + "</description>");
}

} // namespace
