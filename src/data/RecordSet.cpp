#include "RecordSet.h"

#include "Tables.h"

#include "Criteria.h"
#include "Schema.h"
#include "Tables.h"
#include "platform/Conversions.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSet>
#include <QSqlError>
#include <cmath>

namespace corv {

namespace {

FieldKind kindOfDeclaredType(const QString &declared, int *maxLength) {
    const QString t = declared.trimmed().toUpper();
    *maxLength = 0;
    if (t.startsWith(QLatin1String("DATE")))
        return FieldKind::Date;
    if (t.startsWith(QLatin1String("CURRENCY")))
        return FieldKind::Currency;
    if (t.contains(QLatin1String("INT")))
        return FieldKind::Integer;
    if (t.startsWith(QLatin1String("REAL")) || t.startsWith(QLatin1String("DOUBLE")) ||
        t.startsWith(QLatin1String("FLOAT")) || t.startsWith(QLatin1String("NUMERIC")))
        return FieldKind::Number;
    if (t.contains(QLatin1String("CHAR"))) {
        const qsizetype open = t.indexOf(u'('), close = t.indexOf(u')');
        if (open > 0 && close > open)
            *maxLength = t.mid(open + 1, close - open - 1).trimmed().toInt();
        return FieldKind::Text;
    }
    return FieldKind::Memo;
}

QString kindName(FieldKind k) {
    switch (k) {
    case FieldKind::Integer:
        return QCoreApplication::translate("RecordSet", "a whole number");
    case FieldKind::Number:
        return QCoreApplication::translate("RecordSet", "a number");
    case FieldKind::Currency:
        return QCoreApplication::translate("RecordSet", "an amount of money");
    case FieldKind::Date:
        return withUserDateFormat(QCoreApplication::translate("RecordSet", "a date (mm/dd/yyyy)"));
    default:
        return QStringLiteral("text");
    }
}

} // namespace

RecordSet::RecordSet() = default;

RecordSet::~RecordSet() {
    close();
}

void RecordSet::setBusyTimeout(int milliseconds) {
    corv::setBusyTimeout(milliseconds);
}

DbError RecordSet::engineError(const QSqlError &error, const QString &path) {
    return corv::engineError(error, path);
}

void RecordSet::clearRows() {
    m_keys.clear();
    m_pos = -1;
    m_gap = -1;
    m_adding = false;
    m_posBeforeAdd = -1;
    m_row.clear();
}

void RecordSet::close() {
    m_fetch.reset();
    clearRows();
    m_fields.clear();
    m_fieldByName.clear();
    m_conn.close();
    m_path.clear();
}

qint64 (*RecordSet::reservedTankKey)() = nullptr;
void (*RecordSet::runLongWork)(const std::function<void()> &work) = nullptr;

DbError RecordSet::ensureConnection(const QString &path) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists() || info.isDir())
        return {
            DbErr::FileNotFound,
            QCoreApplication::translate("RecordSet", "Could not find the file '%1'.").arg(path)};
    if (m_conn.isOpen() && m_path == path)
        return {};
    close();
    if (DbError e = m_conn.open(path, DbAccess::ReadWrite))
        return e;
    m_path = path;
    // A file with triggers or views of its own is not used: a trigger would
    // run its statements at the windows' next edit.
    if (const QStringList foreign = foreignSchemaObjects(m_conn.db()); !foreign.isEmpty()) {
        close();
        return {DbErr::NotADatabase, foreignSchemaMessage(path, foreign)};
    }
    // The file is brought up to this program's schema the first time it is
    // opened. A file of a newer schema is refused untouched. When an upgrade
    // cannot be done (a read-only file, another program's lock) the file is
    // left exactly as it was and opens as before: every version holds the
    // tables the record windows read.
    const qint64 keyTaken = reservedTankKey ? reservedTankKey() : 0;
    DbError upgraded;
    const int version = schemaVersion(m_conn.db());
    if (runLongWork && version >= 0 && version < currentSchemaVersion) {
        // Rebuilding the tables of a large file takes a while: it is done
        // over a connection of the work's own, which can run off the event
        // loop.
        runLongWork([&] {
            Connection upgrade("corvella-upgrade");
            if (DbError e = upgrade.open(path, DbAccess::ReadWrite))
                upgraded = e;
            else
                upgraded = upgradeSchema(upgrade.db(), path, nullptr, keyTaken);
        });
    } else {
        upgraded = upgradeSchema(m_conn.db(), path, nullptr, keyTaken);
    }
    if (upgraded.number == newerSchemaError) {
        close();
        return upgraded;
    }
    return {};
}

