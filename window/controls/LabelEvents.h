#pragma once

#include <functional>

class QWidget;

// Mouse and keyboard handlers for labels and pictures, which have no click or hover signals of their own.
namespace LabelEvents {

// Calls handler when the left mouse button is released over widget, or when Enter or Space is pressed
// while widget has the keyboard focus. Tab reaches widget, and a focus frame shows while it has the focus.
void onClick(QWidget* widget, std::function<void()> handler);

// Calls handler when the mouse pointer enters widget.
void onMouseEnter(QWidget* widget, std::function<void()> handler);

// Calls handler when the mouse pointer leaves widget.
void onMouseLeave(QWidget* widget, std::function<void()> handler);

} // namespace LabelEvents
