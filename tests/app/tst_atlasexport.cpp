// SPDX-License-Identifier: GPL-3.0-or-later
// The atlas as a user makes it from the chart's menu, read back from the
// PDF with pdftotext (poppler-utils): its pages, the names a worksheet
// hides, its answer key, and the same scale on every page.
#include "Form3Fixture.h"

#include "app/AtlasExport.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include <memory>
#include <set>

namespace {

class AtlasDialogs : public ScriptedDialogs
{
public:
    AtlasOptions answer;
    QList<Dialogs::AtlasRequest> requests;
    bool atlasOptions(const Dialogs::AtlasRequest &request, AtlasOptions &options) override
    {
        requests << request;
        options = answer;
        return true;
    }
};

const QStringList names = {"Alpha", "Bravo", "Charlie", "Delta", "Echo", "Foxtrot",
                           "Golf", "Hotel", "India", "Juliett", "Kilo", "Lima"};

QString runTool(const QStringList &arguments)
{
    QProcess tool;
    tool.start(arguments.first(), arguments.mid(1));
    tool.waitForFinished(60000);
    return QString::fromUtf8(tool.readAllStandardOutput());
}

// The text of each page.
QStringList pagesOf(const QString &pdf)
{
    QStringList pages = runTool({"pdftotext", "-layout", pdf, "-"}).split(u'\f');
    pages.removeLast();
    return pages;
}

// The numbers of page `page` that stand above its values table, in reading
// order: the chart's axis labels, with one chart on the page.
QStringList axisLabels(const QString &pdf, int page)
{
    static const QRegularExpression word(R"re(<word xMin="[\d.]+" yMin="([\d.]+)" [^>]*>([^<]*)</word>)re");
    const QString boxes =
        runTool({"pdftotext", "-bbox", "-f", QString::number(page), "-l", QString::number(page), pdf, "-"});
    double table = 1e9;
    QList<QPair<double, QString>> words;
    for (const QRegularExpressionMatch &m : word.globalMatch(boxes)) {
        words.append({m.captured(1).toDouble(), m.captured(2)});
        if (m.captured(2) == u"Month")
            table = std::min(table, m.captured(1).toDouble());
    }
    QStringList above;
    for (const auto &[top, text] : words) {
        bool number = false;
        text.toDouble(&number);
        if (top < table && number)
            above << text;
    }
    return above;
}

} // namespace

class TestAtlasExport : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void worksheetFromTheMenu_data();
    void worksheetFromTheMenu();
    void sameScale_data();
    void sameScale();

private:
    void rightClickChart();

    std::unique_ptr<AtlasDialogs> m_dialogs;
    std::unique_ptr<DataFiles> m_files;
    std::unique_ptr<Form3> m_window;
};

