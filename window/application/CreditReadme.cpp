#include "window/application/CreditReadme.h"

#include <QDir>

QString creditReadme(const QString& programFolder) {
    const QDir folder(programFolder);
    if (folder == QDir(QStringLiteral(PARCELWRIGHT_BUILD_DIR)))
        return QStringLiteral(PARCELWRIGHT_SOURCE_DIR "/README.md");
    return QDir::cleanPath(folder.absoluteFilePath(QStringLiteral("../share/doc/parcelwright/README.md")));
}
