// The journal chart window: where it opens from and what it shows at first,
// the date range of a run, the messages of a run, chart types, the keyboard,
// the missing database, printing the chart it shows, the target bands and
// the time axis, and saving the chart as a picture.
#include "ChartSamples.h"
#include "app/CorvModule.h"
#include "app/Settings.h"
#include "charts/Chart2D.h"
#include "charts/ChartData.h"
#include "charts/ChartImage.h"
#include "charts/ChartPrinting.h"
#include "charts/CorvChart.h"
#include "charts/frmChart.h"
#include "charts/frmImageSize.h"
#include "data/TargetRanges.h"
#include "forms/Controls.h"
#include "forms/DataControl.h"
#include "forms/frmJournal.h"
#include "support/MainWindowFixture.h"

#include <QAbstractSeries>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QGraphicsView>
#include <QGroupBox>
#include <QGuiApplication>
#include <QPrinter>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTimer>
#include <QtTest/QTest>

using namespace corv;
using namespace corv::test;

namespace {

QString pdfInfo(const QString &file) {
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {file});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

QStringList checkedNames(const frmChart &w) {
    QStringList names;
    for (QCheckBox *b : w.checkBoxes())
        if (b->isChecked())
            names << b->objectName();
    return names;
}

} // namespace

class TestChartWindow : public QObject {
    Q_OBJECT
    MainWindowFixture fx;
    int tankId = 0;

    // Journal entries of the default tank: ISO date, Ammonia, Nitrate, pH.
    void entry(const QString &date, const QString &ammonia, const QString &nitrate,
               const QString &ph) {
        TestEnv::exec(fx.db, QStringLiteral("INSERT INTO Journal (TankID, EntryDate, Ammonia, "
                                            "Nitrate, PH) VALUES (%1, '%2', %3, %4, %5)")
                                 .arg(tankId)
                                 .arg(date, ammonia, nitrate, ph));
    }
    void fourEntries() {
        entry("1999-01-01", "0.25", "10", "7.2");
        entry("1999-03-15", "0.5", "20", "NULL");
        entry("1999-06-30", "0", "40", "6.8");
        entry("1999-07-10", "1", "80", "7");
    }
    std::unique_ptr<frmChart> openChart() {
        return std::unique_ptr<frmChart>(ModalWindow::open<frmChart>(fx.main.get()));
    }
    // Shown as the program shows it: modal, and the active window.
    static bool showModal(frmChart &w) {
        w.setWindowModality(Qt::ApplicationModal);
        w.show();
        w.activateWindow();
        // The main window may take the activation back once as the chart
        // window appears; ask again until the chart window holds it.
        (void)QTest::qWaitForWindowActive(&w);
        for (int i = 0; i < 20 && QApplication::activeWindow() != &w; ++i) {
            w.activateWindow();
            QTest::qWait(20);
        }
        return QApplication::activeWindow() == &w;
    }
    static QStringList rowLabels(const frmChart &w) { return w.CorvChart->grid().rowLabels; }

private slots:
    void init() {
        fx.setUp();
        tankId = fx.defaultTank(QStringLiteral("Reef"));
    }
    void cleanup() {
        setPrinterSource(nullptr);
        fx.tearDown();
    }

    void opensFromMenuToolbarAndJournalWithItsDefaults() {
        fourEntries();
        QStringList seen;
        fx.env->dialogs.onModal = [&](QDialog &d) {
            auto *w = qobject_cast<frmChart *>(&d);
            if (!w)
                return int(QDialog::Rejected);
            seen << fx.main->statusText();
            // Opened with Ammonia, Nitrate and pH, "3D Bar", all entries.
            [&] {
                QCOMPARE(w->windowTitle(), QStringLiteral("CorvChart"));
                QCOMPARE(checkedNames(*w), (QStringList{"ckAmmonia", "ckNitrate", "ckpH"}));
                QCOMPARE(w->cboChartType->currentText(), QStringLiteral("3D Bar"));
                QCOMPARE(w->CorvChart->chartType(), 0);
                QCOMPARE(w->CorvChart->grid().columnLabels,
                         (QStringList{"Ammonia", "Nitrate", "pH"}));
                QCOMPARE(rowLabels(*w),
                         (QStringList{"01/01/1999", "03/15/1999", "06/30/1999", "07/10/1999"}));
                QVERIFY(w->CorvChart->showLegend());
                QVERIFY(w->CorvChart->repaintEnabled());
                // It takes most of the main window's room.
                QVERIFY(w->width() > fx.main->mdiArea->width() * 3 / 4);
            }();
            d.reject();
            return int(QDialog::Rejected);
        };
        fx.main->mnuCorvChart_Click();
        QCOMPARE(fx.main->statusText(), CorvModule::IdleLine);
        fx.main->tbToolBar_ButtonClick(QStringLiteral("Chart"));
        QCOMPARE(fx.main->statusText(), CorvModule::IdleLine);
        fx.main->mnuJournal_Click();
        auto *journal = dynamic_cast<frmJournal *>(Forms::get(FormKind::Journal));
        QVERIFY(journal);
        journal->cmdChart->click();
        QCOMPARE(seen.size(), 3);
        QCOMPARE(seen[0], QStringLiteral("Chart your tank stats."));
        QCOMPARE(seen[1], QStringLiteral("Chart your tank stats."));
        QCOMPARE(fx.main->statusText(), CorvModule::IdleLine);
        QVERIFY(fx.messages().isEmpty());
        QVERIFY(!CorvModule::ChartInputError);
    }

