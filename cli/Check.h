#pragma once

#include "document/xml/Errors.h"

#include <QByteArray>
#include <QList>
#include <QString>

struct Finding {
    Place place;
    bool isError = false;
    QString message;
};

// What an author most often gets wrong in an extension installation file: an error when Load refuses
// it, warnings for what loads but will not package as meant, in the order of the text. Sources are
// looked up in Folder.
QList<Finding> checkText(const QByteArray& text, const QString& displayName, const QString& folder);
// The same for the regular file File, read in pieces so that a large file is never held whole; first
// an error where a write into it was cut short and left the copy of its old text beside it.
QList<Finding> checkRegularFile(const QString& file, const QString& folder);
