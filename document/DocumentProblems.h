#pragma once

#include "document/ExtensionFindings.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <atomic>
#include <functional>
#include <memory>
#include <string_view>
#include <thread>

// The findings about an open document, kept current as it changes. The rules run on the calling thread
// once control returns to the event loop after a change, so that a burst of changes is checked once, and
// a large document is checked in slices between other events; a change starts the search afresh, and
// the findings shown meanwhile are the last ones found in full.
// Whether sources exist on disk is looked up on a worker thread and remembered; a source not looked up
// yet counts as found until its answer comes back and the findings are found again. Answers asked
// before the document's file changed are dropped.
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

    const QList<ExtensionFindings::Finding>& findings() const { return findings_; }
    // Whether the document has not changed since the findings were found: only then do their elements exist.
    bool findingsAreCurrent() const { return foundAt_ == generation_; }
    bool sourcesLookedUp() const { return !folder_.isEmpty(); }
    // Whether the findings are current and nothing is left to search or look up.
    bool settled() const { return findingsAreCurrent() && !search_ && !sliceTimer_.isActive() && !lookingUp_; }

private:
    // Searches for a slice of time; true once the findings are found.
    bool search(const QDeadlineTimer& deadline);
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
    QList<ExtensionFindings::Finding> findings_;
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
