#include "window/dialogs/Dialogs.h"

#include "document/xml/FileNames.h"
#include "window/dialogs/MessageBoxes.h"

#include <QFileDialog>
#include <QFileInfo>

namespace {

// "Extension|*.mxi" becomes "Extension (*.mxi)".
QString qtFilter(const QString& filter) {
    const QStringList parts = filter.split('|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        entries.append(QStringLiteral("%1 (%2)").arg(parts[i], parts[i + 1]));
    return entries.join(QStringLiteral(";;"));
}

} // namespace

FileDialog::FileDialog(Kind kind, const QString& filter, const QString& defaultExt)
    : Filter(filter), DefaultExt(defaultExt), kind_(kind) {}

bool FileDialog::Execute(QWidget* parent) {
    std::optional<QString> answer;
    std::optional<Replace> replace;
    if (scripted_) {
        answer = scripted_->fileName;
        replace = scripted_->replace;
        scripted_.reset();
    } else {
        answer = ask(parent);
    }
    if (!answer || answer->isEmpty())
        return false;
    const QString fileName = withDefaultExtension(*answer);
    if (!mayReplace(fileName, replace))
        return false;
    FileName = fileName;
    return true;
}

void FileDialog::scriptAnswer(std::optional<QString> fileName, Replace replace) {
    scripted_ = Answer{fileName, replace};
}

std::unique_ptr<QFileDialog> FileDialog::newDialog(QWidget* parent) const {
    auto dialog = std::make_unique<QFileDialog>(parent, QString(), QString(), qtFilter(Filter));
    if (kind_ == Kind::Open) {
        dialog->setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        // Execute asks itself, once the default extension is added, for chosen and scripted names alike.
        dialog->setOption(QFileDialog::DontConfirmOverwrite);
    }
    // The dialog itself completes a name typed without extension, so that it finds the file.
    dialog->setDefaultSuffix(DefaultExt);
    // A save dialog proposes the file the document came from or went to.
    if (kind_ == Kind::Save && !FileName.isEmpty())
        dialog->selectFile(FileName);
    return dialog;
}

std::optional<QString> FileDialog::ask(QWidget* parent) const {
    const std::unique_ptr<QFileDialog> dialog = newDialog(parent);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    return dialog->selectedFiles().first();
}

QString FileDialog::withDefaultExtension(const QString& fileName) const {
    if (DefaultExt.isEmpty() || QFileInfo(fileName).fileName().contains('.'))
        return fileName;
    return fileName + '.' + DefaultExt;
}

bool FileDialog::mayReplace(const QString& fileName, std::optional<Replace> scriptedReplace) const {
    if (kind_ != Kind::Save || !fileExists(fileName))
        return true;
    if (scriptedReplace)
        return *scriptedReplace == Replace::Yes;
    return MessageBoxes::askToReplace(fileName);
}
