// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's chart procedures: scales gathered from the values table
// and the scale boxes, transposition, the settings' handlers, and the chart
// drawn again through a painter (SVG file, PNG at 2×) as the screen shows it.
#include "analysis/ClimateClass.h"
#include "app/Form3.h"
#include "app/Form3Chart.h"
#include "chart/ChartRenderer.h"
#include "chart/ChartValuesFixture.h"
#include "common/RecordingCanvas.h"
#include "common/TestPaths.h"
#include "data/DataSet.h"
#include "data/NumberText.h"
#include "platform/DataGrid.h"
#include "platform/PictureBox.h"

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QDir>
#include <QComboBox>
#include <QFile>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSvgGenerator>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTransform>
#include <QXmlStreamReader>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <type_traits>

namespace {

using Months = ChartValuesFixture::Months;

const qint32 white = Rgb::pack(255, 255, 255);
// Red is the default colour of data set 1.
const qint32 red = Rgb::pack(255, 0, 0);

// The main window with data sets appended as the Open button appends them.
struct ChartWindow
{
    Form3 form;
    const Form3Controls &c = form.controls();
    MainState &state = form.state();
    ProgramState &program = form.program();
    Form3Chart *engine = form.chart();

    static int px(double twips) { return Twips::toPixels(twips); }

    // Appended (and drawn) as a loaded file is; unchecked afterwards when asked.
    int addDataSet(const Months &temps, const Months &precs, bool checked = true)
    {
        DataSet place;
        place.name = QStringLiteral("Place %1").arg(state.setCount + 1);
        for (int m = 1; m <= 12; ++m) {
            place.temp[m] = temps[m - 1];
            place.ppt[m] = precs[m - 1];
        }
        form.appendPlace(place);
        if (!checked)
            setChecked(state.setCount, false);
        return state.setCount;
    }

    void setChecked(int n, bool checked)
    {
        c.List1->item(n - 1)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
};

// Twelve values evenly from `first` (January) to `last` (December).
Months ramp(double first, double last)
{
    Months values{};
    for (int m = 0; m < 12; ++m)
        values[m] = first + (last - first) * m / 11;
    return values;
}

Months flat(double value)
{
    Months values{};
    values.fill(value);
    return values;
}

bool near(double a, double b) { return std::fabs(a - b) < 1e-9; }

// The usual single data set, 10..30 degrees and 0..200 mm, drawn and scaled.
void plotRamp(ChartWindow &f) { f.addDataSet(ramp(10, 30), ramp(0, 200)); f.engine->reFaz(true); }

qint64 count(const PictureBox &picture, qint32 colour, const QRect &area = QRect(0, 0, 10000, 10000))
{
    return picture.canvas().countPixels(colour, area);
}

// Where the ink of a box lies: the darkness-weighted centre of its pixels
// (image coordinates divided by `scale`), and how much ink there is.
struct Ink
{
    QPointF centre;
    double mass = 0;
};

Ink inkIn(const QImage &image, const QRectF &box, double scale)
{
    Ink ink;
    const QRect area = QRectF(box.topLeft() * scale, box.size() * scale).toAlignedRect().intersected(image.rect());
    QPointF sum;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const double dark = 255 - qGray(image.pixel(x, y));
            sum += dark * QPointF(x + 0.5, y + 0.5);
            ink.mass += dark;
        }
    }
    if (ink.mass > 0)
        ink.centre = sum / ink.mass / scale;
    ink.mass /= scale * scale;
    return ink;
}

// The texts of an SVG file as QSvgGenerator writes them: each <text> with
// its baseline start, moved by the matrix of the group around it.
struct SvgText
{
    QString text;
    QPointF baseline;
};

QList<SvgText> textsOf(const QString &path)
{
    QList<SvgText> texts;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return texts;
    QXmlStreamReader xml(&file);
    QTransform group;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        if (xml.name() == QLatin1String("g")) {
            group = QTransform();
            const QString matrix = attributes.value(QLatin1String("transform")).toString();
            if (matrix.startsWith(QLatin1String("matrix("))) {
                const QStringList m = matrix.mid(7).chopped(1).split(u',');
                if (m.size() == 6)
                    group = QTransform(m[0].toDouble(), m[1].toDouble(), m[2].toDouble(), m[3].toDouble(),
                                       m[4].toDouble(), m[5].toDouble());
            }
        } else if (xml.name() == QLatin1String("text")) {
            const QPointF at(attributes.value(QLatin1String("x")).toDouble(),
                             attributes.value(QLatin1String("y")).toDouble());
            texts.append({xml.readElementText(), group.map(at)});
        }
    }
    return texts;
}

} // namespace

