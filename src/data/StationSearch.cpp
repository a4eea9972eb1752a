// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/StationSearch.h"

#include <QSet>

#include <algorithm>
#include <utility>

namespace {

// Letters that keep their look under Unicode decomposition.
constexpr std::pair<char16_t, const char16_t *> plainSpellings[] = {
    {u'\u00df', u"ss"}, {u'\u00e6', u"ae"}, {u'\u00f0', u"d"}, {u'\u00f8', u"o"}, {u'\u00fe', u"th"},
    {u'\u0111', u"d"},  {u'\u0131', u"i"},  {u'\u0142', u"l"}, {u'\u0153', u"oe"},
};

} // namespace

StationSearch::StationSearch(const std::vector<Station> &stations, const std::vector<QString> &extraWords)
{
    m_placeKeys.reserve(stations.size());
    m_countryKeys.reserve(stations.size());
    m_keys.reserve(stations.size());
    for (const Station &station : stations) {
        m_placeKeys.push_back(fold(station.place));
        m_countryKeys.push_back(fold(station.country));
        m_keys.push_back(m_placeKeys.back() + u'\n' + m_countryKeys.back());
    }
    if (extraWords.empty())
        return;
    m_extraKeys.resize(stations.size());
    QSet<QString> distinct;
    for (size_t row = 0; row < stations.size() && row < extraWords.size(); ++row) {
        m_extraKeys[row] = fold(extraWords[row]);
        if (!m_extraKeys[row].isEmpty())
            distinct.insert(m_extraKeys[row]);
    }
    m_distinctExtraKeys = distinct.values();
}

QString StationSearch::fold(QStringView text)
{
    const QString decomposed = text.toString().normalized(QString::NormalizationForm_KD).toCaseFolded();
    QString folded;
    folded.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() == QChar::Mark_NonSpacing || c.category() == QChar::Mark_Enclosing)
            continue;
        const char16_t *plain = nullptr;
        for (const auto &[letter, spelling] : plainSpellings)
            if (c.unicode() == letter)
                plain = spelling;
        if (plain)
            folded += QStringView(plain);
        else
            folded += c;
    }
    return folded;
}

std::vector<int> StationSearch::matching(QStringView query) const
{
    const QStringList words = fold(query).simplified().split(u' ', Qt::SkipEmptyParts);
    std::vector<bool> mayBeExtra;
    for (const QString &word : words)
        mayBeExtra.push_back(std::any_of(m_distinctExtraKeys.begin(), m_distinctExtraKeys.end(),
                                         [&word](const QString &extra) { return extra.contains(word); }));
    std::vector<int> rows;
    rows.reserve(m_keys.size());
    for (int row = 0; row < static_cast<int>(m_keys.size()); ++row) {
        bool all = true;
        for (qsizetype w = 0; w < words.size(); ++w) {
            if (!m_keys[row].contains(words[w]) && !(mayBeExtra[w] && m_extraKeys[row].contains(words[w]))) {
                all = false;
                break;
            }
        }
        if (all)
            rows.push_back(row);
    }
    return rows;
}
