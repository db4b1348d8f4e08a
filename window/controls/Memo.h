#pragma once

#include <QPlainTextEdit>

class QTextBlock;

// A multi-line text box that wraps long lines, has no scroll bars and hands the focus on with Tab.
// It holds its text exactly: the line breaks of a text it is given come back as they were, and a
// line break typed (Enter, Shift+Enter) or pasted is "\n". A line longer than a few thousand
// characters is held in several blocks that continue one another, so that only the blocks on
// screen are laid out: showing and editing cost the same for a text of any length.
class Memo : public QPlainTextEdit {
public:
    Memo(const QRect& place, QWidget* parent);

    QString text() const;
    // Replaces the text; the cursor goes to the start, nothing is left to undo and the document
    // counts as unmodified.
    void setText(const QString& text);
    // Puts the cursor before the character at this index of text().
    void placeCursorAt(qsizetype textPosition);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // The text between two positions of the document, the line breaks as the blocks record them.
    QString textBetween(int from, int to) const;
    // Inserts what the user typed or pasted at the cursor, as one step to undo.
    void insertTyped(const QString& text);
    // Moves the cursor off the seam between two blocks of one line, towards the side a deletion
    // of the key's direction works on.
    void leaveSeam(bool backwards);
};
