// SPDX-License-Identifier: GPL-3.0-or-later
// The chart leaving the program with 50 data sets loaded: opening the print
// preview (the page composed at the printer's resolution) and one copy to
// the clipboard without the progress bar. Run by hand, for example
//   ./build/bench/bench_output --benchmark_repetitions=3
// The goals: the preview up in well under a second, a copy within a frame.
#include "app/Form3.h"
#include "output/ChartCapture.h"
#include "output/PrintPreview.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace {

QString g_place;

std::unique_ptr<Form3> windowWithFiftyPlaces()
{
    auto window = std::make_unique<Form3>();
    window->show();
    for (int n = 0; n < Form3::maxDataSets; ++n)
        window->loadDataFile(g_place);
    QCoreApplication::processEvents();
    return window;
}

void BM_OpenPreviewFiftyDataSets(benchmark::State &state)
{
    auto window = windowWithFiftyPlaces();
    if (window->state().setCount != Form3::maxDataSets)
        state.SkipWithError("a load failed");
    // Showing the preview composes its pages; then it is closed at once.
    PrintPreview::setRunner([](QPrintPreviewDialog &dialog) {
        dialog.show();
        QCoreApplication::processEvents();
        dialog.close();
    });
    for (auto _ : state)
        window->Imprimir();
    PrintPreview::setRunner({});
}

void BM_CopyChart(benchmark::State &state)
{
    auto window = windowWithFiftyPlaces();
    for (auto _ : state)
        benchmark::DoNotOptimize(ChartCapture::toClipboard(window->chartImage()));
}

BENCHMARK(BM_OpenPreviewFiftyDataSets)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyChart)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("bench.tvr")));
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    QStringList pairs;
    for (int m = 1; m <= 12; ++m)
        pairs << QStringLiteral("(%1;%2)").arg(10.5 + m).arg(20.25 * m);
    pairs << QStringLiteral("(13;0)");
    file.write("\"Benchmark place\",\"" + pairs.join(u',').toUtf8() + "\"\r\n");
    file.close();
    g_place = file.fileName();

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
