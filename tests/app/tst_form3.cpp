// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: start-up state, loading data sets, the two lists, the
// legend, the values table, the climate classes and reset all.
#include "Form3Fixture.h"
#include "common/TestPaths.h"

#include "app/DataSetStyle.h"
#include "app/Form3Chart.h"
#include "colour/Form8.h"
#include "data/DataSet.h"
#include "data/ProgramState.h"
#include "data/Rgb.h"
#include "platform/DataGrid.h"
#include "platform/PictureBox.h"
#include "data/Twips.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QtTest>

#include <cmath>
#include <memory>

namespace {

// The rows of a list or combo box, as shown.
QStringList itemTexts(const QAbstractItemModel *model)
{
    QStringList texts;
    for (int row = 0; row < model->rowCount(); ++row)
        texts << model->index(row, 0).data().toString();
    return texts;
}
QStringList itemTexts(const QListWidget *list) { return itemTexts(list->model()); }
QStringList itemTexts(const QComboBox *combo) { return itemTexts(combo->model()); }

int twips(int pixels)
{
    return static_cast<int>(Twips::fromPixels(pixels));
}

// Each check names the control that fails it.
void verifyChecked(std::initializer_list<const QAbstractButton *> buttons, bool checked)
{
    for (const QAbstractButton *button : buttons)
        QVERIFY2(button->isChecked() == checked, qPrintable(button->objectName()));
}

QColor cellColour(const DataGrid *grid, int row, int column)
{
    const QTableWidgetItem *item = grid->item(row, column);
    return item ? item->foreground().color() : QColor();
}

} // namespace

class TestForm3 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startUpSettings();
    void startUpState();
    void openDialogIsSetUp();

    void firstLoad();
    void valuesFormatted_data();
    void valuesFormatted();
    void averagesFollowEdits_data();
    void averagesFollowEdits();
    void defaultColoursOfPlaces8To50();
    void legendShowsEveryCheckedEntry_data();
    void legendShowsEveryCheckedEntry();
    void threeLoadsStackTheLegend();
    void shortPairListBorrowsPreviousMonths();
    void failedLoadChangesNothing_data();
    void failedLoadChangesNothing();
    void fiftyFirstLoadIsAbandoned();
    void nonAsciiPathLoads();
    void uncheckingTheMiddleDataSet();
    void legendOffLeavesTheLegendAlone();
    void selectingInList2LoadsTheStyle();
    void valuesTableStopsGrowingNearTheWindowEdge_data();
    void valuesTableStopsGrowingNearTheWindowEdge();
    void climateClassOfEachPlace();
    void resetAllKeepsOnlyWhatSurvives();
    void resetAllWhileTheColourChooserWaits();

private:
    void loadConstant(const QString &name, double temp, double ppt);

    std::unique_ptr<DataFiles> m_files;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<Form3> m_window;
};

