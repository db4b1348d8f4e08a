#pragma once

#include "document/FileReplacement.h"
#include "document/Repair.h"
#include "document/xml/XmlDocument.h"

#include <QString>

// Replaces the document by the extension installation file FileName, read in pieces so that a large
// file is never held whole. A file that cannot be read (UnreadableFileError), is not well-formed XML
// or goes beyond what Load reads (ParseError), or whose root is not macromedia-extension
// (ForeignDocumentError) leaves the document as it was; where only faults that a repair puts right
// stand in the way, the refusal is a RepairableError.
void loadExtensionFile(XmlDocument& document, const QString& fileName);
// The same for a text; DisplayName names it in messages.
void loadExtensionText(XmlDocument& document, const QByteArray& text, const QString& displayName);

// Stores every file's source relative to the folder of FileName, then writes the document in the
// saved layout as writeSavedFile writes. When writing fails (SaveError), or the document holds what
// Load would not read back (LimitError), the file keeps its old text and the document gets its
// sources back.
void saveExtensionFile(XmlDocument& document, const QString& fileName);
// Stores every file's source relative to the folder of FileName, as Save into that file does.
void storeSourcesRelativeTo(XmlDocument& document, const QString& fileName);
