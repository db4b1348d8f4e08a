#pragma once

// Internal to the document library.

#include <libxml/tree.h>

#include <QtGlobal>

// Makes a parsed tree what the program works on: entity references in attribute values are expanded
// once, so that no later read expands them again, and every value is checked against what a saved
// file may hold. Throws LimitError when the attribute values would expand out of proportion to the
// input's size, or a value goes beyond XmlLimits.
void settleParsedTree(xmlDoc* document, qint64 inputSize);
