// SPDX-License-Identifier: GPL-3.0-or-later
// Per-data-set style and black-and-white mode, on style controls built here
// the way the main window builds them: what is stored, what the legend shows
// and how often the chart is redrawn.
#include "app/DataSetStyle.h"
#include "app/MainState.h"
#include "data/ProgramState.h"
#include "colour/Form8.h"
#include "data/Rgb.h"
#include "data/Twips.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

const QStringList lineTypes = {QStringLiteral("___"), QStringLiteral("---"), QStringLiteral("..."),
                               QStringLiteral("-.-"), QStringLiteral("-..")};

// The main window's style controls with three loaded data sets, all checked,
// in their start colours; List2 has no selection.
struct Rig
{
    QWidget window;
    QListWidget *List1 = new QListWidget(&window);
    QListWidget *List2 = new QListWidget(&window);
    QComboBox *Combo5 = new QComboBox(&window);
    QSlider *Slider1 = new QSlider(Qt::Horizontal, &window);
    QSlider *Slider2 = new QSlider(Qt::Horizontal, &window);
    QPushButton *CommCor = new QPushButton(QStringLiteral("Colors"), &window);
    QPushButton *Command2 = new QPushButton(QStringLiteral("B && W"), &window);
    QFrame *Frame4 = new QFrame(&window);
    std::array<QLabel *, 51> labels{};
    MainState state;
    ProgramState program;
    QList<bool> redraws;
    std::unique_ptr<DataSetStyle> style;

    explicit Rig(const QStringList &names = {QStringLiteral("1 - Lisboa"), QStringLiteral("2 - Manaus"),
                                             QStringLiteral("3 - Oslo")})
    {
        List2->setSelectionMode(QAbstractItemView::ExtendedSelection);
        Combo5->addItems(lineTypes);
        Slider1->setRange(0, 5);
        Slider2->setRange(1, 10);
        Slider2->setGeometry(0, 0, 200, 24);
        Frame4->setGeometry(0, 0, 50, 200);
        labels[0] = new QLabel(QStringLiteral("Legend"), Frame4);
        const qint32 start[] = {Rgb::pack(255, 0, 0), Rgb::pack(0, 110, 0), Rgb::pack(0, 0, 255)};
        for (const QString &name : names) {
            const int n = name.left(2).trimmed().toInt();
            state.setName[n] = name;
            List1->addItem(name);
            List2->addItem(name);
            labels[n] = new QLabel(name, Frame4);
            labels[n]->adjustSize();
            program.setColorTable[n] = start[(n - 1) % 3];
            state.savedColor[n] = program.setColorTable[n];
            state.setMarkerSize[n] = 1;
            state.setLineWidth[n] = 1;
        }
        state.setCount = List1->count();
        state.legendWidth = -1;
        state.setLineStyle[2] = 1;
        state.setLineStyle[3] = 4;

        const StyleControls controls{List1, List2, Combo5, Slider1, Slider2, CommCor, Command2, Frame4,
                                     [this](int n) { return n >= 0 && n <= 50 ? labels[n] : nullptr; }, {}};
        style = std::make_unique<DataSetStyle>(state, program, controls,
                                               [this](bool rescale) { redraws.append(rescale); });
    }

    QLabel *Lab(int n) const { return labels[n]; }
    QColor textColour(int n) const { return labels[n]->palette().color(QPalette::WindowText); }
    QStringList legendTexts() const { return {labels[1]->text(), labels[2]->text(), labels[3]->text()}; }
    // The legend frame fits its widest label.
    void checkLegendWidth() const
    {
        int widest = -1;
        for (int n = 1; n <= List1->count(); ++n)
            widest = std::max(widest, labels[n]->width() * Twips::perPixel);
        QCOMPARE(state.legendWidth, widest);
        QCOMPARE(Frame4->width(), Twips::toPixels(state.legendWidth + 160));
    }
    // Closes a chooser still open after five seconds, so a failed check cannot hang the run.
    void closeChooserLater()
    {
        QTimer::singleShot(5000, &window, [this] {
            if (style->chooser())
                style->chooser()->close();
        });
    }
};

// Rows of List2 to select (and the current one), as a user does with the mouse.
void select(QListWidget *list, const QList<int> &rows, int current)
{
    list->clearSelection();
    list->setCurrentRow(current, QItemSelectionModel::NoUpdate);
    for (int row : rows)
        list->item(row)->setSelected(true);
}

} // namespace

