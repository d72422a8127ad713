// The journal window: its twenty values and their checks, the date rules,
// the input limits, and following the default tank.
#include "forms/frmJournal.h"
#include "support/MainWindowFixture.h"

#include "data/Transfer.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>

using namespace corv;
using namespace corv::test;

class TestJournal : public QObject {
    Q_OBJECT
    MainWindowFixture fx;
    int tankId = 0;

    frmJournal *openJournal() {
        return fx.open<frmJournal>(FormKind::Journal, &mdiCorvella::mnuJournal_Click);
    }

private slots:
    void init() {
        fx.setUp();
        tankId = fx.defaultTank("Reef");
    }
    void cleanup() { fx.tearDown(); }

    void layoutLabelsAndOrder() {
        frmJournal *j = openJournal();
        QCOMPARE(j->windowTitle(), QStringLiteral("Journal"));
        QStringList labels;
        for (TextBox *b : j->valueBoxes()) {
            for (QLabel *l : j->findChildren<QLabel *>())
                if (l->buddy() == b)
                    labels << l->text();
        }
        QCOMPARE(labels, (QStringList{"Alkalinity:",
                                      "Ammonia:",
                                      "Calcium:",
                                      "Carbon Dioxide:",
                                      "Copper:",
                                      "Dissolved Oxygen:",
                                      "Hardness:",
                                      "Iodine:",
                                      "Iron:",
                                      "Lead:",
                                      "Magnesium:",
                                      "Molybdenum:",
                                      "Nitrate:",
                                      "Nitrite:",
                                      "pH:",
                                      "Phosphate:",
                                      "Specific Gravity:",
                                      "Strontium:",
                                      "Temprature:",
                                      "Zinc:"}));
        QCOMPARE(j->valueBox("txtSepcificGravity")->objectName(),
                 QStringLiteral("txtSepcificGravity"));
        QCOMPARE(j->valueBox("txtStrotium")->objectName(), QStringLiteral("txtStrotium"));
        QCOMPARE(j->txtEntryDate->toolTip(), QStringLiteral("mm/dd/yyyy"));
        // Seven rows of three: the date, then the values row by row.
        QCOMPARE(j->valueBox("txtAlkalinity")->y(), j->txtEntryDate->y());
        QCOMPARE(j->valueBox("txtAmmonia")->y(), j->txtEntryDate->y());
        QVERIFY(j->valueBox("txtCalcium")->y() > j->txtEntryDate->y());
        QCOMPARE(j->valueBox("txtZinc")->y(), j->valueBox("txtStrotium")->y());
        QVERIFY(j->valueBox("txtAmmonia")->x() > j->valueBox("txtAlkalinity")->x());
        // The buttons stacked at the left of the notes.
        QVERIFY(j->cmdChart->x() < j->txtNotes->x());
        QVERIFY(j->cmdChart->y() < j->cmdSave->y() && j->cmdSave->y() < j->cmdClose->y());
        // Tab order: date, values, notes, Chart, Save, Close.
        QWidget *w = j->txtEntryDate;
        QStringList order;
        for (int i = 0; i < 25; ++i) {
            order << w->objectName();
            do
                w = w->nextInFocusChain();
            while (!w->isVisibleTo(j) || w->focusPolicy() == Qt::NoFocus);
        }
        QCOMPARE(order.mid(0, 2), (QStringList{"txtEntryDate", "txtAlkalinity"}));
        QCOMPARE(order.mid(20),
                 (QStringList{"txtZinc", "txtNotes", "cmdChart", "cmdSave", "cmdClose"}));
    }

