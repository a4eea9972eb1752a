// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/AtlasLayout.h"

#include <algorithm>
#include <numeric>
#include <random>

QString AtlasLayout::stationName(int index)
{
    // Letters as spreadsheet columns are named: after Z come AA, AB …
    QString letters;
    for (int n = std::max(index, 0) + 1; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar(u'A' + (n - 1) % 26));
    return QStringLiteral("Station ") + letters;
}

AtlasPlan AtlasLayout::plan(const std::vector<AtlasPlace> &places, bool worksheet, quint32 seed)
{
    std::vector<int> order(places.size());
    std::iota(order.begin(), order.end(), 0);
    if (worksheet) {
        // The standard engine gives the same shuffle for a seed everywhere;
        // std::shuffle's own steps may differ between libraries, so the
        // Fisher–Yates steps are written out.
        std::mt19937 random(seed);
        for (std::size_t i = order.size(); i > 1; --i) {
            std::uniform_int_distribution<std::size_t> pick(0, i - 1);
            std::swap(order[i - 1], order[pick(random)]);
        }
    }

    AtlasPlan plan;
    for (int place : order) {
        const QString heading = worksheet ? stationName(static_cast<int>(plan.charts.size())) : places[place].name;
        plan.charts.push_back({place, heading});
    }
    if (!worksheet)
        return plan;

    const bool periods = std::any_of(places.begin(), places.end(), [](const AtlasPlace &p) { return !p.period.isEmpty(); });
    const bool classes =
        std::any_of(places.begin(), places.end(), [](const AtlasPlace &p) { return !p.climateClass.isEmpty(); });
    QStringList header{QStringLiteral("Station"), QStringLiteral("Place")};
    if (periods)
        header << QStringLiteral("Period");
    if (classes)
        header << QStringLiteral("Climate class");
    plan.answerKey.push_back(header);
    for (const AtlasPlan::Chart &chart : plan.charts) {
        const AtlasPlace &place = places[chart.place];
        QStringList row{chart.heading, place.name};
        if (periods)
            row << place.period;
        if (classes)
            row << place.climateClass;
        plan.answerKey.push_back(row);
    }
    return plan;
}

QSize AtlasLayout::grid(int perPage)
{
    switch (perPage) {
    case 1: return QSize(1, 1);
    case 2: return QSize(1, 2);
    case 4: return QSize(2, 2);
    default: return QSize(2, (std::max(perPage, 1) + 1) / 2);
    }
}

int AtlasLayout::pageCount(int charts, int perPage)
{
    perPage = std::max(perPage, 1);
    return (std::max(charts, 0) + perPage - 1) / perPage;
}

std::vector<AtlasCell> AtlasLayout::cells(const QRectF &area, int perPage, const QSizeF &pictureSize,
                                          double headingHeight, double tableHeight, double gap)
{
    const QSize shape = grid(perPage);
    const double cellWidth = (area.width() - gap * (shape.width() - 1)) / shape.width();
    const double cellHeight = (area.height() - gap * (shape.height() - 1)) / shape.height();
    const double room = std::max(0.0, cellHeight - headingHeight - tableHeight);
    double width = cellWidth;
    double height = 0;
    if (!pictureSize.isEmpty()) {
        height = width * pictureSize.height() / pictureSize.width();
        if (height > room) {
            height = room;
            width = height * pictureSize.width() / pictureSize.height();
        }
    }

    std::vector<AtlasCell> cells;
    for (int row = 0; row < shape.height(); ++row) {
        for (int column = 0; column < shape.width() && static_cast<int>(cells.size()) < perPage; ++column) {
            const double left = area.left() + column * (cellWidth + gap);
            const double top = area.top() + row * (cellHeight + gap);
            const double chartLeft = left + (cellWidth - width) / 2;
            AtlasCell cell;
            cell.heading = QRectF(chartLeft, top, width, headingHeight);
            cell.chart = QRectF(chartLeft, top + headingHeight, width, height);
            cell.table = QRectF(chartLeft, cell.chart.bottom(), width, tableHeight);
            cells.push_back(cell);
        }
    }
    return cells;
}
