#pragma once

#include <QComboBox>

#include <functional>

// A drop-down list whose rows are painted by one drawing function, both in the opened list and
// for the picked row shown in the closed field. Rows have a fixed height.
class OwnerDrawnComboBox : public QComboBox {
public:
    // Paints row index into rect; selected when the row is under the selection.
    using DrawItem = std::function<void(QPainter& canvas, int index, const QRect& rect, bool selected)>;

    OwnerDrawnComboBox(QWidget* parent, int rowHeight, DrawItem drawItem);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    DrawItem drawItem_;
};
