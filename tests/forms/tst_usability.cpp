// What a user meets in the record windows beyond their fields: where the
// focus is when a window opens, moving between records by keyboard, Enter on
// buttons, messages that name the box to mend (once, whatever command ran
// into them), and a way out when a record cannot be stored at all.
#include "app/frmAbout.h"
#include "app/frmTargetRanges.h"
#include "charts/frmChart.h"
#include "charts/frmImageSize.h"
#include "forms/frmJournal.h"
#include "forms/frmTank.h"
#include "support/MainWindowFixture.h"
#include "tools/frmTankCalc.h"
#include "tools/frmTempConv.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

using namespace corv;
using namespace corv::test;

namespace {

// Shows every message box for real and answers it with its default button,
// the way a user's Enter does: the focus and activation changes around a
// real modal box are part of what is tested.
class RealBoxes : public DialogLayer {
public:
    explicit RealBoxes(ScriptedDialogs &inner) : m_inner(inner) {}
    MsgResult message(const MessageRequest &request) override {
        m_inner.calls.push_back({ScriptedDialogs::Call::Message, request, {}, {}, {}, {}});
        QTimer::singleShot(0, [] {
            if (QWidget *box = QApplication::activeModalWidget())
                QTest::keyClick(box, Qt::Key_Return);
        });
        return m_real.message(request);
    }
    std::optional<QString> openFile(const FileRequest &r) override { return m_inner.openFile(r); }
    std::optional<QString> saveFile(const FileRequest &r) override { return m_inner.saveFile(r); }
    bool startProgram(const QString &p, const QStringList &a) override {
        return m_inner.startProgram(p, a);
    }
    void setWaitCursor(bool wait) override { m_inner.setWaitCursor(wait); }
    int execModal(QDialog &d) override { return m_inner.execModal(d); }

private:
    ScriptedDialogs &m_inner;
    QtDialogLayer m_real;
};

bool mentionsTheDatabase(const QStringList &texts) {
    for (const QString &t : texts)
        if (t.contains(QLatin1String("conversion"), Qt::CaseInsensitive) ||
            t.contains(QLatin1String("field "), Qt::CaseInsensitive) ||
            t.contains(QLatin1String("Data error")))
            return true;
    return false;
}

// The controls of `window` that answer to the same Alt+letter, as
// "Alt+T: lblTo, lblChartType"; `taken` are letters already answered
// elsewhere in the same window (the menu bar's).
QStringList mnemonicClashes(QWidget *window, const QStringList &taken = {}) {
    QMap<QString, QStringList> owners;
    for (const QString &text : taken)
        owners[QKeySequence::mnemonic(text).toString()] << text;
    auto add = [&](const QString &text, const QWidget *w) {
        const QKeySequence key = QKeySequence::mnemonic(text);
        if (!key.isEmpty())
            owners[key.toString()] << (w->objectName().isEmpty() ? text : w->objectName());
    };
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(window))
            continue;
        if (auto *b = qobject_cast<QAbstractButton *>(w))
            add(b->text(), w);
        else if (auto *l = qobject_cast<QLabel *>(w); l && l->buddy())
            add(l->text(), w);
        else if (auto *g = qobject_cast<QGroupBox *>(w); g && g->isCheckable())
            add(g->title(), w);
    }
    QStringList clashes;
    for (auto it = owners.cbegin(); it != owners.cend(); ++it)
        if (it.value().size() > 1)
            clashes << it.key() + QStringLiteral(": ") + it.value().join(QStringLiteral(", "));
    return clashes;
}

} // namespace

class TestUsability : public QObject {
    Q_OBJECT
    MainWindowFixture fx;
    int tankId = 0;

    frmJournal *openJournal() {
        return fx.open<frmJournal>(FormKind::Journal, &mdiCorvella::mnuJournal_Click);
    }
    static QString caption(RecordForm *f) { return f->data()->Caption(); }
    // Three entries of the default tank, pH 7.1, 7.2, 7.3 in date order.
    frmJournal *journalOfThree() {
        fx.entry(tankId, "2001-01-01", "7.1");
        fx.entry(tankId, "2001-01-02", "7.2");
        fx.entry(tankId, "2001-01-03", "7.3");
        return openJournal();
    }
    QStringList texts() const { return fx.env->dialogs.messageTexts(); }

private slots:
    void init() {
        fx.setUp();
        tankId = fx.defaultTank("Reef");
    }
    void cleanup() {
        mdiCorvella::chartWindow = nullptr;
        fx.tearDown();
    }

    // --- the keyboard: one control per Alt+letter ---------------------------

