#include "support/VersionInfoReader.h"

#include "support/ExecutableSections.h"

#include "VersionSamples.h"

#include <QBuffer>
#include <QMetaProperty>

#include <functional>
#include <string>
#include <vector>

namespace {

const QString noSuchValue = QStringLiteral("No such VersionInfo");

void expectOwnVersionInformation(const TVersionInfoReader& reader) {
    EXPECT_TRUE(reader.HaveVersionInfo());
    EXPECT_EQ(reader.Language(), 0x040C);
    EXPECT_EQ(reader.CharSet(), 0x04E4);
    EXPECT_EQ(reader.Signature(), qint32(0xFEEF04BD));
    EXPECT_EQ(reader.StrucVersion(), 0x00010000);
    EXPECT_EQ(reader.FileVersionMS(), 1 << 16 | 0);
    EXPECT_EQ(reader.FileVersionLS(), 2 << 16 | 126);
    EXPECT_EQ(reader.ProductVersionMS(), 1 << 16 | 0);
    EXPECT_EQ(reader.ProductVersionLS(), 2 << 16 | 126);
    EXPECT_EQ(reader.FileFlagsMask(), 0x3F);
    EXPECT_EQ(reader.FileFlags(), 0);
    EXPECT_EQ(reader.FileOS(), 4);
    EXPECT_EQ(reader.FileType(), 1);
    EXPECT_EQ(reader.FileSubtype(), 0);
    EXPECT_EQ(reader.FileDateMS(), 0);
    EXPECT_EQ(reader.FileDateLS(), 0);

    const std::vector<std::pair<QString, QString>> values{
        {"CompanyName", "The Parcelwright project"},
        {"FileDescription", "Parcelwright for Macromedia products"},
        {"FileVersion", "1.0.2.126"},
        {"fileversion", "1.0.2.126"},
        {"FILEVERSION", "1.0.2.126"},
        {"InternalName", "Parcelwright"},
        {"LegalCopyright", "Copyright (C) 2026 the Parcelwright project"},
        {"LegalTrademarks", ""},
        {"OriginalFilename", ""},
        {"ProductName", "Macromedia Parcelwright"},
        {"ProductVersion", "1.0.0.0"},
        {"Comments", "Written by the Parcelwright project"},
        {"SpecialBuild", noSuchValue},
    };
    for (const auto& [key, value] : values)
        EXPECT_EQ(reader.GetValue(key), value) << key.toStdString();
}

void expectSampleVersionInformation(const TVersionInfoReader& reader) {
    EXPECT_TRUE(reader.HaveVersionInfo());
    EXPECT_EQ(reader.Language(), 0x0409);
    EXPECT_EQ(reader.CharSet(), 0x04B0);
    EXPECT_EQ(reader.Signature(), qint32(0xFEEF04BD));
    EXPECT_EQ(reader.StrucVersion(), 0x00010000);
    EXPECT_EQ(reader.FileVersionMS(), 3 << 16 | 1);
    EXPECT_EQ(reader.FileVersionLS(), 4 << 16 | 15);
    EXPECT_EQ(reader.ProductVersionMS(), 2 << 16 | 7);
    EXPECT_EQ(reader.ProductVersionLS(), 18 << 16 | 28);
    EXPECT_EQ(reader.FileFlagsMask(), 0x3F);
    EXPECT_EQ(reader.FileFlags(), 2);
    EXPECT_EQ(reader.FileOS(), 0x40004);
    EXPECT_EQ(reader.FileType(), 2);
    EXPECT_EQ(reader.FileSubtype(), 0);
    EXPECT_EQ(reader.FileDateMS(), 0);
    EXPECT_EQ(reader.FileDateLS(), 0);

    const std::vector<std::pair<QString, QString>> values{
        {"CompanyName", "Sample Company"},
        {"FileDescription", "Version resource sample"},
        {"fileVERSION", "3.1.4.15"},
        {"ProductVersion", "2.7.18.28"},
        {"Comments", ""},
        {"SpecialBuild", QStringLiteral(u"caf\u00e9 \u20ac")},
        {"Kommentar", noSuchValue},
        {"InternalName", noSuchValue},
    };
    for (const auto& [key, value] : values)
        EXPECT_EQ(reader.GetValue(key), value) << key.toStdString();
}

class VersionInfoReaderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(samples.error.isEmpty()) << samples.error.toStdString(); }

    QString writeSample(const QString& name, const QByteArray& bytes) {
        const QString path = samples.directory() + u'/' + name;
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        return path;
    }

    const VersionSamples& samples = VersionSamples::get();
};

