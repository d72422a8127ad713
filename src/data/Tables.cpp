#include "Tables.h"

#include "Connection.h"
#include "Schema.h"

#include "JetSql.h"
#include "data/Catalogue.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QVector>

namespace corv {

const QVector<TableDef> &corvellaTables() {
    static const QVector<TableDef> tables = [] {
        QVector<TableDef> v;
        for (const TableSpec &t : catalogue())
            v.push_back({t.name, t.fieldNames()});
        return v;
    }();
    return tables;
}

QVector<TableDef> corvellaTablesAt(int version) {
    QVector<TableDef> v;
    for (const TableSpec &t : catalogue())
        if (t.since <= version)
            v.push_back({t.name, t.fieldNamesAt(version)});
    return v;
}

int shownDecimals(const QString &table, const QString &field) {
    const TableSpec *t = catalogueTable(table);
    const FieldSpec *f = t ? t->field(field) : nullptr;
    return f ? f->decimals : 0;
}

bool keepsWords(const QString &table, const QString &field) {
    const TableSpec *t = catalogueTable(table);
    const FieldSpec *f = t ? t->field(field) : nullptr;
    return f && f->words;
}

bool isCorvellaDatabase(const QString &path, QString *why) {
    auto say = [&](const QString &text) {
        if (why)
            *why = text;
        return false;
    };
    const QFileInfo info(path);
    if (!info.exists() || info.isDir())
        return say(QCoreApplication::translate("Tables", "The file %1 does not exist.").arg(path));
    {
        // An SQLite file starts with this header; checking it first keeps the
        // engine away from files that are plainly something else.
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return say(
                QCoreApplication::translate("Tables", "The file %1 cannot be read.").arg(path));
        if (f.read(16) != QByteArray("SQLite format 3\0", 16))
            return say(QCoreApplication::translate("Tables", "%1 is not a Corvella database.")
                           .arg(info.fileName()));
    }
    bool ok = true;
    QString problem;
    int version = 0;
    {
        Connection connection("corvella-check");
        QSqlDatabase &db = connection.db();
        if (connection.open(path, DbAccess::ReadOnly)) {
            ok = false;
            problem = QCoreApplication::translate("Tables", "%1 cannot be opened as a database.")
                          .arg(info.fileName());
        } else {
            // A file of a newer schema would be changed in ways this
            // program does not know; it is refused before it is read.
            version = schemaVersion(db);
            if (version > currentSchemaVersion) {
                ok = false;
                problem = newerSchemaMessage(info.fileName(), version);
            }
        }
        // What a file of its own version has: an older file is upgraded when
        // it is opened.
        for (const TableDef &t : corvellaTablesAt(qMax(version, 0))) {
            if (!ok)
                break;
            QSqlQuery q(db);
            q.setForwardOnly(true);
            if (!q.exec(QStringLiteral("PRAGMA table_info(%1)").arg(quoteIdentifier(t.name)))) {
                ok = false;
                problem = QCoreApplication::translate(
                              "Tables", "%1 is not a Corvella database, or it is damaged.")
                              .arg(info.fileName());
                break;
            }
            QStringList have;
            while (q.next())
                have << q.value(1).toString().toLower();
            if (have.isEmpty()) {
                ok = false;
                problem = QCoreApplication::translate(
                              "Tables", "%1 is not a Corvella database: it has no %2 table.")
                              .arg(info.fileName(), t.name);
                break;
            }
            for (const QString &f : t.fields) {
                if (!have.contains(f.toLower())) {
                    ok = false;
                    problem = QCoreApplication::translate(
                                  "Tables", "%1 is not a Corvella database: the %2 table has no "
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
                              ? QCoreApplication::translate("Tables", "%1 is damaged.")
                                    .arg(info.fileName())
                              : QCoreApplication::translate("Tables", "%1 is damaged (%2).")
                                    .arg(info.fileName(), first);
            }
        }
    }
    return ok ? true : say(problem);
}

QStringList foreignSchemaObjects(const QSqlDatabase &db) {
    QSqlQuery q(db);
    q.setForwardOnly(true);
    QStringList out;
    if (!q.exec(QStringLiteral("SELECT type, name FROM sqlite_master WHERE type IN ('trigger', "
                               "'view') ORDER BY type, name")))
        return out;
    while (q.next())
        out << QStringLiteral("%1 \"%2\"").arg(q.value(0).toString(), q.value(1).toString());
    return out;
}

QString foreignSchemaMessage(const QString &path, const QStringList &objects) {
    if (objects.isEmpty())
        return QString();
    QStringList shown = objects.mid(0, 5);
    if (objects.size() > 5)
        shown << QCoreApplication::translate("Tables", "%1 more").arg(objects.size() - 5);
    return QCoreApplication::translate(
               "Tables", "%1 holds %2, which Corvella does not make: it could change or delete "
                         "records on its own, so Corvella does not use this file. The file was "
                         "left as it is.")
        .arg(QFileInfo(path).fileName(), shown.join(QStringLiteral(", ")));
}

QString foreignSchemaProblem(const QString &path) {
    const QFileInfo info(path);
    if (!info.isFile())
        return QString();
    QStringList objects;
    Connection connection("corvella-check");
    if (!connection.open(path, DbAccess::ReadOnly))
        objects = foreignSchemaObjects(connection.db());
    return foreignSchemaMessage(path, objects);
}

} // namespace corv
