#include "cli/Reporting.h"

#include <QFileDevice>

bool flushed(QIODevice& stream) {
    auto* file = qobject_cast<QFileDevice*>(&stream);
    return !file || (file->flush() && file->error() == QFileDevice::NoError);
}

void requireFlushed(QIODevice& output) {
    if (!flushed(output))
        throw Error(QStringLiteral("cannot write to standard output: ") + output.errorString());
}

std::pair<Place, QString> failureOf(const Error& error) {
    if (const auto* refusal = dynamic_cast<const PlacedError*>(&error))
        return {refusal->place(), refusal->reason()};
    if (const auto* failedWrite = dynamic_cast<const SaveError*>(&error))
        return {{}, QStringLiteral("cannot be written: ") + failedWrite->reason()};
    return {{}, error.message()};
}
