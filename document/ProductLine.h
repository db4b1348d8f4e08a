#pragma once

#include "document/xml/XmlDocument.h"

#include <QList>
#include <QString>

// A product as the Products page edits it.
struct ProductFields {
    // Position in Mxi::productNames(); -1 for a product the table does not hold.
    int product = 0;
    bool primary = false;
    bool required = false;
    QString version;
    // Named by familyname rather than name.
    bool family = false;
    // The highest version; empty when the element has none.
    QString maxVersion;
    // The attributes no editor of the page shows, in their order.
    QList<Attribute> others;

    bool operator==(const ProductFields&) const = default;
};

// The product line: the product number as one digit, "+" or "-" for primary, "+" or "-" for
// required, then the version text as typed. A product outside the table has the empty line.
namespace ProductLine {

QString encode(const ProductFields& fields);

} // namespace ProductLine

// The fields of a product element with these attributes: its name, from name or else familyname, is
// looked up without regard to letter case, a flag is set only by the exact value "true". A name outside
// the table, or no name or no version, gives no product number; the other fields are read all the same.
ProductFields readProduct(const QList<Attribute>& attributes);

// The attributes of a new product element, in order: name (or familyname), primary, required (only
// "true", only when not primary), version, maxversion when not empty, then the others.
QList<Attribute> newProductAttributes(const ProductFields& fields);

// Updates in place the attributes of a product element whose line went from before to after: the
// name only for another product or form (the file's spelling of the same product stays), a flag only
// when the line shows it changed, the version when it changed or the element has none, maxversion
// and the others when they changed. Every other attribute stays as it was.
void updateProduct(XmlNode element, const ProductFields& before, const ProductFields& after);

// The line as a sentence for screen readers, as in "Dreamweaver, version 6, primary" or "Photoshop
// family, version 15, highest version 17"; caption names a product outside the table.
QString spokenProduct(const ProductFields& fields, const QString& caption);
