// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/ChartState.h"
#include "data/DataSet.h"
#include "data/Rgb.h"

#include <QString>
#include <QtGlobal>

#include <array>

// Holds a guard flag (suppressRedraw, loadingStyle) at 1 while it lives, and
// puts back the value it had: a return or a nested guard cannot leave the
// flag set.
class FlagScope
{
public:
    explicit FlagScope(int &flag) : m_flag(flag), m_before(flag) { m_flag = 1; }
    ~FlagScope() { m_flag = m_before; }
    FlagScope(const FlagScope &) = delete;
    FlagScope &operator=(const FlagScope &) = delete;

private:
    int &m_flag;
    int m_before;
};

// The main window's members. They live as long as the window object, not as
// long as its controls: reset all recreates the controls and runs reset,
// which sets some of these again and keeps the others (the styles of data
// sets 8..50 or 11..50, the line types …).
struct MainState
{
    int setCount = 0;
    std::array<QString, maxDataSets + 1> setName;
    // The colours black-and-white mode gives back: the defaults until the
    // user chooses (reset sets 1..7 again, 8..50 keep what they hold).
    std::array<qint32, maxDataSets + 1> savedColor = Rgb::defaultSetColours;
    std::array<int, maxDataSets + 1> setMarkerSize{};
    std::array<int, maxDataSets + 1> setLineWidth{};
    std::array<int, maxDataSets + 1> setLineStyle{};
    // What is known of data set n's place besides its values (stations of
    // the library know their elevation, latitude and period).
    std::array<PlaceInfo, maxDataSets + 1> setInfo{};
    // Data set n's months as numbers (element 0 unused): the file's or the
    // library's values at full precision, then the number of each month's
    // cell the user edits (NaN while it holds no number). Its climate class
    // is worked out from these, never from the table's rounded texts.
    std::array<std::array<double, 13>, maxDataSets + 1> setTemp{};
    std::array<std::array<double, 13>, maxDataSets + 1> setPpt{};
    // The months data set n was loaded with, at full precision, as they
    // stay: what a chart document keeps, its edits apart.
    std::array<std::array<double, 13>, maxDataSets + 1> loadedTemp{};
    std::array<std::array<double, 13>, maxDataSets + 1> loadedPrec{};
    bool hasData = false;

    // The file being loaded: months 1..12.
    std::array<double, 16> fileTemp{};
    std::array<double, 16> filePrec{};
    PlaceInfo fileInfo;
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
