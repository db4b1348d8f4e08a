#include "document/ProductLine.h"

#include "common/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

TEST(ProductLine, EncodesEveryField) {
    const std::pair<ProductFields, const char*> cases[] = {
        {{0, false, false, "5"}, "0--5"},
        {{1, true, false, "4.0"}, "1+-4.0"},
        {{2, false, true, ""}, "2-+"},
        {{3, true, true, "8"}, "3++8"},
        {{6, false, false, " 1 | x "}, "6-- 1 | x "},
        {{5, false, false, "é"}, "5--é"},
        {{-1, true, false, "8"}, ""},
    };
    for (const auto& [fields, line] : cases)
        EXPECT_EQ(ProductLine::encode(fields), QString::fromUtf8(line));
}

TEST(ProductLine, ReadsFlagsOnlyWhenExactlyTrueAndNamesWithoutRegardToCase) {
    const std::pair<QList<Attribute>, ProductFields> cases[] = {
        {{{"name", "dreamweaver"}, {"primary", "true"}, {"version", "5"}}, {0, true, false, "5"}},
        {{{"name", "FLASH"}, {"version", "6"}}, {2, false, false, "6"}},
        {{{"name", "JRun"}, {"primary", "True"}, {"required", "yes"}, {"version", "3"}}, {4, false, false, "3"}},
        {{{"version", "9"}, {"required", "true"}, {"name", "coldfusion"}}, {6, false, true, "9"}},
        {{{"name", "Fireworks"}, {"version", "8"}, {"primary", "true"}}, {7, true, false, "8"}},
        {{{"name", "Fireworkz"}, {"version", "8"}, {"familyname", "Fireworks"}},
         {-1, false, false, "8", false, "", {{"familyname", "Fireworks"}}}},
        {{{"familyname", "Photoshop"}, {"version", "14"}, {"maxversion", "15"}, {"bit", "64"}},
         {8, false, false, "14", true, "15", {{"bit", "64"}}}},
        {{{"name", "homesite"}, {"required", "true"}}, {-1, false, true, ""}},
    };
    for (const auto& [attributes, fields] : cases)
        EXPECT_EQ(readProduct(attributes), fields) << attributes.first().second.toStdString();
}

TEST(ProductLine, NewProductsWriteTheirOwnAttributesInOrder) {
    EXPECT_EQ(newProductAttributes({0, false, false, "5"}),
              (QList<Attribute>{{"name", "dreamweaver"}, {"primary", "false"}, {"version", "5"}}));
    EXPECT_EQ(newProductAttributes({3, true, true, "2"}),
              (QList<Attribute>{{"name", "homesite"}, {"primary", "true"}, {"version", "2"}}));
    EXPECT_EQ(newProductAttributes({4, false, true, ""}),
              (QList<Attribute>{{"name", "JRun"}, {"primary", "false"}, {"required", "true"}, {"version", ""}}));
}

// Each case: the element read, the line's fields after the edit, the element written.
TEST(ProductLine, AnEditUpdatesOnlyTheAttributesItChanged) {
    const struct {
        const char* element;
        ProductFields after;
        const char* written;
    } cases[] = {
        {R"(<product version="8" name="FLASH" primary="TRUE" x="1"/>)",
         {2, false, false, "9", false, "", {{"x", "1"}}},
         R"(<product version="9" name="FLASH" primary="TRUE" x="1"/>)"},
        {R"(<product name="Flash" version="8"/>)",
         {0, true, false, "8"},
         R"(<product name="dreamweaver" version="8" primary="true"/>)"},
        {R"(<product name="flash" required="true" version="8"/>)",
         {2, true, true, "8"},
         R"(<product name="flash" version="8" primary="true"/>)"},
        {R"(<product name="flash" primary="true" version="8"/>)",
         {2, false, false, "8"},
         R"(<product name="flash" primary="false" version="8"/>)"},
        {R"(<product name="Fireworks" required="true"/>)",
         {3, false, true, ""},
         R"(<product name="homesite" required="true" version=""/>)"},
        {R"(<product familyname="Photoshop" version="14" bit="64"/>)",
         {8, false, false, "14", false, "16", {}},
         R"(<product version="14" name="Photoshop" maxversion="16"/>)"},
        {R"(<product name="Photoshop" version="14" maxversion="16"/>)",
         {10, false, false, "14", true, "", {{"bit", "32"}}},
         R"(<product version="14" familyname="Photoshop64" bit="32"/>)"},
    };
    for (const auto& c : cases) {
        XmlDocument document;
        document.loadFromXml(c.element);
        XmlNode product = document.documentNode().firstChild();
        updateProduct(product, readProduct(product.attributes()), c.after);
        EXPECT_EQ(product.xml(), QString::fromUtf8(c.written));
    }
}

TEST(ProductLine, ReadsAsASentence) {
    EXPECT_EQ(spokenProduct({0, true, false, "6"}, "dreamweaver"), "Dreamweaver, version 6, primary");
    EXPECT_EQ(spokenProduct({1, false, true, "4"}, "dreamweaverultradev"), "Dreamweaver UltraDev, version 4, required");
    EXPECT_EQ(spokenProduct({-1, false, false, ""}, "Fireworks"), "Fireworks, no version");
    EXPECT_EQ(spokenProduct({-1, false, false, "1"}, ""), "Unnamed product, version 1");
    EXPECT_EQ(spokenProduct({8, false, true, "15", true, "17"}, "Photoshop"),
              "Photoshop family, version 15, highest version 17, required");
}

} // namespace
