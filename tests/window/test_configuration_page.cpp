#include "common/Painted.h"
#include "common/WindowFixture.h"

#include "window/controls/LinkLabel.h"

#include <QEnterEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>

namespace {

const QString formatDocument = QStringLiteral("http://download.macromedia.com/pub/exchange/mxi_file_format.pdf");

QByteArray crlfLines(const QList<QByteArray>& lines) {
    QByteArray text;
    for (const QByteArray& line : lines)
        text += line + "\r\n";
    return text;
}

// The saved skeleton whose configuration-changes lines are the given ones.
QByteArray savedSkeleton(const QList<QByteArray>& configurationLines) {
    return crlfLines(QList<QByteArray>{
                         R"(<macromedia-extension name="" version="" type="" requires-restart="true">)",
                         "  <description>",
                         "    <![CDATA[description]]>",
                         "  </description>",
                         "  <ui-access>",
                         "    <![CDATA[ui-access]]>",
                         "  </ui-access>",
                         "  <products/>",
                         R"(  <author name=""/>)",
                         "  <files/>",
                     } +
                     configurationLines + QList<QByteArray>{"</macromedia-extension>"});
}

// The serialised children of an element, or nothing when the element is absent.
QString contentXml(const XmlNode& element) {
    QString text;
    if (element) {
        for (const XmlNode& child : element.children())
            text += child.xml();
    }
    return text;
}

QStringList childNames(const XmlNode& element) {
    QStringList names;
    for (const XmlNode& child : element.children())
        names.append(child.name());
    return names;
}

class ConfigurationPageTest : public WindowTest {
protected:
    // Shows the page, types the text, and picks another page.
    void type(const QString& text, Page next = MainPage) {
        clickTab(ConfigurationPage);
        typeOver(form->Memo3, text);
        clickTab(next);
    }

