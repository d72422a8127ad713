#include "ReferenceData.h"

#include "Connection.h"

#include "JetSql.h"
#include "Tables.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringDecoder>
#include <QUrl>

namespace corv {

namespace {

bool setError(QString *error, const QString &text) {
    if (error)
        *error = text;
    return false;
}

} // namespace

const ReferenceLayout &diseaseLayout() {
    static const ReferenceLayout layout{
        QStringLiteral("Disease"),
        QStringLiteral("Disease.tsv"),
        {QStringLiteral("CommonName"), QStringLiteral("ScientificName"), QStringLiteral("Symptoms"),
         QStringLiteral("Treatment"), QStringLiteral("Notes")},
        {QStringLiteral("CommonName"), QStringLiteral("Symptoms"), QStringLiteral("Treatment")},
        QStringLiteral("CommonName"),
        {QStringLiteral("CommonName"), QStringLiteral("ScientificName")},
        QStringLiteral("diseases")};
    return layout;
}

const ReferenceLayout &glossaryLayout() {
    static const ReferenceLayout layout{
        QStringLiteral("Glossary"),
        QStringLiteral("Glossary.tsv"),
        {QStringLiteral("Term"), QStringLiteral("Definition")},
        {QStringLiteral("Term"), QStringLiteral("Definition")},
        QStringLiteral("Term"),
        {QStringLiteral("Term")},
        QCoreApplication::translate("ReferenceData", "glossary terms")};
    return layout;
}

std::optional<QString> unescapeReferenceField(const QString &field, QString *why) {
    QString out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const QChar c = field[i];
        if (c != u'\\') {
            out += c;
            continue;
        }
        if (i + 1 >= field.size()) {
            setError(why, QCoreApplication::translate(
                              "ReferenceData", "a backslash ends the field (write \\\\ for one)"));
            return std::nullopt;
        }
        const QChar next = field[++i];
        if (next == u'n')
            out += u'\n';
        else if (next == u't')
            out += u'\t';
        else if (next == u'\\')
            out += u'\\';
        else {
            setError(why,
                     QCoreApplication::translate("ReferenceData", "unknown escape \\%1").arg(next));
            return std::nullopt;
        }
    }
    return out;
}

QString escapeReferenceField(const QString &text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'\\')
            out += QStringLiteral("\\\\");
        else if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c == u'\t')
            out += QStringLiteral("\\t");
        else
            out += c;
    }
    return out;
}

