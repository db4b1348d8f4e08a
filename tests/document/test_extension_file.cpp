#include "document/ExtensionFile.h"
#include "document/Mxi.h"
#include "document/XmlErrors.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "common/QtPrinters.h"
#include "common/SampleFiles.h"
#include "common/SavedSkeleton.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {

QByteArray readBytes(const QString& fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& fileName, const QByteArray& bytes) {
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QString sample(const QString& name) {
    return QStringLiteral(PARCELWRIGHT_TEST_DATA_DIR "/samples/") + name;
}

// The document's nodes without its declaration, which a saved file keeps only in part.
QByteArray content(const XmlDocument& document) {
    QByteArray text;
    for (const XmlNode& node : document.documentNode().children())
        text += node.xml().toUtf8() + '\n';
    return text;
}

class ExtensionFileTest : public testing::Test {
protected:
    void SetUp() override { document.loadFromXml("<macromedia-extension name=\"current\"/>"); }

    QString path(const QString& name) const { return folder.filePath(name); }

    XmlDocument document;
    QTemporaryDir folder;
};

} // namespace

TEST_F(ExtensionFileTest, SavesTheSkeletonInTwelveLines) {
    XmlDocument skeleton;
    skeleton.activate();
    skeleton.documentNode().appendChild(Mxi::buildSkeletonRoot(skeleton));
    saveExtensionFile(skeleton, path("skeleton.mxi"));
    EXPECT_EQ(readBytes(path("skeleton.mxi")), savedSkeleton);
}

TEST_F(ExtensionFileTest, RefusesAForeignRootAndKeepsTheDocument) {
    try {
        loadExtensionFile(document, sample("foreign-root-macromedia-package.mxi"));
        ADD_FAILURE() << "no error";
    } catch (const ForeignDocumentError& error) {
        EXPECT_EQ(error.message(), "\"" + sample("foreign-root-macromedia-package.mxi") +
                                       "\" is not an extension installation file: its root element is "
                                       "<macromedia-package>, not <macromedia-extension>");
    }
    EXPECT_EQ(document.xml(), "<macromedia-extension name=\"current\"/>\n");
}

TEST_F(ExtensionFileTest, RefusesAMissingFileAndKeepsTheDocument) {
    try {
        loadExtensionFile(document, path("missing.mxi"));
        ADD_FAILURE() << "no error";
    } catch (const ParseError& error) {
        EXPECT_EQ(error.message(), "No such file or directory\nLigne: 0\n");
    }
    EXPECT_EQ(document.xml(), "<macromedia-extension name=\"current\"/>\n");
}

TEST_F(ExtensionFileTest, ReadsIsoLatinFilesWithTheirAccents) {
    loadExtensionFile(document, sample("iso-8859-1-accents.mxi"));
    saveExtensionFile(document, path("cube.mxi"));
    const QByteArray saved = readBytes(path("cube.mxi"));
    EXPECT_TRUE(saved.startsWith("<?xml version=\"1.0\"?>\r\n<macromedia-extension"));
    XmlDocument reloaded;
    loadExtensionFile(reloaded, path("cube.mxi"));
    EXPECT_EQ(content(reloaded), content(document));
}

TEST_F(ExtensionFileTest, StoresSourcesRelativeToTheSavedFile) {
    const QString inside = path("img/a.gif");
    document.loadFromXml("<macromedia-extension><files><file source=\"" + inside.toUtf8() +
                         "\"/><!--c--><file name=\"old\"/><file source=\"/elsewhere/b.gif\"/></files>"
                         "</macromedia-extension>");
    saveExtensionFile(document, path("x.mxi"));
    const XmlNode files = Mxi::findRoot(document).findChild("files");
    EXPECT_EQ(files.xml(), "<files><file source=\"img/a.gif\"/><!--c--><file name=\"old\"/>"
                           "<file source=\"/elsewhere/b.gif\"/></files>");

    // Saving again elsewhere keeps the relative forms.
    QTemporaryDir other;
    saveExtensionFile(document, other.filePath("y.mxi"));
    EXPECT_EQ(Mxi::findRoot(document).findChild("files").xml(), files.xml());
}

