// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/WalterLiethRenderer.h"

#include "chart/MonthLabels.h"
#include "chart/WalterLiethScale.h"
#include "data/NumberText.h"
#include "platform/Canvas.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

namespace WL = WalterLiethScale;

// Twips.
constexpr double framePadding = 60;    // around a diagram's frame
constexpr double frameGap = 150;       // between two diagrams
constexpr double tickLength = 45;
constexpr double labelGap = 45;        // tick end to its label
constexpr double headerGap = 120;      // between the header's left and right texts
constexpr double monthLabelDrop = 15;  // bottom line to the month labels
constexpr double monthLabelRoom = 30;  // a month label leaves this much of its column free
constexpr int curvePixels = 2;

constexpr qint32 black = 0;

struct Palette
{
    qint32 temperature;
    qint32 precipitation;
    Canvas::LineStyle precipitationLine;
    qint32 humid;
    qint32 arid;
    qint32 wet;
};

// In black and white the curves differ by their line, the areas by their
// pattern: nothing rests on colour.
Palette paletteOf(bool blackWhite)
{
    using R = WalterLiethRenderer;
    if (blackWhite)
        return {black, black, Canvas::LineStyle::Dash, black, black, R::wetGrey};
    return {R::temperatureColour, R::precipitationColour, Canvas::LineStyle::Solid,
            R::humidColour, R::aridColour, R::wetColour};
}

// `text` cut at the end, with an ellipsis, to fit `width`.
QString elided(const Canvas &canvas, const QString &text, double width)
{
    if (canvas.textWidth(text) <= width)
        return text;
    for (qsizetype length = text.size() - 1; length > 0; --length) {
        const QString shorter = text.left(length).trimmed() + QChar(u'\u2026');
        if (canvas.textWidth(shorter) <= width)
            return shorter;
    }
    return QString();
}

// The place's name and its period apart: the header shows the period on its
// own line, as a station of the library knows it or as a data file's name
// ends with it.
std::pair<QString, QString> nameAndPeriod(const WalterLiethPlace &place)
{
    const QString &period = place.info.period;
    if (!period.isEmpty()) {
        if (place.name.endsWith(period) && place.name.size() > period.size())
            return {place.name.left(place.name.size() - period.size()).trimmed(), period};
        return {place.name, period};
    }
    // A period as a data set's name ends with it, "Lisbon 1991-2020".
    static const QRegularExpression trailingPeriod(QStringLiteral("\\s+(\\d{4})\\s*[-\u2013]\\s*(\\d{4})$"));
    const QRegularExpressionMatch match = trailingPeriod.match(place.name);
    if (match.hasMatch() && match.capturedStart() > 0)
        return {place.name.left(match.capturedStart()), match.captured(1) + u'-' + match.captured(2)};
    return {place.name, QString()};
}

QString detailsOf(const PlaceInfo &info, QString period)
{
    QStringList parts;
    if (info.elevation)
        parts << NumberText::fixed(*info.elevation, 0) + QStringLiteral(" m");
    if (!period.isEmpty())
        parts << period.replace(u'-', u'\u2013');
    return parts.join(QStringLiteral(", "));
}

QString annualText(const WalterLiethPlace &place)
{
    double temperature = 0;
    double precipitation = 0;
    for (int m = 1; m <= 12; ++m) {
        temperature += place.temp[m];
        precipitation += place.prec[m];
    }
    return NumberText::fixed(temperature / 12, 1) + QStringLiteral(" \u00B0C   ")
         + NumberText::fixed(precipitation, 0) + QStringLiteral(" mm");
}

// The diagram's heights on the left axis mapped to twips of the canvas.
class Mapping
{
public:
    Mapping(const QRectF &plot, double bottom, double top) : m_plot(plot), m_bottom(bottom), m_top(top) {}

    double x(double column) const { return m_plot.left() + column * m_plot.width() / 12; }
    double y(double level) const
    {
        return m_plot.bottom() - (level - m_bottom) * m_plot.height() / (m_top - m_bottom);
    }
    QPolygonF map(const QPolygonF &area) const
    {
        QPolygonF mapped;
        mapped.reserve(area.size());
        for (const QPointF &p : area)
            mapped << QPointF(x(p.x()), y(p.y()));
        return mapped;
    }

private:
    QRectF m_plot;
    double m_bottom;
    double m_top;
};

void fillAreas(Canvas &canvas, const Mapping &map, const std::vector<QPolygonF> &areas, Canvas::FillStyle style,
               qint32 colour)
{
    canvas.setFillStyle(style);
    canvas.setFillColour(colour);
    for (const QPolygonF &area : areas)
        canvas.polygon(map.map(area));
    canvas.setFillStyle(Canvas::FillStyle::Hollow);
}

