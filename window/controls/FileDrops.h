#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>

class QWidget;

// Lets a window take what is dropped onto it as a list of URLs (files from a file manager, links
// from a browser), over any of its controls, also those that would otherwise insert the URLs as text.
// The handler runs once the drop is over, so a message it shows does not hold up the source.
class FileDrops : public QObject {
public:
    FileDrops(QWidget* window, std::function<void(const QList<QUrl>&)> onDrop);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(const QList<QUrl>&)> onDrop_;
};

// The one local file that dropped URLs name; throws an Error saying why for anything else.
QString droppedFile(const QList<QUrl>& urls);
