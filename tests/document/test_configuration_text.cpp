#include "document/ConfigurationText.h"

#include "common/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

QByteArray root(const QByteArray& content) {
    return "<macromedia-extension>" + content + "</macromedia-extension>\n";
}

TEST(ConfigurationText, ReplacesTheContentInItsPlace) {
    const struct {
        QByteArray before;
        QString shown;
        QString typed;
        QByteArray after;
    } cases[] = {
        {"<configuration-changes a=\"1\"><old/><!--c--></configuration-changes><files/>", "<old/><!--c-->",
         "<new/>x &amp; y", "<configuration-changes a=\"1\"><new/>x &amp; y</configuration-changes><files/>"},
        {"<files/>", "", "<new/>", "<files/><configuration-changes><new/></configuration-changes>"},
        {"<configuration-changes><old/></configuration-changes>", "<old/>", "", "<configuration-changes/>"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.before.toStdString());
        XmlDocument document;
        document.loadFromXml(root(test.before));
        EXPECT_EQ(ConfigurationText::read(document), test.shown);
        ConfigurationText::store(document, test.typed);
        EXPECT_EQ(document.xml(), root(test.after));
    }
}

TEST(ConfigurationText, RefusesMalformedTextAndChangesNothing) {
    XmlDocument document;
    document.loadFromXml(root("<configuration-changes><old/></configuration-changes>"));
    try {
        ConfigurationText::store(document, "<ok/>\n<a>");
        FAIL() << "not refused";
    } catch (const ConfigurationText::RefusedText& refused) {
        EXPECT_EQ(refused.message(),
                  "The configuration changes are not well-formed XML: on line 2, <a> opened on line 2 has no end tag.");
        EXPECT_EQ(refused.position(), 9);
    }
    EXPECT_EQ(document.xml(), root("<configuration-changes><old/></configuration-changes>"));
}

} // namespace
