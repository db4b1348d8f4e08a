#include "window/dialogs/MessageBoxes.h"

#include "window/application/CursorOverride.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace MessageBoxes {

namespace {

QList<Message>* recorded = nullptr;
bool recordedOfferAnswer = true;
QList<QMessageBox::StandardButton> scriptedAnswers;

QString title() {
    return QApplication::applicationName();
}

// True when the message went to the test's list instead of the screen.
bool record(const Message& message) {
    if (recorded)
        recorded->append(message);
    return recorded;
}

QString longestLine(const QString& text) {
    QStringView longest;
    for (const QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        if (line.size() > longest.size())
            longest = line;
    }
    return longest.toString();
}

// The size that shows the whole text in the view, bounded by the screen's free area: beyond it the
// view scrolls. Around the view the box needs the room given as frame.
QSize textBoxSize(const QPlainTextEdit& view, const QString& text, const QSize& frame) {
    const QFontMetrics metrics(view.font());
    const int margins = 2 * (view.frameWidth() + int(view.document()->documentMargin())) +
                        view.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int lines = int(text.count(QLatin1Char('\n'))) + 1;
    const QSize whole(metrics.horizontalAdvance(longestLine(text)) + margins, lines * metrics.lineSpacing() + margins);
    return (whole + frame).boundedTo(QApplication::primaryScreen()->availableSize() * 9 / 10);
}

// A long file name is one word, which widens a box past a small screen: the box shows the characters of
// a long word with a break opportunity (U+200B) between them. Screen readers read the text as it is.
void setBreakableText(QMessageBox& box, const QString& text) {
    static const QRegularExpression longWord(QStringLiteral("\\S{40,}"));
    QString shown = text;
    QRegularExpressionMatchIterator words = longWord.globalMatch(text);
    for (qsizetype inserted = 0; words.hasNext();) {
        const QRegularExpressionMatch word = words.next();
        for (qsizetype at = word.capturedStart() + 1; at < word.capturedEnd(); ++at) {
            if (!text[at].isLowSurrogate())
                shown.insert(at + inserted++, QChar(0x200B));
        }
    }
    box.setText(shown);
    box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->setAccessibleName(text);
}

std::unique_ptr<QMessageBox> newBox(QMessageBox::Icon icon, const QString& text, QMessageBox::StandardButtons buttons) {
    auto box = std::make_unique<QMessageBox>(icon, title(), QString(), buttons, QApplication::activeWindow());
    box->setTextFormat(Qt::PlainText);
    setBreakableText(*box, text);
    return box;
}

// Shows the question Box, whose text is Text, and returns the button chosen; while messages are
// recorded, records it and answers as the test said, or as Escape does, which changes nothing.
QMessageBox::StandardButton ask(const QString& text, const std::unique_ptr<QMessageBox>& box) {
    if (record({text, title(), box->icon()}))
        return scriptedAnswers.isEmpty() ? box->standardButton(box->escapeButton()) : scriptedAnswers.takeFirst();
    const CursorOverride arrow(Qt::ArrowCursor);
    return QMessageBox::StandardButton(box->exec());
}

QString replaceQuestion(const QString& fileName) {
    return QStringLiteral("\"%1\" already exists.\nDo you want to replace it?").arg(fileName);
}

QString saveChangesQuestion(const QString& documentName) {
    return QStringLiteral("Save changes to %1?").arg(documentName);
}

} // namespace

void showError(const QString& message) {
    const QString text = withFullStop(message);
    if (record({text, title(), QMessageBox::Critical}))
        return;
    const CursorOverride arrow(Qt::ArrowCursor);
    newErrorBox(text)->exec();
}

void showText(const QString& text) {
    if (record({text, title(), QMessageBox::NoIcon}))
        return;
    const CursorOverride arrow(Qt::ArrowCursor);
    newTextBox(text)->exec();
}

