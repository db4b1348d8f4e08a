#include "document/ConfigurationText.h"

#include <QRegularExpression>

#include <algorithm>

namespace ConfigurationText {

namespace {

// The document's type declaration on one line. The parsed text starts with it, so that the typed
// text may refer to the entities the document declares, and the typed lines keep their numbers.
QString documentTypeLine(const XmlDocument& document) {
    for (const XmlNode& node : document.documentNode().children()) {
        if (node.type() == NodeType::DocumentType)
            return node.xml().replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
    }
    return {};
}

// Where the parser stopped, as a position in the typed text; the parsed text puts prefixLength
// characters before the typed text's first line.
int errorPosition(const QString& typed, const ParseError& error, qsizetype prefixLength) {
    qsizetype lineStart = 0;
    for (int line = 1; line < error.line(); ++line) {
        const qsizetype lineBreak = typed.indexOf(QLatin1Char('\n'), lineStart);
        if (lineBreak < 0)
            break;
        lineStart = lineBreak + 1;
    }
    qsizetype lineEnd = typed.indexOf(QLatin1Char('\n'), lineStart);
    if (lineEnd < 0)
        lineEnd = typed.size();
    const qsizetype column = std::max(error.column(), 1) - 1 - (lineStart == 0 ? prefixLength : 0);
    return int(std::clamp(lineStart + column, lineStart, lineEnd));
}

// What the parser found. Two of libxml2's messages would name the hidden end tag, or an invalid
// element name for a declaration; those are said in plain words.
QString whatWasFound(const QString& reason, const QString& line) {
    static const QRegularExpression unclosed(
        QStringLiteral("^Opening and ending tag mismatch: (\\S+) line (\\d+) and ") + Mxi::ConfigurationChanges + '$');
    if (const QRegularExpressionMatch match = unclosed.match(reason); match.hasMatch())
        return QStringLiteral("<%1> opened on line %2 has no end tag").arg(match.captured(1), match.captured(2));
    if (reason == QStringLiteral("StartTag: invalid element name") && line.contains(QStringLiteral("<!DOCTYPE")))
        return QStringLiteral("a document type declaration (<!DOCTYPE ...>) stands inside the element, where XML "
                              "allows none");
    return QStringLiteral("the parser found \"%1\"").arg(reason);
}

RefusedText refusal(const QString& typed, const ParseError& error, qsizetype prefixLength) {
    const int position = errorPosition(typed, error, prefixLength);
    const qsizetype lineStart = typed.lastIndexOf(QLatin1Char('\n'), position - 1) + 1;
    const QString line = typed.mid(lineStart, typed.indexOf(QLatin1Char('\n'), lineStart) - lineStart);
    return RefusedText(QStringLiteral("The configuration changes are not well-formed XML: on line %1, %2.")
                           .arg(typed.left(position).count(QLatin1Char('\n')) + 1)
                           .arg(whatWasFound(error.reason(), line)),
                       position);
}

} // namespace

QString read(const XmlDocument& document) {
    QString text;
    if (const XmlNode changes = Mxi::findRoot(document).findChild(Mxi::ConfigurationChanges)) {
        for (const XmlNode& child : changes.children())
            text += child.xml();
    }
    return text;
}

void store(XmlDocument& document, const QString& text) {
    const QString prefix = documentTypeLine(document) + StartTag;
    XmlDocument parsed;
    try {
        parsed.loadFromXml((prefix + text + EndTag).toUtf8());
    } catch (const ParseError& error) {
        throw refusal(text, error, prefix.size());
    }
    XmlNode root = Mxi::findRoot(document);
    XmlNode changes = root.findChild(Mxi::ConfigurationChanges);
    if (!changes)
        changes = root.appendChild(document.createElement(Mxi::ConfigurationChanges));
    changes.removeAllChildren();
    for (const XmlNode& child : parsed.documentNode().findChild(Mxi::ConfigurationChanges).children())
        changes.appendChild(child);
}

} // namespace ConfigurationText
