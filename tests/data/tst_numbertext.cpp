// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/NumberText.h"

#include <QLocale>
#include <QTest>

#include <cmath>
#include <limits>

// Every case names its locale; nothing here depends on the machine's locale.
class TestNumberText : public QObject
{
    Q_OBJECT

private:
    static QLocale locale(const QString &name) { return QLocale(name); }

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void parse_data();
    void parse();
    void parseFollowsTheDefaultLocale();
    void leadingValue_data();
    void leadingValue();
    void fixed_data();
    void fixed();
    void general_data();
    void general();
    void generalReadsBack_data();
    void generalReadsBack();
    void wholeNumber_data();
    void wholeNumber();
};

void TestNumberText::parse_data()
{
    QTest::addColumn<QString>("localeName");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");

    // Numbers en_US reads.
    const struct { const char *row, *text; double value; } accepted[] = {
        {"en plain", "26.1", 26.1}, {"en whole", "210", 210.0}, {"en negative", "-12.5", -12.5},
        {"en plus sign", "+3", 3.0}, {"en blanks around", "  7.5\t", 7.5},
        {"en group skipped", "1,234.5", 1234.5}, {"en group anywhere", "12,5", 125.0},
        {"en group leading", ",5", 5.0}, {"en group trailing", "5,", 5.0},
        {"en leading decimal", ".5", 0.5}, {"en trailing decimal", "5.", 5.0},
        {"en exponent", "1.5E3", 1500.0}, {"en exponent lower", "1e-05", 1e-5},
        {"en exponent plus", "2E+2", 200.0}, {"en negative zero", "-0", 0.0}
    };
    for (const auto &r : accepted)
        QTest::newRow(r.row) << "en_US" << r.text << true << r.value;
    // Texts that are no number at all in en_US.
    const char *const refused[][2] = {
        {"en empty", ""}, {"en blanks only", "   "}, {"en letters", "abc"},
        {"en trailing letter", "12a"}, {"en sign only", "-"}, {"en point only", "."},
        {"en group only", ","}, {"en two points", "1.2.3"}, {"en two signs", "--1"},
        {"en inner minus", "1-2"}, {"en inner blank", "1 2"}, {"en exponent without digits", "1E"},
        {"en exponent sign only", "1E-"}, {"en exponent alone", "E5"},
        {"en decimal in exponent", "1E2.5"}, {"en two exponents", "1E2E3"},
        {"en overflow", "1E400"}, {"en infinity", "inf"}, {"en nan", "nan"}, {"en hex", "0x10"}
    };
    for (const auto &[row, text] : refused)
        QTest::newRow(row) << "en_US" << text << false << 0.0;

    QTest::newRow("pt comma decimal") << "pt_BR" << "25,8" << true << 25.8;
    QTest::newRow("pt point is a group") << "pt_BR" << "12.5" << true << 125.0;
    QTest::newRow("pt grouped") << "pt_BR" << "1.234,5" << true << 1234.5;
    QTest::newRow("pt negative") << "pt_BR" << "-3,25" << true << -3.25;
    QTest::newRow("pt exponent") << "pt_BR" << "2,5E-2" << true << 0.025;
    QTest::newRow("pt two commas") << "pt_BR" << "1,2,3" << false << 0.0;

    // Locales that group with a no-break space are typed with plain blanks too.
    QTest::newRow("fr blank group") << "fr_FR" << "1 234,5" << true << 1234.5;
    QTest::newRow("fr narrow no-break group")
        << "fr_FR" << QString::fromUtf8("1\u202F234,5") << true << 1234.5;
}

void TestNumberText::parse()
{
    QFETCH(QString, localeName);
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(double, value);

    const std::optional<double> result = NumberText::parse(text, locale(localeName));
    QCOMPARE(result.has_value(), ok);
    if (ok)
        QVERIFY2(std::fabs(*result - value) <= 1e-12 * std::max(1.0, std::fabs(value)),
                 qPrintable(QString::number(*result, 'g', 17)));
}

