#include "document/FileNames.h"
#include "document/FileReplacement.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "common/QtPrinters.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Only a regular file is read: a device may never end.
QByteArray readBytes(const QString& fileName) {
    std::ifstream file(fileNameBytes(fileName).toStdString(), std::ios::binary);
    struct stat status {};
    if (stat(fileNameBytes(fileName).constData(), &status) != 0 || !S_ISREG(status.st_mode) || !file)
        return "<not a readable file>";
    return QByteArray::fromStdString({std::istreambuf_iterator<char>(file), {}});
}

QString writeBytes(const QString& fileName, const QByteArray& bytes, mode_t mode = 0644) {
    QFile file(fileName);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    chmod(QFile::encodeName(fileName).constData(), mode);
    return fileName;
}

struct stat statusOf(const QString& fileName) {
    struct stat status {};
    lstat(fileNameBytes(fileName).constData(), &status);
    return status;
}

const QString longName = QString(251, 'n') + ".mxi";

// Where the text is written to, what the write answers (%1 standing for the name written to), and
// what is then on the disk besides the written name, whose old text must stay when the write is refused.
struct ReplacementCase {
    const char* name;
    std::function<QString(const QDir&)> make;
    QString refusal;
    std::function<void(const QDir&)> verify = {};
};

const ReplacementCase replacementCases[] = {
    {"LinkChainStaysAndTheFileItEndsAtIsWritten",
     [](const QDir& folder) {
         writeBytes(folder.filePath("real.mxi"), "old");
         QFile::link("real.mxi", folder.filePath("first"));
         QFile::link(folder.filePath("first"), folder.filePath("second"));
         return folder.filePath("second");
     },
     {},
     [](const QDir& folder) {
         EXPECT_EQ(readBytes(folder.filePath("real.mxi")), "new");
         EXPECT_EQ(QFile::symLinkTarget(folder.filePath("second")), folder.filePath("first"));
         EXPECT_TRUE(S_ISLNK(statusOf(folder.filePath("first")).st_mode));
     }},
    {"DanglingLinkGetsTheFileItPointsTo",
     [](const QDir& folder) {
         QFile::link("missing.mxi", folder.filePath("link"));
         return folder.filePath("link");
     },
     {},
     [](const QDir& folder) {
         EXPECT_EQ(readBytes(folder.filePath("missing.mxi")), "new");
         EXPECT_TRUE(S_ISLNK(statusOf(folder.filePath("link")).st_mode));
     }},
    {"ReadOnlyFileIsRefused", [](const QDir& folder) { return writeBytes(folder.filePath("x.mxi"), "old", 0444); },
     "Impossible de créer le fichier \"%1\". Permission denied",
     [](const QDir& folder) { EXPECT_EQ(statusOf(folder.filePath("x.mxi")).st_mode & 07777, 0444u); }},
    {"SetGroupIdFileKeepsItsMode",
     [](const QDir& folder) { return writeBytes(folder.filePath("x.mxi"), "old", 02664); },
     {},
     [](const QDir& folder) { EXPECT_EQ(statusOf(folder.filePath("x.mxi")).st_mode & 07777, 02664u); }},
    {"OwnerAndGroupStay",
     [](const QDir& folder) {
         const QString file = writeBytes(folder.filePath("x.mxi"), "old", 0666);
         if (getuid() == 0) {
             EXPECT_EQ(chown(QFile::encodeName(file).constData(), 65534, 65534), 0);
         }
         return file;
     },
     {},
     [](const QDir& folder) {
         if (getuid() != 0)
             return; // only root can give a file to another user
         EXPECT_EQ(statusOf(folder.filePath("x.mxi")).st_uid, 65534u);
         EXPECT_EQ(statusOf(folder.filePath("x.mxi")).st_gid, 65534u);
     }},
    {"EveryHardLinkSeesTheNewText",
     [](const QDir& folder) {
         writeBytes(folder.filePath("a.mxi"), "old");
         link(QFile::encodeName(folder.filePath("a.mxi")).constData(),
              QFile::encodeName(folder.filePath("b.mxi")).constData());
         return folder.filePath("a.mxi");
     },
     {},
     [](const QDir& folder) {
         EXPECT_EQ(readBytes(folder.filePath("b.mxi")), "new");
         EXPECT_EQ(statusOf(folder.filePath("b.mxi")).st_nlink, 2u);
     }},
    {"NameOfTheLongestLengthIsReplaced",
     [](const QDir& folder) { return writeBytes(folder.filePath(longName), "old"); },
     {},
     [](const QDir& folder) { EXPECT_EQ(readBytes(folder.filePath(longName)), "new"); }},
    {"NameOfTheLongestLengthIsCreated",
     [](const QDir& folder) { return folder.filePath(longName); },
     {},
     [](const QDir& folder) { EXPECT_EQ(readBytes(folder.filePath(longName)), "new"); }},
    {"NameThatIsNotUtf8KeepsItsBytes",
     [](const QDir& folder) { return fileNameFromBytes(QFile::encodeName(folder.path()) + "/caf\xE9\xFF.mxi"); },
     {},
     [](const QDir& folder) { // removed by its bytes, which also shows that it is there
         EXPECT_EQ(unlink(QFile::encodeName(folder.path()) + "/caf\xE9\xFF.mxi"), 0);
     }},
    {"FolderIsRefused",
     [](const QDir& folder) {
         folder.mkdir("x.mxi");
         return folder.filePath("x.mxi");
     },
     "Impossible de créer le fichier \"%1\". it is a folder"},
    {"LinkToAFullDeviceIsRefused",
     [](const QDir& folder) {
         QFile::link("/dev/full", folder.filePath("full.mxi"));
         return folder.filePath("full.mxi");
     },
     "Impossible de créer le fichier \"%1\". it is a device, a pipe or a socket, not a file"},
    {"MissingFolderIsRefused", [](const QDir& folder) { return folder.filePath("absent/x.mxi"); },
     "Impossible de créer le fichier \"%1\". No such file or directory"},
};

