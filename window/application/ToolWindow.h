#pragma once

class QKeyEvent;
class QWidget;

namespace ToolWindow {

// Asks the window manager to give window, a tool window, a close button alone: on X11, once window has
// its native window and before that is mapped. Elsewhere it does nothing.
void offerOnlyClose(QWidget* window);

// Escape alone hides window, as it closes every help window; true when the key was taken.
bool hideOnEscape(QWidget* window, const QKeyEvent* event);

} // namespace ToolWindow
