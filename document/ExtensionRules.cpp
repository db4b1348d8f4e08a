#include "document/ExtensionRules.h"

#include "document/Mxi.h"
#include "document/xml/FileNames.h"

#include <QDir>
#include <QHash>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <climits>
#include <deque>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <unordered_map>
#include <vector>

namespace ExtensionRules {

namespace {

const QString MenuItem = QStringLiteral("menuitem");

constexpr qsizetype maxNameLength = 255;
constexpr qsizetype maxUiAccessLength = 512;

// The rules read a great many attributes: they read UTF-8 as the tree keeps it, and turn it into a
// QString only for a message or for letter case beyond ASCII.
using Utf8 = std::string_view;

QString toQString(Utf8 text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// These loops run over every byte of every path: written without early exits, the compiler turns
// them into vector code.
bool isAscii(Utf8 text) {
    unsigned char bits = 0;
    for (const char c : text)
        bits |= static_cast<unsigned char>(c);
    return bits < 0x80;
}

char asciiLower(char c) {
    return char(c + (static_cast<unsigned char>(c - 'A') < 26 ? 'a' - 'A' : 0));
}

// Letter case aside, as QString compares; ASCII, by far the most common, without Qt's Unicode tables.
bool equalIgnoringCase(Utf8 a, Utf8 b) {
    if (!isAscii(a) || !isAscii(b))
        return toQString(a).compare(toQString(b), Qt::CaseInsensitive) == 0;
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return asciiLower(x) == asciiLower(y); });
}

bool isOneOf(Utf8 value, std::initializer_list<Utf8> allowed) {
    return std::any_of(allowed.begin(), allowed.end(), [value](Utf8 word) { return equalIgnoringCase(value, word); });
}

bool isOneOf(const QString& value, const QStringList& allowed) {
    return allowed.contains(value, Qt::CaseInsensitive);
}

QString attributeOrEmpty(const XmlNode& element, const QString& name) {
    return element.attribute(name).value_or(QString());
}

// Appends Path to Key as paths are compared. Paths are Windows paths as often as not: either
// separator, any letter case, a folder with or without its last separator.
void appendPathKey(std::string& key, Utf8 path) {
    const size_t start = key.size();
    key.resize(start + path.size());
    std::transform(path.begin(), path.end(), key.begin() + qsizetype(start),
                   [](char c) { return c == '\\' ? '/' : asciiLower(c); });
    if (!isAscii(path))
        key.replace(start, std::string::npos, toQString(Utf8(key).substr(start)).toCaseFolded().toStdString());
    while (key.size() > start && key.back() == '/')
        key.pop_back();
}

void appendLowerCase(std::string& text, Utf8 value) {
    if (!isAscii(value)) {
        text += toQString(value).toLower().toStdString();
        return;
    }
    const size_t start = text.size();
    text.resize(start + value.size());
    std::transform(value.begin(), value.end(), text.begin() + qsizetype(start), asciiLower);
}

Utf8 lastPart(Utf8 key) {
    return key.substr(key.rfind('/') + 1);
}

// The folder of Destination as written, without its last part.
QString withoutLastPart(QString destination) {
    while (destination.endsWith('/') || destination.endsWith('\\'))
        destination.chop(1);
    return destination.left(std::max(
        {destination.lastIndexOf(QLatin1Char('/')), destination.lastIndexOf(QLatin1Char('\\')), qsizetype(0)}));
}

// Dot-separated names of letters, digits, hyphens and underscores, as in com.example.tidy.
bool isReverseDnsName(const QString& id) {
    const auto allowed = [](QChar c) { return c.unicode() < 128 && (c.isLetterOrNumber() || c == '-' || c == '_'); };
    const QStringList parts = id.split('.');
    return std::all_of(parts.begin(), parts.end(), [&](const QString& part) {
        return !part.isEmpty() && std::all_of(part.begin(), part.end(), allowed);
    });
}

QString textOf(const XmlNode& element) {
    QString text;
    for (const XmlNode& child : element.children()) {
        if (child.type() == NodeType::Text || child.type() == NodeType::CData)
            text += child.value();
    }
    return text;
}

// The attributes of a file element that the rules read, each read once; Mxi's spellings find them
// here as they find an element's.
class FileAttributes {
public:
    explicit FileAttributes(const XmlNode& file) {
        for (auto& [name, value] : read_)
            value = file.attributeUtf8(*name);
    }

