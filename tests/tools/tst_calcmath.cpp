#include "tools/TankCalcMath.h"
#include "tools/TempConvMath.h"

#include <QtTest/QTest>

using namespace corv;
using tankcalc::Field;
using tankcalc::Inputs;

Q_DECLARE_METATYPE(corv::tankcalc::Inputs)
Q_DECLARE_METATYPE(corv::tankcalc::Field)
Q_DECLARE_METATYPE(corv::tempconv::Source)
Q_DECLARE_METATYPE(corv::tempconv::Focus)

namespace {

Inputs tank(int shape, int type, int measure, int volume, const char *height, const char *length,
            const char *radius, const char *width, const char *light, const char *ps = "33.3",
            const char *pm = "33.3", const char *pl = "33.3") {
    Inputs in;
    in.shape = shape;
    in.type = type;
    in.measure = measure;
    in.volume = volume;
    in.height = QString::fromUtf8(height);
    in.length = QString::fromUtf8(length);
    in.radius = QString::fromUtf8(radius);
    in.width = QString::fromUtf8(width);
    in.light = QString::fromUtf8(light);
    in.percentSmall = QString::fromUtf8(ps);
    in.percentMedium = QString::fromUtf8(pm);
    in.percentLarge = QString::fromUtf8(pl);
    return in;
}

// A rectangular fresh-water tank in inches and US gallons.
Inputs box(const char *length, const char *height, const char *width, const char *light,
           const char *ps = "33.3", const char *pm = "33.3", const char *pl = "33.3") {
    return tank(tankcalc::Rectangular, tankcalc::FreshWater, tankcalc::Inches, tankcalc::USGallons,
                height, length, "N/A", width, light, ps, pm, pl);
}

QStringList shown(const tankcalc::Results &r) {
    return {r.area,   r.volume, r.weight,    r.heat,       r.low,
            r.medium, r.bright, r.smallFish, r.mediumFish, r.largeFish};
}

const QString TooLarge = QStringLiteral("The dimensions are too large to calculate.");
const QString Underfilled = QStringLiteral("Less than 100 percent of fish allocated!");

} // namespace

