// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/ClimateClass.h"

#include "data/NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// The words of each letter, by group: "Cfb" is "Temperate" + "without dry
// season" + "warm summer".
const char *groupName(char group)
{
    switch (group) {
    case 'A': return "Tropical";
    case 'B': return "Arid";
    case 'C': return "Temperate";
    case 'D': return "Cold";
    case 'E': return "Polar";
    default: return nullptr;
    }
}

const char *secondName(char group, char letter)
{
    switch (group) {
    case 'A':
        return letter == 'f' ? "rainforest" : letter == 'm' ? "monsoon" : letter == 'w' ? "savannah" : nullptr;
    case 'B':
        return letter == 'W' ? "desert" : letter == 'S' ? "steppe" : nullptr;
    case 'C':
    case 'D':
        return letter == 's' ? "dry summer" : letter == 'w' ? "dry winter" : letter == 'f' ? "without dry season" : nullptr;
    case 'E':
        return letter == 'T' ? "tundra" : letter == 'F' ? "ice cap" : nullptr;
    default:
        return nullptr;
    }
}

const char *thirdName(char group, char letter)
{
    switch (group) {
    case 'B':
        return letter == 'h' ? "hot" : letter == 'k' ? "cold" : nullptr;
    case 'C':
    case 'D':
        switch (letter) {
        case 'a': return "hot summer";
        case 'b': return "warm summer";
        case 'c': return "cold summer";
        case 'd': return group == 'D' ? "very cold winter" : nullptr;
        default: return nullptr;
        }
    default:
        return nullptr;
    }
}

bool isSummerFromApril(int month)
{
    return month >= 4 && month <= 9;
}

} // namespace

// Every test is the comparison of the rules, rearranged where the rule
// divides or takes a share (MAP / 25, Pwwet / 3, 70 % of MAP, the mean's
// 12): multiplied out, a place whose monthly values are whole numbers meets
// each boundary exactly, where 0.7 or a third has no exact binary form and
// a value on the boundary could fall to either side.
ClimateClass ClimateClass::of(const std::array<double, 13> &temp, const std::array<double, 13> &ppt)
{
    ClimateClass result;
    for (int month = 1; month <= 12; ++month)
        if (!std::isfinite(temp[month]) || !std::isfinite(ppt[month]))
            return result;

    Figures &f = result.m_figures;
    double tempSum = 0;
    double aprilToSeptember = 0;
    f.warmest = f.coldest = temp[1];
    f.driest = ppt[1];
    for (int month = 1; month <= 12; ++month) {
        const double t = temp[month];
        tempSum += t;
        f.annualPpt += ppt[month];
        f.warmest = std::max(f.warmest, t);
        f.coldest = std::min(f.coldest, t);
        f.driest = std::min(f.driest, ppt[month]);
        if (t > 10)
            ++f.monthsAbove10;
        if (isSummerFromApril(month))
            aprilToSeptember += t;
    }
    // Values near the largest double add up to infinity: no class then.
    if (!std::isfinite(tempSum) || !std::isfinite(f.annualPpt))
        return ClimateClass();
    f.meanTemp = tempSum / 12;
    // The warmer half-year is summer; a tie goes to April–September.
    f.summerFromApril = aprilToSeptember >= tempSum - aprilToSeptember;

    bool firstSummer = true;
    bool firstWinter = true;
    for (int month = 1; month <= 12; ++month) {
        const double p = ppt[month];
        if (isSummerFromApril(month) == f.summerFromApril) {
            f.summerPpt += p;
            f.summerDriest = firstSummer ? p : std::min(f.summerDriest, p);
            f.summerWettest = firstSummer ? p : std::max(f.summerWettest, p);
            firstSummer = false;
        } else {
            f.winterPpt += p;
            f.winterDriest = firstWinter ? p : std::min(f.winterDriest, p);
            f.winterWettest = firstWinter ? p : std::max(f.winterWettest, p);
            firstWinter = false;
        }
    }

    // Pth = 2 × MAT + offset, by where 70 % of the year's precipitation falls.
    double offset = 14;
    f.rainSeason = RainSeason::Neither;
    if (10 * f.winterPpt >= 7 * f.annualPpt) {
        offset = 0;
        f.rainSeason = RainSeason::Winter;
    } else if (10 * f.summerPpt >= 7 * f.annualPpt) {
        offset = 28;
        f.rainSeason = RainSeason::Summer;
    }
    f.dryThreshold = 2 * f.meanTemp + offset;
    // 6 × Pth with the mean's twelfth multiplied out: MAP < 10 × Pth is
    // 6 × MAP < 10 × sixPth, MAP < 5 × Pth is 6 × MAP < 5 × sixPth.
    const double sixThresholds = tempSum + 6 * offset;

    std::array<char, 4> &code = result.m_letters;
    if (6 * f.annualPpt < 10 * sixThresholds) {
        code[0] = 'B';
        code[1] = 6 * f.annualPpt < 5 * sixThresholds ? 'W' : 'S';
        code[2] = tempSum >= 12 * 18 ? 'h' : 'k';
    } else if (f.warmest <= 10) {
        code[0] = 'E';
        code[1] = f.warmest > 0 ? 'T' : 'F';
    } else if (f.coldest >= 18) {
        code[0] = 'A';
        // Pdry ≥ 100 − MAP / 25, times 25.
        code[1] = f.driest >= 60 ? 'f' : 25 * f.driest >= 2500 - f.annualPpt ? 'm' : 'w';
    } else {
        code[0] = f.coldest > 0 ? 'C' : 'D';
        result.m_drySummer = f.summerDriest < 40 && 3 * f.summerDriest < f.winterWettest;
        result.m_dryWinter = 10 * f.winterDriest < f.summerWettest;
        // Both halves may have a dry month: the dry season is then the half
        // with less precipitation, so a summer-rain place such as Allahabad
        // (871 mm in summer, 85 mm in winter) is w, not s.
        if (result.m_drySummer && result.m_dryWinter)
            code[1] = f.winterPpt > f.summerPpt ? 's' : 'w';
        else
            code[1] = result.m_drySummer ? 's' : result.m_dryWinter ? 'w' : 'f';
        if (f.warmest >= 22)
            code[2] = 'a';
        else if (f.monthsAbove10 >= 4)
            code[2] = 'b';
        else if (code[0] == 'D' && f.coldest < -38)
            code[2] = 'd';
        else
            code[2] = 'c';
    }
    return result;
}

