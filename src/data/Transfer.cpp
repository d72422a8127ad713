#include "Transfer.h"

#include "Connection.h"

#include "Csv.h"
#include "JetSql.h"
#include "RecordSources.h"
#include "Tables.h"
#include "data/Catalogue.h"
#include "platform/Conversions.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QSaveFile>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <climits>
#include <cmath>
#include <functional>

namespace corv {

namespace {

// The fields of the catalogue that files hold, in the table's order.
QVector<FieldInfo> filedFields(TransferTable table) {
    QVector<FieldInfo> out;
    for (const FieldSpec &f : catalogueTable(transferTableName(table))->fields)
        if (f.inFiles)
            out.push_back({f.name, f.kind, f.kind == FieldKind::Text ? f.length : 0,
                           f.kind == FieldKind::Number ? f.decimals : 0});
    return out;
}

const QVector<FieldInfo> &fieldsOf(TransferTable table) {
    static const QVector<FieldInfo> tables[] = {
        filedFields(TransferTable::Journal), filedFields(TransferTable::LiveStock),
        filedFields(TransferTable::Disease), filedFields(TransferTable::Glossary),
        filedFields(TransferTable::Maintenance)};
    return tables[int(table)];
}

// The field a file must have: without it a row means nothing.
QString requiredField(TransferTable table) {
    switch (table) {
    case TransferTable::Journal:
    case TransferTable::Maintenance:
        return QStringLiteral("EntryDate");
    case TransferTable::LiveStock:
    case TransferTable::Disease:
        return QStringLiteral("CommonName");
    case TransferTable::Glossary:
        break;
    }
    return QStringLiteral("Term");
}

// The windows' own order, with ID breaking ties as the record source does.
QString exportOrder(TransferTable table) {
    switch (table) {
    case TransferTable::Journal:
    case TransferTable::Maintenance:
        return QStringLiteral("\"EntryDate\", \"ID\"");
    case TransferTable::LiveStock:
        return QStringLiteral("\"DateAcquired\", \"ID\"");
    case TransferTable::Disease:
        return QStringLiteral("\"CommonName\" COLLATE %1, \"ID\"").arg(QLatin1String(TextOrder));
    case TransferTable::Glossary:
        break;
    }
    return QStringLiteral("\"Term\" COLLATE %1, \"ID\"").arg(QLatin1String(TextOrder));
}

// A header cell compared with a field name: letter case and blanks do not
// matter, so "Specific Gravity" and "specificgravity" name SpecificGravity.
QString headerKey(const QString &text) {
    QString k;
    k.reserve(text.size());
    for (const QChar c : text)
        if (!c.isSpace())
            k.append(c.toLower());
    return k;
}

bool isNumeric(const QVariant &v) {
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Int:
    case QMetaType::UInt:
        return true;
    default:
        return false;
    }
}

// A text a spreadsheet would read as a formula, or as a cell that starts
// one: =, +, -, @, and a tab or carriage return in front of them.
bool formulaLike(const QString &text, qsizetype from) {
    if (from >= text.size())
        return false;
    const QChar c = text[from];
    return c == u'=' || c == u'+' || c == u'-' || c == u'@' || c == u'\t' || c == u'\r';
}

// Apostrophes in front of a formula-like text: the guard export adds is
// one more of them, so a text that had some keeps them through a round trip.
qsizetype leadingApostrophes(const QString &text) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == u'\'')
        ++i;
    return i;
}

QString guardedCell(const QString &text) {
    return formulaLike(text, leadingApostrophes(text)) ? u'\'' + text : text;
}

// What import takes away again: one apostrophe in front of a formula-like
// text. Any other apostrophe is the text's own.
QString unguardedCell(const QString &text) {
    const qsizetype n = leadingApostrophes(text);
    return n > 0 && formulaLike(text, n) ? text.mid(1) : text;
}