class TestForm3Chart : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void automaticBounds_data();
    void automaticBounds();
    void redrawWithoutRescaleKeepsTheRange();
    void typedBoundTakesEffectThroughUpdate();
    void frozenBoundBecomesTheShownValue();
    void textThatIsNotANumber();
    void leavingABoxWithANumberMakesItManual();
    void transposition();
    void transpositionSetsManualBoundsToo();
    void transpositionWithoutDataDoesNothing();
    void transpositionMovesTextThatIsNotANumber();
    void formataAxisName();
    void settingsListsRedraw();
    void thresholdBoxesThatAreNotNumbers();
    void zeroRangeDrawsAroundTheValue();
    void cellThatIsNotANumberKeepsThePreviousPoint();
    void monthLabelStyles_data();
    void monthLabelStyles();
    void noCheckedSetClearsOnlyThePlottingArea();
    void chartKindTitleAndLegend();
    void walterLiethKind();
    void walterLiethReadsTheTransposedColumns();

    void svgAndPngShowTheTextsOfTheScreen_data();
    void svgAndPngShowTheTextsOfTheScreen();

    void everySampleDrawsAlikeInEveryLocale_data();
    void everySampleDrawsAlikeInEveryLocale();
};

void TestForm3Chart::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestForm3Chart::automaticBounds_data()
{
    QTest::addColumn<QList<Months>>("temps");
    QTest::addColumn<QList<Months>>("precs");
    QTest::addColumn<QList<bool>>("checked");
    QTest::addColumn<QList<double>>("bounds"); // min X, max X, min Y, max Y
    QTest::addColumn<QStringList>("boxes");    // TextEsc(0..3)

    QTest::newRow("one data set") << QList<Months>{ramp(10, 30)} << QList<Months>{ramp(0, 200)}
                                  << QList<bool>{true} << QList<double>{9, 31, -10, 210}
                                  << QStringList{"210", "-10", "9.0", "31.0"};
    QTest::newRow("union of two") << QList<Months>{ramp(10, 20), ramp(15, 30)}
                                  << QList<Months>{ramp(0, 200), ramp(50, 100)} << QList<bool>{true, true}
                                  << QList<double>{9, 31, -10, 210} << QStringList{"210", "-10", "9.0", "31.0"};
    QTest::newRow("unchecked set left out") << QList<Months>{ramp(10, 20), ramp(15, 50)}
                                            << QList<Months>{ramp(0, 200), ramp(0, 900)}
                                            << QList<bool>{true, false} << QList<double>{9.5, 20.5, -10, 210}
                                            << QStringList{"210", "-10", "9.5", "20.5"};
}

void TestForm3Chart::automaticBounds()
{
    QFETCH(QList<Months>, temps);
    QFETCH(QList<Months>, precs);
    QFETCH(QList<bool>, checked);
    QFETCH(QList<double>, bounds);
    QFETCH(QStringList, boxes);

    ChartWindow f;
    for (int i = 0; i < temps.size(); ++i)
        f.addDataSet(temps[i], precs[i], checked[i]);
    f.engine->reFaz(true);
    const ChartState &s = f.state.chart;
    const double drawn[] = {s.scaleMinX, s.scaleMaxX, s.scaleMinY, s.scaleMaxY};
    for (int i = 0; i < 4; ++i) {
        QVERIFY2(near(drawn[i], bounds[i]), qPrintable(QStringLiteral("bound %1 is %2").arg(i).arg(drawn[i])));
        QCOMPARE(f.c.TextEsc[i]->text(), boxes[i]);
    }
    QCOMPARE(s.autoMinX, s.scaleMinX);
    QCOMPARE(s.autoMaxY, s.scaleMaxY);
    QCOMPARE(s.checkedCount, int(checked.count(true)));
}

void TestForm3Chart::redrawWithoutRescaleKeepsTheRange()
{
    ChartWindow f;
    plotRamp(f);
    f.c.Grid2->setText(12, 1, QStringLiteral("25.00")); // December was 30
    f.engine->reFaz(false);
    QVERIFY(near(f.state.chart.scaleMaxX, 31));
    f.engine->Command1_Click(); // "Update" widens, never narrows
    QVERIFY(near(f.state.chart.scaleMaxX, 31));
    // Checking or unchecking a data set rescales: now the range follows
    // 10..28.18 (November, as the table shows it).
    f.engine->reFaz(true);
    QVERIFY(near(f.state.chart.scaleMaxX, Scale::upperBound(10, 28.18)));
    // An equal value does not move an extreme; a larger one does.
    f.c.Grid2->setText(1, 2, QStringLiteral("200"));
    f.engine->reFaz(false);
    QVERIFY(near(f.state.chart.scaleMaxY, 210));
}

