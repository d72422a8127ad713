// Reading a report's records: the template's table, from the data file,
// opened read-only, filtered by the selection formula and put in order.
#pragma once

#include "ReportErrors.h"
#include "ReportFormula.h"
#include "data/FieldKind.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

namespace corv {

// The kinds of field a report prints are those of the catalogue and the
// record sets, read here from the table's declared column types.
using ReportFieldKind = FieldKind;

struct ReportColumn {
    QString name; // as the table spells it
    ReportFieldKind kind = ReportFieldKind::Text;
    int decimals = 0;   // the fewest decimals a number or amount is shown with
    bool words = false; // Corvella's own words, shown in the user's language
};

struct ReportTable {
    QString table; // as the table spells it
    QVector<ReportColumn> columns;
    QVector<QVector<QVariant>> rows;  // the selected records, in the requested order
    int tankColumn = -1;              // index of TankID, -1 when the table has none
    QHash<qint64, QString> tankNames; // every tank's name by ID (when tankColumn >= 0)

    int columnIndex(const QString &name) const; // letter case ignored; -1 when absent
};

// Reads `table` from the database file at `path` without ever writing to it
// (or creating it): the records `formula` selects, ordered by the fields of
// `order` and then by ID. The formula is bound to the table's fields here;
// a field it names that the table lacks is FormulaUnknownField.
bool readReportTable(const QString &path, const QString &table, const QStringList &order,
                     ReportFormula &formula, ReportTable *out, ReportError *error);

// How a field's value is shown in a report, as the record window shows it:
// dates "mm/dd/yyyy", numbers and money with at least `decimals` decimals
// and as many more as they have ("7.0", "25.00", "25.125"), an empty field
// as an empty text.
QString reportText(const QVariant &value, ReportFieldKind kind, int decimals = 0);

// An amount kept in ten-thousandths, with two decimals and thousands
// separators, as report totals show it; halves of a cent are rounded away
// from zero.
QString moneyText(qint64 tenThousandths);

} // namespace corv
