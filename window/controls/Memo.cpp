#include "window/controls/Memo.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>

#include <algorithm>

namespace {

// A block format property: the line break that stands before the block ("" for a block that
// continues the line of the block before). Absent for "\n", so that a box of short lines has none.
constexpr int lineBreakProperty = QTextFormat::UserProperty;
const QString lineFeed = QStringLiteral("\n");
// Layout time of a block grows with the square of its longest unbroken run; this keeps it short.
constexpr qsizetype pieceLength = 4096;

QTextBlockFormat blockAfter(const QString& lineBreak) {
    QTextBlockFormat format;
    if (lineBreak != lineFeed)
        format.setProperty(lineBreakProperty, lineBreak);
    return format;
}

QString lineBreakBefore(const QTextBlock& block) {
    const QTextBlockFormat format = block.blockFormat();
    return format.hasProperty(lineBreakProperty) ? format.stringProperty(lineBreakProperty) : lineFeed;
}

bool continuesLine(const QTextBlock& block) {
    return lineBreakBefore(block).isEmpty();
}

// Length of the line break that starts at index, 0 where none does. These are the characters that
// QTextCursor::insertText would turn into a new block; a typed or pasted text breaks at U+2028 too.
qsizetype lineBreakLength(QStringView text, qsizetype index, bool typed) {
    switch (text[index].unicode()) {
    case u'\r':
        return index + 1 < text.size() && text[index + 1] == u'\n' ? 2 : 1;
    case u'\n':
    case QChar::ParagraphSeparator:
    case 0xFDD0: // the document's frame marks
    case 0xFDD1:
        return 1;
    case QChar::LineSeparator:
        return typed ? 1 : 0;
    default:
        return 0;
    }
}

bool holdsLineBreak(QStringView text) {
    for (qsizetype index = 0; index < text.size(); ++index) {
        if (lineBreakLength(text, index, true) > 0)
            return true;
    }
    return false;
}

// Where the first piece of a long line ends: after its last space in the second half, so that the
// seam falls where the box would wrap anyway; else at the full length, never inside a surrogate pair.
qsizetype pieceEnd(QStringView line) {
    const qsizetype space = line.first(pieceLength).lastIndexOf(u' ');
    if (space >= pieceLength / 2)
        return space + 1;
    return line[pieceLength - 1].isHighSurrogate() ? pieceLength - 1 : pieceLength;
}

void insertLine(QTextCursor& cursor, QStringView line) {
    while (line.size() > pieceLength) {
        const qsizetype end = pieceEnd(line);
        cursor.insertText(line.first(end).toString());
        cursor.insertBlock(blockAfter(QString()));
        line = line.sliced(end);
    }
    cursor.insertText(line.toString());
}

// Inserts text at the cursor; a typed text's line breaks are all "\n", a given text's are kept.
void insertText(QTextCursor& cursor, QStringView text, bool typed) {
    qsizetype lineStart = 0;
    for (qsizetype index = 0; index < text.size();) {
        const qsizetype length = lineBreakLength(text, index, typed);
        if (length == 0) {
            ++index;
            continue;
        }
        insertLine(cursor, text.sliced(lineStart, index - lineStart));
        cursor.insertBlock(blockAfter(typed ? lineFeed : text.sliced(index, length).toString()));
        index += length;
        lineStart = index;
    }
    insertLine(cursor, text.sliced(lineStart));
}

} // namespace

Memo::Memo(const QRect& place, QWidget* parent) : QPlainTextEdit(parent) {
    setGeometry(place);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
}

QString Memo::text() const {
    return textBetween(0, document()->characterCount() - 1);
}

void Memo::setText(const QString& text) {
    setPlainText(QString());
    document()->setUndoRedoEnabled(false);
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    insertText(cursor, text, false);
    cursor.endEditBlock();
    document()->setUndoRedoEnabled(true);
    document()->setModified(false);
    setTextCursor(QTextCursor(document()));
}

void Memo::placeCursorAt(qsizetype textPosition) {
    QTextBlock block = document()->firstBlock();
    qsizetype remaining = textPosition;
    while (block.next().isValid() && remaining > block.length() - 1) {
        remaining -= block.length() - 1 + lineBreakBefore(block.next()).size();
        block = block.next();
        remaining = std::max<qsizetype>(remaining, 0); // inside a two-character line break
    }
    QTextCursor cursor(document());
    cursor.setPosition(block.position() + int(std::min<qsizetype>(remaining, block.length() - 1)));
    setTextCursor(cursor);
}

QString Memo::textBetween(int from, int to) const {
    QString text;
    text.reserve(to - from);
    for (QTextBlock block = document()->findBlock(from); block.isValid() && block.position() <= to;
         block = block.next()) {
        if (block.position() > from)
            text += lineBreakBefore(block);
        const int start = std::max(from - block.position(), 0);
        const int end = std::min(to - block.position(), block.length() - 1);
        text += QStringView(block.text()).sliced(start, end - start);
    }
    return text;
}

void Memo::insertTyped(const QString& text) {
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    insertText(cursor, text, true);
    cursor.endEditBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
}

void Memo::leaveSeam(bool backwards) {
    QTextCursor cursor = textCursor();
    if (cursor.hasSelection())
        return;
    if (backwards) {
        while (cursor.atBlockStart() && continuesLine(cursor.block()) &&
               cursor.movePosition(QTextCursor::PreviousCharacter)) {
        }
    } else {
        while (cursor.atBlockEnd() && continuesLine(cursor.block().next()) &&
               cursor.movePosition(QTextCursor::NextCharacter)) {
        }
    }
    setTextCursor(cursor);
}

void Memo::keyPressEvent(QKeyEvent* event) {
    if (!isReadOnly() &&
        (event->matches(QKeySequence::InsertParagraphSeparator) || event->matches(QKeySequence::InsertLineSeparator))) {
        insertTyped(lineFeed);
        return;
    }
    if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete)
        leaveSeam(event->key() == Qt::Key_Backspace);
    QPlainTextEdit::keyPressEvent(event);
}

// Text an input method (or the menu of Unicode control characters) commits goes in as typed text
// when it holds a line break, so the break is one whatever block the cursor stands in.
void Memo::inputMethodEvent(QInputMethodEvent* event) {
    const QString committed = event->commitString();
    const bool plainCommit = event->preeditString().isEmpty() && event->replacementLength() == 0;
    if (!isReadOnly() && plainCommit && holdsLineBreak(committed)) {
        insertTyped(committed);
        event->accept();
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

QMimeData* Memo::createMimeDataFromSelection() const {
    const QTextCursor cursor = textCursor();
    auto* data = new QMimeData;
    data->setText(textBetween(cursor.selectionStart(), cursor.selectionEnd()));
    return data;
}

void Memo::insertFromMimeData(const QMimeData* source) {
    if (source->hasText())
        insertTyped(source->text());
}
