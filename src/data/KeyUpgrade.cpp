#include "KeyUpgrade.h"

#include "Connection.h"
#include "JetSql.h"
#include "Schema.h"
#include "Tables.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QVector>

namespace corv {

namespace {

bool setError(QString *error, const QString &text) {
    if (error)
        *error = text;
    return false;
}

// One token of an SQL text: a word, a quoted identifier or string, or a
// single punctuation character. Comments and white space are skipped.
struct Token {
    enum Kind { Word, Identifier, String, Punct } kind;
    qsizetype start;
    qsizetype end; // one past the last character
    QString value; // a word as written, an identifier without its quotes
};

QVector<Token> tokenize(const QString &sql) {
    QVector<Token> out;
    const qsizetype n = sql.size();
    qsizetype i = 0;
    auto isWordChar = [](QChar c) {
        return c.isLetterOrNumber() || c == u'_' || c == u'$' || c.unicode() > 0x7f;
    };
    while (i < n) {
        const QChar c = sql[i];
        // White space as SQLite reads it: ASCII only. A no-break space is
        // part of a word to SQLite ("ID\u00a0INTEGER" has no type INTEGER).
        if (c == u' ' || (c.unicode() >= 0x09 && c.unicode() <= 0x0d)) {
            ++i;
        } else if (c == u'-' && i + 1 < n && sql[i + 1] == u'-') {
            while (i < n && sql[i] != u'\n')
                ++i;
        } else if (c == u'/' && i + 1 < n && sql[i + 1] == u'*') {
            const qsizetype close = sql.indexOf(QLatin1String("*/"), i + 2);
            i = close < 0 ? n : close + 2;
        } else if (c == u'"' || c == u'`' || c == u'\'' || c == u'[') {
            const QChar closing = c == u'[' ? QChar(u']') : c;
            QString value;
            qsizetype j = i + 1;
            while (j < n) {
                if (sql[j] == closing) {
                    // A doubled quote stands for one; brackets cannot nest.
                    if (closing != u']' && j + 1 < n && sql[j + 1] == closing) {
                        value += closing;
                        j += 2;
                        continue;
                    }
                    break;
                }
                value += sql[j++];
            }
            out.push_back(
                {c == u'\'' ? Token::String : Token::Identifier, i, std::min(j + 1, n), value});
            i = j + 1;
        } else if (isWordChar(c)) {
            qsizetype j = i;
            while (j < n && isWordChar(sql[j]))
                ++j;
            out.push_back({Token::Word, i, j, sql.mid(i, j - i)});
            i = j;
        } else {
            out.push_back({Token::Punct, i, i + 1, QString(c)});
            ++i;
        }
    }
    return out;
}

bool isWord(const Token &t, const char *word) {
    return t.kind == Token::Word && t.value.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

bool isName(const Token &t, const QString &name) {
    return (t.kind == Token::Word || t.kind == Token::Identifier) &&
           t.value.compare(name, Qt::CaseInsensitive) == 0;
}

bool hasAutoincrement(const QString &createSql) {
    const QVector<Token> tokens = tokenize(createSql);
    for (const Token &t : tokens)
        if (isWord(t, "AUTOINCREMENT"))
            return true;
    return false;
}

} // namespace

QString autoincrementTableSql(const QString &createSql, const QString &newName) {
    const QVector<Token> t = tokenize(createSql);
    // CREATE [TEMP] TABLE [IF NOT EXISTS] [schema.]name ( ...
    qsizetype i = 0;
    while (i < t.size() && !isWord(t[i], "TABLE"))
        ++i;
    if (i + 1 >= t.size())
        return QString();
    const qsizetype nameStart = i + 1;
    qsizetype open = nameStart;
    while (open < t.size() && !(t[open].kind == Token::Punct && t[open].value == u'('))
        ++open;
    if (open >= t.size() || open == nameStart)
        return QString();

    // Find the column definition that starts with ID, and its PRIMARY KEY.
    qsizetype insertAt = -1;
    int depth = 0;
    bool atDefinitionStart = true;
    bool inId = false;
    // The ID column's declared type: only one that is exactly INTEGER makes
    // the column the row's key (and takes AUTOINCREMENT).
    QVector<const Token *> idType;
    bool idTypeDone = false, idTypeHasSize = false;
    auto constraintWord = [](const Token &tok) {
        for (const char *w : {"CONSTRAINT", "PRIMARY", "NOT", "NULL", "UNIQUE", "CHECK", "DEFAULT",
                              "COLLATE", "REFERENCES", "GENERATED", "AS"})
            if (isWord(tok, w))
                return true;
        return false;
    };
    for (qsizetype k = open + 1; k < t.size(); ++k) {
        const Token &tok = t[k];
        if (tok.kind == Token::Punct && tok.value == u'(') {
            if (inId && depth == 0 && !idTypeDone)
                idTypeHasSize = true;
            ++depth;
            continue;
        }
        if (tok.kind == Token::Punct && tok.value == u')') {
            if (depth == 0)
                break;
            --depth;
            continue;
        }
        if (depth > 0)
            continue;
        if (tok.kind == Token::Punct && tok.value == u',') {
            atDefinitionStart = true;
            inId = false;
            continue;
        }
        if (atDefinitionStart) {
            atDefinitionStart = false;
            inId = isName(tok, QStringLiteral("ID"));
            if (inId) {
                idType.clear();
                idTypeDone = idTypeHasSize = false;
            }
            continue;
        }
        if (inId && !idTypeDone) {
            if (constraintWord(tok))
                idTypeDone = true;
            else
                idType.push_back(&tok);
        }
        if (inId && isWord(tok, "PRIMARY") && k + 1 < t.size() && isWord(t[k + 1], "KEY")) {
            if (insertAt >= 0)
                return QString();
            if (idType.size() != 1 || !isWord(*idType.front(), "INTEGER") || idTypeHasSize)
                return QString();
            qsizetype last = k + 1;
            // "INTEGER PRIMARY KEY DESC" is no row key in SQLite (an
            // ordinary column with an index of its own), and AUTOINCREMENT
            // is refused on it.
            if (last + 1 < t.size() && isWord(t[last + 1], "DESC"))
                return QString();
            if (last + 1 < t.size() && isWord(t[last + 1], "ASC"))
                ++last;
            if (last + 3 < t.size() && isWord(t[last + 1], "ON") && isWord(t[last + 2], "CONFLICT"))
                last += 3;
            // Already counted: nothing to upgrade.
            if (last + 1 < t.size() && isWord(t[last + 1], "AUTOINCREMENT"))
                return QString();
            insertAt = t[last].end;
        }
    }
    if (insertAt < 0)
        return QString();
    // A table WITHOUT ROWID has no row key for AUTOINCREMENT to count.
    for (qsizetype k = 1; k < t.size(); ++k)
        if (isWord(t[k - 1], "WITHOUT") && isWord(t[k], "ROWID"))
            return QString();
    QString out = createSql.left(t[nameStart].start) + quoteIdentifier(newName) + u' ' +
                  createSql.mid(t[open].start, insertAt - t[open].start) +
                  QStringLiteral(" AUTOINCREMENT") + createSql.mid(insertAt);
    return out;
}

QStringList tablesReusingKeys(QSqlDatabase &db, QString *error) {
    QStringList out;
    for (const TableDef &def : corvellaTables()) {
        QSqlQuery q(db);
        q.setForwardOnly(true);
        q.prepare(QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type = 'table' AND "
                                 "name = ? COLLATE NOCASE"));
        q.addBindValue(def.name);
        if (!q.exec()) {
            setError(error, q.lastError().text());
            return {};
        }
        if (!q.next())
            continue;
        const QString name = q.value(0).toString();
        const QString sql = q.value(1).toString();
        q.finish();
        if (hasAutoincrement(sql))
            continue;
        // Only a single INTEGER PRIMARY KEY names the row itself; that is the
        // key SQLite would hand out again.
        if (!q.exec(QStringLiteral("PRAGMA table_info(%1)").arg(quoteIdentifier(name)))) {
            setError(error, q.lastError().text());
            return {};
        }
        int keyColumns = 0;
        bool idIsRowKey = false;
        while (q.next()) {
            if (q.value(5).toInt() == 0)
                continue;
            ++keyColumns;
            idIsRowKey =
                q.value(1).toString().compare(QLatin1String("ID"), Qt::CaseInsensitive) == 0 &&
                q.value(2).toString().compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0;
        }
        if (keyColumns == 1 && idIsRowKey)
            out << name;
    }
    return out;
}

bool rebuildKeys(QSqlDatabase &db, const QStringList &tables, qint64 tankKeyTaken,
                 QString *problemOut) {
    QString problem;
    QSqlQuery q(db);
    auto exec = [&](const QString &sql) {
        if (!problem.isEmpty())
            return false;
        if (q.exec(sql))
            return true;
        problem = q.lastError().text() + QCoreApplication::translate("KeyUpgrade", " (in: ") +
                  sql.left(80) + u')';
        return false;
    };
    auto scalar = [&](const QString &sql) -> qint64 {
        if (!exec(sql) || !q.next())
            return 0;
        const qint64 v = q.value(0).toLongLong();
        q.finish();
        return v;
    };
    auto exists = [&](const QString &table) {
        return scalar(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' "
                                     "AND name = '%1' COLLATE NOCASE")
                          .arg(table)) > 0;
    };

