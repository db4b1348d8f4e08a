#include "common/SavedSkeleton.h"
#include "common/WindowFixture.h"

// Save asks before it replaces a file, and only then: No leaves the file as it was.
TEST_F(WindowTest, SaveAsksBeforeReplacingAFile) {
    using enum FileDialog::Replace;
    const QString file = folder.filePath("x.mxi");
    for (const auto& [old, replace, saved] :
         {std::tuple{"old", No, QByteArray("old")}, {"old", Yes, savedSkeleton}, {nullptr, No, savedSkeleton}}) {
        QFile::remove(file);
        if (old)
            writeBytes(file, old);
        form->SaveDialog1.scriptAnswer(file, replace);
        form->Button2->click();
        EXPECT_EQ(readBytes(file), saved);
    }
    EXPECT_TRUE(messages.isEmpty());
}