QString ClimateClass::code() const
{
    return QString::fromLatin1(m_letters.data());
}

QString ClimateClass::name() const
{
    return isValid() ? nameOf(code()) : QString();
}

QString ClimateClass::codeAndName() const
{
    return isValid() ? code() + QStringLiteral(": ") + name() : QString();
}

QString ClimateClass::nameOf(QStringView code)
{
    if (code.size() < 2 || code.size() > 3)
        return {};
    const char group = static_cast<char>(code[0].toLatin1());
    const char *first = groupName(group);
    const char *second = secondName(group, static_cast<char>(code[1].toLatin1()));
    if (!first || !second)
        return {};
    // A and E have two letters, the others three.
    const bool twoLetters = group == 'A' || group == 'E';
    if (twoLetters != (code.size() == 2))
        return {};
    QString name = QLatin1String(first) + QStringLiteral(", ") + QLatin1String(second);
    if (!twoLetters) {
        const char *third = thirdName(group, static_cast<char>(code[2].toLatin1()));
        if (!third)
            return {};
        name += QStringLiteral(", ") + QLatin1String(third);
    }
    return name;
}

QStringList ClimateClass::reasons(const QLocale &locale) const
{
    if (!isValid())
        return {};
    const Figures &f = m_figures;
    // Months and their sums as they are (never rounded into the other side
    // of a boundary: 21.996 °C is not "22.0 °C < 22"); derived figures with
    // fixed decimals.
    const auto degrees = [&locale](double value) {
        return NumberText::general(value, locale) + QStringLiteral("\u00a0\u00b0C");
    };
    const auto mm = [&locale](double value) {
        return NumberText::general(value, locale) + QStringLiteral("\u00a0mm");
    };
    const auto derivedMm = [&locale](double value) {
        return NumberText::fixed(value, 1, locale) + QStringLiteral("\u00a0mm");
    };
    const QString meanTemp = NumberText::fixed(f.meanTemp, 2, locale);
    const QString arrow = QStringLiteral(" \u2192 ");
    const QChar group = QLatin1Char(m_letters[0]);
    const QChar second = QLatin1Char(m_letters[1]);
    const QChar third = QLatin1Char(m_letters[2]);
    QStringList steps;

    // The dry threshold first, as a figure the next step compares with.
    QString threshold;
    switch (f.rainSeason) {
    case RainSeason::Winter:
        threshold = QStringLiteral("dry threshold 2 \u00d7 %1 = %2: 70\u00a0% or more of the precipitation in winter");
        break;
    case RainSeason::Summer:
        threshold = QStringLiteral("dry threshold 2 \u00d7 %1 + 28 = %2: 70\u00a0% or more of the precipitation in summer");
        break;
    case RainSeason::Neither:
        threshold = QStringLiteral("dry threshold 2 \u00d7 %1 + 14 = %2: neither half-year has 70\u00a0% of the precipitation");
        break;
    }
    steps << threshold.arg(meanTemp, derivedMm(f.dryThreshold));
    const QString annual = QStringLiteral("annual precipitation %1 ").arg(mm(f.annualPpt));

    if (group == u'B') {
        steps << annual + QStringLiteral("< 10 \u00d7 %1").arg(derivedMm(f.dryThreshold)) + arrow + group;
        steps << mm(f.annualPpt) + (second == u'W' ? QStringLiteral(" < ") : QStringLiteral(" \u2265 "))
                     + QStringLiteral("5 \u00d7 %1").arg(derivedMm(f.dryThreshold)) + arrow + second;
        steps << QStringLiteral("annual mean %1\u00a0\u00b0C %2 18").arg(meanTemp, third == u'h' ? u"\u2265" : u"<")
                     + arrow + third;
        return steps;
    }
    steps << annual + QStringLiteral("\u2265 10 \u00d7 %1").arg(derivedMm(f.dryThreshold)) + arrow
                 + QStringLiteral("not dry");
    if (group == u'E') {
        steps << QStringLiteral("warmest month %1 \u2264 10").arg(degrees(f.warmest)) + arrow + group;
        steps << QStringLiteral("warmest month %1 %2 0").arg(degrees(f.warmest), second == u'T' ? u">" : u"\u2264")
                     + arrow + second;
        return steps;
    }
    steps << QStringLiteral("warmest month %1 > 10").arg(degrees(f.warmest)) + arrow + QStringLiteral("not polar");
    if (group == u'A') {
        steps << QStringLiteral("coldest month %1 \u2265 18").arg(degrees(f.coldest)) + arrow + group;
        const QString driest = QStringLiteral("driest month %1").arg(mm(f.driest));
        const QString monsoonLimit = QStringLiteral("100 \u2212 %1 / 25 = %2")
                                         .arg(mm(f.annualPpt), derivedMm(100 - f.annualPpt / 25));
        if (second == u'f')
            steps << driest + QStringLiteral(" \u2265 60") + arrow + second;
        else if (second == u'm')
            steps << driest + QStringLiteral(" < 60 and \u2265 ") + monsoonLimit + arrow + second;
        else
            steps << driest + QStringLiteral(" < 60 and < ") + monsoonLimit + arrow + second;
        return steps;
    }

    if (group == u'C')
        steps << QStringLiteral("coldest month %1 > 0 and < 18").arg(degrees(f.coldest)) + arrow + group;
    else
        steps << QStringLiteral("coldest month %1 \u2264 0").arg(degrees(f.coldest)) + arrow + group;

    const QString summerHalf = f.summerFromApril ? QStringLiteral("April\u2013September")
                                                 : QStringLiteral("October\u2013March");
    const QString drySummer = QStringLiteral("driest summer month %1 < 40 and < wettest winter month %2 / 3")
                                  .arg(mm(f.summerDriest), mm(f.winterWettest));
    const QString dryWinter = QStringLiteral("driest winter month %1 < wettest summer month %2 / 10")
                                  .arg(mm(f.winterDriest), mm(f.summerWettest));
    if (m_drySummer && m_dryWinter) {
        steps << QStringLiteral("summer (%1) and winter both dry (%2; %3), ")
                         .arg(summerHalf, drySummer, dryWinter)
                     + QStringLiteral("summer %1 %2 winter %3")
                           .arg(mm(f.summerPpt), second == u's' ? u"<" : u"\u2265", mm(f.winterPpt))
                     + arrow + second;
    } else if (m_drySummer) {
        steps << drySummer + QStringLiteral(" (summer: %1)").arg(summerHalf) + arrow + second;
    } else if (m_dryWinter) {
        steps << dryWinter + QStringLiteral(" (summer: %1)").arg(summerHalf) + arrow + second;
    } else {
        steps << QStringLiteral("no dry season") + arrow + second;
    }

    const QString months = f.monthsAbove10 == 1 ? QStringLiteral("1 month above 10\u00a0\u00b0C")
                                                : QStringLiteral("%1 months above 10\u00a0\u00b0C").arg(f.monthsAbove10);
    const QString minus38 = NumberText::fixed(-38, 0, locale);
    if (third == u'a')
        steps << QStringLiteral("warmest month %1 \u2265 22").arg(degrees(f.warmest)) + arrow + third;
    else if (third == u'b')
        steps << QStringLiteral("%1, warmest %2 < 22").arg(months, degrees(f.warmest)) + arrow + third;
    else if (third == u'd')
        steps << QStringLiteral("%1, coldest month %2 < %3").arg(months, degrees(f.coldest), minus38) + arrow + third;
    else if (group == u'D')
        steps << QStringLiteral("%1, warmest %2 < 22, coldest %3 \u2265 %4")
                         .arg(months, degrees(f.warmest), degrees(f.coldest), minus38)
                     + arrow + third;
    else
        steps << QStringLiteral("%1, warmest %2 < 22").arg(months, degrees(f.warmest)) + arrow + third;
    return steps;
}

QString ClimateClass::reasonText(const QLocale &locale) const
{
    QString text = reasons(locale).join(QStringLiteral("; "));
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text;
}
