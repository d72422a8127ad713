// Keys that are never handed out twice.
//
// A table whose key is declared "ID INTEGER PRIMARY KEY" lets SQLite give a
// new row the key of the highest row deleted before it. In Corvella that is
// data going to the wrong place: Journal and LiveStock rows and the
// default-tank setting still name a deleted tank by its ID, and a new tank
// that took the same ID would inherit them. Since databases are made with
// "ID INTEGER PRIMARY KEY AUTOINCREMENT" this cannot happen; a file made
// before that is upgraded in place, when the program opens it or by
// corvella-mkdb --upgrade.
#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace corv {

// The Corvella tables of `db` whose ID is a plain INTEGER PRIMARY KEY, in
// the order of corvellaTables(). Tables that are missing, or whose ID is
// declared some other way, are not listed.
QStringList tablesReusingKeys(QSqlDatabase &db, QString *error = nullptr);

// The CREATE TABLE text `createSql` for a table named `newName` whose ID
// column is AUTOINCREMENT; everything else stays as written. Empty when the
// text does not declare its ID column as INTEGER PRIMARY KEY.
QString autoincrementTableSql(const QString &createSql, const QString &newName);

// Rebuilds every table tablesReusingKeys() lists so that its keys are never
// reused, keeping every row with its ID, the table's other columns and its
// indexes and triggers. All tables are done in one transaction, checked with
// PRAGMA integrity_check before and inside it; on any failure nothing is
// changed. The next key of each table continues after its highest ID, and
// for Tank also after every TankID in Journal and LiveStock and after
// `tankKeyTaken` (the default tank, which may have been deleted).
// `upgraded` receives the tables rebuilt (none when nothing was needed).
// The connection must not be inside a transaction.
bool upgradeKeys(QSqlDatabase &db, QStringList *upgraded, QString *error, qint64 tankKeyTaken = 0);

// The rebuild itself, for a caller that holds a checked transaction open
// (the schema migration that declares keys AUTOINCREMENT): `tables` as
// tablesReusingKeys() lists them. `problem` says why it failed.
bool rebuildKeys(QSqlDatabase &db, const QStringList &tables, qint64 tankKeyTaken,
                 QString *problem);

// The same for the database file at `path`, which must be a Corvella
// database; it is opened and closed here.
bool upgradeKeysInFile(const QString &path, QStringList *upgraded, QString *error);

} // namespace corv
