// The care log's sums and due dates against cases worked by hand, and what
// in a database counts as doing a task.
#include "care/CareLog.h"
#include "data/Connection.h"
#include "support/TestSupport.h"

#include <QtTest/QTest>

using namespace corv;
using namespace corv::care;
using corv::test::TestEnv;

namespace {

// 2026-01-03 is a Saturday.
const QDate Sat = QDate(2026, 1, 3);

TaskPlan weekly(Rhythm rhythm) {
    TaskPlan p;
    p.start = Sat;
    p.intervalDays = 7;
    p.rhythm = rhythm;
    return p;
}

} // namespace

class TestCareLog : public QObject {
    Q_OBJECT

private slots:
    // Nitrate 40, target 20, tap water 5: one change replaces 20/35 of the
    // water; two equal changes 1 - sqrt(15/35) each; both land on 20.
    void dilutionByHand() {
        DilutionPlan one = planDilution(40, 20, 5);
        QVERIFY(one.possible && one.needed);
        QVERIFY(qAbs(one.share - 20.0 / 35.0) < 1e-12);
        QVERIFY(qAbs(one.result - 20) < 1e-9);

        DilutionPlan two = planDilution(40, 20, 5, 2);
        QVERIFY(qAbs(two.share - (1 - std::sqrt(15.0 / 35.0))) < 1e-12);
        QVERIFY(qAbs(afterChanges(40, 5, two.share, 2) - 20) < 1e-9);
        QVERIFY(two.share < one.share);

        // Three changes of a quarter with clean water: 40 * 0.75^3.
        QCOMPARE(afterChanges(40, 0, 0.25, 3), 16.875);
        QCOMPARE(afterChanges(40, 10, 0.5, 1), 25.0);
    }

    // Water at or above the target can never bring the tank down to it; a
    // tank within the target needs no change; nonsense is refused in words.
    void dilutionThatCannotOrNeedNot() {
        for (double r : {20.0, 25.0}) {
            const DilutionPlan p = planDilution(40, 20, r);
            QVERIFY(!p.possible);
            QVERIFY2(p.message.contains(QLatin1String("no water change can bring")),
                     qPrintable(p.message));
        }
        const DilutionPlan within = planDilution(15, 20, 5);
        QVERIFY(within.possible && !within.needed);
        QCOMPARE(within.share, 0.0);
        QVERIFY(!within.message.isEmpty());
        QVERIFY(!planDilution(40, 20, -1).possible);
        QVERIFY(!planDilution(qQNaN(), 20, 5).possible);
        QVERIFY(!planDilution(40, 20, 5, 0).possible);
    }

    // The tank calculator's volume, and the share a change is of it.
    void shareOfTheTank() {
        // 36 x 12 x 16 inches: 6912 cubic inches, 29.92 US gallons.
        const auto v = tankVolume("Rectangular", "Inches", "16", "36", "", "12");
        QVERIFY(v);
        QVERIFY(qAbs(v->value - 6912.0 / 231) < 1e-9);
        QCOMPARE(v->unit, QStringLiteral("US Gal."));
        const auto litres = tankVolume("Rectangular", "Centimeters", "40", "100", "", "50");
        QVERIFY(litres);
        QCOMPARE(litres->unit, QStringLiteral("Liters"));
        QVERIFY(qAbs(litres->value - 200) < 1.5); // 200 litres, by the calculator's factors
        QString why;
        QVERIFY(!tankVolume("Rectangular", "Inches", "", "36", "", "12", &why));
        QVERIFY(!why.isEmpty());

        // A change typed in the other unit than the tank's, or as a share.
        const TankVolume tank{100, QStringLiteral("Liters")};
        QVERIFY(qAbs(*changeSharePercent(5, "US Gal.", tank) - 18.925) < 1e-9);
        QCOMPARE(*changeSharePercent(25, "Liters", tank), 25.0);
        QCOMPARE(*changeSharePercent(30, "%", std::nullopt), 30.0);
        QVERIFY(!changeSharePercent(30, "Liters", std::nullopt));
        QVERIFY(!changeSharePercent(120, "%", tank));
        QVERIFY(!changeSharePercent(5, "ml", tank));

        QVERIFY(qAbs(*sharePercent(7.5, 30) - 25) < 1e-12);
        QVERIFY(!sharePercent(31, 30));
        QVERIFY(!sharePercent(-1, 30));
        QVERIFY(!sharePercent(5, 0));
        QCOMPARE(percentText(100.0 / 3), QStringLiteral("33.3 %"));
    }

