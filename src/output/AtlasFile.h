// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "output/AtlasLayout.h"
#include "output/ChartPicture.h"
#include "platform/AtlasOptions.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// One chart of an atlas as its cell shows it: the chart, and the place's
// values table under it (rows of texts, the first the header row).
struct AtlasChart
{
    ChartPicture picture;
    std::vector<QStringList> table;
};

// An atlas as a PDF document: the charts of a plan, `perPage` to a page on
// the paper chosen, each under its heading with its values table below,
// then a worksheet's answer key. The document is composed in memory; the
// caller saves it whole.
class AtlasFile
{
public:
    // The chart of plan.charts[i].place. Asked once per chart, in page
    // order; what it gives is drawn before the next is asked, so it may
    // draw through something the next call changes.
    using Source = std::function<AtlasChart(int place)>;
    // Called before each chart is drawn and once at the end with the charts
    // done so far and their total; false cancels the export.
    using Progress = std::function<bool(int done, int total)>;

    struct Result
    {
        QByteArray pdf;          // empty when cancelled or when it could not be composed
        bool cancelled = false;
    };

    // Point sizes of the page's text.
    static constexpr double headingPoints = 11;
    static constexpr double tablePoints = 7;
    static constexpr double answerTitlePoints = 16;
    static constexpr double answerPoints = 10;
    // Margins of every page and the gap between neighbouring cells, in millimetres.
    static constexpr double marginMillimetres = 15;
    static constexpr double gapMillimetres = 8;

    static Result pdf(const AtlasPlan &plan, const AtlasOptions &options, const Source &source,
                      const QString &title, const Progress &progress = {});
};