    // Two controls on one Alt+letter make the keyboard user press it twice
    // and guess; in a window inside the main window the menu bar's letters
    // count too.
    void noWindowHasTwoControlsOnOneAltLetter() {
        QStringList menuTitles;
        for (QAction *a : fx.main->menuBar()->actions())
            menuTitles << a->text();
        QStringList found;
        auto check = [&](QWidget *w, const QStringList &taken) {
            QVERIFY(w);
            for (const QString &c : mnemonicClashes(w, taken))
                found << w->objectName() + QStringLiteral(" ") + c;
        };
        for (const WindowKind *kind : windowsInCommandOrder()) {
            QAction *open = fx.main->windowItem(kind->kind);
            open->trigger();
            QMdiSubWindow *sub = fx.main->mdiArea->activeSubWindow();
            QVERIFY2(sub, qPrintable(open->text()));
            check(sub->widget(), menuTitles);
            // Print and Search of a record window, as the menus open them.
            for (QAction *modal : {fx.main->mnuPrint, fx.main->mnuSearch}) {
                if (!modal->isEnabled())
                    continue;
                fx.env->dialogs.onModal = [&](QDialog &d) {
                    check(&d, {});
                    return int(QDialog::Rejected);
                };
                modal->trigger();
                fx.env->dialogs.onModal = nullptr;
            }
        }
        frmChart chart(fx.main.get());
        check(&chart, {});
        frmTempConv converter(fx.main.get());
        check(&converter, {});
        frmTargetRanges ranges(fx.main.get());
        check(&ranges, {});
        frmImageSize size(QSize(800, 600), fx.main.get());
        check(&size, {});
        frmAbout about(fx.main.get());
        check(&about, {});
        QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
    }

    // --- the focus ------------------------------------------------------------

    void eachWindowOpensWithTheFocusInItsFirstControl() {
        fx.entry(tankId, "2001-01-01", "7.1");
        frmJournal *j = openJournal(); // from the menu
        QCOMPARE(QApplication::focusWidget(), j->txtEntryDate);
        QCOMPARE(j->txtEntryDate->selectedText(), QStringLiteral("01/01/2001")); // Auto Highlight

        fx.main->tbToolBar_ButtonClick(QStringLiteral("Tank")); // from the toolbar
        auto *t = dynamic_cast<frmTank *>(Forms::get(FormKind::Tank));
        QCOMPARE(QApplication::focusWidget(), t->txtTankName);
        QCOMPARE(t->txtTankName->selectedText(), QStringLiteral("Reef"));

        fx.main->windowItem(FormKind::TankCalc)->trigger(); // as a mnemonic does
        auto *c = dynamic_cast<frmTankCalc *>(Forms::get(FormKind::TankCalc));
        QCOMPARE(QApplication::focusWidget(), c->cboShape);
    }

    void theFocusIsThereAfterTheDatabaseWasLocated() {
        const QString moved = fx.env->path("moved/CORVELLA.CVL");
        QDir().mkpath(fx.env->path("moved"));
        QVERIFY(QFile::rename(fx.db, moved));
        fx.env->dialogs.fileAnswers = {moved};
        frmJournal *j = openJournal();
        QVERIFY(j);
        QCOMPARE(QApplication::focusWidget(), j->txtEntryDate);
    }

