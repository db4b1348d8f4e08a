#include "cli/Load.h"

#include "cli/SourceLines.h"
#include "document/ExtensionFile.h"

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

Place placeOf(const XmlNode& element, const SourceLines& lines, int ordinal) {
    return lines.startTag(element.line(), element.name(), ordinal);
}
