#include "document/extfncts.h"

#include "common/QtPrinters.h"

#include <gtest/gtest.h>

struct ReplaceCase {
    const char* text;
    const char* oldPattern;
    const char* newPattern;
    const char* expected;
};

class ReplaceAllTest : public testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceAllTest, ReplacesEveryOccurrence) {
    const ReplaceCase& c = GetParam();
    EXPECT_EQ(ReplaceAll(c.text, c.oldPattern, c.newPattern), QString(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, ReplaceAllTest,
                         testing::Values(ReplaceCase{"a|b||c", "|", "\r", "a\rb\r\rc"},
                                         ReplaceCase{"abc", "", "x", "abc"}, ReplaceCase{"", "|", "\r", ""},
                                         ReplaceCase{"AbA", "a", "x", "AbA"},
                                         // A replacement can form a new occurrence with the text before it.
                                         ReplaceCase{"aab", "ab", "b", "b"}, ReplaceCase{"xxxx", "xx", "y", "yy"},
                                         // A replacement containing the pattern must not loop for ever.
                                         ReplaceCase{"a-b", "-", "--", "a--b"}));

struct PathCase {
    const char* path;
    const char* folder;
    const char* expected;
};

class RelativeToFolderTest : public testing::TestWithParam<PathCase> {};

TEST_P(RelativeToFolderTest, StoresThePathAsSaveDoes) {
    const PathCase& c = GetParam();
    EXPECT_EQ(RelativeToFolder(c.path, c.folder), QString(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, RelativeToFolderTest,
                         testing::Values(PathCase{R"(C:\ext\img\a.gif)", R"(C:\ext)", R"(img\a.gif)"},
                                         PathCase{R"(C:\a.gif)", R"(C:\)", "a.gif"},
                                         PathCase{R"(D:\other\a.gif)", R"(C:\ext)", R"(\other\a.gif)"},
                                         PathCase{R"(C:\extras\a.gif)", R"(C:\ext)", R"(\extras\a.gif)"},
                                         PathCase{R"(img\a.gif)", R"(C:\ext)", R"(img\a.gif)"},
                                         PathCase{R"(c:\ext\a.gif)", R"(C:\ext)", R"(\ext\a.gif)"},
                                         PathCase{R"(C:\ext)", R"(C:\ext)", ""},
                                         PathCase{"/home/u/ext/img/a.gif", "/home/u/ext", "img/a.gif"},
                                         PathCase{"/a.gif", "/", "a.gif"},
                                         PathCase{"/home/u/extras/a.gif", "/home/u/ext", "/home/u/extras/a.gif"},
                                         PathCase{"img/a.gif", "/home/u/ext", "img/a.gif"}));

TEST(StripDrive, RemovesOnlyADriveDesignation) {
    EXPECT_EQ(StripDrive("C:"), "");
    EXPECT_EQ(StripDrive(R"(C:\x)"), R"(\x)");
    EXPECT_EQ(StripDrive(R"(\x)"), R"(\x)");
    EXPECT_EQ(StripDrive("C"), "C");
    EXPECT_EQ(StripDrive(""), "");
}

TEST(FolderOf, KeepsTheSeparatorOfARootFolder) {
    EXPECT_EQ(FolderOf(R"(C:\ext\my.mxi)"), R"(C:\ext)");
    EXPECT_EQ(FolderOf(R"(C:\my.mxi)"), R"(C:\)");
    EXPECT_EQ(FolderOf("/home/u/ext/my.mxi"), "/home/u/ext");
    EXPECT_EQ(FolderOf("/my.mxi"), "/");
    EXPECT_EQ(FolderOf("my.mxi"), "");
}
