// An installation into a temporary prefix: every file where it belongs, and
// the installed program recognises where it is.
#include "app/Paths.h"
#include "data/Tables.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest/QTest>

using namespace corv;

class TestInstall : public QObject {
    Q_OBJECT
    QTemporaryDir prefix;

    QString at(const QString &relative) const { return prefix.filePath(relative); }

    // Runs a program; its output on failure.
    static QString run(const QString &program, const QStringList &args, int *exitCode) {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(program, args);
        if (!p.waitForFinished(120000)) {
            *exitCode = -1;
            return program + QStringLiteral(" did not finish");
        }
        *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        return QString::fromLocal8Bit(p.readAll());
    }

private slots:
    void initTestCase() {
        QVERIFY(prefix.isValid());
        int code = 0;
        const QString out = run(QStringLiteral(CORVELLA_CMAKE_COMMAND),
                                {QStringLiteral("--install"), QStringLiteral(CORVELLA_BINARY_DIR),
                                 QStringLiteral("--prefix"), prefix.path()},
                                &code);
        QVERIFY2(code == 0, qPrintable(out));
    }

    void programsInBin() {
        QStringList names = QDir(at(QStringLiteral("bin"))).entryList(QDir::Files);
        names.sort();
        // Only programs: data in bin would be read-only to the user and
        // out of place on the command path.
        QCOMPARE(names, (QStringList{QStringLiteral("corvella"), QStringLiteral("corvella-help"),
                                     QStringLiteral("corvella-mkdb")}));
        for (const QString &n : names)
            QVERIFY2(QFileInfo(at(QStringLiteral("bin/") + n)).isExecutable(), qPrintable(n));
    }

    void sharedFiles() {
        const QString share = at(QStringLiteral("share/corvella"));
        QString why;
        QVERIFY2(isCorvellaDatabase(share + QStringLiteral("/CORVELLA.CVL"), &why),
                 qPrintable(why));
        if (QFileInfo::exists(QStringLiteral(CORVELLA_SOURCE_DIR "/resources/help/CORVELLA.HLP")))
            QVERIFY(QFileInfo(share + QStringLiteral("/CORVELLA.HLP")).size() > 0);
        // Every report template of the source tree, and nothing else.
        QStringList templates = QDir(QStringLiteral(CORVELLA_SOURCE_DIR "/resources/reports"))
                                    .entryList({QStringLiteral("*.rpt")}, QDir::Files, QDir::Name);
        QCOMPARE(QDir(share).entryList({QStringLiteral("*.rpt")}, QDir::Files, QDir::Name),
                 templates);
        // The German translation, where the build could make it.
        if (QFileInfo::exists(
                QStringLiteral(CORVELLA_BINARY_DIR "/bin/translations/corvella_de.qm")))
            QVERIFY(QFileInfo(share + QStringLiteral("/translations/corvella_de.qm")).size() > 0);

        // The installed program finds its share folder and counts as
        // installed; the build's own program folder does not.
        const FolderLayout installed = folderLayout(at(QStringLiteral("bin")), QString());
        QVERIFY(installed.installed);
        QCOMPARE(QFileInfo(installed.shareFolder).canonicalFilePath(),
                 QFileInfo(share).canonicalFilePath());
        QVERIFY(!folderLayout(QStringLiteral(CORVELLA_BINARY_DIR "/bin"), QString()).installed);
    }

    void desktopIntegration() {
        const QString desktop =
            at(QStringLiteral("share/applications/org.example.corvella.desktop"));
        const QString metainfo =
            at(QStringLiteral("share/metainfo/org.example.corvella.metainfo.xml"));
        QVERIFY(QFileInfo::exists(desktop));
        QVERIFY(QFileInfo::exists(metainfo));
        QVERIFY(QFileInfo::exists(
            at(QStringLiteral("share/icons/hicolor/scalable/apps/corvella.svg"))));
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
            const QString png =
                at(QStringLiteral("share/icons/hicolor/%1x%1/apps/corvella.png").arg(size));
            const QImage image(png);
            QVERIFY2(!image.isNull(), qPrintable(png));
            QCOMPARE(image.size(), QSize(size, size));
            // Drawn, not blank: the middle of the icon is opaque.
            QCOMPARE(qAlpha(image.pixel(size / 2, size / 2)), 255);
        }
        for (const char *page : {"corvella", "corvella-mkdb", "corvella-help"})
            QVERIFY(QFileInfo::exists(
                at(QStringLiteral("share/man/man1/%1.1.gz").arg(QLatin1String(page)))));
        QVERIFY(QFileInfo::exists(at(QStringLiteral("share/doc/corvella/copyright"))));

        // The platform's own checks, where they are installed.
        int code = 0;
        const QString validate =
            QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
        if (!validate.isEmpty()) {
            const QString out = run(validate, {desktop}, &code);
            QVERIFY2(code == 0, qPrintable(out));
        }
        const QString appstream = QStandardPaths::findExecutable(QStringLiteral("appstreamcli"));
        if (!appstream.isEmpty()) {
            const QString out =
                run(appstream, {QStringLiteral("validate"), QStringLiteral("--no-net"), metainfo},
                    &code);
            QVERIFY2(code == 0, qPrintable(out));
        }
        if (validate.isEmpty() || appstream.isEmpty())
            qInfo("desktop-file-validate or appstreamcli is missing; their checks were skipped");
    }

    void nothingElse() {
        // Every installed file lies in one of the expected places.
        const QStringList places = {QStringLiteral("bin/"),
                                    QStringLiteral("share/corvella/"),
                                    QStringLiteral("share/applications/"),
                                    QStringLiteral("share/metainfo/"),
                                    QStringLiteral("share/icons/hicolor/"),
                                    QStringLiteral("share/man/man1/"),
                                    QStringLiteral("share/doc/corvella/")};
        QDirIterator it(prefix.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString rel = QDir(prefix.path()).relativeFilePath(it.next());
            bool known = false;
            for (const QString &p : places)
                known = known || rel.startsWith(p);
            QVERIFY2(known, qPrintable(rel));
        }
    }
};

QTEST_MAIN(TestInstall)
#include "tst_install.moc"
