#include "CareLog.h"

#include "data/Catalogue.h"
#include "data/Connection.h"
#include "data/JetSql.h"
#include "data/RecordSources.h"
#include "data/TankTexts.h"
#include "platform/Conversions.h"
#include "tools/TankCalcMath.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>
#include <cmath>

namespace corv::care {

namespace {

void setError(DbError *error, const DbError &e) {
    if (error)
        *error = e;
}

bool finite(double v) {
    return std::isfinite(v);
}

// A tank key as SQLite compares it: stored keys are whole numbers.
QVariant tankKey(const QString &tankId) {
    return isWholeNumber(tankId) ? QVariant(tankId.toLongLong()) : QVariant(tankId);
}

// A file made before the care log has no Maintenance or Tasks table until
// it is opened for writing; reading it then finds nothing, not an error.
bool missingTable(const QSqlError &e) {
    return e.databaseText().contains(QLatin1String("no such table"), Qt::CaseInsensitive);
}

} // namespace

// --- kinds ---------------------------------------------------------------------

const QStringList &standardKinds() {
    static const QStringList kinds{QStringLiteral("Water Change"), QStringLiteral("Filter Cleaned"),
                                   QStringLiteral("Dosing"),       QStringLiteral("Glass Cleaned"),
                                   QStringLiteral("Equipment"),    QStringLiteral("Feeding"),
                                   QStringLiteral("Other")};
    return kinds;
}

QString waterTestKind() {
    return QStringLiteral("Water Test");
}

bool isWaterTest(const QString &kind) {
    return kind.trimmed().compare(waterTestKind(), Qt::CaseInsensitive) == 0;
}

QStringList kindsOffered(const QStringList &used) {
    QStringList out = standardKinds();
    for (const QString &k : used) {
        const QString t = k.trimmed();
        if (t.isEmpty())
            continue;
        bool known = false;
        for (const QString &have : std::as_const(out))
            known = known || have.compare(t, Qt::CaseInsensitive) == 0;
        if (!known)
            out << t;
    }
    return out;
}

// --- the planner ---------------------------------------------------------------

double afterChanges(double current, double replacement, double share, int changes) {
    double c = current;
    for (int i = 0; i < changes; ++i)
        c = c * (1 - share) + replacement * share;
    return c;
}

DilutionPlan planDilution(double current, double target, double replacement, int changes) {
    DilutionPlan plan;
    plan.changes = changes;
    plan.result = current;
    if (!finite(current) || !finite(target) || !finite(replacement) || current < 0 || target < 0 ||
        replacement < 0) {
        plan.message = QCoreApplication::translate(
            "care", "The latest value, the target and the replacement water's "
                    "value must be numbers of zero or more.");
        return plan;
    }
    if (changes < 1 || changes > 20) {
        plan.message =
            QCoreApplication::translate("care", "The number of changes must be between 1 and 20.");
        return plan;
    }
    if (current <= target) {
        plan.possible = true;
        plan.message = QCoreApplication::translate(
            "care", "The latest value is within the target already: no water "
                    "change is needed for it.");
        return plan;
    }
    // Each change moves the value toward the replacement water's value, so
    // water at or above the target can never bring it down to the target.
    if (replacement >= target) {
        plan.message =
            QCoreApplication::translate(
                "care", "The replacement water's value (%1) is not below the target (%2): no "
                        "water change can bring the tank to the target with this water. Treat "
                        "the replacement water, or use other water.")
                .arg(userNumberText(numberText(replacement)), userNumberText(numberText(target)));
        return plan;
    }
    const double remaining = (target - replacement) / (current - replacement);
    plan.share = changes == 1 ? 1 - remaining : 1 - std::pow(remaining, 1.0 / changes);
    plan.possible = plan.needed = true;
    plan.result = afterChanges(current, replacement, plan.share, changes);
    return plan;
}

std::optional<TankVolume> tankVolume(const QString &shape, const QString &unit,
                                     const QString &height, const QString &length,
                                     const QString &radius, const QString &width, QString *why) {
    tankcalc::Inputs in;
    in.shape = tanktexts::indexOf(TankList::Shape, shape);
    in.measure = tanktexts::indexOf(TankList::Unit, unit);
    // A tank measured in centimetres holds litres; one in inches, gallons.
    in.volume = in.measure == tankcalc::Centimeters ? tankcalc::Liters : tankcalc::USGallons;
    const bool round = tanktexts::isRound(in.shape);
    in.height = round ? QStringLiteral("0") : height;
    in.length = round ? QStringLiteral("0") : length;
    in.radius = round ? radius : QStringLiteral("0");
    in.width = width;
    in.light = QStringLiteral("0");
    // The stocking figures play no part in the volume; these pass its checks.
    in.percentSmall = QStringLiteral("100");
    in.percentMedium = in.percentLarge = QStringLiteral("0");
    const tankcalc::Outcome out = tankcalc::calculate(in);
    if (!out.calculated || !(out.volume > 0)) {
        if (why)
            *why = QCoreApplication::translate(
                "care", "The default tank's dimensions give no volume: enter them in "
                        "Options > Change Tanks.");
        return std::nullopt;
    }
    return TankVolume{out.volume, in.volume == tankcalc::Liters ? QStringLiteral("Liters")
                                                                : QStringLiteral("US Gal.")};
}

std::optional<TankVolume> tankVolumeOf(const QString &path, const QString &tankId, QString *why) {
    Connection c("corvella-carelog");
    if (DbError e = c.open(path, DbAccess::ReadOnly)) {
        if (why)
            *why = e.description;
        return std::nullopt;
    }
    QSqlQuery q(c.db());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT TankShape, UnitMeasure, TankHeight, TankLength, TankRadius, "
                             "TankWidth FROM Tank WHERE ID = ?"));
    q.addBindValue(tankKey(tankId));
    if (!q.exec() || !q.next()) {
        if (why)
            *why = QCoreApplication::translate(
                "care", "There is no default tank: choose Options > Change Tanks.");
        return std::nullopt;
    }
    auto text = [&q](int i) { return q.value(i).isNull() ? QString() : q.value(i).toString(); };
    return tankVolume(text(0), text(1), text(2), text(3), text(4), text(5), why);
}

