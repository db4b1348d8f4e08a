#include "window/forms/Unit3.h"

#include "window/pictures/Pictures.h"

// A strip of background stays below the picture, which is 4 pixels less tall than the window.
TForm3::TForm3(QWidget* parent)
    : FolderNameWindow(flashFoldersPicture(), QSize(571, 520),
                       QStringLiteral("Standard destination folders of Macromedia Flash"), parent) {}

QPoint TForm3::firstFramePosition(const QWidget*) const {
    return QPoint(295, 119);
}
