// SPDX-License-Identifier: GPL-3.0-or-later
// The chart leaving the main window: the copy and print buttons, the
// chart's menu with Save chart as, and the export the command line runs;
// also the climate classes the command line prints.
#include "Form3Fixture.h"

#include "app/Form3Chart.h"
#include "common/TestPaths.h"
#include "output/PrintPreview.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFrame>
#include <QMenu>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QProgressBar>
#include <QRadioButton>
#include <QScopeGuard>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

// The Save dialog's answers with the filter entry the user picked, and the
// resolution chosen for a PNG.
class SaveDialogs : public ScriptedDialogs
{
public:
    QQueue<int> filterAnswers;
    QQueue<int> resolutionAnswers;
    QList<Dialogs::ResolutionRequest> resolutionRequests;
    std::function<void()> whenAsked;
    QString saveFileNameAndFilter(const Dialogs::FileRequest &request, int &chosenFilter) override
    {
        if (whenAsked)
            whenAsked();
        chosenFilter = filterAnswers.isEmpty() ? -1 : filterAnswers.dequeue();
        return saveFileName(request);
    }
    int resolution(const Dialogs::ResolutionRequest &request) override
    {
        resolutionRequests << request;
        return resolutionAnswers.isEmpty() ? request.dpi : resolutionAnswers.dequeue();
    }
};

int dpiOf(const QImage &image)
{
    return qRound(image.dotsPerMeterX() * 0.0254);
}

QImage asRgb(const QImage &image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

QMenu *chartMenu()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *menu = qobject_cast<QMenu *>(widget); menu && menu->objectName() == u"chartMenu" && menu->isVisible())
            return menu;
    return nullptr;
}

void rightClick(QWidget *widget, QPoint at)
{
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, widget->mapToGlobal(at));
    QApplication::sendEvent(widget, &event);
}

} // namespace

class TestForm3Output : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void copyTakesTheChartAsShown();
    void printShowsHeadingChartAndTable_data();
    void printShowsHeadingChartAndTable();
    void chartEndsAtItsEdge();
    void chartMenuExceptDuringAreaMeasurement();
    void monthOrderAfterTheMenuCloses();
    void chartMenuCommandsByMouse_data();
    void chartMenuCommandsByMouse();
    void saveChartAs_data();
    void saveChartAs();
    void exportFromTheCommandLine_data();
    void exportFromTheCommandLine();
    void exportKeepsNamesAsGiven();
    void classifyFromTheCommandLine();

private:
    void loadTwoPlaces();

    std::unique_ptr<SaveDialogs> m_dialogs;
    std::unique_ptr<Form3> m_window;
    std::unique_ptr<DataFiles> m_files;
    // The chart picture and its plotting area, whatever widget draws them.
    QWidget *m_chart = nullptr;
    QWidget *m_plot = nullptr;
};

void TestForm3Output::init()
{
    QGuiApplication::clipboard()->clear();
    m_dialogs = std::make_unique<SaveDialogs>();
    m_files = std::make_unique<DataFiles>();
    m_window = std::make_unique<Form3>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_chart = m_window->findChild<QWidget *>(QStringLiteral("Picture1"));
    m_plot = m_window->findChild<QWidget *>(QStringLiteral("Picture4"));
}

void TestForm3Output::cleanup()
{
    PrintPreview::setRunner({});
    if (QMenu *menu = chartMenu())
        menu->close();
    m_window.reset();
    flushDeletions();
    m_dialogs.reset();
    m_files.reset();
}

void TestForm3Output::loadTwoPlaces()
{
    QVERIFY(m_window->loadDataFile(m_files->place("warm.tvr", "Warm", DataFiles::constant(25.14, 120.6))));
    QVERIFY(m_window->loadDataFile(m_files->place("ramp.tvr", "Ramp", DataFiles::ramp(-5))));
}

