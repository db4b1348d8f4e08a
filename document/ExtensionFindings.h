#pragma once

#include "document/ExtensionRules.h"
#include "document/xml/Errors.h"
#include "document/xml/XmlDocument.h"

#include <QList>
#include <QString>

#include <functional>

// Everything --check and the window report about a loaded extension: the rules' warnings and what
// Save would refuse, each tied to the element at fault. Finding them changes nothing in the document.
namespace ExtensionFindings {

struct Finding {
    XmlNode element;
    Place place;
    QString message;
};

// Where an element is reported; a warning about a repeat names the first one's line.
using PlaceOf = std::function<Place(const XmlNode& element)>;

// The findings about the extension in Document, in the order of their places; what Save would refuse
// is placed at the root.
QList<Finding> of(const XmlDocument& document, const ExtensionRules::SourceFolder& sources, const PlaceOf& placeOf);

} // namespace ExtensionFindings
