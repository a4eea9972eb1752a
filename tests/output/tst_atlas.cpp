// SPDX-License-Identifier: GPL-3.0-or-later
// The atlas's composition: a worksheet's names and answer key, and the
// pages of the PDF as a reader sees them (pdftotext from poppler-utils).
#include "output/AtlasFile.h"
#include "output/AtlasLayout.h"

#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <set>

namespace {

std::vector<AtlasPlace> places(int count, bool periods)
{
    std::vector<AtlasPlace> list;
    for (int i = 0; i < count; ++i)
        list.push_back({QStringLiteral("Place%1").arg(i), periods && i % 2 ? QStringLiteral("1961-1990") : QString(),
                        i % 3 ? QString() : QStringLiteral("Cfb")});
    return list;
}

// Each chart shows a mark naming its place, and a values table.
AtlasChart markedChart(int place)
{
    AtlasChart chart;
    chart.picture = {QSize(440, 350), [place](QPainter &painter, const QRectF &into) {
                         painter.drawRect(into);
                         painter.drawText(into, Qt::AlignCenter, QStringLiteral("Mark%1").arg(place));
                     }};
    chart.table = {{"Month", "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec",
                    "Average"},
                   {"Tmp"},
                   {"Ppt"}};
    for (int m = 1; m <= 13; ++m) {
        chart.table[1] << QStringLiteral("-%1.25").arg(m + 10);
        chart.table[2] << QString::number(1000 + m);
    }
    return chart;
}

// The text of each page.
QStringList pagesOf(const QByteArray &pdf, const QTemporaryDir &dir)
{
    const QString path = dir.filePath(QStringLiteral("atlas.pdf"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size())
        return {};
    file.close();
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    tool.waitForFinished(60000);
    QStringList pages = QString::fromUtf8(tool.readAllStandardOutput()).split(u'\f');
    pages.removeLast();   // after the last page's form feed
    return pages;
}

} // namespace

class TestAtlas : public QObject
{
    Q_OBJECT

private slots:
    void stationNames_data();
    void stationNames();
    void worksheetPlan();
    void pages_data();
    void pages();
    void cancelledLeavesNothing();

private:
    QTemporaryDir m_dir;
};

void TestAtlas::stationNames_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::newRow("first") << 0 << "Station A";
    QTest::newRow("twelfth") << 11 << "Station L";
    QTest::newRow("last single letter") << 25 << "Station Z";
    QTest::newRow("after Z") << 26 << "Station AA";
    QTest::newRow("fiftieth") << 49 << "Station AX";
}

void TestAtlas::stationNames()
{
    QFETCH(int, index);
    QFETCH(QString, name);
    QCOMPARE(AtlasLayout::stationName(index), name);
}

// Shuffled once per seed, each place once; the stations named in page order
// and the key saying which place each is; columns that nothing fills left out.
void TestAtlas::worksheetPlan()
{
    const std::vector<AtlasPlace> twelve = places(12, true);
    const AtlasPlan plan = AtlasLayout::plan(twelve, true, 7);
    QCOMPARE(plan.charts.size(), std::size_t(12));
    std::set<int> seen;
    bool moved = false;
    for (std::size_t i = 0; i < plan.charts.size(); ++i) {
        seen.insert(plan.charts[i].place);
        moved = moved || plan.charts[i].place != static_cast<int>(i);
        QCOMPARE(plan.charts[i].heading, AtlasLayout::stationName(static_cast<int>(i)));
        const AtlasPlace &place = twelve[plan.charts[i].place];
        QCOMPARE(plan.answerKey[i + 1],
                 QStringList({plan.charts[i].heading, place.name, place.period, place.climateClass}));
    }
    QCOMPARE(seen.size(), std::size_t(12));
    QVERIFY(moved);
    QCOMPARE(plan.answerKey.front(), QStringList({"Station", "Place", "Period", "Climate class"}));
    QCOMPARE(AtlasLayout::plan(twelve, true, 7).charts[5].place, plan.charts[5].place);

    const AtlasPlan atlas = AtlasLayout::plan(twelve, false, 7);
    QVERIFY(atlas.answerKey.empty());
    QCOMPARE(atlas.charts[3].place, 3);
    QCOMPARE(atlas.charts[3].heading, QStringLiteral("Place3"));

    QCOMPARE(AtlasLayout::plan(places(4, false), true, 1).answerKey.front(),
             QStringList({"Station", "Place", "Climate class"}));
}

