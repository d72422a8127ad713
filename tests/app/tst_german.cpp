// Corvella in German: every text has its translation, the windows speak
// German and fit a 1366x768 screen, and dates and decimals typed the German
// way are stored exactly as the English ones are.
#include "app/Settings.h"
#include "app/mdiCorvella.h"
#include "care/frmDue.h"
#include "care/frmMaintenance.h"
#include "care/frmTasks.h"
#include "care/frmWaterPlanner.h"
#include "forms/frmDiseases.h"
#include "forms/frmGlossary.h"
#include "forms/frmJournal.h"
#include "forms/frmStock.h"
#include "forms/frmTank.h"
#include "platform/Conversions.h"
#include "platform/Language.h"
#include "reports/ReportData.h"
#include "reports/ReportFormula.h"
#include "reports/ReportTemplate.h"
#include "support/MainWindowFixture.h"
#include "tools/frmTankCalc.h"
#include <QMdiArea>
#include <QMdiSubWindow>

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>
#include <QXmlStreamReader>
#include <QtTest/QTest>

using namespace corv;
using namespace corv::test;

class TestGerman : public QObject {
    Q_OBJECT
    MainWindowFixture fx;

    // The labels and buttons of a window that are narrower than their text.
    static QStringList cutOff(QWidget *window) {
        QStringList cut;
        for (QWidget *w : window->findChildren<QWidget *>()) {
            if (!w->isVisible())
                continue;
            const auto *label = qobject_cast<QLabel *>(w);
            const bool wraps = label && label->wordWrap();
            if (!(label || qobject_cast<QAbstractButton *>(w)) || wraps)
                continue;
            if (w->width() < w->sizeHint().width())
                cut << QStringLiteral("%1 (%2 < %3)")
                           .arg(label ? label->text() : static_cast<QAbstractButton *>(w)->text())
                           .arg(w->width())
                           .arg(w->sizeHint().width());
        }
        return cut;
    }

private slots:
    void initTestCase() {
        const QString loaded =
            applyLanguage(QLocale(QLocale::German, QLocale::Germany),
                          {QStringLiteral(CORVELLA_BINARY_DIR "/bin/translations")});
        QVERIFY2(!loaded.isEmpty(), "the German translation was not found");
    }
    void init() {
        fx.setUp();
        fx.main->resize(1366, 768);
        fx.defaultTank(QStringLiteral("Riff"));
    }
    void cleanup() { fx.tearDown(); }

