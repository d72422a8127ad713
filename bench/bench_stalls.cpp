// How long the window stops answering: the program's real windows, driven
// offscreen on a large database, each action timed by a probe timer in the
// event loop. For every action the table gives the longest gap between two
// ticks of the probe (the longest the main thread processed no events: what
// the user feels as a frozen window), the total time, and how far the
// process's peak memory rose above what it held before.
//
//   QT_QPA_PLATFORM=offscreen ./bench_stalls [--entries N] [--no-big-pdf]
//                                            [--only chart|report|transfer]
//
// (--only chart runs the chart window alone, for working on it: picking each
// kind, which draws the chart in it, and charting it anew with the Chart
// button, each until the picture is painted. --only report runs the report
// previews and PDF files alone; --only transfer the CSV export and import,
// backup and restore and the key upgrade.)
//
// The database holds N (default 100000) journal entries in tank 1, 10,000
// in tank 2 and 1,000 in tank 3 (the report previews are timed at all three
// sizes), the reference content, and an empty tank 4 that the import fills.
// Only the last entry of tank 1 holds the note the find looks for. The key
// upgrade runs on an old file (keys that may be reused, no schema version)
// with the same N entries.
#include "BenchSupport.h"
#include "app/CorvModule.h"
#include "app/Forms.h"
#include "app/mdiCorvella.h"
#include "charts/ChartData.h"
#include "charts/ChartWindows.h"
#include "charts/CorvChart.h"
#include "charts/frmChart.h"
#include "data/DatabaseFile.h"
#include "forms/DataControl.h"
#include "forms/RecordForm.h"
#include "forms/Windows.h"
#include "platform/Dialogs.h"
#include "reports/ReportPreview.h"
#include "reports/ReportWindows.h"
#include "reports/frmPrint.h"
#include "reports/frmSearch.h"
#include "tools/ToolWindows.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <functional>
#include <optional>

using namespace corv;

namespace {

QTextStream out(stdout);

// Ticks as often as the event loop lets it and keeps the longest gap
// between two ticks (and between the start and the first, the last and the
// end).
class Probe {
public:
    Probe() {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(2);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { tick(); });
        m_clock.start();
    }
    void start() {
        m_worst = 0;
        m_begin = m_last = m_clock.nsecsElapsed();
        m_timer.start();
    }
    // Milliseconds since start().
    double elapsed() const { return (m_clock.nsecsElapsed() - m_begin) / 1e6; }
    // Ends the run: the longest gap and the total, in milliseconds.
    std::pair<double, double> stop() {
        tick();
        m_timer.stop();
        return {m_worst / 1e6, elapsed()};
    }

private:
    void tick() {
        const qint64 now = m_clock.nsecsElapsed();
        m_worst = std::max(m_worst, now - m_last);
        m_last = now;
    }
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_begin = 0, m_last = 0, m_worst = 0;
};

struct Row {
    QString action;
    double stall = 0, total = 0, memoryMb = 0;
    QString note;
};
QVector<Row> rows;
Probe *probe = nullptr;
long rssBefore = 0;

void begin() {
    QCoreApplication::processEvents();
    bench::resetPeakMemory();
    rssBefore = bench::statusKb("VmRSS:");
    probe->start();
}

void end(const QString &action, const QString &note = QString()) {
    const auto [stall, total] = probe->stop();
    const double mb = (bench::statusKb("VmHWM:") - rssBefore) / 1024.0;
    rows.push_back({action, stall, total, mb, note});
    out << QStringLiteral("  %1 %2 %3 %4  %5\n")
               .arg(action, -44)
               .arg(stall, 8, 'f', 1)
               .arg(total, 9, 'f', 1)
               .arg(mb, 7, 'f', 1)
               .arg(note);
    out.flush();
}

// Lets queued work (painting, timers) run for `ms` milliseconds.
void settle(int ms = 20) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// Runs `what` as one action: the probe runs until it returns and the events
// it left behind (painting the result) are processed.
void measure(const QString &action, const std::function<void()> &what,
             const std::function<QString()> &note = {}) {
    begin();
    what();
    QCoreApplication::processEvents();
    end(action, note ? note() : QString());
}

