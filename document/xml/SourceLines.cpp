#include "document/xml/SourceLines.h"

#include "document/xml/RegularFile.h"

#include <algorithm>

SourceLines SourceLines::ofFile(const QString& fileName) {
    SourceLines lines{QByteArray()};
    lines.fileName_ = fileName;
    return lines;
}

Place SourceLines::startTag(int line, const QString& name, int ordinal) const {
    index();
    if (line < 1 || size_t(line) > starts_.size())
        return {line, 1};
    const QByteArray utf8Tag = '<' + name.toUtf8();
    const std::string_view tag(utf8Tag.constData(), size_t(utf8Tag.size()));
    const size_t lineStart = starts_[size_t(line - 1)];
    const std::string_view text = this->text();
    const size_t lineEnd = size_t(line) < starts_.size() ? starts_[size_t(line)] : text.size();
    const std::string_view lineText = text.substr(lineStart, lineEnd - lineStart);
    for (size_t at = lineText.find(tag); at != std::string_view::npos; at = lineText.find(tag, at + 1)) {
        if (isStartTagAt(lineStart + at, tag) && ordinal-- == 0)
            return placeAt(lineStart + at);
    }
    // A start tag that ends on this line but begins on an earlier one.
    const std::string_view before = text.substr(0, lineStart);
    for (size_t at = before.rfind(tag); at != std::string_view::npos;
         at = at == 0 ? std::string_view::npos : before.rfind(tag, at - 1)) {
        if (isStartTagAt(at, tag))
            return placeAt(at);
    }
    return {line, 1};
}

bool SourceLines::isStartTagAt(size_t at, std::string_view tag) const {
    const size_t after = at + tag.size();
    return after >= text().size() || std::string_view(" \t\r\n/>").find(text()[after]) != std::string_view::npos;
}

Place SourceLines::placeAt(size_t at) const {
    const auto next = std::upper_bound(starts_.begin(), starts_.end(), at);
    const size_t lineStart = *(next - 1);
    int column = 1;
    for (size_t i = lineStart; i < at; ++i) {
        if ((static_cast<unsigned char>(text()[i]) & 0xC0) != 0x80)
            ++column;
    }
    return {int(next - starts_.begin()), column};
}

void SourceLines::index() const {
    if (!starts_.empty())
        return;
    // A file that can no longer be read places everything at the start of its lines.
    if (!fileName_.isEmpty()) {
        try {
            text_ = readRegularFile(fileName_);
        } catch (const UnreadableFileError&) {
        }
    }
    starts_.push_back(0);
    const std::string_view text = this->text();
    for (size_t at = text.find('\n'); at != std::string_view::npos; at = text.find('\n', at + 1))
        starts_.push_back(at + 1);
}
