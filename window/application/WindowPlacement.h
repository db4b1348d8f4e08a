#pragma once

class QWidget;

// Places a top-level window so that its outer frame, not only its client area, sits where it belongs.
namespace WindowPlacement {

// Centres window's frame on its screen's available area. Before the window manager has framed the window
// its frame is not known yet: the window is centred as it stands and centred again, once, as soon as
// its frame is known.
void centreOnScreen(QWidget* window);

} // namespace WindowPlacement
