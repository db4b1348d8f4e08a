#include "window/dialogs/Shell.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>

namespace Shell {

namespace {

Recorder* recorder = nullptr;

} // namespace

bool ShellOpen(const QString& target) {
    if (recorder) {
        recorder->opened.append(target);
        return true;
    }
    return QDesktopServices::openUrl(QUrl::fromUserInput(target));
}

void Beep() {
    if (recorder) {
        ++recorder->beeps;
        return;
    }
    QApplication::beep();
}

void recordInto(Recorder* newRecorder) { recorder = newRecorder; }

} // namespace Shell