void TestForm3::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestForm3::init()
{
    m_files = std::make_unique<DataFiles>();
    m_dialogs = std::make_unique<ScriptedDialogs>();
    m_window = std::make_unique<Form3>();
    m_window->setProgramEnd([] {});
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestForm3::cleanup()
{
    m_window.reset();
    flushDeletions();
    m_dialogs.reset();
    m_files.reset();
}

void TestForm3::loadConstant(const QString &name, double temp, double ppt)
{
    openThroughToolbar(*m_window, *m_dialogs,
                       m_files->place(name + QStringLiteral(".tvr"), name, DataFiles::constant(temp, ppt)));
}

void TestForm3::startUpSettings()
{
    const Form3Controls &c = m_window->controls();
    QCOMPARE(itemTexts(c.Combo5), QStringList({"___", "---", "...", "-.-", "-.."}));
    QCOMPARE(c.Combo5->currentText(), QStringLiteral("___"));

    QStringList divisions{"Default"};
    for (int i = 2; i <= 20; ++i)
        divisions << QString::number(i);
    QCOMPARE(itemTexts(c.Combo1), divisions);
    QCOMPARE(itemTexts(c.Combo2), divisions);
    QCOMPARE(c.Combo1->currentText(), QStringLiteral("Default"));
    QCOMPARE(c.Combo2->currentText(), QStringLiteral("Default"));

    const QStringList decimals{"0", "0.0", "0.00", "0.000", "0.0000"};
    QCOMPARE(itemTexts(c.Combo3), decimals);
    QCOMPARE(itemTexts(c.Combo4), decimals);
    QCOMPARE(c.Combo3->currentText(), QStringLiteral("0.0"));
    QCOMPARE(c.Combo4->currentText(), QStringLiteral("0"));

    verifyChecked({c.Check1, c.ChkLegenda, c.GridX, c.GridY, c.Option2}, true);
    verifyChecked({c.ChkLimX, c.ChkLimY, c.Check2, c.Option3}, false);
    for (int i = 0; i < 5; ++i)
        QCOMPARE(c.Option1[i]->isChecked(), i == 1);
    for (QCheckBox *automatic : c.teC)
        QVERIFY(automatic->isChecked());
    QCOMPARE(c.TxTitulo->text(), QStringLiteral("Enter your title"));
}

void TestForm3::startUpState()
{
    const Form3Controls &c = m_window->controls();
    const MainState &state = m_window->state();
    const ProgramState &program = m_window->program();

    QCOMPARE(c.List1->count(), 0);
    QCOMPARE(c.List2->count(), 0);
    QVERIFY(c.Grid2->isHidden());
    QCOMPARE(c.Grid2->columnCount(), 1);
    QCOMPARE(c.Grid2->text(0, 0), QStringLiteral("Month"));
    QVERIFY(c.Frame4->isHidden());
    QVERIFY(c.tagPic->isHidden());
    QVERIFY(c.Label5->isHidden());
    QVERIFY(c.ProgBar->isHidden());
    QVERIFY(c.Lab[0] && !c.Lab[1]);

    QCOMPARE(state.setCount, 0);
    QVERIFY(!state.hasData);
    QCOMPARE(state.legendWidth, -1);
    QVERIFY(!state.blackWhite);
    QVERIFY(!state.areaMode);

    const qint32 colours[8] = {0, Rgb::pack(255, 0, 0), Rgb::pack(0, 110, 0), Rgb::pack(0, 0, 255),
                               Rgb::pack(150, 150, 0), Rgb::pack(0, 150, 150), Rgb::pack(0, 0, 150),
                               Rgb::pack(200, 100, 50)};
    for (int n = 1; n <= 7; ++n) {
        QCOMPARE(program.setColorTable[n], colours[n]);
        QCOMPARE(state.savedColor[n], colours[n]);
    }
    for (int n = 0; n <= 50; ++n) {
        QCOMPARE(state.setMarkerSize[n], n <= 10 ? 1 : 0);
        QCOMPARE(state.setLineWidth[n], n <= 10 ? 1 : 0);
        QCOMPARE(state.setLineStyle[n], 0);
    }

    // The plotting area sits on the guide lines, their end points included;
    // the bounds map onto its first and last pixels.
    const ChartState &chart = state.chart;
    QCOMPARE(chart.axisLeft, 720.0);
    QCOMPARE(chart.axisTop, 480.0);
    QCOMPARE(chart.axisRight, 6120.0);
    QCOMPARE(chart.axisBottom, 4920.0);
    QCOMPARE(c.Picture4->geometry(), QRect(48, 32, 361, 297));
    QCOMPARE(chart.plotLeft, 0.0);
    QCOMPARE(chart.plotTop, 0.0);
    QCOMPARE(chart.plotRight, 5400.0);
    QCOMPARE(chart.plotBottom, 4440.0);

    const QStringList months{"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Agu", "Sep", "Oct", "Nov", "Dic", "Jan"};
    for (int m = 1; m <= 13; ++m)
        QCOMPARE(chart.monthLabel[m], months[m - 1]);
}

void TestForm3::openDialogIsSetUp()
{
    QTest::mouseClick(m_window->controls().Bot[1], Qt::LeftButton);   // cancelled: the queue is empty
    QCOMPARE(m_dialogs->openRequests.size(), 1);
    const Dialogs::FileRequest &request = m_dialogs->openRequests.constFirst();
    QCOMPARE(request.title, QStringLiteral("Open"));
    QCOMPARE(request.filter, QStringLiteral("Tervalo(*.tvr)|*.tvr|All files(*.*)|*.*|"));
    QCOMPARE(request.defaultSuffix, QStringLiteral("*.tvr"));
    QCOMPARE(request.directory, QCoreApplication::applicationDirPath());
    QCOMPARE(m_window->state().setCount, 0);
    QVERIFY(m_window->controls().Grid2->isHidden());
}

void TestForm3::firstLoad()
{
    loadConstant(QStringLiteral("Lisboa"), 25.14, 120.6);
    const Form3Controls &c = m_window->controls();
    const MainState &state = m_window->state();

    QCOMPARE(state.setCount, 1);
    QVERIFY(state.hasData);
    QCOMPARE(state.setName[1], QStringLiteral("1 - Lisboa"));
    QCOMPARE(m_window->program().placeName, QStringLiteral("1 - Lisboa"));
    QCOMPARE(itemTexts(c.List1), QStringList{"1 - Lisboa"});
    QCOMPARE(itemTexts(c.List2), QStringList{"1 - Lisboa"});
    QCOMPARE(c.List1->item(0)->checkState(), Qt::Checked);
    QVERIFY(c.List2->selectedItems().isEmpty());

    QVERIFY(c.Grid2->isVisible());
    QCOMPARE(c.Grid2->rowCount(), 15);
    QCOMPARE(c.Grid2->columnCount(), 3);
    QCOMPARE(c.Grid2->text(0, 0), QStringLiteral("Month"));
    QCOMPARE(c.Grid2->text(13, 0), QStringLiteral("Average"));
    QCOMPARE(c.Grid2->text(14, 0), QStringLiteral("Class"));
    QCOMPARE(c.Grid2->text(0, 1), QStringLiteral("Tmp1"));
    QCOMPARE(c.Grid2->text(0, 2), QStringLiteral("Ppt1"));
    QCOMPARE(c.Grid2->columnWidthTwips(1), 540);
    QCOMPARE(c.Grid2->columnWidthTwips(2), 540);

    // Legend: the new label right under the header label, in its colour.
    QVERIFY(c.Frame4->isVisible());
    QLabel *label = m_window->Lab(1);
    QVERIFY(label);
    QCOMPARE(label->objectName(), QStringLiteral("Lab_1"));
    QCOMPARE(label->text(), QStringLiteral("1 - Lisboa"));
    QVERIFY(label->isVisible());
    QLabel *header = m_window->Lab(0);
    QCOMPARE(label->y(), header->y() + header->height());
    QCOMPARE(label->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QCOMPARE(twips(c.Frame4->height()), 240 + twips(header->height()));
    QCOMPARE(state.legendWidth, twips(label->width()));
    QCOMPARE(c.Frame4->width(), Twips::toPixels(state.legendWidth + 215));
    QCOMPARE(state.suppressRedraw, 0);
}

void TestForm3::valuesFormatted_data()
{
    QTest::addColumn<double>("temp");
    QTest::addColumn<double>("ppt");
    QTest::addColumn<QString>("tempCell");
    QTest::addColumn<QString>("pptCell");
    QTest::addColumn<QString>("tempAverage");
    QTest::addColumn<QString>("pptAverage");

    QTest::newRow("two decimals, whole precipitation") << 25.14 << 120.6 << "25.14" << "121" << "25.14" << "120.6";
    QTest::newRow("negative temperature") << -3.5 << 0.0 << "-3.50" << "0" << "-3.50" << "0.0";
    QTest::newRow("small precipitation shows as 0") << 10.0 << 0.4 << "10.00" << "0" << "10.00" << "0.4";
    QTest::newRow("large values") << 31.999 << 1234.5 << "32.00" << "1235" << "32.00" << "1234.5";
}

void TestForm3::valuesFormatted()
{
    QFETCH(double, temp);
    QFETCH(double, ppt);
    QFETCH(QString, tempCell);
    QFETCH(QString, pptCell);
    QFETCH(QString, tempAverage);
    QFETCH(QString, pptAverage);

    loadConstant(QStringLiteral("Site"), temp, ppt);
    const DataGrid *grid = m_window->controls().Grid2;
    QCOMPARE(grid->columnCount(), 3);
    for (int row = 1; row <= 12; ++row) {
        QCOMPARE(grid->text(row, 1), tempCell);
        QCOMPARE(grid->text(row, 2), pptCell);
        QCOMPARE(grid->item(row, 1)->textAlignment(), int(Qt::AlignCenter));
    }
    QCOMPARE(grid->text(13, 1), tempAverage);
    QCOMPARE(grid->text(13, 2), pptAverage);
}

// An edit of a month cell, typed or pasted, works its column's average out
// again from the cells, with the decimals of the quantity the column holds.
void TestForm3::averagesFollowEdits_data()
{
    QTest::addColumn<bool>("transposed");
    QTest::addColumn<bool>("pasted");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("march");
    QTest::addColumn<QString>("average");
    QTest::addColumn<QString>("otherAverage");
    // Temperatures 10, precipitation 120.6 (shown as 121) every month.
    QTest::newRow("temperature typed") << false << false << 1 << "22" << "11.00" << "120.6";
    QTest::newRow("precipitation typed") << false << false << 2 << "0" << "110.9" << "10.00";
    QTest::newRow("pasted") << false << true << 1 << "-14" << "8.00" << "120.6";
    QTest::newRow("emptied") << false << false << 1 << "" << "—" << "120.6";
    QTest::newRow("transposed, precipitation typed") << true << false << 1 << "0" << "110.9" << "10.00";
}

void TestForm3::averagesFollowEdits()
{
    QFETCH(bool, transposed);
    QFETCH(bool, pasted);
    QFETCH(int, column);
    QFETCH(QString, march);
    QFETCH(QString, average);
    QFETCH(QString, otherAverage);
    loadConstant(QStringLiteral("Site"), 10, 120.6);
    DataGrid *grid = m_window->controls().Grid2;
    if (transposed)
        QTest::mouseClick(m_window->controls().CommTranspor, Qt::LeftButton);
    grid->setCurrentCell(3, column);
    if (pasted) {
        QGuiApplication::clipboard()->setText(march);
        QTest::keyClick(grid, Qt::Key_V, Qt::ControlModifier);
    } else {
        QTest::keyClick(grid, Qt::Key_Delete);
        QTest::keyClicks(grid, march);
    }
    QCOMPARE(grid->text(3, column), march);
    QCOMPARE(grid->text(13, column), average);
    QCOMPARE(grid->text(13, 3 - column), otherAverage);
}

// Places 8..50 have colours of their own, each far from its neighbours and
// from the chart's black and greys; the user's colour outlives reset all,
// and black-and-white ended by reset all gives the places their colours back.
void TestForm3::defaultColoursOfPlaces8To50()
{
    ProgramState &program = m_window->program();
    const auto distance = [](qint32 a, qint32 b) {
        return std::hypot(Rgb::red(a) - Rgb::red(b), Rgb::green(a) - Rgb::green(b), Rgb::blue(a) - Rgb::blue(b));
    };
    for (int n = 8; n <= 50; ++n) {
        for (const qint32 taken : {Rgb::pack(0, 0, 0), Rgb::pack(120, 120, 120), Rgb::pack(180, 180, 180),
                                   Rgb::pack(255, 255, 255), program.setColorTable[n - 1]})
            QVERIFY2(distance(program.setColorTable[n], taken) > 50, qPrintable(QString::number(n)));
    }
    const qint32 eight = program.setColorTable[8];
    for (int n = 1; n <= 9; ++n)
        loadConstant(QStringLiteral("P%1").arg(n), n, 10 * n);
    program.setColorTable[9] = m_window->state().savedColor[9] = Rgb::pack(1, 2, 3); // chosen by the user
    QTest::mouseClick(m_window->controls().Command2, Qt::LeftButton);
    QCOMPARE(program.setColorTable[8], 0);
    QTest::mouseClick(m_window->controls().Bot[3], Qt::LeftButton);
    flushDeletions();
    QCOMPARE(program.setColorTable[8], eight);
    QCOMPARE(program.setColorTable[9], Rgb::pack(1, 2, 3));
    QCOMPARE(program.setColorTable[1], Rgb::pack(255, 0, 0));
}

// However many entries are checked, each shows whole in the legend, on the
// screen and in what paper and files draw, and the legend in its place
// covers neither axis; one stacked column at the label font while that fits.
void TestForm3::legendShowsEveryCheckedEntry_data()
{
    QTest::addColumn<int>("loaded");
    QTest::addColumn<int>("shown");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("oneColumn");
    QTest::newRow("12 places") << 12 << 12 << "Place" << true;
    QTest::newRow("30 places") << 30 << 30 << "Place" << false;
    QTest::newRow("50 long names") << 50 << 50 << "Mumbai/Colaba 1961-1990" << false;
    QTest::newRow("50 loaded, 15 checked") << 50 << 15 << "Mumbai/Colaba 1961-1990" << true;
}

void TestForm3::legendShowsEveryCheckedEntry()
{
    QFETCH(int, loaded);
    QFETCH(int, shown);
    QFETCH(QString, name);
    QFETCH(bool, oneColumn);
    DataSet place;
    place.name = name;
    for (int n = 1; n <= loaded; ++n)
        QVERIFY(m_window->appendPlace(place));
    const Form3Controls &c = m_window->controls();
    for (int i = shown; i < loaded; ++i)
        c.List1->item(i)->setCheckState(Qt::Unchecked);

    const QLabel *header = m_window->Lab(0);
    QRegion covered;
    for (int n = 1; n <= loaded; ++n) {
        const QLabel *label = m_window->Lab(n);
        QCOMPARE(label->isVisible(), n <= shown);
        if (n > shown)
            continue;
        QVERIFY(c.Frame4->rect().contains(label->geometry()));
        QVERIFY(!covered.intersects(label->geometry()));
        covered += label->geometry();
        QVERIFY(label->width() >= label->sizeHint().width());
        QVERIFY(label->font().pointSizeF() >= 6);
        if (oneColumn) {
            QCOMPARE(label->font(), header->font());
            QCOMPARE(label->pos(), QPoint(header->x(), header->y() + n * header->height()));
        }
    }
    const ChartOverlay overlay = m_window->chart()->overlay();
    QCOMPARE(int(overlay.legendEntries.size()), shown);
    for (const ChartOverlay::Text &entry : overlay.legendEntries)
        QVERIFY(QRectF(QPointF(0, 0), QSizeF(m_window->chartPixelSize())).contains(entry.box));
    const QPoint axesEnd = c.Picture1->pos() + c.eixoX->geometry().topRight();
    QVERIFY(c.Frame4->geometry().right() <= axesEnd.x());
    QVERIFY(c.Frame4->geometry().bottom() <= axesEnd.y());
}

void TestForm3::threeLoadsStackTheLegend()
{
    loadConstant(QStringLiteral("A"), 10, 100);
    loadConstant(QStringLiteral("Bbbbbbbbbbbbbbbbbbbbbbbbbbbbbb"), 12, 80);
    loadConstant(QStringLiteral("C"), 14, 60);
    const Form3Controls &c = m_window->controls();

    QCOMPARE(m_window->state().setCount, 3);
    QCOMPARE(itemTexts(c.List1), QStringList({"1 - A", "2 - Bbbbbbbbbbbbbbbbbbbbbbbbbbbbbb", "3 - C"}));
    QCOMPARE(itemTexts(c.List2), itemTexts(c.List1));
    for (int i = 0; i < 3; ++i)
        QCOMPARE(c.List1->item(i)->checkState(), Qt::Checked);

    QCOMPARE(c.Grid2->columnCount(), 7);
    QCOMPARE(c.Grid2->text(0, 5), QStringLiteral("Tmp3"));
    QCOMPARE(c.Grid2->text(0, 6), QStringLiteral("Ppt3"));
    QCOMPARE(c.Grid2->text(1, 3), QStringLiteral("12.00"));
    QCOMPARE(c.Grid2->text(1, 6), QStringLiteral("60"));

    const QLabel *header = m_window->Lab(0);
    const int step = header->height();
    for (int n = 1; n <= 3; ++n) {
        QVERIFY(m_window->Lab(n)->isVisible());
        QCOMPARE(m_window->Lab(n)->y(), header->y() + n * step);
    }
    QCOMPARE(twips(c.Frame4->height()), 240 + 3 * twips(step));
    // The widest label sets the frame's width.
    const int widest = twips(m_window->Lab(2)->width());
    QVERIFY(widest > twips(m_window->Lab(1)->width()));
    QCOMPARE(m_window->state().legendWidth, widest);
    QCOMPARE(c.Frame4->width(), Twips::toPixels(widest + 215));
    QCOMPARE(m_window->Lab(3)->palette().color(QPalette::WindowText), QColor(0, 0, 255));
}

void TestForm3::shortPairListBorrowsPreviousMonths()
{
    openThroughToolbar(*m_window, *m_dialogs,
                       m_files->place(QStringLiteral("full.tvr"), QStringLiteral("Full"), DataFiles::ramp(0)));
    // Twelve pairs without the closing pair: only eleven months are read.
    openThroughToolbar(*m_window, *m_dialogs,
                       m_files->place(QStringLiteral("short.tvr"), QStringLiteral("Short"), DataFiles::ramp(20), 12,
                                      false));
    const DataGrid *grid = m_window->controls().Grid2;
    QCOMPARE(m_window->state().setCount, 2);
    QCOMPARE(grid->text(11, 3), QStringLiteral("31.00"));
    QCOMPARE(grid->text(11, 4), QStringLiteral("110"));
    QCOMPARE(grid->text(12, 3), QStringLiteral("12.00"));   // December of the first file
    QCOMPARE(grid->text(12, 4), QStringLiteral("120"));
}

void TestForm3::failedLoadChangesNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("kind");   // "file", "missing", "folder", "cancel"

    QTest::newRow("cancelled") << QByteArray() << "cancel";
    QTest::newRow("missing file") << QByteArray() << "missing";
    QTest::newRow("folder picked as a file") << QByteArray() << "folder";
    QTest::newRow("empty file") << QByteArray() << "file";
    QTest::newRow("only the name") << QByteArray("\"Somewhere\"\r\n") << "file";
    QTest::newRow("pair without semicolon") << QByteArray("\"X\",\"(1;2),(3 4),(13;0)\"\r\n") << "file";
    QTest::newRow("number that is not one") << QByteArray("\"X\",\"(1;2),(abc;4),(13;0)\"\r\n") << "file";
    QTest::newRow("empty temperature") << QByteArray("\"X\",\"(;2),(1;4),(13;0)\"\r\n") << "file";
    QTest::newRow("no monthly pair") << QByteArray("\"X\",\"hello\"\r\n") << "file";
    QTest::newRow("text of another kind") << QByteArray("Dear reader,\nthis is a letter.\n") << "file";
    QByteArray binary(4096, '\0');
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = char((i * 37 + 11) & 0xFF);
    QTest::newRow("binary") << binary << "file";
}

void TestForm3::failedLoadChangesNothing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, kind);

    loadConstant(QStringLiteral("Good"), 5, 50);
    const Form3Controls &c = m_window->controls();
    const MainState before = m_window->state();
    const int columns = c.Grid2->columnCount();
    const QString firstPath = m_window->program().dataFileName;

    QString path;
    if (kind == QLatin1String("file"))
        path = m_files->write(QStringLiteral("bad.tvr"), bytes);
    else if (kind == QLatin1String("missing"))
        path = m_files->path(QStringLiteral("nowhere.tvr"));
    else if (kind == QLatin1String("folder"))
        path = m_files->path(QString());
    if (kind == QLatin1String("cancel"))
        QTest::mouseClick(c.Bot[1], Qt::LeftButton);
    else
        openThroughToolbar(*m_window, *m_dialogs, path);

    const MainState &after = m_window->state();
    QCOMPARE(after.setCount, 1);
    QCOMPARE(after.fileTemp, before.fileTemp);
    QCOMPARE(after.filePrec, before.filePrec);
    QCOMPARE(itemTexts(c.List1), QStringList{"1 - Good"});
    QCOMPARE(itemTexts(c.List2), QStringList{"1 - Good"});
    QCOMPARE(c.Grid2->columnCount(), columns);
    QVERIFY(!m_window->Lab(2));
    QCOMPARE(m_window->program().dataFileName, kind == QLatin1String("cancel") ? firstPath : path);
    QVERIFY(m_dialogs->messages.isEmpty());

    // A good file afterwards gets the next number and the good values.
    loadConstant(QStringLiteral("Next"), 7, 70);
    QCOMPARE(m_window->state().setCount, 2);
    QCOMPARE(c.Grid2->text(1, 3), QStringLiteral("7.00"));
}

