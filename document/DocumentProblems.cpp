#include "document/DocumentProblems.h"

#include <QFileInfo>
#include <QThreadPool>

#include <algorithm>

DocumentProblems::DocumentProblems(const XmlDocument& document, QObject* parent)
    : QObject(parent), document_(document) {
    sliceTimer_.setSingleShot(true);
    sliceTimer_.setInterval(0);
    connect(&sliceTimer_, &QTimer::timeout, this, &DocumentProblems::searchSlice);
}

DocumentProblems::~DocumentProblems() {
    stopLookups();
}

void DocumentProblems::setFile(const QString& fileName, bool linesOfFile) {
    const QString folder = fileName.isEmpty() ? QString() : QFileInfo(fileName).absolutePath();
    // The disk may have changed since the last look: every source is looked up again.
    stopLookups();
    found_.clear();
    folder_ = folder;
    linesOfFile_ = linesOfFile;
    documentChanged();
}

void DocumentProblems::documentChanged() {
    ++generation_;
    searchAgain();
}

void DocumentProblems::searchAgain() {
    // The search under way may hold elements that a change removed.
    dropSearch();
    unknown_.clear();
    if (!sliceTimer_.isActive())
        sliceTimer_.start();
}

void DocumentProblems::searchSlice() {
    // Short enough that the window keeps answering; long enough that a small document is done in one.
    constexpr int sliceMilliseconds = 20;
    if (!search(QDeadlineTimer(sliceMilliseconds)))
        sliceTimer_.start();
}

bool DocumentProblems::search(const QDeadlineTimer& deadline) {
    if (!search_) {
        const auto placeOf = [this](const XmlNode& element) { return Place{linesOfFile_ ? element.line() : 0, 0}; };
        ExtensionRules::SourceFolder sources{folder_, nullptr};
        if (!folder_.isEmpty())
            sources.lookUp = [this](std::span<const std::string_view> paths, std::span<bool> found) {
                std::transform(paths.begin(), paths.end(), found.begin(), [this](auto path) { return exists(path); });
            };
        search_ = std::make_unique<ExtensionFindings::Search>(document_, sources, placeOf);
    }
    if (!search_->advance(deadline))
        return false;
    findings_ = search_->findings();
    dropSearch();
    foundAt_ = generation_;
    startLookups();
    if (OnChanged)
        OnChanged();
    return true;
}

bool DocumentProblems::exists(std::string_view source) {
    const QByteArrayView bytes(source.data(), qsizetype(source.size()));
    if (const auto known = found_.constFind(qHash(bytes)); known != found_.constEnd())
        return *known;
    unknown_.append(bytes.toByteArray());
    return true;
}

void DocumentProblems::startLookups() {
    if (lookingUp_ || unknown_.isEmpty()) {
        unknown_.clear();
        return;
    }
    if (worker_.joinable())
        worker_.join();
    lookingUp_ = true;
    worker_ = std::thread([this, round = lookupRound_, sources = std::exchange(unknown_, {}), folder = folder_] {
        const ExtensionRules::SourcesOnDisk disk(folder);
        QList<bool> found;
        found.reserve(sources.size());
        for (const QByteArray& source : sources) {
            if (stopping_)
                return;
            found.append(disk.exists(std::string_view(source.constData(), size_t(source.size()))));
        }
        QMetaObject::invokeMethod(
            this, [this, round, sources, found] { lookedUp(round, sources, found); }, Qt::QueuedConnection);
    });
}

void DocumentProblems::lookedUp(quint64 round, const QList<QByteArray>& sources, const QList<bool>& found) {
    if (round != lookupRound_)
        return;
    lookingUp_ = false;
    for (qsizetype i = 0; i < sources.size(); ++i)
        found_.insert(qHash(sources[i]), found[i]);
    searchAgain();
}

void DocumentProblems::stopLookups() {
    stopping_ = true;
    if (worker_.joinable())
        worker_.join();
    stopping_ = false;
    lookingUp_ = false;
    ++lookupRound_;
}

// A search of a large document holds a great many small pieces, whose freeing alone would hold up the
// window; they are freed on a pool thread. The search reads nothing of the document as it goes.
void DocumentProblems::dropSearch() {
    if (search_)
        QThreadPool::globalInstance()->start([search = search_.release()] { delete search; });
}