// A value from the file in a message: long ones are cut, so that a report
// stays readable whatever a file holds.
QString cut(const QString &text) {
    constexpr qsizetype Shown = 60;
    if (text.size() <= Shown)
        return text;
    return text.left(Shown) +
           QCoreApplication::translate("Transfer", "\u2026 (%1 characters)").arg(text.size());
}

// A connection of its own to the database file, never creating it.
class TransferConnection {
public:
    TransferConnection(const QString &path, bool readOnly) {
        if (DbError e = m_conn.open(path, readOnly ? DbAccess::ReadOnly : DbAccess::ReadWrite))
            m_error = e.description;
    }

    bool ok() const { return m_error.isEmpty(); }
    const QString &error() const { return m_error; }
    QSqlDatabase &db() { return m_conn.db(); }
    QString engineError(const QSqlError &e) const { return m_conn.error(e).description; }

private:
    Connection m_conn{"corvella-transfer"};
    QString m_error;
};

QString noTank() {
    return QCoreApplication::translate(
        "Transfer", "There is no default tank. Choose Options > Change Tanks and make a "
                    "tank the default first.");
}

} // namespace

QString transferTableName(TransferTable table) {
    switch (table) {
    case TransferTable::Journal:
        return QStringLiteral("Journal");
    case TransferTable::LiveStock:
        return QStringLiteral("LiveStock");
    case TransferTable::Disease:
        return QStringLiteral("Disease");
    case TransferTable::Maintenance:
        return QStringLiteral("Maintenance");
    case TransferTable::Glossary:
        break;
    }
    return QStringLiteral("Glossary");
}

bool isTankTable(TransferTable table) {
    return table == TransferTable::Journal || table == TransferTable::LiveStock ||
           table == TransferTable::Maintenance;
}

const QVector<FieldInfo> &transferFields(TransferTable table) {
    return fieldsOf(table);
}

// A value of the wrong type (another program may have put text into a
// number column) is written as it is, so that nothing is lost on the way
// out; only a number read from a number field is never guarded (-3 stays a
// number).
QString exportFieldText(const FieldInfo &f, const QVariant &v) {
    if (v.isNull() || !v.isValid())
        return QString();
    switch (f.kind) {
    case FieldKind::Date: {
        const QString s = v.toString();
        if (const auto d = fromIsoDate(s))
            return isoDateText(*d);
        return guardedCell(s);
    }
    case FieldKind::Number:
    case FieldKind::Integer:
        return isNumeric(v) ? numberText(v.toDouble(), f.decimals) : guardedCell(v.toString());
    case FieldKind::Currency:
        // At least two decimals and as many more (up to four) as the amount
        // has, so that 25.125 is not rounded away on its way out.
        return isNumeric(v) ? Fixed4::fromUnits(v.toLongLong()).toText(2)
                            : guardedCell(v.toString());
    case FieldKind::Text:
    case FieldKind::Memo:
        break;
    }
    return guardedCell(v.toString());
}

// --- export ------------------------------------------------------------------

