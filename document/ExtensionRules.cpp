#include "document/ExtensionRules.h"

#include "document/Mxi.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <optional>

namespace ExtensionRules {

namespace {

const QString MenuItem = QStringLiteral("menuitem");

constexpr qsizetype maxNameLength = 255;
constexpr qsizetype maxUiAccessLength = 512;

bool isOneOf(const QString& value, const QStringList& allowed) {
    return allowed.contains(value, Qt::CaseInsensitive);
}

QString attributeOrEmpty(const XmlNode& element, const QString& name) {
    return element.attribute(name).value_or(QString());
}

// Paths are Windows paths as often as not: either separator, any letter case, a folder with or
// without its last separator. ASCII, by far the most common, is folded without Qt's Unicode tables.
QString pathKey(const QString& path) {
    QString key = path;
    bool ascii = true;
    for (QChar& c : key) {
        const char16_t code = c.unicode();
        if (code == '\\')
            c = QLatin1Char('/');
        else if (code >= 'A' && code <= 'Z')
            c = QChar(char16_t(code + ('a' - 'A')));
        else
            ascii = ascii && code < 0x80;
    }
    if (!ascii)
        key = key.toCaseFolded();
    while (key.endsWith('/'))
        key.chop(1);
    return key;
}

QString lastPart(const QString& key) {
    return key.mid(key.lastIndexOf('/') + 1);
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
        for (const XmlNode& child : element.children()) {
            if (child.type() != NodeType::Element)
                continue;
            const QString id = attributeOrEmpty(child, Mxi::Id);
            if (child.isElement(MenuItem) && !id.isEmpty()) {
                if (const auto first = menuIds_.constFind(id); first != menuIds_.constEnd())
                    warn(child, QStringLiteral("menu item id '%1' is used again: give this menu item an id of its "
                                               "own; the first is on line %2")
                                    .arg(id)
                                    .arg(lineOf_(*first)));
                else
                    menuIds_.insert(id, child);
            }
            checkMenuIds(child);
        }
    }

    // Looks up the next source; false once every source is looked up, or where sources are not looked up.
    bool lookUpNextSource() {
        if (!sourceFolder_.exists || lookedUp_ == sources_.size())
            return false;
        if (!sourceFolder_.exists(sources_[lookedUp_].path))
            missing_.append(lookedUp_);
        ++lookedUp_;
        return true;
    }

    // Checked from the wrong folder, every source is missing: one line says so instead of one per file.
    void reportMissingSources(const XmlNode& files) {
        const QDir folder(sourceFolder_.folder);
        if (missing_.size() > 1 && missing_.size() == sources_.size()) {
            warn(files, QStringLiteral("none of the %1 sources is found relative to %2; checked from the wrong folder?")
                            .arg(sources_.size())
                            .arg(folder.absolutePath()));
            return;
        }
        for (const qsizetype missing : missing_) {
            const Source& source = sources_[missing];
            warn(source.file, QStringLiteral("%1 '%2' is not found in %3: correct the path or add the file")
                                  .arg(source.attribute, source.path, folder.absolutePath()));
        }
    }

private:
    static bool isSection(const XmlNode& node) {
        static const QStringList names = {Mxi::Description, Mxi::UiAccess, Mxi::Products, Mxi::Files,
                                          Mxi::ConfigurationChanges};
        return node.type() == NodeType::Element && names.contains(node.name());
    }

    void warn(const XmlNode& element, const QString& message) { warnings.append({element, message}); }

    void checkVersion(const XmlNode& element) {
        const QString version = attributeOrEmpty(element, Mxi::Version);
        if (!version.isEmpty() && !isVersion(version))
            warn(element, QStringLiteral("version '%1' should be numbers like 1.0.2").arg(version));
    }

