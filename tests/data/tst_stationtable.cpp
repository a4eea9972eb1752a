// SPDX-License-Identifier: GPL-3.0-or-later
// The station library: reading the shipped table, country names as words,
// data set names, and finding stations by place or country.
#include "common/TestPaths.h"
#include "data/StationSearch.h"
#include "data/StationTable.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <algorithm>

namespace {

const Station *findStation(const std::vector<Station> &stations, const QString &id)
{
    for (const Station &station : stations)
        if (station.id == id)
            return &station;
    return nullptr;
}

QByteArray header()
{
    return "ID;Ort;Land;Hoehenlage;TJANUAR;TFEBRUAR;TMRZ;TAPRIL;TMAI;TJUNI;TJULI;TAUGUST;TSEPTEMBER;"
           "TOKTOBER;TNOVEMBER;TDEZEMBER;NJANUAR;NFEBRUAR;NMRZ;NAPRIL;NMAI;NJUNI;NJULI;NAUGUST;"
           "NSEPTEMBER;NOKTOBER;NNOVEMBER;NDEZEMBER;Laengengrad;Breitengrad;Referenzzeitraum";
}

// A row of the table's form: temperatures t+month, precipitation 10 × month.
QByteArray row(const QByteArray &id, const QByteArray &place, const QByteArray &country, double t = 0.5,
               const QByteArray &period = "R1")
{
    QByteArray line = id + ';' + place + ';' + country + ";12";
    for (int m = 1; m <= 12; ++m)
        line += ';' + QByteArray::number(t + m);
    for (int m = 1; m <= 12; ++m)
        line += ';' + QByteArray::number(10 * m);
    return line + ";-46.62;-23.50;" + period;
}

} // namespace

class TestStationTable : public QObject
{
    Q_OBJECT

private:
    StationTable::ReadResult shipped;

private slots:
    void initTestCase();

    void shippedTable();
    void knownStations_data();
    void knownStations();
    void placeNamesTidied();
    void everyCountryInWords();
    void countryInWords_data();
    void countryInWords();
    void damagedTable_data();
    void damagedTable();
    void dataSetName_data();
    void dataSetName();

    void matching_data();
    void matching();
    void germanSpellingsMeet_data();
    void germanSpellingsMeet();
};

void TestStationTable::initTestCase()
{
    shipped = StationTable::readStationTable(TestPaths::sourceDir()
                                             + QStringLiteral("/resources/stations/stations.csv"));
    QVERIFY2(shipped.ok, qPrintable(shipped.message));
}

void TestStationTable::shippedTable()
{
    QCOMPARE(shipped.stations.size(), size_t(3360));
    QCOMPARE(shipped.badRows, 0);
    int later = 0;
    for (const Station &station : shipped.stations)
        later += station.period == QLatin1String("1991-2020") ? 1 : 0;
    QCOMPARE(later, 1054);

}

void TestStationTable::knownStations_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("place");
    QTest::addColumn<QString>("country");
    QTest::addColumn<QString>("period");
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<int>("month");
    QTest::addColumn<double>("temp");
    QTest::addColumn<double>("ppt");

    QTest::newRow("Moscow 1961-1990, January") << "27612" << "Moscow" << "Russian Federation" << "1961-1990"
                                               << 55.83 << 37.61 << 1 << -9.3 << 45.0;
    QTest::newRow("Manaus, August") << "82331" << "Manaus" << "Brazil" << "1961-1990" << -3.10 << -60.02 << 8
                                    << 27.3 << 47.3;
    QTest::newRow("Sao Paulo 1991-2020, July") << "83781R2" << "Sao Paulo" << "Brazil" << "1991-2020" << -23.50
                                               << -46.62 << 7 << 17.1 << 49.0;
}

void TestStationTable::knownStations()
{
    QFETCH(QString, id);
    QFETCH(int, month);
    const Station *station = findStation(shipped.stations, id);
    QVERIFY(station);
    QTEST(station->place, "place");
    QTEST(station->country, "country");
    QTEST(station->period, "period");
    QTEST(station->latitude, "latitude");
    QTEST(station->longitude, "longitude");
    QTEST(station->temp[month], "temp");
    QTEST(station->ppt[month], "ppt");
}