    bool hasAttribute(const QString& name) const { return bool((*this)[name]); }
    const Utf8Attribute& operator[](const QString& name) const {
        // Names are Mxi's, whose copies share their text: looked for by its address before comparing texts.
        for (const auto& [known, value] : read_) {
            if (known->constData() == name.constData())
                return value;
        }
        static const Utf8Attribute absent;
        const auto read =
            std::find_if(read_.begin(), read_.end(), [&name](const auto& item) { return *item.first == name; });
        return read == read_.end() ? absent : read->second;
    }

private:
    std::array<std::pair<const QString*, Utf8Attribute>, 6> read_{{{&Mxi::Source, {}},
                                                                   {&Mxi::Name, {}},
                                                                   {&Mxi::Destination, {}},
                                                                   {&Mxi::FileType, {}},
                                                                   {&Mxi::Platform, {}},
                                                                   {&Mxi::Plateform, {}}}};
};

// What makes two files one copy: their sources and destinations as paths, and their platforms.
struct CopyKey {
    explicit CopyKey(const FileAttributes& file)
        : CopyKey(*file[Mxi::sourceAttribute(file)], *file[Mxi::Destination], *file[Mxi::platformAttribute(file)]) {}
    CopyKey(Utf8 source, Utf8 destination, Utf8 platform) {
        text.reserve(source.size() + destination.size() + platform.size() + 2);
        appendPathKey(text, source);
        sourceEnd = text.size();
        text += '\n';
        appendPathKey(text, destination);
        destinationEnd = text.size();
        text += '\n';
        appendLowerCase(text, platform);
    }
    Utf8 source() const { return Utf8(text).substr(0, sourceEnd); }
    Utf8 destination() const { return Utf8(text).substr(sourceEnd + 1, destinationEnd - sourceEnd - 1); }

    std::string text;
    size_t sourceEnd = 0;
    size_t destinationEnd = 0;
};

// The first element of each key. Only the keys' hashes are kept: an earlier element's key is worked
// out again, by KeyOf, where two hashes are equal.
class FirstOfKey {
public:
    using KeyOf = std::function<std::string(const XmlNode& element)>;
    explicit FirstOfKey(KeyOf keyOf) : keyOf_(std::move(keyOf)) {}

    // The element of Key met before Element; a null handle when there is none, and Element is then the first.
    XmlNode firstBefore(const XmlNode& element, Utf8 key) {
        const size_t hash = std::hash<Utf8>()(key);
        for (auto [first, end] = firsts_.equal_range(hash); first != end; ++first) {
            if (keyOf_(first->second) == key)
                return first->second;
        }
        firsts_.emplace(hash, element);
        return {};
    }

private:
    KeyOf keyOf_;
    std::unordered_multimap<size_t, XmlNode> firsts_;
};

} // namespace

class Checker {
    friend class Checking;

public:
    Checker(const SourceFolder& sourceFolder, const LineOf& lineOf) : sourceFolder_(sourceFolder), lineOf_(lineOf) {}

    QList<Warning> warnings;

    void checkRoot(const XmlNode& root) {
        const QString name = attributeOrEmpty(root, Mxi::Name);
        if (name.isEmpty())
            warn(root, QStringLiteral("name is empty: give the extension a name"));
        else if (name.size() > maxNameLength)
            warn(root, QStringLiteral("name is %1 characters long: shorten it to %2 at most")
                           .arg(name.size())
                           .arg(maxNameLength));
        const QString version = attributeOrEmpty(root, Mxi::Version);
        if (version.isEmpty())
            warn(root, QStringLiteral("version is empty: give the extension a version such as 1.0.0"));
        else
            checkVersion(root);
        if (const QString id = attributeOrEmpty(root, Mxi::Id); !id.isEmpty() && !isReverseDnsName(id))
            warn(root, QStringLiteral("id '%1' should be a reverse-DNS name like com.example.tidy").arg(id));
    }

