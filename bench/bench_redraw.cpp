// SPDX-License-Identifier: GPL-3.0-or-later
// The full redraw of the chart in the main window at the design size, for
// the climate diagram and the "Normal" kind with 1, 10 and 50 checked data
// sets and the Walter-Lieth kind with 1 and 4, the window shown on the
// offscreen platform; and the area measurement's flood fill and pixel count
// on the plotting area.
//   QT_QPA_PLATFORM=offscreen ./bench_redraw --benchmark_repetitions=5
// The goals: a right-click of the area measurement (fill + count) within
// 1 ms; a redraw of four Walter-Lieth diagrams within 1 ms of CPU time.
#include "../tests/chart/ChartValuesFixture.h"
#include "../tests/common/ScriptedDialogs.h"

#include "app/Form3.h"
#include "app/Form3Chart.h"
#include "app/Form3Controls.h"
#include "data/DataSet.h"
#include "platform/FloodFill.h"
#include "platform/PictureBox.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

#include <benchmark/benchmark.h>

namespace {

using Months = ChartValuesFixture::Months;

// Data sets vary a little so that every polygon and every bar differs.
void fill(Form3 &window, int sets)
{
    const Months places[][2] = {
        {ChartValuesFixture::tropicalTemps(), ChartValuesFixture::tropicalPrecs()},
        {ChartValuesFixture::mediterraneanTemps(), ChartValuesFixture::mediterraneanPrecs()},
        {ChartValuesFixture::continentalTemps(), ChartValuesFixture::continentalPrecs()},
    };
    for (int n = 1; n <= sets; ++n) {
        DataSet place;
        place.name = QStringLiteral("Place %1").arg(n);
        for (int m = 1; m <= 12; ++m) {
            place.temp[m] = places[n % 3][0][m - 1] + 0.1 * n;
            place.ppt[m] = places[n % 3][1][m - 1] * (1 + 0.01 * n);
        }
        window.state().setMarkerSize[n] = 1;
        window.state().setLineWidth[n] = 1;
        window.state().setLineStyle[n] = n % 5;
        window.program().setColorTable[n] = Rgb::pack(n * 5, 255 - n * 5, (n * 37) % 256);
        window.appendPlace(place);
    }
}

void redraw(benchmark::State &state, QRadioButton *Form3Controls::*kind)
{
    Form3 window;
    window.show();
    fill(window, static_cast<int>(state.range(0)));
    const Form3Controls &c = window.controls();
    (c.*kind)->setChecked(true);
    window.chart()->reFaz(true);
    for (auto _ : state) {
        window.chart()->reFaz(false);
        // What the window shows is the image: make sure it is finished.
        benchmark::DoNotOptimize(c.Picture4->image().constBits());
        benchmark::DoNotOptimize(c.Picture1->image().constBits());
    }
}

void BM_RedrawClimateDiagram(benchmark::State &state) { redraw(state, &Form3Controls::Option2); }
void BM_RedrawNormal(benchmark::State &state) { redraw(state, &Form3Controls::Option3); }
void BM_RedrawWalterLieth(benchmark::State &state) { redraw(state, &Form3Controls::OptionWalterLieth); }

// Two diagrams drawn as for the area measurement (no markers, no labels, no
// grid); then the outside flooded black from the plotting area's edges and
// every pixel counted: the total of a measurement.
void BM_FloodFillAndCount(benchmark::State &state)
{
    ChartValuesFixture f;
    f.settings.gridX = f.settings.gridY = false;
    f.settings.monthLabel = MonthLabels::of(4);
    f.add(ChartValuesFixture::mediterraneanTemps(), ChartValuesFixture::mediterraneanPrecs()).style.markerSize = 0;
    f.add(ChartValuesFixture::continentalTemps(), ChartValuesFixture::continentalPrecs()).style.markerSize = 0;
    f.draw();
    const QImage drawn = f.plot.image();
    for (auto _ : state) {
        state.PauseTiming();
        QImage image = drawn.copy();
        state.ResumeTiming();
        FloodFill::fillFromEdges(image, qRgb(255, 255, 255), qRgb(0, 0, 0));
        benchmark::DoNotOptimize(FloodFill::countPixels(image, qRgb(0, 0, 0), QRect(1, 1, 359, 295)));
    }
}

DataSet place(const Months &temps, const Months &precs)
{
    DataSet set;
    set.name = QStringLiteral("Place");
    for (int m = 1; m <= 12; ++m) {
        set.temp[m] = temps[m - 1];
        set.ppt[m] = precs[m - 1];
    }
    return set;
}

// One right-click of a measurement in the main window, as the pointer
// delivers it: the region under the pointer flooded grey, every grey pixel
// counted, the result written. The click lands on the background around the
// diagrams, the largest region there is. A redraw between clicks (not
// timed) takes the grey away again.
void BM_AreaRightClick(benchmark::State &state)
{
    ScriptedDialogs dialogs;
    Form3 window;
    window.show();
    window.appendPlace(place(ChartValuesFixture::mediterraneanTemps(), ChartValuesFixture::mediterraneanPrecs()));
    window.appendPlace(place(ChartValuesFixture::continentalTemps(), ChartValuesFixture::continentalPrecs()));
    const Form3Controls &c = window.controls();
    c.Command3->click();
    if (!window.state().areaMode) {
        state.SkipWithError("the measurement did not start");
        return;
    }
    const QPointF at(2, 2);
    for (auto _ : state) {
        state.PauseTiming();
        window.chart()->reFaz(false);
        state.ResumeTiming();
        QMouseEvent press(QEvent::MouseButtonPress, at, c.Picture4->mapToGlobal(at), Qt::RightButton,
                          Qt::RightButton, Qt::NoModifier);
        QApplication::sendEvent(c.Picture4, &press);
    }
    state.counters["percent"] = QLocale().toDouble(c.Label5->text().chopped(2));
}

} // namespace

BENCHMARK(BM_FloodFillAndCount)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AreaRightClick)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RedrawClimateDiagram)->Arg(1)->Arg(10)->Arg(50)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RedrawNormal)->Arg(1)->Arg(10)->Arg(50)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RedrawWalterLieth)->Arg(1)->Arg(4)->Unit(benchmark::kMicrosecond);

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