    // Every text the sources mark for translation has a finished German one:
    // a text wrapped without a translation fails here.
    void everySourceTextIsTranslated() {
        QTemporaryDir dir;
        const QString ts = dir.filePath(QStringLiteral("check_de.ts"));
        QVERIFY(
            QFile::copy(QStringLiteral(CORVELLA_SOURCE_DIR "/translations/corvella_de.ts"), ts));
        QFile::setPermissions(ts, QFile::ReadOwner | QFile::WriteOwner);
        QProcess lupdate;
        lupdate.setWorkingDirectory(QStringLiteral(CORVELLA_SOURCE_DIR));
        lupdate.start(QStringLiteral(CORVELLA_LUPDATE),
                      {QStringLiteral("-silent"), QStringLiteral("-locations"),
                       QStringLiteral("none"), QStringLiteral("-no-obsolete"),
                       QStringLiteral("src"), QStringLiteral("-ts"), ts});
        QVERIFY(lupdate.waitForFinished(120000));
        QCOMPARE(lupdate.exitCode(), 0);
        QFile f(ts);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&f);
        QStringList untranslated;
        QString source;
        int messages = 0;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("source")) {
                source = xml.readElementText();
            } else if (xml.name() == QLatin1String("translation")) {
                ++messages;
                const bool unfinished = xml.attributes().hasAttribute(QStringLiteral("type"));
                if (xml.readElementText().isEmpty() || unfinished)
                    untranslated << source;
            }
        }
        QVERIFY(!xml.hasError());
        QVERIFY(messages > 500);
        QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(QStringLiteral(" | "))));
    }

    // The German program shows a German help book where one lies beside the
    // English one, and the English one where none does.
    void aGermanHelpBookWhereThereIsOne() {
        QTemporaryDir dir;
        const QString english = dir.filePath(QStringLiteral("CORVELLA.HLP"));
        QFile(english).open(QIODevice::WriteOnly);
        const QLocale german(QLocale::German, QLocale::Austria);
        QCOMPARE(localizedFile(english, german), english);
        const QString book = dir.filePath(QStringLiteral("CORVELLA_de.HLP"));
        QFile(book).open(QIODevice::WriteOnly);
        QCOMPARE(QDir::fromNativeSeparators(localizedFile(english, german)), book);
        QCOMPARE(localizedFile(english, QLocale(QLocale::English, QLocale::UnitedStates)), english);
        QCOMPARE(localizedFile(english, QLocale(QLocale::French, QLocale::France)), english);
    }

    // The record windows and the calculator in German, each whole at
    // 1366x768: no label or button narrower than its text.
    void windowsSpeakGermanAndFit() {
        struct Case {
            QWidget *w;
            QString title;
            QString aLabel;
        };
        // The main window's menus and toolbar; a button keeps its key.
        QCOMPARE(fx.main->mnuOptions->title(), QStringLiteral("&Optionen"));
        QCOMPARE(fx.main->mnuHelp->actions().last()->text(), QStringLiteral("&Über"));
        QAction *journalButton = fx.main->findChild<QAction *>(QStringLiteral("tbJournal"));
        QVERIFY(journalButton);
        QCOMPARE(journalButton->toolTip(), QStringLiteral("Tagebuch"));
        QCOMPARE(journalButton->data().toString(), QStringLiteral("Journal"));
        auto *tank = fx.open<frmTank>(FormKind::Tank, &mdiCorvella::mnuChangeTanks_Click);
        QVERIFY(tank);
        QVector<Case> cases{{tank, QStringLiteral("Das Becken"), QStringLiteral("Beckenname:")}};
        cases.push_back({fx.open<frmJournal>(FormKind::Journal, &mdiCorvella::mnuJournal_Click),
                         QStringLiteral("Tagebuch"), QStringLiteral("Gesamthärte:")});
        cases.push_back({fx.open<frmStock>(FormKind::Stock, &mdiCorvella::mnuLiveStock_Click),
                         QStringLiteral("Besatz"), QStringLiteral("Kaufdatum:")});
        cases.push_back(
            {fx.open<frmDiseases>(FormKind::Diseases, &mdiCorvella::mnuCommonDiseases_Click),
             QStringLiteral("Häufige Krankheiten"), QStringLiteral("Symptome:")});
        cases.push_back(
            {fx.open<frmGlossary>(FormKind::Glossary, &mdiCorvella::mnuAquaristGlossary_Click),
             QStringLiteral("Aquaristik-Glossar"), QStringLiteral("Begriff:")});
        cases.push_back(
            {fx.open<frmTankCalc>(FormKind::TankCalc, &mdiCorvella::mnuTankCalculator_Click),
             QStringLiteral("Beckenrechner"), QStringLiteral("Heizleistung:")});
        fx.main->openWindow(FormKind::Maintenance);
        cases.push_back({dynamic_cast<QWidget *>(Forms::get(FormKind::Maintenance)),
                         QStringLiteral("Pflege"), QStringLiteral("Anteil %:")});
        fx.main->openWindow(FormKind::Tasks);
        cases.push_back({dynamic_cast<QWidget *>(Forms::get(FormKind::Tasks)),
                         QStringLiteral("Aufgaben"), QStringLiteral("Rhythmus:")});
        for (const Case &c : cases) {
            QVERIFY(c.w);
            QCOMPARE(c.w->windowTitle(), c.title);
            QStringList labels;
            for (QLabel *l : c.w->findChildren<QLabel *>())
                labels << l->text();
            QVERIFY2(labels.contains(c.aLabel), qPrintable(labels.join(QStringLiteral(", "))));
            QTest::qWait(0);
            // The whole window inside the main window's work area.
            const QRect area(QPoint(0, 0), fx.main->mdiArea->viewport()->size());
            QVERIFY2(area.contains(MainWindowFixture::frameOf(c.w)->geometry()),
                     qPrintable(c.title));
            const QStringList cut = cutOff(c.w);
            QVERIFY2(cut.isEmpty(),
                     qPrintable(c.title + QStringLiteral(": ") + cut.join(QStringLiteral(", "))));
        }
    }

    // The care log's dialogs: the Due list and the planner, at their size.
    void careDialogsSpeakGermanAndFit() {
        TestEnv::exec(fx.db, "INSERT INTO Tasks (TankID, Title, Kind, Interval, IntervalUnit, "
                             "Rhythm, StartDate) VALUES (NULL, 'Filter', 'Filter Cleaned', 1, "
                             "'Weeks', 'Fixed', '2026-12-01')");
        frmDue::fixedToday = QDate(2026, 12, 5);
        frmDue due(fx.main.get());
        due.show();
        frmWaterPlanner planner(fx.main.get());
        planner.show();
        QTest::qWait(0);
        frmDue::fixedToday = QDate();
        QCOMPARE(due.windowTitle(), QStringLiteral("Fällig"));
        QCOMPARE(planner.windowTitle(), QStringLiteral("Wasserwechsel-Planer"));
        // The stored English kind shows in German; the date the German way.
        const QTreeWidgetItem *item = due.lstDue->topLevelItem(0);
        QVERIFY(item);
        QCOMPARE(item->text(2), QStringLiteral("01.12.2026"));
        QCOMPARE(item->text(3), QStringLiteral("4 Tage überfällig"));
        QCOMPARE(item->toolTip(0), QStringLiteral("Filter gereinigt"));
        for (QWidget *w : {static_cast<QWidget *>(&due), static_cast<QWidget *>(&planner)}) {
            QVERIFY(w->width() <= 1366 && w->height() <= 768);
            const QStringList cut = cutOff(w);
            QVERIFY2(cut.isEmpty(), qPrintable(w->windowTitle() + QStringLiteral(": ") +
                                               cut.join(QStringLiteral(", "))));
        }
    }

    // The care windows take and show German decimals and dates; what is
    // stored is the same as in English, kinds included.
    void careWindowsTakeGermanNumbers() {
        fx.main->openWindow(FormKind::Maintenance);
        auto *w = dynamic_cast<frmMaintenance *>(Forms::get(FormKind::Maintenance));
        QVERIFY(w);
        w->txtEntryDate->setText(QStringLiteral("05.12.2026"));
        MainWindowFixture::tabOut(w->txtEntryDate);
        QAction *waterChange = w->cmdKinds->menu()->actions().value(0);
        QVERIFY(waterChange);
        QCOMPARE(waterChange->text(), QStringLiteral("Wasserwechsel"));
        waterChange->trigger();
        QCOMPARE(w->txtKind->text(), QStringLiteral("Wasserwechsel"));
        w->txtUnit->setText(QStringLiteral("%"));
        w->txtAmount->setText(QStringLiteral("12,5"));
        MainWindowFixture::tabOut(w->txtAmount);
        QCOMPARE(w->txtSharePercent->text(), QStringLiteral("12,5"));
        MainWindowFixture::tabOut(w->txtSharePercent);
        QVERIFY2(fx.messages().isEmpty(),
                 qPrintable(fx.messages().isEmpty() ? QString() : fx.messages()[0].text));
        w->cmdSave_Click();
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Maintenance WHERE EntryDate = '2026-12-05' AND "
                          "Kind = 'Water Change' AND Amount = 12.5 AND SharePercent = 12.5"),
                 1);
        // A kind typed in German is stored in English, one of the keeper's
        // own as typed; both come back as they were shown, on screen and in
        // the German report.
        w->mnuAdd_Click();
        w->txtEntryDate->setText(QStringLiteral("06.12.2026"));
        MainWindowFixture::tabOut(w->txtEntryDate);
        w->txtKind->setText(QStringLiteral("filter gereinigt"));
        w->txtUnit->setText(QStringLiteral("Tropfen"));
        w->cmdSave_Click();
        w->mnuAdd_Click();
        w->txtEntryDate->setText(QStringLiteral("07.12.2026"));
        MainWindowFixture::tabOut(w->txtEntryDate);
        w->txtKind->setText(QStringLiteral("Mulm abgesaugt"));
        w->cmdSave_Click();
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Maintenance WHERE Kind = 'Filter Cleaned' AND "
                          "Unit = 'drops'"),
                 1);
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Maintenance WHERE Kind = 'Mulm abgesaugt'"), 1);
        // Showing a kind stored in other letters does not rewrite it.
        TestEnv::exec(fx.db, "UPDATE Maintenance SET Kind = 'water change' WHERE Kind = "
                             "'Water Change'");
        w->cmdRefreshData();
        w->MaintenanceData->clickFirst();
        QCOMPARE(w->txtKind->text(), QStringLiteral("Wasserwechsel"));
        QVERIFY(!w->MaintenanceData->DataChanged());
        ReportFormula all;
        ReportTable table;
        ReportError error;
        QVERIFY(readReportTable(fx.db, QStringLiteral("Maintenance"), {QStringLiteral("EntryDate")},
                                all, &table, &error));
        const auto tmpl = ReportTemplate::load(
            QStringLiteral(CORVELLA_SOURCE_DIR "/resources/reports/maintenance_de.rpt"), &error);
        QVERIFY(tmpl);
        const auto report = renderReport(*tmpl, table, {}, &error);
        QVERIFY(report);
        for (const char *shown : {"Wasserwechsel", "Filter gereinigt", "Tropfen", "Mulm abgesaugt"})
            QVERIFY2(report->bodyHtml.contains(QLatin1String(shown)), shown);
        QVERIFY(!report->bodyHtml.contains(QLatin1String("Water Change")));

        // The planner: 40,5 measured, 20 at most, tap water of 5 (kept in
        // the fixed form under its English name): 57,7 % of the tank's 49,9
        // US gallons.
        TestEnv::exec(fx.db, "UPDATE Tank SET TankType = 'Salt Water'");
        TestEnv::exec(fx.db, "INSERT INTO Journal (TankID, EntryDate, Nitrate) SELECT ID, "
                             "'2026-12-04', 40.5 FROM Tank");
        Settings::setReplacementValue(QStringLiteral("Tap Water"), QStringLiteral("Nitrate"),
                                      QStringLiteral("5.5"));
        frmWaterPlanner planner(fx.main.get());
        QCOMPARE(planner.txtCurrent->text(), QStringLiteral("40,5"));
        QCOMPARE(planner.txtReplacement->text(), QStringLiteral("5,5"));
        QVERIFY2(planner.lblLatest->text().contains(QStringLiteral("04.12.2026")),
                 qPrintable(planner.lblLatest->text()));
        planner.txtReplacement->setText(QStringLiteral("5"));
        QVERIFY2(planner.lblResult->text().contains(QStringLiteral("57,7 % (28,8 US-Gal.)")),
                 qPrintable(planner.lblResult->text()));
    }

    // 31.12.2026 and 7,5 are stored as 2026-12-31 and 7.5, as 12/31/2026
    // and 7.5 are in English, and come back the German way.
    void germanDatesAndDecimalsRoundTrip() {
        auto *j = fx.open<frmJournal>(FormKind::Journal, &mdiCorvella::mnuJournal_Click);
        QVERIFY(j);
        QCOMPARE(j->txtEntryDate->toolTip(), QStringLiteral("TT.MM.JJJJ"));
        j->txtEntryDate->setText(QStringLiteral("31.12.2026"));
        j->valueBox("txtpH")->setText(QStringLiteral("7,5"));
        j->valueBox("txtNitrate")->setText(QStringLiteral("1.250"));
        j->cmdSave->click();
        QVERIFY2(fx.messages().isEmpty(),
                 qPrintable(fx.messages().isEmpty() ? QString() : fx.messages()[0].text));
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Journal WHERE EntryDate = '2026-12-31' AND "
                          "PH = 7.5 AND Nitrate = 1250"),
                 1);
        j->cmdClose->click();
        j = fx.open<frmJournal>(FormKind::Journal, &mdiCorvella::mnuJournal_Click);
        QCOMPARE(j->txtEntryDate->text(), QStringLiteral("31.12.2026"));
        QCOMPARE(j->valueBox("txtpH")->text(), QStringLiteral("7,5"));
        QCOMPARE(j->valueBox("txtNitrate")->text(), QStringLiteral("1250"));

        // A dot is no decimal separator in German: 7.5 is refused, and the
        // message says so in German rather than storing 75.
        j->valueBox("txtpH")->setFocus();
        j->valueBox("txtpH")->setText(QStringLiteral("7.5"));
        fx.env->dialogs.expectOk();
        MainWindowFixture::tabOut(j->valueBox("txtpH"));
        QCOMPARE(fx.messages().size(), 1);
        QCOMPARE(fx.messages()[0].text,
                 QStringLiteral("Bitte geben Sie einen gültigen Wert für pH ein!"));
        QCOMPARE(fx.messages()[0].title, QStringLiteral("Zahlenfehler"));
        j->valueBox("txtpH")->setText(QStringLiteral("7,5"));
    }
};

QTEST_MAIN(TestGerman)
#include "tst_german.moc"