void TestNumberText::parseFollowsTheDefaultLocale()
{
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    QCOMPARE(NumberText::parse(u"12.5"), 125.0);
    QCOMPARE(NumberText::general(25.8), QStringLiteral("25,8"));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QCOMPARE(NumberText::parse(u"12.5"), 12.5);
    QCOMPARE(NumberText::fixed(25.8, 2), QStringLiteral("25.80"));
}

void TestNumberText::leadingValue_data()
{
    QTest::addColumn<QString>("localeName");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");

    // The data set number at the start of a list entry "12 - Place".
    const struct { const char *row, *text; double value; } english[] = {
        {"two digits", "12", 12.0}, {"digit and blank", "7 ", 7.0},
        {"entry text", "3 - Lisbon", 3.0}, {"leading blanks", "  42x", 42.0},
        {"negative", "-4.5abc", -4.5}, {"second point stops", "1.2.3", 1.2},
        {"exponent", "2E3 rest", 2000.0}, {"plus sign", "+5 -", 5.0},
        {"negative exponent", "25E-1x", 2.5}, {"exponent without digits", "2E", 2.0},
        {"exponent sign only", "2E+x", 2.0}, {"group separator stops", "1,5", 1.0},
        {"nothing readable", "abc", 0.0}, {"empty", "", 0.0}, {"sign only", "- 1", 0.0},
        {"overflow", "1E999", 0.0}
    };
    for (const auto &r : english)
        QTest::newRow(r.row) << "en_US" << r.text << r.value;
    QTest::newRow("pt comma") << "pt_BR" << "2,5 mm" << 2.5;
    QTest::newRow("pt point stops") << "pt_BR" << "2.5" << 2.0;
}

void TestNumberText::leadingValue()
{
    QFETCH(QString, localeName);
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(NumberText::leadingValue(text, locale(localeName)), value);
}

void TestNumberText::fixed_data()
{
    QTest::addColumn<QString>("localeName");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("text");

    // "Written half" rows round halves as written, though the double lies just below them.
    const struct { const char *row; double value; int decimals; const char *text; } english[] = {
        {"tie up", 0.125, 2, "0.13"}, {"tie whole", 2.5, 0, "3"},
        {"negative tie whole", -2.5, 0, "-3"}, {"no grouping", 12345.67, 1, "12345.7"},
        {"pads decimals", 7.0, 4, "7.0000"}, {"leading zero", 0.5, 1, "0.5"},
        {"negative", -12.345, 1, "-12.3"}, {"written half, stored below", 2.675, 2, "2.68"},
        {"written half, carry", 9.95, 1, "10.0"}, {"computed bound", 11 - 0.05 * 21, 1, "10.0"},
        {"written half, negative", -1.15, 1, "-1.2"}, {"carry to a new digit", 999.95, 1, "1000.0"},
        {"tiny rounds up", 0.00005, 4, "0.0001"}, {"tiny rounds down", 0.000049, 4, "0.0000"},
        {"far below the last decimal", 1e-300, 2, "0.00"},
        {"beyond fifteen digits", 1e20, 1, "100000000000000000000.0"},
        {"negative rounds to zero", -0.04, 1, "0.0"}, {"negative zero", -0.0, 0, "0"},
        {"large", 1234567.0, 0, "1234567"}, {"negative decimals count as none", 2.4, -1, "2"},
        {"not finite", std::numeric_limits<double>::quiet_NaN(), 2, ""}
    };
    for (const auto &r : english)
        QTest::newRow(r.row) << "en_US" << r.value << r.decimals << r.text;
    QTest::newRow("pt separator") << "pt_BR" << 25.85 << 1 << "25,9";
    QTest::newRow("pt no grouping") << "pt_BR" << 12345.678 << 2 << "12345,68";
    QTest::newRow("pt negative") << "pt_BR" << -0.125 << 2 << "-0,13";
}

void TestNumberText::fixed()
{
    QFETCH(QString, localeName);
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, text);
    QCOMPARE(NumberText::fixed(value, decimals, locale(localeName)), text);
}