void drawCurve(Canvas &canvas, const Mapping &map, const WL::Shown &levels, qint32 colour, Canvas::LineStyle style)
{
    canvas.setDrawColour(colour);
    canvas.setLineStyle(style);
    canvas.setLineWidth(curvePixels);
    for (int i = 1; i < 12; ++i)
        canvas.line(map.x(i - 0.5), map.y(levels[i - 1]), map.x(i + 0.5), map.y(levels[i]));
    canvas.setLineWidth(1);
    canvas.setLineStyle(Canvas::LineStyle::Solid);
}

// The label step (°C) that keeps labels apart on the canvas: 10, or a
// multiple of it on a short or very tall diagram. Digits are shorter than
// the font's line, so labels may stand a little closer than a line apart.
double labelStep(const Mapping &map, double textHeight)
{
    const double stepHeight = map.y(0) - map.y(WL::labelStep);
    if (!(stepHeight > 0))
        return WL::labelStep;
    return WL::labelStep * std::max(1.0, std::ceil(textHeight * 0.85 / stepHeight));
}

// The multiples of `step` from `low` to `high`. The count is bounded: the
// step keeps the labels a line apart, and a value too large for doubles to
// count in steps gives no labels rather than an endless loop.
std::vector<double> labelLevels(double low, double high, double step)
{
    std::vector<double> levels;
    const double first = std::ceil(low / step);
    const double last = std::floor(high / step);
    if (!(last - first < 1000))
        return levels;
    for (int i = 0; i <= static_cast<int>(last - first); ++i)
        levels.push_back((first + i) * step);
    return levels;
}

} // namespace

std::vector<QRectF> WalterLiethRenderer::frames(const QRectF &area, int count)
{
    std::vector<QRectF> result;
    if (count <= 0)
        return result;
    if (count == 1) {
        result.push_back(area);
        return result;
    }
    const double width = (area.width() - frameGap) / 2;
    if (count == 2) {
        result.push_back(QRectF(area.left(), area.top(), width, area.height()));
        result.push_back(QRectF(area.left() + width + frameGap, area.top(), width, area.height()));
        return result;
    }
    const double height = (area.height() - frameGap) / 2;
    for (int i = 0; i < std::min(count, maxDiagrams); ++i)
        result.push_back(QRectF(area.left() + (i % 2) * (width + frameGap), area.top() + (i / 2) * (height + frameGap),
                                width, height));
    return result;
}

QString WalterLiethRenderer::notShownText(int count)
{
    if (count == 1)
        return QStringLiteral("1 more checked place is not shown: this chart shows four at most.");
    return QStringLiteral("%1 more checked places are not shown: this chart shows four at most.").arg(count);
}

std::vector<WalterLiethDiagram> WalterLiethRenderer::draw(const WalterLiethSettings &settings,
                                                          const std::vector<WalterLiethPlace> &places,
                                                          Canvas &canvas, const QRectF &area)
{
    std::vector<WalterLiethDiagram> drawn;
    const int count = static_cast<int>(places.size());
    if (count == 0)
        return drawn;
    QRectF diagrams = area;
    if (count > maxDiagrams) {
        const double line = canvas.textHeight(QString());
        diagrams.setBottom(area.bottom() - line - framePadding);
        canvas.setDrawColour(black);
        canvas.text(area.left() + framePadding, area.bottom() - line - framePadding / 2,
                    notShownText(count - maxDiagrams));
    }
    const std::vector<QRectF> placed = frames(diagrams, std::min(count, maxDiagrams));
    for (std::size_t i = 0; i < placed.size(); ++i)
        drawn.push_back(drawOne(settings, places[i], canvas, placed[i]));
    return drawn;
}

