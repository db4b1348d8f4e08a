#pragma once

#include "document/xml/XmlDocument.h"

#include <QStringList>
#include <QTableWidget>

#include <functional>

// A small table of an element's attributes that its page has no other editor for: a name and a value
// on each row, and an empty row at the end where typing a name adds an attribute. Delete removes the
// selected row, and so does emptying its name. A name that is not an attribute name, one an editor of
// the page shows, or a repeated one is marked and not taken.
class AttributeTable : public QTableWidget {
public:
    explicit AttributeTable(QWidget* parent);

    // Shows attributes, writing nothing; shownElsewhere names those the page's other editors show.
    void show(const QList<Attribute>& attributes, const QStringList& shownElsewhere);
    // The rows with a valid name, in order.
    QList<Attribute> attributes() const;
    // Called after each change the user makes.
    void onEdited(std::function<void()> handler) { edited_ = std::move(handler); }
    // Puts what is being typed in a cell into the cell, as leaving the cell does: a cell's text is
    // otherwise taken only when the typing ends.
    void commitTyping();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void addEmptyRow();
    void cellEdited(QTableWidgetItem* item);
    // Whether the row's name is written: a valid name, not shown elsewhere, not on an earlier row.
    bool isAccepted(int row) const;
    // Marks in red, with a tooltip, the names that are not written.
    void markNames();

    QStringList shownElsewhere_;
    std::function<void()> edited_;
};
