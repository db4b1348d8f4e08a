#pragma once

#include "document/ExtensionRules.h"
#include "document/xml/Errors.h"
#include "document/xml/XmlDocument.h"

#include <QDeadlineTimer>
#include <QList>
#include <QString>

#include <functional>
#include <optional>
#include <utility>

// Everything --check and the window report about a loaded extension: the rules' warnings and what
// Save would refuse, each tied to the element at fault. Finding them changes nothing in the document.
namespace ExtensionFindings {

struct Finding {
    XmlNode element;
    Place place;
    QString message;
};

// Whether A is listed before B: findings go in the order of their places.
inline bool listedBefore(const Finding& a, const Finding& b) {
    return std::pair(a.place.line, a.place.column) < std::pair(b.place.line, b.place.column);
}

// Where an element is reported; a warning about a repeat names the first one's line.
using PlaceOf = std::function<Place(const XmlNode& element)>;

// Finds the findings about the extension in Document a slice at a time. The document must not change
// until all is found.
class Search {
public:
    Search(const XmlDocument& document, const ExtensionRules::SourceFolder& sources, PlaceOf placeOf);
    Search(const Search&) = delete;
    Search& operator=(const Search&) = delete;

    // Finds until Deadline has passed or all is found; true once all is found.
    bool advance(const QDeadlineTimer& deadline = QDeadlineTimer(QDeadlineTimer::Forever));
    // Once all is found: the findings in the order of their places; what Save would refuse is placed at the root.
    const QList<Finding>& findings() const { return findings_; }

private:
    const XmlDocument& document_;
    XmlNode root_;
    PlaceOf placeOf_;
    std::optional<ExtensionRules::Checking> rules_;
    QList<Finding> findings_;
    // After the rules, each step runs whole; one that finds the time up waits for the next slice.
    enum class Step { Rules, Collect, SavedText, Sort, Found };
    Step step_ = Step::Rules;
};

// All the findings at once.
QList<Finding> of(const XmlDocument& document, const ExtensionRules::SourceFolder& sources, const PlaceOf& placeOf);

} // namespace ExtensionFindings