void TestAtlasExport::init()
{
    m_dialogs = std::make_unique<AtlasDialogs>();
    m_files = std::make_unique<DataFiles>();
    m_window = std::make_unique<Form3>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestAtlasExport::cleanup()
{
    m_window.reset();
    flushDeletions();
    m_dialogs.reset();
    m_files.reset();
}

void TestAtlasExport::worksheetFromTheMenu_data()
{
    QTest::addColumn<int>("places");
    QTest::addColumn<int>("perPage");
    QTest::addColumn<bool>("worksheet");
    QTest::addColumn<int>("pages");
    QTest::newRow("twelve, four a page, worksheet") << 12 << 4 << true << 4;
    QTest::newRow("five, two a page, names shown") << 5 << 2 << false << 3;
}

// A user checks places, exports a worksheet from the chart's menu and gets
// the stations in page order, no place's name before the answer key, and
// a key whose every station shows the values of the place it names.
void TestAtlasExport::worksheetFromTheMenu()
{
    QFETCH(int, places);
    QFETCH(int, perPage);
    QFETCH(bool, worksheet);
    QFETCH(int, pages);
    // Place i: 10.i1 °C every month, so its table tells it apart; one more
    // place, unchecked, stays out.
    for (int i = 0; i <= places; ++i)
        QVERIFY(m_window->loadDataFile(m_files->place(QStringLiteral("p%1.tvr").arg(i), i < places ? names[i] : "Zulu",
                                                      DataFiles::constant(10 + i / 100.0 + 0.001, 50 + i))));
    m_window->controls().List1->item(places)->setCheckState(Qt::Unchecked);
    m_dialogs->answer.perPage = perPage;
    m_dialogs->answer.worksheet = worksheet;
    const QString pdf = m_files->path("atlas.pdf");
    m_dialogs->saveAnswers.enqueue(pdf);

    rightClickChart();
    QTRY_VERIFY(QFile::exists(pdf));
    QCOMPARE(m_dialogs->requests.size(), 1);
    QCOMPARE(m_dialogs->requests.constFirst().places, places);
    QVERIFY(m_dialogs->messages.isEmpty());

    const QStringList text = pagesOf(pdf);
    QCOMPARE(text.size(), pages);
    const auto valueOf = [](int place) { return QStringLiteral("10.%1").arg(place, 2, 10, QLatin1Char('0')); };
    if (!worksheet) {
        for (int i = 0; i < places; ++i)
            QVERIFY(text[i / perPage].contains(names[i]) && text[i / perPage].contains(valueOf(i)));
        QVERIFY(!text.join(QString()).contains("Zulu"));
        return;
    }
    const QString key = text.constLast();
    QVERIFY(key.contains("Answer key") && key.contains("Climate class"));
    std::set<QString> named;
    for (int s = 0; s < places; ++s) {
        const QString station = QStringLiteral("Station %1").arg(QChar(u'A' + s));
        const QString &page = text[s / perPage];
        QVERIFY2(page.contains(QRegularExpression(station + "\\b")), qPrintable(page));
        const QRegularExpressionMatch row = QRegularExpression(station + "\\s+(\\w+)").match(key);
        QVERIFY(row.hasMatch());
        const int place = static_cast<int>(names.indexOf(row.captured(1)));
        QVERIFY(place >= 0 && place < places);
        named.insert(row.captured(1));
        QVERIFY2(page.contains(valueOf(place)), qPrintable(station + " " + row.captured(1)));
    }
    QCOMPARE(named.size(), std::size_t(places));
    for (int p = 0; p + 1 < pages; ++p)
        for (const QString &name : names + QStringList{"Zulu"})
            QVERIFY2(!text[p].contains(name), qPrintable(name));
}

void TestAtlasExport::sameScale_data()
{
    QTest::addColumn<ChartKind>("kind");
    QTest::addColumn<bool>("same");
    QTest::newRow("climate diagram, same scale") << ChartKind::Climate << true;
    QTest::newRow("climate diagram, own scales") << ChartKind::Climate << false;
    QTest::newRow("month chart, same scale") << ChartKind::Normal << true;
}

// With the same scale every page shows the same axis labels, those of the
// places' bounds together; without it each place has its own.
void TestAtlasExport::sameScale()
{
    QFETCH(ChartKind, kind);
    QFETCH(bool, same);
    QVERIFY(m_window->loadDataFile(m_files->place("cold.tvr", "Cold", DataFiles::ramp(-30))));
    QVERIFY(m_window->loadDataFile(m_files->place("warm.tvr", "Warm", DataFiles::constant(25, 400))));
    QVERIFY(m_window->loadDataFile(m_files->place("mild.tvr", "Mild", DataFiles::ramp(5))));
    ChartDocument document = m_window->chartDocument();
    document.kind = kind;
    AtlasExport atlas(document);
    AtlasOptions options;
    options.perPage = 1;
    options.sameScale = same;
    const QString pdf = m_files->path("scale.pdf");
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(atlas.compose(options, 0).pdf);
    file.close();

    QList<QStringList> labels;
    for (int page = 1; page <= 3; ++page) {
        labels << axisLabels(pdf, page);
        QVERIFY(labels.constLast().size() >= 16);
    }
    QCOMPARE(labels[0] == labels[1] && labels[1] == labels[2], same);
}

void TestAtlasExport::rightClickChart()
{
    QWidget *chart = m_window->findChild<QWidget *>(QStringLiteral("Picture1"));
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), chart->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(chart, &event);
    QMenu *menu = nullptr;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *m = qobject_cast<QMenu *>(widget); m && m->objectName() == u"chartMenu" && m->isVisible())
            menu = m;
    QVERIFY(menu);
    for (QAction *action : menu->actions())
        if (action->text() == u"Export atlas…")
            action->trigger();
    menu->close();
}

QTEST_MAIN(TestAtlasExport)
#include "tst_atlasexport.moc"
