// Pages showing very long lines, on the offscreen platform: the Description and Configuration
// changes pages shown (painted, as on screen) and left, and every list page shown with values of
// over a megabyte.

#include "window/dialogs/MessageBoxes.h"
#include "window/controls/PageControl.h"
#include "window/forms/Unit1.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int mainPage = 0;
constexpr int descriptionPage = 1;
constexpr int configurationPage = 4;

QByteArray repeatedTo(const QByteArray& piece, qsizetype size) {
    QByteArray text;
    text.reserve(size + piece.size());
    while (text.size() < size)
        text += piece;
    return text;
}

// A description of one unbroken line (no space to wrap at).
QByteArray longDescription(qsizetype size) {
    return "<macromedia-extension name=\"Bench\" version=\"1\"><description><![CDATA[" +
           repeatedTo("abcdefghijklmnopqrstuvwxyz0123456789", size) + "]]></description></macromedia-extension>";
}

// Configuration changes of one line: elements one after the other, as the page shows them.
QByteArray longConfigurationChanges(qsizetype size) {
    return "<macromedia-extension name=\"Bench\" version=\"1\"><configuration-changes>" +
           repeatedTo(R"(<menu-insert insertAfter="DWMenu_Commands"><menuitem name="Bench" id="Bench_Item"/>)"
                      R"(</menu-insert>)",
                      size) +
           "</configuration-changes></macromedia-extension>";
}

// Every value the Main, Products and Files pages show, one unbroken line each.
QByteArray longValues(qsizetype size) {
    const QByteArray value = repeatedTo("abcdefghijklmnopqrstuvwxyz0123456789", size / 4);
    return "<macromedia-extension name=\"" + value + "\" version=\"1\"><author name=\"a\"/><products><product name=\"" +
           value + "\" version=\"" + value + "\"/></products><files><file source=\"" + value + "\" destination=\"" +
           value + "\"/></files></macromedia-extension>";
}

// A window that has loaded the given file content.
struct Window {
    explicit Window(const QByteArray& content) {
        MessageBoxes::recordInto(&messages);
        const QString fileName = folder.filePath(QStringLiteral("bench.mxi"));
        QFile file(fileName);
        if (!file.open(QIODevice::WriteOnly) || file.write(content) < 0)
            qFatal("cannot write %s", qPrintable(fileName));
        file.close();
        form.show();
        form.OpenDialog1.scriptAnswer(fileName);
        form.Button1->click();
    }
    ~Window() { MessageBoxes::recordInto(nullptr); }

    // Changes page and paints the window, as the screen would.
    void switchTo(int page) {
        form.PageControl1->setCurrentIndex(page);
        form.repaint();
    }

    QTemporaryDir folder;
    QList<MessageBoxes::Message> messages;
    TForm1 form;
};

void reportMessages(benchmark::State& state, const Window& window) {
    if (!window.messages.isEmpty())
        state.SkipWithError(window.messages.first().text.toStdString().c_str());
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void showPage(benchmark::State& state, const QByteArray& content, int page) {
    Window window(content);
    for (auto _ : state) {
        window.switchTo(page);
        state.PauseTiming();
        window.switchTo(mainPage);
        state.ResumeTiming();
    }
    reportMessages(state, window);
}

void leavePage(benchmark::State& state, const QByteArray& content, int page) {
    Window window(content);
    for (auto _ : state) {
        state.PauseTiming();
        window.switchTo(page);
        state.ResumeTiming();
        window.switchTo(mainPage);
    }
    reportMessages(state, window);
}

void ShowLongDescription(benchmark::State& state) {
    showPage(state, longDescription(state.range(0)), descriptionPage);
}
void LeaveLongDescription(benchmark::State& state) {
    leavePage(state, longDescription(state.range(0)), descriptionPage);
}
void ShowLongConfigurationChanges(benchmark::State& state) {
    showPage(state, longConfigurationChanges(state.range(0)), configurationPage);
}
void LeaveLongConfigurationChanges(benchmark::State& state) {
    leavePage(state, longConfigurationChanges(state.range(0)), configurationPage);
}

void ShowPageWithLongValues(benchmark::State& state) {
    Window window(longValues(5 << 20));
    for (auto _ : state) {
        window.switchTo(int(state.range(0)));
        state.PauseTiming();
        window.switchTo(mainPage == state.range(0) ? descriptionPage : mainPage);
        state.ResumeTiming();
    }
    if (!window.messages.isEmpty())
        state.SkipWithError(window.messages.first().text.toStdString().c_str());
}
BENCHMARK(ShowPageWithLongValues)->Unit(benchmark::kMillisecond)->DenseRange(0, 3);

// 300 KB, 1 MB and 5 MB; the configuration changes also at 50 MB.
void textSizes(benchmark::internal::Benchmark* bench) {
    bench->Unit(benchmark::kMillisecond)->Arg(300 << 10)->Arg(1 << 20)->Arg(5 << 20);
}
void configurationSizes(benchmark::internal::Benchmark* bench) {
    textSizes(bench);
    bench->Arg(50 << 20);
}
BENCHMARK(ShowLongDescription)->Apply(textSizes);
BENCHMARK(LeaveLongDescription)->Apply(textSizes);
BENCHMARK(ShowLongConfigurationChanges)->Apply(configurationSizes);
BENCHMARK(LeaveLongConfigurationChanges)->Apply(configurationSizes);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
