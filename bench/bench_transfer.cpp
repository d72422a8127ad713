// Speed of journal export and import on large journals: export to a CSV
// file, then analyse (read and check every row) and commit (store all rows
// in one transaction) into an empty tank.
//
//   ./bench_transfer [sizes...]
//
// Sizes default to 1000 10000 100000 entries, each with all twenty values
// and a note; every tenth note spans two lines and holds a comma and quotes.
#include "data/DatabaseFile.h"
#include "data/Transfer.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <ctime>
#include <functional>
#include <vector>

using namespace corv;

namespace {

QTextStream out(stdout);

const char *const valueFields[] = {
    "Alkalinity",      "Ammonia",         "Calcium",   "CarbonDioxide", "Copper",
    "DissolvedOxygen", "Hardness",        "Iodine",    "Iron",          "Lead",
    "Magnesium",       "Molybdenum",      "Nitrate",   "Nitrite",       "PH",
    "Phosphate",       "SpecificGravity", "Strontium", "Temprature",    "Zinc"};

void makeJournal(const QString &path, int entries) {
    QString error;
    if (!createDatabase(path, &error))
        qFatal("%s", qPrintable(error));
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
        db.setDatabaseName(path);
        db.open();
        QSqlQuery q(db);
        q.exec(QStringLiteral("INSERT INTO Tank (ID, TankName) VALUES (1, 'Full'), (2, 'Empty')"));
        q.exec(QStringLiteral("BEGIN"));
        QStringList cols = {QStringLiteral("TankID"), QStringLiteral("EntryDate"),
                            QStringLiteral("Notes")};
        QStringList marks = {"?", "?", "?"};
        for (const char *f : valueFields) {
            cols << QString::fromLatin1(f);
            marks << QStringLiteral("?");
        }
        q.prepare(QStringLiteral("INSERT INTO Journal (%1) VALUES (%2)")
                      .arg(cols.join(u','), marks.join(u',')));
        QRandomGenerator rng(42);
        const QDate start(1995, 1, 1);
        for (int i = 0; i < entries; ++i) {
            q.bindValue(0, 1);
            q.bindValue(1, start.addDays(i / 3).toString(QStringLiteral("yyyy-MM-dd")));
            q.bindValue(2, i % 10 ? QStringLiteral("routine test")
                                  : QStringLiteral("water change, 25%\nadded \"buffer\""));
            for (int v = 0; v < 20; ++v)
                q.bindValue(3 + v, double(rng.bounded(100000)) / 1000.0);
            q.exec();
        }
        QSqlQuery(db).exec(QStringLiteral("COMMIT"));
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fill"));
}

void clearTank(const QString &path, int tank) {
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("clear"));
        db.setDatabaseName(path);
        db.open();
        QSqlQuery(db).exec(QStringLiteral("DELETE FROM Journal WHERE TankID = %1").arg(tank));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("clear"));
}

double cpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

struct Timing {
    double wall; // elapsed
    double cpu;  // of this process: what a busy machine does not inflate
};

// Medians of `runs` timings of `work`, in milliseconds.
Timing median(int runs, const std::function<void()> &work,
              const std::function<void()> &before = {}) {
    std::vector<double> wall, cpu;
    for (int i = 0; i < runs; ++i) {
        if (before)
            before();
        QElapsedTimer timer;
        const double c0 = cpuMs();
        timer.start();
        work();
        wall.push_back(timer.nsecsElapsed() / 1e6);
        cpu.push_back(cpuMs() - c0);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return {wall[wall.size() / 2], cpu[cpu.size() / 2]};
}

QString cell(const Timing &t) {
    return QStringLiteral("%1 (%2)").arg(t.wall, 0, 'f', 0).arg(t.cpu, 0, 'f', 0);
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QList<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes << QString::fromLatin1(argv[i]).toInt();
    if (sizes.isEmpty())
        sizes = {1000, 10000, 100000};

    out << "Journal export and import: milliseconds elapsed (and CPU), medians of 5 runs;\n"
           "3 for 100000 entries and more.\n\n";
    out << QStringLiteral("%1 %2 %3 %4 %5 %6\n")
               .arg(QStringLiteral("entries"), 8)
               .arg(QStringLiteral("file KB"), 8)
               .arg(QStringLiteral("export"), 14)
               .arg(QStringLiteral("analyse"), 14)
               .arg(QStringLiteral("commit"), 14)
               .arg(QStringLiteral("import"), 14);
    out.flush();
    for (int n : sizes) {
        const QString db = dir.filePath(QStringLiteral("bench-%1.cvl").arg(n));
        const QString csv = dir.filePath(QStringLiteral("bench-%1.csv").arg(n));
        makeJournal(db, n);
        const int runs = n >= 100000 ? 3 : 5;

        const Timing exportMs = median(runs, [&] {
            const TransferResult r = exportCsvFile(db, TransferTable::Journal, "1", csv);
            if (!r.ok || r.records != n)
                qFatal("export failed: %s", qPrintable(r.error));
        });
        const Timing analyseMs = median(runs, [&] {
            CsvImport imp(TransferTable::Journal);
            if (!imp.analyseFile(csv) || imp.acceptedCount() != n)
                qFatal("analyse failed");
        });
        CsvImport imp(TransferTable::Journal);
        imp.analyseFile(csv);
        const Timing commitMs = median(
            runs,
            [&] {
                const TransferResult r = imp.commit(db, "2");
                if (!r.ok || r.records != n)
                    qFatal("commit failed: %s", qPrintable(r.error));
            },
            [&] { clearTank(db, 2); });
        const double kb = QFile(csv).size() / 1024.0;
        const Timing import{analyseMs.wall + commitMs.wall, analyseMs.cpu + commitMs.cpu};
        out << QStringLiteral("%1 %2 %3 %4 %5 %6\n")
                   .arg(n, 8)
                   .arg(kb, 8, 'f', 0)
                   .arg(cell(exportMs), 14)
                   .arg(cell(analyseMs), 14)
                   .arg(cell(commitMs), 14)
                   .arg(cell(import), 14);
        out.flush();
    }
    out << "\nimport = analyse + commit; the aim is under 2000 ms for 10000 entries.\n";
    return 0;
}