    void checkFile(const XmlNode& file) {
        const QString sourceName = Mxi::sourceAttribute(file);
        const QString source = attributeOrEmpty(file, sourceName);
        const QString destination = attributeOrEmpty(file, Mxi::Destination);
        const QString fileType = attributeOrEmpty(file, Mxi::FileType);
        if (source.isEmpty())
            warn(file, QStringLiteral("file without source: add source with the path of the file to install"));
        // The Extension Manager installs a CSXS package itself, wherever its destination points.
        if (destination.isEmpty() && fileType.compare(QLatin1String("csxs"), Qt::CaseInsensitive) != 0)
            warn(file, QStringLiteral("file without destination: add destination with the folder to install into"));
        if (!fileType.isEmpty() && !isOneOf(fileType, {"csxs", "plugin", "ordinary"}))
            warn(file, QStringLiteral("file-type '%1' should be csxs, plugin or ordinary").arg(fileType));
        const QString platform = checkedPlatform(file);
        if (source.isEmpty())
            return;
        sources_.append({file, sourceName, source});
        const QString sourceKey = pathKey(source);
        const QString destinationKey = pathKey(destination);
        if (!destinationKey.isEmpty() && lastPart(destinationKey) == lastPart(sourceKey))
            warn(file, QStringLiteral("destination '%1' ends with the file's own name: give the folder only, '%2'")
                           .arg(destination, withoutLastPart(destination)));
        const QString copyKey = sourceKey + '\n' + destinationKey + '\n' + platform;
        if (const auto first = copies_.constFind(copyKey); first != copies_.constEnd())
            warn(file, QStringLiteral("%1 '%2' goes to '%3' again: remove this copy; the first is on line %4")
                           .arg(sourceName, source, destination)
                           .arg(lineOf_(*first)));
        else
            copies_.insert(copyKey, file);
    }

    // The file's platform in lower case, warning about values the Extension Manager does not know.
    QString checkedPlatform(const XmlNode& file) {
        const std::optional<QString> platform = file.attribute(Mxi::Platform);
        const std::optional<QString> plateform = file.attribute(Mxi::Plateform);
        for (const auto& [name, value] : {std::pair(Mxi::Platform, platform), std::pair(Mxi::Plateform, plateform)}) {
            if (value && !isOneOf(*value, {"win", "mac"}))
                warn(file, QStringLiteral("%1 '%2' should be win or mac, or left out for both").arg(name, *value));
        }
        if (platform && plateform && platform->compare(*plateform, Qt::CaseInsensitive) != 0)
            warn(file, QStringLiteral("platform '%1' and plateform '%2' disagree: keep one of them")
                           .arg(*platform, *plateform));
        return attributeOrEmpty(file, Mxi::platformAttribute(file)).toLower();
    }

    struct Source {
        XmlNode file;
        QString attribute;
        QString path;
    };

    SourceFolder sourceFolder_;
    LineOf lineOf_;
    QList<Source> sources_;
    // How many sources are looked up, and which of them are missing.
    qsizetype lookedUp_ = 0;
    QList<qsizetype> missing_;
    QHash<QString, XmlNode> copies_;
    QHash<QString, XmlNode> menuIds_;
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
    return {folder, [folder](const QString& source) { return QFileInfo::exists(sourcePath(folder, source)); }};
}

QString sourcePath(const QString& folder, const QString& source) {
    return QDir(folder).filePath(QString(source).replace('\\', '/'));
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
    for (int steps = 1;; ++steps) {
        if (!section_) {
            if (!checker_->lookUpNextSource())
                break;
        } else if (!item_) {
            enterSection(section_.nextSibling());
        } else {
            if (item_.isElement(Mxi::Product))
                checker_->checkProduct(item_);
            else if (item_.isElement(Mxi::File))
                checker_->checkFile(item_);
            item_ = item_.nextSibling();
        }
        if (steps % 256 == 0 && deadline.hasExpired())
            return false;
    }
    if (!finished_) {
        if (const XmlNode files = root_.findChild(Mxi::Files); files && checker_->sourceFolder_.exists)
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
