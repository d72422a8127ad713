// What the journal chart needs that has nothing to do with a window: the
// chartable water parameters, the checks of the two date boxes, the
// record-source text of a run, and the grid of rows and columns built from
// the journal entries a run selects.
//
// The chart window binds its boxes and check boxes to these; tests call them
// directly.
#pragma once

#include "ChartRender.h"
#include "ChartSpans.h"
#include "data/DbError.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>
#include <optional>

namespace corv {

class RecordSet;
class TargetRanges;

// One chartable parameter: its check box, the check box's caption, the
// journal field it reads and the label its column carries in the chart.
struct ChartParameter {
    QString checkBox;
    QString caption;
    QString field;
    QString label;
};

// The journal's values (data/Catalogue.h) as the chart shows them, in the
// order their columns are assigned.
const QVector<ChartParameter> &chartParameters();
// The parameters ticked when the window opens (Ammonia, Nitrate, pH).
QVector<bool> defaultChartSelection();

// The chart-type combo: its items in order; an item's data is its position.
QStringList chartTypeItems();
// The chart's type code for an item's data: the data itself for 1 to 9,
// 0 for anything else.
int chartTypeForItem(int itemData);

// Where a date stands among rows of these dates (in order): with `byDay`
// the days since the first row, as a time axis places it; otherwise the
// row position, between two rows in proportion to the days between them.
// nullopt for a date before the first row or after the last.
std::optional<double> datePosition(const QVector<QDate> &rowDates, QDate date, bool byDay);

// Messages of a charting run.
namespace chartText {
// These are the English texts; tr() gives them in the user's language.
inline const QString InvalidDate =
    QStringLiteral(QT_TRANSLATE_NOOP("chartText", "Please enter a valid date (EX: mm/dd/yyyy)!"));
inline const QString DateErrorTitle = QStringLiteral(QT_TRANSLATE_NOOP("chartText", "Date Error"));
inline const QString NoRecords =
    QStringLiteral(QT_TRANSLATE_NOOP("chartText", "No Records to display!"));
inline const QString NoRecordsTitle = QStringLiteral(QT_TRANSLATE_NOOP("chartText", "No Records"));
QString tr(const QString &text);
} // namespace chartText

// A date box checked before a run.
struct DateBoxCheck {
    enum State { Empty, Valid, Invalid };
    State state = Empty;
    // What the box shows afterwards: a valid date rewritten "mm/dd/yyyy",
    // anything else as the user typed it.
    QString text;
    // The bound for the query: the "mm/dd/yyyy" date, or empty when the box
    // sets no bound (empty or invalid).
    QString bound;
};
// A box holding only blanks counts as empty: there is nothing to correct.
DateBoxCheck checkDateBox(const QString &text);

// The record source of a run and what became of the two date boxes. The
// window reports an invalid box (from before to) and charts without it.
struct ChartQuery {
    DateBoxCheck from;
    DateBoxCheck to;
    QString recordSource;
    // The journal with none of its rows: opened instead of the record
    // source, it finds the file and the fields without first reading the
    // key of every entry, which the window would wait for. The rows are
    // read off the event loop (readChartContent).
    QString fieldsSource;
};
ChartQuery planChartQuery(const QString &tankId, const QString &fromText, const QString &toText);

// One journal entry as the chart window reads it: the entry date as its box
// shows it and the twenty parameter values as their boxes show them, in the
// order of chartParameters().
struct JournalChartRow {
    QString entryDate;
    QStringList values;
};

// Reads every row of an open record set over the journal, first to last,
// and leaves the record set on its last row. Only the parameters flagged in
// `ticked` are read (all of them when it is empty); the others stay empty.
// On an engine error reading stops and `error` receives it; the rows read
// so far are returned.
QVector<JournalChartRow> readChartRows(RecordSet &records, const QVector<bool> &ticked = {},
                                       DbError *error = nullptr);

// The same rows as readChartRows() gives for `records` opened on `source`,
// read in one pass over a connection of its own instead of record by record:
// a chart of ten thousand entries is read in a fraction of the time.
QVector<JournalChartRow> queryChartRows(const RecordSet &records, const QString &source,
                                        const QVector<bool> &ticked = {}, DbError *error = nullptr);

// What a run charts, read as numbers: the row labels, columns, values and
// ranges that ChartContent::fromCells makes of buildChartGrid's grid of
// queryChartRows's rows, and the dates chartRowDates gives for them, read
// straight from the engine. A hundred thousand entries are read in a
// fraction of the time it takes to write each value as text and read it
// back.
struct ChartRead {
    ChartContent content;
    QVector<QDate> dates;
};
// `records` needs only to be open on the journal's fields (its rows are not
// read). `progress` is told how many rows of how many are read, every few thousand
// rows; once it returns false the reading ends and no rows are returned. On an engine
// error `error` receives it and no rows are returned either.
ChartRead readChartContent(const RecordSet &records, const QString &source,
                           const QVector<bool> &ticked, DbError *error = nullptr,
                           const std::function<bool(qint64 done, qint64 total)> &progress = {});

// The chart's text for a bound field: "0" when the text is not a number (an
// empty text included), else its number written back in its shortest form.
QString chartCellText(const QString &fieldText);

// The chart's data grid: rows labelled with the entry dates, one column per
// ticked parameter in table order, cells as text (row-major).
struct ChartGrid {
    QStringList rowLabels;
    QStringList columnLabels;
    QStringList cells;

    int rowCount() const { return int(rowLabels.size()); }
    int columnCount() const { return int(columnLabels.size()); }
    QString cell(int row, int column) const { return cells.at(row * columnCount() + column); }
};

// `ticked` holds one flag per parameter of chartParameters(); missing flags
// count as not ticked.
ChartGrid buildChartGrid(const QVector<JournalChartRow> &rows, const QVector<bool> &ticked);

// The date of each row, read from its entry date as the row shows it; an
// invalid date for an entry without one.
QVector<QDate> chartRowDates(const QVector<JournalChartRow> &rows);

// The target band of each ticked parameter in `waterType`, in column order
// (an empty band where a parameter has no range, or the type is unknown).
QVector<ChartBand> chartBands(const TargetRanges &ranges, const QString &waterType,
                              const QVector<bool> &ticked);

} // namespace corv