void TestForm3::fiftyFirstLoadIsAbandoned()
{
    const QString path = m_files->place(QStringLiteral("same.tvr"), QStringLiteral("Same"), DataFiles::ramp(1));
    for (int n = 1; n <= 50; ++n)
        openThroughToolbar(*m_window, *m_dialogs, path);
    const Form3Controls &c = m_window->controls();
    QCOMPARE(m_window->state().setCount, 50);
    QCOMPARE(c.List1->count(), 50);
    QCOMPARE(c.List1->item(49)->text(), QStringLiteral("50 - Same"));
    QCOMPARE(c.Grid2->columnCount(), 101);
    const int requests = m_dialogs->openRequests.size();

    openThroughToolbar(*m_window, *m_dialogs, path);
    QCOMPARE(m_window->state().setCount, 50);
    QCOMPARE(c.List1->count(), 50);
    QCOMPARE(c.List2->count(), 50);
    QCOMPARE(c.Grid2->columnCount(), 101);
    QCOMPARE(m_dialogs->openRequests.size(), requests);   // not even asked for a file
    QVERIFY(m_dialogs->messages.isEmpty());
    QCOMPARE(m_dialogs->beeps, 1);
}

void TestForm3::nonAsciiPathLoads()
{
    const QString path = m_files->place(QStringLiteral("Estações/São Tomé — 気候.tvr"), QStringLiteral("São Tomé"),
                                        DataFiles::constant(26, 80));
    openThroughToolbar(*m_window, *m_dialogs, path);
    QCOMPARE(m_window->state().setCount, 1);
    QCOMPARE(m_window->program().dataFileName, path);
    QCOMPARE(m_window->controls().List1->item(0)->text(), QStringLiteral("1 - São Tomé"));
}

