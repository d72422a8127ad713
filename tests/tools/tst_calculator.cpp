// The tank calculator and temperature converter windows.
#include "forms/frmTank.h"
#include "support/MainWindowFixture.h"
#include "tools/frmTankCalc.h"
#include "tools/frmTempConv.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyleOptionComboBox>

using namespace corv;
using namespace corv::test;

class TestCalculator : public QObject {
    Q_OBJECT
    MainWindowFixture fx;

    frmTankCalc *openCalc() {
        return fx.open<frmTankCalc>(FormKind::TankCalc, &mdiCorvella::mnuTankCalculator_Click);
    }
    QStringList results(frmTankCalc *c) {
        return {c->txtArea->text(),  c->txtVolume->text(), c->txtWeight->text(),
                c->txtHeat->text(),  c->txtLow->text(),    c->txtMedium->text(),
                c->txtBrite->text(), c->txtSFish->text(),  c->txtMFish->text(),
                c->txtLFish->text()};
    }
    MessageRequest lastMessage() { return fx.messages().last(); }

private slots:
    void init() { fx.setUp(); }
    void cleanup() { fx.tearDown(); }

    void opensOnTheDefaultTank() {
        const int id = fx.tank("Reef");
        TestEnv::exec(fx.db, "UPDATE Tank SET LightDistance = 18");
        fx.setDefault(id, "Reef");
        frmTankCalc *c = openCalc();
        QVERIFY(c);
        QCOMPARE(c->windowTitle(), QStringLiteral("Tank Calculator"));
        // What the user reads under the figures.
        QCOMPARE(c->lblEstimates->text(),
                 QStringLiteral("* Calculations are only estimates. Actual figures may vary "
                                "dramatically depending on tank contents, population, filtration, "
                                "feeding, water changes and many other factors."));
        QCOMPARE(c->lblFishSizes->text(),
                 QStringLiteral("Small Fish - (1 inch / 2.5 Cent.) Medium "
                                "- (4 inches / 10 Cent.) Large - (8 inches "
                                "/ 20 Cent.)"));
        QVERIFY(c->lblEstimates->isVisible());
        QCOMPARE(fx.main->statusText(), QStringLiteral("Calculate tank copasities."));
        QVERIFY(CorvModule::TankCalcOpen);
        QCOMPARE(CorvModule::ActiveForm, QStringLiteral("TankCalc"));
        for (QAction *a :
             {fx.main->mnuAdd, fx.main->mnuDelete, fx.main->mnuSearch, fx.main->mnuPrint})
            QVERIFY(!a->isEnabled());
        QCOMPARE(c->TankFound, 1);
        // The list that has the focus shows its focus frame before any Tab.
        QCOMPARE(QApplication::focusWidget(), c->cboShape);
        QStyleOptionComboBox look;
        look.initFrom(c->cboShape);
        QVERIFY(look.state & QStyle::State_HasFocus);
        QVERIFY(look.state & QStyle::State_KeyboardFocusChange);
        QCOMPARE(c->cboShape->currentIndex(), 0);
        QCOMPARE(c->txtLength->text(), QStringLiteral("48"));
        QCOMPARE(c->txtRadius->text(), QStringLiteral("N/A"));
        QVERIFY(!c->txtRadius->isEnabled());
        QCOMPARE(c->txtHeight->text(), QStringLiteral("20"));
        QCOMPARE(c->txtWidth->text(), QStringLiteral("12"));
        QCOMPARE(c->txtLight->text(), QStringLiteral("18"));
        QCOMPARE(c->txtPercentSFish->text(), QStringLiteral("33.3"));
        QCOMPARE(c->cboVolume->currentIndex(), 0);
        QVERIFY(c->txtShape->isHidden());
        c->cmdCalculate->click();
        QVERIFY(fx.messages().isEmpty());
        QCOMPARE(results(c), (QStringList{"960² Inches", "50 US Gal.", "416 lbs.", "150 watts",
                                          "126 watts", "236 watts", "424 watts", "27", "7", "3"}));
        c->cboVolume->setCurrentIndex(1);
        c->cmdCalculate->click();
        QCOMPARE(c->txtVolume->text(), QStringLiteral("189 Liters"));
        QCOMPARE(c->txtWeight->text(), QStringLiteral("189 kgs."));
        QCOMPARE(c->txtHeat->text(), QStringLiteral("150 watts"));
        // Reset goes back to the stored tank and clears the results.
        c->txtHeight->setText("99");
        c->cmdReset->click();
        QCOMPARE(c->txtHeight->text(), QStringLiteral("20"));
        QCOMPARE(c->cboVolume->currentIndex(), 0);
        QVERIFY(c->txtArea->text().isEmpty());
    }