    for (const QString &table : tables) {
        if (!problem.isEmpty())
            break;
        const QString quoted = quoteIdentifier(table);
        QString createSql;
        QStringList dependents, columns;
        if (exec(QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'table' AND name = "
                                "'%1'")
                     .arg(table)) &&
            q.next())
            createSql = q.value(0).toString();
        q.finish();
        if (exec(QStringLiteral("SELECT sql FROM sqlite_master WHERE tbl_name = '%1' AND type IN "
                                "('index', 'trigger') AND sql IS NOT NULL ORDER BY rowid")
                     .arg(table)))
            while (q.next())
                dependents << q.value(0).toString();
        q.finish();
        if (exec(QStringLiteral("PRAGMA table_info(%1)").arg(quoted)))
            while (q.next())
                columns << quoteIdentifier(q.value(1).toString());
        q.finish();
        if (!problem.isEmpty())
            break;

        const QString temp = table + QStringLiteral("_keys_upgrade");
        if (exists(temp)) {
            problem = QCoreApplication::translate("KeyUpgrade", "a table named %1 is in the way")
                          .arg(temp);
            break;
        }
        const QString newSql = autoincrementTableSql(createSql, temp);
        if (newSql.isEmpty()) {
            problem =
                QCoreApplication::translate(
                    "KeyUpgrade", "the %1 table declares its ID in a way this upgrade does not "
                                  "know")
                    .arg(table);
            break;
        }
        const qint64 rows = scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(quoted));
        // The highest key ever used that is still known: the table's own,
        // and for tanks the ones journal and livestock rows still name.
        qint64 taken = scalar(QStringLiteral("SELECT IFNULL(MAX(ID), 0) FROM %1").arg(quoted));
        if (table.compare(QLatin1String("Tank"), Qt::CaseInsensitive) == 0) {
            // A settings value is only trusted within reason: a key near the
            // end of the range would leave no room for new tanks at all.
            if (tankKeyTaken > 0 && tankKeyTaken < (qint64(1) << 53))
                taken = std::max(taken, tankKeyTaken);
            for (const char *owner : {"Journal", "LiveStock"})
                if (exists(QLatin1String(owner)))
                    taken = std::max(taken, scalar(QStringLiteral("SELECT IFNULL(MAX(TankID), 0) "
                                                                  "FROM %1 WHERE typeof(TankID) = "
                                                                  "'integer'")
                                                       .arg(quoteIdentifier(owner))));
        }
        const QString cols = columns.join(QStringLiteral(", "));
        exec(newSql);
        exec(QStringLiteral("INSERT INTO %1 (%2) SELECT %2 FROM %3 ORDER BY ID")
                 .arg(quoteIdentifier(temp), cols, quoted));
        exec(QStringLiteral("DROP TABLE %1").arg(quoted));
        exec(QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(quoteIdentifier(temp), quoted));
        for (const QString &sql : std::as_const(dependents))
            exec(sql);
        exec(QStringLiteral("DELETE FROM sqlite_sequence WHERE name IN ('%1', '%2')")
                 .arg(table, temp));
        if (taken > 0)
            exec(QStringLiteral("INSERT INTO sqlite_sequence (name, seq) VALUES ('%1', %2)")
                     .arg(table)
                     .arg(taken));
        if (problem.isEmpty() &&
            scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(quoted)) != rows)
            problem = QCoreApplication::translate("KeyUpgrade",
                                                  "the %1 table lost rows while it was rebuilt")
                          .arg(table);
    }
    if (problem.isEmpty()) {
        const QStringList left = tablesReusingKeys(db, &problem);
        if (problem.isEmpty() && !left.isEmpty())
            problem = QCoreApplication::translate("KeyUpgrade", "the %1 table was not rebuilt")
                          .arg(left.first());
    }

    q.finish();
    if (!problem.isEmpty() && problemOut)
        *problemOut = problem;
    return problem.isEmpty();
}