void TestForm3::uncheckingTheMiddleDataSet()
{
    loadConstant(QStringLiteral("A"), 10, 100);
    loadConstant(QStringLiteral("B"), 12, 80);
    loadConstant(QStringLiteral("C"), 14, 60);
    const Form3Controls &c = m_window->controls();

    // The user moves to the second entry and takes its check mark off.
    c.List1->setFocus();
    c.List1->setCurrentRow(1);
    QTest::keyClick(c.List1, Qt::Key_Space);
    QCOMPARE(c.List1->item(1)->checkState(), Qt::Unchecked);

    QCOMPARE(itemTexts(c.List2), QStringList({"1 - A", "3 - C"}));
    QVERIFY(c.List2->selectedItems().isEmpty());
    const QColor grey(200, 200, 200);
    for (int row = 0; row <= 13; ++row) {
        QCOMPARE(cellColour(c.Grid2, row, 3), grey);
        QCOMPARE(cellColour(c.Grid2, row, 4), grey);
        QCOMPARE(cellColour(c.Grid2, row, 5), QColor(Qt::black));
    }
    const QLabel *header = m_window->Lab(0);
    const int step = header->height();
    QVERIFY(m_window->Lab(1)->isVisible());
    QVERIFY(m_window->Lab(2)->isHidden());
    QVERIFY(m_window->Lab(3)->isVisible());
    QCOMPARE(m_window->Lab(3)->y(), m_window->Lab(1)->y() + step);
    QCOMPARE(twips(c.Frame4->height()), 240 + 2 * twips(step));

    // Checking it again puts it back in list order and blackens its columns.
    c.List1->item(1)->setCheckState(Qt::Checked);
    QCOMPARE(itemTexts(c.List2), QStringList({"1 - A", "2 - B", "3 - C"}));
    QCOMPARE(m_window->Lab(2)->y(), header->y() + 2 * step);
    QCOMPARE(m_window->Lab(3)->y(), header->y() + 3 * step);
    QCOMPARE(cellColour(c.Grid2, 5, 3), QColor(Qt::black));
    QCOMPARE(m_window->state().setCount, 3);
}

