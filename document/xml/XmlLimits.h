#pragma once

// What a file may hold so that Load reads it: libxml2's parser limits and the
// entity expansion Load allows (RegularFile has the size). Load checks a parsed document and Save checks what it writes
// with these same functions, so that whatever Save writes, Load reads back.

#include <libxml/parserInternals.h>
#include <libxml/tree.h>

#include <QString>

#include <algorithm>
#include <string_view>

namespace XmlLimits {

// libxml2 refuses a longer text, CDATA section, comment or attribute value.
inline constexpr size_t maxTextBytes = XML_MAX_TEXT_LENGTH;
// libxml2 reads a tag with its attributes within XML_MAX_LOOKUP_LIMIT bytes counted from a point up
// to a few kilobytes before the tag.
inline constexpr size_t maxTagBytes = 9'900'000;
// The root element counts as the first level.
inline int maxElementDepth() {
    return int(xmlParserMaxDepth) + 1;
}
// Entity references in attribute values may expand to this many times the file's size, or to
// minEntityExpansion bytes in a smaller file.
inline constexpr qint64 entityExpansionFactor = 10;
inline constexpr qint64 minEntityExpansion = 1'000'000;

// libxml2 checks each attribute of a tag against all the others before it: a tag of many more
// attributes than any file needs would take minutes.
inline constexpr int maxAttributes = 10'000;

QString number(qint64 value);
QString entityExpansionMessage();

// The text the serialiser writes for c, or nullptr where c is written as it is.
const char* escapeOf(char c, bool inAttribute);

// Each check throws a LimitError that names where the value sits and what is wrong with it.
void checkCharacters(std::string_view utf8, const xmlNode* node, const xmlAttr* attribute = nullptr);
// A run of neighbouring text or CDATA nodes, which a parse joins into one, starting at first.
void checkRun(const xmlNode* first, size_t bytes);
void checkStartTag(const xmlNode* element);
// Depth counts the root element as 1.
void checkDepth(const xmlNode* element, int depth);

// A parsed tree holds at most one node (element, attribute, text, CDATA section, comment, processing
// instruction or entity reference) for every bytesPerNode bytes read so far, or minNodes where that is
// more, and never more than maxNodes. A node takes about 150 bytes, so no file costs more than about
// 1.5 GB however it is made, nor more than about 40 times its size past the first 150 MB; real files
// hold one node for every 25 bytes or more, and a real file of 256 MB about 9 million.
inline constexpr qint64 bytesPerNode = 4;
inline constexpr qint64 minNodes = 1'000'000;
inline constexpr qint64 maxNodes = 10'000'000;
inline qint64 nodesAllowed(qint64 bytesRead) {
    return std::min(maxNodes, std::max(minNodes, bytesRead / bytesPerNode));
}
QString tooManyNodesMessage();

// Counts the attributes of each start tag in a text read in pieces, before libxml2 parses them. UTF-16
// text is read by its ASCII characters, which its zero bytes surround. Text, values and markup other than
// start tags are skipped at memchr's speed.
class AttributeCounter {
public:
    // False once a start tag holds more than maxAttributes.
    bool read(const char* bytes, int count);
    // The message that names the tag with too many attributes.
    QString message() const;
    // Where that tag's "<" stands in the text, in bytes from its start.
    qint64 tagOffset() const { return tagOffset_; }

private:
    enum State { Text, Open, Bang, Tag, Quoted, Skip };
    const char* next(const char* at, const char* end) const;
    void skipUntil(const char* end);
    void step(char c);

    State state_ = Text;
    char quote_ = 0;
    const char* end_ = nullptr;
    int matched_ = 0;
    int attributes_ = 0;
    qint64 read_ = 0;
    qint64 openOffset_ = 0;
    qint64 tagOffset_ = 0;
};

} // namespace XmlLimits
