#pragma once

#include <QStyledItemDelegate>

#include <functional>

// Paints the rows of a list through one drawing function, at a fixed height, with the painter
// prepared as a list box prepares its canvas: clipped to the row, brush and pen in the row's
// background and text colours, the list's font. List boxes also get the focus rectangle.
class OwnerDrawnDelegate : public QStyledItemDelegate {
public:
    // Paints row index into rect; selected when the row is under the selection.
    using DrawItem = std::function<void(QPainter& canvas, int index, const QRect& rect, bool selected)>;
    enum class Focus { Drawn, NotDrawn };

    OwnerDrawnDelegate(QObject* parent, int rowHeight, DrawItem drawItem, Focus focus);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    int rowHeight_;
    DrawItem drawItem_;
    Focus focus_;
};
