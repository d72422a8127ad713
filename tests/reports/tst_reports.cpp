// The report component as the print dialog drives it: the shipped
// templates print exactly the records their formula selects (read back from
// a PDF printed through the printer path), every failure ends in an error
// number and text, and the preview window pages, zooms, prints and saves.
#include "ReportTestSupport.h"
#include "reports/ReportControl.h"
#include "reports/ReportDocument.h"
#include "reports/ReportPreview.h"
#include "reports/ReportPrinters.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QComboBox>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSpinBox>
#include <QtTest/QTest>

using namespace corv;
using namespace corv::test;

namespace {

// Printers for tests: each print goes into a PDF file.
class PdfPrinters : public ReportPrinters {
public:
    QString file;
    bool available = true;
    bool chooseAccepted = true;
    int chosen = 0;

    QPageSize defaultPageSize() override { return QPageSize(QPageSize::Letter); }
    std::unique_ptr<QPrinter> defaultPrinter(QString *why) override {
        if (!available) {
            *why = QStringLiteral("No printer is available.");
            return nullptr;
        }
        auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
        p->setOutputFormat(QPrinter::PdfFormat);
        p->setOutputFileName(file);
        p->setPageSize(QPageSize(QPageSize::A4)); // other paper than the preview's
        return p;
    }
    std::unique_ptr<QPrinter> choosePrinter(QWidget *, int, QString *why) override {
        ++chosen;
        auto p = defaultPrinter(why);
        if (!chooseAccepted)
            return nullptr;
        return p;
    }
};

QString shipped(const QString &name) {
    return QStringLiteral(CORVELLA_SOURCE_DIR "/resources/reports/") + name;
}

QByteArray digest(const QString &path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

} // namespace

class TestReports : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnv> env;
    PdfPrinters printers;
    QString db;

    // Runs `report` to the printer and returns the printed text.
    QString print(const QString &templateName, const QString &formula, int *error = nullptr) {
        QFile::remove(printers.file);
        ReportControl r;
        r.setReportFileName(shipped(templateName));
        r.setDataFiles(0, db);
        r.setSelectionFormula(formula);
        r.setDestination(1);
        const int n = r.PrintReport();
        if (error)
            *error = n;
        if (n != 0)
            qWarning("%s", qPrintable(r.LastErrorString()));
        return pdfText(printers.file);
    }

private slots:
    void init() {
        env = std::make_unique<TestEnv>();
        printers = PdfPrinters();
        printers.file = env->path(QStringLiteral("printed.pdf"));
        setReportPrinters(&printers);
        db = env->makeDatabase();
        TestEnv::exec(db, "INSERT INTO Tank (ID, TankName) VALUES (1, 'Reef 90'), "
                          "(2, 'Guppy Corner'), (3, 'Empty Tank')");
        TestEnv::exec(db, "INSERT INTO Journal (ID, TankID, EntryDate, PH, Nitrate, Temprature, "
                          "Notes) VALUES "
                          "(1, 1, '2024-01-05', 8.2, 5, 78.5, 'Water change'), "
                          "(2, 1, '2024-01-12', 8.1, NULL, 78, NULL), "
                          "(3, 2, '2024-02-01', 7.1, 20, 76.5, 'Cloudy <again>'), "
                          "(4, 2, '2024-02-08', 7.2, 15, NULL, NULL)");
        TestEnv::exec(db, "INSERT INTO LiveStock (ID, TankID, CommonName, ScientificName, "
                          "DateAcquired, InitialCost) VALUES "
                          "(1, 1, 'Yellow Tang', 'Zebrasoma flavescens', '2021-07-18', 895000), "
                          "(2, 1, 'Royal Gramma', 'Gramma loreto', '2021-08-09', 399900), "
                          "(3, 2, 'Endler Guppy', 'Poecilia wingei', '2022-03-01', 45000), "
                          "(4, 2, 'Nerite Snail', NULL, '2022-03-05', NULL)");
        TestEnv::exec(db, "INSERT INTO Disease (ID, CommonName, ScientificName, Symptoms, "
                          "Treatment) VALUES (1, 'White spot', 'Ichthyophthirius multifiliis', "
                          "'Salt-like dots', 'Raise heat'), (2, 'Fin rot', NULL, 'Ragged fins', "
                          "'Clean water')");
        TestEnv::exec(db, "INSERT INTO Glossary (ID, Term, Definition) VALUES "
                          "(1, 'Sump', 'A tank below the tank.'), (2, 'dKH', 'Carbonate "
                          "hardness.'), (3, 'Cycling', 'Growing the bacteria.')");
    }

