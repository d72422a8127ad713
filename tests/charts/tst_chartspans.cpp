// The window-free arithmetic behind the time axis, the zoom, the target
// bands and saving a picture: days between entries, round dates for the
// labels, views that stay inside the chart, bands that never squeeze the
// values, and the checks of a picture's name and size.
#include "charts/ChartData.h"
#include "charts/ChartImage.h"
#include "charts/ChartSpans.h"
#include "data/TargetRanges.h"

#include <QtTest/QTest>

using namespace corv;

namespace {

QDate d(int y, int m, int day) {
    return QDate(y, m, day);
}

QStringList texts(const QVector<QDate> &dates) {
    QStringList out;
    for (const QDate &x : dates)
        out << x.toString(QStringLiteral("MM/dd/yyyy"));
    return out;
}

} // namespace

class TestChartSpans : public QObject {
    Q_OBJECT
private slots:
    void dayPositionsFollowTheCalendar() {
        // Across a month's end and a leap day.
        QCOMPARE(dayPositions({d(2000, 2, 27), d(2000, 2, 28), d(2000, 3, 1), d(2000, 3, 1),
                               d(2001, 2, 27)}),
                 (QVector<double>{0, 1, 3, 3, 366}));
        // One entry without a date, or dates out of order, and the rows are
        // not placed by date at all.
        QVERIFY(dayPositions({d(2000, 1, 1), QDate(), d(2000, 1, 3)}).isEmpty());
        QVERIFY(dayPositions({d(2000, 1, 5), d(2000, 1, 3)}).isEmpty());
        QVERIFY(dayPositions({}).isEmpty());
        QCOMPARE(dayPositions({d(1999, 7, 10)}), QVector<double>{0});
    }

    void dateTicksAreRoundDatesWithinTheLimit_data() {
        QTest::addColumn<QDate>("first");
        QTest::addColumn<QDate>("last");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("days") << d(1999, 3, 30) << d(1999, 4, 2) << 10
                              << QStringList{"03/30/1999", "03/31/1999", "04/01/1999",
                                             "04/02/1999"};
        // 04/05/1999 was a Monday.
        QTest::newRow("weeks on Mondays") << d(1999, 4, 1) << d(1999, 4, 25) << 4
                                          << QStringList{"04/05/1999", "04/12/1999", "04/19/1999"};
        QTest::newRow("months on the 1st")
            << d(1999, 1, 15) << d(1999, 6, 20) << 6
            << QStringList{"02/01/1999", "03/01/1999", "04/01/1999", "05/01/1999", "06/01/1999"};
        QTest::newRow("quarters") << d(1999, 1, 2) << d(1999, 12, 31) << 4
                                  << QStringList{"04/01/1999", "07/01/1999", "10/01/1999"};
        QTest::newRow("years") << d(1990, 6, 1) << d(1999, 6, 1) << 5
                               << QStringList{"01/01/1992", "01/01/1994", "01/01/1996",
                                              "01/01/1998"};
        QTest::newRow("one day") << d(2001, 5, 5) << d(2001, 5, 5) << 3
                                 << QStringList{"05/05/2001"};
        QTest::newRow("backwards") << d(2001, 5, 5) << d(2001, 5, 4) << 3 << QStringList{};
    }
    void dateTicksAreRoundDatesWithinTheLimit() {
        QFETCH(QDate, first);
        QFETCH(QDate, last);
        QFETCH(int, limit);
        QFETCH(QStringList, expected);
        QCOMPARE(texts(dateTicks(first, last, limit)), expected);
    }

    void dateTicksNeverExceedTheLimit() {
        // Every span and limit, including spans far longer than a century.
        for (int span : {0, 1, 6, 13, 40, 200, 800, 5000, 40000, 200000})
            for (int limit : {1, 2, 3, 7, 12, 30}) {
                const QVector<QDate> t =
                    dateTicks(d(1950, 1, 1), d(1950, 1, 1).addDays(span), limit);
                QVERIFY2(!t.isEmpty() && t.size() <= limit,
                         qPrintable(QStringLiteral("%1 days, %2 labels").arg(span).arg(limit)));
                QVERIFY(std::is_sorted(t.begin(), t.end()));
            }
    }

