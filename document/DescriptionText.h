#pragma once

#include "document/xml/XmlDocument.h"

#include <QString>

// The free texts of the root's description and ui-access elements, as a box edits them.
namespace DescriptionText {

struct Shown {
    QString text;
    // False when the element holds content other than text: the text is then that content's XML,
    // for reading only.
    bool editable;
};

// What the box for the root's child element named name shows: the text at the element's start (its
// text and CDATA pieces joined), or the text of a first child element that holds only text.
Shown read(const XmlDocument& document, const QString& name);

// Writes text into the piece that read took it from: into its first text piece, the other leading
// pieces removed, so a CDATA section stays a section and plain text stays plain. An element, or a
// CDATA section, that is missing is created for a text that is not empty.
void store(XmlDocument& document, const QString& name, const QString& text);

} // namespace DescriptionText