class TestDataSetStyle : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void styleChange_data();
    void styleChange();
    void noStoreWhileLoading_data();
    void noStoreWhileLoading();
    void widthFromDraggedThumb_data();
    void widthFromDraggedThumb();
    void widthFromTrackClick();
    void twoDigitDataSetNumber();

    void blackAndWhiteOnAndOff();
    void lineTypeWhileBlackAndWhite();

    void colorsWithoutSelection();
    void colorsDoneStoresAndRedrawsAfterClosing();
    void colorsCancel();
    void colorsPressedTwice();
    void colourThroughBlackAndWhite_data();
    void colourThroughBlackAndWhite();
};

void TestDataSetStyle::init()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

enum class Control { LineType, MarkerSize, LineWidth };
Q_DECLARE_METATYPE(Control)

void TestDataSetStyle::styleChange_data()
{
    QTest::addColumn<Control>("control");
    QTest::addColumn<QList<int>>("selectedRows");
    QTest::addColumn<int>("currentRow");
    QTest::addColumn<int>("changedSet"); // -1: nothing stored

    const struct { const char *name; Control control; } controls[] = {
        {"line type", Control::LineType}, {"marker size", Control::MarkerSize},
        {"line width", Control::LineWidth}};
    for (const auto &c : controls) {
        QTest::addRow("%s, nothing selected", c.name) << c.control << QList<int>{} << 1 << -1;
        QTest::addRow("%s, one selected", c.name) << c.control << QList<int>{1} << 1 << 2;
        QTest::addRow("%s, several selected", c.name) << c.control << QList<int>{0, 2} << 2 << 3;
        QTest::addRow("%s, current not selected", c.name) << c.control << QList<int>{0} << 2 << 3;
    }
}

// The user changes a style control by keyboard: the current data set takes
// the value when List2 has a selection; the chart is redrawn either way.
void TestDataSetStyle::styleChange()
{
    QFETCH(Control, control);
    QFETCH(QList<int>, selectedRows);
    QFETCH(int, currentRow);
    QFETCH(int, changedSet);
    Rig rig;
    select(rig.List2, selectedRows, currentRow);
    // Start the controls away from every stored value (code: stores nothing).
    rig.Combo5->setCurrentIndex(2);
    rig.Slider1->setValue(3);
    const MainState before = rig.state;

    QWidget *widget = control == Control::LineType     ? static_cast<QWidget *>(rig.Combo5)
                      : control == Control::MarkerSize ? static_cast<QWidget *>(rig.Slider1)
                                                       : static_cast<QWidget *>(rig.Slider2);
    QTest::keyClick(widget, control == Control::LineType ? Qt::Key_Down : Qt::Key_Right);

    const std::array<int, 51> MainState::*table = control == Control::LineType ? &MainState::setLineStyle
                                                  : control == Control::MarkerSize ? &MainState::setMarkerSize
                                                                                   : &MainState::setLineWidth;
    const int value = control == Control::LineType     ? rig.Combo5->currentIndex()
                      : control == Control::MarkerSize ? rig.Slider1->value()
                                                       : rig.Slider2->value();
    QVERIFY(value != (before.*table)[changedSet < 0 ? 2 : changedSet]);
    for (int n = 0; n <= 50; ++n)
        QCOMPARE((rig.state.*table)[n], n == changedSet ? value : (before.*table)[n]);
    QCOMPARE(rig.redraws, QList<bool>{false});
    QCOMPARE(rig.program.colorChooserOpen, 0);
}

// While List2_Click loads a data set's style into the controls (code sets
// them, loadingStyle = 1), nothing is stored and nothing redrawn; values set
// by code store nothing even with the guard down, and a user's change during
// loading is ignored too.
void TestDataSetStyle::noStoreWhileLoading_data()
{
    QTest::addColumn<int>("loadingStyle");
    QTest::addColumn<bool>("byUser");
    QTest::newRow("code, loading") << 1 << false;
    QTest::newRow("code, not loading") << 0 << false;
    QTest::newRow("user, loading") << 1 << true;
}

void TestDataSetStyle::noStoreWhileLoading()
{
    QFETCH(int, loadingStyle);
    QFETCH(bool, byUser);
    Rig rig;
    select(rig.List2, {2}, 2);
    const MainState before = rig.state;
    rig.state.loadingStyle = loadingStyle;
    if (byUser) {
        QTest::keyClick(rig.Combo5, Qt::Key_Down);
        QTest::keyClick(rig.Slider1, Qt::Key_Right);
        QTest::keyClick(rig.Slider2, Qt::Key_Right);
    } else {
        rig.Combo5->setCurrentIndex(3);
        rig.Slider1->setValue(4);
        rig.Slider2->setValue(7);
    }
    QCOMPARE(rig.state.setLineStyle, before.setLineStyle);
    QCOMPARE(rig.state.setMarkerSize, before.setMarkerSize);
    QCOMPARE(rig.state.setLineWidth, before.setLineWidth);
    QVERIFY(rig.redraws.isEmpty());
}

