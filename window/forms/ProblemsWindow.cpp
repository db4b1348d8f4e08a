#include "window/forms/ProblemsWindow.h"

#include "document/DocumentProblems.h"
#include "window/application/ToolWindow.h"

#include <QAbstractListModel>
#include <QKeyEvent>
#include <QListView>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr QSize clientSize(440, 150);

} // namespace

// The lines of the list: a note when sources are not looked up, then one line per finding.
class FindingListModel : public QAbstractListModel {
public:
    explicit FindingListModel(const DocumentProblems& problems, QObject* parent)
        : QAbstractListModel(parent), problems_(problems) {}

    void reset() {
        beginResetModel();
        noteLines_ = problems_.sourcesLookedUp() ? 0 : 1;
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : int(noteLines_ + problems_.findings().size());
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= rowCount())
            return QVariant();
        if (role == Qt::DisplayRole || role == Qt::ToolTipRole || role == Qt::AccessibleTextRole)
            return lineText(index.row());
        return QVariant();
    }

    // The finding shown on Row; none for the note.
    const ExtensionFindings::Finding* findingAt(int row) const {
        const qsizetype finding = row - noteLines_;
        return finding >= 0 && finding < problems_.findings().size() ? &problems_.findings()[finding] : nullptr;
    }

private:
    QString lineText(int row) const {
        const ExtensionFindings::Finding* finding = findingAt(row);
        if (!finding)
            return QStringLiteral("Sources are not looked up until the extension is saved: it has no file yet");
        if (finding->place.line < 1)
            return finding->message;
        return QStringLiteral("Line %1: %2").arg(finding->place.line).arg(finding->message);
    }

    const DocumentProblems& problems_;
    int noteLines_ = 0;
};

ProblemsWindow::ProblemsWindow(const DocumentProblems& problems, Choose choose, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      problems_(problems), choose_(std::move(choose)) {
    setWindowTitle(QStringLiteral("Problems"));
    setAccessibleName(QStringLiteral("Problems"));
    resize(clientSize);
    lines_ = new FindingListModel(problems, this);
    ListView1 = new QListView(this);
    ListView1->setModel(lines_);
    // Every line is one line high, so that long lists lay out at once; long lines scroll sideways.
    ListView1->setUniformItemSizes(true);
    ListView1->setTextElideMode(Qt::ElideNone);
    ListView1->setAccessibleName(QStringLiteral("Problems"));
    ListView1->setAccessibleDescription(
        QStringLiteral("What the Extension Manager would refuse; Enter on a line shows it in the window"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(ListView1);
    connect(ListView1, &QListView::activated, this, [this](const QModelIndex& index) { chooseRow(index.row()); });
    showFindings();
}

void ProblemsWindow::showBeside(QWidget* mainWindow) {
    if (!isVisible()) {
        const QRect available = mainWindow->screen()->availableGeometry();
        const QSize frame = size() + mainWindow->frameGeometry().size() - mainWindow->size();
        const QPoint below = mainWindow->frameGeometry().bottomLeft() + QPoint(0, 1);
        const QPoint wanted = lastPosition_.value_or(below);
        move(
            std::clamp(wanted.x(), available.left(), std::max(available.left(), available.right() + 1 - frame.width())),
            std::clamp(wanted.y(), available.top(),
                       std::max(available.top(), available.bottom() + 1 - frame.height())));
        show();
    }
    raise();
    activateWindow();
    ListView1->setFocus();
    if (!ListView1->currentIndex().isValid() && lines_->rowCount() > 0)
        ListView1->setCurrentIndex(lines_->index(0));
}

void ProblemsWindow::showFindings() {
    const int current = ListView1->currentIndex().row();
    lines_->reset();
    if (current >= 0 && lines_->rowCount() > 0)
        ListView1->setCurrentIndex(lines_->index(std::min(current, lines_->rowCount() - 1)));
}

void ProblemsWindow::chooseRow(int row) {
    // A finding listed before the last change may name an element that is gone.
    if (!problems_.findingsAreCurrent())
        return;
    if (const ExtensionFindings::Finding* finding = lines_->findingAt(row))
        choose_(*finding);
}

bool ProblemsWindow::event(QEvent* event) {
    if (event->type() == QEvent::WinIdChange)
        ToolWindow::offerOnlyClose(this);
    if (event->type() == QEvent::Hide)
        lastPosition_ = pos();
    return QWidget::event(event);
}

void ProblemsWindow::keyPressEvent(QKeyEvent* event) {
    if (!ToolWindow::hideOnEscape(this, event))
        QWidget::keyPressEvent(event);
}
