// SPDX-License-Identifier: GPL-3.0-or-later
// Chart interaction: the pointer read-out, dragging the legend and the
// superposed-area measurement, through the main window as a user drives it.
#include "app/Form3Fixture.h"

#include "analysis/LegendDrop.h"
#include "analysis/PointerReadout.h"
#include "chart/ChartEngine.h"
#include "chart/PlotMapping.h"
#include "data/DataSet.h"
#include "platform/DrawingSurface.h"
#include "platform/FloodFill.h"
#include "platform/Twips.h"

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

const QRgb grey = qRgb(120, 120, 120);

// Twelve months on an ellipse around (x, y): a convex diagram.
DataSet ellipse(const QString &name, double x, double y, double radiusX, double radiusY)
{
    DataSet place;
    place.name = name;
    for (int m = 1; m <= 12; ++m) {
        const double angle = 2 * M_PI * (m - 1) / 12;
        place.temp[m] = x + radiusX * std::cos(angle);
        place.ppt[m] = y + radiusY * std::sin(angle);
    }
    return place;
}

// Twelve months on a diamond: its corners on the bounds of the box, three
// months to a side.
DataSet diamond(const QString &name, double minX, double maxX, double minY, double maxY)
{
    const double midX = (minX + maxX) / 2, midY = (minY + maxY) / 2;
    const QPointF corners[5] = {{minX, midY}, {midX, maxY}, {maxX, midY}, {midX, minY}, {minX, midY}};
    DataSet place;
    place.name = name;
    for (int m = 1; m <= 12; ++m) {
        const int side = (m - 1) / 3;
        const double t = ((m - 1) % 3) / 3.0;
        const QPointF at = corners[side] + t * (corners[side + 1] - corners[side]);
        place.temp[m] = at.x();
        place.ppt[m] = at.y();
    }
    return place;
}

QPoint pixels(QPointF twips)
{
    return {Twips::toPixels(twips.x()), Twips::toPixels(twips.y())};
}

} // namespace

class TestAnalysis : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void readoutText_data();
    void readoutText();
    void readoutInTheWindow();
    void legendDrop();
    void draggingTheLegend();
    void areaMessagesAndCaptions();
    void settingsRestoredAfterFinish();
    void identicalDiagrams_data();
    void identicalDiagrams();
    void disjointDiagrams();
    void blackAndWhiteTotalIsTheInsides();
    void diagramTouchingTheEdges();

private:
    void load(const DataSet &first, const DataSet &second);
    // The plotting area's pixel of a chart value.
    QPoint plotPixel(double x, double y) const;
    void rightClick(QPoint pixel);
    qint64 greyPixels() const;
    const Form3Controls &c() const { return m_window->controls(); }

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

void TestAnalysis::load(const DataSet &first, const DataSet &second)
{
    QVERIFY(m_window->appendPlace(first));
    QVERIFY(m_window->appendPlace(second));
}

QPoint TestAnalysis::plotPixel(double x, double y) const
{
    const ChartState &s = m_window->state().chart;
    const PlotMapping map(s.plotLeft, s.plotTop, s.plotRight, s.plotBottom, Scale::drawnRange(s.scaleMinX, s.scaleMaxX),
                          Scale::drawnRange(s.scaleMinY, s.scaleMaxY));
    return pixels({map.x(x), map.y(y)});
}

void TestAnalysis::rightClick(QPoint pixel)
{
    QTest::mouseClick(c().Picture4, Qt::RightButton, {}, pixel);
}

qint64 TestAnalysis::greyPixels() const
{
    const QImage &image = c().Picture4->image();
    return FloodFill::countPixels(image, grey, image.rect());
}

