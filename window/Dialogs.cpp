#include "window/Dialogs.h"

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
    if (scripted_) {
        answer = *scripted_;
        scripted_.reset();
    } else {
        answer = ask(parent);
    }
    if (!answer || answer->isEmpty())
        return false;
    FileName = withDefaultExtension(*answer);
    return true;
}

void FileDialog::scriptAnswer(std::optional<QString> fileName) { scripted_ = fileName; }

std::optional<QString> FileDialog::ask(QWidget* parent) const {
    QString chosen;
    if (kind_ == Kind::Open)
        chosen = QFileDialog::getOpenFileName(parent, QString(), QString(), qtFilter(Filter));
    else
        chosen = QFileDialog::getSaveFileName(parent, QString(), QString(), qtFilter(Filter), nullptr,
                                              QFileDialog::DontConfirmOverwrite);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

QString FileDialog::withDefaultExtension(const QString& fileName) const {
    if (DefaultExt.isEmpty() || QFileInfo(fileName).fileName().contains('.'))
        return fileName;
    return fileName + '.' + DefaultExt;
}
