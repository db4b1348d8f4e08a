#include "document/xml/Errors.h"
#include "document/xml/XmlDocument.h"

#include "common/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

class XmlDocumentTest : public testing::Test {
protected:
    void SetUp() override {
        document.OnAfterNodeChange = [this](const XmlNode&) { ++changes; };
        document.OnAfterOpen = [this] { ++opens; };
    }

    XmlNode load(const QByteArray& text) {
        document.loadFromXml(text);
        changes = 0;
        return document.documentNode().firstChild();
    }

    XmlDocument document;
    int changes = 0;
    int opens = 0;
};

} // namespace

TEST_F(XmlDocumentTest, WithoutADocumentEveryAccessFails) {
    for (const auto& access : std::initializer_list<std::function<void()>>{
             [&] { document.documentNode(); }, [&] { document.createElement("a"); }, [&] { document.xml(); }}) {
        try {
            access();
            ADD_FAILURE() << "no error";
        } catch (const NoActiveDocumentError& error) {
            EXPECT_EQ(error.message(), "Pas de document actif");
        }
    }
}

TEST_F(XmlDocumentTest, OpeningRaisesAfterOpen) {
    document.activate();
    EXPECT_EQ(opens, 1);
    EXPECT_EQ(document.documentNode().childCount(), 0);
    document.loadFromXml("<a/>");
    EXPECT_EQ(opens, 2);
    EXPECT_EQ(changes, 0);
}

TEST_F(XmlDocumentTest, EveryChangeNotifiesOnce) {
    XmlNode root = load("<r><f><a/><b/><c/></f><x/></r>");
    XmlNode files = root.findChild("f");

    files.removeAllChildren();
    EXPECT_EQ(changes, 3);

    changes = 0;
    root.setAttribute("n", "v");
    root.setAttribute("n", "w");
    root.removeAttribute("n");
    root.removeAttribute("absent");
    EXPECT_EQ(changes, 3);

    changes = 0;
    XmlNode element = document.createElement("e");
    element.setAttribute("k", "v");
    XmlNode cdata = element.appendChild(document.createCDataSection("d"));
    cdata.setValue("e");
    root.appendChild(element);
    root.removeFirstChild("x");
    EXPECT_EQ(changes, 5);
    EXPECT_EQ(root.xml(), "<r><f/><e k=\"v\"><![CDATA[e]]></e></r>");
}

TEST_F(XmlDocumentTest, AttributesKeepTheirOrder) {
    XmlNode root = load("<r b=\"1\" a=\"2\"/>");
    root.setAttribute("c", "3");
    root.setAttribute("b", "4");
    EXPECT_EQ(root.xml(), "<r b=\"4\" a=\"2\" c=\"3\"/>");
    EXPECT_EQ(root.attributes(), (QList<Attribute>{{"b", "4"}, {"a", "2"}, {"c", "3"}}));
}

TEST_F(XmlDocumentTest, ReadingAnAbsentAttributeAsTextFails) {
    XmlNode root = load("<r requires-restart=\"True\" empty=\"\"/>");
    EXPECT_EQ(root.attributeText("empty"), "");
    EXPECT_EQ(root.attribute("absent"), std::nullopt);
    try {
        root.attributeText("absent");
        ADD_FAILURE() << "no error";
    } catch (const ConversionError& error) {
        EXPECT_EQ(error.message(), "Impossible de convertir le variant de type (Null) en type (String)");
    }
    EXPECT_FALSE(root.attributeIsTrue("requires-restart"));
    EXPECT_FALSE(root.attributeIsTrue("absent"));
}

TEST_F(XmlDocumentTest, FindsChildElementsByExactName) {
    XmlNode root = load("<r><!--author--><Author/><author n=\"1\"/><author n=\"2\"/></r>");
    EXPECT_EQ(root.findChild("author").attribute("n"), "1");
    EXPECT_TRUE(root.findChild("AUTHOR").isNull());
    EXPECT_EQ(root.childCount(), 4);
    EXPECT_EQ(root.child(0).type(), NodeType::Comment);
    EXPECT_TRUE(root.child(4).isNull());
}