TransferResult exportCsv(const QString &databasePath, TransferTable table, const QString &tankId,
                         QIODevice *out, const TransferProgress &progress) {
    TransferResult result;
    const bool byTank = isTankTable(table);
    if (byTank && !isWholeNumber(tankId)) {
        result.error = noTank();
        return result;
    }
    TransferConnection c(databasePath, true);
    if (!c.ok()) {
        result.error = c.error();
        return result;
    }
    const QVector<FieldInfo> &fields = fieldsOf(table);
    QStringList names, quoted;
    for (const FieldInfo &f : fields) {
        names << f.name;
        quoted << quoteIdentifier(f.name);
    }
    QString sql =
        QStringLiteral("SELECT %1 FROM %2")
            .arg(quoted.join(QStringLiteral(", ")), quoteIdentifier(transferTableName(table)));
    if (byTank)
        sql += QStringLiteral(" WHERE \"TankID\" = ?");
    sql += QStringLiteral(" ORDER BY ") + exportOrder(table);

    QSqlQuery q(c.db());
    q.setForwardOnly(true);
    if (!q.prepare(sql)) {
        result.error = c.engineError(q.lastError());
        return result;
    }
    if (byTank)
        q.bindValue(0, tankId.toLongLong());
    // The count only serves the progress bar.
    qint64 total = 0;
    if (progress) {
        QSqlQuery count(c.db());
        count.prepare(QStringLiteral("SELECT COUNT(*) FROM %1%2")
                          .arg(quoteIdentifier(transferTableName(table)),
                               byTank ? QStringLiteral(" WHERE \"TankID\" = ?") : QString()));
        if (byTank)
            count.bindValue(0, tankId.toLongLong());
        if (count.exec() && count.next())
            total = count.value(0).toLongLong();
    }
    if (!q.exec()) {
        result.error = c.engineError(q.lastError());
        return result;
    }
    CsvWriter writer(out);
    writer.writeRow(names);
    QStringList row;
    row.reserve(fields.size());
    while (q.next()) {
        row.clear();
        for (int i = 0; i < fields.size(); ++i)
            row << exportFieldText(fields[i], q.value(i));
        writer.writeRow(row);
        ++result.records;
        if (progress && result.records % 512 == 0 && !progress(result.records, total)) {
            result.cancelled = true;
            return result;
        }
    }
    if (q.lastError().isValid()) {
        result.error = c.engineError(q.lastError());
        return result;
    }
    q.finish();
    if (!writer.flush()) {
        result.error = QCoreApplication::translate("Transfer", "The file could not be written: %1")
                           .arg(out ? out->errorString() : QString());
        return result;
    }
    result.ok = true;
    return result;
}

TransferResult exportCsvFile(const QString &databasePath, TransferTable table,
                             const QString &tankId, const QString &filePath,
                             const TransferProgress &progress) {
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly)) {
        TransferResult r;
        r.error = QCoreApplication::translate("Transfer", "%1 cannot be written: %2")
                      .arg(filePath, file.errorString());
        return r;
    }
    // The records of a private database stay private: the file gets no
    // permission the database lacks (its owner can always read and write it).
    if (const QFileInfo db(databasePath); db.exists())
        file.setPermissions((file.permissions() & db.permissions()) | QFileDevice::ReadOwner |
                            QFileDevice::WriteOwner | QFileDevice::ReadUser |
                            QFileDevice::WriteUser);
    TransferResult r = exportCsv(databasePath, table, tankId, &file, progress);
    if (!r.ok) {
        file.cancelWriting();
        return r;
    }
    if (!file.commit()) {
        r.ok = false;
        r.error = QCoreApplication::translate("Transfer", "%1 cannot be written: %2")
                      .arg(filePath, file.errorString());
    }
    return r;
}

// --- import ------------------------------------------------------------------

CsvImport::CsvImport(TransferTable table) : m_table(table) {}

void CsvImport::clear() {
    m_usable = false;
    m_fields.clear();
    m_columns.clear();
    m_width = 0;
    m_rows.clear();
    m_rowCount = 0;
    m_refused = 0;
    m_alreadyStored = 0;
    m_report.clear();
}

void CsvImport::note(int line, const QString &text, bool refused) {
    // Line 0 is the file as a whole (it could not be read at all).
    m_report.push_back(
        {line,
         line > 0 ? QCoreApplication::translate("Transfer", "Line %1: %2").arg(line).arg(text)
                  : text,
         refused});
}

QStringList CsvImport::columns() const {
    QStringList out;
    for (int f : m_fields)
        out << fieldsOf(m_table)[f].name;
    return out;
}

QStringList CsvImport::reportLines() const {
    QStringList out;
    for (const ImportNote &n : m_report)
        out << n.text;
    return out;
}