    XmlNode root() const { return Mxi::findRoot(form->XMLDocument1); }
    XmlNode changes() const { return root().findChild(Mxi::ConfigurationChanges); }
};

TEST_F(ConfigurationPageTest, LaysOutTheTagsAroundTheBoxAndTheLink) {
    EXPECT_EQ(form->Label11->text(), "<configuration-changes>");
    EXPECT_EQ(form->Label12->text(), "</configuration-changes>");
    for (QLabel* tag : {form->Label11, form->Label12}) {
        EXPECT_TRUE(tag->font().bold());
        EXPECT_EQ(tag->font().pixelSize(), 13);
        EXPECT_EQ(tag->textFormat(), Qt::PlainText);
    }
    EXPECT_EQ(form->Label11->pos(), QPoint(0, 0));
    EXPECT_EQ(form->Label12->pos(), QPoint(0, 240));
    EXPECT_EQ(form->Memo3->geometry(), QRect(40, 16, 409, 225));
    EXPECT_EQ(form->Memo3->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(form->Memo3->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(form->Memo3->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(form->Label13->text(), "For more information look at : The Extension Installation File Format");
    // At 128 where the text fits, further left where this machine's font would run off the page.
    EXPECT_EQ(form->Label13->y(), 256);
    EXPECT_EQ(form->Label13->x(), std::min(128, 449 - form->Label13->width()));
    EXPECT_LE(form->Label13->geometry().right(), 448);
    EXPECT_EQ(form->Label13->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_FALSE(form->Label13->font().bold());
    for (const QWidget* control :
         std::initializer_list<const QWidget*>{form->Label11, form->Memo3, form->Label12, form->Label13})
        EXPECT_EQ(control->parentWidget(), form->TabSheet4);
}

TEST_F(ConfigurationPageTest, EmptyBoxLeftAsShownChangesNothing) {
    clickTab(ConfigurationPage);
    EXPECT_EQ(form->Memo3->toPlainText(), "");
    clickTab(MainPage);
    EXPECT_EQ(save(), savedSkeleton({"  <configuration-changes/>"}));
}

TEST_F(ConfigurationPageTest, IndentedElementsComeBackOnOneLine) {
    type("<menu-insert appendTo=\"DWMenu_Commands\">\n"
         "    <menuitem name=\"Go &amp; see\" id=\"go\"/>\n"
         "    <separator/>\n"
         "</menu-insert>\n");
    EXPECT_EQ(elementXml(Mxi::ConfigurationChanges),
              "<configuration-changes><menu-insert appendTo=\"DWMenu_Commands\"><menuitem name=\"Go &amp; see\" "
              "id=\"go\"/><separator/></menu-insert></configuration-changes>");
    clickTab(ConfigurationPage);
    EXPECT_EQ(form->Memo3->toPlainText(), "<menu-insert appendTo=\"DWMenu_Commands\"><menuitem name=\"Go &amp; see\" "
                                          "id=\"go\"/><separator/></menu-insert>");
    clickTab(MainPage);
    EXPECT_EQ(save(), savedSkeleton({
                          "  <configuration-changes>",
                          R"(    <menu-insert appendTo="DWMenu_Commands">)",
                          R"(      <menuitem name="Go &amp; see" id="go"/>)",
                          "      <separator/>",
                          "    </menu-insert>",
                          "  </configuration-changes>",
                      }));
}

TEST_F(ConfigurationPageTest, TextIsStoredUnescapedAndShownEscaped) {
    struct Case {
        QString typed;
        QString storedText;
        QString shownAgain;
    };
    const Case cases[] = {
        {"plain words, no markup", "plain words, no markup", "plain words, no markup"},
        {"Fish &amp; chips", "Fish & chips", "Fish &amp; chips"},
        {"&lt;tag&gt; &#65;", "<tag> A", "&lt;tag&gt; A"},
        {QStringLiteral("no-break\u00A0space"), QStringLiteral("no-break\u00A0space"),
         QStringLiteral("no-break\u00A0space")},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.typed.toStdString());
        type(test.typed);
        ASSERT_EQ(changes().childCount(), 1);
        EXPECT_EQ(changes().firstChild().type(), NodeType::Text);
        EXPECT_EQ(changes().firstChild().value(), test.storedText);
        clickTab(ConfigurationPage);
        EXPECT_EQ(form->Memo3->document()->toRawText(), test.shownAgain);
        clickTab(MainPage);
    }
}

TEST_F(ConfigurationPageTest, LoadedContentStaysInItsPlaceUntilEdited) {
    loadRootContent("<description>d</description>"
                    "<configuration-changes>\n  <a x=\"1\"/>\n  <!-- note -->\n  <b>t</b><?pi data?>\n"
                    "</configuration-changes>"
                    "<files><file source=\"s\" destination=\"d\"/></files>");
    const QString loaded = elementXml(Mxi::ConfigurationChanges);
    clickTab(ConfigurationPage);
    EXPECT_EQ(form->Memo3->toPlainText(), "<a x=\"1\"/><!-- note --><b>t</b><?pi data?>");
    clickTab(MainPage);
    EXPECT_EQ(elementXml(Mxi::ConfigurationChanges), loaded);
    EXPECT_EQ(save(), crlfLines({
                          R"(<macromedia-extension name="n" version="1" type="command" requires-restart="true">)",
                          "  <description>d</description>",
                          "  <configuration-changes>",
                          R"(    <a x="1"/>)",
                          "    <!-- note -->",
                          "    <b>t</b>",
                          "    <?pi data?>",
                          "  </configuration-changes>",
                          "  <files>",
                          R"(    <file source="s" destination="d"/>)",
                          "  </files>",
                          "</macromedia-extension>",
                      }));

    clickTab(ConfigurationPage);
    QTest::keyClicks(form->Memo3, "<c/>");
    clickTab(MainPage);
    EXPECT_EQ(childNames(root()), QStringList({"description", "configuration-changes", "files"}));
    EXPECT_EQ(contentXml(changes()), "<c/><a x=\"1\"/><!-- note --><b>t</b><?pi data?>");
}

TEST_F(ConfigurationPageTest, MissingElementIsAddedOnlyForTypedText) {
    loadRootContent("<description>d</description><files/>");
    clickTab(ConfigurationPage);
    EXPECT_EQ(form->Memo3->toPlainText(), "");
    QTest::keyClicks(form->Memo3, "x");
    QTest::keyClick(form->Memo3, Qt::Key_Backspace);
    clickTab(MainPage);
    EXPECT_EQ(childNames(root()), QStringList({"description", "files"}));
    clickTab(ConfigurationPage);
    QTest::keyClicks(form->Memo3, "<x/>");
    clickTab(MainPage);
    EXPECT_EQ(childNames(root()), QStringList({"description", "files", "configuration-changes"}));
    EXPECT_EQ(elementXml(Mxi::ConfigurationChanges), "<configuration-changes><x/></configuration-changes>");
}

TEST_F(ConfigurationPageTest, OnlyTheFirstOfTwoElementsIsReplaced) {
    loadRootContent("<configuration-changes><first/></configuration-changes><files/>"
                    "<configuration-changes><second/></configuration-changes>");
    type("<new/>");
    EXPECT_EQ(childNames(root()), QStringList({"configuration-changes", "files", "configuration-changes"}));
    EXPECT_EQ(contentXml(root().child(0)), "<new/>");
    EXPECT_EQ(contentXml(root().child(2)), "<second/>");
}

TEST_F(ConfigurationPageTest, MalformedTextKeepsThePageAndTheDocument) {
    struct Case {
        QString typed;
        QString found;
        int cursor;
    };
    const Case cases[] = {
        {"<menu-insert>\n<menuitem/>", "line 2, <menu-insert> opened on line 1 has no end tag", 25},
        {"<ok/>\nif a < b", "line 2, the parser found \"StartTag: invalid element name\"", 12},
        {"Fish & chips",
         "line 1, the parser found \"A bare & starts no reference: XML writes the character & as &amp;\"", 5},
        {"<a/></configuration-changes><b/>", "line 1, the parser found \"Extra content at the end of the document\"",
         28},
        {"<a>\n\n</b>", "line 3, the parser found \"Opening and ending tag mismatch: a line 1 and b\"", 9},
        {"<b>\u00E9&nbsp;</b>", "line 1, the parser found \"Entity 'nbsp' not defined\"", 10},
        {"<a>\n <!DOCTYPE a>",
         "line 2, a document type declaration (<!DOCTYPE ...>) stands inside the element, where XML allows none", 6},
    };
    type("<kept/>");
    const QByteArray before = form->XMLDocument1.xml();
    for (const Case& test : cases) {
        SCOPED_TRACE(test.typed.toStdString());
        messages.clear();
        type(test.typed, DescriptionPage);

        const QString message = "The configuration changes are not well-formed XML: on " + test.found + ".";
        EXPECT_EQ(messageTexts(), QStringList{message});
        EXPECT_EQ(form->Memo3->textCursor().position(), test.cursor);
        EXPECT_EQ(form->PageControl1->currentIndex(), ConfigurationPage);
        EXPECT_EQ(form->Memo3->toPlainText(), test.typed);
        EXPECT_EQ(form->XMLDocument1.xml(), before);

        messages.clear();
        EXPECT_EQ(save(), QByteArray());
        EXPECT_FALSE(QFile::exists(savedFile));
        EXPECT_EQ(messageTexts(), QStringList{message + " Save stopped: nothing was written."});
        EXPECT_EQ(form->PageControl1->currentIndex(), ConfigurationPage);
        EXPECT_EQ(form->Memo3->toPlainText(), test.typed);
        EXPECT_EQ(form->XMLDocument1.xml(), before);
    }

    messages.clear();
    typeOver(form->Memo3, "<fixed/>");
    clickTab(FilesPage);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(form->PageControl1->currentIndex(), FilesPage);
    EXPECT_EQ(elementXml(Mxi::ConfigurationChanges), "<configuration-changes><fixed/></configuration-changes>");
}

// References to the entities that the document declares stay references, shown and typed alike.
TEST_F(ConfigurationPageTest, DeclaredEntitiesCanBeShownTypedAndSaved) {
    load(writeFile("<!DOCTYPE macromedia-extension [\n<!ENTITY e \"<b/>\">\n]>\n"
                   "<macromedia-extension><configuration-changes>&e;</configuration-changes></macromedia-extension>"));
    type("<a>&e;</a>&e;");
    clickTab(ConfigurationPage);
    EXPECT_EQ(form->Memo3->toPlainText(), "<a>&e;</a>&e;");
    EXPECT_EQ(save(), crlfLines({"<!DOCTYPE macromedia-extension [", "<!ENTITY e \"<b/>\">", "]>",
                                 "<macromedia-extension>", "  <configuration-changes>", "    <a>&e;</a>",
                                 "  &e;</configuration-changes>", "</macromedia-extension>"}));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ConfigurationPageTest, LoadGoesAheadSilentlyAfterMalformedText) {
    type("<kept/>");
    clickTab(ConfigurationPage);
    typeOver(form->Memo3, "<unclosed>");
    loadRootContent("<files/><configuration-changes><loaded/></configuration-changes>");

    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(form->PageControl1->currentIndex(), MainPage);
    EXPECT_EQ(elementXml(Mxi::ConfigurationChanges), "<configuration-changes><loaded/></configuration-changes>");
    clickTab(ConfigurationPage);
    EXPECT_EQ(form->Memo3->toPlainText(), "<loaded/>");
}

TEST_F(ConfigurationPageTest, LinkOpensTheFormatDocumentAndChangesNothingElse) {
    clickTab(ConfigurationPage);
    typeOver(form->Memo3, "typed, not yet stored");
    const QByteArray before = form->XMLDocument1.xml();

    QTest::mouseClick(form->Label13, Qt::LeftButton);
    QTest::mouseClick(form->Label13, Qt::LeftButton);
    QTest::mouseClick(form->Label13, Qt::RightButton);

    EXPECT_EQ(shell.opened, QStringList({formatDocument, formatDocument}));
    EXPECT_EQ(form->XMLDocument1.xml(), before);
    EXPECT_EQ(form->PageControl1->currentIndex(), ConfigurationPage);
    EXPECT_EQ(form->Memo3->toPlainText(), "typed, not yet stored");
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ConfigurationPageTest, LinkLightsUpWhileThePointerIsOverIt) {
    clickTab(ConfigurationPage);
    const QFont font = form->Label13->font();
    const QColor hot = LinkLabel::hotColour(form->Label13->palette());
    const QColor rest = form->Label13->palette().color(QPalette::WindowText);
    EXPECT_TRUE(paintsIn(form->Label13, rest, hot));

    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(form->Label13, &enter);
    EXPECT_TRUE(paintsIn(form->Label13, hot, rest));
    EXPECT_EQ(form->Label13->font(), font);

    QTest::mouseClick(form->Label13, Qt::LeftButton);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(form->Label13, &leave);
    EXPECT_TRUE(paintsIn(form->Label13, rest, hot));
    EXPECT_EQ(form->Label13->font(), font);
}

// The non-empty contents of the root's elements of these names. The page moves the configuration
// changes it shows to the end of the root, and adds an empty one where there was none, so a second
// such element is compared without its place.
QStringList texts(const XmlNode& root, const QStringList& names) {
    QStringList contents;
    for (const XmlNode& node : root.children()) {
        if (node.type() == NodeType::Element && names.contains(node.name()) && node.childCount() > 0)
            contents.append(node.name() + ": " + contentXml(node));
    }
    contents.sort();
    return contents;
}

// Every extension file keeps its three texts through both pages, Save and Load.
class SampleFilesConfigurationPageTest : public ConfigurationPageTest, public testing::WithParamInterface<SampleSet> {};

TEST_P(SampleFilesConfigurationPageTest, KeepTheirTextsThroughSaveAndReload) {
    const QStringList names = {Mxi::Description, Mxi::UiAccess, Mxi::ConfigurationChanges};
    for (const SampleFile& file : sampleFiles(GetParam())) {
        if (file.outcome != SampleFile::Loads)
            continue;
        SCOPED_TRACE(file.name.toStdString());
        messages.clear();
        load(file.path);
        const QStringList loaded = texts(root(), names);

        clickTab(DescriptionPage);
        clickTab(ConfigurationPage);
        clickTab(MainPage);
        save();
        load(savedFile);

        EXPECT_TRUE(messages.isEmpty()) << messageTexts().join('\n').toStdString();
        EXPECT_EQ(texts(root(), names), loaded);
    }
}

INSTANTIATE_TEST_SUITE_P(, SampleFilesConfigurationPageTest, testing::Values(SampleSet::Own, SampleSet::Corpus),
                         sampleSetName);

} // namespace
