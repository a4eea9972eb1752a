// SPDX-License-Identifier: GPL-3.0-or-later
// The chart leaving the main window: the copy and print buttons, the
// chart's menu with Save chart as, and the export the command line runs.
#include "Form3Fixture.h"

#include "app/ChartExport.h"
#include "output/PrintPreview.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFrame>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QProgressBar>
#include <QTextStream>
#include <QtTest>

#include <memory>

namespace {

// The Save dialog's answers with the filter entry the user picked.
class SaveDialogs : public ScriptedDialogs
{
public:
    QQueue<int> filterAnswers;
    QString saveFileNameAndFilter(const Dialogs::FileRequest &request, int &chosenFilter) override
    {
        chosenFilter = filterAnswers.isEmpty() ? -1 : filterAnswers.dequeue();
        return saveFileName(request);
    }
};

QImage clipboardImage()
{
    return QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
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

// The chart picture and its plotting area, whatever widget draws them.
QWidget *control(const Form3 &window, const char *name)
{
    return window.findChild<QWidget *>(QLatin1String(name));
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
    void chartMenuExceptDuringAreaMeasurement();
    void saveChartAs_data();
    void saveChartAs();
    void failedSaveWarns();
    void exportFromTheCommandLine_data();
    void exportFromTheCommandLine();

private:
    void loadTwoPlaces();

    std::unique_ptr<SaveDialogs> m_dialogs;
    std::unique_ptr<Form3> m_window;
    std::unique_ptr<DataFiles> m_files;
};

void TestForm3Output::init()
{
    QGuiApplication::clipboard()->clear();
    m_dialogs = std::make_unique<SaveDialogs>();
    m_files = std::make_unique<DataFiles>();
    m_window = std::make_unique<Form3>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
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

    const QImage copied = clipboardImage();
    QCOMPARE(copied.size(), control(*m_window, "Picture1")->size());
    const QImage chart = asRgb(control(*m_window, "Picture1")->grab().toImage());
    const QImage legend = asRgb(c.Frame4->grab().toImage());
    const QRect legendArea = c.Frame4->geometry().translated(-control(*m_window, "Picture1")->pos());
    QVERIFY(QRect(QPoint(0, 0), copied.size()).contains(legendArea));
    QCOMPARE(copied.copy(legendArea), legend);
    // Elsewhere the chart itself: a row above the legend, whole.
    const int row = legendArea.top() - 2;
    for (int x = 0; x < copied.width(); ++x)
        QCOMPARE(copied.pixel(x, row), chart.pixel(x, row));
}

void TestForm3Output::printShowsHeadingChartAndTable_data()
{
    QTest::addColumn<bool>("withData");
    QTest::newRow("two places") << true;
    QTest::newRow("no data") << false;
}

// The print button opens the preview; printed to a PDF, the page holds the
// heading, the chart and the table, and the clipboard holds the chart.
void TestForm3Output::printShowsHeadingChartAndTable()
{
    QFETCH(bool, withData);
    if (withData)
        loadTwoPlaces();
    const QString pdf = m_files->path("printed.pdf");
    int previewPages = 0;
    PrintPreview::setRunner([&](QPrintPreviewDialog &dialog) {
        dialog.show();
        auto *preview = dialog.findChild<QPrintPreviewWidget *>();
        QVERIFY(preview);
        previewPages = preview->pageCount();
        dialog.printer()->setOutputFormat(QPrinter::PdfFormat);
        dialog.printer()->setOutputFileName(pdf);
        preview->print();
        dialog.close();
    });
    QTest::mouseClick(m_window->controls().Bot[2], Qt::LeftButton);
    QCOMPARE(previewPages, 1);
    QCOMPARE(clipboardImage().size(), control(*m_window, "Picture1")->size());

    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QVERIFY(pdftotext.waitForFinished(60000));
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    QVERIFY2(text.startsWith(QStringLiteral("Tervalo")) || text.trimmed().startsWith(QStringLiteral("Tervalo")),
             qPrintable(text));
    if (!withData)
        return;
    for (const char *word : {"Month", "Tmp1", "Ppt2", "Jan", "Dic", "Average", "25.14", "121", "120.6", "7.00"})
        QVERIFY2(text.contains(QLatin1String(word)), word);
}

void TestForm3Output::chartMenuExceptDuringAreaMeasurement()
{
    const QPoint besidePlot(5, control(*m_window, "Picture1")->height() - 5);
    QVERIFY(!control(*m_window, "Picture4")->geometry().contains(besidePlot));
    rightClick(control(*m_window, "Picture4"), control(*m_window, "Picture4")->rect().center());
    QMenu *menu = chartMenu();
    QVERIFY(menu);
    QStringList texts;
    for (const QAction *action : menu->actions())
        texts << action->text();
    QCOMPARE(texts, QStringList({"Copy chart", "Save chart as…"}));
    menu->actions().constFirst()->trigger();
    QCOMPARE(clipboardImage().size(), control(*m_window, "Picture1")->size());
    menu->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // During a measurement the plotting area's right button marks regions.
    m_window->state().areaMode = true;
    rightClick(control(*m_window, "Picture4"), control(*m_window, "Picture4")->rect().center());
    QVERIFY(!chartMenu());
    rightClick(control(*m_window, "Picture1"), besidePlot);
    QVERIFY(chartMenu());
}

void TestForm3Output::saveChartAs_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("filter");
    QTest::addColumn<int>("scale");
    QTest::addColumn<QByteArray>("start");
    QTest::newRow("png as shown") << "c.png" << 0 << 1 << QByteArray("\x89PNG");
    QTest::newRow("png twice the size") << "c.png" << 1 << 2 << QByteArray("\x89PNG");
    QTest::newRow("png four times the size") << "c.png" << 2 << 4 << QByteArray("\x89PNG");
    QTest::newRow("svg") << "c.svg" << 3 << 1 << QByteArray("<?xml");
    QTest::newRow("pdf") << "c.pdf" << 4 << 1 << QByteArray("%PDF");
    QTest::newRow("the name's extension wins") << "c.svg" << 0 << 1 << QByteArray("<?xml");
    QTest::newRow("no extension: the filter's format") << "c" << 4 << 1 << QByteArray("%PDF");
}

void TestForm3Output::saveChartAs()
{
    QFETCH(QString, name);
    QFETCH(int, filter);
    QFETCH(int, scale);
    QFETCH(QByteArray, start);
    loadTwoPlaces();
    const QString path = m_files->path(name);
    m_dialogs->saveAnswers.enqueue(path);
    m_dialogs->filterAnswers.enqueue(filter);
    m_window->saveChartAs();
    QCOMPARE(m_dialogs->saveRequests.size(), 1);
    QCOMPARE(Dialogs::qtFilter(m_dialogs->saveRequests.constFirst().filter).count(u';'), 8);
    QVERIFY(m_dialogs->messages.isEmpty());

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith(start));
    if (start.startsWith("\x89PNG")) {
        const QImage saved = asRgb(QImage::fromData(bytes, "PNG"));
        QCOMPARE(saved.size(), control(*m_window, "Picture1")->size() * scale);
        if (scale == 1)
            QCOMPARE(saved, asRgb(m_window->chartImage()));
    }
}

