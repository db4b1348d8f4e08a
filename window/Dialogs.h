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

    // Filter in the form "Description|pattern", empty for all files.
    FileDialog(Kind kind, const QString& filter = {}, const QString& defaultExt = {});

    QString FileName;
    QString Filter;
    QString DefaultExt;

    // True when the user confirmed a file; FileName then holds it.
    bool Execute(QWidget* parent);

    // The next Execute answers with this file name, or as cancelled for nullopt.
    void scriptAnswer(std::optional<QString> fileName);

    // The dialog that Execute runs, not yet shown.
    std::unique_ptr<QFileDialog> newDialog(QWidget* parent) const;

private:
    std::optional<QString> ask(QWidget* parent) const;
    QString withDefaultExtension(const QString& fileName) const;

    Kind kind_;
    std::optional<std::optional<QString>> scripted_;
};
