#pragma once

#include "window/controls/OwnerDrawnDelegate.h"

#include <QListView>

// An owner-drawn list box over a model of lines, with one selected line at most and rows of a fixed
// height. As in the platform's list boxes, a click on empty space or a Ctrl+click on the selected
// line keeps the selection: only the program clears it. A line added to the model is scrolled into view.
// A line that the model gives a tooltip has something wrong with it, which the tooltip says: it carries
// a mark at its left edge, beside its text, and its tooltip is shown as the plain text it is.
class ListBox : public QListView {
public:
    ListBox(QWidget* parent, QAbstractItemModel* lines, int rowHeight, OwnerDrawnDelegate::DrawItem drawItem);

    // The selected line, or -1: the current row alone may be a line that is not selected.
    int selectedRow() const;
    // Deletes the selected line; no line is selected afterwards.
    void deleteSelectedRow();

    // The colour of the mark on a line with something wrong: it stands out on light and dark backgrounds alike.
    static QColor markColour();

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index, const QEvent* event) const override;
    bool viewportEvent(QEvent* event) override;
};