// A dragged thumb stores the width once, when it is let go, whether or not
// the slider tracks its thumb.
void TestDataSetStyle::widthFromDraggedThumb_data()
{
    QTest::addColumn<bool>("tracking");
    QTest::newRow("tracking") << true;
    QTest::newRow("not tracking") << false;
}

void TestDataSetStyle::widthFromDraggedThumb()
{
    QFETCH(bool, tracking);
    Rig rig;
    rig.Slider2->setTracking(tracking);
    select(rig.List2, {0}, 0);
    rig.Slider2->setSliderDown(true);
    rig.Slider2->setSliderPosition(4);
    rig.Slider2->setSliderPosition(7);
    QCOMPARE(rig.state.setLineWidth[1], 1);
    QVERIFY(rig.redraws.isEmpty());
    rig.Slider2->setSliderDown(false);
    QCOMPARE(rig.state.setLineWidth[1], 7);
    QCOMPARE(rig.redraws, QList<bool>{false});
}

void TestDataSetStyle::widthFromTrackClick()
{
    Rig rig;
    select(rig.List2, {1}, 1);
    rig.Slider2->setPageStep(3);
    QTest::mouseClick(rig.Slider2, Qt::LeftButton, {},
                      QPoint(rig.Slider2->width() - 3, rig.Slider2->height() / 2));
    QCOMPARE(rig.Slider2->value(), 4);
    QCOMPARE(rig.state.setLineWidth[2], 4);
    QCOMPARE(rig.redraws, QList<bool>{false});
}

// The data set number is read from the first two characters of the entry.
void TestDataSetStyle::twoDigitDataSetNumber()
{
    Rig rig({QStringLiteral("7 - Sete"), QStringLiteral("12 - Doze")});
    rig.Slider1->setValue(3);
    select(rig.List2, {1}, 1);
    QTest::keyClick(rig.Slider1, Qt::Key_Right);
    QCOMPARE(rig.state.setMarkerSize[12], 4);
    QCOMPARE(rig.state.setMarkerSize[1], 0);
    QCOMPARE(rig.state.setMarkerSize[7], 1);
    select(rig.List2, {0}, 0);
    QTest::keyClick(rig.Slider1, Qt::Key_Right);
    QCOMPARE(rig.state.setMarkerSize[7], 5);
    QCOMPARE(rig.state.setMarkerSize[12], 4);
}

void TestDataSetStyle::blackAndWhiteOnAndOff()
{
    Rig rig;
    const auto start = rig.program.setColorTable;
    const QStringList names = {rig.state.setName[1], rig.state.setName[2], rig.state.setName[3]};

    QTest::mouseClick(rig.Command2, Qt::LeftButton);
    QVERIFY(rig.state.blackWhite);
    QCOMPARE(rig.legendTexts(), QStringList({"1 - Lisboa ___", "2 - Manaus ---", "3 - Oslo -.."}));
    for (int n = 1; n <= 3; ++n) {
        QCOMPARE(rig.program.setColorTable[n], 0);
        QCOMPARE(rig.textColour(n), QColor(Qt::black));
        QCOMPARE(rig.state.savedColor[n], start[n]);
        QCOMPARE(rig.Lab(n)->width(), rig.Lab(n)->sizeHint().width());
    }
    rig.checkLegendWidth();
    const int wideFrame = rig.Frame4->width();
    QCOMPARE(rig.redraws, QList<bool>{false});

    QTest::mouseClick(rig.Command2, Qt::LeftButton);
    QVERIFY(!rig.state.blackWhite);
    QCOMPARE(rig.legendTexts(), names);
    for (int n = 1; n <= 3; ++n) {
        QCOMPARE(rig.program.setColorTable[n], start[n]);
        QCOMPARE(rig.textColour(n), Rgb::toQColor(start[n]));
    }
    rig.checkLegendWidth();
    QVERIFY(rig.Frame4->width() < wideFrame);
    QCOMPARE(rig.redraws, (QList<bool>{false, false}));
}

