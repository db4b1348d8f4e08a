// Any input goes through the load path of the window and --format: it either is refused with a
// PlacedError (a RepairableError when a repair would make it load, whose repaired text then loads), or
// loads and lays out into a saved text that loads again.

#include "document/ExtensionFile.h"
#include "document/xml/Errors.h"
#include "document/xml/SavedText.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray text(reinterpret_cast<const char*>(data), qsizetype(size));
    XmlDocument document;
    try {
        loadExtensionText(document, text, QStringLiteral("fuzz.mxi"));
    } catch (const RepairableError& refusal) {
        loadExtensionText(document, refusal.repaired().text, QStringLiteral("fuzz.mxi"));
    } catch (const PlacedError&) {
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
    loadExtensionText(reloaded, saved, QStringLiteral("saved.mxi"));
    return 0;
}
