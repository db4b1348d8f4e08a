#pragma once

#include <QList>
#include <QMessageBox>
#include <QString>

#include <memory>

class QDialog;

// Every message the program shows goes through here, so that tests can read them instead.
// Messages are plain text: a file's content that looks like markup shows as the characters it is.
namespace MessageBoxes {

struct Message {
    QString text;
    QString title;
    QMessageBox::Icon icon;
};

// The standard error box: error icon, OK button, the application title, the message with a full
// stop appended when its last character comes after "." in character order.
void showError(const QString& message);
// A plain box with an OK button, titled with the application title. It fits the screen and
// scrolls a long text.
void showText(const QString& text);

// The offer to open a repaired copy of a refused file, with a warning icon and the buttons Open repaired
// (the default) and Cancel; true for Open repaired. While messages are recorded, the offer is recorded
// and answered as answerOffersWith says, Open repaired unless told otherwise.
bool offerRepair(const QString& text);
void answerOffersWith(bool openRepaired);

// Asks whether the existing file FileName may be replaced: true for Yes. No is the default button and
// the answer to Escape.
bool askToReplace(const QString& fileName);
// Asks the question Text with the buttons Yes and No: true for Yes. No is the default and the answer to Escape.
bool askYesOrNo(const QString& text);
// Asks "Save changes to DocumentName?" before unsaved changes would be lost, with the buttons Save (the
// default), Discard (Alt+D) and Cancel (Escape); returns the button chosen.
QMessageBox::StandardButton askToSaveChanges(const QString& documentName);
// While messages are recorded, the questions above are recorded too and take these answers in turn;
// once they are used up, each takes the answer of Escape: No or Cancel.
void answerQuestionsWith(const QList<QMessageBox::StandardButton>& answers);

QString withFullStop(const QString& message);

// While a list is set, messages are appended to it instead of being shown.
void recordInto(QList<Message>* messages);

// The boxes that showError, the questions and showText run, not yet shown.
std::unique_ptr<QMessageBox> newErrorBox(const QString& text);
std::unique_ptr<QMessageBox> newReplaceQuestion(const QString& fileName);
std::unique_ptr<QMessageBox> newYesOrNoQuestion(const QString& text);
std::unique_ptr<QMessageBox> newSaveChangesQuestion(const QString& documentName);
std::unique_ptr<QDialog> newTextBox(const QString& text);
std::unique_ptr<QMessageBox> newRepairOfferBox(const QString& text);

} // namespace MessageBoxes