std::string replacementCaseName(const testing::TestParamInfo<ReplacementCase>& info) {
    return info.param.name;
}

class FileReplacementTest : public testing::TestWithParam<ReplacementCase> {};

} // namespace

TEST_P(FileReplacementTest, WritesThroughTheNameOrRefusesAndLeavesNothingBehind) {
    QTemporaryDir temporary;
    const QDir folder(temporary.path());
    const QString target = GetParam().make(folder);
    const QStringList entries = folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System);
    const QByteArray before = readBytes(target);
    QString refusal;
    try {
        writeSavedFile(target, "new");
    } catch (const SaveError& error) {
        refusal = error.message();
    }
    EXPECT_EQ(refusal, GetParam().refusal.isEmpty() ? QString() : GetParam().refusal.arg(target));
    EXPECT_EQ(readBytes(target), refusal.isEmpty() ? QByteArray("new") : before);
    if (GetParam().verify)
        GetParam().verify(folder);
    const QStringList after = folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System);
    EXPECT_TRUE(after.size() <= entries.size() + 1) << after.join(' ').toStdString(); // at most the new file
}

INSTANTIATE_TEST_SUITE_P(Targets, FileReplacementTest, testing::ValuesIn(replacementCases), replacementCaseName);

TEST(FileReplacement, AFileThatChangedSinceItWasReadIsLeftAsItIs) {
    QTemporaryDir folder;
    const QString file = writeBytes(folder.filePath("x.mxi"), "changed meanwhile");
    EXPECT_THROW(writeSavedFile(file, "new", QByteArray("as read")), ChangedFileError);
    EXPECT_EQ(readBytes(file), "changed meanwhile");
    writeSavedFile(file, "new", QByteArray("changed meanwhile"));
    EXPECT_EQ(readBytes(file), "new");
}

TEST(FileNames, BytesThatAreNotUtf8ComeBackAsTheyWere) {
    for (const QByteArray& bytes :
         {QByteArray("plain/caf\xC3\xA9.mxi"), QByteArray("\xE9\xFF\xC3"),
          QByteArray("\xED\xA0\x80\xF4\x90\x80\x80\xC0\xAF"), QByteArray("\xF0\x9F\x98\x80")}) {
        EXPECT_EQ(fileNameBytes(fileNameFromBytes(bytes)), bytes);
    }
    EXPECT_EQ(fileNameFromBytes("caf\xC3\xA9"), QString::fromUtf8("café"));
}
