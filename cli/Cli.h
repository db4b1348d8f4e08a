#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QIODevice;

// The program's command line: the modes without a window (--format, --check, --repair), help and
// version, and what opens the window.
namespace cli {

// Opens the window, with FileName loaded when it is not empty; returns the exit code.
using OpenWindow = std::function<int(const QString& fileName)>;

// Runs what the command line asks for on the process's standard streams; returns the exit code.
int run(int argc, char** argv, const OpenWindow& openWindow);
// The same on given arguments, the program's name left out, and given streams.
int run(const QStringList& arguments, QIODevice& input, QIODevice& output, QIODevice& errors,
        const OpenWindow& openWindow = {});

} // namespace cli
