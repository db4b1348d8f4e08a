#include "cli/Check.h"

#include "document/ExtensionFile.h"
#include "document/ExtensionFindings.h"
#include "document/FileReplacement.h"
#include "document/Mxi.h"
#include "document/xml/SourceLines.h"

#include <QHash>

#include <algorithm>
#include <functional>
#include <optional>

namespace {

// Places elements at their start tags. The parser keeps only an element's line, so the place also
// needs how many elements of its name come before it on that line.
class ElementPlaces {
public:
    ElementPlaces(const XmlNode& root, const SourceLines& lines) : root_(root), lines_(lines) {}

    Place of(const XmlNode& element) {
        if (sameLine_.isEmpty())
            index(root_);
        const QList<XmlNode> before = sameLine_.value({element.line(), element.name()});
        return lines_.startTag(element.line(), element.name(), int(std::max<qsizetype>(before.indexOf(element), 0)));
    }

private:
    void index(const XmlNode& element) {
        sameLine_[{element.line(), element.name()}].append(element);
        for (const XmlNode& child : element.children()) {
            if (child.type() == NodeType::Element)
                index(child);
        }
    }

    XmlNode root_;
    const SourceLines& lines_;
    QHash<QPair<int, QString>, QList<XmlNode>> sameLine_;
};

QList<Finding> checkLoaded(const XmlDocument& document, const SourceLines& lines, const QString& folder) {
    ElementPlaces places(Mxi::findRoot(document), lines);
    const auto placeOf = [&places](const XmlNode& element) { return places.of(element); };
    QList<Finding> findings;
    for (const ExtensionFindings::Finding& finding :
         ExtensionFindings::of(document, ExtensionRules::sourcesOnDisk(folder), placeOf))
        findings.append({finding.place, false, finding.message});
    return findings;
}

// Loads the document, or gives the refusal as the one finding.
std::optional<Finding> refusalOf(const std::function<void()>& load) {
    try {
        load();
    } catch (const RepairableError& refusal) {
        return Finding{refusal.place(), true,
                       refusal.reason() + QStringLiteral("; parcelwright --repair can fix this")};
    } catch (const PlacedError& refusal) {
        return Finding{refusal.place(), true, refusal.reason()};
    }
    return std::nullopt;
}

} // namespace

QList<Finding> checkText(const QByteArray& text, const QString& displayName, const QString& folder) {
    XmlDocument document;
    if (const auto refusal = refusalOf([&] { loadExtensionText(document, text, displayName); }))
        return {*refusal};
    return checkLoaded(document, SourceLines(text), folder);
}

QList<Finding> checkRegularFile(const QString& file, const QString& folder) {
    QList<Finding> findings;
    if (const QString copy = unfinishedWriteCopy(file); !copy.isEmpty())
        findings.append({{}, true, unfinishedWriteMessage(copy)});
    XmlDocument document;
    if (const auto refusal = refusalOf([&] { loadExtensionFile(document, file); }))
        return findings << *refusal;
    return findings << checkLoaded(document, SourceLines::ofFile(file), folder);
}
