#pragma once

#include "window/controls/LinkLabel.h"

#include <QPixmap>
#include <QPoint>
#include <QWidget>

#include <optional>

// A small tool window captioned "Folder name" that shows one reference picture beside the main window.
// It lives for the whole run: closing it, clicking its picture or pressing Escape only hides it.
class FolderNameWindow : public QWidget {
    Q_OBJECT

public:
    // Shows the window without blocking mainWindow, or brings it to the front if it is already shown,
    // also out of a minimised state. The first time it goes to its own first position; after that where
    // it was when last hidden. A window taller or wider than the screen shows its picture scaled down.
    void showBeside(QWidget* mainWindow);

    void Image1Click();

    LinkLabel* Image1 = nullptr;

protected:
    FolderNameWindow(const QPixmap& picture, QSize clientSize, const QString& pictureName, QWidget* parent);

    // Where the outer frame's top-left corner goes the first time the window is shown.
    virtual QPoint firstFramePosition(const QWidget* mainWindow) const = 0;

    bool event(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Sizes the window and its picture to fit into available, which holds the frame too; false when
    // they had to shrink.
    bool fitInto(QSize available, QSize frameMargins);
    // A frame of size frame placed at framePosition, moved as little as needed to lie inside available.
    static QPoint keptInside(QPoint framePosition, QSize frame, const QRect& available);

    QPixmap picture_;
    QSize clientSize_;
    std::optional<QPoint> lastFramePosition_;
};
