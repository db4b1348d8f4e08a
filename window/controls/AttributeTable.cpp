#include "window/controls/AttributeTable.h"

#include "document/AttributeEdits.h"
#include "window/pictures/Pictures.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QSignalBlocker>

namespace {

constexpr int attributeRowHeight = 16;
constexpr int nameColumn = 0;
constexpr int valueColumn = 1;

QString cellText(const QTableWidget* table, int row, int column) {
    const QTableWidgetItem* cell = table->item(row, column);
    return cell ? cell->text() : QString();
}

} // namespace

AttributeTable::AttributeTable(QWidget* parent) : QTableWidget(0, 2, parent) {
    setHorizontalHeaderLabels({QStringLiteral("Attribute"), QStringLiteral("Value")});
    verticalHeader()->hide();
    // The minimum first: the default size is held within it, and the style's minimum is taller.
    verticalHeader()->setMinimumSectionSize(attributeRowHeight);
    verticalHeader()->setDefaultSectionSize(attributeRowHeight);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setHighlightSections(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    // Tab leaves the table for the next control; the arrow keys move between its cells.
    setTabKeyNavigation(false);
    setWordWrap(false);
    connect(this, &QTableWidget::itemChanged, this, &AttributeTable::cellEdited);
}

void AttributeTable::show(const QList<Attribute>& attributes, const QStringList& shownElsewhere) {
    const QSignalBlocker blocker(this);
    shownElsewhere_ = shownElsewhere;
    setRowCount(0);
    for (const Attribute& attribute : attributes) {
        const int row = rowCount();
        insertRow(row);
        setItem(row, nameColumn, new QTableWidgetItem(attribute.first));
        setItem(row, valueColumn, new QTableWidgetItem(attribute.second));
    }
    addEmptyRow();
    setColumnWidth(nameColumn, width() / 3);
}

QList<Attribute> AttributeTable::attributes() const {
    QList<Attribute> rows;
    for (int row = 0; row < rowCount(); ++row) {
        if (!isAccepted(row))
            continue;
        rows.append({cellText(this, row, nameColumn), cellText(this, row, valueColumn)});
    }
    return rows;
}

void AttributeTable::commitTyping() {
    if (QWidget* editor = indexWidget(currentIndex()); editor && state() == EditingState)
        commitData(editor);
}

void AttributeTable::keyPressEvent(QKeyEvent* event) {
    const int row = currentRow();
    if (event->key() != Qt::Key_Delete || row < 0 || row == rowCount() - 1 || state() == EditingState) {
        QTableWidget::keyPressEvent(event);
        return;
    }
    removeRow(row);
    if (edited_)
        edited_();
}

void AttributeTable::addEmptyRow() {
    const int row = rowCount();
    insertRow(row);
    setItem(row, nameColumn, new QTableWidgetItem);
    setItem(row, valueColumn, new QTableWidgetItem);
    item(row, nameColumn)->setData(Qt::AccessibleTextRole, QStringLiteral("New attribute: type its name"));
}

void AttributeTable::cellEdited(QTableWidgetItem* item) {
    const QSignalBlocker blocker(this);
    const int row = item->row();
    const bool named = !cellText(this, row, nameColumn).isEmpty();
    if (row == rowCount() - 1 && named) {
        item->setData(Qt::AccessibleTextRole, QVariant());
        addEmptyRow();
    } else if (row < rowCount() - 1 && !named)
        removeRow(row);
    markNames();
    if (edited_)
        edited_();
}

bool AttributeTable::isAccepted(int row) const {
    const QString name = cellText(this, row, nameColumn);
    if (!AttributeEdits::isName(name) || shownElsewhere_.contains(name))
        return false;
    for (int earlier = 0; earlier < row; ++earlier) {
        if (cellText(this, earlier, nameColumn) == name)
            return false;
    }
    return true;
}

void AttributeTable::markNames() {
    for (int row = 0; row + 1 < rowCount(); ++row) {
        QTableWidgetItem* name = item(row, nameColumn);
        const bool accepted = isAccepted(row);
        const QColor text = palette().color(QPalette::Text);
        name->setForeground(accepted ? text : readableOn(Qt::red, palette().color(QPalette::Base)));
        name->setToolTip(accepted ? QString()
                                  : QStringLiteral("Not written: not an attribute name, one this page edits above, "
                                                   "or a repeated one"));
    }
}
