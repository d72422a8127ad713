// Every input that ever broke a property of a parser or a conversion is kept
// in fuzz/regressions/<target>/ and replayed here through the same check the
// fuzz target runs; the seed corpus is replayed too, as a smoke test of the
// checks themselves.
#include "FuzzChecks.h"

#include <QDir>
#include <QFile>
#include <QtTest/QTest>

using namespace corv::fuzz;

class TestFuzzRegressions : public QObject {
    Q_OBJECT

    static void addRows(const char *folder) {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("file");
        const QDir root(QStringLiteral(CORVELLA_SOURCE_DIR "/fuzz/") + QLatin1String(folder));
        for (const Target &t : targets()) {
            const QDir dir(root.filePath(QLatin1String(t.name)));
            for (const QString &f : dir.entryList(QDir::Files, QDir::Name))
                QTest::newRow(qPrintable(QStringLiteral("%1/%2").arg(t.name, f)))
                    << QString::fromLatin1(t.name) << dir.filePath(f);
        }
    }
    static void replay() {
        QFETCH(QString, target);
        QFETCH(QString, file);
        QFile f(file);
        QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(file));
        const QByteArray input = f.readAll();
        for (const Target &t : targets()) {
            if (target != QLatin1String(t.name))
                continue;
            const QString why = t.check(input);
            QVERIFY2(why.isEmpty(), qPrintable(why));
            return;
        }
        QFAIL("no such target");
    }

private slots:
    void everyTargetHasSeeds() {
        for (const Target &t : targets()) {
            const QDir dir(QStringLiteral(CORVELLA_SOURCE_DIR "/fuzz/corpus/") +
                           QLatin1String(t.name));
            QVERIFY2(!dir.entryList(QDir::Files).isEmpty(), qPrintable(dir.path()));
        }
    }
    void regressions_data() { addRows("regressions"); }
    void regressions() { replay(); }
    void seeds_data() { addRows("corpus"); }
    void seeds() { replay(); }
};

QTEST_MAIN(TestFuzzRegressions)
#include "tst_fuzzregressions.moc"
