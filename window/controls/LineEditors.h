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
// An editor's change runs the page's own handler for it where the page names one, which stores the
// editor through store(); otherwise it stores the editor straight away.
template <typename Fields> class LineEditors : public QObject {
public:
    using Handler = std::function<void()>;

    LineEditors(QObject* parent, ListBox* list, ElementListModel<Fields>* lines)
        : QObject(parent), list_(list), lines_(lines) {}

    void bind(QLineEdit* edit, QString Fields::*field, Handler changed = {}) {
        add(
            edit, [edit, field](const Fields& fields) { edit->setText(fields.*field); },
            [edit, field](Fields& fields) { fields.*field = edit->text(); });
        react(edit, &QLineEdit::textChanged, std::move(changed));
    }

    void bind(QCheckBox* box, bool Fields::*field, Handler changed = {}) {
        add(
            box, [box, field](const Fields& fields) { box->setChecked(fields.*field); },
            [box, field](Fields& fields) { fields.*field = box->isChecked(); });
        react(box, &QCheckBox::toggled, std::move(changed));
    }

    // A drop-down list whose shown item a line's fields decide, and whose picked item changes them.
    void bind(QComboBox* box, std::function<int(const Fields&)> itemOf, std::function<void(Fields&, int)> pick,
              Handler changed = {}) {
        add(
            box, [box, itemOf](const Fields& fields) { box->setCurrentIndex(itemOf(fields)); },
            [box, pick](Fields& fields) { pick(fields, box->currentIndex()); });
        react(box, &QComboBox::activated, std::move(changed));
    }

    // The table of the attributes no other editor of the page shows; shownElsewhere names those.
    void bind(AttributeTable* table, QList<Attribute> Fields::*field,
              std::function<QStringList(const Fields&)> shownElsewhere) {
        add(
            table,
            [table, field, shownElsewhere](const Fields& fields) {
                table->show(fields.*field, shownElsewhere(fields));
            },
            [table, field](Fields& fields) { fields.*field = table->attributes(); });
        table->onEdited([this, table] { Application::runGuarded([this, table] { storeIntoSelected(table); }); });
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

    // Writes what editor shows into its field of line row; with no line (-1) nothing changes.
    void store(int row, QWidget* editor) {
        if (row < 0)
            return;
        Fields fields = lines_->fieldsAt(row);
        for (const Binding& binding : bindings_) {
            if (binding.editor == editor)
                binding.take(fields);
        }
        lines_->setFields(row, fields);
    }

    void storeIntoSelected(QWidget* editor) { store(list_->selectedRow(), editor); }

    void setEnabled(bool enabled) {
        for (const Binding& binding : bindings_)
            binding.editor->setEnabled(enabled);
    }

private:
    struct Binding {
        QWidget* editor;
        std::function<void(const Fields&)> show;
        std::function<void(Fields&)> take;
    };

    void add(QWidget* editor, std::function<void(const Fields&)> show, std::function<void(Fields&)> take) {
        bindings_.push_back({editor, std::move(show), std::move(take)});
    }

    // Connects the editor's change to its handler; an error on the way is reported as every handler's is.
    template <typename Editor, typename Signal> void react(Editor* editor, Signal signal, Handler changed) {
        if (!changed)
            changed = [this, editor] { storeIntoSelected(editor); };
        QObject::connect(editor, signal, editor, [changed] { Application::runGuarded(changed); });
    }

    ListBox* list_;
    ElementListModel<Fields>* lines_;
    std::vector<Binding> bindings_;
};
