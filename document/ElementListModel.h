#pragma once

#include "document/xml/XmlDocument.h"

#include <QAbstractListModel>
#include <QStringList>

#include <algorithm>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

// What every page's list of element lines offers, whatever the fields of its lines.
class ElementLines : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    // The element a line was read from; null for a line added since the list was shown.
    virtual XmlNode elementAt(int row) const = 0;
    // Whether a commit would write the line: added, or edited to fields other than its element's.
    virtual bool differs(int row) const = 0;
    // Writes the line as a commit would into a new element at the end of List, in its own document:
    // a copy of the line's element with the line's edits, or an element named elementName.
    virtual XmlNode writeCopy(int row, XmlDocument& document, XmlNode list, const QString& elementName) const = 0;

    // What is wrong with the line at Row, in the rules' words; a line's tooltip, and read after its sentence.
    std::function<QStringList(int row)> findingsAt;
};

// The lines of a page's list as a model over the element children of one list element (products,
// files). A line is a view of its element: the model keeps the element and, only once the line is
// edited, the line's fields. Committing writes only what changed: an edited line updates its own
// element, an added line appends a new element, a removed line removes its own; everything else in
// the list element stays as it was.
template <typename Fields> class ElementListModel : public ElementLines {
public:
    using ElementLines::ElementLines;

    // Shows the element children of list, whatever their names, in document order; none for a null list.
    void show(const XmlNode& list) {
        beginResetModel();
        rows_.clear();
        removed_.clear();
        for (XmlNode node = list ? list.firstChild() : XmlNode(); node; node = node.nextSibling()) {
            if (node.type() == NodeType::Element)
                rows_.push_back({node, nullptr});
        }
        endResetModel();
    }

    // Writes the lines' changes into the document and shows no line afterwards, also when a write
    // fails. New elements, named elementName, go at the end of the list element that listForNewLines
    // finds or makes; without one they are not written.
    void commit(XmlDocument& document, const QString& elementName, const std::function<XmlNode()>& listForNewLines) {
        beginResetModel();
        const std::vector<Row> rows = std::exchange(rows_, {});
        const std::vector<XmlNode> removed = std::exchange(removed_, {});
        endResetModel();
        for (const XmlNode& element : removed)
            element.parent().removeChild(element);
        XmlNode list;
        for (const Row& row : rows) {
            if (!row.edited)
                continue;
            if (row.element) {
                write(row, row.element);
                continue;
            }
            if (!list)
                list = listForNewLines();
            if (list)
                write(row, list.appendChild(document.createElement(elementName)));
        }
    }

    XmlNode writeCopy(int row, XmlDocument& document, XmlNode list, const QString& elementName) const override {
        const Row& line = rows_[size_t(row)];
        const XmlNode copy = list.appendChild(line.element ? line.element : document.createElement(elementName));
        if (line.edited)
            write(line, copy);
        return copy;
    }

    // Whether a commit would change the document: a line added or removed, or edited to fields other
    // than its element's.
    bool hasChanges() const {
        return !removed_.empty() ||
               std::any_of(rows_.begin(), rows_.end(), [this](const Row& row) { return differs(row); });
    }

    bool differs(int row) const override { return differs(rows_[size_t(row)]); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : int(rows_.size());
    }

    // A line shows its line text, and screen readers read it as a sentence; its findings follow.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override {
        if (!index.isValid() || index.row() >= rowCount())
            return QVariant();
        if (role == Qt::DisplayRole)
            return lineText(fieldsAt(index.row()));
        if (role != Qt::ToolTipRole && role != Qt::AccessibleTextRole)
            return QVariant();
        const QStringList findings = findingsAt ? findingsAt(index.row()) : QStringList();
        if (role == Qt::ToolTipRole && !findings.isEmpty())
            return findings.join('\n');
        if (role == Qt::AccessibleTextRole)
            return spokenText(index.row()) +
                   (findings.isEmpty() ? QString() : ". Warning: " + findings.join(". Warning: "));
        return QVariant();
    }

    Fields fieldsAt(int row) const {
        const Row& line = rows_[size_t(row)];
        return line.edited ? *line.edited : read(line.element);
    }

    // Changes a line; fields equal to the line's leave it untouched.
    void setFields(int row, const Fields& fields) {
        if (fields == fieldsAt(row))
            return;
        rows_[size_t(row)].edited = std::make_unique<Fields>(fields);
        emit dataChanged(index(row), index(row));
    }

    void append(const Fields& fields) {
        beginInsertRows(QModelIndex(), rowCount(), rowCount());
        rows_.push_back({XmlNode(), std::make_unique<Fields>(fields)});
        endInsertRows();
    }

    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override {
        if (parent.isValid() || row < 0 || count < 1 || row + count > rowCount())
            return false;
        beginRemoveRows(QModelIndex(), row, row + count - 1);
        const auto first = rows_.begin() + row;
        for (auto line = first; line != first + count; ++line) {
            if (line->element)
                removed_.push_back(line->element);
        }
        rows_.erase(first, first + count);
        endRemoveRows();
        return true;
    }

    XmlNode elementAt(int row) const override { return rows_[size_t(row)].element; }

private:
    virtual QString lineText(const Fields& fields) const = 0;
    virtual QString spokenText(int row) const = 0;
    virtual Fields read(const XmlNode& element) const = 0;
    virtual void writeNew(XmlNode element, const Fields& fields) const = 0;
    virtual void writeChanges(XmlNode element, const Fields& before, const Fields& after) const = 0;

    struct Row {
        XmlNode element;
        std::unique_ptr<Fields> edited;
    };
    bool differs(const Row& row) const { return row.edited && (!row.element || !(*row.edited == read(row.element))); }
    // Writes an edited row's fields into Target: its own element, a copy of it or a new element.
    void write(const Row& row, XmlNode target) const {
        if (row.element)
            writeChanges(target, read(row.element), *row.edited);
        else
            writeNew(target, *row.edited);
    }

    std::vector<Row> rows_;
    std::vector<XmlNode> removed_;
};
