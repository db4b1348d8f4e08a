#pragma once

#include <QObject>

class QComboBox;

// Up and Down on the closed type list pick the previous or next type, stepping over the group headings,
// so that the keyboard never lands on a heading (which the list refuses by clearing the type). The
// opened list keeps its own keys. Owned by the list.
class TypeListKeys : public QObject {
public:
    explicit TypeListKeys(QComboBox* typeList);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The nearest row from the current one in direction step (1 or -1) that is not a heading, or -1.
    int nearestType(int step) const;

    QComboBox* typeList_;
};
