#include "document/ProductListModel.h"

#include "document/Mxi.h"

QString ProductListModel::captionAt(int row) const {
    const int product = fieldsAt(row).product;
    if (product >= 0)
        return Mxi::productNames()[product];
    const XmlNode element = elementAt(row);
    return element.attribute(Mxi::productNameAttribute(element)).value_or(QString());
}

QString ProductListModel::lineText(const ProductFields& fields) const {
    return ProductLine::encode(fields);
}

QString ProductListModel::spokenText(int row) const {
    return spokenProduct(fieldsAt(row), captionAt(row));
}

ProductFields ProductListModel::read(const XmlNode& element) const {
    return readProduct(element.attributes());
}

void ProductListModel::writeNew(XmlNode element, const ProductFields& fields) const {
    for (const Attribute& attribute : newProductAttributes(fields))
        element.setAttribute(attribute.first, attribute.second);
}

void ProductListModel::writeChanges(XmlNode element, const ProductFields& before, const ProductFields& after) const {
    updateProduct(element, before, after);
}