    void cleanup() {
        setReportPrinters(nullptr);
        env.reset();
    }

    // Each template prints the records its formula selects and no others.
    void journalSelects() {
        QString text = print(QStringLiteral("journal.rpt"), QStringLiteral("{TankID} = 2"));
        QCOMPARE(countWord(text, QStringLiteral("02/01/2024")), 1);
        QCOMPARE(countWord(text, QStringLiteral("02/08/2024")), 1);
        QCOMPARE(countWord(text, QStringLiteral("01/05/2024")), 0);
        QCOMPARE(countWord(text, QStringLiteral("01/12/2024")), 0);
        QVERIFY2(text.contains(QStringLiteral("Water-test journal: Guppy Corner")),
                 qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Cloudy <again>"))); // text, not markup
        QVERIFY(text.contains(QStringLiteral("Page 1 of 1")));
        QVERIFY(
            text.contains(QStringLiteral("Printed on %1")
                              .arg(QDate::currentDate().toString(QStringLiteral("MM/dd/yyyy")))));
        QVERIFY(!text.contains(QStringLiteral("Reef 90")));

        text = print(QStringLiteral("journal.rpt"), QStringLiteral("{ID} = 2"));
        QCOMPARE(countWord(text, QStringLiteral("01/12/2024")), 1);
        for (const char *other : {"01/05/2024", "02/01/2024", "02/08/2024"})
            QCOMPARE(countWord(text, QString::fromLatin1(other)), 0);
        QVERIFY(text.contains(QStringLiteral("Reef 90")));

        // Empty: every record of every tank, tank by tank.
        text = print(QStringLiteral("journal.rpt"), QString());
        for (const char *date : {"01/05/2024", "01/12/2024", "02/01/2024", "02/08/2024"})
            QCOMPARE(countWord(text, QString::fromLatin1(date)), 1);
        QVERIFY(text.indexOf(QStringLiteral("Guppy Corner")) <
                text.indexOf(QStringLiteral("Reef 90 ")));
        QVERIFY(text.contains(QStringLiteral("all tanks")));

        // A tank without entries: a report that says so, not an error.
        int error = -1;
        text = print(QStringLiteral("journal.rpt"), QStringLiteral("{TankID} = 3"), &error);
        QCOMPARE(error, 0);
        QVERIFY(text.contains(QStringLiteral("Water-test journal: Empty Tank")));
        QVERIFY(text.contains(QStringLiteral("No journal entries match this selection.")));
    }

    void journalValues() {
        const QStringList lines =
            print(QStringLiteral("journal.rpt"), QStringLiteral("{ID} = 2")).split(u'\n');
        QString row;
        for (const QString &l : lines)
            if (l.contains(QStringLiteral("01/12/2024")))
                row = l.simplified();
        // Blank values stay blank: the row holds the date and three values.
        QCOMPARE(row, QStringLiteral("01/12/2024 8.1 78"));
    }

    void stockSelectsAndTotals() {
        QString text = print(QStringLiteral("stock.rpt"), QStringLiteral("{TankID} = 1"));
        QVERIFY(text.contains(QStringLiteral("Livestock: Reef 90")));
        QCOMPARE(countWord(text, QStringLiteral("Yellow Tang")), 1);
        QCOMPARE(countWord(text, QStringLiteral("Royal Gramma")), 1);
        QCOMPARE(countWord(text, QStringLiteral("Endler Guppy")), 0);
        QCOMPARE(countWord(text, QStringLiteral("Nerite Snail")), 0);
        QVERIFY(text.contains(QStringLiteral("07/18/2021")));
        QCOMPARE(countWord(text, QStringLiteral("89.50")), 1);
        QCOMPARE(countWord(text, QStringLiteral("39.99")), 1);
        QCOMPARE(countWord(text, QStringLiteral("129.49")), 1); // the total

        text = print(QStringLiteral("stock.rpt"), QString());
        for (const char *name : {"Yellow Tang", "Royal Gramma", "Endler Guppy", "Nerite Snail"})
            QCOMPARE(countWord(text, QString::fromLatin1(name)), 1);
        QCOMPARE(countWord(text, QStringLiteral("4.50")), 2); // Guppy Corner's only cost and total
        QCOMPARE(countWord(text, QStringLiteral("133.99")), 1); // all tanks
        QVERIFY(text.contains(QStringLiteral("Total for all tanks")));
    }

    // The maintenance log prints its tank's entries by date, a water
    // change with its amount, unit and share.
    void maintenanceLog() {
        TestEnv::exec(db, "INSERT INTO Maintenance (TankID, EntryDate, Kind, Amount, Unit, "
                          "Product, SharePercent, Notes) VALUES "
                          "(1, '2024-01-20', 'Filter Cleaned', NULL, NULL, NULL, NULL, "
                          "'Sponge rinsed'), "
                          "(1, '2024-01-06', 'Water Change', 12.5, 'US Gal.', NULL, 22.5, NULL), "
                          "(1, '2024-01-13', 'Dosing', 10, 'ml', 'Two-part <A>', NULL, NULL), "
                          "(2, '2024-02-03', 'Water Change', 2, 'Liters', NULL, 10, NULL)");
        const QString text =
            print(QStringLiteral("maintenance.rpt"), QStringLiteral("{TankID} = 1"));
        QVERIFY2(text.contains(QStringLiteral("Maintenance log: Reef 90")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("3 entries")));
        const int change = text.indexOf(QStringLiteral("01/06/2024"));
        const int dose = text.indexOf(QStringLiteral("01/13/2024"));
        const int filter = text.indexOf(QStringLiteral("01/20/2024"));
        QVERIFY(change > 0 && change < dose && dose < filter);
        QVERIFY(text.contains(QStringLiteral("12.5 US Gal.")));
        QVERIFY(text.contains(QStringLiteral("22.5")));
        QVERIFY(text.contains(QStringLiteral("Two-part <A>")));
        QVERIFY(text.contains(QStringLiteral("Sponge rinsed")));
        QCOMPARE(countWord(text, QStringLiteral("02/03/2024")), 0);
    }

    void referenceTables() {
        QString text = print(QStringLiteral("disease.rpt"), QStringLiteral("{ID} = 2"));
        QCOMPARE(countWord(text, QStringLiteral("Fin rot")), 1);
        QCOMPARE(countWord(text, QStringLiteral("White spot")), 0);
        text = print(QStringLiteral("disease.rpt"), QString());
        QVERIFY(text.indexOf(QStringLiteral("Fin rot")) <
                text.indexOf(QStringLiteral("White spot")));
        QCOMPARE(countWord(text, QStringLiteral("Ichthyophthirius")), 1);

        text = print(QStringLiteral("glossary.rpt"), QStringLiteral("{ID} = 1"));
        QCOMPARE(countWord(text, QStringLiteral("Sump")), 1);
        QCOMPARE(countWord(text, QStringLiteral("dKH")), 0);
        text = print(QStringLiteral("glossary.rpt"), QString());
        const int cycling = text.indexOf(QStringLiteral("Cycling"));
        const int dkh = text.indexOf(QStringLiteral("dKH"));
        const int sump = text.indexOf(QStringLiteral("Sump"));
        QVERIFY(cycling >= 0 && cycling < dkh && dkh < sump);
    }

    // A long journal: "Page n of m" on every page, the column headings on
    // every page, and no entry split between pages.
    void longJournal() {
        QStringList values;
        for (int i = 0; i < 300; ++i)
            values << QStringLiteral("(%1, 1, '%2', 8.%3, %4, %5)")
                          .arg(100 + i)
                          .arg(QDate(2020, 1, 1).addDays(i).toString(Qt::ISODate))
                          .arg(i % 10)
                          .arg(i % 30)
                          .arg(i % 7 == 0 ? QStringLiteral("'alpha line' || char(10) || 'beta "
                                                           "line' || char(10) || 'gamma'")
                                          : QStringLiteral("NULL"));
        TestEnv::exec(db,
                      "INSERT INTO Journal (ID, TankID, EntryDate, PH, Nitrate, Notes) VALUES " +
                          values.join(QStringLiteral(", ")));
        print(QStringLiteral("journal.rpt"), QStringLiteral("{TankID} = 1"));
        const QStringList pages = pdfPages(printers.file);
        QVERIFY(pages.size() >= 5);
        int entries = 0;
        for (int p = 0; p < pages.size(); ++p) {
            const QString &page = pages.at(p);
            QVERIFY2(page.contains(QStringLiteral("Page %1 of %2").arg(p + 1).arg(pages.size())),
                     qPrintable(page));
            QVERIFY2(page.simplified().contains(QStringLiteral("Corvella — Journal — Reef 90")),
                     qPrintable(page.left(300)));
            QCOMPARE(countWord(page, QStringLiteral("Date")), 1);
            // Each note's three lines stand on one page.
            QCOMPARE(countWord(page, QStringLiteral("alpha")),
                     countWord(page, QStringLiteral("gamma")));
            static const QRegularExpression date(QStringLiteral("\\b\\d\\d/\\d\\d/20\\d\\d\\b"));
            for (auto it = date.globalMatch(page); it.hasNext(); it.next())
                ++entries;
            entries -= 1; // the printed-on date in the page header
        }
        QCOMPARE(entries, 302);
    }

    // Every failure leaves a number and a sentence, and nothing is printed.
    void errors_data() {
        QTest::addColumn<QString>("reportFile");
        QTest::addColumn<QString>("dataFile");
        QTest::addColumn<QString>("formula");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("text");

        QTest::newRow("missing stock.rpt")
            << "@/stock.rpt"
            << ""
            << "{TankID} = 1" << 101 << "The report file @/stock.rpt does not exist.";
        QTest::newRow("no report file") << ""
                                        << ""
                                        << "" << 100 << "No report file was named.";
        QTest::newRow("missing database")
            << ""
            << "@/gone/CORVELLA.CVL"
            << "" << 201 << "The data file @/gone/CORVELLA.CVL does not exist.";
        QTest::newRow("malformed formula")
            << ""
            << ""
            << "{TankID} = " << 301
            << "The selection formula {TankID} = is not valid at its end: a value is expected "
               "after \"=\".";
        QTest::newRow("unknown field")
            << ""
            << ""
            << "{Tank} = 1" << 302
            << "The selection formula names the field {Tank}, which the LiveStock table does "
               "not have.";
    }

    void errors() {
        QFETCH(QString, reportFile);
        QFETCH(QString, dataFile);
        QFETCH(QString, formula);
        QFETCH(int, number);
        QFETCH(QString, text);
        auto at = [&](QString s) { return s.replace(u'@', env->folder()); };
        ReportControl r;
        r.setReportFileName(reportFile.isEmpty() && number != 100 ? shipped("stock.rpt")
                                                                  : at(reportFile));
        r.setDataFiles(0, dataFile.isEmpty() ? db : at(dataFile));
        r.setSelectionFormula(formula);
        for (int destination : {0, 1}) {
            r.setDestination(destination);
            env->dialogs.clear();
            QCOMPARE(r.PrintReport(), number);
            QCOMPARE(r.LastErrorNumber(), number);
            QCOMPARE(r.LastErrorString(), at(text));
            QVERIFY(!QFileInfo::exists(printers.file));
            QVERIFY(env->dialogs.calls.isEmpty() ||
                    env->dialogs.calls.first().kind != ScriptedDialogs::Call::Modal);
            QVERIFY(!env->dialogs.waitCursor);
        }
        // The next good run clears the error.
        r.setReportFileName(shipped("stock.rpt"));
        r.setDataFiles(0, db);
        r.setSelectionFormula(QString());
        QCOMPARE(r.PrintReport(), 0);
        QCOMPARE(r.LastErrorString(), QString());
        QVERIFY(QFileInfo::exists(printers.file));
    }

    void noPrinter() {
        printers.available = false;
        ReportControl r;
        r.setReportFileName(shipped("glossary.rpt"));
        r.setDataFiles(0, db);
        r.setDestination(1);
        QCOMPARE(r.PrintReport(), 401);
        QCOMPARE(r.LastErrorString(), QStringLiteral("No printer is available."));
        // The preview needs no printer.
        r.setDestination(0);
        QCOMPARE(r.PrintReport(), 0);
        r.setDestination(2);
        QCOMPARE(r.PrintReport(), 403);
        QVERIFY(r.LastErrorString().contains(QStringLiteral("0 shows the report in a window")));
    }

    // The system's printers on these machines: none. Printing is an error,
    // never a silent nothing.
    void systemPrintersWithoutPrinter() {
        if (!QPrinterInfo::availablePrinters().isEmpty())
            QSKIP("this machine has a printer");
        setReportPrinters(nullptr);
        ReportControl r;
        r.setReportFileName(shipped("glossary.rpt"));
        r.setDataFiles(0, db);
        r.setDestination(1);
        QCOMPARE(r.PrintReport(), 401);
        QCOMPARE(r.LastErrorString(), QStringLiteral("No printer is available."));
    }

    void settingsKept() {
        ReportControl r;
        r.setReportFileName(QStringLiteral("a.rpt"));
        r.setDataFiles(0, QStringLiteral("b.cvl"));
        r.setDataFiles(1, QStringLiteral("ignored"));
        r.setSelectionFormula(QStringLiteral("{ID} = 1"));
        r.setDestination(1);
        QCOMPARE(r.ReportFileName(), QStringLiteral("a.rpt"));
        QCOMPARE(r.DataFiles(0), QStringLiteral("b.cvl"));
        QCOMPARE(r.DataFiles(1), QString());
        QCOMPARE(r.SelectionFormula(), QStringLiteral("{ID} = 1"));
        QCOMPARE(r.Destination(), 1);
        QCOMPARE(r.LastErrorNumber(), 0);
    }

    // Reports only read: the file is unchanged byte for byte.
    void databaseUntouched() {
        const QByteArray before = digest(db);
        print(QStringLiteral("journal.rpt"), QString());
        QCOMPARE(digest(db), before);
    }

    // The preview: its own window, shown modally, with the report's pages.
    void preview() {
        TestEnv::exec(db, "WITH RECURSIVE n(v) AS (SELECT 1 UNION ALL SELECT v + 1 FROM n WHERE "
                          "v < 120) INSERT INTO Journal (TankID, EntryDate, PH) SELECT 1, "
                          "date('2020-01-01', '+' || v || ' days'), 8.1 FROM n");
        bool shown = false;
        env->dialogs.onModal = [&](QDialog &dialog) {
            auto *p = qobject_cast<ReportPreview *>(&dialog);
            if (!p)
                return int(QDialog::Rejected);
            shown = true;
            p->show();
            [&] {
                QVERIFY(QTest::qWaitForWindowExposed(p));
                QCOMPARE(p->windowTitle(), QStringLiteral("Journal - Print Preview"));
                // Shown at its first page, the rest is laid out meanwhile;
                // the page count fills in.
                QVERIFY(p->pageCount() >= 1);
                QTRY_VERIFY(p->allPagesReady());
                QVERIFY(p->pageCount() >= 3);
                QCOMPARE(p->pageCountLabel->text().trimmed(),
                         QStringLiteral("of %1").arg(p->pageCount()));
                QCOMPARE(p->currentPage(), 1);
                QVERIFY(!p->previousAction->isEnabled());
                p->nextAction->trigger();
                QCOMPARE(p->currentPage(), 2);
                QCOMPARE(p->pageBox->value(), 2);
                p->lastAction->trigger();
                QCOMPARE(p->currentPage(), p->pageCount());
                QVERIFY(!p->nextAction->isEnabled());
                p->pageBox->setValue(2);
                QCOMPARE(p->currentPage(), 2);
                QVERIFY(p->fitsWidth());
                p->zoomBox->setEditText(QStringLiteral("150%"));
                emit p->zoomBox->lineEdit()->editingFinished();
                QCOMPARE(qRound(p->zoomFactor() * 100), 150);
                p->zoomInAction->trigger();
                QCOMPARE(qRound(p->zoomFactor() * 1000), qRound(1.5 * 1.25 * 1000));
                QCOMPARE(p->zoomBox->currentText(), QStringLiteral("188%"));
                p->zoomBox->setEditText(QStringLiteral("lots"));
                emit p->zoomBox->lineEdit()->editingFinished();
                QCOMPARE(p->zoomBox->currentText(), QStringLiteral("188%")); // unchanged
                p->fitPage();
                QVERIFY(!p->fitsWidth());
                QCOMPARE(p->zoomBox->currentText(), QStringLiteral("Whole Page"));
                // Zooming out draws the pages anew, smaller: the desk shows
                // beside them.
                p->fitWidth();
                QVERIFY(!p->grab().toImage().isNull());
                p->setZoomFactor(0.5);
                const QImage shot = p->grab().toImage();
                QCOMPARE(shot.pixelColor(shot.width() - 40, shot.height() / 2),
                         QColor(0x80, 0x86, 0x8c));
                // Small pages, several in view: the last is still reached.
                p->setZoomFactor(0.2);
                p->lastAction->trigger();
                QCOMPARE(p->currentPage(), p->pageCount());
                QVERIFY(!p->lastAction->isEnabled());
                p->firstAction->trigger();
                QCOMPARE(p->currentPage(), 1);
                // At the largest zoom, pages are drawn straight into the view.
                p->setZoomFactor(10);
                QCOMPARE(p->zoomFactor(), 4.0);
                QVERIFY(!p->zoomInAction->isEnabled());
                QVERIFY(p->renderFirstPage());
                QVERIFY(!p->grab().toImage().isNull());
            }();
            return int(QDialog::Rejected);
        };
        ReportControl r;
        r.setReportFileName(shipped("journal.rpt"));
        r.setDataFiles(0, db);
        r.setSelectionFormula(QStringLiteral("{TankID} = 1"));
        r.setDestination(0);
        QCOMPARE(r.PrintReport(), 0);
        QVERIFY(shown);
        QCOMPARE(env->dialogs.calls.last().dialogName, QStringLiteral("ReportPreview"));
        QVERIFY(!QFileInfo::exists(printers.file)); // previewing prints nothing
        QVERIFY(!env->dialogs.waitCursor);
    }

    void previewSavesPdf() {
        const QString target = env->path(QStringLiteral("saved"));
        env->dialogs.fileAnswers = {target};
        env->dialogs.onModal = [&](QDialog &dialog) {
            if (auto *p = qobject_cast<ReportPreview *>(&dialog))
                p->pdfAction->trigger();
            return int(QDialog::Rejected);
        };
        ReportControl r;
        r.setReportFileName(shipped("glossary.rpt"));
        r.setDataFiles(0, db);
        QCOMPARE(r.PrintReport(), 0);
        const auto &calls = env->dialogs.calls;
        auto save = std::find_if(calls.begin(), calls.end(), [](const ScriptedDialogs::Call &c) {
            return c.kind == ScriptedDialogs::Call::SaveFile;
        });
        QVERIFY(save != calls.end());
        QCOMPARE(save->file.title, QStringLiteral("Save as PDF"));
        QCOMPARE(save->file.filter, QStringLiteral("PDF Files (*.pdf)|*.pdf"));
        QCOMPARE(save->file.fileName, QStringLiteral("Aquarist Glossary.pdf"));
        QVERIFY(save->file.flags & FileOverwritePrompt);
        const QString text = pdfText(target + QStringLiteral(".pdf"));
        for (const char *term : {"Sump", "dKH", "Cycling"})
            QCOMPARE(countWord(text, QString::fromLatin1(term)), 1);
        QVERIFY(env->dialogs.messages().isEmpty());

        // The name with ".pdf" added exists: asked first; No keeps it.
        env->dialogs.clear();
        env->dialogs.fileAnswers = {target};
        env->dialogs.answers = {MsgResult::No};
        const QByteArray before = digest(target + QStringLiteral(".pdf"));
        QCOMPARE(r.PrintReport(), 0);
        QCOMPARE(env->dialogs.messages().size(), 1);
        QCOMPARE(env->dialogs.messages().first().title, QStringLiteral("Save as PDF"));
        QVERIFY(env->dialogs.messages().first().text.endsWith(
            QStringLiteral("already exists.\nDo you want to replace it?")));
        QCOMPARE(digest(target + QStringLiteral(".pdf")), before);

        // A file that cannot be written: said so, nothing else happens.
        env->dialogs.clear();
        env->dialogs.fileAnswers = {env->path(QStringLiteral("no/such/dir/x.pdf"))};
        env->dialogs.expectOk();
        QCOMPARE(r.PrintReport(), 0);
        QCOMPARE(env->dialogs.messages().size(), 1);
        QCOMPARE(env->dialogs.messages().first().icon, MsgIcon::Exclamation);
        QVERIFY(env->dialogs.messages().first().text.contains(QStringLiteral("cannot be written")));
    }

    void previewPrints() {
        env->dialogs.onModal = [&](QDialog &dialog) {
            if (auto *p = qobject_cast<ReportPreview *>(&dialog))
                p->printAction->trigger();
            return int(QDialog::Rejected);
        };
        ReportControl r;
        r.setReportFileName(shipped("disease.rpt"));
        r.setDataFiles(0, db);
        QCOMPARE(r.PrintReport(), 0);
        QCOMPARE(printers.chosen, 1);
        QVERIFY(pdfText(printers.file).contains(QStringLiteral("White spot")));

        // Without a printer the preview says so.
        QFile::remove(printers.file);
        printers.available = false;
        env->dialogs.clear();
        env->dialogs.expectOk();
        QCOMPARE(r.PrintReport(), 0);
        QCOMPARE(env->dialogs.messages().size(), 1);
        const MessageRequest m = env->dialogs.messages().first();
        QCOMPARE(m.text, QStringLiteral("No printer is available. Use Save as PDF to keep the "
                                        "report as a file."));
        QCOMPARE(m.title, QStringLiteral("Print"));
        QCOMPARE(m.icon, MsgIcon::Exclamation);
        QVERIFY(!QFileInfo::exists(printers.file));

        // Cancelling the print dialog prints nothing and says nothing.
        printers.available = true;
        printers.chooseAccepted = false;
        env->dialogs.clear();
        QCOMPARE(r.PrintReport(), 0);
        QVERIFY(env->dialogs.messages().isEmpty());
        QVERIFY(!QFileInfo::exists(printers.file));
    }
};

QTEST_MAIN(TestReports)
#include "tst_reports.moc"
