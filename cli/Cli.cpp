#include "cli/Cli.h"

#include "cli/Check.h"
#include "cli/Format.h"
#include "cli/InputFile.h"
#include "cli/Refusal.h"
#include "document/ExtensionFile.h"
#include "document/FileNames.h"
#include "document/RegularFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cstring>
#include <variant>

namespace cli {

namespace {

const QString formatMode = QStringLiteral("--format");
const QString checkMode = QStringLiteral("--check");
const QString standardInput = QStringLiteral("-");
const QString standardInputName = QStringLiteral("<stdin>");

enum ExitCode { Success = 0, Failure = 1, BadUsage = 2 };

struct Options {
    bool format = false;
    bool toStandardOutput = false;
    bool strict = false;
    bool quiet = false;
    QStringList files;
};

struct Streams {
    QIODevice& input;
    QIODevice& output;
    QIODevice& errors;
};

// The options, or the reason they make no sense.
std::variant<Options, QString> parseArguments(const QStringList& arguments) {
    Options options;
    options.format = arguments.value(0) == formatMode;
    if (!options.format && arguments.value(0) != checkMode)
        return QStringLiteral("expected %1 or %2").arg(formatMode, checkMode);
    bool optionsEnded = false;
    for (const QString& argument : arguments.mid(1)) {
        if (optionsEnded || argument == standardInput || !argument.startsWith('-'))
            options.files.append(argument);
        else if (argument == QLatin1String("--"))
            optionsEnded = true;
        else if (options.format && argument == QLatin1String("--stdout"))
            options.toStandardOutput = true;
        else if (!options.format && argument == QLatin1String("--strict"))
            options.strict = true;
        else if (!options.format && argument == QLatin1String("--quiet"))
            options.quiet = true;
        else
            return QStringLiteral("unknown option %1 for %2").arg(argument, arguments[0]);
    }
    if (options.files.isEmpty())
        return QStringLiteral("%1 needs at least one FILE").arg(arguments[0]);
    if (options.toStandardOutput && options.files.size() > 1)
        return QStringLiteral("--stdout takes exactly one FILE");
    return options;
}

QByteArray readInput(const QString& file, Streams& streams) {
    return file == standardInput ? readTextStream(streams.input) : readRegularTextFile(file);
}

QString displayName(const QString& file) {
    return file == standardInput ? standardInputName : file;
}

// Messages stand on one line each; some of the parser's go on with the text they stopped at.
QByteArray firstLine(const QString& message) {
    const qsizetype end = message.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    return message.left(end).toUtf8();
}

QByteArray placed(const QString& file, Place place) {
    QString text = displayName(file) + ':';
    if (place.line > 0)
        text += QString::number(place.line) + ':';
    return fileNameBytes(text);
}

// In place unless the text goes to the output, where it goes piece by piece; a file already in the
// saved layout keeps its bytes and modification time.
void formatFile(const QString& file, const Options& options, Streams& streams) {
    const auto toOutput = [&streams](const QByteArray& piece) { streams.output.write(piece); };
    if (file == standardInput) {
        formatText(readInput(file, streams), standardInputName, {}, toOutput);
        return;
    }
    const QString absolute = QFileInfo(file).absoluteFilePath();
    if (options.toStandardOutput) {
        formatRegularFile(file, absolute, toOutput);
        return;
    }
    const QByteArray text = readInput(file, streams);
    QByteArray formatted;
    formatText(text, file, absolute, [&formatted](const QByteArray& piece) { formatted += piece; });
    if (formatted != text)
        writeSavedFile(file, formatted, text);
}

int runFormat(const Options& options, Streams& streams) {
    int exitCode = Success;
    for (const QString& file : options.files) {
        try {
            formatFile(file, options, streams);
        } catch (const Error& error) {
            const auto* refusal = dynamic_cast<const Refusal*>(&error);
            streams.errors.write(placed(file, refusal ? refusal->place() : Place()) + ' ' + firstLine(error.message()) +
                                 '\n');
            exitCode = Failure;
        }
    }
    return exitCode;
}

QList<Finding> checkFile(const QString& file, Streams& streams) {
    try {
        if (file == standardInput)
            return checkText(readTextStream(streams.input), standardInputName, QStringLiteral("."));
        return checkRegularFile(file, QFileInfo(file).path());
    } catch (const Refusal& refusal) {
        return {{refusal.place(), true, refusal.message()}};
    }
}

QByteArray findingLine(const QString& file, const Finding& finding) {
    QByteArray line = placed(file, finding.place);
    if (finding.place.line > 0)
        line += QByteArray::number(finding.place.column) + ':';
    return line + (finding.isError ? " error: " : " warning: ") + firstLine(finding.message) + '\n';
}

int runCheck(const Options& options, Streams& streams) {
    bool failed = false;
    for (const QString& file : options.files) {
        for (const Finding& finding : checkFile(file, streams)) {
            failed = failed || finding.isError || options.strict;
            if (!options.quiet)
                streams.errors.write(findingLine(file, finding));
        }
    }
    return failed ? Failure : Success;
}

} // namespace

bool isHeadless(int argc, char** argv) {
    return argc > 1 && (std::strcmp(argv[1], "--format") == 0 || std::strcmp(argv[1], "--check") == 0);
}

int run(int argc, char** argv) {
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
    return run(arguments, input, output, errors);
}

int run(const QStringList& arguments, QIODevice& input, QIODevice& output, QIODevice& errors) {
    Streams streams{input, output, errors};
    const auto parsed = parseArguments(arguments);
    if (const auto* problem = std::get_if<QString>(&parsed)) {
        errors.write("parcelwright: " + problem->toUtf8() + '\n' + usageText().toUtf8());
        return BadUsage;
    }
    const Options& options = std::get<Options>(parsed);
    return options.format ? runFormat(options, streams) : runCheck(options, streams);
}

QString usageText() {
    return QStringLiteral(
               "parcelwright --format [--stdout] FILE...\n"
               "    Rewrites each FILE as the editor's Save writes it after Load, in place and only when it changes;\n"
               "    with --stdout the one FILE's text goes to standard output and nothing is written.\n"
               "parcelwright --check [--strict] [--quiet] FILE...\n"
               "    Reports FILE:LINE:COLUMN: error|warning: message for each problem; --strict fails on warnings,\n"
               "    --quiet prints nothing.\n"
               "A FILE of - is standard input. Exit status: 0 done, 1 a file refused or in error, 2 bad usage.\n"
               "Files larger than %1 MB, folders, pipes, devices and binary data are refused.\n")
        .arg(maxFileBytes >> 20);
}

} // namespace cli
