// The record-window pattern, exercised on the journal window: opening,
// recovery from a missing database, the caption, saving, adding, deleting,
// closing and the hand-off to the main window.
#include "app/DatabaseLock.h"
#include "forms/frmJournal.h"
#include "support/MainWindowFixture.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <unistd.h>

using namespace corv;
using namespace corv::test;

class TestFramework : public QObject {
    Q_OBJECT
    MainWindowFixture fx;
    int tankId = 0;

    frmJournal *openJournal() {
        return fx.open<frmJournal>(FormKind::Journal, &mdiCorvella::mnuJournal_Click);
    }
    static QString caption(frmJournal *j) { return j->JournalData->Caption(); }

private slots:
    void init() {
        fx.setUp();
        tankId = fx.defaultTank("Reef");
    }
    void cleanup() { fx.tearDown(); }

    void emptyTableStoresOneBlankRecord() {
        frmJournal *j = openJournal();
        QVERIFY(j);
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Journal"), 1);
        QCOMPARE(fx.count(QStringLiteral("SELECT COUNT(*) FROM Journal WHERE TankID = %1 AND "
                                         "EntryDate IS NULL AND PH IS NULL")
                              .arg(tankId)),
                 1);
        QCOMPARE(caption(j), QStringLiteral("Record: 1 of 1"));
        QVERIFY(j->valueBox("txtpH")->isEnabled());
        QVERIFY(j->cmdSave->isEnabled());
        QVERIFY(j->RecordAdded);
        QVERIFY(!j->RecordChanged);
        QVERIFY(!j->Loading);
        QCOMPARE(j->txtTankID->text(), QString::number(tankId));
        QVERIFY(CorvModule::JournalOpen);
        QCOMPARE(CorvModule::ActiveForm, QStringLiteral("Journal"));
        QVERIFY(fx.main->mnuAdd->isEnabled());
        QCOMPARE(fx.main->statusText(), QStringLiteral("Browse the journal database."));
    }

    void opensOnTheFirstEntryInDateOrder() {
        fx.entry(tankId, "2001-03-01", "7.3");
        fx.entry(tankId, "2001-01-01", "7.1");
        fx.entry(tankId + 1, "2000-01-01", "6.0"); // another tank's
        frmJournal *j = openJournal();
        QCOMPARE(caption(j), QStringLiteral("Record: 1 of 2"));
        QCOMPARE(j->txtEntryDate->text(), QStringLiteral("01/01/2001"));
        QCOMPARE(j->valueBox("txtpH")->text(), QStringLiteral("7.1"));
        QVERIFY(!j->RecordAdded);
        QVERIFY(!j->RecordChanged);
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Journal"), 3);
    }

    void deleteFirstMiddleLastAndOnly() {
        for (int d = 1; d <= 4; ++d)
            fx.entry(tankId, QStringLiteral("2001-01-0%1").arg(d));
        frmJournal *j = openJournal();
        fx.env->dialogs.answers = {MsgResult::Yes};
        j->mnuDelete_Click(); // the first: the former second shows
        const auto q = fx.messages().last();
        QCOMPARE(q.text, QStringLiteral("Are you sure you want to delete the current record?"));
        QCOMPARE(q.title, QStringLiteral("Delete Record"));
        QCOMPARE(q.buttons, MsgButtons::YesNo);
        QCOMPARE(q.defaultButton, MsgResult::No);
        QCOMPARE(j->txtEntryDate->text(), QStringLiteral("01/02/2001"));
        QCOMPARE(caption(j), QStringLiteral("Record: 1 of 3"));
        j->JournalData->Recordset().setAbsolutePosition(1); // a middle one
        fx.env->dialogs.answers = {MsgResult::Yes};
        j->mnuDelete_Click();
        QCOMPARE(j->txtEntryDate->text(), QStringLiteral("01/02/2001"));
        QCOMPARE(caption(j), QStringLiteral("Record: 1 of 2"));
        j->JournalData->clickLast(); // the last
        fx.env->dialogs.answers = {MsgResult::Yes};
        j->mnuDelete_Click();
        QCOMPARE(j->txtEntryDate->text(), QStringLiteral("01/02/2001"));
        QCOMPARE(caption(j), QStringLiteral("Record: 1 of 1"));
        fx.env->dialogs.answers = {MsgResult::Yes}; // the only one
        j->mnuDelete_Click();
        QCOMPARE(caption(j), QStringLiteral("Record: 0 of 0"));
        QVERIFY(j->FieldsDisabled);
        QVERIFY(!j->valueBox("txtpH")->isEnabled());
        QVERIFY(!j->txtEntryDate->isEnabled());
        QVERIFY(!j->cmdSave->isEnabled());
        QVERIFY(j->cmdChart->isEnabled()); // Chart stays usable
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Journal"), 0);
        // Yes with nothing to delete deletes nothing and says nothing more.
        fx.env->dialogs.answers = {MsgResult::Yes};
        const int before = fx.messages().size();
        j->mnuDelete_Click();
        QCOMPARE(fx.messages().size(), before + 1);
        // A following Add works.
        j->mnuAdd_Click();
        QCOMPARE(caption(j), QStringLiteral("Record: 1 of 1"));
        QVERIFY(!j->FieldsDisabled);
        QVERIFY(j->valueBox("txtpH")->isEnabled());
        QVERIFY(j->RecordAdded);
        QCOMPARE(
            fx.count(QStringLiteral("SELECT COUNT(*) FROM Journal WHERE TankID = %1").arg(tankId)),
            1);
    }