void TestForm3::legendOffLeavesTheLegendAlone()
{
    loadConstant(QStringLiteral("A"), 10, 100);
    loadConstant(QStringLiteral("B"), 12, 80);
    const Form3Controls &c = m_window->controls();
    c.ChkLegenda->setChecked(false);
    const QRect frame = c.Frame4->geometry();
    const bool labelVisible = m_window->Lab(2)->isVisible();
    const int labelTop = m_window->Lab(2)->y();

    c.List1->item(0)->setCheckState(Qt::Unchecked);

    QCOMPARE(c.Frame4->geometry(), frame);
    QCOMPARE(m_window->Lab(2)->isVisible(), labelVisible);
    QCOMPARE(m_window->Lab(2)->y(), labelTop);
    QCOMPARE(itemTexts(c.List2), QStringList{"2 - B"});
}

void TestForm3::selectingInList2LoadsTheStyle()
{
    loadConstant(QStringLiteral("A"), 10, 100);
    loadConstant(QStringLiteral("B"), 12, 80);
    MainState &state = m_window->state();
    state.setMarkerSize[2] = 4;
    state.setLineWidth[2] = 7;
    state.setLineStyle[2] = 3;
    const Form3Controls &c = m_window->controls();

    const QRect second = c.List2->visualItemRect(c.List2->item(1));
    QTest::mouseClick(c.List2->viewport(), Qt::LeftButton, {}, second.center());

    QCOMPARE(c.Slider1->value(), 4);
    QCOMPARE(c.Slider2->value(), 7);
    QCOMPARE(c.Combo5->currentIndex(), 3);
    QCOMPARE(state.loadingStyle, 0);
    // Loading the controls stores nothing.
    QCOMPARE(state.setMarkerSize[1], 1);
    QCOMPARE(state.setLineWidth[1], 1);
    QCOMPARE(state.setLineStyle[1], 0);
    QCOMPARE(state.setMarkerSize[2], 4);

    const QRect first = c.List2->visualItemRect(c.List2->item(0));
    QTest::mouseClick(c.List2->viewport(), Qt::LeftButton, {}, first.center());
    QCOMPARE(c.Slider1->value(), 1);
    QCOMPARE(c.Combo5->currentIndex(), 0);

    // A width the slider cannot show (0, as data sets 11..50 start) leaves
    // it where it was instead of showing a width that is not stored.
    state.setLineWidth[2] = 0;
    c.Slider2->setValue(5);
    QTest::mouseClick(c.List2->viewport(), Qt::LeftButton, {}, second.center());
    QCOMPARE(c.Slider2->value(), 5);
    QCOMPARE(state.setLineWidth[2], 0);
}

