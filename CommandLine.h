#pragma once

#include <QString>

// The program's command line, read before any window or display is needed.
namespace CommandLine {

struct Request {
    enum class Action { OpenWindow, ShowHelp, ShowVersion, RefuseUsage };
    Action action = Action::OpenWindow;
    // OpenWindow: the file to open at start-up, empty for none.
    QString fileName;
    // RefuseUsage: what is wrong with the command line.
    QString problem;
};

// Reads the arguments that follow the program's name.
Request parse(int argc, char** argv);

// Prints the answer to a request that opens no window and returns the program's exit code.
int answer(const Request& request);

} // namespace CommandLine
