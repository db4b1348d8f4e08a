#include "window/Unit2.h"

#include "window/Pictures.h"

// The picture is 8 pixels wider than the window; its clipped columns hold only the ends of the rules.
TForm2::TForm2(QWidget* parent)
    : FolderNameWindow(standardFoldersPicture(), QSize(476, 200), QStringLiteral("Standard destination folders"),
                       parent) {}

QPoint TForm2::firstFramePosition(const QWidget* mainWindow) const {
    QRect frame = frameGeometry();
    frame.moveCenter(mainWindow->frameGeometry().center());
    return frame.topLeft();
}
