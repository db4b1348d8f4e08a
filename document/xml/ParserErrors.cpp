#include "document/xml/ParserErrors.h"

#include "document/xml/Errors.h"
#include "document/xml/XmlLimits.h"

#include <libxml/encoding.h>

#include <algorithm>
#include <memory>

namespace {

// libxml2 goes on after cutting a text short ("huge text node") and after dropping a reference to an
// undeclared entity from an attribute value; both lose data.
bool stopsTheParse(const xmlError& error, const xmlParserCtxt& parser) {
    if (error.level == XML_ERR_FATAL)
        return true;
    return error.level == XML_ERR_ERROR &&
           (error.code == XML_ERR_NO_MEMORY ||
            (error.code == XML_WAR_UNDECLARED_ENTITY && parser.instate == XML_PARSER_ATTRIBUTE_VALUE));
}

QString tooLong(const char* what) {
    return QStringLiteral("%1 holds more than %2 bytes, the most that one value may hold")
        .arg(QLatin1String(what), XmlLimits::number(XmlLimits::maxTextBytes));
}

// libxml2 reports an & that starts no reference after the characters it read past it.
bool isBareAmpersand(const xmlError& error) {
    return error.code == XML_ERR_ENTITYREF_SEMICOL_MISSING ||
           (error.code == XML_ERR_NAME_REQUIRED &&
            QString::fromUtf8(error.message).trimmed() == QLatin1String("xmlParseEntityRef: no name"));
}

// libxml2's words where they name its own options or mislead; its text for the rest.
QString plainReason(const xmlError& error, const xmlParserCtxt& parser) {
    if (isBareAmpersand(error))
        return QStringLiteral("A bare & starts no reference: XML writes the character & as &amp;");
    // Such as version="1.0.0": libxml2 reads the version 1.0 and then misses the quote.
    if (error.code == XML_ERR_STRING_NOT_CLOSED && parser.instate == XML_PARSER_START)
        return QStringLiteral("The XML declaration names a version other than 1.0, or a value lacks its closing quote");
    if (error.code == XML_ERR_ENTITY_LOOP)
        return XmlLimits::entityExpansionMessage();
    if (error.code == XML_WAR_UNDECLARED_ENTITY) {
        return QStringLiteral("An attribute value refers to the entity &%1;, which the file does not declare, so "
                              "its text is unknown")
            .arg(QString::fromUtf8(error.str1));
    }
    const QString jargon = QString::fromUtf8(error.message).trimmed();
    if (jargon.startsWith(QLatin1String("Excessive depth in document"))) {
        return QStringLiteral("The elements are nested more than %1 levels deep, the most that a file may hold")
            .arg(XmlLimits::maxElementDepth());
    }
    static const struct {
        const char* jargon;
        const char* what;
    } tooLongValues[] = {{"CData section too big", "A CDATA section"},
                         {"Comment too big", "A comment"},
                         {"too big found", "A processing instruction"},
                         {"huge text node", "A text"},
                         {"AttValue length too long", "An attribute value"},
                         {"Huge input lookup", "A tag with its attributes, or a declaration,"}};
    for (const auto& value : tooLongValues) {
        if (jargon.contains(QLatin1String(value.jargon)))
            return tooLong(value.what);
    }
    return jargon;
}

const char* encodingOf(const xmlParserCtxt* parser) {
    const xmlParserInput* input = parser->inputNr > 0 ? parser->inputTab[0] : parser->input;
    return input && input->buf && input->buf->encoder ? input->buf->encoder->name : nullptr;
}

// Keeps the start of one line of a text fed in pieces.
class LineCollector {
public:
    explicit LineCollector(int line) : wanted_(line) {}
    bool done() const { return current_ > wanted_; }
    void add(const char* bytes, size_t size) {
        for (size_t i = 0; i < size && !done(); ++i) {
            if (bytes[i] == '\n')
                ++current_;
            else if (current_ == wanted_ && line_.size() < 400)
                line_ += bytes[i];
        }
    }
    QString text() const {
        QString text = QString::fromUtf8(line_);
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        if (text.endsWith('\r'))
            text.chop(1);
        return text;
    }

private:
    int wanted_;
    int current_ = 1;
    QByteArray line_;
};

struct FreeBuffer {
    void operator()(xmlBuffer* buffer) const { xmlBufferFree(buffer); }
};
using BufferPtr = std::unique_ptr<xmlBuffer, FreeBuffer>;

QString sourceLine(const QByteArray& input, int line, const QByteArray& encoding) {
    if (line < 1)
        return {};
    LineCollector collector(line);
    decodeInPieces(input, encoding.isEmpty() ? nullptr : encoding.constData(),
                   [&collector](const char* text, size_t size) {
                       collector.add(text, size);
                       return !collector.done();
                   });
    return collector.text();
}

// The line of the byte at offset, and its column in characters (UTF-8 sequences and UTF-16's ASCII).
Place placeOf(const QByteArray& input, qint64 offset) {
    const QByteArrayView before = QByteArrayView(input).first(std::min<qint64>(offset, input.size()));
    const qsizetype lineStart = before.lastIndexOf('\n') + 1;
    int column = 1;
    for (const char c : before.sliced(lineStart)) {
        if (c != '\0' && (static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++column;
    }
    return {int(before.count('\n')) + 1, column};
}

} // namespace

void decodeInPieces(const QByteArray& input, const char* encoding,
                    const std::function<bool(const char*, size_t)>& take) {
    xmlCharEncodingHandler* handler = encoding ? xmlFindCharEncodingHandler(encoding) : nullptr;
    if (!handler) {
        take(input.constData(), size_t(input.size()));
        return;
    }
    BufferPtr in(xmlBufferCreate());
    BufferPtr out(xmlBufferCreate());
    constexpr qsizetype piece = 1 << 16;
    bool more = true;
    for (qsizetype offset = 0; offset < input.size() && more; offset += piece) {
        xmlBufferAdd(in.get(), reinterpret_cast<const xmlChar*>(input.constData() + offset),
                     int(std::min(piece, input.size() - offset)));
        const int converted = xmlCharEncInFunc(handler, out.get(), in.get());
        more = take(reinterpret_cast<const char*>(xmlBufferContent(out.get())), size_t(xmlBufferLength(out.get())));
        xmlBufferEmpty(out.get());
        if (converted < 0)
            break;
    }
    xmlCharEncCloseFunc(handler);
}

void FirstFatalError::watch(xmlParserCtxt* parser) {
    parser->_private = this;
    parser->sax->serror = keep;
}

void FirstFatalError::set(const QString& reason, int line, const xmlParserCtxt* parser, int column) {
    found_ = true;
    reason_ = reason;
    line_ = line;
    column_ = column;
    encoding_ = encodingOf(parser);
}

void FirstFatalError::setAt(const QString& reason, qint64 offset, const xmlParserCtxt* parser) {
    set(reason, 0, parser);
    offset_ = offset;
}

void FirstFatalError::raise(const QByteArray& input) const {
    const QString reason = found_ ? reason_ : QStringLiteral("Document is empty");
    const Place place = offset_ >= 0 ? placeOf(input, offset_) : Place{line_, column_};
    const QString text = sourceLine(input, place.line, encoding_);
    int column = place.column;
    if (atAmpersand_ && column > 1) {
        if (const qsizetype ampersand = text.lastIndexOf('&', column - 2); ampersand >= 0)
            column = int(ampersand) + 1;
    }
    throw ParseError(reason, place.line, text, column);
}

void FirstFatalError::keep(void* context, xmlError* error) {
    auto* parser = static_cast<xmlParserCtxt*>(context);
    auto* stop = static_cast<FirstFatalError*>(parser->_private);
    if (!stop->found_ && stopsTheParse(*error, *parser)) {
        stop->set(plainReason(*error, *parser), error->line, parser, error->int2);
        stop->atAmpersand_ = isBareAmpersand(*error);
    }
}
