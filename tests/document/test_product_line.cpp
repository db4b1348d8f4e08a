#include "document/ProductLine.h"

#include <gtest/gtest.h>

namespace {

struct LineCase {
    const char* line;
    ProductFields fields;
};

const LineCase lineCases[] = {
    {"0--5", {0, false, false, "5"}}, {"1+-4.0", {1, true, false, "4.0"}},          {"2-+", {2, false, true, ""}},
    {"3++8", {3, true, true, "8"}},   {"6-- 1 | x ", {6, false, false, " 1 | x "}}, {"4+-+-7", {4, true, false, "+-7"}},
    {"5--é", {5, false, false, "é"}},
};

TEST(ProductLine, EncodesAndDecodesEveryField) {
    for (const LineCase& c : lineCases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(ProductLine::encode(c.fields), QString::fromUtf8(c.line));
        EXPECT_EQ(ProductLine::decode(QString::fromUtf8(c.line)), c.fields);
    }
}

TEST(ProductLine, RefusesTextThatIsNoProductLine) {
    const char* texts[] = {"", "0", "0-", "7--5", "9--5", "a--5", "-1--5", "0x-5", "0-x5", "0 -5", "٣--5"};
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ProductLine::decode(QString::fromUtf8(text)), std::nullopt);
    }
}

struct ReadCase {
    const char* name;
    QList<Attribute> attributes;
    const char* line;
};

TEST(ProductRecord, ReadsFlagsOnlyWhenExactlyTrueAndNamesWithoutRegardToCase) {
    const ReadCase cases[] = {
        {"skeleton-like", {{"name", "dreamweaver"}, {"primary", "true"}, {"version", "5"}}, "0+-5"},
        {"capitals", {{"name", "FLASH"}, {"version", "6"}}, "2--6"},
        {"mixed case", {{"name", "DreamWeaverUltraDev"}, {"primary", "false"}, {"version", ""}}, "1--"},
        {"True and yes", {{"name", "JRun"}, {"primary", "True"}, {"required", "yes"}, {"version", "3"}}, "4--3"},
        {"primary and required",
         {{"name", "Spectra"}, {"primary", "true"}, {"required", "true"}, {"version", "1"}},
         "5++1"},
        {"attribute order", {{"version", "9"}, {"required", "true"}, {"name", "coldfusion"}}, "6-+9"},
        {"unknown name", {{"name", "Fireworks"}, {"version", "8"}, {"primary", "true"}}, ""},
        {"no name", {{"familyname", "Photoshop"}, {"version", "14"}}, ""},
        {"no version", {{"name", "homesite"}, {"primary", "true"}}, ""},
        {"name with blank", {{"name", "Dreamweaver CS5"}, {"version", "11"}}, ""},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ProductRecord record = readProduct(c.attributes);
        EXPECT_EQ(record.line, QString::fromUtf8(c.line));
        EXPECT_EQ(record.original, c.attributes);
        EXPECT_EQ(record.isListed(), *c.line != '\0');
    }
}

struct WriteCase {
    const char* name;
    ProductRecord record;
    QList<Attribute> written;
};

TEST(ProductRecord, WritesItsOwnAttributesFirstThenTheOthersInTheirOrder) {
    const WriteCase cases[] = {
        {"new line", {"0--5", {}}, {{"name", "dreamweaver"}, {"primary", "false"}, {"version", "5"}}},
        {"primary drops required", {"3++2", {}}, {{"name", "homesite"}, {"primary", "true"}, {"version", "2"}}},
        {"required", {"4-+", {}}, {{"name", "JRun"}, {"primary", "false"}, {"required", "true"}, {"version", ""}}},
        {"table spelling and kept attributes",
         {"2+-10",
          {{"familyname", "Flash"},
           {"name", "Flash"},
           {"maxVersion", "12"},
           {"version", "10"},
           {"primary", "true"},
           {"platform", "win"},
           {"required", "false"},
           {"minversion", "9"}}},
         {{"name", "flash"},
          {"primary", "true"},
          {"version", "10"},
          {"familyname", "Flash"},
          {"maxVersion", "12"},
          {"platform", "win"},
          {"minversion", "9"}}},
        {"edited line wins over what was read",
         {"6-+7", {{"name", "dreamweaver"}, {"primary", "true"}, {"version", "5"}, {"maxversion", "8"}}},
         {{"name", "ColdFusion"}, {"primary", "false"}, {"required", "true"}, {"version", "7"}, {"maxversion", "8"}}},
        {"unknown product verbatim",
         {"", {{"version", "8"}, {"primary", "True"}, {"name", "Fireworks"}, {"required", "true"}}},
         {{"version", "8"}, {"primary", "True"}, {"name", "Fireworks"}, {"required", "true"}}},
        {"product without attributes", {"", {}}, {}},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(productAttributes(c.record), c.written);
    }
}

TEST(ProductRecord, ShowsTheTableCaptionOrTheProductsOwnName) {
    const ProductRecord flash = readProduct({{"name", "FLASH"}, {"version", "6"}, {"primary", "true"}});
    EXPECT_EQ(productCaption(flash), "flash");
    EXPECT_EQ(productFields(flash), (ProductFields{2, true, false, "6"}));

    const ProductRecord fireworks = readProduct({{"name", "Fireworks"}, {"required", "true"}, {"primary", "TRUE"}});
    EXPECT_EQ(productCaption(fireworks), "Fireworks");
    EXPECT_EQ(productFields(fireworks), (ProductFields{-1, false, true, ""}));

    const ProductRecord nameless = readProduct({{"familyname", "Photoshop"}, {"version", "14"}, {"primary", "true"}});
    EXPECT_EQ(productCaption(nameless), "");
    EXPECT_EQ(productFields(nameless), (ProductFields{-1, true, false, "14"}));
}

} // namespace
