#include "document/ExtensionRules.h"

#include <gtest/gtest.h>

TEST(ExtensionRules, KnowsTheVersionForm) {
    for (const char* version : {"1", "1.0", "1.0.2", "1.0.2.126", "2.1b", "1.0.0.rc1", "14.0"})
        EXPECT_TRUE(ExtensionRules::isVersion(version)) << version;
    for (const char* version : {"", "beta", ".1", "1.", "1..2", "1.0 beta", "1.2.3.4.5", "1.a.2", "v1", "1.0-2", "1.é"})
        EXPECT_FALSE(ExtensionRules::isVersion(version)) << version;
}
