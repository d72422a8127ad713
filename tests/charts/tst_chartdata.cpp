// The chart's window-free logic: the parameters and chart types, the date
// boxes, the record source of a run against a real database, the grid built
// from the journal, and the arithmetic of axes, labels and thinning.
#include "ChartSamples.h"
#include "charts/ChartData.h"
#include "charts/ChartRender.h"
#include "charts/ChartScale.h"
#include "charts/CorvChart.h"
#include "data/RecordSet.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QLocale>
#include <QtTest/QTest>
#include <cmath>
#include <iterator>

using namespace corv;
using namespace corv::test;

namespace {

QVector<bool> ticking(const QStringList &fields) {
    QVector<bool> t;
    for (const ChartParameter &p : chartParameters())
        t << fields.contains(p.field);
    return t;
}

// What differs between a run read as numbers and the same run read as the
// grid's texts and drawn from them ("" when nothing does), the texts the
// chart control then hands out included.
QString differenceFromTexts(const RecordSet &rs, const QString &source,
                            const QVector<bool> &ticked) {
    DbError textError, numberError;
    const QVector<JournalChartRow> rows = queryChartRows(rs, source, ticked, &textError);
    const ChartGrid grid = buildChartGrid(rows, ticked);
    const ChartContent want =
        ChartContent::fromCells(grid.rowLabels, grid.columnLabels, grid.cells);
    const ChartRead got = readChartContent(rs, source, ticked, &numberError);
    if (numberError.number != textError.number)
        return QStringLiteral("error %1, not %2").arg(numberError.number).arg(textError.number);
    if (got.content.rowLabels != want.rowLabels)
        return QStringLiteral("row labels: %1").arg(got.content.rowLabels.join(u' '));
    if (got.content.columnLabels != want.columnLabels)
        return QStringLiteral("column labels");
    if (got.dates != chartRowDates(rows))
        return QStringLiteral("dates");
    if (got.content.series.size() != want.series.size())
        return QStringLiteral("series");
    for (int k = 0; k < want.series.size(); ++k) {
        for (int r = 0; r < want.series[k].size(); ++r)
            if (got.content.series[k].value(r, -1) != want.series[k][r])
                return QStringLiteral("column %1 row %2: %3, not %4")
                    .arg(k)
                    .arg(r)
                    .arg(got.content.series[k].value(r, -1), 0, 'g', 17)
                    .arg(want.series[k][r], 0, 'g', 17);
        if (got.content.series[k].size() != want.series[k].size() ||
            got.content.ranges[k].low != want.ranges[k].low ||
            got.content.ranges[k].high != want.ranges[k].high)
            return QStringLiteral("column %1's range").arg(k);
    }
    CorvChart chart;
    chart.setContent(got.content);
    const ChartGrid shown = chart.grid();
    if (shown.cells != grid.cells)
        return QStringLiteral("cell texts: %1").arg(shown.cells.join(u' '));
    if (shown.rowLabels != grid.rowLabels || shown.columnLabels != grid.columnLabels)
        return QStringLiteral("the control's labels");
    return QString();
}

} // namespace

class TestChartData : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;
    QString db;

    void entry(int tank, const QString &isoDate, const QString &columns = QString(),
               const QString &values = QString()) {
        TestEnv::exec(db, QStringLiteral("INSERT INTO Journal (TankID, EntryDate%1) VALUES (%2, "
                                         "'%3'%4)")
                              .arg(columns.isEmpty() ? QString() : QStringLiteral(", ") + columns)
                              .arg(tank)
                              .arg(isoDate)
                              .arg(values.isEmpty() ? QString() : QStringLiteral(", ") + values));
    }
    // A run as the chart window makes it: plan, open, read, build.
    ChartGrid run(const QString &tank, const QString &from, const QString &to,
                  const QVector<bool> &ticked, ChartQuery *query = nullptr) {
        const ChartQuery q = planChartQuery(tank, from, to);
        if (query)
            *query = q;
        RecordSet rs;
        const DbError e = rs.open(db, q.recordSource);
        if (!e.ok())
            qFatal("%s", qPrintable(e.description));
        DbError readError;
        const QVector<JournalChartRow> rows = readChartRows(rs, ticked, &readError);
        if (!readError.ok())
            qFatal("%s", qPrintable(readError.description));
        const ChartGrid g = buildChartGrid(rows, ticked);
        // Read at once, the rows are the same, in the same order.
        const QVector<JournalChartRow> atOnce =
            queryChartRows(rs, q.recordSource, ticked, &readError);
        if (!readError.ok())
            qFatal("%s", qPrintable(readError.description));
        const ChartGrid g2 = buildChartGrid(atOnce, ticked);
        if (g2.rowLabels != g.rowLabels || g2.columnLabels != g.columnLabels || g2.cells != g.cells)
            qFatal("the two ways of reading differ for %s", qPrintable(q.recordSource));
        // Read as numbers, the same again.
        const QString differs = differenceFromTexts(rs, q.recordSource, ticked);
        if (!differs.isEmpty())
            qFatal("read as numbers, %s differ for %s", qPrintable(differs),
                   qPrintable(q.recordSource));
        return g;
    }

