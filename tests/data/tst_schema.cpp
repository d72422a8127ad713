// Schema versions: every database an earlier release made opens, is brought
// up to this release's schema once and keeps every record with its key; a
// database of a newer release is refused and left exactly as it is.
#include "data/Connection.h"
#include "data/DatabaseFile.h"
#include "data/RecordSet.h"
#include "data/RecordSources.h"
#include "data/Schema.h"
#include "data/Tables.h"
#include "support/TestSupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest/QTest>

using namespace corv;
using corv::test::TestEnv;

namespace {

QString schemasFolder() {
    return QStringLiteral(CORVELLA_SOURCE_DIR "/tests/data/schemas");
}

// Builds `path` from one of the kept SQL scripts, statement by statement.
void buildFromScript(const QString &script, const QString &path) {
    QFile f(script);
    QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(script));
    QStringList lines;
    for (const QString &line : QString::fromUtf8(f.readAll()).split(u'\n'))
        if (!line.trimmed().startsWith(QLatin1String("--")))
            lines << line;
    Connection c("test-build");
    QVERIFY(!c.open(path, DbAccess::Create));
    QSqlQuery q(c.db());
    for (const QString &st : lines.join(u'\n').split(QStringLiteral(";\n")))
        if (!st.trimmed().isEmpty())
            QVERIFY2(q.exec(st), qPrintable(q.lastError().text() + u' ' + st.left(60)));
}

int version(const QString &path) {
    return TestEnv::scalar(path, QStringLiteral("PRAGMA user_version")).toInt();
}

QByteArray fileHash(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

int runMkdb(const QStringList &args, QString *out, QString *err) {
    QProcess p;
    p.start(QStringLiteral(CORVELLA_MKDB), args);
    p.waitForFinished(60000);
    *out = QString::fromUtf8(p.readAllStandardOutput());
    *err = QString::fromUtf8(p.readAllStandardError());
    return p.exitCode();
}

} // namespace

class TestSchema : public QObject {
    Q_OBJECT

private slots:
    void init() { setBusyTimeout(200); }

