#pragma once

#include "document/FileLine.h"
#include "document/XmlDocument.h"

#include <QList>

// What an element child of files holds beyond its file line: the attributes the Files page does
// not edit, in document order, and which of source and destination it lacked. Keeping them with
// the line lets a visit of the page write the element back without losing any of them.
struct KeptFileAttributes {
    QList<Attribute> others;
    bool sourceAbsent = false;
    bool destinationAbsent = false;

    bool isEmpty() const { return others.isEmpty() && !sourceAbsent && !destinationAbsent; }
    bool operator==(const KeptFileAttributes&) const = default;
};

struct FileEntry {
    FileLine line;
    KeptFileAttributes kept;
};

// Reads an element child of files, whatever its name: an absent source or destination gives an
// empty field, an absent plateform the code "both", a flag is set only by the exact value "true".
FileEntry readFileEntry(const XmlNode& element);

// Sets the attributes of a new file element in this order: source, destination, systemfile and
// shared when set, plateform unless "both", then the kept attributes. A source or destination the
// element lacked stays absent as long as its field is empty.
void writeFileEntry(XmlNode file, const FileEntry& entry);