DbError RecordSet::execOrError(QSqlQuery &q) {
    if (q.exec())
        return {};
    return engineError(q.lastError(), m_path);
}

DbError RecordSet::loadFields(const SelectStatement &st) {
    QSqlQuery q(m_conn.db());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("PRAGMA table_info(%1)").arg(quoteIdentifier(st.table))))
        return engineError(q.lastError(), m_path);
    QVector<FieldInfo> all;
    bool hasId = false;
    while (q.next()) {
        FieldInfo f;
        f.name = q.value(1).toString();
        f.kind = kindOfDeclaredType(q.value(2).toString(), &f.maxLength);
        f.decimals = shownDecimals(st.table, f.name);
        if (f.name.compare(QLatin1String("ID"), Qt::CaseInsensitive) == 0) {
            f.kind = FieldKind::Integer;
            hasId = true;
        }
        all.push_back(f);
    }
    if (q.lastError().isValid())
        return engineError(q.lastError(), m_path);
    if (all.isEmpty())
        return {DbErr::TableNotFound,
                QCoreApplication::translate("RecordSet",
                                            "The table '%1' does not exist in the database %2.")
                    .arg(st.table, QFileInfo(m_path).fileName())};
    if (!hasId)
        return {DbErr::EngineFailure,
                QCoreApplication::translate("RecordSet", "The table '%1' has no ID field.")
                    .arg(st.table)};
    m_table = st.table;
    m_fields.clear();
    m_fieldByName.clear();
    auto find = [&](const QString &name) -> const FieldInfo * {
        for (const FieldInfo &f : all)
            if (f.name.compare(name, Qt::CaseInsensitive) == 0)
                return &f;
        return nullptr;
    };
    if (st.columns.isEmpty()) {
        m_fields = all;
    } else {
        for (const QString &c : st.columns) {
            const FieldInfo *f = find(c);
            if (!f)
                return {DbErr::UnknownField,
                        QCoreApplication::translate("RecordSet",
                                                    "The table '%1' has no field named '%2'.")
                            .arg(st.table, c)};
            m_fields.push_back(*f);
        }
    }
    for (const QString &c : st.orderColumns)
        if (!find(c))
            return {DbErr::UnknownField, QCoreApplication::translate(
                                             "RecordSet", "The table '%1' has no field named '%2'.")
                                             .arg(st.table, c)};
    for (int i = 0; i < m_fields.size(); ++i)
        m_fieldByName.insert(m_fields[i].name.toLower(), i);
    return {};
}

DbError RecordSet::open(const QString &path, const QString &source) {
    DbError error;
    const auto st = parseSelect(source, &error);
    if (!st) {
        close();
        return error;
    }
    if ((error = ensureConnection(path))) {
        close();
        return error;
    }
    m_fetch.reset();
    clearRows();
    if ((error = loadFields(*st))) {
        m_fields.clear();
        m_fieldByName.clear();
        return error;
    }
    m_where = st->where;

    const QString keys =
        keySelectText(*st, [this](const QString &column) { return sortsAsText(column); });
    {
        QSqlQuery q(m_conn.db());
        q.setForwardOnly(true);
        if (!q.exec(keys))
            return engineError(q.lastError(), m_path);
        while (q.next())
            m_keys.push_back(q.value(0).toLongLong());
        if (q.lastError().isValid()) {
            m_keys.clear();
            return engineError(q.lastError(), m_path);
        }
    }

    QStringList cols;
    for (const FieldInfo &f : m_fields)
        cols << quoteIdentifier(f.name);
    m_fetch = std::make_unique<QSqlQuery>(m_conn.db());
    m_fetch->setForwardOnly(true);
    if (!m_fetch->prepare(QStringLiteral("SELECT %1 FROM %2 WHERE \"ID\" = ?")
                              .arg(cols.join(QStringLiteral(", ")), quoteIdentifier(m_table)))) {
        const DbError e = engineError(m_fetch->lastError(), m_path);
        m_fetch.reset();
        m_keys.clear();
        return e;
    }
    return m_keys.empty() ? DbError{} : fetch(0);
}

