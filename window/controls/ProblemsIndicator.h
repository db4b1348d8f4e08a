#pragma once

#include <QPushButton>

// The count of the document's problems at the bottom of the window, as in "2 warnings" or
// "No problems"; activating it opens the list of problems. Screen readers read it as
// "Problems: 2 warnings". It is as wide as its text, so the window's background stays clear beside it.
class ProblemsIndicator : public QPushButton {
public:
    // Placed at the top left of Room, as high as Room and at most as wide.
    ProblemsIndicator(QWidget* parent, QRect room);

    void showCount(qsizetype warnings);

    // "No problems", "1 warning", "2 warnings".
    static QString summary(qsizetype warnings);

private:
    QRect room_;
};