class TestCalcMath : public QObject {
    Q_OBJECT
private slots:
    // Expected figures worked out by hand; "d" is the radius field's figure.
    void tankResults_data() {
        using namespace tankcalc;
        QTest::addColumn<Inputs>("in");
        QTest::addColumn<QStringList>("expected");
        // 48 x 20 = 960; 12 * 960 / 231 = 49.870 gal; * 8.3453 = 416.18 lb;
        // * 3 = 149.61 W; fish 960 / 12 = 80 in -> 26.64, 6.66, 3.33;
        // light 960 * 18 = 17280 -> 125.67, 235.64, 424.15 W.
        const QStringList worked = {"960² Inches", "50 US Gal.", "416 lbs.",  "150 watts",
                                    "126 watts",   "236 watts",  "424 watts", "27",
                                    "7",           "3"};
        QTest::newRow("worked example") << box("48", "20", "12", "18") << worked;
        // 49.870 * 3.785 = 188.76 l, 416.18 * 0.4536 = 188.78 kg; heat from gallons.
        QStringList liters = worked;
        liters[1] = "189 Liters";
        liters[2] = "189 kgs.";
        QTest::newRow("liters") << tank(Rectangular, FreshWater, Inches, Liters, "20", "48", "N/A",
                                        "12", "18")
                                << liters;
        QTest::newRow("no item selected counts as the first")
            << tank(-1, -1, -1, -1, "20", "48", "N/A", "12", "18") << worked;
        QStringList negative;
        for (const QString &t : worked)
            negative << "-" + t;
        QTest::newRow("negative length") << box("-48", "20", "12", "18") << negative;
        // d 20: 400 * 3.14159 / 4 = 314.159; 12 * 314.159 / 231 = 16.320 gal;
        // 136.19 lb; 48.96 W; fish 26.18 in -> 8.72, 2.18, 1.09;
        // light 314.159 * 18 = 5654.86 -> 41.13, 77.11, 138.80.
        QTest::newRow("circular ignores height and length")
            << tank(Circular, FreshWater, Inches, USGallons, "abc", "N/A", "20", "12", "18")
            << QStringList{"314² Inches", "16 US Gal.", "136 lbs.", "49 watts", "41 watts",
                           "77 watts",    "139 watts",  "9",        "2",        "1"};
        // d 20: 400 * 0.375 * 1.732 = 259.8; 12 * 259.8 / 231 = 13.496 gal;
        // * 9.5 = 128.21 lb; 40.49 W; fish 259.8 / 48 = 5.41 in -> 1.80, 0.45,
        // 0.23; light 2598 -> 18.89, 35.43, 63.77.
        QTest::newRow("hexagonal salt water")
            << tank(Hexagonal, SaltWater, Inches, USGallons, "", "N/A", "20", "12", "10")
            << QStringList{"260² Inches", "13 US Gal.", "128 lbs.", "40 watts", "19 watts",
                           "35 watts",    "64 watts",   "2",        "0",        "0"};
        // Weight as fresh water (416 lb), no heat; fish 960 / 30 = 32 in ->
        // 10.66, 2.66, 1.33.
        QTest::newRow("cold water")
            << tank(Rectangular, ColdWater, Inches, USGallons, "20", "48", "N/A", "12", "18")
            << QStringList{"960² Inches", "50 US Gal.", "416 lbs.", "NA", "126 watts",
                           "236 watts",   "424 watts",  "11",       "3",  "1"};
        // 100 x 60 cm = 6000; in inches 39.37 x 23.622 = 929.998, width
        // 19.685 -> 79.251 gal, 661.37 lb, 237.75 W; light 15.748 ->
        // 106.51, 199.71, 359.48; fish 6000 / 30.48 = 196.85 cm -> / 2.54:
        // 25.81, 6.45, 3.23.
        QTest::newRow("centimeters")
            << tank(Rectangular, FreshWater, Centimeters, USGallons, "60", "100", "N/A", "50", "40")
            << QStringList{"6000² Cent.", "79 US Gal.", "661 lbs.", "238 watts", "107 watts",
                           "200 watts",   "359 watts",  "26",       "6",         "3"};
        // 1,000 x 2 = 2000; 24000 / 231 = 103.90 gal, 867.04 lb, 311.69 W;
        // 2000 / 12 = 166.67 small fish.
        QTest::newRow("thousands separator")
            << box("1,000", "2", "12", "0", "100", "0", "0")
            << QStringList{"2000² Inches", "104 US Gal.", "867 lbs.", "312 watts", "0 watts",
                           "0 watts",      "0 watts",     "167",      "0",         "0"};
    }
    void tankResults() {
        QFETCH(Inputs, in);
        QFETCH(QStringList, expected);
        const auto out = tankcalc::calculate(in);
        QVERIFY(out.calculated);
        QVERIFY(out.message.isEmpty());
        QCOMPARE(shown(out.results), expected);
    }

    // Surfaces chosen so the counts are exact halves: 12 x 10 / 12 = 10 in.
    void fishRounding_data() {
        QTest::addColumn<Inputs>("in");
        QTest::addColumn<QStringList>("fish");
        QTest::newRow("2.5 -> 2") << box("12", "10", "0", "0", "25", "75", "0")
                                  << QStringList{"2", "2", "0"}; // 2.5, 1.875
        QTest::newRow("3.5 -> 4") << box("14", "12", "0", "0", "25", "0", "75")
                                  << QStringList{"4", "0", "1"}; // 3.5, 1.3125
        QTest::newRow("-2.5 -> -2")
            << box("-12", "10", "0", "0", "25", "75", "0") << QStringList{"-2", "-2", "0"};
    }
    void fishRounding() {
        QFETCH(Inputs, in);
        QFETCH(QStringList, fish);
        const auto r = tankcalc::calculate(in).results;
        QCOMPARE((QStringList{r.smallFish, r.mediumFish, r.largeFish}), fish);
    }