void TestStationTable::placeNamesTidied()
{
    const Station *broken = findStation(shipped.stations, QStringLiteral("10519"));
    QVERIFY(broken);
    QCOMPARE(broken->place, QString::fromUtf8("Königwinter-Heiderhof"));
    const Station *cairo = findStation(shipped.stations, QStringLiteral("62366"));
    QVERIFY(cairo);
    QCOMPARE(cairo->place, QStringLiteral("Kairo Airp."));
    for (const Station &station : shipped.stations) {
        QVERIFY2(!station.place.contains(QChar::ReplacementCharacter), qPrintable(station.id));
        QVERIFY2(station.place == station.place.simplified(), qPrintable(station.id));
    }
}

// No name of the table may keep words run together: a lower-case letter
// before a capital, a point before a letter, or a small word glued to the
// one before it.
void TestStationTable::everyCountryInWords()
{
    const QRegularExpression runTogether(QStringLiteral("\\p{Ll}\\p{Lu}|\\.\\p{L}|\\p{Ll}(of|and|the) |\\S\\("));
    QSet<QString> countries;
    for (const Station &station : shipped.stations)
        countries.insert(station.country);
    QVERIFY(countries.size() > 150);
    for (const QString &country : countries)
        QVERIFY2(!runTogether.match(country).hasMatch(), qPrintable(country));
}

void TestStationTable::countryInWords_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("words");
    QTest::newRow("of") << "UnitedStatesofAmerica" << "United States of America";
    QTest::newRow("and") << "TrinidadandTobago" << "Trinidad and Tobago";
    QTest::newRow("of the") << "RepublicoftheCongo" << "Republic of the Congo";
    QTest::newRow("last word ending in land") << "NewZealand" << "New Zealand";
    QTest::newRow("parenthesis") << "Timor-Leste(EastTimor)" << "Timor-Leste (East Timor)";
    QTest::newRow("abbreviated, from the table of names")
        << "UnitedKingdomofGreatBritainandN.-Ireland" << "United Kingdom of Great Britain and Northern Ireland";
}

void TestStationTable::countryInWords()
{
    QFETCH(QString, table);
    QTEST(StationTable::countryInWords(table), "words");
}

void TestStationTable::damagedTable_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("stations");
    QTest::addColumn<QString>("firstBadRow");

    const QByteArray good = row("1", "Somewhere", "Brazil");
    QTest::newRow("empty") << QByteArray() << false << 0 << "";
    QTest::newRow("another table") << QByteArray("a;b;c\n1;2;3") << false << 0 << "";
    QTest::newRow("CRLF, BOM and a last line end") << "\xEF\xBB\xBF" + header() + "\r\n" + good + "\r\n" << true << 1
                                                   << "";
    QTest::newRow("a column short")
        << header() + '\n' + good.left(good.lastIndexOf(';')) + '\n' + good << true << 1
        << "line 2: 30 columns instead of 31";
    QTest::newRow("a comma decimal") << header() + '\n' + QByteArray(good).replace(";1.5;", ";1,5;") << true << 0
                                     << "line 2: column 5";
    QTest::newRow("unknown period") << header() + '\n' + row("1", "X", "Chile", 0.5, "R3") << true << 0
                                    << "line 2: the period";
}

void TestStationTable::damagedTable()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, ok);
    QFETCH(int, stations);
    QFETCH(QString, firstBadRow);
    const StationTable::ReadResult read = StationTable::parseStationTable(bytes);
    QCOMPARE(read.ok, ok);
    QVERIFY(ok || !read.message.isEmpty());
    QCOMPARE(static_cast<int>(read.stations.size()), stations);
    QCOMPARE(read.badRows > 0, !firstBadRow.isEmpty());
    if (!firstBadRow.isEmpty())
        QVERIFY2(read.firstBadRow.startsWith(firstBadRow), qPrintable(read.firstBadRow));
}

