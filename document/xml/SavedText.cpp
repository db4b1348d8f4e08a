#include "document/xml/SavedText.h"

#include "document/xml/Errors.h"
#include "document/xml/RegularFile.h"
#include "document/xml/XmlDeclaration.h"
#include "document/xml/XmlLimits.h"
#include "document/xml/XmlNodes.h"
#include "document/xml/XmlParser.h"

#include <array>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

namespace {

constexpr std::string_view lineBreak = "\r\n";
constexpr std::string_view indentUnit = "  ";
// The writer hands the text over in pieces of about this size.
constexpr size_t pieceSize = 1 << 16;

// Frees what libxml2 copied for the caller when the scope ends, also by an exception.
struct ScopedFree {
    explicit ScopedFree(xmlChar* copy) : copy(copy) {}
    ~ScopedFree() { xmlFree(copy); }
    ScopedFree(const ScopedFree&) = delete;
    ScopedFree& operator=(const ScopedFree&) = delete;
    xmlChar* copy;
};

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
// recursion is bounded by the parser's depth limit. Out is a std::string, or a TextSize where only
// the checks matter.
template <typename Out> class LayoutWriter {
public:
    using Write = std::function<void(const QByteArray&)>;
    // The text goes to write in pieces of about pieceSize.
    explicit LayoutWriter(const Write& write) : write_(write) {
        if constexpr (writesText)
            out_.reserve(2 * pieceSize);
    }

    // InternalSubset is the document type declaration's internal subset as the text had it, if known.
    void document(const xmlDoc* document, const std::optional<XmlDeclaration>& declaration,
                  const QByteArray& internalSubset) {
        internalSubset_ = &internalSubset;
        if (declaration) {
            append(declarationText(*declaration).toStdString());
            out_ += lineBreak;
        }
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
            const xmlNode* last = XmlNodes::runEnd(node);
            std::string joined;
            if (last != node) {
                for (const xmlNode* next = node;; next = next->next) {
                    joined += contentOf(next);
                    if (next == last)
                        break;
                }
            }
            const std::string_view text = last == node ? contentOf(node) : std::string_view(joined);
            XmlLimits::checkRun(node, text.size());
            if (node->type == XML_TEXT_NODE) {
                escaped(text, false, node);
            } else {
                XmlLimits::checkCharacters(text, node);
                cdata(text);
            }
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
        case XML_DTD_NODE:
            if (!internalSubset_->isNull()) {
                documentType(reinterpret_cast<const xmlDtd*>(node));
                return node;
            }
            [[fallthrough]];
        default:
            withCrLf(XmlNodes::serializeNode(const_cast<xmlNode*>(node)).toStdString());
            return node;
        }
    }

