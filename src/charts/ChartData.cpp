#include "ChartData.h"

#include "data/Catalogue.h"
#include "data/Connection.h"
#include "data/JetSql.h"
#include "data/RecordSet.h"
#include "data/RecordSources.h"
#include "data/TargetRanges.h"
#include "platform/Conversions.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <cmath>
#include <sqlite3.h>

namespace corv {

const QVector<ChartParameter> &chartParameters() {
    static const QVector<ChartParameter> params = [] {
        QVector<ChartParameter> v;
        for (const JournalValue &j : journalValues())
            v.push_back({j.chartBox, j.name, j.chartField, j.chartLabel});
        return v;
    }();
    return params;
}

QVector<bool> defaultChartSelection() {
    QVector<bool> ticked;
    for (const JournalValue &j : journalValues())
        ticked.push_back(j.chartedAtFirst);
    return ticked;
}

QStringList chartTypeItems() {
    return {QCoreApplication::translate("ChartData", "3D Bar"),
            QCoreApplication::translate("ChartData", "2D Bar"),
            QCoreApplication::translate("ChartData", "3D Line"),
            QCoreApplication::translate("ChartData", "2D Line"),
            QCoreApplication::translate("ChartData", "3D Area"),
            QCoreApplication::translate("ChartData", "2D Area"),
            QCoreApplication::translate("ChartData", "3D Step"),
            QCoreApplication::translate("ChartData", "2D Step"),
            QCoreApplication::translate("ChartData", "3D Combination"),
            QCoreApplication::translate("ChartData", "2D Combination")};
}

int chartTypeForItem(int itemData) {
    return itemData >= 1 && itemData <= 9 ? itemData : 0;
}

QString chartText::tr(const QString &text) {
    return QCoreApplication::translate("chartText", text.toUtf8().constData());
}

DateBoxCheck checkDateBox(const QString &text) {
    DateBoxCheck c;
    c.text = text;
    if (text.trimmed().isEmpty())
        return c;
    if (const auto d = toUserDate(text)) {
        c.state = DateBoxCheck::Valid;
        c.text = userDateText(*d);
        c.bound = dateText(*d);
    } else {
        c.state = DateBoxCheck::Invalid;
    }
    return c;
}

ChartQuery planChartQuery(const QString &tankId, const QString &fromText, const QString &toText) {
    ChartQuery q;
    q.from = checkDateBox(fromText);
    q.to = checkDateBox(toText);
    q.recordSource = sources::journalChart(tankId, q.from.bound, q.to.bound);
    q.fieldsSource = QStringLiteral("SELECT * FROM [Journal] WHERE ID Is Null");
    return q;
}

QVector<JournalChartRow> readChartRows(RecordSet &records, const QVector<bool> &ticked,
                                       DbError *error) {
    QVector<JournalChartRow> rows;
    if (error)
        *error = {};
    const int count = records.recordCount();
    if (count < 1)
        return rows;
    const QVector<ChartParameter> &params = chartParameters();
    const int dateField = records.fieldIndex(QStringLiteral("EntryDate"));
    QVector<int> fields;
    fields.reserve(params.size());
    for (int i = 0; i < params.size(); ++i) {
        const bool wanted = ticked.isEmpty() || (i < ticked.size() && ticked[i]);
        fields.push_back(wanted ? records.fieldIndex(params[i].field) : -1);
    }

    rows.reserve(count);
    DbError e = records.moveFirst();
    for (int i = 0; i < count && e.ok(); ++i) {
        if (i > 0 && !(e = records.moveNext()).ok())
            break;
        JournalChartRow row;
        row.entryDate = dateField >= 0 ? records.text(dateField) : QString();
        row.values.reserve(fields.size());
        for (int f : fields)
            row.values.push_back(f >= 0 ? records.text(f) : QString());
        rows.push_back(std::move(row));
    }
    if (error)
        *error = e;
    return rows;
}

namespace {

// The one SELECT a chart run reads its rows with, and how to read its
// columns: the entry date (when the record source has one), then the
// ticked parameters the record source has, each with the kind the record
// set found for it.
struct ChartSelect {
    QString sql;
    QString countSql; // how many rows it gives
    bool hasDate = false;
    QVector<FieldKind> kinds; // of each column, the date first
    QVector<int> slot;        // parameter index of each column after the date
};

std::optional<ChartSelect> chartSelect(const RecordSet &records, const QString &source,
                                       const QVector<bool> &ticked, DbError &e) {
    const auto st = parseSelect(source, &e);
    if (!st)
        return std::nullopt;
    const QFileInfo info(records.path());
    if (!records.isOpen() || !info.exists()) {
        e = {DbErr::FileNotFound,
             QCoreApplication::translate("ChartData", "Could not find the file '%1'.")
                 .arg(records.path())};
        return std::nullopt;
    }

    ChartSelect c;
    const QVector<ChartParameter> &params = chartParameters();
    QStringList columns;
    const auto add = [&](const QString &field) {
        const int f = records.fieldIndex(field);
        if (f < 0)
            return false;
        columns << quoteIdentifier(records.fields()[f].name);
        c.kinds << records.fields()[f].kind;
        return true;
    };
    c.hasDate = add(QStringLiteral("EntryDate"));
    for (int i = 0; i < params.size(); ++i) {
        const bool wanted = ticked.isEmpty() || (i < ticked.size() && ticked[i]);
        if (wanted && add(params[i].field))
            c.slot << i;
    }
    if (columns.isEmpty())
        columns << QStringLiteral("\"ID\"");

    QString from = QStringLiteral(" FROM ") + quoteIdentifier(st->table);
    if (!st->where.isEmpty())
        from += QStringLiteral(" WHERE ") + st->where;
    c.sql = QStringLiteral("SELECT ") + columns.join(QStringLiteral(", ")) + from;
    c.countSql = QStringLiteral("SELECT COUNT(*)") + from;
    // The record set's own order: the record source's, then ID for ties.
    QStringList order =
        orderTerms(*st, [&records](const QString &column) { return records.sortsAsText(column); });
    order << QStringLiteral("\"ID\"");
    c.sql += QStringLiteral(" ORDER BY ") + order.join(QStringLiteral(", "));
    return c;
}

} // namespace

QVector<JournalChartRow> queryChartRows(const RecordSet &records, const QString &source,
                                        const QVector<bool> &ticked, DbError *error) {
    QVector<JournalChartRow> rows;
    DbError e;
    const auto done = [&] {
        if (error)
            *error = e;
        return rows;
    };
    const std::optional<ChartSelect> select = chartSelect(records, source, ticked, e);
    if (!select)
        return done();
    const QVector<int> &slot = select->slot;
    const QVector<FieldKind> &kinds = select->kinds;
    const bool hasDate = select->hasDate;
    const qsizetype parameterCount = chartParameters().size();

    {
        Connection connection("corvella-chart");
        if (DbError opened = connection.open(records.path(), DbAccess::ReadOnly)) {
            e = opened;
        } else {
            QSqlDatabase &db = connection.db();
            QSqlQuery q(db);
            q.setForwardOnly(true);
            if (!q.exec(select->sql)) {
                e = RecordSet::engineError(q.lastError(), records.path());
            } else {
                rows.reserve(records.recordCount());
                const int first = hasDate ? 1 : 0;
                while (q.next()) {
                    JournalChartRow row;
                    if (hasDate)
                        row.entryDate = RecordSet::displayText(kinds[0], q.value(0));
                    row.values = QStringList(parameterCount, QString());
                    for (int c = 0; c < slot.size(); ++c)
                        row.values[slot[c]] =
                            RecordSet::displayText(kinds[first + c], q.value(first + c));
                    rows.push_back(std::move(row));
                }
                if (q.lastError().isValid()) {
                    e = RecordSet::engineError(q.lastError(), records.path());
                    rows.clear();
                }
            }
            q.finish();
        }
    }
    return done();
}

namespace {

// True for a number already in the form numberText() writes it: "-12.5",
// "0.00025", "4000". Such a text is its own shortest form (15 significant
// digits or fewer always come back unchanged through a double), so a chart
// of ten thousand rows need not take each value apart and back again.
bool isShortestForm(const QString &t) {
    qsizetype i = 0;
    const qsizetype n = t.size();
    if (i < n && t[i] == u'-')
        ++i;
    const qsizetype intStart = i;
    while (i < n && t[i] >= u'0' && t[i] <= u'9')
        ++i;
    const qsizetype intDigits = i - intStart;
    if (intDigits == 0 || intDigits > 15 || (intDigits > 1 && t[intStart] == u'0'))
        return false;
    int significant = t[intStart] == u'0' ? 0 : int(intDigits);
    if (i == n)
        return intStart == 0 || t[intStart] != u'0'; // "-0" is written "0"
    if (t[i] != u'.' || i + 1 == n || t[n - 1] == u'0')
        return false;
    int leadingZeros = 0;
    for (++i; i < n; ++i) {
        if (t[i] < u'0' || t[i] > u'9')
            return false;
        if (significant == 0 && t[i] == u'0')
            ++leadingZeros;
        else
            ++significant;
    }
    // Below 0.00001 numberText switches to an exponent.
    return significant <= 15 && (intDigits > 1 || t[intStart] != u'0' || leadingZeros <= 4);
}

} // namespace

QString chartCellText(const QString &fieldText) {
    if (isShortestForm(fieldText))
        return fieldText;
    if (!readsAsNumber(fieldText))
        return QStringLiteral("0");
    // "1e999" reads as a number but has no value a chart can show.
    const double v = leadingNumber(fieldText);
    return std::isfinite(v) ? numberText(v) : QStringLiteral("0");
}

namespace {

// The label of a row whose entry date its box shows as `entryDate`: the
// user's way, the date kept as it stands when it is none.
QString rowLabelOf(const QString &entryDate) {
    const auto shownDate = userFormIsFixed() ? std::nullopt : toDate(entryDate);
    return shownDate ? userDateText(*shownDate) : entryDate;
}

// The date of a row whose entry date its box shows as `entryDate`.
QDate rowDateOf(const QString &entryDate) {
    static const QString shown = QStringLiteral("MM/dd/yyyy");
    QDate d = QDate::fromString(entryDate, shown);
    // A date kept in some other form still counts when it reads as one.
    if (!d.isValid() && !entryDate.trimmed().isEmpty())
        d = toDate(entryDate).value_or(QDate());
    return d;
}

} // namespace

ChartGrid buildChartGrid(const QVector<JournalChartRow> &rows, const QVector<bool> &ticked) {
    ChartGrid g;
    QVector<int> columns;
    const QVector<ChartParameter> &params = chartParameters();
    for (int i = 0; i < params.size(); ++i) {
        if (i < ticked.size() && ticked[i]) {
            columns.push_back(i);
            g.columnLabels << params[i].label;
        }
    }
    g.rowLabels.reserve(rows.size());
    g.cells.reserve(rows.size() * columns.size());
    for (const JournalChartRow &r : rows) {
        g.rowLabels << rowLabelOf(r.entryDate);
        for (int c : columns)
            g.cells << chartCellText(c < r.values.size() ? r.values[c] : QString());
    }
    return g;
}

QVector<QDate> chartRowDates(const QVector<JournalChartRow> &rows) {
    QVector<QDate> dates;
    dates.reserve(rows.size());
    for (const JournalChartRow &r : rows)
        dates.push_back(rowDateOf(r.entryDate));
    return dates;
}

namespace {

sqlite3 *engineOf(const QSqlDatabase &db) {
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 *const *>(handle.constData());
}

DbError statementError(sqlite3 *engine, const QString &path) {
    return RecordSet::engineError(QSqlError(QString(), QString::fromUtf8(sqlite3_errmsg(engine)),
                                            QSqlError::StatementError,
                                            QString::number(sqlite3_extended_errcode(engine))),
                                  path);
}

// A stored value as Qt's SQLite driver hands it to the record set.
QVariant storedValue(sqlite3_stmt *st, int column) {
    switch (sqlite3_column_type(st, column)) {
    case SQLITE_NULL:
        return QVariant(QMetaType::fromType<QString>());
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(st, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(st, column));
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char *>(sqlite3_column_blob(st, column)),
                                   sqlite3_column_bytes(st, column)));
    default:
        return QVariant(
            QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, column)),
                              sqlite3_column_bytes(st, column)));
    }
}