// The clipboard gets Picture1's pixels with the legend where it lies over
// the chart, taken from the window itself; the bar is hidden again.
void TestForm3Output::copyTakesTheChartAsShown()
{
    loadTwoPlaces();
    const Form3Controls &c = m_window->controls();
    QVERIFY(c.Frame4->isVisible());
    QTest::mouseClick(c.Bot[5], Qt::LeftButton);
    QVERIFY(c.ProgBar->isHidden());

    const QImage copied = asRgb(QGuiApplication::clipboard()->image());
    QCOMPARE(copied.size(), m_chart->size());
    const QImage chart = asRgb(m_chart->grab().toImage());
    const QImage legend = asRgb(c.Frame4->grab().toImage());
    const QRect legendArea = c.Frame4->geometry().translated(-m_chart->pos());
    QVERIFY(QRect(QPoint(0, 0), copied.size()).contains(legendArea));
    QCOMPARE(copied.copy(legendArea), legend);
    // Elsewhere the chart itself: a row above the legend, whole.
    const int row = legendArea.top() - 2;
    for (int x = 0; x < copied.width(); ++x)
        QCOMPARE(copied.pixel(x, row), chart.pixel(x, row));
}

void TestForm3Output::printShowsHeadingChartAndTable_data()
{
    QTest::addColumn<bool>("walterLieth");
    QTest::addColumn<QStringList>("chartTexts");
    QTest::newRow("climate diagram") << false << QStringList();
    // The diagrams' headers: the annual figures of "Warm", from the table's
    // cells as every kind reads them (121 mm a month).
    QTest::newRow("Walter-Lieth") << true << QStringList{"Warm", "25.1 \u00B0C", "1452 mm"};
}

// The print button opens the preview; printed to a PDF, the page holds the
// heading, the chart and the table, and the clipboard holds the chart.
void TestForm3Output::printShowsHeadingChartAndTable()
{
    QFETCH(bool, walterLieth);
    QFETCH(QStringList, chartTexts);
    loadTwoPlaces();
    m_window->controls().OptionWalterLieth->setChecked(walterLieth);
    const QString pdf = m_files->path("printed.pdf");
    int previewPages = 0;
    PrintPreview::setRunner([&](QPrintPreviewDialog &dialog) {
        dialog.show();
        auto *preview = dialog.findChild<QPrintPreviewWidget *>();
        previewPages = preview->pageCount();
        dialog.printer()->setOutputFormat(QPrinter::PdfFormat);
        dialog.printer()->setOutputFileName(pdf);
        preview->print();
    });
    QTest::mouseClick(m_window->controls().Bot[2], Qt::LeftButton);
    QCOMPARE(previewPages, 1);
    QCOMPARE(asRgb(QGuiApplication::clipboard()->image()).size(), m_chart->size());

    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QVERIFY(pdftotext.waitForFinished(60000));
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput()).trimmed();
    QVERIFY2(text.startsWith(QStringLiteral("Tervalo")), qPrintable(text));
    for (const char *word : {"Tmp1", "Ppt2", "Jan", "Dic", "Average", "25.14", "121", "120.6", "7.00", "Class", "Af", "ET"})
        QVERIFY2(text.contains(QLatin1String(word)), word);
    for (const QString &word : chartTexts)
        QVERIFY2(text.contains(word), qPrintable(word));
}

