#pragma once

#include "document/FileLine.h"
#include "document/xml/XmlDocument.h"

// Reads an element child of files, whatever its name: an absent source or destination gives an
// empty field, an absent plateform the code "both", a flag is set only by the exact value "true".
FileLine readFileLine(const XmlNode& element);

// Sets the attributes of a new file element in this order: source, destination, systemfile and
// shared when set, plateform unless "both".
void writeNewFile(XmlNode file, const FileLine& line);

// Updates in place the attributes of a file element whose line went from before to after: each
// field that changed sets, or for an unset flag and the platform "both" removes, its own attribute.
// Every other attribute stays as it was.
void updateFile(XmlNode file, const FileLine& before, const FileLine& after);
