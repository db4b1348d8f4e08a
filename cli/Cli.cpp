#include "cli/Cli.h"

#include "cli/Check.h"
#include "cli/CommandLine.h"
#include "cli/Format.h"
#include "cli/InputFile.h"
#include "cli/Repair.h"
#include "cli/Reporting.h"
#include "document/ExtensionFile.h"
#include "document/xml/FileNames.h"
#include "document/xml/RegularFile.h"
#include "support/VersionInfoReader.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <variant>

namespace cli {

namespace {

const QString standardInput = QStringLiteral("-");
const QString standardInputName = QStringLiteral("<stdin>");

enum ExitCode { Success = 0, Failure = 1, BadUsage = 2 };

struct Streams {
    QIODevice& input;
    QIODevice& output;
    QIODevice& errors;
};

QByteArray readInput(const QString& file, Streams& streams) {
    return file == standardInput ? readTextStream(streams.input) : readRegularFile(file);
}

QString displayName(const QString& file) {
    return file == standardInput ? standardInputName : file;
}

// Messages stand on one line each; some of the parser's go on with the text they stopped at.
QByteArray firstLine(const QString& message) {
    const auto end = std::find_if(message.begin(), message.end(), [](QChar c) { return c == '\r' || c == '\n'; });
    return message.first(end - message.begin()).toUtf8();
}

// FILE:LINE:COLUMN: error|warning: message, the place left out as far as it is unknown.
QByteArray diagnostic(const QString& file, Place place, bool isError, const QString& message) {
    QString text = displayName(file) + ':';
    if (place.line > 0)
        text += QString::number(place.line) + ':';
    if (place.line > 0 && place.column > 0)
        text += QString::number(place.column) + ':';
    return fileNameBytes(text) + (isError ? " error: " : " warning: ") + firstLine(message) + '\n';
}

// In place unless the text goes to the output, where it goes piece by piece; a file already in the
// saved layout keeps its bytes and modification time.
void formatFile(const QString& file, const Request& request, Streams& streams) {
    const auto toOutput = [&streams](const QByteArray& piece) { streams.output.write(piece); };
    if (file == standardInput) {
        formatText(readInput(file, streams), standardInputName, {}, toOutput);
        return requireFlushed(streams.output);
    }
    const QString absolute = QFileInfo(file).absoluteFilePath();
    if (request.toStandardOutput) {
        formatRegularFile(file, absolute, toOutput);
        return requireFlushed(streams.output);
    }
    const QByteArray text = readInput(file, streams);
    QByteArray formatted;
    formatText(text, file, absolute, [&formatted](const QByteArray& piece) { formatted += piece; });
    if (formatted != text)
        writeSavedFile(file, formatted, text);
}

int runFormat(const Request& request, Streams& streams) {
    int exitCode = Success;
    for (const QString& file : request.files) {
        try {
            formatFile(file, request, streams);
        } catch (const Error& error) {
            const auto [place, message] = failureOf(error);
            streams.errors.write(diagnostic(file, place, true, message));
            exitCode = Failure;
        }
    }
    return exitCode;
}

QList<Finding> checkFile(const QString& file, Streams& streams) {
    if (file == standardInput)
        return checkText(readTextStream(streams.input), standardInputName, QStringLiteral("."));
    return checkRegularFile(file, QFileInfo(file).path());
}

int runCheck(const Request& request, Streams& streams) {
    bool failed = false;
    for (const QString& file : request.files) {
        for (const Finding& finding : checkFile(file, streams)) {
            failed = failed || finding.isError || request.strict;
            if (!request.quiet)
                streams.errors.write(diagnostic(file, finding.place, finding.isError, finding.message));
        }
    }
    return failed ? Failure : Success;
}

void print(QIODevice& stream, const QString& text) {
    stream.write(text.toUtf8());
}

QString outputFailure(const QString& reason) {
    return QStringLiteral("parcelwright: cannot write to standard output: %1\n").arg(reason);
}

int runRequest(const Request& request, Streams& streams, const OpenWindow& openWindow) {
    // A reader that goes away makes a write fail, which is reported, instead of ending the program unheard.
    if (request.mode != Request::Mode::Window)
        std::signal(SIGPIPE, SIG_IGN);
    switch (request.mode) {
    case Request::Mode::Window:
        return openWindow(request.files.value(0));
    case Request::Mode::Help:
        print(streams.output, helpText());
        return Success;
    case Request::Mode::Version:
        print(streams.output,
              QStringLiteral("parcelwright %1\n").arg(TVersionInfoReader().GetValue(QStringLiteral("fileversion"))));
        return Success;
    case Request::Mode::Format:
        return runFormat(request, streams);
    case Request::Mode::Check:
        return runCheck(request, streams);
    case Request::Mode::Repair:
        return runRepair(request.files, request.toStandardOutput, streams.input, streams.output, streams.errors);
    }
    return Failure;
}

} // namespace

int run(int argc, char** argv, const OpenWindow& openWindow) {
    // Nothing here needs a QCoreApplication, whose construction would cost a tenth of a small file's time.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(fileNameFromBytes(argv[i]));
    QFile input;
    QFile output;
    QFile errors;
    input.open(stdin, QIODevice::ReadOnly);
    output.open(stdout, QIODevice::WriteOnly);
    errors.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    int exitCode = run(arguments, input, output, errors, openWindow);
    output.close();
    // Closing is the last write, where some file systems report what went wrong.
    if (std::fclose(stdout) != 0 && exitCode == Success) {
        print(errors, outputFailure(qt_error_string()));
        exitCode = Failure;
    }
    return exitCode;
}

int run(const QStringList& arguments, QIODevice& input, QIODevice& output, QIODevice& errors,
        const OpenWindow& openWindow) {
    const auto parsed = parseCommandLine(arguments);
    if (const auto* problem = std::get_if<QString>(&parsed)) {
        print(errors, QStringLiteral("parcelwright: %1; see parcelwright --help\n").arg(*problem));
        return BadUsage;
    }
    Streams streams{input, output, errors};
    const int exitCode = runRequest(std::get<Request>(parsed), streams, openWindow);
    // A mode that failed has said why; a write to the output that failed unnoticed says so here.
    const bool outputReached = flushed(output);
    if (!outputReached && exitCode == Success)
        print(errors, outputFailure(output.errorString()));
    return outputReached && flushed(errors) ? exitCode : Failure;
}

} // namespace cli
