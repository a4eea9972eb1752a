// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/ChartRenderer.h"

#include "chart/PlotMapping.h"
#include "chart/Scale.h"
#include "data/Rgb.h"
#include "data/Twips.h"
#include "platform/Canvas.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// Drawing constants, twips.
constexpr double tickLength = 30;
constexpr double yLabelGap = 90;          // right end of a left-axis label to the axis
constexpr double xLabelDrop = 45;         // X axis to the top of its labels
// Right axis to the left edge of its labels. 90 rather than the tick's 30
// plus a hair: with only two pixels between a tick and its label, the tick
// reads as a minus sign in front of every number.
constexpr double rightLabelGap = 90;
constexpr double monthLabelGap = 90;      // right end of a month label to its point
constexpr double markerRadiusPerSize = 30;
constexpr double barWidth = 60;
constexpr double barOffsetPerSet = 100;   // a month's bar group: 100 per checked set …
constexpr int barShiftPerSet = 90;        // … less 90 per position

constexpr qint32 black = 0;
constexpr qint32 gridGrey = Rgb::pack(180, 180, 180);

// Beyond this a position is far off the picture whatever its size; keeps the
// twips-to-pixels conversion of the bars inside an int.
constexpr double farOff = 1e7;

Canvas::LineStyle lineStyleOf(int lineType)
{
    switch (lineType) {
    case 1: return Canvas::LineStyle::Dash;
    case 2: return Canvas::LineStyle::Dot;
    case 3: return Canvas::LineStyle::DashDot;
    case 4: return Canvas::LineStyle::DashDotDot;
    default: return Canvas::LineStyle::Solid;
    }
}

Canvas::FillStyle barFillOf(int lineType)
{
    switch (lineType) {
    case 1: return Canvas::FillStyle::Hollow;
    case 2: return Canvas::FillStyle::Horizontal;
    case 3: return Canvas::FillStyle::Vertical;
    case 4: return Canvas::FillStyle::UpwardDiagonal;
    default: return Canvas::FillStyle::Solid;
    }
}

int barPixel(double twips)
{
    return Twips::toPixels(std::clamp(twips, -farOff, farOff));
}

PlotMapping dataMapping(const ChartSettings &s)
{
    return PlotMapping(s.plotLeft, s.plotTop, s.plotRight, s.plotBottom, Scale::drawnRange(s.scaleMinX, s.scaleMaxX),
                       Scale::drawnRange(s.scaleMinY, s.scaleMaxY));
}

} // namespace

ChartRenderer::ChartRenderer(ChartSettings settings, Canvas *picture, Canvas *plot)
    : m_settings(std::move(settings)), m_picture(picture), m_plot(plot)
{
}

QFont ChartRenderer::labelFont()
{
    // A small clean sans face; pixel size so that the labels keep their size
    // whatever the screen's dots per inch (11 px is 8.25 pt at 96 dpi).
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    return font;
}

void ChartRenderer::draw(const ChartSettings &settings, const std::vector<ChartSeries> &series, Canvas *picture,
                         Canvas *plot)
{
    ChartRenderer renderer(settings, picture, plot);
    renderer.clearPlot();
    const int count = static_cast<int>(series.size());
    int barShift = 0;
    for (const ChartSeries &one : series) {
        barShift += barShiftPerSet;
        if (settings.kind == ChartKind::Normal) {
            renderer.normalAxes();
            renderer.normalSeries(one, barShift, count);
        } else {
            renderer.climateAxes();
            renderer.climateSeries(one);
        }
    }
}

void ChartRenderer::clearPlot()
{
    if (!m_plot)
        return;
    m_plot->clear();
    m_plot->setUnit(Canvas::Unit::Twips);
}

void ChartRenderer::climateSeries(const ChartSeries &series)
{
    Canvas *plot = m_plot;
    if (!plot)
        return;
    const ChartSettings &s = m_settings;
    const SeriesStyle &style = series.style;
    const PlotMapping map = dataMapping(s);
    const double markerRadius = markerRadiusPerSize * style.markerSize;
    const double textHalfHeight = plot->textHeight(QString()) / 2;

    double previousX = map.x(series.temp[1]);
    double previousY = map.y(series.prec[1]);
    plot->setFillColour(style.colour);
    plot->setDrawColour(style.colour);
    plot->setLineStyle(lineStyleOf(style.lineStyle));
    for (int i = 2; i <= 13; ++i) {
        const double x = map.x(series.temp[i]);
        const double y = map.y(series.prec[i]);
        plot->setLineWidth(style.lineWidth);
        plot->line(previousX, previousY, x, y);
        plot->setLineWidth(1);
        plot->setFillStyle(Canvas::FillStyle::Solid);
        plot->circle(previousX, previousY, markerRadius);
        plot->setFillStyle(Canvas::FillStyle::Hollow);
        const QString &label = s.monthLabel[i - 1];
        plot->text(previousX - plot->textWidth(label) - monthLabelGap, previousY - textHalfHeight, label);
        previousX = x;
        previousY = y;
    }
    plot->setLineStyle(Canvas::LineStyle::Solid);
    plot->setLineWidth(1);
    drawThresholds();
}

