// SPDX-License-Identifier: GPL-3.0-or-later
// The chart leaving the program with 50 data sets loaded: opening the print
// preview (the page composed at the printer's resolution) and one copy to
// the clipboard without the progress bar; and one Walter-Lieth diagram
// written as a PDF document. Run by hand, for example
//   ./build/bench/bench_output --benchmark_repetitions=3
// The goals: the preview up in well under a second, a copy within a frame,
// the PDF within 100 ms.
#include "app/Form3.h"
#include "output/ChartCapture.h"
#include "output/ChartFile.h"
#include "output/PrintPreview.h"

#include <benchmark/benchmark.h>

#include "data/DataSet.h"

#include <QApplication>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QRadioButton>

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

// Lisbon 1991-2020 as the station library gives it, drawn as a Walter-Lieth
// diagram and composed as a PDF document in memory, as "Save chart as…"
// and --export compose it before writing.
void BM_WalterLiethPdf(benchmark::State &state)
{
    DataSet lisbon;
    lisbon.name = QStringLiteral("Lisbon 1991-2020");
    const double temps[] = {11.5, 12.3, 14.5, 15.8, 18.3, 20.9, 22.6, 23.2, 21.5, 18.7, 14.7, 12.3};
    const double precs[] = {96, 77, 74, 66, 50, 14, 3, 7, 36, 112, 123, 96};
    for (int m = 1; m <= 12; ++m) {
        lisbon.temp[m] = temps[m - 1];
        lisbon.ppt[m] = precs[m - 1];
    }
    lisbon.info = {78.0, 38.72, QStringLiteral("1991-2020")};
    Form3 window;
    window.show();
    window.appendPlace(lisbon);
    window.controls().OptionWalterLieth->setChecked(true);
    QCoreApplication::processEvents();
    qint64 bytes = 0;
    for (auto _ : state)
        bytes = ChartFile::pdf(window.chartPicture(), window.controls().TxTitulo->text()).size();
    state.counters["bytes"] = static_cast<double>(bytes);
}

BENCHMARK(BM_OpenPreviewFiftyDataSets)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyChart)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WalterLiethPdf)->Unit(benchmark::kMillisecond);

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
