// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/ChartState.h"

#include <QString>
#include <QtGlobal>

#include <array>

// The main window's members. They live as long as the window object, not as
// long as its controls: reset all recreates the controls and runs reset,
// which sets some of these again and keeps the others (the styles of data
// sets 8..50 or 11..50, the line types …).
struct MainState
{
    int setCount = 0;
    std::array<QString, 51> setName;
    std::array<qint32, 51> savedColor{};
    std::array<int, 51> setMarkerSize{};
    std::array<int, 51> setLineWidth{};
    std::array<int, 51> setLineStyle{};
    bool hasData = false;

    // The file being loaded: months 1..12.
    std::array<double, 16> fileTemp{};
    std::array<double, 16> filePrec{};
    QString fileDataLine;

    // 1 while loading changes List1's check marks by code: redraws do nothing.
    int suppressRedraw = 0;
    bool blackWhite = false;
    // 1 while List2_Click copies a data set's style into the style controls.
    int loadingStyle = 0;
    // Width of the widest legend label in twips; -1 = none measured yet.
    int legendWidth = 0;
    double dragOffsetX = 0, dragOffsetY = 0;
    bool areaMode = false;
    int plotAreaPixels = 0;
    int gridPopupColumn = 0;

    ChartState chart;
};
