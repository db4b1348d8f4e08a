#include "support/VersionResource.h"

#include "support/ExecutableSections.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <algorithm>
#include <vector>

namespace version_resource {
namespace {

// The root's length is a 16-bit count, so no byte past this belongs to the version information.
constexpr qint64 maxDataSize = 0xFFFF;
constexpr qsizetype nodeHeaderSize = 6;
constexpr quint16 textType = 1;
// Real version information nests four levels deep; deeper nesting only comes from corrupt data.
constexpr int maxDepth = 8;
constexpr QStringView rootKey = u"VS_VERSION_INFO";

qsizetype alignedTo32Bits(qsizetype offset) {
    return (offset + 3) & ~qsizetype(3);
}

quint16 unitAt(QByteArrayView bytes, qsizetype offset) {
    return qFromLittleEndian<quint16>(bytes.data() + offset);
}

// The number of UTF-16 units before the first zero unit; nothing when there is none.
std::optional<qsizetype> unitsBeforeZero(QByteArrayView bytes) {
    for (qsizetype offset = 0; offset + 2 <= bytes.size(); offset += 2) {
        if (unitAt(bytes, offset) == 0)
            return offset / 2;
    }
    return {};
}

QString utf16Text(QByteArrayView bytes, qsizetype units) {
    QString text(units, Qt::Uninitialized);
    if (units > 0)
        qFromLittleEndian<quint16>(bytes.data(), units, text.data());
    return text;
}

struct Node {
    qsizetype length;
    QString key;
    QByteArrayView value;
    QByteArrayView children;
};

// The node at the start of bytes; nothing when its length or its key does not fit.
std::optional<Node> nodeAt(QByteArrayView bytes) {
    if (bytes.size() < nodeHeaderSize)
        return {};
    const qsizetype length = unitAt(bytes, 0);
    if (length < nodeHeaderSize || length > bytes.size())
        return {};
    const QByteArrayView node = bytes.first(length);
    const auto keyUnits = unitsBeforeZero(node.sliced(nodeHeaderSize));
    if (!keyUnits)
        return {};
    // Resource compilers disagree on whether a text value's length counts characters or bytes, so a
    // value that runs past its node is cut at the node's end rather than refused.
    const qsizetype valueLength = unitAt(node, 2);
    const qsizetype valueSize = unitAt(node, 4) == textType ? 2 * valueLength : valueLength;
    const qsizetype valueStart = std::min(alignedTo32Bits(nodeHeaderSize + 2 * (*keyUnits + 1)), length);
    const qsizetype valueEnd = std::min(valueStart + valueSize, length);
    const qsizetype childrenStart = std::min(alignedTo32Bits(valueEnd), length);
    return Node{length, utf16Text(node.sliced(nodeHeaderSize), *keyUnits),
                node.sliced(valueStart, valueEnd - valueStart), node.sliced(childrenStart)};
}

// The nodes directly below node, in stored order; nothing when one of them is malformed.
std::optional<std::vector<Node>> childrenOf(const Node& node) {
    std::vector<Node> children;
    for (qsizetype offset = 0; offset < node.children.size();) {
        auto child = nodeAt(node.children.sliced(offset));
        if (!child)
            return {};
        offset = alignedTo32Bits(offset + child->length);
        children.push_back(std::move(*child));
    }
    return children;
}

std::optional<Node> nodeAtPath(QByteArrayView data, QStringView path) {
    std::optional<Node> node = nodeAt(data);
    for (QStringView name : path.split(u'\\', Qt::SkipEmptyParts)) {
        const auto children = node ? childrenOf(*node) : std::nullopt;
        if (!children)
            return {};
        const auto match = std::find_if(children->begin(), children->end(), [name](const Node& child) {
            return QStringView(child.key).compare(name, Qt::CaseInsensitive) == 0;
        });
        if (match == children->end())
            return {};
        node = *match;
    }
    return node;
}

bool isWellFormedBelow(const Node& node, int depth) {
    if (depth > maxDepth)
        return false;
    const auto children = childrenOf(node);
    return children && std::all_of(children->begin(), children->end(),
                                   [depth](const Node& child) { return isWellFormedBelow(child, depth + 1); });
}

// Where the version information lies in the file, trimmed to what the root's length can reach.
std::optional<executable_sections::ByteRange> openVersionData(QFile& file) {
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    auto range = executable_sections::findVersionData(file);
    if (range)
        range->size = std::min(range->size, maxDataSize);
    return range;
}

} // namespace

quint32 fileVersionInfoSize(const QString& fileName) {
    QFile file(fileName);
    const auto range = openVersionData(file);
    return range ? quint32(range->size) : 0;
}

bool fileVersionInfo(const QString& fileName, QByteArray& data) {
    QFile file(fileName);
    const auto range = openVersionData(file);
    if (!range || range->size < data.size())
        return false;
    auto bytes = executable_sections::readBytes(file, range->offset, data.size());
    if (!bytes || !isWellFormed(*bytes))
        return false;
    data = std::move(*bytes);
    return true;
}

std::optional<QByteArrayView> queryValue(QByteArrayView data, QStringView path) {
    const auto node = nodeAtPath(data, path);
    if (!node)
        return {};
    return node->value;
}

QStringList childKeys(QByteArrayView data, QStringView path) {
    const auto node = nodeAtPath(data, path);
    const auto children = node ? childrenOf(*node) : std::nullopt;
    QStringList keys;
    if (children) {
        for (const Node& child : *children)
            keys.append(child.key);
    }
    return keys;
}

QString textValue(QByteArrayView value) {
    return utf16Text(value, unitsBeforeZero(value).value_or(value.size() / 2));
}

bool isWellFormed(QByteArrayView data) {
    const auto root = nodeAt(data);
    return root && root->key == rootKey && isWellFormedBelow(*root, 0);
}

} // namespace version_resource
