#pragma once

#include <QString>
#include <QStringList>

// The platform's shell and beep, which tests can record instead.
namespace Shell {

// Opens a web address or file in the user's default application; returns whether it could.
bool ShellOpen(const QString& target);
void Beep();

struct Recorder {
    QStringList opened;
    int beeps = 0;
};
// While a recorder is set, calls are recorded instead of reaching the platform.
void recordInto(Recorder* recorder);

} // namespace Shell
