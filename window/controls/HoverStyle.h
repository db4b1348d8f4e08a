#pragma once

#include <QColor>

class QLabel;

// The look of a link label: a hand pointer, and text that lights up while the pointer is over it.
// Only the text colour changes; the font stays as it is.
namespace HoverStyle {

// Gives the label the hand pointer and the resting text colour.
void apply(QLabel* label);

// The pointer entered the label: the text takes the hot-tracking colour.
void enter(QLabel* label);

// The pointer left the label: the text goes back to the window-text colour.
void leave(QLabel* label);

// Sets the colour the label's text is painted in.
void setTextColour(QLabel* label, const QColor& colour);

// The palette has no hot-tracked-item role; the link colour is the nearest.
QColor hotColor();
QColor restColor();

} // namespace HoverStyle