WalterLiethDiagram WalterLiethRenderer::drawOne(const WalterLiethSettings &settings, const WalterLiethPlace &place,
                                                Canvas &canvas, const QRectF &frame)
{
    const Palette colours = paletteOf(settings.blackWhite);
    const double line = canvas.textHeight(QString());
    const QRectF inner = frame.adjusted(framePadding, framePadding, -framePadding, -framePadding);

    WalterLiethDiagram diagram;
    diagram.firstMonth = WL::firstMonth(settings.monthOrder, place.info.latitude, place.temp);
    diagram.bottom = WL::bottom(place.temp, place.prec);
    diagram.top = WL::top(place.temp, place.prec, settings.fixedTop);

    // Header: the name and the annual figures on the first line; what is
    // known of the place and its climate class on the second.
    canvas.setDrawColour(black);
    canvas.setLineStyle(Canvas::LineStyle::Solid);
    canvas.setLineWidth(1);
    const auto headerLine = [&](double top, const QString &left, const QString &right) {
        const double rightWidth = canvas.textWidth(right);
        canvas.text(inner.right() - rightWidth, top, right);
        const double room = inner.width() - rightWidth - (right.isEmpty() ? 0 : headerGap);
        canvas.text(inner.left(), top, elided(canvas, left, room));
    };
    const auto [name, period] = nameAndPeriod(place);
    headerLine(inner.top(), name, annualText(place));
    headerLine(inner.top() + line, detailsOf(place.info, period), place.climateClass);

    // The plotting area: two header lines and the units above it, the axis
    // labels beside it, the month labels below it.
    const double leftRoom = canvas.textWidth(QStringLiteral("-50")) + tickLength + labelGap;
    const double rightRoom = canvas.textWidth(QStringLiteral("1000")) + tickLength + labelGap;
    diagram.plot = QRectF(QPointF(inner.left() + leftRoom, inner.top() + 3.5 * line),
                          QPointF(inner.right() - rightRoom, inner.bottom() - line - monthLabelDrop));
    if (!(diagram.plot.width() > 0 && diagram.plot.height() > 0) || !(diagram.top > diagram.bottom))
        return diagram;
    const QRectF &plot = diagram.plot;
    const Mapping map(plot, diagram.bottom, diagram.top);

    const WL::Shown temp = WL::inOrder(place.temp, diagram.firstMonth);
    WL::Shown prec{};
    {
        const WL::Shown mm = WL::inOrder(place.prec, diagram.firstMonth);
        for (int i = 0; i < 12; ++i)
            prec[i] = WL::level(mm[i]);
    }
    WL::Shown hundredMm{};
    hundredMm.fill(WL::compressionLevel);

    // The seasons first, the lines over them. The very wet band lies over
    // the humid hatching, which it replaces above 100 mm.
    fillAreas(canvas, map, WL::areasAbove(prec, temp), Canvas::FillStyle::FineVertical, colours.humid);
    fillAreas(canvas, map, WL::areasAbove(temp, prec), Canvas::FillStyle::Dots, colours.arid);
    fillAreas(canvas, map, WL::areasAbove(prec, hundredMm), Canvas::FillStyle::Solid, colours.wet);

    // Axes: temperature on the left from the bottom, precipitation on the
    // right from 0; the zero line across, and the bottom line under frost.
    canvas.setDrawColour(black);
    canvas.line(plot.left(), map.y(diagram.top), plot.left(), map.y(diagram.bottom));
    canvas.line(plot.right(), map.y(diagram.top), plot.right(), map.y(0));
    canvas.line(plot.left(), map.y(0), plot.right(), map.y(0));
    if (diagram.bottom < 0)
        canvas.line(plot.left(), map.y(diagram.bottom), plot.right(), map.y(diagram.bottom));
    for (int k = 0; k <= 12; ++k)
        canvas.line(map.x(k), map.y(diagram.bottom), map.x(k), map.y(diagram.bottom) + tickLength);

    drawCurve(canvas, map, prec, colours.precipitation, colours.precipitationLine);
    drawCurve(canvas, map, temp, colours.temperature, Canvas::LineStyle::Solid);

    // Scale labels: every 10 °C on the left up to 50 °C; on the right
    // 0, 20 … 100 mm, then 300, 500 … in the compressed band.
    canvas.setDrawColour(black);
    const double halfLine = line / 2;
    const double step = labelStep(map, line);
    for (const double level : labelLevels(diagram.bottom, std::min(diagram.top, WL::compressionLevel), step)) {
        const double y = map.y(level);
        const QString label = NumberText::fixed(level, 0);
        canvas.line(plot.left() - tickLength, y, plot.left(), y);
        canvas.text(plot.left() - tickLength - labelGap - canvas.textWidth(label), y - halfLine, label);
    }
    for (const double level : labelLevels(0, diagram.top, step)) {
        const double y = map.y(level);
        canvas.line(plot.right(), y, plot.right() + tickLength, y);
        canvas.text(plot.right() + tickLength + labelGap, y - halfLine,
                    NumberText::fixed(WL::precipitationAt(level), 0));
    }
    const double unitsTop = plot.top() - 1.5 * line;
    const QString celsius = QStringLiteral("\u00B0C");
    canvas.setDrawColour(colours.temperature);
    canvas.text(plot.left() - tickLength - labelGap - canvas.textWidth(celsius), unitsTop, celsius);
    canvas.setDrawColour(colours.precipitation);
    canvas.text(plot.right() + tickLength + labelGap, unitsTop, QStringLiteral("mm"));

    // Month labels under their columns: the user's, or the initials where
    // those do not fit.
    const double column = plot.width() / 12;
    std::array<QString, 12> labels;
    bool fit = true;
    for (int i = 0; i < 12; ++i) {
        labels[i] = settings.monthLabel[(diagram.firstMonth - 1 + i) % 12 + 1];
        fit = fit && canvas.textWidth(labels[i]) <= column - monthLabelRoom;
    }
    canvas.setDrawColour(black);
    for (int i = 0; i < 12; ++i) {
        const QString label =
            fit ? labels[i] : QString::fromLatin1(MonthLabels::sets[2][(diagram.firstMonth - 1 + i) % 12]);
        canvas.text(map.x(i + 0.5) - canvas.textWidth(label) / 2, map.y(diagram.bottom) + monthLabelDrop, label);
    }
    return diagram;
}
