#pragma once

#include <functional>

class QWidget;

// Mouse handlers for labels and pictures, which have no click or hover signals of their own.
namespace LabelEvents {

// Calls handler when the left mouse button is released over widget.
void onClick(QWidget* widget, std::function<void()> handler);

// Calls handler when the mouse pointer enters widget.
void onMouseEnter(QWidget* widget, std::function<void()> handler);

// Calls handler when the mouse pointer leaves widget.
void onMouseLeave(QWidget* widget, std::function<void()> handler);

} // namespace LabelEvents
