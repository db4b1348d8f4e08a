#pragma once

#include <QLabel>
#include <QLineEdit>

// Qt's line edits cut their text at 32,767 characters; an edit box of the program keeps any value whole.
void keepAnyLength(QLineEdit* edit);

// A one-line edit with its caption just above it; it keeps any length of text.
class LabeledEdit : public QLineEdit {
public:
    LabeledEdit(const QString& caption, QWidget* parent);

    // Places the edit and its caption, which ends three pixels above the edit.
    void place(int left, int top, int width, int height);

    QLabel* EditLabel;
};