void ChartRenderer::drawThresholds()
{
    const ChartSettings &s = m_settings;
    Canvas *plot = m_plot;
    const PlotMapping map = dataMapping(s);
    plot->setDrawColour(black);
    plot->setLineStyle(Canvas::LineStyle::Solid);
    plot->setLineWidth(1);
    for (const double value : s.thresholdsX) {
        const double x = map.x(value);
        plot->line(x, s.plotTop, x, s.plotBottom);
    }
    for (const double value : s.thresholdsY) {
        const double y = map.y(value);
        plot->line(s.plotLeft, y, s.plotRight, y);
    }
}

void ChartRenderer::normalSeries(const ChartSeries &series, int barShift, int checkedCount)
{
    Canvas *plot = m_plot;
    if (!plot)
        return;
    const ChartSettings &s = m_settings;
    const SeriesStyle &style = series.style;
    const Scale::Range rangeX = Scale::drawnRange(s.scaleMinX, s.scaleMaxX);
    const Scale::Range rangeY = Scale::drawnRange(s.scaleMinY, s.scaleMaxY);
    // Bars against the left (Y) axis; the line against the right (X) axis.
    const PlotMapping bars(s.plotLeft, s.plotTop, s.plotRight, s.plotBottom, rangeX, rangeY);
    const PlotMapping line(s.plotLeft, s.plotTop, s.plotRight, s.plotBottom, rangeY, rangeX);
    const double width = s.plotRight - s.plotLeft;

    plot->setFillStyle(Canvas::FillStyle::Solid);
    plot->setFillColour(style.colour);
    plot->setDrawColour(style.colour);
    // The bars reach below the plotting area, so their bottom edge is never seen.
    const int belowPlot = Twips::toPixels(std::clamp(s.plotBottom, -farOff, farOff)) + 1;
    for (int k = 1; k <= 12; ++k) {
        const double monthStart = s.plotLeft + (k - 1) * width / 12;
        const double left = monthStart + barOffsetPerSet * checkedCount - barShift;
        const double top = bars.y(series.prec[k]);
        if (!std::isfinite(top))
            continue;
        plot->setLineWidth(1);
        plot->setFillStyle(barFillOf(style.lineStyle));
        plot->rectanglePixels(barPixel(left), barPixel(top), barPixel(left + barWidth), belowPlot);
        plot->setFillStyle(Canvas::FillStyle::Hollow);
    }

    // Point k in the middle of month k, under its month label.
    const double halfMonth = (s.axisRight - s.axisLeft) / 24;
    const auto pointX = [&](int k) { return s.plotLeft + (k - 1) * width / 12 + halfMonth; };
    const double markerRadius = markerRadiusPerSize * style.markerSize;
    plot->setLineStyle(lineStyleOf(style.lineStyle));
    for (int k = 2; k <= 12; ++k) {
        plot->setLineWidth(style.lineWidth);
        plot->line(pointX(k - 1), line.y(series.temp[k - 1]), pointX(k), line.y(series.temp[k]));
        plot->setLineWidth(1);
        plot->setFillStyle(Canvas::FillStyle::Solid);
        plot->circle(pointX(k - 1), line.y(series.temp[k - 1]), markerRadius);
        plot->setFillStyle(Canvas::FillStyle::Hollow);
    }
    plot->setFillStyle(Canvas::FillStyle::Solid);
    plot->circle(pointX(12), line.y(series.temp[12]), markerRadius);
    plot->setFillStyle(Canvas::FillStyle::Hollow);
    plot->setLineStyle(Canvas::LineStyle::Solid);
}

// --- Axes ------------------------------------------------------------------

bool ChartRenderer::startAxes()
{
    Canvas *picture = m_picture;
    if (!picture || m_axesDrawn)
        return false;
    m_axesDrawn = true;
    picture->clear();
    picture->setUnit(Canvas::Unit::Twips);
    picture->setDrawColour(black);
    picture->setLineStyle(Canvas::LineStyle::Solid);
    picture->setLineWidth(1);
    drawLeftAxis();
    return true;
}

void ChartRenderer::drawLeftAxis()
{
    const ChartSettings &s = m_settings;
    Canvas *picture = m_picture;
    const int divisions = s.divisionsY;
    const Scale::Range rangeY = Scale::drawnRange(s.scaleMinY, s.scaleMaxY);
    const double textHalfHeight = picture->textHeight(QString()) / 2;
    for (int k = 0; k <= divisions; ++k) {
        const double y = Scale::divisionPosition(s.axisBottom, s.axisTop, divisions, k);
        picture->line(s.axisLeft - tickLength, y, s.axisLeft, y);
        const QString label = s.format(Scale::divisionPosition(rangeY.low, rangeY.high, divisions, k), Axis::Y);
        picture->text(s.axisLeft - picture->textWidth(label) - yLabelGap, y - textHalfHeight, label);
    }
}

