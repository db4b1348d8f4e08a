#pragma once

// What stops a libxml2 parse, told in words a user understands. Internal to the document library.

#include <libxml/parser.h>

#include <QByteArray>
#include <QString>

#include <functional>

// Records the first error that stops the parse, from libxml2's callbacks, and raises it once the C call has returned:
// libxml2's first fatal error, or an error after which
// libxml2 would go on with data lost.
class FirstFatalError {
public:
    // Records into this object the errors that parser reports from now on.
    void watch(xmlParserCtxt* parser);

    bool found() const { return found_; }
    // The column counts characters from 1 on the line, 0 where it is not known.
    void set(const QString& reason, int line, const xmlParserCtxt* parser, int column = 0);
    // The same at a place given in bytes from the start of the text, which raise turns into line and column.
    void setAt(const QString& reason, qint64 offset, const xmlParserCtxt* parser);
    // ParseError with the reason, the line and the line's text in input, decoded as the parser
    // decoded it.
    [[noreturn]] void raise(const QByteArray& input) const;

private:
    static void keep(void* context, xmlError* error);

    bool found_ = false;
    QString reason_;
    int line_ = 0;
    int column_ = 0;
    qint64 offset_ = -1;
    // The parser's column lies past the bare & it stopped at.
    bool atAmpersand_ = false;
    QByteArray encoding_;
};

// Text in encoding (libxml2's name for it; none for UTF-8) decoded to UTF-8 piece by piece and handed to
// take while it returns true.
void decodeInPieces(const QByteArray& input, const char* encoding,
                    const std::function<bool(const char*, size_t)>& take);