void TestForm3::valuesTableStopsGrowingNearTheWindowEdge_data()
{
    QTest::addColumn<int>("windowWidth");   // pixels of client area
    QTest::newRow("design width") << 792;
    QTest::newRow("narrow") << 420;
    QTest::newRow("wide") << 1400;
}

void TestForm3::valuesTableStopsGrowingNearTheWindowEdge()
{
    QFETCH(int, windowWidth);
    m_window->resize(windowWidth, m_window->height());
    const DataGrid *grid = m_window->controls().Grid2;
    const QString path = m_files->place(QStringLiteral("x.tvr"), QStringLiteral("X"), DataFiles::ramp(1));

    int expectedWidth = twips(grid->width());
    const int left = twips(grid->x());
    const int outerWidth = twips(windowWidth) + 120;
    for (int n = 1; n <= 12; ++n) {
        if (outerWidth - 600 > left + expectedWidth)
            expectedWidth += 1080;
        openThroughToolbar(*m_window, *m_dialogs, path);
        QCOMPARE(twips(grid->width()), expectedWidth);
    }
    QVERIFY(left + twips(grid->width()) < outerWidth - 600 + 1080);
}

// The class row, and the tooltips of the lists and the legend, from each
// place's own numbers: the file's, through transposition, then an edited
// cell's.
void TestForm3::climateClassOfEachPlace()
{
    // Temperate all year; July just under 22 °C, which the table shows as 22.00.
    DataFiles::Months months = DataFiles::constant(12, 60);
    months.temp[7] = 21.996;
    openThroughToolbar(*m_window, *m_dialogs, m_files->place(QStringLiteral("mild.tvr"), QStringLiteral("Mild"), months));
    openThroughToolbar(*m_window, *m_dialogs, TestPaths::sourceDir() + QStringLiteral("/samples/moscow.tvr"));
    const Form3Controls &c = m_window->controls();
    DataGrid *grid = c.Grid2;
    const auto classRow = [grid] {
        return QStringList{grid->text(14, 1), grid->text(14, 2), grid->text(14, 3), grid->text(14, 4)};
    };
    QCOMPARE(classRow(), (QStringList{"Cfb", "", "Dfb", ""}));
    const QString mild = QString::fromUtf8("Köppen–Geiger climate class Cfb: Temperate, without dry season, warm summer\n");
    QVERIFY(c.List1->item(0)->toolTip().startsWith(mild));
    QVERIFY(c.List1->item(0)->toolTip().contains(QString::fromUtf8("warmest 21.996\u00a0°C < 22 → b")));
    QCOMPARE(c.List2->item(0)->toolTip(), c.List1->item(0)->toolTip());
    QVERIFY(m_window->Lab(1)->toolTip().startsWith(mild));
    QVERIFY(m_window->Lab(2)->toolTip().contains(QStringLiteral("Dfb: Cold, without dry season, warm summer")));

    // The classes stay under "Tmp n", and with the file's numbers, though
    // the exchanged cells now hold the 22 shown.
    m_window->chart()->transPor();
    QCOMPARE(grid->text(7, 2), QStringLiteral("22"));
    QCOMPARE(classRow(), (QStringList{"", "Cfb", "", "Dfb"}));

    grid->setCurrentCell(7, 2);
    QTest::keyClick(grid, Qt::Key_Delete);
    QCOMPARE(classRow(), (QStringList{"", QString::fromUtf8("—"), "", "Dfb"}));
    QVERIFY(c.List2->item(0)->toolTip().startsWith(QStringLiteral("No climate class")));
    QTest::keyClicks(grid, QStringLiteral("22.5"));
    QCOMPARE(classRow(), (QStringList{"", "Cfa", "", "Dfb"}));
    QVERIFY(m_window->Lab(1)->toolTip().contains(QStringLiteral("Cfa: Temperate")));
}