// A file that cannot be written: a Warning that names it and says why.
void TestForm3Output::failedSaveWarns()
{
    const QString path = m_files->path("missing folder/chart.png");
    m_dialogs->saveAnswers.enqueue(path);
    m_window->saveChartAs();
    QCOMPARE(m_dialogs->messages.size(), 1);
    const ScriptedDialogs::Message &message = m_dialogs->messages.constFirst();
    QCOMPARE(message.title, QStringLiteral("Warning"));
    QCOMPARE(message.icon, QMessageBox::Warning);
    QVERIFY(message.text.contains(path));
    QVERIFY(message.text.size() > path.size() + 30);
    QVERIFY(!QFile::exists(path));
}

void TestForm3Output::exportFromTheCommandLine_data()
{
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("start");
    const QStringList two{"warm.tvr", "ramp.tvr"};
    QTest::newRow("svg") << "chart.svg" << "" << two << 0 << QByteArray("<?xml");
    QTest::newRow("pdf, month chart") << "chart.pdf" << "normal" << two << 0 << QByteArray("%PDF");
    QTest::newRow("png") << "chart.png" << "tervalo" << two << 0 << QByteArray("\x89PNG");
    QTest::newRow("unknown format") << "chart.bmp" << "" << two << 2 << QByteArray();
    QTest::newRow("unknown kind") << "chart.svg" << "pie" << two << 2 << QByteArray();
    QTest::newRow("no data files") << "chart.svg" << "" << QStringList() << 2 << QByteArray();
    QTest::newRow("a file that does not read") << "chart.svg" << "" << QStringList{"warm.tvr", "missing.tvr"} << 2
                                              << QByteArray();
    QTest::newRow("folder missing") << "no folder/chart.svg" << "" << two << 2 << QByteArray();
}

void TestForm3Output::exportFromTheCommandLine()
{
    QFETCH(QString, out);
    QFETCH(QString, kind);
    QFETCH(QStringList, files);
    QFETCH(int, code);
    QFETCH(QByteArray, start);
    m_files->place("warm.tvr", "Warm", DataFiles::constant(25.14, 120.6));
    m_files->place("ramp.tvr", "Ramp", DataFiles::ramp(-5));
    QStringList paths;
    for (const QString &file : files)
        paths << m_files->path(file);
    QString errors;
    QTextStream stream(&errors);
    QCOMPARE(exportChart(m_files->path(out), kind, paths, stream), code);
    stream.flush();
    QFile written(m_files->path(out));
    if (code == 0) {
        QVERIFY(errors.isEmpty());
        QVERIFY(written.open(QIODevice::ReadOnly));
        QVERIFY(written.readAll().startsWith(start));
    } else {
        // One line that says why, and no file.
        QCOMPARE(errors.count(u'\n'), 1);
        QVERIFY(errors.startsWith(QStringLiteral("tervalo: ")));
        QVERIFY(!written.exists());
    }
}

QTEST_MAIN(TestForm3Output)
#include "tst_form3_output.moc"
