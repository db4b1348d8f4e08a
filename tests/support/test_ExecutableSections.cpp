#include "support/ExecutableSections.h"

#include "VersionSamples.h"

#include <QBuffer>

#include <functional>
#include <string>
#include <vector>

using executable_sections::ByteRange;
using executable_sections::findVersionData;

namespace {

std::optional<ByteRange> findIn(QByteArray bytes) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return findVersionData(buffer);
}

QByteArray bytesOf(const QByteArray& file, const ByteRange& range) {
    return file.mid(range.offset, range.size);
}

// Version information starts with its own length and the key VS_VERSION_INFO.
void expectVersionInfo(const QByteArray& data) {
    ASSERT_GE(data.size(), 38);
    EXPECT_EQ(littleEndianAt<quint16>(data, 0), data.size());
    EXPECT_EQ(QString::fromUtf16(reinterpret_cast<const char16_t*>(data.constData() + 6), 15), u"VS_VERSION_INFO");
}

using Mutation = std::function<void(QByteArray&)>;

struct BrokenFile {
    std::string name;
    Mutation mutate;
};

Mutation truncatedTo(qsizetype size) {
    return [size](QByteArray& bytes) { bytes.truncate(size); };
}

template <typename T> Mutation written(qsizetype offset, T value) {
    return [offset, value](QByteArray& bytes) { setLittleEndianAt<T>(bytes, offset, value); };
}

void expectNoVersionData(const QByteArray& original, const std::vector<BrokenFile>& cases) {
    for (const BrokenFile& broken : cases) {
        QByteArray bytes = original;
        broken.mutate(bytes);
        EXPECT_FALSE(findIn(bytes)) << broken.name;
    }
}

class ExecutableSectionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(VersionSamples::get().error.isEmpty()) << VersionSamples::get().error.toStdString();
    }

    const VersionSamples& samples = VersionSamples::get();
};

TEST_F(ExecutableSectionsTest, FindsTheFirstVersionResourceOfPeFiles) {
    const QByteArray dll = fileBytes(samples.dll);
    const auto range = findIn(dll);
    ASSERT_TRUE(range);
    expectVersionInfo(bytesOf(dll, *range));
    EXPECT_TRUE(bytesOf(dll, *range).contains(QByteArray("S\0a\0m\0p\0l\0e\0 \0C\0o\0m\0p\0a\0n\0y\0", 28)));

    const QByteArray dll32 = fileBytes(samples.dll32);
    const auto range32 = findIn(dll32);
    ASSERT_TRUE(range32);
    EXPECT_EQ(littleEndianAt<quint16>(dll32, littleEndianAt<quint32>(dll32, 0x3C) + 24), 0x10B) << "PE32 sample";
    EXPECT_EQ(bytesOf(dll32, *range32), bytesOf(dll, *range));
}

TEST_F(ExecutableSectionsTest, FindsTheVersionSectionOfElfFiles) {
    const QByteArray executable = fileBytes(ownExecutable());
    const auto range = findIn(executable);
    ASSERT_TRUE(range);
    const QByteArray versionInfo = bytesOf(executable, *range);
    expectVersionInfo(versionInfo);

    // objcopy puts the same bytes into the section of 32-bit and 64-bit ELF objects.
    const QString input = samples.directory() + QStringLiteral("/version_info.bin");
    QFile inputFile(input);
    ASSERT_TRUE(inputFile.open(QIODevice::WriteOnly));
    inputFile.write(versionInfo);
    inputFile.close();
    for (const QString& format : {QStringLiteral("elf32-i386"), QStringLiteral("elf64-x86-64")}) {
        const QString object = samples.directory() + u'/' + format + QStringLiteral(".o");
        const QString error =
            runTool(QStringLiteral(PARCELWRIGHT_OBJCOPY),
                    {QStringLiteral("-I"), QStringLiteral("binary"), QStringLiteral("-O"), format,
                     QStringLiteral("--rename-section"),
                     QStringLiteral(".data=") + executable_sections::versionSectionName, input, object});
        ASSERT_TRUE(error.isEmpty()) << error.toStdString();
        const QByteArray objectBytes = fileBytes(object);
        const auto objectRange = findIn(objectBytes);
        ASSERT_TRUE(objectRange) << format.toStdString();
        EXPECT_EQ(bytesOf(objectBytes, *objectRange), versionInfo) << format.toStdString();
    }
}