QString CsvImport::summary() const {
    if (!m_usable)
        return QCoreApplication::translate("Transfer", "The file cannot be imported.");
    const int ok = acceptedCount();
    QString s = ok == 1
                    ? QCoreApplication::translate("Transfer", "1 record can be imported")
                    : QCoreApplication::translate("Transfer", "%1 records can be imported").arg(ok);
    if (m_alreadyStored > 0)
        s += m_alreadyStored == 1
                 ? QCoreApplication::translate("Transfer",
                                               "; 1 record is stored already and is left out")
                 : QCoreApplication::translate("Transfer",
                                               "; %1 records are stored already and are left out")
                       .arg(m_alreadyStored);
    if (m_refused == 0)
        return s + u'.';
    return s + (m_refused == 1 ? QCoreApplication::translate("Transfer", "; 1 line is refused.")
                               : QCoreApplication::translate("Transfer", "; %1 lines are refused.")
                                     .arg(m_refused));
}

namespace {

// A record's values as one text, the same for a value read from the file
// and the value the database gives back for it.
QString recordKey(const QVector<FieldInfo> &fields, const QVector<int> &used,
                  const std::function<QVariant(int)> &value) {
    QString key;
    for (int k = 0; k < used.size(); ++k) {
        const QVariant v = value(k);
        key += QChar(0x1f);
        if (v.isNull() || (v.typeId() == QMetaType::QString && v.toString().isEmpty())) {
            key += QChar(0x01);
            continue;
        }
        switch (fields[used[k]].kind) {
        case FieldKind::Number:
        case FieldKind::Integer:
            key += QString::number(v.toDouble(), 'g', 17);
            break;
        case FieldKind::Currency:
            key += QString::number(v.toLongLong());
            break;
        default:
            key += v.toString();
        }
    }
    return key;
}

} // namespace

int CsvImport::leaveOutStored(const QString &databasePath, const QString &tankId) {
    if (!m_usable || m_rows.isEmpty())
        return 0;
    const bool byTank = isTankTable(m_table);
    if (byTank && !isWholeNumber(tankId))
        return 0;
    TransferConnection c(databasePath, true);
    if (!c.ok())
        return 0;
    // Every field of the table is read: a stored record with a value in a
    // field the file does not have is another record, however well the
    // file's fields match it (a file of dates and pH must not drop a row
    // because an entry of that day also holds a nitrate reading).
    const QVector<FieldInfo> &fields = fieldsOf(m_table);
    QStringList cols;
    for (const FieldInfo &f : fields)
        cols << quoteIdentifier(f.name);
    QVector<bool> inFile(fields.size(), false);
    for (int f : m_fields)
        inFile[f] = true;
    QSqlQuery q(c.db());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT %1 FROM %2%3")
                  .arg(cols.join(QStringLiteral(", ")), quoteIdentifier(transferTableName(m_table)),
                       byTank ? QStringLiteral(" WHERE \"TankID\" = ?") : QString()));
    if (byTank)
        q.bindValue(0, tankId.toLongLong());
    if (!q.exec())
        return 0;
    auto empty = [](const QVariant &v) {
        return v.isNull() || (v.typeId() == QMetaType::QString && v.toString().isEmpty());
    };
    QSet<QString> stored;
    while (q.next()) {
        bool otherValues = false;
        for (int i = 0; i < fields.size() && !otherValues; ++i)
            otherValues = !inFile[i] && !empty(q.value(i));
        if (!otherValues)
            stored.insert(recordKey(fields, m_fields, [&](int k) { return q.value(m_fields[k]); }));
    }
    q.finish();

    QVector<Row> kept;
    for (Row &row : m_rows) {
        if (stored.contains(recordKey(fields, m_fields, [&](int k) { return row.values[k]; }))) {
            ++m_alreadyStored;
            note(row.line,
                 QCoreApplication::translate("Transfer",
                                             "the same record is stored already; it is left out."),
                 false);
        } else {
            kept.push_back(std::move(row));
        }
    }
    m_rows = std::move(kept);
    // The report stays in the order of the file.
    std::stable_sort(m_report.begin(), m_report.end(),
                     [](const ImportNote &a, const ImportNote &b) { return a.line < b.line; });
    return m_alreadyStored;
}

