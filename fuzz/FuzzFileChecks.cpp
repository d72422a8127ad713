// Properties of the readers of whole files and stored texts: CSV import,
// report templates and the table definitions the key upgrade reads.
#include "FuzzChecks.h"

#include "data/Csv.h"
#include "data/KeyUpgrade.h"
#include "data/Transfer.h"
#include "platform/Conversions.h"
#include "reports/ReportTemplate.h"

#include <QBuffer>
#include <QFile>
#include <cmath>
#include <sqlite3.h>

namespace corv::fuzz {

namespace {

QString shownText(const QString &s) {
    QString t;
    for (QChar c : s.left(120))
        t += c.unicode() < 0x20 ? QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QChar(u'0'))
                                : QString(c);
    return u'"' + t + (s.size() > 120 ? QStringLiteral("...\"") : QStringLiteral("\""));
}

// Two values of one field are the same record value.
bool sameValue(const QVariant &a, const QVariant &b) {
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    if (a.typeId() == QMetaType::Double || b.typeId() == QMetaType::Double)
        return a.toDouble() == b.toDouble();
    if (a.typeId() == QMetaType::LongLong || b.typeId() == QMetaType::LongLong)
        return a.toLongLong() == b.toLongLong();
    return a.toString() == b.toString();
}

// The lines a text editor shows for the bytes: line breaks are CRLF, LF or a
// lone CR.
int lineCount(const QByteArray &bytes) {
    int lines = 1;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n')
            ++lines;
        else if (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n'))
            ++lines;
    }
    return lines;
}

} // namespace

// --- CSV import ------------------------------------------------------------------

QString checkCsvImport(const QByteArray &input) {
    // The table follows from the input, so that every table is met.
    const auto table = TransferTable(input.size() % 4);
    CsvImport import(table);
    import.analyseBytes(input);
    const int lines = lineCount(input);
    for (const ImportNote &n : import.report()) {
        if (n.text.size() > 600)
            return QStringLiteral("a report line of %1 characters: %2")
                .arg(n.text.size())
                .arg(shownText(n.text));
        if (!n.refused)
            continue;
        if (n.line < 1 || n.line > lines ||
            !n.text.startsWith(QStringLiteral("Line %1: ").arg(n.line)))
            return QStringLiteral("a refusal does not name its line (%1 of %2): %3")
                .arg(n.line)
                .arg(lines)
                .arg(shownText(n.text));
    }
    if (!import.usable()) {
        if (import.report().isEmpty() || import.acceptedCount() != 0)
            return QStringLiteral("an unusable file without a reason, or with rows");
        return {};
    }
    if (import.acceptedCount() + import.refusedCount() != import.rowCount())
        return QStringLiteral("rows accepted and refused do not add up");

    // What was accepted, written out as export writes it, is read back as
    // the same records and nothing is refused.
    const QVector<FieldInfo> &fields = transferFields(table);
    QVector<int> used;
    for (const QString &c : import.columns())
        for (int i = 0; i < fields.size(); ++i)
            if (fields[i].name == c)
                used << i;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        CsvWriter writer(&buffer);
        writer.writeRow(import.columns());
        for (int r = 0; r < import.acceptedCount(); ++r) {
            QStringList cells;
            const QVector<QVariant> values = import.acceptedValues(r);
            for (int k = 0; k < used.size(); ++k)
                cells << exportFieldText(fields[used[k]], values[k]);
            writer.writeRow(cells);
        }
        writer.flush();
    }
    CsvImport again(table);
    again.analyseBytes(buffer.data());
    if (!again.usable() || again.refusedCount() != 0 ||
        again.acceptedCount() != import.acceptedCount() || again.columns() != import.columns())
        return QStringLiteral("the accepted records written out do not read back (%1 of %2, %3 "
                              "refused): %4")
            .arg(again.acceptedCount())
            .arg(import.acceptedCount())
            .arg(again.refusedCount())
            .arg(shownText(again.reportLines().join(u' ')));
    for (int r = 0; r < import.acceptedCount(); ++r) {
        const QVector<QVariant> a = import.acceptedValues(r), b = again.acceptedValues(r);
        for (int k = 0; k < a.size(); ++k)
            if (!sameValue(a[k], b[k]))
                return QStringLiteral("%1 %2 comes back as %3")
                    .arg(fields[used[k]].name, shownText(a[k].toString()),
                         shownText(b[k].toString()));
    }
    return {};
}

// --- report templates ------------------------------------------------------------

