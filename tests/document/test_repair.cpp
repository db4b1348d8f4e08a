#include "document/Repair.h"

#include "common/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

struct RepairCase {
    const char* name;
    QByteArray text;
    // The offer's lines; none when no repair is offered.
    QStringList offer;
    QByteArray repaired;
};

const RepairCase repairCases[] = {
    {"BareAmpersandInAttributeAndText",
     "<macromedia-extension name=\"Tips & Tricks\">\n  <a href='x?a=1&b=2'>Q&A</a>\n</macromedia-extension>",
     {"line 1, column 34: a bare & becomes &amp;", "line 2, column 17: a bare & becomes &amp;",
      "line 2, column 24: a bare & becomes &amp;"},
     "<macromedia-extension name=\"Tips &amp; Tricks\">\n  <a href='x?a=1&amp;b=2'>Q&amp;A</a>\n"
     "</macromedia-extension>"},
    {"DeclarationVersion",
     "<?xml version=\"1.0.0\" encoding=\"UTF-8\"?>\n<macromedia-extension/>",
     {"line 1: XML version 1.0.0 becomes 1.0"},
     "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<macromedia-extension/>"},
    {"OlderRoot",
     "<!-- old -->\n<macromedia-package n='1'><macromedia-package/></macromedia-package>\n",
     {"line 2: root macromedia-package becomes macromedia-extension"},
     "<!-- old -->\n<macromedia-extension n='1'><macromedia-package/></macromedia-extension>\n"},
    {"AllTogetherAfterAByteOrderMark",
     "\xEF\xBB\xBF<?xml version='1.0.0'?>\r\n<macromedia-package x=\"\xC3\xA9&\"><t>&</t></macromedia-package>",
     {"line 1: XML version 1.0.0 becomes 1.0", "line 2: root macromedia-package becomes macromedia-extension",
      "line 2, column 25: a bare & becomes &amp;", "line 2, column 31: a bare & becomes &amp;"},
     "\xEF\xBB\xBF<?xml version='1.0'?>\r\n<macromedia-extension "
     "x=\"\xC3\xA9&amp;\"><t>&amp;</t></macromedia-extension>"},
    {"UndeclaredPrefixStaysAsWritten",
     "<macromedia-extension><f MMString:n='a&b'/></macromedia-extension>",
     {"line 1, column 39: a bare & becomes &amp;"},
     "<macromedia-extension><f MMString:n='a&amp;b'/></macromedia-extension>"},
    {"ReferencesCDataCommentsAndInstructionsUntouched",
     "<!DOCTYPE m [<!ENTITY e 'x'>]><macromedia-extension a='&amp;&#38;&#x26;&e;'>"
     "<![CDATA[&]]><!-- & --><?p & ?>&lt;&</macromedia-extension>",
     {"line 1, column 112: a bare & becomes &amp;"},
     "<!DOCTYPE m [<!ENTITY e 'x'>]><macromedia-extension a='&amp;&#38;&#x26;&e;'>"
     "<![CDATA[&]]><!-- & --><?p & ?>&lt;&amp;</macromedia-extension>"},
    {"BesideAFaultWithoutRepair", "<macromedia-extension name='a & b'><x></y></macromedia-extension>", {}, {}},
    {"UndeclaredEntityIsNoBareAmpersand", "<macromedia-extension name='&nbsp; & x'/>", {}, {}},
    {"OtherRoot", "<other name='a & b'/>", {}, {}},
    {"WellFormed", "<macromedia-extension name='a &amp; b'/>", {}, {}},
    {"PlainText", "Posable figure extension: still to be written.\n", {}, {}},
    {"OnlyAnAmpersand", "&", {}, {}},
};

class RepairTest : public testing::TestWithParam<RepairCase> {};

TEST_P(RepairTest, OffersTheRepairsAndTheRepairedText) {
    const std::optional<RepairedText> repaired = repairedText(GetParam().text);
    QStringList offer;
    for (const Repair& repair : repaired ? repaired->repairs : QList<Repair>())
        offer.append(repair.placedChange());
    EXPECT_EQ(offer, GetParam().offer);
    EXPECT_EQ(repaired ? repaired->text : QByteArray(), GetParam().repaired);
}

INSTANTIATE_TEST_SUITE_P(Texts, RepairTest, testing::ValuesIn(repairCases),
                         [](const testing::TestParamInfo<RepairCase>& info) { return info.param.name; });

TEST(RepairOffer, ShowsTheFirstRepairsAndCountsTheRest) {
    const auto repaired = repairedText("<macromedia-extension>&&&&&&&</macromedia-extension>");
    const QString line = "\nline 1, column %1: a bare & becomes &amp;";
    EXPECT_EQ(repairOffer("Refused.", repaired->repairs),
              "Refused.\n\nA repaired copy can be opened instead; the file itself stays as it is. The repair changes:" +
                  line.arg(23) + line.arg(24) + line.arg(25) + line.arg(26) + line.arg(27) + "\nand 2 more");
}

} // namespace
