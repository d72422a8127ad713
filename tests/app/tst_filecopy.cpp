// Copying a file safely: the old target stays whole whatever fails, and a
// disk without room is reported as such. The disk is made to fail either
// through a write layer that fails on demand or, where the test may mount
// one, on a real, tiny tmpfs.
#include "app/FileCopy.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QtTest/QTest>

using namespace corv;

namespace {

QByteArray contents(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool write(const QString &path, const QByteArray &data) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

// Writes through to the real file until `room` bytes are used up, then
// fails as a full disk does. `failCommit` makes only the last step fail.
class FullDisk : public WriteLayer {
public:
    qint64 room = 0;
    bool full = true;
    bool failCommit = false;
    int writes = 0;

    bool write(QFileDevice &file, const char *data, qint64 size, bool *diskFull) override {
        ++writes;
        if (size > room) {
            WriteLayer::write(file, data, room, diskFull);
            room = 0;
            *diskFull = full;
            return false;
        }
        room -= size;
        return WriteLayer::write(file, data, size, diskFull);
    }
    bool commit(QSaveFile &file, bool *diskFull) override {
        if (failCommit) {
            *diskFull = full;
            file.cancelWriting();
            return false;
        }
        return WriteLayer::commit(file, diskFull);
    }
};

} // namespace

class TestFileCopy : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    FullDisk disk;
    QString source, target;

    QStringList leftovers() const {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }

private slots:
    void init() {
        disk = FullDisk();
        setWriteLayer(&disk);
        source = dir.filePath("CORVELLA.CVL");
        target = dir.filePath("Corvella.bak");
        QVERIFY(write(source, QByteArray(3 << 20, 'x'))); // three blocks of a megabyte
        QVERIFY(write(target, "the old backup"));
    }
    void cleanup() {
        setWriteLayer(nullptr);
        for (const QString &f : leftovers())
            QFile::remove(dir.filePath(f));
    }

    void copiesThroughTheLayer() {
        disk.room = 1 << 30;
        QString error;
        QVERIFY2(copyFileSafely(source, target, &error), qPrintable(error));
        QCOMPARE(contents(target), contents(source));
        QCOMPARE(disk.writes, 3);
    }

    void fullDiskIsSaidInWordsAndKeepsTheOldFile_data() {
        QTest::addColumn<qint64>("room");
        QTest::addColumn<bool>("failCommit");
        QTest::newRow("no room at all") << qint64(0) << false;
        QTest::newRow("full in the second block") << qint64((1 << 20) + 5) << false;
        QTest::newRow("full when flushing") << qint64(1) << true;
    }
    void fullDiskIsSaidInWordsAndKeepsTheOldFile() {
        QFETCH(qint64, room);
        QFETCH(bool, failCommit);
        disk.room = failCommit ? qint64(1) << 30 : room;
        disk.failCommit = failCommit;
        QString error;
        QVERIFY(!copyFileSafely(source, target, &error));
        QCOMPARE(error, QStringLiteral("There is not enough space on the disk to write %1.")
                            .arg(QDir::toNativeSeparators(target)));
        QCOMPARE(contents(target), QByteArray("the old backup"));
        QCOMPARE(leftovers().size(), 2); // the source and the old target, no temporary file
    }

    void otherWriteFailuresAreNotCalledAFullDisk() {
        disk.room = 10;
        disk.full = false;
        QString error;
        QVERIFY(!copyFileSafely(source, target, &error));
        QVERIFY(error.startsWith(QDir::toNativeSeparators(target)));
        QVERIFY(!error.contains(QLatin1String("not enough space")));
        QVERIFY(!error.contains(QLatin1String("Unknown error")));
        QCOMPARE(contents(target), QByteArray("the old backup"));
    }

    // The same on a real disk that is full: a tmpfs of 64 KiB.
    void realFullDisk() {
        setWriteLayer(nullptr);
        QTemporaryDir mountPoint;
        QProcess mount;
        mount.start("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", mountPoint.path()});
        if (!mount.waitForFinished(5000) || mount.exitStatus() != QProcess::NormalExit ||
            mount.exitCode() != 0)
            QSKIP("A tmpfs cannot be mounted here; the write layer stands in for a full disk.");
        const QString small = mountPoint.filePath("Corvella.bak");
        const bool arranged = write(small, "the old backup");
        QString error;
        const bool copied = copyFileSafely(source, small, &error);
        const QByteArray after = contents(small);
        const QStringList left = QDir(mountPoint.path()).entryList(QDir::Files | QDir::Hidden);
        QProcess::execute("umount", {mountPoint.path()});
        QVERIFY(arranged);
        QVERIFY(!copied);
        QCOMPARE(error, QStringLiteral("There is not enough space on the disk to write %1.")
                            .arg(QDir::toNativeSeparators(small)));
        QCOMPARE(after, QByteArray("the old backup"));
        QCOMPARE(left, QStringList{"Corvella.bak"});
    }
};

QTEST_APPLESS_MAIN(TestFileCopy)
#include "tst_filecopy.moc"
