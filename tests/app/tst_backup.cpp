// Backup and restore, the about box and the system-information lookup.
#include "app/CorvModule.h"
#include "app/FileCopy.h"
#include "app/frmAbout.h"
#include "app/mdiCorvella.h"
#include "data/Tables.h"
#include "platform/Registry.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QtTest/QTest>
#include <memory>

using namespace corv;
using corv::test::ScriptedDialogs;
using corv::test::TestEnv;

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

// A window on the database that closes when asked.
class OpenWindow : public CorvForm {
public:
    OpenWindow(FormKind kind, bool *flag, QStringList &log)
        : m_kind(kind), m_flag(flag), m_log(log) {
        Forms::enroll(kind, this);
    }
    ~OpenWindow() override { Forms::withdraw(m_kind, this); }
    QWidget *widget() override { return &m_widget; }
    void cmdClose_Click() override {
        m_log << QStringLiteral("close");
        if (m_flag)
            *m_flag = false;
        Forms::withdraw(m_kind, this);
    }

private:
    FormKind m_kind;
    bool *m_flag;
    QStringList &m_log;
    QWidget m_widget;
};

// A registry holding the values a test puts in it.
class FakeRegistry : public RegistryLayer {
public:
    struct Value {
        quint32 type;
        QByteArray data;
    };
    QHash<QString, Value> values; // "key|name"
    QStringList opened, closed;

    long openKey(RegKey, const QString &subKey, quint32 access, RegKey *key) override {
        if (access != 131135)
            return 5;
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            if (it.key().startsWith(subKey + u'|')) {
                opened << subKey;
                m_keys << subKey;
                *key = RegKey(m_keys.size());
                return RegSuccess;
            }
        }
        return RegNotFound;
    }
    long queryValue(RegKey key, const QString &name, quint32 *type, QByteArray &buffer,
                    quint32 *size) override {
        const QString k = m_keys.value(int(key) - 1) + u'|' + name;
        if (!values.contains(k))
            return RegNotFound;
        const Value &v = values[k];
        if (buffer.size() != 1024 || *size != 1024)
            return 87;
        buffer.replace(0, v.data.size(), v.data);
        *size = quint32(v.data.size());
        *type = v.type;
        return RegSuccess;
    }
    long closeKey(RegKey key) override {
        closed << m_keys.value(int(key) - 1);
        return RegSuccess;
    }

private:
    QStringList m_keys;
};

const QString MsInfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString LocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");

} // namespace

class TestBackup : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;
    std::unique_ptr<mdiCorvella> main;
    QString db;
    QStringList log;

    QVector<MessageRequest> messages() { return env->dialogs.messages(); }
    int fileDialogs() {
        int n = 0;
        for (const auto &c : env->dialogs.calls)
            n += c.kind == ScriptedDialogs::Call::SaveFile;
        return n;
    }

