// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/DataSet.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <array>

// A place's Köppen–Geiger climate class from its twelve monthly means, by
// the rules of Peel, Finlayson & McMahon (2007), Table 1: "Af", "BWh",
// "Csa", "Dfb", "ET" … with its plain name and the figures that decided it,
// so the program can say why. Pure: numbers in, a value out; classifying
// costs a few dozen comparisons and no text, the texts are made when asked.
class ClimateClass
{
public:
    // How the dry threshold was chosen: by where 70 % of the year's
    // precipitation falls.
    enum class RainSeason { Winter, Summer, Neither };

    // The figures the rules read. Summer is the warmer of the half-years
    // April–September and October–March, so no hemisphere is needed.
    struct Figures
    {
        double meanTemp = 0;        // °C, mean of the twelve months
        double annualPpt = 0;       // mm, sum of the twelve months
        double warmest = 0;         // °C, warmest month
        double coldest = 0;         // °C, coldest month
        double driest = 0;          // mm, driest month
        int monthsAbove10 = 0;      // months warmer than 10 °C
        bool summerFromApril = true;   // summer is April–September (else October–March)
        double summerPpt = 0, winterPpt = 0;           // mm, each half-year's sum
        double summerDriest = 0, summerWettest = 0;    // mm, months of the summer half
        double winterDriest = 0, winterWettest = 0;    // mm, months of the winter half
        RainSeason rainSeason = RainSeason::Neither;
        double dryThreshold = 0;    // mm: 2 × meanTemp, + 28 (summer rain) or + 14 (neither)
    };

    // No class: a month that is not a finite number.
    ClimateClass() = default;

    // Months 1..12 of both arrays (element 0 unused, as in DataSet).
    static ClimateClass of(const std::array<double, 13> &temp, const std::array<double, 13> &ppt);
    static ClimateClass of(const DataSet &place) { return of(place.temp, place.ppt); }

    bool isValid() const { return m_letters[0] != 0; }
    // "Dfb"; empty when there is no class.
    QString code() const;
    // The same as Latin-1 letters, for sorting and comparing without text.
    const char *letters() const { return m_letters.data(); }
    // "Cold, without dry season, warm summer"; empty when there is no class.
    QString name() const;
    // "Dfb: Cold, without dry season, warm summer"
    QString codeAndName() const;
    // The dry threshold, then one step per letter and why the groups tested
    // before did not apply: "coldest month -9.3 °C ≤ 0 → D", "no dry season
    // → f", … Numbers in the locale's form.
    QStringList reasons(const QLocale &locale = QLocale()) const;
    // The steps joined: "Coldest month -9.3 °C ≤ 0 → D; no dry season → f; …"
    QString reasonText(const QLocale &locale = QLocale()) const;

    const Figures &figures() const { return m_figures; }

    // The plain name of a code ("Csa" → "Temperate, dry summer, hot summer");
    // empty for a code the rules never give.
    static QString nameOf(QStringView code);

private:
    Figures m_figures;
    std::array<char, 4> m_letters{};   // up to three letters and a terminating 0
    // Second letter of C and D: which of the dry-season tests held.
    bool m_drySummer = false;
    bool m_dryWinter = false;
};
