#pragma once

#include <QPoint>
#include <QWidget>

#include <optional>

class QLabel;
class QPixmap;

// A small tool window captioned "Folder name" that shows one reference picture beside the main window.
// It lives for the whole run: closing it, or clicking its picture, only hides it.
class FolderNameWindow : public QWidget {
    Q_OBJECT

public:
    // Shows the window without blocking mainWindow, or brings it to the front if it is already shown.
    // The first time it goes to its own first position; after that where it was when last hidden.
    void showBeside(QWidget* mainWindow);

    void Image1Click();

    QLabel* Image1 = nullptr;

protected:
    FolderNameWindow(const QPixmap& picture, QSize clientSize, QWidget* parent);

    // Where the outer frame's top-left corner goes the first time the window is shown.
    virtual QPoint firstFramePosition(const QWidget* mainWindow) const = 0;

    void hideEvent(QHideEvent* event) override;

private:
    std::optional<QPoint> lastFramePosition_;
};
