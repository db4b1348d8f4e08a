#pragma once

#include "window/forms/FolderNameWindow.h"

// The table of the folder names a file's destination may start with.
class TForm2 : public FolderNameWindow {
    Q_OBJECT

public:
    explicit TForm2(QWidget* parent = nullptr);

protected:
    // Centred on the main window, outer frame on outer frame.
    QPoint firstFramePosition(const QWidget* mainWindow) const override;
};
