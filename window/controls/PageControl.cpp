#include "window/controls/PageControl.h"

#include "window/application/Application.h"
#include "window/application/CursorOverride.h"
#include "window/dialogs/MessageBoxes.h"

PageControl::PageControl(QWidget* parent) : QTabWidget(parent) {
    connect(this, &QTabWidget::currentChanged, this, &PageControl::changePage);
}

void PageControl::addPage(QWidget* page, const QString& caption, std::function<void()> show,
                          std::function<void()> hide) {
    const QSignalBlocker blocker(this);
    addTab(page, caption);
    handlers_.push_back({std::move(show), std::move(hide)});
}

void PageControl::showActivePage() {
    shownIndex_ = currentIndex();
    run(handlers_[shownIndex_].show);
}

void PageControl::changePage(int index) {
    const int left = shownIndex_;
    shownIndex_ = index;
    if (index == left)
        return;
    bool kept = false;
    run(handlers_[index].show);
    run(handlers_[left].hide, &kept);
    if (kept)
        setCurrentIndex(left);
}

void PageControl::run(const std::function<void()>& handler, bool* kept) {
    if (!handler)
        return;
    try {
        const CursorOverride busy(Qt::WaitCursor);
        handler();
    } catch (const PageKeptError& error) {
        if (kept)
            *kept = true;
        Application::report(error);
    } catch (const std::exception& error) {
        Application::report(error);
    }
}