void TestNumberText::general_data()
{
    QTest::addColumn<QString>("localeName");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    const struct { const char *row; double value; const char *text; } english[] = {
        {"whole", 26.0, "26"}, {"one decimal", 25.8, "25.8"}, {"zero", 0.0, "0"},
        {"negative zero", -0.0, "0"}, {"negative", -12.5, "-12.5"},
        {"binary noise hidden", 0.1 + 0.2, "0.3"},
        {"fifteen digits", 1.0 / 3.0, "0.333333333333333"}, {"smallest plain", 0.0001, "0.0001"},
        {"below plain", 0.00001, "1E-05"}, {"below plain with decimals", 0.000015, "1.5E-05"},
        {"largest plain", 999999999999999.0, "999999999999999"}, {"from 1E+15", 1e15, "1E+15"},
        {"huge", 1.5e300, "1.5E+300"}, {"no grouping", 1234567.0, "1234567"},
        {"not finite", std::numeric_limits<double>::infinity(), ""}
    };
    for (const auto &r : english)
        QTest::newRow(r.row) << "en_US" << r.value << r.text;
    QTest::newRow("pt separator") << "pt_BR" << 25.8 << "25,8";
    QTest::newRow("pt exponent") << "pt_BR" << -0.000025 << "-2,5E-05";
    QTest::newRow("pt no grouping") << "pt_BR" << 1234.5 << "1234,5";
}

void TestNumberText::general()
{
    QFETCH(QString, localeName);
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(NumberText::general(value, locale(localeName)), text);
}

// What the editor writes into a cell must read back to the same value, in
// both kinds of locale.
void TestNumberText::generalReadsBack_data()
{
    QTest::addColumn<QString>("localeName");
    QTest::addColumn<double>("value");
    for (const char *name : {"en_US", "pt_BR"}) {
        for (double value : {-45.3, 0.0001, 3.14159265358979, 1e-7, 2.5e17, 123456.789})
            QTest::addRow("%s %g", name, value) << QString::fromLatin1(name) << value;
    }
}

void TestNumberText::generalReadsBack()
{
    QFETCH(QString, localeName);
    QFETCH(double, value);
    const QLocale loc = locale(localeName);
    const std::optional<double> back = NumberText::parse(NumberText::general(value, loc), loc);
    QVERIFY(back.has_value());
    QVERIFY(std::fabs(*back - value) <= 1e-14 * std::fabs(value));
}

void TestNumberText::wholeNumber_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("result");

    QTest::newRow("half to even down") << 2.5 << 0 << 100 << true << 2;
    QTest::newRow("half to even up") << 3.5 << 0 << 100 << true << 4;
    QTest::newRow("negative half") << -2.5 << -100 << 100 << true << -2;
    QTest::newRow("negative odd half") << -3.5 << -100 << 100 << true << -4;
    QTest::newRow("zero half") << 0.5 << 0 << 100 << true << 0;
    QTest::newRow("above half") << 2.5000001 << 0 << 100 << true << 3;
    QTest::newRow("below half") << 2.4999999 << 0 << 100 << true << 2;
    QTest::newRow("twips to pixels") << 7.5 << 0 << 100 << true << 8;
    QTest::newRow("at maximum") << 50.4 << 1 << 50 << true << 50;
    QTest::newRow("above maximum") << 50.6 << 1 << 50 << false << 0;
    QTest::newRow("below minimum") << 0.4 << 1 << 50 << false << 0;
    QTest::newRow("rounds into range") << 0.6 << 1 << 50 << true << 1;
    QTest::newRow("beyond int") << 1e12 << std::numeric_limits<int>::min()
                                << std::numeric_limits<int>::max() << false << 0;
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << 0 << 100 << false << 0;
    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << 0 << 100 << false << 0;
}

void TestNumberText::wholeNumber()
{
    QFETCH(double, value);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(bool, ok);
    QFETCH(int, result);

    const std::optional<int> whole = NumberText::wholeNumber(value, minimum, maximum);
    QCOMPARE(whole.has_value(), ok);
    if (ok)
        QCOMPARE(*whole, result);
}

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