    void opensOnWhatTheTankStores_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("shape");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QList<int>>("selected"); // type, shape, unit
        QTest::newRow("salt, hexagonal, cm") << "Salt Water"
                                             << "Hexagonal"
                                             << "Centimeters" << QList<int>{1, 2, 1};
        QTest::newRow("cold, circular, inches") << "Cold Water"
                                                << "Circular"
                                                << "Inches" << QList<int>{2, 1, 0};
        // Texts of no list: the type stays as the calculator starts, the
        // shape and the unit show as the first items.
        QTest::newRow("unknown texts") << "Brackish"
                                       << "Oval"
                                       << "Feet" << QList<int>{0, 0, 0};
    }
    void opensOnWhatTheTankStores() {
        QFETCH(QString, type);
        QFETCH(QString, shape);
        QFETCH(QString, unit);
        QFETCH(QList<int>, selected);
        const int id = fx.tank("Reef");
        TestEnv::exec(fx.db, QStringLiteral("UPDATE Tank SET TankType = '%1', TankShape = '%2', "
                                            "UnitMeasure = '%3'")
                                 .arg(type, shape, unit));
        fx.setDefault(id, "Reef");
        frmTankCalc *c = openCalc();
        QCOMPARE((QList<int>{c->cboType->currentIndex(), c->cboShape->currentIndex(),
                             c->cboMeasure->currentIndex()}),
                 selected);
        // A round tank shows its radius and no length.
        QCOMPARE(c->txtLength->text() == QStringLiteral("N/A"), selected[1] != 0);
        QCOMPARE(c->txtRadius->isEnabled(), selected[1] != 0);
    }

    void aTankThatIsNotFoundGivesTheDefaults() {
        fx.tank("Reef");
        fx.setDefault(77, "Gone");
        frmTankCalc *c = openCalc();
        QCOMPARE(c->TankFound, 0);
        QCOMPARE(c->cboShape->currentIndex(), 0);
        QCOMPARE(c->cboType->currentIndex(), 0);
        QVERIFY(c->txtHeight->text().isEmpty());
        QVERIFY(c->txtWidth->text().isEmpty());
        QVERIFY(c->txtLength->text().isEmpty());
        QCOMPARE(c->txtRadius->text(), QStringLiteral("N/A"));
        QCOMPARE(c->txtLight->text(), QStringLiteral("0"));
        fx.env->dialogs.expectOk();
        c->cmdCalculate->click();
        QCOMPARE(fx.messages().size(), 1);
        QCOMPARE(lastMessage().text, QStringLiteral("Please enter a valid Height!"));
        QCOMPARE(lastMessage().title, QStringLiteral("Corvella"));
        QCOMPARE(lastMessage().icon, MsgIcon::None);
        QCOMPARE(lastMessage().buttons, MsgButtons::Ok);
        QCOMPARE(QApplication::focusWidget(), c->txtHeight);
    }

    void withoutADefaultTankItStillOpens() {
        frmTankCalc *c = openCalc();
        QVERIFY(c);
        QCOMPARE(c->TankFound, 0);
        QVERIFY(fx.messages().isEmpty());
        QVERIFY(fx.ends.isEmpty());
    }

    void eachCheckAndItsFocus() {
        frmTankCalc *c = openCalc();
        c->txtHeight->setText("20");
        c->txtLength->setText("long");
        fx.env->dialogs.expectOk();
        c->cmdCalculate->click();
        QCOMPARE(lastMessage().text, QStringLiteral("Please enter a valid Length!"));
        QCOMPARE(QApplication::focusWidget(), c->txtLength);
        c->txtLength->setText("48");
        c->txtWidth->clear();
        fx.env->dialogs.expectOk();
        c->cmdCalculate->click();
        QCOMPARE(lastMessage().text, QStringLiteral("Please enter a valid Width!"));
        QCOMPARE(QApplication::focusWidget(), c->txtWidth);
        c->txtWidth->setText("12");
        c->txtLight->setText("high");
        fx.env->dialogs.expectOk();
        c->cmdCalculate->click();
        QCOMPARE(lastMessage().text, QStringLiteral("Please enter a valid Light Distance!"));
        QCOMPARE(QApplication::focusWidget(), c->txtLight);
        c->txtLight->setText("18");
        c->txtPercentMFish->setText("many");
        c->txtPercentLFish->clear();
        fx.env->dialogs.expectOk();
        c->cmdCalculate->click();
        QCOMPARE(lastMessage().text, QStringLiteral("Please enter a valid Percent Medium Fish!"));
        QCOMPARE(QApplication::focusWidget(), c->txtPercentMFish);
        QCOMPARE(c->txtPercentLFish->text(), QStringLiteral("0")); // emptied field shows 0
        c->txtPercentSFish->setText("50");
        c->txtPercentMFish->setText("50");
        c->txtPercentLFish->setText("1");
        fx.env->dialogs.expectOk();
        c->cmdCalculate->click();
        QCOMPARE(lastMessage().text, QStringLiteral("Fish percents total more than 100!"));
        QCOMPARE(QApplication::focusWidget(), c->txtPercentSFish);
        QVERIFY(c->txtArea->text().isEmpty());
        fx.env->dialogs.clear();
        for (TextBox *p : {c->txtPercentSFish, c->txtPercentMFish, c->txtPercentLFish})
            p->setText("30");
        fx.env->dialogs.expectOk();
        c->cmdCalculate->click();
        QCOMPARE(fx.env->dialogs.messageTexts(),
                 QStringList{"Less than 100 percent of fish allocated!"});
        QCOMPARE(c->txtArea->text(), QStringLiteral("960² Inches")); // and it still calculates
    }

    void aStoppedRunClearsEarlierResults() {
        frmTankCalc *c = openCalc();
        c->txtHeight->setText("20");
        c->txtLength->setText("48");
        c->txtWidth->setText("12");
        c->cmdCalculate->click();
        QCOMPARE(c->txtArea->text(), QStringLiteral("960² Inches"));
        c->txtWidth->setText("wide");
        fx.env->dialogs.expectOk();
        c->cmdCalculate->click();
        QCOMPARE(lastMessage().text, QStringLiteral("Please enter a valid Width!"));
        QCOMPARE(results(c), QStringList(10, QString())); // no figures for other inputs
    }

    void hugeResultsShowWholeFromTheirStart() {
        frmTankCalc *c = openCalc();
        for (TextBox *b : {c->txtHeight, c->txtLength, c->txtWidth, c->txtLight})
            b->setText("-9e100");
        c->cboMeasure->setCurrentIndex(1); // the longest unit text
        c->cmdCalculate->click();
        QCOMPARE(c->txtArea->text(), QStringLiteral("8.1E+201² Cent."));
        const QRegularExpression tooManyDigits(QStringLiteral("\\d{16}"));
        for (QLineEdit *box : {c->txtArea, c->txtVolume, c->txtWeight, c->txtHeat, c->txtLow,
                               c->txtMedium, c->txtBrite, c->txtSFish, c->txtMFish, c->txtLFish}) {
            const QString text = box->text();
            QVERIFY2(!text.contains(tooManyDigits), qPrintable(text));
            QCOMPARE(box->cursorPosition(), 0); // its start shows
            const int room = box->contentsRect().width() - 6;
            QVERIFY2(box->fontMetrics().horizontalAdvance(text) <= room, qPrintable(text));
        }
    }

    void enterCalculatesFromAListAndPressesAFocusedButton() {
        frmTankCalc *c = openCalc();
        c->txtHeight->setText("20");
        c->txtLength->setText("48");
        c->txtWidth->setText("12");
        c->cboType->setFocus(Qt::TabFocusReason);
        QTest::keyClick(c->cboType, Qt::Key_Return);
        QCOMPARE(c->txtArea->text(), QStringLiteral("960² Inches"));
        c->cmdReset->setFocus(Qt::TabFocusReason);
        QTest::keyClick(c->cmdReset, Qt::Key_Return); // Reset, not Calculate
        QVERIFY(c->txtArea->text().isEmpty());
        QVERIFY(c->txtHeight->text().isEmpty());
    }

    void radiusFailureLeavesTheFocus() {
        frmTankCalc *c = openCalc();
        c->cboShape->setCurrentIndex(1); // Circular: the rule applies
        QCOMPARE(c->txtLength->text(), QStringLiteral("N/A"));
        QVERIFY(!c->txtLength->isEnabled());
        QCOMPARE(c->txtRadius->text(), QStringLiteral("0"));
        c->txtRadius->setText("round");
        c->txtWidth->setFocus();
        fx.env->dialogs.expectOk();
        c->cmdCalculate->click();
        QCOMPARE(lastMessage().text, QStringLiteral("Please enter a valid Radius!"));
        QCOMPARE(QApplication::focusWidget(), c->txtWidth);
        // A circular tank ignores Height.
        c->txtRadius->setText("20");
        c->txtWidth->setText("24");
        c->txtHeight->setText("any");
        c->cmdCalculate->click();
        QCOMPARE(c->txtArea->text(), QStringLiteral("314² Inches")); // 20 × 20 × 3.14159 ÷ 4
    }

    void reloadsWhenTheDefaultTankChanges() {
        const int a = fx.tank("Alpha");
        fx.tank("Beta", "Circular");
        fx.setDefault(a, "Alpha");
        frmTankCalc *c = openCalc();
        QCOMPARE(c->cboShape->currentIndex(), 0);
        fx.main->mnuChangeTanks_Click();
        auto *t = dynamic_cast<frmTank *>(Forms::get(FormKind::Tank));
        t->TankData->clickNext();
        fx.env->dialogs.answers = {MsgResult::Yes};
        t->cmdDefault->click();
        QCOMPARE(c->cboShape->currentIndex(), 1);
        QCOMPARE(c->txtRadius->text(), QStringLiteral("10"));
        QCOMPARE(c->txtLength->text(), QStringLiteral("N/A"));
    }

    void closeSavesThePositionAndUnloads() {
        frmTankCalc *c = openCalc();
        MainWindowFixture::frameOf(c)->move(70, 80);
        c->cmdClose->click();
        QCOMPARE(Settings::read("Corvella", "WindowPosition", "TankCalcTop", "x"),
                 QStringLiteral("80"));
        QCOMPARE(Settings::read("Corvella", "WindowPosition", "TankCalcLeft", "x"),
                 QStringLiteral("70"));
        QVERIFY(!CorvModule::TankCalcOpen);
        QCOMPARE(CorvModule::ActiveForm, QStringLiteral("NoOne"));
        QCOMPARE(fx.main->statusText(), CorvModule::IdleLine);
        QVERIFY(!Forms::get(FormKind::TankCalc));
        c = openCalc();
        QCOMPARE(MainWindowFixture::frameOf(c)->pos(), QPoint(70, 80));
    }

    void findsAMovedDatabase() {
        const int id = fx.tank("Reef");
        fx.setDefault(id, "Reef");
        QDir().mkpath(fx.env->path("moved"));
        QVERIFY(QFile::rename(fx.db, fx.env->path("moved/CORVELLA.CVL")));
        fx.env->dialogs.fileAnswers = {fx.env->path("moved/CORVELLA.CVL")};
        frmTankCalc *c = openCalc();
        QVERIFY(c);
        QCOMPARE(c->TankFound, 1);
        QCOMPARE(CorvModule::DatabasePath,
                 QDir::toNativeSeparators(fx.env->path("moved/CORVELLA.CVL")));
        c->cmdClose_Click();
        fx.env->dialogs.fileAnswers = {std::nullopt};
        CorvModule::DatabasePath = fx.env->path("gone/CORVELLA.CVL");
        QVERIFY(!openCalc());
        QVERIFY(!CorvModule::TankCalcOpen);
    }

    void converterFromTheCalculator() {
        frmTankCalc *c = openCalc();
        bool seen = false;
        QString title, status;
        fx.env->dialogs.onModal = [&](QDialog &d) -> int {
            seen = qobject_cast<frmTempConv *>(&d) != nullptr;
            title = d.windowTitle();
            status = fx.main->statusText();
            d.reject();
            return QDialog::Rejected;
        };
        c->cmdTemp->click();
        QVERIFY(seen);
        QCOMPARE(title, QStringLiteral("Temp Converter"));
        QCOMPARE(status, QStringLiteral("Enter a temprature to convert."));
        QCOMPARE(fx.main->statusText(), CorvModule::IdleLine);
        QVERIFY(c->isAncestorOf(QApplication::focusWidget()));
    }

    void converter_data() {
        QTest::addColumn<QString>("f");
        QTest::addColumn<QString>("c");
        QTest::addColumn<QString>("fAfter");
        QTest::addColumn<QString>("cAfter");
        QTest::addColumn<QString>("message");
        QTest::newRow("212 F") << "212"
                               << ""
                               << "212°"
                               << "100°"
                               << "";
        QTest::newRow("100 F") << "100"
                               << ""
                               << "100°"
                               << "37.77778°"
                               << "";
        QTest::newRow("0 F") << "0°"
                             << ""
                             << "0°"
                             << "-17.77778°"
                             << "";
        QTest::newRow("37 C") << ""
                              << "37"
                              << "98.6°"
                              << "37°"
                              << "";
        QTest::newRow("-40 C") << ""
                               << "-40°"
                               << "-40°"
                               << "-40°"
                               << "";
        QTest::newRow("25 C") << ""
                              << "25"
                              << "77°"
                              << "25°"
                              << "";
        QTest::newRow("500 F") << "500"
                               << ""
                               << "500°"
                               << "260°"
                               << "";
        QTest::newRow("-500 F") << "-500"
                                << ""
                                << "-500°"
                                << "-295.5555°"
                                << "";
        QTest::newRow("-500.1 F") << "-500.1"
                                  << ""
                                  << "-500.1"
                                  << ""
                                  << "Please enter a temprature in the range of -500° to 500° F!";
        QTest::newRow("-295 C") << ""
                                << "-295"
                                << "-499°"
                                << "-295°"
                                << "";
        QTest::newRow("260 C") << ""
                               << "260"
                               << "500°"
                               << "260°"
                               << "";
        QTest::newRow("260.5 C") << ""
                                 << "260.5"
                                 << ""
                                 << "260.5"
                                 << "Please enter a temprature in the range of -295° to 260° C!";
        QTest::newRow("F first") << "50"
                                 << "1000"
                                 << "50°"
                                 << "10°"
                                 << "";
        QTest::newRow("98.6 F") << "98.6 F"
                                << ""
                                << "98.6 F"
                                << ""
                                << "Please enter a valid temprature!";
        QTest::newRow("both empty") << ""
                                    << ""
                                    << ""
                                    << ""
                                    << "Please enter a valid temprature!";
    }
    void converter() {
        QFETCH(QString, f);
        QFETCH(QString, c);
        QFETCH(QString, fAfter);
        QFETCH(QString, cAfter);
        QFETCH(QString, message);
        frmTempConv t;
        t.txtF->setText(f);
        t.txtC->setText(c);
        if (!message.isEmpty())
            fx.env->dialogs.expectOk();
        t.cmdCalculate->click();
        QCOMPARE(t.txtF->text(), fAfter);
        QCOMPARE(t.txtC->text(), cAfter);
        QCOMPARE(fx.env->dialogs.messageTexts(),
                 message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty()) {
            QCOMPARE(fx.messages().last().title, QStringLiteral("Corvella"));
            QCOMPARE(fx.messages().last().icon, MsgIcon::None);
        }
    }

    void converterAsTheUserUsesIt() {
        frmTempConv t;
        QCOMPARE(t.txtF->text(), QStringLiteral("32°"));
        QCOMPARE(t.txtC->text(), QStringLiteral("0°"));
        QLabel *lf = nullptr, *lc = nullptr;
        for (QLabel *l : t.findChildren<QLabel *>()) {
            if (l->buddy() == t.txtF)
                lf = l;
            if (l->buddy() == t.txtC)
                lc = l;
        }
        QCOMPARE(lf->text(), QStringLiteral("Farenheight:"));
        QCOMPARE(lc->text(), QStringLiteral("Celcius:"));
        t.show();
        QVERIFY(QTest::qWaitForWindowActive(&t));
        // The user can type over the Fahrenheit value at once.
        QCOMPARE(QApplication::focusWidget(), t.txtF);
        QCOMPARE(t.txtF->selectedText(), QStringLiteral("32°"));
        // Right after opening, Calculate converts from Fahrenheit.
        t.cmdCalculate->click();
        QCOMPARE(t.txtC->text(), QStringLiteral("0°"));
        // Typing in Celsius and leaving it empties Fahrenheit.
        t.txtC->setFocus();
        t.txtC->selectAll();
        QTest::keyClicks(t.txtC, "100");
        QTest::keyClick(t.txtC, Qt::Key_Tab);
        QVERIFY(t.txtF->text().isEmpty());
        t.cmdCalculate->click();
        QCOMPARE(t.txtF->text(), QStringLiteral("212°"));
        // Typing in Celsius and pressing Enter, Fahrenheit still filled: the
        // field typed in last is converted.
        t.txtC->setFocus();
        t.txtC->selectAll();
        QTest::keyClicks(t.txtC, "-40");
        QTest::keyClick(t.txtC, Qt::Key_Return);
        QCOMPARE(t.txtF->text(), QStringLiteral("-40°"));
        // Enter on the focused Reset button resets; it does not convert.
        t.cmdReset->setFocus(Qt::TabFocusReason);
        QTest::keyClick(t.cmdReset, Qt::Key_Return);
        QCOMPARE(t.txtF->text(), QStringLiteral("32°"));
        QCOMPARE(t.txtC->text(), QStringLiteral("0°"));
        QCOMPARE(t.lastEdited(), tempconv::Source::Fahrenheit);
        QVERIFY(t.isVisible());
    }
};

QTEST_MAIN(TestCalculator)
#include "tst_calculator.moc"
