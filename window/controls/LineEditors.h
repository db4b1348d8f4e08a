#pragma once

#include "document/ElementListModel.h"
#include "window/application/Application.h"
#include "window/controls/AttributeTable.h"
#include "window/controls/ListBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

#include <functional>
#include <vector>

// The editors of a list page, each bound to one field of the list's selected line. Showing the line
// fills every editor and writes nothing; an edit the user makes in one editor changes that field of
// the line alone, and the list writes a changed line into its own element when the page is left.
template <typename Fields> class LineEditors : public QObject {
public:
    LineEditors(QObject* parent, ListBox* list, ElementListModel<Fields>* lines)
        : QObject(parent), list_(list), lines_(lines) {}

    void bind(QLineEdit* edit, QString Fields::*field) {
        add(edit, [edit, field](const Fields& fields) { edit->setText(fields.*field); });
        QObject::connect(edit, &QLineEdit::textChanged, edit,
                         [this, edit, field] { store([&](Fields& fields) { fields.*field = edit->text(); }); });
    }

    void bind(QCheckBox* box, bool Fields::*field) {
        add(box, [box, field](const Fields& fields) { box->setChecked(fields.*field); });
        QObject::connect(box, &QCheckBox::toggled, box,
                         [this, box, field] { store([&](Fields& fields) { fields.*field = box->isChecked(); }); });
    }

    // A drop-down list whose shown item a line's fields decide, and whose picked item changes them.
    void bind(QComboBox* box, std::function<int(const Fields&)> itemOf, std::function<void(Fields&, int)> pick) {
        add(box, [box, itemOf](const Fields& fields) { box->setCurrentIndex(itemOf(fields)); });
        QObject::connect(box, &QComboBox::activated, box,
                         [this, pick](int item) { store([&](Fields& fields) { pick(fields, item); }); });
    }

    // The table of the attributes no other editor of the page shows; shownElsewhere names those.
    void bind(AttributeTable* table, QList<Attribute> Fields::*field,
              std::function<QStringList(const Fields&)> shownElsewhere) {
        add(table, [table, field, shownElsewhere](const Fields& fields) {
            table->show(fields.*field, shownElsewhere(fields));
        });
        table->onEdited([this, table, field] { store([&](Fields& fields) { fields.*field = table->attributes(); }); });
    }

    // Shows the selected line in every editor; with no line selected the editors keep what they show.
    void show() {
        const int row = list_->selectedRow();
        if (row < 0)
            return;
        const Fields fields = lines_->fieldsAt(row);
        for (const Binding& binding : bindings_) {
            const QSignalBlocker blocker(binding.editor);
            binding.show(fields);
        }
    }

    void setEnabled(bool enabled) {
        for (const Binding& binding : bindings_)
            binding.editor->setEnabled(enabled);
    }

private:
    struct Binding {
        QWidget* editor;
        std::function<void(const Fields&)> show;
    };

    void add(QWidget* editor, std::function<void(const Fields&)> show) {
        bindings_.push_back({editor, std::move(show)});
    }

    // Changes the selected line; an error on the way is reported as every handler's is.
    void store(const std::function<void(Fields&)>& change) {
        Application::runGuarded([&] {
            const int row = list_->selectedRow();
            if (row < 0)
                return;
            Fields fields = lines_->fieldsAt(row);
            change(fields);
            lines_->setFields(row, fields);
        });
    }

    ListBox* list_;
    ElementListModel<Fields>* lines_;
    std::vector<Binding> bindings_;
};