// The value a cell charts, as the text the grid would hold for it reads:
// numbers (whole or not) as they are, a missing value as 0; anything else
// the long way, through the text a box shows and the grid's reading of it.
double chartValue(sqlite3_stmt *st, int column, FieldKind kind) {
    if (kind == FieldKind::Number) {
        switch (sqlite3_column_type(st, column)) {
        case SQLITE_NULL:
            return 0;
        case SQLITE_INTEGER:
            return double(sqlite3_column_int64(st, column));
        case SQLITE_FLOAT: {
            // The grid writes -0 as "0", and has no text for what is not finite.
            const double v = sqlite3_column_double(st, column);
            return std::isfinite(v) && v != 0 ? v : 0.0;
        }
        default:
            break;
        }
    }
    return ChartContent::cellValue(
        chartCellText(RecordSet::displayText(kind, storedValue(st, column))));
}

} // namespace

ChartRead readChartContent(const RecordSet &records, const QString &source,
                           const QVector<bool> &ticked, DbError *error,
                           const std::function<bool(qint64, qint64)> &progress) {
    ChartRead read;
    ChartContent &c = read.content;
    DbError e;
    const QVector<ChartParameter> &params = chartParameters();
    for (int i = 0; i < params.size(); ++i)
        if (i < ticked.size() && ticked[i])
            c.columnLabels << params[i].label;
    const int cols = c.columns();
    c.series.resize(cols);
    c.ranges.resize(cols);
    const auto done = [&] {
        if (error)
            *error = e;
        return read;
    };
    const std::optional<ChartSelect> select = chartSelect(records, source, ticked, e);
    if (!select)
        return done();
    // Where each chart column's value stands in the SELECT (-1: the record
    // source has no such field, and the column charts 0).
    QVector<int> at(cols, -1);
    {
        QVector<int> column(params.size(), -1);
        const int first = select->hasDate ? 1 : 0;
        for (int i = 0; i < select->slot.size(); ++i)
            column[select->slot[i]] = first + i;
        for (int i = 0, k = 0; i < params.size() && k < cols; ++i)
            if (i < ticked.size() && ticked[i])
                at[k++] = column[i];
    }

    Connection connection("corvella-chart");
    if (DbError opened = connection.open(records.path(), DbAccess::ReadOnly)) {
        e = opened;
        return done();
    }
    sqlite3 *engine = engineOf(connection.db());
    if (!engine) {
        // Some other engine under Qt's driver: the long way, through texts.
        connection.close();
        const QVector<JournalChartRow> rows = queryChartRows(records, source, ticked, &e);
        const ChartGrid grid = buildChartGrid(rows, ticked);
        read.content = ChartContent::fromCells(grid.rowLabels, grid.columnLabels, grid.cells);
        read.dates = chartRowDates(rows);
        return done();
    }
    sqlite3_stmt *st = nullptr;
    const auto prepare = [&](const QString &text) {
        sqlite3_finalize(st);
        st = nullptr;
        const QByteArray sql = text.toUtf8();
        if (sqlite3_prepare_v2(engine, sql.constData(), int(sql.size()), &st, nullptr) == SQLITE_OK)
            return true;
        e = statementError(engine, records.path());
        sqlite3_finalize(st);
        st = nullptr;
        return false;
    };
    // How many rows to expect (to say how far the reading is, and to make
    // room for them at once); then the rows.
    if (!prepare(select->countSql))
        return done();
    const qint64 expected = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int64(st, 0) : 0;
    if (!prepare(select->sql))
        return done();

    c.rowLabels.reserve(expected);
    read.dates.reserve(expected);
    for (QVector<double> &s : c.series)
        s.reserve(expected);
    const bool fixed = userFormIsFixed();
    // Entries of one day follow each other: they share the label and date.
    QByteArray lastStored;
    bool lastNull = false;
    QString label;
    QDate date;
    int step = SQLITE_ROW;
    qint64 row = 0;
    while ((step = sqlite3_step(st)) == SQLITE_ROW) {
        if (progress && row % 4096 == 0 && !progress(row, expected))
            break;
        if (select->hasDate) {
            const bool null = sqlite3_column_type(st, 0) == SQLITE_NULL;
            const char *bytes = reinterpret_cast<const char *>(sqlite3_column_text(st, 0));
            const int size = sqlite3_column_bytes(st, 0);
            if (row == 0 || null != lastNull ||
                QByteArrayView(bytes, size) != QByteArrayView(lastStored)) {
                lastStored = QByteArray(bytes, size);
                lastNull = null;
                std::optional<QDate> iso;
                if (!null && size == 10 && select->kinds[0] == FieldKind::Date) {
                    char16_t wide[10];
                    for (int i = 0; i < 10; ++i)
                        wide[i] = char16_t(uchar(bytes[i]));
                    iso = fromIsoDate(QStringView(wide, 10));
                }
                if (iso && iso->year() >= 1000) {
                    date = *iso;
                    label = fixed ? dateText(date) : userDateText(date);
                } else {
                    const QString entryDate =
                        RecordSet::displayText(select->kinds[0], storedValue(st, 0));
                    label = rowLabelOf(entryDate);
                    date = rowDateOf(entryDate);
                }
            }
        }
        c.rowLabels << label;
        read.dates << date;
        for (int k = 0; k < cols; ++k) {
            const double v = at[k] >= 0 ? chartValue(st, at[k], select->kinds[at[k]]) : 0.0;
            c.series[k] << v;
            SeriesRange &r = c.ranges[k];
            if (row == 0 || v < r.low)
                r.low = v;
            if (row == 0 || v > r.high)
                r.high = v;
        }
        ++row;
    }
    if (step != SQLITE_DONE && step != SQLITE_ROW)
        e = statementError(engine, records.path());
    sqlite3_finalize(st);
    if (step != SQLITE_DONE) {
        // Stopped or failed: nothing half read.
        c.rowLabels.clear();
        read.dates.clear();
        for (int k = 0; k < cols; ++k) {
            c.series[k].clear();
            c.ranges[k] = {};
        }
    }
    return done();
}

