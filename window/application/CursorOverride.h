#pragma once

#include <QApplication>

// Shows the given pointer over every window of the program while it lives: the busy cursor while
// Load, Save or a change of page works, the arrow over a message box shown in the middle of it.
class CursorOverride {
public:
    explicit CursorOverride(Qt::CursorShape shape) { QApplication::setOverrideCursor(shape); }
    ~CursorOverride() { QApplication::restoreOverrideCursor(); }
    CursorOverride(const CursorOverride&) = delete;
    CursorOverride& operator=(const CursorOverride&) = delete;
};
