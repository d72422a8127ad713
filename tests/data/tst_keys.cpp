// A deleted record's key is never handed out again: in a new database, and
// in a file made before keys were declared AUTOINCREMENT, which is upgraded
// in place when the program opens it or by corvella-mkdb --upgrade.
#include "data/DatabaseFile.h"
#include "data/FileIdentityLock.h"
#include "data/KeyUpgrade.h"
#include "data/RecordSources.h"
#include "forms/frmTank.h"
#include "support/MainWindowFixture.h"

#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>

using namespace corv;
using namespace corv::test;

namespace {

// A database as corvella-mkdb made it before keys were AUTOINCREMENT.
void makeOldStyleDatabase(const QString &path) {
    QString schema = corvellaSchema();
    schema.replace(QStringLiteral(" AUTOINCREMENT,"), QStringLiteral(","));
    QStringList lines;
    for (const QString &line : schema.split(u'\n'))
        if (!line.trimmed().startsWith(QLatin1String("--")))
            lines << line;
    // The care log's tables came with a later schema version.
    for (const QString &st : lines.join(u'\n').split(u';'))
        if (!st.trimmed().isEmpty() && !st.contains(QLatin1String("Maintenance")) &&
            !st.contains(QLatin1String("Tasks")))
            TestEnv::exec(path, st);
    QVERIFY(!TestEnv::scalar(path, "SELECT sql FROM sqlite_master WHERE name = 'Tank'")
                 .toString()
                 .contains(QLatin1String("AUTOINCREMENT")));
}

QStringList reusing(const QString &path) {
    QStringList out;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "reusing");
        db.setDatabaseName(path);
        if (db.open())
            out = tablesReusingKeys(db);
        db.close();
    }
    QSqlDatabase::removeDatabase("reusing");
    return out;
}

QString pragma(const QString &path, const char *name) {
    return TestEnv::scalar(path, QStringLiteral("PRAGMA %1").arg(name)).toString();
}

int addTank(RecordSet &tanks, const QString &name) {
    tanks.beginAdd();
    if (DbError e = tanks.storeAdded({{tanks.fieldIndex("TankName"), name}}))
        qFatal("%s", qPrintable(e.description));
    return int(tanks.currentKey());
}

} // namespace

class TestKeys : public QObject {
    Q_OBJECT
    MainWindowFixture fx;

    frmTank *openTank() {
        return fx.open<frmTank>(FormKind::Tank, &mdiCorvella::mnuChangeTanks_Click);
    }

private slots:
    void init() { RecordSet::setBusyTimeout(200); }
    void cleanup() {
        if (fx.main)
            fx.tearDown();
    }

    // The user's road: Gamma is the default with a journal entry; it is
    // deleted, and a new tank added later must get a key of its own, not
    // become the default, and not show Gamma's journal.
    void deletedTankKeyIsNotReused_data() {
        QTest::addColumn<bool>("oldStyle");
        QTest::newRow("new database") << false;
        QTest::newRow("database made before the change") << true;
    }
    void deletedTankKeyIsNotReused() {
        QFETCH(bool, oldStyle);
        fx.setUp({/*database*/ !oldStyle});
        if (oldStyle) {
            fx.db = fx.env->path("CORVELLA.CVL");
            makeOldStyleDatabase(fx.db);
            CorvModule::DatabasePath = QDir::toNativeSeparators(fx.db);
        }
        fx.tank("Alpha");
        fx.tank("Beta");
        const int gamma = fx.defaultTank("Gamma");
        fx.entry(gamma, "2024-03-01", "7.4");

        frmTank *t = openTank();
        t->TankData->clickLast();
        QCOMPARE(t->txtTankName->text(), QStringLiteral("Gamma"));
        fx.env->dialogs.answers = {MsgResult::Yes};
        t->mnuDelete_Click();
        t->cmdClose_Click();
        QVERIFY(!Forms::get(FormKind::Tank));

        t = openTank();
        t->mnuAdd_Click();
        t->txtTankName->setText("Delta");
        t->cmdClose_Click();
        const int delta = fx.count("SELECT ID FROM Tank WHERE TankName = 'Delta'");
        QVERIFY2(delta > gamma, qPrintable(QString::number(delta)));
        QVERIFY(CorvModule::CurrentTankName != QStringLiteral("Delta"));
        QVERIFY(fx.main->windowTitle() != QStringLiteral("Corvella - Delta"));

        // Gamma's journal entry is still there, under Gamma's key only.
        RecordSet journal;
        QVERIFY(!journal.open(fx.db, sources::journal(QString::number(delta))));
        QCOMPARE(journal.recordCount(), 0);
        QVERIFY(!journal.open(fx.db, sources::journal(QString::number(gamma))));
        QCOMPARE(journal.recordCount(), 1);
        QVERIFY(reusing(fx.db).isEmpty());
    }