    void element(const xmlNode* node, int depth) {
        XmlLimits::checkDepth(node, depth + 1);
        const size_t tagStart = out_.size();
        out_ += '<';
        qualifiedName(node->ns, nameOf(node));
        for (const xmlNs* ns = node->nsDef; ns; ns = ns->next) {
            out_ += ns->prefix ? " xmlns:" : " xmlns";
            if (ns->prefix)
                out_ += reinterpret_cast<const char*>(ns->prefix);
            out_ += "=\"";
            escaped(reinterpret_cast<const char*>(ns->href), true, node);
            out_ += '"';
        }
        for (const xmlAttr* attribute = node->properties; attribute; attribute = attribute->next) {
            out_ += ' ';
            qualifiedName(attribute->ns, reinterpret_cast<const char*>(attribute->name));
            out_ += "=\"";
            xmlChar* copy = nullptr;
            const std::string_view text = reinterpret_cast<const char*>(XmlNodes::attributeValue(attribute, &copy));
            const ScopedFree freeCopy(copy);
            escaped(text, true, node, attribute);
            out_ += '"';
        }
        // The tag as written, with its "/>" to come, is the size that XmlLimits checks.
        if (out_.size() - tagStart + 2 > XmlLimits::maxTagBytes)
            XmlLimits::checkStartTag(node);
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

    // libxml2 writes the declarations it kept, without the parameter-entity references between them:
    // the internal subset is written as the text had it instead.
    void documentType(const xmlDtd* dtd) {
        out_ += "<!DOCTYPE ";
        out_ += reinterpret_cast<const char*>(dtd->name);
        if (dtd->ExternalID) {
            out_ += " PUBLIC ";
            quoted(dtd->ExternalID);
        }
        if (dtd->SystemID) {
            out_ += dtd->ExternalID ? " " : " SYSTEM ";
            quoted(dtd->SystemID);
        }
        out_ += " [";
        withCrLf(std::string_view(internalSubset_->constData(), size_t(internalSubset_->size())));
        out_ += "]>";
    }

    void quoted(const xmlChar* text) {
        const char quote = xmlStrchr(text, '"') ? '\'' : '"';
        out_ += quote;
        out_ += reinterpret_cast<const char*>(text);
        out_ += quote;
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

    // Escapes and checks the characters in one pass: only the bytes that may need either are looked at.
    void escaped(std::string_view text, bool inAttribute, const xmlNode* node, const xmlAttr* attribute = nullptr) {
        const auto& special = specialBytes(inAttribute);
        size_t start = 0;
        for (size_t i = 0; i < text.size(); ++i) {
            if (!special[static_cast<unsigned char>(text[i])])
                continue;
            if (const char* escape = XmlLimits::escapeOf(text[i], inAttribute)) {
                append(text.substr(start, i - start));
                out_ += escape;
                start = i + 1;
            } else {
                XmlLimits::checkCharacters(text.substr(i, 3), node, attribute);
            }
        }
        append(text.substr(start));
    }

    // The bytes that are escaped, or that start a character a file cannot store (XmlLimits::checkCharacters).
    static const std::array<bool, 256>& specialBytes(bool inAttribute) {
        static const auto table = [](bool attribute) {
            std::array<bool, 256> special{};
            for (int c = 0; c < 256; ++c)
                special[c] = c < 0x20 || c == 0xEF || XmlLimits::escapeOf(char(c), attribute);
            return special;
        };
        static const std::array<bool, 256> inText = table(false);
        static const std::array<bool, 256> inValue = table(true);
        return inAttribute ? inValue : inText;
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

    void append(std::string_view text) { out_ += text; }

    void handOver(size_t atLeast) {
        if constexpr (writesText) {
            if (out_.size() >= atLeast && !out_.empty()) {
                write_(QByteArray(out_.data(), qsizetype(out_.size())));
                out_.clear();
            }
        }
    }

    static constexpr bool writesText = std::is_same_v<Out, std::string>;
    // Appending to a std::string is inlined where QByteArray's appends are calls into Qt.
    Out out_;
    const Write& write_;
    const QByteArray* internalSubset_ = nullptr;
    bool asWritten_ = false;
};

// Counts the bytes of the text instead of keeping them, for the writer's checks alone.
struct TextSize {
    TextSize& operator+=(std::string_view text) {
        bytes += text.size();
        return *this;
    }
    TextSize& operator+=(char) {
        ++bytes;
        return *this;
    }
    size_t size() const { return bytes; }

    size_t bytes = 0;
};

using TextWriter = LayoutWriter<std::string>;
using CheckingWriter = LayoutWriter<TextSize>;

QByteArray laidOut(const xmlDoc* document, const std::optional<XmlDeclaration>& declaration,
                   const QByteArray& internalSubset) {
    QByteArray text;
    text.reserve(pieceSize);
    TextWriter([&text](const QByteArray& piece) { text += piece; }).document(document, declaration, internalSubset);
    checkFileSize(text.size());
    return text;
}

} // namespace

QByteArray savedText(const QByteArray& xml) {
    const XmlParser::Parsed parsed = XmlParser::parse(xml);
    return laidOut(parsed.document.get(), parsed.declaration, parsed.internalSubset);
}

QByteArray savedText(const XmlDocument& document) {
    return laidOut(document.checkedDocument(), document.declaration(), document.internalSubset_);
}

void writeSavedText(const XmlDocument& document, const std::function<void(const QByteArray&)>& write) {
    const std::optional<XmlDeclaration> declaration = document.declaration();
    TextWriter(write).document(document.checkedDocument(), declaration, document.internalSubset_);
}

void checkSavedText(const XmlDocument& document) {
    const std::optional<XmlDeclaration> declaration = document.declaration();
    CheckingWriter({}).document(document.checkedDocument(), declaration, document.internalSubset_);
}
