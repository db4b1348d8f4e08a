#include "document/xml/XmlDocument.h"

#include "document/xml/Errors.h"
#include "document/xml/XmlNodes.h"

#include <algorithm>
#include <cstdint>

using XmlNodes::attributeValue;
using XmlNodes::toQString;
using XmlNodes::xmlText;

namespace {

bool isAttached(const xmlNode* node) {
    return node->parent != nullptr;
}

// Names are short and ASCII: converting them on the stack keeps the lookups that every refresh makes
// free of allocation.
class XmlName {
public:
    explicit XmlName(const QString& name) {
        if (name.size() < qsizetype(sizeof(buffer_))) {
            qsizetype i = 0;
            for (; i < name.size() && name[i].unicode() < 0x80; ++i)
                buffer_[i] = char(name[i].unicode());
            if (i == name.size()) {
                buffer_[i] = '\0';
                return;
            }
        }
        utf8_ = name.toUtf8();
    }
    const xmlChar* get() const {
        return reinterpret_cast<const xmlChar*>(utf8_.isNull() ? buffer_ : utf8_.constData());
    }

private:
    char buffer_[64];
    QByteArray utf8_;
};

// A prefixed name (xml:lang) is found in the namespace its prefix stands for, as attributes() names it.
xmlAttr* findAttribute(xmlNode* node, const QString& name) {
    const qsizetype colon = name.indexOf(':');
    xmlAttr* attribute = nullptr;
    if (colon < 0) {
        attribute = xmlHasProp(node, XmlName(name).get());
    } else if (const xmlNs* ns = xmlSearchNs(node->doc, node, XmlName(name.left(colon)).get())) {
        attribute = xmlHasNsProp(node, XmlName(name.mid(colon + 1)).get(), ns->href);
    }
    return attribute && attribute->type == XML_ATTRIBUTE_NODE ? attribute : nullptr;
}

} // namespace

NodeType XmlNode::type() const {
    switch (node_->type) {
    case XML_DOCUMENT_NODE:
        return NodeType::Document;
    case XML_DTD_NODE:
        return NodeType::DocumentType;
    case XML_ELEMENT_NODE:
        return NodeType::Element;
    case XML_TEXT_NODE:
        return NodeType::Text;
    case XML_CDATA_SECTION_NODE:
        return NodeType::CData;
    case XML_COMMENT_NODE:
        return NodeType::Comment;
    case XML_PI_NODE:
        return NodeType::ProcessingInstruction;
    default:
        return NodeType::Other;
    }
}

QString XmlNode::name() const {
    switch (type()) {
    case NodeType::DocumentType:
    case NodeType::Element:
    case NodeType::ProcessingInstruction:
        return toQString(node_->name);
    case NodeType::Text:
        return QStringLiteral("#text");
    case NodeType::CData:
        return QStringLiteral("#cdata-section");
    case NodeType::Comment:
        return QStringLiteral("#comment");
    case NodeType::Document:
        return QStringLiteral("#document");
    case NodeType::Other:
        break;
    }
    return toQString(node_->name);
}

bool XmlNode::isElement(const QString& name) const {
    return node_->type == XML_ELEMENT_NODE && xmlStrEqual(node_->name, XmlName(name).get());
}

int XmlNode::line() const {
    if (node_->type == XML_ELEMENT_NODE && node_->psvi)
        return int(reinterpret_cast<std::intptr_t>(node_->psvi));
    return int(std::max(0L, xmlGetLineNo(node_)));
}

void XmlNode::setLine(int line) const {
    if (node_->type == XML_ELEMENT_NODE)
        node_->psvi = reinterpret_cast<void*>(static_cast<std::intptr_t>(line));
}

QString XmlNode::value() const {
    switch (type()) {
    case NodeType::Text:
    case NodeType::CData:
    case NodeType::Comment:
    case NodeType::ProcessingInstruction:
        return toQString(node_->content);
    default:
        return {};
    }
}

void XmlNode::setValue(const QString& value) {
    const QByteArray utf8 = value.toUtf8();
    aboutToChange();
    xmlNodeSetContentLen(node_, xmlText(utf8), int(utf8.size()));
    changed();
}

XmlNode XmlNode::parent() const {
    return {node_->parent, document_};
}

