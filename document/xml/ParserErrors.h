#pragma once

// What stops a libxml2 parse, told in words a user understands. Internal to the document library.

#include <libxml/parser.h>

#include <QByteArray>
#include <QString>

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
    // ParseError with the reason, the line and the line's text in input, decoded as the parser
    // decoded it.
    [[noreturn]] void raise(const QByteArray& input) const;

private:
    static void keep(void* context, xmlError* error);

    bool found_ = false;
    QString reason_;
    int line_ = 0;
    int column_ = 0;
    // The parser's column lies past the bare & it stopped at.
    bool atAmpersand_ = false;
    QByteArray encoding_;
};
