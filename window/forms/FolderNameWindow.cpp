#include "window/forms/FolderNameWindow.h"

#include "window/application/ToolWindow.h"
#include "window/controls/LinkLabel.h"

#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

#include <algorithm>

FolderNameWindow::FolderNameWindow(const QPixmap& picture, QSize clientSize, const QString& pictureName,
                                   QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      picture_(picture), clientSize_(clientSize) {
    setWindowTitle("Folder name");
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);

    Image1 = new LinkLabel(QString(), this);
    Image1->setAccessibleName(pictureName);
    Image1->setAccessibleDescription(QStringLiteral("A reference table; a click on it or Escape closes the window"));
    connect(Image1, &LinkLabel::activated, this, &FolderNameWindow::Image1Click);
    // Escape closes the window from the keyboard; the picture takes no focus of its own.
    Image1->setFocusPolicy(Qt::NoFocus);
    fitInto(clientSize, {});
}

void FolderNameWindow::showBeside(QWidget* mainWindow) {
    if (!isVisible()) {
        const QRect available = mainWindow->screen()->availableGeometry();
        const QSize frameMargins = mainWindow->frameGeometry().size() - mainWindow->size();
        const bool scaled = !fitInto(available.size(), frameMargins);
        const QPoint position = lastFramePosition_.value_or(firstFramePosition(mainWindow));
        // A window that had to shrink to the screen is also kept on it.
        move(scaled ? keptInside(position, size() + frameMargins, available) : position);
        show();
    }
    setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
}

bool FolderNameWindow::fitInto(QSize available, QSize frameMargins) {
    const QSize room = available - frameMargins;
    const qreal scale =
        std::min({1.0, qreal(room.width()) / clientSize_.width(), qreal(room.height()) / clientSize_.height()});
    setFixedSize((QSizeF(clientSize_) * scale).toSize());
    if (scale == 1.0) {
        Image1->setPixmap(picture_);
    } else {
        // Scaled from the picture's device pixels, which are drawn at the screen's pixel ratio.
        const QSize shown = (QSizeF(picture_.size()) * scale).toSize();
        QPixmap scaled = picture_.scaled(shown, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        scaled.setDevicePixelRatio(picture_.devicePixelRatio());
        Image1->setPixmap(scaled);
    }
    Image1->setGeometry(QRect(QPoint(0, 0), Image1->pixmap().deviceIndependentSize().toSize()));
    return scale == 1.0;
}

QPoint FolderNameWindow::keptInside(QPoint framePosition, QSize frame, const QRect& available) {
    return {std::clamp(framePosition.x(), available.left(),
                       std::max(available.left(), available.right() + 1 - frame.width())),
            std::clamp(framePosition.y(), available.top(),
                       std::max(available.top(), available.bottom() + 1 - frame.height()))};
}

void FolderNameWindow::Image1Click() {
    hide();
}

void FolderNameWindow::hideEvent(QHideEvent* event) {
    lastFramePosition_ = pos();
    QWidget::hideEvent(event);
}

bool FolderNameWindow::event(QEvent* event) {
    // The window manager reads the window's type when it is mapped, which follows right after this.
    if (event->type() == QEvent::WinIdChange)
        ToolWindow::offerOnlyClose(this);
    return QWidget::event(event);
}

void FolderNameWindow::keyPressEvent(QKeyEvent* event) {
    if (!ToolWindow::hideOnEscape(this, event))
        QWidget::keyPressEvent(event);
}