private slots:
    void init() {
        env = std::make_unique<TestEnv>();
        db = env->makeDatabase();
        TestEnv::exec(db, "INSERT INTO Tank (ID, TankName) VALUES (3, 'Reef')");
        TestEnv::exec(db, "INSERT INTO Tank (ID, TankName) VALUES (4, 'Pond')");
    }
    void cleanup() { env.reset(); }

    void parametersAndTypes() {
        const QVector<ChartParameter> &p = chartParameters();
        QCOMPARE(p.size(), 20);
        QStringList labels, boxes;
        for (const ChartParameter &c : p)
            labels << c.label, boxes << c.checkBox;
        QCOMPARE(labels,
                 (QStringList{"Alkalinity", "Ammonia",     "Calcium",   "CO2",        "Copper",
                              "O2",         "Hardness",    "Iodine",    "Iron",       "Lead",
                              "Magnesium",  "Molybdenum",  "Nitrate",   "Nitrite",    "pH",
                              "Phosphate",  "SpecGravity", "Strontium", "Temprature", "Zinc"}));
        QCOMPARE(boxes.first(), QStringLiteral("ckAlkalinity"));
        QCOMPARE(boxes[14], QStringLiteral("ckpH"));
        QCOMPARE(p[3].caption, QStringLiteral("Carbon Dioxide"));
        QCOMPARE(p[16].field, QStringLiteral("SpecificGravity"));
        QCOMPARE(p[18].caption, QStringLiteral("Temprature"));
        QCOMPARE(defaultChartSelection(), ticking({"Ammonia", "Nitrate", "pH"}));

        QCOMPARE(chartTypeItems(),
                 (QStringList{"3D Bar", "2D Bar", "3D Line", "2D Line", "3D Area", "2D Area",
                              "3D Step", "2D Step", "3D Combination", "2D Combination"}));
        for (int i = 0; i <= 9; ++i)
            QCOMPARE(chartTypeForItem(i), i);
        QCOMPARE(chartTypeForItem(-1), 0);
        QCOMPARE(chartTypeForItem(10), 0);
        // Each item's kind is the one its name says.
        for (int i = 0; i <= 9; ++i) {
            const ChartKind k = chartKind(i);
            const QString name = chartTypeItems()[i];
            QCOMPARE(k.threeD, name.startsWith(QLatin1String("3D")));
            static const char *const shapes[] = {"Bar", "Line", "Area", "Step", "Combination"};
            QVERIFY(name.endsWith(QLatin1String(shapes[int(k.shape)])));
        }
        QCOMPARE(int(chartKind(42).shape), int(ChartShape::Bar));
        QVERIFY(chartKind(42).threeD);
    }

    void dateBoxes() {
        // Typed short: rewritten in full before the query runs.
        DateBoxCheck c = checkDateBox(QStringLiteral("1/2/99"));
        QCOMPARE(int(c.state), int(DateBoxCheck::Valid));
        QCOMPARE(c.text, QStringLiteral("01/02/1999"));
        QCOMPARE(c.bound, QStringLiteral("01/02/1999"));
        QCOMPARE(checkDateBox(QStringLiteral("Jan 5, 2024")).text, QStringLiteral("01/05/2024"));
        QCOMPARE(checkDateBox(QStringLiteral("12/31/2023")).bound, QStringLiteral("12/31/2023"));

        // Empty and blank boxes set no bound and are no error.
        for (const QString &blank : {QString(), QStringLiteral("   ")}) {
            c = checkDateBox(blank);
            QCOMPARE(int(c.state), int(DateBoxCheck::Empty));
            QCOMPARE(c.bound, QString());
            QCOMPARE(c.text, blank);
        }
        // Not dates: kept as typed, reported, no bound.
        for (const QString &bad : {QStringLiteral("13/45/2000"), QStringLiteral("02/30/2001"),
                                   QStringLiteral("soon"), QStringLiteral("1/2/99; DROP")}) {
            c = checkDateBox(bad);
            QCOMPARE(int(c.state), int(DateBoxCheck::Invalid));
            QCOMPARE(c.text, bad);
            QCOMPARE(c.bound, QString());
        }
        QCOMPARE(chartText::InvalidDate,
                 QStringLiteral("Please enter a valid date (EX: mm/dd/yyyy)!"));
        QCOMPARE(chartText::NoRecords, QStringLiteral("No Records to display!"));
    }

    void recordSourceTexts() {
        QCOMPARE(planChartQuery("3", "", "").recordSource,
                 QStringLiteral("SELECT * FROM [Journal] WHERE TankID = 3 ORDER BY EntryDate"));
        QCOMPARE(planChartQuery("3", "1/1/99", "6/30/99").recordSource,
                 QStringLiteral("SELECT * FROM [Journal] WHERE TankID = 3 AND EntryDate > "
                                "#01/01/1999# AND EntryDate < #06/30/1999# ORDER BY EntryDate"));
        // An invalid to date is reported and the run keeps the from bound.
        const ChartQuery q = planChartQuery("3", "01/01/1999", "06/31/1999");
        QCOMPARE(int(q.to.state), int(DateBoxCheck::Invalid));
        QCOMPARE(q.recordSource, QStringLiteral("SELECT * FROM [Journal] WHERE TankID = 3 AND "
                                                "EntryDate > #01/01/1999# ORDER BY EntryDate"));
        QCOMPARE(planChartQuery("3", "x", "06/30/1999").recordSource,
                 QStringLiteral("SELECT * FROM [Journal] WHERE TankID = 3 AND EntryDate < "
                                "#06/30/1999# ORDER BY EntryDate"));
        // A tank id that is no number never reaches the engine as SQL.
        QVERIFY(planChartQuery("3 OR 1=1", "", "")
                    .recordSource.contains(QLatin1String("TankID = NOT SET")));
    }

    void gridOfAJournal() {
        // Out of date order in the table, and another tank's entries beside.
        entry(3, "2024-01-15", "Ammonia, Nitrate, PH, Zinc", "0.25, 10, 7.2, 1");
        entry(3, "2024-01-01", "Ammonia, Nitrate, PH", "0.5, NULL, 7.25");
        entry(4, "2024-01-08", "Ammonia", "9");
        entry(3, "2024-01-22", "Nitrate, PH, Calcium", "12.50, 7, 420");
        const ChartGrid g = run("3", "", "", ticking({"pH", "Nitrate", "Ammonia", "Calcium"}));
        QCOMPARE(g.rowLabels, (QStringList{"01/01/2024", "01/15/2024", "01/22/2024"}));
        // Columns in table order, whatever order they were ticked in.
        QCOMPARE(g.columnLabels, (QStringList{"Ammonia", "Calcium", "Nitrate", "pH"}));
        QCOMPARE(g.cells, (QStringList{"0.5", "0", "0", "7.25",  //
                                       "0.25", "0", "10", "7.2", //
                                       "0", "420", "12.5", "7"}));
        QCOMPARE(g.cell(2, 1), QStringLiteral("420"));

        // No parameter ticked: no columns, the rows still labelled.
        const ChartGrid none = run("3", "", "", QVector<bool>(20, false));
        QCOMPARE(none.columnCount(), 0);
        QCOMPARE(none.rowLabels, g.rowLabels);
        QVERIFY(none.cells.isEmpty());

        // A tank without entries: no rows.
        const ChartGrid empty = run("5", "", "", defaultChartSelection());
        QCOMPARE(empty.rowCount(), 0);
        QCOMPARE(empty.columnLabels, (QStringList{"Ammonia", "Nitrate", "pH"}));
    }

    void readingFailures() {
        entry(3, "2024-01-01", "PH, Nitrate", "7.5, 20");
        entry(3, "2024-01-01", "PH, Nitrate", "7.1, 25"); // same date: stored order
        RecordSet rs;
        const QString source = planChartQuery("3", "", "").recordSource;
        QVERIFY(rs.open(db, source).ok());
        // Every parameter when none is named; the ticked ones otherwise.
        QVector<JournalChartRow> rows = queryChartRows(rs, source);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0].values.size(), 20);
        QCOMPARE(rows[0].values[14], QStringLiteral("7.5"));
        QCOMPARE(rows[1].values[14], QStringLiteral("7.1"));
        QCOMPARE(rows[0].values[12], QStringLiteral("20"));
        rows = queryChartRows(rs, source, ticking({"pH"}));
        QCOMPARE(rows[0].values[12], QString());
        QCOMPARE(readChartRows(rs, ticking({"pH"}))[1].values[12], QString());

        // A record source that is no query of ours runs nothing.
        DbError e;
        rows = queryChartRows(rs, QStringLiteral("DELETE FROM Journal"), {}, &e);
        QVERIFY(!e.ok());
        QVERIFY(rows.isEmpty());
        QCOMPARE(TestEnv::scalar(db, "SELECT COUNT(*) FROM Journal").toInt(), 2);
        // The file gone since the record set opened it: reported, not made.
        QFile::rename(db, db + QStringLiteral(".away"));
        rows = queryChartRows(rs, source, {}, &e);
        QCOMPARE(e.number, DbErr::FileNotFound);
        QVERIFY(!QFile::exists(db));
        QFile::rename(db + QStringLiteral(".away"), db);
        // A closed record set has nothing to read.
        rs.close();
        rows = queryChartRows(rs, source, {}, &e);
        QVERIFY(!e.ok());
        QCOMPARE(readChartRows(rs, {}, &e).size(), 0);
    }

    void cellTexts() {
        // Texts as the bound boxes show them.
        QCOMPARE(chartCellText(QString()), QStringLiteral("0"));
        QCOMPARE(chartCellText(QStringLiteral("  ")), QStringLiteral("0"));
        QCOMPARE(chartCellText(QStringLiteral("n/a")), QStringLiteral("0"));
        QCOMPARE(chartCellText(QStringLiteral("7.20")), QStringLiteral("7.2"));
        QCOMPARE(chartCellText(QStringLiteral(" 5 ")), QStringLiteral("5"));
        QCOMPARE(chartCellText(QStringLiteral("1,024")), QStringLiteral("1024"));
        QCOMPARE(chartCellText(QStringLiteral("-0.5")), QStringLiteral("-0.5"));
        QCOMPARE(chartCellText(QStringLiteral("2.5E-2")), QStringLiteral("0.025"));
        QCOMPARE(chartCellText(QStringLiteral("48 in")), QStringLiteral("0"));
        QCOMPARE(chartCellText(QStringLiteral("1e999")), QStringLiteral("0"));
        // Texts already in their shortest form come back as they are; the
        // others are rewritten.
        for (const char *same : {"0", "7", "-12.5", "0.00025", "123456789012345", "0.1"})
            QCOMPARE(chartCellText(QLatin1String(same)), QLatin1String(same));
        QCOMPARE(chartCellText(QStringLiteral("-0")), QStringLiteral("0"));
        QCOMPARE(chartCellText(QStringLiteral("007")), QStringLiteral("7"));
        QCOMPARE(chartCellText(QStringLiteral("0.000001")), QStringLiteral("1E-06"));
        QCOMPARE(chartCellText(QStringLiteral("1234567890123456")),
                 QStringLiteral("1.234567890123456E+15"));
        QCOMPARE(chartCellText(QStringLiteral("0.1000000000000000055511151231257827")),
                 QStringLiteral("0.1"));
        QCOMPARE(chartCellText(QStringLiteral("2.")), QStringLiteral("2"));
        // Rows short of values (a damaged row) chart as 0 rather than fail.
        JournalChartRow shortRow{QStringLiteral("01/01/2024"), {QStringLiteral("3")}};
        const ChartGrid g = buildChartGrid({shortRow}, ticking({"Alkalinity", "Zinc"}));
        QCOMPARE(g.cells, (QStringList{"3", "0"}));
        // And the drawing reads the cells as numbers, 0 for anything else.
        const ChartContent c = ChartContent::fromCells(
            {"a", "b"}, {"x"}, {QStringLiteral("2.5"), QStringLiteral("?")});
        QCOMPARE(c.series[0], (QVector<double>{2.5, 0}));
        QCOMPARE(c.ranges[0].high, 2.5);
    }

    // Read as numbers, every value charts as its text in the grid reads and
    // every row is labelled and dated as its text says: whatever was
    // stored, in either form of dates, and the grid's texts stay the same.
    void numbersReadAsTheirTextsRead() {
        const char *const values[] = {
            "7.25",    "NULL",      "0",       "-0.0",    "1e999",
            "-1e999",  "0.1 + 0.2", "1e-7",    "1.5e20",  "123456789012345678",
            "-12.5",   "'7.5'",     "' 7.5 '", "'n/a'",   "''",
            "'1,024'", "'2.5E-2'",  "x'00'",   "'48 in'", "4000",
            "0.00001", "1e15"};
        const char *const dates[] = {"2024-01-15", "2024-01-15", "2024-01-16", "2024-01-15",
                                     "2024-1-17",  "",           "NULL",       "0999-06-30",
                                     "0050-01-01", "soon",       "2024-02-30", "9999-12-31"};
        int i = 0;
        for (const char *v : values) {
            const char *d = dates[i % std::size(dates)];
            const QString date = QLatin1String(d) == QLatin1String("NULL")
                                     ? QStringLiteral("NULL")
                                     : QStringLiteral("'%1'").arg(QLatin1String(d));
            TestEnv::exec(db, QStringLiteral("INSERT INTO Journal (TankID, EntryDate, PH, Nitrate, "
                                             "Ammonia) VALUES (3, %1, %2, %3, 0.25)")
                                  .arg(date, QLatin1String(v), QString::number(i)));
            ++i;
        }
        RecordSet rs;
        const QString source = planChartQuery("3", "", "").recordSource;
        QVERIFY(rs.open(db, source).ok());
        for (const QVector<bool> &ticked : {defaultChartSelection(), ticking({"pH"}),
                                            QVector<bool>(20, false), QVector<bool>(20, true)}) {
            QString differs = differenceFromTexts(rs, source, ticked);
            QVERIFY2(differs.isEmpty(), qPrintable(differs));
            // The user's own form of dates and decimals.
            setUserLocale(QLocale(QLocale::German, QLocale::Germany));
            differs = differenceFromTexts(rs, source, ticked);
            setUserLocale(QLocale::c());
            QVERIFY2(differs.isEmpty(), qPrintable(QStringLiteral("German: ") + differs));
        }
        const ChartRead read = readChartContent(rs, source, defaultChartSelection());
        QCOMPARE(read.content.rows(), i);
        // The chart window opens its record set on the journal's fields
        // alone; the rows are read all the same.
        RecordSet fields;
        QVERIFY(fields.open(db, planChartQuery("3", "", "").fieldsSource).ok());
        QCOMPARE(fields.recordCount(), 0);
        const ChartRead same = readChartContent(fields, source, defaultChartSelection());
        QCOMPARE(same.content.rowLabels, read.content.rowLabels);
        QCOMPARE(same.content.series, read.content.series);

        // Told to stop, the reading stops and leaves nothing half read.
        qint64 told = -1;
        const ChartRead stopped = readChartContent(rs, source, defaultChartSelection(), nullptr,
                                                   [&](qint64 done, qint64 total) {
                                                       told = total;
                                                       return done < 0;
                                                   });
        QCOMPARE(told, qint64(i));
        QCOMPARE(stopped.content.rows(), 0);
        QCOMPARE(stopped.content.columns(), 3);
        QVERIFY(stopped.dates.isEmpty());
        QCOMPARE(stopped.content.series[0].size(), 0);

        // A source that fails is said, and nothing is read.
        DbError e;
        QCOMPARE(readChartContent(rs, QStringLiteral("DELETE FROM Journal"), {}, &e).content.rows(),
                 0);
        QVERIFY(!e.ok());
        rs.close();
        QCOMPARE(readChartContent(rs, source, {}, &e).content.rows(), 0);
        QVERIFY(!e.ok());
    }

    void bothDateBoundsExclusive() {
        for (const char *d : {"1998-12-31", "1999-01-01", "1999-01-02", "1999-01-15", "1999-01-30",
                              "1999-01-31", "1999-02-01"})
            entry(3, d, "PH", "7");
        entry(4, "1999-01-10", "PH", "8");
        ChartGrid g = run("3", "01/01/1999", "01/31/1999", defaultChartSelection());
        QCOMPARE(g.rowLabels, (QStringList{"01/02/1999", "01/15/1999", "01/30/1999"}));
        g = run("3", "1/1/99", "", defaultChartSelection());
        QCOMPARE(g.rowCount(), 5);
        QCOMPARE(g.rowLabels.first(), QStringLiteral("01/02/1999"));
        g = run("3", "", "01/01/1999", defaultChartSelection());
        QCOMPARE(g.rowLabels, QStringList{"12/31/1998"});
        g = run("3", "", "", defaultChartSelection());
        QCOMPARE(g.rowCount(), 7);
        // An invalid to date with a valid from date: the entries after from.
        ChartQuery q;
        g = run("3", "01/15/1999", "01/32/1999", defaultChartSelection(), &q);
        QCOMPARE(int(q.to.state), int(DateBoxCheck::Invalid));
        QCOMPARE(q.from.text, QStringLiteral("01/15/1999"));
        QCOMPARE(g.rowLabels, (QStringList{"01/30/1999", "01/31/1999", "02/01/1999"}));
        // Bounds that leave nothing: no rows.
        g = run("3", "01/02/1999", "01/03/1999", defaultChartSelection());
        QCOMPARE(g.rowCount(), 0);
    }

    void readsLongJournals() {
        // Past a 16-bit counter, in date order.
        TestEnv::exec(db, "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n "
                          "WHERE i < 33999) INSERT INTO Journal (TankID, EntryDate, PH) "
                          "SELECT 3, date('1950-01-01', '+' || i || ' days'), 7 FROM n");
        const ChartGrid g = run("3", "", "", ticking({"pH"}));
        QCOMPARE(g.rowCount(), 34000);
        QCOMPARE(g.rowLabels.first(), QStringLiteral("01/01/1950"));
        QCOMPARE(g.rowLabels.last(), dateText(QDate(1950, 1, 1).addDays(33999)));
        QCOMPARE(g.cells.last(), QStringLiteral("7"));
    }

    void valueAxes() {
        // Nitrate alone: 0..80 in four steps of 20 wastes nothing.
        AxesPlan p = planValueAxes({{5, 80}}, true);
        QCOMPARE(p.axes.size(), 1);
        QCOMPARE(p.axes[0].low, 0.0);
        QCOMPARE(p.axes[0].high, 80.0);
        QCOMPARE(p.axes[0].intervals, 4);
        QCOMPARE(p.axes[0].tickText(1), QStringLiteral("20"));

        // A narrow band far from 0 keeps its own range on lines, not on bars.
        const ValueAxisPlan ph = niceAxis(6.8, 7.6, 4, false);
        QVERIFY(ph.low >= 6 && ph.low <= 6.8 && ph.high >= 7.6 && ph.high <= 8);
        QCOMPARE(ph.tickText(0), QString::number(ph.low, 'f', ph.decimals));
        QCOMPARE(niceAxis(6.8, 7.6, 4, true).low, 0.0);
        QCOMPARE(niceAxis(1, 80, 5, false).low, 0.0); // a wide spread keeps 0

        // Ammonia, nitrate and pH: three axes, the largest first, all with
        // the same number of steps so their ticks meet the same grid lines.
        p = planValueAxes({{0, 0.9}, {5, 75}, {6.9, 7.7}}, true);
        QCOMPARE(p.axes.size(), 3);
        QCOMPARE(p.axisOfSeries, (QVector<int>{2, 0, 1}));
        for (const ValueAxisPlan &a : p.axes)
            QCOMPARE(a.intervals, p.axes[0].intervals);
        const QVector<SeriesRange> ranges{{0, 0.9}, {5, 75}, {6.9, 7.7}};
        for (int s = 0; s < 3; ++s) {
            const ValueAxisPlan &a = p.axes[p.axisOfSeries[s]];
            QVERIFY(a.low <= ranges[s].low && a.high >= ranges[s].high);
            // Each axis uses at least half of its height.
            QVERIFY((ranges[s].high - a.low) >= 0.5 * (a.high - a.low));
        }
        // A value lands on the common scale where its own axis shows it.
        const ValueAxisPlan &amm = p.axes[2];
        QCOMPARE(amm.toCommon(amm.high, p.axes[0]), p.axes[0].high);
        QCOMPARE(amm.toCommon(amm.low + amm.step, p.axes[0]), p.axes[0].low + p.axes[0].step);

        // Look-alike sizes share an axis; negatives keep one axis.
        QCOMPARE(planValueAxes({{0, 40}, {0, 78}}, true).axes.size(), 1);
        QCOMPARE(planValueAxes({{-2, 40}, {0, 0.5}}, true).axes.size(), 1);
        // No more than four axes, whatever the spread.
        p = planValueAxes({{0, 1e5}, {0, 1e4}, {0, 1e3}, {0, 100}, {0, 10}, {0, 1}}, true);
        QCOMPARE(p.axes.size(), 4);
        for (int s = 0; s < 6; ++s)
            QVERIFY(p.axes[p.axisOfSeries[s]].high >= std::pow(10.0, 5 - s));
        // Nothing to show still gives a usable axis.
        p = planValueAxes({}, true);
        QCOMPARE(p.axes.size(), 1);
        QVERIFY(p.axes[0].high > p.axes[0].low);
        QVERIFY(planValueAxes({{0, 0}}, true).axes[0].high > 0);
        QVERIFY(planValueAxes({{7, 7}}, false).axes[0].high > 7);
        QCOMPARE(planValueAxes({{-12.5, -3}}, false).axes[0].high, 0.0);
    }

    void labelSteps() {
        QCOMPARE(labelStep(100, 60, 10), 1);
        QCOMPARE(labelStep(20, 60, 10), 4);
        QCOMPARE(labelStep(14, 60, 10), 5);
        QCOMPARE(labelStep(0.36, 70, 10), 250);
        QCOMPARE(labelStep(0, 60, 10), 1);
        // Whatever the density, the labels never need more room than they get.
        for (double slot : {0.01, 0.3, 1.0, 3.7, 9.0, 33.0}) {
            const int s = labelStep(slot, 65, 8);
            QVERIFY(s * slot >= 73 - 1e-9 || s == 1);
        }
        QCOMPARE(labelledRows(10, 4), (QVector<int>{0, 4, 8}));
        QCOMPARE(labelledRows(0, 4), QVector<int>());
        QCOMPARE(labelledRows(3, 0), (QVector<int>{0, 1, 2}));
    }

    void thinningKeepsPeaks() {
        QVector<double> v;
        for (int i = 0; i < 1000; ++i)
            v << std::sin(i * 0.1);
        v[503] = 9;  // a spike
        v[777] = -9; // and a drop
        QCOMPARE(bucketSizeFor(1000, 2000), 1);
        QCOMPARE(bucketSizeFor(1000, 300), 4);
        QCOMPARE(bucketSizeFor(0, 300), 1);
        const QVector<PlotPoint> lines = thinForLines(v, 10);
        QVERIFY(lines.size() <= 200);
        bool spike = false, drop = false;
        for (int i = 0; i < lines.size(); ++i) {
            spike = spike || (lines[i].row == 503 && lines[i].value == 9);
            drop = drop || (lines[i].row == 777 && lines[i].value == -9);
            if (i > 0)
                QVERIFY(lines[i].row > lines[i - 1].row); // row order kept
        }
        QVERIFY(spike && drop);
        const QVector<PlotPoint> bars = thinForBars(v, 10);
        QCOMPARE(bars.size(), 100);
        QCOMPARE(bars[50].value, 9.0);
        QCOMPARE(bars[77].value, -9.0); // farthest from 0, below it too
        QCOMPARE(bars[77].row, 777);
        // Unthinned, every row is itself.
        const QVector<PlotPoint> all = thinForLines(v, 1);
        QCOMPARE(all.size(), 1000);
        QCOMPARE(all[503].x, 503.0);
    }

    void seriesColours() {
        for (const QColor &bg : {QColor(Qt::white), QColor(0x20, 0x22, 0x26)}) {
            QSet<QRgb> seen;
            for (int i = 0; i < 20; ++i) {
                const QColor c = seriesColor(i, bg);
                seen.insert(c.rgb());
                // Every colour stands apart from the ground.
                QVERIFY2(std::abs(c.lightness() - bg.lightness()) > 50,
                         qPrintable(QString::number(i)));
            }
            QCOMPARE(seen.size(), 20);
            // Neighbours differ in hue.
            for (int i = 0; i + 1 < 10; ++i) {
                const int d = std::abs(seriesColor(i, bg).hue() - seriesColor(i + 1, bg).hue());
                QVERIFY(std::min(d, 360 - d) > 20);
            }
        }
    }
};

QTEST_MAIN(TestChartData)
#include "tst_chartdata.moc"