// However long the legend, the chart drawn for a page or a file ends where
// the chart picture does, as on the screen, and its box is the screen's.
void TestForm3Output::chartEndsAtItsEdge()
{
    const QString place = m_files->place("warm.tvr", "Warm", DataFiles::constant(25.14, 120.6));
    for (int n = 0; n < Form3::maxDataSets; ++n)
        QVERIFY(m_window->loadDataFile(place));
    QImage page(m_chart->size() + QSize(0, 300), QImage::Format_ARGB32);
    page.fill(Qt::transparent);
    QPainter painter(&page);
    m_window->paintChart(painter, QRectF(QPointF(0, 0), QSizeF(m_chart->size())));
    painter.end();
    for (int y = m_chart->height(); y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            QCOMPARE(qAlpha(page.pixel(x, y)), 0);
    // The legend's box in the colour the screen gives it.
    const QPoint box = m_window->controls().Frame4->pos() - m_chart->pos() + QPoint(0, 5);
    QCOMPARE(QColor(page.pixel(box)), QColor(m_window->chartImage().pixel(box)));
}

// The chart's menu, but not over the plotting area while the area is
// measured: there the right button marks regions.
void TestForm3Output::chartMenuExceptDuringAreaMeasurement()
{
    rightClick(m_plot, m_plot->rect().center());
    QVERIFY(chartMenu());
    QStringList texts;
    for (const QAction *action : chartMenu()->actions())
        texts << action->text();
    QCOMPARE(texts, QStringList({"Copy chart", "Save chart as…", "Export atlas…", "", "Save chart document…",
                                 "Open chart document…", "", "Walter-Lieth diagram starts with"}));
    chartMenu()->close();

    m_window->state().areaMode = true;
    rightClick(m_plot, m_plot->rect().center());
    QVERIFY(!chartMenu());
    const QPoint besidePlot(5, m_chart->height() - 5);
    QVERIFY(!m_plot->geometry().contains(besidePlot));
    rightClick(m_chart, besidePlot);
    QVERIFY(chartMenu());
}

// The first month of the Walter-Lieth diagrams, chosen in the chart's menu,
// redraws once the menu has closed, as its other commands run.
void TestForm3Output::monthOrderAfterTheMenuCloses()
{
    loadTwoPlaces();
    m_window->controls().OptionWalterLieth->setChecked(true);
    const Form3Chart *chart = m_window->chart();
    QCOMPARE(chart->walterLiethDiagrams().at(0).firstMonth, 1);
    rightClick(m_chart, QPoint(5, 5));
    QVERIFY(chartMenu());
    auto *months = chartMenu()->findChild<QMenu *>(QStringLiteral("monthOrderMenu"));
    QVERIFY(months && months->isEnabled());
    months->actions().at(2)->trigger();   // July
    QCOMPARE(chart->walterLiethDiagrams().at(0).firstMonth, 1);
    QTRY_COMPARE(chart->walterLiethDiagrams().at(0).firstMonth, 7);
    QCOMPARE(chart->walterLiethDiagrams().at(1).firstMonth, 7);
}

void TestForm3Output::chartMenuCommandsByMouse_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("copy") << "Copy chart";
    QTest::newRow("save") << "Save chart as…";
}

// A user's click on the menu's entries: each command runs once the menu
// has closed and is gone, so a command that lets events run (the copy's
// progress bar, the Save dialog) never pulls the menu away under its own
// click. Seen from inside the command: the menu no longer exists.
void TestForm3Output::chartMenuCommandsByMouse()
{
    QFETCH(QString, command);
    loadTwoPlaces();
    const QString path = m_files->path("by mouse.svg");
    m_dialogs->saveAnswers.enqueue(path);
    rightClick(m_chart, QPoint(5, 5));
    QMenu *menu = chartMenu();
    QVERIFY(menu);
    QPointer<QMenu> watched = menu;
    int runsWhileMenuExists = 0;
    const auto commandRuns = [&] { runsWhileMenuExists += watched ? 1 : 0; };
    m_dialogs->whenAsked = commandRuns;
    const QMetaObject::Connection copied =
        connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, commandRuns);
    const auto disconnect = qScopeGuard([&copied] { QObject::disconnect(copied); });
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    QAction *action = nullptr;
    for (QAction *entry : menu->actions())
        if (entry->text() == command)
            action = entry;
    QVERIFY(action);
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
    QTRY_VERIFY(!chartMenu());
    if (command == u"Copy chart")
        QTRY_COMPARE(asRgb(QGuiApplication::clipboard()->image()).size(), m_chart->size());
    else
        QTRY_VERIFY(QFile::exists(path));
    QCOMPARE(runsWhileMenuExists, 0);
}

