#include "window/LabelEvents.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

namespace {

// Watches one widget for one kind of mouse event; owned by the widget.
class MouseEventFilter : public QObject {
public:
    MouseEventFilter(QWidget* widget, QEvent::Type type, std::function<void()> handler)
        : QObject(widget), widget_(widget), type_(type), handler_(std::move(handler)) {
        widget->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == widget_ && event->type() == type_ && (type_ != QEvent::MouseButtonRelease || isClick(event))) {
            handler_();
        }
        return false;
    }

private:
    bool isClick(QEvent* event) const {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        return mouse->button() == Qt::LeftButton && widget_->rect().contains(mouse->position().toPoint());
    }

    QWidget* widget_;
    QEvent::Type type_;
    std::function<void()> handler_;
};

} // namespace

namespace LabelEvents {

void onClick(QWidget* widget, std::function<void()> handler) {
    new MouseEventFilter(widget, QEvent::MouseButtonRelease, std::move(handler));
}

void onMouseEnter(QWidget* widget, std::function<void()> handler) {
    new MouseEventFilter(widget, QEvent::Enter, std::move(handler));
}

void onMouseLeave(QWidget* widget, std::function<void()> handler) {
    new MouseEventFilter(widget, QEvent::Leave, std::move(handler));
}

} // namespace LabelEvents
