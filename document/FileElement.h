#pragma once

#include "document/FileLine.h"
#include "document/xml/XmlDocument.h"

// Reads an element child of files, whatever its name: the source from source or else the older name,
// the platform from platform or else plateform ("both" without either); an absent text attribute
// gives an empty field, a flag is set only by the exact value "true".
FileLine readFileLine(const XmlNode& element);

// Sets the attributes of a new file element in this order: source, destination, systemfile and
// shared when set, platform unless "both", file-type, products, minVersion and maxVersion when not
// empty, then the others.
void writeNewFile(XmlNode file, const FileLine& line);

// Updates in place the attributes of a file element whose line went from before to after: each
// field that changed sets, or for an unset flag, an empty text and the platform "both" removes, its
// own attribute. The source goes where it was read from; a changed platform is written as platform,
// and replaces a plateform. Every other attribute stays as it was.
void updateFile(XmlNode file, const FileLine& before, const FileLine& after);
