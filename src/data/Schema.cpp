#include "Schema.h"

#include "Catalogue.h"
#include "Connection.h"
#include "JetSql.h"
#include "KeyUpgrade.h"
#include "Tables.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QVector>

namespace corv {

namespace {

// What a migration knows besides the file itself.
struct MigrationContext {
    qint64 tankKeyTaken = 0;
    int version = 0; // the version the migration brings the file to
};

// One step of the schema: it runs inside a checked transaction, and says
// what it did in `step` (empty when the file needed nothing of it).
struct Migration {
    int version;
    bool (*apply)(QSqlDatabase &db, const MigrationContext &context, QString *step,
                  QString *problem);
};

QString listInWords(QStringList items) {
    if (items.size() < 2)
        return items.value(0);
    const QString last = items.takeLast();
    return items.join(QStringLiteral(", ")) + QCoreApplication::translate("Schema", " and ") + last;
}

// 1: a file made before keys were declared AUTOINCREMENT would give a new
// record the ID of a deleted one, and with it the deleted tank's journal.
bool keysNeverReused(QSqlDatabase &db, const MigrationContext &context, QString *step,
                     QString *problem) {
    const QStringList tables = tablesReusingKeys(db, problem);
    if (!problem->isEmpty())
        return false;
    if (tables.isEmpty())
        return true;
    if (!rebuildKeys(db, tables, context.tankKeyTaken, problem))
        return false;
    *step = QCoreApplication::translate(
                "Schema", "the keys of %1 are never handed out again; every record kept its ID")
                .arg(listInWords(tables));
    return true;
}

// The fields and tables the catalogue says this version added.
bool addedInCatalogue(QSqlDatabase &db, const MigrationContext &context, QString *step,
                      QString *problem) {
    QSqlQuery q(db);
    for (const QString &sql : catalogueAdditions(context.version)) {
        if (!q.exec(sql)) {
            *problem = q.lastError().text() + QStringLiteral(" (in: ") + sql + u')';
            return false;
        }
    }
    QStringList added;
    for (const TableSpec &t : catalogue()) {
        if (t.since == context.version)
            added << QStringLiteral("the %1 table").arg(t.name);
        else if (t.since < context.version)
            for (const FieldSpec &f : t.fields)
                if (f.since == context.version)
                    added << QStringLiteral("%1 to %2").arg(f.name, t.name);
    }
    if (!added.isEmpty())
        *step = QStringLiteral("added %1").arg(listInWords(added));
    return true;
}

const QVector<Migration> &migrations() {
    static const QVector<Migration> list{
        {1, keysNeverReused},
        // The care log's Maintenance and Tasks tables.
        {2, addedInCatalogue},
    };
    return list;
}

bool runPragma(QSqlDatabase &db, const QString &sql, QString *problem) {
    QSqlQuery q(db);
    if (q.exec(sql))
        return true;
    *problem = q.lastError().text() + QCoreApplication::translate("Schema", " (in: ") + sql + u')';
    return false;
}

QString columnType(const FieldSpec &f) {
    switch (f.kind) {
    case FieldKind::Integer:
        return f.name == QLatin1String("ID") ? QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT")
                                             : QStringLiteral("INTEGER");
    case FieldKind::Number:
        return QStringLiteral("REAL");
    case FieldKind::Currency:
        return QStringLiteral("CURRENCY_INT");
    case FieldKind::Date:
        return QStringLiteral("DATE_TEXT");
    case FieldKind::Text:
        return QStringLiteral("VARCHAR(%1)").arg(f.length > 0 ? f.length : 254);
    case FieldKind::Memo:
        return QStringLiteral("LONGTEXT");
    }
    return QString();
}

} // namespace

QStringList catalogueAdditions(int version) {
    QStringList sql;
    for (const TableSpec &t : catalogue()) {
        if (t.since == version) {
            QStringList columns;
            for (const FieldSpec &f : t.fields)
                columns << quoteIdentifier(f.name) + u' ' + columnType(f);
            sql << QStringLiteral("CREATE TABLE %1 (%2)")
                       .arg(quoteIdentifier(t.name), columns.join(QStringLiteral(", ")));
            continue;
        }
        if (t.since > version)
            continue;
        for (const FieldSpec &f : t.fields)
            if (f.since == version)
                sql << QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
                           .arg(quoteIdentifier(t.name), quoteIdentifier(f.name), columnType(f));
    }
    return sql;
}

QString integrityFinding(QSqlDatabase &db) {
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("PRAGMA integrity_check")))
        return q.lastError().text();
    QString first =
        q.next() ? q.value(0).toString() : QCoreApplication::translate("Schema", "no answer");
    q.finish();
    return first;
}

int schemaVersion(QSqlDatabase &db, QString *error) {
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next()) {
        if (error)
            *error = q.lastError().text();
        return -1;
    }
    return q.value(0).toInt();
}

