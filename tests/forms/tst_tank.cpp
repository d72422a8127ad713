// The tank window: the shape rule, its checks, the default tank, and the
// first start of the program from an empty store to a first journal entry.
#include "app/Startup.h"
#include "forms/frmJournal.h"
#include "forms/frmTank.h"
#include "support/MainWindowFixture.h"
#include "tools/frmTankCalc.h"

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QPushButton>

using namespace corv;
using namespace corv::test;

class TestTank : public QObject {
    Q_OBJECT
    MainWindowFixture fx;

    frmTank *openTank() {
        return fx.open<frmTank>(FormKind::Tank, &mdiCorvella::mnuChangeTanks_Click);
    }
    static void choose(QComboBox *combo, int index) {
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    QString row(int id, const char *fields) {
        return TestEnv::scalar(fx.db, QStringLiteral("SELECT %1 FROM Tank WHERE ID = %2")
                                          .arg(QString::fromLatin1(fields))
                                          .arg(id))
            .toString();
    }

private slots:
    void init() { fx.setUp(); }
    void cleanup() { fx.tearDown(); }

    void tabWalksTheWindowInOrder() {
        fx.tank("Reef");
        frmTank *t = openTank();
        QCOMPARE(t->windowTitle(), QStringLiteral("The Tank"));
        QCOMPARE(fx.main->statusText(), QStringLiteral("Maintain Tanks?"));
        t->txtTankName->setFocus(Qt::MouseFocusReason);
        QStringList order{QApplication::focusWidget()->objectName()};
        for (int i = 0; i < 13; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order << QApplication::focusWidget()->objectName();
        }
        // A rectangular tank has no radius to visit.
        QCOMPARE(order, (QStringList{"txtTankName", "txtDateEstablished", "cboTankType",
                                     "cboTankShape", "txtHeight", "txtLength", "txtWidth",
                                     "txtLightDistance", "cboUnitMeasure", "txtEquipment",
                                     "txtNotes", "cmdDefault", "cmdSave", "cmdClose"}));
        // The path runs down a column and then across to the next one, never
        // back to the left or up the same column (the radius, skipped here,
        // stands in its place too).
        QWidget *path[] = {t->txtTankName,   t->txtDateEstablished, t->cboTankType,
                           t->cboTankShape,  t->txtHeight,          t->txtLength,
                           t->txtWidth,      t->txtRadius,          t->txtLightDistance,
                           t->cboUnitMeasure};
        for (size_t i = 1; i < std::size(path); ++i) {
            const QPoint a = path[i - 1]->mapTo(t, QPoint());
            const QPoint b = path[i]->mapTo(t, QPoint());
            QVERIFY2(b.x() > a.x() || (b.x() == a.x() && b.y() > a.y()),
                     qPrintable(path[i - 1]->objectName() + " -> " + path[i]->objectName()));
        }
        // The name takes 254 characters from the keyboard.
        t->txtTankName->clear();
        t->txtTankName->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(t->txtTankName, QString(260, u'n'));
        QCOMPARE(t->txtTankName->text().size(), 254);
    }

    void everyListItemIsStoredAsItsText() {
        const int id = fx.tank("Reef");
        frmTank *t = openTank();
        const std::pair<QComboBox *, const char *> lists[] = {{t->cboTankType, "TankType"},
                                                              {t->cboTankShape, "TankShape"},
                                                              {t->cboUnitMeasure, "UnitMeasure"}};
        QStringList stored;
        for (const auto &[combo, field] : lists) {
            for (int i = 0; i < combo->count(); ++i) {
                choose(combo, i);
                t->cmdSave->click();
                stored << row(id, field);
            }
        }
        QCOMPARE(stored, (QStringList{"Fresh Water", "Salt Water", "Cold Water", "Rectangular",
                                      "Circular", "Hexagonal", "Inches", "Centimeters"}));
    }

    void recordCommandsWhileTheTankWindowIsActive() {
        fx.tank("Reef");
        frmTank *t = openTank();
        int searches = 0, prints = 0;
        HookGuard<std::function<QDialog *(QWidget *)>> search(RecordForm::searchWindow,
                                                              [&](QWidget *) -> QDialog * {
                                                                  ++searches;
                                                                  return nullptr;
                                                              });
        HookGuard<std::function<QDialog *(QWidget *)>> print(mdiCorvella::printWindow,
                                                             [&](QWidget *) -> QDialog * {
                                                                 ++prints;
                                                                 return nullptr;
                                                             });
        fx.main->button(19)->trigger(); // Search
        fx.main->mnuSearch->trigger();
        fx.main->button(14)->trigger(); // Print
        fx.main->mnuPrint->trigger();
        QCOMPARE(searches + prints, 0);
        QCOMPARE(fx.main->statusText(), QStringLiteral("Maintain Tanks?"));
        fx.main->button(16)->trigger(); // Add
        QCOMPARE(fx.main->statusText(), QStringLiteral("Add Tank Record."));
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Tank"), 2);
        QCOMPARE(QApplication::focusWidget(), t->txtTankName);
        fx.env->dialogs.answers = {MsgResult::Yes};
        fx.main->mnuDelete->trigger();
        QCOMPARE(fx.main->statusText(), QStringLiteral("Delete Tank Record."));
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Tank"), 1);
    }

    void shapeRuleBothWays() {
        const int id = fx.tank("Reef");
        frmTank *t = openTank();
        QCOMPARE(t->txtLength->text(), QStringLiteral("48"));
        QCOMPARE(t->txtRadius->text(), QStringLiteral("N/A"));
        QVERIFY(t->txtLength->isEnabled());
        QVERIFY(!t->txtRadius->isEnabled());
        choose(t->cboTankShape, 1); // Circular
        QCOMPARE(t->txtLength->text(), QStringLiteral("N/A"));
        QVERIFY(!t->txtLength->isEnabled());
        QVERIFY(t->txtRadius->isEnabled());
        QCOMPARE(t->txtRadius->text(), QStringLiteral("10"));
        QCOMPARE(t->txtLength2->text(), QStringLiteral("0"));
        QVERIFY(t->RecordChanged);
        t->cmdSave->click();
        QCOMPARE(row(id, "TankShape"), QStringLiteral("Circular"));
        QCOMPARE(row(id, "TankLength"), QStringLiteral("0"));
        QCOMPARE(row(id, "TankRadius"), QStringLiteral("10"));
        choose(t->cboTankShape, 0); // back to Rectangular
        QCOMPARE(t->txtLength->text(), QStringLiteral("0"));
        QCOMPARE(t->txtRadius->text(), QStringLiteral("N/A"));
        QVERIFY(t->txtLength->isEnabled());
        t->txtLength->setText("36");
        t->cmdSave->click();
        QCOMPARE(row(id, "TankShape"), QStringLiteral("Rectangular"));
        QCOMPARE(row(id, "TankRadius"), QStringLiteral("0"));
        QCOMPARE(row(id, "TankLength"), QStringLiteral("36"));
        choose(t->cboTankShape, 2); // Hexagonal
        t->cmdSave->click();
        QCOMPARE(row(id, "TankShape"), QStringLiteral("Hexagonal"));
        QCOMPARE(row(id, "TankLength"), QStringLiteral("0"));
    }

    void typeAndUnitTexts() {
        const int id = fx.tank("Reef");
        frmTank *t = openTank();
        choose(t->cboTankType, 2);
        choose(t->cboUnitMeasure, 1);
        t->cmdSave->click();
        QCOMPARE(row(id, "TankType"), QStringLiteral("Cold Water"));
        QCOMPARE(row(id, "UnitMeasure"), QStringLiteral("Centimeters"));
        choose(t->cboTankType, 1);
        t->cmdSave->click();
        QCOMPARE(row(id, "TankType"), QStringLiteral("Salt Water"));
    }

    void movingBetweenTanksReselects() {
        fx.tank("A rectangle");
        const int round = fx.tank("B round", "Circular");
        TestEnv::exec(fx.db,
                      QStringLiteral("UPDATE Tank SET TankType = 'Salt Water', UnitMeasure = "
                                     "'Centimeters', TankLength = 0 WHERE ID = %1")
                          .arg(round));
        fx.tank("C odd", "Triangular");
        TestEnv::exec(fx.db, "UPDATE Tank SET TankType = 'Brackish', UnitMeasure = 'Feet' WHERE "
                             "TankName = 'C odd'");
        frmTank *t = openTank();
        t->TankData->clickNext();
        QCOMPARE(t->txtTankName->text(), QStringLiteral("B round"));
        QCOMPARE(t->cboTankShape->currentIndex(), 1);
        QCOMPARE(t->cboTankType->currentIndex(), 1);
        QCOMPARE(t->cboUnitMeasure->currentIndex(), 1);
        QCOMPARE(t->txtLength->text(), QStringLiteral("N/A"));
        QVERIFY(!t->txtLength->isEnabled());
        QVERIFY(t->txtRadius->isEnabled());
        QCOMPARE(t->txtRadius->text(), QStringLiteral("10"));
        t->TankData->clickNext(); // unknown texts show as the first items
        QCOMPARE(t->cboTankShape->currentIndex(), 0);
        QCOMPARE(t->cboTankType->currentIndex(), 0);
        QCOMPARE(t->cboUnitMeasure->currentIndex(), 0);
        QVERIFY(t->txtLength->isEnabled());
        QVERIFY(!t->txtRadius->isEnabled());
        QCOMPARE(t->txtRadius->text(), QStringLiteral("N/A"));
    }

    void numericChecks() {
        fx.tank("Reef");
        frmTank *t = openTank();
        t->txtHeight->setText("12.5");
        MainWindowFixture::tabOut(t->txtHeight);
        QVERIFY(fx.messages().isEmpty());
        t->txtHeight->setText("twelve");
        fx.env->dialogs.expectOk();
        MainWindowFixture::tabOut(t->txtHeight);
        QCOMPARE(fx.messages().size(), 1);
        QCOMPARE(fx.messages()[0].text, QStringLiteral("Please enter a valid Height!"));
        QCOMPARE(fx.messages()[0].title, QStringLiteral("Numeric Error"));
        QCOMPARE(fx.messages()[0].icon, MsgIcon::Exclamation);
        QCOMPARE(fx.messages()[0].buttons, MsgButtons::Ok);
        QCOMPARE(QApplication::focusWidget(), t->txtHeight);      // the focus came back
        QCOMPARE(t->txtHeight->text(), QStringLiteral("twelve")); // the text is kept
        t->txtHeight->clear();
        MainWindowFixture::tabOut(t->txtHeight); // empty is fine
        QCOMPARE(fx.messages().size(), 1);
        t->txtLength->setText("N/A");
        MainWindowFixture::tabOut(t->txtLength);
        QCOMPARE(fx.messages().size(), 1);
        t->txtLength->setText("4 ft");
        fx.env->dialogs.expectOk();
        MainWindowFixture::tabOut(t->txtLength);
        QCOMPARE(fx.messages().last().text, QStringLiteral("Please enter a valid Length!"));
        // A length no field can hold is refused like a word.
        t->txtLength->setText("1e999");
        fx.env->dialogs.expectOk();
        MainWindowFixture::tabOut(t->txtLength);
        QCOMPARE(fx.messages().last().text, QStringLiteral("Please enter a valid Length!"));
        QCOMPARE(QApplication::focusWidget(), t->txtLength);
        t->txtLength->setText("30");
        t->txtWidth->setText("wide");
        fx.env->dialogs.expectOk();
        MainWindowFixture::tabOut(t->txtWidth);
        QCOMPARE(fx.messages().last().text, QStringLiteral("Please enter a valid Width!"));
        t->txtWidth->setText("12");
        t->txtLightDistance->setText("-1e999");
        fx.env->dialogs.expectOk();
        MainWindowFixture::tabOut(t->txtLightDistance);
        QCOMPARE(fx.messages().last().text, QStringLiteral("Please enter a valid Light Distance!"));
        t->txtLightDistance->setText("?");
        fx.env->dialogs.expectOk();
        MainWindowFixture::tabOut(t->txtLightDistance);
        QCOMPARE(fx.messages().last().text, QStringLiteral("Please enter a valid Light Distance!"));
        t->txtLightDistance->clear(); // nothing left that cannot be stored
    }

    void twoBadBoxesDoNotLoop() {
        fx.tank("Reef");
        frmTank *t = openTank();
        t->txtHeight->setText("bad");
        t->txtWidth->setText("worse");
        t->txtHeight->setFocus(Qt::MouseFocusReason);
        // Leaving Height for Width: one message, the focus back in Height, and
        // Width, passed through on the way back, does not complain.
        fx.env->dialogs.expectOk();
        t->txtWidth->setFocus(Qt::MouseFocusReason);
        QCOMPARE(fx.messages().size(), 1);
        QCOMPARE(QApplication::focusWidget(), t->txtHeight);
        t->txtHeight->clear();
        t->txtWidth->clear();
    }

    void dateChecks() {
        fx.tank("Reef");
        frmTank *t = openTank();
        t->txtDateEstablished->setText("1/2/1999");
        MainWindowFixture::tabOut(t->txtDateEstablished);
        QCOMPARE(t->txtDateEstablished->text(), QStringLiteral("01/02/1999"));
        QCOMPARE(t->txtDateEstablished2->text(), QStringLiteral("01/02/1999"));
        t->txtDateEstablished->setText("31/31/1999");
        fx.env->dialogs.expectOk();
        MainWindowFixture::tabOut(t->txtDateEstablished);
        QCOMPARE(fx.messages().last().text,
                 QStringLiteral("Please enter a valid date (mm/dd/yyyy)!"));
        QCOMPARE(fx.messages().last().title, QStringLiteral("Date Error"));
        QCOMPARE(QApplication::focusWidget(), t->txtDateEstablished);
        t->txtDateEstablished->clear();
    }

    void setAsDefault() {
        fx.tank("Alpha");
        const int beta = fx.tank("Beta");
        fx.setDefault(1, "Alpha");
        frmTank *t = openTank();
        t->TankData->clickNext();
        fx.env->dialogs.answers = {MsgResult::No};
        t->cmdDefault->click();
        const auto q = fx.messages().last();
        QCOMPARE(q.text, QStringLiteral("Set the current tank as the default tank?"));
        QCOMPARE(q.title, QStringLiteral("Default Tank"));
        QCOMPARE(q.icon, MsgIcon::Question);
        QCOMPARE(q.defaultButton, MsgResult::No);
        QCOMPARE(CorvModule::CurrentTankID, QStringLiteral("1")); // No changes nothing
        QCOMPARE(Settings::read("Corvella", "DefaultTank", "TankID", "x"), QStringLiteral("1"));
        fx.env->dialogs.answers = {MsgResult::Yes};
        t->cmdDefault->click();
        QCOMPARE(CorvModule::CurrentTankID, QString::number(beta));
        QCOMPARE(CorvModule::CurrentTankName, QStringLiteral("Beta"));
        QCOMPARE(Settings::read("Corvella", "DefaultTank", "TankID", "x"), QString::number(beta));
        QCOMPARE(Settings::read("Corvella", "DefaultTank", "TankName", "x"),
                 QStringLiteral("Beta"));
        QCOMPARE(fx.main->windowTitle(), QStringLiteral("Corvella - Beta"));
    }

    void setAsDefaultStoresTheEditsFirst() {
        fx.defaultTank("Alpha");
        frmTank *t = openTank();
        fx.main->mnuTankCalculator_Click();
        auto *calc = dynamic_cast<frmTankCalc *>(Forms::get(FormKind::TankCalc));
        fx.main->mdiArea->setActiveSubWindow(MainWindowFixture::frameOf(t));
        t->mnuAdd_Click();
        QTest::keyClicks(t->txtTankName, "Delta");
        t->txtHeight->setText("30");
        fx.env->dialogs.answers = {MsgResult::Yes};
        t->cmdDefault->click();
        const int delta = TestEnv::scalar(fx.db, "SELECT MAX(ID) FROM Tank").toInt();
        QCOMPARE(row(delta, "TankName"), QStringLiteral("Delta"));
        QCOMPARE(row(delta, "TankHeight"), QStringLiteral("30"));
        QCOMPARE(CorvModule::CurrentTankID, QString::number(delta));
        QCOMPARE(fx.main->windowTitle(), QStringLiteral("Corvella - Delta"));
        // The calculator reloaded the tank the user sees.
        QCOMPARE(calc->TankFound, 1);
        QCOMPARE(calc->txtHeight->text(), QStringLiteral("30"));
        QVERIFY(!t->RecordAdded);
        QVERIFY(!t->RecordChanged);
    }

    void saveStoresZeroForTheDimensionThatDoesNotApply() {
        const int box = fx.tank("Box");                               // length 48, radius 10
        const int drum = fx.tank("Drum", QStringLiteral("Circular")); // length 48, radius 10
        frmTank *t = openTank();                                      // Box first, by name
        t->cmdSave->click();
        QCOMPARE(row(box, "TankRadius"), QStringLiteral("0"));
        QCOMPARE(row(box, "TankLength"), QStringLiteral("48"));
        t->TankData->clickNext();
        QCOMPARE(t->txtTankName->text(), QStringLiteral("Drum"));
        t->cmdSave->click();
        QCOMPARE(row(drum, "TankLength"), QStringLiteral("0"));
        QCOMPARE(row(drum, "TankRadius"), QStringLiteral("10"));
        QVERIFY(fx.messages().isEmpty());
    }

    void openJournalFollowsANewDefault() {
        const int a = fx.tank("Alpha");
        const int b = fx.tank("Beta");
        fx.entry(a, "2001-01-01");
        fx.entry(b, "2002-01-01");
        fx.entry(b, "2002-02-01");
        fx.setDefault(a, "Alpha");
        auto *j = fx.open<frmJournal>(FormKind::Journal, &mdiCorvella::mnuJournal_Click);
        QCOMPARE(j->JournalData->Caption(), QStringLiteral("Record: 1 of 1"));
        frmTank *t = openTank();
        t->TankData->clickNext();
        fx.env->dialogs.answers = {MsgResult::Yes};
        t->cmdDefault->click();
        QCOMPARE(j->JournalData->Caption(), QStringLiteral("Record: 1 of 2"));
        QCOMPARE(j->txtEntryDate->text(), QStringLiteral("01/01/2002"));
        QCOMPARE(j->txtTankID->text(), QString::number(b));
    }

    void renamingTheDefaultThenClosing() {
        const int id = fx.tank("Reef");
        fx.setDefault(id, "Reef");
        frmTank *t = openTank();
        t->txtTankName->setText("Big Reef");
        t->cmdClose_Click();
        QCOMPARE(CorvModule::CurrentTankName, QStringLiteral("Big Reef"));
        QCOMPARE(Settings::read("Corvella", "DefaultTank", "TankName", "x"),
                 QStringLiteral("Big Reef"));
        QCOMPARE(fx.main->windowTitle(), QStringLiteral("Corvella - Big Reef"));
        QVERIFY(!Forms::get(FormKind::Tank));
    }

    void deletingTheDefaultThenClosing() {
        fx.tank("Other");
        const int id = fx.tank("Reef");
        fx.setDefault(id, "Reef");
        frmTank *t = openTank();
        t->TankData->clickLast();
        QCOMPARE(t->txtTankName->text(), QStringLiteral("Reef"));
        fx.env->dialogs.answers = {MsgResult::Yes};
        t->mnuDelete_Click();
        QCOMPARE(CorvModule::CurrentTankID, QString::number(id)); // unchanged until Close
        t->cmdClose_Click();
        QVERIFY(CorvModule::CurrentTankName.isEmpty());
        QCOMPARE(fx.main->windowTitle(), QStringLiteral("Corvella - "));
        QCOMPARE(Settings::read("Corvella", "DefaultTank", "TankName", "x"), QString());
        QCOMPARE(Settings::read("Corvella", "DefaultTank", "TankID", "x"), QString::number(id));
    }

    void deletingEveryTankThenClosingMakesOneBlankTank() {
        const int id = fx.tank("Only");
        fx.setDefault(id, "Only");
        frmTank *t = openTank();
        fx.env->dialogs.answers = {MsgResult::Yes};
        t->mnuDelete_Click();
        QCOMPARE(t->TankData->Caption(), QStringLiteral("Record: 0 of 0"));
        t->cmdClose_Click();
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Tank"), 1);
        QVERIFY(!Forms::get(FormKind::Tank));
        QCOMPARE(fx.main->windowTitle(), QStringLiteral("Corvella - "));
    }

    void withoutADefaultANamelessUnstoredTankCannotClose() {
        frmTank *t = openTank(); // empty table: a blank tank is stored at once
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Tank"), 1);
        fx.env->dialogs.answers = {MsgResult::Yes};
        t->mnuDelete_Click();
        fx.env->dialogs.expectOk();
        t->cmdClose_Click();
        QCOMPARE(fx.messages().last().text, QStringLiteral("Please give this tank a Name!"));
        QCOMPARE(fx.messages().last().title, QStringLiteral("No Tank Name"));
        QCOMPARE(fx.messages().last().icon, MsgIcon::Exclamation);
        QVERIFY(Forms::get(FormKind::Tank));
        QCOMPARE(CorvModule::CurrentTankID, QStringLiteral("NOT SET"));
        t->mnuAdd_Click();
        t->txtTankName->setText("Nano");
        t->cmdClose_Click();
        QVERIFY(!Forms::get(FormKind::Tank));
        QCOMPARE(CorvModule::CurrentTankName, QStringLiteral("Nano"));
        QCOMPARE(CorvModule::CurrentTankID,
                 TestEnv::scalar(fx.db, "SELECT ID FROM Tank WHERE TankName = 'Nano'").toString());
    }

    void addOnATableEmptyAtOpening() {
        frmTank *t = openTank();
        // The blank tank stored while opening has an empty date.
        QVERIFY(t->txtDateEstablished->text().isEmpty());
        QVERIFY(t->RecordAdded);
        QCOMPARE(t->TankData->Caption(), QStringLiteral("Record: 1 of 1"));
        t->mnuAdd_Click();
        QCOMPARE(t->txtDateEstablished->text(), dateText(QDate::currentDate()));
        QCOMPARE(t->txtHeight->text(), QStringLiteral("0"));
        QCOMPARE(t->txtWidth->text(), QStringLiteral("0"));
        QCOMPARE(t->txtLength->text(), QStringLiteral("0"));
        QCOMPARE(t->txtRadius->text(), QStringLiteral("N/A"));
        QCOMPARE(QApplication::focusWidget(), t->txtTankName);
        t->txtTankName->setText("Second");
        t->cmdSave->click();
        const int id =
            TestEnv::scalar(fx.db, "SELECT ID FROM Tank WHERE TankName = 'Second'").toInt();
        QCOMPARE(row(id, "DateEstablished"), isoDateText(QDate::currentDate()));
        QCOMPARE(row(id, "TankRadius"), QStringLiteral("0"));
        QCOMPARE(row(id, "TankType"), QStringLiteral("Fresh Water"));
    }

    void closeBoxOnFirstUseSetsNoDefault() {
        openTank();
        QMdiSubWindow *frame = MainWindowFixture::frameOf(Forms::get(FormKind::Tank)->widget());
        frame->close();
        QCOMPARE(CorvModule::CurrentTankID, QStringLiteral("NOT SET"));
        QCOMPARE(fx.main->windowTitle(), QStringLiteral("Corvella"));
        QCOMPARE(Settings::read("Corvella", "WindowPosition", "TankTop", "absent"),
                 QStringLiteral("absent"));
    }

    void firstStartFromNothingToAJournalEntry() {
        // Start-up as the program does it, on an empty store and table.
        fx.main.reset();
        Forms::reset();
        registerWindows();
        CorvModule::reset();
        Settings::save("Corvella", "Database", "Filename", fx.db);
        fx.env->dialogs.expectOk();
        fx.main.reset(CorvMain());
        QCOMPARE(fx.messages().size(), 1);
        QCOMPARE(fx.messages()[0].title, QStringLiteral("No Default Tank"));
        auto *t = dynamic_cast<frmTank *>(Forms::get(FormKind::Tank));
        QVERIFY(t);
        QVERIFY(!CorvModule::TankOpen);
        QCOMPARE(fx.main->windowTitle(), QStringLiteral("Corvella"));
        // The user types at once: the focus is in the name.
        QVERIFY(QTest::qWaitForWindowActive(fx.main.get()));
        QCOMPARE(QApplication::focusWidget(), t->txtTankName);
        QTest::keyClicks(QApplication::focusWidget(), "Living Room");
        t->cmdClose->click();
        QVERIFY(!Forms::get(FormKind::Tank));
        const QString id =
            TestEnv::scalar(fx.db, "SELECT ID FROM Tank WHERE TankName = 'Living Room'").toString();
        QVERIFY(!id.isEmpty());
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Tank"), 1);
        QCOMPARE(CorvModule::CurrentTankID, id);
        QCOMPARE(Settings::read("Corvella", "DefaultTank", "TankID", "x"), id);
        QCOMPARE(Settings::read("Corvella", "DefaultTank", "TankName", "x"),
                 QStringLiteral("Living Room"));
        QCOMPARE(fx.main->windowTitle(), QStringLiteral("Corvella - Living Room"));
        fx.main->windowItem(FormKind::Journal)->trigger();
        auto *j = dynamic_cast<frmJournal *>(Forms::get(FormKind::Journal));
        QVERIFY(j);
        QCOMPARE(j->JournalData->Caption(), QStringLiteral("Record: 1 of 1"));
        QCOMPARE(fx.count(QStringLiteral("SELECT COUNT(*) FROM Journal WHERE TankID = %1").arg(id)),
                 1);
        // A first water test, typed and closed.
        QCOMPARE(QApplication::focusWidget(), j->txtEntryDate);
        QTest::keyClicks(QApplication::focusWidget(), "3/4/26");
        QTest::keyClick(j->txtEntryDate, Qt::Key_Tab);
        QTest::keyClicks(j->valueBox("txtAlkalinity"), "8.2");
        j->cmdClose->click();
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Journal WHERE EntryDate = '2026-03-04' AND "
                          "Alkalinity = 8.2"),
                 1);
    }
};

QTEST_MAIN(TestTank)
#include "tst_tank.moc"