    void theCloseBoxClosesAWindowWithNoRecordLeft() {
        fx.entry(tankId, "2001-01-01", "7.0");
        frmJournal *j = openJournal();
        fx.env->dialogs.answers = {MsgResult::Yes};
        j->mnuDelete_Click();
        QCOMPARE(j->JournalData->Recordset().AbsolutePosition(), -1);
        MainWindowFixture::frameOf(j)->close();
        QVERIFY(!Forms::get(FormKind::Journal));
        QVERIFY(!CorvModule::JournalOpen);
        QCOMPARE(fx.messages().size(), 1); // the delete question, nothing more
    }

    void noToTheDeleteQuestionChangesNothing() {
        fx.entry(tankId, "2001-01-01");
        fx.entry(tankId, "2001-01-02");
        frmJournal *j = openJournal();
        j->JournalData->clickNext();
        fx.env->dialogs.answers = {MsgResult::No};
        j->mnuDelete_Click();
        QCOMPARE(caption(j), QStringLiteral("Record: 2 of 2"));
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Journal"), 2);
    }

    void addStoresABlankEntryAndFocusesTheDate() {
        fx.entry(tankId, "2001-01-01", "7.0");
        frmJournal *j = openJournal();
        j->valueBox("txtpH")->setFocus();
        fx.main->button(16)->trigger(); // the toolbar's Add
        QCOMPARE(fx.main->statusText(), QStringLiteral("Add Journal Record."));
        QCOMPARE(caption(j), QStringLiteral("Record: 2 of 2"));
        QCOMPARE(
            fx.count(QStringLiteral("SELECT COUNT(*) FROM Journal WHERE TankID = %1").arg(tankId)),
            2);
        QVERIFY(j->valueBox("txtpH")->text().isEmpty());
        QVERIFY(j->RecordAdded);
        QCOMPARE(QApplication::focusWidget(), j->txtEntryDate);
        // An edit of the new entry is stored by Save.
        j->valueBox("txtNitrate")->setText("5");
        QVERIFY(j->RecordChanged);
        j->cmdSave->click();
        QVERIFY(!j->RecordChanged && !j->RecordAdded);
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Journal WHERE Nitrate = 5"), 1);
    }

    void closeStoresWithoutAQuestionAndSavesThePosition() {
        // A frame large enough for the journal at that place (a window that
        // would stick out of the frame is moved into it).
        fx.main->resize(1100, 760);
        fx.entry(tankId, "2001-01-01", "7.0");
        frmJournal *j = openJournal();
        MainWindowFixture::frameOf(j)->move(40, 30);
        j->valueBox("txtpH")->setText("7.2");
        j->cmdClose->click();
        QVERIFY(fx.messages().isEmpty());
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Journal WHERE PH = 7.2"), 1);
        QCOMPARE(Settings::read("Corvella", "WindowPosition", "JournalTop", "x"),
                 QStringLiteral("30"));
        QCOMPARE(Settings::read("Corvella", "WindowPosition", "JournalLeft", "x"),
                 QStringLiteral("40"));
        QVERIFY(!Forms::get(FormKind::Journal));
        QVERIFY(!CorvModule::JournalOpen);
        QCOMPARE(CorvModule::ActiveForm, QStringLiteral("NoOne"));
        QCOMPARE(fx.main->statusText(), CorvModule::IdleLine);
        QVERIFY(!fx.main->mnuAdd->isEnabled());
        // It opens where it was closed.
        j = openJournal();
        QCOMPARE(MainWindowFixture::frameOf(j)->pos(), QPoint(40, 30));
    }

