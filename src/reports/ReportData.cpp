#include "ReportData.h"

#include "data/Connection.h"
#include "data/JetSql.h"
#include "data/Tables.h"
#include "platform/Conversions.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <cmath>
#include <optional>

namespace corv {

namespace {

ReportFieldKind kindOf(const QString &declared, const QString &name) {
    if (name.compare(QLatin1String("ID"), Qt::CaseInsensitive) == 0)
        return ReportFieldKind::Integer;
    const QString t = declared.trimmed().toUpper();
    if (t.startsWith(QLatin1String("DATE")))
        return ReportFieldKind::Date;
    if (t.startsWith(QLatin1String("CURRENCY")))
        return ReportFieldKind::Currency;
    if (t.contains(QLatin1String("INT")))
        return ReportFieldKind::Integer;
    if (t.startsWith(QLatin1String("REAL")) || t.startsWith(QLatin1String("DOUBLE")) ||
        t.startsWith(QLatin1String("FLOAT")) || t.startsWith(QLatin1String("NUMERIC")))
        return ReportFieldKind::Number;
    if (t.contains(QLatin1String("CHAR")))
        return ReportFieldKind::Text;
    return ReportFieldKind::Memo;
}

FormulaFieldKind formulaKind(ReportFieldKind k) {
    switch (k) {
    case ReportFieldKind::Integer:
    case ReportFieldKind::Number:
        return FormulaFieldKind::Number;
    case ReportFieldKind::Currency:
        return FormulaFieldKind::Currency;
    case ReportFieldKind::Date:
        return FormulaFieldKind::Date;
    case ReportFieldKind::Text:
    case ReportFieldKind::Memo:
        break;
    }
    return FormulaFieldKind::Text;
}

// One read-only connection for the length of a report run: it never
// creates the file and never writes to it, even while the record windows
// hold it open for writing.
class ReadOnlyConnection {
public:
    explicit ReadOnlyConnection(const QString &path) {
        if (DbError e = m_conn.open(path, DbAccess::ReadOnly))
            m_error = e.description;
    }
    bool isOpen() const { return m_conn.isOpen(); }
    QString error() const { return m_error; }
    QSqlDatabase db() { return m_conn.db(); }

private:
    Connection m_conn{"corvella-report"};
    QString m_error;
};

bool fail(ReportError *error, int number, const QString &text) {
    if (error) {
        error->number = number;
        error->text = text;
    }
    return false;
}

} // namespace

int ReportTable::columnIndex(const QString &name) const {
    for (int i = 0; i < columns.size(); ++i)
        if (columns.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool readReportTable(const QString &path, const QString &table, const QStringList &order,
                     ReportFormula &formula, ReportTable *out, ReportError *error) {
    *out = ReportTable();
    if (path.trimmed().isEmpty())
        return fail(error, ReportErr::NoDataFile,
                    QCoreApplication::translate("ReportData", "No data file was named."));
    const QFileInfo info(path);
    if (!info.exists() || info.isDir())
        return fail(error, ReportErr::DataFileNotFound,
                    QCoreApplication::translate("ReportData", "The data file %1 does not exist.")
                        .arg(path));
    {
        // Any SQLite file starts so; anything else is not ours, and the
        // engine would only say so at the first query.
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return fail(
                error, ReportErr::DataFileUnreadable,
                QCoreApplication::translate("ReportData", "The data file %1 cannot be read.")
                    .arg(path));
        if (f.read(16) != QByteArray("SQLite format 3\0", 16))
            return fail(error, ReportErr::DataFileUnreadable,
                        QCoreApplication::translate("ReportData",
                                                    "The data file %1 is not a Corvella database.")
                            .arg(path));
    }
    ReadOnlyConnection conn(path);
    if (!conn.isOpen())
        return fail(
            error, ReportErr::DataFileUnreadable,
            QCoreApplication::translate("ReportData", "The data file %1 cannot be opened: %2")
                .arg(path, conn.error()));
    QSqlDatabase db = conn.db();

    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("PRAGMA table_info(%1)").arg(quoteIdentifier(table))))
        return fail(error, ReportErr::DataFileUnreadable,
                    QCoreApplication::translate("ReportData", "The data file %1 cannot be read: %2")
                        .arg(path, q.lastError().text()));
    while (q.next()) {
        const QString name = q.value(1).toString();
        out->columns.push_back({name, kindOf(q.value(2).toString(), name),
                                shownDecimals(table, name), keepsWords(table, name)});
    }
    q.finish();
    if (out->columns.isEmpty())
        return fail(error, ReportErr::TableMissing,
                    QCoreApplication::translate("ReportData", "The data file %1 has no %2 table.")
                        .arg(path, table));
    out->table = table;
    const int idColumn = out->columnIndex(QStringLiteral("ID"));
    out->tankColumn = out->columnIndex(QStringLiteral("TankID"));

    // Only names checked against the table's own columns reach the query,
    // and quoted; the formula is never part of it.
    QStringList terms;
    for (const QString &field : order) {
        const int c = out->columnIndex(field);
        if (c < 0)
            return fail(error, ReportErr::FieldMissing,
                        QCoreApplication::translate(
                            "ReportData", "The report orders by %1, a field the %2 table does not "
                                          "have.")
                            .arg(field, table));
        // Names sort as a reader expects them to, and as the windows show
        // them: "dKH" among the d's, "Ésope" among the E's.
        const ReportFieldKind kind = out->columns.at(c).kind;
        const bool text = kind == ReportFieldKind::Text || kind == ReportFieldKind::Memo;
        terms << quoteIdentifier(out->columns.at(c).name) +
                     (text ? QStringLiteral(" COLLATE ") + QLatin1String(TextOrder) : QString());
    }
    if (idColumn >= 0)
        terms << quoteIdentifier(out->columns.at(idColumn).name);

    QStringList names;
    QVector<FormulaFieldKind> kinds;
    for (const ReportColumn &c : std::as_const(out->columns)) {
        names << c.name;
        kinds << formulaKind(c.kind);
    }
    QString unknown;
    if (!formula.bind(names, kinds, &unknown))
        return fail(error, ReportErr::FormulaUnknownField,
                    QCoreApplication::translate(
                        "ReportData", "The selection formula names the field {%1}, which the %2 "
                                      "table does not have.")
                        .arg(unknown, table));

    QString sql = QStringLiteral("SELECT * FROM %1").arg(quoteIdentifier(table));
    // A formula that pins the key or the tank ("{ID} = 12", "{TankID} = 2",
    // what the print dialog writes) lets the database pick those rows by
    // index, with the number bound, never written into the text. The
    // formula still decides on every row read.
    std::optional<double> pinned;
    for (const QString &field : {QStringLiteral("ID"), QStringLiteral("TankID")}) {
        const int c = out->columnIndex(field);
        if (c < 0 || out->columns.at(c).kind != ReportFieldKind::Integer)
            continue;
        if ((pinned = formula.pinnedNumber(field))) {
            sql += QStringLiteral(" WHERE %1 = ?").arg(quoteIdentifier(out->columns.at(c).name));
            break;
        }
    }
    if (!terms.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + terms.join(QStringLiteral(", "));
    q.prepare(sql);
    if (pinned)
        q.addBindValue(*pinned);
    if (!q.exec())
        return fail(error, ReportErr::DataFileUnreadable,
                    QCoreApplication::translate(
                        "ReportData", "The %1 table of the data file %2 cannot be read: %3")
                        .arg(table, path, q.lastError().text()));
    const int n = int(out->columns.size());
    QVector<QVariant> row(n);
    while (q.next()) {
        for (int i = 0; i < n; ++i)
            row[i] = q.value(i);
        if (formula.matches(row))
            out->rows.push_back(row);
    }
    if (q.lastError().isValid())
        return fail(error, ReportErr::DataFileUnreadable,
                    QCoreApplication::translate(
                        "ReportData", "The %1 table of the data file %2 cannot be read: %3")
                        .arg(table, path, q.lastError().text()));
    q.finish();

    if (out->tankColumn >= 0) {
        // A missing tank table only costs the names; the records still print.
        QSqlQuery t(db);
        t.setForwardOnly(true);
        if (t.exec(QStringLiteral("SELECT ID, TankName FROM Tank")))
            while (t.next())
                out->tankNames.insert(t.value(0).toLongLong(), t.value(1).toString());
    }
    return true;
}

QString moneyText(qint64 units) {
    const bool negative = units < 0;
    // Whole cents, halves away from zero; done on the magnitude so that the
    // smallest representable amount cannot overflow.
    const quint64 magnitude = negative ? quint64(-(units + 1)) + 1 : quint64(units);
    const quint64 cents = (magnitude + 50) / 100;
    QString whole = QString::number(cents / 100);
    for (qsizetype i = whole.size() - 3; i > 0; i -= 3)
        whole.insert(i, u',');
    const QString text =
        QStringLiteral("%1.%2").arg(whole).arg(int(cents % 100), 2, 10, QLatin1Char('0'));
    return negative && cents != 0 ? QStringLiteral("-") + text : text;
}

QString reportText(const QVariant &value, ReportFieldKind kind, int decimals) {
    if (value.isNull())
        return QString();
    switch (kind) {
    case ReportFieldKind::Integer:
        if (value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Int)
            return QString::number(value.toLongLong());
        break;
    case ReportFieldKind::Number:
        if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::LongLong ||
            value.typeId() == QMetaType::Int)
            return numberText(value.toDouble(), decimals);
        break;
    case ReportFieldKind::Currency:
        if (value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Int)
            return Fixed4::fromUnits(value.toLongLong()).toText(decimals);
        if (value.typeId() == QMetaType::Double && std::abs(value.toDouble()) < 9e18)
            return Fixed4::fromUnits(qint64(std::llround(value.toDouble()))).toText(decimals);
        break;
    case ReportFieldKind::Date: {
        const QString s = value.toString().trimmed();
        if (const auto d = fromIsoDate(s))
            return dateText(*d);
        return s;
    }
    case ReportFieldKind::Text:
    case ReportFieldKind::Memo:
        break;
    }
    return value.toString();
}

} // namespace corv