    void aRefusedTextIsSelectedWhenTheFocusComesBack() {
        frmJournal *j = openJournal();
        RealBoxes real(fx.env->dialogs);
        setDialogLayer(&real);
        j->valueBox("txtpH")->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(j->valueBox("txtpH"), "7.5 ppm");
        QTest::keyClick(j->valueBox("txtpH"), Qt::Key_Tab);
        setDialogLayer(&fx.env->dialogs);
        QCOMPARE(texts(), QStringList{"Please enter a valid pH!"});
        fx.main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(fx.main.get()));
        QCOMPARE(QApplication::focusWidget(), j->valueBox("txtpH"));
        QCOMPARE(j->valueBox("txtpH")->selectedText(), QStringLiteral("7.5 ppm"));
        QTest::keyClicks(j->valueBox("txtpH"), "7.5"); // typed over
        QCOMPARE(j->valueBox("txtpH")->text(), QStringLiteral("7.5"));
    }

    // --- the keyboard -----------------------------------------------------------

    void pageAndCtrlHomeEndMoveBetweenRecords() {
        frmJournal *j = journalOfThree();
        j->valueBox("txtpH")->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(j->valueBox("txtpH"), Qt::Key_PageDown);
        QCOMPARE(caption(j), QStringLiteral("Record: 2 of 3"));
        QTest::keyClick(j->valueBox("txtpH"), Qt::Key_PageDown);
        QTest::keyClick(j->valueBox("txtpH"), Qt::Key_PageDown); // stays on the last
        QCOMPARE(caption(j), QStringLiteral("Record: 3 of 3"));
        QTest::keyClick(j->valueBox("txtpH"), Qt::Key_PageUp);
        QCOMPARE(j->valueBox("txtpH")->text(), QStringLiteral("7.2"));
        // The box shows another record's value highlighted, as when it is
        // entered: typing replaces it.
        QCOMPARE(j->valueBox("txtpH")->selectedText(), QStringLiteral("7.2"));
        QTest::keyClicks(j->valueBox("txtpH"), "8");
        QCOMPARE(j->valueBox("txtpH")->text(), QStringLiteral("8"));
        j->valueBox("txtpH")->setText("7.2");
        // From the notes box, which has uses of its own for these keys.
        j->txtNotes->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(j->txtNotes, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(caption(j), QStringLiteral("Record: 1 of 3"));
        QTest::keyClick(j->txtNotes, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(caption(j), QStringLiteral("Record: 3 of 3"));
        QTest::keyClick(j->txtNotes, Qt::Key_PageUp);
        QCOMPARE(caption(j), QStringLiteral("Record: 2 of 3"));
        // From a button too; the edit made on the way is stored as the bar
        // would store it.
        j->valueBox("txtpH")->setText("6.9");
        j->cmdSave->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(j->cmdSave, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(caption(j), QStringLiteral("Record: 1 of 3"));
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Journal WHERE PH = 6.9"), 1);
    }

    void theTankWindowMovesByKeyboardToo() {
        fx.tank("Alpha");
        fx.tank("Beta");
        fx.main->mnuChangeTanks_Click();
        auto *t = dynamic_cast<frmTank *>(Forms::get(FormKind::Tank));
        t->txtEquipment->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(t->txtEquipment, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(t->txtTankName->text(), QStringLiteral("Reef"));
        QTest::keyClick(t->txtEquipment, Qt::Key_PageUp);
        QCOMPARE(t->txtTankName->text(), QStringLiteral("Beta"));
    }

    void theKeysAreNamedWhereTheUserLooks() {
        frmJournal *j = openJournal();
        QStringList tips;
        for (QToolButton *b : j->JournalData->findChildren<QToolButton *>())
            tips << b->toolTip();
        for (const char *key : {"(Ctrl+Home)", "(Page Up)", "(Page Down)", "(Ctrl+End)"})
            QVERIFY2(!tips.filter(QLatin1String(key)).isEmpty(), key);
        QFile help(QStringLiteral(CORVELLA_SOURCE_DIR "/resources/help/CORVELLA.HLP"));
        QVERIFY(help.open(QIODevice::ReadOnly));
        const QString book = QString::fromUtf8(help.readAll());
        for (const char *key : {"Page Up", "Page Down", "Ctrl+Home", "Ctrl+End", "Ctrl+Tab"})
            QVERIFY2(book.contains(QLatin1String(key)), key);
    }

    void enterOnAFocusedButtonPressesIt() {
        frmJournal *j = openJournal();
        int charts = 0;
        mdiCorvella::chartWindow = [&](QWidget *) -> QDialog * {
            ++charts;
            return nullptr;
        };
        j->cmdChart->setFocus(Qt::TabFocusReason);
        QTest::keyClick(j->cmdChart, Qt::Key_Return);
        QCOMPARE(charts, 1);
        fx.main->mnuChangeTanks_Click();
        auto *t = dynamic_cast<frmTank *>(Forms::get(FormKind::Tank));
        t->cmdDefault->setFocus(Qt::TabFocusReason);
        fx.env->dialogs.answers = {MsgResult::No};
        QTest::keyClick(t->cmdDefault, Qt::Key_Enter);
        QCOMPARE(texts(), QStringList{"Set the current tank as the default tank?"});
    }

    // --- a box holds what its field cannot take --------------------------------

    void aBadDateMeetsAddOrTheBarWithItsOwnMessage() {
        frmJournal *j = journalOfThree();
        QTest::keyClicks(j->txtEntryDate, "31/31/1999"); // focus in it, never left
        fx.env->dialogs.expectOk();
        fx.main->tbToolBar_ButtonClick(QStringLiteral("Add"));
        QCOMPARE(texts(), QStringList{"Please enter a valid date (mm/dd/yyyy)!"});
        QCOMPARE(fx.messages()[0].title, QStringLiteral("Date Error"));
        QCOMPARE(fx.messages()[0].icon, MsgIcon::Exclamation);
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Journal"), 3); // nothing added
        QCOMPARE(QApplication::focusWidget(), j->txtEntryDate);
        QCOMPARE(j->txtEntryDate->text(), QStringLiteral("31/31/1999"));

        fx.env->dialogs.clear();
        fx.env->dialogs.expectOk();
        j->JournalData->clickNext();
        QCOMPARE(texts(), QStringList{"Please enter a valid date (mm/dd/yyyy)!"});
        QCOMPARE(caption(j), QStringLiteral("Record: 1 of 3"));
        QCOMPARE(QApplication::focusWidget(), j->txtEntryDate);
        j->txtEntryDate->clear(); // mended: the program may end
    }

    void aNumberTooLargeForItsFieldGetsTheBoxMessage() {
        frmJournal *j = journalOfThree();
        j->valueBox("txtpH")->setText("1e999");
        j->valueBox("txtNitrate")->setText("5");
        fx.env->dialogs.expectOk();
        fx.main->mnuAdd_Click();
        QCOMPARE(texts(), QStringList{"Please enter a valid pH!"});
        QCOMPARE(fx.messages()[0].title, QStringLiteral("Numeric Error"));
        QCOMPARE(QApplication::focusWidget(), j->valueBox("txtpH"));
        QCOMPARE(j->valueBox("txtNitrate")->text(), QStringLiteral("5")); // the other edit is kept
        j->valueBox("txtpH")->setText("7.0");
        j->cmdClose->click();
        QVERIFY(!Forms::get(FormKind::Journal));
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Journal WHERE PH = 7 AND Nitrate = 5"), 1);
        QVERIFY(!mentionsTheDatabase(texts()));
    }

    void exitAndBackupSayItOnceAndEndVisibly() {
        frmJournal *j = journalOfThree();
        QTest::keyClicks(j->txtEntryDate, "99/99/9999");
        fx.env->dialogs.answers = {MsgResult::Ok, MsgResult::Ok};
        QVERIFY(fx.main->MDIForm_Unload()); // the program stays
        QCOMPARE(texts(),
                 (QStringList{"Exit Corvella?", "Please enter a valid date (mm/dd/yyyy)!"}));
        QCOMPARE(fx.main->statusText(), CorvModule::IdleLine);
        QVERIFY(Forms::get(FormKind::Journal));
        QCOMPARE(QApplication::focusWidget(), j->txtEntryDate);

        fx.env->dialogs.clear();
        fx.env->dialogs.answers = {MsgResult::Yes, MsgResult::Ok};
        fx.main->mnuBackup_Click();
        QCOMPARE(texts(), (QStringList{"Close all windows and backup database?",
                                       "Please enter a valid date (mm/dd/yyyy)!"}));
        QCOMPARE(fx.env->dialogs.calls.size(), 2); // no file dialog
        QCOMPARE(fx.main->statusText(), CorvModule::IdleLine);
        QVERIFY(!mentionsTheDatabase(texts()));
        j->txtEntryDate->setText("01/01/2001");
    }

    // --- a record that cannot be stored at all ---------------------------------

    void aDeletedRecordCanBeGivenUp() {
        frmJournal *j = journalOfThree();
        j->valueBox("txtpH")->setText("8.8");
        TestEnv::exec(fx.db, "DELETE FROM Journal WHERE PH = 7.1"); // another program
        fx.env->dialogs.answers = {MsgResult::No};
        j->cmdClose->click();
        QCOMPARE(fx.messages().size(), 1);
        const MessageRequest q = fx.messages()[0];
        QVERIFY(q.text.startsWith("The record could not be saved."));
        QVERIFY(q.text.endsWith("Do you want to discard your changes to this record?"));
        QCOMPARE(q.title, QStringLiteral("Record Not Saved"));
        QCOMPARE(q.buttons, MsgButtons::YesNo);
        QCOMPARE(q.defaultButton, MsgResult::No);
        QCOMPARE(q.icon, MsgIcon::Exclamation);
        // No: nothing is given up.
        QVERIFY(Forms::get(FormKind::Journal));
        QCOMPARE(j->valueBox("txtpH")->text(), QStringLiteral("8.8"));
        // The close box asks the same; Yes lets the window go.
        fx.env->dialogs.answers = {MsgResult::Yes};
        MainWindowFixture::frameOf(j)->close();
        QVERIFY(!Forms::get(FormKind::Journal));
        QCOMPARE(fx.messages().size(), 2);
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Journal"), 2);
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Journal WHERE PH = 8.8"), 0);
    }

    void aLockedFileOffersTheWayOutOnEveryCommand() {
        frmJournal *j = journalOfThree();
        QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "locker");
        other.setDatabaseName(fx.db);
        QVERIFY(other.open());
        {
            QSqlQuery lock(other);
            QVERIFY(lock.exec("BEGIN IMMEDIATE")); // others may read, not write
            // Save, No: the edit stays.
            j->valueBox("txtpH")->setText("6.5");
            fx.env->dialogs.answers = {MsgResult::No, MsgResult::No, MsgResult::No};
            j->cmdSave->click();
            QCOMPARE(fx.messages().size(), 1);
            QCOMPARE(fx.messages()[0].title, QStringLiteral("Record Not Saved"));
            QCOMPARE(j->valueBox("txtpH")->text(), QStringLiteral("6.5"));
            QVERIFY(j->RecordChanged);
            // The bar and the keys, No: the record is not left.
            j->JournalData->clickNext();
            QTest::keyClick(j->valueBox("txtpH"), Qt::Key_PageDown);
            QCOMPARE(fx.messages().size(), 3);
            QCOMPARE(caption(j), QStringLiteral("Record: 1 of 3"));
            // Yes: the stored values come back and the move goes on.
            fx.env->dialogs.answers = {MsgResult::Yes};
            j->JournalData->clickNext();
            QCOMPARE(caption(j), QStringLiteral("Record: 2 of 3"));
            QCOMPARE(j->valueBox("txtpH")->text(), QStringLiteral("7.2"));
            j->JournalData->clickPrevious(); // nothing pending: no question
            QCOMPARE(fx.messages().size(), 4);
            QCOMPARE(j->valueBox("txtpH")->text(), QStringLiteral("7.1"));
            // Exit asks once; Yes ends the program.
            j->valueBox("txtpH")->setText("6.6");
            fx.env->dialogs.clear();
            fx.env->dialogs.answers = {MsgResult::Ok, MsgResult::Yes};
            QVERIFY(!fx.main->MDIForm_Unload());
            QCOMPARE(fx.messages().size(), 2);
            QCOMPARE(fx.messages()[0].text, QStringLiteral("Exit Corvella?"));
            QCOMPARE(fx.messages()[1].title, QStringLiteral("Record Not Saved"));
            QVERIFY(!Forms::get(FormKind::Journal));
            QVERIFY(lock.exec("ROLLBACK"));
        }
        other.close();
        other = QSqlDatabase();
        QSqlDatabase::removeDatabase("locker");
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Journal WHERE PH IN (6.5, 6.6)"), 0);
    }

    void exitAnsweredNoStaysOpenWithTheEdit() {
        frmJournal *j = journalOfThree();
        j->valueBox("txtpH")->setText("8.1");
        TestEnv::exec(fx.db, "DELETE FROM Journal WHERE PH = 7.1");
        fx.env->dialogs.answers = {MsgResult::Ok, MsgResult::No};
        QVERIFY(fx.main->MDIForm_Unload());
        QCOMPARE(fx.messages().size(), 2);
        QVERIFY(Forms::get(FormKind::Journal));
        QCOMPARE(j->valueBox("txtpH")->text(), QStringLiteral("8.1"));
        QCOMPARE(fx.main->statusText(), CorvModule::IdleLine);
        // Ended all the same (the program's end after an error it cannot
        // recover from), the window says what it could not store.
        fx.env->dialogs.expectOk();
        fx.main.reset();
        QVERIFY(fx.messages().last().text.startsWith("Unable to save the record: "));
    }

    // Qt's file dialog reads double quotes in a typed name as marks around
    // several names: a path through a folder named with one came back as
    // another file. The path typed is the path taken.
    void aTypedPathWithAQuoteIsTakenAsTyped() {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("my \"fish\""));
        QVERIFY(QDir().mkpath(folder));
        const QString typed = folder + QStringLiteral("/Journal.csv");
        QTimer::singleShot(0, [&] {
            for (QWidget *top : QApplication::topLevelWidgets())
                if (auto *dlg = qobject_cast<QFileDialog *>(top); dlg && dlg->isVisible()) {
                    dlg->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(typed);
                    QMetaObject::invokeMethod(dlg, "accept");
                }
        });
        FileRequest request;
        request.title = QStringLiteral("Export");
        request.filter = QStringLiteral("CSV Files (*.csv)|*.csv");
        request.initialFolder = dir.path();
        request.flags = FilePathMustExist;
        QtDialogLayer real;
        const auto chosen = real.saveFile(request);
        QVERIFY(chosen);
        QCOMPARE(*chosen, typed);
    }
};

QTEST_MAIN(TestUsability)
#include "tst_usability.moc"
