// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/StationTable.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

// Finding stations by what a user types. Every station's place and country
// are folded once, when the index is built, so a query costs one folding of
// its own text and a substring search per station (about 3,400 of them).
class StationSearch
{
public:
    // `extraWords` (by row, may be shorter than the table or empty) are
    // matched like the place and country: the browser gives each station's
    // climate class ("Dfb"), which this layer cannot compute itself.
    explicit StationSearch(const std::vector<Station> &stations, const std::vector<QString> &extraWords = {});

    // Case and accents taken away: "São Paulo" and "SAO PAULO" both give
    // "sao paulo"; letters without a decomposition map to their plain
    // spelling ("ß" → "ss", "ø" → "o").
    static QString fold(QStringView text);

    // The form a search compares: folded, and with German umlauts written
    // out meeting the plain vowel, the way "ä", "ö" and "ü" already fold:
    // "ae", "oe" and "ue" become "a", "o" and "u", so "München", "Muenchen"
    // and "Munchen" all give "munchen". After a vowel or a "q" the two
    // letters are no umlaut ("Aue", "Queen") and stay.
    static QString searchForm(QStringView text);

    // The rows (ascending) whose place, country or extra words hold every
    // blank-separated word of the query, folded or in its search form; an
    // empty query matches every row.
    std::vector<int> matching(QStringView query) const;

    // The folded place and country of row i, for sorting by them.
    const QString &placeKey(int row) const { return m_placeKeys[row]; }
    const QString &countryKey(int row) const { return m_countryKeys[row]; }

private:
    std::vector<QString> m_placeKeys;
    std::vector<QString> m_countryKeys;
    // Place, a line break (no query holds one) and country, folded and in
    // their search form: one or two searches per word and station.
    std::vector<QString> m_keys;
    std::vector<QString> m_searchKeys;
    // The extra words are few (the 30 climate classes): each is folded and
    // kept once, and a row holds the index of its own (-1: none). A query
    // word is looked for in the few words once, and a row then costs one
    // look-up, so they add next to nothing to the search.
    QStringList m_extraKeys;
    std::vector<int> m_extraOfRow;
};
