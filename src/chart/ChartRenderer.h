// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/ChartValues.h"

#include <QFont>

#include <vector>

class Canvas;
class QPainter;

// Draws the chart from values onto two canvases: the chart picture (axis
// ticks and labels) and the plotting area placed in it (grid, data sets,
// thresholds). Either may be missing, and then its part is left out. The
// canvases may be the screen's raster canvases or painter canvases on any
// device, so the screen, files and paper get the same drawing calls.
//
// One renderer serves one redraw: the chart picture shows the axes of the
// last pass only and every pass of a redraw draws the same axes, so they are
// drawn by the first pass alone (clearing and redrawing the picture once per
// data set would cost much and show nothing new).
class ChartRenderer
{
public:
    ChartRenderer(ChartSettings settings, Canvas *picture, Canvas *plot);

    // The font of the tick and month labels.
    static QFont labelFont();

    // The whole chart as a redraw draws it: the plotting area cleared, then
    // per data set in order its axes and grid, then the data set.
    static void draw(const ChartSettings &settings, const std::vector<ChartSeries> &series, Canvas *picture,
                     Canvas *plot);
    // The guide lines, the title box and the legend, on the painter in
    // pixels of the chart picture.
    static void paintOverlay(QPainter &painter, const ChartOverlay &overlay);

    const ChartSettings &settings() const { return m_settings; }

    // Clears the plotting area (in twips), as every redraw starts.
    void clearPlot();
    // Axes, ticks, labels and grid of the climate diagram kind, or of the
    // "Normal" kind.
    void climateAxes();
    void normalAxes();
    // One data set: polygon, markers, month labels and thresholds; or the
    // "Normal" kind's bars and line. barShift is 90 × its place among the
    // checkedCount data sets drawn.
    void climateSeries(const ChartSeries &series);
    void normalSeries(const ChartSeries &series, int barShift, int checkedCount);

private:
    bool startAxes();
    void drawLeftAxis();
    void gridPen();
    void drawHorizontalGrid(int divisions);
    void drawVerticalGrid(int divisions);
    void drawThresholds();

    ChartSettings m_settings;
    Canvas *m_picture;
    Canvas *m_plot;
    bool m_axesDrawn = false;
};
