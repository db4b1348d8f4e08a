#include "CommandLine.h"

#include "cli/Cli.h"
#include "document/FileNames.h"
#include "support/VersionInfoReader.h"

#include <QStringList>

#include <cstdio>

namespace CommandLine {

namespace {

constexpr int usageExitCode = 2;
const QString usage = QStringLiteral("usage: parcelwright [FILE] | --help | --version");

QString helpText() {
    return QStringLiteral("Usage: parcelwright [FILE]\n"
                          "Edits extension installation files (.mxi) for Macromedia's Extension Manager.\n"
                          "\n"
                          "  FILE        open this file at start-up, as Load does\n"
                          "  --help      print this help and exit\n"
                          "  --version   print the version number and exit\n"
                          "\n"
                          "Without a window:\n") +
           cli::usageText();
}

void print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

Request refused(const QString& problem) {
    return {Request::Action::RefuseUsage, {}, problem};
}

} // namespace

Request parse(int argc, char** argv) {
    QStringList files;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const QString argument = fileNameFromBytes(argv[i]);
        if (optionsEnded || !argument.startsWith('-')) {
            files.append(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help") {
            return {Request::Action::ShowHelp, {}, {}};
        } else if (argument == "--version") {
            return {Request::Action::ShowVersion, {}, {}};
        } else {
            return refused(QStringLiteral("unknown option \"%1\"").arg(argument));
        }
    }
    if (files.size() > 1)
        return refused(QStringLiteral("one file at a time, %1 given").arg(files.size()));
    return {Request::Action::OpenWindow, files.value(0), {}};
}

int answer(const Request& request) {
    switch (request.action) {
    case Request::Action::ShowHelp:
        print(stdout, helpText());
        return 0;
    case Request::Action::ShowVersion:
        print(stdout,
              QStringLiteral("parcelwright %1\n").arg(TVersionInfoReader().GetValue(QStringLiteral("fileversion"))));
        return 0;
    case Request::Action::RefuseUsage:
        print(stderr, QStringLiteral("parcelwright: %1; %2\n").arg(request.problem, usage));
        return usageExitCode;
    case Request::Action::OpenWindow:
        break;
    }
    return 0;
}

} // namespace CommandLine
