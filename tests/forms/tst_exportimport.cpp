// File > Export and File > Import on the active record window: the file
// dialogs and boxes as the user meets them, a round trip into an empty tank,
// and a refused line with the user cancelling.
#include "app/TransferCommands.h"
#include "forms/frmJournal.h"
#include "support/MainWindowFixture.h"

#include <QDate>
#include <QDir>
#include <QFile>

using namespace corv;
using namespace corv::test;

class TestExportImport : public QObject {
    Q_OBJECT
    MainWindowFixture fx;

    // The journal of a tank as one text per entry, in date order.
    QStringList journalOf(int tank) {
        QStringList rows;
        const int n =
            fx.count(QStringLiteral("SELECT COUNT(*) FROM Journal WHERE TankID = %1").arg(tank));
        for (int i = 0; i < n; ++i)
            rows << TestEnv::scalar(
                        fx.db,
                        QStringLiteral("SELECT EntryDate || '|' || IFNULL(PH, '') || '|' || "
                                       "IFNULL(Nitrate, '') || '|' || IFNULL(Notes, '') FROM "
                                       "Journal WHERE TankID = %1 ORDER BY EntryDate, ID "
                                       "LIMIT 1 OFFSET %2")
                            .arg(tank)
                            .arg(i))
                        .toString();
        return rows;
    }
    frmJournal *openJournal() {
        return fx.open<frmJournal>(FormKind::Journal, &mdiCorvella::mnuJournal_Click);
    }

private slots:
    void init() { fx.setUp(); }
    void cleanup() { fx.tearDown(); }

    void commandsFollowTheActiveWindow() {
        QVERIFY(!fx.main->mnuExport->isEnabled());
        QVERIFY(!fx.main->mnuImport->isEnabled());
        fx.defaultTank("Reef");
        openJournal();
        QVERIFY(fx.main->mnuExport->isEnabled());
        QVERIFY(fx.main->mnuImport->isEnabled());
        QCOMPARE(activeTransferTable(), std::optional<TransferTable>(TransferTable::Journal));
    }

    void roundTripIntoAnEmptyTank() {
        const int reef = fx.defaultTank("Reef");
        fx.entry(reef, "2001-01-01", "8.2");
        fx.entry(reef, "2001-03-15", "7.9");
        TestEnv::exec(fx.db, QStringLiteral("UPDATE Journal SET Nitrate = 12.5, Notes = "
                                            "'water change, added \"buffer\"' || char(10) || "
                                            "'second line' WHERE PH = 7.9"));
        const QStringList before = journalOf(reef);
        openJournal();

        const QString file = fx.env->path("journal.csv");
        fx.env->dialogs.fileAnswers = {file};
        fx.env->dialogs.expectOk();
        fx.main->mnuExport->trigger();
        auto msgs = fx.messages();
        QCOMPARE(msgs.size(), 1);
        // The whole path: the name alone does not say where it went.
        QCOMPARE(
            msgs[0].text,
            QStringLiteral("2 records were exported to %1.").arg(QDir::toNativeSeparators(file)));
        QCOMPARE(msgs[0].title, QStringLiteral("Export"));
        QVERIFY(QFile::exists(file));
        fx.env->dialogs.clear();

        // Another tank becomes the default; the open journal follows it.
        const int empty = fx.tank("Quarantine");
        CorvModule::setDefaultTank(QString::number(empty), QStringLiteral("Quarantine"));
        fx.env->dialogs.fileAnswers = {file};
        fx.env->dialogs.answers = {MsgResult::Ok, MsgResult::Ok};
        fx.main->mnuImport->trigger();
        msgs = fx.messages();
        QCOMPARE(msgs.size(), 2);
        QCOMPARE(msgs[0].buttons, MsgButtons::OkCancel);
        QVERIFY(msgs[0].text.startsWith(QStringLiteral("2 records can be imported")));
        // Once stored, the import says so.
        QCOMPARE(msgs[1].text, QStringLiteral("2 records were imported from journal.csv."));
        QCOMPARE(msgs[1].title, QStringLiteral("Import"));
        QCOMPARE(msgs[1].icon, MsgIcon::Information);
        QCOMPARE(journalOf(empty), before);
        QCOMPARE(journalOf(reef), before); // the source is untouched
        auto *j = qobject_cast<frmJournal *>(Forms::get(FormKind::Journal)->widget());
        QVERIFY(j);
        QCOMPARE(j->JournalData->Caption(), QStringLiteral("Record: 1 of 2"));

        // The same file again adds nothing, and says why.
        fx.env->dialogs.clear();
        fx.env->dialogs.fileAnswers = {file};
        fx.env->dialogs.expectOk();
        fx.main->mnuImport->trigger();
        msgs = fx.messages();
        QCOMPARE(msgs.size(), 1);
        QCOMPARE(msgs[0].buttons, MsgButtons::Ok);
        QVERIFY2(msgs[0].text.startsWith(QStringLiteral(
                     "0 records can be imported; 2 records are stored already and are left "
                     "out.\n\nLine 2: the same record is stored already; it is left out.")),
                 qPrintable(msgs[0].text));
        QVERIFY(msgs[0].text.endsWith(QStringLiteral("Nothing was imported.")));
        QCOMPARE(journalOf(empty), before);
    }

