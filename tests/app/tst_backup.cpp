// Backup and restore.
#include "app/CorvModule.h"
#include "app/FileCopy.h"
#include "app/mdiCorvella.h"
#include "data/RecordSet.h"
#include "data/Tables.h"
#include "data/Transfer.h"
#include "support/MainWindowFixture.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QtTest/QTest>
#include <memory>

using namespace corv;
using namespace corv::test;

namespace {

QByteArray contents(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void write(const QString &path, const QByteArray &data) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(data);
}

} // namespace

class TestBackup : public QObject {
    Q_OBJECT
    MainWindowFixture fx;
    QStringList log;

    QVector<MessageRequest> messages() { return fx.messages(); }
    int fileDialogs() {
        int n = 0;
        for (const auto &c : fx.env->dialogs.calls)
            n += c.kind == ScriptedDialogs::Call::SaveFile;
        return n;
    }

private slots:
    void init() {
        fx.setUp({true, false, false});
        TestEnv::exec(fx.db, "INSERT INTO Tank (TankName) VALUES ('Reef')");
        CorvModule::ActiveForm = CorvModule::NoOne;
        log.clear();
    }
    void cleanup() { fx.tearDown(); }

    void backupCopiesByteForByte() {
        const QString target = fx.env->path("Corvella.bak");
        fx.env->dialogs.fileAnswers = {target};
        fx.env->dialogs.expectOk(); // "Backup successful!"
        fx.main->mnuBackup_Click();
        // No window open: straight to the file dialog.
        const auto &file = fx.env->dialogs.calls.first();
        QCOMPARE(file.kind, ScriptedDialogs::Call::SaveFile);
        QCOMPARE(file.file.title, QStringLiteral("Backup database"));
        QCOMPARE(file.file.filter, QStringLiteral("(*.bak)|*.bak"));
        QCOMPARE(file.file.fileName, QStringLiteral("Corvella.bak"));
        QCOMPARE(file.file.initialFolder, fx.env->folder());
        QCOMPARE(file.file.flags, unsigned(FileHideReadOnly | FileExplorer));
        QCOMPARE(contents(target), contents(fx.db));
        QCOMPARE(fx.main->statusText(), QStringLiteral("Backup successful!"));
        QCOMPARE(messages().size(), 1);
        QCOMPARE(messages()[0].text, QStringLiteral("Backup successful!"));
        QCOMPARE(messages()[0].title, QStringLiteral("Backup Database"));
        QCOMPARE(messages()[0].icon, MsgIcon::Information);
        QCOMPARE(fx.env->dialogs.cursorChanges, (QVector<bool>{true, false}));
        QVERIFY(!fx.env->dialogs.waitCursor);
    }

    void backupReplacesAnExistingFileWithoutAsking() {
        const QString target = fx.env->path("old.bak");
        write(target, "an older backup");
        fx.env->dialogs.fileAnswers = {target};
        fx.env->dialogs.expectOk(); // "Backup successful!"
        fx.main->mnuBackup_Click();
        QCOMPARE(contents(target), contents(fx.db));
        QCOMPARE(messages().size(), 1); // only "Backup successful!"
    }

    void backupAsksAndClosesOpenWindows() {
        StandInWindow journal(FormKind::Journal, "Journal", log);
        CorvModule::JournalOpen = true;
        // No: nothing happens, idle line.
        fx.env->dialogs.answers = {MsgResult::No};
        fx.main->mnuBackup_Click();
        QCOMPARE(messages().size(), 1);
        QCOMPARE(messages()[0].text, QStringLiteral("Close all windows and backup database?"));
        QCOMPARE(messages()[0].title, QStringLiteral("Backup Database"));
        QCOMPARE(messages()[0].icon, MsgIcon::Question);
        QCOMPARE(messages()[0].buttons, MsgButtons::YesNo);
        QCOMPARE(messages()[0].defaultButton, MsgResult::No);
        QCOMPARE(fx.main->statusText(), CorvModule::IdleLine);
        QVERIFY(log.isEmpty());
        QCOMPARE(fileDialogs(), 0);
        // Yes, then a cancelled file dialog: the windows stay closed.
        fx.env->dialogs.answers = {MsgResult::Yes};
        fx.env->dialogs.fileAnswers = {std::nullopt};
        fx.main->mnuBackup_Click();
        QCOMPARE(log.size(), 1);
        QVERIFY(log[0].startsWith("Journal.Close"));
        QVERIFY(!CorvModule::JournalOpen);
        QCOMPARE(fx.main->statusText(), CorvModule::IdleLine);
        QVERIFY(!QFile::exists(fx.env->path("Corvella.bak")));
    }

