#include "document/Mxi.h"

namespace Mxi {

namespace {

int indexIgnoringCase(const QStringList& list, const QString& text) {
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list[i].compare(text, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

} // namespace

const QStringList& typeRows() {
    // Each group heading, then its keywords.
    // clang-format off
    static const QStringList rows = {
        "*Dreamweaver, UltraDev, and Dreamweaver MX",
        "object", "command", "behavior", "action", "browserProfile", "translator", "dictionary", "encoding",
        "floater", "propertyInspector", "jsExtension", "query", "template", "thirdPartyTags", "plugin", "report",
        "flashbuttonstyle", "suite",
        "*UltraDev and Dreamweaver MX",
        "dataSource", "serverFormat", "serverBehavior", "serverModel",
        "*Dreamweaver MX",
        "codesnippet", "documenttype", "helpbook", "insertbar", "samplecontent", "site", "taglibrary", "toolbar",
        "*Macromedia Flash",
        "smartclip", "actionscript", "lesson", "sample", "library", "publishtemplate", "utility",
        "keyboardshortcut", "flash importer", "flash component", "flash custom action", "flash panel",
        "flash template", "flash panel", "generatorobject",
    };
    // clang-format on
    return rows;
}

bool isTypeHeading(const QString& row) {
    return row.startsWith('*');
}

int typeRowOf(const QString& type) {
    return indexIgnoringCase(typeRows(), type);
}

const QStringList& productNames() {
    // Dreamweaver and Flash are the Extension Manager's products too, under the older spelling.
    // clang-format off
    static const QStringList names = {
        "dreamweaver", "dreamweaverultradev", "flash", "homesite", "JRun", "Spectra", "ColdFusion",
        "Fireworks", "Photoshop", "Photoshop32", "Photoshop64", "Illustrator", "Illustrator32", "Illustrator64",
        "InDesign", "InDesign32", "InDesign64", "InCopy", "InCopy32", "InCopy64", "Premiere", "Prelude",
        "AfterEffects", "Audition", "Bridge", "LightroomClassic",
    };
    // clang-format on
    return names;
}

int productNumberOf(const QString& name) {
    return indexIgnoringCase(productNames(), name);
}

bool isExtensionManagerProduct(const QString& name) {
    static const QStringList olderAndOwn = {"dreamweaver", "flash"};
    return productNumberOf(name) >= olderProductCount || indexIgnoringCase(olderAndOwn, name) >= 0;
}

XmlNode findRoot(const XmlDocument& document) {
    return document.documentNode().findChild(Root);
}

XmlNode listElement(XmlDocument& document, const QString& name, bool makeMissing) {
    XmlNode root = findRoot(document);
    if (!root)
        return {};
    const XmlNode list = root.findChild(name);
    if (list || !makeMissing)
        return list;
    return root.appendChild(document.createElement(name));
}

XmlNode buildSkeletonRoot(XmlDocument& document) {
    XmlNode root = document.createElement(Root);
    root.appendChild(document.createElement(Description)).appendChild(document.createCDataSection(Description));
    root.appendChild(document.createElement(UiAccess)).appendChild(document.createCDataSection(UiAccess));
    root.appendChild(document.createElement(Products));
    XmlNode author = document.createElement(Author);
    author.setAttribute(Name, QString());
    root.appendChild(author);
    root.appendChild(document.createElement(Files));
    root.appendChild(document.createElement(ConfigurationChanges));
    root.setAttribute(Name, QString());
    root.setAttribute(Version, QString());
    root.setAttribute(Type, QString());
    root.setAttribute(RequiresRestart, True);
    return root;
}

} // namespace Mxi
