#pragma once

#include "document/xml/XmlDeclaration.h"
#include "document/xml/XmlParser.h"

#include <QByteArray>
#include <QHashFunctions>
#include <QList>
#include <QPair>
#include <QString>

#include <functional>
#include <optional>
#include <string_view>
#include <unordered_set>

struct _xmlDoc;
struct _xmlNode;
class XmlDocument;

enum class NodeType { Document, DocumentType, Element, Text, CData, Comment, ProcessingInstruction, Other };

using Attribute = QPair<QString, QString>;

// An attribute's UTF-8 text, seen where the tree keeps it when it is one piece (the usual case) and
// copied when entity references split it. Valid while its node is unchanged; false when absent.
class Utf8Attribute {
public:
    explicit operator bool() const { return present_; }
    // The text; empty when absent.
    std::string_view operator*() const { return text_; }

private:
    friend class XmlNode;
    bool present_ = false;
    std::string_view text_;
    QByteArray copy_;
};

// A handle on one node of an XmlDocument. Handles are cheap to copy and must not be kept across
// changes that may remove the node.
class XmlNode {
public:
    XmlNode() = default;

    bool isNull() const { return node_ == nullptr; }
    explicit operator bool() const { return node_ != nullptr; }
    bool operator==(const XmlNode& other) const { return node_ == other.node_; }
    friend size_t qHash(const XmlNode& node, size_t seed = 0) { return ::qHash(node.node_, seed); }

    NodeType type() const;
    QString name() const;
    bool isElement(const QString& name) const;
    // The line of the loaded text on which the node starts; 0 for a node built in memory.
    int line() const;
    // Gives an element the line on which it stands in the text it was last saved to; no change of the document.
    void setLine(int line) const;

    // Text of a text, CDATA, comment or processing-instruction node.
    QString value() const;
    void setValue(const QString& value);

    XmlNode parent() const;
    XmlNode firstChild() const;
    XmlNode nextSibling() const;
    int childCount() const;
    XmlNode child(int position) const;
    QList<XmlNode> children() const;
    // First child element whose name matches exactly; a null handle when there is none.
    XmlNode findChild(const QString& name) const;

    // Appends a node of this document, or a copy of a node from another document.
    XmlNode appendChild(const XmlNode& child);
    void removeAllChildren();
    void removeChild(const XmlNode& child);
    void removeFirstChild(const QString& name);

    std::optional<QString> attribute(const QString& name) const;
    bool hasAttribute(const QString& name) const;
    // The attribute's text without converting it, for checks that read many elements. Name is ASCII
    // without a namespace prefix.
    Utf8Attribute attributeUtf8(QStringView name) const;
    // The attribute's text; an absent attribute is a ConversionError.
    QString attributeText(const QString& name) const;
    bool attributeIsTrue(const QString& name) const;
    void setAttribute(const QString& name, const QString& value);
    void removeAttribute(const QString& name);
    QList<Attribute> attributes() const;

    // The XML text of this node and its subtree.
    QString xml() const;

private:
    friend class XmlDocument;
    XmlNode(_xmlNode* node, XmlDocument* document) : node_(node), document_(document) {}
    void aboutToChange() const;
    void changed() const;

    _xmlNode* node_ = nullptr;
    XmlDocument* document_ = nullptr;
};

// One XML document over libxml2. Every change of a node raises OnBeforeChange before it and
// OnAfterNodeChange once after it, synchronously, also on nodes not yet attached; opening a document
// raises OnAfterOpen alone. Without an open document every
// access fails with NoActiveDocumentError.
class XmlDocument {
public:
    XmlDocument();
    ~XmlDocument();
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;

    std::function<void()> OnAfterOpen;
    // Raised while the document still holds what it held before the change.
    std::function<void()> OnBeforeChange;
    // Receives the node that changed: the element whose attributes or children changed, or the text node.
    std::function<void(const XmlNode& changed)> OnAfterNodeChange;

    // Opens an empty document.
    void activate();
    // Parses a text into this document, replacing its content. On failure the current content
    // stays and ParseError is thrown.
    void loadFromXml(const QByteArray& text);
    // Parses the text that Read gives piece by piece, so that it is never held whole; false, with the
    // current content kept, where loadFromXml would throw, whose reason the whole text then gives.
    bool tryLoad(const ReadText& read);
    // Takes over the content of another document, which is left without one.
    void adopt(XmlDocument& other);

    XmlNode documentNode() const;
    std::optional<XmlDeclaration> declaration() const;

    XmlNode createElement(const QString& name);
    XmlNode createCDataSection(const QString& text);
    XmlNode createTextNode(const QString& text);

    // The document's text, the declaration included only when the document has one.
    QByteArray xml() const;

private:
    friend class XmlNode;
    friend QByteArray savedText(const XmlDocument& document);
    friend void writeSavedText(const XmlDocument& document, const std::function<void(const QByteArray&)>& write);
    friend void checkSavedText(const XmlDocument& document);
    _xmlDoc* checkedDocument() const;
    XmlNode track(_xmlNode* node);
    void attached(_xmlNode* node) { detached_.erase(node); }
    void freeDetached();
    void replace(XmlParser::Parsed parsed);
    void notifyChange(const XmlNode& changed) const;

    OwnedXmlDoc document_;
    std::optional<XmlDeclaration> declaration_;
    // The document type declaration's internal subset as the text had it (XmlParser::Parsed).
    QByteArray internalSubset_;
    // Nodes created but never attached; freed with the document.
    std::unordered_set<_xmlNode*> detached_;
};
