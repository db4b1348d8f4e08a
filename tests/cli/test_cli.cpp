#include "cli/Cli.h"
#include "document/xml/FileNames.h"
#include "document/xml/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "common/QtPrinters.h"
#include "common/RunCli.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray unformatted = "<macromedia-extension name='n' version='1' requires-restart='yes'><files>"
                               "<file source='a.js' destination='d'/></files></macromedia-extension>";
const QByteArray formatted = "<macromedia-extension name=\"n\" version=\"1\" requires-restart=\"yes\">\r\n"
                             "  <files>\r\n"
                             "    <file source=\"a.js\" destination=\"d\"/>\r\n"
                             "  </files>\r\n"
                             "</macromedia-extension>\r\n";

TEST_F(CliTest, FormatsInPlaceOnceAndKeepsAFormattedFileUntouched) {
    const QString file = write("a.mxi", unformatted);
    EXPECT_EQ(runCli({"--format", file}).exitCode, 0);
    EXPECT_EQ(readBytes(file), formatted);

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
    EXPECT_EQ(readBytes(file), unformatted);
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
         ":2:8: error: Opening and ending tag mismatch: a line 2 and b\n"},
        {write("foreign.mxi", "<?xml version='1.0'?>\n<other/>"), ":2:1: error: \"" +
                                                                      folder.filePath("foreign.mxi").toUtf8() +
                                                                      "\" is not an extension installation file: its "
                                                                      "root element is <other>, not "
                                                                      "<macromedia-extension>\n"},
        {write("binary.mxi", QByteArray("<macromedia-extension/>\0junk", 28)),
         ":1: error: The text goes on after a NUL character, which XML does not allow\n"},
        {write("bad-shift-jis.mxi",
               "<?xml version='1.0' encoding='Shift_JIS'?><macromedia-extension name='\x93\xff\xff'/>"),
         ":1:71: error: AttValue: ' expected\n"},
        {folder.path(), ": error: it is a folder\n"},
        {fifo, ": error: it is a device, a pipe or a socket, not a file\n"},
        {huge, ": error: it is larger than the 268,435,456 bytes (256 MB) that Load reads\n"},
        {folder.filePath("absent.mxi"), ": error: No such file or directory\n"},
    };
    for (const auto& c : cases) {
        const bool small = QFileInfo(c.file).isFile() && QFileInfo(c.file).size() < 100;
        const QByteArray before = small ? readBytes(c.file) : QByteArray();
        testing::internal::CaptureStderr();
        const Outcome outcome = runCli({"--format", c.file});
        EXPECT_EQ(outcome.exitCode, 1);
        EXPECT_EQ(outcome.errors, c.file.toUtf8() + c.reason);
        EXPECT_EQ(runCli({"--format", "--stdout", c.file}).errors, outcome.errors);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "the parser wrote beside the program's own lines";
        EXPECT_EQ(small ? readBytes(c.file) : QByteArray(), before);
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
              broken + ":1:23: error: " + reason);
    EXPECT_EQ(runCli({"--check", fileNameFromBytes(broken)}).errors, broken + ":1:23: error: " + reason);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(std::ifstream(good.constData()).rdbuf()), {}),
              formatted.toStdString());
    EXPECT_EQ(unlink(good) + unlink(broken), 0); // Qt cannot remove them
}

