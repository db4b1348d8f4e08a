#include "document/SavedLines.h"

#include "document/xml/Errors.h"
#include "document/xml/RegularFile.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace {

bool startsName(char c) {
    return c == '_' || c == ':' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
           static_cast<unsigned char>(c) >= 0x80;
}

// The line of each start tag of a text in the saved layout, in order. Text and attribute values there
// escape every "<" and every line break of an attribute, so a "<" outside comments, CDATA sections,
// processing instructions and the document type starts a tag.
std::vector<int> startTagLines(std::string_view text) {
    std::vector<int> lines;
    int line = 1;
    size_t counted = 0;
    const auto lineAt = [&](size_t at) {
        line += int(std::count(text.begin() + counted, text.begin() + at, '\n'));
        counted = at;
        return line;
    };
    const auto past = [&text](size_t from, std::string_view end) {
        const size_t found = text.find(end, from);
        return found == std::string_view::npos ? text.size() : found + end.size();
    };
    for (size_t at = text.find('<'); at != std::string_view::npos; at = text.find('<', at)) {
        const std::string_view rest = text.substr(at);
        if (rest.starts_with("<!--"))
            at = past(at, "-->");
        else if (rest.starts_with("<![CDATA["))
            at = past(at, "]]>");
        else if (rest.starts_with("<?"))
            at = past(at, "?>");
        else if (rest.starts_with("<!"))
            at = past(at, rest.find('[') < rest.find('>') ? "]>" : ">");
        else if (rest.size() > 1 && startsName(rest[1]))
            lines.push_back(lineAt(at++));
        else
            ++at;
    }
    return lines;
}

// The document's elements in the order of their start tags.
std::vector<XmlNode> elementsInOrder(const XmlDocument& document) {
    std::vector<XmlNode> elements;
    for (XmlNode node = document.documentNode().firstChild(); node;) {
        const bool element = node.type() == NodeType::Element;
        if (element)
            elements.push_back(node);
        if (const XmlNode child = element ? node.firstChild() : XmlNode()) {
            node = child;
            continue;
        }
        while (node && !node.nextSibling())
            node = node.parent();
        if (node)
            node = node.nextSibling();
    }
    return elements;
}

} // namespace

bool takeLinesOfSavedFile(const XmlDocument& document, const QString& fileName) {
    QByteArray text;
    try {
        text = readRegularFile(fileName);
    } catch (const UnreadableFileError&) {
        return false;
    }
    const std::vector<int> lines = startTagLines(std::string_view(text.constData(), size_t(text.size())));
    const std::vector<XmlNode> elements = elementsInOrder(document);
    if (lines.size() != elements.size())
        return false;
    for (size_t i = 0; i < elements.size(); ++i)
        elements[i].setLine(lines[i]);
    return true;
}
