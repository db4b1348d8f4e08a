#include "window/FindUpwards.h"

#include <QDir>
#include <QFileInfo>

QString findFileUpwards(const QString& folder, const QString& fileName) {
    QDir dir(QFileInfo(folder).absoluteFilePath());
    while (true) {
        const QFileInfo candidate(dir.filePath(fileName));
        if (candidate.isFile())
            return candidate.absoluteFilePath();
        if (dir.isRoot() || !dir.cdUp())
            return {};
    }
}
