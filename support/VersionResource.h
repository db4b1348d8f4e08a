#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// Version information in the layout of a VS_VERSIONINFO block: nodes made of a length, a value length,
// a type, a UTF-16 key and a value, followed by their child nodes, each aligned on 32 bits. The root
// "VS_VERSION_INFO" holds the fixed block; "StringFileInfo" holds one string table per translation,
// "VarFileInfo\Translation" the list of translations.
//
// The first three functions play the part of the platform's GetFileVersionInfoSize, GetFileVersionInfo
// and VerQueryValue.
namespace version_resource {

inline constexpr qsizetype fixedFileInfoSize = 52;

// The size of the version information of a PE or ELF file; 0 when it has none or cannot be read.
quint32 fileVersionInfoSize(const QString& fileName);

// Fills data, sized by fileVersionInfoSize(), with the file's version information. False when the file
// has none or its version information is malformed.
bool fileVersionInfo(const QString& fileName, QByteArray& data);

// The value at path: names separated by "\", matched regardless of letter case; "\" alone is the root,
// whose value is the fixed block. A text value comes with its terminating zero when it has one.
std::optional<QByteArrayView> queryValue(QByteArrayView data, QStringView path);

// The keys of the nodes directly below path, in stored order.
QStringList childKeys(QByteArrayView data, QStringView path);

// The text of a value: UTF-16 up to its terminating zero or its end.
QString textValue(QByteArrayView value);

// True when every node's length and key lie inside its parent and the root is "VS_VERSION_INFO".
bool isWellFormed(QByteArrayView data);

} // namespace version_resource