int RecordSet::fieldIndex(const QString &name) const {
    return m_fieldByName.value(name.toLower(), -1);
}

bool RecordSet::sortsAsText(const QString &name) const {
    const int i = fieldIndex(name);
    if (i < 0)
        return true;
    const FieldKind kind = m_fields.at(i).kind;
    return kind == FieldKind::Text || kind == FieldKind::Memo;
}

DbError RecordSet::fetch(int position) {
    m_adding = false;
    m_gap = -1;
    if (position < 0 || size_t(position) >= m_keys.size()) {
        m_pos = -1;
        m_row.clear();
        return {};
    }
    m_pos = position;
    m_row = QVector<QVariant>(m_fields.size());
    if (!m_fetch)
        return {DbErr::NoCurrentRecord,
                QCoreApplication::translate("RecordSet", "No current record.")};
    m_fetch->bindValue(0, m_keys[size_t(position)]);
    if (!m_fetch->exec())
        return engineError(m_fetch->lastError(), m_path);
    if (m_fetch->next()) {
        for (int i = 0; i < m_fields.size(); ++i)
            m_row[i] = m_fetch->value(i);
    }
    // Finishing releases the read lock so other windows can write.
    m_fetch->finish();
    return {};
}

DbError RecordSet::moveFirst() {
    return fetch(m_keys.empty() ? -1 : 0);
}

DbError RecordSet::moveLast() {
    return fetch(int(m_keys.size()) - 1);
}

DbError RecordSet::moveNext() {
    const int count = int(m_keys.size());
    if (count == 0)
        return fetch(-1);
    if (m_gap >= 0)
        return fetch(std::min(m_gap, count - 1));
    if (m_adding)
        return fetch(count - 1);
    return fetch(std::min(std::max(m_pos + 1, 0), count - 1));
}

DbError RecordSet::movePrevious() {
    const int count = int(m_keys.size());
    if (count == 0)
        return fetch(-1);
    if (m_gap >= 0)
        return fetch(std::max(std::min(m_gap - 1, count - 1), 0));
    if (m_adding)
        return fetch(count - 1);
    return fetch(std::max(m_pos - 1, 0));
}

DbError RecordSet::setAbsolutePosition(int position) {
    if (position < 0 || size_t(position) >= m_keys.size())
        return {DbErr::InvalidArgument,
                QCoreApplication::translate("RecordSet", "There is no record at position %1.")
                    .arg(position + 1)};
    return fetch(position);
}

QVariant RecordSet::value(int field) const {
    if (m_adding || m_pos < 0 || field < 0 || field >= m_row.size())
        return QVariant();
    return m_row[field];
}

QString RecordSet::text(int field) const {
    if (field < 0 || field >= m_fields.size())
        return QString();
    return displayText(m_fields[field].kind, value(field), m_fields[field].decimals);
}

QString RecordSet::displayText(FieldKind kind, const QVariant &stored, int decimals) {
    if (stored.isNull() || !stored.isValid())
        return QString();
    switch (kind) {
    case FieldKind::Integer:
        if (stored.typeId() == QMetaType::Double)
            return numberText(stored.toDouble());
        return stored.toString();
    case FieldKind::Number: {
        bool ok = false;
        const double v = stored.toDouble(&ok);
        return ok ? numberText(v, decimals) : stored.toString();
    }
    case FieldKind::Currency: {
        bool ok = false;
        const qint64 units = stored.toLongLong(&ok);
        if (ok && stored.typeId() != QMetaType::QString)
            return Fixed4::fromUnits(units).toText(decimals);
        return stored.toString();
    }
    case FieldKind::Date: {
        const QString s = stored.toString();
        if (const auto d = fromIsoDate(s))
            return dateText(*d);
        return s;
    }
    default:
        return stored.toString();
    }
}