    void valueChecks_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("empty") << "" << true;
        QTest::newRow("7.5") << "7.5" << true;
        QTest::newRow("-1") << "-1" << true;
        QTest::newRow("1,000") << "1,000" << true;
        QTest::newRow("1e-3") << "1e-3" << true;
        QTest::newRow("abc") << "abc" << false;
        QTest::newRow("7.5 ppm") << "7.5 ppm" << false;
        // Reads as a number, but no field can hold it.
        QTest::newRow("1e999") << "1e999" << false;
        QTest::newRow("-1e999") << "-1e999" << false;
        QTest::newRow("tiny") << "1e-99999" << true;
    }
    void valueChecks() {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        frmJournal *j = openJournal();
        const QStringList names = {
            "Alkalinity",       "Ammonia",          "Calcium",  "Carbon Dioxide", "Copper",
            "Dissolved Oxygen", "Hardness",         "Iodine",   "Iron",           "Lead",
            "Magnesium",        "Molybdenum",       "Nitrate",  "Nitrite",        "pH",
            "Phosphate",        "Sepcific Gravity", "Strotium", "Temprature",     "Zinc"};
        for (int i = 0; i < 20; ++i) {
            TextBox *box = j->valueBoxes()[i];
            fx.env->dialogs.clear();
            box->setText(text);
            if (!accepted)
                fx.env->dialogs.expectOk();
            MainWindowFixture::tabOut(box);
            if (accepted) {
                QVERIFY2(fx.messages().isEmpty(), qPrintable(box->objectName()));
                continue;
            }
            QCOMPARE(fx.messages().size(), 1);
            QCOMPARE(fx.messages()[0].text,
                     QStringLiteral("Please enter a valid %1!").arg(names[i]));
            QCOMPARE(fx.messages()[0].title, QStringLiteral("Numeric Error"));
            QCOMPARE(fx.messages()[0].icon, MsgIcon::Exclamation);
            QCOMPARE(QApplication::focusWidget(), box);
            QCOMPARE(box->text(), text);
            box->clear(); // so the next box can be left in peace
        }
    }

    // Values come back with the decimals their test is read to, as they
    // print and are exported: a pH typed "7.0" is not shown as "7".
    void acceptedValuesAreStored() {
        frmJournal *j = openJournal();
        j->valueBox("txtpH")->setText("7.0");
        j->valueBox("txtNitrate")->setText("1,000");
        j->valueBox("txtCopper")->setText("-1");
        j->valueBox("txtSepcificGravity")->setText("1.02");
        j->valueBox("txtAmmonia")->setText("0.125");
        j->cmdSave->click();
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Journal WHERE PH = 7 AND Nitrate = 1000 AND "
                          "Copper = -1"),
                 1);
        j->cmdClose->click();
        j = openJournal();
        QCOMPARE(j->valueBox("txtNitrate")->text(), QStringLiteral("1000"));
        QCOMPARE(j->valueBox("txtpH")->text(), QStringLiteral("7.0"));
        QCOMPARE(j->valueBox("txtCopper")->text(), QStringLiteral("-1.00"));
        QCOMPARE(j->valueBox("txtSepcificGravity")->text(), QStringLiteral("1.020"));
        QCOMPARE(j->valueBox("txtAmmonia")->text(), QStringLiteral("0.125")); // no digit dropped
    }

    // A note of one enormous word (what an import of a spreadsheet cell may
    // bring) shows at once, broken where the box ends: laid out as one word
    // it took more than a minute and froze the window.
    void aHugeWordShowsAtOnce() {
        // The largest note an import takes, then one five times as large.
        const QString word(MaxImportedText, u'w'), larger(5 * MaxImportedText, u'v');
        TestEnv::exec(fx.db, QStringLiteral("INSERT INTO Journal (TankID, EntryDate, Notes) "
                                            "VALUES (%1, '2024-01-01', '%2'), (%1, '2024-01-02', "
                                            "'%3'), (%1, '2024-01-03', 'a note of words')")
                                 .arg(tankId)
                                 .arg(word, larger));
        QElapsedTimer clock;
        clock.start();
        frmJournal *j = openJournal();
        QCOMPARE(j->txtNotes->toPlainText(), word);
        j->txtNotes->viewport()->repaint();
        j->JournalData->clickNext();
        j->txtNotes->viewport()->repaint();
        QCOMPARE(j->txtNotes->toPlainText().size(), larger.size());
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed()) + " ms"));
        // Words are kept whole again where they fit.
        j->JournalData->clickNext();
        QCOMPARE(j->txtNotes->wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
    }

    // A value no field can hold is refused when its box is left, so the
    // record stays storable and the other edits are kept.
    void unstorableNumberIsRefusedOnLeaving() {
        frmJournal *j = openJournal();
        j->valueBox("txtNitrate")->setText("5");
        j->valueBox("txtpH")->setText("1e999");
        fx.env->dialogs.expectOk();
        MainWindowFixture::tabOut(j->valueBox("txtpH"));
        QCOMPARE(fx.messages().size(), 1);
        QCOMPARE(fx.messages()[0].text, QStringLiteral("Please enter a valid pH!"));
        QCOMPARE(fx.messages()[0].title, QStringLiteral("Numeric Error"));
        QCOMPARE(QApplication::focusWidget(), j->valueBox("txtpH"));
        j->valueBox("txtpH")->setText("7");
        j->valueBox("txtDissolvedOxygen")->setText("1e-999999999"); // tiny: stored as 0
        MainWindowFixture::tabOut(j->valueBox("txtDissolvedOxygen"));
        QCOMPARE(fx.messages().size(), 1);
        j->cmdSave->click();
        QCOMPARE(fx.messages().size(), 1);
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Journal WHERE PH = 7 AND Nitrate = 5 AND "
                          "DissolvedOxygen = 0"),
                 1);
    }

    // A damaged database ends the program, but not without saying how to
    // get back to a whole one.
    void damagedDatabaseSaysHowToRecover() {
        TestEnv::damageJournalPages(fx.db);
        fx.env->dialogs.expectOk();
        openJournal();
        QCOMPARE(fx.messages().size(), 1);
        const QString text = fx.messages()[0].text;
        QVERIFY2(text.startsWith(QStringLiteral("Unexpected Error: ")) &&
                     text.contains(QLatin1String("damaged")) &&
                     text.contains(QLatin1String("File > Restore")),
                 qPrintable(text));
        QCOMPARE(fx.ends, QVector<int>{1});
    }

    void inputLimits() {
        frmJournal *j = openJournal();
        for (TextBox *box : j->valueBoxes()) {
            box->setFocus();
            QTest::keyClicks(box, "1234567890");
            const bool unlimited =
                box == j->valueBox("txtCarbonDioxide") || box == j->valueBox("txtDissolvedOxygen");
            QCOMPARE(box->text().size(), unlimited ? 10 : 9);
            box->clear();
        }
        // A stored value longer than the limit is shown whole, and can be
        // shortened.
        j->cmdSave->click();
        TestEnv::exec(fx.db, "UPDATE Journal SET PH = 1234567.125");
        j->JournalData->Refresh();
        QCOMPARE(j->valueBox("txtpH")->text(), QStringLiteral("1234567.125"));
        j->valueBox("txtpH")->setFocus();
        j->valueBox("txtpH")->end(false);
        QTest::keyClick(j->valueBox("txtpH"), Qt::Key_Backspace);
        QCOMPARE(j->valueBox("txtpH")->text(), QStringLiteral("1234567.12"));
        QTest::keyClick(j->valueBox("txtpH"), Qt::Key_5);
        QCOMPARE(j->valueBox("txtpH")->text(), QStringLiteral("1234567.12"));
    }

    void dateRules() {
        frmJournal *j = openJournal();
        j->txtEntryDate->setFocus();
        QTest::keyClicks(j->txtEntryDate, "1/2/99");
        QTest::keyClick(j->txtEntryDate, Qt::Key_Tab);
        QCOMPARE(j->txtEntryDate->text(), QStringLiteral("01/02/1999"));
        QCOMPARE(j->txtEntryDate2->text(), QStringLiteral("01/02/1999"));
        QVERIFY(j->RecordChanged);
        j->cmdSave->click();
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Journal WHERE EntryDate = '1999-01-02'"), 1);

        j->txtEntryDate->setText("31/31/1999");
        fx.env->dialogs.expectOk();
        MainWindowFixture::tabOut(j->txtEntryDate);
        QCOMPARE(fx.messages().last().text,
                 QStringLiteral("Please enter a valid date (mm/dd/yyyy)!"));
        QCOMPARE(fx.messages().last().title, QStringLiteral("Date Error"));
        QCOMPARE(fx.messages().last().icon, MsgIcon::Exclamation);
        QCOMPARE(QApplication::focusWidget(), j->txtEntryDate);
        QCOMPARE(j->txtEntryDate->text(), QStringLiteral("31/31/1999"));

        // Clearing the date stores an empty date.
        j->txtEntryDate->clear();
        MainWindowFixture::tabOut(j->txtEntryDate);
        QVERIFY(j->txtEntryDate2->text().isEmpty());
        j->cmdClose->click();
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Journal WHERE EntryDate IS NULL"), 1);
    }

    void movingRefillsTheDateAsAnEdit() {
        fx.entry(tankId, "2001-01-01");
        fx.entry(tankId, "2001-06-01");
        frmJournal *j = openJournal();
        QVERIFY(!j->RecordChanged);
        j->JournalData->clickNext();
        QCOMPARE(j->txtEntryDate->text(), QStringLiteral("06/01/2001"));
        QVERIFY(j->RecordChanged);               // the refilled date counts as an edit
        QVERIFY(!j->JournalData->DataChanged()); // but nothing needs storing
    }

    void refreshFollowsTheCurrentTank() {
        const int other = fx.tank("Quarantine");
        fx.entry(tankId, "2001-01-01");
        fx.entry(other, "2005-05-05");
        fx.entry(other, "2005-05-06");
        frmJournal *j = openJournal();
        QCOMPARE(j->JournalData->Caption(), QStringLiteral("Record: 1 of 1"));
        CorvModule::CurrentTankID = QString::number(other);
        j->cmdRefreshData();
        QCOMPARE(j->JournalData->Caption(), QStringLiteral("Record: 1 of 2"));
        QCOMPARE(j->txtEntryDate->text(), QStringLiteral("05/05/2005"));
        // A tank without entries: nothing shown, fields off, nothing stored.
        const int empty = fx.tank("Empty");
        CorvModule::CurrentTankID = QString::number(empty);
        j->cmdRefreshData();
        QCOMPARE(j->JournalData->Caption(), QStringLiteral("Record: 0 of 0"));
        QVERIFY(j->FieldsDisabled);
        QCOMPARE(
            fx.count(QStringLiteral("SELECT COUNT(*) FROM Journal WHERE TankID = %1").arg(empty)),
            0);
    }

    void chartButtonWithAndWithoutRecords() {
        int charts = 0;
        HookGuard<std::function<QDialog *(QWidget *)>> chart(mdiCorvella::chartWindow,
                                                             [&](QWidget *) -> QDialog * {
                                                                 ++charts;
                                                                 return new QDialog;
                                                             });
        frmJournal *j = openJournal();
        j->cmdChart->click();
        fx.env->dialogs.answers = {MsgResult::Yes};
        j->mnuDelete_Click();
        QVERIFY(j->cmdChart->isEnabled());
        j->cmdChart->click();
        QCOMPARE(charts, 2);
    }

    // Marks follow the default tank's water type; they inform only.
    void outOfRangeValuesAreMarked() {
        fx.entry(tankId, "2001-01-01", "7.0");
        frmJournal *j = openJournal();
        const QColor ink = j->palette().color(QPalette::Text);
        auto marked = [&](TextBox *b) { return b->palette().color(QPalette::Text) != ink; };
        QCOMPARE(j->markWaterType(), QStringLiteral("Fresh Water"));
        QVERIFY(!marked(j->valueBox("txtpH"))); // filled from the record, inside 6.5-7.8
        QVERIFY(j->valueBox("txtpH")->toolTip().isEmpty());

        j->valueBox("txtNitrite")->setFocus();
        QTest::keyClicks(j->valueBox("txtNitrite"), "0.5");
        QVERIFY(marked(j->valueBox("txtNitrite")));
        QCOMPARE(
            j->valueBox("txtNitrite")->toolTip(),
            QStringLiteral("Nitrite 0.5 is above the target range 0\u20130.25 for Fresh Water."));
        j->valueBox("txtNitrite")->clear();
        QTest::keyClicks(j->valueBox("txtNitrite"), "0.25"); // the bound itself is inside
        QVERIFY(!marked(j->valueBox("txtNitrite")));
        QVERIFY(j->valueBox("txtNitrite")->toolTip().isEmpty());
        j->valueBox("txtTemprature")->setFocus();
        QTest::keyClicks(j->valueBox("txtTemprature"), "65");
        QVERIFY(marked(j->valueBox("txtTemprature")));
        QVERIFY(j->valueBox("txtTemprature")
                    ->toolTip()
                    .startsWith(QStringLiteral("Temprature 65 is below")));
        j->valueBox("txtTemprature")->clear();
        QVERIFY(!marked(j->valueBox("txtTemprature")));
        QVERIFY(j->valueBox("txtTemprature")->toolTip().isEmpty());

        // The tank becomes salt water; the tank window announces the tank
        // when it closes, and the pH of 7.0 is now below 8.0-8.4.
        TestEnv::exec(
            fx.db,
            QStringLiteral("UPDATE Tank SET TankType = 'Salt Water' WHERE ID = %1").arg(tankId));
        CorvModule::setDefaultTankName(QStringLiteral("Reef"));
        QCOMPARE(j->markWaterType(), QStringLiteral("Salt Water"));
        QVERIFY(marked(j->valueBox("txtpH")));
        QVERIFY(j->valueBox("txtpH")->toolTip().endsWith(QStringLiteral("for Salt Water.")));

        // Marks never stop a value being stored.
        j->valueBox("txtNitrite")->clear();
        QTest::keyClicks(j->valueBox("txtNitrite"), "3");
        j->cmdSave->click();
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Journal WHERE Nitrite = 3"), 1);
    }
};

QTEST_MAIN(TestJournal)
#include "tst_journal.moc"
