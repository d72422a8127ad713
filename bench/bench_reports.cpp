// Speed of the report engine on a journal of 1,000 entries (or the sizes
// given): the preview up to its first page drawn, and the whole report
// written to a PDF file, each split into template, query, rendering, layout
// and painting. Wall-clock and CPU time are both shown: these machines are
// shared, and the CPU time is what the engine itself costs. (A long report
// is read by several threads at once, so its layout can take more CPU time
// than wall-clock time.)
//
//   QT_QPA_PLATFORM=offscreen ./bench_reports [sizes...] [--runs N] [--pdf-dir DIR [--html]]
//
// --pdf-dir writes all four reports over a realistic sample database (kept
// as DIR/sample.cvl) to DIR (journal.pdf, stock.pdf, disease.pdf,
// glossary.pdf), for looking at them;
// --html adds the HTML each template rendered (journal.rpt.html, ...).
#include "BenchSupport.h"
#include "app/CorvModule.h"
#include "data/DatabaseFile.h"
#include "platform/Dialogs.h"
#include "reports/ReportControl.h"
#include "reports/ReportData.h"
#include "reports/ReportFormula.h"
#include "reports/ReportJob.h"
#include "reports/ReportPreview.h"
#include "reports/ReportTemplate.h"

#include <QApplication>
#include <QDate>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <QVariant>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

using namespace corv;

namespace {

QTextStream out(stdout);

using bench::cpuMs;

const auto &valueFields = bench::valueFields();

// Typical readings of a reef tank: low, high, decimals, share of tests that
// measure it at all. A value not listed is never measured.
struct Range {
    const char *field;
    double low, high;
    int decimals;
    double measured;
};
const Range valueRanges[] = {{"Alkalinity", 8, 11, 1, 0.8},
                             {"Ammonia", 0, 0.25, 2, 0.9},
                             {"Calcium", 380, 460, 0, 0.6},
                             {"CarbonDioxide", 2, 10, 1, 0.2},
                             {"Copper", 0, 0.1, 2, 0.1},
                             {"DissolvedOxygen", 6, 8, 1, 0.2},
                             {"Hardness", 7, 12, 0, 0.5},
                             {"Iodine", 0.03, 0.08, 2, 0.3},
                             {"Iron", 0, 0.1, 2, 0.2},
                             {"Lead", 0, 0, 0, 0.02},
                             {"Magnesium", 1250, 1400, 0, 0.5},
                             {"Molybdenum", 0, 0.1, 2, 0.05},
                             {"Nitrate", 2, 20, 0, 0.9},
                             {"Nitrite", 0, 0.1, 2, 0.9},
                             {"PH", 8.0, 8.4, 2, 1.0},
                             {"Phosphate", 0.01, 0.1, 2, 0.6},
                             {"SpecificGravity", 1.023, 1.026, 3, 0.95},
                             {"Strontium", 8, 10, 1, 0.3},
                             {"Temprature", 76, 80, 1, 1.0},
                             {"Zinc", 0, 0.05, 2, 0.05}};

const Range *rangeOf(const QString &field) {
    for (const Range &r : valueRanges)
        if (field == QLatin1String(r.field))
            return &r;
    return nullptr;
}

const char *const noteTexts[] = {
    "Water change, 20%.",
    "Added two teaspoons of buffer after the alkalinity test.",
    "Cleaned the skimmer cup and the pump intake.",
    "Cloudy water in the morning; cleared by evening.",
    "New test kit for calcium from today.",
    "Fed frozen mysis; everyone ate well.",
    "Replaced the carbon and the filter floss.\nTopped off with RO water.",
};

void exec(QSqlQuery &q, const QString &sql, const QVariantList &values = {}) {
    q.prepare(sql);
    for (const QVariant &v : values)
        q.addBindValue(v);
    if (!q.exec()) {
        out << "SQL failed: " << sql << "\n";
        out.flush();
        std::exit(2);
    }
}

// A database as a keeper of three tanks would have it: `entries` journal
// entries for the first tank and a few for the others, livestock with
// costs, and the two reference tables.
void makeSampleDatabase(const QString &path, int entries) {
    QString error;
    if (!createDatabase(path, &error)) {
        out << error << "\n";
        std::exit(2);
    }
    QRandomGenerator rng(20240611);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "sample");
        db.setDatabaseName(path);
        db.open();
        QSqlQuery q(db);
        exec(q, "BEGIN");
        exec(q,
             "INSERT INTO Tank (ID, TankName, TankType, TankShape, UnitMeasure, TankLength, "
             "TankWidth, TankHeight, TankRadius, LightDistance, DateEstablished) VALUES "
             "(1, 'Living Room Reef', 'Salt Water', 'Rectangular', 'Inches', 48, 18, 24, 0, 8, "
             "'2021-03-14'), (2, 'Community 29', 'Fresh Water', 'Rectangular', 'Inches', 30, 12, "
             "18, 0, 6, '2022-09-01'), (3, 'Quarantine', 'Salt Water', 'Rectangular', 'Inches', "
             "20, 10, 12, 0, 4, '2023-01-20')");
        QStringList cols = {"TankID", "EntryDate", "Notes"};
        cols << valueFields;
        const QString insert = QStringLiteral("INSERT INTO Journal (%1) VALUES (%2)")
                                   .arg(cols.join(", "), QStringList(cols.size(), "?").join(", "));
        auto addEntries = [&](int tank, int count, QDate first) {
            for (int i = 0; i < count; ++i) {
                QVariantList v;
                v << tank << first.addDays(i * 2).toString(Qt::ISODate);
                v << (rng.bounded(6) == 0 ? QVariant(QString::fromUtf8(
                                                noteTexts[rng.bounded(int(std::size(noteTexts)))]))
                                          : QVariant());
                for (const QString &f : valueFields) {
                    const Range *r = rangeOf(f);
                    if (!r || rng.generateDouble() > r->measured) {
                        v << QVariant();
                        continue;
                    }
                    const double x = r->low + rng.generateDouble() * (r->high - r->low);
                    v << QString::number(x, 'f', r->decimals).toDouble();
                }
                exec(q, insert, v);
            }
        };
        addEntries(1, entries, QDate(2021, 4, 1));
        addEntries(2, 12, QDate(2023, 2, 1));
        addEntries(3, 5, QDate(2023, 6, 1));

