#include "document/FileReplacement.h"
#include "document/xml/FileNames.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "common/QtPrinters.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <fstream>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

struct stat statusOf(const QString& fileName, int (*how)(const char*, struct stat*)) {
    struct stat status {};
    how(fileNameBytes(fileName).constData(), &status);
    return status;
}

QByteArray readBytes(const QString& fileName) { // only a regular file: a device may never end
    std::ifstream file(fileNameBytes(fileName).toStdString());
    return S_ISREG(statusOf(fileName, stat).st_mode) ? QByteArray::fromStdString({std::istreambuf_iterator(file), {}})
                                                     : "<not a file>";
}

// Root gives the file to another user, whose it must stay.
QString oldFile(const QDir& folder, const QString& name, mode_t mode = 0644) {
    const QByteArray path = QFile::encodeName(folder.filePath(name));
    std::ofstream(path.constData()) << "old";
    return chmod(path, mode) == 0 && (getuid() != 0 || chown(path, 65534, 65534) == 0) ? folder.filePath(name) : "";
}

QByteArray extendedAttributes(const QString& fileName) {
    char names[4096];
    const ssize_t size = listxattr(fileNameBytes(fileName).constData(), names, sizeof names);
    return size > 0 ? QByteArray(names, size) : QByteArray();
}

QString marked(const QString& fileName) {
    return setxattr(QFile::encodeName(fileName), "user.mark", "1", 1, 0) == 0 ? fileName : "";
}

// The entry under /proc of a file deleted while it stays open.
QString deletedButOpen(const QDir& folder) {
    const int file = open(QFile::encodeName(oldFile(folder, "gone.mxi")), O_RDONLY);
    return unlink(QFile::encodeName(folder.filePath("gone.mxi"))) == 0 ? QString("/proc/self/fd/%1").arg(file) : "";
}

// Runs Work in a child process, as the user nobody where asked; returns its exit status.
int inChild(const std::function<int()>& work, bool asNobody = false) {
    const pid_t child = fork();
    if (child == 0)
        _exit(asNobody && (setgid(65534) != 0 || setuid(65534) != 0) ? 99 : work());
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

QString linked(const QString& target, const QDir& folder, const QString& name) {
    return QFile::link(target, folder.filePath(name)) ? folder.filePath(name) : "<no link>";
}

// Where "new" is written, the refusal (%1 for that name) after which the old text stays, and another
// name that must then read "new". A replaced file keeps its mode, owner, group and links; a link stays.
struct ReplacementCase {
    const char* name;
    std::function<QString(const QDir&)> make;
    QString refusal = {};
    const char* alsoNew = nullptr;
    std::optional<QByteArray> expected = {};
};

const QString longName = QString(251, 'n') + ".mxi";
const QString denied = "Impossible de créer le fichier \"%1\". ";

const ReplacementCase replacementCases[] = {
    {"LinkChain", [](const QDir& d) { return linked(linked(oldFile(d, "real.mxi"), d, "1"), d, "2"); }, {}, "real.mxi"},
    {"DanglingLink", [](const QDir& d) { return linked("new.mxi", d, "link"); }, {}, "new.mxi"},
    {"ReadOnly", [](const QDir& d) { return oldFile(d, "x.mxi", 0444); }, denied + "Permission denied"},
    {"SetGroupId", [](const QDir& d) { return oldFile(d, "x.mxi", 02664); }},
    {"HardLink",
     [](const QDir& d) {
         return link(QFile::encodeName(oldFile(d, "a")), QFile::encodeName(d.filePath("b"))) ? "" : d.filePath("a");
     },
     {},
     "b"},
    {"LongestName", [](const QDir& d) { return oldFile(d, longName); }},
    {"NotUtf8Name", [](const QDir& d) { return fileNameFromBytes(QFile::encodeName(d.path()) + "/caf\xE9\xFF.mxi"); }},
    {"Folder", [](const QDir& d) { return d.mkdir("x") ? d.filePath("x") : ""; }, denied + "it is a folder"},
    {"FullDevice", [](const QDir& d) { return linked("/dev/full", d, "f"); },
     denied + "it is a device, a pipe or a socket, not a file"},
    {"ExtendedAttributes", [](const QDir& d) { return marked(oldFile(d, "x.mxi")); }},
    {"DeletedFileUnderProc", [](const QDir& d) { return deletedButOpen(d); },
     denied + "it names no file of its own: the file it reaches was deleted or moved"},
    {"ChangedSinceRead",
     [](const QDir& d) { return oldFile(d, "x.mxi"); },
     "it changed on disk after it was read and was left as it now is",
     {},
     "as read"},
};

class FileReplacementTest : public testing::TestWithParam<ReplacementCase> {};

} // namespace

