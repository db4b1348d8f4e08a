#include "common/WindowFixture.h"

#include "window/controls/AttributeTable.h"

#include <QTest>

namespace {

constexpr int MorePage = 5;

// The root's other attributes on the More page: a value typed over an existing one reaches the document
// however the typing ends, and a question about unsaved changes sees it before it does.
class AttributeTableTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    void showDate() {
        load(writeFile(R"(<macromedia-extension name="n" version="1" date="2020"/>)"));
        clickTab(Page(MorePage));
    }

    // A click on the date's value, then the keys of text, which open the cell's editor.
    void typeOverDate(const QString& text) {
        AttributeTable* table = form->rootAttributes;
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualItemRect(table->item(0, 1)).center());
        for (const QChar character : text)
            QTest::keyClick(QApplication::focusWidget(), character.toLatin1());
    }
};

TEST_F(AttributeTableTest, ATypedValueReachesTheDocumentHoweverTheTypingEnds) {
    const struct {
        const char* what;
        std::function<void()> edit;
    } cases[] = {
        {"typed over, Return", [this] { typeInCell(form->rootAttributes, 0, 1, "2021"); }},
        {"typed into the cell, Enter",
         [this] {
             typeOverDate("2021");
             QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
             QApplication::processEvents();
         }},
        {"typed into the cell, Tab",
         [this] {
             typeOverDate("2021");
             QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
         }},
        {"typed into the cell, another page clicked", [this] { typeOverDate("2021"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        showDate();
        c.edit();
        clickTab(MainPage);
        EXPECT_TRUE(form->XMLDocument1.xml().contains(R"(date="2021")")) << form->XMLDocument1.xml().toStdString();
    }
}

TEST_F(AttributeTableTest, ClosingWhileACellIsTypedInAsksToSave) {
    showDate();
    typeOverDate("2021");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(messageTexts(), QStringList({"Save changes to source1.mxi?"}));
    EXPECT_TRUE(form->isVisible());
}

TEST_F(AttributeTableTest, ThreeAttributesShowWithoutScrolling) {
    load(writeFile(R"(<macromedia-extension name="n" version="1" date="d" icon="i" mxiversion="5"/>)"));
    clickTab(Page(MorePage));
    const AttributeTable* table = form->rootAttributes;
    for (int row = 0; row < 3; ++row)
        EXPECT_TRUE(table->viewport()->rect().contains(table->visualItemRect(table->item(row, 1)))) << row;
}

} // namespace
