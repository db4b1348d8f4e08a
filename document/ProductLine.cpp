#include "document/ProductLine.h"

#include "document/Mxi.h"

#include <QStringList>

#include <optional>

namespace {

QChar flagMark(bool set) {
    return set ? '+' : '-';
}

std::optional<QString> valueOf(const QList<Attribute>& attributes, const QString& name) {
    for (const Attribute& attribute : attributes) {
        if (attribute.first == name)
            return attribute.second;
    }
    return std::nullopt;
}

QString flagText(bool set) {
    return set ? Mxi::True : Mxi::False;
}

// A primary product never shows, nor writes, its required flag.
bool showsRequired(const ProductFields& fields) {
    return !fields.primary && fields.required;
}

// The products' names as people write them, in the table's order.
const QStringList& spokenNames() {
    static const QStringList names = {"Dreamweaver", "Dreamweaver UltraDev", "Flash", "HomeSite", "JRun", "Spectra",
                                      "ColdFusion"};
    return names;
}

} // namespace

namespace ProductLine {

QString encode(const ProductFields& fields) {
    if (fields.product < 0)
        return QString();
    return QString::number(fields.product) + flagMark(fields.primary) + flagMark(fields.required) + fields.version;
}

} // namespace ProductLine

ProductFields readProduct(const QList<Attribute>& attributes) {
    const std::optional<QString> name = valueOf(attributes, Mxi::Name);
    const std::optional<QString> version = valueOf(attributes, Mxi::Version);
    const int product = name && version ? Mxi::productNumberOf(*name) : -1;
    return {product, valueOf(attributes, Mxi::Primary) == Mxi::True, valueOf(attributes, Mxi::Required) == Mxi::True,
            version.value_or(QString())};
}

QList<Attribute> newProductAttributes(const ProductFields& fields) {
    QList<Attribute> attributes{{Mxi::Name, Mxi::productNames()[fields.product]},
                                {Mxi::Primary, flagText(fields.primary)}};
    if (showsRequired(fields))
        attributes.append({Mxi::Required, Mxi::True});
    attributes.append({Mxi::Version, fields.version});
    return attributes;
}

void updateProduct(XmlNode element, const ProductFields& before, const ProductFields& after) {
    if (after.product != before.product && after.product >= 0)
        element.setAttribute(Mxi::Name, Mxi::productNames()[after.product]);
    if (after.primary != before.primary)
        element.setAttribute(Mxi::Primary, flagText(after.primary));
    if (showsRequired(after) != showsRequired(before)) {
        if (showsRequired(after))
            element.setAttribute(Mxi::Required, Mxi::True);
        else
            element.removeAttribute(Mxi::Required);
    }
    // A product picked for an element without a version needs one to be read as that product again.
    if (after.version != before.version || !element.attribute(Mxi::Version))
        element.setAttribute(Mxi::Version, after.version);
}

QString spokenProduct(const ProductFields& fields, const QString& caption) {
    QString sentence = fields.product >= 0 ? spokenNames()[fields.product]
                       : caption.isEmpty() ? QStringLiteral("Unnamed product")
                                           : caption;
    sentence +=
        fields.version.isEmpty() ? QStringLiteral(", no version") : QStringLiteral(", version ") + fields.version;
    if (fields.primary)
        sentence += QStringLiteral(", primary");
    else if (fields.required)
        sentence += QStringLiteral(", required");
    return sentence;
}
