#include "support/VersionResource.h"

#include "VersionSamples.h"

#include <string>
#include <vector>

using namespace version_resource;

namespace {

QByteArray versionInfoOf(const QString& fileName) {
    QByteArray data(fileVersionInfoSize(fileName), '\0');
    EXPECT_TRUE(fileVersionInfo(fileName, data)) << fileName.toStdString();
    return data;
}

std::optional<QString> textAt(QByteArrayView data, QStringView path) {
    const auto value = queryValue(data, path);
    return value ? std::optional(textValue(*value)) : std::nullopt;
}

const QStringList ownStringKeys{"CompanyName",    "FileDescription", "FileVersion",      "InternalName",
                                "LegalCopyright", "LegalTrademarks", "OriginalFilename", "ProductName",
                                "ProductVersion", "Comments"};

TEST(VersionResource, ReadsTheProgramsOwnVersionInformation) {
    const QByteArray data = versionInfoOf(ownExecutable());
    ASSERT_TRUE(isWellFormed(data));
    EXPECT_EQ(data.size(), littleEndianAt<quint16>(data, 0));

    const auto fixedBlock = queryValue(data, u"\\");
    ASSERT_TRUE(fixedBlock);
    ASSERT_EQ(fixedBlock->size(), fixedFileInfoSize);
    const std::vector<quint32> fields{0xFEEF04BD, 0x00010000, 0x00010000, 0x0002007E, 0x00010000, 0x0002007E, 0x3F,
                                      0,          4,          1,          0,          0,          0};
    for (qsizetype field = 0; field < qsizetype(fields.size()); ++field)
        EXPECT_EQ(qFromLittleEndian<quint32>(fixedBlock->data() + 4 * field), fields[field]) << "field " << field;

    EXPECT_EQ(queryValue(data, u"\\VarFileInfo\\Translation"), QByteArrayView("\x0C\x04\xE4\x04"));
    EXPECT_EQ(childKeys(data, u"\\"), QStringList({"StringFileInfo", "VarFileInfo"}));
    EXPECT_EQ(childKeys(data, u"\\StringFileInfo"), QStringList{"040C04E4"});
    EXPECT_EQ(childKeys(data, u"\\StringFileInfo\\040C04E4"), ownStringKeys);
}

TEST(VersionResource, MatchesPathsRegardlessOfLetterCase) {
    const QByteArray data = versionInfoOf(ownExecutable());
    const std::vector<std::pair<QString, std::optional<QString>>> cases{
        {"\\StringFileInfo\\040C04E4\\FileVersion", "1.0.2.126"},
        {"\\stringfileinfo\\040c04e4\\FILEVERSION", "1.0.2.126"},
        {"StringFileInfo\\040C04E4\\ProductVersion", "1.0.0.0"},
        {"\\\\StringFileInfo\\\\040C04E4\\InternalName\\", "Parcelwright"},
        {"\\StringFileInfo\\040C04E4\\LegalTrademarks", ""},
        {"\\StringFileInfo\\040C04E4\\FileVersio", std::nullopt},
        {"\\StringFileInfo\\040C04E4\\FileVersion\\Major", std::nullopt},
        {"\\StringFileInfo\\040904B0\\FileVersion", std::nullopt},
        {"\\StringFileInfo\\FileVersion", std::nullopt},
        {"\\FileVersion", std::nullopt},
    };
    for (const auto& [path, expected] : cases)
        EXPECT_EQ(textAt(data, path), expected) << path.toStdString();
}

TEST(VersionResource, DecodesTextValues) {
    const std::vector<std::pair<QByteArray, QString>> cases{
        {QByteArray("A\0B\0\0\0C\0", 8), "AB"},
        {QByteArray("A\0B\0", 4), "AB"},
        {QByteArray("A\0B", 3), "A"},
        {QByteArray("\0\0A\0", 4), ""},
        {QByteArray(), ""},
        {QByteArray("\xE9\0\xAC\x20", 4), QStringLiteral(u"\u00e9\u20ac")},
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(textValue(bytes), text) << bytes.toHex().toStdString();
}

TEST(VersionResource, RefusesMalformedVersionInformation) {
    const QByteArray valid = versionInfoOf(ownExecutable());
    ASSERT_TRUE(isWellFormed(valid));
    const qsizetype stringFileInfo = nodeOffset(valid, "StringFileInfo");
    const qsizetype stringTable = nodeOffset(valid, "040C04E4");
    const qsizetype companyName = nodeOffset(valid, "CompanyName");
    const qsizetype varFileInfo = nodeOffset(valid, "VarFileInfo");
    const qsizetype translation = nodeOffset(valid, "Translation");
    const std::vector<std::tuple<std::string, qsizetype, quint16>> lengthWords{
        {"root length zero", 0, 0},
        {"root length shorter than its header", 0, 5},
        {"root length beyond the data", 0, quint16(valid.size() + 4)},
        {"root key without its terminating zero", 0, 20},
        {"root key renamed", 6, 'W'},
        {"StringFileInfo length zero", stringFileInfo, 0},
        {"StringFileInfo length beyond the root", stringFileInfo, 0xFFF0},
        {"string table length shorter than its header", stringTable, 3},
        {"string length beyond its table", companyName, 0x7FFF},
        {"string length cutting its key", companyName, 10},
        {"VarFileInfo length zero", varFileInfo, 0},
        {"Translation length beyond the data", translation, 0xFFFF},
    };
    for (const auto& [name, offset, word] : lengthWords) {
        QByteArray data = valid;
        setLittleEndianAt<quint16>(data, offset, word);
        EXPECT_FALSE(isWellFormed(data)) << name;
    }
}

TEST(VersionResource, CutsAValueThatRunsPastItsNode) {
    QByteArray data = versionInfoOf(ownExecutable());
    setLittleEndianAt<quint16>(data, nodeOffset(data, "CompanyName") + 2, 0x7FFF);
    EXPECT_TRUE(isWellFormed(data));
    EXPECT_EQ(textAt(data, u"\\StringFileInfo\\040C04E4\\CompanyName"), "The Parcelwright project");
    EXPECT_EQ(textAt(data, u"\\StringFileInfo\\040C04E4\\FileDescription"), "Parcelwright for Macromedia products");
}

TEST(VersionResource, RefusesEveryTruncation) {
    const QByteArray valid = versionInfoOf(ownExecutable());
    for (qsizetype size = 0; size < valid.size(); ++size)
        EXPECT_FALSE(isWellFormed(valid.first(size))) << "truncated to " << size;
}

// Whatever byte is corrupted, queries only ever answer with bytes inside the data.
TEST(VersionResource, StaysInsideCorruptData) {
    const QByteArray valid = versionInfoOf(ownExecutable());
    const QStringList paths{"\\", "\\VarFileInfo\\Translation", "\\StringFileInfo\\040C04E4\\FileVersion",
                            "\\StringFileInfo\\040C04E4\\Comments"};
    for (qsizetype position = 0; position < valid.size(); ++position) {
        for (const char corrupt : {'\x00', '\xFF'}) {
            QByteArray data = valid;
            data[position] = corrupt;
            isWellFormed(data);
            for (const QString& path : paths) {
                const auto value = queryValue(data, path);
                if (value) {
                    EXPECT_GE(value->data(), data.constData());
                    EXPECT_LE(value->data() + value->size(), data.constData() + data.size());
                }
            }
            EXPECT_LE(childKeys(data, u"\\StringFileInfo\\040C04E4").size(), ownStringKeys.size());
        }
    }
}

// Nodes nested one inside the other below a root, each keyed "A".
QByteArray nestedNodes(int levels) {
    QByteArray data;
    for (int level = levels; level >= 0; --level) {
        const QString key = level == 0 ? QStringLiteral("VS_VERSION_INFO") : QStringLiteral("A");
        QByteArray node(6, '\0');
        for (QChar character : key + QChar(0))
            node.append(char(character.unicode())).append('\0');
        while (node.size() % 4 != 0)
            node.append('\0');
        node += data;
        setLittleEndianAt<quint16>(node, 0, quint16(node.size()));
        data = node;
    }
    return data;
}

TEST(VersionResource, BoundsTheNestingDepth) {
    EXPECT_TRUE(isWellFormed(nestedNodes(4)));
    EXPECT_TRUE(isWellFormed(nestedNodes(8)));
    EXPECT_FALSE(isWellFormed(nestedNodes(9)));
    EXPECT_FALSE(isWellFormed(nestedNodes(200)));
    EXPECT_EQ(childKeys(nestedNodes(200), u"\\A\\A\\A"), QStringList{"A"});
}

TEST(VersionResource, NeedsABufferThatTheVersionInformationFits) {
    QByteArray empty;
    EXPECT_FALSE(fileVersionInfo(ownExecutable(), empty));
    QByteArray tooLarge(fileVersionInfoSize(ownExecutable()) + 1, '\0');
    EXPECT_FALSE(fileVersionInfo(ownExecutable(), tooLarge));
}

} // namespace
