// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/ChartControls.h"

#include <QFont>
#include <QObject>
#include <QString>

class RasterCanvas;
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
    // Ticks and decimals lists, grid boxes: a redraw without rescaling.
    void Combo_Click();
    void GridX_Click();
    void GridY_Click();

    // The chart's text font (tick labels and month labels).
    static QFont labelFont();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void connectControls();
    void resetExtremes();
    void Escala(int n);
    void Valores(int n);
    void grafico();
    void grafico1();
    void eixos();
    void eixo1();
    // Clears the chart picture and draws the left axis, once per redraw:
    // false when this redraw has done so already.
    bool startAxes(int divisionsY);
    void drawLeftAxis(int divisions);
    RasterCanvas *gridPen();
    void drawHorizontalGrid(int divisions);
    void drawVerticalGrid(int divisions);
    void drawThresholds();
    int divisions(const QComboBox *ticks) const;
    double &bound(int index);
    double autoBound(int index) const;
    bool isAutomatic(int index) const;
    bool isChecked(int item) const;

    MainState &m_state;
    ProgramState &m_program;
    ChartControls m_controls;
    // The chart picture shows the axes of the last pass only, and every pass
    // of one redraw draws the same axes (bounds, settings and labels do not
    // change within a redraw): so they are drawn by the first pass alone,
    // which saves clearing and redrawing the picture once per data set.
    bool m_axesDrawn = false;
};
