// The livestock window: its fields and checks, the cost kept exactly, the
// four sort orders and the saved order, and following the default tank.
#include "forms/frmStock.h"
#include "support/MainWindowFixture.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

using namespace corv;
using namespace corv::test;
using Maker = std::function<QDialog *(QWidget *)>;

class TestStock : public QObject {
    Q_OBJECT
    MainWindowFixture fx;
    int tankId = 0;

    frmStock *openStock() {
        return fx.open<frmStock>(FormKind::Stock, &mdiCorvella::mnuLiveStock_Click);
    }
    // A livestock row made directly in the database.
    void animal(int tank, const QString &common, const QString &scientific, const QString &acquired,
                const QString &from) {
        TestEnv::exec(fx.db, QStringLiteral("INSERT INTO LiveStock (TankID, CommonName, "
                                            "ScientificName, DateAcquired, AcquiredFrom) VALUES "
                                            "(%1, '%2', '%3', '%4', '%5')")
                                 .arg(tank)
                                 .arg(common, scientific, acquired, from));
    }
    // Four animals whose four orders all differ.
    void fourAnimals(int tank) {
        animal(tank, "Yellow Tang", "Zebrasoma flavescens", "2001-03-01", "Blue Lagoon");
        animal(tank, "Clownfish", "Amphiprion ocellaris", "2001-04-01", "Reef World");
        animal(tank, "Royal Gramma", "Gramma loreto", "2001-01-01", "Coral Corner");
        animal(tank, "Mandarin", "Synchiropus splendidus", "2001-02-01", "Aquarama");
    }
    static QString storedSort() {
        return Settings::read(Settings::appName(), "SortOrder", "StockSort", "absent");
    }
    static void click(QRadioButton *option) { QTest::mouseClick(option, Qt::LeftButton); }

private slots:
    void init() {
        fx.setUp();
        tankId = fx.defaultTank("Reef");
    }
    void cleanup() { fx.tearDown(); }

