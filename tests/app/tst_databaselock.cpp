// One Corvella per database: the lock beside the database file.
#include "app/DatabaseLock.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest/QTest>

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
