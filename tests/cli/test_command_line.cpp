#include "cli/Cli.h"
#include "cli/CommandLine.h"

#include <QBuffer>

#include "common/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

struct Outcome {
    int exitCode;
    QByteArray output;
    QByteArray errors;
    QStringList windows;
};

// Runs the command line on a broken standard input, noting each window it would open instead.
Outcome run(const QStringList& arguments) {
    QByteArray text = "<macromedia-extension>";
    QBuffer input(&text);
    QBuffer output;
    QBuffer errors;
    input.open(QIODevice::ReadOnly);
    output.open(QIODevice::WriteOnly);
    errors.open(QIODevice::WriteOnly);
    QStringList windows;
    const auto openWindow = [&windows](const QString& fileName) {
        windows.append(fileName);
        return 0;
    };
    const int exitCode = cli::run(arguments, input, output, errors, openWindow);
    return {exitCode, output.data(), errors.data(), windows};
}

TEST(CommandLine, TakesModesAndOptionsInAnyOrder) {
    const QByteArray error = "<stdin>:1:23: error: Premature end of data in tag macromedia-extension line 1\n";
    EXPECT_EQ(run({"--check", "-"}).errors, error);
    for (const QStringList& arguments :
         {QStringList{"--quiet", "--check", "-"}, {"--check", "--quiet", "-"}, {"-", "--quiet", "--check"}})
        EXPECT_EQ(run(arguments).errors, "") << arguments.join(' ').toStdString();
    EXPECT_EQ(run({"-", "--check", "--strict"}).errors, error);
    EXPECT_EQ(run({"-h"}).output, run({"--help"}).output);
    EXPECT_EQ(run({"--help"}).output, cli::helpText().toUtf8());
    EXPECT_EQ(run({"a.mxi"}).windows, QStringList{"a.mxi"});
    EXPECT_EQ(run({"--", "--help"}).windows, QStringList{"--help"});
    EXPECT_EQ(run({}).windows, QStringList{""});
}

TEST(CommandLine, RefusesBadUsageInOneLine) {
    const struct {
        QStringList arguments;
        QByteArray problem;
    } cases[] = {
        {{"--format"}, "--format needs at least one FILE"},
        {{"--fmt", "a.mxi"}, "unknown option --fmt"},
        {{"-x"}, "unknown option -x"},
        {{"--format", "--strict", "a.mxi"}, "--strict goes only with --check"},
        {{"--stdout", "a.mxi"}, "--stdout goes only with --format"},
        {{"--check", "a.mxi", "--format"}, "--format and --check cannot be combined"},
        {{"--format", "--stdout", "a.mxi", "b.mxi"}, "--stdout takes exactly one FILE"},
        {{"a.mxi", "b.mxi"}, "the window opens one file at a time, 2 given"},
        {{"-"}, "the window cannot read standard input (- goes with --format and --check)"},
        {{"--help=x"}, "unexpected value after '--help'"},
    };
    for (const auto& c : cases) {
        const Outcome outcome = run(c.arguments);
        EXPECT_EQ(outcome.exitCode, 2);
        EXPECT_EQ(outcome.errors, "parcelwright: " + c.problem + "; see parcelwright --help\n");
        EXPECT_TRUE(outcome.windows.isEmpty());
    }
}

} // namespace
