#include "window/controls/ListBox.h"

ListBox::ListBox(QWidget* parent, QAbstractItemModel* lines, int rowHeight, OwnerDrawnDelegate::DrawItem drawItem)
    : QListView(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setItemDelegate(new OwnerDrawnDelegate(this, rowHeight, std::move(drawItem), OwnerDrawnDelegate::Focus::Drawn));
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
