#include "Tables.h"

#include "JetSql.h"

#include <QAtomicInt>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QVector>

namespace corv {

const QVector<TableDef> &corvellaTables() {
    static const QVector<TableDef> tables = {
        {QStringLiteral("Journal"),
         {"ID",
          "TankID",
          "EntryDate",
          "Alkalinity",
          "Ammonia",
          "Calcium",
          "CarbonDioxide",
          "Copper",
          "DissolvedOxygen",
          "Hardness",
          "Iodine",
          "Iron",
          "Lead",
          "Magnesium",
          "Molybdenum",
          "Nitrate",
          "Nitrite",
          "PH",
          "Phosphate",
          "SpecificGravity",
          "Strontium",
          "Temprature",
          "Zinc",
          "Notes"}},
        {QStringLiteral("LiveStock"),
         {"ID", "TankID", "CommonName", "ScientificName", "DateAcquired", "DateLost",
          "AcquiredFrom", "Condition", "Other", "InitialCost", "Notes"}},
        {QStringLiteral("Tank"),
         {"ID", "TankName", "TankType", "TankShape", "UnitMeasure", "TankLength", "TankWidth",
          "TankHeight", "TankRadius", "LightDistance", "DateEstablished", "Equipment", "Notes"}},
        {QStringLiteral("Disease"),
         {"ID", "CommonName", "ScientificName", "Symptoms", "Treatment", "Notes"}},
        {QStringLiteral("Glossary"), {"ID", "Term", "Definition"}},
    };
    return tables;
}

int shownDecimals(const QString &table, const QString &field) {
    if (table.compare(QLatin1String("LiveStock"), Qt::CaseInsensitive) == 0)
        return field.compare(QLatin1String("InitialCost"), Qt::CaseInsensitive) == 0 ? 2 : 0;
    if (table.compare(QLatin1String("Journal"), Qt::CaseInsensitive) != 0)
        return 0;
    // Test kits read these to the tenth, hundredth or thousandth; the
    // rest are read in whole units and show as typed.
    static const struct {
        const char *field;
        int decimals;
    } read[] = {{"Alkalinity", 1}, {"Ammonia", 2}, {"Copper", 2},    {"DissolvedOxygen", 1},
                {"Iodine", 2},     {"Iron", 2},    {"Lead", 2},      {"Molybdenum", 2},
                {"Nitrite", 2},    {"PH", 1},      {"Phosphate", 2}, {"SpecificGravity", 3},
                {"Zinc", 2}};
    for (const auto &r : read)
        if (field.compare(QLatin1String(r.field), Qt::CaseInsensitive) == 0)
            return r.decimals;
    return 0;
}

namespace {
QAtomicInt checkCounter;
}

bool isCorvellaDatabase(const QString &path, QString *why) {
    auto say = [&](const QString &text) {
        if (why)
            *why = text;
        return false;
    };
    const QFileInfo info(path);
    if (!info.exists() || info.isDir())
        return say(QStringLiteral("The file %1 does not exist.").arg(path));
    {
        // An SQLite file starts with this header; checking it first keeps the
        // engine away from files that are plainly something else.
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return say(QStringLiteral("The file %1 cannot be read.").arg(path));
        if (f.read(16) != QByteArray("SQLite format 3\0", 16))
            return say(QStringLiteral("%1 is not a Corvella database.").arg(info.fileName()));
    }
    const QString name =
        QStringLiteral("corvella-check-%1").arg(checkCounter.fetchAndAddRelaxed(1));
    bool ok = true;
    QString problem;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        QUrl uri = QUrl::fromLocalFile(info.absoluteFilePath());
        uri.setQuery(QStringLiteral("mode=ro"));
        db.setDatabaseName(uri.toString(QUrl::FullyEncoded));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_OPEN_READONLY"));
        if (!db.open()) {
            ok = false;
            problem = QStringLiteral("%1 cannot be opened as a database.").arg(info.fileName());
        }
        for (const TableDef &t : corvellaTables()) {
            if (!ok)
                break;
            QSqlQuery q(db);
            q.setForwardOnly(true);
            if (!q.exec(QStringLiteral("PRAGMA table_info(%1)").arg(quoteIdentifier(t.name)))) {
                ok = false;
                problem = QStringLiteral("%1 is not a Corvella database, or it is damaged.")
                              .arg(info.fileName());
                break;
            }
            QStringList have;
            while (q.next())
                have << q.value(1).toString().toLower();
            if (have.isEmpty()) {
                ok = false;
                problem = QStringLiteral("%1 is not a Corvella database: it has no %2 table.")
                              .arg(info.fileName(), t.name);
                break;
            }
            for (const QString &f : t.fields) {
                if (!have.contains(f.toLower())) {
                    ok = false;
                    problem = QStringLiteral("%1 is not a Corvella database: the %2 table has no "
                                             "%3 field.")
                                  .arg(info.fileName(), t.name, f);
                    break;
                }
            }
        }
        if (ok) {
            // The tables and fields above are all in the schema; the records
            // themselves are only read by a full check. A backup with damaged
            // data pages would otherwise be taken and fail at its first use.
            QSqlQuery q(db);
            q.setForwardOnly(true);
            QStringList findings;
            if (!q.exec(QStringLiteral("PRAGMA integrity_check(20)"))) {
                findings << q.lastError().databaseText();
            } else {
                while (q.next())
                    findings << q.value(0).toString();
                if (q.lastError().isValid())
                    findings << q.lastError().databaseText();
            }
            if (findings != QStringList{QStringLiteral("ok")}) {
                ok = false;
                findings.removeAll(QStringLiteral("ok"));
                const QString first = findings.value(0).trimmed();
                problem = first.isEmpty()
                              ? QStringLiteral("%1 is damaged.").arg(info.fileName())
                              : QStringLiteral("%1 is damaged (%2).").arg(info.fileName(), first);
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok ? true : say(problem);
}

} // namespace corv
