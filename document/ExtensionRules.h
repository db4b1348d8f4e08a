#pragma once

#include "document/xml/XmlDocument.h"

#include <QDeadlineTimer>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <span>
#include <string_view>

// What the Extension Manager refuses or installs other than meant, found in an extension
// installation file and worded as the fix. Nothing here changes the document.
namespace ExtensionRules {

struct Warning {
    // The element at fault, or the one holding the attribute at fault.
    XmlNode element;
    QString message;
};

// The line an element is reported on; a warning about a repeat names the first one's line.
using LineOf = std::function<int(const XmlNode& element)>;

// Whether each of Sources, as the file writes them in UTF-8, is found: into Found, one for each.
using LookUp = std::function<void(std::span<const std::string_view> sources, std::span<bool> found)>;

// Where sources are looked up: Folder, as messages name it, and how they are looked up there, a batch
// at a time. Without LookUp sources are not looked up.
struct SourceFolder {
    QString folder;
    LookUp lookUp;
};
// Sources looked up on disk in Folder.
SourceFolder sourcesOnDisk(const QString& folder);

// A folder on disk in which sources are looked up: it is opened once, so that each look-up is one
// system call that walks the source's own path only.
class SourcesOnDisk {
public:
    explicit SourcesOnDisk(const QString& folder);
    ~SourcesOnDisk();
    SourcesOnDisk(const SourcesOnDisk&) = delete;
    SourcesOnDisk& operator=(const SourcesOnDisk&) = delete;

    // Whether Source, as the file writes it, names something in the folder once links are followed.
    bool exists(std::string_view source) const;
    // The same for each of Sources, into Found; a large batch is shared with a second thread.
    void lookUp(std::span<const std::string_view> sources, std::span<bool> found) const;

private:
    int folder_;
};

// The products of the Products page's picker: the older ones, then those the Extension Manager installs into.
const QStringList& knownProducts();
// Letter case aside; the Extension Manager's own products also with a 32 or 64 suffix (Photoshop64).
bool isKnownProduct(const QString& name);
// major[.minor[.build[.misc]]]: numbers, the last part may hold letters too.
bool isVersion(const QString& version);

class Checker;

// Checks the extension under Root a slice at a time, so that a large one is checked between other work.
// The document must not change until every rule has run.
class Checking {
public:
    Checking(const XmlNode& root, const SourceFolder& sources, const LineOf& lineOf);
    ~Checking();
    Checking(const Checking&) = delete;
    Checking& operator=(const Checking&) = delete;

    // Checks until Deadline has passed or every rule has run; true once every rule has run.
    bool advance(const QDeadlineTimer& deadline = QDeadlineTimer(QDeadlineTimer::Forever));
    // The warnings found so far, grouped by rule.
    const QList<Warning>& warnings() const;

private:
    void enterSection(const XmlNode& section);

    XmlNode root_;
    std::unique_ptr<Checker> checker_;
    bool started_ = false;
    bool finished_ = false;
    // The element of the root being checked, and the next of its children to check.
    XmlNode section_;
    XmlNode item_;
};

// The warnings for the extension under Root, grouped by rule.
QList<Warning> check(const XmlNode& root, const SourceFolder& sources, const LineOf& lineOf);

} // namespace ExtensionRules
