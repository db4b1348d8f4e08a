#include "document/ExtensionFindings.h"

#include "document/Mxi.h"
#include "document/xml/SavedText.h"

#include <algorithm>
#include <utility>

namespace ExtensionFindings {

Search::Search(const XmlDocument& document, const ExtensionRules::SourceFolder& sources, PlaceOf placeOf)
    : document_(document), root_(Mxi::findRoot(document)), placeOf_(std::move(placeOf)) {
    if (root_)
        rules_.emplace(root_, sources, [this](const XmlNode& element) { return placeOf_(element).line; });
}

bool Search::advance(const QDeadlineTimer& deadline) {
    if (!rules_)
        return true;
    while (step_ != Step::Found) {
        if (step_ != Step::Rules && deadline.hasExpired())
            return false;
        switch (step_) {
        case Step::Rules:
            if (!rules_->advance(deadline))
                return false;
            break;
        case Step::Collect:
            for (const ExtensionRules::Warning& warning : rules_->warnings())
                findings_.append({warning.element, placeOf_(warning.element), warning.message});
            break;
        case Step::SavedText:
            try {
                checkSavedText(document_);
            } catch (const Error& error) {
                findings_.append({root_, placeOf_(root_), error.message()});
            }
            break;
        case Step::Sort:
            std::stable_sort(findings_.begin(), findings_.end(), listedBefore);
            break;
        case Step::Found:
            break;
        }
        step_ = Step(int(step_) + 1);
    }
    return true;
}

QList<Finding> of(const XmlDocument& document, const ExtensionRules::SourceFolder& sources, const PlaceOf& placeOf) {
    Search search(document, sources, placeOf);
    search.advance();
    return search.findings();
}

} // namespace ExtensionFindings
