#pragma once

#include <QString>

// S with every occurrence of OldPattern replaced by NewPattern, searching again from the start
// after each replacement. An empty OldPattern is never found.
QString ReplaceAll(QString S, const QString& OldPattern, const QString& NewPattern);

// Path without a leading drive designation such as "C:".
QString StripDrive(const QString& Path);

// The folder part of a file name: everything before its last separator, keeping the separator of
// a root folder ("C:\" for "C:\my.mxi", "/" for "/my.mxi"). "\" and "/" both separate folders.
QString FolderOf(const QString& FileName);

// The form in which a saved file stores the path of a packaged file: relative to Folder when the
// path lies inside it, otherwise the path without its drive.
QString RelativeToFolder(const QString& Path, const QString& Folder);