// --- Pointer read-out --------------------------------------------------------

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
    PointerReadout::Chart chart;
    chart.kind = normal ? PointerReadout::Kind::Normal : PointerReadout::Kind::ClimateDiagram;
    chart.plotRight = 5385;
    chart.plotBottom = 4425;
    chart.scaleMaxX = 20;
    chart.scaleMaxY = 200;
    QCOMPARE(PointerReadout::text(chart, pointer.x(), pointer.y(), QLocale::c()), text);
    QCOMPARE(PointerReadout::widthTwips(text), 75 * int(text.size()));

    chart.plotBottom = 0; // no height: nothing can be read
    QCOMPARE(PointerReadout::text(chart, pointer.x(), pointer.y(), QLocale::c()), QString());
}

void TestAnalysis::readoutInTheWindow()
{
    QLineEdit *box = c().tagPic;
    const QPoint leftEdge(0, 100);
    QTest::mouseMove(c().Picture4, leftEdge);
    QVERIFY(box->isHidden()); // "Coord." unchecked
    c().Check2->setChecked(true);
    QTest::mouseMove(c().Picture4, leftEdge + QPoint(1, 0));
    QVERIFY(box->isHidden()); // nothing loaded

    load(ellipse("A", 10, 100, 5, 50), ellipse("B", 12, 110, 5, 50));
    QTest::mouseMove(c().Picture4, leftEdge);
    QVERIFY(box->isVisible());
    const QString minX = m_window->chart()->Formata(m_window->state().chart.scaleMinX, QStringLiteral("x"));
    QVERIFY2(box->text().startsWith(QStringLiteral("X = ") + minX + QStringLiteral("    Y = ")), qPrintable(box->text()));
    QCOMPARE(box->width(), Twips::toPixels(75 * box->text().size()));

    // Other controls leave it; the chart's margins and the bare window hide it.
    QTest::mouseMove(c().List1, QPoint(5, 5));
    QVERIFY(box->isVisible());
    QTest::mouseMove(c().Picture1, QPoint(3, 3));
    QVERIFY(box->isHidden());
    QTest::mouseMove(c().Picture4, leftEdge);
    QVERIFY(box->isVisible());
    const QPoint bare = pixels({4300, 1000});
    QVERIFY(!c().client->childAt(bare));
    QTest::mouseMove(c().client, bare);
    QVERIFY(box->isHidden());
}

// --- Placing the legend ------------------------------------------------------

void TestAnalysis::legendDrop()
{
    // Grabbed 200 twips from its left edge, dropped at X = 1000 inside the
    // plotting area.
    const QPointF chart(4680, 2880), plot(735, 495);
    QCOMPARE(LegendDrop::onPlottingArea(chart, plot, {1000, 600}, {200, 30}), QPointF(4680 + 735 + 800, 2880 + 495 + 570));
    QCOMPARE(LegendDrop::onChartPicture(chart, {1000, 600}, {200, 30}), QPointF(4680 + 800, 2880 + 570));
}

void TestAnalysis::draggingTheLegend()
{
    load(ellipse("A", 10, 100, 5, 50), ellipse("B", 12, 110, 5, 50));
    QWidget *legend = c().Frame4;
    QVERIFY(legend->isVisible());
    const QPoint home = legend->pos();
    const auto drag = [&](QWidget *pressed, QPoint grab, QPoint clientTarget) {
        QTest::mousePress(pressed, Qt::LeftButton, {}, grab);
        const QPoint at = clientTarget - pressed->mapTo(c().client, QPoint(0, 0));
        QTest::mouseMove(pressed, at);
        QTest::mouseRelease(pressed, Qt::LeftButton, {}, at);
    };
    const QPoint plotOrigin = c().Picture1->pos() + c().Picture4->pos();

    // A press on a label does not grab the legend.
    QLabel *label = m_window->Lab(1);
    drag(label, QPoint(10, 5), plotOrigin + QPoint(100, 100));
    QCOMPARE(legend->pos(), home);

    // A press on the frame itself does; the grabbed point lands under the pointer.
    const QPoint grab(3, 3);
    QVERIFY(!legend->childAt(grab));
    drag(legend, grab, plotOrigin + QPoint(100, 100));
    QCOMPARE(legend->pos(), plotOrigin + QPoint(100, 100) - grab);
    drag(legend, grab, c().Picture1->pos() + QPoint(20, 20));
    QCOMPARE(legend->pos(), c().Picture1->pos() + QPoint(20, 20) - grab);

    // Dropped on another control: it stays.
    drag(legend, grab, c().List1->pos() + QPoint(10, 10));
    QCOMPARE(legend->pos(), c().Picture1->pos() + QPoint(20, 20) - grab);

    // The title does not move; a redraw keeps the legend where it is.
    const QPoint title = c().TxTitulo->pos();
    drag(c().TxTitulo, QPoint(5, 5), plotOrigin + QPoint(50, 50));
    QCOMPARE(c().TxTitulo->pos(), title);
    m_window->chart()->reFaz(true);
    QCOMPARE(legend->pos(), c().Picture1->pos() + QPoint(20, 20) - grab);
}