TEST_P(FileReplacementTest, WritesThroughTheNameOrRefusesAndLeavesNothingBeside) {
    QTemporaryDir temporary;
    const QDir folder(temporary.path());
    const QString target = GetParam().make(folder);
    const auto entries = [&folder] { return folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System).size(); };
    const qsizetype entriesBefore = entries();
    const struct stat old = statusOf(target, stat), oldLink = statusOf(target, lstat);
    const QByteArray before = readBytes(target), attributesBefore = extendedAttributes(target);
    QString refusal;
    try {
        writeSavedFile(target, "new", GetParam().expected);
    } catch (const Error& error) {
        refusal = error.message();
    }
    EXPECT_EQ(refusal, QString(GetParam().refusal).replace("%1", target));
    EXPECT_EQ(readBytes(target), refusal.isEmpty() ? QByteArray("new") : before);
    const struct stat now = statusOf(target, stat);
    if (old.st_mode != 0) {
        EXPECT_EQ(std::tuple(now.st_mode, now.st_uid, now.st_gid, now.st_nlink),
                  std::tuple(old.st_mode, old.st_uid, old.st_gid, old.st_nlink));
        EXPECT_EQ(extendedAttributes(target), attributesBefore);
    }
    const mode_t oldType = oldLink.st_mode & S_IFMT;
    EXPECT_EQ(statusOf(target, lstat).st_mode & S_IFMT, oldType != 0 ? oldType : S_IFREG);
    if (GetParam().alsoNew) {
        EXPECT_EQ(readBytes(folder.filePath(GetParam().alsoNew)), "new");
    }
    EXPECT_LE(entries(), entriesBefore + 1); // the new file at most: no copy or temporary file stays
    unlink(fileNameBytes(target));           // Qt cannot remove a name that is not UTF-8
}

INSTANTIATE_TEST_SUITE_P(Targets, FileReplacementTest, testing::ValuesIn(replacementCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A text that fails while it is written leaves an existing file as it was and no new file behind.
TEST(FileReplacement, ATextFailingHalfWayLeavesNothingChanged) {
    QTemporaryDir temporary;
    const QDir folder(temporary.path());
    const QString existing = oldFile(folder, "old.mxi");
    const auto failing = [](const auto& write) {
        write("new");
        throw std::runtime_error("stopped");
    };
    for (const QString& name : {existing, folder.filePath("new.mxi")})
        EXPECT_THROW(writeSavedFile(name, failing), std::runtime_error);
    EXPECT_EQ(readBytes(existing), "old");
    EXPECT_EQ(folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{"old.mxi"});
}

// A write stopped for good after any of its steps, as by a kill or a power loss, leaves the old text
// or the new one; where the file had to be written in place, a torn text comes with the copy of the
// old one, which the next look finds.
TEST(FileReplacement, AWriteStoppedAtAnyStepLeavesTheOldOrTheNewText) {
    const struct {
        const char* name;
        std::function<QString(const QDir&)> make;
        bool inPlace = false;
        bool asNobody = false;
    } cases[] = {
        {"Replaced", [](const QDir& d) { return oldFile(d, "x.mxi", 0666); }},
        {"Created", [](const QDir& d) { return d.filePath("x.mxi"); }},
        {"HardLinked",
         [](const QDir& d) {
             const QString file = oldFile(d, "x.mxi");
             return link(QFile::encodeName(file), QFile::encodeName(d.filePath("y"))) == 0 ? file : "";
         },
         true},
        {"OwnerNotGiven",
         [](const QDir& d) {
             const QString file = oldFile(d, "x.mxi", 0666);
             return chown(QFile::encodeName(file), 0, 0) == 0 ? file : "";
         },
         true, true},
    };
    const TextPieces pieces = [](const auto& write) {
        for (const char* piece : {"new1", "new2", "new3"})
            write(piece);
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        int status = 3;
        int stoppedAfter = 0;
        while (status == 3) {
            QTemporaryDir temporary;
            ASSERT_EQ(chmod(QFile::encodeName(temporary.path()), 0777), 0);
            const QString target = c.make(QDir(temporary.path()));
            const QByteArray old = readBytes(target);
            const uid_t owner = QFile::exists(target) ? statusOf(target, stat).st_uid : getuid();
            status = inChild(
                [&, step = ++stoppedAfter] {
                    afterWriteStep = [step](int done) { done == step ? _exit(3) : void(); };
                    writeSavedFile(target, pieces);
                    return 0;
                },
                c.asNobody);
            const QByteArray now = readBytes(target);
            const QString copy = unfinishedWriteCopy(target);
            EXPECT_TRUE(now == old || now == "new1new2new3" || (c.inPlace && readBytes(copy) == old))
                << stoppedAfter << ": " << now.toStdString();
            EXPECT_EQ(statusOf(target, stat).st_uid, owner);
        }
        EXPECT_EQ(status, 0);
        EXPECT_GT(stoppedAfter, 5);
    }
}

TEST(FileReplacement, ANewFileInAFolderThatCannotBeWrittenNamesTheFolder) {
    QTemporaryDir temporary;
    ASSERT_EQ(chmod(QFile::encodeName(temporary.path()), 0755), 0);
    const QString target = temporary.filePath("new.mxi");
    EXPECT_EQ(inChild(
                  [&] {
                      try {
                          writeSavedFile(target, "new");
                      } catch (const Error& error) {
                          return int(error.message() != denied.arg(target) + "its folder \"" + temporary.path() +
                                                            "\" cannot be written: Permission denied");
                      }
                      return 2;
                  },
                  true),
              0);
}