bool upgradeKeys(QSqlDatabase &db, QStringList *upgraded, QString *error, qint64 tankKeyTaken) {
    if (upgraded)
        upgraded->clear();
    QString problem;
    const QStringList tables = tablesReusingKeys(db, &problem);
    if (!problem.isEmpty())
        return setError(error, problem);
    if (tables.isEmpty())
        return true;
    if (!inCheckedTransaction(
            db, [&](QString *why) { return rebuildKeys(db, tables, tankKeyTaken, why); }, error))
        return false;
    if (upgraded)
        *upgraded = tables;
    return true;
}

bool upgradeKeysInFile(const QString &path, QStringList *upgraded, QString *error) {
    if (upgraded)
        upgraded->clear();
    QString why;
    if (!isCorvellaDatabase(path, &why))
        return setError(error, why);
    Connection connection("corvella-upgrade");
    QString problem;
    bool ok = false;
    if (DbError e = connection.open(path, DbAccess::ReadWrite))
        problem = e.description;
    else
        ok = upgradeKeys(connection.db(), upgraded, &problem);
    if (!ok)
        return setError(error, QCoreApplication::translate("KeyUpgrade", "Cannot upgrade %1: %2")
                                   .arg(QDir::toNativeSeparators(path), problem));
    return true;
}

} // namespace corv
