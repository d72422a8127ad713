// What the benchmarks share: timing (wall-clock and CPU, medians of runs)
// and making a database with a journal to measure on.
#pragma once

#include "data/Catalogue.h"
#include "data/DatabaseFile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <algorithm>
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

// A figure of /proc/self/status ("VmRSS:", "VmHWM:"), in kB; -1 where
// there is none (not Linux).
inline long statusKb(const char *key) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').first().toLong();
    return -1;
}

// Starts the peak memory ("VmHWM:") again from what the process holds now.
inline void resetPeakMemory() {
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
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

// The measured values of a journal entry, in the table's spelling and the
// catalogue's order.
inline const QStringList &valueFields() {
    static const QStringList fields = [] {
        QStringList f;
        for (const JournalValue &v : journalValues())
            f << v.field.name;
        return f;
    }();
    return fields;
}

// The place of a value in valueFields(); a name that is none ends the
// benchmark.
inline int valueIndex(const QString &field) {
    const int i = int(valueFields().indexOf(field));
    if (i < 0)
        qFatal("no journal value %s", qPrintable(field));
    return i;
}

// One journal entry to store; values left null are not measured.
struct JournalRow {
    int tank = 1;
    QString date; // yyyy-mm-dd
    QVariant notes;
    QVector<QVariant> values = QVector<QVariant>(valueFields().size()); // in valueFields() order
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
        cols << valueFields();
        q.prepare(
            QStringLiteral("INSERT INTO Journal (%1) VALUES (%2)")
                .arg(cols.join(u','), QStringList(cols.size(), QStringLiteral("?")).join(u',')));
        for (int i = 0; i < entries; ++i) {
            JournalRow row;
            make(i, row);
            q.bindValue(0, row.tank);
            q.bindValue(1, row.date);
            q.bindValue(2, row.notes);
            for (int v = 0; v < row.values.size(); ++v)
                q.bindValue(3 + v, row.values[v]);
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
