#include "document/xml/ParsedTree.h"

#include "document/xml/Errors.h"
#include "document/xml/XmlLimits.h"
#include "document/xml/XmlNodes.h"

#include <libxml/parser.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace {

void checkRuns(const xmlNode* parent) {
    for (const xmlNode* node = parent->children; node; node = node->next) {
        if (node->type != XML_TEXT_NODE && node->type != XML_CDATA_SECTION_NODE)
            continue;
        const xmlNode* first = node;
        size_t bytes = 0;
        for (const xmlNode* last = XmlNodes::runEnd(first);; node = node->next) {
            bytes += xmlStrlen(node->content);
            if (node == last)
                break;
        }
        XmlLimits::checkRun(first, bytes);
    }
}

// Entity references in attribute values, expanded as libxml2 reads such a value: text and CDATA
// pieces as they are, references by their entity's pieces.
//
// libxml2 takes the value of an entity that an attribute used first for text, unchecked, also where
// text refers to it later. Read back from a saved file, whose attribute values hold no references,
// the value is parsed as content; so such values are checked as content here.
class AttributeEntities {
public:
    AttributeEntities(xmlDoc* document, qint64 inputSize)
        : document_(document),
          allowed_(std::max(XmlLimits::minEntityExpansion, XmlLimits::entityExpansionFactor * inputSize)) {}

    void expand(xmlNode* element) {
        for (xmlAttr* attribute = element->properties; attribute; attribute = attribute->next) {
            if (!holdsReference(attribute))
                continue;
            expanded_ += qint64(size(attribute->children));
            if (expanded_ > allowed_)
                throw LimitError(XmlLimits::entityExpansionMessage());
            std::string value;
            append(value, attribute->children);
            xmlSetNsProp(element, attribute->ns, attribute->name, reinterpret_cast<const xmlChar*>(value.c_str()));
        }
    }

    void usedInText(const xmlNode* reference) { usedInText_.push_back(entityOf(reference)); }

    void checkUsedInText(xmlNode* root) {
        std::unordered_set<const xmlEntity*> checked;
        while (!usedInText_.empty()) {
            const xmlEntity* entity = usedInText_.back();
            usedInText_.pop_back();
            if (!entity || !checked.insert(entity).second)
                continue;
            if (entitySizes_.count(entity))
                checkAsContent(root, entity);
            for (const xmlNode* piece = entity->children; piece; piece = piece->next) {
                if (piece->type == XML_ENTITY_REF_NODE)
                    usedInText(piece);
            }
        }
    }

private:
    static void checkAsContent(xmlNode* root, const xmlEntity* entity) {
        xmlNode* pieces = nullptr;
        const xmlParserErrors result =
            xmlParseInNodeContext(root, reinterpret_cast<const char*>(entity->content), xmlStrlen(entity->content),
                                  XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING, &pieces);
        xmlFreeNodeList(pieces);
        if (result != XML_ERR_OK) {
            throw ParseError(QStringLiteral("The text refers to the entity &%1;, whose value is not well-formed XML")
                                 .arg(XmlNodes::toQString(entity->name)),
                             0, QString());
        }
    }

    static bool holdsReference(const xmlAttr* attribute) {
        for (const xmlNode* piece = attribute->children; piece; piece = piece->next) {
            if (piece->type == XML_ENTITY_REF_NODE)
                return true;
        }
        return false;
    }

    const xmlEntity* entityOf(const xmlNode* reference) const { return xmlGetDocEntity(document_, reference->name); }

    // Each entity's size is counted once, so that nested entities cost no more than their text.
    size_t size(const xmlNode* pieces) {
        size_t total = 0;
        for (const xmlNode* piece = pieces; piece; piece = piece->next) {
            if (piece->type == XML_TEXT_NODE || piece->type == XML_CDATA_SECTION_NODE)
                total += size_t(xmlStrlen(piece->content));
            else if (piece->type == XML_ENTITY_REF_NODE)
                total += entitySize(entityOf(piece));
        }
        return total;
    }

    size_t entitySize(const xmlEntity* entity) {
        if (!entity)
            return 0;
        if (const auto known = entitySizes_.find(entity); known != entitySizes_.end())
            return known->second;
        const size_t entitySize = size(entity->children);
        entitySizes_.emplace(entity, entitySize);
        return entitySize;
    }

    void append(std::string& value, const xmlNode* pieces) const {
        for (const xmlNode* piece = pieces; piece; piece = piece->next) {
            if (piece->type == XML_TEXT_NODE || piece->type == XML_CDATA_SECTION_NODE)
                value += reinterpret_cast<const char*>(piece->content);
            else if (const xmlEntity* entity = piece->type == XML_ENTITY_REF_NODE ? entityOf(piece) : nullptr)
                append(value, entity->children);
        }
    }

    xmlDoc* document_;
    qint64 allowed_;
    qint64 expanded_ = 0;
    std::unordered_map<const xmlEntity*, size_t> entitySizes_;
    std::vector<const xmlEntity*> usedInText_;
};

xmlNode* elementAtOrBefore(xmlNode* node) {
    while (node && node->type != XML_ELEMENT_NODE)
        node = node->prev;
    return node;
}

// The node after node in a walk of top's tree that visits a parent before its children and the
// children from the last to the first; nullptr after the last. It needs no memory of its own, so
// that neither a deep document nor a long one costs any.
xmlNode* nextInWalk(xmlNode* node, const xmlNode* top) {
    if (xmlNode* child = elementAtOrBefore(node->last))
        return child;
    for (; node != top; node = node->parent) {
        if (xmlNode* sibling = elementAtOrBefore(node->prev))
            return sibling;
    }
    return nullptr;
}

} // namespace

bool declaresEntities(const xmlDoc* document) {
    return document && document->intSubset && document->intSubset->entities;
}

void checkParsedElement(const xmlNode* element) {
    XmlLimits::checkStartTag(element);
    checkRuns(element);
}

void settleParsedTree(xmlDoc* document, qint64 inputSize) {
    if (!declaresEntities(document))
        return;
    AttributeEntities entities(document, inputSize);
    auto* top = reinterpret_cast<xmlNode*>(document);
    for (xmlNode* parent = top; parent; parent = nextInWalk(parent, top)) {
        if (parent->type == XML_ELEMENT_NODE) {
            entities.expand(parent);
            checkParsedElement(parent);
        }
        for (xmlNode* child = parent->children; child; child = child->next) {
            if (child->type == XML_ENTITY_REF_NODE)
                entities.usedInText(child);
        }
    }
    if (xmlNode* root = xmlDocGetRootElement(document))
        entities.checkUsedInText(root);
}
