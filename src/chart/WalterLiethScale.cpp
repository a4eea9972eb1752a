// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/WalterLiethScale.h"

#include <algorithm>
#include <cmath>

namespace WalterLiethScale {

double level(double precipitation)
{
    if (precipitation <= compressionStart)
        return precipitation / mmPerDegree;
    return compressionLevel + (precipitation - compressionStart) / compressedMmPerDegree;
}

double precipitationAt(double height)
{
    if (height <= compressionLevel)
        return height * mmPerDegree;
    return compressionStart + (height - compressionLevel) * compressedMmPerDegree;
}

double bottom(const Months &temp, const Months &prec)
{
    double lowest = 0;
    for (int m = 1; m <= 12; ++m)
        lowest = std::min({lowest, temp[m], level(prec[m])});
    return std::floor(lowest / labelStep) * labelStep;
}

double top(const Months &temp, const Months &prec, std::optional<double> fixedTop)
{
    double highest = 0;
    for (int m = 1; m <= 12; ++m)
        highest = std::max({highest, temp[m], level(prec[m])});
    const double needed = std::max(leastTop, std::ceil(highest / labelStep) * labelStep);
    return fixedTop ? std::max(*fixedTop, needed) : needed;
}

int firstMonth(MonthOrder order, std::optional<double> latitude, const Months &temp)
{
    switch (order) {
    case MonthOrder::JanuaryFirst: return 1;
    case MonthOrder::JulyFirst: return 7;
    case MonthOrder::Automatic: break;
    }
    if (latitude)
        return *latitude < 0 ? 7 : 1;
    const double southernSummer = (temp[12] + temp[1] + temp[2]) / 3;
    const double northernSummer = (temp[6] + temp[7] + temp[8]) / 3;
    return southernSummer > northernSummer ? 7 : 1;
}

Shown inOrder(const Months &values, int first)
{
    Shown shown{};
    for (int i = 0; i < 12; ++i)
        shown[i] = values[(first - 1 + i) % 12 + 1];
    return shown;
}

std::vector<QPolygonF> areasAbove(const Shown &upper, const Shown &lower)
{
    std::vector<QPolygonF> areas;
    // The open area: its points along `upper` and along `lower`, left to right.
    std::vector<QPointF> top;
    std::vector<QPointF> under;
    const auto middle = [](double column) { return column + 0.5; };
    // Where the curves meet between months k - 1 and k (on `lower`, which
    // there is `upper` too).
    const auto crossing = [&](int k) {
        const double before = upper[k - 1] - lower[k - 1];
        const double after = upper[k] - lower[k];
        const double t = before / (before - after);
        return QPointF(middle(k - 1 + t), lower[k - 1] + t * (lower[k] - lower[k - 1]));
    };
    const auto close = [&](std::optional<QPointF> end) {
        QPolygonF outline;
        for (const QPointF &p : top)
            outline << p;
        if (end)
            outline << *end;
        for (auto it = under.rbegin(); it != under.rend(); ++it)
            if (it + 1 != under.rend() || top.empty() || *it != top.front())
                outline << *it;
        areas.push_back(outline);
        top.clear();
        under.clear();
    };

    bool open = false;
    for (int k = 0; k < 12; ++k) {
        const bool above = upper[k] > lower[k];
        if (above && !open) {
            open = true;
            if (k > 0) {
                // Meeting exactly on month k - 1, or crossing after it.
                const QPointF start = upper[k - 1] == lower[k - 1] ? QPointF(middle(k - 1), lower[k - 1]) : crossing(k);
                top.push_back(start);
                under.push_back(start);
            }
        } else if (!above && open) {
            open = false;
            close(upper[k] == lower[k] ? QPointF(middle(k), lower[k]) : crossing(k));
        }
        if (above) {
            top.push_back(QPointF(middle(k), upper[k]));
            under.push_back(QPointF(middle(k), lower[k]));
        }
    }
    if (open)
        close(std::nullopt);
    return areas;
}

} // namespace WalterLiethScale
