#include "support/ExecutableSections.h"

#include <QIODevice>
#include <QtEndian>

#include <vector>

namespace executable_sections {
namespace {

template <typename T> T littleEndian(const QByteArray& bytes, qint64 offset) {
    return qFromLittleEndian<T>(bytes.constData() + offset);
}

bool liesInside(const ByteRange& range, const QIODevice& file) {
    return range.offset >= 0 && range.size >= 0 && range.offset <= file.size() &&
           range.size <= file.size() - range.offset;
}

// PE files: the MS-DOS stub, the PE signature with the file header, the optional header whose data
// directory locates the resource tree, and the section table that maps addresses to file offsets.
namespace pe {

constexpr qint64 dosHeaderSize = 64;
constexpr qint64 newHeaderOffsetField = 0x3C;
constexpr qint64 signatureAndFileHeaderSize = 24;
constexpr qint64 sectionHeaderSize = 40;
constexpr quint16 pe32Magic = 0x10B;
constexpr quint16 pe32PlusMagic = 0x20B;
constexpr qint64 pe32DataDirectories = 96;
constexpr qint64 pe32PlusDataDirectories = 112;
constexpr qint64 dataDirectorySize = 8;
constexpr quint32 resourceDirectoryIndex = 2;
constexpr qint64 resourceDirectoryHeaderSize = 16;
constexpr qint64 resourceDirectoryEntrySize = 8;
constexpr qint64 resourceDataEntrySize = 16;
constexpr quint32 subdirectoryFlag = 0x80000000;

struct Section {
    qint64 virtualAddress;
    qint64 rawSize;
    qint64 rawOffset;
};

class Image {
public:
    static std::optional<Image> read(QIODevice& file);

    // The file offset of size bytes at a relative virtual address, when they lie in one section's raw data.
    std::optional<qint64> fileOffset(qint64 address, qint64 size) const {
        for (const Section& section : sections_) {
            const qint64 start = address - section.virtualAddress;
            if (start >= 0 && start <= section.rawSize && size <= section.rawSize - start)
                return section.rawOffset + start;
        }
        return {};
    }

    // Bytes at an offset from the start of the resource tree.
    std::optional<QByteArray> readResource(qint64 offset, qint64 size) const {
        const auto start = fileOffset(resourceAddress_ + offset, size);
        return start ? readBytes(*file_, *start, size) : std::nullopt;
    }

private:
    Image(QIODevice& file, qint64 resourceAddress, std::vector<Section> sections)
        : file_(&file), resourceAddress_(resourceAddress), sections_(std::move(sections)) {}