const QStringList &standardUnits() {
    static const QStringList units{QStringLiteral("US Gal."), QStringLiteral("Liters"),
                                   QStringLiteral("%"),       QStringLiteral("ml"),
                                   QStringLiteral("g"),       QStringLiteral("drops")};
    return units;
}

namespace {

enum class UnitKind { Other, Percent, Gallons, Liters };

UnitKind unitKind(const QString &unit) {
    const QString u = unit.trimmed().toLower();
    if (u == QLatin1String("%") || u.startsWith(QLatin1String("percent")))
        return UnitKind::Percent;
    if (u.startsWith(QLatin1String("gal")) || u.startsWith(QLatin1String("us gal")))
        return UnitKind::Gallons;
    if (u == QLatin1String("l") || u.startsWith(QLatin1String("liter")) ||
        u.startsWith(QLatin1String("litre")))
        return UnitKind::Liters;
    return UnitKind::Other;
}

} // namespace

std::optional<double> changeSharePercent(double amount, const QString &unit,
                                         const std::optional<TankVolume> &tank) {
    const UnitKind kind = unitKind(unit);
    if (kind == UnitKind::Percent)
        return finite(amount) && amount >= 0 && amount <= 100 ? std::optional<double>(amount)
                                                              : std::nullopt;
    if (kind == UnitKind::Other || !tank)
        return std::nullopt;
    // The factor the tank calculator uses between its two units.
    constexpr double LitersPerGallon = 3.785;
    const UnitKind tankKind = unitKind(tank->unit);
    double volume = amount;
    if (kind == UnitKind::Gallons && tankKind == UnitKind::Liters)
        volume = amount * LitersPerGallon;
    else if (kind == UnitKind::Liters && tankKind == UnitKind::Gallons)
        volume = amount / LitersPerGallon;
    return sharePercent(volume, tank->value);
}

std::optional<double> sharePercent(double volume, double tankVolume) {
    if (!finite(volume) || !finite(tankVolume) || volume < 0 || !(tankVolume > 0) ||
        volume > tankVolume)
        return std::nullopt;
    return volume / tankVolume * 100;
}

QString volumeText(double value, const QString &unit) {
    return userNumberText(numberText(std::round(value * 10) / 10)) + u' ' + shownKind(unit);
}

// --- tasks ---------------------------------------------------------------------

QString rhythmText(Rhythm rhythm) {
    return rhythm == Rhythm::Fixed ? QStringLiteral("Fixed") : QStringLiteral("Rolling");
}

Rhythm rhythmOf(const QString &text) {
    return text.trimmed().compare(QLatin1String("Fixed"), Qt::CaseInsensitive) == 0
               ? Rhythm::Fixed
               : Rhythm::Rolling;
}

int intervalDays(double interval, const QString &unit) {
    if (!finite(interval) || interval < 1 || interval > 3660 || interval != std::floor(interval))
        return 0;
    const bool weeks = unit.trimmed().startsWith(QLatin1String("week"), Qt::CaseInsensitive);
    return int(interval) * (weeks ? 7 : 1);
}