TEST_F(VersionInfoReaderTest, ReadsTheProgramsOwnFileWhenCreated) {
    QObject owner;
    const auto* reader = new TVersionInfoReader(&owner);
    EXPECT_EQ(reader->parent(), &owner);
    EXPECT_EQ(reader->FileName(), ownExecutable());
    EXPECT_TRUE(reader->AutoGetInfo());
    expectOwnVersionInformation(*reader);
}

TEST_F(VersionInfoReaderTest, PublishesItsPropertiesInOrder) {
    TVersionInfoReader reader;
    const QMetaObject& meta = *reader.metaObject();
    QStringList names;
    QStringList writable;
    for (int index = meta.propertyOffset(); index < meta.propertyCount(); ++index) {
        names.append(meta.property(index).name());
        if (meta.property(index).isWritable())
            writable.append(meta.property(index).name());
    }
    EXPECT_EQ(names, QStringList({"FileName", "AutoGetInfo", "HaveVersionInfo", "Language", "CharSet", "Signature",
                                  "StrucVersion", "FileVersionMS", "FileVersionLS", "ProductVersionMS",
                                  "ProductVersionLS", "FileFlagsMask", "FileFlags", "FileOS", "FileType", "FileSubtype",
                                  "FileDateMS", "FileDateLS"}));
    EXPECT_EQ(writable, QStringList({"FileName", "AutoGetInfo"}));
    EXPECT_EQ(reader.property("FileVersionLS").toInt(), 2 << 16 | 126);
    EXPECT_EQ(reader.property("CharSet").toInt(), 0x04E4);
}

TEST_F(VersionInfoReaderTest, ReadsEveryValueOfAPeFile) {
    for (const QString& dll : {samples.dll, samples.dll32}) {
        TVersionInfoReader reader;
        reader.setFileName(dll);
        reader.GetFileInfo();
        expectSampleVersionInformation(reader);
    }
}

TEST_F(VersionInfoReaderTest, WritingTheFileNameReadsNothing) {
    TVersionInfoReader reader;
    reader.setFileName(samples.dll);
    EXPECT_EQ(reader.FileName(), samples.dll);
    expectOwnVersionInformation(reader);
    reader.GetFileInfo();
    expectSampleVersionInformation(reader);
}

TEST_F(VersionInfoReaderTest, RereadsOnlyWhenAutoGetInfoChanges) {
    TVersionInfoReader reader;
    reader.setFileName(samples.dll);
    reader.SetAutoGetInfo(true);
    EXPECT_EQ(reader.FileName(), samples.dll);
    expectOwnVersionInformation(reader);

    reader.SetAutoGetInfo(false);
    EXPECT_FALSE(reader.AutoGetInfo());
    EXPECT_EQ(reader.FileName(), samples.dll);
    expectSampleVersionInformation(reader);

    reader.setFileName(QStringLiteral("/nonexistent/file.exe"));
    reader.SetAutoGetInfo(false);
    expectSampleVersionInformation(reader);

    reader.SetAutoGetInfo(true);
    EXPECT_TRUE(reader.AutoGetInfo());
    EXPECT_EQ(reader.FileName(), ownExecutable());
    expectOwnVersionInformation(reader);
}

