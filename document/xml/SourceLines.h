#pragma once

#include "document/xml/Errors.h"

#include <QByteArray>
#include <QString>

#include <string_view>
#include <vector>

// Finds where an element starts in the text it was read from, for messages that point at it. The
// parser keeps only the line on which an element's start tag ends.
class SourceLines {
public:
    explicit SourceLines(const QByteArray& text) : text_(text) {}
    // The lines of the regular file FileName, read only when a place is asked for.
    static SourceLines ofFile(const QString& fileName);

    // The place, column counted in characters from 1, of the start tag of the ordinal-th element called
    // name (counted from 0) whose start tag ends on line; column 1 of that line when no such tag is found.
    Place startTag(int line, const QString& name, int ordinal) const;

private:
    bool isStartTagAt(size_t at, std::string_view tag) const;
    Place placeAt(size_t at) const;
    void index() const;
    std::string_view text() const { return {text_.constData(), size_t(text_.size())}; }

    mutable QByteArray text_;
    QString fileName_;
    mutable std::vector<size_t> starts_;
};
