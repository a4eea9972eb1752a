// SPDX-License-Identifier: GPL-3.0-or-later
// Opening the main window and loading data sets into it, each load all the
// way to the finished chart redraw (and, in the painted variant, to the
// window's repaint). Run by hand, for example
//   ./build/bench/bench_loading --benchmark_repetitions=3
// The goals: a load well under a frame (16 ms), the window up at once.
#include "app/Form3.h"
#include "platform/Dialogs.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>
#include <memory>

namespace {

// Answers every Open dialog with the same data file.
class FixedAnswer : public Dialogs::Responder
{
public:
    QString path;
    QString openFileName(const Dialogs::FileRequest &) override { return path; }
    QString saveFileName(const Dialogs::FileRequest &) override { return QString(); }
    void message(const QString &, const QString &, QMessageBox::Icon) override {}
    void beep() override {}
};

double peakResidentMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;   // kilobytes on Linux
}

void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void loadFifty(benchmark::State &state, bool paint)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<Form3>();
        window->show();
        settle();
        state.ResumeTiming();

        for (int n = 0; n < Form3::maxDataSets; ++n) {
            window->carrega();
            if (paint)
                window->repaint();
        }

        state.PauseTiming();
        if (window->state().setCount != Form3::maxDataSets)
            state.SkipWithError("a load failed");
        window.reset();
        settle();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * Form3::maxDataSets);
    state.counters["per_load"] = benchmark::Counter(static_cast<double>(state.iterations() * Form3::maxDataSets),
                                                    benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["peak_rss_MB"] = peakResidentMegabytes();
}

void BM_LoadFiftyDataSets(benchmark::State &state)
{
    loadFifty(state, false);
}

void BM_LoadFiftyDataSetsPainted(benchmark::State &state)
{
    loadFifty(state, true);
}

void BM_OpenWindow(benchmark::State &state)
{
    for (auto _ : state) {
        auto window = std::make_unique<Form3>();
        window->show();
        window->repaint();
        benchmark::DoNotOptimize(window.get());
        state.PauseTiming();
        window.reset();
        settle();
        state.ResumeTiming();
    }
    state.counters["peak_rss_MB"] = peakResidentMegabytes();
}

BENCHMARK(BM_OpenWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFiftyDataSets)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFiftyDataSetsPainted)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Every load is added to the recent files: they go to settings of the
    // run's own, not the user's.
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.path()));
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

    FixedAnswer answer;
    answer.path = file.fileName();
    Dialogs::setResponder(&answer);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Dialogs::setResponder(nullptr);
    std::fprintf(stderr, "peak resident memory: %.1f MB\n", peakResidentMegabytes());
    return 0;
}
