// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/StationTable.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <utility>

namespace StationTable {
namespace {

// The table as it ships: these columns in this order (the German column
// names of its source, "MRZ" for März included).
constexpr QByteArrayView expectedHeader =
    "ID;Ort;Land;Hoehenlage;TJANUAR;TFEBRUAR;TMRZ;TAPRIL;TMAI;TJUNI;TJULI;TAUGUST;TSEPTEMBER;"
    "TOKTOBER;TNOVEMBER;TDEZEMBER;NJANUAR;NFEBRUAR;NMRZ;NAPRIL;NMAI;NJUNI;NJULI;NAUGUST;"
    "NSEPTEMBER;NOKTOBER;NNOVEMBER;NDEZEMBER;Laengengrad;Breitengrad;Referenzzeitraum";
constexpr int columnCount = 31;
enum Column { Id, Place, Country, Elevation, FirstTemp, FirstPpt = FirstTemp + 12,
              Longitude = FirstPpt + 12, Latitude, Period };

// A table this large is not the station table (it holds under half a MiB).
constexpr qint64 maximumFileSize = 16 * 1024 * 1024;

// Names the table spells in a way the word rule cannot mend.
constexpr std::pair<const char16_t *, const char16_t *> countryNames[] = {
    {u"Coted'Ivoire", u"Côte d'Ivoire"},
    {u"Curacao", u"Curaçao"},
    {u"Dem.RepublicoftheCongo", u"Democratic Republic of the Congo"},
    {u"Iran(IslamicRep.of)", u"Iran (Islamic Republic of)"},
    {u"Korea.Dem.People'sRep.", u"Democratic People's Republic of Korea"},
    {u"LaoPeople'sDem.Rep.", u"Lao People's Democratic Republic"},
    {u"Moldova.Rep.Of", u"Republic of Moldova"},
    {u"NorthMacedonia.Rep.Of", u"North Macedonia"},
    {u"RepublicofChina.Taiwan", u"Republic of China (Taiwan)"},
    {u"St.Maarten", u"Sint Maarten"},
    {u"SyrianArabRep.", u"Syrian Arab Republic"},
    {u"UnitedArab.Emirates", u"United Arab Emirates"},
    {u"UnitedKingdomofGreatBritainandN.-Ireland", u"United Kingdom of Great Britain and Northern Ireland"},
    {u"Wallis", u"Wallis and Futuna"},
};

// The one place name whose letter was lost on the way to the table
// (U+FFFD stands where "ö" was).
constexpr std::pair<const char16_t *, const char16_t *> placeRepairs[] = {
    {u"K\uFFFDnigwinter-Heiderhof", u"K\u00f6nigwinter-Heiderhof"},
};

// Small words the table runs into the word before them ("Statesof",
// "Republicofthe"); longest first, so "ofthe" is taken before "the".
constexpr const char16_t *connectors[] = {u"ofthe", u"and", u"the", u"of"};

// The longest place part of a data set name that still fits the main
// window's lists beside the number and the period.
constexpr qsizetype maximumPlaceLength = 18;

std::optional<double> number(QByteArrayView text)
{
    double value = 0;
    const char *end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
    if (error != std::errc() || stop != end || text.isEmpty() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<double> numberIn(QByteArrayView text, double minimum, double maximum)
{
    const std::optional<double> value = number(text);
    if (!value || *value < minimum || *value > maximum)
        return std::nullopt;
    return value;
}

QString tidyPlace(QByteArrayView bytes)
{
    QString place = QString::fromUtf8(bytes).simplified();
    for (const auto &[broken, mended] : placeRepairs)
        if (place == QStringView(broken))
            return QString::fromUtf16(mended);
    // A letter lost in some other name: the question mark the table's
    // own notes use for it, which every code page of a data file holds.
    place.replace(QChar::ReplacementCharacter, u'?');
    return place;
}

// Reads one data row; the reason when it does not read.
std::optional<Station> readRow(QByteArrayView line, QString &why)
{
    std::array<QByteArrayView, columnCount> fields;
    int count = 0;
    qsizetype start = 0;
    while (true) {
        const qsizetype semicolon = line.indexOf(';', start);
        const qsizetype stop = semicolon < 0 ? line.size() : semicolon;
        if (count == columnCount) {
            why = QStringLiteral("more than %1 columns").arg(columnCount);
            return std::nullopt;
        }
        fields[count++] = line.sliced(start, stop - start);
        if (semicolon < 0)
            break;
        start = semicolon + 1;
    }
    if (count != columnCount) {
        why = QStringLiteral("%1 columns instead of %2").arg(count).arg(columnCount);
        return std::nullopt;
    }

    Station station;
    station.id = QString::fromLatin1(fields[Id]);
    station.place = tidyPlace(fields[Place]);
    station.country = countryInWords(QString::fromUtf8(fields[Country]));
    if (station.id.isEmpty() || station.place.isEmpty() || station.country.isEmpty()) {
        why = QStringLiteral("an empty station number, place or country");
        return std::nullopt;
    }
    if (fields[Period] == "R1") {
        station.period = QStringLiteral("1961-1990");
    } else if (fields[Period] == "R2") {
        station.period = QStringLiteral("1991-2020");
    } else {
        why = QStringLiteral("the period \"%1\" is neither R1 nor R2").arg(QString::fromUtf8(fields[Period]));
        return std::nullopt;
    }

    // Wide bounds: they catch a shifted column, not an unusual climate.
    struct Target { double *value; int column; double minimum; double maximum; };
    std::vector<Target> targets{
        {&station.elevation, Elevation, -1000, 9000},
        {&station.longitude, Longitude, -180, 180},
        {&station.latitude, Latitude, -90, 90},
    };
    for (int month = 1; month <= 12; ++month) {
        targets.push_back({&station.temp[month], FirstTemp + month - 1, -90, 60});
        targets.push_back({&station.ppt[month], FirstPpt + month - 1, 0, 15000});
    }
    for (const Target &target : targets) {
        const std::optional<double> value = numberIn(fields[target.column], target.minimum, target.maximum);
        if (!value) {
            why = QStringLiteral("column %1: \"%2\" is not a number from %3 to %4")
                      .arg(target.column + 1)
                      .arg(QString::fromUtf8(fields[target.column]))
                      .arg(target.minimum)
                      .arg(target.maximum);
            return std::nullopt;
        }
        *target.value = *value;
    }
    return station;
}

bool isConnectorEnd(const QString &word, QStringView connector)
{
    // "Finland" is not "Finl and": only a word that another word follows is
    // split, and only where a lower-case letter runs into the small word.
    const qsizetype stem = word.size() - connector.size();
    return stem > 0 && word.endsWith(connector) && word.at(stem - 1).isLower();
}

} // namespace

ReadResult parseStationTable(const QByteArray &bytes)
{
    ReadResult result;
    QByteArrayView input(bytes);
    if (input.startsWith("\xEF\xBB\xBF"))
        input = input.sliced(3);

    qsizetype pos = 0;
    int lineNumber = 0;
    bool headerSeen = false;
    while (pos < input.size()) {
        qsizetype end = input.indexOf('\n', pos);
        if (end < 0)
            end = input.size();
        QByteArrayView line = input.sliced(pos, end - pos);
        pos = end + 1;
        ++lineNumber;
        if (line.endsWith('\r'))
            line.chop(1);

        if (!headerSeen) {
            if (line != expectedHeader) {
                result.message = QStringLiteral("Its first line is not the station table's header.");
                return result;
            }
            headerSeen = true;
            continue;
        }
        if (line.trimmed().isEmpty())
            continue;
        QString why;
        if (std::optional<Station> station = readRow(line, why)) {
            result.stations.push_back(std::move(*station));
        } else {
            if (result.badRows == 0)
                result.firstBadRow = QStringLiteral("line %1: %2").arg(lineNumber).arg(why);
            ++result.badRows;
        }
    }
    if (!headerSeen) {
        result.message = QStringLiteral("The file is empty.");
        return result;
    }
    result.ok = true;
    return result;
}

ReadResult readStationTable(const QString &path)
{
    ReadResult result;
    const QFileInfo info(path);
    if (!info.exists()) {
        result.message = QStringLiteral("The file %1 was not found.").arg(path);
        return result;
    }
    if (!info.isFile() || info.size() > maximumFileSize) {
        result.message = QStringLiteral("%1 is not the station table.").arg(path);
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.message = QStringLiteral("%1 could not be read: %2").arg(path, file.errorString());
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.message = QStringLiteral("%1 could not be read: %2").arg(path, file.errorString());
        return result;
    }
    result = parseStationTable(bytes);
    if (!result.ok)
        result.message = QStringLiteral("%1 is not the station table. %2").arg(path, result.message);
    return result;
}

QString countryInWords(QStringView runTogether)
{
    for (const auto &[name, words] : countryNames)
        if (runTogether == QStringView(name))
            return QString::fromUtf16(words);

    // A blank where a lower-case letter meets a capital, before an opening
    // parenthesis and after an abbreviating point.
    QString spaced;
    spaced.reserve(runTogether.size() + 8);
    for (qsizetype i = 0; i < runTogether.size(); ++i) {
        const QChar c = runTogether.at(i);
        if (i > 0) {
            const QChar previous = runTogether.at(i - 1);
            if ((c.isUpper() && previous.isLower()) || (c == u'(' && previous != u' ')
                || (previous == u'.' && c.isLetter()))
                spaced += u' ';
        }
        spaced += c;
    }

    QStringList words = spaced.split(u' ', Qt::SkipEmptyParts);
    QStringList result;
    for (qsizetype i = 0; i < words.size(); ++i) {
        QString word = words.at(i);
        QStringList tail;
        if (i + 1 < words.size()) {
            for (const char16_t *connector : connectors) {
                const QStringView small(connector);
                if (isConnectorEnd(word, small)) {
                    word.chop(small.size());
                    tail = small == u"ofthe" ? QStringList{QStringLiteral("of"), QStringLiteral("the")}
                                             : QStringList{small.toString()};
                    break;
                }
            }
        }
        result << word << tail;
    }
    return result.join(u' ');
}

QString dataSetName(const Station &station)
{
    QString place = station.place;
    if (place.size() > maximumPlaceLength) {
        // "Quibdo (El Carano Airp.)" → "Quibdo".
        QString shorter;
        int depth = 0;
        for (const QChar c : place) {
            if (c == u'(')
                ++depth;
            else if (c == u')' && depth > 0)
                --depth;
            else if (depth == 0)
                shorter += c;
        }
        shorter = shorter.simplified();
        if (!shorter.isEmpty())
            place = shorter;
    }
    if (place.size() > maximumPlaceLength) {
        // "Grytviken/South Georgia" → "Grytviken".
        const qsizetype slash = place.indexOf(u'/');
        if (slash > 0)
            place = place.left(slash).trimmed();
    }
    if (place.size() > maximumPlaceLength) {
        // Cut at the last word boundary that fits (a blank, a hyphen or a
        // slash), and say that it was cut.
        QString cut = place.left(maximumPlaceLength);
        qsizetype boundary = -1;
        for (const QChar c : {QChar(u' '), QChar(u'-'), QChar(u'/')})
            boundary = std::max(boundary, cut.lastIndexOf(c));
        if (boundary > maximumPlaceLength / 2)
            cut.truncate(boundary);
        place = cut.trimmed() + QChar(0x2026);
    }
    return place + u' ' + station.period;
}

DataSet dataSet(const Station &station)
{
    DataSet place;
    place.name = dataSetName(station);
    place.temp = station.temp;
    place.ppt = station.ppt;
    place.info.elevation = station.elevation;
    place.info.latitude = station.latitude;
    place.info.period = station.period;
    return place;
}

} // namespace StationTable
