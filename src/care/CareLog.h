// The care log's arithmetic and bookkeeping, without windows: how much water
// a change must replace, what share of a tank a change was, when a task is
// due, and what in the journal or the maintenance log counts as doing it.
// The windows of the care log and the tests call these directly.
#pragma once

#include "data/DbError.h"
#include "data/MaintenanceLog.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

class QSqlDatabase;

namespace corv::care {

// --- kinds of maintenance ----------------------------------------------------

// "Water Change", "Filter Cleaned", "Dosing", "Glass Cleaned", "Equipment",
// "Feeding", "Other": the kinds offered first. Keepers may type any other.
const QStringList &standardKinds();
// The kind of a task done by testing the water: a journal entry does it.
QString waterTestKind();
bool isWaterTest(const QString &kind);
// The kinds offered for an entry: the standard ones, then those the log
// already holds, each once (letter case ignored).
QStringList kindsOffered(const QStringList &used);

// --- the water-change planner ------------------------------------------------

// The value after `changes` changes of `share` (0 to 1) each with water of
// value `replacement`: each change leaves c·(1 − p) + r·p.
double afterChanges(double current, double replacement, double share, int changes = 1);

struct DilutionPlan {
    // False when no change of any size reaches the target, or the figures
    // make no sense; `message` then says why in plain words.
    bool possible = false;
    // False when the value is at or below the target already (no change).
    bool needed = false;
    double share = 0; // of the tank's water, per change, 0 to 1
    int changes = 1;
    double result = 0; // the value after the changes
    QString message;
};

// The share of water each of `changes` equal changes must replace to bring
// `current` down to `target` with water of value `replacement`: one change
// p = (c − t)/(c − r); n changes p = 1 − ((t − r)/(c − r))^(1/n).
DilutionPlan planDilution(double current, double target, double replacement, int changes = 1);

// The volume of water a share of the tank is, in the tank's units.
struct TankVolume {
    double value = 0;
    QString unit; // "US Gal." or "Liters", as the tank calculator shows them
};
// The volume of a tank from its stored texts (shape, unit, dimensions) as
// the tank calculator works it out; nullopt with `why` when the tank's
// dimensions give none.
std::optional<TankVolume> tankVolume(const QString &shape, const QString &unit,
                                     const QString &height, const QString &length,
                                     const QString &radius, const QString &width,
                                     QString *why = nullptr);

// The volume of the tank `tankId` of the database at `path`.
std::optional<TankVolume> tankVolumeOf(const QString &path, const QString &tankId,
                                       QString *why = nullptr);

// The share of the tank (a percentage) a water change of `amount` in
// `unit` replaced: a percentage as it stands ("%"), a volume ("US Gal.",
// "gal", "Liters", "l") against the tank's volume in either unit. nullopt
// when the unit is neither, or the share is not 0 to 100.
std::optional<double> changeSharePercent(double amount, const QString &unit,
                                         const std::optional<TankVolume> &tank);
// The units offered for an amount: "US Gal.", "Liters", "%", "ml", "g", "drops".
const QStringList &standardUnits();

// The percentage of the tank a water change of `volume` replaced; nullopt
// for a volume below zero, above the tank's, or a tank of no volume.
std::optional<double> sharePercent(double volume, double tankVolume);
// A volume in a unit: "12.5 US Gal.", "40 Liters".
QString volumeText(double value, const QString &unit);

// --- tasks ---------------------------------------------------------------------

enum class Rhythm {
    // Due on a calendar rhythm from the start date (every Saturday): doing
    // it early or late does not move the rhythm.
    Fixed,
    // Due the interval after it was last done: a change done early moves
    // the next one.
    Rolling,
};
// "Fixed" or "Rolling", as stored; any other stored text reads as Rolling.
QString rhythmText(Rhythm rhythm);
Rhythm rhythmOf(const QString &text);

struct TaskPlan {
    QDate start;          // the first due date (and the fixed rhythm's anchor)
    int intervalDays = 7; // at least 1
    Rhythm rhythm = Rhythm::Rolling;
    QDate snoozedUntil; // not due before this date; invalid for none
};

// Days in an interval stored as a number and "Days" or "Weeks"; 0 for an
// interval that is none (empty, zero, negative, not whole).
int intervalDays(double interval, const QString &unit);

// When the task is next due, given when it was last done (nothing done: the
// start date). Rolling: the interval after the last time. Fixed: the first
// date of the rhythm the last time did not cover; a time counts for a date
// of the rhythm up to half an interval before it, so a Saturday task done
// on Thursday is done for that Saturday, and done on Monday for the
// Saturday before. A snooze holds the date back to the day it ends.
QDate nextDue(const TaskPlan &plan, std::optional<QDate> lastDone);
// Days the task is overdue on `today`: 0 on the day it is due, below zero
// before.
int daysOverdue(QDate due, QDate today);
// "due today", "1 day overdue", "12 days overdue", "due in 3 days".
QString overdueText(QDate due, QDate today);

// --- the database ---------------------------------------------------------------

// A task as stored, with the tank it is for (empty for every tank).
struct Task {
    qint64 id = 0;
    QString tankId;
    QString title;
    QString kind;
    TaskPlan plan;
};

// One task due in one tank: a task of every tank is due in each tank on its
// own, as that tank's log says.
struct DueTask {
    Task task;
    QString tankId;
    QString tankName;
    QDate due;
    int overdue = 0; // days; 0 on the day it is due
};

// The tasks of `db` and when each is next due in each tank it is for, by
// due date; `dueBy`: only those due on or before that day (invalid: all).
// A journal entry does a water-test task; a maintenance entry of the
// task's kind does any other.
QVector<DueTask> taskSchedule(QSqlDatabase &db, QDate today, QDate dueBy, DbError *error);
// The last day the kind was done in the tank, from the journal (water test)
// or the maintenance log; nullopt when never.
std::optional<QDate> lastDone(QSqlDatabase &db, const QString &tankId, const QString &kind,
                              DbError *error);

// A maintenance entry to store.
struct MaintenanceEntry {
    QString tankId;
    QDate date;
    QString kind;
    std::optional<double> amount;
    QString unit;
    QString product;
    std::optional<double> sharePercent;
    QString notes;
};
// The latest journal value of `field` (a journal value of the catalogue)
// for the tank, with its date; nullopt when no entry holds one.
struct LatestValue {
    QDate date;
    double value = 0;
};
std::optional<LatestValue> latestValue(const QString &path, const QString &tankId,
                                       const QString &field, DbError *error = nullptr);

// The kinds the log of the database at `path` holds, by name; empty when
// it cannot be read.
QStringList usedKinds(const QString &path);

// Stores the entry into the database at `path`; its new ID, or 0 with `error`.
qint64 recordMaintenance(const QString &path, const MaintenanceEntry &entry, DbError *error);
// A task is not due before `until`.
bool snoozeTask(const QString &path, qint64 taskId, QDate until, DbError *error);
// The schedule of the database at `path` (see taskSchedule).
QVector<DueTask> tasksDue(const QString &path, QDate today, DbError *error);
// "2 tasks due", "1 task due"; empty for none.
QString dueStatusText(int count);

} // namespace corv::care
