#include "document/FileLine.h"

#include "common/QtPrinters.h"
#include "document/extfncts.h"

#include <QStringList>

#include <gtest/gtest.h>

void PrintTo(const FileLine& line, std::ostream* out) {
    *out << '"' << line.text().toStdString() << '"';
}

namespace {

const QString newLineText = QStringLiteral("Select source|Select destination|false|false|both");

TEST(FileLine, NewLineIsTheTemplate) {
    EXPECT_EQ(FileLine::newLine().text(), newLineText);
    EXPECT_EQ(FileLine::fromText(newLineText), FileLine::newLine());
}

TEST(FileLine, SplitsAtEverySeparatorIntoFiveFields) {
    struct Case {
        const char* line;
        FileLine fields;
    };
    const Case cases[] = {
        {"C:\\ext\\a.htm|$dreamweaver/Commands|true|false|win",
         {"C:\\ext\\a.htm", "$dreamweaver/Commands", true, false, "win"}},
        {"a|b|false|true|mac", {"a", "b", false, true, "mac"}},
        {"a|b|true|true|", {"a", "b", true, true, ""}},
        {"||false|false|both", {"", "", false, false, "both"}},
        {"a|b|false|false|linux", {"a", "b", false, false, "linux"}},
        {"a|b|TRUE|True|both", {"a", "b", false, false, "both"}},
        {"a|b| true|yes|both", {"a", "b", false, false, "both"}},
        {"a|b", {"a", "b", false, false, ""}},
        {"", {"", "", false, false, ""}},
    };
    for (const Case& expected : cases) {
        SCOPED_TRACE(expected.line);
        EXPECT_EQ(FileLine::fromText(QString::fromUtf8(expected.line)), expected.fields);
    }
}

TEST(FileLine, JoinsPlainValuesUnchanged) {
    const FileLine line{"Ünïcode dir/ä.js", "$flash/Commands", true, false, ""};
    EXPECT_EQ(line.text(), QStringLiteral("Ünïcode dir/ä.js|$flash/Commands|true|false|"));
}

TEST(FileLine, KeepsSeparatorsAndLineBreaksInsideValues) {
    const QString escapeMark(QChar(0x1B));
    const QString values[] = {
        "a|b",
        "|",
        "||",
        "first\r\nsecond",
        "\r",
        "line\nfeed",
        "x|\r|y\n",
        escapeMark,
        escapeMark + "p",
        escapeMark + "e|",
        "ends with mark" + escapeMark,
    };
    for (const QString& value : values) {
        SCOPED_TRACE(value.toStdString());
        const FileLine line{value, value + value, true, false, value};
        const QString text = line.text();
        // The line still splits into exactly five pieces at its separators.
        EXPECT_EQ(ReplaceAll(text, "|", "\r").split('\r').size(), 5);
        EXPECT_EQ(FileLine::fromText(text), line);
    }
}

TEST(FilePlatform, MapsCodesToItemsAndIcons) {
    struct Case {
        const char* code;
        int item;
        int icon;
    };
    const Case cases[] = {
        {"both", 0, 0}, {"win", 1, 1},  {"mac", 2, 2},    {"", 0, -1},
        {"Win", 0, -1}, {"MAC", 0, -1}, {"linux", 0, -1}, {"both ", 0, -1},
    };
    for (const Case& expected : cases) {
        SCOPED_TRACE(expected.code);
        EXPECT_EQ(FilePlatform::itemOf(expected.code), expected.item);
        EXPECT_EQ(FilePlatform::iconOf(expected.code), expected.icon);
    }
}

TEST(FilePlatform, MapsItemsToCodes) {
    EXPECT_EQ(FilePlatform::codeOf(-1), "both");
    EXPECT_EQ(FilePlatform::codeOf(0), "both");
    EXPECT_EQ(FilePlatform::codeOf(1), "win");
    EXPECT_EQ(FilePlatform::codeOf(2), "mac");
}

TEST(ShortenedSource, ShowsAtMostTwentyCharactersWholeElseTheLastEighteen) {
    EXPECT_EQ(shortenedSource(""), "");
    EXPECT_EQ(shortenedSource("abcdefghijklmnopqrst"), "abcdefghijklmnopqrst");
    EXPECT_EQ(shortenedSource("abcdefghijklmnopqrstu"), "...defghijklmnopqrstu");
    EXPECT_EQ(shortenedSource("C:\\Extensions\\My Extension\\Commands\\Tool.htm"), "...\\Commands\\Tool.htm");
}

TEST(FileLine, ReadsAsASentence) {
    EXPECT_EQ(spokenFile({"a.js", "$dreamweaver/Configuration/Commands", true, false, "win"}),
              "a.js to $dreamweaver/Configuration/Commands, shared, Windows only");
    EXPECT_EQ(spokenFile({"b", "d", false, true, "mac"}), "b to d, system file, Apple only");
    EXPECT_EQ(spokenFile({"c", "", false, false, "both"}), "c");
    EXPECT_EQ(spokenFile({"p.zxp", "", false, false, "win", "CSXS", "Photoshop,Photoshop64", "15"}),
              "p.zxp, CSXS, for Photoshop, Photoshop64 15 and later, Windows only");
    EXPECT_EQ(spokenFile({"f", "d", true, false, "both", "", "", "", "17"}), "f to d, for versions up to 17, shared");
    EXPECT_EQ(spokenFile({"c", "d", false, false, "linux"}), "c to d, platform \"linux\"");
}

} // namespace
