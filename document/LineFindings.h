#pragma once

#include "document/ElementListModel.h"
#include "document/ExtensionFindings.h"

#include <QObject>
#include <QSet>

#include <functional>
#include <optional>
#include <vector>

// The findings about a list page's lines while the page is shown, before it writes them into the
// document. A line added, or edited to other fields than its element's, is checked by the same rules
// as the element it would write, alone in a list of its own in a scratch document; its findings stand
// in for those of its element. A removed line has none. What the rules find by comparing lines with
// one another follows once the page writes its lines.
class LineFindings : public QObject {
public:
    // The rules' warnings about the extension under Root.
    using Check = std::function<QList<ExtensionRules::Warning>(const XmlNode& root)>;

    // Follows Lines, a view of the list element ListName whose new lines are named ElementName; Changed
    // runs whenever lines were checked again.
    LineFindings(ElementLines& lines, QString listName, QString elementName, Check check,
                 ExtensionFindings::PlaceOf placeOf, std::function<void()> changed);

    // Whether the document's findings about Element stand: not for the element of a changed or removed line.
    bool keeps(const XmlNode& element) const { return !replaced_.contains(element); }
    bool replacesAny() const { return !replaced_.isEmpty(); }
    // The findings about the changed lines, in the order of the lines.
    QList<ExtensionFindings::Finding> findings() const;
    // What the rules say about the line at Row when it is changed; nothing for a line that shows its
    // element as it is, about which the document's findings speak.
    std::optional<QStringList> messagesAt(int row) const;
    // The line that Element stands for, as its own element or as a changed line's copy; -1 for none.
    int rowOf(const XmlNode& element) const;
    // Checks every changed line again, for sources looked up since.
    void checkAgain();

private:
    struct Line {
        // The scratch root holding the copy, and the copy; null for a line that writes nothing.
        XmlNode root;
        XmlNode copy;
        QList<ExtensionFindings::Finding> findings;
    };

    void showAll();
    void checkRows(int first, int last);
    void checkLine(int row);
    void forget(Line& line);
    void removing(int first, int last);

    ElementLines& lines_;
    QString listName_;
    QString elementName_;
    Check check_;
    ExtensionFindings::PlaceOf placeOf_;
    std::function<void()> changed_;
    XmlDocument scratch_;
    std::vector<Line> shown_;
    // The elements of the lines changed or removed since the list was shown.
    QSet<XmlNode> replaced_;
};