// --- Superposed area ---------------------------------------------------------

namespace {

double percent(const QString &result)
{
    return QLocale().toDouble(result.chopped(2));
}

} // namespace

void TestAnalysis::areaMessagesAndCaptions()
{
    using Message = ScriptedDialogs::Message;
    const auto verifyLast = [this](const QString &text, const QString &title, QMessageBox::Icon icon) {
        QVERIFY(!m_dialogs->messages.isEmpty());
        const Message &last = m_dialogs->messages.last();
        QCOMPARE(last.text, text);
        QCOMPARE(last.title, title);
        QCOMPARE(last.icon, icon);
    };
    const QString warning = QStringLiteral("Select in the upper list two different places");

    QVERIFY(m_window->appendPlace(ellipse("A", 10, 100, 5, 50)));
    QTest::mouseClick(c().Command3, Qt::LeftButton);
    verifyLast(warning, "Warning", QMessageBox::Warning);
    QCOMPARE(c().Command3->text(), QStringLiteral("Area"));
    QVERIFY(!m_window->state().areaMode);

    QVERIFY(m_window->appendPlace(ellipse("B", 12, 110, 5, 50)));
    QTest::mouseClick(c().Command3, Qt::LeftButton);
    verifyLast("Right clik in the areas where the Tervalos superposes.", "Instruction", QMessageBox::Information);
    QCOMPARE(c().Command3->text(), QStringLiteral("Finish area"));
    QVERIFY(m_window->state().areaMode);
    QVERIFY(c().ProgBar->isHidden());
    const QString total = QString::number(m_window->state().plotAreaPixels);
    QCOMPARE(c().Label5->text(), total);

    // Finished without a right-click: the message names the total.
    QTest::mouseClick(c().Command3, Qt::LeftButton);
    verifyLast("The superposed area corresponds to" + total + "of the total area.", "Area", QMessageBox::Information);
    QCOMPARE(c().Command3->text(), QStringLiteral("Área"));
    QVERIFY(!m_window->state().areaMode);

    QVERIFY(m_window->appendPlace(ellipse("C", 14, 120, 5, 50)));
    const int messages = m_dialogs->messages.size();
    QTest::mouseClick(c().Command3, Qt::LeftButton);
    QCOMPARE(m_dialogs->messages.size(), messages + 1);
    verifyLast(warning, "Warning", QMessageBox::Warning);

    // Reset all ends a measurement without its final steps.
    c().List1->item(2)->setCheckState(Qt::Unchecked);
    QTest::mouseClick(c().Command3, Qt::LeftButton);
    QVERIFY(m_window->state().areaMode);
    m_window->Bot_Click(3);
    QVERIFY(!m_window->state().areaMode);
    QCOMPARE(c().Command3->text(), QStringLiteral("Area"));
    QCOMPARE(m_dialogs->messages.size(), messages + 2);
}