namespace {

// Records whose values look like markup and like template tags: they must
// print as the text they are.
const ReportTable &markupTable() {
    static const ReportTable table = [] {
        ReportTable t;
        t.table = QStringLiteral("Glossary");
        t.columns = {{QStringLiteral("ID"), ReportFieldKind::Integer},
                     {QStringLiteral("Term"), ReportFieldKind::Text},
                     {QStringLiteral("Definition"), ReportFieldKind::Memo}};
        const char *const terms[] = {"<INJ>bold</INJ>", "{{#records}}{{Term}}{{/records}}",
                                     "<script>INJ</script>", "&lt;INJ&gt;", "plain"};
        qint64 id = 1;
        for (const char *term : terms)
            t.rows.push_back({QVariant(id++), QVariant(QString::fromLatin1(term)),
                              QVariant(QStringLiteral("{{=<% %>=}}<INJ\n{{{Term}}}"))});
        return t;
    }();
    return table;
}

QString markupProblem(const QString &html, const QString &templateText, const char *part) {
    if (!templateText.contains(QLatin1String("INJ"), Qt::CaseInsensitive) &&
        html.contains(QLatin1String("<INJ"), Qt::CaseInsensitive))
        return QStringLiteral("markup held in the data is put into the %1")
            .arg(QLatin1String(part));
    if (!templateText.contains(QLatin1String("script"), Qt::CaseInsensitive) &&
        html.contains(QLatin1String("<script"), Qt::CaseInsensitive))
        return QStringLiteral("a script tag from the data is put into the %1")
            .arg(QLatin1String(part));
    return {};
}

} // namespace

QString checkReportTemplate(const QByteArray &input) {
    const QString t = QString::fromUtf8(input);
    ReportError error;
    const auto tmpl = ReportTemplate::fromText(t, QStringLiteral("fuzz.rpt"), &error);
    if (!tmpl) {
        if (error.text.isEmpty() || error.number == 0)
            return QStringLiteral("a refused template has no reason: ") + shownText(t);
        return {};
    }
    ReportValues values;
    values.printedOn = QDate(2024, 2, 29);
    const auto report = renderReport(*tmpl, markupTable(), values, &error);
    if (!report) {
        if (error.text.isEmpty() || error.number == 0)
            return QStringLiteral("a template that fails has no reason: ") + shownText(t);
        return {};
    }
    if (report->bodyHtml.size() > MaxRenderedReport)
        return QStringLiteral("%1 characters rendered, beyond the bound: %2")
            .arg(report->bodyHtml.size())
            .arg(shownText(t));
    if (QString why = markupProblem(report->bodyHtml, t, "body"); !why.isEmpty())
        return why + QStringLiteral(": ") + shownText(t);
    for (const QString &part : {report->pageHeader(1, 2), report->pageFooter(2, 2)}) {
        if (part.size() > MaxRenderedReport)
            return QStringLiteral("a page part beyond the bound: ") + shownText(t);
        if (QString why = markupProblem(part, t, "page header or footer"); !why.isEmpty())
            return why + QStringLiteral(": ") + shownText(t);
    }
    return {};
}

// --- table definitions of the key upgrade ----------------------------------------

namespace {

struct Column {
    QString name, type, defaultValue;
    int notNull = 0, key = 0;
    bool operator==(const Column &o) const {
        return name == o.name && type == o.type && defaultValue == o.defaultValue &&
               notNull == o.notNull && key == o.key;
    }
};

QVector<Column> columnsOf(sqlite3 *db, const QString &table) {
    QVector<Column> out;
    sqlite3_stmt *st = nullptr;
    const QByteArray sql = QStringLiteral("PRAGMA table_info(\"%1\")")
                               .arg(QString(table).replace(u'"', "\"\""))
                               .toUtf8();
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr) != SQLITE_OK)
        return out;
    auto text = [&](int i) {
        const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(st, i));
        return p ? QString::fromUtf8(p) : QString();
    };
    while (sqlite3_step(st) == SQLITE_ROW)
        out.push_back(
            {text(1), text(2), text(4), sqlite3_column_int(st, 3), sqlite3_column_int(st, 5)});
    sqlite3_finalize(st);
    return out;
}

// Definitions are made; nothing is read, run or attached (a CREATE TABLE
// ... AS SELECT could run any query).
int onlyDefinitions(void *, int action, const char *, const char *, const char *, const char *) {
    switch (action) {
    case SQLITE_SELECT:
    case SQLITE_RECURSIVE:
    case SQLITE_ATTACH:
    case SQLITE_PRAGMA:
        return SQLITE_DENY;
    default:
        return SQLITE_OK;
    }
}

} // namespace

