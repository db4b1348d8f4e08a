#pragma once

#include <QString>

#include <stdexcept>

// Every failure the program reports carries the exact text the user sees.
class Error : public std::runtime_error {
public:
    explicit Error(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
};

// Any access while no document is open.
class NoActiveDocumentError : public Error {
public:
    NoActiveDocumentError() : Error(QStringLiteral("Pas de document actif")) {}
};

// Reading an absent attribute as text.
class ConversionError : public Error {
public:
    ConversionError()
        : Error(QStringLiteral("Impossible de convertir le variant de type (%1) en type (%2)").arg("Null", "String")) {}
};

// A text that is not well-formed XML, or a file that cannot be read.
class ParseError : public Error {
public:
    ParseError(const QString& reason, int line, const QString& sourceLine, int column = 0)
        : Error(format(reason, line, sourceLine)), reason_(reason), line_(line), column_(column) {}
    QString reason() const { return reason_; }
    int line() const { return line_; }
    int column() const { return column_; }

private:
    static QString format(const QString& reason, int line, const QString& sourceLine) {
        return QStringLiteral("%1\nLigne: %2\n%3").arg(reason).arg(line).arg(sourceLine.left(40));
    }
    QString reason_;
    int line_;
    int column_;
};

// A well-formed file that is not an extension installation file.
class ForeignDocumentError : public Error {
public:
    using Error::Error;
};

// The saved file could not be written.
class SaveError : public Error {
public:
    using Error::Error;
};
