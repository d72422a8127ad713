#include "DatabaseFile.h"

#include "Connection.h"
#include "ReferenceData.h"
#include "Schema.h"

#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

namespace corv {

namespace {

QAtomicInt createCounter;

// Splits a script into statements at semicolons that end a line, skipping
// comment lines. Enough for the schema and reference files we ship.
QStringList statements(const QString &script) {
    QStringList out;
    QString current;
    const QStringList lines = script.split(u'\n');
    for (const QString &line : lines) {
        const QString t = line.trimmed();
        if (t.startsWith(QLatin1String("--")) || t.isEmpty())
            continue;
        current += line + u'\n';
        if (t.endsWith(u';')) {
            out << current.trimmed();
            current.clear();
        }
    }
    if (!current.trimmed().isEmpty())
        out << current.trimmed();
    return out;
}

} // namespace

QString corvellaSchema() {
    QFile f(QStringLiteral(":/corvella/schema.sql"));
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(f.readAll());
}

bool createDatabase(const QString &path, QString *error, const QStringList &extraSql,
                    const ReferenceContent *reference) {
    auto fail = [&](const QString &text) {
        if (error)
            *error = text;
        return false;
    };
    const QFileInfo info(path);
    if (info.exists())
        return fail(QStringLiteral("%1 already exists; it is left as it is.").arg(path));
    // The engine would only say "unable to open database file".
    const QFileInfo folder(info.absolutePath());
    if (!folder.exists())
        return fail(QStringLiteral("Cannot create %1: the folder %2 does not exist.")
                        .arg(path, QDir::toNativeSeparators(folder.filePath())));
    if (!folder.isDir())
        return fail(QStringLiteral("Cannot create %1: %2 is not a folder.")
                        .arg(path, QDir::toNativeSeparators(folder.filePath())));
    const QString schema = corvellaSchema();
    if (schema.isEmpty())
        return fail(QStringLiteral("The database schema is missing from the program."));
    const QString temp =
        info.absolutePath() +
        QStringLiteral("/.%1.%2.new").arg(info.fileName()).arg(createCounter.fetchAndAddRelaxed(1));
    QFile::remove(temp);
    QString problem;
    {
        Connection connection("corvella-create");
        if (DbError e = connection.open(temp, DbAccess::Create)) {
            problem = e.description;
        } else {
            QSqlDatabase &db = connection.db();
            QSqlQuery q(db);
            auto run = [&](const QStringList &list) {
                for (const QString &st : list) {
                    if (!problem.isEmpty())
                        break;
                    if (!q.exec(st))
                        problem = q.lastError().text() + QStringLiteral(" in: ") + st.left(80);
                }
            };
            if (!q.exec(QStringLiteral("BEGIN")))
                problem = q.lastError().text();
            run(statements(schema));
            // The schema file is version 1; what later versions added comes
            // from the catalogue, as their migrations add it to older files.
            for (int version = 2; version <= currentSchemaVersion; ++version)
                run(catalogueAdditions(version));
            // A new file is made as every migration leaves it.
            run({QStringLiteral("PRAGMA user_version = %1").arg(currentSchemaVersion)});
            // A failed insert leaves its reason in `problem`.
            if (reference && problem.isEmpty() &&
                insertReferenceRows(db, reference->diseases, &problem))
                insertReferenceRows(db, reference->glossary, &problem);
            for (const QString &script : extraSql)
                run(statements(script));
            if (problem.isEmpty() && !q.exec(QStringLiteral("COMMIT")))
                problem = q.lastError().text();
            q.finish();
        }
    }
    if (!problem.isEmpty()) {
        QFile::remove(temp);
        return fail(QStringLiteral("Cannot create %1: %2").arg(path, problem));
    }
    if (!QFile::rename(temp, path)) {
        QFile::remove(temp);
        return fail(
            QStringLiteral("Cannot create %1: the file could not be put in place.").arg(path));
    }
    return true;
}

} // namespace corv
