// SPDX-License-Identifier: GPL-3.0-or-later
// The station library: one key typed into the browser's search box, over
// all 3,360 stations, all the way to the repainted list; the search alone;
// the climate class of every station; and opening the browser (reading the
// table, folding every name, classifying, building the window) up to its
// first paint. Run by hand, for example
//   ./build-release/bench/bench_stations --benchmark_repetitions=5
// The goals: a key well under 50 ms, all classes within 5 ms, the window up
// at once.
#include "analysis/ClimateClass.h"
#include "app/StationBrowser.h"
#include "app/StationListModel.h"
#include "data/StationSearch.h"
#include "data/StationTable.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTableView>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

namespace {

QString tablePath()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../stations.csv"));
}

// One figure of /proc/self/status in megabytes ("VmRSS:" resident, "RssAnon:"
// the heap's share of it); ru_maxrss would only give the peak.
double statusMegabytes(const std::string &field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::stod(line.substr(field.size())) / 1024.0;   // kilobytes
    return 0;
}

void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// What a user types looking for three places, one key at a time, with
// the deletions back to an empty box between them.
const QStringList &keystrokes()
{
    static const QStringList texts = [] {
        QStringList all;
        for (const QString &word : {QStringLiteral("moscow"), QStringLiteral("sao paulo"), QStringLiteral("kenya")}) {
            for (qsizetype n = 1; n <= word.size(); ++n)
                all << word.left(n);
            for (qsizetype n = word.size() - 1; n >= 0; --n)
                all << word.left(n);
        }
        return all;
    }();
    return texts;
}

void BM_FilterPerKey(benchmark::State &state)
{
    StationBrowser browser(tablePath(), [](const DataSet &) { return true; });
    browser.show();
    settle();
    if (browser.model()->stationCount() != 3360) {
        state.SkipWithError("the station table did not read");
        return;
    }
    qsizetype key = 0;
    for (auto _ : state) {
        browser.searchBox()->setText(keystrokes()[key++ % keystrokes().size()]);
        browser.list()->viewport()->repaint();
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_SearchOnly(benchmark::State &state)
{
    const StationTable::ReadResult read = StationTable::readStationTable(tablePath());
    // Argument 1: with each station's class among its words, as the browser
    // builds it; 0: without, to see what the classes cost.
    std::vector<QString> classes;
    if (state.range(0) != 0)
        for (const Station &station : read.stations)
            classes.push_back(ClimateClass::of(station.temp, station.ppt).code());
    const StationSearch search(read.stations, classes);
    qsizetype key = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(search.matching(keystrokes()[key++ % keystrokes().size()]));
    state.SetItemsProcessed(state.iterations());
}

// Every station's class, as the browser works them out when it opens.
void BM_ClassifyAllStations(benchmark::State &state)
{
    const StationTable::ReadResult read = StationTable::readStationTable(tablePath());
    if (read.stations.size() != 3360) {
        state.SkipWithError("the station table did not read");
        return;
    }
    for (auto _ : state) {
        for (const Station &station : read.stations)
            benchmark::DoNotOptimize(ClimateClass::of(station.temp, station.ppt));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(read.stations.size()));
}

void BM_OpenBrowser(benchmark::State &state)
{
    for (auto _ : state) {
        auto browser = std::make_unique<StationBrowser>(tablePath(), [](const DataSet &) { return true; });
        browser->show();
        browser->repaint();
        state.PauseTiming();
        browser.reset();
        settle();
        state.ResumeTiming();
    }
}

// What the first browser of a run adds to the program's memory while it
// is open; later ones reuse what the first gave back.
void reportMemory()
{
    settle();
    const double resident = statusMegabytes("VmRSS:");
    const double heap = statusMegabytes("RssAnon:");
    auto browser = std::make_unique<StationBrowser>(tablePath(), [](const DataSet &) { return true; });
    browser->show();
    browser->repaint();
    settle();
    std::fprintf(stderr, "opening the browser adds %.1f MB resident, %.1f MB of it heap\n",
                 statusMegabytes("VmRSS:") - resident, statusMegabytes("RssAnon:") - heap);
}

} // namespace

BENCHMARK(BM_OpenBrowser)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterPerKey)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchOnly)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClassifyAllStations)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    reportMemory();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
