// The findings of a document of 20,000 and of 200,000 files: how long the user-interface thread
// spends finding them again after one edit, and how long the worker takes to look up every source.

#include "GeneratedExtension.h"

#include "document/DocumentProblems.h"
#include "document/ExtensionFile.h"
#include "document/FileListModel.h"
#include "document/Mxi.h"
#include "document/SavedLines.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>

namespace {

double threadCpuMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

struct Loaded {
    // With everyFileFaulty, every file has a file type that the rules find fault with.
    explicit Loaded(int files, bool everyFileFaulty = false) {
        const QString fileName = folder.filePath(QStringLiteral("bench.mxi"));
        QFile file(fileName);
        QByteArray text = generatedExtension(files);
        if (everyFileFaulty)
            text.replace("shared=\"true\"", "shared=\"true\" file-type=\"zip\"");
        if (!file.open(QIODevice::WriteOnly) || file.write(text) < 0)
            qFatal("cannot write %s", qPrintable(fileName));
        file.close();
        loadExtensionFile(document, fileName);
        problems.setFile(fileName, true);
    }

    // Until the findings are current and every source has been looked up.
    void settle() {
        while (!problems.settled())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }

    QTemporaryDir folder;
    XmlDocument document;
    DocumentProblems problems{document};
};

// One edit of the root's version, then the findings found again in slices between events, as the
// window finds them: the time until they are shown, and the longest the event loop waited for a slice.
// The second argument gives every line a fault of its own.
void FindingsAfterEdit(benchmark::State& state) {
    Loaded loaded(int(state.range(0)), state.range(1) != 0);
    loaded.settle();
    XmlNode root = Mxi::findRoot(loaded.document);
    int edit = 0;
    double longestSlice = 0;
    double longestSliceCpu = 0;
    for (auto _ : state) {
        root.setAttribute(Mxi::Version, QStringLiteral("1.%1").arg(++edit % 2));
        loaded.problems.documentChanged();
        while (!loaded.problems.settled()) {
            QElapsedTimer slice;
            slice.start();
            const double cpuStart = threadCpuMilliseconds();
            QCoreApplication::processEvents();
            longestSlice = std::max(longestSlice, double(slice.nsecsElapsed()) / 1e6);
            longestSliceCpu = std::max(longestSliceCpu, threadCpuMilliseconds() - cpuStart);
        }
    }
    // The machine may be shared: the thread's own CPU time tells the work from the waiting.
    state.counters["longest_slice_ms"] = longestSlice;
    state.counters["longest_slice_cpu_ms"] = longestSliceCpu;
    state.counters["findings"] = double(loaded.problems.findings().size());
}
BENCHMARK(FindingsAfterEdit)->Args({20000, 0})->Args({200000, 0})->Args({200000, 1})->Unit(benchmark::kMillisecond);

// One edit in a line's editor on the Files page, taken by the page's lines and not yet written into the
// document: the time until the findings shown follow it. Every other edit makes a fault, every other mends it.
// The second argument gives every line a fault of its own.
void FindingsAfterLineEdit(benchmark::State& state) {
    Loaded loaded(int(state.range(0)), state.range(1) != 0);
    FileListModel lines;
    loaded.problems.followLines(lines, Mxi::Files, Mxi::File);
    lines.show(Mxi::listElement(loaded.document, Mxi::Files, false));
    loaded.settle();
    const int row = lines.rowCount() / 2;
    const FileLine shown = lines.fieldsAt(row);
    FileLine faulty = shown;
    faulty.destination += '/' + shown.source.section('/', -1);
    int edit = 0;
    for (auto _ : state) {
        lines.setFields(row, ++edit % 2 ? faulty : shown);
        loaded.settle();
    }
    state.counters["findings"] = double(loaded.problems.findings().size());
}
BENCHMARK(FindingsAfterLineEdit)
    ->Args({20000, 0})
    ->Args({200000, 0})
    ->Args({20000, 1})
    ->Args({200000, 1})
    ->Unit(benchmark::kMillisecond);

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

// What Save adds for the problems list: the saved file read again for the lines of its elements.
void TakeLinesOfSavedFile(benchmark::State& state) {
    Loaded loaded(int(state.range(0)));
    const QString saved = loaded.folder.filePath(QStringLiteral("saved.mxi"));
    saveExtensionFile(loaded.document, saved);
    for (auto _ : state) {
        if (!takeLinesOfSavedFile(loaded.document, saved))
            state.SkipWithError("the saved file's start tags are not the document's elements");
    }
}
BENCHMARK(TakeLinesOfSavedFile)->Arg(200000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