void TestAtlas::pages_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("perPage");
    QTest::addColumn<bool>("worksheet");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QPageSize::PageSizeId>("paper");
    QTest::newRow("twelve, four a page, worksheet") << 12 << 4 << true << 4 << QPageSize::A4;
    QTest::newRow("seven, one a page") << 7 << 1 << false << 7 << QPageSize::Letter;
    QTest::newRow("seven, two a page") << 7 << 2 << false << 4 << QPageSize::A4;
    QTest::newRow("fifty, six a page, worksheet: key on two pages") << 50 << 6 << true << 11 << QPageSize::Letter;
}

// Each page holds its charts in order under their headings, each with its
// own table; a worksheet names no place before its key, which pairs every
// station with its place.
void TestAtlas::pages()
{
    QFETCH(int, count);
    QFETCH(int, perPage);
    QFETCH(bool, worksheet);
    QFETCH(int, pages);
    QFETCH(QPageSize::PageSizeId, paper);
    const std::vector<AtlasPlace> list = places(count, true);
    const AtlasPlan plan = AtlasLayout::plan(list, worksheet, 3);
    AtlasOptions options;
    options.perPage = perPage;
    options.paper = paper;
    options.worksheet = worksheet;
    int asked = 0;
    const AtlasFile::Result result = AtlasFile::pdf(plan, options, [&](int place) {
        ++asked;
        return markedChart(place);
    }, QStringLiteral("Atlas"));
    QVERIFY(!result.cancelled);
    QCOMPARE(asked, count);
    const QStringList text = pagesOf(result.pdf, m_dir);
    QCOMPARE(text.size(), pages);

    for (int i = 0; i < count; ++i) {
        const QString &page = text[i / perPage];
        const QString heading = plan.charts[i].heading;
        const QString mark = QStringLiteral("Mark%1").arg(plan.charts[i].place);
        QVERIFY2(page.contains(QRegularExpression(QRegularExpression::escape(heading) + "\\b")), qPrintable(page));
        QVERIFY(page.contains(QRegularExpression(mark + "\\b")));
        QCOMPARE(page.count("-23.25"), std::min(perPage, count - i / perPage * perPage));
        if (i % perPage > 0) {
            const AtlasPlan::Chart &before = plan.charts[i - 1];
            QVERIFY(page.indexOf(QStringLiteral("Mark%1").arg(before.place)) < page.indexOf(mark)
                    || perPage > 2);   // side by side, pdftotext may read across
        }
    }
    const int chartPages = AtlasLayout::pageCount(count, perPage);
    for (int p = 0; p < chartPages; ++p)
        QCOMPARE(text[p].contains(QRegularExpression("\\bPlace\\d")), !worksheet);
    if (!worksheet)
        return;
    QVERIFY(text[chartPages].contains("Answer key"));
    QStringList keyLines;
    for (const QString &line : text.mid(chartPages).join(QString()).split(u'\n'))
        keyLines << line.simplified();
    for (int i = 0; i < count; ++i) {
        const AtlasPlace &place = list[plan.charts[i].place];
        const QString row = QStringLiteral("%1 %2 %3 %4")
                                .arg(plan.charts[i].heading, place.name, place.period, place.climateClass)
                                .simplified();
        QVERIFY2(keyLines.contains(row), qPrintable(row + "\n" + keyLines.join(u'\n')));
    }
}

// Cancelled half-way: nothing composed, and no further chart asked for.
void TestAtlas::cancelledLeavesNothing()
{
    AtlasOptions options;
    int asked = 0;
    const AtlasFile::Result result = AtlasFile::pdf(
        AtlasLayout::plan(places(8, false), false, 0), options,
        [&](int place) {
            ++asked;
            return markedChart(place);
        },
        QString(), [](int done, int) { return done < 3; });
    QVERIFY(result.cancelled);
    QVERIFY(result.pdf.isEmpty());
    QCOMPARE(asked, 3);
}

QTEST_MAIN(TestAtlas)
#include "tst_atlas.moc"