void TestForm3Chart::typedBoundTakesEffectThroughUpdate()
{
    ChartWindow f;
    plotRamp(f);
    f.c.TextEsc[2]->setText(QStringLiteral("12"));
    f.engine->TextEsc_Validate(2);
    QVERIFY(!f.c.teC[2]->isChecked());
    QVERIFY(near(f.state.chart.scaleMinX, 9)); // not yet
    f.engine->Command1_Click();
    QVERIFY(near(f.state.chart.scaleMinX, 12));

    // Later redraws keep 12; the upper bound stays automatic, its margin
    // still taken from the frozen lower extreme 10.
    f.c.Grid2->setText(1, 1, QStringLiteral("0.00"));
    f.engine->reFaz(true);
    QVERIFY(near(f.state.chart.scaleMinX, 12));
    QVERIFY(near(f.state.chart.scaleMaxX, 31));
    QCOMPARE(f.c.TextEsc[2]->text(), QStringLiteral("12"));
}

void TestForm3Chart::frozenBoundBecomesTheShownValue()
{
    ChartWindow f;
    f.addDataSet(ramp(10.3, 30), ramp(0, 200));
    f.engine->reFaz(true);
    QVERIFY(near(f.state.chart.scaleMinX, 10.3 - 0.05 * 19.7));
    QCOMPARE(f.c.TextEsc[2]->text(), QStringLiteral("9.3"));
    f.c.teC[2]->setChecked(false);
    f.engine->Command1_Click();
    QVERIFY(near(f.state.chart.scaleMinX, 9.3));
}

void TestForm3Chart::textThatIsNotANumber()
{
    ChartWindow f;
    plotRamp(f);
    // Leaving a box with text that is not a number leaves it automatic.
    f.c.TextEsc[0]->setText(QStringLiteral("lots"));
    f.engine->TextEsc_Validate(0);
    QVERIFY(f.c.teC[0]->isChecked());
    // A manual bound whose text is not a number keeps its value on "Update".
    f.c.teC[0]->setChecked(false);
    f.engine->Command1_Click();
    QVERIFY(near(f.state.chart.scaleMaxY, 210));
    QCOMPARE(f.c.TextEsc[0]->text(), QStringLiteral("lots"));
}

void TestForm3Chart::leavingABoxWithANumberMakesItManual()
{
    ChartWindow f;
    f.addDataSet(ramp(10, 30), ramp(0, 200));
    f.form.show();
    QApplication::setActiveWindow(&f.form);
    QVERIFY(QTest::qWaitForWindowActive(&f.form));
    f.c.TextEsc[2]->setFocus();
    f.c.TextEsc[2]->selectAll();
    QTest::keyClicks(f.c.TextEsc[2], QStringLiteral("12"));
    f.c.TextEsc[1]->setFocus(); // leave the box
    QVERIFY(!f.c.teC[2]->isChecked());
    QVERIFY(f.c.teC[1]->isChecked());
    QTest::mouseClick(f.c.Command1, Qt::LeftButton);
    QVERIFY(near(f.state.chart.scaleMinX, 12));

    // Passing through a box without typing freezes its bound too; Return
    // in a box does not count as leaving it.
    f.c.TextEsc[0]->setFocus();
    QTest::keyClick(f.c.TextEsc[0], Qt::Key_Return);
    QVERIFY(f.c.teC[0]->isChecked());
    f.c.TextEsc[3]->setFocus();
    QVERIFY(!f.c.teC[0]->isChecked());
    QVERIFY(f.c.teC[3]->isChecked());
}

