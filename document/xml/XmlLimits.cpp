#include "document/xml/XmlLimits.h"

#include "document/xml/Errors.h"
#include "document/xml/XmlNodes.h"

#include <QLocale>

#include <array>
#include <cstring>

namespace XmlLimits {

namespace {

QString nameOf(const xmlNode* node) {
    return XmlNodes::toQString(node->name);
}

bool isElement(const xmlNode* node) {
    return node && node->type == XML_ELEMENT_NODE;
}

// "<a>", or "<a> in <configuration-changes>" below the root's children, so that the message names
// the field the element belongs to.
QString elementPlace(const xmlNode* element) {
    const xmlNode* field = element;
    while (isElement(field->parent) && isElement(field->parent->parent))
        field = field->parent;
    const QString place = '<' + nameOf(element) + '>';
    return field == element ? place : place + QStringLiteral(" in <") + nameOf(field) + '>';
}

QString valueName(const xmlNode* node, const xmlAttr* attribute) {
    if (attribute) {
        return QStringLiteral("The attribute %1 of %2").arg(XmlNodes::toQString(attribute->name), elementPlace(node));
    }
    const QString where = isElement(node->parent) ? QStringLiteral(" in ") + elementPlace(node->parent)
                                                  : QStringLiteral(" outside the root element");
    switch (node->type) {
    case XML_COMMENT_NODE:
        return QStringLiteral("A comment") + where;
    case XML_PI_NODE:
        return QStringLiteral("A processing instruction") + where;
    default:
        return QStringLiteral("The text") + where;
    }
}

// What escaping adds to each byte of an attribute value.
const std::array<unsigned char, 256>& attributeEscapeGrowth() {
    static const std::array<unsigned char, 256> growth = [] {
        std::array<unsigned char, 256> table{};
        for (int c = 0; c < 256; ++c) {
            if (const char* escape = escapeOf(char(c), true))
                table[c] = static_cast<unsigned char>(strlen(escape) - 1);
        }
        return table;
    }();
    return growth;
}

size_t escapedAttributeSize(const xmlChar* value) {
    const auto& growth = attributeEscapeGrowth();
    size_t size = 0;
    for (; *value; ++value)
        size += 1 + growth[*value];
    return size;
}

// The size of the written start tag, with each value's size as valueSize gives it.
template <typename ValueSize>
size_t startTagSize(const xmlNode* element, const xmlAttr** longest, ValueSize valueSize) {
    size_t size = 3 + strlen(reinterpret_cast<const char*>(element->name)); // "<", name, "/>"
    if (element->ns && element->ns->prefix)
        size += strlen(reinterpret_cast<const char*>(element->ns->prefix)) + 1;
    for (const xmlNs* ns = element->nsDef; ns; ns = ns->next) {
        size += 9 + (ns->prefix ? strlen(reinterpret_cast<const char*>(ns->prefix)) + 1 : 0); // ` xmlns:p=""`
        size += valueSize(ns->href);
    }
    size_t longestSize = 0;
    for (const xmlAttr* attribute = element->properties; attribute; attribute = attribute->next) {
        xmlChar* copy = nullptr;
        const size_t attributeValueSize = valueSize(XmlNodes::attributeValue(attribute, &copy));
        xmlFree(copy);
        size_t nameSize = strlen(reinterpret_cast<const char*>(attribute->name)) + 4; // ` n=""`
        if (attribute->ns && attribute->ns->prefix)
            nameSize += strlen(reinterpret_cast<const char*>(attribute->ns->prefix)) + 1;
        size += nameSize + attributeValueSize;
        if (attributeValueSize >= longestSize) {
            longestSize = attributeValueSize;
            *longest = attribute;
        }
    }
    return size;
}

// No byte of a value is written longer than "&quot;".
size_t longestEscapedSize(const xmlChar* value) {
    return 6 * strlen(reinterpret_cast<const char*>(value));
}

} // namespace

QString number(qint64 value) {
    return QLocale(QLocale::English).toString(value);
}

QString entityExpansionMessage() {
    return QStringLiteral("The file's entities expand to far more text than the file holds, or refer to themselves "
                          "without end");
}

const char* escapeOf(char c, bool inAttribute) {
    switch (c) {
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '&':
        return "&amp;";
    case '\r':
        return "&#13;";
    case '"':
        return inAttribute ? "&quot;" : nullptr;
    case '\n':
        return inAttribute ? "&#10;" : "\r\n";
    case '\t':
        return inAttribute ? "&#9;" : nullptr;
    default:
        return nullptr;
    }
}

void checkCharacters(std::string_view utf8, const xmlNode* node, const xmlAttr* attribute) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(utf8[i]); };
    for (size_t i = 0; i < utf8.size(); ++i) {
        char32_t character = 0;
        if (byte(i) < 0x20 && byte(i) != '\t' && byte(i) != '\n' && byte(i) != '\r')
            character = byte(i);
        // U+FFFE and U+FFFF, written EF BF BE and EF BF BF.
        else if (byte(i) == 0xEF && i + 2 < utf8.size() && byte(i + 1) == 0xBF && byte(i + 2) >= 0xBE)
            character = 0xFFFE + (byte(i + 2) - 0xBE);
        if (character) {
            throw LimitError(
                QStringLiteral("%1 holds the character U+%2, which an XML file cannot store")
                    .arg(valueName(node, attribute), QString::number(character, 16).toUpper().rightJustified(4, '0')));
        }
    }
}

