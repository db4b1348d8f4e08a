#include "cli/Format.h"

#include "cli/Load.h"
#include "cli/SourceLines.h"
#include "document/ExtensionFile.h"
#include "document/Mxi.h"
#include "document/SavedText.h"

namespace {

// A fresh window shows Requires restart checked; loading a file whose requires-restart is not "true"
// unchecks the box, and the box writes "false" into the document.
void uncheckRequiresRestart(XmlNode root) {
    if (!root.attributeIsTrue(Mxi::RequiresRestart))
        root.setAttribute(Mxi::RequiresRestart, Mxi::False);
}

} // namespace

QByteArray formattedText(const QByteArray& text, const QString& displayName, const QString& fileName) {
    const SourceLines lines(text);
    XmlDocument document;
    loadExtensionText(document, text, displayName, lines);
    const XmlNode root = Mxi::findRoot(document);
    uncheckRequiresRestart(root);
    try {
        return fileName.isEmpty() ? savedText(document) : savedFileText(document, fileName);
    } catch (const Error& error) {
        throw Refusal(error.message(), placeOf(root, lines));
    }
}
