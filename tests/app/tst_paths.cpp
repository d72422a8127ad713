// Where Corvella looks for its files, run from a build folder and installed,
// and the first-start copy of the pristine database.
#include "app/CorvModule.h"
#include "app/Paths.h"
#include "app/Settings.h"
#include "data/DatabaseFile.h"
#include "data/Tables.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest/QTest>
#include <memory>

using namespace corv;
using corv::test::TestEnv;

namespace {

QByteArray contents(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool write(const QString &path, const QByteArray &data) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

QString native(const QString &path) {
    return QDir::toNativeSeparators(path);
}

} // namespace

class TestPaths : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;
    QByteArray savedDataHome;

    // An installation under env/prefix, with a real pristine database, and
    // the user's data folder under env/home.
    QString makeInstallation() {
        const QString prefix = env->path(QStringLiteral("prefix"));
        QDir().mkpath(prefix + QStringLiteral("/bin"));
        QDir().mkpath(prefix + QStringLiteral("/share/corvella"));
        QString error;
        if (!createDatabase(prefix + QStringLiteral("/share/corvella/CORVELLA.CVL"), &error))
            qFatal("cannot create the pristine database: %s", qPrintable(error));
        write(prefix + QStringLiteral("/share/corvella/CORVELLA.HLP"), "<h1>Help</h1>");
        CorvModule::setProgramFolder(prefix + QStringLiteral("/bin"));
        return prefix;
    }
    QString home() const { return env->path(QStringLiteral("home/Corvella")); }

private slots:
    void init() {
        env = std::make_unique<TestEnv>();
        savedDataHome = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(env->path(QStringLiteral("home"))));
    }
    void cleanup() {
        qputenv("XDG_DATA_HOME", savedDataHome);
        env.reset();
    }

    void layoutOfABuildFolder() {
        // The program's folder holds everything, even when it is named bin
        // (as a build's is): the build never makes a share folder beside it.
        for (const QString &name : {QStringLiteral("out"), QStringLiteral("bin")}) {
            const QString folder = env->path(name);
            QDir().mkpath(folder);
            write(folder + QStringLiteral("/CORVELLA.CVL"), "db");
            const FolderLayout l =
                folderLayout(folder, QStringLiteral("/home/x/.local/share/Corvella"));
            QVERIFY(!l.installed);
            QCOMPARE(l.programFolder, folder);
            QCOMPARE(l.shareFolder, folder);
            QCOMPARE(l.userFolder, folder);
        }
        // A share folder without the pristine database is not an
        // installation either (a half-removed one, or someone's own folder).
        QDir().mkpath(env->path(QStringLiteral("share/corvella")));
        QVERIFY(!folderLayout(env->path(QStringLiteral("bin")), QString()).installed);
        QVERIFY(!folderLayout(QString(), QString()).installed);
    }

    void layoutOfAnInstallation() {
        const QString prefix = makeInstallation();
        const FolderLayout l = folderLayout(prefix + QStringLiteral("/bin"), home());
        QVERIFY(l.installed);
        QCOMPARE(l.shareFolder, prefix + QStringLiteral("/share/corvella"));
        QCOMPARE(l.userFolder, home());
        QCOMPARE(installedShareFolder(QStringLiteral("/usr/bin")),
                 QStringLiteral("/usr/share/corvella"));
        // The user's data folder is named after the program alone.
        QCOMPARE(userDataFolder(), env->path(QStringLiteral("home/Corvella")));
        QVERIFY(CorvModule::installed());
        QCOMPARE(CorvModule::sharedFile(QStringLiteral("journal.rpt")),
                 native(prefix + QStringLiteral("/share/corvella/journal.rpt")));
        QCOMPARE(CorvModule::userFolder(), home());
    }

    void firstStartCopy() {
        const QString pristine = env->path(QStringLiteral("share/CORVELLA.CVL"));
        QVERIFY(write(pristine, QByteArray("pristine\0bytes", 14)));
        // A pristine file the user cannot write to (it belongs to the system)
        // still gives a copy the user can write to.
        QFile::setPermissions(pristine, QFileDevice::ReadOwner | QFileDevice::ReadGroup |
                                            QFileDevice::ReadOther);
        const QString target = env->path(QStringLiteral("home/deep/er/CORVELLA.CVL"));
        QString error;
        QCOMPARE(copyPristineDatabase(pristine, target, &error), FirstCopy::Copied);
        QCOMPARE(contents(target), QByteArray("pristine\0bytes", 14));
        QVERIFY(QFileInfo(target).isWritable());
        // Nothing else is left in the folder (no half-made copies).
        QCOMPARE(QDir(QFileInfo(target).absolutePath())
                     .entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("CORVELLA.CVL")});

        // The user's records are never replaced.
        QVERIFY(write(target, "the user's records"));
        QCOMPARE(copyPristineDatabase(pristine, target, &error), FirstCopy::Present);
        QCOMPARE(contents(target), QByteArray("the user's records"));
        // Nor is an empty file, nor a link (even one that leads nowhere).
        QVERIFY(write(target, QByteArray()));
        QCOMPARE(copyPristineDatabase(pristine, target, &error), FirstCopy::Present);
        QCOMPARE(contents(target), QByteArray());
        const QString link = env->path(QStringLiteral("home/link.CVL"));
        QVERIFY(QFile::link(env->path(QStringLiteral("home/nowhere.CVL")), link));
        QCOMPARE(copyPristineDatabase(pristine, link, &error), FirstCopy::Present);
        QVERIFY(!QFileInfo::exists(env->path(QStringLiteral("home/nowhere.CVL"))));

        // No pristine database, or nowhere to put the copy: nothing is made.
        const QString other = env->path(QStringLiteral("home/other/CORVELLA.CVL"));
        QCOMPARE(copyPristineDatabase(env->path(QStringLiteral("gone.CVL")), other, &error),
                 FirstCopy::NoPristine);
        QVERIFY(!QFileInfo::exists(other));
        QVERIFY(write(env->path(QStringLiteral("home/afile")), "x"));
        QCOMPARE(copyPristineDatabase(pristine,
                                      env->path(QStringLiteral("home/afile/CORVELLA.CVL")), &error),
                 FirstCopy::Failed);
        QVERIFY(error.contains(QStringLiteral("afile")));
    }

    void installedStartUpUsesTheUsersCopy() {
        const QString prefix = makeInstallation();
        CorvModule::readSettings();
        const QString userDb = native(home() + QStringLiteral("/CORVELLA.CVL"));
        QCOMPARE(CorvModule::DatabasePath, userDb);
        QCOMPARE(Settings::databasePath(), userDb);
        QCOMPARE(CorvModule::HelpFile,
                 native(prefix + QStringLiteral("/share/corvella/CORVELLA.HLP")));
        QCOMPARE(Settings::helpFile(), CorvModule::HelpFile);
        // The copy is a whole Corvella database, and the pristine one is
        // left as it was.
        QString why;
        QVERIFY2(isCorvellaDatabase(userDb, &why), qPrintable(why));
        QCOMPARE(contents(userDb),
                 contents(prefix + QStringLiteral("/share/corvella/CORVELLA.CVL")));

        // The next start finds the user's records and keeps them.
        TestEnv::exec(userDb, QStringLiteral("INSERT INTO Tank (TankName) VALUES ('Reef')"));
        const QByteArray mine = contents(userDb);
        CorvModule::reset();
        CorvModule::readSettings();
        QCOMPARE(CorvModule::DatabasePath, userDb);
        QCOMPARE(contents(userDb), mine);

        // A database the user chose elsewhere is used as it is; no copy is
        // made for it, nor in the data folder.
        QVERIFY(QFile::remove(userDb));
        const QString elsewhere = native(env->path(QStringLiteral("fish/CORVELLA.CVL")));
        Settings::setDatabasePath(elsewhere);
        CorvModule::readSettings();
        QCOMPARE(CorvModule::DatabasePath, elsewhere);
        QVERIFY(!QFileInfo::exists(elsewhere));
        QVERIFY(!QFileInfo::exists(userDb));
    }

    // When the user's copy cannot be made, the start says why (it was
    // silent, and the first window then only asked where the database is).
    void aFailedFirstCopySaysWhy() {
        makeInstallation();
        QDir(env->path(QStringLiteral("home"))).removeRecursively();
        QVERIFY(write(env->path(QStringLiteral("home")), "a file where the folder should be"));
        CorvModule::readSettings();
        const QString why = CorvModule::FirstCopyProblem;
        QVERIFY2(why.startsWith(QStringLiteral("Corvella could not make your database ") +
                                native(home() + QStringLiteral("/CORVELLA.CVL"))),
                 qPrintable(why));
        QVERIFY2(why.contains(QStringLiteral("the folder cannot be made")), qPrintable(why));
        QVERIFY(!QFileInfo::exists(home()));
    }

    void buildFolderStartUpKeepsTheProgramFolder() {
        // TestEnv's program folder is a plain folder: today's behaviour, and
        // nothing is copied into the user's data folder.
        CorvModule::readSettings();
        QVERIFY(!CorvModule::installed());
        QCOMPARE(CorvModule::DatabasePath, native(env->path(QStringLiteral("CORVELLA.CVL"))));
        QCOMPARE(CorvModule::HelpFile, native(env->path(QStringLiteral("CORVELLA.HLP"))));
        QCOMPARE(CorvModule::userFolder(), env->folder());
        QCOMPARE(CorvModule::sharedFile(QStringLiteral("journal.rpt")),
                 native(env->path(QStringLiteral("journal.rpt"))));
        QVERIFY(!QFileInfo::exists(home()));
    }
};

QTEST_MAIN(TestPaths)
#include "tst_paths.moc"
