#include "document/DocumentProblems.h"

#include "document/DescriptionText.h"
#include "document/Mxi.h"

#include <QFileInfo>
#include <QThreadPool>

#include <algorithm>
#include <utility>

DocumentProblems::DocumentProblems(const XmlDocument& document, QObject* parent)
    : QObject(parent), document_(document) {
    scratch_.activate();
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

void DocumentProblems::followLines(ElementLines& lines, const QString& listName, const QString& elementName) {
    const auto check = [this](const XmlNode& root) {
        // Where the document's sources are all missing, one finding says so for every line.
        return ExtensionRules::check(root, everySourceMissing() ? ExtensionRules::SourceFolder{} : sourceFolder(),
                                     [this](const XmlNode& element) { return placeOf(element).line; });
    };
    const auto place = [this](const XmlNode& element) { return placeOf(element); };
    LineFindings* followed = new LineFindings(lines, listName, elementName, check, place, [this] {
        showFindings();
        if (!search_ && !sliceTimer_.isActive())
            startLookups();
    });
    followed_.push_back(followed);
    connect(followed, &QObject::destroyed, this, [this, followed] { std::erase(followed_, followed); });
    lines.findingsAt = [this, followed, &lines](int row) {
        const std::optional<QStringList> ofLine = followed->messagesAt(row);
        return ofLine ? *ofLine : documentMessagesAbout(lines.elementAt(row));
    };
}

void DocumentProblems::showText(const QString& elementName, const std::optional<QString>& text) {
    shownText_.reset();
    scratch_.activate();
    if (const XmlNode root = Mxi::findRoot(document_); root && text) {
        XmlNode copyRoot = scratch_.documentNode().appendChild(scratch_.createElement(Mxi::Root));
        ShownText shown{root.findChild(elementName), {}};
        if (shown.element)
            copyRoot.appendChild(shown.element);
        DescriptionText::store(scratch_, elementName, *text);
        const XmlNode copy = copyRoot.findChild(elementName);
        const Place place = shown.element ? placeOf(shown.element) : Place{};
        for (const ExtensionRules::Warning& warning :
             ExtensionRules::check(copyRoot, {}, [](const XmlNode&) { return 0; })) {
            if (warning.element == copy)
                shown.findings.append({copy, place, warning.message});
        }
        shownText_ = shown;
    }
    showFindings();
}

int DocumentProblems::rowOf(const ElementLines& lines, const XmlNode& element) const {
    for (const LineFindings* followed : followed_) {
        if (followed->parent() == &lines)
            return followed->rowOf(element);
    }
    return -1;
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
        search_ = std::make_unique<ExtensionFindings::Search>(
            document_, sourceFolder(), [this](const XmlNode& element) { return placeOf(element); });
    }
    if (!search_->advance(deadline))
        return false;
    documentFindings_ = search_->findings();
    everySourceMissing_.reset();
    dropSearch();
    foundAt_ = generation_;
    for (LineFindings* followed : followed_)
        followed->checkAgain();
    showFindings();
    startLookups();
    return true;
}

void DocumentProblems::showFindings() {
    // The findings shown until now may be the last hold on many small pieces: they go on a pool thread.
    QThreadPool::globalInstance()->start([previous = std::exchange(findings_, {})] {});
    QList<ExtensionFindings::Finding> ofPages = shownText_ ? shownText_->findings : QList<ExtensionFindings::Finding>();
    for (const LineFindings* followed : followed_)
        ofPages.append(followed->findings());
    const bool replacing =
        shownText_ || std::any_of(followed_.begin(), followed_.end(),
                                  [](const LineFindings* followed) { return followed->replacesAny(); });
    // Pages that show the document as it is share its findings, however many there are.
    if (!replacing && ofPages.isEmpty()) {
        findings_ = documentFindings_;
    } else {
        findings_.clear();
        findings_.reserve(documentFindings_.size() + ofPages.size());
        for (const ExtensionFindings::Finding& finding : documentFindings_) {
            if (shownAsInDocument(finding.element))
                findings_.append(finding);
        }
        const qsizetype ofDocument = findings_.size();
        std::stable_sort(ofPages.begin(), ofPages.end(), ExtensionFindings::listedBefore);
        findings_.append(ofPages);
        std::inplace_merge(findings_.begin(), findings_.begin() + ofDocument, findings_.end(),
                           ExtensionFindings::listedBefore);
    }
    if (OnChanged)
        OnChanged();
}

bool DocumentProblems::everySourceMissing() {
    if (!everySourceMissing_) {
        const XmlNode extension = Mxi::findRoot(document_);
        const XmlNode files = extension ? extension.findChild(Mxi::Files) : XmlNode();
        everySourceMissing_ = files && !documentMessagesAbout(files).isEmpty();
    }
    return *everySourceMissing_;
}

// Found by the element's place, by which the findings are in order.
QStringList DocumentProblems::documentMessagesAbout(const XmlNode& element) const {
    const ExtensionFindings::Finding key{element, placeOf(element), {}};
    const auto [first, last] =
        std::equal_range(documentFindings_.begin(), documentFindings_.end(), key, ExtensionFindings::listedBefore);
    QStringList messages;
    for (auto finding = first; finding != last; ++finding) {
        if (finding->element == element)
            messages.append(finding->message);
    }
    return messages;
}

bool DocumentProblems::shownAsInDocument(const XmlNode& element) const {
    return (!shownText_ || shownText_->element != element) &&
           std::all_of(followed_.begin(), followed_.end(),
                       [&](const LineFindings* followed) { return followed->keeps(element); });
}

ExtensionRules::SourceFolder DocumentProblems::sourceFolder() {
    ExtensionRules::SourceFolder sources{folder_, nullptr};
    if (!folder_.isEmpty())
        sources.lookUp = [this](std::span<const std::string_view> paths, std::span<bool> found) {
            std::transform(paths.begin(), paths.end(), found.begin(), [this](auto path) { return exists(path); });
        };
    return sources;
}

Place DocumentProblems::placeOf(const XmlNode& element) const {
    return Place{linesOfFile_ ? element.line() : 0, 0};
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
