// The print window: what it offers for each record window, the formula each
// scope gives the window's report component, the records that end up on
// paper, and the messages of a print that cannot be done.
#include "reports/RecordPrinting.h"
#include "reports/ReportControl.h"
#include "reports/ReportPreview.h"
#include "reports/ReportPrinters.h"
#include "reports/frmPrint.h"

#include "forms/frmDiseases.h"
#include "forms/frmGlossary.h"
#include "forms/frmJournal.h"
#include "forms/frmStock.h"
#include "support/MainWindowFixture.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>

using namespace corv;
using namespace corv::test;

namespace {

// Printers as the tests want them: the default printer writes a PDF file,
// or there is no printer at all.
class PdfPrinters : public ReportPrinters {
public:
    QString file;
    bool none = false;
    int printed = 0;
    QPageSize defaultPageSize() override { return QPageSize(QPageSize::A4); }
    std::unique_ptr<QPrinter> defaultPrinter(QString *why) override {
        if (none)
            return nullptr; // the reason left to the report
        ++printed;
        auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
        p->setOutputFormat(QPrinter::PdfFormat);
        p->setOutputFileName(file);
        return p;
    }
    std::unique_ptr<QPrinter> choosePrinter(QWidget *, int, QString *why) override {
        return nullptr;
    }
};

QString pdfText(const QString &pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestPrint : public QObject {
    Q_OBJECT
    MainWindowFixture fx;
    PdfPrinters printers;
    int reef = 0, pond = 0;

    // The report templates the program ships, in the program's folder.
    void installTemplates() {
        const QDir from(QStringLiteral(CORVELLA_SOURCE_DIR "/resources/reports"));
        for (const QString &name : from.entryList({QStringLiteral("*.rpt")}, QDir::Files))
            if (!QFile::exists(fx.env->path(name)))
                QVERIFY(QFile::copy(from.filePath(name), fx.env->path(name)));
    }
    void animal(int tank, const QString &common, const QString &acquired) {
        TestEnv::exec(fx.db, QStringLiteral("INSERT INTO LiveStock (TankID, CommonName, "
                                            "DateAcquired) VALUES (%1, '%2', '%3')")
                                 .arg(tank)
                                 .arg(common, acquired));
    }
    // Runs the main window's Print command; `steps` plays the user's part in
    // the print window, `preview` in the report's preview if one opens.
    void print(const std::function<void(frmPrint &)> &steps,
               const std::function<void(ReportPreview &)> &preview = {}) {
        bool opened = false;
        fx.env->dialogs.onModal = [&](QDialog &d) -> int {
            if (auto *p = qobject_cast<frmPrint *>(&d)) {
                opened = true;
                steps(*p);
                if (!p->isHidden() || p->result() == 0)
                    p->cmdCancel_Click();
                return p->result();
            }
            if (auto *r = qobject_cast<ReportPreview *>(&d)) {
                if (preview)
                    preview(*r);
                return QDialog::Rejected;
            }
            return QDialog::Rejected;
        };
        fx.main->mnuPrint_Click();
        fx.env->dialogs.onModal = nullptr;
        QVERIFY(opened);
    }
    // Prints scope `option` of the active window to the PDF printer.
    QString printToPdf(int option) {
        printers.printed = 0;
        QFile::remove(printers.file);
        print([&](frmPrint &p) {
            p.optRecord[option]->setChecked(true);
            p.chkPrintpreview->setChecked(false);
            p.cmdOk_Click();
        });
        if (printers.printed != 1)
            return QStringLiteral("(nothing printed)");
        return pdfText(printers.file);
    }

private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is needed to read the printed reports");
    }
    void init() {
        fx.setUp();
        installTemplates();
        printers = PdfPrinters();
        printers.file = fx.env->path(QStringLiteral("printed.pdf"));
        setReportPrinters(&printers);
        reef = fx.defaultTank("Reef");
        pond = fx.tank("Pond");
    }
    void cleanup() {
        setReportPrinters(nullptr);
        fx.tearDown();
    }

    void formulasAndMessage() {
        const PrintTarget *journal = printTargetFor("Journal");
        const PrintTarget *glossary = printTargetFor("Glossary");
        QVERIFY(journal && glossary);
        QVERIFY(!printTargetFor("TankAdd") && !printTargetFor("NoOne"));
        QCOMPARE(printSelectionFormula(*journal, 0, "12", "3"), QStringLiteral("{ID} = 12"));
        QCOMPARE(printSelectionFormula(*journal, 1, "12", "3"), QStringLiteral("{TankID} = 3"));
        QCOMPARE(printSelectionFormula(*journal, 2, "12", "3"), QString());
        QCOMPARE(printSelectionFormula(*glossary, 0, "7", ""), QStringLiteral("{ID} = 7"));
        QCOMPARE(printSelectionFormula(*glossary, 1, "7", ""), QString());
        QCOMPARE(printErrorMessage(0, "", 101, "Gone.", "/p/stock.rpt", "/p/CORVELLA.CVL"),
                 QStringLiteral("Err(0): \nErr(101) : Gone.\n"
                                "Report File /p/stock.rpt could not be opened\n"
                                "Data file /p/CORVELLA.CVL could not be opened\n"));
    }

    void captionsAndScopesPerWindow() {
        TestEnv::exec(fx.db, "INSERT INTO Disease (CommonName) VALUES ('Ich')");
        TestEnv::exec(fx.db, "INSERT INTO Glossary (Term) VALUES ('Ich')");
        struct Case {
            void (mdiCorvella::*open)();
            const char *caption, *option1;
            bool option2;
            const char *status;
        };
        const Case cases[] = {
            {&mdiCorvella::mnuJournal_Click, "Print Journal Record(s)", "All Records This Tank",
             true, "Print Journal Reports."},
            {&mdiCorvella::mnuLiveStock_Click, "Print Livestock Record(s)", "All Records This Tank",
             true, "Print Livestock Reports."},
            {&mdiCorvella::mnuCommonDiseases_Click, "Print Disease Record(s)", "All Records", false,
             "Print Disease Reports."},
            {&mdiCorvella::mnuAquaristGlossary_Click, "Print Glossary Record(s)", "All Records",
             false, "Print Glossary Reports."},
        };
        for (const Case &c : cases) {
            (fx.main.get()->*c.open)();
            QString status;
            print([&](frmPrint &p) {
                status = fx.main->statusText();
                QCOMPARE(p.windowTitle(), QString::fromLatin1(c.caption));
                QCOMPARE(p.fraSelect->title(), QStringLiteral("Select Records"));
                QCOMPARE(p.optRecord[0]->text(), QStringLiteral("Current Record"));
                QVERIFY(p.optRecord[0]->isChecked());
                QCOMPARE(p.optRecord[1]->text(), QString::fromLatin1(c.option1));
                QCOMPARE(!p.optRecord[2]->isHidden(), c.option2);
                QCOMPARE(p.optRecord[2]->text(), QStringLiteral("All Records All Tanks"));
                QVERIFY(p.chkPrintpreview->isChecked());
                QCOMPARE(p.chkPrintpreview->text(), QStringLiteral("Print Preview"));
                QCOMPARE(p.cmdOk->text(), QStringLiteral("Print"));
                QVERIFY(p.cmdOk->isDefault());
                QCOMPARE(p.cmdCancel->text(), QStringLiteral("Close"));
            });
            QCOMPARE(status, QString::fromLatin1(c.status));
            // Close prints nothing and leaves the idle line.
            QCOMPARE(fx.main->statusText(), CorvModule::IdleLine);
        }
        QCOMPARE(printers.printed, 0);
        QVERIFY(fx.messages().isEmpty());
        // The toolbar's Print opens the same window.
        int opened = 0;
        fx.env->dialogs.onModal = [&](QDialog &d) {
            opened += qobject_cast<frmPrint *>(&d) != nullptr;
            d.reject();
            return int(QDialog::Rejected);
        };
        fx.main->tbToolBar_ButtonClick("Print");
        fx.main->mnuPrint->trigger();
        QCOMPARE(opened, 2);
    }

    void anEmptyJournalHasNothingToPrintInAnyScope() {
        auto *j = fx.open<frmJournal>(FormKind::Journal, &mdiCorvella::mnuJournal_Click);
        QVERIFY(j);
        // The blank first entry, deleted: the window shows no record.
        fx.env->dialogs.answers = {MsgResult::Yes};
        j->mnuDelete_Click();
        QVERIFY(j->txtID->text().isEmpty());
        fx.env->dialogs.clear();
        for (int option = 0; option < 3; ++option) {
            bool closed = false;
            for (bool preview : {true, false}) {
                fx.env->dialogs.expectOk();
                print([&](frmPrint &p) {
                    p.optRecord[option]->setChecked(true);
                    p.chkPrintpreview->setChecked(preview);
                    p.cmdOk_Click();
                    closed = p.result() == QDialog::Rejected &&
                             fx.main->statusText() == CorvModule::IdleLine;
                });
                QVERIFY(closed);
            }
        }
        const auto messages = fx.messages();
        QCOMPARE(messages.size(), 6);
        for (const MessageRequest &m : messages) {
            QCOMPARE(m.text, QStringLiteral("No records to print!"));
            QCOMPARE(m.title, QStringLiteral("Print Error"));
            QCOMPARE(m.icon, MsgIcon::Exclamation);
            QCOMPARE(m.buttons, MsgButtons::Ok);
        }
        // Nothing was printed or previewed.
        QCOMPARE(printers.printed, 0);
        for (const auto &c : fx.env->dialogs.calls)
            QVERIFY(c.kind != ScriptedDialogs::Call::Modal || c.dialogName == "frmPrint");
    }

    void livestockScopesOnPaper() {
        animal(reef, "Yellow Tang", "2001-03-01");
        animal(reef, "Royal Gramma", "2001-01-01");
        animal(pond, "Koi Carp", "2002-05-05");
        auto *s = fx.open<frmStock>(FormKind::Stock, &mdiCorvella::mnuLiveStock_Click);
        QVERIFY(s);
        QCOMPARE(s->txtCommonName->text(), QStringLiteral("Royal Gramma"));

        QString text = printToPdf(1);
        QVERIFY2(text.contains("Yellow Tang") && text.contains("Royal Gramma"), qPrintable(text));
        QVERIFY2(!text.contains("Koi Carp"), qPrintable(text));
        auto *report = s->findChild<ReportControl *>("StockReport");
        QVERIFY(report);
        QCOMPARE(report->SelectionFormula(), QStringLiteral("{TankID} = %1").arg(reef));
        QCOMPARE(report->Destination(), 1);
        QCOMPARE(QDir::fromNativeSeparators(report->ReportFileName()), fx.env->path("stock.rpt"));
        QCOMPARE(report->DataFiles(0), CorvModule::DatabasePath);

        text = printToPdf(0);
        QVERIFY2(text.contains("Royal Gramma"), qPrintable(text));
        QVERIFY2(!text.contains("Yellow Tang") && !text.contains("Koi Carp"), qPrintable(text));
        QCOMPARE(report->SelectionFormula(), QStringLiteral("{ID} = ") + s->txtID->text());

        text = printToPdf(2);
        QVERIFY2(text.contains("Yellow Tang") && text.contains("Royal Gramma") &&
                     text.contains("Koi Carp"),
                 qPrintable(text));
        QVERIFY(report->SelectionFormula().isEmpty());
        // The same component served every print.
        QCOMPARE(s->findChildren<ReportControl *>().size(), 1);
        QVERIFY(fx.messages().isEmpty());
    }

    void thePreviewOpensOnceThePrintWindowHasGone() {
        TestEnv::exec(fx.db, "INSERT INTO Glossary (Term, Definition) VALUES "
                             "('Brackish', 'Between fresh and salt.'), ('Ich', 'White spot.')");
        fx.main->mnuAquaristGlossary_Click();
        bool previewed = false;
        QString statusInPreview;
        print([&](frmPrint &p) { p.cmdOk_Click(); },
              [&](ReportPreview &r) {
                  previewed = true;
                  statusInPreview = fx.main->statusText();
                  QCOMPARE(r.pageCount(), 1);
              });
        QVERIFY(previewed);
        QCOMPARE(statusInPreview, CorvModule::IdleLine);
        QCOMPARE(printers.printed, 0);
        QVERIFY(fx.messages().isEmpty());
    }

    // Cancel while the report is read, or while it is laid out, shows no
    // preview and says nothing; Cancel while a PDF is saved leaves the file
    // that was there as it was.
    void cancelledReportsShowNothing() {
        TestEnv::exec(fx.db, "INSERT INTO Glossary (Term, Definition) VALUES "
                             "('Brackish', 'Between fresh and salt.'), ('Ich', 'White spot.')");
        fx.main->mnuAquaristGlossary_Click();
        for (const QList<bool> &cancels : {QList<bool>{true}, QList<bool>{false, true}}) {
            fx.env->dialogs.progressCancels = cancels;
            bool previewed = false;
            print([&](frmPrint &p) { p.cmdOk_Click(); },
                  [&](ReportPreview &) { previewed = true; });
            QVERIFY(!previewed);
            QVERIFY(fx.env->dialogs.progressCancels.isEmpty()); // each stage asked
            QVERIFY(fx.messages().isEmpty());
        }

        const QString pdf = fx.env->path(QStringLiteral("kept.pdf"));
        {
            QFile f(pdf);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("an older file");
        }
        bool previewed = false;
        print([&](frmPrint &p) { p.cmdOk_Click(); },
              [&](ReportPreview &r) {
                  previewed = true;
                  fx.env->dialogs.fileAnswers = {pdf};
                  fx.env->dialogs.progressCancels = {true};
                  r.saveAsPdf();
              });
        QVERIFY(previewed);
        QFile f(pdf);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("an older file"));
        QVERIFY(fx.messages().isEmpty());
    }

