#include "document/Mxi.h"

#include <QRegularExpression>

#include "common/QtPrinters.h"

#include <gtest/gtest.h>

TEST(Mxi, TheTypeListHasItsFortyNineRowsInOrder) {
    const QStringList& rows = Mxi::typeRows();
    ASSERT_EQ(rows.size(), 49);
    EXPECT_EQ(rows[0], "*Dreamweaver, UltraDev, and Dreamweaver MX");
    EXPECT_EQ(rows[19], "*UltraDev and Dreamweaver MX");
    EXPECT_EQ(rows[24], "*Dreamweaver MX");
    EXPECT_EQ(rows[33], "*Macromedia Flash");
    EXPECT_EQ(rows[45], "flash panel");
    EXPECT_EQ(rows[47], "flash panel");
    EXPECT_EQ(rows[48], "generatorobject");
    EXPECT_EQ(rows.filter(QRegularExpression("^\\*")).size(), 4);
}

TEST(Mxi, TheSkeletonNotifiesEveryChangeBeforeItIsAttached) {
    XmlDocument document;
    int changes = 0;
    document.OnAfterNodeChange = [&](const XmlNode&) { ++changes; };
    document.activate();
    const XmlNode root = Mxi::buildSkeletonRoot(document);
    // 8 appends of elements and sections, the author's name, the root's four attributes.
    EXPECT_EQ(changes, 13);
    EXPECT_EQ(document.documentNode().childCount(), 0);
    EXPECT_EQ(root.xml(), "<macromedia-extension name=\"\" version=\"\" type=\"\" requires-restart=\"true\">"
                          "<description><![CDATA[description]]></description><ui-access><![CDATA[ui-access]]>"
                          "</ui-access><products/><author name=\"\"/><files/><configuration-changes/>"
                          "</macromedia-extension>");
}

TEST(Mxi, LooksUpTypesAndProductsWithoutLetterCase) {
    EXPECT_EQ(Mxi::typeRowOf("Command"), 2);
    EXPECT_EQ(Mxi::typeRowOf("FLASH PANEL"), 45);
    EXPECT_EQ(Mxi::typeRowOf(""), -1);
    EXPECT_EQ(Mxi::productNumberOf("DreamWeaver"), 0);
    EXPECT_EQ(Mxi::productNumberOf("coldfusion"), 6);
    EXPECT_EQ(Mxi::productNumberOf("fireworks"), 7);
    EXPECT_EQ(Mxi::productNumberOf("Fireworkz"), -1);
}

// Each case: a file or product element, the attribute read for its source, platform and product name.
TEST(Mxi, ReadsEachValueFromTheSpellingTheExtensionManagerReads) {
    const std::pair<const char*, QStringList> cases[] = {
        {"<e source='s' name='n' platform='win' plateform='mac' familyname='f'/>", {"source", "platform", "name"}},
        {"<e name='n' plateform='mac' familyname='f'/>", {"name", "plateform", "name"}},
        {"<e familyname='f'/>", {"source", "platform", "familyname"}},
    };
    for (const auto& [element, read] : cases) {
        XmlDocument document;
        document.loadFromXml(element);
        const XmlNode node = document.documentNode().firstChild();
        EXPECT_EQ(
            QStringList({Mxi::sourceAttribute(node), Mxi::platformAttribute(node), Mxi::productNameAttribute(node)}),
            read);
    }
}
