// Making a new Corvella database file. The program itself never does
// this; the corvella-mkdb tool and the tests do.
#pragma once

#include <QString>
#include <QStringList>

namespace corv {

struct ReferenceContent;

// The schema the database is made from (resources/schema.sql).
QString corvellaSchema();

// Creates `path` holding the five tables, fills the Disease and Glossary
// tables from `reference` when one is given, then runs the statements of
// each file in `extraSql`. All of it is one transaction. Never replaces an
// existing file: the file is built under a temporary name beside it and
// renamed at the end.
bool createDatabase(const QString &path, QString *error = nullptr, const QStringList &extraSql = {},
                    const ReferenceContent *reference = nullptr);

} // namespace corv
