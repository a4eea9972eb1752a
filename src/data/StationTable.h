// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/DataSet.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <array>
#include <vector>

// One row of the station library: a weather station's monthly climate
// normals over one reference period.
struct Station
{
    QString id;                   // WMO station number; "R2" appended for 1991-2020
    QString place;                // as the table spells it, blanks tidied, broken letter mended
    QString country;              // in words: "Russian Federation"
    double elevation = 0;         // metres above sea level
    double latitude = 0;          // degrees, north positive
    double longitude = 0;         // degrees, east positive
    QString period;               // "1961-1990" or "1991-2020"
    std::array<double, 13> temp{};  // °C, months 1..12 (element 0 unused, as in DataSet)
    std::array<double, 13> ppt{};   // mm
};

// The station library that ships beside the program (stations.csv): a
// ";"-separated ASCII table with a header row, one station and period per
// row. Its numbers are read as the table writes them ("." decimals) and never
// through the user's locale, so a station's values are the same under every
// locale.
namespace StationTable {

// The line every use of the table shows: the data's source and its terms
// ask for it wherever the data is shipped.
inline constexpr char16_t credit[] =
    u"Climate normals: Deutscher Wetterdienst (DWD), compiled in fdagner/klimadiagramme.";

// The file's name in the program's folder.
inline constexpr char16_t fileName[] = u"stations.csv";

struct ReadResult
{
    bool ok = false;              // false: no table at all (missing file, wrong header)
    QString message;              // why not, for the user
    std::vector<Station> stations;
    int badRows = 0;              // rows left out because they did not read
    QString firstBadRow;          // "line 17: …", when badRows > 0
};

ReadResult readStationTable(const QString &path);
// The same on bytes already in memory (the tests use it).
ReadResult parseStationTable(const QByteArray &bytes);

// "UnitedStatesofAmerica" → "United States of America"; the few names the
// table abbreviates are given whole.
QString countryInWords(QStringView runTogether);

// The place name of the data set a station becomes: short enough for the
// main window's lists (parenthesised parts and "/…" regions dropped from a
// long name), then the period: "Moscow 1991-2020".
QString dataSetName(const Station &station);

// The station as a data set, its values taken straight from the table.
DataSet dataSet(const Station &station);

} // namespace StationTable