XmlNode XmlNode::firstChild() const {
    return {node_->children, document_};
}

XmlNode XmlNode::nextSibling() const {
    return {node_->next, document_};
}

int XmlNode::childCount() const {
    int count = 0;
    for (xmlNode* child = node_->children; child; child = child->next)
        ++count;
    return count;
}

XmlNode XmlNode::child(int position) const {
    xmlNode* child = node_->children;
    for (; child && position > 0; --position)
        child = child->next;
    return {position == 0 ? child : nullptr, document_};
}

QList<XmlNode> XmlNode::children() const {
    QList<XmlNode> result;
    for (xmlNode* child = node_->children; child; child = child->next)
        result.append({child, document_});
    return result;
}

XmlNode XmlNode::findChild(const QString& name) const {
    const XmlName wanted(name);
    for (xmlNode* child = node_->children; child; child = child->next) {
        if (child->type == XML_ELEMENT_NODE && xmlStrEqual(child->name, wanted.get()))
            return {child, document_};
    }
    return {};
}

XmlNode XmlNode::appendChild(const XmlNode& child) {
    aboutToChange();
    xmlNode* node = child.node_;
    if (child.document_ != document_)
        node = xmlDocCopyNode(node, document_->checkedDocument(), 1);
    else
        document_->attached(node);
    // xmlAddChild would merge neighbouring text nodes; the document keeps nodes as built.
    xmlUnlinkNode(node);
    node->parent = node_;
    node->prev = node_->last;
    if (node_->last)
        node_->last->next = node;
    else
        node_->children = node;
    node_->last = node;
    changed();
    return {node, document_};
}

void XmlNode::removeAllChildren() {
    if (node_->children)
        aboutToChange();
    while (node_->children) {
        xmlNode* child = node_->children;
        xmlUnlinkNode(child);
        xmlFreeNode(child);
        changed();
    }
}

void XmlNode::removeChild(const XmlNode& child) {
    if (child.node_->parent != node_)
        return;
    aboutToChange();
    xmlUnlinkNode(child.node_);
    xmlFreeNode(child.node_);
    changed();
}

void XmlNode::removeFirstChild(const QString& name) {
    if (XmlNode child = findChild(name))
        removeChild(child);
}

std::optional<QString> XmlNode::attribute(const QString& name) const {
    const xmlAttr* attribute = findAttribute(node_, name);
    if (!attribute)
        return std::nullopt;
    xmlChar* copy = nullptr;
    QString value = toQString(attributeValue(attribute, &copy));
    xmlFree(copy);
    return value;
}

bool XmlNode::hasAttribute(const QString& name) const {
    return findAttribute(node_, name) != nullptr;
}

Utf8Attribute XmlNode::attributeUtf8(QStringView name) const {
    // The name is compared as it stands, without converting it to look it up.
    const auto isNamed = [name](const xmlAttr* attribute) {
        qsizetype i = 0;
        for (const xmlChar* c = attribute->name; *c; ++c, ++i) {
            if (i == name.size() || name[i].unicode() != *c)
                return false;
        }
        return i == name.size();
    };
    Utf8Attribute result;
    const xmlAttr* attribute = node_->type == XML_ELEMENT_NODE ? node_->properties : nullptr;
    while (attribute && !isNamed(attribute))
        attribute = attribute->next;
    if (!attribute)
        return result;
    result.present_ = true;
    xmlChar* copy = nullptr;
    const xmlChar* value = attributeValue(attribute, &copy);
    if (copy) {
        result.copy_ = QByteArray(reinterpret_cast<const char*>(copy));
        xmlFree(copy);
        value = reinterpret_cast<const xmlChar*>(result.copy_.constData());
    }
    result.text_ = reinterpret_cast<const char*>(value);
    return result;
}

QString XmlNode::attributeText(const QString& name) const {
    std::optional<QString> value = attribute(name);
    if (!value)
        throw ConversionError();
    return *value;
}

bool XmlNode::attributeIsTrue(const QString& name) const {
    const xmlAttr* attribute = findAttribute(node_, name);
    if (!attribute)
        return false;
    xmlChar* copy = nullptr;
    const bool isTrue = xmlStrEqual(attributeValue(attribute, &copy), reinterpret_cast<const xmlChar*>("true"));
    xmlFree(copy);
    return isTrue;
}

