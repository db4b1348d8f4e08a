#include "document/FileLine.h"

#include "document/Mxi.h"
#include "document/extfncts.h"

#include <QList>
#include <QStringBuilder>
#include <QStringList>
#include <QStringView>

namespace {

const QString separator = QStringLiteral("|");
const QString carriageReturn = QStringLiteral("\r");

// The escape character cannot occur in an XML 1.0 document, so loaded values never need it escaped;
// it is escaped anyway so that every typed value survives the line.
const QChar escapeMark(0x1B);
const QString escapeMarkText(escapeMark);
const QChar markCode('e');
const QChar separatorCode('p');
const QChar carriageReturnCode('r');
const QString escapedMark = escapeMarkText + markCode;
const QString escapedSeparator = escapeMarkText + separatorCode;
const QString escapedCarriageReturn = escapeMarkText + carriageReturnCode;

QString escaped(const QString& value) {
    QString text = ReplaceAll(value, escapeMarkText, escapedMark);
    text = ReplaceAll(text, separator, escapedSeparator);
    return ReplaceAll(text, carriageReturn, escapedCarriageReturn);
}

QString unescaped(QStringView field) {
    if (!field.contains(escapeMark))
        return field.toString();
    QString value;
    value.reserve(field.size());
    for (qsizetype position = 0; position < field.size(); ++position) {
        if (field[position] != escapeMark || position + 1 == field.size()) {
            value += field[position];
            continue;
        }
        const QChar code = field[++position];
        value += code == separatorCode ? separator : code == carriageReturnCode ? carriageReturn : escapeMarkText;
    }
    return value;
}

QString flagText(bool set) {
    return set ? Mxi::True : Mxi::False;
}

} // namespace

FileLine FileLine::newLine() {
    FileLine line;
    line.source = QStringLiteral("Select source");
    line.destination = QStringLiteral("Select destination");
    line.platform = FilePlatform::Both;
    return line;
}

FileLine FileLine::fromText(const QString& line) {
    const QString pieces = ReplaceAll(line, separator, carriageReturn);
    QList<QStringView> fields = QStringView(pieces).split(carriageReturn);
    fields.resize(5);
    FileLine decoded;
    decoded.source = unescaped(fields[0]);
    decoded.destination = unescaped(fields[1]);
    decoded.shared = fields[2] == Mxi::True;
    decoded.system = fields[3] == Mxi::True;
    decoded.platform = unescaped(fields[4]);
    return decoded;
}

QString FileLine::text() const {
    return escaped(source) % separator % escaped(destination) % separator % flagText(shared) % separator %
           flagText(system) % separator % escaped(platform);
}

namespace FilePlatform {

int itemOf(const QString& code) {
    if (code == Windows)
        return 1;
    if (code == Apple)
        return 2;
    return 0;
}

QString codeOf(int item) {
    switch (item) {
    case 1:
        return Windows;
    case 2:
        return Apple;
    default:
        return Both;
    }
}

int iconOf(const QString& code) {
    if (code == Both)
        return 0;
    return code == Windows || code == Apple ? itemOf(code) : -1;
}

} // namespace FilePlatform

QString shortenedSource(const QString& source) {
    constexpr qsizetype shownWhole = 20;
    constexpr qsizetype shownTail = 18;
    return source.size() <= shownWhole ? source : QStringLiteral("...") + source.right(shownTail);
}

namespace FileType {

const QStringList& names() {
    static const QStringList names = {QStringLiteral("ordinary"), QStringLiteral("CSXS"), QStringLiteral("plugin")};
    return names;
}

int itemOf(const QString& value) {
    if (value.isEmpty())
        return 0;
    for (qsizetype name = 0; name < names().size(); ++name) {
        if (names()[name].compare(value, Qt::CaseInsensitive) == 0)
            return int(name) + 1;
    }
    return -1;
}

} // namespace FileType

namespace {

QString versionRange(const FileLine& line) {
    if (line.minVersion.isEmpty())
        return line.maxVersion.isEmpty() ? QString() : QStringLiteral("up to ") + line.maxVersion;
    if (line.maxVersion.isEmpty())
        return line.minVersion + QStringLiteral(" and later");
    return line.minVersion + QStringLiteral(" to ") + line.maxVersion;
}

} // namespace

QString fileDetails(const FileLine& line) {
    QStringList details;
    if (!line.fileType.isEmpty())
        details.append(line.fileType);
    const QString range = versionRange(line);
    if (!line.products.isEmpty() || !range.isEmpty()) {
        const QString products =
            line.products.isEmpty() ? QStringLiteral("versions") : line.products.split(',').join(QStringLiteral(", "));
        details.append(QStringLiteral("for ") + QStringList{products, range}.join(' ').trimmed());
    }
    return details.join(QStringLiteral(", "));
}

QString spokenFile(const FileLine& line) {
    // A CSXS package needs no destination: the Extension Manager places it.
    QString sentence =
        line.destination.isEmpty() ? line.source : line.source + QStringLiteral(" to ") + line.destination;
    if (const QString details = fileDetails(line); !details.isEmpty())
        sentence += QStringLiteral(", ") + details;
    if (line.shared)
        sentence += QStringLiteral(", shared");
    if (line.system)
        sentence += QStringLiteral(", system file");
    if (line.platform == FilePlatform::Windows)
        sentence += QStringLiteral(", Windows only");
    else if (line.platform == FilePlatform::Apple)
        sentence += QStringLiteral(", Apple only");
    else if (line.platform != FilePlatform::Both)
        sentence += QStringLiteral(", platform \"") + line.platform + '"';
    return sentence;
}