void TestForm3Chart::transposition()
{
    ChartWindow f;
    f.addDataSet(ramp(20, 28), ramp(0, 300));
    f.engine->reFaz(true);
    f.engine->transPor();
    const ChartState &s = f.state.chart;
    QVERIFY(near(s.scaleMinX, -15));
    QVERIFY(near(s.scaleMaxX, 315));
    QVERIFY(near(s.scaleMinY, 19.6));
    QVERIFY(near(s.scaleMaxY, 28.4));
    QCOMPARE(f.c.Grid2->text(0, 1), QStringLiteral("Ppt1"));
    QCOMPARE(f.c.Grid2->text(0, 2), QStringLiteral("Tmp1"));
    QCOMPARE(f.c.Grid2->text(12, 1), QStringLiteral("300"));
    QCOMPARE(f.c.Grid2->text(1, 2), QStringLiteral("20"));
    QCOMPARE(f.c.Grid2->text(13, 1), NumberText::fixed(150, 1)); // the averages go with their columns
    QCOMPARE(f.c.Grid2->text(13, 2), NumberText::fixed(24, 2));
    QCOMPARE(f.c.TextEsc[2]->text(), QStringLiteral("-15.0"));
    QCOMPARE(f.c.TextEsc[0]->text(), QStringLiteral("28"));

    f.engine->Command1_Click(); // the automatic copies agree
    QVERIFY(near(s.scaleMaxX, 315));

    f.engine->transPor();
    QVERIFY(near(s.scaleMinX, 19.6));
    QVERIFY(near(s.scaleMaxX, 28.4));
    QVERIFY(near(s.scaleMinY, -15));
    QVERIFY(near(s.scaleMaxY, 315));
    QCOMPARE(f.c.Grid2->text(0, 1), QStringLiteral("Tmp1"));
    QCOMPARE(f.c.Grid2->text(12, 1), QStringLiteral("28"));
}

void TestForm3Chart::transpositionSetsManualBoundsToo()
{
    ChartWindow f;
    f.addDataSet(ramp(20, 28), ramp(0, 300));
    // A second, unchecked data set takes part in the new extremes.
    f.addDataSet(ramp(20, 28), ramp(0, 500), false);
    f.engine->reFaz(true);
    f.c.TextEsc[3]->setText(QStringLiteral("40"));
    f.engine->TextEsc_Validate(3);
    f.engine->Command1_Click();
    QVERIFY(near(f.state.chart.scaleMaxX, 40));
    f.engine->transPor();
    QVERIFY(near(f.state.chart.scaleMaxX, 525));
    QVERIFY(near(f.state.chart.scaleMinX, -25));
    QCOMPARE(f.c.TextEsc[3]->text(), QStringLiteral("40")); // its box is not touched
}

void TestForm3Chart::transpositionWithoutDataDoesNothing()
{
    ChartWindow f;
    f.state.chart.scaleMinX = 1;
    f.state.chart.scaleMaxX = 2;
    f.engine->transPor();
    QCOMPARE(f.state.chart.scaleMinX, 1.0);
    QCOMPARE(f.state.chart.scaleMaxX, 2.0);
    QCOMPARE(count(*f.c.Picture1, white), qint64(460 * 355));
}

void TestForm3Chart::transpositionMovesTextThatIsNotANumber()
{
    ChartWindow f;
    f.addDataSet(ramp(20, 28), ramp(0, 300));
    f.c.Grid2->setText(5, 1, QStringLiteral("n/a"));
    f.engine->transPor();
    QCOMPARE(f.c.Grid2->text(5, 2), QStringLiteral("n/a"));
    QCOMPARE(f.c.Grid2->text(5, 1), QStringLiteral("109")); // May's 109.09 as the table shows it
    f.engine->transPor();
    QCOMPARE(f.c.Grid2->text(5, 1), QStringLiteral("n/a"));
}