bool CsvImport::analyseFile(const QString &path) {
    clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        note(0, QCoreApplication::translate("Transfer", "%1 cannot be read: %2")
                    .arg(path, file.errorString()));
        return false;
    }
    // A journal of ten thousand entries is about two megabytes; anything
    // vastly larger is not a file of records.
    constexpr qint64 Limit = 512LL * 1024 * 1024;
    if (file.size() > Limit) {
        note(0, QCoreApplication::translate("Transfer", "%1 is too large to be a file of records.")
                    .arg(path));
        return false;
    }
    return analyseBytes(file.readAll());
}

bool CsvImport::analyseBytes(const QByteArray &bytes) {
    // No text file holds a NUL byte; images, archives and databases do. Read
    // as text they would come out as a column of garbage.
    if (const qsizetype nul = bytes.indexOf('\0'); nul >= 0) {
        clear();
        note(int(std::min<qsizetype>(bytes.left(nul).count('\n') + 1, INT_MAX)),
             QCoreApplication::translate(
                 "Transfer", "the file is not a text file of comma-separated values: it holds "
                             "binary data."));
        return false;
    }
    bool utf8 = true;
    const QString text = decodeCsvBytes(bytes, &utf8);
    const bool ok = analyse(text);
    if (!utf8)
        m_report.prepend({1,
                          QCoreApplication::translate(
                              "Transfer", "Line 1: the file is not in UTF-8; it was read as "
                                          "Windows-1252 (Western European)."),
                          false});
    return ok;
}

