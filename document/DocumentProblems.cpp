#include "document/DocumentProblems.h"

#include <QFileInfo>

DocumentProblems::DocumentProblems(const XmlDocument& document, QObject* parent)
    : QObject(parent), document_(document) {
    refreshTimer_.setSingleShot(true);
    refreshTimer_.setInterval(0);
    connect(&refreshTimer_, &QTimer::timeout, this, &DocumentProblems::refresh);
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
    if (!refreshTimer_.isActive())
        refreshTimer_.start();
}

void DocumentProblems::refresh() {
    refreshTimer_.stop();
    const auto placeOf = [this](const XmlNode& element) { return Place{linesOfFile_ ? element.line() : 0, 0}; };
    ExtensionRules::SourceFolder sources{folder_, nullptr};
    if (!folder_.isEmpty())
        sources.exists = [this](const QString& source) { return exists(source); };
    findings_ = ExtensionFindings::of(document_, sources, placeOf);
    foundAt_ = generation_;
    startLookups();
    if (OnChanged)
        OnChanged();
}

bool DocumentProblems::exists(const QString& source) {
    if (const auto known = found_.constFind(qHash(source)); known != found_.constEnd())
        return *known;
    unknown_.append(source);
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
        QList<bool> found;
        found.reserve(sources.size());
        for (const QString& source : sources) {
            if (stopping_)
                return;
            found.append(QFileInfo::exists(ExtensionRules::sourcePath(folder, source)));
        }
        QMetaObject::invokeMethod(
            this, [this, round, sources, found] { lookedUp(round, sources, found); }, Qt::QueuedConnection);
    });
}

void DocumentProblems::lookedUp(quint64 round, const QStringList& sources, const QList<bool>& found) {
    if (round != lookupRound_)
        return;
    lookingUp_ = false;
    for (qsizetype i = 0; i < sources.size(); ++i)
        found_.insert(qHash(sources[i]), found[i]);
    refresh();
}

void DocumentProblems::stopLookups() {
    stopping_ = true;
    if (worker_.joinable())
        worker_.join();
    stopping_ = false;
    lookingUp_ = false;
    ++lookupRound_;
}