void TestForm3::resetAllKeepsOnlyWhatSurvives()
{
    loadConstant(QStringLiteral("A"), 10, 100);
    loadConstant(QStringLiteral("B"), 12, 80);
    MainState &state = m_window->state();
    ProgramState &program = m_window->program();
    const Form3Controls &c = m_window->controls();   // refilled in place by the reset

    // Styles and settings a user could have changed.
    state.setLineStyle[1] = 2;
    state.setLineStyle[30] = 4;
    state.setMarkerSize[1] = 5;
    state.setMarkerSize[12] = 3;
    state.setLineWidth[2] = 9;
    state.setLineWidth[40] = 6;
    program.setColorTable[1] = Rgb::pack(1, 2, 3);
    program.setColorTable[9] = Rgb::pack(9, 9, 9);
    state.savedColor[9] = Rgb::pack(8, 8, 8);
    state.blackWhite = true;
    const QString dataFile = program.dataFileName;
    c.Combo3->setCurrentIndex(3);
    c.GridX->setChecked(false);
    c.Option3->setChecked(true);
    c.Option1[0]->setChecked(true);
    c.teC[2]->setChecked(false);
    c.TxTitulo->setText(QStringLiteral("My chart"));
    c.Frame4->move(20, 30);   // the legend dragged elsewhere

    QTest::mouseClick(c.Bot[3], Qt::LeftButton);
    flushDeletions();

    // Only one set of controls remains, at their start-up values.
    QCOMPARE(m_window->findChildren<QListWidget *>(QStringLiteral("List1")).size(), 1);
    QCOMPARE(c.List1->count(), 0);
    QCOMPARE(c.List2->count(), 0);
    QVERIFY(c.Grid2->isHidden());
    QCOMPARE(c.Grid2->columnCount(), 1);
    QVERIFY(c.Frame4->isHidden());
    QVERIFY(!m_window->Lab(1));
    QVERIFY(c.List1->isVisible());
    QCOMPARE(c.Combo3->currentText(), QStringLiteral("0.0"));
    QCOMPARE(c.Combo5->count(), 5);
    QCOMPARE(c.Combo1->count(), 20);
    verifyChecked({c.GridX, c.Option2, c.Option1[1], c.teC[2]}, true);
    QCOMPARE(c.TxTitulo->text(), QStringLiteral("Enter your title"));
    QCOMPARE(c.Frame4->pos(), QPoint(Twips::toPixels(5520), Twips::toPixels(3480)));
    // Chart and plotting area cleared.
    for (const PictureBox *surface : {c.Picture1, c.Picture4}) {
        const QImage &image = surface->image();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                QCOMPARE(image.pixel(x, y), image.pixel(0, 0));
    }

    QCOMPARE(state.setCount, 0);
    QVERIFY(!state.hasData);
    QVERIFY(!state.blackWhite);
    QCOMPARE(state.legendWidth, -1);
    // Kept: line types, styles of 11..50, colours of 8..50, program-wide values.
    QCOMPARE(state.setLineStyle[1], 2);
    QCOMPARE(state.setLineStyle[30], 4);
    QCOMPARE(state.setMarkerSize[1], 1);
    QCOMPARE(state.setMarkerSize[12], 3);
    QCOMPARE(state.setLineWidth[2], 1);
    QCOMPARE(state.setLineWidth[40], 6);
    QCOMPARE(program.setColorTable[1], Rgb::pack(255, 0, 0));
    QCOMPARE(state.savedColor[1], Rgb::pack(255, 0, 0));
    QCOMPARE(program.setColorTable[9], Rgb::pack(9, 9, 9));
    QCOMPARE(state.savedColor[9], Rgb::pack(8, 8, 8));
    QCOMPARE(program.dataFileName, dataFile);

    // The new controls work: loading starts again at data set 1.
    loadConstant(QStringLiteral("Again"), 3, 30);
    QCOMPARE(state.setCount, 1);
    QCOMPARE(itemTexts(c.List1), QStringList{"1 - Again"});
    QCOMPARE(c.Grid2->text(0, 1), QStringLiteral("Tmp1"));
    QVERIFY(m_window->Lab(1)->isVisible());
}