    void percentages_data() {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<bool>("calculated");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("warned");
        QTest::addColumn<QStringList>("after");
        const QString over = QStringLiteral("Fish percents total more than 100!");
        const QStringList thirds = {"33.3", "33.3", "33.3"};
        QTest::newRow("99.9") << thirds << true << QString() << false << thirds;
        QTest::newRow("90 warns") << QStringList{"30", "30", "30"} << true << QString() << true
                                  << QStringList{"30", "30", "30"};
        QTest::newRow("101 stops") << QStringList{"50", "50", "1"} << false << over << false
                                   << QStringList{"50", "50", "1"};
        QTest::newRow("99 exactly") << QStringList{"99", "0", "0"} << true << QString() << false
                                    << QStringList{"99", "0", "0"};
        QTest::newRow("empty fields become 0") << QStringList{"100", "", ""} << true << QString()
                                               << false << QStringList{"100", "0", "0"};
        // Added as doubles these come to 100.00000000000001 and 98.99999999999999.
        QTest::newRow("exact 100") << QStringList{"0.2", "83.9", "15.9"} << true << QString()
                                   << false << QStringList{"0.2", "83.9", "15.9"};
        QTest::newRow("exact 99") << QStringList{"0.1", "64.1", "34.8"} << true << QString()
                                  << false << QStringList{"0.1", "64.1", "34.8"};
        // Beyond the exact sum's range the double sum decides.
        QTest::newRow("1e30") << QStringList{"1e30", "0", "0"} << false << over << false
                              << QStringList{"1e30", "0", "0"};
        QTest::newRow("-1e30") << QStringList{"-1e30", "50", "50"} << true << QString() << true
                               << QStringList{"-1e30", "50", "50"};
        // A twelve-character text once froze the calculator for seconds: a
        // tiny percentage is 0 at four places, a huge one beyond the range.
        QTest::newRow("tiny exponent")
            << QStringList{"1e-999999999", "50", "50"} << true << QString() << false
            << QStringList{"1e-999999999", "50", "50"};
        QTest::newRow("huge exponent") << QStringList{"1e999999999", "0", "0"} << false
                                       << QStringLiteral("Please enter a valid Percent Small Fish!")
                                       << false << QStringList{"1e999999999", "0", "0"};
        const QStringList big = {"900000000000000", "900000000000000", "900000000000000"};
        QTest::newRow("sum overflows") << big << false << over << false << big;
    }
    void percentages() {
        QFETCH(QStringList, typed);
        QFETCH(bool, calculated);
        QFETCH(QString, message);
        QFETCH(bool, warned);
        QFETCH(QStringList, after);
        Inputs in = box("48", "20", "12", "18");
        in.percentSmall = typed[0];
        in.percentMedium = typed[1];
        in.percentLarge = typed[2];
        const auto out = tankcalc::calculate(in);
        QCOMPARE(out.calculated, calculated);
        QCOMPARE(out.message, message);
        QCOMPARE(out.focus, message.isEmpty() ? Field::None : Field::PercentSmall);
        QCOMPARE(out.warning, warned ? Underfilled : QString());
        QCOMPARE((QStringList{out.percentSmall, out.percentMedium, out.percentLarge}), after);
    }

    // The checks run in order; the first failing one speaks.
    void failedChecks_data() {
        using namespace tankcalc;
        QTest::addColumn<Inputs>("in");
        QTest::addColumn<QString>("message");
        QTest::addColumn<Field>("focus");
        QTest::newRow("no tank found")
            << box("", "", "", "0") << "Please enter a valid Height!" << Field::Height;
        QTest::newRow("length") << box("4 8", "20", "x", "x") << "Please enter a valid Length!"
                                << Field::Length;
        QTest::newRow("circular radius")
            << tank(Circular, FreshWater, Inches, USGallons, "x", "N/A", "N/A", "x", "x")
            << "Please enter a valid Radius!" << Field::None;
        QTest::newRow("hexagonal radius")
            << tank(Hexagonal, FreshWater, Inches, USGallons, "20", "48", "", "12", "18")
            << "Please enter a valid Radius!" << Field::None;
        QTest::newRow("width") << tank(Circular, FreshWater, Inches, USGallons, "", "N/A", "20",
                                       "12 in", "x")
                               << "Please enter a valid Width!" << Field::Width;
        QTest::newRow("light") << box("48", "20", "12", "")
                               << "Please enter a valid Light Distance!" << Field::Light;
        QTest::newRow("small") << box("48", "20", "12", "18", "a", "b", "c")
                               << "Please enter a valid Percent Small Fish!" << Field::PercentSmall;
        QTest::newRow("medium") << box("48", "20", "12", "18", "", "b", "c")
                                << "Please enter a valid Percent Medium Fish!"
                                << Field::PercentMedium;
        QTest::newRow("large") << box("48", "20", "12", "18", "", "", "N/A")
                               << "Please enter a valid Percent Large Fish!" << Field::PercentLarge;
        QTest::newRow("infinite area")
            << box("1e200", "1e200", "12", "18") << TooLarge << Field::None;
        QTest::newRow("infinite light")
            << box("48", "20", "12", "1e306") << TooLarge << Field::None;
        // A figure beyond any double is a bad entry like any other.
        QTest::newRow("infinite width")
            << box("48", "20", "1e400", "18") << "Please enter a valid Width!" << Field::Width;
        QTest::newRow("infinite percentage")
            << box("48", "20", "12", "18", "1e999", "0", "0")
            << "Please enter a valid Percent Small Fish!" << Field::PercentSmall;
    }
    void failedChecks() {
        QFETCH(Inputs, in);
        QFETCH(QString, message);
        QFETCH(Field, focus);
        const auto out = tankcalc::calculate(in);
        QVERIFY(!out.calculated);
        QCOMPARE(out.message, message);
        QCOMPARE(out.focus, focus);
        QCOMPARE(shown(out.results), shown(tankcalc::Results()));
    }

