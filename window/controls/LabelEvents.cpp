#include "window/controls/LabelEvents.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QWidget>

namespace {

// Calls a handler for the events of one widget that match; owned by the widget.
class EventFilter : public QObject {
public:
    EventFilter(QWidget* widget, std::function<bool(QEvent*)> matches, std::function<void()> handler)
        : QObject(widget), widget_(widget), matches_(std::move(matches)), handler_(std::move(handler)) {
        widget->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != widget_ || !matches_(event))
            return false;
        handler_();
        // A key that opens something goes no further; mouse and pointer events still reach the widget.
        return event->type() == QEvent::KeyPress;
    }

private:
    QWidget* widget_;
    std::function<bool(QEvent*)> matches_;
    std::function<void()> handler_;
};

// Draws the style's focus frame over a widget that has the keyboard focus, after the widget's own painting.
class FocusFrame : public QObject {
public:
    explicit FocusFrame(QWidget* widget) : QObject(widget), widget_(widget) { widget->installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != widget_ || event->type() != QEvent::Paint || !widget_->hasFocus())
            return false;
        static_cast<QObject*>(widget_)->event(event);
        QPainter painter(widget_);
        QStyleOptionFocusRect option;
        option.initFrom(widget_);
        option.state |= QStyle::State_KeyboardFocusChange;
        option.backgroundColor = widget_->palette().color(widget_->backgroundRole());
        widget_->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, widget_);
        return true;
    }

private:
    QWidget* widget_;
};

bool isClickOn(const QWidget* widget, QEvent* event) {
    if (event->type() != QEvent::MouseButtonRelease)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    return mouse->button() == Qt::LeftButton && widget->rect().contains(mouse->position().toPoint());
}

bool isActivationKey(QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    return !key->isAutoRepeat() && modifiers == Qt::NoModifier &&
           (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Space);
}

} // namespace

namespace LabelEvents {

void onClick(QWidget* widget, std::function<void()> handler) {
    // Tab only: a click opens the link without moving the focus away from the field being edited.
    widget->setFocusPolicy(Qt::TabFocus);
    new FocusFrame(widget);
    new EventFilter(
        widget, [widget](QEvent* event) { return isClickOn(widget, event) || isActivationKey(event); },
        std::move(handler));
}

void onMouseEnter(QWidget* widget, std::function<void()> handler) {
    new EventFilter(
        widget, [](QEvent* event) { return event->type() == QEvent::Enter; }, std::move(handler));
}

void onMouseLeave(QWidget* widget, std::function<void()> handler) {
    new EventFilter(
        widget, [](QEvent* event) { return event->type() == QEvent::Leave; }, std::move(handler));
}

} // namespace LabelEvents