void XmlNode::setAttribute(const QString& name, const QString& value) {
    const QByteArray utf8Value = value.toUtf8();
    aboutToChange();
    xmlSetProp(node_, XmlName(name).get(), xmlText(utf8Value));
    changed();
}

void XmlNode::removeAttribute(const QString& name) {
    xmlAttr* attribute = findAttribute(node_, name);
    if (!attribute)
        return;
    aboutToChange();
    xmlRemoveProp(attribute);
    changed();
}

QList<Attribute> XmlNode::attributes() const {
    QList<Attribute> result;
    if (node_->type != XML_ELEMENT_NODE)
        return result;
    for (xmlAttr* attribute = node_->properties; attribute; attribute = attribute->next) {
        QString name = toQString(attribute->name);
        if (attribute->ns && attribute->ns->prefix)
            name = toQString(attribute->ns->prefix) + ':' + name;
        xmlChar* copy = nullptr;
        result.append({name, toQString(attributeValue(attribute, &copy))});
        xmlFree(copy);
    }
    return result;
}

QString XmlNode::xml() const {
    return QString::fromUtf8(XmlNodes::serializeNode(node_));
}

void XmlNode::aboutToChange() const {
    if (document_->OnBeforeChange)
        document_->OnBeforeChange();
}

void XmlNode::changed() const {
    document_->notifyChange(*this);
}

XmlDocument::XmlDocument() = default;

XmlDocument::~XmlDocument() {
    freeDetached();
}

void XmlDocument::activate() {
    OwnedXmlDoc document(xmlNewDoc(reinterpret_cast<const xmlChar*>("1.0")));
    XmlNodes::useUtf8(document.get());
    replace(XmlParser::Parsed{std::move(document), std::nullopt, {}});
}

void XmlDocument::loadFromXml(const QByteArray& text) {
    replace(XmlParser::parse(text));
}

bool XmlDocument::tryLoad(const ReadText& read) {
    std::optional<XmlParser::Parsed> parsed = XmlParser::tryParse(read);
    if (!parsed)
        return false;
    replace(std::move(*parsed));
    return true;
}

void XmlDocument::adopt(XmlDocument& other) {
    other.freeDetached();
    replace({std::move(other.document_), other.declaration_, other.internalSubset_});
    other.declaration_.reset();
    other.internalSubset_ = QByteArray();
}

XmlNode XmlDocument::documentNode() const {
    return {reinterpret_cast<xmlNode*>(checkedDocument()), const_cast<XmlDocument*>(this)};
}

std::optional<XmlDeclaration> XmlDocument::declaration() const {
    checkedDocument();
    return declaration_;
}

XmlNode XmlDocument::createElement(const QString& name) {
    const QByteArray utf8 = name.toUtf8();
    return track(xmlNewDocNode(checkedDocument(), nullptr, xmlText(utf8), nullptr));
}

XmlNode XmlDocument::createCDataSection(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return track(xmlNewCDataBlock(checkedDocument(), xmlText(utf8), int(utf8.size())));
}

XmlNode XmlDocument::createTextNode(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return track(xmlNewDocTextLen(checkedDocument(), xmlText(utf8), int(utf8.size())));
}

QByteArray XmlDocument::xml() const {
    QByteArray body = XmlNodes::serializeBody(checkedDocument());
    return declaration_ ? declarationText(*declaration_) + '\n' + body : body;
}

_xmlDoc* XmlDocument::checkedDocument() const {
    if (!document_)
        throw NoActiveDocumentError();
    return document_.get();
}

XmlNode XmlDocument::track(_xmlNode* node) {
    detached_.insert(node);
    return {node, this};
}

void XmlDocument::freeDetached() {
    for (xmlNode* node : detached_) {
        if (!isAttached(node))
            xmlFreeNode(node);
    }
    detached_.clear();
}

void XmlDocument::replace(XmlParser::Parsed parsed) {
    freeDetached();
    document_ = std::move(parsed.document);
    declaration_ = parsed.declaration;
    internalSubset_ = parsed.internalSubset;
    if (OnAfterOpen)
        OnAfterOpen();
}

void XmlDocument::notifyChange(const XmlNode& changed) const {
    if (OnAfterNodeChange)
        OnAfterNodeChange(changed);
}