QDate nextDue(const TaskPlan &plan, std::optional<QDate> lastDone) {
    if (lastDone && !lastDone->isValid())
        lastDone.reset();
    const int interval = std::max(1, plan.intervalDays);
    QDate start = plan.start.isValid() ? plan.start : lastDone.value_or(QDate());
    if (!start.isValid())
        return QDate();
    QDate due = start;
    if (lastDone && plan.rhythm == Rhythm::Rolling) {
        due = lastDone->addDays(interval);
    } else if (lastDone) {
        // The first date of the rhythm more than half an interval after the
        // last time it was done.
        const qint64 past = start.daysTo(lastDone->addDays(interval / 2));
        if (past >= 0)
            due = start.addDays((past / interval + 1) * interval);
    }
    if (plan.snoozedUntil.isValid() && plan.snoozedUntil > due)
        due = plan.snoozedUntil;
    return due;
}

int daysOverdue(QDate due, QDate today) {
    return int(due.daysTo(today));
}

QString overdueText(QDate due, QDate today) {
    const int d = daysOverdue(due, today);
    if (d == 0)
        return QCoreApplication::translate("care", "due today");
    if (d > 0)
        return d == 1 ? QCoreApplication::translate("care", "1 day overdue")
                      : QCoreApplication::translate("care", "%1 days overdue").arg(d);
    return d == -1 ? QCoreApplication::translate("care", "due tomorrow")
                   : QCoreApplication::translate("care", "due in %1 days").arg(-d);
}

std::optional<QDate> lastDone(QSqlDatabase &db, const QString &tankId, const QString &kind,
                              DbError *error) {
    QSqlQuery q(db);
    q.setForwardOnly(true);
    // Dates are stored as ISO text, so the text order is the date order; a
    // text that is no date (put there by another program) is passed over.
    if (isWaterTest(kind)) {
        q.prepare(QStringLiteral("SELECT EntryDate FROM Journal WHERE TankID = ? AND EntryDate "
                                 "IS NOT NULL ORDER BY EntryDate DESC"));
        q.addBindValue(tankKey(tankId));
    } else {
        q.prepare(QStringLiteral("SELECT EntryDate FROM Maintenance WHERE TankID = ? AND "
                                 "trim(Kind) = trim(?) COLLATE NOCASE AND EntryDate IS NOT NULL "
                                 "ORDER BY EntryDate DESC"));
        q.addBindValue(tankKey(tankId));
        q.addBindValue(kind);
    }
    if (!q.exec()) {
        if (!missingTable(q.lastError()))
            setError(error, engineError(q.lastError(), db.databaseName()));
        return std::nullopt;
    }
    while (q.next())
        if (const auto d = fromIsoDate(q.value(0).toString()))
            return d;
    return std::nullopt;
}

QVector<DueTask> taskSchedule(QSqlDatabase &db, QDate today, QDate dueBy, DbError *error) {
    QVector<DueTask> out;
    QVector<std::pair<QString, QString>> tanks; // key, name
    {
        QSqlQuery q(db);
        q.setForwardOnly(true);
        if (!q.exec(QStringLiteral("SELECT ID, TankName FROM Tank ORDER BY ID"))) {
            setError(error, engineError(q.lastError(), db.databaseName()));
            return out;
        }
        while (q.next())
            tanks.push_back({q.value(0).toString(), q.value(1).toString()});
    }
    QVector<Task> tasks;
    {
        QSqlQuery q(db);
        q.setForwardOnly(true);
        if (!q.exec(QStringLiteral("SELECT ID, TankID, Title, Kind, Interval, IntervalUnit, "
                                   "Rhythm, StartDate, SnoozedUntil FROM Tasks ORDER BY ID"))) {
            if (!missingTable(q.lastError()))
                setError(error, engineError(q.lastError(), db.databaseName()));
            return out;
        }
        while (q.next()) {
            Task t;
            t.id = q.value(0).toLongLong();
            t.tankId = q.value(1).isNull() ? QString() : q.value(1).toString();
            t.title = q.value(2).toString();
            t.kind = q.value(3).toString();
            t.plan.intervalDays = intervalDays(q.value(4).toDouble(), q.value(5).toString());
            t.plan.rhythm = rhythmOf(q.value(6).toString());
            t.plan.start = fromIsoDate(q.value(7).toString()).value_or(QDate());
            t.plan.snoozedUntil = fromIsoDate(q.value(8).toString()).value_or(QDate());
            // A task without an interval has no rhythm to be due on.
            if (t.plan.intervalDays > 0)
                tasks.push_back(t);
        }
    }
    for (const Task &t : std::as_const(tasks)) {
        const bool everyTank = t.tankId.isEmpty() || t.tankId == QLatin1String("0");
        for (const auto &[key, name] : std::as_const(tanks)) {
            if (!everyTank && key != t.tankId)
                continue;
            DbError e;
            const auto last = lastDone(db, key, t.kind, &e);
            if (e) {
                setError(error, e);
                return {};
            }
            TaskPlan plan = t.plan;
            // A task saved without a start date is due from the day it is read.
            if (!plan.start.isValid() && !last)
                plan.start = today;
            const QDate due = nextDue(plan, last);
            if (!due.isValid() || (dueBy.isValid() && due > dueBy))
                continue;
            out.push_back({t, key, name, due, daysOverdue(due, today)});
        }
    }
    std::stable_sort(out.begin(), out.end(), [](const DueTask &a, const DueTask &b) {
        if (a.due != b.due)
            return a.due < b.due;
        return a.tankName.compare(b.tankName, Qt::CaseInsensitive) < 0;
    });
    return out;
}

