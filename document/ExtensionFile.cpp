#include "document/ExtensionFile.h"

#include "document/Mxi.h"
#include "document/SavedText.h"
#include "document/XmlErrors.h"
#include "document/extfncts.h"

#include <vector>

namespace {

QString firstElementName(const XmlDocument& document) {
    for (const XmlNode& node : document.documentNode().children()) {
        if (node.type() == NodeType::Element)
            return node.name();
    }
    return {};
}

} // namespace

void loadExtensionFile(XmlDocument& document, const QString& fileName) {
    XmlDocument loaded;
    loaded.loadFromFile(fileName);
    requireExtensionRoot(loaded, fileName);
    document.adopt(loaded);
}

void requireExtensionRoot(const XmlDocument& document, const QString& fileName) {
    if (!Mxi::findRoot(document)) {
        throw ForeignDocumentError(
            QStringLiteral("\"%1\" is not an extension installation file: its root element is <%2>, not <%3>")
                .arg(fileName, firstElementName(document), Mxi::Root));
    }
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

// The saved text, or a LimitError saying what Load would not read back and that nothing was written.
QByteArray textToSave(const XmlDocument& document) {
    try {
        return savedText(document);
    } catch (const LimitError& error) {
        throw LimitError(error.message() + QStringLiteral(". Nothing was written"));
    }
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
