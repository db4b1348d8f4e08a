#include "window/controls/ListBox.h"

#include <QHelpEvent>
#include <QPainter>
#include <QTextDocument>
#include <QToolTip>

namespace {

// Narrow enough to stay left of every line's text, which begins after its icon.
constexpr int markWidth = 3;

} // namespace

ListBox::ListBox(QWidget* parent, QAbstractItemModel* lines, int rowHeight, OwnerDrawnDelegate::DrawItem drawItem)
    : QListView(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const auto drawMarkedItem = [this, drawItem = std::move(drawItem)](QPainter& canvas, int index, const QRect& rect,
                                                                       bool selected) {
        drawItem(canvas, index, rect, selected);
        if (!model()->index(index, 0).data(Qt::ToolTipRole).toString().isEmpty())
            canvas.fillRect(QRect(rect.left(), rect.top() + 1, markWidth, rect.height() - 2), markColour());
    };
    setItemDelegate(new OwnerDrawnDelegate(this, rowHeight, drawMarkedItem, OwnerDrawnDelegate::Focus::Drawn));
    setModel(lines);
    connect(lines, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int, int last) { scrollTo(model()->index(last, 0)); });
}

int ListBox::selectedRow() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void ListBox::deleteSelectedRow() {
    const int selected = selectedRow();
    if (selected < 0)
        return;
    // Without a current line the list selects none after the deletion.
    setCurrentIndex(QModelIndex());
    model()->removeRow(selected);
}

QItemSelectionModel::SelectionFlags ListBox::selectionCommand(const QModelIndex& index, const QEvent*) const {
    if (!index.isValid())
        return QItemSelectionModel::NoUpdate;
    return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
}

QColor ListBox::markColour() {
    return QColor(0xd9, 0x48, 0x0f);
}

bool ListBox::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QListView::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = indexAt(help->pos());
    const QString tip = index.data(Qt::ToolTipRole).toString();
    if (tip.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), Qt::convertFromPlainText(tip), viewport(), visualRect(index));
    return true;
}