QString newerSchemaMessage(const QString &fileName, int fileVersion) {
    return QCoreApplication::translate(
               "Schema", "%1 was made by a newer version of Corvella: it holds database version "
                         "%2, and this version of Corvella reads database versions up to %3. "
                         "The file was left as it is.")
        .arg(fileName)
        .arg(fileVersion)
        .arg(currentSchemaVersion);
}

bool inCheckedTransaction(QSqlDatabase &db, const std::function<bool(QString *)> &body,
                          QString *error) {
    auto fail = [&](const QString &text) {
        if (error)
            *error = text;
        return false;
    };
    const QString before = integrityFinding(db);
    if (before != QLatin1String("ok"))
        return fail(QCoreApplication::translate(
                        "Schema", "the file fails SQLite's integrity check (%1), so it was left "
                                  "as it is")
                        .arg(before));

    QString problem;
    QSqlQuery q(db);
    auto scalar = [&](const char *pragma) {
        return q.exec(QLatin1String(pragma)) && q.next() ? q.value(0).toLongLong() : 0;
    };
    // Renaming a table must leave views and triggers of other tables as they
    // are written; nothing may cascade while a table is dropped. Neither
    // setting can change inside a transaction.
    const qint64 legacyAlter = scalar("PRAGMA legacy_alter_table");
    const qint64 foreignKeys = scalar("PRAGMA foreign_keys");
    q.finish();
    runPragma(db, QStringLiteral("PRAGMA legacy_alter_table = ON"), &problem);
    runPragma(db, QStringLiteral("PRAGMA foreign_keys = OFF"), &problem);
    const bool began =
        problem.isEmpty() && runPragma(db, QStringLiteral("BEGIN IMMEDIATE"), &problem);
    if (began && !body(&problem) && problem.isEmpty())
        problem = QCoreApplication::translate("Schema", "the change could not be made");
    if (began && problem.isEmpty()) {
        const QString inside = integrityFinding(db);
        if (inside != QLatin1String("ok"))
            problem = QCoreApplication::translate(
                          "Schema", "the changed tables fail SQLite's integrity check (%1)")
                          .arg(inside);
    }
    if (began && problem.isEmpty())
        runPragma(db, QStringLiteral("COMMIT"), &problem);
    if (!problem.isEmpty() && began) {
        QString ignored;
        runPragma(db, QStringLiteral("ROLLBACK"), &ignored);
    }
    QString ignored;
    runPragma(db, QStringLiteral("PRAGMA foreign_keys = %1").arg(foreignKeys), &ignored);
    runPragma(db, QStringLiteral("PRAGMA legacy_alter_table = %1").arg(legacyAlter), &ignored);
    if (!problem.isEmpty())
        return fail(QCoreApplication::translate("Schema", "nothing was changed: %1").arg(problem));

    const QString after = integrityFinding(db);
    if (after != QLatin1String("ok"))
        return fail(QCoreApplication::translate(
                        "Schema", "after the change the file fails SQLite's integrity check (%1)")
                        .arg(after));
    return true;
}

DbError upgradeSchema(QSqlDatabase &db, const QString &path, SchemaUpgrade *done,
                      qint64 tankKeyTaken) {
    SchemaUpgrade result;
    QString problem;
    const int version = schemaVersion(db, &problem);
    if (version < 0)
        return {DbErr::EngineFailure,
                QCoreApplication::translate("Schema", "The schema version of %1 cannot be read: %2")
                    .arg(QFileInfo(path).fileName(), problem)};
    result.from = result.to = version;
    if (done)
        *done = result;
    if (version > currentSchemaVersion)
        return {newerSchemaError, newerSchemaMessage(QFileInfo(path).fileName(), version)};
    for (const Migration &m : migrations()) {
        if (m.version <= result.to)
            continue;
        const MigrationContext context{tankKeyTaken, m.version};
        QString step;
        const bool ok = inCheckedTransaction(
            db,
            [&](QString *why) {
                return m.apply(db, context, &step, why) &&
                       runPragma(db, QStringLiteral("PRAGMA user_version = %1").arg(m.version),
                                 why);
            },
            &problem);
        if (!ok) {
            if (done)
                *done = result;
            return {DbErr::EngineFailure,
                    QCoreApplication::translate("Schema",
                                                "Cannot upgrade %1 to database version %2: %3")
                        .arg(QFileInfo(path).fileName())
                        .arg(m.version)
                        .arg(problem)};
        }
        result.to = m.version;
        if (!step.isEmpty())
            result.steps << step;
    }
    if (done)
        *done = result;
    return {};
}

DbError upgradeSchemaInFile(const QString &path, SchemaUpgrade *done) {
    QString why;
    if (done)
        *done = {};
    if (!isCorvellaDatabase(path, &why))
        return {DbErr::NotADatabase, why};
    Connection connection("corvella-upgrade");
    if (DbError e = connection.open(path, DbAccess::ReadWrite))
        return e;
    return upgradeSchema(connection.db(), path, done);
}

} // namespace corv