        struct Stock {
            int tank;
            const char *common, *scientific, *acquired, *from, *condition;
            qint64 cost; // ten-thousandths
            const char *lost;
        };
        const Stock stock[] = {
            {1, "Ocellaris Clownfish", "Amphiprion ocellaris", "2021-05-02", "Blue Reef Aquatics",
             "Excellent", 249900, nullptr},
            {1, "Ocellaris Clownfish", "Amphiprion ocellaris", "2021-05-02", "Blue Reef Aquatics",
             "Excellent", 249900, nullptr},
            {1, "Yellow Tang", "Zebrasoma flavescens", "2021-07-18", "Coral Corner",
             "Good; some fin damage on arrival", 895000, nullptr},
            {1, "Royal Gramma", "Gramma loreto", "2021-08-09", "Coral Corner", "Excellent", 399900,
             nullptr},
            {1, "Cleaner Shrimp", "Lysmata amboinensis", "2021-08-09", "Coral Corner", "Good",
             349900, nullptr},
            {1, "Green Star Polyps", "Pachyclavularia violacea", "2021-09-30", "Frag swap", "Good",
             150000, nullptr},
            {1, "Banggai Cardinalfish", "Pterapogon kauderni", "2022-01-15", "Blue Reef Aquatics",
             "Fair", 329900, "2022-03-02"},
            {1, "Turbo Snail (x10)", "Turbo fluctuosa", "2022-02-11", "Online order", "Good",
             299500, nullptr},
            {2, "Neon Tetra (x12)", "Paracheirodon innesi", "2022-09-20", "Fin & Feather", "Good",
             239400, nullptr},
            {2, "Bronze Corydoras (x6)", "Corydoras aeneus", "2022-10-04", "Fin & Feather", "Good",
             359400, nullptr},
            {2, "Honey Gourami", "Trichogaster chuna", "2022-11-12", "Local breeder", "Excellent",
             120000, nullptr},
            {3, "Six-line Wrasse", "Pseudocheilinus hexataenia", "2023-02-01", "Coral Corner",
             "Under observation", 449900, nullptr},
        };
        for (const Stock &s : stock)
            exec(q,
                 "INSERT INTO LiveStock (TankID, CommonName, ScientificName, DateAcquired, "
                 "DateLost, AcquiredFrom, Condition, Other, InitialCost, Notes) VALUES "
                 "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                 {s.tank, s.common, s.scientific, s.acquired,
                  s.lost ? QVariant(s.lost) : QVariant(), s.from, s.condition, QVariant(), s.cost,
                  s.lost ? QVariant("Stopped eating after a week; water tests were normal.")
                         : QVariant()});

        struct Disease {
            const char *common, *scientific, *symptoms, *treatment, *notes;
        };
        const Disease diseases[] = {
            {"White spot", "Ichthyophthirius multifiliis",
             "Small white dots, like grains of salt, on the body and fins. Fish rub against "
             "rocks and breathe quickly.",
             "Raise the temperature slowly by a few degrees and treat the whole tank with a "
             "white-spot remedy for the full course, even after the spots are gone.",
             "The free-swimming stage is the one a remedy reaches; be patient."},
            {"Fin rot", "Aeromonas or Pseudomonas (bacterial)",
             "Ragged, whitish or bloody fin edges that shrink back towards the body.",
             "Improve the water first: test, change water, clean the filter. Treat with an "
             "antibacterial remedy if it does not stop within a few days.",
             ""},
            {"Marine velvet", "Amyloodinium ocellatum",
             "A fine gold or grey dust on the skin, rapid breathing, clamped fins. Fish can "
             "die within days.",
             "Move the fish to a quarantine tank and treat with copper or a freshwater dip as "
             "soon as it is seen. Leave the display tank without fish for several weeks.",
             "Fast and deadly: act on the first signs."},
            {"Swim bladder disorder", "",
             "The fish floats, sinks or swims on its side and struggles to keep its level.",
             "Feed less, and soaked or shelled peas for a few days; keep the water clean and "
             "warm.",
             ""},
            {"Dropsy", "Often bacterial; a symptom of organ failure",
             "Swollen belly, scales standing out like a pine cone, pale gills.",
             "Isolate the fish; add aquarium salt and an antibacterial remedy. The outlook is "
             "poor once the scales stand out.",
             ""},
        };
        for (const Disease &d : diseases)
            exec(q,
                 "INSERT INTO Disease (CommonName, ScientificName, Symptoms, Treatment, Notes) "
                 "VALUES (?, ?, ?, ?, ?)",
                 {d.common, d.scientific, d.symptoms, d.treatment, d.notes});

        struct Term {
            const char *term, *definition;
        };
        const Term terms[] = {
            {"Alkalinity", "How well the water resists a fall in pH; measured in dKH or meq/l."},
            {"Biological filtration",
             "Bacteria in the filter and on the rocks that turn ammonia into nitrite and nitrite "
             "into nitrate."},
            {"Cycling", "The weeks in which a new tank grows the bacteria of the nitrogen cycle."},
            {"dKH", "Degrees of carbonate hardness, a unit of alkalinity."},
            {"Live rock",
             "Rock taken from the sea or seeded in a tank, full of bacteria and small life."},
            {"Protein skimmer",
             "A column in which fine bubbles carry dissolved waste up into a cup, where it is "
             "thrown away."},
            {"Quarantine tank", "A small tank in which new fish are watched before they join "
                                "the display."},
            {"RO/DI", "Water purified by reverse osmosis and deionisation."},
            {"Specific gravity",
             "The density of the water against fresh water; 1.025 is usual for a reef."},
            {"Sump", "A tank below the display that holds the equipment and adds water volume."},
        };
        for (const Term &t : terms)
            exec(q, "INSERT INTO Glossary (Term, Definition) VALUES (?, ?)",
                 {t.term, t.definition});
        exec(q, "COMMIT");
    }
    QSqlDatabase::removeDatabase("sample");
}