void TestForm3Chart::formataAxisName()
{
    ChartWindow f;
    QCOMPARE(f.engine->Formata(31.25, Axis::X), QStringLiteral("31.3"));
    QCOMPARE(f.engine->Formata(31.25, Axis::Y), QStringLiteral("31"));
    // Only the X axis takes the X decimals: the axis is a value of its own
    // kind, so no text (a capital "X") can stand for it.
    static_assert(!std::is_convertible_v<QString, Axis> && !std::is_convertible_v<const char *, Axis>);
    f.c.Combo3->setCurrentIndex(2);
    QCOMPARE(f.engine->Formata(7, Axis::X), QStringLiteral("7.00"));
    f.c.Combo4->setCurrentIndex(-1);
    QCOMPARE(f.engine->Formata(7, Axis::Y), QString());
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    QCOMPARE(f.engine->Formata(7, Axis::X), QStringLiteral("7,00"));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestForm3Chart::settingsListsRedraw()
{
    ChartWindow f;
    plotRamp(f);
    QCOMPARE(f.state.chart.divisionsX, 8);
    f.c.Combo1->setCurrentIndex(3); // "4"
    QCOMPARE(f.state.chart.divisionsX, 4);
    f.c.Combo2->setCurrentIndex(19); // "20"
    QCOMPARE(f.state.chart.divisionsY, 20);
    f.c.Combo3->setCurrentIndex(0);
    QCOMPARE(f.c.TextEsc[2]->text(), QStringLiteral("9"));
}

void TestForm3Chart::zeroRangeDrawsAroundTheValue()
{
    ChartWindow f;
    f.addDataSet(flat(25), flat(100));
    f.engine->reFaz(true);
    QCOMPARE(f.state.chart.scaleMinX, 25.0);
    QCOMPARE(f.state.chart.scaleMaxX, 25.0);
    // The single point sits in the middle of the plotting area.
    QCOMPARE(f.c.Picture4->pixel(180, 148), red);
    f.c.Option3->setChecked(true);
    QCOMPARE(f.c.Picture4->pixel(ChartWindow::px(5400 / 24), 148), red);
}

void TestForm3Chart::cellThatIsNotANumberKeepsThePreviousPoint()
{
    ChartWindow f;
    f.addDataSet(ramp(10, 30), ramp(0, 200));
    f.addDataSet(ramp(12, 25), ramp(10, 100));
    f.c.Grid2->setText(1, 3, QStringLiteral("?"));
    f.engine->reFaz(true);
    QCOMPARE(f.state.chart.plotTemp[1], 10.0);
    QCOMPARE(f.state.chart.plotTemp[13], 10.0);
    QCOMPARE(f.state.chart.plotPrec[1], 10.0);
}

void TestForm3Chart::monthLabelStyles_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QStringList>("labels");
    QTest::newRow("January") << 0
                             << QStringList{"January", "February", "March", "April", "May", "June", "July",
                                            " Agust", "September", "October", " November", "Dicember"};
    QTest::newRow("Jan") << 1
                         << QStringList{"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Agu", "Sep", "Oct",
                                        "Nov", "Dic"};
    QTest::newRow("J") << 2 << QStringList{"J", "F", "M", "A", "M", "J", "J", "A", "S", "O", "N", "D"};
    QTest::newRow("1") << 3 << QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"};
    QTest::newRow("Null") << 4 << QStringList{"", "", "", "", "", "", "", "", "", "", "", ""};
}

void TestForm3Chart::monthLabelStyles()
{
    QFETCH(int, style);
    QFETCH(QStringList, labels);
    ChartWindow f;
    f.addDataSet(ramp(10, 30), ramp(0, 200));
    f.c.Option1[style]->setChecked(true);
    if (style == 1)
        f.engine->Option1_Click(1);
    for (int m = 1; m <= 12; ++m) {
        QCOMPARE(f.state.chart.monthLabel[m], labels[m - 1]);
        QCOMPARE(f.c.Grid2->text(m, 0), labels[m - 1]);
    }
    QCOMPARE(f.state.chart.monthLabel[13], labels[0]);
}

void TestForm3Chart::noCheckedSetClearsOnlyThePlottingArea()
{
    ChartWindow f;
    plotRamp(f);
    const QImage axes = f.c.Picture1->image();
    QVERIFY(count(*f.c.Picture1, white) < 460 * 355 - 200);
    QVERIFY(count(*f.c.Picture4, red) > 100);
    f.setChecked(1, false);
    f.engine->reFaz(true);
    QCOMPARE(count(*f.c.Picture4, white), qint64(361 * 297));
    QCOMPARE(f.c.Picture1->image(), axes);
    QVERIFY(near(f.state.chart.scaleMaxX, 31));
}

void TestForm3Chart::chartKindTitleAndLegend()
{
    ChartWindow f;
    f.form.show();
    // Before any data set: only the thresholds frame follows the kind.
    f.c.Option3->setChecked(true);
    QVERIFY(!f.c.Frame5->isEnabled());
    QCOMPARE(count(*f.c.Picture1, white), qint64(460 * 355));
    f.c.Option2->setChecked(true);
    QVERIFY(f.c.Frame5->isEnabled());

    f.addDataSet(ramp(10, 30), ramp(0, 200));
    f.c.Option3->setChecked(true);
    QVERIFY(count(*f.c.Picture4, red) > 0);

    f.c.TxTitulo->setText(QStringLiteral("Three places"));
    f.c.Check1->setChecked(false);
    QVERIFY(!f.c.TxTitulo->isVisible());
    f.c.Check1->setChecked(true);
    QVERIFY(f.c.TxTitulo->isVisible());
    QCOMPARE(f.c.TxTitulo->text(), QStringLiteral("Three places"));
    f.c.ChkLegenda->setChecked(false);
    QVERIFY(!f.c.Frame4->isVisible());
    f.c.ChkLegenda->setChecked(true);
    QVERIFY(f.c.Frame4->isVisible());
}

