#include "document/FileElement.h"

#include "common/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

// The file element that reading Original and writing it back into a new file element gives.
QString rewritten(const QByteArray& original) {
    XmlDocument document;
    document.loadFromXml("<files>" + original + "</files>");
    XmlNode files = document.documentNode().firstChild();
    const FileEntry entry = readFileEntry(files.firstChild());
    files.removeAllChildren();
    writeFileEntry(files.appendChild(document.createElement("file")), entry);
    return files.firstChild().xml();
}

TEST(FileElement, ReadsTheLineAndKeepsTheOtherAttributesInOrder) {
    XmlDocument document;
    document.loadFromXml(R"(<file name="n" source="s" platform="win" shared="true" destination="d" )"
                         R"(file-type="CSXS" plateform="mac" systemfile="false" x:y="z"/>)");
    const FileEntry entry = readFileEntry(document.documentNode().firstChild());
    EXPECT_EQ(entry.line, (FileLine{"s", "d", true, false, "mac"}));
    const QList<Attribute> others = {{"name", "n"}, {"platform", "win"}, {"file-type", "CSXS"}, {"x:y", "z"}};
    EXPECT_EQ(entry.kept, (KeptFileAttributes{others, false, false}));
}

TEST(FileElement, WritesItsOwnAttributesFirstThenTheKeptOnes) {
    struct Case {
        const char* original;
        const char* written;
    };
    const Case cases[] = {
        {R"(<file plateform="win" shared="true" systemfile="true" destination="d" source="s"/>)",
         R"(<file source="s" destination="d" systemfile="true" shared="true" plateform="win"/>)"},
        {R"(<folder source="" destination="" shared="True" systemfile="false" plateform="both"/>)",
         R"(<file source="" destination=""/>)"},
        {R"(<file products="P" source="s" minVersion="1" destination="d" plateform="" shared="true"/>)",
         R"(<file source="s" destination="d" shared="true" plateform="" products="P" minVersion="1"/>)"},
        {R"(<file name="n" destination="d"/>)", R"(<file destination="d" name="n"/>)"},
        {R"(<file/>)", R"(<file/>)"},
    };
    for (const Case& expected : cases) {
        SCOPED_TRACE(expected.original);
        EXPECT_EQ(rewritten(expected.original), QString::fromUtf8(expected.written));
    }
}

TEST(FileElement, WritesALackingSourceOrDestinationOnceItHasAValue) {
    XmlDocument document;
    document.loadFromXml("<files/>");
    XmlNode files = document.documentNode().firstChild();
    const KeptFileAttributes lacksBoth{{}, true, true};
    writeFileEntry(files.appendChild(document.createElement("file")), {{"s", "", false, false, "both"}, lacksBoth});
    writeFileEntry(files.appendChild(document.createElement("file")), {{"", "d", false, false, "both"}, lacksBoth});
    EXPECT_EQ(files.xml(), R"(<files><file source="s"/><file destination="d"/></files>)");
}

} // namespace
