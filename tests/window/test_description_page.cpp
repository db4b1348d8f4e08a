#include "common/WindowFixture.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextDocument>

namespace {

QByteArray crlfLines(const QList<QByteArray>& lines) {
    QByteArray text;
    for (const QByteArray& line : lines)
        text += line + "\r\n";
    return text;
}

// The saved skeleton with the two texts in their CDATA sections, given as they appear in the file.
QByteArray savedSkeleton(const QByteArray& description, const QByteArray& uiAccess) {
    return crlfLines({
        R"(<macromedia-extension name="" version="" type="" requires-restart="true">)",
        "  <description>",
        "    <![CDATA[" + description + "]]>",
        "  </description>",
        "  <ui-access>",
        "    <![CDATA[" + uiAccess + "]]>",
        "  </ui-access>",
        "  <products/>",
        R"(  <author name=""/>)",
        "  <files/>",
        "  <configuration-changes/>",
        "</macromedia-extension>",
    });
}

// How a text gets into a box: typed, or pasted.
using Entry = void (*)(QWidget*, const QString&);

class DescriptionPageTest : public WindowTest {
protected:
    // Shows the page, types (or pastes) the two texts, and leaves it.
    void enter(const QString& description, const QString& uiAccess, Entry put = typeOver) {
        clickTab(DescriptionPage);
        put(form->Memo1, description);
        put(form->Memo2, uiAccess);
        clickTab(MainPage);
    }