TEST_F(ExecutableSectionsTest, FindsNothingInOtherFiles) {
    for (const QByteArray& bytes :
         {QByteArray(), QByteArray("MZ"), QByteArray("\177ELF"),
          QByteArray("Not an executable, just a line of text long enough to hold every header field.\n"),
          fileBytes(QStringLiteral(PARCELWRIGHT_TEST_DATA_DIR "/version_sample.rc"))})
        EXPECT_FALSE(findIn(bytes)) << bytes.left(16).toStdString();
}

TEST_F(ExecutableSectionsTest, FindsNothingInBrokenPeFiles) {
    const QByteArray dll = fileBytes(samples.dll);
    const auto range = findIn(dll);
    ASSERT_TRUE(range);
    const PeVersionResourceFields fields = peVersionResourceFields(dll);
    const quint32 typeTarget = littleEndianAt<quint32>(dll, fields.typeEntry + 4);

    expectNoVersionData(
        dll,
        {
            {"truncated in the DOS header", truncatedTo(40)},
            {"truncated in the PE header", truncatedTo(fields.newHeader + 10)},
            {"truncated in the resource tree", truncatedTo(fields.typeEntry + 4)},
            {"truncated before the version data", truncatedTo(range->offset)},
            {"truncated in the version data", truncatedTo(range->offset + range->size - 1)},
            {"new header outside the file", written<quint32>(0x3C, 0xFFFFFFF0)},
            {"no PE signature", written<quint8>(fields.newHeader + 1, 'X')},
            {"unknown optional header", written<quint16>(fields.newHeader + 24, 0x999)},
            {"no sections", written<quint16>(fields.newHeader + 6, 0)},
            {"no resource directory", written<quint32>(fields.resourceDirectoryAddress, 0)},
            {"resource directory outside every section", written<quint32>(fields.resourceDirectoryAddress, 0x7FFFFFF0)},
            {"resources of another type only", written<quint32>(fields.typeEntry, 6)},
            {"type entry without subdirectory", written<quint32>(fields.typeEntry + 4, typeTarget & 0x7FFFFFFF)},
            {"type entry pointing back at the root", written<quint32>(fields.typeEntry + 4, 0x80000000)},
            {"entry count beyond the section", written<quint16>(fields.typeEntry - 2, 0xFFFF)},
            {"data outside every section", written<quint32>(fields.dataEntry, 0xFFFFFF00)},
            {"data size beyond the section", written<quint32>(fields.dataEntry + 4, 0x7FFFFFFF)},
        });
}

TEST_F(ExecutableSectionsTest, FindsNothingInBrokenElfFiles) {
    const QByteArray executable = fileBytes(ownExecutable());
    const auto range = findIn(executable);
    ASSERT_TRUE(range);
    const qsizetype sectionTable = qsizetype(littleEndianAt<quint64>(executable, 0x28));
    const quint16 sectionCount = littleEndianAt<quint16>(executable, 0x3C);
    qsizetype versionSection = 0;
    for (qsizetype header = sectionTable; header < sectionTable + sectionCount * 64; header += 64) {
        if (qint64(littleEndianAt<quint64>(executable, header + 0x18)) == range->offset)
            versionSection = header;
    }
    ASSERT_NE(versionSection, 0);
    const quint16 namesSection = littleEndianAt<quint16>(executable, 0x3E);
    const qsizetype names = qsizetype(littleEndianAt<quint64>(executable, sectionTable + namesSection * 64 + 0x18));
    const QByteArray sectionName = executable_sections::versionSectionName;
    const qsizetype nameOffset = executable.indexOf(sectionName + '\0', names);
    ASSERT_GE(nameOffset, names);

    expectNoVersionData(
        executable, {
                        {"truncated in the identification", truncatedTo(12)},
                        {"truncated in the file header", truncatedTo(40)},
                        {"truncated before the section headers", truncatedTo(sectionTable)},
                        {"truncated in the version section", truncatedTo(range->offset + 1)},
                        {"unknown class", written<quint8>(4, 3)},
                        {"big-endian", written<quint8>(5, 2)},
                        {"section headers at the end", written<quint64>(0x28, executable.size())},
                        {"section headers beyond any offset", written<quint64>(0x28, 0xFFFFFFFFFFFFFFF0)},
                        {"section header size zero", written<quint16>(0x3A, 0)},
                        {"names section out of range", written<quint16>(0x3E, sectionCount)},
                        {"section renamed", written<quint8>(nameOffset + sectionName.size() - 1, 'N')},
                        {"section without file data", written<quint32>(versionSection + 4, 8)},
                        {"section size beyond the file", written<quint64>(versionSection + 0x20, executable.size())},
                        {"section offset beyond the file", written<quint64>(versionSection + 0x18, 0x7FFFFFFFFFFF)},
                    });
}

} // namespace
