#include "window/forms/Unit2.h"

#include "window/pictures/Pictures.h"

// The picture is 8 pixels wider than the window; its clipped columns hold only the ends of the rules.
TForm2::TForm2(QWidget* parent)
    : FolderNameWindow(standardFoldersPicture(), QSize(476, 200), QStringLiteral("Standard destination folders"),
                       parent) {}

// Before its first showing the window has no frame yet: the main window's frame stands in for its own.
QPoint TForm2::firstFramePosition(const QWidget* mainWindow) const {
    QRect frame(QPoint(), size() + mainWindow->frameGeometry().size() - mainWindow->size());
    frame.moveCenter(mainWindow->frameGeometry().center());
    return frame.topLeft();
}