// Black-and-white on, then another line type for data set 2: its label names
// the new type, the others keep theirs, every curve stays black, and a suffix
// is replaced, never doubled.
void TestDataSetStyle::lineTypeWhileBlackAndWhite()
{
    Rig rig;
    rig.style->Command2_Click();
    rig.redraws.clear();
    select(rig.List2, {1}, 1);
    rig.Combo5->setCurrentIndex(1);

    QTest::keyClick(rig.Combo5, Qt::Key_Down);
    QCOMPARE(rig.state.setLineStyle[2], 2);
    QVERIFY(rig.state.blackWhite);
    QCOMPARE(rig.legendTexts(), QStringList({"1 - Lisboa ___", "2 - Manaus ...", "3 - Oslo -.."}));
    for (int n = 1; n <= 3; ++n)
        QCOMPARE(rig.program.setColorTable[n], 0);
    QCOMPARE(rig.redraws, (QList<bool>{false, false}));

    QTest::keyClick(rig.Combo5, Qt::Key_Down);
    QCOMPARE(rig.legendTexts(), QStringList({"1 - Lisboa ___", "2 - Manaus -.-", "3 - Oslo -.."}));

    // Off again: the names alone.
    rig.style->Command2_Click();
    QCOMPARE(rig.Lab(2)->text(), QStringLiteral("2 - Manaus"));
}

void TestDataSetStyle::colorsWithoutSelection()
{
    Rig rig;
    rig.List2->setCurrentRow(1, QItemSelectionModel::NoUpdate);
    rig.program.colorEditIndex = 9;
    QTest::mouseClick(rig.CommCor, Qt::LeftButton);
    QVERIFY(!rig.style->chooser());
    QVERIFY(rig.window.findChildren<Form8 *>().isEmpty());
    QCOMPARE(rig.program.colorChooserOpen, 0);
    QCOMPARE(rig.program.colorEditIndex, 9);
    QVERIFY(rig.redraws.isEmpty());
}

