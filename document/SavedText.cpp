#include "document/SavedText.h"

#include "document/LibXml.h"

#include <vector>

namespace {

const QByteArray indentUnit = "  ";

QByteArray lineBreakAndIndent(int units) { return '\n' + indentUnit.repeated(units); }

// Text nodes stay inline; every other node is laid out on a line of its own.
bool staysInline(const xmlNode* node) { return node->type == XML_TEXT_NODE || node->type == XML_ENTITY_REF_NODE; }

void insertTextBefore(xmlNode* node, const QByteArray& text) {
    xmlAddPrevSibling(node, xmlNewDocTextLen(node->doc, LibXml::xmlText(text), int(text.size())));
}

void insertTextAfter(xmlNode* node, const QByteArray& text) {
    xmlAddNextSibling(node, xmlNewDocTextLen(node->doc, LibXml::xmlText(text), int(text.size())));
}

// Surrounds each non-text child of an element of depth d with layout text: a line break and d - 1
// units before the first child, one unit before each, a line break and d - 1 units after each. The
// root element has depth 1; nodes directly under the document get no layout.
void insertLayout(xmlDoc* document) {
    struct Pending {
        xmlNode* element;
        int depth;
    };
    std::vector<Pending> pending;
    for (xmlNode* node = document->children; node; node = node->next) {
        if (node->type == XML_ELEMENT_NODE)
            pending.push_back({node, 1});
    }
    std::vector<xmlNode*> children;
    while (!pending.empty()) {
        const Pending current = pending.back();
        pending.pop_back();
        children.clear();
        for (xmlNode* child = current.element->children; child; child = child->next)
            children.push_back(child);
        const QByteArray closing = lineBreakAndIndent(current.depth - 1);
        for (xmlNode* child : children) {
            if (child->type == XML_ELEMENT_NODE)
                pending.push_back({child, current.depth + 1});
            if (staysInline(child))
                continue;
            if (child == children.front())
                insertTextBefore(child, closing);
            insertTextBefore(child, indentUnit);
            insertTextAfter(child, closing);
        }
    }
}

// Every CR LF, lone CR and lone LF becomes CR LF.
QByteArray withCrLf(const QByteArray& text) {
    QByteArray result;
    result.reserve(text.size() + text.size() / 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            result += "\r\n";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            result += c;
        }
    }
    return result;
}

} // namespace

QByteArray savedText(const QByteArray& xml) {
    LibXml::Parsed parsed = LibXml::parse(xml);
    insertLayout(parsed.document.get());
    QByteArray text = LibXml::serializeBody(parsed.document.get());
    if (parsed.declaration)
        text.prepend(LibXml::declarationText(*parsed.declaration) + '\n');
    if (!text.endsWith('\n'))
        text += '\n';
    return withCrLf(text);
}
