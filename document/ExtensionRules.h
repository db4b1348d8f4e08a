#pragma once

#include "document/xml/XmlDocument.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// What the Extension Manager refuses or installs other than meant, found in an extension
// installation file and worded as the fix. Nothing here changes the document.
namespace ExtensionRules {

struct Warning {
    // The element at fault, or the one holding the attribute at fault.
    XmlNode element;
    QString message;
};

// The line an element is reported on; a warning about a repeat names the first one's line.
using LineOf = std::function<int(const XmlNode& element)>;

// The products of the Products page's picker: the older ones, then those the Extension Manager installs into.
const QStringList& knownProducts();
// Letter case aside; the Extension Manager's own products also with a 32 or 64 suffix (Photoshop64).
bool isKnownProduct(const QString& name);
// major[.minor[.build[.misc]]]: numbers, the last part may hold letters too.
bool isVersion(const QString& version);

// The warnings for the extension under Root, grouped by rule. Sources are looked up in SourceFolder.
QList<Warning> check(const XmlNode& root, const QString& sourceFolder, const LineOf& lineOf);

} // namespace ExtensionRules
