#include "cli/CommandLine.h"

#include "document/xml/RegularFile.h"

#include <QCommandLineParser>

namespace cli {

namespace {

using Mode = Request::Mode;

// A mode that works on files, with the options it takes.
struct FileMode {
    Mode mode;
    QString name;
    QStringList options;
};

const QList<FileMode>& fileModes() {
    static const QList<FileMode> modes = {
        {Mode::Format, QStringLiteral("format"), {QStringLiteral("stdout")}},
        {Mode::Check, QStringLiteral("check"), {QStringLiteral("strict"), QStringLiteral("quiet")}},
        {Mode::Repair, QStringLiteral("repair"), {QStringLiteral("stdout")}},
    };
    return modes;
}

const QString Help = QStringLiteral("help");
const QString Version = QStringLiteral("version");
const QString StandardInput = QStringLiteral("-");

Request requestFor(Mode mode) {
    Request request;
    request.mode = mode;
    return request;
}

QString dashed(const QString& name) {
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

QStringList modeOptions() {
    QStringList options;
    for (const FileMode& mode : fileModes()) {
        for (const QString& option : mode.options) {
            if (!options.contains(option))
                options.append(option);
        }
    }
    return options;
}

QString parserProblem(const QCommandLineParser& parser) {
    if (!parser.unknownOptionNames().isEmpty())
        return QStringLiteral("unknown option %1").arg(dashed(parser.unknownOptionNames().first()));
    QString problem = parser.errorText();
    problem[0] = problem[0].toLower();
    return problem.endsWith('.') ? problem.chopped(1) : problem;
}

// The modes that take Option, as the command line writes them.
QString modesTaking(const QString& option) {
    QStringList names;
    for (const FileMode& mode : fileModes()) {
        if (mode.options.contains(option))
            names.append(dashed(mode.name));
    }
    return names.join(QStringLiteral(" or "));
}

std::variant<Request, QString> fileModeRequest(const QCommandLineParser& parser, const FileMode* mode) {
    Request request = requestFor(mode ? mode->mode : Mode::Window);
    request.files = parser.positionalArguments();
    for (const QString& option : modeOptions()) {
        if (parser.isSet(option) && !(mode && mode->options.contains(option)))
            return QStringLiteral("%1 goes only with %2").arg(dashed(option), modesTaking(option));
    }
    request.toStandardOutput = parser.isSet(QStringLiteral("stdout"));
    request.strict = parser.isSet(QStringLiteral("strict"));
    request.quiet = parser.isSet(QStringLiteral("quiet"));
    if (!mode) {
        if (request.files.size() > 1)
            return QStringLiteral("the window opens one file at a time, %1 given").arg(request.files.size());
        if (request.files.contains(StandardInput))
            return QStringLiteral("the window cannot read standard input (- goes with --format, --check and --repair)");
        return request;
    }
    if (request.files.isEmpty())
        return QStringLiteral("%1 needs at least one FILE").arg(dashed(mode->name));
    if (request.toStandardOutput && request.files.size() > 1)
        return QStringLiteral("--stdout takes exactly one FILE");
    return request;
}

} // namespace

std::variant<Request, QString> parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addOption({{QStringLiteral("h"), Help}, QString()});
    parser.addOption({{QStringLiteral("v"), Version}, QString()});
    for (const FileMode& mode : fileModes())
        parser.addOption({mode.name, QString()});
    for (const QString& option : modeOptions())
        parser.addOption({option, QString()});
    // The parser takes the first argument for the program's name.
    if (!parser.parse(QStringList(QString()) + arguments))
        return parserProblem(parser);
    if (parser.isSet(Help))
        return requestFor(Mode::Help);
    if (parser.isSet(Version))
        return requestFor(Mode::Version);
    const FileMode* chosen = nullptr;
    for (const FileMode& mode : fileModes()) {
        if (!parser.isSet(mode.name))
            continue;
        if (chosen)
            return QStringLiteral("%1 and %2 cannot be combined").arg(dashed(chosen->name), dashed(mode.name));
        chosen = &mode;
    }
    return fileModeRequest(parser, chosen);
}

QString helpText() {
    return QStringLiteral(
               "Usage: parcelwright [FILE]\n"
               "  or:  parcelwright --format [--stdout] FILE...\n"
               "  or:  parcelwright --check [--strict] [--quiet] FILE...\n"
               "  or:  parcelwright --repair [--stdout] FILE...\n"
               "Edits extension installation files (.mxi) for Macromedia's Extension Manager.\n"
               "\n"
               "  FILE            open this file in the window at start-up, as Load does\n"
               "  --format        rewrite each FILE as the editor's Save writes it after Load, in place\n"
               "                  and only when it changes\n"
               "    --stdout      print the one FILE's text instead; nothing is written\n"
               "  --check         report FILE:LINE:COLUMN: error|warning: message for each fault, each\n"
               "                  warning worded as its fix\n"
               "    --strict      fail on warnings too\n"
               "    --quiet       print nothing; the exit status tells\n"
               "  --repair        put right a bare &, XML version 1.0.0 and the old root\n"
               "                  macromedia-package in each FILE, in place and nothing else, reporting\n"
               "                  FILE:LINE:COLUMN: repaired: change\n"
               "    --stdout      print the one FILE's repaired text instead; nothing is written\n"
               "  -h, --help      print this help and exit\n"
               "  -v, --version   print the version number and exit\n"
               "\n"
               "Modes and options go in any order. A FILE of - is standard input for --format, --check and --repair.\n"
               "Files larger than %1 MB, folders, pipes, devices and binary data are refused.\n"
               "\n"
               "Exit status:\n"
               "  0  done\n"
               "  1  a file refused or in error (with --strict, also a warning)\n"
               "  2  bad usage\n")
        .arg(maxFileBytes >> 20);
}

} // namespace cli