QString templateFile(const QString &name) {
    // The templates beside the program, as the print dialog finds them.
    const QString beside = QCoreApplication::applicationDirPath() + "/../bin/" + name;
    if (QFile::exists(beside))
        return beside;
    return QStringLiteral(CORVELLA_SOURCE_DIR "/resources/reports/") + name;
}

// Answers the preview with a record of when its first page was painted.
class BenchDialogs : public QtDialogLayer {
public:
    int execModal(QDialog &dialog) override {
        if (auto *preview = qobject_cast<ReportPreview *>(&dialog)) {
            preview->resize(1200, 900);
            preview->show();
            // The window system shows the window first; then it is drawn.
            QElapsedTimer wait;
            wait.start();
            while (!(preview->windowHandle() && preview->windowHandle()->isExposed()) &&
                   wait.elapsed() < 5000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            firstPage = preview->renderFirstPage();
            preview->hide();
            return QDialog::Rejected;
        }
        return QDialog::Rejected;
    }
    bool firstPage = false;
};

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    std::vector<int> sizes;
    int runs = 3;
    QString pdfDir;
    bool writeHtml = false;
    for (int i = 1; i < argc; ++i) {
        const QString a = QString::fromLocal8Bit(argv[i]);
        if (a == "--runs" && i + 1 < argc)
            runs = std::max(1, atoi(argv[++i]));
        else if (a == "--html")
            writeHtml = true;
        else if (a == "--pdf-dir" && i + 1 < argc)
            pdfDir = QString::fromLocal8Bit(argv[++i]);
        else if (a.toInt() > 0)
            sizes.push_back(a.toInt());
    }
    if (sizes.empty())
        sizes = {1000};

