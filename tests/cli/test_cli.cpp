#include "cli/Cli.h"
#include "document/FileNames.h"
#include "document/RegularFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "common/QtPrinters.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Outcome {
    int exitCode;
    QByteArray output;
    QByteArray errors;
};

Outcome runCli(const QStringList& arguments, const QByteArray& input = {}) {
    QByteArray inputBytes = input;
    QBuffer in(&inputBytes);
    QBuffer out;
    QBuffer err;
    in.open(QIODevice::ReadOnly);
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    const int exitCode = cli::run(arguments, in, out, err);
    return {exitCode, out.data(), err.data()};
}

QByteArray fileBytes(const QString& fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class CliTest : public testing::Test {
protected:
    QString write(const QString& name, const QByteArray& bytes) {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    QTemporaryDir folder;
};

const QByteArray unformatted = "<macromedia-extension name='n' version='1' requires-restart='yes'><files>"
                               "<file source='a.js' destination='d'/></files></macromedia-extension>";
const QByteArray formatted = "<macromedia-extension name=\"n\" version=\"1\" requires-restart=\"false\">\r\n"
                             "  <files>\r\n"
                             "    <file source=\"a.js\" destination=\"d\"/>\r\n"
                             "  </files>\r\n"
                             "</macromedia-extension>\r\n";

TEST(CliUsage, RefusesBadArgumentsWithTheUsage) {
    const struct {
        QStringList arguments;
        QByteArray firstLine;
    } cases[] = {
        {{"--format"}, "parcelwright: --format needs at least one FILE\n"},
        {{"--fmt", "a.mxi"}, "parcelwright: expected --format or --check\n"},
        {{"--format", "--strict", "a.mxi"}, "parcelwright: unknown option --strict for --format\n"},
        {{"--check", "--stdout", "a.mxi"}, "parcelwright: unknown option --stdout for --check\n"},
        {{"--format", "--stdout", "a.mxi", "b.mxi"}, "parcelwright: --stdout takes exactly one FILE\n"},
    };
    for (const auto& c : cases) {
        const Outcome outcome = runCli(c.arguments);
        EXPECT_EQ(outcome.exitCode, 2);
        EXPECT_EQ(outcome.errors, c.firstLine + cli::usageText().toUtf8());
    }
}

TEST_F(CliTest, FormatsInPlaceOnceAndKeepsAFormattedFileUntouched) {
    const QString file = write("a.mxi", unformatted);
    EXPECT_EQ(runCli({"--format", file}).exitCode, 0);
    EXPECT_EQ(fileBytes(file), formatted);

    const QDateTime old = QDateTime::currentDateTime().addDays(-1);
    QFile handle(file);
    ASSERT_TRUE(handle.open(QIODevice::ReadWrite));
    ASSERT_TRUE(handle.setFileTime(old, QFileDevice::FileModificationTime));
    handle.close();
    EXPECT_EQ(runCli({"--format", file}).exitCode, 0);
    EXPECT_EQ(QFileInfo(file).lastModified(), old);
}

TEST_F(CliTest, FormatsToStandardOutputAndFromStandardInput) {
    const QString file = write("a.mxi", unformatted);
    const Outcome toOutput = runCli({"--format", "--stdout", file});
    EXPECT_EQ(toOutput.output, formatted);
    EXPECT_EQ(fileBytes(file), unformatted);
    EXPECT_EQ(runCli({"--format", "-"}, unformatted).output, formatted);
}

TEST_F(CliTest, RefusesWhatCannotBeFormattedAndLeavesItUntouched) {
    const QString fifo = folder.filePath("fifo.mxi");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString huge = write("huge.mxi", "<");
    ASSERT_EQ(truncate(QFile::encodeName(huge).constData(), maxFileBytes + 1), 0);
    const struct {
        QString file;
        QByteArray reason;
    } cases[] = {
        {write("broken.mxi", "<macromedia-extension>\n<a></b>"),
         ":2: Opening and ending tag mismatch: a line 2 and b\n"},
        {write("foreign.mxi", "<?xml version='1.0'?>\n<other/>"), ":2: \"" + folder.filePath("foreign.mxi").toUtf8() +
                                                                      "\" is not an extension installation file: its "
                                                                      "root element is <other>, not "
                                                                      "<macromedia-extension>\n"},
        {write("binary.mxi", QByteArray("<macromedia-extension/>\0junk", 28)),
         ": binary data, not XML text (a NUL byte at offset 23)\n"},
        {write("bad-shift-jis.mxi",
               "<?xml version='1.0' encoding='Shift_JIS'?><macromedia-extension name='\x93\xff\xff'/>"),
         ":1: AttValue: ' expected\n"},
        {folder.path(), ": it is a folder\n"},
        {fifo, ": it is a device, a pipe or a socket, not a file\n"},
        {huge, ": it is larger than the 268,435,456 bytes (256 MB) that Load reads\n"},
        {folder.filePath("absent.mxi"), ": No such file or directory\n"},
    };
    for (const auto& c : cases) {
        const bool small = QFileInfo(c.file).isFile() && QFileInfo(c.file).size() < 100;
        const QByteArray before = small ? fileBytes(c.file) : QByteArray();
        testing::internal::CaptureStderr();
        const Outcome outcome = runCli({"--format", c.file});
        EXPECT_EQ(outcome.exitCode, 1);
        EXPECT_EQ(outcome.errors, c.file.toUtf8() + c.reason);
        EXPECT_EQ(runCli({"--format", "--stdout", c.file}).errors, outcome.errors);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "the parser wrote beside the program's own lines";
        EXPECT_EQ(small ? fileBytes(c.file) : QByteArray(), before);
    }
}

// A name that is not UTF-8 reaches the file it names, and messages give it by its own bytes.
TEST_F(CliTest, NamesThatAreNotUtf8KeepTheirBytes) {
    const QByteArray good = QFile::encodeName(folder.path()) + "/caf\xE9.mxi";
    const QByteArray broken = QFile::encodeName(folder.path()) + "/\xFF.mxi";
    std::ofstream(good.constData()) << unformatted.constData();
    std::ofstream(broken.constData()) << "<macromedia-extension>";
    const QByteArray reason = "Premature end of data in tag macromedia-extension line 1\n";
    EXPECT_EQ(runCli({"--format", fileNameFromBytes(good), fileNameFromBytes(broken)}).errors,
              broken + ":1: " + reason);
    EXPECT_EQ(runCli({"--check", fileNameFromBytes(broken)}).errors, broken + ":1:23: error: " + reason);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(std::ifstream(good.constData()).rdbuf()), {}),
              formatted.toStdString());
    EXPECT_EQ(unlink(good) + unlink(broken), 0); // Qt cannot remove them
}

