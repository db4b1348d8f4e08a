#include "window/controls/LinkLabel.h"

#include "window/pictures/Pictures.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace {

bool isActivationKey(const QKeyEvent* key) {
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    return !key->isAutoRepeat() && modifiers == Qt::NoModifier &&
           (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Space);
}

} // namespace

LinkLabel::LinkLabel(const QString& text, QWidget* parent, Hover hover) : QLabel(text, parent), hover_(hover) {
    setTextFormat(Qt::PlainText);
    setFocusPolicy(Qt::TabFocus);
    if (hover_ == Hover::LightsUp)
        setCursor(Qt::PointingHandCursor);
}

QColor LinkLabel::hotColour(const QPalette& palette) {
    return readableOn(palette.color(QPalette::Link), palette.color(QPalette::Window));
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit activated();
    QLabel::mouseReleaseEvent(event);
}

void LinkLabel::keyPressEvent(QKeyEvent* event) {
    if (!isActivationKey(event)) {
        QLabel::keyPressEvent(event);
        return;
    }
    emit activated();
}

void LinkLabel::enterEvent(QEnterEvent* event) {
    if (hover_ == Hover::LightsUp) {
        QPalette lit = palette();
        lit.setColor(QPalette::WindowText, hotColour(lit));
        setPalette(lit);
    }
    QLabel::enterEvent(event);
}

void LinkLabel::leaveEvent(QEvent* event) {
    // Back to the colours the label inherits, which follow the theme.
    if (hover_ == Hover::LightsUp)
        setPalette(QPalette());
    QLabel::leaveEvent(event);
}

void LinkLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.state |= QStyle::State_KeyboardFocusChange;
    option.backgroundColor = palette().color(backgroundRole());
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}
