// SPDX-License-Identifier: GPL-3.0-or-later
// The printed page as a reader of the PDF sees it (pdftotext, pdftoppm from
// poppler-utils), and the chart file written only when it is whole.
#include "output/ChartFile.h"
#include "output/PrintLayout.h"

#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QStringList monthLabels = {"Jan", "Fev", "Mar", "Abr", "Mai", "Jun", "Jul", "Ago", "Set", "Out", "Nov", "Dic"};

// The values table of `sets` data sets as the main window holds it.
PrintTable valuesTable(int sets)
{
    PrintTable table;
    table.rows.push_back({"Month"});
    for (int n = 1; n <= sets; ++n)
        table.rows[0] << QStringLiteral("Tmp%1").arg(n) << QStringLiteral("Ppt%1").arg(n);
    for (int m = 1; m <= 13; ++m) {
        QStringList row{m <= 12 ? monthLabels[m - 1] : QStringLiteral("Average")};
        for (int n = 1; n <= sets; ++n)
            row << QStringLiteral("%1.%2").arg(n).arg(m, 2, 10, QLatin1Char('0')) << QString::number(100 * n + m);
        table.rows.push_back(row);
    }
    return table;
}

QString runTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class TestOutput : public QObject
{
    Q_OBJECT

private slots:
    void printedPage_data();
    void printedPage();
    void failedWriteKeepsTheOldFile();

private:
    QTemporaryDir m_dir;
};

void TestOutput::printedPage_data()
{
    QTest::addColumn<int>("sets");
    QTest::newRow("no data") << 0;
    QTest::newRow("fifty places, 101 columns") << 50;
}

// Heading, chart and table in this order; the chart drawn on the printer
// itself; a wide table in blocks that repeat the month column, over as many
// pages as it needs; unchecked data sets grey; text of a readable size.
void TestOutput::printedPage()
{
    QFETCH(int, sets);
    const QString pdf = m_dir.filePath(QStringLiteral("page%1.pdf").arg(sets));
    PrintTable table = sets > 0 ? valuesTable(sets) : PrintTable{{{""}, {""}}, {}};
    table.greyColumns = {false, false, false, true, true};
    QRectF target;
    int dpi = 0;
    const ChartPicture chart{QSize(460, 355), [&](QPainter &painter, const QRectF &into) {
                                 target = into;
                                 dpi = painter.device()->logicalDpiX();
                                 painter.fillRect(into, Qt::red);
                                 painter.drawText(into, Qt::AlignCenter, QStringLiteral("ChartMark"));
                             }};
    int pages = 0;
    {
        QPdfWriter writer(pdf);
        writer.setPageSize(QPageSize(QPageSize::A4));
        pages = PrintLayout::paint(writer, chart, table);
    }
    // 460 screen pixels (1/96 inch) in the writer's 1200 dots per inch.
    QCOMPARE(dpi, 1200);
    QCOMPARE(qRound(target.width()), 460 * 1200 / 96);

    const QString text = runTool("pdftotext", {"-layout", pdf, "-"});
    QCOMPARE(text.count(u'\f'), pages);
    QVERIFY2(text.indexOf("Tervalo") >= 0 && text.indexOf("ChartMark") > text.indexOf("Tervalo"), qPrintable(text));
    if (sets == 0) {
        QCOMPARE(pages, 1);
        return;
    }
    QVERIFY(pages > 1);
    const qsizetype blocks = text.count("Month");
    QVERIFY(blocks > pages && text.indexOf("Month") > text.indexOf("ChartMark"));
    for (const QString &label : monthLabels + QStringList{"Average"})
        QCOMPARE(text.count(QRegularExpression("\\b" + label + "\\b")), blocks);
    for (int n = 1; n <= sets; ++n) {
        // Each column once and whole, never cut at the page's edge.
        QCOMPARE(text.count(QRegularExpression(QStringLiteral("\\bTmp%1\\b").arg(n))), 1);
        QCOMPARE(text.count(QRegularExpression(QStringLiteral("\\bPpt%1\\b").arg(n))), 1);
        QVERIFY(text.contains(QStringLiteral("%1.12").arg(n)) && text.contains(QString::number(100 * n + 13)));
    }

    // Word boxes of page 1 in points, and the page at 150 dots per inch.
    QHash<QString, QRect> boxes;
    static const QRegularExpression word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    for (const QRegularExpressionMatch &m : word.globalMatch(runTool("pdftotext", {"-bbox", "-l", "1", pdf, "-"})))
        boxes.insert(m.captured(5), QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                           QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))
                                        .toRect());
    QVERIFY(boxes.value("Jan").height() >= 8);
    runTool("pdftoppm", {"-r", "150", "-l", "1", "-singlefile", "-png", pdf, m_dir.filePath("page")});
    const QImage page(m_dir.filePath("page.png"));
    QVERIFY(!page.isNull());
    const auto darkest = [&](const QString &text) {
        const QRect box = QTransform::fromScale(150 / 72.0, 150 / 72.0).mapRect(boxes.value(text));
        int lowest = 255;
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x)
                lowest = std::min(lowest, qGray(page.pixel(x, y)));
        return lowest;
    };
    QVERIFY(darkest("Tmp1") < 100 && darkest("Ppt1") < 100);
    QVERIFY(darkest("Tmp2") > 170 && darkest("Ppt2") > 170);
    const QRect mark = QTransform::fromScale(150 / 72.0, 150 / 72.0).mapRect(boxes.value("ChartMark"));
    QCOMPARE(page.pixelColor(mark.left() - 20, mark.center().y()), QColor(Qt::red));
}

void TestOutput::failedWriteKeepsTheOldFile()
{
    const QString path = m_dir.filePath("kept.png");
    QCOMPARE(ChartFile::write(path, "old chart"), QString());
    // Nothing composed: the old file stays as it was, and the answer says why.
    QVERIFY(!ChartFile::write(path, QByteArray()).isEmpty());
    QFile kept(path);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("old chart"));
    QVERIFY(!ChartFile::write(m_dir.filePath("no folder/chart.png"), "png").isEmpty());
}

QTEST_MAIN(TestOutput)
#include "tst_output.moc"
