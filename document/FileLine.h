#pragma once

#include "document/xml/XmlDocument.h"

#include <QList>
#include <QString>

// One line of the file list on the Files page: source, destination, the shared and system flags and
// the platform code, joined by "|", as in "Select source|Select destination|false|false|both".
// A "|" or carriage return inside a text field is escaped in the line, so that splitting the line
// at every "|" gives back each value exactly as it went in.
struct FileLine {
    QString source;
    QString destination;
    bool shared = false;
    bool system = false;
    QString platform;
    // The fields outside the line text, each empty when the element has no such attribute: the
    // file-type as the file spells it, the products it installs for (a comma list) and their version range.
    QString fileType;
    QString products;
    QString minVersion;
    QString maxVersion;
    // The attributes no editor of the page shows, in their order.
    QList<Attribute> others;

    // The line that "+" adds.
    static FileLine newLine();
    // Splits a line into its five fields; a field the line lacks is empty, as is every field outside the line.
    static FileLine fromText(const QString& line);
    QString text() const;

    bool operator==(const FileLine&) const = default;
};

// The platform codes of a file line and the items of the platform box that show them.
namespace FilePlatform {

inline const QString Both = QStringLiteral("both");
inline const QString Windows = QStringLiteral("win");
inline const QString Apple = QStringLiteral("mac");

// The platform box item for a code: 1 for "win", 2 for "mac", 0 for any other code.
int itemOf(const QString& code);
// The code of a platform box item: "win" for 1, "mac" for 2, "both" for anything else, no item included.
QString codeOf(int item);
// The platform icon of a code, or -1 for a code that has none.
int iconOf(const QString& code);

} // namespace FilePlatform

// The source as the file list shows it: whole up to 20 characters, else "..." and its last 18.
QString shortenedSource(const QString& source);

// The file types a file line offers, as the Extension Manager spells them.
namespace FileType {

const QStringList& names();
// The item of the file type box for a value, letter case aside: 0 for none, then one item per name;
// -1 for a value the box does not hold.
int itemOf(const QString& value);

} // namespace FileType

// The file type and the products with their version range, as in "CSXS, for Photoshop 15 and later";
// empty for a line without them.
QString fileDetails(const FileLine& line);

// The line as a sentence for screen readers, as in
// "a.js to $dreamweaver/Configuration/Commands, shared, Windows only".
QString spokenFile(const FileLine& line);
