// A large extension (200,000 files, about 20 MB): Load, showing the Files page, leaving it, and Save,
// on the offscreen platform.

#include "document/Mxi.h"
#include "window/dialogs/MessageBoxes.h"
#include "window/controls/PageControl.h"
#include "window/forms/Unit1.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int fileCount = 200000;
constexpr int mainPage = 0;
constexpr int filesPage = 3;

QByteArray generatedExtension() {
    QByteArray text = R"(<?xml version="1.0" encoding="UTF-8"?>)"
                      "\n"
                      R"(<macromedia-extension name="Bench" version="1.0.0" type="command" requires-restart="true">)"
                      "\n  <author name=\"Bench\"/>\n  <products>\n    <product name=\"dreamweaver\" version=\"6\"/>\n"
                      "  </products>\n  <files>\n";
    for (int file = 0; file < fileCount; ++file) {
        text += QStringLiteral(R"(    <file source="Bench\Folder%1\Command%2.js" )"
                               R"(destination="$dreamweaver/Folder%1")")
                    .arg(file / 100)
                    .arg(file)
                    .toUtf8();
        if (file % 3 == 0)
            text += R"( shared="true")";
        if (file % 5 == 0)
            text += R"( systemfile="true")";
        if (file % 4 == 1)
            text += R"( plateform="win")";
        if (file % 7 == 0)
            text += R"( platform="mac" file-type="ordinary")";
        text += "/>\n";
    }
    return text + "  </files>\n</macromedia-extension>\n";
}

// One window holding the generated extension, shared by the benchmarks.
struct Bench {
    Bench() {
        MessageBoxes::recordInto(&messages);
        const QString fileName = folder.filePath(QStringLiteral("bench.mxi"));
        QFile file(fileName);
        if (!file.open(QIODevice::WriteOnly) || file.write(generatedExtension()) < 0)
            qFatal("cannot write %s", qPrintable(fileName));
        fileSize = file.size();
        file.close();
        form.show();
        load();
    }

    void load() {
        form.OpenDialog1.scriptAnswer(folder.filePath(QStringLiteral("bench.mxi")));
        form.Button1->click();
    }

    void switchTo(int page) { form.PageControl1->setCurrentIndex(page); }

    int files() const {
        int count = 0;
        for (const XmlNode& node : Mxi::findRoot(form.XMLDocument1).findChild(Mxi::Files).children())
            count += node.type() == NodeType::Element ? 1 : 0;
        return count;
    }

    QTemporaryDir folder;
    qint64 fileSize = 0;
    QList<MessageBoxes::Message> messages;
    TForm1 form;
};

// Made in main, after the application and before the benchmarks run.
std::unique_ptr<Bench> theBench;

Bench& bench() {
    return *theBench;
}

bool checked(benchmark::State& state) {
    if (!bench().messages.isEmpty()) {
        state.SkipWithError(bench().messages.first().text.toStdString().c_str());
        return false;
    }
    if (bench().files() != fileCount) {
        state.SkipWithError("the files element lost elements");
        return false;
    }
    return true;
}

void Load(benchmark::State& state) {
    Bench& b = bench();
    for (auto _ : state)
        b.load();
    state.counters["bytes"] = double(b.fileSize);
    checked(state);
}
BENCHMARK(Load)->Unit(benchmark::kMillisecond);

void ShowAndLeaveFilesPage(benchmark::State& state) {
    Bench& b = bench();
    for (auto _ : state) {
        b.switchTo(filesPage);
        b.switchTo(mainPage);
    }
    checked(state);
}
BENCHMARK(ShowAndLeaveFilesPage)->Unit(benchmark::kMillisecond);

void ShowFilesPage(benchmark::State& state) {
    Bench& b = bench();
    for (auto _ : state) {
        b.switchTo(filesPage);
        state.PauseTiming();
        b.switchTo(mainPage);
        state.ResumeTiming();
    }
    checked(state);
}
BENCHMARK(ShowFilesPage)->Unit(benchmark::kMillisecond);

void LeaveFilesPage(benchmark::State& state) {
    Bench& b = bench();
    int notifications = 0;
    const auto notify = b.form.XMLDocument1.OnAfterNodeChange;
    b.form.XMLDocument1.OnAfterNodeChange = [&](const XmlNode& changed) {
        ++notifications;
        notify(changed);
    };
    for (auto _ : state) {
        state.PauseTiming();
        b.switchTo(filesPage);
        notifications = 0;
        state.ResumeTiming();
        b.switchTo(mainPage);
    }
    b.form.XMLDocument1.OnAfterNodeChange = notify;
    state.counters["notifications"] = notifications;
    checked(state);
}
BENCHMARK(LeaveFilesPage)->Unit(benchmark::kMillisecond);

// The same leave without the refresh, to tell the page's own share from the refresh's.
void LeaveFilesPageWithoutRefresh(benchmark::State& state) {
    Bench& b = bench();
    const auto notify = b.form.XMLDocument1.OnAfterNodeChange;
    for (auto _ : state) {
        state.PauseTiming();
        b.switchTo(filesPage);
        b.form.XMLDocument1.OnAfterNodeChange = [](const XmlNode&) {};
        state.ResumeTiming();
        b.switchTo(mainPage);
        state.PauseTiming();
        b.form.XMLDocument1.OnAfterNodeChange = notify;
        state.ResumeTiming();
    }
    checked(state);
}
BENCHMARK(LeaveFilesPageWithoutRefresh)->Unit(benchmark::kMillisecond);

void RefreshMainPage(benchmark::State& state) {
    Bench& b = bench();
    for (auto _ : state)
        b.form.update();
    checked(state);
}
BENCHMARK(RefreshMainPage)->Unit(benchmark::kMicrosecond);

void SaveFromFilesPage(benchmark::State& state) {
    Bench& b = bench();
    const QString fileName = b.folder.filePath(QStringLiteral("saved.mxi"));
    for (auto _ : state) {
        state.PauseTiming();
        b.switchTo(filesPage);
        b.form.SaveDialog1.scriptAnswer(fileName);
        state.ResumeTiming();
        b.form.Button2->click();
    }
    checked(state);
}
BENCHMARK(SaveFromFilesPage)->Unit(benchmark::kMillisecond);

void SaveFromMainPage(benchmark::State& state) {
    Bench& b = bench();
    b.switchTo(mainPage);
    const QString fileName = b.folder.filePath(QStringLiteral("saved.mxi"));
    for (auto _ : state) {
        b.form.SaveDialog1.scriptAnswer(fileName);
        b.form.Button2->click();
    }
    checked(state);
}
BENCHMARK(SaveFromMainPage)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    theBench = std::make_unique<Bench>();
    benchmark::RunSpecifiedBenchmarks();
    theBench.reset();
    benchmark::Shutdown();
    return 0;
}
