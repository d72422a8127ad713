#include "MaintenanceLog.h"

#include "Connection.h"
#include "RecordSources.h"
#include "platform/Conversions.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <cmath>

namespace corv {

bool isWaterChange(const QString &kind) {
    return kind.trimmed().compare(QLatin1String("Water Change"), Qt::CaseInsensitive) == 0;
}

// The kinds Corvella offers are stored in English, so that a log moves
// between languages unchanged and a water change is known as one; they are
// shown in the user's language. A kind of the keeper's own shows as typed.
namespace {

const char *const knownKinds[] = {QT_TRANSLATE_NOOP("corv::Maintenance", "Water Change"),
                                  QT_TRANSLATE_NOOP("corv::Maintenance", "Filter Cleaned"),
                                  QT_TRANSLATE_NOOP("corv::Maintenance", "Dosing"),
                                  QT_TRANSLATE_NOOP("corv::Maintenance", "Glass Cleaned"),
                                  QT_TRANSLATE_NOOP("corv::Maintenance", "Equipment"),
                                  QT_TRANSLATE_NOOP("corv::Maintenance", "Feeding"),
                                  QT_TRANSLATE_NOOP("corv::Maintenance", "Other"),
                                  QT_TRANSLATE_NOOP("corv::Maintenance", "Water Test"),
                                  QT_TRANSLATE_NOOP("corv::Maintenance", "US Gal."),
                                  QT_TRANSLATE_NOOP("corv::Maintenance", "Liters"),
                                  QT_TRANSLATE_NOOP("corv::Maintenance", "drops")};

} // namespace

// A word Corvella offers is shown in the user's language; one in English,
// or a word of the keeper's own, shows as stored, letter case and all.
QString shownKind(const QString &kind) {
    const QString t = kind.trimmed();
    for (const char *k : knownKinds)
        if (t.compare(QLatin1String(k), Qt::CaseInsensitive) == 0) {
            const QString translated = QCoreApplication::translate("corv::Maintenance", k);
            return translated == QLatin1String(k) ? t : translated;
        }
    return t;
}

QString storedKind(const QString &shown) {
    const QString t = shown.trimmed();
    for (const char *k : knownKinds) {
        const QString translated = QCoreApplication::translate("corv::Maintenance", k);
        if (translated != QLatin1String(k) && t.compare(translated, Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(k);
    }
    return shown;
}

QString percentText(double percent) {
    return userNumberText(numberText(std::round(percent * 10) / 10)) + QStringLiteral(" %");
}

QString MaintenanceEvent::label() const {
    if (sharePercent && isWaterChange(kind))
        return shownKind(kind) + u' ' + percentText(*sharePercent);
    return shownKind(kind);
}

QVector<MaintenanceEvent> maintenanceEvents(QSqlDatabase &db, const QString &tankId, QDate from,
                                            QDate to, DbError *error) {
    QVector<MaintenanceEvent> out;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT EntryDate, Kind, SharePercent FROM Maintenance WHERE "
                             "TankID = ? ORDER BY EntryDate, ID"));
    q.addBindValue(isWholeNumber(tankId) ? QVariant(tankId.toLongLong()) : QVariant(tankId));
    if (!q.exec()) {
        const QSqlError e = q.lastError();
        if (error && !e.databaseText().contains(QLatin1String("no such table")))
            *error = engineError(e, db.databaseName());
        return out;
    }
    while (q.next()) {
        const auto d = fromIsoDate(q.value(0).toString());
        if (!d || (from.isValid() && *d < from) || (to.isValid() && *d > to))
            continue;
        MaintenanceEvent e{*d, q.value(1).toString(), std::nullopt};
        if (!q.value(2).isNull())
            e.sharePercent = q.value(2).toDouble();
        out.push_back(e);
    }
    return out;
}

QVector<MaintenanceEvent> maintenanceEvents(const QString &path, const QString &tankId, QDate from,
                                            QDate to, DbError *error) {
    Connection c("corvella-maintenance");
    if (DbError e = c.open(path, DbAccess::ReadOnly)) {
        if (error)
            *error = e;
        return {};
    }
    return maintenanceEvents(c.db(), tankId, from, to, error);
}

} // namespace corv