// The diagrams take the whole chart picture: no plotting area, guide lines
// or legend over them, and the settings that do not apply unavailable;
// choosing another kind gives all of it back.
void TestForm3Chart::walterLiethKind()
{
    ChartWindow f;
    f.form.show();
    f.addDataSet(ramp(10, 30), ramp(0, 200));
    DataSet south;
    south.name = QStringLiteral("Sydney 1991-2020");
    south.info.latitude = -33.9;
    south.info.period = QStringLiteral("1991-2020");
    f.form.appendPlace(south);
    QVERIFY(f.c.Frame4->isVisible());

    f.c.OptionWalterLieth->setChecked(true);
    const std::vector<WalterLiethDiagram> &diagrams = f.engine->walterLiethDiagrams();
    QCOMPARE(diagrams.size(), std::size_t(2));
    QCOMPARE(diagrams[0].firstMonth, 1);
    QCOMPARE(diagrams[1].firstMonth, 7);   // by its latitude
    f.engine->setMonthOrder(MonthOrder::JanuaryFirst);
    QCOMPARE(f.engine->walterLiethDiagrams()[1].firstMonth, 1);
    // Each header names the place's climate class, as the values table does.
    {
        QTemporaryDir folder;
        const QString svgPath = folder.filePath(QStringLiteral("diagrams.svg"));
        QSvgGenerator generator;
        generator.setFileName(svgPath);
        QPainter painter(&generator);
        f.form.paintChart(painter, QRectF(QPointF(0, 0), QSizeF(f.form.chartPixelSize())));
        painter.end();
        const QList<SvgText> texts = textsOf(svgPath);
        for (int n = 1; n <= 2; ++n) {
            const QString code = f.form.climateClass(n).code();
            QVERIFY2(!code.isEmpty() && std::any_of(texts.begin(), texts.end(),
                                                    [&](const SvgText &text) { return text.text == code; }),
                     qPrintable(code));
        }
    }
    for (QWidget *hidden : {static_cast<QWidget *>(f.c.Picture4), static_cast<QWidget *>(f.c.eixoX),
                            static_cast<QWidget *>(f.c.Frame4)})
        QVERIFY2(!hidden->isVisible(), qPrintable(hidden->objectName()));
    for (QWidget *unavailable : {static_cast<QWidget *>(f.c.Frame1), static_cast<QWidget *>(f.c.Combo1),
                                 static_cast<QWidget *>(f.c.Combo4), static_cast<QWidget *>(f.c.Frame3),
                                 static_cast<QWidget *>(f.c.Frame5), static_cast<QWidget *>(f.c.CommTranspor)})
        QVERIFY2(!unavailable->isEnabled(), qPrintable(unavailable->objectName()));
    // The legend box takes effect in the other kinds only.
    f.c.ChkLegenda->setChecked(false);
    f.c.ChkLegenda->setChecked(true);
    QVERIFY(!f.c.Frame4->isVisible());

    f.c.Option2->setChecked(true);
    for (QWidget *shown : {static_cast<QWidget *>(f.c.Picture4), static_cast<QWidget *>(f.c.eixoX),
                           static_cast<QWidget *>(f.c.Frame4)})
        QVERIFY2(shown->isVisible(), qPrintable(shown->objectName()));
    QVERIFY(f.c.Frame1->isEnabled() && f.c.Frame5->isEnabled() && f.c.CommTranspor->isEnabled());
    QVERIFY(f.engine->walterLiethDiagrams().empty());

    // Back from the diagrams with no place checked: the picture, on the
    // screen and in a file, holds neither a diagram nor axes from before.
    f.c.OptionWalterLieth->setChecked(true);
    f.setChecked(1, false);
    f.setChecked(2, false);
    f.c.Option2->setChecked(true);
    QCOMPARE(count(*f.c.Picture1, white), qint64(460 * 355));
    QImage drawn(f.form.chartPixelSize(), QImage::Format_RGB32);
    QPainter painter(&drawn);
    f.form.paintChart(painter, QRectF(QPointF(0, 0), QSizeF(drawn.size())));
    painter.end();
    // Left of the vertical axis, where its labels would stand.
    const QRect labels(0, 30, 46, drawn.height() - 30);
    QImage blank(labels.size(), QImage::Format_RGB32);
    blank.fill(Qt::white);
    QCOMPARE(drawn.copy(labels), blank);
}

