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

// A place in a text: line and column counted from 1, or 0 where the text as a whole is meant.
struct Place {
    int line = 0;
    int column = 0;
};

// A failure that belongs to a place in a text, with the reason alone for a line that shows the place beside it.
class PlacedError : public Error {
public:
    PlacedError(const QString& message, const QString& reason, Place place = {})
        : Error(message), reason_(reason), place_(place) {}
    explicit PlacedError(const QString& message, Place place = {}) : PlacedError(message, message, place) {}
    // The message without the file's name and without the text at the place.
    QString reason() const { return reason_; }
    Place place() const { return place_; }

private:
    QString reason_;
    Place place_;
};

// A text that is not well-formed XML, or that goes beyond what the program reads safely. The line
// is 0 where no line is at fault.
class ParseError : public PlacedError {
public:
    ParseError(const QString& reason, int line, const QString& sourceLine, int column = 0)
        : PlacedError(format(reason, line, column, sourceLine), reason, {line, column}) {}
    int line() const { return place().line; }
    // Where on the line the parser stopped, counted in characters from 1; 0 when unknown.
    int column() const { return place().column; }

private:
    static QString format(const QString& reason, int line, int column, const QString& sourceLine) {
        if (line < 1)
            return reason;
        const QString where =
            column > 0 ? QStringLiteral("%1, column %2").arg(line).arg(column) : QString::number(line);
        return QStringLiteral("%1\nLigne: %2\n%3").arg(reason, where, sourceLine.left(40));
    }
};

// A document holding what a file cannot store, or more than Load reads back.
class LimitError : public ParseError {
public:
    explicit LimitError(const QString& message) : ParseError(message, 0, QString()) {}
};

// A file that is missing, unreadable, not a regular file or too large to be read.
class UnreadableFileError : public PlacedError {
public:
    UnreadableFileError(const QString& fileName, const QString& reason)
        : PlacedError(QStringLiteral("\"%1\" cannot be read: %2").arg(fileName, reason), reason) {}
};

// A well-formed file that is not an extension installation file; placed at its root's start tag.
class ForeignDocumentError : public PlacedError {
public:
    using PlacedError::PlacedError;
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
