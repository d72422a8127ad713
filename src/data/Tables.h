// The tables of a Corvella database and their fields.
#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVector>

namespace corv {

struct TableDef {
    QString name;
    QStringList fields;
};

// Journal, LiveStock, Tank, Disease, Glossary, Maintenance and Tasks, with
// their field names.
const QVector<TableDef> &corvellaTables();
// The tables and fields a file of schema version `version` has: the tables
// and fields later migrations add are not among them.
QVector<TableDef> corvellaTablesAt(int version);

// The fewest decimals a stored number of the field is shown with, in the
// windows, the reports and exported files alike: the precision its test or
// price is read to, so that a pH typed "7.0" comes back "7.0" and a cost
// "25.00" as "25.00". More decimals than these are shown as stored; 0 for
// a field whose numbers show in their shortest form.
int shownDecimals(const QString &table, const QString &field);
// Whether the field keeps Corvella's own words in English (a kind, a unit).
bool keepsWords(const QString &table, const QString &field);

// True when `path` is an SQLite database that holds the tables of its schema
// version with all their fields (a file of an earlier version is upgraded
// when it is opened) and passes the engine's full integrity check. The file is
// opened read-only and left unchanged. When it is not, `why` says what is
// wrong, in words for the user.
bool isCorvellaDatabase(const QString &path, QString *why = nullptr);

// The triggers and views of an open database, each as its kind and name
// ("trigger \"t1\""). Corvella makes neither: a trigger in a file would run
// statements of the file's own at every edit (a journal Add emptying the
// glossary), a view could stand in for a table. Empty when there are none.
QStringList foreignSchemaObjects(const QSqlDatabase &db);
// The same for the file at `path` (opened read-only, left unchanged), and
// the message that refuses it; empty when the file holds none.
QString foreignSchemaProblem(const QString &path);
QString foreignSchemaMessage(const QString &path, const QStringList &objects);

} // namespace corv
