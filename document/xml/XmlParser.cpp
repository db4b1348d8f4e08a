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
#include <limits>

void FreeXmlDoc::operator()(_xmlDoc* document) const {
    xmlFreeDoc(document);
}

namespace XmlParser {

namespace {

// The text handed to libxml2 in pieces, as a file would be: its limits then hold alike wherever a
// value stands in the text. Counts what it read and whether it came to the end.
struct Input {
    explicit Input(const ReadText& read) : read(read) {}

    const ReadText& read;
    qint64 size = 0;
    bool ended = false;
    XmlLimits::AttributeCounter attributes;
    FirstFatalError* stop = nullptr;
    const xmlParserCtxt* parser = nullptr;
};

int readInput(void* context, char* buffer, int length) {
    auto* input = static_cast<Input*>(context);
    const int count = input->read(buffer, length);
    if (count > 0) {
        input->size += count;
        if (!input->attributes.read(buffer, count)) {
            if (!input->stop->found())
                input->stop->set(input->attributes.message(), input->attributes.line(), input->parser,
                                 input->attributes.column());
            return -1;
        }
    }
    input->ended = count == 0;
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

// Text of white space only is dropped as soon as it is complete, so that a large file's tree never
// holds it: before a sibling element starts and as its element ends. An entity's replacement text is
// parsed by a parser of its own, one entity level deeper, that shares these handlers; its tree stays
// as it is.
bool parsesTheDocument(const xmlParserCtxt* parser) {
    return parser->depth == 0 && parser->node;
}

// An element's line field stops at 65535; a later line is kept where libxml2 keeps a text node's.
void keepBigLine(xmlNode* element, int line) {
    if (element && line >= std::numeric_limits<unsigned short>::max())
        element->psvi = reinterpret_cast<void*>(static_cast<std::intptr_t>(line));
}

void startElement(void* context, const xmlChar* name, const xmlChar* prefix, const xmlChar* uri, int namespaceCount,
                  const xmlChar** namespaces, int attributeCount, int defaultedCount, const xmlChar** attributes) {
    auto* parser = static_cast<xmlParserCtxt*>(context);
    if (parsesTheDocument(parser))
        dropWhitespaceText(parser->node->last);
    xmlSAX2StartElementNs(context, name, prefix, uri, namespaceCount, namespaces, attributeCount, defaultedCount,
                          attributes);
    keepBigLine(parser->node, parser->input->line);
}

void endElement(void* context, const xmlChar* name, const xmlChar* prefix, const xmlChar* uri) {
    auto* parser = static_cast<xmlParserCtxt*>(context);
    if (parsesTheDocument(parser)) {
        for (xmlNode* child = parser->node->children; child;) {
            xmlNode* next = child->next;
            dropWhitespaceText(child);
            child = next;
        }
    }
    xmlSAX2EndElementNs(context, name, prefix, uri);
}

struct FreeParserContext {
    void operator()(xmlParserCtxt* context) const { xmlFreeParserCtxt(context); }
};

// The document that input holds, or nullptr with what stopped the parse in stop.
OwnedXmlDoc parseInput(Input& input, FirstFatalError& stop) {
    std::unique_ptr<xmlParserCtxt, FreeParserContext> context(xmlNewParserCtxt());
    context->sax->startElementNs = startElement;
    context->sax->endElementNs = endElement;
    stop.watch(context.get());
    input.stop = &stop;
    input.parser = context.get();
    // Short texts are kept inside their nodes, which makes a large tree much smaller.
    const int options =
        XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_BIG_LINES | XML_PARSE_COMPACT;
    const QuietGenericErrors quiet;
    OwnedXmlDoc document(xmlCtxtReadIO(context.get(), readInput, nullptr, &input, nullptr, nullptr, options));
    if (document && !stop.found() && !readToTheEnd(context.get(), input)) {
        stop.set(QStringLiteral("The text goes on after a NUL character, which XML does not allow"),
                 context->input->line, context.get());
    }
    if (!document || !context->wellFormed || stop.found())
        return nullptr;
    return document;
}

Parsed settled(OwnedXmlDoc document, qint64 inputSize) {
    settleParsedTree(document.get(), inputSize);
    XmlNodes::useUtf8(document.get());
    auto declaration = declarationOf(document.get());
    return {std::move(document), declaration};
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
    Input input(fromText);
    FirstFatalError stop;
    OwnedXmlDoc document = parseInput(input, stop);
    if (!document) {
        // Decoding the stopping line in the text's encoding may report a failure of its own.
        const QuietGenericErrors quiet;
        stop.raise(text);
    }
    return settled(std::move(document), text.size());
}

std::optional<Parsed> tryParse(const ReadText& read) {
    Input input(read);
    FirstFatalError stop;
    OwnedXmlDoc document = parseInput(input, stop);
    if (!document)
        return std::nullopt;
    try {
        return settled(std::move(document), input.size);
    } catch (const ParseError&) {
        return std::nullopt;
    }
}

} // namespace XmlParser
