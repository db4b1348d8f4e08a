#pragma once

#include "document/XmlDocument.h"

#include <QList>
#include <QString>

#include <optional>

// A product as the Products page edits it.
struct ProductFields {
    // Position in Mxi::productNames(); -1 for a product the table does not hold.
    int product = 0;
    bool primary = false;
    bool required = false;
    QString version;

    bool operator==(const ProductFields&) const = default;
};

// The product line: the product number as one digit, "+" or "-" for primary, "+" or "-" for
// required, then the version text as typed.
namespace ProductLine {

QString encode(const ProductFields& fields);
// The fields of a line; nothing when the text is not a product line of the table.
std::optional<ProductFields> decode(const QString& line);

} // namespace ProductLine

// One entry of the product list: its line and the attributes of the element it was read from.
// A product the line cannot hold (a name outside the table, no name or no version) has an empty
// line and is written back exactly as it was read.
struct ProductRecord {
    QString line;
    QList<Attribute> original;

    // True when the line holds a product of the table.
    bool isListed() const;
};

// The record of a product element with these attributes.
ProductRecord readProduct(const QList<Attribute>& attributes);

// The record's fields: those of its line, or, for an unlisted product, its flags and version
// as read (an absent version reads as empty) with no product number.
ProductFields productFields(const ProductRecord& record);

// The caption shown for the record: the table's name of its product, or its own name as read.
QString productCaption(const ProductRecord& record);

// The attributes of the product element written for the record, in order: name, primary,
// required (only "true", only when not primary), version, then the attributes the page does not
// edit as they stood in the element. An unlisted product gets its original attributes unchanged.
QList<Attribute> productAttributes(const ProductRecord& record);