    XmlNode element(const QString& name) const { return Mxi::findRoot(form->XMLDocument1).findChild(name); }
};

TEST_F(DescriptionPageTest, LaysOutTwoWrappingBoxesWithoutScrollBars) {
    EXPECT_EQ(form->Label9->text(), "Description");
    EXPECT_EQ(form->Label9->pos(), QPoint(8, 8));
    EXPECT_EQ(form->Label10->text(), "UI-Access");
    EXPECT_EQ(form->Label10->pos(), QPoint(8, 144));
    EXPECT_EQ(form->Memo1->geometry(), QRect(8, 24, 433, 105));
    EXPECT_EQ(form->Memo2->geometry(), QRect(8, 160, 433, 97));
    for (QPlainTextEdit* memo : {form->Memo1, form->Memo2}) {
        EXPECT_EQ(memo->parentWidget(), form->TabSheet5);
        EXPECT_EQ(memo->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        EXPECT_EQ(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        EXPECT_EQ(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    }
}

TEST_F(DescriptionPageTest, ShowsThePlaceholdersOnlyFromItsFirstShow) {
    EXPECT_EQ(form->Memo1->toPlainText(), "");
    EXPECT_EQ(form->Memo2->toPlainText(), "");

    clickTab(DescriptionPage);
    EXPECT_EQ(form->Memo1->toPlainText(), "description");
    EXPECT_EQ(form->Memo2->toPlainText(), "ui-access");

    clickTab(ProductsPage);
    EXPECT_EQ(elementXml(Mxi::Description), "<description><![CDATA[description]]></description>");
    EXPECT_EQ(elementXml(Mxi::UiAccess), "<ui-access><![CDATA[ui-access]]></ui-access>");
    EXPECT_EQ(save(), savedSkeleton("description", "ui-access"));
}

TEST_F(DescriptionPageTest, TypedLinesAreStoredAsTypedAndSavedWithCrLf) {
    clickTab(DescriptionPage);
    form->Memo1->clear();
    QTest::keyClicks(form->Memo1, "First line");
    QTest::keyClick(form->Memo1, Qt::Key_Return);
    QTest::keyClick(form->Memo1, Qt::Key_Return);
    QTest::keyClicks(form->Memo1, "  third, indented ");
    form->Memo2->clear();
    clickTab(MainPage);

    EXPECT_EQ(elementXml(Mxi::Description), "<description><![CDATA[First line\n\n  third, indented ]]></description>");
    EXPECT_EQ(elementXml(Mxi::UiAccess), "<ui-access><![CDATA[]]></ui-access>");
    clickTab(DescriptionPage);
    EXPECT_EQ(form->Memo1->toPlainText(), "First line\n\n  third, indented ");
    EXPECT_EQ(form->Memo2->toPlainText(), "");

    EXPECT_EQ(save(), savedSkeleton("First line\r\n\r\n  third, indented ", ""));
}

TEST_F(DescriptionPageTest, KeepsEveryCharacterAsTyped) {
    // Tab moves the focus on, so a tab comes in pasted.
    const std::pair<QString, Entry> texts[] = {
        {"<p class=\"intro\">Fish & chips</p>", typeOver},
        {"a < b && c > d; 'single' \"double\"", typeOver},
        {"&amp; stays &amp;, &lt;b&gt; stays too", typeOver},
        {QStringLiteral("no-break\u00A0space, line\u2028separator"), typeOver},
        {"tab\there", pasteOver},
        {QStringLiteral("caf\u00E9 \u65E5\u672C\u8A9E"), typeOver},
        {"", typeOver},
    };
    for (const auto& [text, put] : texts) {
        SCOPED_TRACE(text.toStdString());
        enter(text, text + "!", put);
        EXPECT_EQ(element(Mxi::Description).firstChild().value(), text);
        EXPECT_EQ(element(Mxi::Description).firstChild().type(), NodeType::CData);
        EXPECT_EQ(element(Mxi::UiAccess).firstChild().value(), text + "!");
        clickTab(DescriptionPage);
        EXPECT_EQ(form->Memo1->document()->toRawText(), text);
        EXPECT_EQ(form->Memo2->document()->toRawText(), text + "!");
        clickTab(MainPage);
    }
    EXPECT_EQ(save(), savedSkeleton("", "!"));
}

TEST_F(DescriptionPageTest, MarkupCharactersAreSavedUnescapedInsideTheSection) {
    enter("<b>Fish & \"chips\"</b>", "a > b");
    EXPECT_EQ(save(), savedSkeleton("<b>Fish & \"chips\"</b>", "a > b"));
}

TEST_F(DescriptionPageTest, PlainTextStaysAPlainTextNode) {
    loadRootContent("<description>Fish &amp; chips &lt;here&gt;</description><ui-access>Menu</ui-access>");
    clickTab(DescriptionPage);
    EXPECT_EQ(form->Memo1->toPlainText(), "Fish & chips <here>");
    EXPECT_EQ(form->Memo2->toPlainText(), "Menu");

    typeOver(form->Memo1, "Salt & \"vinegar\" <b>\nnext");
    clickTab(MainPage);
    EXPECT_EQ(elementXml(Mxi::Description), "<description>Salt &amp; \"vinegar\" &lt;b&gt;\nnext</description>");
    EXPECT_EQ(elementXml(Mxi::UiAccess), "<ui-access>Menu</ui-access>");
    EXPECT_EQ(save(), crlfLines({
                          R"(<macromedia-extension name="n" version="1" type="command" requires-restart="true">)",
                          R"(  <description>Salt &amp; "vinegar" &lt;b&gt;)",
                          "next</description>",
                          "  <ui-access>Menu</ui-access>",
                          "</macromedia-extension>",
                      }));
}

TEST_F(DescriptionPageTest, TextHoldingTheSectionEndSurvivesSaveAndReload) {
    const QString description = "before ]]> between ]]>";
    const QString uiAccess = "]]>]]>";
    enter(description, uiAccess);
    const QByteArray saved = save();
    EXPECT_EQ(saved, crlfLines({
                         R"(<macromedia-extension name="" version="" type="" requires-restart="true">)",
                         "  <description>",
                         "    <![CDATA[before ]]]]><![CDATA[> between ]]]]><![CDATA[>]]>",
                         "  </description>",
                         "  <ui-access>",
                         "    <![CDATA[]]]]><![CDATA[>]]]]><![CDATA[>]]>",
                         "  </ui-access>",
                         "  <products/>",
                         R"(  <author name=""/>)",
                         "  <files/>",
                         "  <configuration-changes/>",
                         "</macromedia-extension>",
                     }));

    load(savedFile);
    clickTab(DescriptionPage);
    EXPECT_EQ(form->Memo1->toPlainText(), description);
    EXPECT_EQ(form->Memo2->toPlainText(), uiAccess);
    clickTab(MainPage);
    EXPECT_EQ(element(Mxi::Description).childCount(), 1);
    EXPECT_EQ(element(Mxi::Description).firstChild().value(), description);
    EXPECT_EQ(element(Mxi::UiAccess).childCount(), 1);
    EXPECT_EQ(save(QStringLiteral("again.mxi")), saved);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(DescriptionPageTest, SectionPiecesOnSeparateLinesAreOneText) {
    loadRootContent("<description>\r\n    <![CDATA[a]]]]>\r\n    <![CDATA[>b]]>\r\n  </description>");
    ASSERT_EQ(element(Mxi::Description).childCount(), 2);
    clickTab(DescriptionPage);
    EXPECT_EQ(form->Memo1->toPlainText(), "a]]>b");
    clickTab(MainPage);
    // Left without an edit, the pieces stay as loaded.
    EXPECT_EQ(element(Mxi::Description).childCount(), 2);
    clickTab(DescriptionPage);
    typeOver(form->Memo1, "a]]>b!");
    clickTab(MainPage);
    EXPECT_EQ(elementXml(Mxi::Description), "<description><![CDATA[a]]]]><![CDATA[>b!]]></description>");
    EXPECT_EQ(element(Mxi::Description).childCount(), 1);
}

TEST_F(DescriptionPageTest, LeadingTextAndSectionsAreEditedAsOneText) {
    loadRootContent("<description>Text <![CDATA[& more]]><!--note--> tail<x/></description>"
                    "<ui-access><![CDATA[a]]>b</ui-access>");
    clickTab(DescriptionPage);
    EXPECT_EQ(form->Memo1->toPlainText(), "Text & more");
    EXPECT_EQ(form->Memo2->toPlainText(), "ab");
    typeOver(form->Memo1, "New & text");
    clickTab(MainPage);
    EXPECT_EQ(elementXml(Mxi::Description), "<description>New &amp; text<!--note--> tail<x/></description>");
    EXPECT_EQ(elementXml(Mxi::UiAccess), "<ui-access><![CDATA[a]]>b</ui-access>");
}

TEST_F(DescriptionPageTest, MissingOrEmptyElementsAreCreatedOnlyForText) {
    struct Case {
        const char* name;
        QByteArray rootContent;
        QString descriptionAfterTyping;
        QString uiAccessUntouched;
    };
    const Case cases[] = {
        {"missing", "<products/><files/>", "<description><![CDATA[typed]]></description>", ""},
        {"empty", "<description/><ui-access></ui-access><files/>", "<description><![CDATA[typed]]></description>",
         "<ui-access/>"},
        {"empty with attribute", R"(<description href="http://x/"/><files/>)",
         R"(<description href="http://x/"><![CDATA[typed]]></description>)", ""},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        loadRootContent(test.rootContent);
        const QString untouchedDescription = element(Mxi::Description) ? elementXml(Mxi::Description) : QString();

        clickTab(DescriptionPage);
        EXPECT_EQ(form->Memo1->toPlainText(), "");
        EXPECT_EQ(form->Memo2->toPlainText(), "");
        EXPECT_TRUE(form->Memo1->isEnabled());
        EXPECT_TRUE(form->Memo2->isEnabled());
        clickTab(MainPage);
        EXPECT_EQ(element(Mxi::Description) ? elementXml(Mxi::Description) : QString(), untouchedDescription);
        EXPECT_EQ(element(Mxi::UiAccess) ? elementXml(Mxi::UiAccess) : QString(), test.uiAccessUntouched);

        enter("typed", "");
        EXPECT_EQ(elementXml(Mxi::Description), test.descriptionAfterTyping);
        EXPECT_EQ(element(Mxi::UiAccess) ? elementXml(Mxi::UiAccess) : QString(), test.uiAccessUntouched);

        save();
        load(savedFile);
        clickTab(DescriptionPage);
        EXPECT_EQ(form->Memo1->toPlainText(), "typed");
        EXPECT_EQ(form->Memo2->toPlainText(), "");
        clickTab(MainPage);
    }
}

TEST_F(DescriptionPageTest, FirstChildElementIsEditedOnlyWhenItHoldsText) {
    loadRootContent("<description><p>Hello &amp; welcome</p><!--kept--></description>"
                    "<ui-access><div>a<br/>b</div>tail</ui-access>");
    clickTab(DescriptionPage);
    EXPECT_TRUE(form->Memo1->isEnabled());
    EXPECT_EQ(form->Memo1->toPlainText(), "Hello & welcome");
    EXPECT_FALSE(form->Memo2->isEnabled());
    EXPECT_EQ(form->Memo2->toPlainText(), "<div>a<br/>b</div>");

    typeOver(form->Memo1, "Bye & <b>");
    typeOver(form->Memo2, "not stored");
    clickTab(MainPage);
    EXPECT_EQ(elementXml(Mxi::Description), "<description><p>Bye &amp; &lt;b&gt;</p><!--kept--></description>");
    EXPECT_EQ(elementXml(Mxi::UiAccess), "<ui-access><div>a<br/>b</div>tail</ui-access>");

    loadRootContent("<description>d</description><ui-access>u</ui-access>");
    clickTab(DescriptionPage);
    EXPECT_TRUE(form->Memo2->isEnabled());
    EXPECT_EQ(form->Memo2->toPlainText(), "u");
}

} // namespace
