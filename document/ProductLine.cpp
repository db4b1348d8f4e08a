#include "document/ProductLine.h"

#include "document/AttributeEdits.h"
#include "document/Mxi.h"

#include <QStringList>

#include <optional>

namespace {

QChar flagMark(bool set) {
    return set ? '+' : '-';
}

std::optional<QString> valueOf(const QList<Attribute>& attributes, const QString& name) {
    return Mxi::AttributeList{attributes}.attribute(name);
}

QString nameAttribute(bool family) {
    return family ? Mxi::FamilyName : Mxi::Name;
}

QString flagText(bool set) {
    return set ? Mxi::True : Mxi::False;
}

// A primary product never shows, nor writes, its required flag.
bool showsRequired(const ProductFields& fields) {
    return !fields.primary && fields.required;
}

// The products' names as people write them: the older ones spelt otherwise in the table, in its order.
QString spokenName(int product) {
    static const QStringList names = {"Dreamweaver", "Dreamweaver UltraDev", "Flash", "HomeSite", "JRun", "Spectra",
                                      "ColdFusion"};
    return product < names.size() ? names[product] : Mxi::productNames()[product];
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
    const QString named = Mxi::productNameAttribute(Mxi::AttributeList{attributes});
    const std::optional<QString> name = valueOf(attributes, named);
    const std::optional<QString> version = valueOf(attributes, Mxi::Version);
    const int product = name && version ? Mxi::productNumberOf(*name) : -1;
    const QStringList shown = {named, Mxi::Primary, Mxi::Required, Mxi::Version, Mxi::ProductMaxVersion};
    return {product,
            valueOf(attributes, Mxi::Primary) == Mxi::True,
            valueOf(attributes, Mxi::Required) == Mxi::True,
            version.value_or(QString()),
            named == Mxi::FamilyName,
            valueOf(attributes, Mxi::ProductMaxVersion).value_or(QString()),
            AttributeEdits::others(attributes, shown)};
}

QList<Attribute> newProductAttributes(const ProductFields& fields) {
    QList<Attribute> attributes{{nameAttribute(fields.family), Mxi::productNames()[fields.product]},
                                {Mxi::Primary, flagText(fields.primary)}};
    if (showsRequired(fields))
        attributes.append({Mxi::Required, Mxi::True});
    attributes.append({Mxi::Version, fields.version});
    if (!fields.maxVersion.isEmpty())
        attributes.append({Mxi::ProductMaxVersion, fields.maxVersion});
    return attributes + fields.others;
}

void updateProduct(XmlNode element, const ProductFields& before, const ProductFields& after) {
    const QString named = Mxi::productNameAttribute(element);
    const QString wanted = nameAttribute(after.family);
    if (wanted != named) {
        // The other form keeps the name the line shows.
        const QString name =
            after.product >= 0 ? Mxi::productNames()[after.product] : element.attribute(named).value_or(QString());
        element.removeAttribute(named);
        element.setAttribute(wanted, name);
    } else if (after.product != before.product && after.product >= 0) {
        element.setAttribute(wanted, Mxi::productNames()[after.product]);
    }
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
    if (after.maxVersion != before.maxVersion)
        AttributeEdits::setOrRemove(element, Mxi::ProductMaxVersion, after.maxVersion);
    AttributeEdits::updateOthers(element, before.others, after.others);
}

QString spokenProduct(const ProductFields& fields, const QString& caption) {
    QString sentence = fields.product >= 0 ? spokenName(fields.product)
                       : caption.isEmpty() ? QStringLiteral("Unnamed product")
                                           : caption;
    if (fields.family)
        sentence += QStringLiteral(" family");
    sentence +=
        fields.version.isEmpty() ? QStringLiteral(", no version") : QStringLiteral(", version ") + fields.version;
    if (!fields.maxVersion.isEmpty())
        sentence += QStringLiteral(", highest version ") + fields.maxVersion;
    if (fields.primary)
        sentence += QStringLiteral(", primary");
    else if (fields.required)
        sentence += QStringLiteral(", required");
    return sentence;
}
