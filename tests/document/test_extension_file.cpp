#include "document/ExtensionFile.h"
#include "document/Mxi.h"
#include "document/xml/Errors.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <functional>

#include "common/Files.h"
#include "common/QtPrinters.h"
#include "common/SampleFiles.h"
#include "common/SavedSkeleton.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

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
        loadExtensionFile(document, sample("foreign-root-other-program.mxi"));
        ADD_FAILURE() << "no error";
    } catch (const ForeignDocumentError& error) {
        EXPECT_EQ(error.message(), "\"" + sample("foreign-root-other-program.mxi") +
                                       "\" is not an extension installation file: its root element is "
                                       "<package>, not <macromedia-extension>");
    }
    EXPECT_EQ(document.xml(), "<macromedia-extension name=\"current\"/>\n");
}

// Only regular files within the size limit are read; a pipe or a device is never opened, so nothing blocks.
TEST_F(ExtensionFileTest, RefusesWhatIsNotARegularFileOfAReadableSize) {
    const struct {
        const char* name;
        std::function<void(const QString&)> make;
        const char* reason;
    } kinds[] = {
        {"missing.mxi", [](const QString&) {}, "No such file or directory"},
        {"folder.mxi", [](const QString& path) { QDir().mkdir(path); }, "it is a folder"},
        {"pipe.mxi", [](const QString& path) { mkfifo(QFile::encodeName(path), 0600); },
         "it is a device, a pipe or a socket, not a file"},
        {"zero.mxi", [](const QString& path) { QFile::link("/dev/zero", path); },
         "it is a device, a pipe or a socket, not a file"},
        {"huge.mxi", // sparse: it takes no room on the disk
         [](const QString& path) {
             QFile file(path);
             file.open(QIODevice::WriteOnly);
             file.resize((qint64(1) << 32) + 296);
         },
         "it is larger than the 268,435,456 bytes (256 MB) that Load reads"},
    };
    for (const auto& kind : kinds) {
        kind.make(path(kind.name));
        try {
            loadExtensionFile(document, path(kind.name));
            ADD_FAILURE() << "no error";
        } catch (const UnreadableFileError& error) {
            EXPECT_EQ(error.message(), "\"" + path(kind.name) + "\" cannot be read: " + kind.reason);
        }
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
    try {
        saveExtensionFile(document, target);
        ADD_FAILURE() << "no error";
    } catch (const SaveError& error) {
        EXPECT_EQ(error.message(), "Impossible de créer le fichier \"" + target + "\". File too large");
    }
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
        case SampleFile::Repairable:
            EXPECT_THROW(loadExtensionFile(document, file.path), RepairableError);
            EXPECT_EQ(document.xml(), "<macromedia-extension name=\"current\"/>\n");
            break;
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

namespace {

QByteArray extension(const QByteArray& content, const QByteArray& prolog = {}) {
    return prolog + "<macromedia-extension name=\"x\">" + content + "</macromedia-extension>";
}

QByteArray nested(int depth) {
    return QByteArray("<a>").repeated(depth) + QByteArray("</a>").repeated(depth);
}

QByteArray utf16(const QByteArray& latin1) {
    QByteArray text = "\xFF\xFE";
    for (const char c : latin1)
        text += QByteArray(1, c) + '\0';
    return text;
}

const QByteArray entityE = "<!DOCTYPE macromedia-extension [<!ENTITY e \"" + QByteArray(50000, 'x') + "\">]>";

XmlNode rootOf(XmlDocument& document) {
    return Mxi::findRoot(document);
}

// A hostile file, what a user then typed, and what follows: Load's or Save's refusal, or the bytes saved.
struct HostileCase {
    const char* name;
    std::function<QByteArray()> input;
    std::function<void(XmlDocument&)> typed;
    QString refusal = {};
    QByteArray saved = {};
};

const HostileCase hostileCases[] = {
    {"EntityUsedTwentyThousandTimes",
     [] { return entityE + "<macromedia-extension name=\"" + QByteArray("&e;").repeated(20000) + "\"/>"; },
     {},
     "The file's entities expand to far more text than the file holds, or refer to themselves without end"},
    {"EntitiesWithinTheLimit",
     [] { return "<!DOCTYPE macromedia-extension [<!ENTITY e \"a&amp;b\">]><macromedia-extension name=\"&e;-&e;\"/>"; },
     {},
     {},
     "<!DOCTYPE macromedia-extension [<!ENTITY e \"a&amp;b\">]>\r\n<macromedia-extension "
     "name=\"a&amp;b-a&amp;b\"/>\r\n"},
    {"ParameterEntityReferenceKept",
     [] {
         return "<!DOCTYPE macromedia-extension SYSTEM 'x.dtd' [\n<!ENTITY % p \"<!ENTITY e 'x'>\"> %p;\n]>"
                "<macromedia-extension name=\"&e;\"/>";
     },
     {},
     {},
     "<!DOCTYPE macromedia-extension SYSTEM \"x.dtd\" [\r\n<!ENTITY % p \"<!ENTITY e 'x'>\"> %p;\r\n]>\r\n"
     "<macromedia-extension name=\"x\"/>\r\n"},
    {"EntityCheckedInAnAttributeBeforeText", // "]]>" may stand in an attribute, not in text
     [] {
         return "<!DOCTYPE macromedia-extension [<!ENTITY e \"b]]>\">]>"
                "<macromedia-extension name=\"&e;\"><description>&e;</description></macromedia-extension>";
     },
     {},
     "The text refers to the entity &e;, whose value is not well-formed XML"},
    {"BillionLaughs",
     [] {
         QByteArray dtd = "<!DOCTYPE macromedia-extension [<!ENTITY l0 \"lol\">";
         for (int i = 1; i < 10; ++i)
             dtd += "<!ENTITY l" + QByteArray::number(i) + " \"" +
                    ("&l" + QByteArray::number(i - 1) + ";").repeated(10) + "\">";
         return dtd + "]>\n<macromedia-extension>&l9;</macromedia-extension>";
     },
     {},
     "The file's entities expand to far more text than the file holds, or refer to themselves without end\nLigne: "
     "1, column 5\n<!DOCTYPE macromedia-extension [<!ENTITY"},
    {"UndeclaredEntityInAnAttribute",
     [] {
         return extension("<products><product version=\"&e;\"/></products>",
                          "<!DOCTYPE macromedia-extension SYSTEM \"ext.dtd\">\n");
     },
     {},
     "An attribute value refers to the entity &e;, which the file does not declare, so its text is unknown\nLigne: "
     "2, column 63\n<macromedia-extension name=\"x\"><products"},
    {"UndeclaredEntityInText",
     [] { return extension("<description>A&e;B</description>", "<!DOCTYPE macromedia-extension SYSTEM \"ext.dtd\">"); },
     {},
     {},
     "<!DOCTYPE macromedia-extension SYSTEM \"ext.dtd\">\r\n<macromedia-extension name=\"x\">\r\n  "
     "<description>A&e;B</description>\r\n</macromedia-extension>\r\n"},
    {"JunkAfterANul",
     [] { return extension("") + "\n" + QByteArray(1, '\0') + "junk"; },
     {},
     "The text goes on after a NUL character, which XML does not allow\nLigne: 2\n"},
    {"Utf16KeepsItsDeclaration",
     [] { return utf16("<?xml version=\"1.0\" standalone=\"yes\"?><macromedia-extension name=\"x\"/>"); },
     {},
     {},
     "<?xml version=\"1.0\" standalone=\"yes\"?>\r\n<macromedia-extension name=\"x\"/>\r\n"},
    {"ByteOrderMarkKeepsTheDeclaration",
     [] { return "\xEF\xBB\xBF<?xml version=\"1.0\" standalone=\"no\"?>" + extension(""); },
     {},
     {},
     "<?xml version=\"1.0\" standalone=\"no\"?>\r\n<macromedia-extension name=\"x\"/>\r\n"},
    {"ByteOrderMarkWinsOverTheDeclaredEncoding",
     [] {
         return QByteArray(
             "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><macromedia-extension name=\"Caf\xC3\xA9\"/>");
     },
     {},
     {},
     "<?xml version=\"1.0\"?>\r\n<macromedia-extension name=\"Caf\xC3\xA9\"/>\r\n"},
    {"ManyBareAmpersandsOnOneLine",
     [] { return extension(QByteArray(300'000, '&')); },
     {},
     "A bare & starts no reference: XML writes the character & as &amp;\nLigne: 1, column 32\n<macromedia-extension "
     "name=\"x\">&&&&&&&&&\n\nA repaired copy can be opened instead; the file itself stays as it is. The repair "
     "changes:\nline 1, column 32: a bare & becomes &amp;\nline 1, column 33: a bare & becomes &amp;\nline 1, column "
     "34: a bare & becomes &amp;\nline 1, column 35: a bare & becomes &amp;\nline 1, column 36: a bare & becomes "
     "&amp;\nand 299995 more"},
    {"NestedTooDeep",
     [] { return extension(nested(257)); },
     {},
     "The elements are nested more than 257 levels deep, the most that a file may hold\nLigne: "
     "1, column 800\n<macromedia-extension name=\"x\"><a><a><a>"},
    {"NestedAsDeepAsAllowed", [] { return extension(nested(256)); }, {}, {}, {}},
    {"TypedNestingTooDeep", [] { return extension("<configuration-changes/>"); },
     [](XmlDocument& document) {
         XmlNode parent = rootOf(document).findChild(Mxi::ConfigurationChanges);
         for (int depth = 0; depth < 256; ++depth)
             parent = parent.appendChild(document.createElement("a"));
     },
     "<a> in <configuration-changes> lies 258 elements deep, more than the 257 levels that a file may hold. Nothing "
     "was written"},
    {"CDataTooBig",
     [] { return extension("<description><![CDATA[" + QByteArray(10'000'001, 'd') + "]]></description>"); },
     {},
     "A CDATA section holds more than 10,000,000 bytes, the most that one value may hold\nLigne: "
     "1, column 10000057\n<macromedia-extension name=\"x\"><descript"},
    {"TypedTextTooBig", [] { return extension("<description><![CDATA[d]]></description>"); },
     [](XmlDocument& document) {
         rootOf(document).findChild(Mxi::Description).firstChild().setValue(QString(10'000'001, 'd'));
     },
     "The text in <description> holds 10,000,001 bytes, more than the 10,000,000 that one text may hold. Nothing was "
     "written"},
    {"TypedTextAsBigAsAllowed", [] { return extension("<description><![CDATA[d]]></description>"); },
     [](XmlDocument& document) {
         rootOf(document).findChild(Mxi::Description).firstChild().setValue(QString(10'000'000, 'd'));
     }},
    {"TypedNonCharacter", [] { return extension("<products><product version=\"1\"/></products>"); },
     [](XmlDocument& document) {
         rootOf(document).findChild(Mxi::Products).firstChild().setAttribute(Mxi::Version, QString(QChar(0xFFFF)));
     },
     "The attribute version of <product> in <products> holds the character U+FFFF, which an XML file cannot store. "
     "Nothing was written"},
    {"AttributeTooLongForATag",
     [] { return "<macromedia-extension name=\"" + QByteArray(9'900'000, 'n') + "\"/>"; },
     {},
     "The attribute name of <macromedia-extension> makes its tag 9,900,031 bytes long, more than the 9,900,000 that "
     "one tag may take"},
    {"TypedAttributeTooLong", [] { return extension(""); },
     [](XmlDocument& document) { rootOf(document).setAttribute(Mxi::Version, QString(9'899'960, '"')); },
     "The attribute version of <macromedia-extension> makes its tag 59,399,803 bytes long, more than the 9,900,000 "
     "that one tag may take. Nothing was written"},
    {"NamespaceErrorThenBareAmpersand",
     [] { return QByteArray("<macromedia-extension>\n<products>\n<p:product/>\n<product version=\"a & b\"/>"); },
     {},
     "A bare & starts no reference: XML writes the character & as &amp;\nLigne: 4, column 21\n<product version=\"a & "
     "b\"/>"},
    {"LineShownInTheFilesEncoding",
     [] {
         return QByteArray(
             "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<macromedia-extension name=\"Caf\xE9\" &>");
     },
     {},
     "error parsing attribute name\nLigne: 2, column 35\n<macromedia-extension name=\"Café\" &>"},
};

std::string hostileCaseName(const testing::TestParamInfo<HostileCase>& info) {
    return info.param.name;
}

// Loads the case's file, applies what was typed and saves; returns the refusal, if any.
QString loadTypeAndSave(const HostileCase& hostile, XmlDocument& document, const QTemporaryDir& folder) {
    writeBytes(folder.filePath("hostile.mxi"), hostile.input());
    try {
        loadExtensionFile(document, folder.filePath("hostile.mxi"));
        if (hostile.typed)
            hostile.typed(document);
        saveExtensionFile(document, folder.filePath("saved.mxi"));
    } catch (const RepairableError& refusal) {
        return repairOffer(refusal.message(), refusal.repaired().repairs);
    } catch (const Error& error) {
        return error.message();
    }
    return {};
}

class HostileFileTest : public testing::TestWithParam<HostileCase> {};

} // namespace

TEST_P(HostileFileTest, IsRefusedWithItsReasonOrSavedAsItWas) {
    QTemporaryDir folder;
    XmlDocument document;
    EXPECT_EQ(loadTypeAndSave(GetParam(), document, folder), GetParam().refusal);
    if (!GetParam().saved.isEmpty()) {
        EXPECT_EQ(readBytes(folder.filePath("saved.mxi")), GetParam().saved);
    }
}

INSTANTIATE_TEST_SUITE_P(Inputs, HostileFileTest, testing::ValuesIn(hostileCases), hostileCaseName);

// Whatever Save writes, Load reads back into the same document, which saves to the same bytes; what Save
// refuses leaves nothing written.
TEST(HostileFileAgreement, LoadReadsBackWhatSaveWrites) {
    for (const HostileCase& hostile : hostileCases) {
        SCOPED_TRACE(hostile.name);
        QTemporaryDir folder;
        XmlDocument document;
        const QString refusal = loadTypeAndSave(hostile, document, folder);
        const QByteArray saved = readBytes(folder.filePath("saved.mxi"));
        if (!refusal.isEmpty()) {
            EXPECT_TRUE(saved.isEmpty());
            continue;
        }
        XmlDocument reloaded;
        loadExtensionFile(reloaded, folder.filePath("saved.mxi"));
        EXPECT_EQ(content(reloaded), content(document));
        saveExtensionFile(reloaded, folder.filePath("again.mxi"));
        EXPECT_EQ(readBytes(folder.filePath("again.mxi")), saved);
    }
}
