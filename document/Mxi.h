#pragma once

#include "document/xml/XmlDocument.h"

#include <QString>
#include <QStringList>

#include <initializer_list>
#include <optional>

// The vocabulary of an extension installation file.
namespace Mxi {

inline const QString Root = QStringLiteral("macromedia-extension");
inline const QString Description = QStringLiteral("description");
inline const QString UiAccess = QStringLiteral("ui-access");
inline const QString Products = QStringLiteral("products");
inline const QString Product = QStringLiteral("product");
inline const QString Author = QStringLiteral("author");
inline const QString Files = QStringLiteral("files");
inline const QString File = QStringLiteral("file");
inline const QString ConfigurationChanges = QStringLiteral("configuration-changes");
inline const QString LicenseAgreement = QStringLiteral("license-agreement");
inline const QString Update = QStringLiteral("update");

inline const QString Name = QStringLiteral("name");
inline const QString Version = QStringLiteral("version");
inline const QString Type = QStringLiteral("type");
inline const QString RequiresRestart = QStringLiteral("requires-restart");
inline const QString Primary = QStringLiteral("primary");
inline const QString Required = QStringLiteral("required");
inline const QString Source = QStringLiteral("source");
inline const QString Destination = QStringLiteral("destination");
inline const QString SystemFile = QStringLiteral("systemfile");
inline const QString Shared = QStringLiteral("shared");
inline const QString Platform = QStringLiteral("platform");
// The misspelling some older tools wrote; the Extension Manager reads only platform.
inline const QString Plateform = QStringLiteral("plateform");
inline const QString Id = QStringLiteral("id");
inline const QString Url = QStringLiteral("url");
inline const QString FamilyName = QStringLiteral("familyname");
// A product's highest version; a file's range is spelt minVersion and maxVersion.
inline const QString ProductMaxVersion = QStringLiteral("maxversion");
inline const QString FileType = QStringLiteral("file-type");
inline const QString MinVersion = QStringLiteral("minVersion");
inline const QString MaxVersion = QStringLiteral("maxVersion");

inline const QString True = QStringLiteral("true");
inline const QString False = QStringLiteral("false");

// The rows of the type list: four group headings, each starting with "*", and their keywords.
const QStringList& typeRows();
bool isTypeHeading(const QString& row);
// The first row equal to type without regard to letter case, or -1.
int typeRowOf(const QString& type);

// The targeted products, one list for the picker and for the checks: the seven older products first,
// then those the Extension Manager installs into. A product's number is its position here.
const QStringList& productNames();
// How many of productNames() are the older products.
constexpr int olderProductCount = 7;
// The number of the product named name without regard to letter case, or -1.
int productNumberOf(const QString& name);
// Whether name is the Extension Manager's own product, letter case aside (not one of the older seven).
bool isExtensionManagerProduct(const QString& name);

// An element's attributes read once, looked up as an element's are.
struct AttributeList {
    const QList<Attribute>& attributes;

    std::optional<QString> attribute(const QString& name) const {
        for (const Attribute& item : attributes) {
            if (item.first == name)
                return item.second;
        }
        return std::nullopt;
    }
    bool hasAttribute(const QString& name) const { return attribute(name).has_value(); }
};

// How the Extension Manager reads what several spellings may hold, for the window and the checks
// alike; Element is an XmlNode or an AttributeList.

// The first of the spellings that the element holds, else the first spelling.
template <typename Element> QString firstPresent(const Element& element, std::initializer_list<QString> spellings) {
    for (const QString& spelling : spellings) {
        if (element.hasAttribute(spelling))
            return spelling;
    }
    return *spellings.begin();
}

// The attribute naming a product: name, else familyname, else name (for a product without either).
template <typename Element> QString productNameAttribute(const Element& product) {
    return firstPresent(product, {Name, FamilyName});
}

// The attribute holding a file's source: source, else the older name, else source.
template <typename Element> QString sourceAttribute(const Element& file) {
    return firstPresent(file, {Source, Name});
}

// The attribute holding a file's platform: platform, else plateform, else platform.
template <typename Element> QString platformAttribute(const Element& file) {
    return firstPresent(file, {Platform, Plateform});
}

// The root element: the first top-level element named macromedia-extension, or a null handle.
XmlNode findRoot(const XmlDocument& document);

// The root's child element named name (products, files), or a null handle. A file written by another
// tool may lack it: when makeMissing, it is then added at the root's end; without a root the handle is null.
XmlNode listElement(XmlDocument& document, const QString& name, bool makeMissing);

// Builds the start-up skeleton's root element with all its children, not yet attached.
XmlNode buildSkeletonRoot(XmlDocument& document);

} // namespace Mxi