// A transposed table holds the temperatures in each place's second column;
// the diagram still draws temperature as temperature.
void TestForm3Chart::walterLiethReadsTheTransposedColumns()
{
    ChartWindow f;
    f.addDataSet(ramp(-5, 20), ramp(100, 300));
    f.engine->transPor();
    QCOMPARE(f.c.Grid2->text(0, 1), QStringLiteral("Ppt1"));
    f.c.OptionWalterLieth->setChecked(true);
    const std::vector<WalterLiethDiagram> &diagrams = f.engine->walterLiethDiagrams();
    QCOMPARE(diagrams.size(), std::size_t(1));
    QCOMPARE(diagrams[0].bottom, -10.0);
    QCOMPARE(diagrams[0].top, 60.0);
}

void TestForm3Chart::thresholdBoxesThatAreNotNumbers()
{
    // Only a checked row's boxes that hold a number become threshold lines.
    ChartWindow f;
    f.c.ChkLimX->setChecked(true);
    f.c.txtLimInfX->setText(QStringLiteral("20"));
    f.c.TxtLimSupX->setText(QStringLiteral("warm"));
    f.c.txtLimInfY->setText(QStringLiteral("30"));
    const ChartSettings settings = f.engine->settings();
    QCOMPARE(settings.thresholdsX, std::vector<double>{20});
    QVERIFY(settings.thresholdsY.empty());
}

void TestForm3Chart::svgAndPngShowTheTextsOfTheScreen_data()
{
    QTest::addColumn<bool>("normal");
    QTest::newRow("climate diagram") << false;
    QTest::newRow("normal") << true;
}

