// SPDX-License-Identifier: GPL-3.0-or-later
// Chart interaction: the pointer read-out, dragging the legend and the
// superposed-area measurement, driven through the main window.
#include "app/Form3Fixture.h"

#include "analysis/LegendDrop.h"
#include "analysis/PointerReadout.h"
#include "app/Form3Chart.h"
#include "chart/PlotMapping.h"
#include "data/DataSet.h"
#include "platform/PictureBox.h"
#include "platform/FloodFill.h"
#include "data/Twips.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <cmath>
#include <memory>

namespace {

// Twelve months on an ellipse around (x, y), January at its right end, April
// at its top, July at its left end, October at its bottom: a convex diagram.
DataSet ellipse(double x, double y, double radiusX, double radiusY)
{
    DataSet place;
    place.name = QStringLiteral("Place");
    for (int m = 1; m <= 12; ++m) {
        place.temp[m] = x + radiusX * std::cos(M_PI * (m - 1) / 6);
        place.ppt[m] = y + radiusY * std::sin(M_PI * (m - 1) / 6);
    }
    return place;
}

// Twelve months around the rectangle from (left, bottom) to (right, top):
// its corners and two more points on each side.
DataSet rectangle(double left, double bottom, double right, double top)
{
    const double w = (right - left) / 3, h = (top - bottom) / 3;
    const double x[12] = {left, left + w, left + 2 * w, right, right, right, right, left + 2 * w, left + w, left, left, left};
    const double y[12] = {bottom, bottom, bottom, bottom, bottom + h, bottom + 2 * h, top, top, top, top, bottom + 2 * h, bottom + h};
    DataSet place;
    place.name = QStringLiteral("Rectangle");
    for (int m = 1; m <= 12; ++m) {
        place.temp[m] = x[m - 1];
        place.ppt[m] = y[m - 1];
    }
    return place;
}

double percent(const QString &result)
{
    return QLocale().toDouble(result.chopped(2));
}

} // namespace

class TestAnalysis : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init();
    void cleanup();
    void readoutText_data();
    void readoutText();
    void readoutInTheWindow();
    void walterLiethReadout_data();
    void walterLiethReadout();
    void walterLiethReadoutAndAreaInTheWindow();
    void draggingTheLegend();
    void areaMessagesAndCaptions();
    void settingsRestoredAfterFinish();
    void identicalDiagrams_data();
    void identicalDiagrams();
    void disjointDiagrams();
    void blackAndWhiteTotalIsTheInsides();
    void diagramOnTheEdgesOfThePlottingArea();
    void diagramOnEachBound_data();
    void diagramOnEachBound();
    void resetAllDuringMeasurementKeepsStyles();

private:
    const Form3Controls &c() const { return m_window->controls(); }
    void load(const DataSet &first, const DataSet &second)
    {
        QVERIFY(m_window->appendPlace(first));
        QVERIFY(m_window->appendPlace(second));
    }
    // The plotting area's pixel of a chart value.
    QPoint plotPixel(double x, double y) const
    {
        const ChartState &s = m_window->state().chart;
        const PlotMapping map(s.plotLeft, s.plotTop, s.plotRight, s.plotBottom,
                              Scale::drawnRange(s.scaleMinX, s.scaleMaxX), Scale::drawnRange(s.scaleMinY, s.scaleMaxY));
        return {Twips::toPixels(map.x(x)), Twips::toPixels(map.y(y))};
    }
    void rightClick(QPoint pixel) { QTest::mouseClick(c().Picture4, Qt::RightButton, {}, pixel); }
    qint64 greyPixels() const
    {
        const QImage &image = c().Picture4->image();
        return FloodFill::countPixels(image, qRgb(120, 120, 120), image.rect());
    }
    void verifyLastMessage(const QString &text, const QString &title, QMessageBox::Icon icon) const
    {
        QVERIFY(!m_dialogs->messages.isEmpty());
        QCOMPARE(m_dialogs->messages.last().text, text);
        QCOMPARE(m_dialogs->messages.last().title, title);
        QCOMPARE(m_dialogs->messages.last().icon, icon);
    }

    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<Form3> m_window;
};

