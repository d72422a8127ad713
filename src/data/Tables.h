// The five tables of a Corvella database and their fields.
#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

namespace corv {

struct TableDef {
    QString name;
    QStringList fields;
};

// Journal, LiveStock, Tank, Disease and Glossary, with their field names.
const QVector<TableDef> &corvellaTables();

// True when `path` is an SQLite database that holds the five tables with all
// their fields and passes the engine's full integrity check. The file is
// opened read-only and left unchanged. When it is not, `why` says what is
// wrong, in words for the user.
bool isCorvellaDatabase(const QString &path, QString *why = nullptr);

} // namespace corv