    void closeBoxStoresEditsButNotThePosition() {
        fx.entry(tankId, "2001-01-01", "7.0");
        frmJournal *j = openJournal();
        MainWindowFixture::frameOf(j)->move(50, 60);
        j->valueBox("txtNitrate")->setText("12");
        MainWindowFixture::frameOf(j)->close();
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Journal WHERE Nitrate = 12"), 1);
        QCOMPARE(Settings::read("Corvella", "WindowPosition", "JournalTop", "absent"),
                 QStringLiteral("absent"));
        QVERIFY(!CorvModule::JournalOpen);
        QVERIFY(!Forms::get(FormKind::Journal));
    }

    void recoveryAcceptsCorvellaCvlInAnyCase() {
        const QString elsewhere = fx.env->path("moved");
        QDir().mkpath(elsewhere);
        QVERIFY(QFile::copy(fx.db, elsewhere + "/corvella.cvl"));
        const QString stored = Settings::read("Corvella", "Database", "Filename", "x");
        CorvModule::DatabasePath = fx.env->path("gone/CORVELLA.CVL");
        fx.env->dialogs.fileAnswers = {elsewhere + "/notes.cvl", elsewhere + "/corvella.cvl"};
        frmJournal *j = openJournal();
        QVERIFY(j);
        int dialogsShown = 0;
        for (const auto &c : fx.env->dialogs.calls) {
            if (c.kind != ScriptedDialogs::Call::OpenFile)
                continue;
            ++dialogsShown;
            QCOMPARE(c.file.title, QStringLiteral("Unable to find the CORVELLA.CVL file location"));
            QCOMPARE(c.file.filter, QStringLiteral("(*.cvl)|*.cvl"));
            QCOMPARE(c.file.initialFolder, fx.env->folder());
            QCOMPARE(c.file.fileName, QStringLiteral("CORVELLA.CVL"));
            QCOMPARE(c.file.flags,
                     unsigned(FileExplorer | FileMustExist | FilePathMustExist | FileHideReadOnly));
        }
        QCOMPARE(dialogsShown, 2); // another name brought the dialog back
        QCOMPARE(CorvModule::DatabasePath, QDir::toNativeSeparators(elsewhere + "/corvella.cvl"));
        QCOMPARE(j->JournalData->DatabaseName(), CorvModule::DatabasePath);
        QCOMPARE(Settings::read("Corvella", "Database", "Filename", "x"), stored);
        QCOMPARE(caption(j), QStringLiteral("Record: 1 of 1"));
        QCOMPARE(
            TestEnv::scalar(elsewhere + "/corvella.cvl", "SELECT COUNT(*) FROM Journal").toInt(),
            1);
    }

    // The file picked for a missing database may be the one another
    // Corvella has open (here through a hard link): it is refused with the
    // reason, and the dialog asks again.
    void recoveryRefusesADatabaseAnotherCorvellaHas() {
        const QString elsewhere = fx.env->path("held");
        QDir().mkpath(elsewhere);
        const QString link = elsewhere + "/CORVELLA.CVL";
        QCOMPARE(::link(QFile::encodeName(fx.db).constData(), QFile::encodeName(link).constData()),
                 0);
        DatabaseLock running(fx.db);
        QCOMPARE(running.lock(), DatabaseLock::Locked);
        CorvModule::DatabasePath = fx.env->path("gone/CORVELLA.CVL");
        fx.env->dialogs.fileAnswers = {link, std::nullopt};
        fx.env->dialogs.answers = {MsgResult::Ok};
        QVERIFY(!openJournal());
        QCOMPARE(fx.messages().size(), 1);
        QVERIFY2(fx.messages()[0].text.contains(QStringLiteral("Only one Corvella can use a "
                                                               "database at a time")),
                 qPrintable(fx.messages()[0].text));
        QCOMPARE(CorvModule::DatabasePath, fx.env->path("gone/CORVELLA.CVL"));
    }

