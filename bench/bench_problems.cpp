// The findings of a document of 20,000 and of 200,000 files: how long the user-interface thread
// spends finding them again after one edit, and how long the worker takes to look up every source.

#include "GeneratedExtension.h"

#include "document/DocumentProblems.h"
#include "document/ExtensionFile.h"
#include "document/Mxi.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

struct Loaded {
    explicit Loaded(int files) {
        const QString fileName = folder.filePath(QStringLiteral("bench.mxi"));
        QFile file(fileName);
        if (!file.open(QIODevice::WriteOnly) || file.write(generatedExtension(files)) < 0)
            qFatal("cannot write %s", qPrintable(fileName));
        file.close();
        loadExtensionFile(document, fileName);
        problems.setFile(fileName, true);
    }

    // Until the findings are current and every source has been looked up.
    void settle() {
        while (!problems.findingsAreCurrent() || problems.lookingUpSources())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }

    QTemporaryDir folder;
    XmlDocument document;
    DocumentProblems problems{document};
};

// One edit of the root's version, then the findings found again, as the window does after a change.
void FindingsAfterEdit(benchmark::State& state) {
    Loaded loaded(int(state.range(0)));
    loaded.settle();
    XmlNode root = Mxi::findRoot(loaded.document);
    int edit = 0;
    for (auto _ : state) {
        root.setAttribute(Mxi::Version, QStringLiteral("1.%1").arg(++edit % 2));
        loaded.problems.refresh();
    }
    state.counters["findings"] = double(loaded.problems.findings().size());
}
BENCHMARK(FindingsAfterEdit)->Arg(20000)->Arg(200000)->Unit(benchmark::kMillisecond);

// From a new file to every source looked up, most of it on the worker thread.
void LookUpEverySource(benchmark::State& state) {
    Loaded loaded(int(state.range(0)));
    for (auto _ : state) {
        loaded.problems.setFile(loaded.folder.filePath(QStringLiteral("bench.mxi")), true);
        loaded.settle();
    }
    state.counters["findings"] = double(loaded.problems.findings().size());
}
BENCHMARK(LookUpEverySource)->Arg(200000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