    void questionIsAskedEvenWhenNoWindowIsActive() {
        // The tank window start-up opens has no open flag and ActiveForm
        // may be "NoOne": it still holds the database and is closed first.
        StandInWindow tank(FormKind::Tank, "Tank", log);
        fx.env->dialogs.answers = {MsgResult::Yes, MsgResult::Ok};
        fx.env->dialogs.fileAnswers = {fx.env->path("x.bak")};
        fx.main->mnuBackup_Click();
        QCOMPARE(messages()[0].text, QStringLiteral("Close all windows and backup database?"));
        QCOMPARE(log.size(), 1);
        QVERIFY(log[0].startsWith("Tank.Close"));
        QVERIFY(QFile::exists(fx.env->path("x.bak")));
    }

    void backupFailures() {
        // A target that cannot be written.
        fx.env->dialogs.fileAnswers = {fx.env->path("no/such/folder/x.bak")};
        fx.env->dialogs.expectOk();
        fx.main->mnuBackup_Click();
        QCOMPARE(fx.main->statusText(), QStringLiteral("Backup ERROR"));
        QCOMPARE(messages().size(), 1);
        QCOMPARE(messages()[0].title, QStringLiteral("Corvella"));
        QCOMPARE(messages()[0].buttons, MsgButtons::Ok);
        QVERIFY(!messages()[0].text.isEmpty());
        QVERIFY(!fx.env->dialogs.waitCursor);
        // A missing database.
        fx.env->dialogs.clear();
        CorvModule::DatabasePath = fx.env->path("gone.cvl");
        fx.env->dialogs.fileAnswers = {fx.env->path("y.bak")};
        fx.env->dialogs.expectOk();
        fx.main->mnuBackup_Click();
        QCOMPARE(fx.main->statusText(), QStringLiteral("Backup ERROR"));
        QVERIFY(messages()[0].text.contains("gone.cvl"));
        QVERIFY(!QFile::exists(fx.env->path("y.bak")));
    }

    // A disk without room is said in words, and the old backup and the
    // database stay as they were.
    void fullDiskOnBackupAndRestore() {
        struct NoRoom : WriteLayer {
            bool write(QFileDevice &, const char *, qint64, bool *diskFull) override {
                *diskFull = true;
                return false;
            }
        } noRoom;
        setWriteLayer(&noRoom);
        const QString target = fx.env->path("Corvella.bak");
        write(target, "the old backup");
        fx.env->dialogs.fileAnswers = {target};
        fx.env->dialogs.expectOk();
        fx.main->mnuBackup_Click();
        QCOMPARE(messages().size(), 1);
        QCOMPARE(messages()[0].text,
                 QStringLiteral("There is not enough space on the disk to write %1.")
                     .arg(QDir::toNativeSeparators(target)));
        QCOMPARE(messages()[0].title, QStringLiteral("Corvella"));
        QCOMPARE(fx.main->statusText(), QStringLiteral("Backup ERROR"));
        QCOMPARE(contents(target), QByteArray("the old backup"));

        setWriteLayer(nullptr);
        const QString backup = fx.env->path("good.bak");
        QVERIFY(copyFileSafely(fx.db, backup, nullptr));
        TestEnv::exec(fx.db, "INSERT INTO Tank (TankName) VALUES ('Since the backup')");
        const QByteArray before = contents(fx.db);
        setWriteLayer(&noRoom);
        fx.env->dialogs.clear();
        fx.env->dialogs.fileAnswers = {backup};
        fx.env->dialogs.answers = {MsgResult::Yes, MsgResult::Ok};
        fx.main->mnuRestore_Click();
        setWriteLayer(nullptr);
        QCOMPARE(fx.main->statusText(), QStringLiteral("Restore ERROR"));
        QVERIFY2(messages().last().text.startsWith(
                     QStringLiteral("There is not enough space on the disk to write ")),
                 qPrintable(messages().last().text));
        QCOMPARE(contents(fx.db), before);
        QVERIFY(!fx.env->dialogs.waitCursor);
    }

