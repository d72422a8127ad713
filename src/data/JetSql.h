// Record-source texts are written in the Access (Jet) SQL dialect: "[Table]"
// names and "#mm/dd/yyyy#" date literals. This parser
// accepts exactly one SELECT of the shape the program uses and translates it
// into SQLite pieces; anything else is refused before it can reach SQLite.
#pragma once

#include "DbError.h"

#include <QStringList>
#include <QStringView>
#include <QVector>
#include <functional>
#include <optional>

class QSqlDatabase;
struct sqlite3;

namespace corv {

struct SelectStatement {
    QStringList columns;      // empty for "*"
    QString table;            // as named in the text, without brackets
    QString where;            // SQLite expression, empty when there is no WHERE
    QStringList orderColumns; // the plain names of the columns it is ordered by
    QVector<bool> orderDescending;
    QStringList orderBy; // their SQLite order terms, all sorted as texts (orderTerms())
};

// Parses `text`. On failure returns nullopt and fills `error` with
// SyntaxError or NotASelect; nothing of the text is executed.
std::optional<SelectStatement> parseSelect(const QString &text, DbError *error);

// The one statement a record set runs for a parsed record source: the keys
// of the matching records, in the record source's order (ID breaking ties).
//
// Texts sort in TextOrder. A column `sortsAsText` says is no text (a date,
// kept as its ISO text, or a number) sorts as stored, which comes out the
// same for its values and lets the database read it in the order of an
// index instead of sorting every record.
using TextColumnTest = std::function<bool(const QString &column)>;
QString keySelectText(const SelectStatement &statement, const TextColumnTest &sortsAsText = {});
// The statement's order terms, as keySelectText() writes them.
QStringList orderTerms(const SelectStatement &statement, const TextColumnTest &sortsAsText = {});

// A column or table name quoted for SQLite.
QString quoteIdentifier(const QString &name);

// The one order texts sort in, in the windows, the index lists, the reports
// and exported files alike: letter case does not count ("angelfish" before
// "Zebra danio") and an accented letter sorts with its base letter ("Ésope"
// among the E's). Texts that differ only so compare equal, and the caller's
// tie-breaker (the key) decides. Below zero, zero, above zero as for
// QString::compare.
int compareText(QStringView a, QStringView b);

// That order's name in the SQL run on a connection ("... ORDER BY
// \"Term\" COLLATE CorvellaText"); numbers and dates are not affected by it.
extern const char TextOrder[];

// Makes TextOrder known to an open SQLite connection; every connection that
// runs an ordered statement needs it. False when the connection is not an
// open SQLite one.
bool installTextOrder(const QSqlDatabase &db);
bool installTextOrder(sqlite3 *engine);

} // namespace corv
