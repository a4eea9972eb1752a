// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/ChartValues.h"

#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>

// The chart members of the main window: bounds, data extremes, geometry and
// the working values of one drawing pass. They outlive the window's controls
// (reset all recreates the controls, not this). Positions are twips.
struct ChartState
{
    // Current axis bounds (X: first value column, normally temperature).
    double scaleMinX = 0, scaleMaxX = 0, scaleMinY = 0, scaleMaxY = 0;
    // The bounds as the last Escala left them.
    double autoMinX = 0, autoMaxX = 0, autoMinY = 0, autoMaxY = 0;
    // Extremes seen since the last reset of the extremes.
    double tempMin = 0, tempMax = 0, precMin = 0, precMax = 0;

    // Axis guide lines in the chart picture, read by reset.
    double axisTop = 0, axisBottom = 0, axisLeft = 0, axisRight = 0;
    // The plotting area's own extent (0, 0, inner width, inner height).
    double plotLeft = 0, plotRight = 0, plotTop = 0, plotBottom = 0;
    int divisionsX = 0, divisionsY = 0;

    // The data set being drawn: elements 1..13, 13 repeating 1.
    std::array<double, 15> plotTemp{};
    std::array<double, 15> plotPrec{};
    // Month labels 1..13, 13 repeating 1.
    std::array<QString, 15> monthLabel;
    // The month the Walter–Lieth diagrams start with.
    MonthOrder monthOrder = MonthOrder::Automatic;
    // An atlas draws its places one at a time: its Walter–Lieth diagrams
    // then share this top (°C of the left axis) so that they compare, and a
    // worksheet's headers leave the climate class out, which the students
    // are to find.
    std::optional<double> walterLiethTop;
    bool walterLiethHidesClass = false;

    qint32 drawColor = 0;
    int drawMarkerSize = 0;
    int drawLineWidth = 0;
    int drawLineStyle = 0;
    int checkedCount = 0;
    int barShift = 0;
};
