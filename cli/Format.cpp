#include "cli/Format.h"

#include "document/ExtensionFile.h"
#include "document/Mxi.h"
#include "document/xml/Errors.h"
#include "document/xml/SavedText.h"

namespace {

void writeFormatted(XmlDocument& document, const QString& fileName,
                    const std::function<void(const QByteArray&)>& write) {
    const XmlNode root = Mxi::findRoot(document);
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
