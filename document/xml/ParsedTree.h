#pragma once

// Internal to the document library.

#include <libxml/tree.h>

#include <QtGlobal>

// Whether the document type declares general entities, which attribute values may refer to.
bool declaresEntities(const xmlDoc* document);

// Checks a parsed element's start tag and texts against what a saved file may hold: a LimitError says
// what goes beyond XmlLimits. The parser checks each element as it ends, while it is in the cache,
// where the document declares no entities.
void checkParsedElement(const xmlNode* element);

// Makes a parsed tree that declares entities what the program works on: entity references in
// attribute values are expanded once, so that no later read expands them again, and every element is
// then checked (checkParsedElement). Throws LimitError when the attribute values would expand out of
// proportion to the input's size, or a value goes beyond XmlLimits. Without entity declarations no
// value holds a reference (the parser refuses undeclared ones) and there is nothing to do.
void settleParsedTree(xmlDoc* document, qint64 inputSize);
