#include "document/Repair.h"

#include "document/Mxi.h"
#include "document/xml/Errors.h"
#include "document/xml/XmlDocument.h"

#include <QRegularExpression>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

const QByteArray olderRootName = "macromedia-package";

struct Edit {
    qsizetype at;
    qsizetype length;
    QByteArray replacement;
};

bool isNameStart(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':' || c >= 0x80;
}

bool isNameCharacter(unsigned char c) {
    return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

bool isHexDigit(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Finds the places of the faults and the edits that put them right, in the order of the text.
class FaultScanner {
public:
    explicit FaultScanner(const QByteArray& text) : text_(text), isUtf8_(QUtf8StringView(text).isValidUtf8()) {
        lineStarts_.push_back(0);
        for (qsizetype at = text.indexOf('\n'); at >= 0; at = text.indexOf('\n', at + 1))
            lineStarts_.push_back(at + 1);
    }

    void scan() {
        qsizetype at = text_.startsWith("\xEF\xBB\xBF") ? 3 : 0;
        if (text_.mid(at, 5) == "<?xml")
            at = declaration(at);
        while (at < text_.size()) {
            if (text_[at] == '&')
                at = ampersand(at);
            else if (text_[at] == '<')
                at = markup(at);
            else
                ++at;
        }
    }

    std::vector<Edit> edits;
    QList<Repair> repairs;

private:
    char at(qsizetype i) const { return i < text_.size() ? text_[i] : '\0'; }

    // The position just past the first end after from, or the text's end.
    qsizetype past(const char* end, qsizetype from) const {
        const qsizetype found = text_.indexOf(end, from);
        return found < 0 ? text_.size() : found + qsizetype(strlen(end));
    }

    // Faults are found in the order of the text, so each column is counted on from the previous fault's
    // on the same line: many faults on one long line cost one pass over it.
    void repair(Repair::Kind kind, qsizetype where, Edit edit) {
        const auto next = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), where);
        const int line = int(next - lineStarts_.begin());
        if (line != countedLine_) {
            countedLine_ = line;
            countedTo_ = *(next - 1) == 0 && text_.startsWith("\xEF\xBB\xBF") ? 3 : *(next - 1);
            countedColumn_ = 1;
        }
        for (; countedTo_ < where; ++countedTo_) {
            if (!isUtf8_ || (static_cast<unsigned char>(text_[countedTo_]) & 0xC0) != 0x80)
                ++countedColumn_;
        }
        repairs.append({kind, line, countedColumn_});
        edits.push_back(std::move(edit));
    }

    qsizetype declaration(qsizetype start) {
        const qsizetype end = past("?>", start);
        static const QRegularExpression version(QStringLiteral("^<\\?xml\\s+version\\s*=\\s*([\"'])1\\.0\\.0\\1"));
        const QRegularExpressionMatch match = version.match(QString::fromLatin1(text_.mid(start, end - start)));
        if (match.hasMatch()) {
            const qsizetype value = start + match.capturedStart(1) + 1;
            repair(Repair::DeclarationVersion, value, {value, 5, "1.0"});
        }
        return end;
    }

    // Length of the character or entity reference that starts at the & at start; 0 when it starts none.
    qsizetype referenceLength(qsizetype start) const {
        qsizetype i = start + 1;
        if (at(i) == '#') {
            const bool hex = at(++i) == 'x';
            const qsizetype digits = hex ? ++i : i;
            while (hex ? isHexDigit(at(i)) : (at(i) >= '0' && at(i) <= '9'))
                ++i;
            if (i == digits)
                return 0;
        } else {
            if (!isNameStart(at(i)))
                return 0;
            while (isNameCharacter(at(i)))
                ++i;
        }
        return at(i) == ';' ? i + 1 - start : 0;
    }

    qsizetype ampersand(qsizetype start) {
        if (const qsizetype length = referenceLength(start))
            return start + length;
        repair(Repair::BareAmpersand, start, {start + 1, 0, "amp;"});
        return start + 1;
    }

    qsizetype nameEnd(qsizetype start) const {
        qsizetype end = start;
        while (isNameCharacter(at(end)))
            ++end;
        return end;
    }

    qsizetype markup(qsizetype start) {
        if (text_.mid(start, 4) == "<!--")
            return past("-->", start + 4);
        if (text_.mid(start, 9) == "<![CDATA[")
            return past("]]>", start + 9);
        if (at(start + 1) == '?')
            return past("?>", start + 2);
        if (at(start + 1) == '!')
            return documentType(start);
        if (at(start + 1) == '/')
            return endTag(start);
        return startTag(start);
    }

    // A document type declaration ends at the first > outside quotes and outside its internal subset.
    qsizetype documentType(qsizetype start) const {
        char quote = 0;
        int brackets = 0;
        for (qsizetype i = start + 2; i < text_.size(); ++i) {
            const char c = text_[i];
            if (quote)
                quote = c == quote ? 0 : quote;
            else if (c == '"' || c == '\'')
                quote = c;
            else if (c == '[')
                ++brackets;
            else if (c == ']')
                --brackets;
            else if (c == '>' && brackets <= 0)
                return i + 1;
        }
        return text_.size();
    }

    static Edit rootRename(qsizetype nameStart) { return {nameStart, olderRootName.size(), Mxi::Root.toLatin1()}; }

    qsizetype startTag(qsizetype start) {
        const qsizetype nameStart = start + 1;
        const qsizetype end = nameEnd(nameStart);
        if (depth_ == 0 && !rootSeen_) {
            rootSeen_ = true;
            olderRoot_ = text_.mid(nameStart, end - nameStart) == olderRootName;
            if (olderRoot_)
                repair(Repair::OlderRoot, start, rootRename(nameStart));
        }
        char quote = 0;
        for (qsizetype i = end; i < text_.size(); ++i) {
            const char c = text_[i];
            if (quote && c == '&') {
                i = ampersand(i) - 1;
            } else if (quote) {
                quote = c == quote ? 0 : quote;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '>') {
                if (text_[i - 1] != '/')
                    ++depth_;
                return i + 1;
            }
        }
        return text_.size();
    }

    qsizetype endTag(qsizetype start) {
        const qsizetype nameStart = start + 2;
        if (--depth_ == 0 && olderRoot_ && text_.mid(nameStart, nameEnd(nameStart) - nameStart) == olderRootName)
            edits.push_back(rootRename(nameStart));
        return past(">", nameStart);
    }

    const QByteArray& text_;
    const bool isUtf8_;
    std::vector<qsizetype> lineStarts_;
    int countedLine_ = 0;
    qsizetype countedTo_ = 0;
    int countedColumn_ = 1;
    int depth_ = 0;
    bool rootSeen_ = false;
    bool olderRoot_ = false;
};