void TestAnalysis::init()
{
    m_dialogs = std::make_unique<ScriptedDialogs>();
    m_window = std::make_unique<Form3>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestAnalysis::cleanup()
{
    m_window.reset();
    flushDeletions();
    m_dialogs.reset();
}

void TestAnalysis::readoutText_data()
{
    QTest::addColumn<bool>("normal");
    QTest::addColumn<QPointF>("pointer");
    QTest::addColumn<QString>("text");
    // Plotting area 5385 × 4425 twips, X 0..20 with one decimal, Y 0..200 with none.
    QTest::newRow("diagram, top-left corner") << false << QPointF(0, 0) << "X = 0.0    Y = 200";
    QTest::newRow("diagram, bottom-right corner") << false << QPointF(5385, 4425) << "X = 20.0    Y = 0";
    QTest::newRow("diagram, middle") << false << QPointF(2692.5, 2212.5) << "X = 10.0    Y = 100";
    QTest::newRow("normal, top") << true << QPointF(0, 0) << "X = 20.0    Y = 200";
    QTest::newRow("normal, top, further right") << true << QPointF(4000, 0) << "X = 20.0    Y = 200";
    QTest::newRow("normal, a quarter up") << true << QPointF(700, 3318.75) << "X = 5.0    Y = 50";
}

void TestAnalysis::readoutText()
{
    QFETCH(bool, normal);
    QFETCH(QPointF, pointer);
    QFETCH(QString, text);
    ChartSettings chart;
    chart.kind = normal ? ChartKind::Normal : ChartKind::Climate;
    chart.plotRight = 5385;
    chart.plotBottom = 4425;
    chart.scaleMaxX = 20;
    chart.scaleMaxY = 200;
    QCOMPARE(PointerReadout::text(chart, pointer.x(), pointer.y()), text);
    chart.plotBottom = 0; // no height: nothing to read
    QCOMPARE(PointerReadout::text(chart, pointer.x(), pointer.y()), QString());
    QCOMPARE(PointerReadout::widthTwips(QStringLiteral("X = 1    Y =")), 900);
}

void TestAnalysis::readoutInTheWindow()
{
    QLineEdit *box = c().tagPic;
    const QPoint leftEdge(0, 100);
    QTest::mouseMove(c().Picture4, leftEdge);
    QVERIFY(box->isHidden()); // "Coord." unchecked
    c().Check2->setChecked(true);
    QTest::mouseMove(c().Picture4, leftEdge + QPoint(0, 1));
    QVERIFY(box->isHidden()); // nothing loaded

    load(ellipse(10, 100, 5, 50), ellipse(12, 110, 5, 50));
    QTest::mouseMove(c().Picture4, leftEdge);
    QVERIFY(box->isVisible());
    const QString minX = m_window->chart()->Formata(m_window->state().chart.scaleMinX, Axis::X);
    QVERIFY2(box->text().startsWith("X = " + minX + "    Y = "), qPrintable(box->text()));
    QCOMPARE(box->width(), Twips::toPixels(75 * box->text().size()));

    // Other controls leave it; the chart's margins and the bare window hide it.
    QTest::mouseMove(c().List1, QPoint(5, 5));
    QVERIFY(box->isVisible());
    QTest::mouseMove(c().Picture1, QPoint(3, 3));
    QVERIFY(box->isHidden());
    QTest::mouseMove(c().Picture4, leftEdge);
    const QPoint bare(Twips::toPixels(4300), Twips::toPixels(1000));
    QVERIFY(!c().client->childAt(bare));
    QTest::mouseMove(c().client, bare);
    QVERIFY(box->isHidden());
}

void TestAnalysis::walterLiethReadout_data()
{
    QTest::addColumn<QPointF>("pointer");
    QTest::addColumn<QString>("text");
    // A diagram from -10 to 60 °C (300 mm), 70 degrees on 3500 twips, July
    // first, its plotting area at 1000, 500, 6000 wide.
    QTest::newRow("top-left corner, the compressed scale") << QPointF(1000, 500) << "Jul    T = 60.0 \u00B0C    P = 300 mm";
    QTest::newRow("100 mm, where the compression starts") << QPointF(1100, 1000) << "Jul    T = 50.0 \u00B0C    P = 100 mm";
    QTest::newRow("20 mm as high as 10 °C") << QPointF(1600, 3000) << "Agu    T = 10.0 \u00B0C    P = 20 mm";
    QTest::newRow("the zero line, seventh column: January") << QPointF(4100, 3500) << "Jan    T = 0.0 \u00B0C    P = 0 mm";
    QTest::newRow("below zero: no precipitation") << QPointF(6900, 3750) << "Jun    T = -5.0 \u00B0C";
    QTest::newRow("beside the plotting area") << QPointF(900, 1000) << "";
    QTest::newRow("under it") << QPointF(2000, 4100) << "";
}

void TestAnalysis::walterLiethReadout()
{
    QFETCH(QPointF, pointer);
    QFETCH(QString, text);
    WalterLiethDiagram diagram;
    diagram.plot = QRectF(1000, 500, 6000, 3500);
    diagram.bottom = -10;
    diagram.top = 60;
    diagram.firstMonth = 7;
    QCOMPARE(PointerReadout::walterLieth({diagram}, pointer.x(), pointer.y()), text);
}

// Over a diagram the read-out shows its values, elsewhere on the picture it
// goes; the area command refuses with a message.
void TestAnalysis::walterLiethReadoutAndAreaInTheWindow()
{
    load(ellipse(10, 100, 5, 50), ellipse(12, 110, 5, 50));
    c().OptionWalterLieth->setChecked(true);
    c().Check2->setChecked(true);
    const std::vector<WalterLiethDiagram> &diagrams = m_window->chart()->walterLiethDiagrams();
    QCOMPARE(diagrams.size(), std::size_t(2));
    const QRectF second = diagrams[1].plot;
    const QPoint inside(Twips::toPixels(second.left() + 100), Twips::toPixels(second.top() + 30));
    QTest::mouseMove(c().Picture1, inside);
    QVERIFY(c().tagPic->isVisible());
    // Warmer in January than in July: the diagram starts with July.
    QVERIFY2(c().tagPic->text().startsWith(QStringLiteral("Jul    T = ")), qPrintable(c().tagPic->text()));
    // Wide enough for the month and the units, not only for digits: the
    // text, the frame and the line edit's margins.
    const int advance = c().tagPic->fontMetrics().horizontalAdvance(c().tagPic->text());
    QVERIFY2(c().tagPic->width() >= advance + 8, qPrintable(QString("%1 for %2").arg(c().tagPic->width()).arg(advance)));
    QTest::mouseMove(c().Picture1, QPoint(Twips::toPixels(second.left() + 100), Twips::toPixels(second.top() - 150)));
    QVERIFY(c().tagPic->isHidden());

    c().Command3->click();
    QVERIFY(!m_window->state().areaMode);
    verifyLastMessage(QStringLiteral("The superposed area is measured between two climate diagrams: "
                                     "choose \"Tervalo\" in the Graph frame first"),
                      QStringLiteral("Warning"), QMessageBox::Warning);
}

void TestAnalysis::draggingTheLegend()
{
    // Grabbed 200 twips from its left edge, dropped at X = 1000 inside the
    // plotting area: the left edge goes 800 right of the plotting area's.
    QCOMPARE(LegendDrop::onPlottingArea({4680, 2880}, {735, 495}, {1000, 600}, {200, 30}).x(), 4680 + 735 + 800.0);
    QCOMPARE(LegendDrop::onChartPicture({4680, 2880}, {1000, 600}, {200, 30}), QPointF(4680 + 800, 2880 + 570));

    load(ellipse(10, 100, 5, 50), ellipse(12, 110, 5, 50));
    QWidget *legend = c().Frame4;
    const QPoint home = legend->pos();
    const auto drag = [&](QWidget *pressed, QPoint grab, QPoint target) {
        QTest::mousePress(pressed, Qt::LeftButton, {}, grab);
        const QPoint at = target - pressed->mapTo(c().client, QPoint(0, 0));
        QTest::mouseMove(pressed, at);
        QTest::mouseRelease(pressed, Qt::LeftButton, {}, at);
    };
    const QPoint plot = c().Picture1->pos() + c().Picture4->pos() + QPoint(100, 100);
    const QPoint chart = c().Picture1->pos() + QPoint(20, 20);
    const QPoint grab(3, 3);
    QVERIFY(!legend->childAt(grab));

    drag(m_window->Lab(1), QPoint(10, 5), plot); // a press on a label does not grab it
    QCOMPARE(legend->pos(), home);
    drag(legend, grab, plot);
    QCOMPARE(legend->pos(), plot - grab);
    drag(legend, grab, chart);
    QCOMPARE(legend->pos(), chart - grab);
    drag(legend, grab, c().List1->pos() + QPoint(10, 10)); // not a chart picture
    QCOMPARE(legend->pos(), chart - grab);

    const QPoint title = c().TxTitulo->pos();
    drag(c().TxTitulo, QPoint(5, 5), plot);
    QCOMPARE(c().TxTitulo->pos(), title);
    m_window->chart()->reFaz(true);
    QCOMPARE(legend->pos(), chart - grab);
}

void TestAnalysis::areaMessagesAndCaptions()
{
    QVERIFY(m_window->appendPlace(ellipse(10, 100, 5, 50)));
    QTest::mouseClick(c().Command3, Qt::LeftButton);
    verifyLastMessage("Select in the upper list two different places", "Warning", QMessageBox::Warning);
    QCOMPARE(c().Command3->text(), QStringLiteral("Area"));
    QVERIFY(!m_window->state().areaMode);

    QVERIFY(m_window->appendPlace(ellipse(12, 110, 5, 50)));
    QTest::mouseClick(c().Command3, Qt::LeftButton);
    verifyLastMessage("Right clik in the areas where the Tervalos superposes.", "Instruction", QMessageBox::Information);
    QCOMPARE(c().Command3->text(), QStringLiteral("Finish area"));
    QVERIFY(m_window->state().areaMode);
    QVERIFY(c().ProgBar->isHidden());

    // Finished without a right-click: the message names the total.
    const QString total = QString::number(m_window->state().plotAreaPixels);
    QTest::mouseClick(c().Command3, Qt::LeftButton);
    verifyLastMessage("The superposed area corresponds to" + total + "of the total area.", "Area",
                      QMessageBox::Information);
    QCOMPARE(c().Command3->text(), QStringLiteral("Área"));
    QVERIFY(!m_window->state().areaMode);

    // Reset all ends a measurement without its final steps; the line types
    // it drew solid are kept as before.
    m_window->state().setLineStyle[2] = 4;
    QTest::mouseClick(c().Command3, Qt::LeftButton);
    const qsizetype messages = m_dialogs->messages.size();
    m_window->Bot_Click(3);
    QVERIFY(!m_window->state().areaMode);
    QCOMPARE(c().Command3->text(), QStringLiteral("Area"));
    QCOMPARE(m_dialogs->messages.size(), messages);
    QCOMPARE(m_window->state().setLineStyle[2], 4);
}

void TestAnalysis::settingsRestoredAfterFinish()
{
    load(ellipse(10, 100, 5, 50), ellipse(12, 110, 5, 50));
    MainState &state = m_window->state();
    state.setMarkerSize[1] = 3;
    state.setMarkerSize[2] = 2;
    state.setLineStyle[1] = 3;
    c().GridX->setChecked(false);
    c().Option1[2]->setChecked(true);

    QTest::mouseClick(c().Command3, Qt::LeftButton);
    QVERIFY(c().Frame4->isHidden());
    QVERIFY(!c().GridY->isChecked());
    QCOMPARE(state.chart.monthLabel[1], QString());
    QCOMPARE(state.setMarkerSize[1] + state.setMarkerSize[2] + state.setLineStyle[1], 0);

    QTest::mouseClick(c().Command3, Qt::LeftButton);
    QVERIFY(c().Frame4->isVisible());
    QVERIFY(!c().GridX->isChecked());
    QVERIFY(c().GridY->isChecked());
    QVERIFY(c().Option1[2]->isChecked());
    QCOMPARE(state.chart.monthLabel[1], QStringLiteral("J"));
    QCOMPARE(state.setMarkerSize[1], 3);
    QCOMPARE(state.setMarkerSize[2], 2);
    QCOMPARE(state.setLineStyle[1], 3);
}

// The outlines and the picture's first row and column count in the total
// but never turn grey: a little under 100 %. Dotted diagrams are measured
// with solid outlines, which hold the flood.
void TestAnalysis::identicalDiagrams_data()
{
    QTest::addColumn<int>("lineStyle");
    QTest::newRow("solid") << 0;
    QTest::newRow("dotted") << 2;
}

void TestAnalysis::identicalDiagrams()
{
    QFETCH(int, lineStyle);
    load(ellipse(10, 100, 5, 50), ellipse(10, 100, 5, 50));
    m_window->state().setLineStyle[1] = m_window->state().setLineStyle[2] = lineStyle;
    QTest::mouseClick(c().Command3, Qt::LeftButton);
    const QPoint inside = plotPixel(10, 100);
    const QString total = c().Label5->text();
    QTest::mouseClick(c().Picture4, Qt::LeftButton, {}, inside);
    QCOMPARE(greyPixels(), qint64(0));
    QCOMPARE(c().Label5->text(), total);

    rightClick(inside);
    const QString result = c().Label5->text();
    QVERIFY2(result.endsWith(" %") && percent(result) > 95 && percent(result) < 100, qPrintable(result));
    rightClick(inside + QPoint(3, -2)); // the same region again
    QCOMPARE(c().Label5->text(), result);
    m_window->chart()->reFaz(false); // a redraw wipes the grey, keeps the result
    QCOMPARE(greyPixels(), qint64(0));
    QCOMPARE(c().Label5->text(), result);
}

// No overlap: a right-click inside one diagram measures its inside as a
// share of both.
void TestAnalysis::disjointDiagrams()
{
    load(ellipse(10, 100, 4, 40), ellipse(30, 300, 4, 40));
    QTest::mouseClick(c().Command3, Qt::LeftButton);
    rightClick(plotPixel(10, 100));
    QVERIFY2(percent(c().Label5->text()) > 40 && percent(c().Label5->text()) < 50, qPrintable(c().Label5->text()));
}

// Black outlines count as outside: the total is the inside and the
// picture's first row and column, nothing else.
void TestAnalysis::blackAndWhiteTotalIsTheInsides()
{
    load(ellipse(10, 100, 5, 50), ellipse(10, 100, 5, 50));
    QTest::mouseClick(c().Command2, Qt::LeftButton);
    QVERIFY(m_window->state().blackWhite);
    QTest::mouseClick(c().Command3, Qt::LeftButton);
    rightClick(plotPixel(10, 100));
    const QSize size = c().Picture4->size();
    QVERIFY(greyPixels() > 1000);
    QCOMPARE(qint64(m_window->state().plotAreaPixels), greyPixels() + size.width() + size.height() - 1);
}

// Typed bounds put the diagram's left and top ends on the plotting area's
// edges: the background falls into three pieces, pixel (1, 1) in the
// top-left one; none of them belongs to the total.
void TestAnalysis::diagramOnTheEdgesOfThePlottingArea()
{
    load(ellipse(10, 100, 10, 100), ellipse(10, 100, 10, 100));
    const double bounds[4] = {200, -5, 0, 20.5}; // max Y, min Y, min X, max X
    for (int i = 0; i < 4; ++i) {
        c().TextEsc[i]->setText(QLocale().toString(bounds[i]));
        c().teC[i]->setChecked(false);
    }
    QTest::mouseClick(c().Command1, Qt::LeftButton);
    QCOMPARE(plotPixel(0, 100).x(), 0);
    QCOMPARE(plotPixel(10, 200).y(), 0);

    QTest::mouseClick(c().Command3, Qt::LeftButton);
    rightClick(plotPixel(10, 100));
    QVERIFY2(percent(c().Label5->text()) > 95 && percent(c().Label5->text()) < 100, qPrintable(c().Label5->text()));
}

// A diagram lying on a bound is closed there: the total and the overlap's
// share are those of the same diagrams with that bound one unit further
// out, the total scaled by the change of scale (the picture's first row
// and column, in every total, do not scale).
void TestAnalysis::diagramOnEachBound_data()
{
    QTest::addColumn<int>("bound"); // scale box: 0 max Y, 1 min Y, 2 min X, 3 max X
    QTest::addColumn<double>("onBound");
    QTest::addColumn<double>("wider");
    QTest::newRow("lower X") << 2 << 0.0 << -1.0;
    QTest::newRow("upper X") << 3 << 15.0 << 16.0;
    QTest::newRow("lower Y") << 1 << 0.0 << -1.0;
    QTest::newRow("upper Y") << 0 << 100.0 << 101.0;
}

void TestAnalysis::diagramOnEachBound()
{
    QFETCH(int, bound);
    QFETCH(double, onBound);
    QFETCH(double, wider);
    load(rectangle(0, 0, 10, 100), rectangle(5, 0, 15, 100));
    struct Measured { double range, total, share; };
    const auto measure = [&](double value) {
        double bounds[4] = {150, -50, -5, 20};
        bounds[bound] = value;
        for (int i = 0; i < 4; ++i) {
            c().TextEsc[i]->setText(QLocale().toString(bounds[i]));
            c().teC[i]->setChecked(false);
        }
        QTest::mouseClick(c().Command1, Qt::LeftButton);
        QTest::mouseClick(c().Command3, Qt::LeftButton);
        const QSize size = c().Picture4->size();
        const double total = m_window->state().plotAreaPixels - (size.width() + size.height() - 1);
        rightClick(plotPixel(7.5, 50));
        const double share = percent(c().Label5->text());
        QTest::mouseClick(c().Command3, Qt::LeftButton);
        return Measured{bound < 2 ? bounds[0] - bounds[1] : bounds[3] - bounds[2], total, share};
    };
    const Measured on = measure(onBound);
    const Measured off = measure(wider);
    const double scaled = off.total * off.range / on.range;
    QVERIFY2(std::abs(on.total / scaled - 1) < 0.01, qPrintable(QStringLiteral("%1 vs %2").arg(on.total).arg(scaled)));
    QVERIFY2(std::abs(on.share - off.share) < 0.5, qPrintable(QStringLiteral("%1 vs %2").arg(on.share).arg(off.share)));
}

// Reset all keeps the line types and the marker sizes of data sets 11..50:
// a measurement it cuts short gives back the ones it changed.
void TestAnalysis::resetAllDuringMeasurementKeepsStyles()
{
    for (int n = 1; n <= 12; ++n)
        QVERIFY(m_window->appendPlace(ellipse(10 + n, 100, 5, 50)));
    for (int i = 0; i < 10; ++i)
        c().List1->item(i)->setCheckState(Qt::Unchecked);
    MainState &state = m_window->state();
    state.setMarkerSize[11] = 3;
    state.setMarkerSize[12] = 5;
    state.setLineStyle[12] = 4;
    QTest::mouseClick(c().Command3, Qt::LeftButton);
    QVERIFY(state.areaMode);
    m_window->Bot_Click(3);
    QCOMPARE(state.setMarkerSize[11], 3);
    QCOMPARE(state.setMarkerSize[12], 5);
    QCOMPARE(state.setLineStyle[12], 4);
}

QTEST_MAIN(TestAnalysis)
#include "tst_analysis.moc"
