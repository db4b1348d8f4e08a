#pragma once

#include "document/xml/XmlDocument.h"

#include <QString>
#include <QStringList>

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
inline const QString Plateform = QStringLiteral("plateform");

inline const QString True = QStringLiteral("true");
inline const QString False = QStringLiteral("false");

// The rows of the type list: four group headings, each starting with "*", and their keywords.
const QStringList& typeRows();
bool isTypeHeading(const QString& row);
// The first row equal to type without regard to letter case, or -1.
int typeRowOf(const QString& type);

// The targeted products; a product's number is its position here.
const QStringList& productNames();
// The number of the product named name without regard to letter case, or -1.
int productNumberOf(const QString& name);

// The root element: the first top-level element named macromedia-extension, or a null handle.
XmlNode findRoot(const XmlDocument& document);

// The root's child element named name (products, files), or a null handle. A file written by another
// tool may lack it: when makeMissing, it is then added at the root's end; without a root the handle is null.
XmlNode listElement(XmlDocument& document, const QString& name, bool makeMissing);

// Builds the start-up skeleton's root element with all its children, not yet attached.
XmlNode buildSkeletonRoot(XmlDocument& document);

} // namespace Mxi
