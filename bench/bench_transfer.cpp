// Speed of journal export and import on large journals: export to a CSV
// file, then analyse (read and check every row) and commit (store all rows
// in one transaction) into an empty tank.
//
//   ./bench_transfer [sizes...]
//
// Sizes default to 1000 10000 100000 entries, each with all twenty values
// and a note; every tenth note spans two lines and holds a comma and quotes.
#include "BenchSupport.h"
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

void makeJournal(const QString &path, int entries) {
    QRandomGenerator rng(42);
    const QDate start(1995, 1, 1);
    bench::makeJournal(
        path, {QStringLiteral("INSERT INTO Tank (ID, TankName) VALUES (1, 'Full'), (2, 'Empty')")},
        entries, [&](int i, bench::JournalRow &row) {
            row.date = start.addDays(i / 3).toString(QStringLiteral("yyyy-MM-dd"));
            row.notes = i % 10 ? QStringLiteral("routine test")
                               : QStringLiteral("water change, 25%\nadded \"buffer\"");
            for (QVariant &v : row.values)
                v = double(rng.bounded(100000)) / 1000.0;
        });
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

using bench::Timing;

// Medians of `runs` timings of `work`, in milliseconds.
Timing median(int runs, const std::function<void()> &work,
              const std::function<void()> &before = {}) {
    return bench::measure(runs, work, before);
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
    out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7\n")
               .arg(QStringLiteral("entries"), 8)
               .arg(QStringLiteral("file KB"), 8)
               .arg(QStringLiteral("export"), 14)
               .arg(QStringLiteral("analyse"), 14)
               .arg(QStringLiteral("stored?"), 14)
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
        // The check for records stored already, at its dearest: against the
        // tank the file came from, where every row is found.
        const Timing storedMs = median(runs, [&] {
            CsvImport again(TransferTable::Journal);
            again.analyseFile(csv);
            if (again.leaveOutStored(db, "1") != n)
                qFatal("the check for stored records missed some");
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
        const Timing check{std::max(0.0, storedMs.wall - analyseMs.wall),
                           std::max(0.0, storedMs.cpu - analyseMs.cpu)};
        const Timing import{analyseMs.wall + check.wall + commitMs.wall,
                            analyseMs.cpu + check.cpu + commitMs.cpu};
        out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7\n")
                   .arg(n, 8)
                   .arg(kb, 8, 'f', 0)
                   .arg(cell(exportMs), 14)
                   .arg(cell(analyseMs), 14)
                   .arg(cell(check), 14)
                   .arg(cell(commitMs), 14)
                   .arg(cell(import), 14);
        out.flush();
    }
    out << "\nstored? = leaving out the records stored already, against a tank holding them\n"
           "all; import = analyse + stored? + commit; the aim is under 2000 ms for 10000\n"
           "entries.\n";
    return 0;
}