DbError RecordSet::toStored(const FieldInfo &field, const QString &text, QVariant &stored) {
    auto mismatch = [&] {
        return DbError{DbErr::ConversionError,
                       QCoreApplication::translate(
                           "RecordSet", "Data type conversion error: '%1' cannot be stored in the "
                                        "field %2, which takes %3.")
                           .arg(text.left(60), field.name, kindName(field.kind))};
    };
    if (text.trimmed().isEmpty() && field.kind != FieldKind::Text &&
        field.kind != FieldKind::Memo) {
        stored = QVariant();
        return {};
    }
    if (text.isEmpty()) {
        stored = QVariant();
        return {};
    }
    switch (field.kind) {
    case FieldKind::Integer: {
        const auto n = toNumber(text);
        if (!n || !std::isfinite(*n) || *n != std::floor(*n) || std::fabs(*n) > 9.0e15)
            return mismatch();
        stored = static_cast<qint64>(*n);
        return {};
    }
    case FieldKind::Number: {
        const auto n = toNumber(text);
        if (!n || !std::isfinite(*n))
            return mismatch();
        stored = *n;
        return {};
    }
    case FieldKind::Currency: {
        const auto f = Fixed4::fromText(text);
        if (!f)
            return mismatch();
        stored = f->units();
        return {};
    }
    case FieldKind::Date: {
        const auto d = toDate(text);
        if (!d)
            return mismatch();
        stored = isoDateText(*d);
        return {};
    }
    case FieldKind::Text:
        if (field.maxLength > 0 && text.size() > field.maxLength)
            return {DbErr::FieldTooSmall,
                    QCoreApplication::translate("RecordSet",
                                                "The field %1 takes at most %2 characters.")
                        .arg(field.name)
                        .arg(field.maxLength)};
        stored = text;
        return {};
    case FieldKind::Memo:
        stored = text;
        return {};
    }
    return mismatch();
}

void RecordSet::beginAdd() {
    if (!m_adding)
        m_posBeforeAdd = m_gap >= 0 ? -1 : m_pos;
    m_adding = true;
    m_gap = -1;
    m_row.clear();
}

void RecordSet::cancelAdd() {
    if (!m_adding)
        return;
    m_adding = false;
    fetch(m_posBeforeAdd);
}

DbError RecordSet::convertTexts(const QHash<int, QString> &texts, QStringList &columns,
                                QVector<QVariant> &values) const {
    for (auto it = texts.cbegin(); it != texts.cend(); ++it) {
        if (it.key() < 0 || it.key() >= m_fields.size())
            continue;
        const FieldInfo &f = m_fields[it.key()];
        if (f.name.compare(QLatin1String("ID"), Qt::CaseInsensitive) == 0)
            continue; // the engine assigns it
        QVariant v;
        if (DbError e = toStored(f, it.value(), v))
            return e;
        columns << quoteIdentifier(f.name);
        values << v;
    }
    return {};
}

DbError RecordSet::storeAdded(const QHash<int, QString> &texts) {
    if (!m_conn.isOpen() || !m_fetch)
        return {DbErr::NoCurrentRecord,
                QCoreApplication::translate("RecordSet", "The record source is not open.")};
    QStringList cols;
    QVector<QVariant> values;
    if (DbError e = convertTexts(texts, cols, values))
        return e;
    QSqlQuery q(m_conn.db());
    const QString sql =
        cols.isEmpty()
            ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoteIdentifier(m_table))
            : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(quoteIdentifier(m_table), cols.join(QStringLiteral(", ")),
                       QStringList(cols.size(), QStringLiteral("?")).join(QStringLiteral(", ")));
    if (!q.prepare(sql))
        return engineError(q.lastError(), m_path);
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, values[i]);
    if (DbError e = execOrError(q))
        return e;
    const qint64 id = q.lastInsertId().toLongLong();
    q.finish();
    m_keys.push_back(id);
    m_adding = false;
    return fetch(int(m_keys.size()) - 1);
}