    void zoomKeepsTheAnchorAndStaysInside() {
        const XSpan full{-0.5, 99.5};
        // Narrowing around a point keeps that point where it was on screen.
        const XSpan z = zoomSpan(full, full, 0.5, 24.5, 2);
        QCOMPARE(z.width(), 50.0);
        QCOMPARE((24.5 - z.lo) / z.width(), (24.5 - full.lo) / full.width());
        // Never narrower than the least width, never wider than the whole.
        QCOMPARE(zoomSpan({10, 14}, full, 0.1, 12, 2), (XSpan{11, 13}));
        QCOMPARE(zoomSpan({10, 60}, full, 10, 30, 2), full);
        // Widening near an end stops at that end rather than leaving it.
        const XSpan edge = zoomSpan({0, 10}, full, 2, 5, 2);
        QCOMPARE(edge.lo, full.lo);
        QCOMPARE(edge.width(), 20.0);
        // A chart narrower than the least width shows itself whole.
        QCOMPARE(zoomSpan({0, 1}, {0, 1}, 0.5, 0.5, 2), (XSpan{0, 1}));
        // Nonsense factors leave the whole.
        QCOMPARE(zoomSpan({10, 20}, full, 0, 15, 2), full);
    }

    void panAndDragSpans() {
        const XSpan full{0, 100};
        QCOMPARE(panSpan({10, 30}, full, 5), (XSpan{15, 35}));
        QCOMPARE(panSpan({10, 30}, full, -50), (XSpan{0, 20}));
        QCOMPARE(panSpan({70, 90}, full, 50), (XSpan{80, 100}));
        // A drag from right to left, partly outside the chart.
        QCOMPARE(fitSpan({60, -20}, full, 2), (XSpan{0, 60}));
        // A drag narrower than the least width widens around its middle.
        QCOMPARE(fitSpan({50, 50.5}, full, 2), (XSpan{49.25, 51.25}));
        QCOMPARE(fitSpan({99.8, 99.9}, full, 2), (XSpan{98, 100}));
    }

    void bandsStretchTheAxisOnlyWhenNear_data() {
        QTest::addColumn<double>("dataLow");
        QTest::addColumn<double>("dataHigh");
        QTest::addColumn<double>("bandLow"); // NaN: no bound
        QTest::addColumn<double>("bandHigh");
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        const double none = qQNaN();
        // Nitrate 10..30 against at most 40: the bound is near, taken in.
        QTest::newRow("near high") << 10.0 << 30.0 << none << 40.0 << 10.0 << 40.0;
        // Ammonia 0..0.2 against 0..0.25.
        QTest::newRow("near both") << 0.0 << 0.2 << 0.0 << 0.25 << 0.0 << 0.25;
        // pH 7.0..7.2 against 6.5..7.8: both too far for a 0.2 spread.
        QTest::newRow("far both") << 7.0 << 7.2 << 6.5 << 7.8 << 7.0 << 7.2;
        // pH 6.8..7.2 against 6.5..7.8: the nearer bound fits, the other
        // would make the axis more than twice the values' height.
        QTest::newRow("nearer only") << 6.8 << 7.2 << 6.5 << 7.8 << 6.5 << 7.2;
        // Calcium of 0 (never measured) against 380..450: left out.
        QTest::newRow("flat zero") << 0.0 << 0.0 << 380.0 << 450.0 << 0.0 << 0.0;
        // A flat pH 7.2 counts a tenth of itself: 6.5 and 7.8 both fit.
        QTest::newRow("flat value") << 7.2 << 7.2 << 6.5 << 7.8 << 6.5 << 7.8;
        // Bounds inside the values change nothing.
        QTest::newRow("inside") << 0.0 << 80.0 << 10.0 << 40.0 << 0.0 << 80.0;
        QTest::newRow("no band") << 1.0 << 2.0 << none << none << 1.0 << 2.0;
    }
    void bandsStretchTheAxisOnlyWhenNear() {
        QFETCH(double, dataLow);
        QFETCH(double, dataHigh);
        QFETCH(double, bandLow);
        QFETCH(double, bandHigh);
        QFETCH(double, low);
        QFETCH(double, high);
        ChartBand band;
        if (!qIsNaN(bandLow))
            band.low = bandLow;
        if (!qIsNaN(bandHigh))
            band.high = bandHigh;
        const SeriesRange r = rangeWithBand({dataLow, dataHigh}, band);
        QCOMPARE(r.low, low);
        QCOMPARE(r.high, high);
    }

