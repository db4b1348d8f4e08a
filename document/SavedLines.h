#pragma once

#include "document/xml/XmlDocument.h"

#include <QString>

// Gives every element of Document the line of its start tag in FileName, the file Document was just saved
// to, as Load of that file would. False, with no line changed, when the file's start tags are not the
// document's elements.
bool takeLinesOfSavedFile(const XmlDocument& document, const QString& fileName);