bool CsvImport::analyse(const QString &text) {
    clear();
    const QVector<FieldInfo> &fields = fieldsOf(m_table);
    CsvReader reader(text);
    QStringList cells;
    if (!reader.readRow(cells)) {
        note(1, QCoreApplication::translate("Transfer",
                                            "the file is empty: it has no header of field names."));
        return false;
    }
    const int headerLine = reader.rowLine();
    if (reader.rowUnterminated()) {
        note(headerLine, QCoreApplication::translate(
                             "Transfer", "a quoted field of the header is not closed."));
        return false;
    }
    // A semicolon-separated file (as some spreadsheets write where the comma
    // is the decimal sign) would have its numbers misread: "1,250" is a
    // thousand two hundred and fifty here, not one and a quarter.
    if (cells.size() == 1 && cells[0].contains(u';')) {
        note(headerLine,
             QCoreApplication::translate(
                 "Transfer", "the fields are separated by semicolons. Save the file as CSV with "
                             "commas between fields and dots in numbers."));
        return false;
    }

    QHash<QString, int> known;
    for (int i = 0; i < fields.size(); ++i)
        known.insert(headerKey(fields[i].name), i);
    QVector<int> columnOfField(fields.size(), -1);
    bool fatal = false;
    for (int col = 0; col < cells.size(); ++col) {
        const QString name = cells[col].trimmed();
        const QString key = headerKey(name);
        if (key.isEmpty()) {
            note(headerLine,
                 QCoreApplication::translate("Transfer", "column %1 has no name; it is ignored.")
                     .arg(col + 1),
                 false);
            continue;
        }
        if (key == QLatin1String("id")) {
            note(headerLine,
                 QCoreApplication::translate(
                     "Transfer", "column \"%1\" is ignored: Corvella numbers the records itself.")
                     .arg(cut(name)),
                 false);
            continue;
        }
        if (key == QLatin1String("tankid") && isTankTable(m_table)) {
            note(headerLine,
                 QCoreApplication::translate(
                     "Transfer", "column \"%1\" is ignored: the records go to the default tank.")
                     .arg(cut(name)),
                 false);
            continue;
        }
        const auto it = known.constFind(key);
        if (it == known.cend()) {
            note(headerLine,
                 QCoreApplication::translate(
                     "Transfer", "column \"%1\" is not a field of the %2 table; it is ignored.")
                     .arg(cut(name), transferTableName(m_table)),
                 false);
            continue;
        }
        if (columnOfField[*it] >= 0) {
            note(headerLine,
                 QCoreApplication::translate("Transfer", "the column \"%1\" appears twice.")
                     .arg(cut(name)));
            fatal = true;
            continue;
        }
        columnOfField[*it] = col;
    }
    const QString required = requiredField(m_table);
    if (columnOfField[known.value(headerKey(required))] < 0) {
        note(
            headerLine,
            QCoreApplication::translate("Transfer", "the column \"%1\" is missing.").arg(required));
        fatal = true;
    }
    if (fatal)
        return false;

    // The file's own spelling of each column names it in the report.
    QStringList columnNames;
    for (int i = 0; i < fields.size(); ++i) {
        if (columnOfField[i] < 0)
            continue;
        m_fields << i;
        m_columns << columnOfField[i];
        columnNames << cells[columnOfField[i]].trimmed();
    }
    m_width = int(cells.size());
    m_usable = true;

    QStringList problems;
    while (reader.readRow(cells)) {
        ++m_rowCount;
        const int line = reader.rowLine();
        problems.clear();
        if (reader.rowUnterminated()) {
            problems << QCoreApplication::translate(
                "Transfer", "a quoted field is not closed; the rest of the file "
                            "belongs to it.");
        } else if (reader.rowMalformed()) {
            problems << QCoreApplication::translate("Transfer",
                                                    "there is text after a closing quote.");
        } else if (cells.size() != m_width) {
            problems << QCoreApplication::translate("Transfer",
                                                    "the row has %1; the header has %2.")
                            .arg(cells.size() == 1
                                     ? QCoreApplication::translate("Transfer", "1 field")
                                     : QCoreApplication::translate("Transfer", "%1 fields")
                                           .arg(cells.size()))
                            .arg(m_width);
        }
        Row row{line, QVector<QVariant>(m_fields.size())};
        // Every bad field of a row of the right shape is reported, not only
        // the first, so that one look at the report is enough to mend it.
        if (problems.isEmpty()) {
            for (int k = 0; k < m_fields.size(); ++k) {
                const FieldInfo &f = fields[m_fields[k]];
                const QString &value = cells[m_columns[k]];
                const QString name = cut(columnNames[k]);
                QVariant &stored = row.values[k];
                switch (f.kind) {
                case FieldKind::Number:
                case FieldKind::Integer: {
                    if (value.trimmed().isEmpty())
                        break;
                    const auto n = toNumber(value);
                    if (!n)
                        problems << QCoreApplication::translate("Transfer",
                                                                "%1 \"%2\" is not a number.")
                                        .arg(name, cut(value));
                    else if (!std::isfinite(*n))
                        problems << QCoreApplication::translate("Transfer",
                                                                "%1 \"%2\" is too large.")
                                        .arg(name, cut(value));
                    else
                        stored = *n;
                    break;
                }
                case FieldKind::Date: {
                    if (value.trimmed().isEmpty())
                        break;
                    if (const auto d = toDate(value))
                        stored = isoDateText(*d);
                    else
                        problems << QCoreApplication::translate(
                                        "Transfer", "%1 \"%2\" is not a date (mm/dd/yyyy or "
                                                    "yyyy-mm-dd).")
                                        .arg(name, cut(value));
                    break;
                }
                case FieldKind::Currency: {
                    if (value.trimmed().isEmpty())
                        break;
                    if (const auto amount = Fixed4::fromText(value))
                        stored = amount->units();
                    else if (readsAsNumber(value))
                        problems << QCoreApplication::translate("Transfer",
                                                                "%1 \"%2\" is too large.")
                                        .arg(name, cut(value));
                    else
                        problems << QCoreApplication::translate(
                                        "Transfer", "%1 \"%2\" is not an amount (EX: 25.00).")
                                        .arg(name, cut(value));
                    break;
                }
                case FieldKind::Text:
                case FieldKind::Memo: {
                    // A text a spreadsheet would take for a formula was
                    // written with an apostrophe in front; it is not the
                    // text's own.
                    const QString text = unguardedCell(value);
                    const int longest = f.maxLength > 0 ? f.maxLength : MaxImportedText;
                    if (text.size() > longest) {
                        problems << QCoreApplication::translate("Transfer",
                                                                "%1 is longer than %2 characters.")
                                        .arg(name, QLocale(QLocale::English, QLocale::UnitedStates)
                                                       .toString(longest));
                        break;
                    }
                    if (!text.isEmpty())
                        stored = text;
                    break;
                }
                }
            }
        }
        if (!problems.isEmpty()) {
            ++m_refused;
            for (const QString &p : std::as_const(problems))
                note(line, p);
            continue;
        }
        m_rows.push_back(std::move(row));
    }
    return true;
}