// The plotting area, set for grid lines: grey, solid, one pixel.
void ChartRenderer::gridPen()
{
    m_plot->setDrawColour(gridGrey);
    m_plot->setLineStyle(Canvas::LineStyle::Solid);
    m_plot->setLineWidth(1);
}

void ChartRenderer::drawVerticalGrid(int divisions)
{
    const ChartSettings &s = m_settings;
    if (!m_plot)
        return;
    gridPen();
    for (int k = 0; k <= divisions; ++k) {
        const double x = Scale::divisionPosition(s.plotLeft, s.plotRight, divisions, k);
        m_plot->line(x, s.plotBottom, x, s.plotTop);
    }
}

void ChartRenderer::drawHorizontalGrid(int divisions)
{
    const ChartSettings &s = m_settings;
    if (!m_plot)
        return;
    gridPen();
    for (int k = 0; k <= divisions; ++k) {
        const double y = Scale::divisionPosition(s.plotBottom, s.plotTop, divisions, k);
        m_plot->line(s.plotLeft, y, s.plotRight, y);
    }
}

void ChartRenderer::climateAxes()
{
    const ChartSettings &s = m_settings;
    const int nX = s.divisionsX;
    const int nY = s.divisionsY;

    Canvas *picture = m_picture;
    if (startAxes()) {
        const Scale::Range rangeX = Scale::drawnRange(s.scaleMinX, s.scaleMaxX);
        for (int k = 0; k <= nX; ++k) {
            const double x = Scale::divisionPosition(s.axisLeft, s.axisRight, nX, k);
            picture->line(x, s.axisBottom + tickLength, x, s.axisBottom);
            const QString label = s.format(Scale::divisionPosition(rangeX.low, rangeX.high, nX, k), Axis::X);
            picture->text(x - picture->textWidth(label) / 2, s.axisBottom + xLabelDrop, label);
        }
    }

    if (s.gridY)
        drawHorizontalGrid(nY);
    if (s.gridX)
        drawVerticalGrid(nX);
}

void ChartRenderer::normalAxes()
{
    const ChartSettings &s = m_settings;
    const int nX = s.divisionsX;
    const int nY = s.divisionsY;

    Canvas *picture = m_picture;
    if (startAxes()) {
        // Right axis: the X values, ticks pointing outwards.
        const Scale::Range rangeX = Scale::drawnRange(s.scaleMinX, s.scaleMaxX);
        const double textHalfHeight = picture->textHeight(QString()) / 2;
        for (int k = 0; k <= nX; ++k) {
            const double y = Scale::divisionPosition(s.axisBottom, s.axisTop, nX, k);
            picture->line(s.axisRight, y, s.axisRight + tickLength, y);
            const QString label = s.format(Scale::divisionPosition(rangeX.low, rangeX.high, nX, k), Axis::X);
            picture->text(s.axisRight + rightLabelGap, y - textHalfHeight, label);
        }

        // Month axis: a tick at the start of each month, the label centred in it.
        const double month = (s.axisRight - s.axisLeft) / 12;
        for (int k = 1; k <= 12; ++k) {
            const double x = s.axisLeft + (k - 1) * month;
            picture->line(x, s.axisBottom + tickLength, x, s.axisBottom);
            const QString &label = s.monthLabel[k];
            picture->text(x - picture->textWidth(label) / 2 + month / 2, s.axisBottom + xLabelDrop, label);
        }
    }

    if (s.gridY)
        drawHorizontalGrid(nY);
    // Vertical grid lines at the thirteen month boundaries.
    if (s.gridX)
        drawVerticalGrid(12);
}

// --- What lies over the picture --------------------------------------------

void ChartRenderer::paintOverlay(QPainter &painter, const ChartOverlay &overlay)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    for (const QRectF &line : overlay.guideLines)
        painter.drawRect(line);
    const auto write = [&painter](const ChartOverlay::Text &text) {
        painter.setFont(text.font);
        painter.setPen(Rgb::toQColor(text.colour));
        painter.drawText(text.box, int(text.alignment) | Qt::TextSingleLine, text.text);
    };
    if (overlay.titleShown)
        write(overlay.title);
    if (overlay.legendShown) {
        // A one-pixel box drawn inside the frame's rectangle, as the frame shows it.
        painter.setPen(QPen(Rgb::toQColor(overlay.legendOutline), 1));
        painter.setBrush(Qt::white);
        painter.drawRect(overlay.legendFrame.adjusted(0.5, 0.5, -0.5, -0.5));
        for (const ChartOverlay::Text &entry : overlay.legendEntries)
            write(entry);
    }
    painter.restore();
}