QByteArray applied(const QByteArray& text, const std::vector<Edit>& edits) {
    QByteArray result;
    result.reserve(text.size() + qsizetype(edits.size()) * 4);
    qsizetype copied = 0;
    for (const Edit& edit : edits) {
        result.append(text.constData() + copied, edit.at - copied);
        result.append(edit.replacement);
        copied = edit.at + edit.length;
    }
    result.append(text.constData() + copied, text.size() - copied);
    return result;
}

bool loadsAsExtension(const QByteArray& text) {
    XmlDocument document;
    try {
        document.loadFromXml(text);
    } catch (const ParseError&) {
        return false;
    }
    return !Mxi::findRoot(document).isNull();
}

} // namespace

QString Repair::change() const {
    switch (kind) {
    case BareAmpersand:
        return QStringLiteral("a bare & becomes &amp;");
    case DeclarationVersion:
        return QStringLiteral("XML version 1.0.0 becomes 1.0");
    case OlderRoot:
        return QStringLiteral("root %1 becomes %2").arg(QString::fromLatin1(olderRootName), Mxi::Root);
    }
    return {};
}

QString Repair::placedChange() const {
    if (kind == BareAmpersand)
        return QStringLiteral("line %1, column %2: %3").arg(line).arg(column).arg(change());
    return QStringLiteral("line %1: %2").arg(line).arg(change());
}

QString repairOffer(const QString& refusal, const QList<Repair>& repairs) {
    constexpr qsizetype shownRepairs = 5;
    QStringList lines{
        refusal, QString(),
        QStringLiteral("A repaired copy can be opened instead; the file itself stays as it is. The repair "
                       "changes:")};
    for (const Repair& repair : repairs.first(std::min(shownRepairs, repairs.size())))
        lines.append(repair.placedChange());
    if (repairs.size() > shownRepairs)
        lines.append(QStringLiteral("and %1 more").arg(repairs.size() - shownRepairs));
    return lines.join('\n');
}

std::optional<RepairedText> repairedText(const QByteArray& text) {
    // Text in UTF-16 is never written by the tools whose faults these are.
    if (text.contains('\0'))
        return std::nullopt;
    FaultScanner scanner(text);
    scanner.scan();
    if (scanner.repairs.isEmpty())
        return std::nullopt;
    RepairedText repaired{applied(text, scanner.edits), scanner.repairs};
    if (!loadsAsExtension(repaired.text))
        return std::nullopt;
    return repaired;
}