    // Journal entries: delete them all and the next one still gets a new key.
    void journalKeysAfterDeletingEverything_data() { deletedTankKeyIsNotReused_data(); }
    void journalKeysAfterDeletingEverything() {
        QFETCH(bool, oldStyle);
        QTemporaryDir dir;
        const QString db = dir.filePath("CORVELLA.CVL");
        if (oldStyle)
            makeOldStyleDatabase(db);
        else
            QVERIFY(createDatabase(db));
        RecordSet journal;
        QVERIFY(!journal.open(db, sources::journal("1")));
        const int tankField = journal.fieldIndex("TankID");
        for (int i = 0; i < 2; ++i) {
            journal.beginAdd();
            QVERIFY(!journal.storeAdded({{tankField, "1"}}));
        }
        QCOMPARE(journal.currentKey(), 2);
        QVERIFY(!journal.open(db, sources::journal("1")));
        while (journal.recordCount() > 0) {
            QVERIFY(!journal.moveFirst());
            QVERIFY(!journal.deleteCurrent());
        }
        journal.beginAdd();
        QVERIFY(!journal.storeAdded({{tankField, "1"}}));
        QCOMPARE(journal.currentKey(), 3);
    }

    // Tanks deleted in an old file before it was upgraded: their keys are
    // still named by journal and livestock rows or by the default-tank
    // setting, so the upgrade counts them as taken.
    void keysDeletedBeforeTheUpgradeStayTaken() {
        QTemporaryDir dir;
        const QString db = dir.filePath("CORVELLA.CVL");
        makeOldStyleDatabase(db);
        TestEnv::exec(db, "INSERT INTO Tank (ID, TankName) VALUES (1, 'A'), (2, 'B')");
        TestEnv::exec(db, "INSERT INTO Journal (TankID, PH) VALUES (3, 7.0), (1, 7.1)");
        TestEnv::exec(db, "INSERT INTO LiveStock (TankID, CommonName) VALUES (5, 'Tetra')");
        RecordSet tanks;
        QVERIFY(!tanks.open(db, sources::tanks()));
        QCOMPARE(addTank(tanks, "C"), 6);

        // The default tank's key, with nothing else left that names it.
        const QString saved = CorvModule::CurrentTankID;
        QTemporaryDir dir2;
        const QString db2 = dir2.filePath("CORVELLA.CVL");
        makeOldStyleDatabase(db2);
        TestEnv::exec(db2, "INSERT INTO Tank (ID, TankName) VALUES (1, 'A')");
        CorvModule::CurrentTankID = QStringLiteral("4");
        RecordSet other;
        const DbError e = other.open(db2, sources::tanks());
        CorvModule::CurrentTankID = saved;
        QVERIFY(!e);
        QCOMPARE(addTank(other, "B"), 5);

        // A damaged setting at the end of the key range is not trusted: it
        // would leave no key for any new tank.
        QTemporaryDir dir3;
        const QString db3 = dir3.filePath("CORVELLA.CVL");
        makeOldStyleDatabase(db3);
        CorvModule::CurrentTankID = QStringLiteral("9223372036854775807");
        RecordSet third;
        const DbError e3 = third.open(db3, sources::tanks());
        CorvModule::CurrentTankID = saved;
        QVERIFY(!e3);
        QCOMPARE(addTank(third, "A"), 1);
    }

