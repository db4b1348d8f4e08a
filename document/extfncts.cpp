#include "document/extfncts.h"

#include <algorithm>

namespace {

bool isSeparator(QChar c) { return c == '\\' || c == '/'; }

} // namespace

QString ReplaceAll(QString S, const QString& OldPattern, const QString& NewPattern) {
    if (OldPattern.isEmpty())
        return S;
    // A search from the start after each replacement can only find a new occurrence overlapping the
    // replacement, so the search resumes just before it. A NewPattern that contains OldPattern would
    // make that search endless; then the search resumes after the replacement.
    const qsizetype resumeOffset =
        NewPattern.contains(OldPattern) ? NewPattern.size() : -(OldPattern.size() - 1);
    qsizetype position = S.indexOf(OldPattern);
    while (position >= 0) {
        S.replace(position, OldPattern.size(), NewPattern);
        position = S.indexOf(OldPattern, std::max<qsizetype>(0, position + resumeOffset));
    }
    return S;
}

QString StripDrive(const QString& Path) {
    if (Path.size() >= 2 && Path[1] == ':')
        return Path.mid(2);
    return Path;
}

QString FolderOf(const QString& FileName) {
    qsizetype last = FileName.size() - 1;
    while (last >= 0 && !isSeparator(FileName[last]))
        --last;
    if (last < 0)
        return {};
    const QString folder = FileName.left(last);
    const bool isRoot = folder.isEmpty() || (folder.size() == 2 && folder[1] == ':');
    return isRoot ? FileName.left(last + 1) : folder;
}

QString RelativeToFolder(const QString& Path, const QString& Folder) {
    QString folder = Folder;
    if (!folder.isEmpty() && isSeparator(folder.back()))
        folder.chop(1);
    if (Path == folder)
        return {};
    if (Path.size() > folder.size() && Path.startsWith(folder) && isSeparator(Path[folder.size()]))
        return Path.mid(folder.size() + 1);
    return StripDrive(Path);
}
