// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/Scale.h"
#include "data/DataSet.h"

#include <QFont>
#include <QRectF>
#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>
#include <vector>

// What the chart is drawn from, as plain values: the main window gathers
// them from its controls and the values table, the renderer draws them.
// Positions are twips; colours red + 256 × green + 65536 × blue.

// The axis a chart value belongs to: X is the first value column
// (temperature), Y the second (precipitation).
enum class Axis { X, Y };

// The kinds of chart the program draws: the climate diagram (the
// Jan → Dec → Jan polygon in the temperature–precipitation plane), the
// "Normal" month chart (precipitation bars, temperature line) and the
// Walter–Lieth climate diagram (one diagram per place, months along the
// bottom, temperature and precipitation on two matched scales).
enum class ChartKind { Climate, Normal, WalterLieth };

// The month a Walter–Lieth diagram starts with: January, July, or by the
// place's hemisphere (Automatic), so that summer lies in the middle.
enum class MonthOrder { Automatic, JanuaryFirst, JulyFirst };

struct ChartSettings
{
    ChartKind kind = ChartKind::Climate;

    double scaleMinX = 0, scaleMaxX = 0, scaleMinY = 0, scaleMaxY = 0;
    int divisionsX = Scale::defaultDivisions;
    int divisionsY = Scale::defaultDivisions;
    // Index into "0", "0.0", … "0.0000"; -1 writes no text.
    int decimalsX = 1;
    int decimalsY = 0;

    bool gridX = true; // vertical grid lines
    bool gridY = true; // horizontal grid lines
    // Values of the threshold boxes that hold a number, when their row is
    // checked; drawn in the climate diagram kind only.
    std::vector<double> thresholdsX;
    std::vector<double> thresholdsY;

    // Elements 1..13, 13 repeating January.
    std::array<QString, 15> monthLabel;
    // The Walter–Lieth kind's first month.
    MonthOrder monthOrder = MonthOrder::Automatic;

    // The guide lines in the chart picture, as the design places them.
    double axisLeft = 720, axisTop = 480, axisRight = 6120, axisBottom = 4920;
    // The plotting area's own extent (0, 0, inner width, inner height).
    double plotLeft = 0, plotTop = 0, plotRight = 5400, plotBottom = 4440;

    // A chart value as text with the decimals chosen for its axis.
    QString format(double value, Axis axis) const
    {
        return Scale::axisText(value, axis == Axis::X ? decimalsX : decimalsY);
    }
};

// The style of one data set: line type 0..4 (solid, dash, dot, dash-dot,
// dash-dot-dot; for bars solid, hollow, horizontal, vertical, diagonal);
// a marker of radius 30 × markerSize twips; line width in pixels.
struct SeriesStyle
{
    qint32 colour = 0;
    int markerSize = 0;
    int lineWidth = 0;
    int lineStyle = 0;
};

// One checked data set as drawn: months 1..13, 13 repeating January.
struct ChartSeries
{
    std::array<double, 15> temp{};
    std::array<double, 15> prec{};
    SeriesStyle style;
};

// One place as a Walter–Lieth diagram shows it: months 1..12 (element 0
// unused), what is known of the place for the header, and its climate class
// ("Csa"), empty where the program does not classify.
struct WalterLiethPlace
{
    QString name;
    PlaceInfo info;
    std::array<double, 13> temp{};
    std::array<double, 13> prec{};
    QString climateClass;
};

// How the Walter–Lieth diagrams are drawn: the first month, the month labels
// the user chose (elements 1..12; initials where they do not fit), black
// and white for a monochrome printer, and a top shared by several diagrams
// (°C of the left axis) so that pages can be compared.
struct WalterLiethSettings
{
    MonthOrder monthOrder = MonthOrder::Automatic;
    std::array<QString, 15> monthLabel;
    bool blackWhite = false;
    std::optional<double> fixedTop;
};

// What lies over the chart picture besides its pixels: the two guide lines,
// the title box and the legend, in pixels of the chart picture at 1×.
struct ChartOverlay
{
    struct Text
    {
        QRectF box;
        QString text;
        QFont font;
        qint32 colour = 0;
        Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    };

    std::vector<QRectF> guideLines;    // black
    bool titleShown = false;
    Text title;
    bool legendShown = false;
    QRectF legendFrame;                // white, outlined in legendOutline
    qint32 legendOutline = 0;
    std::vector<Text> legendEntries;   // shown labels only
};
