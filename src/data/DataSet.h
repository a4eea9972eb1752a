// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <array>
#include <optional>

// At most this many data sets are loaded at once; they are numbered 1..50,
// and the per-data-set tables run 0..50 (element 0 belongs to none).
inline constexpr int maxDataSets = 50;

// What is known of a place besides its name and values. A station of the
// library knows all of it; a data file holds none of it.
struct PlaceInfo
{
    std::optional<double> elevation;   // metres above sea level
    std::optional<double> latitude;    // degrees, north positive
    QString period;                    // reference period, "1991-2020"; empty when unknown

    bool operator==(const PlaceInfo &) const = default;
};

// One place: its name and, for months 1..12, a mean temperature and a
// precipitation. Index 0 of the month arrays is never used, so month m is
// element m everywhere in the program. No unit is stored.
struct DataSet
{
    QString name;
    std::array<double, 13> temp{};
    std::array<double, 13> ppt{};
    PlaceInfo info;

    bool operator==(const DataSet &) const = default;
};