// Without a translation list the first string table names the translation.
TEST_F(VersionInfoReaderTest, FallsBackOnTheFirstStringTable) {
    QByteArray dll = fileBytes(samples.dll);
    const qsizetype varFileInfo = nodeOffset(dll, "VarFileInfo");
    setLittleEndianAt<quint16>(dll, varFileInfo + 6, 'X');
    TVersionInfoReader reader;
    reader.setFileName(writeSample("no_translation.dll", dll));
    reader.GetFileInfo();
    EXPECT_TRUE(reader.HaveVersionInfo());
    EXPECT_EQ(reader.Language(), 0x0407);
    EXPECT_EQ(reader.CharSet(), 0x04B0);
    EXPECT_EQ(reader.GetValue("companyname"), "Beispielfirma");
    EXPECT_EQ(reader.FileVersionMS(), 3 << 16 | 1);
}

TEST_F(VersionInfoReaderTest, KeepsNoVersionInformationFromBadFiles) {
    const QByteArray dll = fileBytes(samples.dll);
    QBuffer dllBuffer;
    dllBuffer.setData(dll);
    dllBuffer.open(QIODevice::ReadOnly);
    const auto versionData = executable_sections::findVersionData(dllBuffer);
    ASSERT_TRUE(versionData);
    const PeVersionResourceFields fields = peVersionResourceFields(dll);
    const auto dllWith = [&](const std::function<void(QByteArray&)>& change) {
        QByteArray bytes = dll;
        change(bytes);
        return bytes;
    };
    const QByteArray executable = fileBytes(ownExecutable());
    const qsizetype sectionHeaders = qsizetype(littleEndianAt<quint64>(executable, 0x28));

    const std::vector<std::pair<std::string, QString>> files{
        {"missing file", QStringLiteral("/nonexistent/parcelwright")},
        {"directory", samples.directory()},
        {"empty file", writeSample("empty.exe", {})},
        {"text file", QStringLiteral(PARCELWRIGHT_TEST_DATA_DIR "/version_sample.rc")},
        {"PE without version resource", writeSample("no_version.dll", dllWith([&](QByteArray& b) {
                                                        setLittleEndianAt<quint32>(b, fields.typeEntry, 6);
                                                    }))},
        {"PE truncated in its headers", writeSample("truncated1.dll", dll.first(fields.newHeader + 30))},
        {"PE truncated in its resource tree", writeSample("truncated2.dll", dll.first(fields.typeEntry + 6))},
        {"PE truncated in its version data",
         writeSample("truncated3.dll", dll.first(versionData->offset + versionData->size / 2))},
        {"PE version data outside the file",
         writeSample("outside.dll",
                     dllWith([&](QByteArray& b) { setLittleEndianAt<quint32>(b, fields.dataEntry, 0x7FFFFF00); }))},
        {"PE version root length beyond its data",
         writeSample("long_root.dll", dllWith([&](QByteArray& b) {
                         setLittleEndianAt<quint16>(b, versionData->offset, quint16(versionData->size + 8));
                     }))},
        {"PE StringFileInfo of length zero", writeSample("zero_length.dll", dllWith([&](QByteArray& b) {
                                                             setLittleEndianAt<quint16>(
                                                                 b, nodeOffset(b, "StringFileInfo"), 0);
                                                         }))},
        {"ELF truncated before its section headers", writeSample("truncated.elf", executable.first(sectionHeaders))},
    };
    for (const auto& [name, fileName] : files) {
        TVersionInfoReader reader;
        reader.setFileName(fileName);
        reader.GetFileInfo();
        EXPECT_FALSE(reader.HaveVersionInfo()) << name;
        EXPECT_EQ(reader.GetValue("FileVersion"), noSuchValue) << name;
        EXPECT_EQ(reader.GetValue("LegalTrademarks"), noSuchValue) << name;
        // The properties read before stay as they were.
        EXPECT_EQ(reader.Language(), 0x040C) << name;
        EXPECT_EQ(reader.FileVersionLS(), 2 << 16 | 126) << name;
    }
}

} // namespace