    void emptyFileNameEndsQuietly() {
        fx.env->dialogs.fileAnswers = {QString()};
        fx.main->mnuBackup_Click();
        QCOMPARE(fx.main->statusText(), CorvModule::IdleLine);
        QVERIFY(messages().isEmpty());
    }

    void restoreCopiesOverTheDatabase() {
        const QString backup = fx.env->path("Corvella.bak");
        QVERIFY(copyFileSafely(fx.db, backup, nullptr));
        TestEnv::exec(fx.db, "INSERT INTO Tank (TankName) VALUES ('Changed since')");
        fx.env->dialogs.fileAnswers = {backup};
        fx.env->dialogs.answers = {MsgResult::Yes, MsgResult::Ok};
        fx.main->mnuRestore_Click();
        const auto &file = fx.env->dialogs.calls.first();
        QCOMPARE(file.kind, ScriptedDialogs::Call::SaveFile); // the save-style dialog
        QCOMPARE(file.file.title, QStringLiteral("Restore database"));
        QCOMPARE(file.file.fileName, QStringLiteral("Corvella.bak"));
        const auto m = messages();
        QCOMPARE(m.size(), 2);
        QCOMPARE(m[0].text, QStringLiteral("Are you sure that you want to restore?  This will "
                                           "destroy any changes in the current database since the "
                                           "last backup."));
        QCOMPARE(m[0].title, QStringLiteral("Restore Database"));
        QCOMPARE(m[0].icon, MsgIcon::Critical);
        QCOMPARE(m[0].buttons, MsgButtons::YesNo);
        QCOMPARE(m[0].defaultButton, MsgResult::No);
        QCOMPARE(m[1].text, QStringLiteral("Restore successful!"));
        QCOMPARE(m[1].icon, MsgIcon::Information);
        QCOMPARE(m[1].title, QStringLiteral("Restore Database"));
        QCOMPARE(fx.main->statusText(), QStringLiteral("Restore successful!"));
        QCOMPARE(contents(fx.db), contents(backup));
        QCOMPARE(TestEnv::scalar(fx.db, "SELECT COUNT(*) FROM Tank").toInt(), 1);
    }

    // Cancel during the copy: the database, and an older backup of the same
    // name, stay byte for byte as they were.
    void cancelledBackupAndRestoreChangeNothing() {
        const QString backup = fx.env->path("Corvella.bak");
        write(backup, "an older backup");
        fx.env->dialogs.fileAnswers = {backup};
        fx.env->dialogs.progressCancels = {true};
        fx.main->mnuBackup_Click();
        QCOMPARE(contents(backup), QByteArray("an older backup"));
        QVERIFY(messages().isEmpty());
        QCOMPARE(fx.main->statusText(), QStringLiteral("Backup cancelled."));

        QVERIFY(copyFileSafely(fx.db, backup, nullptr));
        TestEnv::exec(fx.db, "INSERT INTO Tank (TankName) VALUES ('Changed since')");
        const QByteArray before = contents(fx.db);
        fx.env->dialogs.clear();
        fx.env->dialogs.fileAnswers = {backup};
        fx.env->dialogs.answers = {MsgResult::Yes};
        fx.env->dialogs.progressCancels = {false, true}; // the check runs, the copy stops
        fx.main->mnuRestore_Click();
        QCOMPARE(messages().size(), 1); // the question only
        QCOMPARE(contents(fx.db), before);
        QCOMPARE(fx.main->statusText(), QStringLiteral("Restore cancelled."));
        QVERIFY(fx.env->dialogs.progressCancels.isEmpty());
    }

    void restoreAnsweredNoCopiesNothing() {
        const QString backup = fx.env->path("Corvella.bak");
        QVERIFY(copyFileSafely(fx.db, backup, nullptr));
        TestEnv::exec(fx.db, "INSERT INTO Tank (TankName) VALUES ('Kept')");
        const QByteArray before = contents(fx.db);
        fx.env->dialogs.fileAnswers = {backup};
        fx.env->dialogs.answers = {MsgResult::No};
        fx.main->mnuRestore_Click();
        QCOMPARE(messages().size(), 1); // the question only
        QCOMPARE(contents(fx.db), before);
        QCOMPARE(fx.main->statusText(), CorvModule::IdleLine);
        QCOMPARE(fx.env->dialogs.cursorChanges, (QVector<bool>{true, false}));
    }