TEST_F(ExtensionFileTest, AFailedSaveKeepsTheOldFileAndTheDocument) {
    const QString target = path("sub/x.mxi");
    QDir(folder.path()).mkdir("sub");
    writeBytes(target, "old contents");
    QFile::setPermissions(path("sub"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const QString source = path("sub/a.gif");
    document.loadFromXml("<macromedia-extension><files><file source=\"" + source.toUtf8() +
                         "\"/></files></macromedia-extension>");
    const QByteArray before = document.xml();

    const bool writable = QFile(path("sub/probe")).open(QIODevice::WriteOnly); // root ignores permissions
    if (writable)
        GTEST_SKIP() << "the folder stays writable for this user";
    try {
        saveExtensionFile(document, target);
        ADD_FAILURE() << "no error";
    } catch (const SaveError& error) {
        EXPECT_TRUE(error.message().startsWith("Impossible de créer le fichier \"" + target + "\". "))
            << error.message().toStdString();
    }
    EXPECT_EQ(readBytes(target), "old contents");
    EXPECT_EQ(document.xml(), before);
}

// A file size limit makes the write fail half-way, for any user: the old file must stay whole.
TEST_F(ExtensionFileTest, AWriteFailingHalfWayKeepsTheOldFileAndTheDocument) {
    const QString target = path("x.mxi");
    writeBytes(target, "old contents");
    QByteArray files;
    for (int i = 0; i < 2000; ++i)
        files += "<file source=\"" + path("img/a" + QString::number(i) + ".gif").toUtf8() + "\"/>";
    document.loadFromXml("<macromedia-extension><files>" + files + "</files></macromedia-extension>");
    const QByteArray before = document.xml();

    rlimit original{};
    getrlimit(RLIMIT_FSIZE, &original);
    const auto previousHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit limited = original;
    limited.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &limited);
    EXPECT_THROW(saveExtensionFile(document, target), SaveError);
    setrlimit(RLIMIT_FSIZE, &original);
    signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(readBytes(target), "old contents");
    EXPECT_EQ(document.xml(), before);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList({"x.mxi"}));
}

TEST_F(ExtensionFileTest, AnUnwritableTargetKeepsTheDocument) {
    const QString source = path("a.gif");
    document.loadFromXml("<macromedia-extension><files><file source=\"" + source.toUtf8() +
                         "\"/></files></macromedia-extension>");
    const QByteArray before = document.xml();
    const QString target = path("missing-folder/x.mxi");
    try {
        saveExtensionFile(document, target);
        ADD_FAILURE() << "no error";
    } catch (const SaveError& error) {
        EXPECT_TRUE(error.message().startsWith("Impossible de créer le fichier \"" + target + "\". "))
            << error.message().toStdString();
        EXPECT_GT(error.message().size(), QString("Impossible de créer le fichier \"" + target + "\". ").size());
    }
    EXPECT_EQ(document.xml(), before);
}

class SampleFilesTest : public testing::TestWithParam<SampleSet> {};

TEST_P(SampleFilesTest, LoadAndSaveWithoutLossOrAreRefused) {
    for (const SampleFile& file : sampleFiles(GetParam())) {
        SCOPED_TRACE(file.name.toStdString());
        XmlDocument document;
        document.loadFromXml("<macromedia-extension name=\"current\"/>");
        QTemporaryDir folder;
        switch (file.outcome) {
        case SampleFile::Loads: {
            loadExtensionFile(document, file.path);
            const QByteArray loaded = content(document);
            saveExtensionFile(document, folder.filePath("saved.mxi"));
            XmlDocument reloaded;
            loadExtensionFile(reloaded, folder.filePath("saved.mxi"));
            EXPECT_EQ(content(reloaded), loaded);
            break;
        }
        case SampleFile::NotWellFormed:
            EXPECT_THROW(loadExtensionFile(document, file.path), ParseError);
            EXPECT_EQ(document.xml(), "<macromedia-extension name=\"current\"/>\n");
            break;
        case SampleFile::Foreign:
            EXPECT_THROW(loadExtensionFile(document, file.path), ForeignDocumentError);
            EXPECT_EQ(document.xml(), "<macromedia-extension name=\"current\"/>\n");
            break;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(, SampleFilesTest, testing::Values(SampleSet::Own, SampleSet::Corpus), sampleSetName);