    // A fixed task stays on its Saturdays whether it is done early or late;
    // a rolling one moves with the day it was done.
    void fixedAndRollingAcrossWeeks() {
        const TaskPlan fixed = weekly(Rhythm::Fixed), rolling = weekly(Rhythm::Rolling);
        QCOMPARE(nextDue(fixed, std::nullopt), Sat);
        QCOMPARE(nextDue(rolling, std::nullopt), Sat);

        const QDate thursday = Sat.addDays(5), monday = Sat.addDays(9), tuesday = Sat.addDays(3);
        // Two days early counts for that Saturday; four days early does not.
        QCOMPARE(nextDue(fixed, thursday), Sat.addDays(14));
        QCOMPARE(nextDue(fixed, tuesday), Sat.addDays(7));
        // Two days late counts for the Saturday before.
        QCOMPARE(nextDue(fixed, monday), Sat.addDays(14));
        QCOMPARE(nextDue(rolling, thursday), thursday.addDays(7));
        QCOMPARE(nextDue(rolling, monday), monday.addDays(7));

        // Four weeks, each time done two days before it is due: the fixed
        // task keeps its Saturdays, the rolling one comes two days sooner
        // each week.
        QDate fixedDue = nextDue(fixed, std::nullopt), rollingDue = fixedDue;
        for (int week = 1; week <= 4; ++week) {
            fixedDue = nextDue(fixed, fixedDue.addDays(-2));
            rollingDue = nextDue(rolling, rollingDue.addDays(-2));
            QCOMPARE(fixedDue, Sat.addDays(7 * week));
            QCOMPARE(rollingDue, Sat.addDays(5 * week));
            QCOMPARE(fixedDue.dayOfWeek(), 6);
        }
        // Left undone for three weeks, a fixed task is as overdue as its
        // first missed Saturday.
        const QDate due = nextDue(fixed, Sat);
        QCOMPARE(daysOverdue(due, Sat.addDays(21)), 14);
        QCOMPARE(overdueText(due, Sat.addDays(21)), QStringLiteral("14 days overdue"));
        QCOMPARE(overdueText(due, due), QStringLiteral("due today"));
        QCOMPARE(overdueText(due, due.addDays(1)), QStringLiteral("1 day overdue"));

        // A snooze holds the date back, but never brings it forward.
        TaskPlan snoozed = rolling;
        snoozed.snoozedUntil = Sat.addDays(1);
        QCOMPARE(nextDue(snoozed, std::nullopt), Sat.addDays(1));
        QCOMPARE(nextDue(snoozed, thursday), thursday.addDays(7));

        QCOMPARE(intervalDays(2, "Weeks"), 14);
        QCOMPARE(intervalDays(10, "Days"), 10);
        QCOMPARE(intervalDays(0, "Days"), 0);
        QCOMPARE(intervalDays(1.5, "Days"), 0);
    }

    // A journal entry does a water-test task; a maintenance entry of the
    // task's kind (letter case aside) does the others, in its own tank only;
    // a task of every tank is due in each tank on its own.
    void whatCountsAsDoingATask() {
        TestEnv env;
        const QString db = env.makeDatabase();
        TestEnv::exec(db, "INSERT INTO Tank (ID, TankName) VALUES (1, 'Reef'), (2, 'Pond')");
        TestEnv::exec(db, "INSERT INTO Tasks (TankID, Title, Kind, Interval, IntervalUnit, "
                          "Rhythm, StartDate) VALUES (NULL, 'Test water', 'Water Test', 1, "
                          "'Weeks', 'Rolling', '2026-01-01'), (1, 'Clean filter', 'Filter "
                          "Cleaned', 2, 'Weeks', 'Fixed', '2026-01-03')");
        TestEnv::exec(db, "INSERT INTO Journal (TankID, EntryDate, Nitrate) VALUES "
                          "(1, '2026-01-05', 20)");
        DbError e;
        QVERIFY(recordMaintenance(
            db, {"1", QDate(2026, 1, 2), "filter cleaned", {}, {}, {}, {}, {}}, &e));
        QVERIFY(recordMaintenance(
            db, {"2", QDate(2026, 1, 9), "Filter Cleaned", {}, {}, {}, {}, {}}, &e));
        QVERIFY(!e);

        const QDate today(2026, 1, 10);
        Connection c;
        QVERIFY(!c.open(db, DbAccess::ReadOnly));
        const QVector<DueTask> all = taskSchedule(c.db(), today, QDate(), &e);
        QVERIFY(!e);
        QCOMPARE(all.size(), 3);
        // By due date: the pond's water test (never done), the reef's water
        // test (a week after its journal entry), the reef's filter.
        QCOMPARE(all[0].tankName, QStringLiteral("Pond"));
        QCOMPARE(all[0].due, QDate(2026, 1, 1));
        QCOMPARE(all[0].overdue, 9);
        QCOMPARE(all[1].tankName, QStringLiteral("Reef"));
        QCOMPARE(all[1].due, QDate(2026, 1, 12));
        QCOMPARE(all[2].task.title, QStringLiteral("Clean filter"));
        QCOMPARE(all[2].due, QDate(2026, 1, 17));

        c.close();
        const QVector<DueTask> due = tasksDue(db, today, &e);
        QCOMPARE(due.size(), 1);
        QCOMPARE(dueStatusText(int(due.size())), QStringLiteral("1 task due"));
        QCOMPARE(dueStatusText(2), QStringLiteral("2 tasks due"));

        // A snooze of a day takes it off today's list.
        QVERIFY(snoozeTask(db, due[0].task.id, today.addDays(1), &e));
        QVERIFY(tasksDue(db, today, &e).isEmpty());
        QCOMPARE(tasksDue(db, today.addDays(1), &e).size(), 1);

        // A journal entry for the pond does its water test.
        TestEnv::exec(db, "INSERT INTO Journal (TankID, EntryDate) VALUES (2, '2026-01-10')");
        QVERIFY(tasksDue(db, today.addDays(1), &e).isEmpty());
        QVERIFY(!e);
    }
};

QTEST_MAIN(TestCareLog)
#include "tst_carelog.moc"
