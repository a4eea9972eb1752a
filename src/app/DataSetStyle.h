// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QtGlobal>

#include <functional>
#include <vector>

struct MainState;
struct ProgramState;
class Form8;
class QAbstractSlider;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSlider;
class QWidget;

// The main window's controls for the style of one data set and for
// black-and-white mode. The main window creates them (again at reset all).
struct StyleControls
{
    QListWidget *List1 = nullptr;   // loaded data sets
    QListWidget *List2 = nullptr;   // checked data sets; its current item is the one styled
    QComboBox *Combo5 = nullptr;    // line type "___", "---", "...", "-.-", "-.."
    QSlider *Slider1 = nullptr;     // marker size 0..5
    QSlider *Slider2 = nullptr;     // line width 1..10
    QPushButton *CommCor = nullptr; // "Colors"
    QPushButton *Command2 = nullptr; // "B && W"
    QWidget *Frame4 = nullptr;      // the legend frame
    // Legend label of data set n (1..setCount), nullptr when there is none.
    std::function<QLabel *(int n)> Lab;
    // The legend's labels changed their captions: the window lays it out
    // again (optional).
    std::function<void()> legendChanged;
};

// Per-data-set style and black-and-white mode. The constructor connects the
// style controls to the handlers; every change ends in the redraw given.
//
// The style handlers store into the data set of List2's current item, and
// only when some item of List2 is selected. The sliders store only what the
// user does to them (mouse, keyboard, wheel; a dragged thumb when it is
// let go): a value set by code, as when List2_Click loads a data set's
// style into them, stores nothing and does not redraw.
class DataSetStyle : public QObject
{
    Q_OBJECT

public:
    DataSetStyle(MainState &state, ProgramState &program, const StyleControls &controls,
                 std::function<void(bool rescale)> reFaz, QObject *parent = nullptr);

    void Combo5_Click();
    void Slider1_Change();
    void Slider2_Click();
    void CommCor_Click();
    void Command2_Click();

    // The colour chooser while it is open, nullptr otherwise.
    Form8 *chooser() const;
    // Runs `then` once no press of "Colors" here is waiting for the chooser
    // any more: at once when none is, else when the outermost wait has ended.
    void whenNotWaiting(std::function<void()> then);

    // A legend label's text colour (red + 256 × green + 65536 × blue).
    static void setLabelColour(QLabel *label, qint32 colour);

private:
    int currentDataSet() const;
    bool anySelected() const;
    void connectUserChanges(QAbstractSlider *slider, void (DataSetStyle::*handler)());
    void setCaption(QLabel *label, const QString &caption);
    void measureLegendLabel(QLabel *label);

    MainState &m_state;
    ProgramState &m_program;
    StyleControls m_controls;
    std::function<void(bool)> m_reFaz;
    QPointer<Form8> m_chooser;
    int m_waits = 0;   // presses of "Colors" waiting for the chooser, nested
    std::vector<std::function<void()>> m_afterWaits;
};
