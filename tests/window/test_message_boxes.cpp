#include "common/QtPrinters.h"

#include "window/MessageBoxes.h"

#include <gtest/gtest.h>

struct FullStopCase {
    const char* message;
    const char* shown;
};

class FullStopTest : public testing::TestWithParam<FullStopCase> {};

TEST_P(FullStopTest, AppendsAFullStopAfterALetterOrDigit) {
    EXPECT_EQ(MessageBoxes::withFullStop(GetParam().message), QString(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(Messages, FullStopTest,
                         testing::Values(FullStopCase{"Pas de document actif", "Pas de document actif."},
                                         FullStopCase{"Ligne: 12", "Ligne: 12."},
                                         FullStopCase{"(Null) en type (String)", "(Null) en type (String)"},
                                         FullStopCase{"ends with a blank ", "ends with a blank "},
                                         FullStopCase{"already.", "already."}, FullStopCase{"<a>", "<a>."},
                                         FullStopCase{"", ""}));

TEST(MessageBoxes, RecordsTheStandardErrorBox) {
    QList<MessageBoxes::Message> messages;
    MessageBoxes::recordInto(&messages);
    MessageBoxes::showError("Broken");
    MessageBoxes::recordInto(nullptr);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].text, "Broken.");
    EXPECT_EQ(messages[0].title, "Parcelwright for Macromedia products");
    EXPECT_EQ(messages[0].icon, QMessageBox::Critical);
}
