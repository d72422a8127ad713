// The care log's windows as a keeper uses them: the maintenance log works
// out a water change's share, the planner records the change it plans, and
// the Due list does, puts off and counts the tasks due.
#include "care/CareWindows.h"
#include "care/frmDue.h"
#include "care/frmMaintenance.h"
#include "care/frmWaterPlanner.h"
#include "charts/ChartData.h"
#include "forms/frmJournal.h"
#include "support/MainWindowFixture.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>

using namespace corv;
using namespace corv::test;

class TestCareWindows : public QObject {
    Q_OBJECT
    MainWindowFixture fx;
    int tankId = 0;

    frmMaintenance *openLog() {
        fx.main->openWindow(FormKind::Maintenance);
        return dynamic_cast<frmMaintenance *>(Forms::get(FormKind::Maintenance));
    }
    QVariant logValue(const QString &field, const QString &where) {
        return TestEnv::scalar(
            fx.db, QStringLiteral("SELECT %1 FROM Maintenance WHERE %2").arg(field, where));
    }

private slots:
    void init() {
        fx.setUp();
        // 48 x 12 x 20 inches: 49.87 US gallons.
        tankId = fx.defaultTank("Reef");
        frmDue::fixedToday = QDate(2026, 12, 5);
    }
    void cleanup() {
        frmDue::fixedToday = QDate();
        fx.tearDown();
    }

    // A water change typed as a volume gets its share of the tank as the
    // amount is left; one typed as a percentage keeps it; other kinds none.
    void logWorksOutTheShare() {
        frmMaintenance *w = openLog();
        QVERIFY(w);
        QVERIFY(w->tankVolume());
        QVERIFY(qAbs(w->tankVolume()->value - 48.0 * 12 * 20 / 231) < 1e-9);
        w->txtEntryDate->setText("12/05/2026");
        fx.tabOut(w->txtEntryDate);
        w->txtKind->setText("Water Change");
        w->txtUnit->setText("US Gal.");
        w->txtAmount->setText("12.5");
        fx.tabOut(w->txtAmount);
        QCOMPARE(w->txtSharePercent->text(), QStringLiteral("25.1"));
        // The same volume in litres against a tank measured in inches.
        w->txtUnit->setText("Liters");
        fx.tabOut(w->txtUnit);
        QCOMPARE(w->txtSharePercent->text(), QStringLiteral("6.6"));
        w->txtUnit->setText("%");
        w->txtAmount->setText("30");
        fx.tabOut(w->txtAmount);
        QCOMPARE(w->txtSharePercent->text(), QStringLiteral("30"));
        w->cmdSave_Click();
        QCOMPARE(logValue("SharePercent", "Kind = 'Water Change'").toDouble(), 30.0);
        QCOMPARE(logValue("TankID", "Kind = 'Water Change'").toInt(), tankId);
        QCOMPARE(logValue("EntryDate", "Kind = 'Water Change'").toString(),
                 QStringLiteral("2026-12-05"));

        // A share out of range is refused in words.
        w->txtSharePercent->setFocus(Qt::MouseFocusReason);
        w->txtSharePercent->setText("120");
        fx.env->dialogs.expectOk();
        QTest::keyClick(w->txtSharePercent, Qt::Key_Tab);
        QVERIFY(!fx.env->dialogs.messageTexts().isEmpty());
        QCOMPARE(fx.env->dialogs.messageTexts().last(),
                 QStringLiteral("Please enter a valid share (0 to 100)!"));
        QCOMPARE(QApplication::focusWidget(), w->txtSharePercent);
        w->txtSharePercent->setText("30");
    }

    // The planner reads the latest nitrate and the salt-water target, plans
    // with the tap water remembered, refuses water above the target, and
    // records the change it planned.
    void plannerRecordsTheChange() {
        TestEnv::exec(fx.db, "UPDATE Tank SET TankType = 'Salt Water'");
        TestEnv::exec(fx.db, QStringLiteral("INSERT INTO Journal (TankID, EntryDate, Nitrate) "
                                            "VALUES (%1, '2026-11-28', 30), (%1, '2026-12-04', "
                                            "40), (%1, '2026-12-05', NULL)")
                                 .arg(tankId));
        Settings::setReplacementValue("Tap Water", "Nitrate", "5");
        QString planned, impossible;
        fx.env->dialogs.onModal = [&](QDialog &d) {
            auto *p = qobject_cast<frmWaterPlanner *>(&d);
            if (!p)
                return 0;
            [&] {
                QCOMPARE(p->field(), QStringLiteral("Nitrate"));
                QCOMPARE(p->txtCurrent->text(), QStringLiteral("40"));
                QCOMPARE(p->txtTarget->text(), QStringLiteral("20"));
                QCOMPARE(p->txtReplacement->text(), QStringLiteral("5"));
                planned = p->lblResult->text();
                p->txtReplacement->setText("25");
                impossible = p->lblResult->text();
                QVERIFY(!p->cmdRecord->isEnabled());
                p->txtReplacement->setText("5");
                p->spnChanges->setValue(2);
                QVERIFY(p->cmdRecord->isEnabled());
            }();
            p->cmdRecord_Click();
            return p->result();
        };
        fx.env->dialogs.expectOk();
        QVERIFY(care::runWaterPlanner(fx.main.get()));
        QVERIFY2(planned.contains(QStringLiteral("57.1 % (28.5 US Gal.)")), qPrintable(planned));
        QVERIFY2(impossible.contains(QStringLiteral("no water change can bring")),
                 qPrintable(impossible));
        // Two changes of 34.5 % each; the first is stored for today.
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Maintenance"), 1);
        QCOMPARE(logValue("SharePercent", "1").toDouble(), 34.5);
        QCOMPARE(logValue("Kind", "1").toString(), QStringLiteral("Water Change"));
        QCOMPARE(logValue("Unit", "1").toString(), QStringLiteral("US Gal."));
        QCOMPARE(logValue("Amount", "1").toDouble(), 17.2);
        QCOMPARE(logValue("EntryDate", "1").toString(), isoDateText(QDate::currentDate()));
        QVERIFY(logValue("Notes", "1").toString().contains("the first of 2 changes"));
    }