    // The upgrade keeps every row with its ID, type and value, the indexes
    // and triggers, and the rollback journal; the file passes the integrity
    // check; a second run has nothing to do and changes nothing.
    void upgradeKeepsEveryRowAndId() {
        QTemporaryDir dir;
        const QString db = dir.filePath("CORVELLA.CVL");
        makeOldStyleDatabase(db);
        TestEnv::exec(db, "INSERT INTO Tank (ID, TankName, TankLength, DateEstablished, Notes) "
                          "VALUES (2, 'O''Brien''s reef', 48.25, '2001-02-03', 'line one\nline "
                          "two'), (7, NULL, NULL, NULL, NULL), (9, 'Nano', 12, NULL, '')");
        TestEnv::exec(db, "INSERT INTO Journal (ID, TankID, EntryDate, PH, Nitrate, Notes) "
                          "VALUES (1, 2, '2001-02-04', 7.4, 0.5, 'ok'), (4, 9, NULL, NULL, 1e-3, "
                          "NULL), (40, 7, '2002-01-01', 8, 20, 'x')");
        TestEnv::exec(db, "INSERT INTO LiveStock (ID, TankID, CommonName, InitialCost) VALUES "
                          "(3, 2, 'Clown', 199900), (8, 9, 'Goby', NULL)");
        TestEnv::exec(db, "INSERT INTO Disease (ID, CommonName, Symptoms) VALUES (5, 'Ich', "
                          "'Spots')");
        TestEnv::exec(db, "INSERT INTO Glossary (ID, Term, Definition) VALUES (1, 'pH', 'Acid'), "
                          "(12, 'KH', NULL)");
        TestEnv::exec(db, "CREATE INDEX GlossaryByTerm ON Glossary (Term)");
        TestEnv::exec(db, "CREATE TRIGGER NoBlankTerm BEFORE INSERT ON Glossary WHEN NEW.Term "
                          "= '' BEGIN SELECT RAISE(ABORT, 'blank'); END");
        TestEnv::exec(db, "DELETE FROM Journal WHERE ID = 40"); // the highest, now free
        const QStringList before = TestEnv::dumpTables(db);
        QCOMPARE(reusing(db), (QStringList{"Journal", "LiveStock", "Tank", "Disease", "Glossary"}));

        QStringList upgraded;
        QString error;
        QVERIFY2(upgradeKeysInFile(db, &upgraded, &error), qPrintable(error));
        QCOMPARE(upgraded, (QStringList{"Journal", "LiveStock", "Tank", "Disease", "Glossary"}));
        QCOMPARE(TestEnv::dumpTables(db), before);
        QVERIFY(reusing(db).isEmpty());
        QCOMPARE(pragma(db, "integrity_check"), QStringLiteral("ok"));
        QCOMPARE(pragma(db, "journal_mode"), QStringLiteral("delete"));
        QCOMPARE(TestEnv::scalar(db, "SELECT group_concat(name, ',') FROM (SELECT name FROM "
                                     "sqlite_master WHERE type IN ('index', 'trigger') ORDER BY "
                                     "name)")
                     .toString(),
                 QStringLiteral("GlossaryByTerm,JournalByTankDate,LiveStockByTank,NoBlankTerm"));
        QCOMPARE(TestEnv::scalar(db, "SELECT group_concat(name || '=' || seq, ',') FROM (SELECT "
                                     "* FROM sqlite_sequence ORDER BY name)")
                     .toString(),
                 QStringLiteral("Disease=5,Glossary=12,Journal=4,LiveStock=8,Tank=9"));
        // The columns keep their declared types.
        QCOMPARE(TestEnv::scalar(db, "SELECT type FROM pragma_table_info('LiveStock') WHERE "
                                     "name = 'InitialCost'")
                     .toString(),
                 QStringLiteral("CURRENCY_INT"));

        QFile f(db);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        f.close();
        QVERIFY2(upgradeKeysInFile(db, &upgraded, &error), qPrintable(error));
        QVERIFY(upgraded.isEmpty());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), bytes);
    }

    // Something in the way halfway through (the last table cannot be
    // rebuilt) undoes the tables already done; the file opens as before.
    void failedUpgradeChangesNothing() {
        QTemporaryDir dir;
        const QString db = dir.filePath("CORVELLA.CVL");
        makeOldStyleDatabase(db);
        TestEnv::exec(db, "INSERT INTO Tank (TankName) VALUES ('A'), ('B')");
        TestEnv::exec(db, "INSERT INTO Glossary (Term) VALUES ('pH')");
        TestEnv::exec(db, "CREATE TABLE Glossary_keys_upgrade (x)");
        const QStringList before = TestEnv::dumpTables(db);
        QStringList upgraded{"stale"};
        QString error;
        QVERIFY(!upgradeKeysInFile(db, &upgraded, &error));
        QVERIFY(upgraded.isEmpty());
        QVERIFY2(error.contains(QStringLiteral("nothing was changed")), qPrintable(error));
        QCOMPARE(TestEnv::dumpTables(db), before);
        QCOMPARE(reusing(db).size(), 5);
        QCOMPARE(pragma(db, "integrity_check"), QStringLiteral("ok"));
        RecordSet tanks;
        QVERIFY(!tanks.open(db, sources::tanks()));
        QCOMPARE(tanks.recordCount(), 2);
    }

    // Another program holding the file: the window still opens (the file is
    // left as it was), and the upgrade happens on a later opening.
    void lockedFileOpensAndIsUpgradedLater() {
        QTemporaryDir dir;
        const QString db = dir.filePath("CORVELLA.CVL");
        makeOldStyleDatabase(db);
        RecordSet::setBusyTimeout(50);
        {
            QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "locker");
            other.setDatabaseName(db);
            QVERIFY(other.open());
            QSqlQuery lock(other);
            QVERIFY(lock.exec("BEGIN IMMEDIATE"));
            RecordSet tanks;
            QVERIFY(!tanks.open(db, sources::tanks()));
            QCOMPARE(reusing(db).size(), 5);
            QVERIFY(lock.exec("ROLLBACK"));
            other.close();
        }
        QSqlDatabase::removeDatabase("locker");
        RecordSet tanks;
        QVERIFY(!tanks.open(db, sources::tanks()));
        QVERIFY(reusing(db).isEmpty());
    }

    void createStatementRewriting_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("expected");
        QTest::newRow("as Corvella wrote it")
            << "CREATE TABLE Glossary (\n    ID INTEGER PRIMARY KEY,\n    Term VARCHAR(254)\n)"
            << "CREATE TABLE \"New\" (\n    ID INTEGER PRIMARY KEY AUTOINCREMENT,\n    Term "
               "VARCHAR(254)\n)";
        QTest::newRow("quoted names, order and conflict clause")
            << "CREATE TABLE \"Tank\" ([id] integer primary key asc on conflict abort, x)"
            << "CREATE TABLE \"New\" ([id] integer primary key asc on conflict abort "
               "AUTOINCREMENT, x)";
        // Descending, the key is an ordinary column to SQLite, which refuses
        // AUTOINCREMENT on it.
        QTest::newRow("descending key")
            << "CREATE TABLE \"Tank\" ([id] integer primary key desc on conflict abort, x)"
            << "";
        QTest::newRow("words in comments, strings and later columns")
            << "CREATE TABLE T (-- PRIMARY KEY here is a comment\n Note TEXT DEFAULT 'ID "
               "PRIMARY KEY', ID INTEGER /* key */ PRIMARY KEY, IDs INTEGER)"
            << "CREATE TABLE \"New\" (-- PRIMARY KEY here is a comment\n Note TEXT DEFAULT 'ID "
               "PRIMARY KEY', ID INTEGER /* key */ PRIMARY KEY AUTOINCREMENT, IDs INTEGER)";
        // SQLite's blanks are ASCII: after a no-break space the type is no
        // longer INTEGER, and the column no row key.
        QTest::newRow("no-break space before the type")
            << QStringLiteral("CREATE TABLE T (ID \u00a0INTEGER PRIMARY KEY, x)") << "";
        QTest::newRow("already AUTOINCREMENT")
            << "CREATE TABLE T (ID INTEGER PRIMARY KEY AUTOINCREMENT, x)"
            << "";
        QTest::newRow("a type other than INTEGER") << "CREATE TABLE T (ID INT PRIMARY KEY, x)"
                                                   << "";
        QTest::newRow("key as a table constraint")
            << "CREATE TABLE T (ID INTEGER, PRIMARY KEY (ID))"
            << "";
        QTest::newRow("no key") << "CREATE TABLE T (ID INTEGER, Name TEXT)"
                                << "";
    }
    void createStatementRewriting() {
        QFETCH(QString, sql);
        QFETCH(QString, expected);
        QCOMPARE(autoincrementTableSql(sql, QStringLiteral("New")), expected);
    }

    void mkdbUpgrade() {
        QTemporaryDir dir;
        const QString db = dir.filePath("old.cvl");
        makeOldStyleDatabase(db);
        TestEnv::exec(db, "INSERT INTO Tank (TankName) VALUES ('A')");
        auto run = [](const QStringList &args, QString *out, QString *err) {
            QProcess p;
            p.start(QStringLiteral(CORVELLA_MKDB), args);
            p.waitForFinished(60000);
            *out = QString::fromUtf8(p.readAllStandardOutput());
            *err = QString::fromUtf8(p.readAllStandardError());
            return p.exitCode();
        };
        QString out, err;
        // A running Corvella holds the file (by whatever name): the upgrade
        // and the reference content wait until it has ended.
        {
            const QByteArray before = TestEnv::scalar(db, "SELECT sql FROM sqlite_master WHERE "
                                                          "name = 'Tank'")
                                          .toByteArray();
            FileIdentityLock running;
            QCOMPARE(running.lock(db), FileIdentityLock::Locked);
            for (const char *option : {"--upgrade", "--add-reference"}) {
                QCOMPARE(run({QString::fromLatin1(option), db}, &out, &err), 1);
                QVERIFY2(err.contains(QStringLiteral("is in use by a running Corvella")),
                         qPrintable(err));
            }
            QCOMPARE(TestEnv::scalar(db, "SELECT sql FROM sqlite_master WHERE name = 'Tank'")
                         .toByteArray(),
                     before);
            QCOMPARE(TestEnv::scalar(db, "SELECT COUNT(*) FROM Glossary").toInt(), 0);
        }
        QCOMPARE(run({"--upgrade", db}, &out, &err), 0);
        QCOMPARE(out, QStringLiteral("Upgraded %1: the keys of Journal, LiveStock, Tank, Disease "
                                     "and Glossary are never handed out again; every record kept "
                                     "its ID; added the Maintenance table and the Tasks table.\n")
                          .arg(QDir::toNativeSeparators(db)));
        QCOMPARE(run({"--upgrade", db}, &out, &err), 0);
        QCOMPARE(out, QStringLiteral("%1 needs no upgrade: its record keys are never handed out "
                                     "again.\n")
                          .arg(QDir::toNativeSeparators(db)));
        QCOMPARE(TestEnv::scalar(db, "SELECT TankName FROM Tank WHERE ID = 1").toString(), "A");

        const QString text = dir.filePath("notes.txt");
        {
            QFile f(text);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("hello\n");
        }
        QCOMPARE(run({"--upgrade", text}, &out, &err), 1);
        QVERIFY2(err.contains(QStringLiteral("is not a Corvella database")), qPrintable(err));
    }
};

QTEST_MAIN(TestKeys)
#include "tst_keys.moc"
