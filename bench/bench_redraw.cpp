// SPDX-License-Identifier: GPL-3.0-or-later
// The full redraw of the chart at the design size, for both chart kinds and
// 1, 10 and 50 checked data sets, the widgets shown on the offscreen platform.
//   QT_QPA_PLATFORM=offscreen ./bench_redraw --benchmark_repetitions=5
#include "../tests/chart/ChartFixture.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

// Data sets vary a little so that every polygon and every bar differs.
void fill(ChartFixture &f, int sets)
{
    const ChartFixture::Months places[][2] = {
        {ChartFixture::tropicalTemps(), ChartFixture::tropicalPrecs()},
        {ChartFixture::mediterraneanTemps(), ChartFixture::mediterraneanPrecs()},
        {ChartFixture::continentalTemps(), ChartFixture::continentalPrecs()},
    };
    for (int n = 1; n <= sets; ++n) {
        ChartFixture::Months temps = places[n % 3][0];
        ChartFixture::Months precs = places[n % 3][1];
        for (int m = 0; m < 12; ++m) {
            temps[m] += 0.1 * n;
            precs[m] *= 1 + 0.01 * n;
        }
        f.state.setMarkerSize[n] = 1;
        f.state.setLineWidth[n] = 1;
        f.state.setLineStyle[n] = n % 5;
        f.program.setColorTable[n] = Rgb::pack(n * 5, 255 - n * 5, (n * 37) % 256);
        f.addDataSet(temps, precs);
    }
}

void redraw(benchmark::State &state, bool normal)
{
    ChartFixture f;
    f.window.show();
    fill(f, static_cast<int>(state.range(0)));
    f.c.Option3->setChecked(normal);
    f.engine->reFaz(true);
    for (auto _ : state) {
        f.engine->reFaz(false);
        // What the window shows is the image: make sure it is finished.
        benchmark::DoNotOptimize(f.c.Picture4->image().constBits());
        benchmark::DoNotOptimize(f.c.Picture1->image().constBits());
    }
}

void BM_RedrawClimateDiagram(benchmark::State &state) { redraw(state, false); }
void BM_RedrawNormal(benchmark::State &state) { redraw(state, true); }

} // namespace

BENCHMARK(BM_RedrawClimateDiagram)->Arg(1)->Arg(10)->Arg(50)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RedrawNormal)->Arg(1)->Arg(10)->Arg(50)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
