// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <array>

// One place: its name and, for months 1..12, a mean temperature and a
// precipitation. Index 0 of the month arrays is never used, so month m is
// element m everywhere in the program. No unit is stored.
struct DataSet
{
    QString name;
    std::array<double, 13> temp{};
    std::array<double, 13> ppt{};
};