    QIODevice* file_;
    qint64 resourceAddress_;
    std::vector<Section> sections_;
};

std::optional<Image> Image::read(QIODevice& file) {
    const auto dosHeader = readBytes(file, 0, dosHeaderSize);
    if (!dosHeader || !dosHeader->startsWith("MZ"))
        return {};
    const qint64 newHeader = littleEndian<quint32>(*dosHeader, newHeaderOffsetField);
    const auto fileHeader = readBytes(file, newHeader, signatureAndFileHeaderSize);
    if (!fileHeader || !fileHeader->startsWith(QByteArrayView("PE\0\0", 4)))
        return {};
    const qint64 sectionCount = littleEndian<quint16>(*fileHeader, 6);
    const qint64 optionalHeaderSize = littleEndian<quint16>(*fileHeader, 20);
    const qint64 optionalHeaderOffset = newHeader + signatureAndFileHeaderSize;
    const auto optionalHeader = readBytes(file, optionalHeaderOffset, optionalHeaderSize);
    if (!optionalHeader || optionalHeaderSize < 2)
        return {};

    const quint16 magic = littleEndian<quint16>(*optionalHeader, 0);
    const qint64 directories = magic == pe32Magic       ? pe32DataDirectories
                               : magic == pe32PlusMagic ? pe32PlusDataDirectories
                                                        : 0;
    const qint64 resourceDirectory = directories + resourceDirectoryIndex * dataDirectorySize;
    if (directories == 0 || resourceDirectory + dataDirectorySize > optionalHeaderSize ||
        littleEndian<quint32>(*optionalHeader, directories - 4) <= resourceDirectoryIndex)
        return {};
    const qint64 resourceAddress = littleEndian<quint32>(*optionalHeader, resourceDirectory);
    if (resourceAddress == 0)
        return {};

    const auto sectionTable =
        readBytes(file, optionalHeaderOffset + optionalHeaderSize, sectionCount * sectionHeaderSize);
    if (!sectionTable)
        return {};
    std::vector<Section> sections;
    for (qint64 entry = 0; entry < sectionCount * sectionHeaderSize; entry += sectionHeaderSize)
        sections.push_back({littleEndian<quint32>(*sectionTable, entry + 12),
                            littleEndian<quint32>(*sectionTable, entry + 16),
                            littleEndian<quint32>(*sectionTable, entry + 20)});
    return Image(file, resourceAddress, std::move(sections));
}

// What an entry of the resource directory at directoryOffset points to: its first entry, or the
// first whose numeric id is wantedId.
std::optional<quint32> entryTarget(const Image& image, qint64 directoryOffset, std::optional<quint32> wantedId) {
    const auto header = image.readResource(directoryOffset, resourceDirectoryHeaderSize);
    if (!header)
        return {};
    const qint64 entryCount = qint64(littleEndian<quint16>(*header, 12)) + littleEndian<quint16>(*header, 14);
    const auto entries =
        image.readResource(directoryOffset + resourceDirectoryHeaderSize, entryCount * resourceDirectoryEntrySize);
    if (!entries)
        return {};
    for (qint64 entry = 0; entry < entries->size(); entry += resourceDirectoryEntrySize) {
        // Named entries carry the high bit in their name field, so they never equal a numeric id.
        if (!wantedId || littleEndian<quint32>(*entries, entry) == *wantedId)
            return littleEndian<quint32>(*entries, entry + 4);
    }
    return {};
}

// The resource tree has three levels, type, name and language, and exactly three: the walk never
// follows more links than that, so a directory that points back at itself cannot hold it up.
std::optional<ByteRange> findVersionResource(QIODevice& file) {
    const auto image = Image::read(file);
    if (!image)
        return {};
    std::optional<quint32> target = entryTarget(*image, 0, versionResourceType);
    for (int level = 0; level < 2; ++level) {
        if (!target || !(*target & subdirectoryFlag))
            return {};
        target = entryTarget(*image, *target & ~subdirectoryFlag, std::nullopt);
    }
    if (!target || (*target & subdirectoryFlag))
        return {};
    const auto dataEntry = image->readResource(*target, resourceDataEntrySize);
    if (!dataEntry)
        return {};
    const qint64 size = littleEndian<quint32>(*dataEntry, 4);
    const auto offset = image->fileOffset(littleEndian<quint32>(*dataEntry, 0), size);
    if (!offset)
        return {};
    return ByteRange{*offset, size};
}

} // namespace pe

// ELF files: the file header locates the section headers and the section that holds their names.
namespace elf {

constexpr char magic[] = "\177ELF";
constexpr qint64 identSize = 16;
constexpr qint64 classField = 4;
constexpr qint64 dataField = 5;
constexpr char class32 = 1;
constexpr char class64 = 2;
constexpr char littleEndianData = 1;
constexpr quint32 noBitsType = 8;

struct Layout {
    qint64 headerSize;
    qint64 wordSize;
    qint64 sectionTableField;
    qint64 sectionEntrySizeField;
    qint64 sectionCountField;
    qint64 namesSectionField;
    qint64 sectionHeaderSize;
    qint64 sectionOffsetField;
    qint64 sectionSizeField;
};

constexpr Layout layout32{52, 4, 0x20, 0x2E, 0x30, 0x32, 40, 0x10, 0x14};
constexpr Layout layout64{64, 8, 0x28, 0x3A, 0x3C, 0x3E, 64, 0x18, 0x20};

// An address or size field; a 64-bit value beyond qint64 becomes negative and fails every range check.
qint64 word(const Layout& layout, const QByteArray& bytes, qint64 offset) {
    return layout.wordSize == 4 ? qint64(littleEndian<quint32>(bytes, offset))
                                : qint64(littleEndian<quint64>(bytes, offset));
}

std::optional<ByteRange> findSection(QIODevice& file, QByteArrayView wantedName) {
    const auto ident = readBytes(file, 0, identSize);
    if (!ident || ident->at(dataField) != littleEndianData)
        return {};
    const char fileClass = ident->at(classField);
    if (fileClass != class32 && fileClass != class64)
        return {};
    const Layout& layout = fileClass == class32 ? layout32 : layout64;

    const auto header = readBytes(file, 0, layout.headerSize);
    if (!header || littleEndian<quint16>(*header, layout.sectionEntrySizeField) != layout.sectionHeaderSize)
        return {};
    const qint64 sectionCount = littleEndian<quint16>(*header, layout.sectionCountField);
    const qint64 namesSection = littleEndian<quint16>(*header, layout.namesSectionField);
    if (namesSection >= sectionCount)
        return {};
    const auto table =
        readBytes(file, word(layout, *header, layout.sectionTableField), sectionCount * layout.sectionHeaderSize);
    if (!table)
        return {};

    const auto sectionRange = [&](qint64 section) {
        const qint64 entry = section * layout.sectionHeaderSize;
        return ByteRange{word(layout, *table, entry + layout.sectionOffsetField),
                         word(layout, *table, entry + layout.sectionSizeField)};
    };
    const ByteRange names = sectionRange(namesSection);
    for (qint64 section = 0; section < sectionCount; ++section) {
        const qint64 entry = section * layout.sectionHeaderSize;
        const qint64 nameOffset = littleEndian<quint32>(*table, entry);
        if (nameOffset > names.size - wantedName.size())
            continue;
        const auto name = readBytes(file, names.offset + nameOffset, wantedName.size());
        if (name && *name == wantedName && littleEndian<quint32>(*table, entry + 4) != noBitsType)
            return sectionRange(section);
    }
    return {};
}

} // namespace elf

} // namespace

std::optional<QByteArray> readBytes(QIODevice& file, qint64 offset, qint64 size) {
    if (!liesInside({offset, size}, file) || !file.seek(offset))
        return {};
    QByteArray bytes = file.read(size);
    if (bytes.size() != size)
        return {};
    return bytes;
}

std::optional<ByteRange> findVersionData(QIODevice& file) {
    const auto magic = readBytes(file, 0, 4);
    if (!magic)
        return {};
    std::optional<ByteRange> range;
    if (magic->startsWith("MZ"))
        range = pe::findVersionResource(file);
    else if (*magic == elf::magic)
        range = elf::findSection(file, QByteArrayView(versionSectionName, sizeof versionSectionName));
    if (!range || !liesInside(*range, file))
        return {};
    return range;
}

} // namespace executable_sections
