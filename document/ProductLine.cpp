#include "document/ProductLine.h"

#include "document/Mxi.h"

namespace {

const QChar setMark = '+';
const QChar unsetMark = '-';
constexpr int versionStart = 3;

QChar flagMark(bool set) {
    return set ? setMark : unsetMark;
}

bool isFlagMark(QChar mark) {
    return mark == setMark || mark == unsetMark;
}

std::optional<QString> valueOf(const QList<Attribute>& attributes, const QString& name) {
    for (const Attribute& attribute : attributes) {
        if (attribute.first == name)
            return attribute.second;
    }
    return std::nullopt;
}

bool isEditedHere(const QString& name) {
    return name == Mxi::Name || name == Mxi::Primary || name == Mxi::Required || name == Mxi::Version;
}

} // namespace

namespace ProductLine {

QString encode(const ProductFields& fields) {
    return QString::number(fields.product) + flagMark(fields.primary) + flagMark(fields.required) + fields.version;
}

std::optional<ProductFields> decode(const QString& line) {
    if (line.size() < versionStart || line[0] < '0' || line[0] > '9' || !isFlagMark(line[1]) || !isFlagMark(line[2]))
        return std::nullopt;
    const int product = line[0].unicode() - '0';
    if (product >= Mxi::productNames().size())
        return std::nullopt;
    return ProductFields{product, line[1] == setMark, line[2] == setMark, line.mid(versionStart)};
}

} // namespace ProductLine

bool ProductRecord::isListed() const {
    return ProductLine::decode(line).has_value();
}

ProductRecord readProduct(const QList<Attribute>& attributes) {
    const std::optional<QString> name = valueOf(attributes, Mxi::Name);
    const std::optional<QString> version = valueOf(attributes, Mxi::Version);
    const int product = name ? Mxi::productNumberOf(*name) : -1;
    if (product < 0 || !version)
        return {QString(), attributes};
    const ProductFields fields{product, valueOf(attributes, Mxi::Primary) == Mxi::True,
                               valueOf(attributes, Mxi::Required) == Mxi::True, *version};
    return {ProductLine::encode(fields), attributes};
}

ProductFields productFields(const ProductRecord& record) {
    if (const std::optional<ProductFields> fields = ProductLine::decode(record.line))
        return *fields;
    return {-1, valueOf(record.original, Mxi::Primary) == Mxi::True,
            valueOf(record.original, Mxi::Required) == Mxi::True,
            valueOf(record.original, Mxi::Version).value_or(QString())};
}

QString productCaption(const ProductRecord& record) {
    const int product = productFields(record).product;
    return product >= 0 ? Mxi::productNames()[product] : valueOf(record.original, Mxi::Name).value_or(QString());
}

QList<Attribute> productAttributes(const ProductRecord& record) {
    const std::optional<ProductFields> fields = ProductLine::decode(record.line);
    if (!fields)
        return record.original;
    QList<Attribute> attributes{{Mxi::Name, Mxi::productNames()[fields->product]},
                                {Mxi::Primary, fields->primary ? Mxi::True : Mxi::False}};
    if (!fields->primary && fields->required)
        attributes.append({Mxi::Required, Mxi::True});
    attributes.append({Mxi::Version, fields->version});
    for (const Attribute& attribute : record.original) {
        if (!isEditedHere(attribute.first))
            attributes.append(attribute);
    }
    return attributes;
}
