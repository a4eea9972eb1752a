// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <functional>

struct MainState;
struct ProgramState;
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
};

// Per-data-set style and black-and-white mode. The constructor connects the
// style controls to the handlers; every change ends in the redraw given.
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

private:
    MainState &m_state;
    ProgramState &m_program;
    StyleControls m_controls;
    std::function<void(bool)> m_reFaz;
};