TEST_F(XmlDocumentTest, DropsWhitespaceOnlyTextButKeepsOtherText) {
    XmlNode root = load("<r>\n  <a> x </a>\n  <b><![CDATA[  ]]></b>\n</r>");
    EXPECT_EQ(root.xml(), "<r><a> x </a><b><![CDATA[  ]]></b></r>");
}

TEST_F(XmlDocumentTest, AppendsACopyOfANodeFromAnotherDocument) {
    XmlNode root = load("<r/>");
    XmlDocument other;
    other.loadFromXml("<c><m a=\"1\">t</m></c>");
    root.appendChild(other.documentNode().firstChild());
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(document.xml(), "<r><c><m a=\"1\">t</m></c></r>\n");
}

TEST_F(XmlDocumentTest, ValuesAreStoredWithoutConversion) {
    XmlNode root = load("<r><d><![CDATA[x]]></d><t>y</t></r>");
    root.findChild("d").firstChild().setValue("a <b> & \"c\"\nd");
    root.findChild("t").firstChild().setValue("<&>");
    EXPECT_EQ(root.findChild("d").firstChild().value(), "a <b> & \"c\"\nd");
    EXPECT_EQ(root.xml(), "<r><d><![CDATA[a <b> & \"c\"\nd]]></d><t>&lt;&amp;&gt;</t></r>");
}

struct BrokenText {
    const char* name;
    QByteArray text;
    const char* message;
};

class ParseErrorTest : public testing::TestWithParam<BrokenText> {};

TEST_P(ParseErrorTest, NamesTheReasonTheLineAndItsText) {
    XmlDocument document;
    document.loadFromXml("<kept/>");
    try {
        document.loadFromXml(GetParam().text);
        ADD_FAILURE() << "no error";
    } catch (const ParseError& error) {
        EXPECT_EQ(error.message(), GetParam().message);
    }
    EXPECT_EQ(document.xml(), "<kept/>\n");
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseErrorTest,
    testing::Values(
        BrokenText{
            "BareAmpersand", "<a>\r\n<b n=\"x & y\"/>\r\n</a>",
            "A bare & starts no reference: XML writes the character & as &amp;\nLigne: 2, column 9\n<b n=\"x & y\"/>"},
        BrokenText{"UnclosedTag", "<a>\n<b>\n</a>",
                   "Opening and ending tag mismatch: b line 2 and a\nLigne: 3, column 5\n</a>"},
        BrokenText{"LongLineCut", "<a>\n" + QByteArray(50, 'x') + "<",
                   "StartTag: invalid element name\nLigne: 2, column 52\nxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"},
        BrokenText{"NotXml", "Posable figure, to do",
                   "Start tag expected, '<' not found\nLigne: 1, column 1\nPosable figure, to do"},
        BrokenText{"Empty", "", "Document is empty\nLigne: 1, column 1\n"},
        BrokenText{"TooManyAttributes", "<!-- a=1 -->\n <a " + QByteArray("b='=' ").repeated(10001) + "/>",
                   "A start tag holds more than 10,000 attributes, the most that one tag may hold\nLigne: 2, "
                   "column 2\n <a b='=' b='=' b='=' b='=' b='=' b='=' "},
        BrokenText{"MoreNodesThanATreeMayHold", "<r>" + QByteArray("<a/>x").repeated(600'000) + "</r>",
                   "The file holds more elements, attributes, texts and comments than Load reads: 1,000,000, or one "
                   "for every 4 bytes of a larger file, and 10,000,000 at most\nLigne: 1\n<r><a/>x<a/>x<a/>x<a/>x<a/>"
                   "x<a/>x<a/>x<a"}),
    [](const testing::TestParamInfo<BrokenText>& info) { return info.param.name; });

TEST(XmlDocumentLimits, RefusesExcessiveNestingWithoutCrashing) {
    XmlDocument document;
    EXPECT_THROW(document.loadFromXml(QByteArray("<a>").repeated(100000)), ParseError);
}

TEST(XmlDocumentLimits, LoadsNoExternalEntity) {
    XmlDocument document;
    document.loadFromXml("<!DOCTYPE r [<!ENTITY e SYSTEM \"file:///etc/passwd\">]><r>&e;</r>");
    EXPECT_FALSE(document.xml().contains("root:"));
}