    void bandsFollowTheTicksAndTheWaterType() {
        TargetRanges ranges;
        QVector<bool> ticked = defaultChartSelection(); // Ammonia, Nitrate, pH
        const QVector<ChartBand> fresh = chartBands(ranges, QStringLiteral("Fresh Water"), ticked);
        QCOMPARE(fresh.size(), 3);
        QCOMPARE(fresh[0].low, std::optional<double>(0));
        QCOMPARE(fresh[0].high, std::optional<double>(0.25));
        QCOMPARE(fresh[2].low, std::optional<double>(6.5));
        QCOMPARE(fresh[2].high, std::optional<double>(7.8));
        const QVector<ChartBand> salt = chartBands(ranges, QStringLiteral("Salt Water"), ticked);
        QCOMPARE(salt[2].low, std::optional<double>(8.0));
        QCOMPARE(salt[2].high, std::optional<double>(8.4));
        // Calcium has no fresh-water range; a tank without a type has none.
        ticked.fill(false);
        ticked[2] = true; // Calcium
        QVERIFY(chartBands(ranges, QStringLiteral("Fresh Water"), ticked).first().isEmpty());
        QVERIFY(!chartBands(ranges, QStringLiteral("Salt Water"), ticked).first().isEmpty());
        QVERIFY(chartBands(ranges, QString(), defaultChartSelection())[0].isEmpty());
        // The user's own range is the one drawn.
        ranges.setRange(QStringLiteral("Fresh Water"), QStringLiteral("Nitrate"), {{}, 25.0});
        const QVector<ChartBand> own =
            chartBands(ranges, QStringLiteral("Fresh Water"), defaultChartSelection());
        QVERIFY(!own[1].low);
        QCOMPARE(own[1].high, std::optional<double>(25));
    }

    void rowDatesAreReadFromTheEntries() {
        QVector<JournalChartRow> rows(4);
        rows[0].entryDate = QStringLiteral("01/31/1999");
        rows[1].entryDate = QStringLiteral("1999-02-01");
        rows[2].entryDate = QString();
        rows[3].entryDate = QStringLiteral("not a date");
        const QVector<QDate> dates = chartRowDates(rows);
        QCOMPARE(dates.size(), 4);
        QCOMPARE(dates[0], d(1999, 1, 31));
        QCOMPARE(dates[1], d(1999, 2, 1));
        QVERIFY(!dates[2].isValid());
        QVERIFY(!dates[3].isValid());
    }

    void pictureNamesAndSizes() {
        QString name = QStringLiteral("/tmp/Chart.PNG");
        QCOMPARE(imageFormatFor(&name), std::optional<ImageFormat>(ImageFormat::Png));
        QCOMPARE(name, QStringLiteral("/tmp/Chart.PNG"));
        name = QStringLiteral("/tmp/reef.svg");
        QCOMPARE(imageFormatFor(&name), std::optional<ImageFormat>(ImageFormat::Svg));
        name = QStringLiteral("/tmp/reef");
        QCOMPARE(imageFormatFor(&name), std::optional<ImageFormat>(ImageFormat::Png));
        QCOMPARE(name, QStringLiteral("/tmp/reef.png"));
        name = QStringLiteral("/tmp/reef.");
        QCOMPARE(imageFormatFor(&name), std::optional<ImageFormat>(ImageFormat::Png));
        QCOMPARE(name, QStringLiteral("/tmp/reef.png"));
        name = QStringLiteral("/tmp/reef.jpg");
        QCOMPARE(imageFormatFor(&name), std::nullopt);

        QCOMPARE(imageSide(QStringLiteral(" 200 ")), std::optional<int>(200));
        QCOMPARE(imageSide(QStringLiteral("8000")), std::optional<int>(8000));
        for (const char *bad : {"199", "8001", "", "12.5", "-300", "1e3", "800px", "99999999999"})
            QVERIFY2(!imageSide(QString::fromLatin1(bad)), bad);
    }
};

QTEST_MAIN(TestChartSpans)
#include "tst_chartspans.moc"