TEST_F(CliTest, FormattingTheProjectsTestFilesIsIdempotent) {
    const QDir data(QStringLiteral(PARCELWRIGHT_TEST_DATA_DIR));
    for (const QString& name : data.entryList({"*.mxi"}, QDir::Files)) {
        const QString file = write(name, readBytes(data.filePath(name)));
        ASSERT_EQ(runCli({"--format", file}).exitCode, 0) << name.toStdString();
        const QByteArray once = readBytes(file);
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
    QByteArray expected;
    for (const char* line : {"1:1: name is empty: give the extension a name",
                             "7:5: source 'missing.js' is not found in DIR: correct the path or add the file",
                             "8:5: file without destination: add destination with the folder to install into",
                             "8:5: platform 'win' and plateform 'mac' disagree: keep one of them",
                             "8:5: source 'PRESENT.js' is not found in DIR: correct the path or add the file",
                             "8:63: name 'old.js' is not found in DIR: correct the path or add the file",
                             "9:5: file without source: add source with the path of the file to install",
                             "9:5: file without destination: add destination with the folder to install into"})
        expected += f + ':' + QByteArray(line).insert(QByteArray(line).indexOf(' ') + 1, "warning: ") + '\n';
    EXPECT_EQ(outcome.errors, expected.replace("DIR", folder.path().toUtf8()));
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
              file.toUtf8() + ":1:88: warning: none of the 2 sources is found relative to " + folder.path().toUtf8() +
                  "; checked from the wrong folder?\n" + file.toUtf8() +
                  ":70002:3: warning: source 'gone.js' goes to 'd' again: remove this copy; the first is on line "
                  "70001\n");
}

TEST_F(CliTest, ChecksReportErrorsWithTheirColumn) {
    const Outcome outcome = runCli({"--check", "-"}, "<macromedia-extension>\n  <a x='1' x='2'/>\n");
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_EQ(outcome.errors, "<stdin>:2:17: error: Attribute x redefined\n");
    EXPECT_EQ(runCli({"--check", "-"}, "<macromedia-extension><![CDATA[x\ny").errors,
              "<stdin>:2:2: error: CData section not finished\n");
}

// Standard output that refuses every write, a full device or a pipe whose reader is gone, is an error
// for every mode that writes there; --check's findings go to standard error.
TEST_F(CliTest, AnOutputThatRefusesWritesEndsWithAnErrorLine) {
    const QString file = write("a.mxi", unformatted);
    const QByteArray f = file.toUtf8();
    const QList<std::pair<QStringList, QByteArray>> modes = {
        {{"--format", "--stdout", file}, f + ": error: "},
        {{"--format", "-"}, "<stdin>: error: "},
        {{"--repair", "--stdout", file}, f + ": "},
        {{"--repair", "-"}, "<stdin>: "},
        {{"--help"}, "parcelwright: "},
        {{"--version"}, "parcelwright: "},
    };
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    close(pipeEnds[0]);
    for (const auto& [device, reason] :
         {std::pair(open("/dev/full", O_WRONLY), "No space left on device"), std::pair(pipeEnds[1], "Broken pipe")}) {
        for (const auto& [arguments, start] : modes) {
            QBuffer in, err;
            in.setData(unformatted);
            in.open(QIODevice::ReadOnly);
            err.open(QIODevice::WriteOnly);
            QFile refusing;
            refusing.open(device, QIODevice::WriteOnly);
            EXPECT_EQ(cli::run(arguments, in, refusing, err), 1) << arguments.join(' ').toStdString();
            EXPECT_EQ(err.data(), start + "cannot write to standard output: " + reason + '\n');
        }
        QFile refusing;
        refusing.open(device, QIODevice::WriteOnly | QIODevice::Unbuffered);
        QBuffer in, out;
        EXPECT_EQ(cli::run({"--check", write("b.mxi", "<macromedia-extension name=''/>")}, in, out, refusing), 1);
        close(device);
    }
}

TEST_F(CliTest, ChecksReportTheCopyThatAnUnfinishedWriteLeft) {
    const QString file = write("a.mxi", formatted);
    const QString copy = write(".a.mxi~Ab12Cd", unformatted);
    const Outcome outcome = runCli({"--check", file});
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_TRUE(outcome.errors.startsWith(
        file.toUtf8() + ": error: an earlier write of this file did not finish: its old text is kept in \"" +
        copy.toUtf8() + "\"\n"))
        << outcome.errors.toStdString();
}

} // namespace
