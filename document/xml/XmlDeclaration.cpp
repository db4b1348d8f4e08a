#include "document/xml/XmlDeclaration.h"

QByteArray declarationText(const XmlDeclaration& declaration) {
    QByteArray text = "<?xml version=\"" + declaration.version.toUtf8() + "\"";
    if (declaration.standalone)
        text += *declaration.standalone ? " standalone=\"yes\"" : " standalone=\"no\"";
    return text + "?>";
}