TransferResult CsvImport::commit(const QString &databasePath, const QString &tankId,
                                 const TransferProgress &progress) const {
    TransferResult result;
    if (!m_usable) {
        result.error = QCoreApplication::translate(
            "Transfer", "The file cannot be imported; nothing was stored.");
        return result;
    }
    const bool byTank = isTankTable(m_table);
    if (byTank && !isWholeNumber(tankId)) {
        result.error = noTank();
        return result;
    }
    if (m_rows.isEmpty()) {
        result.ok = true;
        return result;
    }
    TransferConnection c(databasePath, false);
    if (!c.ok()) {
        result.error = c.error();
        return result;
    }
    QSqlQuery q(c.db());
    if (byTank) {
        q.prepare(QStringLiteral("SELECT COUNT(*) FROM \"Tank\" WHERE \"ID\" = ?"));
        q.bindValue(0, tankId.toLongLong());
        if (!q.exec() || !q.next()) {
            result.error = c.engineError(q.lastError());
            return result;
        }
        if (q.value(0).toLongLong() == 0) {
            result.error = QCoreApplication::translate(
                "Transfer", "The default tank is no longer in the database; "
                            "nothing was stored.");
            return result;
        }
        q.finish();
    }

    QStringList cols;
    if (byTank)
        cols << quoteIdentifier(QStringLiteral("TankID"));
    for (int f : m_fields)
        cols << quoteIdentifier(fieldsOf(m_table)[f].name);
    const QString insert =
        QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
            .arg(quoteIdentifier(transferTableName(m_table)), cols.join(QStringLiteral(", ")),
                 QStringList(cols.size(), QStringLiteral("?")).join(QStringLiteral(", ")));

    // IMMEDIATE takes the write lock at once, so a busy database fails here
    // rather than halfway through the rows.
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        result.error = c.engineError(q.lastError()) +
                       QCoreApplication::translate("Transfer", " Nothing was stored.");
        return result;
    }
    auto rollBack = [&](const QString &why) {
        QSqlQuery r(c.db());
        r.exec(QStringLiteral("ROLLBACK"));
        result.error = why + QCoreApplication::translate("Transfer", " Nothing was stored.");
        result.records = 0;
        return result;
    };
    QSqlQuery ins(c.db());
    if (!ins.prepare(insert))
        return rollBack(c.engineError(ins.lastError()));
    const QVariant tank = byTank ? QVariant(tankId.toLongLong()) : QVariant();
    for (const Row &row : m_rows) {
        int p = 0;
        if (byTank)
            ins.bindValue(p++, tank);
        for (const QVariant &v : row.values)
            ins.bindValue(p++, v);
        if (!ins.exec())
            return rollBack(
                QCoreApplication::translate("Transfer", "Line %1 could not be stored: %2")
                    .arg(row.line)
                    .arg(c.engineError(ins.lastError())));
        ++result.records;
        // Asked after storing, so that a stop always has stored rows to
        // take back.
        if (progress && result.records % 512 == 0 && !progress(result.records, m_rows.size())) {
            ins.finish();
            rollBack(QString());
            result.error.clear();
            result.cancelled = true;
            return result;
        }
    }
    ins.finish();
    if (progress && !progress(result.records, m_rows.size())) {
        rollBack(QString());
        result.error.clear();
        result.cancelled = true;
        return result;
    }
    if (!q.exec(QStringLiteral("COMMIT")))
        return rollBack(c.engineError(q.lastError()));
    result.ok = true;
    return result;
}

} // namespace corv