    void checkSections(const XmlNode& root) {
        QHash<QString, XmlNode> firsts;
        for (const XmlNode& section : root.children()) {
            if (!isSection(section))
                continue;
            if (const auto first = firsts.constFind(section.name()); first != firsts.constEnd())
                warn(section, QStringLiteral("a second %1: the page shows only the first, on line %2; merge the two")
                                  .arg(section.name())
                                  .arg(lineOf_(*first)));
            else
                firsts.insert(section.name(), section);
        }
        const XmlNode uiAccess = root.findChild(Mxi::UiAccess);
        if (const qsizetype length = uiAccess ? textOf(uiAccess).size() : 0; length > maxUiAccessLength)
            warn(uiAccess, QStringLiteral("ui-access is %1 characters long: shorten it to %2 at most")
                               .arg(length)
                               .arg(maxUiAccessLength));
    }

    void checkProduct(const XmlNode& product) {
        const QString name = attributeOrEmpty(product, Mxi::productNameAttribute(product));
        if (name.isEmpty())
            warn(product, QStringLiteral("product without name: add name with the product it installs into"));
        else if (!isKnownProduct(name))
            warn(product, QStringLiteral("product '%1' is unknown to the Extension Manager: use one of %2")
                              .arg(name, knownProducts().join(", ")));
        checkVersion(product);
    }

    void checkMenuIds(const XmlNode& element) {
        for (XmlNode child = element.firstChild(); child; child = child.nextSibling()) {
            if (child.type() != NodeType::Element)
                continue;
            if (child.isElement(MenuItem)) {
                if (const Utf8Attribute id = child.attributeUtf8(Mxi::Id); !(*id).empty()) {
                    if (const XmlNode first = menuIds_.firstBefore(child, *id))
                        warn(child, QStringLiteral("menu item id '%1' is used again: give this menu item an id of "
                                                   "its own; the first is on line %2")
                                        .arg(toQString(*id))
                                        .arg(lineOf_(first)));
                }
            }
            checkMenuIds(child);
        }
    }

    // Looks up the next Count sources at most; false once every source is looked up, or where sources
    // are not looked up.
    bool lookUpSources(qsizetype count) {
        if (!sourceFolder_.lookUp || lookedUp_ == sourceCount())
            return false;
        const qsizetype end = lookedUp_ + std::min(count, sourceCount() - lookedUp_);
        std::vector<std::string_view> paths;
        paths.reserve(size_t(end - lookedUp_));
        for (qsizetype i = lookedUp_; i < end; ++i)
            paths.push_back(*sources_[size_t(i)].path);
        QList<bool> found(end - lookedUp_);
        sourceFolder_.lookUp(paths, found);
        for (qsizetype i = lookedUp_; i < end; ++i) {
            if (!found[i - lookedUp_])
                missing_.append(i);
        }
        lookedUp_ = end;
        return true;
    }

    // Checked from the wrong folder, every source is missing: one line says so instead of one per file.
    void reportMissingSources(const XmlNode& files) {
        const QDir folder(sourceFolder_.folder);
        if (missing_.size() > 1 && missing_.size() == sourceCount()) {
            warn(files, QStringLiteral("none of the %1 sources is found relative to %2; checked from the wrong folder?")
                            .arg(sourceCount())
                            .arg(folder.absolutePath()));
            return;
        }
        for (const qsizetype missing : missing_) {
            const Source& source = sources_[size_t(missing)];
            warn(source.file, QStringLiteral("%1 '%2' is not found in %3: correct the path or add the file")
                                  .arg(source.attribute, toQString(*source.path), folder.absolutePath()));
        }
    }

private:
    static bool isSection(const XmlNode& node) {
        static const QStringList names = {Mxi::Description, Mxi::UiAccess, Mxi::Products, Mxi::Files,
                                          Mxi::ConfigurationChanges};
        return node.type() == NodeType::Element && names.contains(node.name());
    }

    void warn(const XmlNode& element, const QString& message) { warnings.append({element, message}); }
    qsizetype sourceCount() const { return qsizetype(sources_.size()); }

