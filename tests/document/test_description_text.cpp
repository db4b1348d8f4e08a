#include "document/DescriptionText.h"
#include "document/Mxi.h"

#include "common/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

TEST(DescriptionText, ReadsAndStoresTheTextWhereItStands) {
    const struct {
        const char* content;
        QString shown;
        bool editable;
        QString typed;
        QString stored;
    } cases[] = {
        {"<description><![CDATA[old]]></description>", "old", true, "a<b",
         "<description><![CDATA[a<b]]></description>"},
        {"<description>a &amp; b</description>", "a & b", true, "x<y", "<description>x&lt;y</description>"},
        {"<description>a<![CDATA[b]]>c<x/></description>", "abc", true, "z", "<description>z<x/></description>"},
        {"<description><p>hi</p></description>", "hi", true, "yo", "<description><p>yo</p></description>"},
        {"<description/>", "", true, "t", "<description><![CDATA[t]]></description>"},
        {"", "", true, "t", "<description><![CDATA[t]]></description>"},
        {"<description><!--c--></description>", "<!--c-->", false, "", "<description><!--c--></description>"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.content);
        XmlDocument document;
        document.loadFromXml(QByteArray("<macromedia-extension>") + test.content + "</macromedia-extension>");
        const DescriptionText::Shown shown = DescriptionText::read(document, Mxi::Description);
        EXPECT_EQ(shown.text, test.shown);
        EXPECT_EQ(shown.editable, test.editable);
        if (test.editable)
            DescriptionText::store(document, Mxi::Description, test.typed);
        EXPECT_EQ(Mxi::findRoot(document).findChild(Mxi::Description).xml(), test.stored);
    }
}

} // namespace
