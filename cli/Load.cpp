#include "cli/Load.h"

#include "cli/InputFile.h"
#include "cli/SourceLines.h"
#include "document/ExtensionFile.h"
#include "document/Mxi.h"

namespace {

XmlNode firstElement(const XmlDocument& document) {
    for (const XmlNode& node : document.documentNode().children()) {
        if (node.type() == NodeType::Element)
            return node;
    }
    return {};
}

} // namespace

void loadExtensionText(XmlDocument& document, const QByteArray& text, const QString& fileName,
                       const SourceLines& lines) {
    XmlDocument loaded;
    try {
        loaded.loadFromXml(text);
    } catch (const ParseError& error) {
        throw Refusal(error.reason(), {error.line(), error.column()});
    }
    try {
        requireExtensionRoot(loaded, fileName);
    } catch (const ForeignDocumentError& error) {
        throw Refusal(error.message(), placeOf(firstElement(loaded), lines));
    }
    document.adopt(loaded);
}

bool loadExtensionFileInPieces(XmlDocument& document, const QString& fileName) {
    try {
        TextFilePieces file(fileName);
        XmlDocument loaded;
        if (!loaded.tryLoad([&file](char* buffer, int length) { return file.read(buffer, length); }) ||
            !Mxi::findRoot(loaded))
            return false;
        document.adopt(loaded);
        return true;
    } catch (const UnreadableFileError&) {
        return false;
    }
}

Place placeOf(const XmlNode& element, const SourceLines& lines, int ordinal) {
    return lines.startTag(element.line(), element.name(), ordinal);
}
