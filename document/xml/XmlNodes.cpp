#include "document/xml/XmlNodes.h"

#include <libxml/xmlsave.h>

namespace XmlNodes {

void useUtf8(xmlDoc* document) {
    xmlFree(const_cast<xmlChar*>(document->encoding));
    document->encoding = xmlStrdup(reinterpret_cast<const xmlChar*>("UTF-8"));
}

const xmlChar* attributeValue(const xmlAttr* attribute, xmlChar** copy) {
    static const xmlChar empty[] = "";
    const xmlNode* child = attribute->children;
    if (!child)
        return empty;
    if (child->type == XML_TEXT_NODE && !child->next)
        return child->content ? child->content : empty;
    *copy = xmlNodeGetContent(reinterpret_cast<const xmlNode*>(attribute));
    return *copy ? *copy : empty;
}

const xmlNode* runEnd(const xmlNode* first) {
    const xmlNode* last = first;
    while (last->next && last->next->type == first->type)
        last = last->next;
    return last;
}

namespace {

template <typename Save> QByteArray save(Save saveInto) {
    xmlBuffer* buffer = xmlBufferCreate();
    // Growing by what is added copies the text again at every step.
    xmlBufferSetAllocationScheme(buffer, XML_BUFFER_ALLOC_DOUBLEIT);
    xmlSaveCtxt* context = xmlSaveToBuffer(buffer, "UTF-8", XML_SAVE_NO_DECL);
    saveInto(context);
    xmlSaveClose(context);
    QByteArray text(reinterpret_cast<const char*>(xmlBufferContent(buffer)), xmlBufferLength(buffer));
    xmlBufferFree(buffer);
    return text;
}

} // namespace

QByteArray serializeNode(xmlNode* node) {
    return save([node](xmlSaveCtxt* context) { xmlSaveTree(context, node); });
}

QByteArray serializeBody(xmlDoc* document) {
    return save([document](xmlSaveCtxt* context) { xmlSaveDoc(context, document); });
}

} // namespace XmlNodes
