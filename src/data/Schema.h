// Schema versions. A database file says which version of Corvella's schema
// it holds (SQLite's user_version); every change of the schema is a
// numbered migration that brings a file from the version before it to its
// own. Opening a file runs the migrations it lacks, once; a file of a newer
// version than this program knows is refused and left untouched.
//
// A new field or table: its catalogue row says the version that adds it
// (`since`), the list in Schema.cpp gets the row {N, addedInCatalogue}, and
// currentSchemaVersion is raised: both the migration of an older file and a
// new file (resources/schema.sql is version 1, followed by the additions of
// every later version) take the columns and tables from the catalogue. A
// change of another kind is a function of its own in that list.
// tests/data/schemas/ keeps a small database of every version that was
// released, as SQL.
#pragma once

#include "DbError.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <functional>

namespace corv {

// The schema this program makes and reads:
//   0  the five tables (before versions were recorded);
//   1  record keys declared AUTOINCREMENT, so a deleted record's key is never
//      handed out again;
//   2  the care log: the Maintenance and Tasks tables.
constexpr int currentSchemaVersion = 2;

// The number DbError carries when a file is of a newer version.
constexpr int newerSchemaError = 3700;

// The version `db` says it holds; -1 (and `error`) when it cannot be read.
int schemaVersion(QSqlDatabase &db, QString *error = nullptr);

// The statements that add what the catalogue says version `version` added:
// CREATE TABLE for its new tables, ALTER TABLE ... ADD COLUMN for its new
// fields of older tables. Empty for a version that added nothing there.
QStringList catalogueAdditions(int version);

// Said of a file of a newer version than this program knows.
QString newerSchemaMessage(const QString &fileName, int fileVersion);

struct SchemaUpgrade {
    int from = 0;
    int to = 0;
    QStringList steps; // what each migration that ran did, in words
};

// Brings `db` (the file `path`) up to currentSchemaVersion. Each migration
// is one transaction, checked with PRAGMA integrity_check before and after;
// a failed one leaves the file as the migration before it left it. A file
// of a newer version is not touched (error newerSchemaError).
// `tankKeyTaken`: a tank key named outside the file (the default tank) that
// must stay taken. The connection must not be inside a transaction.
DbError upgradeSchema(QSqlDatabase &db, const QString &path, SchemaUpgrade *done = nullptr,
                      qint64 tankKeyTaken = 0);

// The same for the Corvella database at `path`, opened and closed here.
DbError upgradeSchemaInFile(const QString &path, SchemaUpgrade *done = nullptr);

// Runs `body` in one write transaction, with PRAGMA integrity_check before,
// inside (before the commit) and after; renaming a table inside leaves other
// tables' views and triggers as written, and nothing cascades. On any
// failure, including a false `body`, nothing is changed and `error` says
// why. The connection must not be inside a transaction.
bool inCheckedTransaction(QSqlDatabase &db, const std::function<bool(QString *problem)> &body,
                          QString *error);

// PRAGMA integrity_check's first finding, or "ok".
QString integrityFinding(QSqlDatabase &db);

} // namespace corv
