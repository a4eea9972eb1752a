// SPDX-License-Identifier: GPL-3.0-or-later
// The printed page and the chart files, checked as their readers see them:
// the PDF through pdftotext and pdftoppm, images decoded again.
#include "output/ChartFile.h"
#include "output/PrintLayout.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QStringList monthLabels = {"Jan", "Fev", "Mar", "Abr", "Mai", "Jun",
                                 "Jul", "Ago", "Set", "Out", "Nov", "Dic"};

// A values table of `sets` data sets as the main window holds it.
PrintTable valuesTable(int sets)
{
    PrintTable table;
    QStringList header{"Month"};
    for (int n = 1; n <= sets; ++n)
        header << QStringLiteral("Tmp%1").arg(n) << QStringLiteral("Ppt%1").arg(n);
    table.rows.push_back(header);
    for (int m = 1; m <= 13; ++m) {
        QStringList row{m <= 12 ? monthLabels[m - 1] : QStringLiteral("Average")};
        for (int n = 1; n <= sets; ++n)
            row << QStringLiteral("%1.%2").arg(n).arg(m, 2, 10, QLatin1Char('0')) << QString::number(100 * n + m);
        table.rows.push_back(row);
    }
    return table;
}

// A chart that says where it was drawn: a red field with a word on it.
struct RecordingChart
{
    QRectF target;
    int dpi = 0;

    ChartPicture picture()
    {
        return ChartPicture{QSize(460, 355), [this](QPainter &painter, const QRectF &into) {
                                target = into;
                                dpi = painter.device()->logicalDpiX();
                                painter.fillRect(into, QColor(255, 0, 0));
                                painter.setPen(Qt::black);
                                painter.drawText(into, Qt::AlignCenter, QStringLiteral("ChartMark"));
                            }};
    }
};

QByteArray runTool(const QString &program, const QStringList &arguments)
{
    const QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty())
        qWarning("%s is missing: install poppler-utils", qPrintable(program));
    QProcess process;
    process.start(path, arguments);
    process.waitForFinished(60000);
    return process.readAllStandardOutput();
}

// Word boxes of the first page in points: text → (xMin, yMin, xMax, yMax).
QHash<QString, QRectF> wordBoxes(const QString &pdf)
{
    const QString html = QString::fromUtf8(runTool("pdftotext", {"-bbox", "-f", "1", "-l", "1", pdf, "-"}));
    static const QRegularExpression word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    QHash<QString, QRectF> boxes;
    for (const QRegularExpressionMatch &m : word.globalMatch(html))
        boxes.insert(m.captured(5), QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                           QPointF(m.captured(3).toDouble(), m.captured(4).toDouble())));
    return boxes;
}

} // namespace

class TestOutput : public QObject
{
    Q_OBJECT

private slots:
    void printedPage_data();
    void printedPage();
    void greyColumnsPrintGrey();
    void chartFiles_data();
    void chartFiles();
    void failedWriteKeepsTheOldFile();

private:
    QTemporaryDir m_dir;
};

void TestOutput::printedPage_data()
{
    QTest::addColumn<int>("sets");
    QTest::addColumn<bool>("severalPages");
    QTest::newRow("no data") << 0 << false;
    QTest::newRow("one place") << 1 << false;
    QTest::newRow("fifty places, 101 columns") << 50 << true;
}

// Heading, chart and table in this order; a wide table goes on in blocks
// that repeat the month column, over as many pages as it needs.
void TestOutput::printedPage()
{
    QFETCH(int, sets);
    QFETCH(bool, severalPages);
    const QString pdf = m_dir.filePath(QStringLiteral("page-%1.pdf").arg(sets));
    RecordingChart chart;
    PrintTable table = sets > 0 ? valuesTable(sets) : PrintTable{{QStringList{""}, QStringList{""}}, {}};
    int pages = 0;
    {
        QPdfWriter writer(pdf);
        writer.setPageSize(QPageSize(QPageSize::A4));
        pages = PrintLayout::paint(writer, chart.picture(), table);
    }
    QCOMPARE(pages > 1, severalPages);
    // The chart is drawn on the device itself, at the size it has on the
    // screen (460 pixels of 1/96 inch), not as a bitmap.
    QCOMPARE(chart.dpi, 1200);
    QCOMPARE(qRound(chart.target.width()), 460 * 1200 / 96);

    const QString text = QString::fromUtf8(runTool("pdftotext", {"-layout", pdf, "-"}));
    QCOMPARE(text.count(u'\f'), pages);
    const qsizetype heading = text.indexOf("Tervalo");
    const qsizetype mark = text.indexOf("ChartMark");
    QVERIFY2(heading >= 0 && mark > heading, qPrintable(text.left(400)));
    if (sets == 0)
        return;
    QVERIFY(text.indexOf("Month") > mark);
    const int blocks = static_cast<int>(text.count("Month"));
    QVERIFY(blocks >= (severalPages ? 2 : 1));
    for (const QString &label : monthLabels)
        QCOMPARE(text.count(QRegularExpression("\\b" + label + "\\b")), blocks);
    QCOMPARE(text.count("Average"), blocks);
    for (int n = 1; n <= sets; ++n) {
        // Each column once, whole: never cut at the page's edge.
        QCOMPARE(text.count(QRegularExpression(QStringLiteral("\\bTmp%1\\b").arg(n))), 1);
        QCOMPARE(text.count(QRegularExpression(QStringLiteral("\\bPpt%1\\b").arg(n))), 1);
        QVERIFY(text.contains(QStringLiteral("%1.12").arg(n)));
        QVERIFY(text.contains(QString::number(100 * n + 13)));
    }

    // Readable: the table's words are at least 8 points high.
    const QRectF jan = wordBoxes(pdf).value("Jan");
    QVERIFY(jan.height() >= 8);

    // The chart area of the page is painted, not blank.
    runTool("pdftoppm", {"-r", "30", "-f", "1", "-l", "1", "-png", "-singlefile", pdf, m_dir.filePath("page")});
    const QImage page(m_dir.filePath("page.png"));
    QVERIFY(!page.isNull());
    const QRectF box = wordBoxes(pdf).value("ChartMark");
    const QPoint inChart((box.left() - 20) * 30 / 72, box.center().y() * 30 / 72);
    QCOMPARE(page.pixelColor(inChart), QColor(255, 0, 0));
}

