#include "document/FileElement.h"

#include "common/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

XmlNode loadedElement(XmlDocument& document, const QByteArray& text) {
    document.loadFromXml(text);
    return document.documentNode().firstChild();
}

TEST(FileElement, ReadsItsFieldsWhateverElseItHolds) {
    XmlDocument document;
    const XmlNode file = loadedElement(document, R"(<file name="n" source="s" platform="win" shared="true" )"
                                                 R"(destination="d" plateform="mac" systemfile="false" x:y="z"/>)");
    EXPECT_EQ(readFileLine(file),
              (FileLine{"s", "d", true, false, "win", "", "", "", "", {{"name", "n"}, {"x:y", "z"}}}));
    XmlNode empty = loadedElement(document, "<folder shared=\"TRUE\"/>");
    EXPECT_EQ(readFileLine(empty), (FileLine{"", "", false, false, "both"}));
}

TEST(FileElement, NewFilesWriteTheirAttributesInOrder) {
    XmlDocument document;
    XmlNode files = loadedElement(document, "<files/>");
    writeNewFile(files.appendChild(document.createElement("file")),
                 {"s", "d", true, true, "win", "CSXS", "Photoshop", "15", "", {{"xml:lang", "de"}}});
    writeNewFile(files.appendChild(document.createElement("file")), {"", "", false, false, "both"});
    EXPECT_EQ(files.xml(), R"(<files><file source="s" destination="d" systemfile="true" shared="true" )"
                           R"(platform="win" file-type="CSXS" products="Photoshop" minVersion="15" xml:lang="de"/>)"
                           R"(<file source="" destination=""/></files>)");
}

// Each case: the element read, the line after the edit, the element written.
TEST(FileElement, AnEditUpdatesOnlyTheAttributesItChanged) {
    const struct {
        const char* element;
        FileLine after;
        const char* written;
    } cases[] = {
        {R"(<file x="1" destination="d" source="s" shared="TRUE" plateform="both"/>)",
         {"s", "e", false, false, "both", "", "", "", "", {{"x", "1"}}},
         R"(<file x="1" destination="e" source="s" shared="TRUE" plateform="both"/>)"},
        {R"(<file name="n"/>)",
         {"t", "", true, true, "mac"},
         R"(<file name="t" systemfile="true" shared="true" platform="mac"/>)"},
        {R"(<file source="s" destination="d" shared="true" systemfile="true" plateform="linux"/>)",
         {"s", "d", false, false, "both"},
         R"(<file source="s" destination="d"/>)"},
        {R"(<file name="n" plateform="win" products="A" minVersion="1" b="2" c="3"/>)",
         {"m", "", false, false, "mac", "csxs", "", "1", "", {{"c", "4"}, {"d", ""}}},
         R"(<file name="m" minVersion="1" c="4" platform="mac" file-type="csxs" d=""/>)"},
    };
    for (const auto& c : cases) {
        XmlDocument document;
        XmlNode file = loadedElement(document, c.element);
        updateFile(file, readFileLine(file), c.after);
        EXPECT_EQ(file.xml(), QString::fromUtf8(c.written));
    }
}

} // namespace
