#include "common/RunCli.h"

#include <QFileInfo>

#include "common/QtPrinters.h"

namespace {

const QByteArray repairable = "<?xml version=\"1.0.0\"?>\n<macromedia-package name=\"Q&A\">\n"
                              "  <file MMString:source=\"a.js?x=1&y=2\"/>\n</macromedia-package>\n";
const QByteArray repaired = "<?xml version=\"1.0\"?>\n<macromedia-extension name=\"Q&amp;A\">\n"
                            "  <file MMString:source=\"a.js?x=1&amp;y=2\"/>\n</macromedia-extension>\n";

QByteArray repairLines(const QString& file) {
    const QByteArray f = file.toUtf8();
    return f + ":1:16: repaired: XML version 1.0.0 becomes 1.0\n" + f +
           ":2:1: repaired: root macromedia-package becomes macromedia-extension\n" + f +
           ":2:28: repaired: a bare & becomes &amp;\n" + f + ":3:34: repaired: a bare & becomes &amp;\n";
}

TEST_F(CliTest, RepairsInPlaceKeepingTheModeOnlyWhatIsWrong) {
    const QString file = write("a.mxi", repairable);
    ASSERT_TRUE(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const QFile::Permissions mode = QFileInfo(file).permissions();
    const Outcome outcome = runCli({"--repair", file});
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(outcome.errors, repairLines(file));
    EXPECT_EQ(readBytes(file), repaired);
    EXPECT_EQ(QFileInfo(file).permissions(), mode);
    EXPECT_EQ(runCli({"--repair", file}).errors, "");
    EXPECT_EQ(readBytes(file), repaired);
}

TEST_F(CliTest, RepairsToStandardOutput) {
    const QString file = write("a.mxi", repairable);
    const Outcome outcome = runCli({"--repair", "--stdout", file});
    EXPECT_EQ(outcome, (Outcome{0, repaired, repairLines(file), {}}));
    EXPECT_EQ(readBytes(file), repairable);
}

TEST_F(CliTest, LeavesWhatCannotBeRepairedUntouched) {
    const QByteArray broken = "<macromedia-extension name=\"Q&A\">\n<files>\n</macromedia-extension>\n";
    const QString file = write("broken.mxi", broken);
    const QString good = write("good.mxi", repaired);
    const Outcome outcome = runCli({"--repair", good, file});
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_EQ(outcome.errors,
              file.toUtf8() + ":1:30: A bare & starts no reference: XML writes the character & as &amp;\n");
    EXPECT_EQ(readBytes(file), broken);
    EXPECT_EQ(readBytes(good), repaired);
    EXPECT_EQ(runCli({"--repair", "--strict", file}).exitCode, 2);
}

TEST_F(CliTest, ChecksSayWhatRepairsARepairableFile) {
    const QString file = write("a.mxi", repairable);
    const Outcome outcome = runCli({"--check", file});
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_EQ(outcome.errors, file.toUtf8() + ":1:19: error: The XML declaration names a version other than 1.0, or "
                                              "a value lacks its closing quote; parcelwright --repair can fix this\n");
    EXPECT_EQ(runCli({"--format", file}).exitCode, 1);
    EXPECT_EQ(readBytes(file), repairable);
}

} // namespace
