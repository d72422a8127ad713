#include "platform/Conversions.h"

#include <QtTest/QTest>
#include <cmath>

using namespace corv;

class TestConversions : public QObject {
    Q_OBJECT
private slots:
    void readsAsNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("number");
        QTest::newRow("decimal") << "7.5" << true;
        QTest::newRow("negative") << "-1" << true;
        QTest::newRow("plus sign") << "+3" << true;
        QTest::newRow("thousands") << "1,000" << true;
        QTest::newRow("two groups") << "1,234,567.25" << true;
        QTest::newRow("exponent") << "1e3" << true;
        QTest::newRow("signed exponent") << "2.5E-2" << true;
        QTest::newRow("leading point") << ".5" << true;
        QTest::newRow("trailing point") << "5." << true;
        QTest::newRow("blanks around") << "  12 " << true;
        QTest::newRow("tab around") << "\t12\t" << true;
        QTest::newRow("letters") << "abc" << false;
        QTest::newRow("unit after") << "7.5 ppm" << false;
        QTest::newRow("word") << "twelve" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("only blanks") << "   " << false;
        QTest::newRow("sign only") << "-" << false;
        QTest::newRow("point only") << "." << false;
        QTest::newRow("two points") << "1.2.3" << false;
        QTest::newRow("exponent without digits") << "1e" << false;
        QTest::newRow("bad group") << "1,00" << false;
        QTest::newRow("long first group") << "1000,000" << false;
        QTest::newRow("group after point") << "1.000,5" << false;
        QTest::newRow("leading comma") << ",100" << false;
        QTest::newRow("blank inside") << "4 8" << false;
        QTest::newRow("N/A") << "N/A" << false;
        QTest::newRow("degree sign") << "98.6\u00b0" << false;
        QTest::newRow("infinity word") << "inf" << false;
    }
    void readsAsNumber() {
        QFETCH(QString, text);
        QFETCH(bool, number);
        QCOMPARE(corv::readsAsNumber(text), number);
        QCOMPARE(toNumber(text).has_value(), number);
    }

    void toNumberValues() {
        QCOMPARE(*toNumber(QStringLiteral("1,000")), 1000.0);
        QCOMPARE(*toNumber(QStringLiteral("-1,234.5")), -1234.5);
        QCOMPARE(*toNumber(QStringLiteral("1e3")), 1000.0);
        QCOMPARE(*toNumber(QStringLiteral(" .25 ")), 0.25);
        QVERIFY(std::isinf(*toNumber(QStringLiteral("1e999"))));
        // Out of range either way: the size of the whole value decides, not
        // the sign of its exponent.
        QVERIFY(std::isinf(*toNumber(u'1' + QString(400, u'0') + QStringLiteral("e-10"))));
        QCOMPARE(*toNumber(QStringLiteral("0.") + QString(400, u'0') + QStringLiteral("1e10")),
                 0.0);
        QCOMPARE(*toNumber(QStringLiteral("-1e999")), -std::numeric_limits<double>::infinity());
        QCOMPARE(*toNumber(QStringLiteral("1e-999999999")), 0.0);
    }

    // What a number field can store: a finite value. The box's check refuses
    // the rest, so that a record never holds a text it cannot save.
    void finiteNumbers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("finite");
        QTest::newRow("plain") << "7.5" << true;
        QTest::newRow("largest double") << "1.7976931348623157e308" << true;
        QTest::newRow("beyond the largest") << "1.8e308" << false;
        QTest::newRow("1e999") << "1e999" << false;
        QTest::newRow("-1e999") << "-1e999" << false;
        QTest::newRow("huge exponent") << "1e999999999999" << false;
        QTest::newRow("tiny is zero") << "1e-999999999" << true;
        QTest::newRow("subnormal") << "4.9e-324" << true;
        QTest::newRow("grouped") << "1,000.5" << true;
        QTest::newRow("not a number") << "abc" << false;
        QTest::newRow("empty") << "" << false;
    }
    void finiteNumbers() {
        QFETCH(QString, text);
        QFETCH(bool, finite);
        QCOMPARE(readsAsFiniteNumber(text), finite);
    }

    void leadingNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("plain") << "48" << 48.0;
        QTest::newRow("unit after") << "48 inches" << 48.0;
        QTest::newRow("N/A") << "N/A" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("blanks first") << "   12.5x" << 12.5;
        QTest::newRow("negative") << "-3.25" << -3.25;
        QTest::newRow("exponent") << "2e2cm" << 200.0;
        QTest::newRow("dangling exponent") << "2e" << 2.0;
        QTest::newRow("thousands") << "1,000" << 1000.0;
        QTest::newRow("comma not a group") << "12,5" << 12.0;
        QTest::newRow("stops at second point") << "1.2.3" << 1.2;
        QTest::newRow("degree sign") << "37\u00b0" << 37.0;
        QTest::newRow("text first") << "about 5" << 0.0;
    }
    void leadingNumber() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(corv::leadingNumber(text), value);
    }

    void leadingNumberAgreesWithNumericTest() {
        const QStringList texts = {"1,234,567.5", "-0.001", "3e-2", "+7", "12,345"};
        for (const QString &t : texts)
            QCOMPARE(corv::leadingNumber(t), *toNumber(t));
    }

    void roundingHalvesToEven() {
        QCOMPARE(roundHalfEven(2.5), 2.0);
        QCOMPARE(roundHalfEven(3.5), 4.0);
        QCOMPARE(roundHalfEven(-2.5), -2.0);
        QCOMPARE(roundHalfEven(-3.5), -4.0);
        QCOMPARE(roundHalfEven(0.5), 0.0);
        QCOMPARE(roundHalfEven(2.4999), 2.0);
        QCOMPARE(roundHalfEven(2.5001), 3.0);
        QCOMPARE(roundHalfEven(26.64), 27.0);
    }

    void wholeNumbers() {
        QCOMPARE(wholeNumberText(2.5), QStringLiteral("2"));
        QCOMPARE(wholeNumberText(-0.4), QStringLiteral("0"));
        QCOMPARE(wholeNumberText(-7.6), QStringLiteral("-8"));
        // Beyond 32 bits, and beyond 64 bits, still whole digits.
        QCOMPARE(wholeNumberText(3e9), QStringLiteral("3000000000"));
        QCOMPARE(wholeNumberText(1e20), QStringLiteral("100000000000000000000"));
        QVERIFY(wholeNumberText(std::nan("")).isEmpty());
        QVERIFY(wholeNumberText(HUGE_VAL).isEmpty());
    }

    void singlePrecisionText_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("100") << 100.0 << "100";
        QTest::newRow("37.78") << (100.0 - 32) * (100.0 / 180) << "37.77778";
        QTest::newRow("-17.78") << (0.0 - 32) * (100.0 / 180) << "-17.77778";
        QTest::newRow("98.6") << (180.0 / 100) * 37 + 32 << "98.6";
        QTest::newRow("-40") << -40.0 << "-40";
        QTest::newRow("77") << (180.0 / 100) * 25 + 32 << "77";
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("small") << 0.001 << "0.001";
        QTest::newRow("seven digits") << 1234567.0 << "1234567";
        QTest::newRow("eight digits") << 12345678.0 << "1.234568E+07";
        QTest::newRow("tiny") << 0.0000012 << "1.2E-06";
    }
    void singlePrecisionText() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(singleText(value), text);
    }

    void doubleText() {
        QCOMPARE(numberText(7.5), QStringLiteral("7.5"));
        QCOMPARE(numberText(1000), QStringLiteral("1000"));
        QCOMPARE(numberText(-0.25), QStringLiteral("-0.25"));
        QCOMPARE(numberText(0.1 + 0.2), QStringLiteral("0.30000000000000004"));
        QCOMPARE(numberText(0.0001), QStringLiteral("0.0001"));
        QCOMPARE(numberText(123456789012345.0), QStringLiteral("123456789012345"));
        QCOMPARE(numberText(1e20), QStringLiteral("1E+20"));
        QCOMPARE(numberText(1.5e-7), QStringLiteral("1.5E-07"));
        // Every text reads back as exactly the same value.
        const double samples[] = {1.0 / 3, 2.0 / 3e10, 123.456, 1e-300, 6.02214076e23};
        for (double v : samples)
            QCOMPARE(*toNumber(numberText(v)), v);
    }

    void fixedPointIsExact() {
        auto f = [](const char *t) { return *Fixed4::fromText(QString::fromLatin1(t)); };
        // 33.3 three times is exactly 99.9: not below 99, not above 100.
        const Fixed4 total = *f("33.3").plus(f("33.3"))->plus(f("33.3"));
        QCOMPARE(total.toText(), QStringLiteral("99.9"));
        QVERIFY(!(total < Fixed4::fromInt(99)));
        QVERIFY(!(total > Fixed4::fromInt(100)));
        QCOMPARE(f("0.1").plus(f("0.2"))->toText(), QStringLiteral("0.3"));
        QCOMPARE(f("25.00").units(), 250000);
        QCOMPARE(f("1,000.5").toText(), QStringLiteral("1000.5"));
        QCOMPARE(f("1e2").toText(), QStringLiteral("100"));
        QCOMPARE(f("-0.00005").units(), 0); // half to even
        QCOMPARE(f("0.00015").units(), 2);  // half to even, upwards
        QCOMPARE(f("0.000151").units(), 2);
        QCOMPARE(f("-12.34567").toText(), QStringLiteral("-12.3457"));
        QVERIFY(!Fixed4::fromText(QStringLiteral("abc")));
        QVERIFY(!Fixed4::fromText(QStringLiteral("1e30")));
        QCOMPARE(f("922337203685477.5807").units(), std::numeric_limits<qint64>::max());
        QVERIFY(!Fixed4::fromText(QStringLiteral("922337203685477.5808")));
        QVERIFY(!Fixed4::fromText(QStringLiteral("-922337203685477.5808")));
        const Fixed4 big = Fixed4::fromUnits(std::numeric_limits<qint64>::max());
        QVERIFY(!big.plus(Fixed4::fromUnits(1)));
    }

    // Exponents far outside any amount used to be written out digit by
    // digit (a twelve-character text took seconds and gigabytes). Tiny
    // amounts round to zero, huge ones are refused, at once.
    void fixedPointExtremeExponents_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<qint64>("units");
        QTest::newRow("tiny") << "1e-999999999" << true << qint64(0);
        QTest::newRow("tiny negative") << "-1e-999999999" << true << qint64(0);
        QTest::newRow("clamped exponent") << "5e-99999999999999" << true << qint64(0);
        QTest::newRow("huge") << "1e999999999" << false << qint64(0);
        QTest::newRow("huge negative") << "-1e999999999" << false << qint64(0);
        QTest::newRow("zero with huge exponent") << "0e999999999" << true << qint64(0);
        QTest::newRow("digits shifted back in range")
            << QStringLiteral("0.") + QString(300, u'0') + QStringLiteral("25e302") << true
            << qint64(250000);
        QTest::newRow("long zero tail")
            << QStringLiteral("1.") + QString(5000, u'0') << true << qint64(10000);
        QTest::newRow("half below the last place") << "0.00005" << true << qint64(0);
        QTest::newRow("just above half") << "0.0000500000001" << true << qint64(1);
        QTest::newRow("whole digits times exponent") << "12e3" << true << qint64(120000000);
        QTest::newRow("exactly half at the cut, odd") << "0.00035" << true << qint64(4);
        QTest::newRow("nothing kept, above half") << "0.00009" << true << qint64(1);
    }
    void fixedPointExtremeExponents() {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QFETCH(qint64, units);
        const auto f = Fixed4::fromText(text);
        QCOMPARE(f.has_value(), accepted);
        if (f)
            QCOMPARE(f->units(), units);
    }

    void readsAsDate_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("formatted"); // empty: not a date
        QTest::newRow("two-digit year 99") << "1/2/99"
                                           << "01/02/1999";
        QTest::newRow("two-digit year 29") << "1/2/29"
                                           << "01/02/2029";
        QTest::newRow("two-digit year 30") << "1/2/30"
                                           << "01/02/1930";
        QTest::newRow("two-digit year 00") << "12/31/00"
                                           << "12/31/2000";
        QTest::newRow("four-digit year") << "1/2/1999"
                                         << "01/02/1999";
        QTest::newRow("dashes") << "1-2-1999"
                                << "01/02/1999";
        QTest::newRow("dots") << "1.2.1999"
                              << "01/02/1999";
        QTest::newRow("already formatted") << "06/30/1999"
                                           << "06/30/1999";
        QTest::newRow("month name") << "Jan 2, 1999"
                                    << "01/02/1999";
        QTest::newRow("full month name") << "January 2 1999"
                                         << "01/02/1999";
        QTest::newRow("day first with name") << "2 Jan 1999"
                                             << "01/02/1999";
        QTest::newRow("dashed name") << "2-Jan-99"
                                     << "01/02/1999";
        QTest::newRow("september") << "Sept 9, 2001"
                                   << "09/09/2001";
        QTest::newRow("iso") << "1999-01-02"
                             << "01/02/1999";
        QTest::newRow("iso slashes") << "1999/1/2"
                                     << "01/02/1999";
        QTest::newRow("blanks around") << "  1/2/1999 "
                                       << "01/02/1999";
        QTest::newRow("leap day 2000") << "02/29/2000"
                                       << "02/29/2000";
        QTest::newRow("no leap day 1900") << "02/29/1900"
                                          << "";
        QTest::newRow("month 31") << "31/31/1999"
                                  << "";
        QTest::newRow("day first is not read") << "31/12/1999"
                                               << "";
        QTest::newRow("february 30") << "02/30/2001"
                                     << "";
        QTest::newRow("month zero") << "0/1/1999"
                                    << "";
        QTest::newRow("mixed separators") << "1/2-1999"
                                          << "";
        QTest::newRow("three-digit year") << "1/2/199"
                                          << "";
        QTest::newRow("five-digit year") << "1/2/19999"
                                         << "";
        QTest::newRow("trailing separator") << "1/2/"
                                            << "";
        QTest::newRow("word") << "tomorrow"
                              << "";
        QTest::newRow("unknown month") << "Foo 2, 1999"
                                       << "";
        QTest::newRow("number only") << "12"
                                     << "";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("double separator") << "1//2/1999"
                                          << "";
    }
    void readsAsDate() {
        QFETCH(QString, text);
        QFETCH(QString, formatted);
        QCOMPARE(corv::readsAsDate(text), !formatted.isEmpty());
        QCOMPARE(formatDate(text), formatted.isEmpty() ? text : formatted);
    }

    void dateWithoutYearIsThisYear() {
        const QDate today(2026, 12, 8);
        QCOMPARE(*toDate(QStringLiteral("3/4"), today), QDate(2026, 3, 4));
        QCOMPARE(*toDate(QStringLiteral("Mar 4"), today), QDate(2026, 3, 4));
    }

    void isoRoundTrip() {
        QCOMPARE(isoDateText(QDate(1999, 1, 2)), QStringLiteral("1999-01-02"));
        QCOMPARE(*fromIsoDate(QStringLiteral("2000-02-29")), QDate(2000, 2, 29));
        QVERIFY(!fromIsoDate(QStringLiteral("2001-02-29")));
        QVERIFY(!fromIsoDate(QStringLiteral("01/02/1999")));
        // Only digits: a sign or a blank is no part of a stored date.
        QVERIFY(!fromIsoDate(QStringLiteral("+199-01-02")));
        QVERIFY(!fromIsoDate(QStringLiteral(" 199-01-02")));
        QVERIFY(!fromIsoDate(QStringLiteral("1999-+1-02")));
        // One rule for every reader: years 100 to 9999. A stored year 20 is
        // no date (shown as it stands), as it cannot be typed either.
        for (const char *stored : {"0020-02-29", "0099-12-31", "0004-02-29", "0000-01-01"}) {
            QVERIFY2(!fromIsoDate(QString::fromLatin1(stored)), stored);
            QVERIFY2(!toDate(QString::fromLatin1(stored)), stored);
        }
        QVERIFY(!toDate(QStringLiteral("02/29/0020")));
        QCOMPARE(*fromIsoDate(QStringLiteral("0100-03-01")), QDate(100, 3, 1));
        QCOMPARE(*toDate(QStringLiteral("03/01/0100")), QDate(100, 3, 1));
        QCOMPARE(*toDate(QStringLiteral("2/29/20")), QDate(2020, 2, 29)); // the window: 2000-2029
        QCOMPARE(*toDate(QStringLiteral("12/31/30")), QDate(1930, 12, 31));
    }

    // What a user types and reads follows the language: English keeps the
    // fixed form letter for letter, German reads and writes its own, and
    // both give the same stored value. The fixed readers never change.
    void userConventions() {
        for (const char *english : {"en_US", "en_GB", "C"}) {
            setUserLocale(QLocale(QString::fromLatin1(english)));
            QVERIFY(userFormIsFixed());
            QCOMPARE(userDateText(QDate(2026, 12, 31)), QStringLiteral("12/31/2026"));
            QCOMPARE(*toUserDate(QStringLiteral("12/31/2026")), QDate(2026, 12, 31));
            QCOMPARE(userNumberText(QStringLiteral("1,234.5")), QStringLiteral("1,234.5"));
            QCOMPARE(*toUserNumber(QStringLiteral("7.5")), 7.5);
            QCOMPARE(userDateFormatName(), QStringLiteral("mm/dd/yyyy"));
        }

        setUserLocale(QLocale(QLocale::German, QLocale::Germany));
        QVERIFY(!userFormIsFixed());
        QCOMPARE(userDateText(QDate(2026, 12, 31)), QStringLiteral("31.12.2026"));
        QCOMPARE(userDateText(QDate(2026, 3, 4)), QStringLiteral("04.03.2026"));
        const QDate today(2026, 6, 15);
        QCOMPARE(*toUserDate(QStringLiteral("31.12.2026"), today), QDate(2026, 12, 31));
        QCOMPARE(*toUserDate(QStringLiteral("4.3.26"), today), QDate(2026, 3, 4));
        QCOMPARE(*toUserDate(QStringLiteral("4.3."), today), QDate(2026, 3, 4));
        QCOMPARE(*toUserDate(QStringLiteral("2026-12-31"), today), QDate(2026, 12, 31));
        QCOMPARE(*toUserDate(QStringLiteral("31. Dezember 2026"), today), QDate(2026, 12, 31));
        QVERIFY(!toUserDate(QStringLiteral("12/31/2026"), today)); // no 31st month
        QVERIFY(!toUserDate(QStringLiteral("30.02.2026"), today));
        QCOMPARE(*toUserNumber(QStringLiteral("7,5")), 7.5);
        QCOMPARE(*toUserNumber(QStringLiteral("1.234,5")), 1234.5);
        QVERIFY(!toUserNumber(QStringLiteral("7.5"))); // a group of one digit: no number
        QCOMPARE(toUserAmount(QStringLiteral("25,99"))->units(), 259900);
        QCOMPARE(userNumberText(QStringLiteral("-1,234.5")), QStringLiteral("-1.234,5"));
        QCOMPARE(userNumberText(QStringLiteral("1.5E+20")), QStringLiteral("1,5E+20"));
        QCOMPARE(fixedNumberText(userNumberText(QStringLiteral("0.125"))), QStringLiteral("0.125"));
        QCOMPARE(withUserDateFormat(QStringLiteral("a date (mm/dd/yyyy)")),
                 QStringLiteral("a date (dd.mm.yyyy)")); // no translation loaded here
        // The fixed readers are untouched by the user's language.
        QCOMPARE(*toDate(QStringLiteral("12/31/2026")), QDate(2026, 12, 31));
        QCOMPARE(dateText(QDate(2026, 12, 31)), QStringLiteral("12/31/2026"));
        QCOMPARE(*toNumber(QStringLiteral("7.5")), 7.5);

        setUserLocale(QLocale(QLocale::French, QLocale::France));
        QCOMPARE(userDateText(QDate(2026, 12, 31)), QStringLiteral("31/12/2026"));
        QCOMPARE(*toUserDate(QStringLiteral("31/12/2026")), QDate(2026, 12, 31));
        QCOMPARE(*toUserNumber(QStringLiteral("7,5")), 7.5);
        setUserLocale(QLocale::c());
    }

    // The fixed date text is written by hand for speed: it must read as
    // Qt's own formatting does, for every year, and for dates Qt cannot
    // write in four digits.
    void dateTextAsQtWritesIt() {
        const auto qt = [](QDate d) { return d.toString(QStringLiteral("MM/dd/yyyy")); };
        for (int y : {1, 9, 10, 99, 100, 999, 1000, 1752, 1999, 2000, 2024, 9998, 9999})
            for (int m = 1; m <= 12; ++m)
                for (int d : {1, 9, 10, 28, 29, 30, 31})
                    if (const QDate date(y, m, d); date.isValid())
                        QCOMPARE(dateText(date), qt(date));
        for (const QDate &odd : {QDate(), QDate(-1, 1, 1), QDate(10000, 1, 1), QDate(-45, 3, 15)})
            QCOMPARE(dateText(odd), qt(odd));
    }
};

QTEST_APPLESS_MAIN(TestConversions)
#include "tst_conversions.moc"
