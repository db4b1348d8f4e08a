#include "document/ExtensionRules.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(ExtensionRules, KnowsTheVersionForm) {
    for (const char* version : {"1", "1.0", "1.0.2", "1.0.2.126", "2.1b", "1.0.0.rc1", "14.0"})
        EXPECT_TRUE(ExtensionRules::isVersion(version)) << version;
    for (const char* version : {"", "beta", ".1", "1.", "1..2", "1.0 beta", "1.2.3.4.5", "1.a.2", "v1", "1.0-2", "1.é"})
        EXPECT_FALSE(ExtensionRules::isVersion(version)) << version;
}

TEST(ExtensionRules, LooksUpEachSourceOfALargeBatch) {
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir("sub"));
    std::vector<std::string> names;
    for (int i = 0; i < 1500; ++i) {
        names.push_back("sub\\" + std::to_string(i));
        if (i % 3 == 0)
            QFile(folder.filePath(QStringLiteral("sub/%1").arg(i))).open(QIODevice::WriteOnly);
    }
    const std::vector<std::string_view> sources(names.begin(), names.end());
    QList<bool> found(qsizetype(sources.size()));
    ExtensionRules::SourcesOnDisk(folder.path()).lookUp(sources, found);
    for (int i = 0; i < 1500; ++i)
        EXPECT_EQ(found[i], i % 3 == 0) << i;
}
