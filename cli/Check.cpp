#include "cli/Check.h"

#include "document/ExtensionFile.h"
#include "document/Mxi.h"
#include "document/SavedText.h"
#include "document/SourceLines.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <functional>
#include <optional>

namespace {

// Older files name the packaged file in name, and some carry platform beside plateform.
const QString OlderSource = QStringLiteral("name");
const QString Platform = QStringLiteral("platform");

QString attributeOrEmpty(const XmlNode& element, const QString& name) {
    return element.attribute(name).value_or(QString());
}

// Sources are Windows paths as often as not; the same file may be written with either separator and
// in any letter case.
QString portablePath(const QString& path) {
    return QString(path).replace('\\', '/');
}

class Checker {
public:
    Checker(const SourceLines& lines, const QString& folder) : lines_(lines), folder_(folder) {}

    QList<Finding> findings;

    void checkRoot(const XmlNode& root) {
        if (attributeOrEmpty(root, Mxi::Name).isEmpty())
            warn(root, QStringLiteral("the extension's name is empty"));
        if (attributeOrEmpty(root, Mxi::Version).isEmpty())
            warn(root, QStringLiteral("the extension's version is empty"));
        checkProducts(root);
        if (const XmlNode files = root.findChild(Mxi::Files))
            checkFiles(files);
    }

    void warn(const XmlNode& element, const QString& message, int ordinal = 0) {
        findings.append({lines_.startTag(element.line(), element.name(), ordinal), false, message});
    }

private:
    void checkProducts(const XmlNode& root) {
        const XmlNode products = root.findChild(Mxi::Products);
        if (products) {
            for (const XmlNode& product : products.children()) {
                if (product.isElement(Mxi::Product) && Mxi::productNumberOf(attributeOrEmpty(product, Mxi::Name)) >= 0)
                    return;
            }
        }
        warn(products ? products : root,
             QStringLiteral("no known product: products names none of %1").arg(Mxi::productNames().join(", ")));
    }

    void checkFiles(const XmlNode& files) {
        int previousLine = 0;
        int ordinal = 0;
        for (const XmlNode& file : files.children()) {
            if (!file.isElement(Mxi::File))
                continue;
            ordinal = file.line() == previousLine ? ordinal + 1 : 0;
            previousLine = file.line();
            checkFile(file, ordinal);
        }
    }

    void checkFile(const XmlNode& file, int ordinal) {
        const QString sourceName = file.attribute(Mxi::Source) ? Mxi::Source : OlderSource;
        const QString source = attributeOrEmpty(file, sourceName);
        if (source.isEmpty()) {
            warn(file, QStringLiteral("file without source"), ordinal);
        } else {
            const QString path = portablePath(source);
            const QString key = path.toCaseFolded();
            if (const auto first = sourceLines_.constFind(key); first != sourceLines_.constEnd()) {
                warn(file,
                     QStringLiteral("%1 \"%2\" is listed twice (first on line %3)").arg(sourceName, source).arg(*first),
                     ordinal);
            } else {
                sourceLines_.insert(key, file.line());
            }
            if (!QFileInfo::exists(folder_.filePath(path)))
                warn(file, QStringLiteral("%1 \"%2\" does not exist").arg(sourceName, source), ordinal);
        }
        if (attributeOrEmpty(file, Mxi::Destination).isEmpty())
            warn(file, QStringLiteral("file without destination"), ordinal);
        const std::optional<QString> platform = file.attribute(Platform);
        const std::optional<QString> plateform = file.attribute(Mxi::Plateform);
        if (platform && plateform && *platform != *plateform)
            warn(file, QStringLiteral("platform \"%1\" and plateform \"%2\" disagree").arg(*platform, *plateform),
                 ordinal);
    }

    const SourceLines& lines_;
    QDir folder_;
    QHash<QString, int> sourceLines_;
};

QList<Finding> checkLoaded(const XmlDocument& document, const SourceLines& lines, const QString& folder) {
    const XmlNode root = Mxi::findRoot(document);
    Checker checker(lines, folder);
    checker.checkRoot(root);
    try {
        writeSavedText(document, [](const QByteArray&) {});
    } catch (const Error& error) {
        checker.warn(root, error.message());
    }
    std::stable_sort(checker.findings.begin(), checker.findings.end(), [](const Finding& a, const Finding& b) {
        return std::pair(a.place.line, a.place.column) < std::pair(b.place.line, b.place.column);
    });
    return checker.findings;
}

// Loads the document, or gives the refusal as the one finding.
std::optional<Finding> refusalOf(const std::function<void()>& load) {
    try {
        load();
    } catch (const RepairableError& refusal) {
        return Finding{refusal.place(), true,
                       refusal.reason() + QStringLiteral("; parcelwright --repair can fix this")};
    } catch (const PlacedError& refusal) {
        return Finding{refusal.place(), true, refusal.reason()};
    }
    return std::nullopt;
}

} // namespace

QList<Finding> checkText(const QByteArray& text, const QString& displayName, const QString& folder) {
    XmlDocument document;
    if (const auto refusal = refusalOf([&] { loadExtensionText(document, text, displayName); }))
        return {*refusal};
    return checkLoaded(document, SourceLines(text), folder);
}

QList<Finding> checkRegularFile(const QString& file, const QString& folder) {
    XmlDocument document;
    if (const auto refusal = refusalOf([&] { loadExtensionFile(document, file); }))
        return {*refusal};
    return checkLoaded(document, SourceLines::ofFile(file), folder);
}
