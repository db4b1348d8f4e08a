#include "common/SavedSkeleton.h"
#include "common/WindowFixture.h"

class SaveDialogTest : public WindowTest {};

// Save asks before it replaces a file, and only then: No leaves the file as it was.
TEST_F(SaveDialogTest, SaveAsksBeforeReplacingAFile) {
    const struct {
        const char* existing;
        FileDialog::Replace replace;
        QByteArray saved;
    } cases[] = {
        {"old", FileDialog::Replace::No, "old"},
        {"old", FileDialog::Replace::Yes, savedSkeleton},
        {nullptr, FileDialog::Replace::No, savedSkeleton},
    };
    for (const auto& c : cases) {
        const QString file = folder.filePath("x.mxi");
        QFile::remove(file);
        if (c.existing)
            writeBytes(file, c.existing);
        form->SaveDialog1.scriptAnswer(file, c.replace);
        form->Button2->click();
        EXPECT_EQ(readBytes(file), c.saved);
    }
    EXPECT_TRUE(messages.isEmpty());
}