    void typingThroughTheWindowWithTheKeyboard() {
        frmStock *s = openStock();
        QVERIFY(s);
        QCOMPARE(s->windowTitle(), QStringLiteral("Livestock"));
        QCOMPARE(fx.main->statusText(), QStringLiteral("Browse the Livestock database."));
        QCOMPARE(CorvModule::ActiveForm, QStringLiteral("Stock"));
        // The window opens ready for typing; Tab goes through the boxes in
        // pairs, then the notes, the buttons and the sort options.
        const QStringList typed = {
            "Clownfish", "Amphiprion ocellaris", "Healthy",          "19.99",      "6/12/20",
            "",          "Blue Lagoon",          QString(300, u'x'), "Eats mysis."};
        for (const QString &text : typed) {
            QWidget *box = QApplication::focusWidget();
            QTest::keyClicks(box, text);
            QTest::keyClick(box, Qt::Key_Tab);
        }
        QCOMPARE(QApplication::focusWidget(), s->cmdSave);
        QTest::keyClick(s->cmdSave, Qt::Key_Space);
        QCOMPARE(
            fx.count(
                QStringLiteral(
                    "SELECT COUNT(*) FROM LiveStock WHERE CommonName = 'Clownfish' AND "
                    "ScientificName = 'Amphiprion ocellaris' AND Condition = 'Healthy' AND "
                    "InitialCost = 199900 AND DateAcquired = '2020-06-12' AND DateLost IS NULL "
                    "AND AcquiredFrom = 'Blue Lagoon' AND length(Other) = 254 AND Notes = "
                    "'Eats mysis.' AND TankID = %1")
                    .arg(tankId)),
            1);
        QVERIFY(fx.messages().isEmpty());
        QTest::keyClick(s->cmdSave, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), s->cmdClose);
        QTest::keyClick(s->cmdClose, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), s->sort1);
        QVERIFY(s->sort1->isChecked());
        // The sort options stay usable when there is no record; the boxes
        // do not.
        fx.env->dialogs.answers = {MsgResult::Yes};
        s->mnuDelete_Click();
        QVERIFY(!s->txtCommonName->isEnabled() && !s->txtNotes->isEnabled());
        QVERIFY(!s->cmdSave->isEnabled());
        QVERIFY(s->sort2->isEnabled());
        click(s->sort2);
        QCOMPARE(s->StockData->Caption(), QStringLiteral("Record: 0 of 0"));
    }

    void costCases_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");  // after leaving the box
        QTest::addColumn<QString>("stored"); // ten-thousandths, or "" for refused
        QTest::addColumn<QString>("reread"); // shown again after reopening
        // A cost comes back with its cents, as it prints and is exported.
        QTest::newRow("empty becomes 0") << ""
                                         << "0"
                                         << "0"
                                         << "0.00";
        QTest::newRow("25.00 kept") << "25.00"
                                    << "25.00"
                                    << "250000"
                                    << "25.00";
        QTest::newRow("25 kept") << "25"
                                 << "25"
                                 << "250000"
                                 << "25.00";
        QTest::newRow("19.99 exact") << "19.99"
                                     << "19.99"
                                     << "199900"
                                     << "19.99";
        QTest::newRow("thousands") << "1,250.5"
                                   << "1,250.5"
                                   << "12505000"
                                   << "1250.50";
        QTest::newRow("twenty dollars") << "twenty dollars"
                                        << "twenty dollars"
                                        << ""
                                        << "";
        QTest::newRow("too large to keep") << "1e300"
                                           << "1e300"
                                           << ""
                                           << "";
    }
    void costCases() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, stored);
        QFETCH(QString, reread);
        frmStock *s = openStock();
        s->txtInitialCost->setFocus(Qt::MouseFocusReason);
        s->txtInitialCost->selectAll();
        QTest::keyClicks(s->txtInitialCost, typed);
        if (stored.isEmpty())
            fx.env->dialogs.expectOk();
        QTest::keyClick(s->txtInitialCost, Qt::Key_Tab);
        QCOMPARE(s->txtInitialCost->text(), shown);
        if (stored.isEmpty()) {
            QCOMPARE(fx.messages().size(), 1);
            const MessageRequest m = fx.messages()[0];
            QCOMPARE(m.text, QStringLiteral("Please enter a valid cost (EX: 25.00)!"));
            QCOMPARE(m.title, QStringLiteral("Numeric Error"));
            QCOMPARE(m.icon, MsgIcon::Exclamation);
            QCOMPARE(m.buttons, MsgButtons::Ok);
            QCOMPARE(QApplication::focusWidget(), s->txtInitialCost);
            s->txtInitialCost->clear(); // so that the window can go
            return;
        }
        QVERIFY(fx.messages().isEmpty());
        s->cmdClose->click();
        QCOMPARE(TestEnv::scalar(fx.db, "SELECT InitialCost FROM LiveStock").toString(), stored);
        s = openStock();
        QCOMPARE(s->txtInitialCost->text(), reread);
    }

    void chosenOrderIsSavedButTheWindowOpensInDateOrder() {
        fourAnimals(tankId);
        frmStock *s = openStock();
        QCOMPARE(s->txtCommonName->text(), QStringLiteral("Royal Gramma")); // 01/01/2001
        QCOMPARE(s->StockData->Caption(), QStringLiteral("Record: 1 of 4"));
        click(s->sort2);
        QCOMPARE(s->CurrentSort, 2);
        QCOMPARE(s->txtCommonName->text(), QStringLiteral("Clownfish"));
        click(s->sort3);
        QCOMPARE(s->txtCommonName->text(), QStringLiteral("Clownfish")); // Amphiprion
        s->StockData->clickNext();
        QCOMPARE(s->txtCommonName->text(), QStringLiteral("Royal Gramma")); // Gramma
        click(s->sort4);
        QCOMPARE(s->txtCommonName->text(), QStringLiteral("Mandarin")); // Aquarama
        QCOMPARE(s->StockData->Caption(), QStringLiteral("Record: 1 of 4"));
        // From the keyboard: Tab reaches the options, the arrows choose.
        s->cmdClose->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(s->cmdClose, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), s->sort4);
        QTest::keyClick(s->sort4, Qt::Key_Left);
        QCOMPARE(QApplication::focusWidget(), s->sort3);
        QVERIFY(s->sort3->isChecked());
        QCOMPARE(s->CurrentSort, 3);
        QTest::keyClick(s->sort3, Qt::Key_Left);
        QCOMPARE(s->CurrentSort, 2);
        QCOMPARE(s->txtCommonName->text(), QStringLiteral("Clownfish"));
        s->cmdClose->click();
        QCOMPARE(storedSort(), QStringLiteral("2"));

        s = openStock();
        QVERIFY(s->sort1->isChecked());
        QCOMPARE(s->CurrentSort, 1);
        QCOMPARE(s->txtCommonName->text(), QStringLiteral("Royal Gramma"));
        s->cmdClose->click();
        QCOMPARE(storedSort(), QStringLiteral("1"));
        // The close box leaves the stored order alone.
        s = openStock();
        click(s->sort4);
        MainWindowFixture::frameOf(s)->close();
        QCOMPARE(storedSort(), QStringLiteral("1"));
    }

    void emptyTankStoresABlankRecordThenAppliesTheSavedOrder() {
        Settings::setSortOrder(QStringLiteral("Stock"), 3);
        frmStock *s = openStock();
        QCOMPARE(fx.count(QStringLiteral("SELECT COUNT(*) FROM LiveStock WHERE TankID = %1 AND "
                                         "CommonName IS NULL")
                              .arg(tankId)),
                 1);
        QVERIFY(s->StockData->RecordSource().endsWith(QStringLiteral(" ORDER BY ScientificName")));
        QCOMPARE(s->CurrentSort, 3);
        QVERIFY(s->sort1->isChecked()); // the options are not changed
        QVERIFY(s->RecordAdded);
        QCOMPARE(s->StockData->Caption(), QStringLiteral("Record: 1 of 1"));
        QVERIFY(s->txtCommonName->isEnabled());
        s->cmdClose->click();
        QCOMPARE(storedSort(), QStringLiteral("3"));
        // A value that is no order falls back to the first.
        Settings::save(Settings::appName(), "SortOrder", "StockSort", "7");
        TestEnv::exec(fx.db, "DELETE FROM LiveStock");
        s = openStock();
        QVERIFY(s->StockData->RecordSource().endsWith(QStringLiteral(" ORDER BY DateAcquired")));
        QCOMPARE(s->CurrentSort, 1);
    }

    void aNewDefaultTankIsReadInTheChosenOrder() {
        const int other = fx.tank("Quarantine");
        fourAnimals(other);
        animal(tankId, "Neon Tetra", "Paracheirodon innesi", "2002-01-01", "Fish Barn");
        frmStock *s = openStock();
        QCOMPARE(s->txtCommonName->text(), QStringLiteral("Neon Tetra"));
        click(s->sort3);
        CorvModule::setDefaultTank(QString::number(other), QStringLiteral("Quarantine"));
        QCOMPARE(s->StockData->RecordSource(),
                 QStringLiteral("SELECT * FROM [LiveStock] WHERE TankID = %1 ORDER BY "
                                "ScientificName")
                     .arg(other));
        QCOMPARE(s->StockData->Caption(), QStringLiteral("Record: 1 of 4"));
        QCOMPARE(s->txtScientificName->text(), QStringLiteral("Amphiprion ocellaris"));
        QCOMPARE(s->txtTankID->text(), QString::number(other));
        QVERIFY(s->sort3->isChecked());
    }

    void datesAndAnEmptyDateLost() {
        frmStock *s = openStock();
        s->txtDateAcquired->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(s->txtDateAcquired, "3/4/01");
        QTest::keyClick(s->txtDateAcquired, Qt::Key_Tab);
        QCOMPARE(s->txtDateAcquired->text(), QStringLiteral("03/04/2001"));
        QCOMPARE(QApplication::focusWidget(), s->txtDateLost);
        QTest::keyClick(s->txtDateLost, Qt::Key_Tab); // left empty
        QVERIFY(fx.messages().isEmpty());

        s->txtDateLost->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(s->txtDateLost, "13/45/2001");
        fx.env->dialogs.expectOk();
        QTest::keyClick(s->txtDateLost, Qt::Key_Tab);
        QCOMPARE(fx.messages().size(), 1);
        QCOMPARE(fx.messages()[0].text,
                 QStringLiteral("Please enter a valid date (EX: mm/dd/yyyy)!"));
        QCOMPARE(fx.messages()[0].title, QStringLiteral("Date Error"));
        QCOMPARE(fx.messages()[0].icon, MsgIcon::Exclamation);
        QCOMPARE(QApplication::focusWidget(), s->txtDateLost);
        QCOMPARE(s->txtDateLost->text(), QStringLiteral("13/45/2001"));
        s->txtDateLost->clear();
        QTest::keyClick(s->txtDateLost, Qt::Key_Tab);
        QCOMPARE(fx.messages().size(), 1);
        s->cmdClose->click();
        QCOMPARE(fx.count("SELECT COUNT(*) FROM LiveStock WHERE DateAcquired = '2001-03-04' AND "
                          "DateLost IS NULL"),
                 1);
    }

    void aSortSwitchStoresWhatTheRecordHolds() {
        fourAnimals(tankId);
        frmStock *s = openStock();
        // An older record edited, then the order changed: the edit is kept.
        s->txtCondition->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(s->txtCondition, "Healthy");
        s->txtDateLost->setText("05/06/2001");
        click(s->sort2);
        QCOMPARE(fx.count("SELECT COUNT(*) FROM LiveStock WHERE CommonName = 'Royal Gramma' AND "
                          "Condition = 'Healthy' AND DateLost = '2001-05-06'"),
                 1);
        QVERIFY(!s->StockData->DataChanged());
        // A record just added and typed into is stored, and found in the new
        // order.
        s->mnuAdd_Click();
        QCOMPARE(QApplication::focusWidget(), s->txtCommonName);
        QTest::keyClicks(s->txtCommonName, "Anthias");
        click(s->sort1);
        QCOMPARE(fx.count("SELECT COUNT(*) FROM LiveStock WHERE CommonName = 'Anthias'"), 1);
        QVERIFY(!s->RecordAdded);
        QCOMPARE(s->StockData->Caption(), QStringLiteral("Record: 1 of 5"));
        QCOMPARE(s->txtCommonName->text(), QStringLiteral("Anthias")); // no date: first
        // A record that cannot be stored keeps its edits and the order; the
        // box that holds what cannot be stored says so in its own words.
        s->txtInitialCost->setText("twenty dollars");
        fx.env->dialogs.expectOk();
        click(s->sort3);
        QCOMPARE(fx.messages().size(), 1);
        QCOMPARE(fx.messages()[0].text, QStringLiteral("Please enter a valid cost (EX: 25.00)!"));
        QCOMPARE(fx.messages()[0].title, QStringLiteral("Numeric Error"));
        QCOMPARE(s->CurrentSort, 1);
        QVERIFY(s->sort1->isChecked());
        QVERIFY(!s->sort3->isChecked());
        QCOMPARE(s->txtInitialCost->text(), QStringLiteral("twenty dollars"));
        QVERIFY(s->StockData->RecordSource().endsWith(QStringLiteral(" ORDER BY DateAcquired")));
        s->txtInitialCost->clear();
    }

    void recordCommandsReachTheWindow() {
        int searches = 0;
        QWidget *focusAtSearch = nullptr;
        HookGuard<Maker> search(RecordForm::searchWindow, [&](QWidget *) -> QDialog * {
            ++searches;
            focusAtSearch = QApplication::focusWidget();
            return nullptr;
        });
        int prints = 0;
        HookGuard<Maker> print(mdiCorvella::printWindow, [&](QWidget *) -> QDialog * {
            ++prints;
            return nullptr;
        });
        fx.main->tbToolBar_ButtonClick(QStringLiteral("Livestock"));
        auto *s = dynamic_cast<frmStock *>(Forms::get(FormKind::Stock));
        QVERIFY(s);
        for (QAction *a :
             {fx.main->mnuAdd, fx.main->mnuDelete, fx.main->mnuSearch, fx.main->mnuPrint,
              fx.main->button(14), fx.main->button(16), fx.main->button(17), fx.main->button(19)})
            QVERIFY(a->isEnabled());

        fx.main->mnuAdd_Click();
        QCOMPARE(fx.main->statusText(), QStringLiteral("Add Livestock Record."));
        QCOMPARE(fx.count("SELECT COUNT(*) FROM LiveStock"), 2);

        s->txtCondition->setFocus(Qt::MouseFocusReason);
        fx.main->mnuSearch_Click();
        QCOMPARE(fx.main->statusText(), QStringLiteral("Search for a Livestock Record."));
        QCOMPARE(CorvModule::SearchForm, QStringLiteral("Stock"));
        QCOMPARE(searches, 1);
        QCOMPARE(focusAtSearch, s->txtCondition); // the window did not take the focus

        fx.main->mnuPrint_Click();
        QCOMPARE(fx.main->statusText(), QStringLiteral("Print Livestock Reports."));
        QCOMPARE(prints, 1);

        fx.env->dialogs.answers = {MsgResult::Yes};
        fx.main->mnuDelete_Click();
        QCOMPARE(fx.main->statusText(), QStringLiteral("Delete Livestock Record."));
        QCOMPARE(fx.count("SELECT COUNT(*) FROM LiveStock"), 1);
    }

    void withoutADefaultTankTheWindowSaysSo() {
        CorvModule::CurrentTankID = CorvModule::NotSet;
        fx.env->dialogs.expectOk();
        QVERIFY(!openStock());
        QCOMPARE(fx.messages().size(), 1);
        QCOMPARE(fx.messages()[0].title, QStringLiteral("No Default Tank"));
        QVERIFY(!CorvModule::StockOpen);
        QCOMPARE(fx.count("SELECT COUNT(*) FROM LiveStock"), 0);
    }
};

QTEST_MAIN(TestStock)
#include "tst_stock.moc"