    void failedPrintsSayWhy() {
        animal(reef, "Yellow Tang", "2001-03-01");
        fx.open<frmStock>(FormKind::Stock, &mdiCorvella::mnuLiveStock_Click);
        const QString rpt = CorvModule::programFile("stock.rpt");
        QVERIFY(QFile::remove(fx.env->path("stock.rpt")));
        fx.env->dialogs.expectOk();
        print([](frmPrint &p) { p.cmdOk_Click(); });
        QCOMPARE(fx.messages().size(), 1);
        MessageRequest m = fx.messages().first();
        const QStringList lines = m.text.split(u'\n');
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines[0], QStringLiteral("Err(0): "));
        QVERIFY2(lines[1].startsWith("Err(101) : "), qPrintable(lines[1]));
        QCOMPARE(lines[2], QStringLiteral("Report File ") + rpt + " could not be opened");
        QCOMPARE(lines[3],
                 QStringLiteral("Data file ") + CorvModule::DatabasePath + " could not be opened");
        QCOMPARE(lines[4], QString());
        QCOMPARE(m.title, QStringLiteral("Corvella"));
        QCOMPARE(m.buttons, MsgButtons::Ok);

        // No printer: a report error, not a silent nothing.
        installTemplates();
        printers.none = true;
        fx.env->dialogs.clear();
        fx.env->dialogs.expectOk();
        print([](frmPrint &p) {
            p.chkPrintpreview->setChecked(false);
            p.cmdOk_Click();
        });
        QCOMPARE(fx.messages().size(), 1);
        QVERIFY2(fx.messages().first().text.contains(") : No printer is available.\n"),
                 qPrintable(fx.messages().first().text));
    }
};

QTEST_MAIN(TestPrint)
#include "tst_print.moc"
