#include "document/ExtensionRules.h"

#include "document/Mxi.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <algorithm>

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
// without its last separator.
QString pathKey(const QString& path) {
    QString key = QString(path).replace('\\', '/').toCaseFolded();
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

QString textOf(const XmlNode& element) {
    QString text;
    for (const XmlNode& child : element.children()) {
        if (child.type() == NodeType::Text || child.type() == NodeType::CData)
            text += child.value();
    }
    return text;
}

class Checker {
public:
    Checker(const QString& sourceFolder, const LineOf& lineOf) : sourceFolder_(sourceFolder), lineOf_(lineOf) {}

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

    void checkProducts(const XmlNode& products) {
        for (const XmlNode& product : products.children()) {
            if (!product.isElement(Mxi::Product))
                continue;
            const QString name = attributeOrEmpty(product, Mxi::productNameAttribute(product));
            if (name.isEmpty())
                warn(product, QStringLiteral("product without name: add name with the product it installs into"));
            else if (!isKnownProduct(name))
                warn(product, QStringLiteral("product '%1' is unknown to the Extension Manager: use one of %2")
                                  .arg(name, knownProducts().join(", ")));
            checkVersion(product);
        }
    }

    void checkFiles(const XmlNode& files) {
        for (const XmlNode& file : files.children()) {
            if (file.isElement(Mxi::File))
                checkFile(file);
        }
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

    // Checked from the wrong folder, every source is missing: one line says so instead of one per file.
    void checkSourcesFound(const XmlNode& files) {
        const QDir folder(sourceFolder_);
        QList<const Source*> missing;
        for (const Source& source : sources_) {
            if (!QFileInfo::exists(folder.filePath(QString(source.path).replace('\\', '/'))))
                missing.append(&source);
        }
        if (missing.size() > 1 && missing.size() == sources_.size()) {
            warn(files, QStringLiteral("none of the %1 sources is found relative to %2; checked from the wrong folder?")
                            .arg(sources_.size())
                            .arg(folder.absolutePath()));
            return;
        }
        for (const Source* source : missing)
            warn(source->file, QStringLiteral("%1 '%2' is not found in %3: correct the path or add the file")
                                   .arg(source->attribute, source->path, folder.absolutePath()));
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

    QString sourceFolder_;
    LineOf lineOf_;
    QList<Source> sources_;
    QHash<QString, XmlNode> copies_;
    QHash<QString, XmlNode> menuIds_;
};

} // namespace

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

QList<Warning> check(const XmlNode& root, const QString& sourceFolder, const LineOf& lineOf) {
    Checker checker(sourceFolder, lineOf);
    checker.checkRoot(root);
    checker.checkSections(root);
    for (const XmlNode& section : root.children()) {
        if (section.isElement(Mxi::Products))
            checker.checkProducts(section);
        else if (section.isElement(Mxi::Files))
            checker.checkFiles(section);
        else if (section.isElement(Mxi::ConfigurationChanges))
            checker.checkMenuIds(section);
    }
    if (const XmlNode files = root.findChild(Mxi::Files))
        checker.checkSourcesFound(files);
    return checker.warnings;
}

} // namespace ExtensionRules
