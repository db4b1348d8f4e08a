#include "window/MessageBoxes.h"

#include "window/CursorOverride.h"

#include <QApplication>

namespace MessageBoxes {

namespace {

QList<Message>* recorded = nullptr;

void show(const QString& text, QMessageBox::Icon icon) {
    const Message message{text, QApplication::applicationName(), icon};
    if (recorded) {
        recorded->append(message);
        return;
    }
    const CursorOverride arrow(Qt::ArrowCursor);
    QMessageBox box(message.icon, message.title, message.text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

} // namespace

void showError(const QString& message) { show(withFullStop(message), QMessageBox::Critical); }

void showText(const QString& text) { show(text, QMessageBox::NoIcon); }

QString withFullStop(const QString& message) {
    if (!message.isEmpty() && message.back() > QChar('.'))
        return message + '.';
    return message;
}

void recordInto(QList<Message>* messages) { recorded = messages; }

} // namespace MessageBoxes
