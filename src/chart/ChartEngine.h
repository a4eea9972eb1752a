// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/ChartControls.h"

#include <QObject>
#include <QString>

struct MainState;
struct ProgramState;

// The chart: scales, axes, the full redraw and the chart settings' handlers.
// It works on the main window's state and controls, which it does not own;
// the main window builds a new engine whenever it recreates its controls.
// The constructor connects the chart-setting controls (scale box and
// "Update", "Transpose", ticks and decimals lists, grid and threshold boxes,
// chart kind, month label options, title and legend boxes) to the handlers.
class ChartEngine : public QObject
{
    Q_OBJECT

public:
    ChartEngine(MainState &state, ProgramState &program, const ChartControls &controls,
                QObject *parent = nullptr);

    // The full redraw. Does nothing while the state's suppressRedraw is 1.
    void reFaz(bool rescale);

    // Value as text with the decimals of the X axis (axis "x") or the Y axis.
    QString Formata(double value, const QString &axis) const;

    // Handlers, public so that the window and the tests can run them as a
    // click would.
    void Command1_Click();
    void TextEsc_Validate(int index);
    void transPor();
    void Option1_Click(int index);
    void Option2_Click();
    void Option3_Click();
    void Check1_Click();
    void ChkLegenda_Click();

private:
    MainState &m_state;
    ProgramState &m_program;
    ChartControls m_controls;
};
