// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A chart as values (settings at the design's geometry and reset values,
// data sets with the default styles) and the two raster canvases of the
// screen at the design size, drawn by the renderer.

#include "chart/ChartRenderer.h"
#include "chart/MonthLabels.h"
#include "chart/PlotMapping.h"
#include "chart/Scale.h"
#include "data/Rgb.h"
#include "data/Twips.h"
#include "platform/RasterCanvas.h"

#include <algorithm>
#include <array>
#include <vector>

struct ChartValuesFixture
{
    using Months = std::array<double, 12>;

    ChartSettings settings;
    std::vector<ChartSeries> series;
    RasterCanvas picture{QSize(460, 355)}; // Picture1, 6900 × 5325 twips
    RasterCanvas plot{QSize(360, 296)};    // Picture4, on the guide lines

    static int px(double twips) { return Twips::toPixels(twips); }

    ChartValuesFixture()
    {
        settings.monthLabel = MonthLabels::of(MonthLabels::initialStyle);
        for (RasterCanvas *canvas : {&picture, &plot}) {
            canvas->setTextFont(ChartRenderer::labelFont());
            canvas->clear();
        }
    }

    // Data set n = count + 1 with the style a fresh window gives it.
    ChartSeries &add(const Months &temps, const Months &precs)
    {
        const int n = static_cast<int>(series.size()) + 1;
        ChartSeries one;
        for (int m = 1; m <= 12; ++m) {
            one.temp[m] = temps[m - 1];
            one.prec[m] = precs[m - 1];
        }
        one.temp[13] = one.temp[1];
        one.prec[13] = one.prec[1];
        one.style = {n <= 7 ? Rgb::defaultSetColours[n] : 0, n <= 10 ? 1 : 0, n <= 10 ? 1 : 0, 0};
        series.push_back(one);
        return series.back();
    }

    // Automatic bounds over every data set, as a rescaling redraw sets them.
    void scale()
    {
        double tMin = Scale::extremeMinStart, tMax = Scale::extremeMaxStart;
        double pMin = Scale::extremeMinStart, pMax = Scale::extremeMaxStart;
        for (const ChartSeries &one : series) {
            for (int m = 1; m <= 12; ++m) {
                tMin = std::min(tMin, one.temp[m]);
                tMax = std::max(tMax, one.temp[m]);
                pMin = std::min(pMin, one.prec[m]);
                pMax = std::max(pMax, one.prec[m]);
            }
        }
        settings.scaleMinX = Scale::lowerBound(tMin, tMax);
        settings.scaleMaxX = Scale::upperBound(tMin, tMax);
        settings.scaleMinY = Scale::lowerBound(pMin, pMax);
        settings.scaleMaxY = Scale::upperBound(pMin, pMax);
    }

    void draw()
    {
        scale();
        ChartRenderer::draw(settings, series, &picture, &plot);
    }

    PlotMapping mapping() const
    {
        const ChartSettings &s = settings;
        return PlotMapping(s.plotLeft, s.plotTop, s.plotRight, s.plotBottom,
                           Scale::drawnRange(s.scaleMinX, s.scaleMaxX), Scale::drawnRange(s.scaleMinY, s.scaleMaxY));
    }

    // Made-up places: a warm humid one, a Mediterranean one, a continental one.
    static Months tropicalTemps() { return {26.5, 26.8, 27.0, 27.2, 27.0, 26.4, 26.0, 26.3, 26.8, 27.1, 27.0, 26.7}; }
    static Months tropicalPrecs() { return {250, 230, 280, 260, 200, 120, 90, 80, 110, 160, 210, 240}; }
    static Months mediterraneanTemps() { return {10.2, 11.0, 13.1, 15.4, 19.0, 23.2, 26.1, 26.4, 23.0, 18.8, 14.2, 11.1}; }
    static Months mediterraneanPrecs() { return {80, 70, 60, 45, 30, 12, 4, 8, 35, 75, 95, 90}; }
    static Months continentalTemps() { return {-8.0, -6.5, -1.0, 7.2, 14.0, 18.3, 20.5, 19.2, 13.5, 6.8, -0.5, -6.0}; }
    static Months continentalPrecs() { return {30, 28, 32, 40, 55, 75, 85, 72, 55, 45, 40, 35}; }
};