    // Cancel while the file is read stores nothing and asks nothing; Cancel
    // while the records are stored takes back the ones stored already.
    void cancelledImportStoresNothing() {
        const int tank = fx.defaultTank("Reef");
        QString csv = QStringLiteral("EntryDate,PH,Notes\n");
        for (int i = 0; i < 1500; ++i)
            csv += QStringLiteral("%1,7.%2,entry %3\n")
                       .arg(QDate(2001, 1, 1).addDays(i).toString(Qt::ISODate))
                       .arg(i % 10)
                       .arg(i);
        QFile f(fx.env->path("many.csv"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(csv.toUtf8());
        f.close();
        openJournal();
        const QStringList before = TestEnv::dumpTables(fx.db);

        fx.env->dialogs.fileAnswers = {f.fileName()};
        fx.env->dialogs.progressCancels = {true};
        fx.main->mnuImport->trigger();
        QVERIFY(fx.messages().isEmpty());
        QCOMPARE(TestEnv::dumpTables(fx.db), before);

        fx.env->dialogs.fileAnswers = {f.fileName()};
        fx.env->dialogs.progressCancels = {false, true};
        fx.env->dialogs.answers = {MsgResult::Ok, MsgResult::Ok};
        fx.main->mnuImport->trigger();
        const auto msgs = fx.messages();
        QCOMPARE(msgs.size(), 2);
        QVERIFY(msgs[0].text.startsWith(QStringLiteral("1,500 records can be imported")) ||
                msgs[0].text.startsWith(QStringLiteral("1500 records can be imported")));
        QCOMPARE(msgs[1].text, QStringLiteral("The import was cancelled. Nothing was imported."));
        QCOMPARE(TestEnv::dumpTables(fx.db), before);
        QCOMPARE(fx.count(QStringLiteral("SELECT COUNT(*) FROM Journal WHERE TankID = %1 AND "
                                         "Notes IS NOT NULL")
                              .arg(tank)),
                 0);
    }

    // What the window shows is exported: an edit not stored yet is stored
    // first, and an edit that cannot be stored stops the export with the
    // box's own message.
    void exportStoresTheEditShownFirst() {
        const int reef = fx.defaultTank("Reef");
        fx.entry(reef, "2001-01-01", "8.2");
        frmJournal *j = openJournal();
        j->txtNotes->setPlainText(QStringLiteral("typed, not saved"));
        const QString file = fx.env->path("edited.csv");
        fx.env->dialogs.fileAnswers = {file};
        fx.env->dialogs.expectOk();
        fx.main->mnuExport->trigger();
        QCOMPARE(fx.messages().size(), 1);
        QCOMPARE(
            fx.messages()[0].text,
            QStringLiteral("1 record was exported to %1.").arg(QDir::toNativeSeparators(file)));
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(f.readAll()).contains(QStringLiteral("\"typed, not saved\"")));
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Journal WHERE Notes = 'typed, not saved'"), 1);

        fx.env->dialogs.clear();
        j->valueBox("txtpH")->setText(QStringLiteral("abc"));
        fx.env->dialogs.expectOk();
        fx.main->mnuExport->trigger();
        QCOMPARE(fx.messages().size(), 1);
        QCOMPARE(fx.messages()[0].text, QStringLiteral("Please enter a valid pH!"));
        for (const auto &call : fx.env->dialogs.calls) // no file was asked for
            QVERIFY(call.kind != ScriptedDialogs::Call::SaveFile);
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Journal WHERE PH = 8.2"), 1);
        j->valueBox("txtpH")->setText(QStringLiteral("8.2")); // so the window closes in peace
    }

    void badLineReportedAndNothingStoredOnCancel() {
        const int tank = fx.defaultTank("Reef");
        QString csv = QStringLiteral("EntryDate,PH,Nitrate,Colour\n");
        for (int i = 1; i <= 5; ++i)
            csv += QStringLiteral("2001-01-0%1,7.%1,5,green\n").arg(i);
        csv += QStringLiteral("01/06/2001,7.0,abc,green\n"); // line 7
        QFile f(fx.env->path("bad.csv"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(csv.toUtf8());
        f.close();
        openJournal();

        fx.env->dialogs.fileAnswers = {f.fileName()};
        fx.env->dialogs.answers = {MsgResult::Cancel};
        fx.main->mnuImport->trigger();
        const auto msgs = fx.messages();
        QCOMPARE(msgs.size(), 1);
        QCOMPARE(msgs[0].title, QStringLiteral("Import"));
        QVERIFY(msgs[0].text.startsWith(
            QStringLiteral("5 records can be imported; 1 line is refused.")));
        QVERIFY2(msgs[0].text.contains(QStringLiteral("Line 7: Nitrate \"abc\" is not a number.")),
                 qPrintable(msgs[0].text));
        QVERIFY(msgs[0].text.contains(QStringLiteral("Colour")));
        // (The window's own blank first entry is all the tank holds.)
        QCOMPARE(fx.count(QStringLiteral("SELECT COUNT(*) FROM Journal WHERE TankID = %1 AND "
                                         "PH IS NOT NULL")
                              .arg(tank)),
                 0);

        // A file with nothing to import says so and stores nothing.
        fx.env->dialogs.clear();
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("PH,Nitrate\n7.0,5\n");
        f.close();
        fx.env->dialogs.fileAnswers = {f.fileName()};
        fx.env->dialogs.expectOk();
        fx.main->mnuImport->trigger();
        QCOMPARE(fx.messages().size(), 1);
        QCOMPARE(fx.messages()[0].buttons, MsgButtons::Ok);
        QVERIFY(fx.messages()[0].text.endsWith(QStringLiteral("Nothing was imported.")));
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Journal WHERE PH IS NOT NULL"), 0);
    }
};

QTEST_MAIN(TestExportImport)
#include "tst_exportimport.moc"