    void restoreRefusesAFileThatIsNoCorvellaDatabase() {
        const QByteArray before = contents(fx.db);
        const QString text = fx.env->path("notes.bak");
        write(text, "these are my notes, not a database");
        fx.env->dialogs.fileAnswers = {text};
        fx.env->dialogs.expectOk(); // refused before any question
        fx.main->mnuRestore_Click();
        QCOMPARE(messages().size(), 1);
        QCOMPARE(messages()[0].title, QStringLiteral("Restore Database"));
        QCOMPARE(messages()[0].icon, MsgIcon::Exclamation);
        QVERIFY(messages()[0].text.contains("not a Corvella database"));
        QVERIFY(messages()[0].text.contains("not restored"));
        QCOMPARE(contents(fx.db), before);
        // An SQLite file without the five tables is refused too.
        fx.env->dialogs.clear();
        const QString other = fx.env->path("other.bak");
        TestEnv::exec(other, "CREATE TABLE Tank (ID INTEGER PRIMARY KEY, TankName TEXT)");
        fx.env->dialogs.fileAnswers = {other};
        fx.env->dialogs.expectOk();
        fx.main->mnuRestore_Click();
        QVERIFY(messages()[0].text.contains("no Journal table"));
        QCOMPARE(contents(fx.db), before);
    }