QString checkSchemaText(const QByteArray &input) {
    const QString t = QString::fromUtf8(input);
    // The definition as SQLite keeps it: made in an empty database, read back
    // from its schema table.
    sqlite3 *db = nullptr;
    sqlite3_open(":memory:", &db);
    struct Closer {
        sqlite3 *db;
        ~Closer() { sqlite3_close(db); }
    } closer{db};
    sqlite3_limit(db, SQLITE_LIMIT_SQL_LENGTH, 100000);
    sqlite3_limit(db, SQLITE_LIMIT_EXPR_DEPTH, 100);
    sqlite3_set_authorizer(db, onlyDefinitions, nullptr);
    const QByteArray utf8 = t.toUtf8();
    sqlite3_stmt *st = nullptr;
    const char *tail = nullptr;
    QString createSql, name;
    if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &st, &tail) == SQLITE_OK && st &&
        QByteArray(sqlite3_sql(st)).trimmed().toUpper().startsWith("CREATE")) {
        const bool made = sqlite3_step(st) == SQLITE_DONE;
        sqlite3_set_authorizer(db, nullptr, nullptr);
        if (made) {
            sqlite3_stmt *q = nullptr;
            sqlite3_prepare_v2(db,
                               "SELECT name, sql FROM sqlite_master WHERE type = 'table' AND "
                               "name NOT LIKE 'sqlite\\_%' ESCAPE '\\'",
                               -1, &q, nullptr);
            if (q && sqlite3_step(q) == SQLITE_ROW) {
                name = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(q, 0)));
                createSql =
                    QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(q, 1)));
            }
            sqlite3_finalize(q);
            // Without this the check could pass for want of any table.
            if (createSql.isEmpty() &&
                QString::fromUtf8(sqlite3_sql(st))
                    .simplified()
                    .startsWith(QLatin1String("CREATE TABLE"), Qt::CaseInsensitive)) {
                sqlite3_finalize(st);
                return QStringLiteral("a table was made but not read back: ") + shownText(t);
            }
        }
    }
    sqlite3_set_authorizer(db, nullptr, nullptr);
    sqlite3_finalize(st);

    // Any text at all: the reader ends, and what it makes is one statement.
    const QString fromAny = autoincrementTableSql(t, QStringLiteral("Any_keys_upgrade"));
    if (!fromAny.isEmpty() && !fromAny.contains(QLatin1String("AUTOINCREMENT")))
        return QStringLiteral("an upgraded definition without AUTOINCREMENT: ") + shownText(t);
    if (createSql.isEmpty())
        return {};

    const QString temp = name + QStringLiteral("_keys_upgrade");
    const QString upgraded = autoincrementTableSql(createSql, temp);
    if (upgraded.isEmpty())
        return {}; // the upgrade then says it does not know the definition
    const QByteArray up = upgraded.toUtf8();
    st = nullptr;
    tail = nullptr;
    const int rc = sqlite3_prepare_v2(db, up.constData(), int(up.size()), &st, &tail);
    const QString rest = tail ? QString::fromUtf8(tail).trimmed() : QString();
    const bool made = rc == SQLITE_OK && st && sqlite3_step(st) == SQLITE_DONE;
    const QString engine = QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_finalize(st);
    if (!made)
        return QStringLiteral("the upgraded definition %1 is refused (%2), from %3")
            .arg(shownText(upgraded), engine, shownText(createSql));
    if (!rest.isEmpty() && rest != QLatin1String(";"))
        return QStringLiteral("the upgraded definition is more than one statement: ") +
               shownText(upgraded);
    const QVector<Column> before = columnsOf(db, name), after = columnsOf(db, temp);
    if (after.isEmpty() || before.size() != after.size())
        return QStringLiteral("the upgraded table %1 has other columns than %2")
            .arg(shownText(upgraded), shownText(createSql));
    for (int i = 0; i < before.size(); ++i)
        if (!(before[i] == after[i]))
            return QStringLiteral("column %1 changes in the upgrade: %2 from %3")
                .arg(before[i].name, shownText(upgraded), shownText(createSql));
    // The rebuilt table counts its keys in sqlite_sequence.
    sqlite3_stmt *seq = nullptr;
    const int hasSequence =
        sqlite3_prepare_v2(db, "SELECT 1 FROM sqlite_master WHERE name = 'sqlite_sequence'", -1,
                           &seq, nullptr) == SQLITE_OK &&
        sqlite3_step(seq) == SQLITE_ROW;
    sqlite3_finalize(seq);
    if (!hasSequence)
        return QStringLiteral("the upgraded table does not count its keys: ") + shownText(upgraded);
    return {};
}

} // namespace corv::fuzz
