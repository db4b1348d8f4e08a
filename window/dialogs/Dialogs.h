#pragma once

#include <QString>

#include <memory>
#include <optional>

class QFileDialog;
class QWidget;

// A standard open or save dialog. Tests script the answer instead of showing the dialog.
class FileDialog {
public:
    enum class Kind { Open, Save };
    // The answer to the question a save dialog asks before it gives the name of an existing file.
    enum class Replace { Yes, No };

    // Filter in the form "Description|pattern", empty for all files.
    FileDialog(Kind kind, const QString& filter = {}, const QString& defaultExt = {});

    QString FileName;
    QString Filter;
    QString DefaultExt;

    // True when the user confirmed a file, and for a save dialog that names an existing file also
    // agreed to replace it; FileName then holds it.
    bool Execute(QWidget* parent);

    // The next Execute answers with this file name, or as cancelled for nullopt, and answers the
    // question before replacing a file with Replace.
    void scriptAnswer(std::optional<QString> fileName, Replace replace = Replace::Yes);

    // The dialog that Execute runs, not yet shown.
    std::unique_ptr<QFileDialog> newDialog(QWidget* parent) const;

private:
    struct Answer {
        std::optional<QString> fileName;
        Replace replace;
    };

    std::optional<QString> ask(QWidget* parent) const;
    QString withDefaultExtension(const QString& fileName) const;
    bool mayReplace(const QString& fileName, std::optional<Replace> scriptedReplace) const;

    Kind kind_;
    std::optional<Answer> scripted_;
};
