#pragma once

#include <QString>
#include <QStringList>

class QIODevice;

// The modes that run without a window: --format, --check and --repair.
namespace cli {

// True when the first argument asks for one of these modes.
bool isHeadless(int argc, char** argv);
// Runs that mode on the process's standard streams; returns the exit code.
int run(int argc, char** argv);
// The same on given arguments, the program's name left out, and given streams.
int run(const QStringList& arguments, QIODevice& input, QIODevice& output, QIODevice& errors);

// The lines of --help that describe these modes.
QString usageText();

} // namespace cli
