// Load of files whose entity references expand far beyond their size (refused at once), of a file
// whose references stay within the limit (expanded once, then read as often as the refresh reads),
// of a file of 300,000 bare & on one line (refused with the repair offer the window shows) and of a
// large extension file.

#include "GeneratedExtension.h"

#include "document/ExtensionFile.h"
#include "document/Mxi.h"
#include "document/xml/Errors.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// One entity of entityBytes used references times in the root's name.
QByteArray entityFile(int entityBytes, int references) {
    return "<!DOCTYPE macromedia-extension [<!ENTITY e \"" + QByteArray(entityBytes, 'x') +
           "\">]><macromedia-extension name=\"" + QByteArray("&e;").repeated(references) +
           "\" version=\"1\" type=\"command\"><author name=\"a\"/></macromedia-extension>";
}

struct Fixture {
    QTemporaryDir folder;
    QString amplified5k = write("amplified5k.mxi", entityFile(5000, 8000));
    QString amplified50k = write("amplified50k.mxi", entityFile(50000, 20000));
    QString withinLimit = write("within.mxi", entityFile(50, 20000));
    QString ampersands = write("ampersands.mxi", "<macromedia-extension name=\"x\">" + QByteArray(300000, '&') +
                                                     "</macromedia-extension>");
    QString large = write("large.mxi", generatedExtension(200000));
    QString saved = folder.filePath("saved.mxi");

    QString write(const char* name, const QByteArray& text) {
        QFile file(folder.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(text);
        return file.fileName();
    }
};

Fixture& fixture() {
    static Fixture instance;
    return instance;
}

void LoadRefused(benchmark::State& state, const QString& fileName) {
    for (auto _ : state) {
        XmlDocument document;
        try {
            loadExtensionFile(document, fileName);
            state.SkipWithError("loaded");
        } catch (const ParseError&) {
        }
    }
    state.counters["bytes"] = double(QFile(fileName).size());
}

void LoadEntity5kUsed8000Times(benchmark::State& state) {
    LoadRefused(state, fixture().amplified5k);
}
BENCHMARK(LoadEntity5kUsed8000Times)->Unit(benchmark::kMillisecond);

void LoadEntity50kUsed20000Times(benchmark::State& state) {
    LoadRefused(state, fixture().amplified50k);
}
BENCHMARK(LoadEntity50kUsed20000Times)->Unit(benchmark::kMillisecond);

void LoadRefusesBareAmpersandsWithTheRepairOffer(benchmark::State& state) {
    const QString fileName = fixture().ampersands;
    for (auto _ : state) {
        XmlDocument document;
        try {
            loadExtensionFile(document, fileName);
            state.SkipWithError("loaded");
        } catch (const RepairableError& refusal) {
            benchmark::DoNotOptimize(repairOffer(refusal.message(), refusal.repaired().repairs));
        }
    }
}
BENCHMARK(LoadRefusesBareAmpersandsWithTheRepairOffer)->Unit(benchmark::kMillisecond);

// Load, a thousand reads of the 1 MB name as a thousand refreshes would make, and Save.
void LoadReadAndSaveEntitiesWithinTheLimit(benchmark::State& state) {
    const Fixture& files = fixture();
    for (auto _ : state) {
        XmlDocument document;
        loadExtensionFile(document, files.withinLimit);
        for (int read = 0; read < 1000; ++read)
            benchmark::DoNotOptimize(Mxi::findRoot(document).attributeText(Mxi::Name));
        saveExtensionFile(document, files.saved);
    }
}
BENCHMARK(LoadReadAndSaveEntitiesWithinTheLimit)->Unit(benchmark::kMillisecond);

void LoadLargeExtension(benchmark::State& state) {
    const QString fileName = fixture().large;
    for (auto _ : state) {
        XmlDocument document;
        loadExtensionFile(document, fileName);
    }
    state.counters["bytes"] = double(QFile(fileName).size());
}
BENCHMARK(LoadLargeExtension)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
