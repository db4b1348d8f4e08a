#include "document/SavedLines.h"

#include "document/xml/Errors.h"
#include "document/xml/RegularFile.h"

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
    const auto skipPast = [&](size_t from, std::string_view end) {
        const size_t found = text.find(end, from);
        const size_t past = found == std::string_view::npos ? text.size() : found + end.size();
        for (size_t i = from; i < past; ++i)
            line += text[i] == '\n' ? 1 : 0;
        return past;
    };
    for (size_t at = 0; at < text.size();) {
        if (text[at] == '\n')
            ++line;
        if (text[at] != '<') {
            ++at;
            continue;
        }
        const std::string_view rest = text.substr(at);
        if (rest.starts_with("<!--"))
            at = skipPast(at, "-->");
        else if (rest.starts_with("<![CDATA["))
            at = skipPast(at, "]]>");
        else if (rest.starts_with("<?"))
            at = skipPast(at, "?>");
        else if (rest.starts_with("<!"))
            at = skipPast(at, rest.find('[') < rest.find('>') ? "]>" : ">");
        else {
            if (rest.size() > 1 && startsName(rest[1]))
                lines.push_back(line);
            ++at;
        }
    }
    return lines;
}

// The document's elements in the order of their start tags.
std::vector<XmlNode> elementsInOrder(const XmlDocument& document) {
    std::vector<XmlNode> elements;
    std::vector<XmlNode> pending{document.documentNode()};
    while (!pending.empty()) {
        const XmlNode node = pending.back();
        pending.pop_back();
        if (node.type() == NodeType::Element)
            elements.push_back(node);
        const QList<XmlNode> children = node.children();
        for (auto child = children.rbegin(); child != children.rend(); ++child) {
            if (child->type() == NodeType::Element)
                pending.push_back(*child);
        }
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
