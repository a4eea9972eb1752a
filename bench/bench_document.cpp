// SPDX-License-Identifier: GPL-3.0-or-later
// Saving and opening a chart document of fifty places: the save from the
// window's controls to the file on disk, the open from the file to the
// chart redrawn and the window painted. Run by hand, for example
//   ./build-release/bench/bench_document --benchmark_repetitions=5
// The goal: each at most 50 ms.
#include "app/Form3.h"
#include "output/ChartDocumentFile.h"
#include "platform/Dialogs.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

namespace {

// Opening over a chart asks first: always Yes.
class Yes : public Dialogs::Responder
{
public:
    QString openFileName(const Dialogs::FileRequest &) override { return QString(); }
    QString saveFileName(const Dialogs::FileRequest &) override { return QString(); }
    void message(const QString &, const QString &, QMessageBox::Icon) override {}
    void beep() override {}
};

QTemporaryDir *g_folder = nullptr;

void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// Fifty places with values and styles of their own, some unchecked.
std::unique_ptr<Form3> fiftyPlaces()
{
    auto window = std::make_unique<Form3>();
    window->show();
    for (int n = 1; n <= Form3::maxDataSets; ++n) {
        DataSet place;
        place.name = QStringLiteral("Place number %1").arg(n);
        for (int m = 1; m <= 12; ++m) {
            place.temp[m] = -20 + 0.37 * n + 2.11 * m;
            place.ppt[m] = 3.3 * n + 17.7 * m;
        }
        window->appendPlace(place);
        window->state().setLineStyle[n] = n % 5;
    }
    settle();
    return window;
}

void BM_SaveFiftyPlaces(benchmark::State &state)
{
    const std::unique_ptr<Form3> window = fiftyPlaces();
    const QString path = g_folder->filePath(QStringLiteral("save.tvc"));
    for (auto _ : state) {
        const QString why = ChartDocumentFile::write(path, window->chartDocument());
        if (!why.isEmpty())
            state.SkipWithError(qPrintable(why));
    }
    state.counters["bytes"] = static_cast<double>(QFile(path).size());
}

void BM_OpenFiftyPlaces(benchmark::State &state)
{
    const QString path = g_folder->filePath(QStringLiteral("open.tvc"));
    {
        const std::unique_ptr<Form3> source = fiftyPlaces();
        if (!ChartDocumentFile::write(path, source->chartDocument()).isEmpty()) {
            state.SkipWithError("the document could not be written");
            return;
        }
    }
    // Opened over a window that shows a chart already, as a user does.
    const std::unique_ptr<Form3> window = fiftyPlaces();
    for (auto _ : state) {
        if (!window->openChartDocumentFile(path))
            state.SkipWithError("the document did not open");
        window->repaint();
        settle();   // the controls replaced go here
    }
}

BENCHMARK(BM_SaveFiftyPlaces)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenFiftyPlaces)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Opening adds to the recent files: settings of the run's own.
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.path()));
    QApplication app(argc, argv);
    QTemporaryDir folder;
    g_folder = &folder;
    Yes yes;
    Dialogs::setResponder(&yes);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Dialogs::setResponder(nullptr);
    return 0;
}
