#include "window/ListBox.h"

ListBox::ListBox(QWidget* parent, int rowHeight, OwnerDrawnDelegate::DrawItem drawItem) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setItemDelegate(new OwnerDrawnDelegate(this, rowHeight, std::move(drawItem), OwnerDrawnDelegate::Focus::Drawn));
}

int ListBox::selectedRow() const {
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.first());
}

void ListBox::deleteSelectedRow() {
    const int selected = selectedRow();
    if (selected < 0)
        return;
    // Without a current line the list selects none after the deletion.
    setCurrentRow(-1);
    delete takeItem(selected);
}

QItemSelectionModel::SelectionFlags ListBox::selectionCommand(const QModelIndex& index, const QEvent*) const {
    if (!index.isValid())
        return QItemSelectionModel::NoUpdate;
    return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
}
