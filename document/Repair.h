#pragma once

#include "document/xml/Errors.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>
#include <utility>

// The three faults that hand-written and older extension files carry while their meaning stays plain.
struct Repair {
    enum Kind { BareAmpersand, DeclarationVersion, OlderRoot };
    Kind kind;
    // Where the fault starts in the original text, counted from 1; the column in characters.
    int line;
    int column;

    // What the repair changes, as "a bare & becomes &amp;".
    QString change() const;
    // The change with its place, as "line 3, column 42: a bare & becomes &amp;".
    QString placedChange() const;
};

struct RepairedText {
    QByteArray text;
    QList<Repair> repairs;
};

// A file refused only for faults that a repair puts right: the refusal, with the repaired text.
class RepairableError : public PlacedError {
public:
    RepairableError(const PlacedError& refusal, RepairedText repaired)
        : PlacedError(refusal.message(), refusal.reason(), refusal.place()), repaired_(std::move(repaired)) {}
    const RepairedText& repaired() const { return repaired_; }

private:
    RepairedText repaired_;
};

// The offer to open a repaired copy of a refused file: the refusal, then one line per repair, the
// lines past the first few summed up as "and N more".
QString repairOffer(const QString& refusal, const QList<Repair>& repairs);

// Text with every bare & (outside CDATA sections, comments and processing instructions, and not starting a
// reference) written &amp;, an XML declaration's version 1.0.0 written 1.0 and the root macromedia-package
// renamed macromedia-extension. Nothing else changes. Nullopt when the text has none of these faults, or
// when the repaired text is still not well-formed XML with the root macromedia-extension.
std::optional<RepairedText> repairedText(const QByteArray& text);
