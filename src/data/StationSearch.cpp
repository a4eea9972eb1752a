// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/StationSearch.h"

#include <QHash>

#include <utility>

namespace {

// Letters that keep their look under Unicode decomposition.
constexpr std::pair<char16_t, const char16_t *> plainSpellings[] = {
    {u'\u00df', u"ss"}, {u'\u00e6', u"ae"}, {u'\u00f0', u"d"}, {u'\u00f8', u"o"}, {u'\u00fe', u"th"},
    {u'\u0111', u"d"},  {u'\u0131', u"i"},  {u'\u0142', u"l"}, {u'\u0153', u"oe"},
};

bool isVowelOrQ(QChar c)
{
    return c == u'a' || c == u'e' || c == u'i' || c == u'o' || c == u'u' || c == u'y' || c == u'q';
}

// Folded text with "ae", "oe" and "ue" written as the vowel alone, except
// after a vowel or a "q".
QString withUmlautsMet(const QString &folded)
{
    QString form;
    form.reserve(folded.size());
    for (qsizetype i = 0; i < folded.size(); ++i) {
        const QChar c = folded[i];
        form += c;
        const bool umlaut = (c == u'a' || c == u'o' || c == u'u') && i + 1 < folded.size()
                            && folded[i + 1] == u'e' && (i == 0 || !isVowelOrQ(folded[i - 1]));
        if (umlaut)
            ++i;
    }
    return form;
}

} // namespace

StationSearch::StationSearch(const std::vector<Station> &stations, const std::vector<QString> &extraWords)
{
    m_placeKeys.reserve(stations.size());
    m_countryKeys.reserve(stations.size());
    m_keys.reserve(stations.size());
    m_searchKeys.reserve(stations.size());
    for (const Station &station : stations) {
        m_placeKeys.push_back(fold(station.place));
        m_countryKeys.push_back(fold(station.country));
        m_keys.push_back(m_placeKeys.back() + u'\n' + m_countryKeys.back());
        m_searchKeys.push_back(withUmlautsMet(m_keys.back()));
    }
    if (extraWords.empty())
        return;
    // Each different word is folded once.
    m_extraOfRow.assign(stations.size(), -1);
    QHash<QString, int> indexOf;
    for (size_t row = 0; row < stations.size() && row < extraWords.size(); ++row) {
        const QString &word = extraWords[row];
        if (word.isEmpty())
            continue;
        int index = indexOf.value(word, -1);
        if (index < 0) {
            index = static_cast<int>(m_extraKeys.size());
            indexOf.insert(word, index);
            m_extraKeys << fold(word);
        }
        m_extraOfRow[row] = index;
    }
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

QString StationSearch::searchForm(QStringView text)
{
    return withUmlautsMet(fold(text));
}

std::vector<int> StationSearch::matching(QStringView query) const
{
    const QStringList words = fold(query).simplified().split(u' ', Qt::SkipEmptyParts);
    QStringList searchWords;
    for (const QString &word : words)
        searchWords << withUmlautsMet(word);
    // For each word, which of the extra words hold it, and whether any does
    // (most words typed are in none of them).
    std::vector<std::vector<char>> inExtra(words.size(), std::vector<char>(m_extraKeys.size(), 0));
    std::vector<char> inAnyExtra(words.size(), 0);
    for (qsizetype w = 0; w < words.size(); ++w) {
        for (qsizetype e = 0; e < m_extraKeys.size(); ++e) {
            inExtra[w][e] = m_extraKeys[e].contains(words[w]);
            inAnyExtra[w] = inAnyExtra[w] || inExtra[w][e];
        }
    }
    std::vector<int> rows;
    rows.reserve(m_keys.size());
    for (int row = 0; row < static_cast<int>(m_keys.size()); ++row) {
        bool all = true;
        for (qsizetype w = 0; w < words.size(); ++w) {
            if (m_keys[row].contains(words[w]) || m_searchKeys[row].contains(searchWords[w]))
                continue;
            if (inAnyExtra[w] && m_extraOfRow[row] >= 0 && inExtra[w][m_extraOfRow[row]])
                continue;
            all = false;
            break;
        }
        if (all)
            rows.push_back(row);
    }
    return rows;
}
