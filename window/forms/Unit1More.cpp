#include "window/forms/Unit1.h"

#include "document/AttributeEdits.h"
#include "document/Mxi.h"
#include "window/controls/AttributeTable.h"
#include "window/controls/LabeledEdit.h"
#include "window/controls/Memo.h"
#include "window/controls/PageControl.h"

#include <QLabel>

namespace {

// The root's attributes that the Main page and this page show in their own editors.
const QStringList& shownRootAttributes() {
    static const QStringList names = {Mxi::Name, Mxi::Version, Mxi::Type, Mxi::RequiresRestart, Mxi::Id};
    return names;
}

} // namespace

void TForm1::buildMorePage() {
    TabSheet6 = new QWidget;
    PageControl1->addPage(
        TabSheet6, QStringLiteral("More"), [this] { TabSheet6Show(); }, [this] { TabSheet6Hide(); });
    extensionIdEdit = new LabeledEdit(QStringLiteral("Extension id"), TabSheet6);
    extensionIdEdit->place(8, 24, 433, 21);
    on(extensionIdEdit, &QLineEdit::textEdited, &TForm1::extensionIdEdited);
    updateAddressEdit = new LabeledEdit(QStringLiteral("Update address"), TabSheet6);
    updateAddressEdit->place(8, 64, 433, 21);
    licenseLabel = new QLabel(QStringLiteral("License agreement"), TabSheet6);
    licenseLabel->setGeometry(8, 92, licenseLabel->sizeHint().width(), 13);
    // Room for three of the root's other attributes without scrolling, as real files often have
    // (date, icon, mxiversion); the license scrolls past its first lines.
    licenseMemo = new Memo(QRect(8, 108, 433, 53), TabSheet6);
    licenseLabel->setBuddy(licenseMemo);
    rootAttributesLabel = new QLabel(QStringLiteral("Other attributes"), TabSheet6);
    rootAttributesLabel->setGeometry(8, 168, rootAttributesLabel->sizeHint().width(), 13);
    rootAttributes = new AttributeTable(TabSheet6);
    rootAttributes->setGeometry(8, 184, 433, 73);
    rootAttributesLabel->setBuddy(rootAttributes);
}

void TForm1::TabSheet6Show() {
    const XmlNode root = Mxi::findRoot(XMLDocument1);
    const XmlNode update = root ? root.findChild(Mxi::Update) : XmlNode();
    const std::optional<QString> id = root ? root.attribute(Mxi::Id) : std::nullopt;
    shownExtension_.id = id.value_or(QString());
    shownExtension_.idPresent = id.has_value();
    shownExtension_.updateAddress = update ? update.attribute(Mxi::Url).value_or(QString()) : QString();
    shownExtension_.attributes =
        root ? AttributeEdits::others(root.attributes(), shownRootAttributes()) : QList<Attribute>();
    extensionIdEdit->setText(shownExtension_.id);
    updateAddressEdit->setText(shownExtension_.updateAddress);
    rootAttributes->show(shownExtension_.attributes, shownRootAttributes());
    shownExtension_.license = showElementText(licenseMemo, Mxi::LicenseAgreement);
}

// The id goes into the document as it is typed, like the Main page's fields, so that its findings follow
// each keystroke. A cleared id stays in its place, empty, while the page is shown: typed again, it keeps the
// root's attribute order; it is removed when the page is left.
void TForm1::extensionIdEdited() {
    XmlNode root = Mxi::findRoot(XMLDocument1);
    if (!root)
        return;
    if (const QString id = extensionIdEdit->text(); !id.isEmpty() || shownExtension_.idPresent)
        root.setAttribute(Mxi::Id, id);
    else
        root.removeAttribute(Mxi::Id);
}

// An edit goes into its own attribute or element; an update element is added only for an address typed.
void TForm1::TabSheet6Hide() {
    XmlNode root = Mxi::findRoot(XMLDocument1);
    if (!root)
        return;
    if (extensionIdEdit->text().isEmpty() && !shownExtension_.id.isEmpty())
        root.removeAttribute(Mxi::Id);
    if (const QString address = updateAddressEdit->text(); address != shownExtension_.updateAddress) {
        XmlNode update = root.findChild(Mxi::Update);
        if (!update)
            update = root.appendChild(XMLDocument1.createElement(Mxi::Update));
        AttributeEdits::setOrRemove(update, Mxi::Url, address);
    }
    if (const QList<Attribute> attributes = rootAttributes->attributes(); attributes != shownExtension_.attributes)
        AttributeEdits::updateOthers(root, shownExtension_.attributes, attributes);
    storeElementText(licenseMemo, Mxi::LicenseAgreement, shownExtension_.license);
}
