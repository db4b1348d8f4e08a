#include "document/FileElement.h"

#include "document/Mxi.h"

namespace {

void setFlag(XmlNode& file, const QString& name, bool set) {
    if (set)
        file.setAttribute(name, Mxi::True);
    else
        file.removeAttribute(name);
}

void setPlatform(XmlNode& file, const QString& code) {
    if (code == FilePlatform::Both)
        file.removeAttribute(Mxi::Plateform);
    else
        file.setAttribute(Mxi::Plateform, code);
}

} // namespace

FileLine readFileLine(const XmlNode& element) {
    FileLine line{QString(), QString(), false, false, FilePlatform::Both};
    for (const Attribute& attribute : element.attributes()) {
        const QString& name = attribute.first;
        const QString& value = attribute.second;
        if (name == Mxi::Source)
            line.source = value;
        else if (name == Mxi::Destination)
            line.destination = value;
        else if (name == Mxi::Shared)
            line.shared = value == Mxi::True;
        else if (name == Mxi::SystemFile)
            line.system = value == Mxi::True;
        else if (name == Mxi::Plateform)
            line.platform = value;
    }
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
}

void updateFile(XmlNode file, const FileLine& before, const FileLine& after) {
    if (after.source != before.source)
        file.setAttribute(Mxi::Source, after.source);
    if (after.destination != before.destination)
        file.setAttribute(Mxi::Destination, after.destination);
    if (after.system != before.system)
        setFlag(file, Mxi::SystemFile, after.system);
    if (after.shared != before.shared)
        setFlag(file, Mxi::Shared, after.shared);
    if (after.platform != before.platform)
        setPlatform(file, after.platform);
}
