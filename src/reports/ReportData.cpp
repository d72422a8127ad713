#include "ReportData.h"

#include "data/Connection.h"
#include "data/JetSql.h"
#include "data/Tables.h"
#include "platform/Conversions.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QUrl>
#include <atomic>
#include <cmath>
#include <condition_variable>
#include <mutex>
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

int ReportTable::recordCount() const {
    return feed ? feed->size() : int(rows.size());
}

const QVector<QVariant> *ReportTable::record(int r) const {
    if (feed)
        return feed->record(r);
    return r >= 0 && r < rows.size() ? &rows.at(r) : nullptr;
}

QVariant ReportTable::keyValue(int r, int column) const {
    if (feed)
        return feed->keyValue(r, column);
    return rows.at(r).value(column);
}

bool ReportTable::finishReading(ReportError *error) const {
    return !feed || feed->finish(error);
}

struct ReportFeed::Impl {
    // What was asked for; the formula is only used before the first pass
    // has ended, while the caller waits.
    QString path, table;
    QStringList order;
    ReportFormula *formula = nullptr;

    // Set by the reading thread before the first pass ends, read after.
    ReportTable meta; // the columns, the tank names
    QVector<qint64> ids;
    QVector<int> keySlot; // by column: its place among the key values, or -1
    QVector<QVariant> keys;
    int keyWidth = 0;
    std::vector<QVector<QVariant>> rows;

    enum class Phase { Keys, Records, Done, Failed, Stopped };
    mutable std::mutex mutex;
    mutable std::condition_variable wake;
    Phase phase = Phase::Keys;
    ReportError error;
    std::atomic<int> filled{0};
    std::atomic<bool> stop{false};
    std::unique_ptr<QThread> thread;

    void run();
    bool read(QSqlDatabase db);
    void enter(Phase p, const ReportError &e = ReportError()) {
        std::lock_guard<std::mutex> lock(mutex);
        phase = p;
        error = e;
        wake.notify_all();
    }
    void publish(int count) {
        std::lock_guard<std::mutex> lock(mutex);
        filled.store(count, std::memory_order_release);
        wake.notify_all();
    }
    bool fail(int number, const QString &text) {
        enter(Phase::Failed, {number, text});
        return false;
    }
    QString unreadable(const QSqlQuery &q) const {
        return QCoreApplication::translate("ReportData",
                                           "The %1 table of the data file %2 cannot be read: %3")
            .arg(table, path, q.lastError().text());
    }
};

ReportFeed::ReportFeed() : d(std::make_unique<Impl>()) {}

ReportFeed::~ReportFeed() {
    stop();
    if (d->thread)
        d->thread->wait();
}

int ReportFeed::size() const {
    return int(d->ids.size());
}

const QVector<QVariant> *ReportFeed::record(int r) const {
    if (r < 0 || r >= size())
        return nullptr;
    if (r < d->filled.load(std::memory_order_acquire))
        return &d->rows[std::size_t(r)];
    std::unique_lock<std::mutex> lock(d->mutex);
    d->wake.wait(lock, [&] {
        return r < d->filled.load() || d->phase > Impl::Phase::Records || d->stop.load();
    });
    return r < d->filled.load() ? &d->rows[std::size_t(r)] : nullptr;
}

QVariant ReportFeed::keyValue(int r, int column) const {
    const int slot = d->keySlot.value(column, -1);
    if (slot >= 0)
        return d->keys.at(qsizetype(r) * d->keyWidth + slot);
    const QVector<QVariant> *row = record(r);
    return row ? row->value(column) : QVariant();
}

bool ReportFeed::finish(ReportError *error) const {
    std::unique_lock<std::mutex> lock(d->mutex);
    d->wake.wait(lock, [&] { return d->phase > Impl::Phase::Records; });
    if (d->phase == Impl::Phase::Done)
        return true;
    if (error)
        *error = d->phase == Impl::Phase::Failed ? d->error : ReportError();
    return false;
}

void ReportFeed::stop() {
    std::lock_guard<std::mutex> lock(d->mutex);
    d->stop = true;
    d->wake.notify_all();
}

void ReportFeed::Impl::run() {
    ReadOnlyConnection conn(path);
    if (!conn.isOpen()) {
        fail(ReportErr::DataFileUnreadable,
             QCoreApplication::translate("ReportData", "The data file %1 cannot be opened: %2")
                 .arg(path, conn.error()));
        return;
    }
    QSqlDatabase db = conn.db();
    // Both passes read the file as it stood when the first began: the
    // second finds the very records the first selected.
    QSqlQuery(db).exec(QStringLiteral("BEGIN"));
    read(db);
    QSqlQuery(db).exec(QStringLiteral("COMMIT"));
}

