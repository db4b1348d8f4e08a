// Any input either fails to load with a ParseError, or loads and lays out into a saved text that
// loads again.

#include "document/xml/Errors.h"
#include "document/xml/SavedText.h"
#include "document/xml/XmlDocument.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    XmlDocument document;
    try {
        document.loadFromXml(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    } catch (const ParseError&) {
        return 0;
    }
    QByteArray saved;
    try {
        saved = savedText(document);
    } catch (const Error&) {
        return 0; // a control character that a file cannot hold
    }
    // Text mixed with elements gains layout on every save, so only loading again is required here.
    XmlDocument reloaded;
    reloaded.loadFromXml(saved);
    return 0;
}