    // The chosen file is checked whole before anything is replaced: a
    // backup with a damaged data page, an empty and a cut-off file are
    // refused with their reason, and the database stays as it was.
    void restoreRefusesDamagedOrIncompleteFiles_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("damaged data page") << "damaged"
                                           << "Corvella.bak is damaged";
        QTest::newRow("empty") << "empty"
                               << "Corvella.bak is not a Corvella database.";
        QTest::newRow("truncated") << "truncated"
                                   << "Corvella.bak is not a Corvella database, or it is damaged.";
    }
    void restoreRefusesDamagedOrIncompleteFiles() {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        const QString backup = fx.env->path("Corvella.bak");
        const QString good = fx.env->path("good.cvl");
        QVERIFY(copyFileSafely(fx.db, good, nullptr));
        TestEnv::damageJournalPages(good); // fills the journal, then damages it
        if (kind == "damaged") {
            QVERIFY(copyFileSafely(good, backup, nullptr));
            // Its tables and fields are all there: only the full check sees it.
            QVERIFY(TestEnv::scalar(backup, "SELECT COUNT(*) FROM sqlite_master").toInt() >= 5);
        } else if (kind == "empty") {
            write(backup, QByteArray());
        } else {
            write(backup, contents(good).left(8192)); // the schema page and one more
        }
        const QByteArray before = contents(fx.db);
        fx.env->dialogs.fileAnswers = {backup};
        fx.env->dialogs.answers = {MsgResult::Yes};
        fx.main->mnuRestore_Click();
        QCOMPARE(messages().size(), 1);
        QVERIFY2(messages()[0].text.startsWith(reason), qPrintable(messages()[0].text));
        QVERIFY(messages()[0].text.endsWith(QStringLiteral("The database was not restored.")));
        QCOMPARE(messages()[0].title, QStringLiteral("Restore Database"));
        QCOMPARE(messages()[0].icon, MsgIcon::Exclamation);
        QCOMPARE(fx.main->statusText(), CorvModule::IdleLine);
        QCOMPARE(contents(fx.db), before);
        QVERIFY(!QFile::exists(beforeRestorePath(fx.db)));
    }

    // The replaced database is kept beside it; the next restore replaces
    // that copy, and restoring the copy itself undoes the last restore.
    void restoreKeepsTheReplacedDatabase() {
        const QString backup = fx.env->path("Corvella.bak");
        QVERIFY(copyFileSafely(fx.db, backup, nullptr));
        TestEnv::exec(fx.db, "INSERT INTO Tank (TankName) VALUES ('Since the backup')");
        const QByteArray current = contents(fx.db);
        auto restore = [&](const QString &file) {
            fx.env->dialogs.clear();
            fx.env->dialogs.fileAnswers = {file};
            fx.env->dialogs.answers = {MsgResult::Yes, MsgResult::Ok};
            fx.main->mnuRestore_Click();
            return messages().last().text;
        };
        QCOMPARE(restore(backup), QStringLiteral("Restore successful!"));
        const QString kept = fx.env->path("CORVELLA.CVL.before-restore");
        QCOMPARE(beforeRestorePath(fx.db), kept);
        QCOMPARE(contents(kept), current);
        QCOMPARE(contents(fx.db), contents(backup));
        // Undoing: the kept database comes back, the restored one is kept.
        QCOMPARE(restore(kept), QStringLiteral("Restore successful!"));
        QCOMPARE(contents(fx.db), current);
        QCOMPARE(contents(kept), contents(backup));
        QCOMPARE(TestEnv::scalar(fx.db, "SELECT COUNT(*) FROM Tank").toInt(), 2);
        // No staging file is left behind.
        QCOMPARE(
            QDir(fx.env->folder()).entryList({".corvella-restore-*"}, QDir::Files | QDir::Hidden),
            QStringList());
    }

    // When the replaced database cannot be kept (a full disk), nothing is
    // replaced.
    void restoreWithoutRoomToKeepTheOldDatabase() {
        const QString backup = fx.env->path("Corvella.bak");
        QVERIFY(copyFileSafely(fx.db, backup, nullptr));
        TestEnv::exec(fx.db, "INSERT INTO Tank (TankName) VALUES ('Kept')");
        const QByteArray before = contents(fx.db);
        struct NoRoomForKeeping : WriteLayer {
            bool write(QFileDevice &file, const char *data, qint64 size, bool *full) override {
                if (file.fileName().endsWith(QLatin1String(".before-restore"))) {
                    *full = true;
                    return false;
                }
                return WriteLayer::write(file, data, size, full);
            }
        } layer;
        setWriteLayer(&layer);
        fx.env->dialogs.fileAnswers = {backup};
        fx.env->dialogs.answers = {MsgResult::Yes, MsgResult::Ok};
        fx.main->mnuRestore_Click();
        setWriteLayer(nullptr);
        QCOMPARE(fx.main->statusText(), QStringLiteral("Restore ERROR"));
        QCOMPARE(messages().last().text,
                 QStringLiteral("There is not enough space on the disk to write %1.")
                     .arg(QDir::toNativeSeparators(beforeRestorePath(fx.db))));
        QCOMPARE(contents(fx.db), before);
    }

    void restoreAsksAndClosesOpenWindows() {
        StandInWindow glossary(FormKind::Glossary, "Glossary", log);
        CorvModule::GlossaryOpen = true;
        CorvModule::ActiveForm = "Glossary";
        fx.env->dialogs.answers = {MsgResult::No};
        fx.main->mnuRestore_Click();
        QCOMPARE(messages()[0].text, QStringLiteral("Close all windows and restore database?"));
        QCOMPARE(messages()[0].title, QStringLiteral("Restore Database"));
        QCOMPARE(fx.main->statusText(), CorvModule::IdleLine);
        QVERIFY(log.isEmpty());
        fx.env->dialogs.answers = {MsgResult::Yes};
        fx.main->mnuRestore_Click(); // file dialog cancelled
        QCOMPARE(log.size(), 1);
        QVERIFY(log[0].startsWith("Glossary.Close"));
    }

    void restoreFailure() {
        const QString backup = fx.env->path("Corvella.bak");
        QVERIFY(copyFileSafely(fx.db, backup, nullptr));
        CorvModule::DatabasePath = fx.env->path("missing/folder/CORVELLA.CVL");
        fx.env->dialogs.fileAnswers = {backup};
        fx.env->dialogs.answers = {MsgResult::Yes, MsgResult::Ok};
        fx.main->mnuRestore_Click();
        QCOMPARE(fx.main->statusText(), QStringLiteral("Restore ERROR"));
        QCOMPARE(messages().last().title, QStringLiteral("Corvella"));
        QVERIFY(!fx.env->dialogs.waitCursor);
    }

    void failedCopyLeavesTheTargetWhole() {
        const QString target = fx.env->path("target.bin");
        write(target, "the old, whole file");
        QString error;
        QVERIFY(!copyFileSafely(fx.env->path("absent.bin"), target, &error));
        QVERIFY(error.contains("absent.bin"));
        QCOMPARE(contents(target), QByteArray("the old, whole file"));
        // No temporary files are left behind.
        QCOMPARE(
            QDir(fx.env->folder()).entryList(QDir::Files | QDir::Hidden).filter("target").size(),
            1);
        QVERIFY(!copyFileSafely(target, target, &error));
        QCOMPARE(contents(target), QByteArray("the old, whole file"));
    }

    // A file with triggers or views of its own would run its statements at
    // the program's next edit (here: every journal Add empties the
    // glossary). Restore refuses it, naming them; opening it as the
    // database is refused too; either way the files stay as they are.
    void filesWithTriggersOrViewsAreNeitherRestoredNorOpened() {
        TestEnv::exec(fx.db, "INSERT INTO Glossary (Term) VALUES ('KH')");
        const QString backup = fx.env->path("Corvella.bak");
        QVERIFY(copyFileSafely(fx.db, backup, nullptr));
        TestEnv::exec(backup, "CREATE TRIGGER t1 AFTER INSERT ON Journal BEGIN DELETE FROM "
                              "Glossary; END");
        TestEnv::exec(backup, "CREATE VIEW Everything AS SELECT * FROM Tank");
        const QByteArray before = contents(fx.db), hostile = contents(backup);
        fx.env->dialogs.fileAnswers = {backup};
        fx.env->dialogs.answers = {MsgResult::Ok};
        fx.main->mnuRestore_Click();
        QCOMPARE(messages().size(), 1);
        const QString text = messages()[0].text;
        QVERIFY2(text.contains(QStringLiteral("trigger \"t1\"")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("view \"Everything\"")), qPrintable(text));
        QVERIFY(text.endsWith(QStringLiteral("The database was not restored.")));
        QCOMPARE(contents(fx.db), before);
        QCOMPARE(contents(backup), hostile);

        RecordSet rs;
        const DbError e = rs.open(backup, QStringLiteral("SELECT * FROM Glossary"));
        QCOMPARE(e.number, DbErr::NotADatabase);
        QVERIFY2(e.description.contains(QStringLiteral("trigger \"t1\"")),
                 qPrintable(e.description));
        QCOMPARE(contents(backup), hostile);
        QCOMPARE(TestEnv::scalar(backup, "SELECT COUNT(*) FROM Glossary").toInt(), 1);
    }

    // Every file written from a private database is private too: the
    // backup, the database a restore keeps, an export. A restore keeps the
    // database's own permissions whatever the backup's.
    void filesFromThePrivateDatabaseStayPrivate() {
        const auto priv = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                          QFileDevice::WriteUser;
        const auto others = QFileDevice::ReadGroup | QFileDevice::ReadOther;
        QVERIFY(QFile::setPermissions(fx.db, priv));
        const QString backup = fx.env->path("Corvella.bak");
        fx.env->dialogs.fileAnswers = {backup};
        fx.env->dialogs.expectOk();
        fx.main->mnuBackup_Click();
        QCOMPARE(QFile::permissions(backup) & others, QFileDevice::Permissions());
        QVERIFY(QFile::permissions(backup) & QFileDevice::WriteOwner);

        QVERIFY(QFile::setPermissions(backup, priv | others));
        fx.env->dialogs.clear();
        fx.env->dialogs.fileAnswers = {backup};
        fx.env->dialogs.answers = {MsgResult::Yes, MsgResult::Ok};
        fx.main->mnuRestore_Click();
        QCOMPARE(messages().last().text, QStringLiteral("Restore successful!"));
        QCOMPARE(QFile::permissions(beforeRestorePath(fx.db)) & others, QFileDevice::Permissions());
        QCOMPARE(QFile::permissions(fx.db) & others, QFileDevice::Permissions());

        const QString csv = fx.env->path("Glossary.csv");
        QVERIFY(exportCsvFile(fx.db, TransferTable::Glossary, QString(), csv).ok);
        QCOMPARE(QFile::permissions(csv) & others, QFileDevice::Permissions());
    }
};

QTEST_MAIN(TestBackup)
#include "tst_backup.moc"