void TestForm3Output::saveChartAs_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("filter");
    QTest::addColumn<int>("dpi");   // 0: not a PNG, or cancelled
    QTest::addColumn<QByteArray>("start");
    QTest::newRow("png at the screen's 96 dpi, as shown") << "c.png" << 0 << 96 << QByteArray("\x89PNG");
    QTest::newRow("png at 300 dpi") << "c.png" << 0 << 300 << QByteArray("\x89PNG");
    QTest::newRow("png at 72 dpi") << "c.png" << 0 << 72 << QByteArray("\x89PNG");
    QTest::newRow("resolution cancelled: no file") << "c.png" << 0 << 0 << QByteArray();
    QTest::newRow("the name's extension wins") << "c.svg" << 0 << 0 << QByteArray("<?xml");
    QTest::newRow("no extension: the filter's format") << "c" << 2 << 0 << QByteArray("%PDF");
    QTest::newRow("folder missing: a warning") << "no folder/c.png" << 0 << 96 << QByteArray();
}

void TestForm3Output::saveChartAs()
{
    QFETCH(QString, name);
    QFETCH(int, filter);
    QFETCH(int, dpi);
    QFETCH(QByteArray, start);
    loadTwoPlaces();
    const QString path = m_files->path(name);
    m_dialogs->saveAnswers.enqueue(path);
    m_dialogs->filterAnswers.enqueue(filter);
    m_dialogs->resolutionAnswers.enqueue(dpi);
    rightClick(m_chart, QPoint(5, 5));
    QVERIFY(chartMenu());
    for (QAction *action : chartMenu()->actions())
        if (action->text() == u"Save chart as…")
            action->trigger();
    QTRY_COMPARE(m_dialogs->saveRequests.size(), 1);
    QCOMPARE(m_dialogs->saveRequests.constFirst().filter.count(u'|'), 6);
    // Only a PNG asks its resolution.
    QCOMPARE(m_dialogs->resolutionRequests.size(), name.endsWith(".png") ? 1 : 0);
    if (start.isEmpty()) {
        if (dpi == 0) {
            QVERIFY(!QFile::exists(path) && m_dialogs->messages.isEmpty());
            return;
        }
        // A Warning that names the file and says why.
        QCOMPARE(m_dialogs->messages.size(), 1);
        const ScriptedDialogs::Message &message = m_dialogs->messages.constFirst();
        QVERIFY(message.title == u"Warning" && message.icon == QMessageBox::Warning);
        QVERIFY(message.text.contains(path) && message.text.size() > path.size() + 30);
        return;
    }
    QVERIFY(m_dialogs->messages.isEmpty());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith(start));
    if (start == "<?xml")
        QVERIFY(bytes.contains("<title>Enter your title</title>"));
    if (dpi == 0)
        return;
    // The resolution in the header, and the size it makes of the chart.
    const QImage saved = QImage::fromData(bytes, "PNG");
    QCOMPARE(dpiOf(saved), dpi);
    QCOMPARE(saved.size(), QSize(qRound(m_chart->width() * dpi / 96.0), qRound(m_chart->height() * dpi / 96.0)));
    if (dpi == 96)
        QCOMPARE(asRgb(saved), asRgb(m_window->chartImage()));
    // Offered next time.
    m_dialogs->saveAnswers.enqueue(m_files->path("again.png"));
    m_window->saveChartAs();
    QCOMPARE(m_dialogs->resolutionRequests.constLast().dpi, dpi);
}

