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

// A text that is not well-formed XML, or that goes beyond what the program reads safely. The line
// is 0 where no line is at fault.
class ParseError : public Error {
public:
    ParseError(const QString& reason, int line, const QString& sourceLine, int column = 0)
        : Error(format(reason, line, sourceLine)), reason_(reason), line_(line), column_(column) {}
    QString reason() const { return reason_; }
    int line() const { return line_; }
    // Where on the line the parser stopped, counted in characters from 1; 0 when unknown.
    int column() const { return column_; }

private:
    static QString format(const QString& reason, int line, const QString& sourceLine) {
        if (line < 1)
            return reason;
        return QStringLiteral("%1\nLigne: %2\n%3").arg(reason).arg(line).arg(sourceLine.left(40));
    }
    QString reason_;
    int line_;
    int column_;
};

// A document holding what a file cannot store, or more than Load reads back.
class LimitError : public ParseError {
public:
    explicit LimitError(const QString& message) : ParseError(message, 0, QString()) {}
};

// A file that is missing, unreadable, not a regular file or too large to be read.
class UnreadableFileError : public Error {
public:
    UnreadableFileError(const QString& fileName, const QString& reason)
        : Error(QStringLiteral("\"%1\" cannot be read: %2").arg(fileName, reason)), reason_(reason) {}
    // Why, without the file's name.
    QString reason() const { return reason_; }

private:
    QString reason_;
};

// A well-formed file that is not an extension installation file.
class ForeignDocumentError : public Error {
public:
    using Error::Error;
};

// The saved file could not be written: the window's message, and the system's reason alone.
class SaveError : public Error {
public:
    SaveError(const QString& fileName, const QString& reason)
        : Error(QStringLiteral("Impossible de créer le fichier \"%1\". %2").arg(fileName, reason)), reason_(reason) {}
    QString reason() const { return reason_; }

private:
    QString reason_;
};
