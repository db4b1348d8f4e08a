#include "document/FileElement.h"

#include "document/Mxi.h"

FileEntry readFileEntry(const XmlNode& element) {
    FileEntry entry{{QString(), QString(), false, false, FilePlatform::Both}, {{}, true, true}};
    for (const Attribute& attribute : element.attributes()) {
        const QString& name = attribute.first;
        const QString& value = attribute.second;
        if (name == Mxi::Source) {
            entry.line.source = value;
            entry.kept.sourceAbsent = false;
        } else if (name == Mxi::Destination) {
            entry.line.destination = value;
            entry.kept.destinationAbsent = false;
        } else if (name == Mxi::Shared) {
            entry.line.shared = value == Mxi::True;
        } else if (name == Mxi::SystemFile) {
            entry.line.system = value == Mxi::True;
        } else if (name == Mxi::Plateform) {
            entry.line.platform = value;
        } else {
            entry.kept.others.append(attribute);
        }
    }
    return entry;
}

void writeFileEntry(XmlNode file, const FileEntry& entry) {
    const FileLine& line = entry.line;
    if (!entry.kept.sourceAbsent || !line.source.isEmpty())
        file.setAttribute(Mxi::Source, line.source);
    if (!entry.kept.destinationAbsent || !line.destination.isEmpty())
        file.setAttribute(Mxi::Destination, line.destination);
    if (line.system)
        file.setAttribute(Mxi::SystemFile, Mxi::True);
    if (line.shared)
        file.setAttribute(Mxi::Shared, Mxi::True);
    if (line.platform != FilePlatform::Both)
        file.setAttribute(Mxi::Plateform, line.platform);
    for (const Attribute& attribute : entry.kept.others)
        file.setAttribute(attribute.first, attribute.second);
}
