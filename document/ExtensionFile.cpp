#include "document/ExtensionFile.h"

#include "document/Mxi.h"
#include "document/Repair.h"
#include "document/extfncts.h"
#include "document/xml/Errors.h"
#include "document/xml/RegularFile.h"
#include "document/xml/SavedText.h"
#include "document/xml/SourceLines.h"

#include <vector>

namespace {

XmlNode firstElement(const XmlDocument& document) {
    for (const XmlNode& node : document.documentNode().children()) {
        if (node.type() == NodeType::Element)
            return node;
    }
    return {};
}

// ForeignDocumentError, placed at the first element's start tag in Text, unless the root is macromedia-extension.
void requireExtensionRoot(const XmlDocument& document, const QByteArray& text, const QString& displayName) {
    if (Mxi::findRoot(document))
        return;
    const XmlNode first = firstElement(document);
    throw ForeignDocumentError(
        QStringLiteral("\"%1\" is not an extension installation file: its root element is <%2>, not <%3>")
            .arg(displayName, first ? first.name() : QString(), Mxi::Root),
        first ? SourceLines(text).startTag(first.line(), first.name(), 0) : Place());
}

// True when the file loaded; false where reading the whole file must tell why not.
bool loadFileInPieces(XmlDocument& document, const QString& fileName) {
    RegularFileReader file(fileName);
    XmlDocument loaded;
    const ReadText read = [&file](char* buffer, int length) {
        try {
            return int(file.read(buffer, length));
        } catch (const UnreadableFileError&) {
            return -1;
        }
    };
    if (!loaded.tryLoad(read) || !Mxi::findRoot(loaded))
        return false;
    document.adopt(loaded);
    return true;
}

} // namespace

void loadExtensionFile(XmlDocument& document, const QString& fileName) {
    if (!loadFileInPieces(document, fileName))
        loadExtensionText(document, readRegularFile(fileName), fileName);
}

void loadExtensionText(XmlDocument& document, const QByteArray& text, const QString& displayName) {
    XmlDocument loaded;
    try {
        loaded.loadFromXml(text);
        requireExtensionRoot(loaded, text, displayName);
    } catch (const PlacedError& refusal) {
        if (std::optional<RepairedText> repaired = repairedText(text))
            throw RepairableError(refusal, std::move(*repaired));
        throw;
    }
    document.adopt(loaded);
}

namespace {

struct SourceChange {
    XmlNode file;
    QString original;
};

// Rewrites the sources and returns what they were, in order. A file element without source
// has nothing to make relative and is left as it is.
std::vector<SourceChange> makeSourcesRelative(const XmlDocument& document, const QString& folder) {
    std::vector<SourceChange> changes;
    const XmlNode root = Mxi::findRoot(document);
    const XmlNode files = root ? root.findChild(Mxi::Files) : XmlNode();
    if (!files)
        return changes;
    for (XmlNode file : files.children()) {
        if (file.type() != NodeType::Element)
            continue;
        const std::optional<QString> source = file.attribute(Mxi::Source);
        if (!source)
            continue;
        const QString relative = RelativeToFolder(*source, folder);
        if (relative == *source)
            continue;
        changes.push_back({file, *source});
        file.setAttribute(Mxi::Source, relative);
    }
    return changes;
}

void restoreSources(const std::vector<SourceChange>& changes) {
    for (const SourceChange& change : changes) {
        XmlNode file = change.file;
        file.setAttribute(Mxi::Source, change.original);
    }
}

// The saved text piece by piece, or a LimitError saying what Load would not read back and that nothing
// was written: the file then holds what it held before.
TextPieces textToSave(const XmlDocument& document) {
    return [&document](const std::function<void(const QByteArray&)>& write) {
        try {
            writeSavedText(document, write);
        } catch (const LimitError& error) {
            throw LimitError(error.message() + QStringLiteral(". Nothing was written"));
        }
    };
}

} // namespace

void storeSourcesRelativeTo(XmlDocument& document, const QString& fileName) {
    makeSourcesRelative(document, FolderOf(fileName));
}

void saveExtensionFile(XmlDocument& document, const QString& fileName) {
    const std::vector<SourceChange> changes = makeSourcesRelative(document, FolderOf(fileName));
    try {
        writeSavedFile(fileName, textToSave(document));
    } catch (...) {
        restoreSources(changes);
        throw;
    }
}
