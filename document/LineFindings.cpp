#include "document/LineFindings.h"

#include "document/Mxi.h"

#include <utility>

LineFindings::LineFindings(ElementLines& lines, QString listName, QString elementName, Check check,
                           ExtensionFindings::PlaceOf placeOf, std::function<void()> changed)
    : QObject(&lines), lines_(lines), listName_(std::move(listName)), elementName_(std::move(elementName)),
      check_(std::move(check)), placeOf_(std::move(placeOf)), changed_(std::move(changed)) {
    scratch_.activate();
    connect(&lines, &QAbstractItemModel::modelReset, this, &LineFindings::showAll);
    connect(&lines, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& top, const QModelIndex& bottom) { checkRows(top.row(), bottom.row()); });
    connect(&lines, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex&, int first, int last) {
        shown_.insert(shown_.begin() + first, size_t(last - first + 1), Line());
        checkRows(first, last);
    });
    connect(&lines, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex&, int first, int last) { removing(first, last); });
    connect(&lines, &QAbstractItemModel::rowsRemoved, this, [this] { changed_(); });
    showAll();
}

QList<ExtensionFindings::Finding> LineFindings::findings() const {
    QList<ExtensionFindings::Finding> findings;
    for (const Line& line : shown_)
        findings.append(line.findings);
    return findings;
}

std::optional<QStringList> LineFindings::messagesAt(int row) const {
    // Views may ask about a line inserted a moment before this hears of it.
    if (size_t(row) >= shown_.size() || !shown_[size_t(row)].copy)
        return std::nullopt;
    QStringList messages;
    for (const ExtensionFindings::Finding& finding : shown_[size_t(row)].findings)
        messages.append(finding.message);
    return messages;
}

int LineFindings::rowOf(const XmlNode& element) const {
    for (int row = 0; row < int(shown_.size()); ++row) {
        if (shown_[size_t(row)].copy == element || lines_.elementAt(row) == element)
            return row;
    }
    return -1;
}

void LineFindings::checkAgain() {
    for (int row = 0; row < int(shown_.size()); ++row) {
        if (shown_[size_t(row)].copy)
            checkLine(row);
    }
}

// A list shown afresh shows its elements as they are: the document's findings stand for every line.
void LineFindings::showAll() {
    replaced_.clear();
    shown_.assign(size_t(lines_.rowCount()), Line());
    scratch_.activate();
    changed_();
}

void LineFindings::checkRows(int first, int last) {
    for (int row = first; row <= last; ++row)
        checkLine(row);
    changed_();
}

void LineFindings::checkLine(int row) {
    Line& line = shown_[size_t(row)];
    forget(line);
    const XmlNode element = lines_.elementAt(row);
    if (!lines_.differs(row)) {
        replaced_.remove(element);
        return;
    }
    if (element)
        replaced_.insert(element);
    line.root = scratch_.documentNode().appendChild(scratch_.createElement(Mxi::Root));
    const XmlNode list = line.root.appendChild(scratch_.createElement(listName_));
    line.copy = lines_.writeCopy(row, scratch_, list, elementName_);
    const Place place = element ? placeOf_(element) : Place{};
    for (const ExtensionRules::Warning& warning : check_(line.root)) {
        if (warning.element == line.copy)
            line.findings.append({line.copy, place, warning.message});
    }
}

void LineFindings::forget(Line& line) {
    if (line.root)
        scratch_.documentNode().removeChild(line.root);
    line = Line();
}

void LineFindings::removing(int first, int last) {
    for (int row = first; row <= last; ++row) {
        if (const XmlNode element = lines_.elementAt(row))
            replaced_.insert(element);
        forget(shown_[size_t(row)]);
    }
    shown_.erase(shown_.begin() + first, shown_.begin() + last + 1);
}
