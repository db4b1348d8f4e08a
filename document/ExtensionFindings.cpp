#include "document/ExtensionFindings.h"

#include "document/Mxi.h"
#include "document/xml/SavedText.h"

#include <algorithm>
#include <utility>

namespace ExtensionFindings {

QList<Finding> of(const XmlDocument& document, const ExtensionRules::SourceFolder& sources, const PlaceOf& placeOf) {
    const XmlNode root = Mxi::findRoot(document);
    if (!root)
        return {};
    QList<Finding> findings;
    const auto lineOf = [&placeOf](const XmlNode& element) { return placeOf(element).line; };
    for (const ExtensionRules::Warning& warning : ExtensionRules::check(root, sources, lineOf))
        findings.append({warning.element, placeOf(warning.element), warning.message});
    try {
        writeSavedText(document, [](const QByteArray&) {});
    } catch (const Error& error) {
        findings.append({root, placeOf(root), error.message()});
    }
    std::stable_sort(findings.begin(), findings.end(), [](const Finding& a, const Finding& b) {
        return std::pair(a.place.line, a.place.column) < std::pair(b.place.line, b.place.column);
    });
    return findings;
}

} // namespace ExtensionFindings
