// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Form3Controls.h"
#include "chart/ChartValues.h"
#include "chart/WalterLiethRenderer.h"

#include <QObject>
#include <QRectF>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

class ChartRenderer;
class QLabel;
class QPainter;
struct MainState;
struct ProgramState;

// The main window's chart procedures. They gather the chart settings from
// the window's controls and the data sets from the values table, have the
// renderer draw them, and write back what the user sees (the scale boxes,
// the month column of the values table). The window builds a new one
// whenever it recreates its controls. The constructor connects the
// chart-setting controls (scale boxes and "Update", "Transpose", ticks and
// decimals lists, grid and threshold boxes, chart kind, month label options,
// title and legend boxes) to the handlers.
class Form3Chart : public QObject
{
    Q_OBJECT

public:
    // legendLabel gives the legend label of data set n (0: the header), or
    // nullptr: the labels come and go after the controls are built.
    Form3Chart(MainState &state, ProgramState &program, const Form3Controls &controls,
               std::function<QLabel *(int n)> legendLabel, QObject *parent = nullptr);

    // The full redraw. Does nothing while the state's suppressRedraw is 1.
    void reFaz(bool rescale);

    // Value as text with the decimals chosen for the axis.
    QString Formata(double value, Axis axis) const;

    // Handlers, public so that the window and the tests can run them as a
    // click would.
    void Command1_Click();
    void TextEsc_Validate(int index);
    void transPor();
    void Option1_Click(int index);
    void Option2_Click();
    void Option3_Click();
    // "Walter-Lieth" chosen in the Graph frame.
    void OptionWalterLieth_Click();
    // The first month of the Walter–Lieth diagrams; redraws.
    void setMonthOrder(MonthOrder order);
    void Check1_Click();
    void ChkLegenda_Click();
    // Ticks and decimals lists, grid boxes: a redraw without rescaling.
    void Combo_Click();
    void GridX_Click();
    void GridY_Click();

    // Exchanges the two columns of data set k in the values table: headers,
    // months (each number written in the general form), averages and class. Gives
    // what moved into the X and the Y column, read as numbers (months 1..12).
    struct SwappedColumns
    {
        std::array<std::optional<double>, 13> x;
        std::array<std::optional<double>, 13> y;
    };
    SwappedColumns swapColumns(int k);

    // The chart settings as the controls and the state hold them now.
    ChartSettings settings() const;
    ChartKind kind() const;
    // The Walter–Lieth diagrams of the last redraw in that kind, where they
    // lie in the chart picture (twips); empty after a redraw in another kind.
    const std::vector<WalterLiethDiagram> &walterLiethDiagrams() const { return m_diagrams; }

    // The chart picture as shown: the axes of the last redraw that drew
    // them, the plotting area of the last redraw, the guide lines, the title
    // box and the legend where they stand, drawn into target.
    void paintChart(QPainter &painter, const QRectF &target) const;
    QSize chartPixelSize() const;
    // What lies over the chart picture, in its pixels.
    ChartOverlay overlay() const;

signals:
    // transPor has exchanged every data set's two columns.
    void transposed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void connectControls();
    void resetExtremes();
    // Rows 1..12 of a values table column read as numbers; a cell that is
    // not a number gives none. The one place the table's values are read.
    using TableColumn = std::array<std::optional<double>, 13>;
    TableColumn tableValues(int column) const;
    void Escala(int n);
    void Valores(int n);
    void grafico();
    void grafico1();
    void eixos();
    void eixo1();
    ChartSeries currentSeries() const;
    // The Walter–Lieth drawing pass of reFaz: each checked data set read as
    // Valores reads it, its values and what is known of its place drawn on
    // the chart picture.
    void drawWalterLieth(int items);
    WalterLiethSettings walterLiethSettings() const;
    // Where the diagrams go in the chart picture (twips): all of it, less
    // the title's band while the title is shown.
    QRectF walterLiethArea() const;
    // Shows and enables the controls that apply to the chart kind chosen.
    void applyChartKind();
    void showLegendAsChecked();
    double &bound(int index);
    double autoBound(int index) const;
    bool isAutomatic(int index) const;
    bool isChecked(int item) const;

    MainState &m_state;
    ProgramState &m_program;
    Form3Controls m_controls;
    std::function<QLabel *(int n)> m_legendLabel;
    // The renderer of the redraw under way; nullptr between redraws.
    ChartRenderer *m_pass = nullptr;
    // Within one redraw the scale pass and the drawing pass read the same
    // columns, and nothing changes the table between them: each column is
    // read once (reading and parsing the cells is a tenth of a redraw).
    mutable std::vector<std::optional<TableColumn>> m_columnsRead;
    bool m_keepColumns = false;
    // What the chart picture and the plotting area show, for drawing them
    // again on other devices.
    std::optional<ChartSettings> m_shownAxes;
    ChartSettings m_shownPlot;
    std::vector<ChartSeries> m_shownSeries;
    ChartKind m_shownKind = ChartKind::Climate;
    WalterLiethSettings m_shownWalterLieth;
    std::vector<WalterLiethPlace> m_shownPlaces;
    QRectF m_shownArea;
    std::vector<WalterLiethDiagram> m_diagrams;
};
