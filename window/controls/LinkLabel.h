#pragma once

#include <QLabel>

// A label or picture that opens something. A left click on it, or Enter or Space while it has the
// keyboard focus, activates it; Tab reaches it, and a focus frame shows while it has the focus, but a
// click leaves the focus in the field being edited. A label that lights up shows the hand pointer and
// paints its text in the link colour while the pointer is over it: only the colour changes.
class LinkLabel : public QLabel {
    Q_OBJECT

public:
    enum class Hover { None, LightsUp };

    LinkLabel(const QString& text, QWidget* parent, Hover hover = Hover::None);

    // The text colour under the pointer: the palette has no hot-tracked-item role, and its link colour
    // is the nearest, made readable on the window colour where a theme's is not.
    static QColor hotColour(const QPalette& palette);

signals:
    void activated();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    Hover hover_;
};