    void percentagesUntouchedBeforeTheirTurn() {
        const auto out = tankcalc::calculate(box("48", "", "12", "18", "", "", ""));
        QCOMPARE(out.message, QStringLiteral("Please enter a valid Height!"));
        QVERIFY(out.percentSmall.isEmpty() && out.percentMedium.isEmpty() &&
                out.percentLarge.isEmpty());
    }

    void hugeResultsShownWhole() {
        // 1e6 x 1e6 = 1e12; 1000 * 1e12 / 231 = 4329004329004.33.
        auto out = tankcalc::calculate(box("1e6", "1e6", "1000", "0"));
        QCOMPARE(out.results.area, QStringLiteral("1000000000000² Inches"));
        QCOMPARE(out.results.volume, QStringLiteral("4329004329004 US Gal."));
        // Beyond what a double holds exactly, no digits that only look exact.
        out = tankcalc::calculate(box("1e10", "1e10", "0", "0"));
        QCOMPARE(out.results.area, QStringLiteral("1E+20² Inches"));
    }

    void resultText_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("halves to even") << 2.5 << "2";
        QTest::newRow("negative half") << -3.5 << "-4";
        QTest::newRow("largest plain") << 999999999999999.0 << "999999999999999";
        QTest::newRow("rounds up to 1E+15") << 999999999999999.5 << "1E+15";
        QTest::newRow("a large result") << 4.8e31 << "4.8E+31";
        QTest::newRow("negative") << -2.5e20 << "-2.5E+20";
        QTest::newRow("fifteen digits kept") << 123456789012345678.0 << "1.23456789012346E+17";
        QTest::newRow("three-digit exponent") << 1e300 << "1E+300";
    }
    void resultText() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(tankcalc::resultText(value), text);
    }

    void temperatureConverts_data() {
        using S = tempconv::Source;
        QTest::addColumn<QString>("f");
        QTest::addColumn<QString>("c");
        QTest::addColumn<S>("last");
        QTest::addColumn<QString>("toF");
        QTest::addColumn<QString>("toC");
        QTest::newRow("F 212") << "212"
                               << "" << S::Fahrenheit << "212°"
                               << "100°";
        QTest::newRow("F 100°") << "100°"
                                << "" << S::Fahrenheit << "100°"
                                << "37.77778°";
        QTest::newRow("F 0") << "0"
                             << "" << S::Fahrenheit << "0°"
                             << "-17.77778°";
        QTest::newRow("text after °") << "212°F"
                                      << "" << S::Fahrenheit << "212°"
                                      << "100°";
        QTest::newRow("C 37") << ""
                              << "37" << S::Celsius << "98.6°"
                              << "37°";
        QTest::newRow("C -40") << ""
                               << "-40°" << S::Celsius << "-40°"
                               << "-40°";
        QTest::newRow("C 25") << ""
                              << "25" << S::Celsius << "77°"
                              << "25°";
        // -295.5555556 taken to single precision is -295.55554199...
        QTest::newRow("F -500") << "-500"
                                << "" << S::Fahrenheit << "-500°"
                                << "-295.5555°";
        QTest::newRow("F 500") << "500"
                               << "" << S::Fahrenheit << "500°"
                               << "260°";
        QTest::newRow("C -295") << ""
                                << "-295" << S::Celsius << "-499°"
                                << "-295°";
        QTest::newRow("C 260") << ""
                               << "260" << S::Celsius << "500°"
                               << "260°";
        QTest::newRow("start values") << "32°"
                                      << "0°" << S::Fahrenheit << "32°"
                                      << "0°";
        QTest::newRow("F first, C out of range") << "50"
                                                 << "1000" << S::Fahrenheit << "50°"
                                                 << "10°";
        QTest::newRow("both filled, C typed last") << "50"
                                                   << "100" << S::Celsius << "212°"
                                                   << "100°";
        QTest::newRow("only F filled, C typed last") << "50"
                                                     << "" << S::Celsius << "50°"
                                                     << "10°";
        QTest::newRow("C typed last but no number") << "50"
                                                    << "abc" << S::Celsius << "50°"
                                                    << "10°";
        QTest::newRow("F no number") << "abc"
                                     << "100" << S::Fahrenheit << "212°"
                                     << "100°";
    }
    void temperatureConverts() {
        QFETCH(QString, f);
        QFETCH(QString, c);
        QFETCH(tempconv::Source, last);
        QFETCH(QString, toF);
        QFETCH(QString, toC);
        const auto out = tempconv::calculate(f, c, last);
        QCOMPARE(out.message, QString());
        QCOMPARE(out.focus, tempconv::Focus::None);
        QCOMPARE(out.fahrenheit, toF);
        QCOMPARE(out.celsius, toC);
    }

    void temperatureRefused_data() {
        using S = tempconv::Source;
        using F = tempconv::Focus;
        QTest::addColumn<QString>("f");
        QTest::addColumn<QString>("c");
        QTest::addColumn<S>("last");
        QTest::addColumn<QString>("message");
        QTest::addColumn<F>("focus");
        QTest::addColumn<QString>("leftF");
        QTest::addColumn<QString>("leftC");
        const QString fRange = "Please enter a temprature in the range of -500° to 500° F!";
        const QString cRange = "Please enter a temprature in the range of -295° to 260° C!";
        const QString invalid = "Please enter a valid temprature!";
        QTest::newRow("F -500.1") << "-500.1°"
                                  << "" << S::Fahrenheit << fRange << F::Fahrenheit << "-500.1"
                                  << "";
        QTest::newRow("F overflow") << "1e400"
                                    << "" << S::Fahrenheit << fRange << F::Fahrenheit << "1e400"
                                    << "";
        QTest::newRow("C 260.5") << ""
                                 << "260.5°" << S::Celsius << cRange << F::Celsius << ""
                                 << "260.5";
        QTest::newRow("C typed last is checked")
            << "50°"
            << "300°" << S::Celsius << cRange << F::Celsius << "50"
            << "300";
        QTest::newRow("98.6 F") << "98.6 F"
                                << "" << S::Fahrenheit << invalid << F::Fahrenheit << "98.6 F"
                                << "";
        QTest::newRow("both empty") << ""
                                    << "" << S::Celsius << invalid << F::Fahrenheit << ""
                                    << "";
        QTest::newRow("degrees only") << "°"
                                      << "°C" << S::Fahrenheit << invalid << F::Fahrenheit << ""
                                      << "";
    }
    void temperatureRefused() {
        QFETCH(QString, f);
        QFETCH(QString, c);
        QFETCH(tempconv::Source, last);
        QFETCH(QString, message);
        QFETCH(tempconv::Focus, focus);
        QFETCH(QString, leftF);
        QFETCH(QString, leftC);
        const auto out = tempconv::calculate(f, c, last);
        QCOMPARE(out.message, message);
        QCOMPARE(out.focus, focus);
        QCOMPARE(out.fahrenheit, leftF);
        QCOMPARE(out.celsius, leftC);
    }
};

QTEST_APPLESS_MAIN(TestCalcMath)
#include "tst_calcmath.moc"