    void checkVersion(const XmlNode& element) {
        const QString version = attributeOrEmpty(element, Mxi::Version);
        if (!version.isEmpty() && !isVersion(version))
            warn(element, QStringLiteral("version '%1' should be numbers like 1.0.2").arg(version));
    }

    void checkFile(const XmlNode& file) {
        const FileAttributes attributes(file);
        const QString sourceName = Mxi::sourceAttribute(attributes);
        const Utf8 source = *attributes[sourceName];
        const Utf8 destination = *attributes[Mxi::Destination];
        const Utf8 fileType = *attributes[Mxi::FileType];
        if (source.empty())
            warn(file, QStringLiteral("file without source: add source with the path of the file to install"));
        // The Extension Manager installs a CSXS package itself, wherever its destination points.
        if (destination.empty() && !equalIgnoringCase(fileType, "csxs"))
            warn(file, QStringLiteral("file without destination: add destination with the folder to install into"));
        if (!fileType.empty() && !isOneOf(fileType, {"csxs", "plugin", "ordinary"}))
            warn(file, QStringLiteral("file-type '%1' should be csxs, plugin or ordinary").arg(toQString(fileType)));
        checkPlatform(file, attributes);
        if (source.empty())
            return;
        sources_.push_back({file, sourceName, attributes[sourceName]});
        const CopyKey key(source, destination, *attributes[Mxi::platformAttribute(attributes)]);
        if (!key.destination().empty() && lastPart(key.destination()) == lastPart(key.source()))
            warn(file, QStringLiteral("destination '%1' ends with the file's own name: give the folder only, '%2'")
                           .arg(toQString(destination), withoutLastPart(toQString(destination))));
        if (const XmlNode first = copies_.firstBefore(file, key.text))
            warn(file, QStringLiteral("%1 '%2' goes to '%3' again: remove this copy; the first is on line %4")
                           .arg(sourceName, toQString(source), toQString(destination))
                           .arg(lineOf_(first)));
    }

    // Warns about platforms the Extension Manager does not know.
    void checkPlatform(const XmlNode& file, const FileAttributes& attributes) {
        for (const QString* name : {&Mxi::Platform, &Mxi::Plateform}) {
            if (const Utf8Attribute& value = attributes[*name]; value && !isOneOf(*value, {"win", "mac"}))
                warn(
                    file,
                    QStringLiteral("%1 '%2' should be win or mac, or left out for both").arg(*name, toQString(*value)));
        }
        const Utf8Attribute& platform = attributes[Mxi::Platform];
        const Utf8Attribute& plateform = attributes[Mxi::Plateform];
        if (platform && plateform && !equalIgnoringCase(*platform, *plateform))
            warn(file, QStringLiteral("platform '%1' and plateform '%2' disagree: keep one of them")
                           .arg(toQString(*platform), toQString(*plateform)));
    }

    SourceFolder sourceFolder_;
    LineOf lineOf_;
    struct Source {
        XmlNode file;
        QString attribute;
        Utf8Attribute path;
    };
    // The files with a source, in order.
    // A deque, which never moves what it holds as it grows.
    std::deque<Source> sources_;
    // How many sources are looked up, and which of them are missing.
    qsizetype lookedUp_ = 0;
    QList<qsizetype> missing_;
    FirstOfKey copies_{[](const XmlNode& file) { return CopyKey(FileAttributes(file)).text; }};
    FirstOfKey menuIds_{[](const XmlNode& item) { return std::string(*item.attributeUtf8(Mxi::Id)); }};
};

const QStringList& knownProducts() {
    return Mxi::productNames();
}

bool isKnownProduct(const QString& name) {
    if (isOneOf(name, knownProducts()))
        return true;
    const bool hasBits = name.endsWith(QLatin1String("32")) || name.endsWith(QLatin1String("64"));
    return hasBits && Mxi::isExtensionManagerProduct(name.chopped(2));
}

bool isVersion(const QString& version) {
    const QStringList parts = version.split('.');
    if (parts.size() > 4)
        return false;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const bool mayHoldLetters = i > 0 && i == parts.size() - 1;
        const auto allowed = [mayHoldLetters](QChar c) {
            return (c >= '0' && c <= '9') || (mayHoldLetters && c.isLetter() && c.unicode() < 128);
        };
        if (parts[i].isEmpty() || !std::all_of(parts[i].begin(), parts[i].end(), allowed))
            return false;
    }
    return true;
}

