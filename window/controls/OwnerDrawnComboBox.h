#pragma once

#include "window/controls/OwnerDrawnDelegate.h"

#include <QComboBox>

// A drop-down list whose rows are painted by one drawing function, both in the opened list and
// for the picked row shown in the closed field. Rows have a fixed height.
class OwnerDrawnComboBox : public QComboBox {
public:
    using DrawItem = OwnerDrawnDelegate::DrawItem;

    OwnerDrawnComboBox(QWidget* parent, int rowHeight, DrawItem drawItem);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    DrawItem drawItem_;
};
