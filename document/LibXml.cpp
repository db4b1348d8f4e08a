#include "document/LibXml.h"

#include "document/XmlErrors.h"

#include <libxml/parser.h>
#include <libxml/xmlerror.h>
#include <libxml/xmlsave.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace LibXml {

namespace {

bool isWhitespaceOnly(const xmlChar* text) {
    for (; text && *text; ++text) {
        if (*text != ' ' && *text != '\t' && *text != '\r' && *text != '\n')
            return false;
    }
    return true;
}

// Walks the tree without recursion, so that deep documents cannot exhaust the stack.
void dropWhitespaceText(xmlDoc* document) {
    std::vector<xmlNode*> pending{document->children};
    while (!pending.empty()) {
        xmlNode* node = pending.back();
        pending.pop_back();
        while (node) {
            xmlNode* next = node->next;
            if (node->type == XML_TEXT_NODE && isWhitespaceOnly(node->content)) {
                xmlUnlinkNode(node);
                xmlFreeNode(node);
            } else if (node->type == XML_ELEMENT_NODE && node->children) {
                pending.push_back(node->children);
            }
            node = next;
        }
    }
}

QByteArray withoutByteOrderMark(const QByteArray& text) {
    return text.startsWith("\xEF\xBB\xBF") ? text.mid(3) : text;
}

QString sourceLine(const QByteArray& text, int line) {
    if (line < 1)
        return {};
    qsizetype start = 0;
    for (int current = 1; current < line; ++current) {
        start = text.indexOf('\n', start);
        if (start < 0)
            return {};
        ++start;
    }
    qsizetype end = text.indexOf('\n', start);
    QByteArray bytes = withoutByteOrderMark(text.mid(start, end < 0 ? -1 : end - start));
    if (bytes.endsWith('\r'))
        bytes.chop(1);
    return QString::fromUtf8(bytes);
}

std::optional<XmlDeclaration> declarationOf(const QByteArray& text, const xmlDoc* document) {
    const QByteArray start = withoutByteOrderMark(text.left(8));
    if (!start.startsWith("<?xml") || start.size() < 6 || !QByteArray(" \t\r\n").contains(start[5]))
        return std::nullopt;
    XmlDeclaration declaration{toQString(document->version), std::nullopt};
    if (document->standalone == 0 || document->standalone == 1)
        declaration.standalone = document->standalone == 1;
    return declaration;
}

struct FirstError {
    bool found = false;
    QString reason;
    int line = 0;
    int column = 0;
};

// libxml2 reports the error that stopped the parse last; the user needs the first one.
void keepFirstError(void* context, xmlError* error) {
    auto* first = static_cast<FirstError*>(static_cast<xmlParserCtxt*>(context)->_private);
    if (first->found || error->level < XML_ERR_ERROR)
        return;
    first->found = true;
    first->reason = error->message ? QString::fromUtf8(error->message).trimmed() : QString();
    first->line = error->line;
    first->column = error->int2;
}

struct TextReader {
    const char* next;
    size_t left;
    static int read(void* context, char* buffer, int size) {
        auto* reader = static_cast<TextReader*>(context);
        const size_t count = std::min(reader->left, size_t(size));
        std::memcpy(buffer, reader->next, count);
        reader->next += count;
        reader->left -= count;
        return int(count);
    }
};

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

struct FreeParserContext {
    void operator()(xmlParserCtxt* context) const { xmlFreeParserCtxt(context); }
};

} // namespace

void useUtf8(xmlDoc* document) {
    xmlFree(const_cast<xmlChar*>(document->encoding));
    document->encoding = xmlStrdup(reinterpret_cast<const xmlChar*>("UTF-8"));
}

Parsed parse(const QByteArray& text) {
    std::unique_ptr<xmlParserCtxt, FreeParserContext> context(xmlNewParserCtxt());
    FirstError firstError;
    context->_private = &firstError;
    context->sax->serror = keepFirstError;
    const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_BIG_LINES;
    // Read in pieces: libxml2 keeps only what it has not parsed yet, where reading from memory would
    // hold a second copy of the whole text.
    TextReader reader{text.constData(), size_t(text.size())};
    const QuietGenericErrors quiet;
    DocPtr document(xmlCtxtReadIO(context.get(), TextReader::read, nullptr, &reader, nullptr, nullptr, options));
    if (!document || !context->wellFormed) {
        if (!firstError.found)
            firstError.reason = QStringLiteral("Document is empty");
        throw ParseError(firstError.reason, firstError.line, sourceLine(text, firstError.line), firstError.column);
    }
    dropWhitespaceText(document.get());
    useUtf8(document.get());
    auto declaration = declarationOf(text, document.get());
    return {std::move(document), declaration};
}

namespace {

template <typename Save> QByteArray save(Save saveInto) {
    xmlBuffer* buffer = xmlBufferCreate();
    xmlSaveCtxt* context = xmlSaveToBuffer(buffer, "UTF-8", XML_SAVE_NO_DECL);
    saveInto(context);
    xmlSaveClose(context);
    QByteArray text(reinterpret_cast<const char*>(xmlBufferContent(buffer)), xmlBufferLength(buffer));
    xmlBufferFree(buffer);
    return text;
}

} // namespace

QByteArray serializeNode(xmlNode* node) {
    return save([node](xmlSaveCtxt* context) { xmlSaveTree(context, node); });
}

QByteArray serializeBody(xmlDoc* document) {
    return save([document](xmlSaveCtxt* context) { xmlSaveDoc(context, document); });
}

QByteArray declarationText(const XmlDeclaration& declaration) {
    QByteArray text = "<?xml version=\"" + declaration.version.toUtf8() + "\"";
    if (declaration.standalone)
        text += *declaration.standalone ? " standalone=\"yes\"" : " standalone=\"no\"";
    return text + "?>";
}

} // namespace LibXml
