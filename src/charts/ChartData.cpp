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
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <cmath>

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

QVector<JournalChartRow> queryChartRows(const RecordSet &records, const QString &source,
                                        const QVector<bool> &ticked, DbError *error) {
    QVector<JournalChartRow> rows;
    DbError e;
    const auto done = [&] {
        if (error)
            *error = e;
        return rows;
    };
    const auto st = parseSelect(source, &e);
    if (!st)
        return done();
    const QFileInfo info(records.path());
    if (!records.isOpen() || !info.exists()) {
        e = {DbErr::FileNotFound,
             QCoreApplication::translate("ChartData", "Could not find the file '%1'.")
                 .arg(records.path())};
        return done();
    }

    // The columns to read, with the kinds the record set found for them.
    const QVector<ChartParameter> &params = chartParameters();
    QStringList columns;
    QVector<FieldKind> kinds;
    QVector<int> slot; // parameter index of each column after the date
    const auto add = [&](const QString &field) {
        const int f = records.fieldIndex(field);
        if (f < 0)
            return false;
        columns << quoteIdentifier(records.fields()[f].name);
        kinds << records.fields()[f].kind;
        return true;
    };
    const bool hasDate = add(QStringLiteral("EntryDate"));
    for (int i = 0; i < params.size(); ++i) {
        const bool wanted = ticked.isEmpty() || (i < ticked.size() && ticked[i]);
        if (wanted && add(params[i].field))
            slot << i;
    }
    if (columns.isEmpty())
        columns << QStringLiteral("\"ID\"");

    QString sql = QStringLiteral("SELECT %1 FROM %2")
                      .arg(columns.join(QStringLiteral(", ")), quoteIdentifier(st->table));
    if (!st->where.isEmpty())
        sql += QStringLiteral(" WHERE ") + st->where;
    // The record set's own order: the record source's, then ID for ties.
    QStringList order = st->orderBy;
    order << QStringLiteral("\"ID\"");
    sql += QStringLiteral(" ORDER BY ") + order.join(QStringLiteral(", "));

    {
        Connection connection("corvella-chart");
        if (DbError opened = connection.open(records.path(), DbAccess::ReadOnly)) {
            e = opened;
        } else {
            QSqlDatabase &db = connection.db();
            QSqlQuery q(db);
            q.setForwardOnly(true);
            if (!q.exec(sql)) {
                e = RecordSet::engineError(q.lastError(), records.path());
            } else {
                rows.reserve(records.recordCount());
                const int first = hasDate ? 1 : 0;
                while (q.next()) {
                    JournalChartRow row;
                    if (hasDate)
                        row.entryDate = RecordSet::displayText(kinds[0], q.value(0));
                    row.values = QStringList(params.size(), QString());
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
        // The label reads the user's way; the date kept for spacing below
        // is read from the fixed form.
        const auto shownDate = userFormIsFixed() ? std::nullopt : toDate(r.entryDate);
        g.rowLabels << (shownDate ? userDateText(*shownDate) : r.entryDate);
        for (int c : columns)
            g.cells << chartCellText(c < r.values.size() ? r.values[c] : QString());
    }
    return g;
}

QVector<QDate> chartRowDates(const QVector<JournalChartRow> &rows) {
    QVector<QDate> dates;
    dates.reserve(rows.size());
    static const QString shown = QStringLiteral("MM/dd/yyyy");
    for (const JournalChartRow &r : rows) {
        QDate d = QDate::fromString(r.entryDate, shown);
        // A date kept in some other form still counts when it reads as one.
        if (!d.isValid() && !r.entryDate.trimmed().isEmpty())
            d = toDate(r.entryDate).value_or(QDate());
        dates.push_back(d);
    }
    return dates;
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
