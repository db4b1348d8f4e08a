#pragma once

// Sample files for the version-information tests. The test program's own file carries the version
// section (parcelwright_embed_version_info); PE files are made from tests/data/version_sample.rc by
// the mingw binutils, once per test program. In that resource the German string table comes first
// but the translation list names English first, so a reader must follow the first translation.

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

inline QString ownExecutable() {
    return QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
}

inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

template <typename T> T littleEndianAt(const QByteArray& bytes, qsizetype offset) {
    return qFromLittleEndian<T>(bytes.constData() + offset);
}

template <typename T> void setLittleEndianAt(QByteArray& bytes, qsizetype offset, T value) {
    qToLittleEndian<T>(value, bytes.data() + offset);
}

// Where a node with the given key starts: its UTF-16 key follows the 6-byte node header.
inline qsizetype nodeOffset(const QByteArray& bytes, const QString& key) {
    const QString terminated = key + QChar(0);
    const QByteArray utf16(reinterpret_cast<const char*>(terminated.utf16()), terminated.size() * 2);
    const qsizetype keyOffset = bytes.indexOf(utf16);
    EXPECT_GE(keyOffset, 6) << key.toStdString();
    return keyOffset - 6;
}

// File offsets of the fields of a PE file's version resource that the tests corrupt.
struct PeVersionResourceFields {
    qsizetype newHeader;
    qsizetype resourceDirectoryAddress;
    qsizetype typeEntry;
    qsizetype dataEntry;
};

inline PeVersionResourceFields peVersionResourceFields(const QByteArray& pe) {
    PeVersionResourceFields fields{};
    fields.newHeader = littleEndianAt<quint32>(pe, 0x3C);
    const qsizetype optionalHeader = fields.newHeader + 24;
    const bool pe32Plus = littleEndianAt<quint16>(pe, optionalHeader) == 0x20B;
    fields.resourceDirectoryAddress = optionalHeader + (pe32Plus ? 112 : 96) + 2 * 8;
    const quint32 resourceAddress = littleEndianAt<quint32>(pe, fields.resourceDirectoryAddress);
    const qsizetype sectionTable = optionalHeader + littleEndianAt<quint16>(pe, fields.newHeader + 20);
    const qsizetype sectionCount = littleEndianAt<quint16>(pe, fields.newHeader + 6);
    qsizetype resourceRoot = 0;
    for (qsizetype section = sectionTable; section < sectionTable + sectionCount * 40; section += 40) {
        if (littleEndianAt<quint32>(pe, section + 12) == resourceAddress)
            resourceRoot = littleEndianAt<quint32>(pe, section + 20);
    }
    EXPECT_NE(resourceRoot, 0);
    // Each level has one entry, right after its 16-byte directory header.
    const auto firstEntryTarget = [&](qsizetype directory) {
        return resourceRoot + (littleEndianAt<quint32>(pe, resourceRoot + directory + 20) & 0x7FFFFFFF);
    };
    fields.typeEntry = resourceRoot + 16;
    const qsizetype nameDirectory = firstEntryTarget(0) - resourceRoot;
    const qsizetype languageDirectory = firstEntryTarget(nameDirectory) - resourceRoot;
    fields.dataEntry = firstEntryTarget(languageDirectory);
    return fields;
}

// Runs a build tool; the empty text when it succeeded, otherwise its output.
inline QString runTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (process.waitForFinished() && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        return {};
    return program + QStringLiteral(" failed: ") + process.errorString() + u'\n' +
           QString::fromLocal8Bit(process.readAll());
}

class VersionSamples {
public:
    static const VersionSamples& get() {
        static const VersionSamples samples;
        return samples;
    }

    // Empty when the samples were made; otherwise what went wrong.
    QString error;
    // PE32+ DLL made by windres and ld.
    QString dll;
    // The same DLL converted to PE32 by objcopy.
    QString dll32;
    QString directory() const { return directory_.path(); }

private:
    VersionSamples() {
        const QString windres = QStringLiteral(PARCELWRIGHT_MINGW_WINDRES);
        const QString toolPrefix = windres.chopped(QStringLiteral("windres").size());
        const QString object = directory_.filePath(QStringLiteral("version_sample.o"));
        dll = directory_.filePath(QStringLiteral("version_sample.dll"));
        dll32 = directory_.filePath(QStringLiteral("version_sample32.dll"));
        error = runTool(windres, {QStringLiteral("--preprocessor=cat"),
                                  QStringLiteral(PARCELWRIGHT_TEST_DATA_DIR "/version_sample.rc"), QStringLiteral("-o"),
                                  object});
        if (error.isEmpty())
            error =
                runTool(toolPrefix + QStringLiteral("ld"), {QStringLiteral("--dll"), QStringLiteral("-e"),
                                                            QStringLiteral("0"), QStringLiteral("-o"), dll, object});
        if (error.isEmpty())
            error = runTool(toolPrefix + QStringLiteral("objcopy"),
                            {QStringLiteral("-O"), QStringLiteral("pei-i386"), dll, dll32});
    }

    QTemporaryDir directory_;
};
