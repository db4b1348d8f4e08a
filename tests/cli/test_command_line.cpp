#include "cli/CommandLine.h"

#include "common/QtPrinters.h"
#include "common/RunCli.h"

#include <gtest/gtest.h>

namespace {

// A broken standard input, for the modes that read it.
Outcome run(const QStringList& arguments) {
    return runCli(arguments, "<macromedia-extension>");
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
