// The maintenance log as the chart reads it: what was done to a tank, when,
// and for a water change the share of the tank's water it replaced.
#pragma once

#include "DbError.h"

#include <QDate>
#include <QString>
#include <QVector>
#include <optional>

class QSqlDatabase;

namespace corv {

bool isWaterChange(const QString &kind);
// A stored kind or unit ("Water Change", "Liters") as the user reads it.
QString shownKind(const QString &kind);
// What is stored for a kind or unit as the user typed it: the English word
// for one Corvella offers ("Wasserwechsel" keeps "Water Change"), else the
// text as typed.
QString storedKind(const QString &shown);
// A percentage as the care log shows it: "25 %", "12.5 %".
QString percentText(double percent);

// One maintenance event on the chart's time axis.
struct MaintenanceEvent {
    QDate date;
    QString kind;
    std::optional<double> sharePercent; // water changes
    // "Water Change 25 %", "Filter Cleaned".
    QString label() const;
};

// The maintenance log of a tank between two dates (invalid: no bound), by
// date. Empty when the file has no log yet (it gets one when it is opened
// for writing).
QVector<MaintenanceEvent> maintenanceEvents(QSqlDatabase &db, const QString &tankId, QDate from,
                                            QDate to, DbError *error = nullptr);
// The same from the database at `path`, opened read-only.
QVector<MaintenanceEvent> maintenanceEvents(const QString &path, const QString &tankId, QDate from,
                                            QDate to, DbError *error = nullptr);

} // namespace corv
