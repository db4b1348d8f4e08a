#include "window/application/WindowPlacement.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>

namespace WindowPlacement {

namespace {

void centreFrame(QWidget* window) {
    QRect frame = window->frameGeometry();
    frame.moveCenter(window->screen()->availableGeometry().center());
    window->move(frame.topLeft());
}

// Centres the window again the first time it is moved or shown with a frame around it; owned by the window.
class CentreOnceFramed : public QObject {
public:
    explicit CentreOnceFramed(QWidget* window) : QObject(window), window_(window) { window->installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool placed = event->type() == QEvent::Move || event->type() == QEvent::Show;
        if (watched == window_ && placed && window_->frameGeometry().size() != window_->size()) {
            window_->removeEventFilter(this);
            centreFrame(window_);
            deleteLater();
        }
        return false;
    }

private:
    QWidget* window_;
};

} // namespace

void centreOnScreen(QWidget* window) {
    centreFrame(window);
    new CentreOnceFramed(window);
}

} // namespace WindowPlacement
