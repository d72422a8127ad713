// What the benchmarks share: timing (wall-clock and CPU, medians of runs)
// and making a database with a journal to measure on.
#pragma once

#include "data/DatabaseFile.h"

#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>
#include <algorithm>
#include <array>
#include <ctime>
#include <functional>
#include <vector>

namespace corv::bench {

// Processor time of the whole process so far (all its threads), in ms.
inline double cpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

inline double median(std::vector<double> v) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

struct Timing {
    double wall = 0, cpu = 0; // milliseconds
};

// Medians of `runs` runs of `work`; `before` runs ahead of each, untimed.
// The CPU time is what a machine shared with other work inflates far less.
inline Timing measure(int runs, const std::function<void()> &work,
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
    return {median(wall), median(cpu)};
}

// The twenty measured values of a journal entry, in the table's spelling.
inline const std::array<const char *, 20> &valueFields() {
    static const std::array<const char *, 20> fields = {
        "Alkalinity",      "Ammonia",         "Calcium",   "CarbonDioxide", "Copper",
        "DissolvedOxygen", "Hardness",        "Iodine",    "Iron",          "Lead",
        "Magnesium",       "Molybdenum",      "Nitrate",   "Nitrite",       "PH",
        "Phosphate",       "SpecificGravity", "Strontium", "Temprature",    "Zinc"};
    return fields;
}

// One journal entry to store; values left null are not measured.
struct JournalRow {
    int tank = 1;
    QString date; // yyyy-mm-dd
    QVariant notes;
    std::array<QVariant, 20> values; // in valueFields() order
};

// Makes a new database at `path`, runs `setup` (tanks, say) and stores
// `entries` journal entries, each made by `make`, in one transaction. A
// failure ends the benchmark.
inline void makeJournal(const QString &path, const QStringList &setup, int entries,
                        const std::function<void(int i, JournalRow &row)> &make) {
    QString error;
    if (!createDatabase(path, &error))
        qFatal("%s", qPrintable(error));
    const QString connection = QStringLiteral("bench-fill");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        if (!db.open())
            qFatal("%s", qPrintable(db.lastError().text()));
        auto exec = [&](QSqlQuery &q, const QString &sql) {
            if (!q.exec(sql))
                qFatal("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
        };
        QSqlQuery q(db);
        for (const QString &sql : setup)
            exec(q, sql);
        exec(q, QStringLiteral("BEGIN"));
        QStringList cols = {QStringLiteral("TankID"), QStringLiteral("EntryDate"),
                            QStringLiteral("Notes")};
        for (const char *f : valueFields())
            cols << QString::fromLatin1(f);
        q.prepare(
            QStringLiteral("INSERT INTO Journal (%1) VALUES (%2)")
                .arg(cols.join(u','), QStringList(cols.size(), QStringLiteral("?")).join(u',')));
        for (int i = 0; i < entries; ++i) {
            JournalRow row;
            make(i, row);
            q.bindValue(0, row.tank);
            q.bindValue(1, row.date);
            q.bindValue(2, row.notes);
            for (int v = 0; v < 20; ++v)
                q.bindValue(3 + v, row.values[size_t(v)]);
            if (!q.exec())
                qFatal("journal entry %d: %s", i, qPrintable(q.lastError().text()));
        }
        QSqlQuery commit(db);
        exec(commit, QStringLiteral("COMMIT"));
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
}

} // namespace corv::bench
