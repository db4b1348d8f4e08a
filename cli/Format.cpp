#include "cli/Format.h"

#include "document/ExtensionFile.h"
#include "document/Mxi.h"
#include "document/SavedText.h"
#include "document/XmlErrors.h"

namespace {

// A fresh window shows Requires restart checked; loading a file whose requires-restart is not "true"
// unchecks the box, and the box writes "false" into the document.
void uncheckRequiresRestart(XmlNode root) {
    if (!root.attributeIsTrue(Mxi::RequiresRestart))
        root.setAttribute(Mxi::RequiresRestart, Mxi::False);
}

void writeFormatted(XmlDocument& document, const QString& fileName,
                    const std::function<void(const QByteArray&)>& write) {
    const XmlNode root = Mxi::findRoot(document);
    uncheckRequiresRestart(root);
    if (!fileName.isEmpty())
        storeSourcesRelativeTo(document, fileName);
    try {
        writeSavedText(document, write);
    } catch (const Error& error) {
        throw PlacedError(error.message(), Place{root.line(), 0});
    }
}

} // namespace

void formatText(QByteArray text, const QString& displayName, const QString& fileName,
                const std::function<void(const QByteArray&)>& write) {
    XmlDocument document;
    loadExtensionText(document, text, displayName);
    text = QByteArray();
    writeFormatted(document, fileName, write);
}

void formatRegularFile(const QString& file, const QString& fileName,
                       const std::function<void(const QByteArray&)>& write) {
    XmlDocument document;
    loadExtensionFile(document, file);
    writeFormatted(document, fileName, write);
}