void checkRun(const xmlNode* first, size_t bytes) {
    if (bytes <= maxTextBytes)
        return;
    throw LimitError(QStringLiteral("%1 holds %2 bytes, more than the %3 that one text may hold")
                         .arg(valueName(first, nullptr), number(qint64(bytes)), number(maxTextBytes)));
}

void checkStartTag(const xmlNode* element) {
    const xmlAttr* longest = nullptr;
    // Most tags are far below the limit even with every byte escaped: strlen tells that fastest.
    if (startTagSize(element, &longest, longestEscapedSize) <= maxTagBytes)
        return;
    const size_t size = startTagSize(element, &longest, escapedAttributeSize);
    if (size <= maxTagBytes)
        return;
    const QString what = longest ? valueName(element, longest) + QStringLiteral(" makes its tag")
                                 : QStringLiteral("The tag of ") + elementPlace(element) + QStringLiteral(" is");
    throw LimitError(QStringLiteral("%1 %2 bytes long, more than the %3 that one tag may take")
                         .arg(what, number(qint64(size)), number(maxTagBytes)));
}

void checkDepth(const xmlNode* element, int depth) {
    if (depth <= maxElementDepth())
        return;
    throw LimitError(QStringLiteral("%1 lies %2 elements deep, more than the %3 levels that a file may hold")
                         .arg(elementPlace(element), number(depth), number(maxElementDepth())));
}

QString tooManyNodesMessage() {
    return QStringLiteral("The file holds more elements, attributes, texts and comments than Load reads: %1, or one "
                          "for every %2 bytes of a larger file, and %3 at most")
        .arg(number(minNodes), number(bytesPerNode), number(maxNodes));
}

namespace {

const char* find(const char* from, const char* end, char c) {
    const void* found = memchr(from, c, size_t(end - from));
    return found ? static_cast<const char*>(found) : end;
}

// Names and white space in a start tag are short: a tight loop beats memchr's setup there.
const char* findInTag(const char* from, const char* end) {
    while (from < end && *from != '=' && *from != '"' && *from != '\'' && *from != '>')
        ++from;
    return from;
}

} // namespace

// The next byte from at on that may change the state.
const char* AttributeCounter::next(const char* at, const char* end) const {
    switch (state_) {
    case Text:
        return find(at, end, '<');
    case Tag:
        return findInTag(at, end);
    case Quoted:
        return find(at, end, quote_);
    case Skip:
        return matched_ == 0 ? find(at, end, end_[0]) : at;
    default:
        return at;
    }
}

bool AttributeCounter::read(const char* bytes, int count) {
    const char* const end = bytes + count;
    for (const char* at = next(bytes, end); at < end; at = next(at + 1, end)) {
        if (state_ == Text)
            openOffset_ = read_ + (at - bytes);
        if (*at != '\0')
            step(*at);
        if (attributes_ > maxAttributes)
            return false;
    }
    read_ += count;
    return true;
}

QString AttributeCounter::message() const {
    return QStringLiteral("A start tag holds more than %1 attributes, the most that one tag may hold")
        .arg(number(maxAttributes));
}

void AttributeCounter::skipUntil(const char* end) {
    state_ = Skip;
    end_ = end;
    matched_ = 0;
}

void AttributeCounter::step(char c) {
    switch (state_) {
    case Text:
        if (c == '<')
            state_ = Open;
        break;
    case Open:
        if (c == '/')
            skipUntil(">");
        else if (c == '?')
            skipUntil("?>");
        else if (c == '!')
            state_ = Bang;
        else {
            state_ = Tag;
            attributes_ = 0;
            tagOffset_ = openOffset_;
        }
        break;
    case Bang:
        skipUntil(c == '-' ? "-->" : c == '[' ? "]]>" : ">");
        break;
    case Tag:
        if (c == '"' || c == '\'') {
            state_ = Quoted;
            quote_ = c;
        } else if (c == '=') {
            ++attributes_;
        } else if (c == '>') {
            state_ = Text;
        }
        break;
    case Quoted:
        if (c == quote_)
            state_ = Tag;
        break;
    case Skip:
        // "--" and "]]" may run longer before their ">".
        if (c == end_[matched_])
            ++matched_;
        else if (!(matched_ == 2 && c == end_[1] && end_[0] == end_[1]))
            matched_ = c == end_[0] ? 1 : 0;
        if (end_[matched_] == '\0')
            state_ = Text;
        break;
    }
}

} // namespace XmlLimits
