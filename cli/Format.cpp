#include "cli/Format.h"

#include "cli/InputFile.h"
#include "cli/Load.h"
#include "cli/SourceLines.h"
#include "document/ExtensionFile.h"
#include "document/Mxi.h"
#include "document/SavedText.h"

namespace {

void writeFormatted(XmlDocument& document, const QString& fileName,
                    const std::function<void(const QByteArray&)>& write) {
    const XmlNode root = Mxi::findRoot(document);
    if (!fileName.isEmpty())
        storeSourcesRelativeTo(document, fileName);
    try {
        writeSavedText(document, write);
    } catch (const Error& error) {
        throw Refusal(error.message(), {root.line(), 0});
    }
}

} // namespace

void formatText(QByteArray text, const QString& displayName, const QString& fileName,
                const std::function<void(const QByteArray&)>& write) {
    XmlDocument document;
    loadExtensionText(document, text, displayName, SourceLines(text));
    text = QByteArray();
    writeFormatted(document, fileName, write);
}

void formatRegularFile(const QString& file, const QString& fileName,
                       const std::function<void(const QByteArray&)>& write) {
    XmlDocument document;
    if (loadExtensionFileInPieces(document, file))
        writeFormatted(document, fileName, write);
    else
        formatText(readRegularTextFile(file), file, fileName, write);
}
