// Corvella in German: every text has its translation, the windows speak
// German and fit a 1366x768 screen, and dates and decimals typed the German
// way are stored exactly as the English ones are.
#include "app/mdiCorvella.h"
#include "forms/frmDiseases.h"
#include "forms/frmGlossary.h"
#include "forms/frmJournal.h"
#include "forms/frmStock.h"
#include "forms/frmTank.h"
#include "platform/Conversions.h"
#include "platform/Language.h"
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