std::optional<ReferenceTable> parseReferenceTable(const QByteArray &data,
                                                  const ReferenceLayout &layout,
                                                  const QString &fileName, QString *error) {
    auto fail = [&](int line, const QString &what) {
        setError(error, QCoreApplication::translate("ReferenceData", "%1, line %2: %3")
                            .arg(fileName)
                            .arg(line)
                            .arg(what));
        return std::nullopt;
    };
    QList<QByteArray> lines = data.split('\n');
    // A final line break leaves one empty piece behind; it is not a line.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    if (lines.isEmpty()) {
        setError(error, QCoreApplication::translate(
                            "ReferenceData", "%1 is empty; it must start with the line of column "
                                             "names.")
                            .arg(fileName));
        return std::nullopt;
    }

    const qsizetype keyColumn = layout.columns.indexOf(layout.key);
    QVector<qsizetype> requiredColumns, shortColumns;
    for (const QString &c : layout.required)
        requiredColumns << layout.columns.indexOf(c);
    for (const QString &c : layout.shortText)
        shortColumns << layout.columns.indexOf(c);

    ReferenceTable table;
    table.layout = layout;
    QHash<QString, int> keyLine; // folded key -> line of its first row
    for (int n = 0; n < lines.size(); ++n) {
        const int lineNo = n + 1;
        QByteArray raw = lines[n];
        if (raw.endsWith('\r'))
            raw.chop(1);
        // A byte-order mark is tolerated at the start of the file only.
        QStringDecoder decode(QStringConverter::Utf8,
                              n == 0 ? QStringConverter::Flag::Default
                                     : QStringConverter::Flag::Stateless |
                                           QStringConverter::Flag::ConvertInitialBom);
        const QString text = decode(raw);
        if (decode.hasError())
            return fail(lineNo, QCoreApplication::translate("ReferenceData",
                                                            "the line is not valid UTF-8 text."));
        for (const QChar c : text) {
            if (c != u'\t' && (c.unicode() < 0x20 || c.unicode() == 0x7f))
                return fail(
                    lineNo,
                    QCoreApplication::translate("ReferenceData",
                                                "the line holds the control character "
                                                "U+%1; write a line break as \\n.")
                        .arg(QString::number(c.unicode(), 16).toUpper().rightJustified(4, u'0')));
        }
        if (text.isEmpty())
            return fail(lineNo, QCoreApplication::translate("ReferenceData", "the line is empty."));
        const QStringList fields = text.split(u'\t');
        if (n == 0) {
            if (fields != layout.columns)
                return fail(lineNo, QCoreApplication::translate(
                                        "ReferenceData", "the first line must name the columns "
                                                         "%1, separated by tabs.")
                                        .arg(layout.columns.join(QStringLiteral(", "))));
            continue;
        }
        if (fields.size() != layout.columns.size())
            return fail(lineNo,
                        QCoreApplication::translate(
                            "ReferenceData", "expected %1 fields separated by tabs, found %2.")
                            .arg(layout.columns.size())
                            .arg(fields.size()));
        QStringList row;
        for (int f = 0; f < fields.size(); ++f) {
            QString why;
            const auto value = unescapeReferenceField(fields[f], &why);
            if (!value)
                return fail(lineNo,
                            QCoreApplication::translate("ReferenceData", "field %1 (%2): %3.")
                                .arg(f + 1)
                                .arg(layout.columns[f], why));
            row << *value;
        }
        for (const qsizetype c : requiredColumns)
            if (row[c].trimmed().isEmpty())
                return fail(lineNo, QCoreApplication::translate("ReferenceData", "%1 is empty.")
                                        .arg(layout.columns[c]));
        for (const qsizetype c : shortColumns)
            if (row[c].size() > 254)
                return fail(lineNo, QCoreApplication::translate("ReferenceData",
                                                                "%1 is longer than 254 characters.")
                                        .arg(layout.columns[c]));
        if (keyColumn >= 0) {
            const QString &key = row[keyColumn];
            if (key != key.trimmed())
                return fail(lineNo, QCoreApplication::translate(
                                        "ReferenceData", "%1 \"%2\" begins or ends with a space.")
                                        .arg(layout.key, key));
            const QString folded = key.toCaseFolded();
            if (const int first = keyLine.value(folded, 0))
                return fail(lineNo, QCoreApplication::translate("ReferenceData",
                                                                "%1 \"%2\" is already on line %3.")
                                        .arg(layout.key, key)
                                        .arg(first));
            keyLine.insert(folded, lineNo);
        }
        table.rows << row;
    }
    return table;
}

namespace {

std::optional<ReferenceTable> readTable(const QString &folder, const ReferenceLayout &layout,
                                        QString *error) {
    const QString path = QDir(folder).filePath(layout.fileName);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, QCoreApplication::translate("ReferenceData", "Cannot read %1: %2")
                            .arg(path, file.errorString()));
        return std::nullopt;
    }
    return parseReferenceTable(file.readAll(), layout, QDir::toNativeSeparators(path), error);
}

} // namespace

std::optional<ReferenceContent> readReferenceContent(const QString &folder, QString *error) {
    auto diseases = readTable(folder, diseaseLayout(), error);
    if (!diseases)
        return std::nullopt;
    auto glossary = readTable(folder, glossaryLayout(), error);
    if (!glossary)
        return std::nullopt;
    return ReferenceContent{*diseases, *glossary};
}

std::optional<ReferenceContent> builtInReferenceContent(QString *error) {
    return readReferenceContent(QStringLiteral(":/corvella/reference"), error);
}