    void comboItemsCarryTheirTypeCodes() {
        fourEntries();
        auto w = openChart();
        QVERIFY(w);
        QCOMPARE(w->cboChartType->count(), 10);
        QStringList items;
        for (int i = 0; i < 10; ++i) {
            items << w->cboChartType->itemText(i);
            QCOMPARE(w->cboChartType->itemData(i).toInt(), i);
        }
        QCOMPARE(items, chartTypeItems());
        QCOMPARE(w->fraItems->title(), QStringLiteral("Check the items you want to chart"));
        QCOMPARE(w->checkBoxes().size(), 20);
        QCOMPARE(w->checkBoxes().first()->text(), QStringLiteral("Alkalinity"));
        QCOMPARE(w->checkBoxes().last()->text(), QStringLiteral("Zinc"));
    }

    void dateRange_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("fromShown");
        QTest::addColumn<QString>("where");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("no bound") << ""
                                  << ""
                                  << ""
                                  << ""
                                  << QStringList{"01/01/1999", "03/15/1999", "06/30/1999",
                                                 "07/10/1999"};
        QTest::newRow("both exclusive")
            << "01/01/1999"
            << "06/30/1999"
            << "01/01/1999"
            << " AND EntryDate > #01/01/1999# AND EntryDate < #06/30/1999#"
            << QStringList{"03/15/1999"};
        QTest::newRow("from only, short form rewritten")
            << "1/2/99"
            << ""
            << "01/02/1999"
            << " AND EntryDate > #01/02/1999#"
            << QStringList{"03/15/1999", "06/30/1999", "07/10/1999"};
        QTest::newRow("to only") << ""
                                 << "7/10/1999"
                                 << ""
                                 << " AND EntryDate < #07/10/1999#"
                                 << QStringList{"01/01/1999", "03/15/1999", "06/30/1999"};
    }
    void dateRange() {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, fromShown);
        QFETCH(QString, where);
        QFETCH(QStringList, rows);
        fourEntries();
        auto w = openChart();
        QVERIFY(w);
        w->txtFromDate->setText(from);
        w->txtToDate->setText(to);
        w->cmdChart->click();
        QCOMPARE(w->txtFromDate->text(), fromShown);
        QCOMPARE(w->ChartData->RecordSource(),
                 QStringLiteral("SELECT * FROM [Journal] WHERE TankID = %1%2 ORDER BY EntryDate")
                     .arg(tankId)
                     .arg(where));
        QCOMPARE(rowLabels(*w), rows);
        QCOMPARE(w->rowCount(), rows.size());
        QVERIFY(fx.messages().isEmpty());
    }

    void invalidToDateIsSaidAndLeftOut() {
        fourEntries();
        auto w = openChart();
        QVERIFY(w);
        QVERIFY(showModal(*w));
        w->txtFromDate->setText(QStringLiteral("03/15/1999"));
        w->txtToDate->setText(QStringLiteral("31/31/1999"));
        fx.env->dialogs.expectOk();
        w->cmdChart->click();
        QCOMPARE(fx.messages().size(), 1);
        const MessageRequest m = fx.messages().first();
        QCOMPARE(m.text, QStringLiteral("Please enter a valid date (EX: mm/dd/yyyy)!"));
        QCOMPARE(m.title, QStringLiteral("Date Error"));
        QCOMPARE(m.icon, MsgIcon::Exclamation);
        QCOMPARE(m.buttons, MsgButtons::Ok);
        // The run went on with the from date alone; the bad text stays.
        QCOMPARE(w->txtToDate->text(), QStringLiteral("31/31/1999"));
        QCOMPARE(w->focusWidget(), w->txtToDate);
        QCOMPARE(rowLabels(*w), (QStringList{"06/30/1999", "07/10/1999"}));
        QVERIFY(!CorvModule::ChartInputError);
    }

    void cellsAndColumnsFollowTheTicks() {
        fourEntries();
        auto w = openChart();
        QVERIFY(w);
        // The second entry has no pH: it charts 0; numbers in shortest form.
        const ChartGrid g = w->CorvChart->grid();
        QCOMPARE(g.cell(0, 0), QStringLiteral("0.25"));
        QCOMPARE(g.cell(1, 2), QStringLiteral("0"));
        QCOMPARE(g.cell(3, 1), QStringLiteral("80"));
        QCOMPARE(w->CorvChart->plot().gridLines, true);
        QCOMPARE(w->CorvChart->plot().labelPointSize, 8);

        // Columns in table order, whatever order they were ticked in.
        w->checkBox("ckNitrate")->setChecked(false);
        w->checkBox("ckpH")->setChecked(false);
        w->checkBox("ckAmmonia")->setChecked(false);
        w->checkBox("ckZinc")->setChecked(true);
        w->checkBox("ckAlkalinity")->setChecked(true);
        w->cmdChart->click();
        QCOMPARE(w->CorvChart->grid().columnLabels, (QStringList{"Alkalinity", "Zinc"}));
        QCOMPARE(w->CorvChart->grid().cell(2, 1), QStringLiteral("0"));

        // Nothing ticked: no columns, the rows are still there and labelled.
        w->checkBox("ckZinc")->setChecked(false);
        w->checkBox("ckAlkalinity")->setChecked(false);
        w->cmdChart->click();
        QCOMPARE(w->CorvChart->columnCount(), 0);
        QCOMPARE(w->CorvChart->rowCount(), 4);
        QCOMPARE(rowLabels(*w).first(), QStringLiteral("01/01/1999"));
        QVERIFY(fx.messages().isEmpty());
    }

    void noRowsSaysSoAndClearsTheChart() {
        fx.env->dialogs.expectOk();
        auto w = openChart();
        QVERIFY(w); // the window opens all the same
        QCOMPARE(fx.messages().size(), 1);
        const MessageRequest m = fx.messages().first();
        QCOMPARE(m.text, QStringLiteral("No Records to display!"));
        QCOMPARE(m.title, QStringLiteral("No Records"));
        QCOMPARE(m.icon, MsgIcon::Exclamation);
        QVERIFY(CorvModule::ChartInputError);
        QCOMPARE(w->CorvChart->rowCount(), 0);
        QCOMPARE(w->CorvChart->columnCount(), 3);

        // A range with nothing in it after a chart with rows: the old rows
        // are not left on show.
        fourEntries();
        w->cmdChart->click();
        QVERIFY(!CorvModule::ChartInputError);
        QCOMPARE(w->CorvChart->rowCount(), 4);
        w->txtFromDate->setText(QStringLiteral("01/01/2005"));
        fx.env->dialogs.expectOk();
        w->cmdChart->click();
        QVERIFY(CorvModule::ChartInputError);
        QCOMPARE(w->CorvChart->rowCount(), 0);
        QVERIFY(w->CorvChart->repaintEnabled());
        QVERIFY(w->CorvChart->content().rows() == 0);
    }

    // The journal is read off the event loop with a progress box; Cancel
    // leaves the chart empty, says nothing more, and the next run reads
    // everything again.
    void aCancelledReadLeavesTheChartEmpty() {
        fourEntries();
        auto w = openChart();
        QVERIFY(w);
        QCOMPARE(w->CorvChart->rowCount(), 4);
        fx.env->dialogs.progress.clear();
        fx.env->dialogs.progressCancels = {true};
        w->cmdChart->click();
        QCOMPARE(fx.env->dialogs.progress.size(), 1);
        QCOMPARE(fx.env->dialogs.progress.first().label,
                 QStringLiteral("Reading the journal\u2026"));
        QVERIFY(fx.env->dialogs.progress.first().cancellable);
        QCOMPARE(w->CorvChart->rowCount(), 0);
        QCOMPARE(w->CorvChart->columnCount(), 3);
        QCOMPARE(w->rowCount(), 0);
        QVERIFY(w->CorvChart->repaintEnabled());
        QVERIFY(w->CorvChart->columnBands().isEmpty());
        QVERIFY(fx.messages().isEmpty());
        w->cmdChart->click();
        QCOMPARE(rowLabels(*w),
                 (QStringList{"01/01/1999", "03/15/1999", "06/30/1999", "07/10/1999"}));
        QCOMPARE(w->CorvChart->grid().cells.mid(3, 3), (QStringList{"0.5", "20", "0"}));
    }

    void typeChangeRedrawsWithoutANewQuery() {
        fourEntries();
        auto w = openChart();
        QVERIFY(w);
        entry("2000-01-01", "0", "5", "7");
        w->cboChartType->setCurrentIndex(3);
        QCOMPARE(w->cboChartType->currentText(), QStringLiteral("2D Line"));
        QCOMPARE(w->CorvChart->chartType(), 3);
        QCOMPARE(w->CorvChart->rowCount(), 4); // not re-read
        w->cboChartType->setCurrentIndex(8);
        QCOMPARE(w->CorvChart->chartType(), 8);
        w->cmdChart->click();
        QCOMPARE(w->CorvChart->rowCount(), 5);
        QCOMPARE(w->CorvChart->chartType(), 8); // a run keeps the type
    }

    // Picking a flat kind after a solid one shows the drawing and builds it
    // anew: the drawing is painted once, not again when its scene catches
    // up (twice over, a dense chart held the window up for as long again).
    void aPickedKindIsPaintedOnce() {
        fourEntries();
        auto w = openChart();
        QVERIFY(w);
        QVERIFY(showModal(*w));
        w->cboChartType->setCurrentIndex(4); // 3D Area
        QTest::qWait(100);
        auto *view = w->CorvChart->findChild<QGraphicsView *>();
        QVERIFY(view);
        struct Paints : QObject {
            int count = 0;
            bool eventFilter(QObject *, QEvent *e) override {
                count += e->type() == QEvent::Paint;
                return false;
            }
        } paints;
        view->viewport()->installEventFilter(&paints);
        w->cboChartType->setCurrentIndex(5); // 2D Area
        QTRY_COMPARE(paints.count, 1);
        QTest::qWait(200);
        QCOMPARE(paints.count, 1);
        view->viewport()->removeEventFilter(&paints);
    }

    void noDefaultTankSaysSoAndDoesNotOpen() {
        CorvModule::CurrentTankID = CorvModule::NotSet;
        fx.env->dialogs.expectOk();
        fx.main->mnuCorvChart_Click();
        QCOMPARE(fx.messages().size(), 1);
        QCOMPARE(fx.messages().first().title, QStringLiteral("No Default Tank"));
        QCOMPARE(fx.messages().first().icon, MsgIcon::Exclamation);
        for (const ScriptedDialogs::Call &c : fx.env->dialogs.calls)
            QVERIFY(c.kind != ScriptedDialogs::Call::Modal);
        QCOMPARE(fx.main->statusText(), CorvModule::IdleLine);
    }

    void missingDatabaseIsLookedFor() {
        fourEntries();
        const QString real = fx.db;
        CorvModule::DatabasePath = fx.env->path(QStringLiteral("gone/CORVELLA.CVL"));
        // A file of another name brings the dialog back; then the right one.
        const QString other = fx.env->path(QStringLiteral("other.cvl"));
        QFile::copy(real, other);
        fx.env->dialogs.fileAnswers = {other, real};
        auto w = openChart();
        QVERIFY(w);
        QCOMPARE(fx.env->dialogs.calls.size(), 2);
        QCOMPARE(fx.env->dialogs.calls[0].file.title,
                 QStringLiteral("Unable to find the CORVELLA.CVL file location"));
        QCOMPARE(QDir::fromNativeSeparators(CorvModule::DatabasePath), real);
        QCOMPARE(w->CorvChart->rowCount(), 4);
        w.reset();

        // Cancelled: the window does not open.
        CorvModule::DatabasePath = fx.env->path(QStringLiteral("gone/CORVELLA.CVL"));
        fx.env->dialogs.clear();
        QVERIFY(!openChart());
        QCOMPARE(fx.env->dialogs.calls.size(), 1);
        QCOMPARE(fx.main->statusText(), CorvModule::IdleLine);
    }

    void keyboardAndResizing() {
        fourEntries();
        auto w = openChart();
        QVERIFY(w);
        QVERIFY(showModal(*w));
        // Tab runs through the twenty boxes, the dates, the type, the
        // switches that apply (none to a 3D bar chart), the buttons and the
        // chart.
        const auto tabRound = [&](int count) {
            w->checkBox("ckAlkalinity")->setFocus(Qt::TabFocusReason);
            QStringList order;
            QWidget *f = w->checkBox("ckAlkalinity");
            for (int i = 0; i < count; ++i) {
                order << f->objectName();
                QTest::keyClick(f, Qt::Key_Tab);
                f = QApplication::focusWidget();
                if (!f)
                    return QStringList{order.join(u' '), QStringLiteral("lost")};
            }
            order << f->objectName();
            return order;
        };
        QStringList order = tabRound(28);
        QCOMPARE(order.mid(0, 3), (QStringList{"ckAlkalinity", "ckAmmonia", "ckCalcium"}));
        QCOMPARE(order.mid(19), (QStringList{"ckZinc", "txtFromDate", "txtToDate", "cboChartType",
                                             "cmdChart", "cmdPrint", "cmdSaveImage", "cmdClose",
                                             "CorvChart", "ckAlkalinity"}));
        w->cboChartType->setCurrentIndex(3); // 2D Line
        order = tabRound(31);
        QCOMPARE(order.mid(22),
                 (QStringList{"cboChartType", "chkTargetRanges", "chkSpaceByDate", "chkMaintenance",
                              "cmdChart", "cmdPrint", "cmdSaveImage", "cmdClose", "CorvChart",
                              "ckAlkalinity"}));

        // Space ticks a box; Enter charts what is ticked.
        w->checkBox("ckCalcium")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(w->checkBox("ckCalcium"), Qt::Key_Space);
        QVERIFY(w->checkBox("ckCalcium")->isChecked());
        QTest::keyClick(w->checkBox("ckCalcium"), Qt::Key_Return);
        QCOMPARE(w->CorvChart->grid().columnLabels,
                 (QStringList{"Ammonia", "Calcium", "Nitrate", "pH"}));

        // The chart grows with the window.
        const QSize before = w->CorvChart->size();
        w->resize(w->width() - 200, w->height() - 100);
        QTRY_VERIFY(w->CorvChart->width() < before.width());
        QVERIFY(w->CorvChart->height() < before.height());

        // Escape closes it and puts the idle line back.
        fx.main->setStatusText(QStringLiteral("Chart your tank stats."));
        QTest::keyClick(w->checkBox("ckCalcium"), Qt::Key_Escape);
        QVERIFY(!w->isVisible());
        QCOMPARE(fx.main->statusText(), CorvModule::IdleLine);
    }

    void printsTheChartAsShown_data() {
        QTest::addColumn<QSize>("shown");
        QTest::addColumn<bool>("landscape");
        QTest::newRow("wide") << QSize(1100, 600) << true;
        QTest::newRow("tall") << QSize(700, 900) << false;
    }
    void printsTheChartAsShown() {
        QFETCH(QSize, shown);
        QFETCH(bool, landscape);
        if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
            QSKIP("pdfinfo (poppler-utils) is needed to read the printed page");
        fourEntries();
        PdfPrinters printers;
        printers.file = fx.env->path(QStringLiteral("chart.pdf"));
        setPrinterSource(&printers);
        QGuiApplication::clipboard()->setText(QStringLiteral("copied before printing"));
        auto w = openChart();
        QVERIFY(w);
        w->show();
        w->CorvChart->setMinimumSize(shown);
        w->CorvChart->setMaximumSize(shown);
        w->adjustSize();
        QTRY_COMPARE(w->CorvChart->size(), shown);
        fx.main->setStatusText(QStringLiteral("Chart your tank stats."));
        w->cmdPrint->click();
        QCOMPARE(printers.asked, 1);
        const QString info = pdfInfo(printers.file);
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))),
                 qPrintable(info));
        const auto size =
            QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts"))
                .match(info);
        QVERIFY(size.hasMatch());
        QCOMPARE(size.captured(1).toDouble() > size.captured(2).toDouble(), landscape);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("copied before printing"));
        QVERIFY(fx.messages().isEmpty());
        // The chart window is still up, with its status line.
        QVERIFY(w->isVisible());
        QCOMPARE(fx.main->statusText(), QStringLiteral("Chart your tank stats."));
    }

    // --- target bands, time axis, zoom and saving the picture ---

    void switchesAreKeptAndGreyedWhereTheyDoNothing() {
        fourEntries();
        auto w = openChart();
        QVERIFY(w);
        QCOMPARE(w->chkTargetRanges->text(), QStringLiteral("Show target &ranges"));
        QCOMPARE(w->chkSpaceByDate->text(), QStringLiteral("Space by &date"));
        // Bands on, even spacing, as a first opening has them.
        QVERIFY(w->chkTargetRanges->isChecked());
        QVERIFY(!w->chkSpaceByDate->isChecked());
        QVERIFY(w->CorvChart->bandsVisible());
        QVERIFY(!w->CorvChart->spaceByDate());
        // Greyed where they do nothing: both for the 3D kinds, spacing by
        // date for bars and combinations too.
        const QVector<std::pair<bool, bool>> enabled = {
            {false, false}, {true, false},  {false, false}, {true, true},   {false, false},
            {true, true},   {false, false}, {true, true},   {false, false}, {true, false}};
        for (int i = 0; i < 10; ++i) {
            w->cboChartType->setCurrentIndex(i);
            QCOMPARE(w->chkTargetRanges->isEnabled(), enabled[i].first);
            QCOMPARE(w->chkSpaceByDate->isEnabled(), enabled[i].second);
        }
        // A click reaches the chart and the settings store at once.
        w->cboChartType->setCurrentIndex(3);
        w->chkSpaceByDate->click();
        w->chkTargetRanges->click();
        QVERIFY(w->CorvChart->spaceByDate());
        QVERIFY(!w->CorvChart->bandsVisible());
        QCOMPARE(Settings::read("Corvella", "Chart", "SpaceByDate", "absent"), "True");
        QCOMPARE(Settings::read("Corvella", "Chart", "ShowTargetRanges", "absent"), "False");
        w.reset();
        // The next opening starts from them.
        auto again = openChart();
        QVERIFY(again);
        QVERIFY(again->chkSpaceByDate->isChecked());
        QVERIFY(!again->chkTargetRanges->isChecked());
        QVERIFY(again->CorvChart->spaceByDate());
        QVERIFY(!again->CorvChart->bandsVisible());
        QVERIFY(fx.messages().isEmpty());
    }

    void bandsFollowTheTicksAndTheTanksWaterType() {
        fourEntries();
        auto w = openChart();
        QVERIFY(w);
        w->cboChartType->setCurrentIndex(3);
        QCOMPARE(w->bandWaterType(), QStringLiteral("Fresh Water"));
        const auto drawn = [&] {
            QStringList out;
            const ChartContent &c = w->CorvChart->content();
            for (const Chart2D::DrawnBand &b : w->CorvChart->flatChart().bands())
                out << c.columnLabels[b.column];
            return out;
        };
        const auto band = [&](int column) {
            const ChartBand b = w->CorvChart->columnBands().value(column);
            return QStringLiteral("%1..%2")
                .arg(b.low ? QString::number(*b.low) : QString())
                .arg(b.high ? QString::number(*b.high) : QString());
        };
        QCOMPARE(drawn(), (QStringList{"Ammonia", "Nitrate", "pH"}));
        QCOMPARE(band(0), QStringLiteral("0..0.25"));
        QCOMPARE(band(1), QStringLiteral("0..40"));
        QCOMPARE(band(2), QStringLiteral("6.5..7.8"));

        // Unticked parameters have none; a parameter without a range neither.
        w->checkBox("ckNitrate")->setChecked(false);
        w->checkBox("ckCalcium")->setChecked(true);
        w->cmdChart->click();
        QCOMPARE(w->CorvChart->grid().columnLabels, (QStringList{"Ammonia", "Calcium", "pH"}));
        QCOMPARE(band(1), QStringLiteral(".."));
        QCOMPARE(drawn(), (QStringList{"Ammonia", "pH"}));

        // Hidden, none is drawn; the data stays.
        w->chkTargetRanges->click();
        QVERIFY(drawn().isEmpty());
        QCOMPARE(w->CorvChart->rowCount(), 4);
        w->chkTargetRanges->click();
        QCOMPARE(drawn(), (QStringList{"Ammonia", "pH"}));

        // The default tank becomes a reef: the next run draws salt-water
        // ranges, and the user's own where they set one.
        TestEnv::exec(
            fx.db,
            QStringLiteral("UPDATE Tank SET TankType = 'Salt Water' WHERE ID = %1").arg(tankId));
        TargetRanges ranges = TargetRanges::load();
        ranges.setRange(QStringLiteral("Salt Water"), QStringLiteral("Ammonia"), {{}, 0.1});
        ranges.save();
        w->cmdChart->click();
        QCOMPARE(w->bandWaterType(), QStringLiteral("Salt Water"));
        QCOMPARE(band(0), QStringLiteral("..0.1"));
        QCOMPARE(band(1), QStringLiteral("380..450"));
        QCOMPARE(band(2), QStringLiteral("8..8.4"));
        // A tank of no known type has no ranges to draw.
        TestEnv::exec(fx.db,
                      QStringLiteral("UPDATE Tank SET TankType = NULL WHERE ID = %1").arg(tankId));
        w->cmdChart->click();
        QVERIFY(drawn().isEmpty());
        QVERIFY(fx.messages().isEmpty());

        // A range with nothing in it leaves an empty axis, and no band on it.
        TestEnv::exec(
            fx.db,
            QStringLiteral("UPDATE Tank SET TankType = 'Fresh Water' WHERE ID = %1").arg(tankId));
        w->cmdChart->click();
        QCOMPARE(drawn(), (QStringList{"Ammonia", "pH"}));
        w->txtFromDate->setText(QStringLiteral("01/01/2005"));
        fx.env->dialogs.expectOk();
        w->cmdChart->click();
        QVERIFY(CorvModule::ChartInputError);
        QCOMPARE(w->CorvChart->rowCount(), 0);
        QVERIFY(drawn().isEmpty());
        for (QAbstractSeries *series : w->CorvChart->chartView()->chart()->series())
            QVERIFY(!series->objectName().startsWith(QLatin1String("band")));
    }

    void spaceByDatePlacesEntriesInProportion() {
        entry("2024-03-01", "0.1", "10", "7.2");
        entry("2024-03-02", "0.3", "12", "7.0");
        entry("2024-03-11", "0.2", "30", "7.1");
        auto w = openChart();
        QVERIFY(w);
        w->show();
        w->cboChartType->setCurrentIndex(3);
        const auto gaps = [&] {
            const double x0 = w->CorvChart->pointOf(0, 0).x();
            const double x1 = w->CorvChart->pointOf(0, 1).x();
            const double x2 = w->CorvChart->pointOf(0, 2).x();
            return (x2 - x1) / (x1 - x0);
        };
        QVERIFY(qAbs(gaps() - 1) < 0.01);
        w->chkSpaceByDate->click();
        QVERIFY(w->CorvChart->timeAxisShown());
        QVERIFY2(qAbs(gaps() - 9) < 0.05, qPrintable(QString::number(gaps())));
        // The grid's rows are the entries, labelled with their dates.
        QCOMPARE(rowLabels(*w), (QStringList{"03/01/2024", "03/02/2024", "03/11/2024"}));
        // Bars do not stand on a time axis, whatever the box says.
        w->cboChartType->setCurrentIndex(1);
        QVERIFY(!w->CorvChart->timeAxisShown());
        QVERIFY(w->chkSpaceByDate->isChecked());
        QVERIFY(!w->chkSpaceByDate->isEnabled());
    }

    void theChartZoomsFromTheKeyboard() {
        fourEntries();
        auto w = openChart();
        QVERIFY(w);
        QVERIFY(showModal(*w));
        w->cboChartType->setCurrentIndex(3);
        QVERIFY(w->CorvChart->toolTip().contains(QStringLiteral("+ and - zoom")));
        w->CorvChart->setFocus(Qt::TabFocusReason);
        QVERIFY(w->CorvChart->hasFocus());
        const XSpan full = w->CorvChart->fullSpan();
        QTest::keyClick(w->CorvChart, Qt::Key_Plus);
        QVERIFY(w->CorvChart->isZoomed());
        QTest::keyClick(w->CorvChart, Qt::Key_Home);
        QCOMPARE(w->CorvChart->viewSpan(), full);
        // A new run shows the whole of what it read.
        QTest::keyClick(w->CorvChart, Qt::Key_Plus);
        w->cmdChart->click();
        QVERIFY(!w->CorvChart->isZoomed());
        // Escape still closes the window from the chart.
        QTest::keyClick(w->CorvChart, Qt::Key_Escape);
        QVERIFY(!w->isVisible());
    }

    void savesThePictureAtTheChosenSize_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QSize>("size");
        QTest::newRow("png") << "reef.png"
                             << "reef.png" << QSize(640, 360);
        QTest::newRow("svg") << "reef.SVG"
                             << "reef.SVG" << QSize(1200, 800);
        QTest::newRow("no extension") << "reef"
                                      << "reef.png" << QSize(2400, 1200);
    }
    void savesThePictureAtTheChosenSize() {
        QFETCH(QString, name);
        QFETCH(QString, written);
        QFETCH(QSize, size);
        fourEntries();
        auto w = openChart();
        QVERIFY(w);
        w->show();
        w->cboChartType->setCurrentIndex(3);
        w->CorvChart->zoomIn();
        QCOMPARE(w->cmdSaveImage->text(), QStringLiteral("Save &Image\u2026"));
        fx.env->dialogs.fileAnswers << fx.env->path(name);
        QSize offered;
        fx.env->dialogs.onModal = [&](QDialog &d) {
            auto *s = qobject_cast<frmImageSize *>(&d);
            if (!s)
                return int(QDialog::Rejected);
            offered = QSize(s->txtWidth->text().toInt(), s->txtHeight->text().toInt());
            s->txtWidth->setText(QString::number(size.width()));
            s->txtHeight->setText(QString::number(size.height()));
            s->cmdOK->click();
            return s->result();
        };
        fx.main->setStatusText(QStringLiteral("Chart your tank stats."));
        w->cmdSaveImage->click();
        QVERIFY(fx.messages().isEmpty());
        // The file dialog offers both kinds; the size offered is the chart's.
        const FileRequest r = fx.env->dialogs.calls.first().file;
        QCOMPARE(r.title, QStringLiteral("Save Image"));
        QCOMPARE(r.filter, QStringLiteral("PNG Image (*.png)|*.png|SVG Image (*.svg)|*.svg"));
        QVERIFY(r.flags & FileOverwritePrompt);
        QCOMPARE(offered, w->CorvChart->pictureSize());
        const QString file = fx.env->path(written);
        QVERIFY(QFileInfo::exists(file));
        if (written.endsWith(QLatin1String(".png"))) {
            const QImage img(file);
            QCOMPARE(img.size(), size);
            // The picture is the chart, not an empty page.
            QSet<QRgb> colours;
            for (int y = 0; y < img.height(); y += 7)
                for (int x = 0; x < img.width(); x += 7)
                    colours.insert(img.pixel(x, y));
            QVERIFY(colours.size() > 10);
        } else {
            QSvgRenderer svg(file);
            QVERIFY(svg.isValid());
            QCOMPARE(svg.defaultSize(), size);
            QFile f(file);
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QByteArray text = f.readAll();
            QVERIFY(text.contains("<svg"));
            QVERIFY(text.contains("<path") || text.contains("<polyline"));
        }
        // The chart window is still up, with its status line and its zoom.
        QVERIFY(w->isVisible());
        QVERIFY(w->CorvChart->isZoomed());
        QCOMPARE(fx.main->statusText(), QStringLiteral("Chart your tank stats."));
    }

    // The largest picture takes many seconds to compress: the window keeps
    // answering, a progress box offers Cancel, and cancelling writes
    // nothing and says nothing.
    void aLargeSaveCanBeCancelled() {
        fourEntries();
        auto w = openChart();
        QVERIFY(w);
        w->show();
        const QString file = fx.env->path(QStringLiteral("huge.png"));
        fx.env->dialogs.fileAnswers << file;
        fx.env->dialogs.onModal = [&](QDialog &d) {
            auto *s = qobject_cast<frmImageSize *>(&d);
            if (!s)
                return int(QDialog::Rejected);
            s->txtWidth->setText(QString::number(MaxImageSide));
            s->txtHeight->setText(QString::number(MaxImageSide));
            s->cmdOK->click();
            return s->result();
        };
        bool offered = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            for (QWidget *top : QApplication::topLevelWidgets())
                if (auto *p = qobject_cast<QProgressDialog *>(top); p && p->isVisible()) {
                    offered = true;
                    p->cancel();
                }
        });
        poll.start(50);
        QElapsedTimer clock;
        clock.start();
        w->cmdSaveImage->click();
        poll.stop();
        QVERIFY(offered);
        QVERIFY2(clock.elapsed() < 10000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!QFileInfo::exists(file));
        QVERIFY(fx.messages().isEmpty());
        QVERIFY(w->isVisible());
    }

    void badSizesAreRefusedUntilMended() {
        fourEntries();
        auto w = openChart();
        QVERIFY(w);
        w->show();
        const QString file = fx.env->path(QStringLiteral("chart.png"));
        fx.env->dialogs.fileAnswers << file;
        QStringList tried;
        fx.env->dialogs.onModal = [&](QDialog &d) {
            auto *s = qobject_cast<frmImageSize *>(&d);
            if (!s)
                return int(QDialog::Rejected);
            const QVector<std::pair<QString, QString>> attempts = {
                {"199", "400"}, {"800", "8001"}, {"wide", "400"}, {"640", ""}, {"640", "480"}};
            for (const auto &[wide, high] : attempts) {
                s->txtWidth->setText(wide);
                s->txtHeight->setText(high);
                s->cmdOK->click();
                tried << QStringLiteral("%1x%2:%3").arg(wide, high).arg(s->result());
            }
            return s->result();
        };
        fx.env->dialogs.expectOk(4);
        w->cmdSaveImage->click();
        QCOMPARE(tried,
                 (QStringList{"199x400:0", "800x8001:0", "widex400:0", "640x:0", "640x480:1"}));
        const QVector<MessageRequest> m = fx.messages();
        QCOMPARE(m.size(), 4);
        const QString width = QStringLiteral(
            "Please enter a valid width: a whole number of pixels from 200 to 8000!");
        const QString height = QStringLiteral(
            "Please enter a valid height: a whole number of pixels from 200 to 8000!");
        QCOMPARE(m[0].text, width);
        QCOMPARE(m[1].text, height);
        QCOMPARE(m[2].text, width);
        QCOMPARE(m[3].text, height);
        for (const MessageRequest &r : m) {
            QCOMPARE(r.title, QStringLiteral("Numeric Error"));
            QCOMPARE(r.icon, MsgIcon::Exclamation);
            QCOMPARE(r.buttons, MsgButtons::Ok);
        }
        QCOMPARE(QImage(file).size(), QSize(640, 480));

        // Cancelled, nothing is written.
        QFile::remove(file);
        fx.env->dialogs.fileAnswers << file;
        fx.env->dialogs.onModal = nullptr;
        w->cmdSaveImage->click();
        QVERIFY(!QFileInfo::exists(file));
    }

    void picturesThatCannotBeWrittenAreSaid() {
        fourEntries();
        auto w = openChart();
        QVERIFY(w);
        fx.env->dialogs.onModal = [](QDialog &d) {
            d.accept();
            if (auto *s = qobject_cast<frmImageSize *>(&d))
                s->cmdOK->click();
            return d.result();
        };
        // A folder that is a file: no one can write there, root included.
        QFile blocker(fx.env->path(QStringLiteral("notafolder")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QString file = fx.env->path(QStringLiteral("notafolder/chart.png"));
        fx.env->dialogs.fileAnswers << file;
        fx.env->dialogs.expectOk();
        w->cmdSaveImage->click();
        QCOMPARE(fx.messages().size(), 1);
        MessageRequest m = fx.messages().first();
        const QString start = QStringLiteral("The chart could not be saved as %1.\n\n")
                                  .arg(QDir::toNativeSeparators(file));
        QVERIFY2(m.text.startsWith(start) && m.text.size() > start.size(), qPrintable(m.text));
        QCOMPARE(m.title, QStringLiteral("Save Image"));
        QCOMPARE(m.icon, MsgIcon::Exclamation);
        QVERIFY(!QFileInfo::exists(file));

        // Another kind of file is refused before anything is asked or written.
        fx.env->dialogs.clear();
        fx.env->dialogs.fileAnswers << fx.env->path(QStringLiteral("chart.jpg"));
        fx.env->dialogs.expectOk();
        w->cmdSaveImage->click();
        QCOMPARE(fx.messages().size(), 1);
        m = fx.messages().first();
        QCOMPARE(m.text,
                 QStringLiteral("Corvella saves the chart as a PNG image or an SVG drawing. "
                                "Please choose a file name ending in .png or .svg."));
        QCOMPARE(m.title, QStringLiteral("Save Image"));
        for (const ScriptedDialogs::Call &c : fx.env->dialogs.calls)
            QVERIFY(c.kind != ScriptedDialogs::Call::Modal);
        QVERIFY(!QFileInfo::exists(fx.env->path(QStringLiteral("chart.jpg"))));

        // ".png" added to a name that exists asks first; No keeps the file.
        QFile old(fx.env->path(QStringLiteral("kept.png")));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();
        fx.env->dialogs.clear();
        fx.env->dialogs.fileAnswers << fx.env->path(QStringLiteral("kept"));
        fx.env->dialogs.answers << MsgResult::No;
        w->cmdSaveImage->click();
        QCOMPARE(fx.messages().size(), 1);
        QCOMPARE(fx.messages().first().text,
                 QStringLiteral("%1 already exists.\nDo you want to replace it?")
                     .arg(QDir::toNativeSeparators(fx.env->path(QStringLiteral("kept.png")))));
        QCOMPARE(fx.messages().first().defaultButton, MsgResult::No);
        QCOMPARE(QFileInfo(old).size(), 3);
    }

    void noPrinterIsSaid() {
        fourEntries();
        PdfPrinters printers;
        printers.none = true;
        setPrinterSource(&printers);
        auto w = openChart();
        QVERIFY(w);
        fx.env->dialogs.expectOk();
        w->cmdPrint->click();
        QCOMPARE(fx.messages().size(), 1);
        const MessageRequest m = fx.messages().first();
        QCOMPARE(m.text, QStringLiteral("No printer is available."));
        QCOMPARE(m.title, QStringLiteral("Printing Chart"));
        QCOMPARE(m.icon, MsgIcon::Exclamation);
    }
};

QTEST_MAIN(TestChartWindow)
#include "tst_chartwindow.moc"