private slots:
    void init() {
        env = std::make_unique<TestEnv>();
        Forms::reset();
        db = env->makeDatabase();
        TestEnv::exec(db, "INSERT INTO Tank (TankName) VALUES ('Reef')");
        CorvModule::ActiveForm = CorvModule::NoOne;
        main = std::make_unique<mdiCorvella>();
        log.clear();
    }
    void cleanup() {
        main.reset();
        Forms::reset();
        env.reset();
    }

    void backupCopiesByteForByte() {
        const QString target = env->path("Corvella.bak");
        env->dialogs.fileAnswers = {target};
        main->mnuBackup_Click();
        // No window open: straight to the file dialog.
        const auto &file = env->dialogs.calls.first();
        QCOMPARE(file.kind, ScriptedDialogs::Call::SaveFile);
        QCOMPARE(file.file.title, QStringLiteral("Backup database"));
        QCOMPARE(file.file.filter, QStringLiteral("(*.bak)|*.bak"));
        QCOMPARE(file.file.fileName, QStringLiteral("Corvella.bak"));
        QCOMPARE(file.file.initialFolder, env->folder());
        QCOMPARE(file.file.flags, unsigned(FileHideReadOnly | FileExplorer));
        QCOMPARE(contents(target), contents(db));
        QCOMPARE(main->statusText(), QStringLiteral("Backup successful!"));
        QCOMPARE(messages().size(), 1);
        QCOMPARE(messages()[0].text, QStringLiteral("Backup successful!"));
        QCOMPARE(messages()[0].title, QStringLiteral("Backup Database"));
        QCOMPARE(messages()[0].icon, MsgIcon::Information);
        QCOMPARE(env->dialogs.cursorChanges, (QVector<bool>{true, false}));
        QVERIFY(!env->dialogs.waitCursor);
    }

    void backupReplacesAnExistingFileWithoutAsking() {
        const QString target = env->path("old.bak");
        write(target, "an older backup");
        env->dialogs.fileAnswers = {target};
        main->mnuBackup_Click();
        QCOMPARE(contents(target), contents(db));
        QCOMPARE(messages().size(), 1); // only "Backup successful!"
    }

    void backupAsksAndClosesOpenWindows() {
        OpenWindow journal(FormKind::Journal, &CorvModule::JournalOpen, log);
        CorvModule::JournalOpen = true;
        // No: nothing happens, idle line.
        env->dialogs.answers = {MsgResult::No};
        main->mnuBackup_Click();
        QCOMPARE(messages().size(), 1);
        QCOMPARE(messages()[0].text, QStringLiteral("Close all windows and backup database?"));
        QCOMPARE(messages()[0].title, QStringLiteral("Backup Database"));
        QCOMPARE(messages()[0].icon, MsgIcon::Question);
        QCOMPARE(messages()[0].buttons, MsgButtons::YesNo);
        QCOMPARE(messages()[0].defaultButton, MsgResult::No);
        QCOMPARE(main->statusText(), CorvModule::IdleLine);
        QVERIFY(log.isEmpty());
        QCOMPARE(fileDialogs(), 0);
        // Yes, then a cancelled file dialog: the windows stay closed.
        env->dialogs.answers = {MsgResult::Yes};
        env->dialogs.fileAnswers = {std::nullopt};
        main->mnuBackup_Click();
        QCOMPARE(log, QStringList{"close"});
        QVERIFY(!CorvModule::JournalOpen);
        QCOMPARE(main->statusText(), CorvModule::IdleLine);
        QVERIFY(!QFile::exists(env->path("Corvella.bak")));
    }

    void questionIsAskedEvenWhenNoWindowIsActive() {
        // The tank window start-up opens has no open flag and ActiveForm
        // may be "NoOne": it still holds the database and is closed first.
        OpenWindow tank(FormKind::Tank, nullptr, log);
        env->dialogs.answers = {MsgResult::Yes};
        env->dialogs.fileAnswers = {env->path("x.bak")};
        main->mnuBackup_Click();
        QCOMPARE(messages()[0].text, QStringLiteral("Close all windows and backup database?"));
        QCOMPARE(log, QStringList{"close"});
        QVERIFY(QFile::exists(env->path("x.bak")));
    }

    void backupFailures() {
        // A target that cannot be written.
        env->dialogs.fileAnswers = {env->path("no/such/folder/x.bak")};
        main->mnuBackup_Click();
        QCOMPARE(main->statusText(), QStringLiteral("Backup ERROR"));
        QCOMPARE(messages().size(), 1);
        QCOMPARE(messages()[0].title, QStringLiteral("Corvella"));
        QCOMPARE(messages()[0].buttons, MsgButtons::Ok);
        QVERIFY(!messages()[0].text.isEmpty());
        QVERIFY(!env->dialogs.waitCursor);
        // A missing database.
        env->dialogs.clear();
        CorvModule::DatabasePath = env->path("gone.cvl");
        env->dialogs.fileAnswers = {env->path("y.bak")};
        main->mnuBackup_Click();
        QCOMPARE(main->statusText(), QStringLiteral("Backup ERROR"));
        QVERIFY(messages()[0].text.contains("gone.cvl"));
        QVERIFY(!QFile::exists(env->path("y.bak")));
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
        const QString target = env->path("Corvella.bak");
        write(target, "the old backup");
        env->dialogs.fileAnswers = {target};
        main->mnuBackup_Click();
        QCOMPARE(messages().size(), 1);
        QCOMPARE(messages()[0].text,
                 QStringLiteral("There is not enough space on the disk to write %1.")
                     .arg(QDir::toNativeSeparators(target)));
        QCOMPARE(messages()[0].title, QStringLiteral("Corvella"));
        QCOMPARE(main->statusText(), QStringLiteral("Backup ERROR"));
        QCOMPARE(contents(target), QByteArray("the old backup"));

        setWriteLayer(nullptr);
        const QString backup = env->path("good.bak");
        QVERIFY(copyFileSafely(db, backup, nullptr));
        TestEnv::exec(db, "INSERT INTO Tank (TankName) VALUES ('Since the backup')");
        const QByteArray before = contents(db);
        setWriteLayer(&noRoom);
        env->dialogs.clear();
        env->dialogs.fileAnswers = {backup};
        env->dialogs.answers = {MsgResult::Yes};
        main->mnuRestore_Click();
        setWriteLayer(nullptr);
        QCOMPARE(main->statusText(), QStringLiteral("Restore ERROR"));
        QVERIFY2(messages().last().text.startsWith(
                     QStringLiteral("There is not enough space on the disk to write ")),
                 qPrintable(messages().last().text));
        QCOMPARE(contents(db), before);
        QVERIFY(!env->dialogs.waitCursor);
    }

    void emptyFileNameEndsQuietly() {
        env->dialogs.fileAnswers = {QString()};
        main->mnuBackup_Click();
        QCOMPARE(main->statusText(), CorvModule::IdleLine);
        QVERIFY(messages().isEmpty());
    }

    void restoreCopiesOverTheDatabase() {
        const QString backup = env->path("Corvella.bak");
        QVERIFY(copyFileSafely(db, backup, nullptr));
        TestEnv::exec(db, "INSERT INTO Tank (TankName) VALUES ('Changed since')");
        env->dialogs.fileAnswers = {backup};
        env->dialogs.answers = {MsgResult::Yes};
        main->mnuRestore_Click();
        const auto &file = env->dialogs.calls.first();
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
        QCOMPARE(main->statusText(), QStringLiteral("Restore successful!"));
        QCOMPARE(contents(db), contents(backup));
        QCOMPARE(TestEnv::scalar(db, "SELECT COUNT(*) FROM Tank").toInt(), 1);
    }

    void restoreAnsweredNoCopiesNothing() {
        const QString backup = env->path("Corvella.bak");
        QVERIFY(copyFileSafely(db, backup, nullptr));
        TestEnv::exec(db, "INSERT INTO Tank (TankName) VALUES ('Kept')");
        const QByteArray before = contents(db);
        env->dialogs.fileAnswers = {backup};
        env->dialogs.answers = {MsgResult::No};
        main->mnuRestore_Click();
        QCOMPARE(messages().size(), 1); // the question only
        QCOMPARE(contents(db), before);
        QCOMPARE(main->statusText(), CorvModule::IdleLine);
        QCOMPARE(env->dialogs.cursorChanges, (QVector<bool>{true, false}));
    }

    void restoreRefusesAFileThatIsNoCorvellaDatabase() {
        const QByteArray before = contents(db);
        const QString text = env->path("notes.bak");
        write(text, "these are my notes, not a database");
        env->dialogs.fileAnswers = {text};
        env->dialogs.answers = {MsgResult::Yes};
        main->mnuRestore_Click();
        QCOMPARE(messages().size(), 1);
        QCOMPARE(messages()[0].title, QStringLiteral("Restore Database"));
        QCOMPARE(messages()[0].icon, MsgIcon::Exclamation);
        QVERIFY(messages()[0].text.contains("not a Corvella database"));
        QVERIFY(messages()[0].text.contains("not restored"));
        QCOMPARE(contents(db), before);
        // An SQLite file without the five tables is refused too.
        env->dialogs.clear();
        const QString other = env->path("other.bak");
        TestEnv::exec(other, "CREATE TABLE Tank (ID INTEGER PRIMARY KEY, TankName TEXT)");
        env->dialogs.fileAnswers = {other};
        main->mnuRestore_Click();
        QVERIFY(messages()[0].text.contains("no Journal table"));
        QCOMPARE(contents(db), before);
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
        const QString backup = env->path("Corvella.bak");
        const QString good = env->path("good.cvl");
        QVERIFY(copyFileSafely(db, good, nullptr));
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
        const QByteArray before = contents(db);
        env->dialogs.fileAnswers = {backup};
        env->dialogs.answers = {MsgResult::Yes};
        main->mnuRestore_Click();
        QCOMPARE(messages().size(), 1);
        QVERIFY2(messages()[0].text.startsWith(reason), qPrintable(messages()[0].text));
        QVERIFY(messages()[0].text.endsWith(QStringLiteral("The database was not restored.")));
        QCOMPARE(messages()[0].title, QStringLiteral("Restore Database"));
        QCOMPARE(messages()[0].icon, MsgIcon::Exclamation);
        QCOMPARE(main->statusText(), CorvModule::IdleLine);
        QCOMPARE(contents(db), before);
        QVERIFY(!QFile::exists(beforeRestorePath(db)));
    }

    // The replaced database is kept beside it; the next restore replaces
    // that copy, and restoring the copy itself undoes the last restore.
    void restoreKeepsTheReplacedDatabase() {
        const QString backup = env->path("Corvella.bak");
        QVERIFY(copyFileSafely(db, backup, nullptr));
        TestEnv::exec(db, "INSERT INTO Tank (TankName) VALUES ('Since the backup')");
        const QByteArray current = contents(db);
        auto restore = [&](const QString &file) {
            env->dialogs.clear();
            env->dialogs.fileAnswers = {file};
            env->dialogs.answers = {MsgResult::Yes};
            main->mnuRestore_Click();
            return messages().last().text;
        };
        QCOMPARE(restore(backup), QStringLiteral("Restore successful!"));
        const QString kept = env->path("CORVELLA.CVL.before-restore");
        QCOMPARE(beforeRestorePath(db), kept);
        QCOMPARE(contents(kept), current);
        QCOMPARE(contents(db), contents(backup));
        // Undoing: the kept database comes back, the restored one is kept.
        QCOMPARE(restore(kept), QStringLiteral("Restore successful!"));
        QCOMPARE(contents(db), current);
        QCOMPARE(contents(kept), contents(backup));
        QCOMPARE(TestEnv::scalar(db, "SELECT COUNT(*) FROM Tank").toInt(), 2);
        // No staging file is left behind.
        QCOMPARE(QDir(env->folder()).entryList({".corvella-restore-*"}, QDir::Files | QDir::Hidden),
                 QStringList());
    }

    // When the replaced database cannot be kept (a full disk), nothing is
    // replaced.
    void restoreWithoutRoomToKeepTheOldDatabase() {
        const QString backup = env->path("Corvella.bak");
        QVERIFY(copyFileSafely(db, backup, nullptr));
        TestEnv::exec(db, "INSERT INTO Tank (TankName) VALUES ('Kept')");
        const QByteArray before = contents(db);
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
        env->dialogs.fileAnswers = {backup};
        env->dialogs.answers = {MsgResult::Yes};
        main->mnuRestore_Click();
        setWriteLayer(nullptr);
        QCOMPARE(main->statusText(), QStringLiteral("Restore ERROR"));
        QCOMPARE(messages().last().text,
                 QStringLiteral("There is not enough space on the disk to write %1.")
                     .arg(QDir::toNativeSeparators(beforeRestorePath(db))));
        QCOMPARE(contents(db), before);
    }

    void restoreAsksAndClosesOpenWindows() {
        OpenWindow glossary(FormKind::Glossary, &CorvModule::GlossaryOpen, log);
        CorvModule::GlossaryOpen = true;
        CorvModule::ActiveForm = "Glossary";
        env->dialogs.answers = {MsgResult::No};
        main->mnuRestore_Click();
        QCOMPARE(messages()[0].text, QStringLiteral("Close all windows and restore database?"));
        QCOMPARE(messages()[0].title, QStringLiteral("Restore Database"));
        QCOMPARE(main->statusText(), CorvModule::IdleLine);
        QVERIFY(log.isEmpty());
        env->dialogs.answers = {MsgResult::Yes};
        main->mnuRestore_Click(); // file dialog cancelled
        QCOMPARE(log, QStringList{"close"});
    }

    void restoreFailure() {
        const QString backup = env->path("Corvella.bak");
        QVERIFY(copyFileSafely(db, backup, nullptr));
        CorvModule::DatabasePath = env->path("missing/folder/CORVELLA.CVL");
        env->dialogs.fileAnswers = {backup};
        env->dialogs.answers = {MsgResult::Yes};
        main->mnuRestore_Click();
        QCOMPARE(main->statusText(), QStringLiteral("Restore ERROR"));
        QCOMPARE(messages().last().title, QStringLiteral("Corvella"));
        QVERIFY(!env->dialogs.waitCursor);
    }

    void failedCopyLeavesTheTargetWhole() {
        const QString target = env->path("target.bin");
        write(target, "the old, whole file");
        QString error;
        QVERIFY(!copyFileSafely(env->path("absent.bin"), target, &error));
        QVERIFY(error.contains("absent.bin"));
        QCOMPARE(contents(target), QByteArray("the old, whole file"));
        // No temporary files are left behind.
        QCOMPARE(QDir(env->folder()).entryList(QDir::Files | QDir::Hidden).filter("target").size(),
                 1);
        QVERIFY(!copyFileSafely(target, target, &error));
        QCOMPARE(contents(target), QByteArray("the old, whole file"));
    }

    void doubleWordIsTheNumberItHolds() {
        FakeRegistry reg;
        reg.values[MsInfoKey + "|Version"] = {RegDword, QByteArray("\x05\x10\x00\x00", 4)};
        reg.values[MsInfoKey + "|PATH"] = {RegString, QByteArray("C:\\Tools\\msinfo.exe\0", 20)};
        reg.values[MsInfoKey + "|Blob"] = {RegBinary, QByteArray("\x01\x02", 2)};
        setRegistryLayer(&reg);
        QString value = "before";
        QVERIFY(GetKeyValue(RegLocalMachine, MsInfoKey, "Version", value));
        QCOMPARE(value, QStringLiteral("4101"));
        QVERIFY(GetKeyValue(RegLocalMachine, MsInfoKey, "PATH", value));
        QCOMPARE(value, QStringLiteral("C:\\Tools\\msinfo.exe")); // trailing zero dropped
        value = "kept";
        QVERIFY(GetKeyValue(RegLocalMachine, MsInfoKey, "Blob", value));
        QCOMPARE(value, QStringLiteral("kept"));
        QVERIFY(!GetKeyValue(RegLocalMachine, MsInfoKey, "Absent", value));
        QVERIFY(value.isEmpty());
        QVERIFY(!GetKeyValue(RegLocalMachine, "SOFTWARE\\Nothing", "PATH", value));
        QVERIFY(value.isEmpty());
        QCOMPARE(reg.opened.size(), reg.closed.size()); // every opened key is closed
        setRegistryLayer(nullptr);
    }

    void systemInfo() {
        FakeRegistry reg;
        setRegistryLayer(&reg);
        // Neither key: the message once.
        StartSysInfo();
        QCOMPARE(env->dialogs.messageTexts(),
                 QStringList{"System Information Is Unavailable At This Time"});
        QCOMPARE(messages()[0].title, QStringLiteral("Corvella"));
        QCOMPARE(messages()[0].buttons, MsgButtons::Ok);
        // Only the location key, but no program in that folder.
        env->dialogs.clear();
        reg.values[LocationKey + "|MSINFO"] = {RegString, env->folder().toLocal8Bit() + '\0'};
        StartSysInfo();
        QCOMPARE(messages().size(), 1);
        // The program in that folder is started.
        env->dialogs.clear();
        write(env->path("MSINFO32.EXE"), "tool");
        StartSysInfo();
        QVERIFY(messages().isEmpty());
        QCOMPARE(env->dialogs.calls.last().program,
                 QDir::toNativeSeparators(env->folder() + "/MSINFO32.EXE"));
        // The first key wins; a start that fails gives the message.
        env->dialogs.clear();
        reg.values[MsInfoKey + "|PATH"] = {RegString, QByteArray("/usr/bin/sysinfo\0", 17)};
        env->dialogs.startSucceeds = false;
        StartSysInfo();
        QCOMPARE(env->dialogs.calls.first().program, QStringLiteral("/usr/bin/sysinfo"));
        QCOMPARE(env->dialogs.messageTexts(),
                 QStringList{"System Information Is Unavailable At This Time"});
        setRegistryLayer(nullptr);
    }

    void aboutBox() {
        frmAbout about;
        QCOMPARE(about.windowTitle(), QStringLiteral("About Corvella"));
        QCOMPARE(about.lblProductName->text(), QStringLiteral("Corvella"));
        QCOMPARE(about.lblCompanyProduct->text(),
                 QStringLiteral("Aquarium Information Toolkit Version 1.00 for Windows"));
        QVERIFY(about.Label2->text().startsWith("Questions or Comments?"));
        QVERIFY(about.Label2->text().contains('@'));
        QVERIFY(!about.lblWarning->text().isEmpty());
        QCOMPARE(about.cmdSysInfo->text(), QStringLiteral("System Info"));
        QCOMPARE(about.cmdOK->text(), QStringLiteral("OK"));
        main->setStatusText("About Corvella.");
        about.show();
        about.cmdOK->click();
        QVERIFY(!about.isVisible());
        QCOMPARE(main->statusText(), CorvModule::IdleLine);
    }
};

QTEST_MAIN(TestBackup)
#include "tst_backup.moc"
