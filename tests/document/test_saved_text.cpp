#include "document/xml/Errors.h"
#include "document/xml/SavedText.h"

#include "common/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

QByteArray crlf(QByteArray text) {
    return text.replace("\n", "\r\n");
}

} // namespace

struct LayoutCase {
    const char* name;
    const char* input;
    const char* expected; // with LF line ends; the saved text has CR LF
};

class SavedTextTest : public testing::TestWithParam<LayoutCase> {};

TEST_P(SavedTextTest, LaysOutTheText) {
    EXPECT_EQ(savedText(GetParam().input), crlf(GetParam().expected));
}

const LayoutCase layouts[] = {
    LayoutCase{"NestedElements", "<a><b><c x=\"1\"/></b><d>text</d></a>",
               "<a>\n  <b>\n    <c x=\"1\"/>\n  </b>\n  <d>text</d>\n</a>\n"},
    LayoutCase{"CDataWithLineBreaks", "<a><b><![CDATA[one\ntwo\rthree\r\nfour]]></b></a>",
               "<a>\n  <b>\n    <![CDATA[one\ntwo\nthree\nfour]]>\n  </b>\n</a>\n"},
    LayoutCase{"CommentsAndInstructions", "<!--top--><a><!--c--><?pi data?><b/></a>",
               "<!--top-->\n<a>\n  <!--c-->\n  <?pi data?>\n  <b/>\n</a>\n"},
    LayoutCase{"DeclarationKept", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" standalone=\"yes\"?><a/>",
               "<?xml version=\"1.0\" standalone=\"yes\"?>\n<a/>\n"},
    LayoutCase{"DeclarationWithoutStandalone", "<?xml version=\"1.0\"?>\n<a><b/></a>",
               "<?xml version=\"1.0\"?>\n<a>\n  <b/>\n</a>\n"},
    LayoutCase{"WhitespaceDropped", "<a>\n\t<b>  </b>\n   <c/>\n</a>", "<a>\n  <b/>\n  <c/>\n</a>\n"},
    LayoutCase{"TextBesideMarkupKeptAsWritten", "<a>x<b><c/></b>y<![CDATA[z]]></a>",
               "<a>x<b><c/></b>y<![CDATA[z]]></a>\n"},
    LayoutCase{"MixedElementAmongOthers", "<a><p> <i/> </p><d>t<!--c--></d></a>",
               "<a>\n  <p>\n    <i/>\n  </p>\n  <d>t<!--c--></d>\n</a>\n"},
    LayoutCase{"EscapesKept", "<a t=\"&lt;&amp;&quot;\">&lt;&amp;&gt;</a>",
               "<a t=\"&lt;&amp;&quot;\">&lt;&amp;&gt;</a>\n"},
    LayoutCase{"NonAsciiAsUtf8", "<a n=\"\xC3\xA9\xE3\x81\x82\">\xC3\xBC</a>",
               "<a n=\"\xC3\xA9\xE3\x81\x82\">\xC3\xBC</a>\n"}};

std::string layoutName(const testing::TestParamInfo<LayoutCase>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Layouts, SavedTextTest, testing::ValuesIn(layouts), layoutName);

TEST(SavedText, IsUnchangedWhenLaidOutAgain) {
    const QByteArray once = savedText("<a><b><c/><![CDATA[x\ny]]></b><!--c--><d>t</d><e>a<![CDATA[b]]>c\n<f/></e></a>");
    EXPECT_EQ(savedText(once), once);
}

TEST(SavedText, ReadsIsoLatinAndWritesUtf8) {
    const QByteArray text = savedText("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a n=\"caf\xE9\"/>");
    EXPECT_EQ(text, "<?xml version=\"1.0\"?>\r\n<a n=\"caf\xC3\xA9\"/>\r\n");
}

TEST(SavedText, RefusesTextThatIsNotWellFormed) {
    EXPECT_THROW(savedText("<a>"), ParseError);
}

class SavedDocumentTest : public testing::TestWithParam<LayoutCase> {};

// A document in memory is laid out exactly as its written and parsed text would be.
TEST_P(SavedDocumentTest, MatchesTheLayoutOfItsText) {
    XmlDocument document;
    document.loadFromXml(GetParam().input);
    EXPECT_EQ(savedText(document), savedText(document.xml()));
}

INSTANTIATE_TEST_SUITE_P(Layouts, SavedDocumentTest, testing::ValuesIn(layouts), layoutName);

TEST(SavedDocument, JoinsWhatParsingWouldJoin) {
    XmlDocument document;
    document.loadFromXml("<r><d><![CDATA[x]]></d><t>y</t><e/></r>");
    XmlNode root = document.documentNode().firstChild();
    XmlNode d = root.findChild("d");
    d.appendChild(document.createCDataSection("a]]>b"));
    d.appendChild(document.createCDataSection(""));
    XmlNode t = root.findChild("t");
    t.firstChild().setValue(" ");
    t.appendChild(document.createTextNode("z\r\n"));
    root.findChild("e").appendChild(document.createTextNode("  \n"));
    EXPECT_EQ(savedText(document), savedText(document.xml()));
    EXPECT_EQ(savedText(document), "<r>\r\n  <d>\r\n    <![CDATA[xa]]]]><![CDATA[>b]]>\r\n  </d>\r\n"
                                   "  <t> z&#13;\r\n</t>\r\n  <e/>\r\n</r>\r\n");
}

TEST(SavedDocument, RefusesControlCharacters) {
    XmlDocument document;
    document.loadFromXml("<r a=\"\"/>");
    document.documentNode().firstChild().setAttribute("a", QString("x\x01y"));
    try {
        savedText(document);
        ADD_FAILURE() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(error.message(), "The attribute a of <r> holds the character U+0001, which an XML file cannot store");
    }
}

TEST(SavedDocument, WritesEveryLineBreakInASectionAsCrLf) {
    XmlDocument document;
    document.loadFromXml("<r><d><![CDATA[x]]></d></r>");
    document.documentNode().firstChild().findChild("d").firstChild().setValue("a\rb\nc\r\nd");
    EXPECT_EQ(savedText(document), "<r>\r\n  <d>\r\n    <![CDATA[a\r\nb\r\nc\r\nd]]>\r\n  </d>\r\n</r>\r\n");
}

TEST(SavedDocument, HandsOverALargeTextInPiecesThatMakeTheWholeText) {
    QByteArray text = "<?xml version=\"1.0\"?><r>";
    for (int i = 0; i < 40000; ++i)
        text += "<file source=\"Commands/command" + QByteArray::number(i) + ".js\"/>";
    XmlDocument document;
    document.loadFromXml(text + "</r>");
    QByteArrayList pieces;
    writeSavedText(document, [&pieces](const QByteArray& piece) { pieces.append(piece); });
    EXPECT_GT(pieces.size(), 1);
    EXPECT_EQ(pieces.join(), savedText(document));
}