std::optional<LatestValue> latestValue(const QString &path, const QString &tankId,
                                       const QString &field, DbError *error) {
    const TableSpec *journal = catalogueTable(QStringLiteral("Journal"));
    const FieldSpec *f = journal ? journal->field(field) : nullptr;
    if (!f || f->kind != FieldKind::Number)
        return std::nullopt;
    Connection c("corvella-carelog");
    if (DbError e = c.open(path, DbAccess::ReadOnly)) {
        setError(error, e);
        return std::nullopt;
    }
    QSqlQuery q(c.db());
    q.setForwardOnly(true);
    // The field's name comes from the catalogue, never from the user.
    const QString column = quoteIdentifier(f->name);
    q.prepare(QStringLiteral("SELECT EntryDate, %1 FROM Journal WHERE TankID = ? AND %1 IS NOT "
                             "NULL AND EntryDate IS NOT NULL ORDER BY EntryDate DESC, ID DESC")
                  .arg(column));
    q.addBindValue(tankKey(tankId));
    if (!q.exec()) {
        setError(error, c.error(q.lastError()));
        return std::nullopt;
    }
    while (q.next()) {
        const auto d = fromIsoDate(q.value(0).toString());
        bool ok = false;
        const double v = q.value(1).toDouble(&ok);
        if (d && ok && finite(v))
            return LatestValue{*d, v};
    }
    return std::nullopt;
}

QStringList usedKinds(const QString &path) {
    QStringList out;
    Connection c("corvella-carelog");
    if (c.open(path, DbAccess::ReadOnly))
        return out;
    QSqlQuery q(c.db());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT DISTINCT trim(Kind) FROM Maintenance WHERE Kind IS NOT "
                               "NULL AND trim(Kind) <> '' ORDER BY 1 COLLATE NOCASE")))
        return out;
    while (q.next())
        out << q.value(0).toString();
    return out;
}

qint64 recordMaintenance(const QString &path, const MaintenanceEntry &entry, DbError *error) {
    Connection c("corvella-carelog");
    if (DbError e = c.open(path, DbAccess::ReadWrite)) {
        setError(error, e);
        return 0;
    }
    QSqlQuery q(c.db());
    q.prepare(QStringLiteral("INSERT INTO Maintenance (TankID, EntryDate, Kind, Amount, Unit, "
                             "Product, SharePercent, Notes) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    auto text = [](const QString &s) { return s.isEmpty() ? QVariant() : QVariant(s); };
    auto number = [](std::optional<double> v) {
        return v && finite(*v) ? QVariant(*v) : QVariant();
    };
    q.addBindValue(tankKey(entry.tankId));
    q.addBindValue(entry.date.isValid() ? QVariant(isoDateText(entry.date)) : QVariant());
    q.addBindValue(text(entry.kind));
    q.addBindValue(number(entry.amount));
    q.addBindValue(text(entry.unit));
    q.addBindValue(text(entry.product));
    q.addBindValue(number(entry.sharePercent));
    q.addBindValue(text(entry.notes));
    if (!q.exec()) {
        setError(error, c.error(q.lastError()));
        return 0;
    }
    return q.lastInsertId().toLongLong();
}

bool snoozeTask(const QString &path, qint64 taskId, QDate until, DbError *error) {
    Connection c("corvella-carelog");
    if (DbError e = c.open(path, DbAccess::ReadWrite)) {
        setError(error, e);
        return false;
    }
    QSqlQuery q(c.db());
    q.prepare(QStringLiteral("UPDATE Tasks SET SnoozedUntil = ? WHERE ID = ?"));
    q.addBindValue(isoDateText(until));
    q.addBindValue(taskId);
    if (!q.exec()) {
        setError(error, c.error(q.lastError()));
        return false;
    }
    return true;
}

QVector<DueTask> tasksDue(const QString &path, QDate today, DbError *error) {
    Connection c("corvella-carelog");
    if (DbError e = c.open(path, DbAccess::ReadOnly)) {
        setError(error, e);
        return {};
    }
    return taskSchedule(c.db(), today, today, error);
}

QString dueStatusText(int count) {
    if (count <= 0)
        return QString();
    return count == 1 ? QCoreApplication::translate("care", "1 task due")
                      : QCoreApplication::translate("care", "%1 tasks due").arg(count);
}

} // namespace corv::care