    void recoveryCancelledClosesTheWindow() {
        CorvModule::DatabasePath = fx.env->path("gone/CORVELLA.CVL");
        fx.env->dialogs.fileAnswers = {std::nullopt};
        QVERIFY(!openJournal());
        QVERIFY(!Forms::get(FormKind::Journal));
        QVERIFY(!CorvModule::JournalOpen);
        QCOMPARE(CorvModule::ActiveForm, QStringLiteral("NoOne"));
        QTest::qWait(0); // the closed frame is deleted
        QVERIFY(fx.main->mdiArea->subWindowList().isEmpty());
        QVERIFY(!QFile::exists(fx.env->path("gone/CORVELLA.CVL")));
    }

    void otherOpeningErrorsEndTheProgram() {
        const QString bogus = fx.env->path("CORVELLA-BAD.CVL");
        QFile f(bogus);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(2048, 'z'));
        f.close();
        CorvModule::DatabasePath = bogus;
        fx.env->dialogs.expectOk();
        QVERIFY(!openJournal());
        QCOMPARE(fx.messages().size(), 1);
        QVERIFY(fx.messages()[0].text.startsWith("Unexpected Error: "));
        QCOMPARE(fx.messages()[0].title, QStringLiteral("Corvella"));
        QCOMPARE(fx.messages()[0].buttons, MsgButtons::Ok);
        QCOMPARE(fx.ends, QVector<int>{1});
    }

    void aSaveThatFailsIsReportedAndKept() {
        fx.entry(tankId, "2001-01-01", "7.0");
        frmJournal *j = openJournal();
        QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "locker");
        other.setDatabaseName(fx.db);
        QVERIFY(other.open());
        {
            QSqlQuery lock(other);
            QVERIFY(lock.exec("BEGIN EXCLUSIVE"));
            j->valueBox("txtpH")->setText("7.7");
            fx.env->dialogs.answers = {MsgResult::No};
            j->cmdClose->click();
            QCOMPARE(fx.messages().size(), 1);
            QVERIFY(fx.messages()[0].text.startsWith("The record could not be saved."));
            QCOMPARE(fx.messages()[0].defaultButton, MsgResult::No); // keep it
            QVERIFY(j->RecordChanged);                               // kept
            QVERIFY(Forms::get(FormKind::Journal));                  // still open
            QCOMPARE(j->valueBox("txtpH")->text(), QStringLiteral("7.7"));
            // Exit does not end the program over it either: "Exit Corvella?",
            // then the question of its Close, once.
            fx.env->dialogs.answers = {MsgResult::Ok, MsgResult::No};
            QVERIFY(fx.main->MDIForm_Unload());
            QVERIFY(fx.env->dialogs.answers.isEmpty());
            QCOMPARE(fx.messages().size(), 3);
            QVERIFY(lock.exec("ROLLBACK"));
        }
        other.close();
        other = QSqlDatabase();
        QSqlDatabase::removeDatabase("locker");
        j->cmdClose->click();
        QVERIFY(!Forms::get(FormKind::Journal));
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Journal WHERE PH = 7.7"), 1);
    }

    void dataErrorsShowForTheFirstRecordToo() {
        fx.entry(tankId, "2001-01-01", "7.0");
        fx.entry(tankId, "2001-01-02", "7.0");
        frmJournal *j = openJournal();
        QCOMPARE(j->JournalData->Recordset().AbsolutePosition(), 0);
        QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "locker");
        other.setDatabaseName(fx.db);
        QVERIFY(other.open());
        {
            QSqlQuery lock(other);
            QVERIFY(lock.exec("BEGIN IMMEDIATE"));
            j->valueBox("txtpH")->setText("7.5"); // stored on leaving: the file refuses it
            fx.env->dialogs.expectOk();
            j->JournalData->Recordset().MoveNext();
            QVERIFY(lock.exec("ROLLBACK"));
        }
        other.close();
        other = QSqlDatabase();
        QSqlDatabase::removeDatabase("locker");
        QCOMPARE(fx.messages().size(), 1);
        QVERIFY(fx.messages()[0].text.startsWith("Data error: "));
        QCOMPARE(caption(j), QStringLiteral("Record: 1 of 2")); // nothing moved, nothing lost
        QCOMPARE(j->valueBox("txtpH")->text(), QStringLiteral("7.5"));
        // A text the field cannot take is the box's to say, in its words.
        j->valueBox("txtpH")->setText("7.5 ppm");
        fx.env->dialogs.expectOk();
        j->JournalData->Recordset().MoveNext();
        QCOMPARE(fx.messages().size(), 2);
        QCOMPARE(fx.messages()[1].text, QStringLiteral("Please enter a valid pH!"));
        QCOMPARE(caption(j), QStringLiteral("Record: 1 of 2"));
        // The program ends with the window open: what cannot be stored is
        // said, not dropped, and without the engine's words.
        fx.env->dialogs.expectOk();
        fx.main.reset();
        QCOMPARE(fx.messages().size(), 3);
        QVERIFY(fx.messages()[2].text.startsWith("Unable to save the record: "));
        QVERIFY(!fx.messages()[2].text.contains(QLatin1String("conversion")));
        QVERIFY(!fx.messages()[2].text.contains(QLatin1String("PH")));
    }

    void activationFollowsTheWindows() {
        frmJournal *j = openJournal();
        QCOMPARE(CorvModule::ActiveForm, QStringLiteral("Journal"));
        CorvModule::ActiveForm = CorvModule::NoOne;
        fx.main->EnableDisable();
        QTest::mouseClick(j, Qt::LeftButton, {}, QPoint(3, 3)); // a click on the window
        QCOMPARE(CorvModule::ActiveForm, QStringLiteral("Journal"));
        QVERIFY(fx.main->mnuSearch->isEnabled());
        // A second window, the tank window, becomes active; closing it leaves
        // every record command off until the journal is activated again.
        fx.main->mnuChangeTanks_Click();
        QCOMPARE(CorvModule::ActiveForm, QStringLiteral("TankAdd"));
        Forms::get(FormKind::Tank)->cmdClose_Click();
        QCOMPARE(CorvModule::ActiveForm, QStringLiteral("NoOne"));
        QVERIFY(!fx.main->mnuAdd->isEnabled());
        QVERIFY(!fx.main->button(16)->isEnabled());
        QTest::qWait(10);
        QCOMPARE(CorvModule::ActiveForm, QStringLiteral("NoOne"));
        fx.main->mdiArea->setActiveSubWindow(nullptr);
        fx.main->mdiArea->setActiveSubWindow(MainWindowFixture::frameOf(j));
        QCOMPARE(CorvModule::ActiveForm, QStringLiteral("Journal"));
    }

    void highlightOnFocus() {
        fx.entry(tankId, "2001-01-01", "7.25");
        frmJournal *j = openJournal();
        j->valueBox("txtpH")->setFocus(Qt::MouseFocusReason);
        QCOMPARE(j->valueBox("txtpH")->selectedText(), QStringLiteral("7.25"));
        fx.main->AutoHighlight = false;
        j->valueBox("txtNitrate")->setFocus(Qt::MouseFocusReason);
        j->valueBox("txtpH")->setCursorPosition(0);
        j->valueBox("txtpH")->setFocus(Qt::TabFocusReason);
        QVERIFY(!j->valueBox("txtpH")->hasSelectedText()); // not even Qt's own select-all on tab
    }

    void searchSetsTheSearchForm() {
        frmJournal *j = openJournal();
        int shown = 0;
        HookGuard<std::function<QDialog *(QWidget *)>> search(RecordForm::searchWindow,
                                                              [&](QWidget *) -> QDialog * {
                                                                  ++shown;
                                                                  return nullptr;
                                                              });
        fx.main->mnuSearch_Click();
        QCOMPARE(CorvModule::SearchForm, QStringLiteral("Journal"));
        QCOMPARE(fx.main->statusText(), QStringLiteral("Search for a Journal Record."));
        QCOMPARE(shown, 1);
        Q_UNUSED(j);
    }

    void withoutADefaultTankTheJournalSaysSo() {
        CorvModule::CurrentTankID = CorvModule::NotSet;
        fx.env->dialogs.expectOk();
        QVERIFY(!openJournal());
        QCOMPARE(fx.messages().size(), 1);
        QCOMPARE(fx.messages()[0].title, QStringLiteral("No Default Tank"));
        QVERIFY(!CorvModule::JournalOpen);
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Journal"), 0);
        QVERIFY(fx.ends.isEmpty());
    }
};

QTEST_MAIN(TestFramework)
#include "tst_framework.moc"
