// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <vector>

// A place as the atlas knows it: its name, and for the answer key its
// reference period and climate class (either empty where not known).
struct AtlasPlace
{
    QString name;
    QString period;
    QString climateClass;
};

// The order and the names of an atlas's charts, and its answer key.
struct AtlasPlan
{
    struct Chart
    {
        int place = 0;     // index into the places given
        QString heading;   // the place's name, or its station's in a worksheet
    };
    std::vector<Chart> charts;
    // A worksheet's answer key: the header row, then one row per station in
    // the order of the charts. Columns that would be empty in every row
    // (no period, no class known) are left out. Empty for an atlas.
    std::vector<QStringList> answerKey;
};

// Where one chart goes on its page: its heading above, the chart itself
// (with the picture's proportions), the values table below.
struct AtlasCell
{
    QRectF heading;
    QRectF chart;
    QRectF table;
};

// The composition of an atlas, free of painting: which place comes where,
// how a worksheet names them, and how the charts share a page.
class AtlasLayout
{
public:
    // "Station A" … "Station Z", then "Station AA", "Station AB" … for the
    // chart at `index` (from 0).
    static QString stationName(int index);

    // The places in the order given, each under its own name; for a
    // worksheet shuffled once by `seed` and named by stations in their new
    // order, with the answer key.
    static AtlasPlan plan(const std::vector<AtlasPlace> &places, bool worksheet, quint32 seed);

    // Columns and rows of `perPage` charts on an upright page: 1 × 1, 1 × 2
    // (one above the other), 2 × 2, 2 × 3.
    static QSize grid(int perPage);
    // Pages that `charts` charts fill at `perPage` a page.
    static int pageCount(int charts, int perPage);

    // The cells of a page's `perPage` charts in reading order, in `area`
    // (the page less its margins, in any unit). Each cell gives its heading
    // `headingHeight` and its table `tableHeight`, and the chart the rest,
    // as large as the proportions of `pictureSize` allow, centred across.
    // The table is as wide as the chart. `gap` lies between neighbours.
    static std::vector<AtlasCell> cells(const QRectF &area, int perPage, const QSizeF &pictureSize,
                                        double headingHeight, double tableHeight, double gap);
};
