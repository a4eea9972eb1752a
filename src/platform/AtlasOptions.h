// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QPageSize>

#include <algorithm>
#include <array>

// How an atlas is laid out: how many charts share a page, the paper, whether
// every chart is drawn on the same axes, and whether it is a worksheet (the
// places shuffled and named by letters, with an answer key at the end). The
// atlas dialog edits it, the command line fills it, the atlas's pages follow it.
struct AtlasOptions
{
    static constexpr std::array<int, 4> perPageChoices = {1, 2, 4, 6};

    int perPage = 4;
    QPageSize::PageSizeId paper = QPageSize::A4;
    bool sameScale = false;
    bool worksheet = false;

    static bool isPerPageChoice(int count)
    {
        return std::find(perPageChoices.begin(), perPageChoices.end(), count) != perPageChoices.end();
    }
    // Letter where the user's locale measures in inches, A4 elsewhere.
    static QPageSize::PageSizeId localPaper()
    {
        return QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4;
    }
};
