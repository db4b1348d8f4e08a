#include "document/xml/SavedText.h"

#include "document/xml/Errors.h"
#include "document/xml/RegularFile.h"
#include "document/xml/XmlDeclaration.h"
#include "document/xml/XmlLimits.h"
#include "document/xml/XmlNodes.h"
#include "document/xml/XmlParser.h"

#include <cstring>
#include <string_view>

namespace {

const QByteArray lineBreak = "\r\n";
const QByteArray indentUnit = "  ";
// The writer hands the text over in pieces of about this size.
constexpr qsizetype pieceSize = 1 << 16;

bool isWhitespaceOnly(std::string_view text) {
    return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

std::string_view contentOf(const xmlNode* node) {
    return node->content ? std::string_view(reinterpret_cast<const char*>(node->content)) : std::string_view();
}

std::string_view nameOf(const xmlNode* node) {
    return reinterpret_cast<const char*>(node->name);
}

bool staysInline(const xmlNode* node) {
    return node->type == XML_TEXT_NODE || node->type == XML_ENTITY_REF_NODE;
}

// Writes a document in the layout of a saved file, as serialising it, parsing the text again (which
// joins neighbouring text and neighbouring CDATA sections and drops text of white space only) and
// laying it out would: inside an element of depth d (the root element has depth 1) every child that
// is not text stands on a line of its own, indented by d units, and the element's end tag follows on
// a line indented by d - 1 units; text stays inline. An element that holds text beside other
// children keeps its content as it stands (contentAsWritten). Escaping follows libxml2's serialiser.
// What Load would refuse to read back (XmlLimits) stops the writer with a LimitError, so the
// recursion is bounded by the parser's depth limit.
class LayoutWriter {
public:
    using Write = std::function<void(const QByteArray&)>;
    // Without Write the whole text collects in out; with it, out is handed over in pieces.
    explicit LayoutWriter(QByteArray& out, const Write* write = nullptr) : out_(out), write_(write) {}

    void document(const xmlDoc* document, const std::optional<XmlDeclaration>& declaration) {
        if (declaration)
            out_ += declarationText(*declaration) + lineBreak;
        for (const xmlNode* node = document->children; node; node = node->next) {
            node = child(node, 0);
            out_ += lineBreak;
        }
        handOver(0);
    }

private:
    // Writes node, or the run of text or CDATA nodes that begins with it; returns the run's last node.
    const xmlNode* child(const xmlNode* node, int depth) {
        switch (node->type) {
        case XML_ELEMENT_NODE:
            element(node, depth);
            return node;
        case XML_TEXT_NODE:
        case XML_CDATA_SECTION_NODE: {
            std::string text(contentOf(node));
            const xmlNode* last = XmlNodes::runEnd(node);
            for (const xmlNode* next = node; next != last;) {
                next = next->next;
                text += contentOf(next);
            }
            XmlLimits::checkRun(node, text.size());
            XmlLimits::checkCharacters(text, node);
            if (node->type == XML_TEXT_NODE)
                escaped(text, false);
            else
                cdata(text);
            return last;
        }
        case XML_COMMENT_NODE:
            XmlLimits::checkCharacters(contentOf(node), node);
            out_ += "<!--";
            withCrLf(contentOf(node));
            out_ += "-->";
            return node;
        case XML_PI_NODE:
            out_ += "<?";
            out_ += nameOf(node);
            if (!contentOf(node).empty()) {
                out_ += ' ';
                withCrLf(contentOf(node));
            }
            out_ += "?>";
            return node;
        case XML_ENTITY_REF_NODE:
            out_ += '&';
            out_ += nameOf(node);
            out_ += ';';
            return node;
        default:
            withCrLf(XmlNodes::serializeNode(const_cast<xmlNode*>(node)).toStdString());
            return node;
        }
    }

    void element(const xmlNode* node, int depth) {
        XmlLimits::checkDepth(node, depth + 1);
        XmlLimits::checkStartTag(node);
        out_ += '<';
        qualifiedName(node->ns, nameOf(node));
        for (const xmlNs* ns = node->nsDef; ns; ns = ns->next) {
            out_ += ns->prefix ? " xmlns:" : " xmlns";
            if (ns->prefix)
                out_ += reinterpret_cast<const char*>(ns->prefix);
            out_ += "=\"";
            escaped(reinterpret_cast<const char*>(ns->href), true);
            out_ += '"';
        }
        for (const xmlAttr* attribute = node->properties; attribute; attribute = attribute->next) {
            out_ += ' ';
            qualifiedName(attribute->ns, reinterpret_cast<const char*>(attribute->name));
            out_ += "=\"";
            xmlChar* copy = nullptr;
            const std::string_view text = reinterpret_cast<const char*>(XmlNodes::attributeValue(attribute, &copy));
            XmlLimits::checkCharacters(text, node, attribute);
            escaped(text, true);
            xmlFree(copy);
            out_ += '"';
        }
        if (asWritten_ || holdsTextBesideMarkup(node)) {
            contentAsWritten(node, depth);
            return;
        }
        bool empty = true;
        bool lineOpen = false;
        for (const xmlNode* child = node->children; child; child = child->next) {
            if (child->type == XML_TEXT_NODE) {
                if (const xmlNode* end = whitespaceRunEnd(child)) {
                    child = end;
                    continue;
                }
            }
            if (empty)
                out_ += '>';
            if (staysInline(child)) {
                if (lineOpen)
                    lineAt(depth);
                lineOpen = false;
            } else {
                if (empty || lineOpen)
                    lineAt(depth);
                out_ += indentUnit;
                lineOpen = true;
            }
            empty = false;
            child = this->child(child, depth + 1);
            handOver(pieceSize);
        }
        if (empty) {
            out_ += "/>";
            return;
        }
        if (lineOpen)
            lineAt(depth);
        endTag(node);
    }

    // Text beside other children is the author's own layout, which the text's meaning depends on:
    // the element's content is written as it stands, white space included, with no line of layout
    // added anywhere inside it, so that saving it again gives the same text.
    void contentAsWritten(const xmlNode* node, int depth) {
        if (!node->children) {
            out_ += "/>";
            return;
        }
        out_ += '>';
        const bool outer = asWritten_;
        asWritten_ = true;
        for (const xmlNode* child = node->children; child; child = child->next) {
            child = this->child(child, depth + 1);
            handOver(pieceSize);
        }
        asWritten_ = outer;
        endTag(node);
    }

    void endTag(const xmlNode* node) {
        out_ += "</";
        qualifiedName(node->ns, nameOf(node));
        out_ += '>';
    }

    static bool holdsTextBesideMarkup(const xmlNode* node) {
        bool text = false;
        bool markup = false;
        for (const xmlNode* child = node->children; child; child = child->next) {
            if (child->type == XML_TEXT_NODE)
                text = text || !isWhitespaceOnly(contentOf(child));
            else
                markup = markup || !staysInline(child);
        }
        return text && markup;
    }

    // Starts a line indented by depth units.
    void lineAt(int depth) {
        out_ += lineBreak;
        for (int i = 0; i < depth; ++i)
            out_ += indentUnit;
    }

    // The last node of the run of text nodes that begins at node when the whole run is white space,
    // which the parse drops; otherwise nullptr.
    static const xmlNode* whitespaceRunEnd(const xmlNode* node) {
        for (const xmlNode* end = node;; end = end->next) {
            if (!isWhitespaceOnly(contentOf(end)))
                return nullptr;
            if (!end->next || end->next->type != XML_TEXT_NODE)
                return end;
        }
    }

    void qualifiedName(const xmlNs* ns, std::string_view name) {
        if (ns && ns->prefix) {
            out_ += reinterpret_cast<const char*>(ns->prefix);
            out_ += ':';
        }
        out_ += name;
    }

    void escaped(std::string_view text, bool inAttribute) {
        size_t start = 0;
        for (size_t i = 0; i < text.size(); ++i) {
            if (const char* escape = XmlLimits::escapeOf(text[i], inAttribute)) {
                append(text.substr(start, i - start));
                out_ += escape;
                start = i + 1;
            }
        }
        append(text.substr(start));
    }

    // A CDATA section cannot hold "]]>": the section is split after its "]]".
    void cdata(std::string_view text) {
        if (text.empty()) {
            out_ += "<![CDATA[]]>";
            return;
        }
        size_t start = 0;
        for (size_t end = text.find("]]>"); end != std::string_view::npos; end = text.find("]]>", end + 2)) {
            out_ += "<![CDATA[";
            withCrLf(text.substr(start, end + 2 - start));
            out_ += "]]>";
            start = end + 2;
        }
        out_ += "<![CDATA[";
        withCrLf(text.substr(start));
        out_ += "]]>";
    }

    // Every CR LF, lone CR and lone LF becomes CR LF.
    void withCrLf(std::string_view text) {
        size_t start = 0;
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] != '\r' && text[i] != '\n')
                continue;
            append(text.substr(start, i - start));
            out_ += lineBreak;
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
        append(text.substr(start));
    }

    void append(std::string_view text) { out_.append(text.data(), qsizetype(text.size())); }

    void handOver(qsizetype atLeast) {
        if (write_ && out_.size() >= atLeast && !out_.isEmpty()) {
            (*write_)(out_);
            out_.truncate(0);
        }
    }

    QByteArray& out_;
    const Write* write_;
    bool asWritten_ = false;
};

QByteArray laidOut(const xmlDoc* document, const std::optional<XmlDeclaration>& declaration) {
    QByteArray text;
    text.reserve(1 << 16);
    LayoutWriter(text).document(document, declaration);
    checkFileSize(text.size());
    return text;
}

} // namespace

QByteArray savedText(const QByteArray& xml) {
    const XmlParser::Parsed parsed = XmlParser::parse(xml);
    return laidOut(parsed.document.get(), parsed.declaration);
}

QByteArray savedText(const XmlDocument& document) {
    return laidOut(document.checkedDocument(), document.declaration());
}

void writeSavedText(const XmlDocument& document, const std::function<void(const QByteArray&)>& write) {
    const std::optional<XmlDeclaration> declaration = document.declaration();
    QByteArray piece;
    piece.reserve(2 * pieceSize);
    LayoutWriter(piece, &write).document(document.checkedDocument(), declaration);
}
