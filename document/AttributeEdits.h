#pragma once

#include "document/xml/XmlDocument.h"

#include <QList>
#include <QString>
#include <QStringList>

// Edits of an element's attributes that the list lines share: optional values and the attributes a
// page has no editor for.
namespace AttributeEdits {

// Whether name can name an attribute in a file of its own: letters, digits, ".", "-" and "_", not
// starting with a digit, "." or "-"; the prefix "xml:" is the only one, as files declare no other.
bool isName(const QString& name);

// Sets the attribute to value, or removes it for an empty value: an optional attribute left empty
// is not written.
void setOrRemove(XmlNode& element, const QString& name, const QString& value);

// The attributes, in their order, whose names are not among shown: those no editor of the page shows.
QList<Attribute> others(const QList<Attribute>& attributes, const QStringList& shown);

// Writes the change from before to after of the attributes no editor shows: a changed value in place,
// a removed attribute removed, a new one added at the end. Attributes in both, alike, stay untouched.
void updateOthers(XmlNode& element, const QList<Attribute>& before, const QList<Attribute>& after);

} // namespace AttributeEdits