TEST_F(CliTest, FormattingTheProjectsTestFilesIsIdempotent) {
    const QDir data(QStringLiteral(PARCELWRIGHT_TEST_DATA_DIR));
    for (const QString& name : data.entryList({"*.mxi"}, QDir::Files)) {
        const QString file = write(name, fileBytes(data.filePath(name)));
        ASSERT_EQ(runCli({"--format", file}).exitCode, 0) << name.toStdString();
        const QByteArray once = fileBytes(file);
        EXPECT_EQ(runCli({"--format", "--stdout", file}).output, once) << name.toStdString();
    }
}

TEST_F(CliTest, ChecksWhatAuthorsGetWrong) {
    write("present.js", "");
    const QString file = write("a.mxi", R"(<macromedia-extension name="" version="1.0">
  <products>
    <product name="photoshop" version="7" primary="true"/>
  </products>
  <files>
    <file source="present.js" destination="d"/>
    <file source="missing.js" destination="d"/>
    <file source="PRESENT.js" platform="win" plateform="mac"/><file name="old.js" destination="d"/>
    <file/>
  </files>
</macromedia-extension>
)");
    const QByteArray f = file.toUtf8();
    const Outcome outcome = runCli({"--check", file});
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(outcome.errors,
              f + ":1:1: warning: the extension's name is empty\n" + f +
                  ":2:3: warning: no known product: products names none of dreamweaver, dreamweaverultradev, flash, "
                  "homesite, JRun, Spectra, ColdFusion\n" +
                  f + ":7:5: warning: source \"missing.js\" does not exist\n" + f +
                  ":8:5: warning: source \"PRESENT.js\" is listed twice (first on line 6)\n" + f +
                  ":8:5: warning: source \"PRESENT.js\" does not exist\n" + f +
                  ":8:5: warning: file without destination\n" + f +
                  ":8:5: warning: platform \"win\" and plateform \"mac\" disagree\n" + f +
                  ":8:63: warning: name \"old.js\" does not exist\n" + f + ":9:5: warning: file without source\n" + f +
                  ":9:5: warning: file without destination\n");
    EXPECT_EQ(runCli({"--check", "--strict", file}).exitCode, 1);
    EXPECT_EQ(runCli({"--check", "--quiet", "--strict", file}).errors, "");
}

TEST_F(CliTest, ChecksPlaceElementsBeyondLine65535) {
    const QString file = write(
        "long.mxi", "<macromedia-extension name='n' version='1'><products><product name='flash'/></products><files>" +
                        QByteArray(70000, '\n') +
                        "<file source='gone.js' destination='d'/>"
                        "\n  <file source='gone.js' destination='d'/></files>"
                        "</macromedia-extension>");
    EXPECT_EQ(runCli({"--check", file}).errors,
              file.toUtf8() + ":70001:1: warning: source \"gone.js\" does not exist\n" + file.toUtf8() +
                  ":70002:3: warning: source \"gone.js\" is listed "
                  "twice (first on line 70001)\n" +
                  file.toUtf8() + ":70002:3: warning: source \"gone.js\" does not exist\n");
}

TEST_F(CliTest, ChecksReportErrorsWithTheirColumn) {
    const Outcome outcome = runCli({"--check", "-"}, "<macromedia-extension>\n  <a x='1' x='2'/>\n");
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_EQ(outcome.errors, "<stdin>:2:17: error: Attribute x redefined\n");
    EXPECT_EQ(runCli({"--check", "-"}, "<macromedia-extension><![CDATA[x\ny").errors,
              "<stdin>:2:2: error: CData section not finished\n");
}

} // namespace