    // The Due list after start-up: Done records the task in the log, Snooze
    // puts it off a day, and the status bar counts what is left.
    void dueListDoesAndPutsOff() {
        TestEnv::exec(fx.db, QStringLiteral("INSERT INTO Tasks (TankID, Title, Kind, Interval, "
                                            "IntervalUnit, Rhythm, StartDate) VALUES "
                                            "(%1, 'Clean filter', 'Filter Cleaned', 2, 'Weeks', "
                                            "'Fixed', '2026-12-05'), (NULL, 'Test water', "
                                            "'Water Test', 3, 'Days', 'Rolling', '2026-11-01'), "
                                            "(%1, 'Glass', 'Glass Cleaned', 1, 'Weeks', "
                                            "'Rolling', '2026-12-20')")
                                 .arg(tankId));
        care::refreshDueStatus();
        QLabel *panel = care::dueStatusPanel();
        QVERIFY(panel);
        QCOMPARE(panel->text(), QStringLiteral("2 tasks due"));
        care::showDueTasks(true);
        auto *due = fx.main->findChild<frmDue *>();
        QVERIFY(due);
        QVERIFY(due->isVisible() && !due->isModal());
        QCOMPARE(due->lstDue->topLevelItemCount(), 2);
        // By due date: the never-tested tank since Nov 1, then the filter.
        QCOMPARE(due->lstDue->topLevelItem(0)->text(0), QStringLiteral("Test water"));
        QCOMPARE(due->lstDue->topLevelItem(0)->text(3), QStringLiteral("34 days overdue"));
        QCOMPARE(due->lstDue->topLevelItem(1)->text(2), QStringLiteral("12/05/2026"));

        due->lstDue->setCurrentItem(due->lstDue->topLevelItem(1));
        due->cmdDone_Click();
        QCOMPARE(logValue("Kind", "1").toString(), QStringLiteral("Filter Cleaned"));
        QCOMPARE(logValue("EntryDate", "1").toString(), QStringLiteral("2026-12-05"));
        QCOMPARE(due->lstDue->topLevelItemCount(), 1);
        QCOMPARE(panel->text(), QStringLiteral("1 task due"));

        due->cmdSnooze_Click();
        QCOMPARE(due->lstDue->topLevelItemCount(), 0);
        QVERIFY(panel->isHidden());
        QVERIFY(!due->cmdDone->isEnabled());

        // Tomorrow the water test is due again; Done opens the journal of
        // its tank with a new entry, and storing it does the task.
        frmDue::fixedToday = QDate(2026, 12, 6);
        due->refresh();
        QCOMPARE(due->lstDue->topLevelItemCount(), 1);
        due->cmdDone_Click();
        auto *journal = dynamic_cast<frmJournal *>(Forms::get(FormKind::Journal));
        QVERIFY(journal);
        QVERIFY(journal->RecordAdded);
        journal->txtEntryDate->setText("12/06/2026");
        fx.tabOut(journal->txtEntryDate);
        journal->cmdSave_Click();
        due->refresh();
        QCOMPARE(due->lstDue->topLevelItemCount(), 0);
        QVERIFY(fx.messages().isEmpty());
    }

    // The chart's markers stand at their dates among the rows.
    void markersAmongTheRows() {
        const QVector<QDate> rows{QDate(2026, 11, 1), QDate(2026, 11, 11), QDate(2026, 11, 15)};
        QCOMPARE(*datePosition(rows, QDate(2026, 11, 6), false), 0.5);
        QCOMPARE(*datePosition(rows, QDate(2026, 11, 14), false), 1.75);
        QCOMPARE(*datePosition(rows, QDate(2026, 11, 15), false), 2.0);
        QCOMPARE(*datePosition(rows, QDate(2026, 11, 14), true), 13.0);
        QVERIFY(!datePosition(rows, QDate(2026, 10, 31), false));
        QVERIFY(!datePosition(rows, QDate(2026, 11, 16), true));
        QVERIFY(!datePosition({}, QDate(2026, 11, 16), true));
    }
};

QTEST_MAIN(TestCareWindows)
#include "tst_carewindows.moc"