void TestForm3Output::exportFromTheCommandLine_data()
{
    QTest::addColumn<QStringList>("arguments");   // data files by their names here
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("start");
    const QStringList two{"warm.tvr", "ramp.tvr"};
    QTest::newRow("svg") << QStringList{"--export", "chart.svg"} + two << 0 << QByteArray("<?xml");
    QTest::newRow("pdf, month chart") << QStringList{"--export=chart.pdf", "--kind", "normal"} + two << 0
                                      << QByteArray("%PDF");
    QTest::newRow("png") << QStringList{"--kind=tervalo", "--export", "chart.png"} + two << 0 << QByteArray("\x89PNG");
    QTest::newRow("png at 300 dpi") << QStringList{"--export", "chart.png", "--dpi", "300"} + two << 0
                                    << QByteArray("\x89PNG");
    QTest::newRow("walter-lieth, svg") << QStringList{"--export", "chart.svg", "--kind", "walter-lieth"} + two << 0
                                       << QByteArray("<?xml");
    // Mistakes on the line are told before any window system is needed.
    QTest::newRow("unknown format") << QStringList{"--export", "chart.bmp"} + two << 1 << QByteArray();
    QTest::newRow("unknown kind") << QStringList{"--export", "chart.svg", "--kind", "pie"} + two << 1 << QByteArray();
    QTest::newRow("a wrong option") << QStringList{"--bogus", "warm.tvr"} << 1 << QByteArray();
    QTest::newRow("classify and export") << QStringList{"--classify", "--export", "chart.svg"} + two << 1
                                         << QByteArray();
    QTest::newRow("classify nothing") << QStringList{"--classify"} << 1 << QByteArray();
    QTest::newRow("a file that does not read") << QStringList{"--export", "chart.svg", "missing.tvr"} << 2
                                              << QByteArray();
    QTest::newRow("atlas") << QStringList{"--atlas", "chart.pdf", "--per-page=1", "--paper", "Letter", "--same-scale",
                                          "--worksheet", "--kind", "normal"} + two
                           << 0 << QByteArray("%PDF");
    // A worksheet must hold every place asked for.
    QTest::newRow("atlas with a file that does not read")
        << QStringList{"--atlas", "chart.pdf", "--worksheet", "warm.tvr", "missing.tvr"} << 2 << QByteArray();
}

// The program itself, as a script runs it: no window and no display needed.
void TestForm3Output::exportFromTheCommandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, code);
    QFETCH(QByteArray, start);
    m_files->place("warm.tvr", "Warm", DataFiles::constant(25.14, 120.6));
    m_files->place("ramp.tvr", "Ramp", DataFiles::ramp(-5));
    QProcess tervalo;
    tervalo.setWorkingDirectory(m_files->path(QString()));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    tervalo.setProcessEnvironment(environment);
    tervalo.start(TestPaths::binaryDir() + QStringLiteral("/tervalo"), arguments);
    QVERIFY(tervalo.waitForFinished(60000));
    QCOMPARE(tervalo.exitCode(), code);
    const QString errors = QString::fromLocal8Bit(tervalo.readAllStandardError());
    const qsizetype named = std::max(arguments.indexOf("--export"), arguments.indexOf("--atlas"));
    const QString chart = m_files->path(named >= 0 ? arguments[named + 1] : QStringLiteral("chart.pdf"));
    QFile written(chart);
    if (code == 0) {
        QVERIFY2(!errors.contains(QStringLiteral("tervalo:")), qPrintable(errors));
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray bytes = written.readAll();
        QVERIFY(bytes.startsWith(start));
        if (start.startsWith("\x89PNG")) {
            // The screen's picture at 96 dpi, or one drawn at the resolution asked.
            const int dpi = arguments.contains("--dpi") ? arguments[arguments.indexOf("--dpi") + 1].toInt() : 96;
            const QImage png = QImage::fromData(bytes, "PNG");
            QCOMPARE(dpiOf(png), dpi);
            QCOMPARE(png.width(), qRound(m_chart->width() * dpi / 96.0));
        }
        // Drawn, not pasted in as a picture: hatching and dots included.
        if (start == "<?xml")
            QVERIFY(!bytes.contains("<image"));
    } else {
        // One line that says why, and no file.
        QCOMPARE(errors.count(QStringLiteral("tervalo: ")), 1);
        QVERIFY(errors.endsWith(u'\n'));
        QVERIFY(!written.exists());
    }
}

