#pragma once

#include "document/ElementListModel.h"
#include "document/ProductLine.h"

// The Products page's lines over the element children of products.
class ProductListModel : public ElementListModel<ProductFields> {
public:
    using ElementListModel::ElementListModel;

    // The caption drawn for a line: the table's name of its product, or the element's own name.
    QString captionAt(int row) const;

private:
    QString lineText(const ProductFields& fields) const override;
    QString spokenText(int row) const override;
    ProductFields read(const XmlNode& element) const override;
    void writeNew(XmlNode element, const ProductFields& fields) const override;
    void writeChanges(XmlNode element, const ProductFields& before, const ProductFields& after) const override;
};
