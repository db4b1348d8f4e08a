#include "window/controls/FileDrops.h"

#include "document/xml/Errors.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QWidget>

FileDrops::FileDrops(QWidget* window, std::function<void(const QList<QUrl>&)> onDrop)
    : QObject(window), onDrop_(std::move(onDrop)) {
    window->setAcceptDrops(true);
    window->installEventFilter(this);
    for (QWidget* control : window->findChildren<QWidget*>())
        control->installEventFilter(this);
}

bool FileDrops::eventFilter(QObject*, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    auto* drop = static_cast<QDropEvent*>(event);
    if (!drop->mimeData()->hasUrls())
        return false;
    // A copy: the source never deletes what it dragged here.
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop) {
        const QList<QUrl> urls = drop->mimeData()->urls();
        QMetaObject::invokeMethod(
            this, [this, urls] { onDrop_(urls); }, Qt::QueuedConnection);
    }
    return true;
}

QString droppedFile(const QList<QUrl>& urls) {
    const QString advice = QStringLiteral("drop one extension installation file to load it");
    if (urls.size() != 1)
        throw Error(QStringLiteral("%1 items were dropped: %2").arg(urls.size()).arg(advice));
    QUrl url = urls.front();
    // Some file managers name this computer as localhost; any other host is another computer.
    if (url.isLocalFile() && url.host().compare(QStringLiteral("localhost"), Qt::CaseInsensitive) == 0)
        url.setHost(QString());
    if (!url.isLocalFile() || !url.host().isEmpty())
        throw Error(QStringLiteral("\"%1\" is not a file on this computer: %2").arg(url.toDisplayString(), advice));
    const QString fileName = url.toLocalFile();
    if (QFileInfo(fileName).isDir())
        throw Error(QStringLiteral("\"%1\" is a folder: %2").arg(fileName, advice));
    return fileName;
}
