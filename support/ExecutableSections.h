#pragma once

#include <QByteArray>

#include <optional>

class QIODevice;

// Finds where an executable file keeps its version information, reading only the headers it needs.
namespace executable_sections {

// The ELF section that parcelwright_embed_version_info() fills with the program's version information.
inline constexpr char versionSectionName[] = ".parcelwright_version";

// The resource type of version information in a PE file (RT_VERSION).
inline constexpr quint32 versionResourceType = 16;

struct ByteRange {
    qint64 offset = 0;
    qint64 size = 0;
};

// The bytes of the first version resource of a PE file, or of the version section of an ELF file.
// Nothing when the file is neither, has no version information, or its headers point outside the file.
std::optional<ByteRange> findVersionData(QIODevice& file);

// The size bytes at offset, or nothing when they do not all lie inside the file.
std::optional<QByteArray> readBytes(QIODevice& file, qint64 offset, qint64 size);

} // namespace executable_sections
