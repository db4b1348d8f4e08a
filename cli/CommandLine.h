#pragma once

#include <QString>
#include <QStringList>

#include <variant>

// The program's one command line: modes and options in any order, read before any window or display.
namespace cli {

struct Request {
    enum class Mode { Window, Help, Version, Format, Check, Repair };
    Mode mode = Mode::Window;
    bool toStandardOutput = false;
    bool strict = false;
    bool quiet = false;
    // Window: the file to open at start-up, if any; the other modes' files.
    QStringList files;
};

// The request made by the arguments that follow the program's name, or what is wrong with them, in
// one line.
std::variant<Request, QString> parseCommandLine(const QStringList& arguments);

// The usage and what every mode and option does.
QString helpText();

} // namespace cli