QVector<ChartBand> chartBands(const TargetRanges &ranges, const QString &waterType,
                              const QVector<bool> &ticked) {
    QVector<ChartBand> bands;
    const QVector<ChartParameter> &params = chartParameters();
    for (int i = 0; i < params.size(); ++i) {
        if (i >= ticked.size() || !ticked[i])
            continue;
        const TargetRange r = ranges.range(waterType, params[i].field);
        bands.push_back({r.low, r.high});
    }
    return bands;
}

std::optional<double> datePosition(const QVector<QDate> &rowDates, QDate date, bool byDay) {
    if (rowDates.isEmpty() || !date.isValid() || !rowDates.first().isValid() ||
        !rowDates.last().isValid() || date < rowDates.first() || date > rowDates.last())
        return std::nullopt;
    if (byDay)
        return double(rowDates.first().daysTo(date));
    for (int i = 0; i + 1 < rowDates.size(); ++i) {
        const QDate a = rowDates[i], b = rowDates[i + 1];
        if (!a.isValid() || !b.isValid() || date < a || date > b)
            continue;
        const qint64 span = a.daysTo(b);
        return i + (span > 0 ? double(a.daysTo(date)) / double(span) : 0.0);
    }
    return double(rowDates.size() - 1);
}

} // namespace corv