bool ReportFeed::Impl::read(QSqlDatabase db) {
    ReportTable &out = meta;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("PRAGMA table_info(%1)").arg(quoteIdentifier(table))))
        return fail(ReportErr::DataFileUnreadable,
                    QCoreApplication::translate("ReportData", "The data file %1 cannot be read: %2")
                        .arg(path, q.lastError().text()));
    bool uniqueId = false;
    while (q.next()) {
        const QString name = q.value(1).toString();
        const ReportFieldKind kind = kindOf(q.value(2).toString(), name);
        out.columns.push_back({name, kind, shownDecimals(table, name), keepsWords(table, name)});
        // The key of each record, to find it again in the second pass.
        if (name.compare(QLatin1String("ID"), Qt::CaseInsensitive) == 0 && q.value(5).toInt() > 0 &&
            q.value(2).toString().trimmed().compare(QLatin1String("INTEGER"),
                                                    Qt::CaseInsensitive) == 0)
            uniqueId = true;
    }
    q.finish();
    if (out.columns.isEmpty())
        return fail(ReportErr::TableMissing,
                    QCoreApplication::translate("ReportData", "The data file %1 has no %2 table.")
                        .arg(path, table));
    out.table = table;
    const int idColumn = out.columnIndex(QStringLiteral("ID"));
    out.tankColumn = out.columnIndex(QStringLiteral("TankID"));

    // Only names checked against the table's own columns reach the query,
    // and quoted; the formula is never part of it.
    QStringList terms;
    for (const QString &field : std::as_const(order)) {
        const int c = out.columnIndex(field);
        if (c < 0)
            return fail(ReportErr::FieldMissing,
                        QCoreApplication::translate(
                            "ReportData", "The report orders by %1, a field the %2 table does not "
                                          "have.")
                            .arg(field, table));
        // Names sort as a reader expects them to, and as the windows show
        // them: "dKH" among the d's, "Ésope" among the E's.
        const ReportFieldKind kind = out.columns.at(c).kind;
        const bool text = kind == ReportFieldKind::Text || kind == ReportFieldKind::Memo;
        terms << quoteIdentifier(out.columns.at(c).name) +
                     (text ? QStringLiteral(" COLLATE ") + QLatin1String(TextOrder) : QString());
    }
    if (idColumn >= 0)
        terms << quoteIdentifier(out.columns.at(idColumn).name);

    QStringList names;
    QVector<FormulaFieldKind> kinds;
    for (const ReportColumn &c : std::as_const(out.columns)) {
        names << c.name;
        kinds << formulaKind(c.kind);
    }
    QString unknown;
    if (!formula->bind(names, kinds, &unknown))
        return fail(ReportErr::FormulaUnknownField,
                    QCoreApplication::translate(
                        "ReportData", "The selection formula names the field {%1}, which the %2 "
                                      "table does not have.")
                        .arg(unknown, table));

    QString from = QStringLiteral(" FROM %1").arg(quoteIdentifier(table));
    // A formula that pins the key or the tank ("{ID} = 12", "{TankID} = 2",
    // what the print dialog writes) lets the database pick those rows by
    // index, with the number bound, never written into the text. The
    // formula still decides on every row read.
    std::optional<double> pinned;
    for (const QString &field : {QStringLiteral("ID"), QStringLiteral("TankID")}) {
        const int c = out.columnIndex(field);
        if (c < 0 || out.columns.at(c).kind != ReportFieldKind::Integer)
            continue;
        if ((pinned = formula->pinnedNumber(field))) {
            from += QStringLiteral(" WHERE %1 = ?").arg(quoteIdentifier(out.columns.at(c).name));
            break;
        }
    }
    if (!terms.isEmpty())
        from += QStringLiteral(" ORDER BY ") + terms.join(QStringLiteral(", "));
    auto select = [&](QSqlQuery &query, const QString &what) {
        query.setForwardOnly(true);
        query.prepare(QStringLiteral("SELECT ") + what + from);
        if (pinned)
            query.addBindValue(*pinned);
        return query.exec();
    };

    // The first pass reads what the report needs before its first record:
    // which records the formula selects, their tanks and their amounts.
    // Without a unique key to find them again by, it reads them whole.
    const int n = int(out.columns.size());
    QVector<int> wanted; // the columns read, by their place in the table
    if (uniqueId) {
        QVector<bool> take(n, false);
        take[idColumn] = true;
        keySlot.fill(-1, n);
        for (int c = 0; c < n; ++c)
            if (c == out.tankColumn || out.columns.at(c).kind == ReportFieldKind::Currency) {
                take[c] = true;
                keySlot[c] = keyWidth++;
            }
        for (const QString &field : formula->fieldNames())
            if (const int c = out.columnIndex(field); c >= 0)
                take[c] = true;
        for (int c = 0; c < n; ++c)
            if (take[c])
                wanted << c;
    } else {
        for (int c = 0; c < n; ++c)
            wanted << c;
    }
    QStringList what;
    for (int c : std::as_const(wanted))
        what << quoteIdentifier(out.columns.at(c).name);
    if (!select(q, what.join(QStringLiteral(", "))))
        return fail(ReportErr::DataFileUnreadable, unreadable(q));
    QVector<QVariant> row(n);
    while (q.next()) {
        if (stop)
            return enter(Phase::Stopped), false;
        for (int i = 0; i < wanted.size(); ++i)
            row[wanted.at(i)] = q.value(i);
        if (!formula->matches(row))
            continue;
        if (!uniqueId) {
            rows.push_back(row);
            ids.push_back(qint64(rows.size()));
            continue;
        }
        ids.push_back(row.at(idColumn).toLongLong());
        for (int c = 0; c < n; ++c)
            if (keySlot.at(c) >= 0)
                keys.push_back(row.at(c));
    }
    if (q.lastError().isValid())
        return fail(ReportErr::DataFileUnreadable, unreadable(q));
    q.finish();

    if (out.tankColumn >= 0) {
        // A missing tank table only costs the names; the records still print.
        QSqlQuery t(db);
        t.setForwardOnly(true);
        if (t.exec(QStringLiteral("SELECT ID, TankName FROM Tank")))
            while (t.next())
                out.tankNames.insert(t.value(0).toLongLong(), t.value(1).toString());
    }
    if (!uniqueId) {
        filled = int(rows.size());
        enter(Phase::Done);
        return true;
    }
    enter(Phase::Records);

    // The second pass reads the records themselves, in the same order, and
    // keeps those the first selected.
    rows.resize(std::size_t(ids.size()));
    if (!select(q, QStringLiteral("*")))
        return fail(ReportErr::DataFileUnreadable, unreadable(q));
    int next = 0;
    while (next < ids.size() && q.next()) {
        if (stop)
            return enter(Phase::Stopped), false;
        if (q.value(idColumn).toLongLong() != ids.at(next))
            continue;
        QVector<QVariant> &into = rows[std::size_t(next)];
        into.resize(n);
        for (int i = 0; i < n; ++i)
            into[i] = q.value(i);
        if (++next % 64 == 0)
            publish(next);
    }
    if (q.lastError().isValid())
        return fail(ReportErr::DataFileUnreadable, unreadable(q));
    if (next != ids.size())
        return fail(ReportErr::DataFileUnreadable,
                    QCoreApplication::translate(
                        "ReportData", "The %1 table of the data file %2 changed while it was read.")
                        .arg(table, path));
    publish(next);
    enter(Phase::Done);
    return true;
}

