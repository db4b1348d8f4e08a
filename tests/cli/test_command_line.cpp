#include "common/QtPrinters.h"
#include "common/RunCli.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLine, TakesModesAndOptionsInAnyOrder) {
    const QByteArray error = "<stdin>:1:1: error: Document is empty\n";
    EXPECT_EQ(runCli({"--check", "-"}).errors, error);
    for (const QStringList& arguments :
         {QStringList{"--quiet", "--check", "-"}, {"--check", "--quiet", "-"}, {"-", "--quiet", "--check"}})
        EXPECT_EQ(runCli(arguments).errors, "") << arguments.join(' ').toStdString();
    EXPECT_EQ(runCli({"-", "--check", "--strict"}).errors, error);
    EXPECT_EQ(runCli({"-h"}).output, runCli({"--help"}).output);
    EXPECT_TRUE(runCli({"-h"}).output.startsWith("Usage: parcelwright [FILE]\n"));
    EXPECT_EQ(runCli({"a.mxi"}).windows, QStringList{"a.mxi"});
    EXPECT_EQ(runCli({"--", "--help"}).windows, QStringList{"--help"});
}

TEST(CommandLine, RefusesBadUsageInOneLine) {
    const struct {
        QStringList arguments;
        QByteArray problem;
    } cases[] = {
        {{"--format"}, "--format needs at least one FILE"},
        {{"--fmt", "a.mxi"}, "unknown option --fmt"},
        {{"--format", "--strict", "a.mxi"}, "--strict goes only with --check"},
        {{"--stdout", "a.mxi"}, "--stdout goes only with --format or --repair"},
        {{"--check", "a.mxi", "--format"}, "--format and --check cannot be combined"},
        {{"--format", "--stdout", "a.mxi", "b.mxi"}, "--stdout takes exactly one FILE"},
        {{"a.mxi", "b.mxi"}, "the window opens one file at a time, 2 given"},
        {{"-"}, "the window cannot read standard input (- goes with --format, --check and --repair)"},
        {{"--help=x"}, "unexpected value after '--help'"},
    };
    for (const auto& c : cases) {
        const Outcome outcome = runCli(c.arguments);
        EXPECT_EQ(outcome.exitCode, 2);
        EXPECT_EQ(outcome.errors, "parcelwright: " + c.problem + "; see parcelwright --help\n");
        EXPECT_TRUE(outcome.windows.isEmpty());
    }
}

} // namespace
