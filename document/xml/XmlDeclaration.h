#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The XML declaration of a loaded document, as far as a saved file keeps it.
struct XmlDeclaration {
    QString version;
    std::optional<bool> standalone;
    bool operator==(const XmlDeclaration&) const = default;
};

// The declaration as written at the top of a file.
QByteArray declarationText(const XmlDeclaration& declaration);