void TestForm3::resetAllWhileTheColourChooserWaits()
{
    loadConstant(QStringLiteral("A"), 10, 100);
    // Reset all from inside the wait of "Colors": the style object that
    // opened the chooser is still on the call stack, so its controls must
    // outlive the reset, and go as soon as that wait has ended.
    const QPointer<QListWidget> oldList = m_window->controls().List2;
    const QPointer<QObject> oldStyle = m_window->dataSetStyle();
    oldList->setCurrentRow(0);
    bool resetDuringWait = false;
    QTimer::singleShot(0, m_window.get(), [&] {
        resetDuringWait = true;
        QVERIFY(m_window->program().colorChooserOpen == 1);
        m_window->resetAll();
        flushDeletions();
        QVERIFY(oldList);
        QVERIFY(oldStyle);
        QVERIFY(!oldList->isVisible());
        QCOMPARE(m_window->findChildren<QListWidget *>(QStringLiteral("List2")).size(), 2);
        QCOMPARE(m_window->controls().List1->count(), 0);
        for (Form8 *chooser : m_window->findChildren<Form8 *>())
            chooser->close();
    });
    QTest::mouseClick(m_window->controls().CommCor, Qt::LeftButton);
    QVERIFY(resetDuringWait);
    flushDeletions();
    QVERIFY(!oldList);
    QVERIFY(!oldStyle);
    QCOMPARE(m_window->findChildren<QListWidget *>(QStringLiteral("List2")).size(), 1);

    // Another reset all leaves one set of controls too.
    m_window->resetAll();
    flushDeletions();
    QCOMPARE(m_window->findChildren<QListWidget *>(QStringLiteral("List2")).size(), 1);
}

QTEST_MAIN(TestForm3)
#include "tst_form3.moc"