// Names that are not UTF-8 read and write their own files, and a line
// break in a name does not split the one-line reason. The shell passes the
// names as bytes, and reads and removes the files by them.
void TestForm3Output::exportKeepsNamesAsGiven()
{
    m_files->place("warm.tvr", "Warm", DataFiles::constant(25.14, 120.6));
    QProcess shell;
    shell.setWorkingDirectory(m_files->path(QString()));
    const auto run = [&](const char *script) {
        shell.start("/bin/sh", {"-c", script, TestPaths::binaryDir() + QStringLiteral("/tervalo")});
        return shell.waitForFinished(60000) ? shell.exitCode() : -1;
    };
    QCOMPARE(run("i=$(printf '\\375.tvr'); o=$(printf '\\377\\376.svg'); cp warm.tvr \"$i\";"
                 "\"$0\" --export \"$o\" \"$i\"; code=$?; head -c 5 \"$o\"; rm -f \"$i\" \"$o\"; exit $code"),
             0);
    QCOMPARE(shell.readAllStandardOutput(), QByteArray("<?xml"));

    QCOMPARE(run("exec \"$0\" --export \"$(printf 'no\\nfolder/c.svg')\" warm.tvr"), 2);
    const QString reason = QString::fromUtf8(shell.readAllStandardError());
    QVERIFY2(reason.startsWith(QStringLiteral("tervalo: cannot write \"no\\nfolder/c.svg\": ")), qPrintable(reason));
    QCOMPARE(reason.count(u'\n'), 1);
}

// One line per file in the order given, the paths as typed; a file that
// does not read is said on standard error, the others still classified.
void TestForm3Output::classifyFromTheCommandLine()
{
    m_files->place("warm.tvr", "Warm", DataFiles::constant(25.14, 120.6));
    m_files->place("ramp.tvr", "Ramp", DataFiles::ramp(-5));
    QProcess tervalo;
    tervalo.setWorkingDirectory(m_files->path(QString()));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QString::fromLatin1(name));
    tervalo.setProcessEnvironment(environment);
    const QString moscow = TestPaths::sourceDir() + QStringLiteral("/samples/moscow.tvr");
    tervalo.start(TestPaths::binaryDir() + QStringLiteral("/tervalo"),
                  {"--classify", "warm.tvr", "missing.tvr", "./ramp.tvr", moscow});
    QVERIFY(tervalo.waitForFinished(60000));
    QCOMPARE(QString::fromUtf8(tervalo.readAllStandardOutput()),
             QStringLiteral("warm.tvr\tAf\tWarm\n./ramp.tvr\tET\tRamp\n%1\tDfb\tMoscow 1991-2020\n").arg(moscow));
    QCOMPARE(QString::fromUtf8(tervalo.readAllStandardError()), QStringLiteral("tervalo: missing.tvr: no such file\n"));
    QCOMPARE(tervalo.exitCode(), 2);

    // A name that is not UTF-8 comes back with its own bytes.
    tervalo.start("/bin/sh", {"-c", "i=$(printf '\\375.tvr'); cp ramp.tvr \"$i\"; \"$0\" --classify \"$i\"",
                              TestPaths::binaryDir() + QStringLiteral("/tervalo")});
    QVERIFY(tervalo.waitForFinished(60000));
    QCOMPARE(tervalo.readAllStandardOutput(), QByteArray("\xfd.tvr\tET\tRamp\n"));
    QCOMPARE(tervalo.exitCode(), 0);
}

QTEST_MAIN(TestForm3Output)
#include "tst_form3_output.moc"
