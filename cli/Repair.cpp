#include "cli/Repair.h"

#include "cli/InputFile.h"
#include "cli/Reporting.h"
#include "document/ExtensionFile.h"
#include "document/xml/Errors.h"
#include "document/xml/RegularFile.h"

#include <QIODevice>

namespace {

const QString standardInput = QStringLiteral("-");

QByteArray placed(const QString& name, Place place, const QString& text) {
    QString line = name + ':';
    if (place.line > 0)
        line +=
            QString::number(place.line) + ':' + (place.column > 0 ? QString::number(place.column) + ':' : QString());
    return (line + ' ' + text.section('\n', 0, 0) + '\n').toUtf8();
}

// The file's text with its faults put right, or nullopt when it loads as it is.
std::optional<RepairedText> repairOf(const QByteArray& text, const QString& name) {
    XmlDocument document;
    try {
        loadExtensionText(document, text, name);
    } catch (const RepairableError& refusal) {
        return refusal.repaired();
    }
    return std::nullopt;
}

} // namespace

int runRepair(const QStringList& files, bool toOutput, QIODevice& input, QIODevice& output, QIODevice& errors) {
    int exitCode = 0;
    for (const QString& file : files) {
        const bool isInput = file == standardInput;
        const QString name = isInput ? QStringLiteral("<stdin>") : file;
        try {
            const QByteArray text = isInput ? readTextStream(input) : readRegularFile(file);
            const std::optional<RepairedText> repaired = repairOf(text, name);
            if (toOutput || isInput) {
                output.write(repaired ? repaired->text : text);
                requireFlushed(output);
            } else if (repaired) {
                writeSavedFile(file, repaired->text, text);
            }
            for (const Repair& repair : repaired ? repaired->repairs : QList<Repair>())
                errors.write(placed(name, {repair.line, repair.column}, "repaired: " + repair.change()));
        } catch (const Error& error) {
            const auto [place, reason] = failureOf(error);
            errors.write(placed(name, place, reason));
            exitCode = 1;
        }
    }
    return exitCode;
}