bool offerRepair(const QString& text) {
    if (record({text, title(), QMessageBox::Warning}))
        return recordedOfferAnswer;
    const CursorOverride arrow(Qt::ArrowCursor);
    const std::unique_ptr<QMessageBox> box = newRepairOfferBox(text);
    box->exec();
    return box->buttonRole(box->clickedButton()) == QMessageBox::AcceptRole;
}

void answerOffersWith(bool openRepaired) {
    recordedOfferAnswer = openRepaired;
}

QString withFullStop(const QString& message) {
    if (!message.isEmpty() && message.back() > QChar('.'))
        return message + '.';
    return message;
}

void recordInto(QList<Message>* messages) {
    recorded = messages;
    recordedOfferAnswer = true;
    scriptedAnswers.clear();
}

std::unique_ptr<QMessageBox> newErrorBox(const QString& text) {
    return newBox(QMessageBox::Critical, text, QMessageBox::Ok);
}

bool askToReplace(const QString& fileName) {
    return ask(replaceQuestion(fileName), newReplaceQuestion(fileName)) == QMessageBox::Yes;
}

bool askYesOrNo(const QString& text) {
    return ask(text, newYesOrNoQuestion(text)) == QMessageBox::Yes;
}

QMessageBox::StandardButton askToSaveChanges(const QString& documentName) {
    return ask(saveChangesQuestion(documentName), newSaveChangesQuestion(documentName));
}

void answerQuestionsWith(const QList<QMessageBox::StandardButton>& answers) {
    scriptedAnswers = answers;
}

std::unique_ptr<QMessageBox> newReplaceQuestion(const QString& fileName) {
    return newYesOrNoQuestion(replaceQuestion(fileName));
}

std::unique_ptr<QMessageBox> newYesOrNoQuestion(const QString& text) {
    auto box = newBox(QMessageBox::Warning, text, QMessageBox::Yes | QMessageBox::No);
    box->setDefaultButton(QMessageBox::No);
    box->setEscapeButton(QMessageBox::No);
    return box;
}

// Qt names the buttons after the desktop's conventions; these captions give Discard its Alt+D.
std::unique_ptr<QMessageBox> newSaveChangesQuestion(const QString& documentName) {
    auto box = newBox(QMessageBox::Warning, saveChangesQuestion(documentName),
                      QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    box->button(QMessageBox::Save)->setText(QStringLiteral("&Save"));
    box->button(QMessageBox::Discard)->setText(QStringLiteral("&Discard"));
    box->setDefaultButton(QMessageBox::Save);
    box->setEscapeButton(QMessageBox::Cancel);
    return box;
}

std::unique_ptr<QMessageBox> newRepairOfferBox(const QString& text) {
    auto box = std::make_unique<QMessageBox>(QMessageBox::Warning, title(), text, QMessageBox::NoButton,
                                             QApplication::activeWindow());
    box->setTextFormat(Qt::PlainText);
    box->setDefaultButton(box->addButton(QStringLiteral("Open repaired"), QMessageBox::AcceptRole));
    box->addButton(QMessageBox::Cancel);
    box->setEscapeButton(QMessageBox::Cancel);
    return box;
}

std::unique_ptr<QDialog> newTextBox(const QString& text) {
    auto box = std::make_unique<QDialog>(QApplication::activeWindow());
    box->setWindowTitle(title());
    auto* view = new QPlainTextEdit(box.get());
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    view->setPlainText(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, box.get());
    QObject::connect(buttons, &QDialogButtonBox::accepted, box.get(), &QDialog::accept);
    auto* layout = new QVBoxLayout(box.get());
    layout->addWidget(view);
    layout->addWidget(buttons);
    const QMargins margins = layout->contentsMargins();
    const QSize frame(margins.left() + margins.right(),
                      margins.top() + margins.bottom() + layout->spacing() + buttons->sizeHint().height());
    box->resize(textBoxSize(*view, text, frame));
    return box;
}

} // namespace MessageBoxes