DbError RecordSet::storeCurrent(const QHash<int, QString> &texts) {
    if (m_adding)
        return storeAdded(texts);
    if (!hasCurrent())
        return {DbErr::NoCurrentRecord,
                QCoreApplication::translate("RecordSet", "No current record.")};
    QStringList cols;
    QVector<QVariant> values;
    if (DbError e = convertTexts(texts, cols, values))
        return e;
    if (cols.isEmpty())
        return {};
    QSqlQuery q(m_conn.db());
    if (!q.prepare(QStringLiteral("UPDATE %1 SET %2 = ? WHERE \"ID\" = ?")
                       .arg(quoteIdentifier(m_table), cols.join(QStringLiteral(" = ?, ")))))
        return engineError(q.lastError(), m_path);
    int i = 0;
    for (; i < values.size(); ++i)
        q.bindValue(i, values[i]);
    q.bindValue(i, currentKey());
    if (DbError e = execOrError(q))
        return e;
    const int affected = q.numRowsAffected();
    q.finish();
    if (affected == 0)
        return {DbErr::RecordDeleted,
                QCoreApplication::translate(
                    "RecordSet", "The record was deleted by another window or program.")};
    return fetch(m_pos);
}

DbError RecordSet::deleteCurrent() {
    if (!hasCurrent())
        return {DbErr::NoCurrentRecord,
                QCoreApplication::translate("RecordSet", "No current record.")};
    QSqlQuery q(m_conn.db());
    if (!q.prepare(QStringLiteral("DELETE FROM %1 WHERE \"ID\" = ?").arg(quoteIdentifier(m_table))))
        return engineError(q.lastError(), m_path);
    q.bindValue(0, currentKey());
    if (DbError e = execOrError(q))
        return e;
    q.finish();
    const int p = m_pos;
    m_keys.erase(m_keys.begin() + p);
    m_pos = -1;
    m_row.clear();
    m_gap = p;
    return {};
}

DbError RecordSet::reloadCurrent() {
    if (m_adding) {
        m_row.clear();
        return {};
    }
    return fetch(m_pos);
}

DbError RecordSet::find(const QString &criterion, int from, int *found) {
    *found = -1;
    DbError error;
    const auto c = parseCriterion(criterion, &error);
    if (!c)
        return error;
    const int fi = fieldIndex(c->field);
    if (fi < 0)
        return {DbErr::UnknownField, QCoreApplication::translate(
                                         "RecordSet", "The record source has no field named '%1'.")
                                         .arg(c->field)};
    if (!m_conn.isOpen())
        return {DbErr::NoCurrentRecord,
                QCoreApplication::translate("RecordSet", "The record source is not open.")};
    const FieldInfo field = m_fields[fi];

    std::optional<LikePattern> pattern;
    if (c->op == Criterion::Like)
        pattern = LikePattern::compile(c->text, &error);
    // What an exact comparison compares with, by the field's kind.
    const auto asDate = field.kind == FieldKind::Date ? toDate(c->text) : std::nullopt;
    const auto asNumber = (field.kind == FieldKind::Number || field.kind == FieldKind::Integer)
                              ? toNumber(c->text)
                              : std::nullopt;
    const auto asMoney =
        field.kind == FieldKind::Currency ? Fixed4::fromText(c->text) : std::nullopt;
    const QString isoWanted = asDate ? isoDateText(*asDate) : QString();

    auto matches = [&](const QVariant &v) {
        if (v.isNull())
            return false;
        if (pattern)
            return pattern->matches(displayText(field.kind, v));
        if (asDate)
            return v.toString() == isoWanted;
        if (asNumber)
            return v.toDouble() == *asNumber;
        if (asMoney)
            return v.toLongLong() == asMoney->units();
        return displayText(field.kind, v).compare(c->text, Qt::CaseInsensitive) == 0;
    };

    QString sql = QStringLiteral("SELECT \"ID\", %1 FROM %2")
                      .arg(quoteIdentifier(field.name), quoteIdentifier(m_table));
    if (!m_where.isEmpty())
        sql += QStringLiteral(" WHERE ") + m_where;
    QSet<qint64> hits;
    {
        QSqlQuery q(m_conn.db());
        q.setForwardOnly(true);
        if (!q.exec(sql))
            return engineError(q.lastError(), m_path);
        while (q.next())
            if (matches(q.value(1)))
                hits.insert(q.value(0).toLongLong());
    }
    if (hits.isEmpty())
        return {};
    for (size_t k = size_t(std::max(from, 0)); k < m_keys.size(); ++k) {
        if (hits.contains(m_keys[k])) {
            *found = int(k);
            return {};
        }
    }
    return {};
}

} // namespace corv