// Answers every question as a user who goes ahead would: Yes, OK; file
// dialogs from a list; modal windows by a handler per action.
class BenchDialogs : public DialogLayer {
public:
    MsgResult message(const MessageRequest &r) override {
        messages << r.text;
        switch (r.buttons) {
        case MsgButtons::YesNo:
        case MsgButtons::YesNoCancel:
            return MsgResult::Yes;
        case MsgButtons::OkCancel:
        case MsgButtons::Ok:
            return MsgResult::Ok;
        case MsgButtons::RetryCancel:
            return MsgResult::Cancel;
        }
        return r.defaultButton;
    }
    std::optional<QString> openFile(const FileRequest &) override { return next(); }
    std::optional<QString> saveFile(const FileRequest &) override { return next(); }
    bool startProgram(const QString &, const QStringList &) override { return false; }
    void setWaitCursor(bool) override {}
    int execModal(QDialog &dialog) override {
        if (onModal)
            return onModal(dialog);
        dialog.reject();
        return QDialog::Rejected;
    }
    std::optional<QString> next() {
        if (files.isEmpty())
            return std::nullopt;
        return files.takeFirst();
    }
    QStringList files, messages;
    std::function<int(QDialog &)> onModal;
};
BenchDialogs *script = nullptr;

// Shows a modal window as exec() would and waits until it is on screen.
void showModal(QDialog &d) {
    d.setWindowModality(Qt::ApplicationModal);
    d.show();
    QElapsedTimer wait;
    wait.start();
    while (!(d.windowHandle() && d.windowHandle()->isExposed()) && wait.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

void makeDatabase(const QString &path, int entries) {
    QRandomGenerator rng(2201);
    const QDate start(1970, 1, 1);
    int made = 0;
    const int total = entries + 10000 + 1000;
    bench::makeJournal(
        path,
        {QStringLiteral("INSERT INTO Tank (ID, TankName, TankType) VALUES (1, 'Reef', 'Salt "
                        "Water'), (2, 'Community', 'Fresh Water'), (3, 'Quarantine', 'Salt "
                        "Water'), (4, 'Imported', 'Fresh Water')")},
        total, [&](int i, bench::JournalRow &row) {
            ++made;
            int tank = 1, n = i;
            if (i >= entries + 10000)
                tank = 3, n = i - entries - 10000;
            else if (i >= entries)
                tank = 2, n = i - entries;
            row.tank = tank;
            // Three tests a day or so, in date order.
            row.date = start.addDays(n / 3).toString(QStringLiteral("yyyy-MM-dd"));
            if (tank == 1 && i == entries - 1) {
                row.date = QStringLiteral("2199-07-04");
                row.notes = QStringLiteral("needle in the notes");
            } else {
                row.notes = n % 7 ? QVariant() : QVariant(QStringLiteral("Water change, 20%."));
            }
            const QStringList &fields = bench::valueFields();
            for (int v = 0; v < fields.size(); ++v)
                if (v % 3 == n % 3 || fields[v] == QLatin1String("PH") ||
                    fields[v] == QLatin1String("Ammonia") || fields[v] == QLatin1String("Nitrate"))
                    row.values[v] = double(rng.bounded(10000)) / 100.0;
        });
    (void)made;
}

// A file as the first release made it, with `entries` journal entries.
void makeOldDatabase(const QString &path, int entries) {
    QFile sqlFile(QStringLiteral(CORVELLA_SOURCE_DIR "/tests/data/schemas/v0-first-release.sql"));
    if (!sqlFile.open(QIODevice::ReadOnly))
        qFatal("no old schema");
    QString sql = QString::fromUtf8(sqlFile.readAll());
    const QString connection = QStringLiteral("bench-old");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        if (!db.open())
            qFatal("cannot make the old file");
        QSqlQuery q(db);
        // Statements end with ";" at a line's end; comments are whole lines.
        QString statement;
        for (const QString &line : sql.split(u'\n')) {
            if (line.trimmed().startsWith(QLatin1String("--")))
                continue;
            statement += line + u'\n';
            if (line.trimmed().endsWith(u';')) {
                if (!statement.trimmed().isEmpty() && !q.exec(statement))
                    qFatal("old schema: %s", qPrintable(statement));
                statement.clear();
            }
        }
        q.exec(QStringLiteral("INSERT INTO Tank (ID, TankName) VALUES (1, 'Reef')"));
        q.exec(QStringLiteral("BEGIN"));
        q.prepare(QStringLiteral("INSERT INTO Journal (TankID, EntryDate, PH, Notes) VALUES (1, "
                                 "?, ?, ?)"));
        const QDate start(1970, 1, 1);
        for (int i = 0; i < entries; ++i) {
            q.bindValue(0, start.addDays(i / 3).toString(QStringLiteral("yyyy-MM-dd")));
            q.bindValue(1, 7.0 + (i % 50) / 100.0);
            q.bindValue(2, i % 7 ? QVariant() : QVariant(QStringLiteral("Water change.")));
            if (!q.exec())
                qFatal("old journal");
        }
        QSqlQuery(db).exec(QStringLiteral("COMMIT"));
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
}

RecordForm *journal() {
    return dynamic_cast<RecordForm *>(Forms::get(FormKind::Journal));
}

void setTank(const QString &id) {
    CorvModule::CurrentTankID = id;
    if (RecordForm *j = journal())
        j->cmdRefreshData();
}

// Preview of "All Records This Tank" of the journal's tank: the first page
// on screen, then every page ready; then, if asked, the same to PDF.
void previewAndPdf(const QString &label, const QString &pdfFile) {
    double firstPage = -1, lastPage = -1;
    int pages = 0;
    script->onModal = [&](QDialog &d) -> int {
        if (auto *p = qobject_cast<frmPrint *>(&d)) {
            p->optRecord[1]->setChecked(true);
            p->chkPrintpreview->setChecked(true);
            p->cmdOk_Click();
            return p->result();
        }
        if (auto *preview = qobject_cast<ReportPreview *>(&d)) {
            preview->resize(1100, 850);
            showModal(*preview);
            while (!preview->renderFirstPage() && probe->elapsed() < 600000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            firstPage = probe->elapsed();
            while (!preview->allPagesReady() && probe->elapsed() < 600000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            lastPage = probe->elapsed();
            pages = preview->pageCount();
            end(label + QStringLiteral(": preview"),
                QStringLiteral("first page %1 ms, all %2 pages %3 ms")
                    .arg(firstPage, 0, 'f', 0)
                    .arg(pages)
                    .arg(lastPage, 0, 'f', 0));
            if (!pdfFile.isEmpty()) {
                script->files = {pdfFile};
                begin();
                preview->saveAsPdf();
                QCoreApplication::processEvents();
                end(label + QStringLiteral(": PDF"),
                    QStringLiteral("%1 KB").arg(QFile(pdfFile).size() / 1024));
                QFile::remove(pdfFile);
            }
            preview->hide();
            begin(); // closing it: the rest of the command
            return QDialog::Rejected;
        }
        d.reject();
        return QDialog::Rejected;
    };
    script->messages.clear();
    begin();
    mdiCorvella::instance()->mnuPrint_Click();
    script->onModal = nullptr;
    if (firstPage < 0)
        end(label + QStringLiteral(": preview"),
            QStringLiteral("none shown: ") +
                script->messages.join(QStringLiteral(" / ")).simplified().left(90));
    else
        end(label + QStringLiteral(": close the preview"));
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    int entries = 100000;
    bool bigPdf = true;
    QString only;
    for (int i = 1; i < argc; ++i) {
        const QString a = QString::fromLocal8Bit(argv[i]);
        if (a == QLatin1String("--entries") && i + 1 < argc)
            entries = std::max(1000, atoi(argv[++i]));
        else if (a == QLatin1String("--no-big-pdf"))
            bigPdf = false;
        else if (a == QLatin1String("--only") && i + 1 < argc)
            only = QString::fromLocal8Bit(argv[++i]);
    }
    QTemporaryDir dir;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       dir.filePath(QStringLiteral("config")));
    qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toLocal8Bit());
    Probe theProbe;
    probe = &theProbe;
    BenchDialogs layer;
    script = &layer;
    setDialogLayer(&layer);

    // The program's folder: the database and the report templates.
    const QString folder = dir.filePath(QStringLiteral("program"));
    QDir().mkpath(folder);
    const QDir templates(QStringLiteral(CORVELLA_SOURCE_DIR "/resources/reports"));
    for (const QString &name : templates.entryList({QStringLiteral("*.rpt")}, QDir::Files))
        QFile::copy(templates.filePath(name), folder + u'/' + name);
    CorvModule::setProgramFolder(folder);
    const QString db = folder + QStringLiteral("/CORVELLA.CVL");
    QElapsedTimer making;
    making.start();
    makeDatabase(db, entries);
    const QString old = dir.filePath(QStringLiteral("OLD.CVL"));
    makeOldDatabase(old, entries);
    out << "Stalls of the main thread, " << entries
        << " journal entries in tank 1 (+10,000 in tank 2, 1,000 in tank 3), offscreen\n"
        << "(database made in " << making.elapsed() << " ms; " << QFile(db).size() / (1024 * 1024)
        << " MB)\n\n";
    out << QStringLiteral("  %1 %2 %3 %4  %5\n")
               .arg(QStringLiteral("action"), -44)
               .arg(QStringLiteral("stall ms"), 8)
               .arg(QStringLiteral("total ms"), 9)
               .arg(QStringLiteral("peak MB"), 7)
               .arg(QStringLiteral("note"));
    out.flush();

    CorvModule::reset();
    CorvModule::setProgramFolder(folder);
    CorvModule::DatabasePath = db;
    CorvModule::CurrentTankID = QStringLiteral("1");
    CorvModule::CurrentTankName = QStringLiteral("Reef");
    CorvModule::ActiveForm = CorvModule::NoOne;
    registerRecordWindows();
    registerToolWindows();
    registerChartWindows();
    registerReportWindows();
    mdiCorvella main;
    main.resize(1280, 900);
    main.show();
    settle(200);

    // Each record window; the journal last, so that it is the active one.
    const std::pair<const char *, void (mdiCorvella::*)()> windows[] = {
        {"open the tank window", &mdiCorvella::mnuChangeTanks_Click},
        {"open the livestock window", &mdiCorvella::mnuLiveStock_Click},
        {"open the disease window", &mdiCorvella::mnuCommonDiseases_Click},
        {"open the glossary window", &mdiCorvella::mnuAquaristGlossary_Click},
        {"open the journal window", &mdiCorvella::mnuJournal_Click},
    };
    for (const auto &[name, command] : windows)
        measure(QString::fromLatin1(name), [&, command = command] { (main.*command)(); });
    const bool all = only.isEmpty();
    RecordForm *j = journal();
    if (!j || j->data()->Recordset().RecordCount() != entries)
        qFatal("the journal did not open on tank 1's entries");

    if (all) {
        measure(QStringLiteral("1,000 moves to the next record"), [&] {
            for (int i = 0; i < 1000; ++i) {
                j->data()->clickNext();
                QCoreApplication::processEvents();
            }
        });

        // Find: the search window looks for a date; a note is found with the
        // record source's own find.
        script->onModal = [&](QDialog &d) -> int {
            if (auto *s = qobject_cast<frmSearch *>(&d)) {
                s->txtSearch1->setText(QStringLiteral("07/04/2199"));
                s->cmdSearch_Click();
            }
            d.reject();
            return QDialog::Rejected;
        };
        j->data()->Recordset().MoveFirst();
        measure(
            QStringLiteral("search window: date of the last entry"),
            [&] { main.mnuSearch_Click(); },
            [&] {
                return j->data()->Recordset().AbsolutePosition() == entries - 1
                           ? QStringLiteral("found")
                           : QStringLiteral("NOT FOUND");
            });
        script->onModal = nullptr;
        j->data()->Recordset().MoveFirst();
        measure(
            QStringLiteral("find a note only the last entry holds"),
            [&] { j->data()->Recordset().FindFirst(QStringLiteral("Notes LIKE '*needle*'")); },
            [&] {
                return j->data()->Recordset().AbsolutePosition() == entries - 1
                           ? QStringLiteral("found")
                           : QStringLiteral("NOT FOUND");
            });
    }
    if (all || only == QLatin1String("chart")) {
        // The chart: the window opens with the first kind charted; then each
        // kind from the Chart button to the picture on screen.
        script->onModal = [&](QDialog &d) -> int {
            auto *chart = qobject_cast<frmChart *>(&d);
            if (!chart) {
                d.reject();
                return QDialog::Rejected;
            }
            // What a command left to do: the drawing built on a later turn of
            // the event loop, and the picture painted, once or more: events
            // are processed until the chart has been painted and nothing is
            // left for it to do.
            struct PaintWatch : QObject {
                QWidget *chart = nullptr;
                bool seen = false;
                bool eventFilter(QObject *o, QEvent *e) override {
                    if (e->type() == QEvent::Paint && o->isWidgetType() &&
                        (o == chart || chart->isAncestorOf(static_cast<QWidget *>(o))))
                        seen = true;
                    return false;
                }
            } watch;
            watch.chart = chart->CorvChart;
            qApp->installEventFilter(&watch);
            // Called after the action, which began with watch.seen false.
            const auto painted = [&watch] {
                QElapsedTimer waited;
                waited.start();
                while (!watch.seen && waited.elapsed() < 5000)
                    QCoreApplication::processEvents();
                for (int i = 0; i < 3; ++i)
                    QCoreApplication::processEvents();
            };
            showModal(*chart);
            painted(); // the window was painted as it came up
            end(QStringLiteral("open the chart window"),
                QStringLiteral("%1 entries charted").arg(chart->CorvChart->rowCount()));
            for (int kind = 0; kind < chart->cboChartType->count(); ++kind) {
                const QString name = chart->cboChartType->itemText(kind);
                // Picking a kind draws what is charted in it at once.
                if (kind > 0) {
                    begin();
                    watch.seen = false;
                    chart->cboChartType->setCurrentIndex(kind);
                    painted();
                    end(QStringLiteral("pick ") + name);
                }
                begin();
                watch.seen = false;
                chart->cmdChart->click();
                painted();
                end(QStringLiteral("chart: ") + name);
            }
            qApp->removeEventFilter(&watch);
            chart->cmdClose->click();
            begin();
            return QDialog::Rejected;
        };
        begin();
        main.mnuCorvChart_Click();
        probe->stop();
        script->onModal = nullptr;
    }
    if (all || only == QLatin1String("report")) {
        // Reports of "All Records This Tank" at three sizes; PDF at 1,000 and
        // at the full size.
        const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
        setTank(QStringLiteral("3"));
        previewAndPdf(QStringLiteral("report of 1,000 entries"), pdf);
        setTank(QStringLiteral("2"));
        previewAndPdf(QStringLiteral("report of 10,000 entries"), QString());
        setTank(QStringLiteral("1"));
        previewAndPdf(QStringLiteral("report of %1 entries").arg(entries),
                      bigPdf ? pdf : QString());
    }
    if (all || only == QLatin1String("transfer")) {

        // Export the journal of tank 1, import it into the empty tank 4.
        const QString csv = dir.filePath(QStringLiteral("journal.csv"));
        script->files = {csv};
        script->messages.clear();
        measure(
            QStringLiteral("export %1 entries to CSV").arg(entries),
            [&] { main.mnuExport_Click(); }, [&] { return script->messages.value(0).left(40); });
        setTank(QStringLiteral("4"));
        script->files = {csv};
        script->messages.clear();
        measure(
            QStringLiteral("import %1 entries from CSV").arg(entries),
            [&] { main.mnuImport_Click(); },
            [&] { return script->messages.value(1, script->messages.value(0)).left(40); });
        setTank(QStringLiteral("1"));

        // Backup and restore of the whole file (they close every window first).
        const QString backup = dir.filePath(QStringLiteral("Corvella.bak"));
        script->files = {backup};
        script->messages.clear();
        measure(
            QStringLiteral("backup"), [&] { main.mnuBackup_Click(); },
            [&] {
                return QStringLiteral("%1 MB; %2")
                    .arg(QFile(backup).size() / (1024 * 1024))
                    .arg(script->messages.value(script->messages.size() - 1));
            });
        script->files = {backup};
        script->messages.clear();
        measure(
            QStringLiteral("restore"), [&] { main.mnuRestore_Click(); },
            [&] { return script->messages.value(script->messages.size() - 1); });

        // The key upgrade runs when a window first opens the old file.
        CorvModule::DatabasePath = old;
        measure(
            QStringLiteral("key upgrade of an old file (opening it)"),
            [&] { main.mnuJournal_Click(); },
            [&] {
                RecordForm *oj = journal();
                return oj ? QStringLiteral("%1 entries").arg(oj->data()->Recordset().RecordCount())
                          : QStringLiteral("did not open");
            });
    }

    double worst = 0;
    for (const Row &r : rows)
        worst = std::max(worst, r.stall);
    out << "\nLongest stall of all: " << QString::number(worst, 'f', 1) << " ms\n";
    out.flush();
    main.CloseOpenWindows();
    setDialogLayer(nullptr);
    return 0;
}