SourceFolder sourcesOnDisk(const QString& folder) {
    const auto disk = std::make_shared<const SourcesOnDisk>(folder);
    return {folder,
            [disk](std::span<const std::string_view> sources, std::span<bool> found) { disk->lookUp(sources, found); }};
}

// A folder that cannot be opened holds nothing: a relative source is then not found.
SourcesOnDisk::SourcesOnDisk(const QString& folder)
    : folder_(::open(fileNameBytes(folder).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC)) {}

SourcesOnDisk::~SourcesOnDisk() {
    if (folder_ >= 0)
        ::close(folder_);
}

bool SourcesOnDisk::exists(std::string_view source) const {
    // No path that long is found.
    std::array<char, PATH_MAX> path;
    if (source.size() >= path.size())
        return false;
    std::replace_copy(source.begin(), source.end(), path.begin(), '\\', '/');
    path[source.size()] = '\0';
    return ::faccessat(folder_, path.data(), F_OK, 0) == 0;
}

void SourcesOnDisk::lookUp(std::span<const std::string_view> sources, std::span<bool> found) const {
    const auto lookUpPart = [this, sources, found](size_t begin, size_t end) {
        for (size_t i = begin; i < end; ++i)
            found[i] = exists(sources[i]);
    };
    // Each look-up waits on a system call, which costs more than starting a thread many times over.
    constexpr size_t worthASecondThread = 1024;
    if (sources.size() < worthASecondThread)
        return lookUpPart(0, sources.size());
    const size_t half = sources.size() / 2;
    std::thread second;
    try {
        second = std::thread(lookUpPart, half, sources.size());
    } catch (const std::system_error&) {
        // No thread to spare: this one looks up both halves.
        lookUpPart(half, sources.size());
    }
    lookUpPart(0, half);
    if (second.joinable())
        second.join();
}

Checking::Checking(const XmlNode& root, const SourceFolder& sources, const LineOf& lineOf)
    : root_(root), checker_(std::make_unique<Checker>(sources, lineOf)) {}

Checking::~Checking() = default;

bool Checking::advance(const QDeadlineTimer& deadline) {
    if (!started_) {
        checker_->checkRoot(root_);
        checker_->checkSections(root_);
        enterSection(root_.firstChild());
        started_ = true;
    }
    // The clock is read now and then: reading it costs more than checking one element.
    constexpr int stepsBetweenClocks = 256;
    for (int steps = 1;; ++steps) {
        if (!section_) {
            // Sources are looked up in batches, all at once where there is no deadline.
            if (!checker_->lookUpSources(deadline.isForever() ? std::numeric_limits<qsizetype>::max()
                                                              : stepsBetweenClocks))
                break;
            steps = stepsBetweenClocks;
        } else if (!item_) {
            enterSection(section_.nextSibling());
        } else {
            if (item_.isElement(Mxi::Product))
                checker_->checkProduct(item_);
            else if (item_.isElement(Mxi::File))
                checker_->checkFile(item_);
            item_ = item_.nextSibling();
        }
        if (steps % stepsBetweenClocks == 0 && deadline.hasExpired())
            return false;
    }
    if (!finished_) {
        if (const XmlNode files = root_.findChild(Mxi::Files); files && checker_->sourceFolder_.lookUp)
            checker_->reportMissingSources(files);
        finished_ = true;
    }
    return true;
}

const QList<Warning>& Checking::warnings() const {
    return checker_->warnings;
}

void Checking::enterSection(const XmlNode& section) {
    section_ = section;
    item_ = XmlNode();
    if (!section)
        return;
    if (section.isElement(Mxi::Products) || section.isElement(Mxi::Files))
        item_ = section.firstChild();
    else if (section.isElement(Mxi::ConfigurationChanges))
        checker_->checkMenuIds(section);
}

QList<Warning> check(const XmlNode& root, const SourceFolder& sources, const LineOf& lineOf) {
    Checking checking(root, sources, lineOf);
    checking.advance();
    return checking.warnings();
}

} // namespace ExtensionRules
