#pragma once

#include <QLabel>
#include <QLineEdit>

// A one-line edit with its caption just above it.
class LabeledEdit : public QLineEdit {
public:
    LabeledEdit(const QString& caption, QWidget* parent);

    // Places the edit and its caption, which ends three pixels above the edit.
    void place(int left, int top, int width, int height);

    QLabel* EditLabel;
};
