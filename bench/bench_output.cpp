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

#include "data/DataSet.h"

#include <QApplication>
#include <QPrintPreviewDialog>

#include <memory>

namespace {

std::unique_ptr<Form3> windowWithFiftyPlaces()
{
    DataSet place;
    place.name = QStringLiteral("Benchmark place");
    for (int m = 1; m <= 12; ++m) {
        place.temp[m] = 10.5 + m;
        place.ppt[m] = 20.25 * m;
    }
    auto window = std::make_unique<Form3>();
    window->show();
    for (int n = 0; n < Form3::maxDataSets; ++n)
        window->appendPlace(place);
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

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