// Three places drawn on the screen, then the chart picture through the
// painter into an SVG file and into a PNG file at twice the size: every
// tick label, the title and each legend entry has its ink at the same place
// (within a pixel) as on the screen.
void TestForm3Chart::svgAndPngShowTheTextsOfTheScreen()
{
    QFETCH(bool, normal);
    ChartWindow f;
    f.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.form));
    f.addDataSet(ChartValuesFixture::tropicalTemps(), ChartValuesFixture::tropicalPrecs());
    f.addDataSet(ChartValuesFixture::mediterraneanTemps(), ChartValuesFixture::mediterraneanPrecs());
    f.addDataSet(ChartValuesFixture::continentalTemps(), ChartValuesFixture::continentalPrecs());
    f.c.TxTitulo->setText(QStringLiteral("Three places"));
    f.c.Option3->setChecked(normal);
    QCoreApplication::processEvents();

    const QSize size = f.form.chartPixelSize();
    QCOMPARE(size, f.c.Picture1->size());
    const QImage screen = f.c.client->grab(f.c.Picture1->geometry()).toImage();

    QTemporaryDir folder;
    const QString pngPath = folder.filePath(QStringLiteral("chart.png"));
    {
        QImage twice(size * 2, QImage::Format_RGB32);
        twice.fill(Qt::white);
        QPainter painter(&twice);
        f.form.paintChart(painter, QRectF(QPointF(0, 0), QSizeF(size * 2)));
        painter.end();
        QVERIFY(twice.save(pngPath));
    }
    const QImage png(pngPath);
    QCOMPARE(png.size(), size * 2);

    const QString svgPath = folder.filePath(QStringLiteral("chart.svg"));
    {
        QSvgGenerator generator;
        generator.setFileName(svgPath);
        generator.setSize(size);
        generator.setViewBox(QRect(QPoint(0, 0), size));
        QPainter painter(&generator);
        f.form.paintChart(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    QVERIFY(QSvgRenderer(svgPath).isValid());
    const QList<SvgText> svgTexts = textsOf(svgPath);

    // Where the screen writes its texts: the axis labels as the renderer
    // places them, the title box and the legend entries.
    RasterCanvas scratch(f.c.Picture1->size());
    scratch.setTextFont(ChartRenderer::labelFont());
    RecordingCanvas labels(scratch);
    ChartRenderer::draw(f.engine->settings(), {ChartSeries()}, &labels, nullptr);
    QList<QRectF> boxes;
    for (const RecordingCanvas::Text &text : labels.texts)
        if (!text.text.isEmpty())
            boxes << QRectF(text.topLeft, text.size).adjusted(-1, -1, 1, 1);
    const ChartOverlay overlay = f.engine->overlay();
    QVERIFY(overlay.titleShown);
    QVERIFY(overlay.legendShown);
    QCOMPARE(int(overlay.legendEntries.size()), 3);
    boxes << overlay.title.box;
    for (const ChartOverlay::Text &entry : overlay.legendEntries)
        boxes << entry.box;
    QVERIFY(boxes.size() > 20);

    for (const QRectF &box : boxes) {
        const Ink shown = inkIn(screen, box, 1);
        QVERIFY(shown.mass > 100);
        const Ink drawn = inkIn(png, box, 2);
        const QPointF shift = drawn.centre - shown.centre;
        QVERIFY2(drawn.mass > shown.mass / 3 && std::abs(shift.x()) <= 1 && std::abs(shift.y()) <= 1,
                 qPrintable(QStringLiteral("box at %1,%2 moved by %3,%4")
                                .arg(box.x()).arg(box.y()).arg(shift.x()).arg(shift.y())));
    }

    // The SVG file holds each text where the screen writes it: the axis
    // labels at their left edge and baseline, the title and the legend
    // entries inside their boxes.
    const double ascent = QFontMetricsF(ChartRenderer::labelFont()).ascent();
    const auto findSvg = [&svgTexts](const QString &text, const auto &fits) {
        return std::any_of(svgTexts.begin(), svgTexts.end(),
                           [&](const SvgText &svg) { return svg.text == text && fits(svg.baseline); });
    };
    for (const RecordingCanvas::Text &label : labels.texts) {
        if (label.text.isEmpty())
            continue;
        QVERIFY2(findSvg(label.text, [&](QPointF at) {
                     return std::abs(at.x() - label.topLeft.x()) <= 1
                         && std::abs(at.y() - ascent - label.topLeft.y()) <= 1;
                 }),
                 qPrintable(label.text));
    }
    QList<ChartOverlay::Text> overlaid{overlay.title};
    overlaid.append(QList<ChartOverlay::Text>(overlay.legendEntries.begin(), overlay.legendEntries.end()));
    for (const ChartOverlay::Text &text : overlaid)
        QVERIFY2(findSvg(text.text, [&](QPointF at) { return text.box.adjusted(-1, -1, 1, 1).contains(at); }),
                 qPrintable(text.text));
}

void TestForm3Chart::everySampleDrawsAlikeInEveryLocale_data()
{
    QTest::addColumn<QString>("path");
    const QDir samples(TestPaths::sourceDir() + QStringLiteral("/samples"));
    const QStringList files = samples.entryList({QStringLiteral("*.tvr")}, QDir::Files);
    QVERIFY(!files.isEmpty());
    for (const QString &file : files)
        QTest::newRow(qPrintable(file)) << samples.filePath(file);
}

// A sample opened as a user opens it draws the same diagram and the same
// scale under English, Brazilian and German settings: only the axis
// numbers' decimal separator may differ, and they are not red.
void TestForm3Chart::everySampleDrawsAlikeInEveryLocale()
{
    QFETCH(QString, path);
    QList<double> firstBounds;
    QByteArray firstDiagram;
    for (const QLocale &locale : {QLocale(QLocale::English, QLocale::UnitedStates),
                                  QLocale(QLocale::Portuguese, QLocale::Brazil),
                                  QLocale(QLocale::German, QLocale::Germany)}) {
        QLocale::setDefault(locale);
        ChartWindow f;
        QVERIFY(f.form.loadDataFile(path));
        const ChartState &chart = f.state.chart;
        const QList<double> bounds{chart.scaleMinX, chart.scaleMaxX, chart.scaleMinY, chart.scaleMaxY};
        const QImage image = f.c.Picture4->canvas().image().convertToFormat(QImage::Format_RGB32);
        QByteArray diagram; // one byte per pixel: drawn in data set 1's red or not
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                diagram.append(image.pixel(x, y) == qRgb(255, 0, 0) ? '1' : '0');
        QVERIFY(diagram.count('1') > 100);
        if (firstDiagram.isEmpty()) {
            firstBounds = bounds;
            firstDiagram = diagram;
            continue;
        }
        QCOMPARE(bounds, firstBounds);
        QVERIFY2(diagram == firstDiagram, qPrintable(locale.name()));
    }
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

QTEST_MAIN(TestForm3Chart)
#include "tst_form3_chart.moc"
