#pragma once

#include "document/ExtensionFindings.h"
#include "document/LineFindings.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <thread>
#include <vector>

// The findings about an open document, kept current as it changes. The rules run on the calling thread
// once control returns to the event loop after a change, so that a burst of changes is checked once, and
// a large document is checked in slices between other events; a change starts the search afresh, and
// the findings shown meanwhile are the last ones found in full.
// Whether sources exist on disk is looked up on a worker thread and remembered; a source not looked up
// yet counts as found until its answer comes back and the findings are found again. Answers asked
// before the document's file changed are dropped.
// The lines of a list page on screen count as they show, edits not yet written into the document
// included (LineFindings).
class DocumentProblems : public QObject {
public:
    explicit DocumentProblems(const XmlDocument& document, QObject* parent = nullptr);
    ~DocumentProblems() override;

    // Runs whenever the findings have been found again.
    std::function<void()> OnChanged;

    // The document came from FileName, or has no file when FileName is empty: sources are then not
    // looked up. LinesOfFile says whether the elements' lines are those of that file.
    void setFile(const QString& fileName, bool linesOfFile);
    // Notes a change of the document; the findings follow once control returns to the event loop.
    void documentChanged();
    // Follows the lines of a list page while it is shown: Lines views the list element ListName, whose
    // new elements are named ElementName. Each line's findings become its tooltip and part of its sentence.
    void followLines(ElementLines& lines, const QString& listName, const QString& elementName);
    // While a page shows the text of the root's child ElementName, edits included, the findings about
    // that element are those of the element the page would write; nullopt once the page has written it.
    void showText(const QString& elementName, const std::optional<QString>& text);
    // The line of Lines that the finding's element stands for; -1 for none.
    int rowOf(const ElementLines& lines, const XmlNode& element) const;

    const QList<ExtensionFindings::Finding>& findings() const { return findings_; }
    // Whether the document has not changed since the findings were found: only then do their elements exist.
    bool findingsAreCurrent() const { return foundAt_ == generation_; }
    bool sourcesLookedUp() const { return !folder_.isEmpty(); }
    // Whether the findings are current and nothing is left to search or look up.
    bool settled() const { return findingsAreCurrent() && !search_ && !sliceTimer_.isActive() && !lookingUp_; }

private:
    // Searches for a slice of time; true once the findings are found.
    bool search(const QDeadlineTimer& deadline);
    // The document's findings, those of changed lines and texts instead of their elements', and then OnChanged.
    void showFindings();
    ExtensionRules::SourceFolder sourceFolder();
    Place placeOf(const XmlNode& element) const;
    bool shownAsInDocument(const XmlNode& element) const;
    QStringList documentMessagesAbout(const XmlNode& element) const;
    bool everySourceMissing();
    void searchSlice();
    void searchAgain();
    void dropSearch();
    bool exists(std::string_view source);
    void startLookups();
    void lookedUp(quint64 round, const QList<QByteArray>& sources, const QList<bool>& found);
    void stopLookups();

    const XmlDocument& document_;
    QString folder_;
    bool linesOfFile_ = false;
    // The document's findings as last found in full, and those shown: with the lines on screen.
    QList<ExtensionFindings::Finding> documentFindings_;
    QList<ExtensionFindings::Finding> findings_;
    // Whether the document's findings say that none of its sources is found, once asked.
    std::optional<bool> everySourceMissing_;
    std::vector<LineFindings*> followed_;
    // The element whose text a page shows edited, and the findings of the one it would write, in Scratch.
    struct ShownText {
        XmlNode element;
        QList<ExtensionFindings::Finding> findings;
    };
    std::optional<ShownText> shownText_;
    XmlDocument scratch_;
    quint64 generation_ = 0;
    quint64 foundAt_ = 0;
    std::unique_ptr<ExtensionFindings::Search> search_;
    QTimer sliceTimer_;
    // Whether each source looked up in folder_ exists, by the source's hash.
    QHash<size_t, bool> found_;
    QList<QByteArray> unknown_;
    std::thread worker_;
    std::atomic<bool> stopping_ = false;
    bool lookingUp_ = false;
    // Answers of an earlier round, asked before the folder changed, are dropped.
    quint64 lookupRound_ = 0;
};
