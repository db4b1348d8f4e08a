#include "window/FolderNameWindow.h"

#include "window/LabelEvents.h"

#include <QLabel>
#include <QPixmap>

FolderNameWindow::FolderNameWindow(const QPixmap& picture, QSize clientSize, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setWindowTitle("Folder name");
    setFixedSize(clientSize);
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);

    Image1 = new QLabel(this);
    Image1->setPixmap(picture);
    Image1->setGeometry(QRect(QPoint(0, 0), picture.size()));
    LabelEvents::onClick(Image1, [this] { Image1Click(); });
}

void FolderNameWindow::showBeside(QWidget* mainWindow) {
    if (!isVisible()) {
        create(); // the platform window tells the frame's size, where it can know it before showing
        move(lastFramePosition_.value_or(firstFramePosition(mainWindow)));
        show();
    }
    raise();
    activateWindow();
}

void FolderNameWindow::Image1Click() {
    hide();
}

void FolderNameWindow::hideEvent(QHideEvent* event) {
    lastFramePosition_ = pos();
    QWidget::hideEvent(event);
}
