// One Corvella per database: the lock beside the database file.
#include "app/DatabaseLock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest/QTest>
#include <unistd.h>

using namespace corv;

class TestDatabaseLock : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString db;

    // A lock file as QLockFile writes it, for a program `pid` on a computer.
    void writeLockFile(qint64 pid, const QString &host, const QByteArray &machineId) {
        QFile f(DatabaseLock::lockFilePathFor(db));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray::number(pid) + '\n' + QCoreApplication::applicationName().toUtf8() +
                '\n' + host.toUtf8() + '\n' + machineId + '\n');
    }

private slots:
    void init() {
        db = dir.filePath("CORVELLA.CVL");
        QFile f(db);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    void cleanup() { QFile::remove(DatabaseLock::lockFilePathFor(db)); }

    void secondHolderFindsItInUseUntilReleased() {
        const QString lockFile = dir.filePath("CORVELLA.CVL.lock");
        QCOMPARE(DatabaseLock::lockFilePathFor(db), lockFile);
        {
            DatabaseLock first(db), second(db);
            QCOMPARE(first.lock(), DatabaseLock::Locked);
            QCOMPARE(first.lock(), DatabaseLock::Locked); // asking again changes nothing
            QVERIFY(QFile::exists(lockFile));
            QCOMPARE(second.lock(), DatabaseLock::InUse);
            QVERIFY(!second.isLocked());
            first.unlock();
            QVERIFY(!QFile::exists(lockFile));
            QCOMPARE(second.lock(), DatabaseLock::Locked);
        }
        QVERIFY(!QFile::exists(lockFile)); // released when its holder ends
    }

    void theSameFileByAnotherPathIsTheSameLock() {
        const QString link = dir.filePath("link.cvl");
        QVERIFY(QFile::link(db, link));
        DatabaseLock first(db), second(link), third(dir.path() + "/./CORVELLA.CVL");
        QCOMPARE(first.lock(), DatabaseLock::Locked);
        QCOMPARE(second.lock(), DatabaseLock::InUse);
        QCOMPARE(third.lock(), DatabaseLock::InUse);
        QFile::remove(link);
    }

    // The lock of a program that crashed names a process that no longer
    // runs: it is taken over. So is a lock file that names no one.
    // The lock is the file's, not its name's: a hard link in another folder
    // (another lock file beside it) is still the same database.
    void aHardLinkElsewhereIsTheSameDatabase() {
        QVERIFY(QDir(dir.path()).mkpath("other"));
        const QString hard = dir.filePath("other/CORVELLA.CVL");
        QCOMPARE(::link(QFile::encodeName(db).constData(), QFile::encodeName(hard).constData()), 0);
        {
            DatabaseLock first(db), second(hard);
            QCOMPARE(first.lock(), DatabaseLock::Locked);
            QCOMPARE(second.lock(), DatabaseLock::InUse);
            QVERIFY(!second.isLocked());
            QVERIFY(!QFile::exists(DatabaseLock::lockFilePathFor(hard))); // not left behind
            first.unlock();
            QCOMPARE(second.lock(), DatabaseLock::Locked);
            QCOMPARE(FileIdentityLock::probe(db), FileIdentityLock::InUse);
        }
        QCOMPARE(FileIdentityLock::probe(db), FileIdentityLock::Locked);
        QFile::remove(hard);
    }

    // The program's own lock moves with its database, and takes the new file
    // a restore puts in place under the same name.
    void theProgramsLockFollowsItsDatabase() {
        const QString second = dir.filePath("second.cvl");
        {
            QFile f(second);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QCOMPARE(DatabaseLock::lockProgramDatabase(db), DatabaseLock::Locked);
        QCOMPARE(FileIdentityLock::probe(db), FileIdentityLock::InUse);
        // Another holder of `second` keeps the program where it is.
        {
            DatabaseLock other(second);
            QCOMPARE(other.lock(), DatabaseLock::Locked);
            QCOMPARE(DatabaseLock::lockProgramDatabase(second), DatabaseLock::InUse);
            QCOMPARE(FileIdentityLock::probe(db), FileIdentityLock::InUse);
        }
        QCOMPARE(DatabaseLock::lockProgramDatabase(second), DatabaseLock::Locked);
        QCOMPARE(FileIdentityLock::probe(db), FileIdentityLock::Locked);
        QCOMPARE(FileIdentityLock::probe(second), FileIdentityLock::InUse);

        // A new file under the held name (as a restore writes it) is free
        // until the program takes it.
        const QString fresh = dir.filePath("fresh.tmp");
        {
            QFile f(fresh);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QCOMPARE(
            ::rename(QFile::encodeName(fresh).constData(), QFile::encodeName(second).constData()),
            0);
        QCOMPARE(FileIdentityLock::probe(second), FileIdentityLock::Locked);
        QCOMPARE(DatabaseLock::lockProgramDatabase(second), DatabaseLock::Locked);
        QCOMPARE(FileIdentityLock::probe(second), FileIdentityLock::InUse);
        DatabaseLock::releaseProgramDatabase();
        QCOMPARE(FileIdentityLock::probe(second), FileIdentityLock::Locked);
        QVERIFY(!QFile::exists(DatabaseLock::lockFilePathFor(second)));
    }

    void staleLocksAreTakenOver_data() {
        QTest::addColumn<bool>("empty");
        QTest::newRow("ended program") << false;
        QTest::newRow("empty file") << true;
    }
    void staleLocksAreTakenOver() {
        QFETCH(bool, empty);
        if (empty) {
            QFile f(DatabaseLock::lockFilePathFor(db));
            QVERIFY(f.open(QIODevice::WriteOnly));
        } else {
            QProcess ended;
            ended.start("true");
            QVERIFY(ended.waitForStarted());
            const qint64 pid = ended.processId();
            QVERIFY(ended.waitForFinished());
            writeLockFile(pid, QSysInfo::machineHostName(), QSysInfo::machineUniqueId());
        }
        DatabaseLock lock(db);
        QCOMPARE(lock.lock(), DatabaseLock::Locked);
        DatabaseLock other(db);
        QCOMPARE(other.lock(), DatabaseLock::InUse);
    }

    // A program on another computer (the database on a shared folder)
    // cannot be seen to have ended: its lock holds, however old.
    void anotherComputersLockHolds() {
        writeLockFile(1, QStringLiteral("another-computer"), "0123456789abcdef0123456789abcdef");
        {
            QFile f(DatabaseLock::lockFilePathFor(db));
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.setFileTime(QDateTime::currentDateTime().addDays(-3),
                                  QFileDevice::FileModificationTime));
        }
        DatabaseLock lock(db);
        QCOMPARE(lock.lock(), DatabaseLock::InUse);
    }

    void noLockWhereNoneCanBeMade() {
        DatabaseLock lock(dir.filePath("no/such/folder/CORVELLA.CVL"));
        QCOMPARE(lock.lock(), DatabaseLock::NotLocked);
        QVERIFY(!lock.isLocked());
    }
};

QTEST_GUILESS_MAIN(TestDatabaseLock)
#include "tst_databaselock.moc"
