#pragma once

#include "document/xml/Errors.h"

#include <QTabWidget>

#include <functional>
#include <vector>

// A hide handler throws this when its page cannot store what it shows: the message is reported
// and the page becomes the active page again once the change of page has completed.
class PageKeptError : public Error {
public:
    using Error::Error;
};

// The tabbed page control. On a change of page the new page's show handler runs before the old
// page's hide handler; an error in either is reported and the change still completes.
class PageControl : public QTabWidget {
public:
    explicit PageControl(QWidget* parent);

    // Adds a page with its handlers (either may be empty).
    void addPage(QWidget* page, const QString& caption, std::function<void()> show, std::function<void()> hide);
    // Runs the active page's show handler, for the window's first appearance.
    void showActivePage();

private:
    struct Handlers {
        std::function<void()> show;
        std::function<void()> hide;
    };
    void changePage(int index);
    static void run(const std::function<void()>& handler, bool* kept = nullptr);

    std::vector<Handlers> handlers_;
    int shownIndex_ = 0;
};