bool insertReferenceRows(QSqlDatabase &db, const ReferenceTable &table, QString *error) {
    const ReferenceLayout &layout = table.layout;
    QStringList columns, marks;
    for (const QString &c : layout.columns) {
        columns << quoteIdentifier(c);
        marks << QStringLiteral("?");
    }
    QSqlQuery q(db);
    if (!q.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                       .arg(quoteIdentifier(layout.table), columns.join(QStringLiteral(", ")),
                            marks.join(QStringLiteral(", ")))))
        return setError(
            error, QCoreApplication::translate("ReferenceData", "Cannot add to the %1 table: %2")
                       .arg(layout.table, q.lastError().text()));
    for (const QStringList &row : table.rows) {
        for (int i = 0; i < row.size(); ++i)
            // An empty field is stored empty (NULL), as the windows store it.
            q.bindValue(i, row[i].isEmpty() ? QVariant() : QVariant(row[i]));
        if (!q.exec())
            return setError(error, QCoreApplication::translate(
                                       "ReferenceData", "Cannot add \"%1\" to the %2 table: %3")
                                       .arg(row.value(0), layout.table, q.lastError().text()));
    }
    return true;
}

QString ReferenceAddition::summary(const QString &fileName) const {
    QStringList added;
    if (diseasesAdded > 0)
        added << QCoreApplication::translate("ReferenceData", "%1 diseases").arg(diseasesAdded);
    if (termsAdded > 0)
        added << QCoreApplication::translate("ReferenceData", "%1 glossary terms").arg(termsAdded);
    QStringList lines;
    if (!added.isEmpty())
        lines << QCoreApplication::translate("ReferenceData", "Added %1 to %2.")
                     .arg(added.join(QCoreApplication::translate("ReferenceData", " and ")),
                          fileName);
    else
        lines << QCoreApplication::translate("ReferenceData", "Nothing was added to %1.")
                     .arg(fileName);
    auto leftAlone = [&](const QString &table, int rows) {
        if (rows > 0)
            lines << QCoreApplication::translate(
                         "ReferenceData", "The %1 table already had %2 %3 and was left alone.")
                         .arg(table)
                         .arg(rows)
                         .arg(rows == 1 ? QStringLiteral("row") : QStringLiteral("rows"));
    };
    leftAlone(QStringLiteral("Disease"), diseaseRowsBefore);
    leftAlone(QStringLiteral("Glossary"), glossaryRowsBefore);
    return lines.join(u'\n');
}

bool addReferenceContent(const QString &path, const ReferenceContent &content,
                         ReferenceAddition *result, QString *error) {
    QString why;
    if (!isCorvellaDatabase(path, &why))
        return setError(error, why);
    QString problem;
    ReferenceAddition done;
    {
        Connection connection("corvella-reference");
        const DbError opened = connection.open(path, DbAccess::ReadWrite);
        QSqlDatabase &db = connection.db();
        if (opened) {
            problem = opened.description;
        } else {
            QSqlQuery q(db);
            auto count = [&](const QString &table, int *rows) {
                if (!q.exec(
                        QStringLiteral("SELECT COUNT(*) FROM %1").arg(quoteIdentifier(table))) ||
                    !q.next()) {
                    problem = q.lastError().text();
                    return false;
                }
                *rows = q.value(0).toInt();
                q.finish();
                return true;
            };
            // IMMEDIATE takes the write lock before the tables are counted, so
            // no other program can fill them between the count and the insert.
            bool ok = q.exec(QStringLiteral("BEGIN IMMEDIATE"));
            if (!ok)
                problem = q.lastError().text();
            ok = ok && count(diseaseLayout().table, &done.diseaseRowsBefore) &&
                 count(glossaryLayout().table, &done.glossaryRowsBefore);
            if (ok && done.diseaseRowsBefore == 0) {
                ok = insertReferenceRows(db, content.diseases, &problem);
                done.diseasesAdded = ok ? int(content.diseases.rows.size()) : 0;
            }
            if (ok && done.glossaryRowsBefore == 0) {
                ok = insertReferenceRows(db, content.glossary, &problem);
                done.termsAdded = ok ? int(content.glossary.rows.size()) : 0;
            }
            if (ok && !q.exec(QStringLiteral("COMMIT"))) {
                ok = false;
                problem = q.lastError().text();
            }
            if (!ok) {
                q.exec(QStringLiteral("ROLLBACK"));
                done.diseasesAdded = done.termsAdded = 0;
            }
            q.finish();
        }
    }
    if (!problem.isEmpty())
        return setError(error,
                        QCoreApplication::translate("ReferenceData", "Nothing was added to %1: %2")
                            .arg(QDir::toNativeSeparators(path), problem));
    if (result)
        *result = done;
    return true;
}

} // namespace corv
