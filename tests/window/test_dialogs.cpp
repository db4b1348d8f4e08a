#include "window/Dialogs.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// The user types a name without extension into the dialog and presses Enter.
TEST(FileDialogTest, BothDialogsCompleteANameTypedWithoutExtension) {
    QTemporaryDir folder;
    QFile existing(folder.filePath("plainname.mxi"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    for (const FileDialog::Kind kind : {FileDialog::Kind::Open, FileDialog::Kind::Save}) {
        const auto dialog = FileDialog(kind, "Extension|*.mxi", "mxi").newDialog(nullptr);
        dialog->setDirectory(folder.path());
        dialog->open();
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        QTest::keyClicks(name, "plainname");
        // A "File not found" box would wait for an answer; it is closed, and the dialog stays open.
        QTimer::singleShot(0, dialog.get(), [] {
            if (QWidget* box = QApplication::activeModalWidget(); qobject_cast<QMessageBox*>(box))
                box->close();
        });
        QTest::keyClick(name, Qt::Key_Return);
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        EXPECT_EQ(dialog->selectedFiles(), QStringList{folder.filePath("plainname.mxi")});
    }
}

} // namespace
