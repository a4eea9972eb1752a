// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/Scale.h"

#include "data/NumberText.h"

#include <cmath>

namespace Scale {

int divisionCount(int listIndex, QStringView text, const QLocale &locale)
{
    if (listIndex == 0)
        return defaultDivisions;
    const double value = std::nearbyint(NumberText::leadingValue(text, locale));
    if (!(value >= 1))
        return 1;
    if (value > maxDivisions)
        return maxDivisions;
    return static_cast<int>(value);
}

QString axisText(double value, int decimals, const QLocale &locale)
{
    if (decimals < 0 || decimals > 4)
        return QString();
    return NumberText::fixed(value, decimals, locale);
}

} // namespace Scale