void TestStationTable::dataSetName_data()
{
    QTest::addColumn<QString>("place");
    QTest::addColumn<QString>("name");
    QTest::newRow("short") << "Moscow" << "Moscow 1991-2020";
    QTest::newRow("parenthesis dropped") << "Quibdo (El Carano Airp.)" << "Quibdo 1991-2020";
    QTest::newRow("region dropped") << "Grytviken/South Georgia" << "Grytviken 1991-2020";
    QTest::newRow("cut at a word") << "Manila Ninoy Aquino Inter National Airport"
                                   << QString::fromUtf8("Manila Ninoy… 1991-2020");
    QTest::newRow("cut at a hyphen") << QString::fromUtf8("Königwinter-Heiderhof")
                                     << QString::fromUtf8("Königwinter… 1991-2020");
}

void TestStationTable::dataSetName()
{
    QFETCH(QString, place);
    Station station;
    station.place = place;
    station.period = QStringLiteral("1991-2020");
    station.temp[1] = -6.2;
    QTEST(StationTable::dataSet(station).name, "name");
    QCOMPARE(StationTable::dataSet(station).temp[1], -6.2);
}

void TestStationTable::matching_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<std::vector<int>>("rows");
    QTest::newRow("empty: every row") << "" << std::vector<int>{0, 1, 2, 3};
    QTest::newRow("no accent finds both") << "sao paulo" << std::vector<int>{0, 1};
    QTest::newRow("capitals") << "MOSC" << std::vector<int>{2};
    QTest::newRow("country in words") << "russian fed" << std::vector<int>{2};
    QTest::newRow("place and country") << "paulo brazil" << std::vector<int>{0, 1};
    QTest::newRow("sharp s") << "strasse" << std::vector<int>{3};
    QTest::newRow("nothing") << "xyz" << std::vector<int>{};
}

void TestStationTable::matching()
{
    QFETCH(QString, query);
    QFETCH(std::vector<int>, rows);
    const StationTable::ReadResult read = StationTable::parseStationTable(
        header() + '\n' + row("1", "S\xC3\xA3o Paulo", "Brazil") + '\n' + row("2", "Sao Paulo", "Brazil") + '\n'
        + row("3", "Moscow", "RussianFederation") + '\n' + row("4", "Gro\xC3\x9F" "e Stra\xC3\x9F" "e", "Germany"));
    QCOMPARE(read.stations.size(), size_t(4));
    const StationSearch search(read.stations);
    QCOMPARE(search.matching(query), rows);
}

// The table writes German places with the umlauts spelled out; a user
// types them in any of the three ways.
void TestStationTable::germanSpellingsMeet_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("place");
    QTest::addColumn<bool>("found");
    const auto row = [](const char *name, const char *query, const char *place, bool found = true) {
        QTest::newRow(name) << QString::fromUtf8(query) << QString::fromUtf8(place) << found;
    };
    row("umlaut", "münchen", "Muenchen-Stadt");
    row("written out", "muenchen", "Muenchen-Stadt");
    row("plain vowel, capital", "Munchen", "Muenchen-Stadt");
    row("inside a word", "waldmünchen", "Waldmuenchen");
    row("o umlaut", "köln", "Koeln/Bonn");
    row("u umlaut", "düsseldorf", "Duesseldorf");
    row("with the country", "nürnberg germany", "Nuernberg");
    row("table without the e", "zürich", "Zurich");
    row("table without the e, written out", "Zuerich", "Zurich");
    row("accent", "São Paulo", "Sao Paulo");
    row("part of a word after the umlaut", "enchen", "Muenchen-Stadt");
    // Not umlauts: no place is found by the vowel alone.
    row("after a q", "que", "Iquitos", false);
    row("after a vowel", "aue", "Augsburg", false);
}

void TestStationTable::germanSpellingsMeet()
{
    QFETCH(QString, query);
    QFETCH(QString, place);
    QFETCH(bool, found);
    const StationSearch search(shipped.stations);
    const std::vector<int> rows = search.matching(query);
    const bool among = std::any_of(rows.begin(), rows.end(),
                                   [&](int row) { return shipped.stations[row].place == place; });
    QCOMPARE(among, found);
}

QTEST_GUILESS_MAIN(TestStationTable)
#include "tst_stationtable.moc"
