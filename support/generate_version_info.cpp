// Turns the text description of the program's version information (version_info.txt) into a
// VS_VERSIONINFO block and writes it as a C++ source file that places the block in the executable's
// version section.
//
// Usage: generate_version_info <description> <output.cpp>

#include "support/ExecutableSections.h"

#include <QFile>
#include <QHash>
#include <QList>
#include <QPair>
#include <QRegularExpression>
#include <QTextStream>
#include <QtEndian>

#include <array>
#include <cstdio>
#include <optional>
#include <stdexcept>

namespace {

class DescriptionError : public std::runtime_error {
public:
    explicit DescriptionError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

constexpr quint32 fixedBlockSignature = 0xFEEF04BD;
constexpr quint32 fixedBlockVersion = 0x00010000;
constexpr quint16 binaryType = 0;
constexpr quint16 textType = 1;

struct Description {
    // The thirteen fields of the fixed block in stored order, from the signature to the file date.
    std::array<quint32, 13> fixedBlock{fixedBlockSignature, fixedBlockVersion};
    std::optional<QPair<quint16, quint16>> translation;
    QList<QPair<QString, QString>> strings;
};

// Where a keyword's value goes in the fixed block; versions take two fields.
const QHash<QString, int> versionFields{{"FILEVERSION", 2}, {"PRODUCTVERSION", 4}};
const QHash<QString, int> numberFields{
    {"FILEFLAGSMASK", 6}, {"FILEFLAGS", 7}, {"FILEOS", 8}, {"FILETYPE", 9}, {"FILESUBTYPE", 10}};

quint32 number(const QString& text, quint32 maximum = 0xFFFFFFFF) {
    bool ok = false;
    const qulonglong value = text.toULongLong(&ok, 0);
    if (!ok || value > maximum)
        throw DescriptionError(QStringLiteral("\"%1\" is not a number up to %2").arg(text).arg(maximum));
    return quint32(value);
}

// "1.0.2.126" as the most and least significant halves of a fixed-block version.
QPair<quint32, quint32> version(const QString& text) {
    const QStringList parts = text.split(u'.');
    if (parts.size() != 4)
        throw DescriptionError(QStringLiteral("\"%1\" is not a version of four numbers").arg(text));
    std::array<quint32, 4> numbers{};
    for (int part = 0; part < 4; ++part)
        numbers[part] = number(parts[part], 0xFFFF);
    return {numbers[0] << 16 | numbers[1], numbers[2] << 16 | numbers[3]};
}

void readLine(const QString& line, Description& description) {
    static const QRegularExpression spaces(QStringLiteral("\\s+"));
    static const QRegularExpression valueLine(QStringLiteral("^VALUE\\s+(\\S+)\\s+\"(.*)\"$"));
    const QStringList words = line.split(spaces);
    const QString& keyword = words.first();
    if (keyword == u"VALUE") {
        const QRegularExpressionMatch match = valueLine.match(line);
        if (!match.hasMatch())
            throw DescriptionError(QStringLiteral("expected VALUE key \"text\""));
        description.strings.append({match.captured(1), match.captured(2)});
    } else if (keyword == u"TRANSLATION" && words.size() == 3) {
        description.translation = {quint16(number(words[1], 0xFFFF)), quint16(number(words[2], 0xFFFF))};
    } else if (versionFields.contains(keyword) && words.size() == 2) {
        const auto [mostSignificant, leastSignificant] = version(words[1]);
        description.fixedBlock[versionFields[keyword]] = mostSignificant;
        description.fixedBlock[versionFields[keyword] + 1] = leastSignificant;
    } else if (numberFields.contains(keyword) && words.size() == 2) {
        description.fixedBlock[numberFields[keyword]] = number(words[1]);
    } else {
        throw DescriptionError(QStringLiteral("unknown line \"%1\"").arg(line));
    }
}

Description readDescription(QTextStream& input) {
    Description description;
    for (int lineNumber = 1; !input.atEnd(); ++lineNumber) {
        const QString line = input.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        try {
            readLine(line, description);
        } catch (const DescriptionError& error) {
            throw DescriptionError(QStringLiteral("line %1: %2").arg(lineNumber).arg(error.what()));
        }
    }
    if (!description.translation)
        throw DescriptionError(QStringLiteral("no TRANSLATION line"));
    return description;
}

void appendUnit(QByteArray& bytes, quint16 unit) {
    const std::array<char, 2> littleEndian{char(unit & 0xFF), char(unit >> 8)};
    bytes.append(littleEndian.data(), littleEndian.size());
}

QByteArray zeroTerminatedUtf16(const QString& text) {
    QByteArray bytes;
    for (QChar character : text)
        appendUnit(bytes, character.unicode());
    appendUnit(bytes, 0);
    return bytes;
}

void padTo32Bits(QByteArray& bytes) {
    while (bytes.size() % 4 != 0)
        bytes.append('\0');
}

// One node: length, value length, type, key, then the value and the children, each on a 32-bit boundary.
QByteArray node(const QString& key, quint16 type, const QByteArray& value, quint16 valueLength,
                const QList<QByteArray>& children = {}) {
    QByteArray bytes(6, '\0');
    bytes += zeroTerminatedUtf16(key);
    padTo32Bits(bytes);
    bytes += value;
    for (const QByteArray& child : children) {
        padTo32Bits(bytes);
        bytes += child;
    }
    if (bytes.size() > 0xFFFF)
        throw DescriptionError(QStringLiteral("the version information exceeds 65535 bytes"));
    qToLittleEndian<quint16>(quint16(bytes.size()), bytes.data());
    qToLittleEndian<quint16>(valueLength, bytes.data() + 2);
    qToLittleEndian<quint16>(type, bytes.data() + 4);
    return bytes;
}

QByteArray textNode(const QString& key, const QString& text) {
    return node(key, textType, zeroTerminatedUtf16(text), quint16(text.size() + 1));
}

QByteArray versionInfo(const Description& description) {
    const auto [language, codePage] = *description.translation;
    QList<QByteArray> strings;
    for (const auto& [key, text] : description.strings)
        strings.append(textNode(key, text));
    const QString tableName =
        QStringLiteral("%1%2").arg(language, 4, 16, QLatin1Char('0')).arg(codePage, 4, 16, QLatin1Char('0')).toUpper();
    const QByteArray stringFileInfo =
        node(QStringLiteral("StringFileInfo"), textType, {}, 0, {node(tableName, textType, {}, 0, strings)});

    QByteArray translation(4, '\0');
    qToLittleEndian<quint16>(language, translation.data());
    qToLittleEndian<quint16>(codePage, translation.data() + 2);
    const QByteArray varFileInfo = node(QStringLiteral("VarFileInfo"), textType, {}, 0,
                                        {node(QStringLiteral("Translation"), binaryType, translation, 4)});

    QByteArray fixedBlock(description.fixedBlock.size() * 4, '\0');
    qToLittleEndian<quint32>(description.fixedBlock.data(), description.fixedBlock.size(), fixedBlock.data());
    return node(QStringLiteral("VS_VERSION_INFO"), binaryType, fixedBlock, quint16(fixedBlock.size()),
                {stringFileInfo, varFileInfo});
}

QString cppSource(const QByteArray& bytes) {
    QString source;
    QTextStream output(&source);
    output << "// Generated by generate_version_info from version_info.txt.\n"
           << "alignas(4) __attribute__((section(\"" << executable_sections::versionSectionName
           << "\"), used, retain)) static const unsigned char versionInfo[] = {";
    for (qsizetype index = 0; index < bytes.size(); ++index) {
        output << (index % 16 == 0 ? "\n    " : " ")
               << QStringLiteral("0x%1,").arg(quint8(bytes[index]), 2, 16, QLatin1Char('0'));
    }
    output << "\n};\n";
    return source;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: generate_version_info <description> <output.cpp>\n", stderr);
        return 2;
    }
    QFile descriptionFile(QString::fromLocal8Bit(argv[1]));
    if (!descriptionFile.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "%s: cannot read\n", argv[1]);
        return 1;
    }
    QString source;
    try {
        QTextStream input(&descriptionFile);
        source = cppSource(versionInfo(readDescription(input)));
    } catch (const DescriptionError& error) {
        std::fprintf(stderr, "%s: %s\n", argv[1], error.what());
        return 1;
    }
    QFile output(QString::fromLocal8Bit(argv[2]));
    if (!output.open(QIODevice::WriteOnly | QIODevice::Text) || output.write(source.toUtf8()) < 0) {
        std::fprintf(stderr, "%s: cannot write\n", argv[2]);
        return 1;
    }
    return 0;
}
