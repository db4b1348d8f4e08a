#include "document/FileElement.h"

#include "document/AttributeEdits.h"
#include "document/Mxi.h"

namespace {

void setFlag(XmlNode& file, const QString& name, bool set) {
    if (set)
        file.setAttribute(name, Mxi::True);
    else
        file.removeAttribute(name);
}

void setPlatform(XmlNode& file, const QString& code) {
    file.removeAttribute(Mxi::Plateform);
    if (code == FilePlatform::Both)
        file.removeAttribute(Mxi::Platform);
    else
        file.setAttribute(Mxi::Platform, code);
}

// The optional texts of a line, each with its attribute.
struct OptionalText {
    const QString& name;
    QString FileLine::*field;
};

const OptionalText optionalTexts[] = {{Mxi::FileType, &FileLine::fileType},
                                      {Mxi::Products, &FileLine::products},
                                      {Mxi::MinVersion, &FileLine::minVersion},
                                      {Mxi::MaxVersion, &FileLine::maxVersion}};

} // namespace

FileLine readFileLine(const XmlNode& element) {
    const QList<Attribute> attributes = element.attributes();
    const Mxi::AttributeList list{attributes};
    const QString sourceName = Mxi::sourceAttribute(list);
    FileLine line;
    line.source = list.attribute(sourceName).value_or(QString());
    line.destination = list.attribute(Mxi::Destination).value_or(QString());
    line.shared = list.attribute(Mxi::Shared) == Mxi::True;
    line.system = list.attribute(Mxi::SystemFile) == Mxi::True;
    line.platform = list.attribute(Mxi::platformAttribute(list)).value_or(FilePlatform::Both);
    QStringList shown = {sourceName, Mxi::Destination, Mxi::Shared, Mxi::SystemFile, Mxi::Platform, Mxi::Plateform};
    for (const OptionalText& text : optionalTexts) {
        line.*text.field = list.attribute(text.name).value_or(QString());
        shown.append(text.name);
    }
    line.others = AttributeEdits::others(attributes, shown);
    return line;
}

void writeNewFile(XmlNode file, const FileLine& line) {
    file.setAttribute(Mxi::Source, line.source);
    file.setAttribute(Mxi::Destination, line.destination);
    if (line.system)
        setFlag(file, Mxi::SystemFile, true);
    if (line.shared)
        setFlag(file, Mxi::Shared, true);
    if (line.platform != FilePlatform::Both)
        setPlatform(file, line.platform);
    for (const OptionalText& text : optionalTexts)
        AttributeEdits::setOrRemove(file, text.name, line.*text.field);
    AttributeEdits::updateOthers(file, {}, line.others);
}

void updateFile(XmlNode file, const FileLine& before, const FileLine& after) {
    if (after.source != before.source)
        file.setAttribute(Mxi::sourceAttribute(file), after.source);
    if (after.destination != before.destination)
        file.setAttribute(Mxi::Destination, after.destination);
    if (after.system != before.system)
        setFlag(file, Mxi::SystemFile, after.system);
    if (after.shared != before.shared)
        setFlag(file, Mxi::Shared, after.shared);
    if (after.platform != before.platform)
        setPlatform(file, after.platform);
    for (const OptionalText& text : optionalTexts) {
        if (after.*text.field != before.*text.field)
            AttributeEdits::setOrRemove(file, text.name, after.*text.field);
    }
    AttributeEdits::updateOthers(file, before.others, after.others);
}
