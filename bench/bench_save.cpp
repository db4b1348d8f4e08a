// Save's re-indent and write of a large extension file, beside xmllint --format on the same file.

#include "GeneratedExtension.h"

#include "document/ExtensionFile.h"
#include "document/Mxi.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

constexpr int fileCount = 20000;

struct Fixture {
    QTemporaryDir folder;
    QString input = folder.filePath("large.mxi");
    QString output = folder.filePath("saved.mxi");
    Fixture() {
        QFile file(input);
        file.open(QIODevice::WriteOnly);
        file.write(generatedExtension(fileCount));
    }
};

Fixture& fixture() {
    static Fixture instance;
    return instance;
}

void SaveLargeExtension(benchmark::State& state) {
    XmlDocument document;
    loadExtensionFile(document, fixture().input);
    for (auto _ : state)
        saveExtensionFile(document, fixture().output);
    state.counters["files"] = fileCount;
}
BENCHMARK(SaveLargeExtension)->Unit(benchmark::kMillisecond);

void XmllintFormat(benchmark::State& state) {
    const QByteArray command =
        "xmllint --format '" + fixture().input.toUtf8() + "' > '" + fixture().output.toUtf8() + "'";
    for (auto _ : state) {
        if (std::system(command.constData()) != 0)
            state.SkipWithError("xmllint failed");
    }
}
BENCHMARK(XmllintFormat)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