    // Each released schema, kept as SQL: opened by a record window, it is
    // upgraded to this version once, keeps every record with its key and
    // type, and hands out no key that was ever used.
    void everyReleasedSchemaOpensAndUpgrades_data() {
        QTest::addColumn<QString>("script");
        const QStringList scripts =
            QDir(schemasFolder()).entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name);
        QVERIFY(scripts.size() >= 3);
        for (const QString &s : scripts)
            QTest::newRow(qPrintable(s)) << QDir(schemasFolder()).filePath(s);
    }
    void everyReleasedSchemaOpensAndUpgrades() {
        QFETCH(QString, script);
        QTemporaryDir dir;
        const QString db = dir.filePath(QStringLiteral("CORVELLA.CVL"));
        buildFromScript(script, db);
        if (QTest::currentTestFailed())
            return;
        const QStringList before = TestEnv::dumpTables(db);
        QVERIFY(before.size() >= 10);
        QVERIFY(isCorvellaDatabase(db));

        RecordSet tanks;
        QVERIFY(!tanks.open(db, sources::tanks()));
        QCOMPARE(tanks.recordCount(), 2);
        QCOMPARE(version(db), currentSchemaVersion);
        QCOMPARE(TestEnv::dumpTables(db), before);
        QCOMPARE(TestEnv::scalar(db, "PRAGMA integrity_check").toString(), QStringLiteral("ok"));
        // The tables later versions brought are there as a new file has them,
        // and the upgraded file passes the check a backup or restore makes.
        TestEnv env;
        const QString fresh = env.makeDatabase(QStringLiteral("fresh.cvl"));
        for (const char *table : {"Maintenance", "Tasks"}) {
            const QString sql =
                QStringLiteral("SELECT sql FROM sqlite_master WHERE name = '%1'").arg(table);
            QVERIFY2(!TestEnv::scalar(db, sql).toString().isEmpty(), table);
            QCOMPARE(TestEnv::scalar(db, sql).toString(), TestEnv::scalar(fresh, sql).toString());
        }
        QVERIFY(isCorvellaDatabase(db));

        // Tank 3 is gone, but the journal still names it: a new tank gets 4.
        tanks.beginAdd();
        QVERIFY(!tanks.storeAdded({{tanks.fieldIndex("TankName"), QStringLiteral("New")}}));
        QCOMPARE(tanks.currentKey(), 4);
        tanks.close();

        // A second opening has nothing left to do.
        SchemaUpgrade done;
        QVERIFY(!upgradeSchemaInFile(db, &done));
        QCOMPARE(done.from, currentSchemaVersion);
        QCOMPARE(done.to, currentSchemaVersion);
        QVERIFY(done.steps.isEmpty());
    }

    // A new file is made at this version, as the migrations leave an old one.
    void newFileIsAtTheCurrentVersion() {
        TestEnv env;
        const QString db = env.makeDatabase();
        QCOMPARE(version(db), currentSchemaVersion);
        SchemaUpgrade done;
        QVERIFY(!upgradeSchemaInFile(db, &done));
        QVERIFY(done.steps.isEmpty());
    }

    // A file of a newer version is refused wherever it is opened, with both
    // versions named, and not a byte of it changes.
    void newerFileIsRefusedUntouched() {
        TestEnv env;
        const QString db = env.makeDatabase();
        TestEnv::exec(db, "INSERT INTO Tank (TankName) VALUES ('Reef')");
        TestEnv::exec(db, QStringLiteral("PRAGMA user_version = %1").arg(currentSchemaVersion + 1));
        const QByteArray hash = fileHash(db);
        const QString expected =
            newerSchemaMessage(QStringLiteral("CORVELLA.CVL"), currentSchemaVersion + 1);
        QVERIFY(expected.contains(QString::number(currentSchemaVersion + 1)));
        QVERIFY(expected.contains(QString::number(currentSchemaVersion)));

        RecordSet tanks;
        const DbError e = tanks.open(db, sources::tanks());
        QCOMPARE(e.number, newerSchemaError);
        QCOMPARE(e.description, expected);
        QVERIFY(!tanks.isOpen());

        QString why;
        QVERIFY(!isCorvellaDatabase(db, &why));
        QCOMPARE(why, expected);

        QString out, err;
        QCOMPARE(runMkdb({"--upgrade", db}, &out, &err), 1);
        QCOMPARE(err, QStringLiteral("corvella-mkdb: %1\n").arg(expected));
        QCOMPARE(fileHash(db), hash);
    }

    // A migration that fails leaves the file as the one before it left it:
    // the version is not raised and no row changes; the file still opens.
    void failedMigrationChangesNothing() {
        QTemporaryDir dir;
        const QString db = dir.filePath(QStringLiteral("CORVELLA.CVL"));
        buildFromScript(QDir(schemasFolder()).filePath("v0-first-release.sql"), db);
        TestEnv::exec(db, "CREATE TABLE Glossary_keys_upgrade (x)");
        const QStringList before = TestEnv::dumpTables(db);
        SchemaUpgrade done;
        const DbError e = upgradeSchemaInFile(db, &done);
        QVERIFY(e);
        QVERIFY2(e.description.contains(QStringLiteral("nothing was changed")),
                 qPrintable(e.description));
        QCOMPARE(done.to, 0);
        QCOMPARE(version(db), 0);
        QCOMPARE(TestEnv::dumpTables(db), before);
        RecordSet tanks;
        QVERIFY(!tanks.open(db, sources::tanks()));
        QCOMPARE(tanks.recordCount(), 2);
    }

    // corvella-mkdb --upgrade says what it did, once.
    void mkdbUpgradeSaysWhatItDid() {
        QTemporaryDir dir;
        const QString db = dir.filePath(QStringLiteral("old.cvl"));
        buildFromScript(QDir(schemasFolder()).filePath("v0-keys-autoincrement.sql"), db);
        QString out, err;
        QCOMPARE(runMkdb({"--upgrade", db}, &out, &err), 0);
        QCOMPARE(out, QStringLiteral("Upgraded %1: added the Maintenance table and the Tasks "
                                     "table.\n")
                          .arg(QDir::toNativeSeparators(db)));
        QCOMPARE(version(db), currentSchemaVersion);
        QCOMPARE(runMkdb({"--upgrade", db}, &out, &err), 0);
        QCOMPARE(out, QStringLiteral("%1 needs no upgrade: its record keys are never handed out "
                                     "again.\n")
                          .arg(QDir::toNativeSeparators(db)));
    }
};

QTEST_MAIN(TestSchema)
#include "tst_schema.moc"