// "Colors" opens the chooser on the current data set and waits while the
// window keeps working; "Done" stores the colour and colours the label, and
// the redraw follows the closing. The colour chosen is the one
// black-and-white mode brings back; opening the chooser keeps nothing.
void TestDataSetStyle::colorsDoneStoresAndRedrawsAfterClosing()
{
    Rig rig;
    select(rig.List2, {1}, 1);
    rig.state.savedColor[2] = Rgb::pack(1, 2, 3);
    const QColor untouched = rig.textColour(1);
    rig.Slider1->setValue(3);
    bool ranDuringWait = false;
    QTimer::singleShot(0, &rig.window, [&] {
        ranDuringWait = true;
        Form8 *chooser = rig.style->chooser();
        QVERIFY(chooser && chooser->isVisible());
        QCOMPARE(rig.program.colorChooserOpen, 1);
        QCOMPARE(rig.program.colorEditIndex, 2);
        QCOMPARE(rig.state.savedColor[2], Rgb::pack(1, 2, 3));
        QCOMPARE(chooser->previewColour(), Rgb::pack(0, 110, 0));
        QVERIFY(rig.redraws.isEmpty());

        // The main window still answers while the chooser is open.
        QTest::keyClick(rig.Slider1, Qt::Key_Right);
        QCOMPARE(rig.state.setMarkerSize[2], 4);
        QCOMPARE(rig.redraws.size(), 1);

        QTest::mouseClick(chooser->findChild<QLabel *>(QStringLiteral("Label1_14")), Qt::LeftButton);
        QTest::mouseClick(chooser->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
    });
    rig.closeChooserLater();
    QTest::mouseClick(rig.CommCor, Qt::LeftButton);

    QVERIFY(ranDuringWait);
    QCOMPARE(rig.program.colorChooserOpen, 0);
    QCOMPARE(rig.program.setColorTable[2], Rgb::pack(0, 0, 255));
    QCOMPARE(rig.textColour(2), QColor(0, 0, 255));
    QCOMPARE(rig.textColour(1), untouched);
    QCOMPARE(rig.redraws, (QList<bool>{false, false}));
    QVERIFY(!rig.style->chooser());

    rig.style->Command2_Click();
    rig.style->Command2_Click();
    QCOMPARE(rig.program.setColorTable[2], Rgb::pack(0, 0, 255));
    QCOMPARE(rig.textColour(2), QColor(0, 0, 255));
}

void TestDataSetStyle::colorsCancel()
{
    Rig rig;
    select(rig.List2, {0, 2}, 0);
    QTimer::singleShot(0, &rig.window, [&] {
        Form8 *chooser = rig.style->chooser();
        QVERIFY(chooser);
        QTest::mouseClick(chooser->findChild<QLabel *>(QStringLiteral("Label1_11")), Qt::LeftButton);
        QTest::mouseClick(chooser->findChild<QPushButton *>(QStringLiteral("Command3")), Qt::LeftButton);
    });
    QTest::mouseClick(rig.CommCor, Qt::LeftButton);
    QCOMPARE(rig.program.colorEditIndex, 1);
    QCOMPARE(rig.program.colorChooserOpen, 0);
    QCOMPARE(rig.program.setColorTable[1], Rgb::pack(255, 0, 0));
    QCOMPARE(rig.redraws, QList<bool>{false});
}

// A second press of "Colors" while the chooser is open brings no second
// chooser; both waits end when it closes, the inner one first.
void TestDataSetStyle::colorsPressedTwice()
{
    Rig rig;
    select(rig.List2, {2}, 2);
    QList<int> redrawsWhenReturned;
    int choosers = 0;
    QTimer::singleShot(0, &rig.window, [&] {
        QTimer::singleShot(0, &rig.window, [&] {
            choosers = rig.window.findChildren<Form8 *>().size();
            QTest::mouseDClick(rig.style->chooser()->findChild<QLabel *>(QStringLiteral("Label1_12")),
                               Qt::LeftButton);
        });
        QTest::mouseClick(rig.CommCor, Qt::LeftButton);
        redrawsWhenReturned.append(rig.redraws.size());
    });
    rig.closeChooserLater();
    QTest::mouseClick(rig.CommCor, Qt::LeftButton);
    redrawsWhenReturned.append(rig.redraws.size());

    QCOMPARE(choosers, 1);
    QCOMPARE(redrawsWhenReturned, (QList<int>{1, 2}));
    QCOMPARE(rig.program.setColorTable[3], Rgb::pack(0, 192, 0));
    QCOMPARE(rig.program.colorChooserOpen, 0);

    // The next press makes a fresh chooser from the colour table.
    QTimer::singleShot(0, &rig.window, [&] {
        QCOMPARE(rig.style->chooser()->previewColour(), Rgb::pack(0, 192, 0));
        rig.style->chooser()->close();
    });
    QTest::mouseClick(rig.CommCor, Qt::LeftButton);
    QCOMPARE(rig.redraws.size(), 3);
}

// Sequences of "B & W" (b), "Colors" then "Done" on blue (d) and "Colors"
// then "Cancel" (c) on data set 2, dark green at the start: the colour it is
// drawn in afterwards.
void TestDataSetStyle::colourThroughBlackAndWhite_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<qint32>("colour");
    const qint32 green = Rgb::pack(0, 110, 0);
    const qint32 blue = Rgb::pack(0, 0, 255);
    QTest::newRow("Cancel while B & W is on") << "bcb" << green;
    QTest::newRow("Cancel, B & W on and off") << "cbb" << green;
    QTest::newRow("Done, B & W on and off") << "dbb" << blue;
    QTest::newRow("Done, then Cancel in B & W") << "dbcb" << blue;
    QTest::newRow("Done while B & W is on: drawn at once") << "bd" << blue;
    QTest::newRow("Done while B & W is on, then off") << "bdb" << blue;
}

void TestDataSetStyle::colourThroughBlackAndWhite()
{
    QFETCH(QString, steps);
    QFETCH(qint32, colour);
    Rig rig;
    select(rig.List2, {1}, 1);
    rig.closeChooserLater();
    for (QChar step : steps) {
        if (step == u'b') {
            QTest::mouseClick(rig.Command2, Qt::LeftButton);
            continue;
        }
        QTimer::singleShot(0, &rig.window, [&rig, step] {
            Form8 *chooser = rig.style->chooser();
            QTest::mouseClick(chooser->findChild<QLabel *>(QStringLiteral("Label1_14")), Qt::LeftButton);
            const char *button = step == u'd' ? "Command1" : "Command3";
            QTest::mouseClick(chooser->findChild<QPushButton *>(QLatin1String(button)), Qt::LeftButton);
        });
        QTest::mouseClick(rig.CommCor, Qt::LeftButton);
    }
    QCOMPARE(rig.program.setColorTable[2], colour);
    QCOMPARE(rig.textColour(2), Rgb::toQColor(colour));
}

QTEST_MAIN(TestDataSetStyle)
#include "tst_datasetstyle.moc"
