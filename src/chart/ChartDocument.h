// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/ChartValues.h"
#include "chart/MonthLabels.h"
#include "chart/Scale.h"
#include "data/DataSet.h"

#include <QPoint>
#include <QString>
#include <QtGlobal>

#include <optional>
#include <vector>

// The whole chart as a value, free of widgets: every place with its values
// and its style, and every setting of the chart. The main window fills one
// from its controls and applies one to them; a chart document on disk, an
// export from the command line and anything that draws many charts from one
// set of places work from this value. Positions are twips; colours red +
// 256 × green + 65536 × blue.

// The two quantities of a place, whichever axis they are drawn on.
enum class Quantity { Temperature, Precipitation };

// What a text box of the chart settings holds: a number, or else a text as
// it stands (empty, or something that is not a number). A number's text is
// kept as the box shows it but free of any locale ("12.50": '.' for the
// decimal separator, no grouping), so it reads the same on every computer.
struct BoxEntry
{
    std::optional<double> number;
    QString text;

    bool operator==(const BoxEntry &) const = default;
};

// A cell of the values table that no longer shows the place's loaded value:
// the number it holds now, or none when it holds no number (emptied, or a
// text that is not one).
struct TableEdit
{
    int month = 1;
    Quantity quantity = Quantity::Temperature;
    std::optional<double> value;

    bool operator==(const TableEdit &) const = default;
};

struct DocumentPlace
{
    // The place's own name (without its number), its twelve months as they
    // were loaded, at full precision, and what is known of it besides.
    DataSet data;
    bool checked = true;
    qint32 colour = 0;
    // The colour switching black-and-white mode off gives back.
    qint32 restoredColour = 0;
    int lineType = 0;       // 0..4: solid, dash, dot, dash-dot, dash-dot-dot
    int markerSize = 1;     // 0..5
    int lineWidth = 1;      // 0..10
    // The values table holds the place's two columns swapped (Transpose
    // pressed an odd number of times since it was loaded).
    bool transposed = false;
    std::vector<TableEdit> edits;

    bool operator==(const DocumentPlace &) const = default;
};

// One axis: X is the first value column of every place (temperature unless
// transposed), Y the second.
struct DocumentAxis
{
    // The bounds drawn, whether each follows the data, and what its scale box shows.
    double minimum = 0;
    double maximum = 0;
    bool automaticMinimum = true;
    bool automaticMaximum = true;
    BoxEntry minimumBox;
    BoxEntry maximumBox;
    // The extremes of the data seen since they were last reset: the
    // automatic bounds lie 5 % beyond them.
    double dataMinimum = Scale::extremeMinStart;
    double dataMaximum = Scale::extremeMaxStart;
    // Entry of the ticks list: 0 "Default" (8 divisions), 1..19 the numbers 2..20.
    int ticks = 0;
    int decimals = 1;       // 0..4
    bool grid = true;
    bool thresholds = false;
    BoxEntry lowerThreshold;
    BoxEntry upperThreshold;

    bool operator==(const DocumentAxis &) const = default;
};

struct ChartDocument
{
    ChartKind kind = ChartKind::Climate;
    MonthOrder monthOrder = MonthOrder::Automatic;   // the month Walter–Lieth diagrams start with
    int monthLabels = MonthLabels::initialStyle;   // 0..4: "January", "Jan", "J", "1", "Null"
    DocumentAxis x;
    DocumentAxis y = yAxisAtStart();
    bool titleShown = true;
    QString title;
    bool legendShown = true;
    // The legend's top left corner relative to the chart picture's, and its width.
    QPoint legendPosition;
    int legendWidth = 0;
    bool blackAndWhite = false;
    // In load order: place i has the number i + 1.
    std::vector<DocumentPlace> places;

    bool operator==(const ChartDocument &) const = default;

    static DocumentAxis yAxisAtStart()
    {
        DocumentAxis axis;
        axis.decimals = 0;
        return axis;
    }
};