void TestOutput::greyColumnsPrintGrey()
{
    const QString pdf = m_dir.filePath("grey.pdf");
    PrintTable table = valuesTable(2);
    table.greyColumns = {false, false, false, true, true};
    {
        QPdfWriter writer(pdf);
        QVERIFY(PrintLayout::paint(writer, ChartPicture(), table) == 1);
    }
    const QHash<QString, QRectF> boxes = wordBoxes(pdf);
    constexpr int dpi = 150;
    runTool("pdftoppm", {"-r", QString::number(dpi), "-f", "1", "-l", "1", "-png", "-singlefile", pdf,
                         m_dir.filePath("grey")});
    const QImage page(m_dir.filePath("grey.png"));
    QVERIFY(!page.isNull());
    // The darkest pixel of a word's box: black text or grey.
    const auto darkest = [&](const QString &word) {
        const QRectF b = boxes.value(word);
        int lowest = 255;
        for (int y = b.top() * dpi / 72; y < b.bottom() * dpi / 72; ++y)
            for (int x = b.left() * dpi / 72; x < b.right() * dpi / 72; ++x)
                lowest = std::min(lowest, qGray(page.pixel(x, y)));
        return lowest;
    };
    QVERIFY(darkest("Tmp1") < 100);
    QVERIFY(darkest("Ppt1") < 100);
    QVERIFY(darkest("Tmp2") > 170);
    QVERIFY(darkest("Ppt2") > 170);
}

void TestOutput::chartFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("scale");
    QTest::addColumn<QByteArray>("start");
    QTest::newRow("png as shown") << "chart.png" << 1 << QByteArray("\x89PNG");
    QTest::newRow("png twice the size") << "chart.PNG" << 2 << QByteArray("\x89PNG");
    QTest::newRow("png four times the size") << "chart.png" << 4 << QByteArray("\x89PNG");
    QTest::newRow("svg") << "chart.svg" << 1 << QByteArray("<?xml");
    QTest::newRow("pdf") << "chart.Pdf" << 1 << QByteArray("%PDF");
}

void TestOutput::chartFiles()
{
    QFETCH(QString, name);
    QFETCH(int, scale);
    QFETCH(QByteArray, start);
    RecordingChart chart;
    const std::optional<ChartFile::Format> format = ChartFile::formatOf(name);
    QVERIFY(format);
    QByteArray bytes;
    switch (*format) {
    case ChartFile::Format::Png:
        bytes = ChartFile::png(chart.picture(), scale);
        break;
    case ChartFile::Format::Svg:
        bytes = ChartFile::svg(chart.picture(), QStringLiteral("Lisbon and Moscow"));
        break;
    case ChartFile::Format::Pdf:
        bytes = ChartFile::pdf(chart.picture(), QStringLiteral("Lisbon and Moscow"));
        break;
    }
    QVERIFY(bytes.startsWith(start));
    const QString path = m_dir.filePath(name);
    QCOMPARE(ChartFile::write(path, bytes), QString());
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), bytes);

    if (*format == ChartFile::Format::Png) {
        const QImage image = QImage::fromData(bytes, "PNG");
        QCOMPARE(image.size(), QSize(460, 355) * scale);
        QCOMPARE(image.pixelColor(5, 5), QColor(255, 0, 0));
    } else if (*format == ChartFile::Format::Svg) {
        QVERIFY(bytes.contains("Lisbon and Moscow"));
        QVERIFY(bytes.contains("ChartMark"));   // text stays text
    } else {
        const QString info = QString::fromUtf8(runTool("pdfinfo", {path}));
        QVERIFY2(info.contains("Lisbon and Moscow"), qPrintable(info));
        QVERIFY2(info.contains(QRegularExpression("Page size:\\s+345 x 266")), qPrintable(info));
        QVERIFY(QString::fromUtf8(runTool("pdftotext", {path, "-"})).contains("ChartMark"));
    }
    QCOMPARE(ChartFile::formatOf("chart.bmp"), std::nullopt);
}

void TestOutput::failedWriteKeepsTheOldFile()
{
    const QString path = m_dir.filePath("kept.png");
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old chart");
    }
    // Nothing composed: the old file stays as it was, and the answer says why.
    QVERIFY(!ChartFile::write(path, QByteArray()).isEmpty());
    QFile kept(path);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("old chart"));

    const QString why = ChartFile::write(m_dir.filePath("no such folder/chart.png"), QByteArray("png"));
    QVERIFY(!why.isEmpty());
    QVERIFY(!QFile::exists(m_dir.filePath("no such folder")));
}

QTEST_MAIN(TestOutput)
#include "tst_output.moc"