bool readReportTable(const QString &path, const QString &table, const QStringList &order,
                     ReportFormula &formula, ReportTable *out, ReportError *error,
                     ReportReading how) {
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

    // The records are read on a thread of their own, which holds the
    // connection for as long as it reads.
    std::shared_ptr<ReportFeed> feed(new ReportFeed);
    ReportFeed::Impl &d = *feed->d;
    d.path = path;
    d.table = table;
    d.order = order;
    d.formula = &formula;
    d.thread.reset(QThread::create([&d] { d.run(); }));
    d.thread->start();
    {
        std::unique_lock<std::mutex> lock(d.mutex);
        d.wake.wait(lock, [&] { return d.phase != ReportFeed::Impl::Phase::Keys; });
        if (d.phase == ReportFeed::Impl::Phase::Failed) {
            const ReportError e = d.error;
            lock.unlock();
            return fail(error, e.number, e.text);
        }
    }
    d.formula = nullptr;
    out->table = d.meta.table;
    out->columns = d.meta.columns;
    out->tankColumn = d.meta.tankColumn;
    out->tankNames = d.meta.tankNames;
    if (how == ReportReading::Fed) {
        out->feed = std::move(feed);
        return true;
    }
    ReportError e;
    if (!feed->finish(&e))
        return fail(error, e.number, e.text);
    d.thread->wait();
    out->rows.reserve(qsizetype(d.rows.size()));
    for (QVector<QVariant> &row : d.rows)
        out->rows.push_back(std::move(row));
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
