#include "document/xml/XmlParser.h"

#include "document/xml/Errors.h"
#include "document/xml/ParsedTree.h"
#include "document/xml/ParserErrors.h"
#include "document/xml/RegularFile.h"
#include "document/xml/XmlLimits.h"
#include "document/xml/XmlNodes.h"

#include <libxml/SAX2.h>
#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <exception>
#include <limits>
#include <string>
#include <string_view>

void FreeXmlDoc::operator()(_xmlDoc* document) const {
    xmlFreeDoc(document);
}

namespace XmlParser {

namespace {

// The text handed to libxml2 in pieces, as a file would be: its limits then hold alike wherever a
// value stands in the text. Counts what it read and whether it came to the end; keeps the bytes read
// until the root element starts, which hold any document type declaration.
struct Input {
    explicit Input(const ReadText& read) : read(read) {}

    const ReadText& read;
    qint64 size = 0;
    bool ended = false;
    bool inProlog = true;
    QByteArray prolog;
    XmlLimits::AttributeCounter attributes;
};

// What one parse keeps beside libxml2's context, whose _private points to it as to its FirstFatalError.
struct Session : FirstFatalError {
    explicit Session(const ReadText& read) : input(read) {}

    Input input;
    xmlParserCtxt* parser = nullptr;
    // White space read where no text has started yet: it becomes text only when more text follows.
    std::string whitespace;
    qint64 nodes = 0;
    // libxml2's name of the encoding the text was read in; empty for UTF-8.
    QByteArray encoding;
    // What an element checked as it ended goes beyond, thrown once libxml2 has returned.
    std::exception_ptr limitError;
};

Session& sessionOf(void* parser) {
    return *static_cast<Session*>(static_cast<FirstFatalError*>(static_cast<xmlParserCtxt*>(parser)->_private));
}

bool startsWithByteOrderMark(const char* bytes, int count) {
    const auto starts = [&](std::string_view mark) {
        return count >= int(mark.size()) && std::string_view(bytes, mark.size()) == mark;
    };
    return starts("\xEF\xBB\xBF") || starts("\xFF\xFE") || starts("\xFE\xFF");
}

int readInput(void* context, char* buffer, int length) {
    auto& session = *static_cast<Session*>(context);
    Input& input = session.input;
    const int count = input.read(buffer, length);
    if (count > 0) {
        // A byte-order mark tells the encoding as surely as a declaration: where the two disagree the
        // mark is followed, as XML has it, and the text is never decoded in the declared encoding.
        if (input.size == 0 && startsWithByteOrderMark(buffer, count))
            session.parser->options |= XML_PARSE_IGNORE_ENC;
        if (!input.attributes.read(buffer, count)) {
            if (!session.found())
                session.setAt(input.attributes.message(), input.attributes.tagOffset(), session.parser);
            return -1;
        }
        input.size += count;
        if (input.inProlog)
            input.prolog.append(buffer, count);
    }
    input.ended = count == 0;
    return count;
}

// libxml2 takes a NUL character for the end of its input and ignores whatever follows it.
bool readToTheEnd(const xmlParserCtxt* parser, const Input& input) {
    const xmlParserInput* read = parser->input;
    const bool rawLeft = read->buf && read->buf->raw && xmlBufUse(read->buf->raw) > 0;
    char next = 0;
    return (input.ended || input.read(&next, 1) == 0) && read->cur == read->end && !rawLeft;
}

// libxml2 marks a document without XML declaration with standalone -1, whatever its encoding.
std::optional<XmlDeclaration> declarationOf(const xmlDoc* document) {
    if (document->standalone == -1)
        return std::nullopt;
    XmlDeclaration declaration{XmlNodes::toQString(document->version), std::nullopt};
    if (document->standalone == 0 || document->standalone == 1)
        declaration.standalone = document->standalone == 1;
    return declaration;
}

// libxml2 reports some failures to convert an encoding on standard error, outside the parser's
// context; the parse error that follows carries the reason. Restores the handler when done.
class QuietGenericErrors {
public:
    QuietGenericErrors() : handler_(xmlGenericError), context_(xmlGenericErrorContext) {
        xmlSetGenericErrorFunc(nullptr, ignore);
    }
    ~QuietGenericErrors() { xmlSetGenericErrorFunc(context_, handler_); }
    QuietGenericErrors(const QuietGenericErrors&) = delete;
    QuietGenericErrors& operator=(const QuietGenericErrors&) = delete;

private:
    static void ignore(void*, const char*, ...) {}
    xmlGenericErrorFunc handler_;
    void* context_;
};

// Text of white space only never enters the tree, so that a large file's tree never holds it: white
// space where no text has started waits in the session, and becomes text only when other text follows
// it before the next markup. An entity's replacement text is parsed by a parser of its own, one entity
// level deeper, that shares these handlers; its tree stays as it is.
bool parsesTheDocument(const xmlParserCtxt* parser) {
    return parser->depth == 0 && parser->node;
}

bool isWhitespaceOnly(const xmlChar* text, int length) {
    return std::all_of(text, text + length, [](xmlChar c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; });
}

// Counts nodes about to be added to the tree; past the most a tree may hold the parse stops. False then.
bool addsNodes(xmlParserCtxt* parser, qint64 nodes) {
    Session& session = sessionOf(parser);
    session.nodes += nodes;
    if (session.nodes <= XmlLimits::nodesAllowed(session.input.size))
        return true;
    if (!session.found())
        session.set(XmlLimits::tooManyNodesMessage(), parser->input->line, parser);
    xmlStopParser(parser);
    return false;
}

// Markup other than text: white space waiting before it is dropped. False when the node is one too many.
bool addsMarkup(void* context) {
    auto* parser = static_cast<xmlParserCtxt*>(context);
    if (parsesTheDocument(parser))
        sessionOf(parser).whitespace.clear();
    return addsNodes(parser, 1);
}

void characters(void* context, const xmlChar* text, int length) {
    auto* parser = static_cast<xmlParserCtxt*>(context);
    const xmlNode* last = parser->node ? parser->node->last : nullptr;
    if (!last || last->type != XML_TEXT_NODE) {
        std::string& whitespace = sessionOf(parser).whitespace;
        const bool inDocument = parsesTheDocument(parser);
        if (inDocument && isWhitespaceOnly(text, length)) {
            whitespace.append(reinterpret_cast<const char*>(text), size_t(length));
            return;
        }
        if (!addsNodes(parser, 1))
            return;
        if (inDocument && !whitespace.empty()) {
            xmlSAX2Characters(context, reinterpret_cast<const xmlChar*>(whitespace.data()), int(whitespace.size()));
            whitespace.clear();
        }
    }
    xmlSAX2Characters(context, text, length);
}

// An element's line field stops at 65535; a later line is kept where libxml2 keeps a text node's.
void keepBigLine(xmlNode* element, int line) {
    if (element && line >= std::numeric_limits<unsigned short>::max())
        element->psvi = reinterpret_cast<void*>(static_cast<std::intptr_t>(line));
}

void startElement(void* context, const xmlChar* name, const xmlChar* prefix, const xmlChar* uri, int namespaceCount,
                  const xmlChar** namespaces, int attributeCount, int defaultedCount, const xmlChar** attributes) {
    auto* parser = static_cast<xmlParserCtxt*>(context);
    Session& session = sessionOf(parser);
    if (parser->depth == 0)
        session.input.inProlog = false;
    if (!addsMarkup(context) || !addsNodes(parser, attributeCount))
        return;
    xmlSAX2StartElementNs(context, name, prefix, uri, namespaceCount, namespaces, attributeCount, defaultedCount,
                          attributes);
    keepBigLine(parser->node, parser->input->line);
}

void endElement(void* context, const xmlChar* name, const xmlChar* prefix, const xmlChar* uri) {
    auto* parser = static_cast<xmlParserCtxt*>(context);
    if (parsesTheDocument(parser)) {
        Session& session = sessionOf(parser);
        session.whitespace.clear();
        if (!declaresEntities(parser->myDoc)) {
            try {
                checkParsedElement(parser->node);
            } catch (const LimitError&) {
                session.limitError = std::current_exception();
                xmlStopParser(parser);
                return;
            }
        }
    }
    xmlSAX2EndElementNs(context, name, prefix, uri);
}

void comment(void* context, const xmlChar* value) {
    if (addsMarkup(context))
        xmlSAX2Comment(context, value);
}

void processingInstruction(void* context, const xmlChar* target, const xmlChar* data) {
    if (addsMarkup(context))
        xmlSAX2ProcessingInstruction(context, target, data);
}

// libxml2 adds a section to a section just before it, as it must for the pieces of one long section;
// white space between two sections keeps them apart, as the file wrote them.
void cdataBlock(void* context, const xmlChar* value, int length) {
    auto* parser = static_cast<xmlParserCtxt*>(context);
    const bool afterWhitespace = parsesTheDocument(parser) && !sessionOf(parser).whitespace.empty();
    if (!addsMarkup(context))
        return;
    const xmlNode* last = parser->node ? parser->node->last : nullptr;
    if (!afterWhitespace || !last || last->type != XML_CDATA_SECTION_NODE) {
        xmlSAX2CDataBlock(context, value, length);
        return;
    }
    xmlNode* section = xmlNewCDataBlock(parser->myDoc, value, length);
    if (section && !xmlAddChild(parser->node, section))
        xmlFreeNode(section);
}

void reference(void* context, const xmlChar* name) {
    if (addsMarkup(context))
        xmlSAX2Reference(context, name);
}

// Where the first of stops stands in text from from on, outside quoted values, comments and processing
// instructions; -1 where none does.
qsizetype nextOutsideQuotes(QByteArrayView text, qsizetype from, std::string_view stops) {
    for (qsizetype at = from; at < text.size(); ++at) {
        const char c = text[at];
        if (stops.find(c) != std::string_view::npos)
            return at;
        const QByteArrayView rest = text.sliced(at);
        const qsizetype end = c == '"' || c == '\''     ? text.indexOf(c, at + 1)
                              : rest.startsWith("<!--") ? text.indexOf("-->", at)
                              : rest.startsWith("<?")   ? text.indexOf("?>", at)
                                                        : at;
        if (end < 0)
            return -1;
        at = end;
    }
    return -1;
}

// Where the document type declaration starts, past the XML declaration, comments and processing
// instructions; -1 where the root element comes first.
qsizetype documentTypeStart(QByteArrayView prolog) {
    const qsizetype markup = nextOutsideQuotes(prolog, 0, "<");
    for (qsizetype at = markup; at >= 0; at = nextOutsideQuotes(prolog, at + 1, "<")) {
        const QByteArrayView rest = prolog.sliced(at);
        if (rest.startsWith("<!DOCTYPE"))
            return at;
        if (!rest.startsWith("<!--") && !rest.startsWith("<?"))
            return -1;
        at = nextOutsideQuotes(prolog, at, ">") - 1;
        if (at < 0)
            return -1;
    }
    return -1;
}

// libxml2 keeps the declarations of a document type's internal subset, not the parameter-entity
// references among them: the subset is taken as written, between its brackets, from the text read
// before the root element.
QByteArray internalSubsetOf(const Session& session) {
    QByteArray prolog;
    decodeInPieces(session.input.prolog, session.encoding.isEmpty() ? nullptr : session.encoding.constData(),
                   [&prolog](const char* text, size_t size) {
                       prolog.append(text, qsizetype(size));
                       return true;
                   });
    const qsizetype start = documentTypeStart(prolog);
    const qsizetype open = start < 0 ? -1 : nextOutsideQuotes(prolog, start, "[>");
    const qsizetype close = open < 0 || prolog[open] != '[' ? -1 : nextOutsideQuotes(prolog, open + 1, "]");
    return close < 0 ? QByteArray() : prolog.sliced(open + 1, close - open - 1);
}

void handleTheTree(xmlSAXHandler* sax) {
    sax->startElementNs = startElement;
    sax->endElementNs = endElement;
    sax->characters = characters;
    // libxml2 tells white space apart only where this handler differs from the one for characters.
    sax->ignorableWhitespace = characters;
    sax->comment = comment;
    sax->processingInstruction = processingInstruction;
    sax->cdataBlock = cdataBlock;
    sax->reference = reference;
}

struct FreeParserContext {
    void operator()(xmlParserCtxt* context) const { xmlFreeParserCtxt(context); }
};

// The document that the session's input holds, or nullptr with what stopped the parse in the session.
OwnedXmlDoc parseInput(Session& session) {
    std::unique_ptr<xmlParserCtxt, FreeParserContext> context(xmlNewParserCtxt());
    handleTheTree(context->sax);
    session.watch(context.get());
    session.parser = context.get();
    // Short texts are kept inside their nodes, which makes a large tree much smaller.
    const int options =
        XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_BIG_LINES | XML_PARSE_COMPACT;
    const QuietGenericErrors quiet;
    OwnedXmlDoc document(xmlCtxtReadIO(context.get(), readInput, nullptr, &session, nullptr, nullptr, options));
    const xmlParserInput* input = context->input;
    if (input && input->buf && input->buf->encoder)
        session.encoding = input->buf->encoder->name;
    if (document && !session.found() && !readToTheEnd(context.get(), session.input)) {
        session.set(QStringLiteral("The text goes on after a NUL character, which XML does not allow"),
                    context->input->line, context.get());
    }
    if (!document || !context->wellFormed || session.found() || session.limitError)
        return nullptr;
    return document;
}

Parsed settled(OwnedXmlDoc document, const Session& session) {
    settleParsedTree(document.get(), session.input.size);
    XmlNodes::useUtf8(document.get());
    auto declaration = declarationOf(document.get());
    QByteArray internalSubset = document->intSubset ? internalSubsetOf(session) : QByteArray();
    return {std::move(document), declaration, std::move(internalSubset)};
}

} // namespace

Parsed parse(const QByteArray& text) {
    checkFileSize(text.size());
    const char* next = text.constData();
    qsizetype left = text.size();
    const ReadText fromText = [&next, &left](char* buffer, int length) {
        const int count = int(std::min<qsizetype>(length, left));
        memcpy(buffer, next, size_t(count));
        next += count;
        left -= count;
        return count;
    };
    Session session(fromText);
    OwnedXmlDoc document = parseInput(session);
    if (session.limitError)
        std::rethrow_exception(session.limitError);
    if (!document) {
        // Decoding the stopping line in the text's encoding may report a failure of its own.
        const QuietGenericErrors quiet;
        session.raise(text);
    }
    return settled(std::move(document), session);
}

std::optional<Parsed> tryParse(const ReadText& read) {
    Session session(read);
    OwnedXmlDoc document = parseInput(session);
    if (!document)
        return std::nullopt;
    try {
        return settled(std::move(document), session);
    } catch (const ParseError&) {
        return std::nullopt;
    }
}

} // namespace XmlParser
