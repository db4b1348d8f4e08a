#pragma once

#include "document/FileReplacement.h"
#include "document/XmlDocument.h"

#include <QString>

// Replaces the document by the extension installation file FileName. A file that cannot be read
// (UnreadableFileError), is not well-formed XML or goes beyond what Load reads (ParseError), or
// whose root is not macromedia-extension (ForeignDocumentError) leaves the document as it was.
void loadExtensionFile(XmlDocument& document, const QString& fileName);
// The check Load makes once a file has parsed: ForeignDocumentError, naming FileName, unless the
// document's root is macromedia-extension.
void requireExtensionRoot(const XmlDocument& document, const QString& fileName);

// Stores every file's source relative to the folder of FileName, then writes the document in the
// saved layout as writeSavedFile writes. When writing fails (SaveError), or the document holds what
// Load would not read back (LimitError), the file keeps its old text and the document gets its
// sources back.
void saveExtensionFile(XmlDocument& document, const QString& fileName);
// Stores every file's source relative to the folder of FileName, as Save into that file does.
void storeSourcesRelativeTo(XmlDocument& document, const QString& fileName);
