#include "window/controls/HoverStyle.h"

#include <QApplication>
#include <QLabel>
#include <QPalette>

namespace HoverStyle {

void setTextColour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

QColor hotColor() {
    return QApplication::palette().color(QPalette::Link);
}

QColor restColor() {
    return QApplication::palette().color(QPalette::WindowText);
}

void apply(QLabel* label) {
    label->setCursor(Qt::PointingHandCursor);
    setTextColour(label, restColor());
}

void enter(QLabel* label) {
    setTextColour(label, hotColor());
}

void leave(QLabel* label) {
    setTextColour(label, restColor());
}

} // namespace HoverStyle
