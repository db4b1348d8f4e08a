#pragma once

#include "document/ExtensionFindings.h"

#include <QWidget>

#include <functional>
#include <optional>

class DocumentProblems;
class FindingListModel;
class QListView;

// A small tool window captioned "Problems" that lists the document's findings, each with its line in
// the file where it has one, and follows them while it is open. Double-click or Enter on a finding
// chooses it; Escape closes the window.
class ProblemsWindow : public QWidget {
    Q_OBJECT

public:
    using Choose = std::function<void(const ExtensionFindings::Finding& finding)>;
    ProblemsWindow(const DocumentProblems& problems, Choose choose, QWidget* parent);

    // Shows the window without blocking mainWindow, below it where the screen has room, or brings it to
    // the front with the focus in the list.
    void showBeside(QWidget* mainWindow);
    // Lists the findings as they are now.
    void showFindings();

    const DocumentProblems& problems() const { return problems_; }

    QListView* ListView1 = nullptr;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void chooseRow(int row);

    const DocumentProblems& problems_;
    Choose choose_;
    FindingListModel* lines_ = nullptr;
    std::optional<QPoint> lastPosition_;
};
