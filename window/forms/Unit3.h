#pragma once

#include "window/forms/FolderNameWindow.h"

// The table of the destinations that belong to each extension type of Macromedia Flash.
class TForm3 : public FolderNameWindow {
    Q_OBJECT

public:
    explicit TForm3(QWidget* parent = nullptr);

protected:
    QPoint firstFramePosition(const QWidget* mainWindow) const override;
};