    QTemporaryDir dir;
    if (!pdfDir.isEmpty()) {
        QDir().mkpath(pdfDir);
        const QString db = QDir(pdfDir).filePath("sample.cvl");
        QFile::remove(db);
        makeSampleDatabase(db, sizes.front());
        const std::pair<const char *, const char *> reports[] = {{"journal.rpt", "{TankID} = 1"},
                                                                 {"stock.rpt", ""},
                                                                 {"disease.rpt", ""},
                                                                 {"glossary.rpt", ""}};
        for (const auto &[file, formula] : reports) {
            ReportRequest req{templateFile(file), db, formula, QPageSize(QPageSize::Letter), {}};
            ReportError err;
            auto doc = prepareReport(req, &err);
            if (doc && writeHtml) {
                QFile f(QDir(pdfDir).filePath(QString(file) + ".html"));
                f.open(QIODevice::WriteOnly);
                f.write(doc->report().bodyHtml.toUtf8());
            }
            QString why;
            const QString pdf = QDir(pdfDir).filePath(QString(file).replace(".rpt", ".pdf"));
            if (!doc || !doc->writePdf(pdf, &why))
                out << file << ": " << err.number << " " << err.text << why << "\n";
            else
                out << pdf << ": " << doc->pageCount() << " pages\n";
        }
        return 0;
    }

    static BenchDialogs dialogs;
    setDialogLayer(&dialogs);

    out << "Report engine, journal report, median of " << runs << " runs (wall ms / CPU ms)\n";
    for (int n : sizes) {
        const QString db = dir.filePath(QStringLiteral("bench-%1.cvl").arg(n));
        makeSampleDatabase(db, n);
        const QString formula = QStringLiteral("{TankID} = 1");

        // Each step of a run: wall and CPU milliseconds.
        enum Step { Template, Query, Mustache, Layout, Pdf, PdfTotal, Preview, Steps };
        const char *const names[] = {"template",
                                     "query",
                                     "Mustache",
                                     "layout",
                                     "painting",
                                     "whole report to PDF",
                                     "preview to first page shown"};
        std::vector<double> wallMs[Steps], cpu[Steps];
        int pages = 0, parts = 0;
        for (int r = 0; r < runs; ++r) {
            QElapsedTimer total, step;
            double c0 = cpuMs(), cTotal = c0;
            total.start();
            step.start();
            auto lap = [&](Step s) {
                wallMs[s].push_back(step.nsecsElapsed() / 1e6);
                const double c = cpuMs();
                cpu[s].push_back(c - c0);
                c0 = c;
                step.restart();
            };
            ReportError err;
            const auto tmpl = ReportTemplate::load(templateFile("journal.rpt"), &err);
            lap(Template);
            auto parsed = ReportFormula::parse(formula, nullptr);
            ReportTable table;
            if (!tmpl || !parsed ||
                !readReportTable(db, tmpl->table, tmpl->order, *parsed, &table, &err)) {
                out << "Report failed: " << err.number << " " << err.text << "\n";
                return 1;
            }
            lap(Query);
            const auto rendered =
                renderReport(*tmpl, table, {QDate::currentDate(), qint64(1)}, &err);
            if (!rendered) {
                out << "Report failed: " << err.number << " " << err.text << "\n";
                return 1;
            }
            lap(Mustache);
            ReportDocument doc(*rendered, QPageSize(QPageSize::Letter));
            lap(Layout);
            QString why;
            if (!doc.writePdf(dir.filePath("bench.pdf"), &why)) {
                out << "PDF failed: " << why << "\n";
                return 1;
            }
            lap(Pdf);
            wallMs[PdfTotal].push_back(total.nsecsElapsed() / 1e6);
            cpu[PdfTotal].push_back(cpuMs() - cTotal);
            pages = doc.pageCount();
            parts = doc.partCount();

            // The preview, as the print dialog starts it, up to the first
            // page drawn in the window.
            ReportControl report;
            report.setReportFileName(templateFile("journal.rpt"));
            report.setDataFiles(0, db);
            report.setSelectionFormula(formula);
            report.setDestination(0);
            dialogs.firstPage = false;
            step.restart();
            c0 = cpuMs();
            report.PrintReport();
            lap(Preview);
            if (report.LastErrorNumber() != 0 || !dialogs.firstPage) {
                out << "Preview failed: " << report.LastErrorString() << "\n";
                return 1;
            }
        }
        using bench::median;
        out << "\n"
            << n << " entries, " << pages << " pages (Letter, landscape); read in " << parts
            << " parts by " << QThread::idealThreadCount() << " processors\n";
        for (int s = 0; s < Steps; ++s) {
            if (s == PdfTotal)
                out << "  ----\n";
            out << QString("  %1 %2 ms wall, %3 ms CPU%4\n")
                       .arg(QString::fromLatin1(names[s]) + ':', -30)
                       .arg(median(wallMs[s]), 7, 'f', 1)
                       .arg(median(cpu[s]), 7, 'f', 1)
                       .arg(s == PdfTotal  ? "   (target < 3000 ms)"
                            : s == Preview ? "   (target < 1000 ms)"
                                           : "");
        }
        out.flush();
    }
    return 0;
}
