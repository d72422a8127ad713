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
#include <memory>

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

class ReportFeed;

struct ReportTable {
    QString table; // as the table spells it
    QVector<ReportColumn> columns;
    // The selected records, in the requested order, when they are held
    // here; a table still being read has `feed` instead.
    QVector<QVector<QVariant>> rows;
    std::shared_ptr<ReportFeed> feed;
    int tankColumn = -1;              // index of TankID, -1 when the table has none
    QHash<qint64, QString> tankNames; // every tank's name by ID (when tankColumn >= 0)

    int columnIndex(const QString &name) const; // letter case ignored; -1 when absent

    // How many records were selected.
    int recordCount() const;
    // Record `r`, once it has been read (waiting for it); nullptr when the
    // reading failed or was stopped before it.
    const QVector<QVariant> *record(int r) const;
    // The tank (or an amount of money) of record `r`: known before the rest
    // of the record has been read.
    QVariant keyValue(int r, int column) const;
    // Waits until every record has been read: false, with the reason, when
    // the reading failed (error number 0 when it was stopped).
    bool finishReading(ReportError *error) const;
};

// Reads `table` from the database file at `path` without ever writing to it
// (or creating it): the records `formula` selects, ordered by the fields of
// `order` and then by ID. The formula is bound to the table's fields here;
// a field it names that the table lacks is FormulaUnknownField.
//
// Fed, it returns as soon as it knows which records there are, their tanks
// and their amounts; a thread of its own then reads the records themselves
// into `out->feed`, which record() waits for. Both readings see the file as
// it was when the first began.
enum class ReportReading { Whole, Fed };
bool readReportTable(const QString &path, const QString &table, const QStringList &order,
                     ReportFormula &formula, ReportTable *out, ReportError *error,
                     ReportReading how = ReportReading::Whole);

// The records of a table being read (see readReportTable()); stops the
// reading and waits for its thread when the last table holding it goes.
class ReportFeed {
public:
    ~ReportFeed();
    ReportFeed(const ReportFeed &) = delete;
    ReportFeed &operator=(const ReportFeed &) = delete;

    // Stops the reading: what waits for a record is let go at once.
    void stop();

    struct Impl;

private:
    // As ReportTable's recordCount(), record(), keyValue(), finishReading().
    friend struct ReportTable;
    int size() const;
    const QVector<QVariant> *record(int r) const;
    QVariant keyValue(int r, int column) const;
    bool finish(ReportError *error) const;
    friend bool readReportTable(const QString &, const QString &, const QStringList &,
                                ReportFormula &, ReportTable *, ReportError *, ReportReading);
    ReportFeed();
    std::unique_ptr<Impl> d;
};

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