void TestAnalysis::settingsRestoredAfterFinish()
{
    load(ellipse("A", 10, 100, 5, 50), ellipse("B", 12, 110, 5, 50));
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
    QCOMPARE(state.setMarkerSize[1], 0);
    QCOMPARE(state.setMarkerSize[2], 0);
    QCOMPARE(state.setLineStyle[1], 0);

    QTest::mouseClick(c().Command3, Qt::LeftButton);
    QVERIFY(c().ChkLegenda->isChecked());
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
    const DataSet place = ellipse("A", 10, 100, 5, 50);
    load(place, place);
    m_window->state().setLineStyle[1] = m_window->state().setLineStyle[2] = lineStyle;
    QTest::mouseClick(c().Command3, Qt::LeftButton);
    const QPoint inside = plotPixel(10, 100);
    const QString total = c().Label5->text();

    QTest::mouseClick(c().Picture4, Qt::LeftButton, {}, inside);
    QCOMPARE(greyPixels(), qint64(0));
    QCOMPARE(c().Label5->text(), total);

    rightClick(inside);
    const QString result = c().Label5->text();
    QVERIFY2(result.endsWith(QStringLiteral(" %")), qPrintable(result));
    QVERIFY2(percent(result) > 95 && percent(result) < 100, qPrintable(result));
    // The same region again, at another of its pixels: nothing changes.
    rightClick(inside + QPoint(3, -2));
    QCOMPARE(c().Label5->text(), result);

    // A redraw wipes the grey and keeps the result.
    m_window->chart()->reFaz(false);
    QCOMPARE(greyPixels(), qint64(0));
    QCOMPARE(c().Label5->text(), result);
}

// No overlap: a right-click inside one diagram measures its inside as a
// share of both.
void TestAnalysis::disjointDiagrams()
{
    load(ellipse("A", 10, 100, 4, 40), ellipse("B", 30, 300, 4, 40));
    QTest::mouseClick(c().Command3, Qt::LeftButton);
    rightClick(plotPixel(10, 100));
    const QString result = c().Label5->text();
    QVERIFY2(percent(result) > 40 && percent(result) < 50, qPrintable(result));
}

// Black outlines count as outside: the total is the inside and the
// picture's first row and column, nothing else.
void TestAnalysis::blackAndWhiteTotalIsTheInsides()
{
    const DataSet place = ellipse("A", 10, 100, 5, 50);
    load(place, place);
    const QSize size = c().Picture4->size();
    const qint64 uncounted = size.width() + size.height() - 1;

    QTest::mouseClick(c().Command2, Qt::LeftButton);
    QVERIFY(m_window->state().blackWhite);
    QTest::mouseClick(c().Command3, Qt::LeftButton);
    rightClick(plotPixel(10, 100));
    const qint64 inside = greyPixels();
    QVERIFY(inside > 1000);
    QCOMPARE(qint64(m_window->state().plotAreaPixels), inside + uncounted);
    QTest::mouseClick(c().Command3, Qt::LeftButton);

    // In colour the outlines count too.
    QTest::mouseClick(c().Command2, Qt::LeftButton);
    QTest::mouseClick(c().Command3, Qt::LeftButton);
    QVERIFY(qint64(m_window->state().plotAreaPixels) > inside + uncounted);
}

// Typed bounds put the diagram's left and top corners on the plotting
// area's edges: the background falls into three pieces (pixel (1, 1) lies in
// the top-left one), none of them part of the total.
void TestAnalysis::diagramTouchingTheEdges()
{
    const DataSet place = diamond("A", 0, 20, 0, 200);
    load(place, place);
    const char *bounds[4] = {"200", "-5", "0", "20.5"}; // max Y, min Y, min X, max X
    for (int i = 0; i < 4; ++i) {
        c().TextEsc[i]->setText(QLocale().toString(QString::fromLatin1(bounds[i]).toDouble()));
        c().teC[i]->setChecked(false);
    }
    QTest::mouseClick(c().Command1, Qt::LeftButton);
    QCOMPARE(plotPixel(0, 100).x(), 0);
    QCOMPARE(plotPixel(10, 200).y(), 0);

    QTest::mouseClick(c().Command3, Qt::LeftButton);
    rightClick(plotPixel(10, 100));
    const QString result = c().Label5->text();
    QVERIFY2(percent(result) > 95 && percent(result) < 100, qPrintable(result));
}

QTEST_MAIN(TestAnalysis)
#include "tst_analysis.moc"
