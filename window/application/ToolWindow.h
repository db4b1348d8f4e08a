#pragma once

class QWidget;

namespace ToolWindow {

// Asks the window manager to give window, a tool window, a close button alone: on X11, once window has
// its native window and before that is mapped. Elsewhere it does nothing.
void offerOnlyClose(QWidget* window);

} // namespace ToolWindow
