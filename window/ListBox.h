#pragma once

#include "window/OwnerDrawnDelegate.h"

#include <QListWidget>

// An owner-drawn list box with one selected line at most, rows of a fixed height. As in the
// platform's list boxes, a click on empty space or a Ctrl+click on the selected line keeps the
// selection: only the program clears it.
class ListBox : public QListWidget {
public:
    ListBox(QWidget* parent, int rowHeight, OwnerDrawnDelegate::DrawItem drawItem);

    // The selected line, or -1: the current row alone may be a line that is not selected.
    int selectedRow() const;
    // Deletes the selected line; no line is selected afterwards.
    void deleteSelectedRow();

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index, const QEvent* event) const override;
};
