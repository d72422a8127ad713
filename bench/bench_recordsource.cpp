// Speed and memory of the bound record source and of the journal window on
// large journals, each beside its floor: the same work done directly with a
// forward-only QSqlQuery on the same file.
//
//   QT_QPA_PLATFORM=offscreen ./bench_recordsource [sizes...]
//
// Sizes default to 1000 10000 100000 entries of one tank, dated over years,
// with random values; only the last entry has the note the find looks for.
#include "BenchSupport.h"
#include "app/CorvModule.h"
#include "app/mdiCorvella.h"
#include "data/DatabaseFile.h"
#include "data/RecordSources.h"
#include "forms/DataControl.h"
#include "forms/Windows.h"
#include "forms/frmJournal.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace corv;

namespace {

QTextStream out(stdout);

// Median of `runs` timings of `work`, in milliseconds.
double median(int runs, const std::function<void()> &work,
              const std::function<void()> &before = {}) {
    return bench::measure(runs, work, before).wall;
}

void makeJournal(const QString &path, int entries) {
    QRandomGenerator rng(42);
    const QDate start(1995, 1, 1);
    bench::makeJournal(path, {QStringLiteral("INSERT INTO Tank (TankName) VALUES ('Bench')")},
                       entries + 1, [&](int i, bench::JournalRow &row) {
                           if (i == entries) {
                               // The one entry the find is after: the last by date.
                               row.date = QStringLiteral("2199-07-04");
                               row.notes = QStringLiteral("needle in the notes");
                               for (QVariant &v : row.values)
                                   v = 7.0;
                               return;
                           }
                           // Several tests a day over the years, in no particular order of
                           // storing: the journal sorts them by date.
                           const int day = int(rng.bounded(quint32(std::max(entries / 3, 30))));
                           row.date = start.addDays(day).toString(QStringLiteral("yyyy-MM-dd"));
                           row.notes = QStringLiteral("routine test");
                           for (QVariant &v : row.values)
                               v = double(rng.bounded(1000)) / 100.0;
                       });
}

struct Row {
    QString what;
    double ours, floor;
    double perEntryUs; // ours / entries, in microseconds (0: not per entry)
};

// A data control bound like the journal window's, with 23 boxes.
struct Bound {
    DataControl dc;
    std::vector<std::unique_ptr<QLineEdit>> boxes;
    int repositions = 0;
    Bound(const QString &db) {
        dc.setDatabaseName(db);
        dc.setRecordSource(sources::journal(QStringLiteral("1")));
        for (const QString &f : bench::valueFields()) {
            boxes.push_back(std::make_unique<QLineEdit>());
            dc.bind(boxes.back().get(), f);
        }
        for (const char *f : {"ID", "TankID", "EntryDate"}) {
            boxes.push_back(std::make_unique<QLineEdit>());
            dc.bind(boxes.back().get(), QString::fromLatin1(f));
        }
        dc.onReposition = [this] { ++repositions; };
    }
};

void benchSize(const QString &folder, int entries, QVector<Row> &rows, QVector<long> &memory) {
    const QString db = folder + QStringLiteral("/J%1.CVL").arg(entries);
    makeJournal(db, entries);
    const int n = entries + 1;

    QSqlDatabase direct =
        QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("floor"));
    direct.setDatabaseName(db);
    direct.open();
    const QString keysSql = QStringLiteral(
        "SELECT \"ID\" FROM \"Journal\" WHERE \"TankID\" = 1 ORDER BY \"EntryDate\", \"ID\"");
    QSqlQuery rowQuery(direct);
    rowQuery.setForwardOnly(true);
    rowQuery.prepare(QStringLiteral("SELECT * FROM \"Journal\" WHERE \"ID\" = ?"));
    std::vector<qint64> keys;
    auto floorRefresh = [&] {
        keys.clear();
        QSqlQuery q(direct);
        q.setForwardOnly(true);
        q.exec(keysSql);
        while (q.next())
            keys.push_back(q.value(0).toLongLong());
        rowQuery.bindValue(0, keys.front());
        rowQuery.exec();
        rowQuery.next();
        for (int c = 0; c < 24; ++c)
            rowQuery.value(c);
        rowQuery.finish();
    };
    auto fetchRow = [&](qint64 id) {
        rowQuery.bindValue(0, id);
        rowQuery.exec();
        rowQuery.next();
        for (int c = 0; c < 24; ++c)
            rowQuery.value(c);
        rowQuery.finish();
    };
    floorRefresh(); // warm the file cache for both sides

    Bound b(db);
    bench::resetPeakMemory();
    const long before = bench::statusKb("VmRSS:");
    const double refresh = median(5, [&] { b.dc.Refresh(); });
    const long afterRefresh = bench::statusKb("VmHWM:");
    const double refreshFloor = median(5, floorRefresh);
    rows.push_back(
        {QStringLiteral("Refresh to first Reposition"), refresh, refreshFloor, refresh * 1000 / n});

    const double last = median(
        9, [&] { b.dc.Recordset().MoveLast(); }, [&] { b.dc.Recordset().MoveFirst(); });
    const double lastFloor = median(9, [&] { fetchRow(keys.back()); });
    rows.push_back({QStringLiteral("MoveLast"), last, lastFloor, 0});

    const int moves = std::min(1000, n - 1);
    const double next = median(
        3,
        [&] {
            for (int i = 0; i < moves; ++i)
                b.dc.Recordset().MoveNext();
        },
        [&] { b.dc.Recordset().MoveFirst(); });
    const double nextFloor = median(3, [&] {
        for (int i = 1; i <= moves; ++i)
            fetchRow(keys[size_t(i)]);
    });
    rows.push_back({QStringLiteral("1,000 MoveNext"), next, nextFloor, 0});

    const QString criterion = QStringLiteral("Notes LIKE '*needle*'");
    bool found = false;
    const double find = median(3, [&] {
        b.dc.Recordset().FindFirst(criterion);
        found = b.dc.Recordset().AbsolutePosition() == n - 1;
    });
    if (!found)
        qFatal("FindFirst did not reach the last entry");
    const double findFloor = median(3, [&] {
        QSqlQuery q(direct);
        q.setForwardOnly(true);
        q.exec(
            QStringLiteral("SELECT \"ID\" FROM \"Journal\" WHERE \"TankID\" = 1 AND \"Notes\" LIKE "
                           "'%needle%' ORDER BY \"EntryDate\", \"ID\" LIMIT 1"));
        q.next();
    });
    rows.push_back(
        {QStringLiteral("FindFirst LIKE, last entry"), find, findFloor, find * 1000 / n});

    const double add = median(5, [&] {
        b.dc.Recordset().AddNew();
        b.boxes[21]->setText(QStringLiteral("1")); // TankID, as the window fills it
        b.dc.UpdateRecord();
    });
    QSqlQuery insert(direct);
    insert.prepare(QStringLiteral("INSERT INTO \"Journal\" (\"TankID\") VALUES (?)"));
    const double addFloor = median(5, [&] {
        insert.bindValue(0, 1);
        insert.exec();
    });
    insert.finish();
    rows.push_back({QStringLiteral("AddNew + UpdateRecord"), add, addFloor, 0});
    memory << (afterRefresh - before);

    rowQuery.finish();
    rowQuery = QSqlQuery();
    b.dc.DatabaseClose();
    direct.close();
    direct = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("floor"));
}

// The journal window on the largest journal: opening to the first record
// shown, and record moves through its navigation bar with its handlers.
void benchWindow(const QString &folder, int entries) {
    const QString db = folder + QStringLiteral("/W%1.CVL").arg(entries);
    makeJournal(db, entries);
    CorvModule::reset();
    CorvModule::DatabasePath = db;
    CorvModule::CurrentTankID = QStringLiteral("1");
    CorvModule::ActiveForm = CorvModule::NoOne;
    registerRecordWindows();
    mdiCorvella main;
    main.show();
    QApplication::processEvents();
    std::vector<double> opens;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer t;
        t.start();
        main.mnuJournal_Click();
        opens.push_back(t.nsecsElapsed() / 1e6);
        auto *j = dynamic_cast<frmJournal *>(Forms::get(FormKind::Journal));
        if (!j || j->JournalData->Recordset().RecordCount() != entries + 1)
            qFatal("the journal did not open on every entry");
        if (i < 4)
            j->cmdClose_Click();
        QApplication::processEvents();
    }
    std::sort(opens.begin(), opens.end());
    auto *j = dynamic_cast<frmJournal *>(Forms::get(FormKind::Journal));
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < 1000; ++i)
        j->JournalData->clickNext();
    const double moves = t.nsecsElapsed() / 1e6;
    out << QStringLiteral("\nJournal window, %1 entries (offscreen):\n").arg(entries);
    out << QStringLiteral("  open to the first record shown: %1 ms (median of 5)\n")
               .arg(opens[2], 0, 'f', 1);
    out << QStringLiteral("  1,000 moves through the navigation bar: %1 ms, %2 ms per move\n")
               .arg(moves, 0, 'f', 1)
               .arg(moves / 1000, 0, 'f', 3);
    out.flush();
    j->cmdClose_Click();
}

// Answers nothing and shows nothing: the benchmark runs unattended.
class SilentDialogs : public DialogLayer {
public:
    MsgResult message(const MessageRequest &r) override { return r.defaultButton; }
    std::optional<QString> openFile(const FileRequest &) override { return std::nullopt; }
    std::optional<QString> saveFile(const FileRequest &) override { return std::nullopt; }
    bool startProgram(const QString &, const QStringList &) override { return false; }
    void setWaitCursor(bool) override {}
    int execModal(QDialog &) override { return 0; }
};

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       dir.filePath(QStringLiteral("config")));
    SilentDialogs silent;
    setDialogLayer(&silent);
    QList<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes << QString::fromLatin1(argv[i]).toInt();
    if (sizes.isEmpty())
        sizes = {1000, 10000, 100000};

    out << "Bound record source against a forward-only QSqlQuery on the same file\n"
           "(milliseconds, medians; floor = the same work done directly).\n\n";
    out << QStringLiteral("%1 %2 %3 %4 %5 %6\n")
               .arg(QStringLiteral("entries"), 8)
               .arg(QStringLiteral("operation"), -28)
               .arg(QStringLiteral("ours"), 9)
               .arg(QStringLiteral("floor"), 9)
               .arg(QStringLiteral("ratio"), 6)
               .arg(QStringLiteral("us/entry"), 9);
    QVector<long> memory;
    for (int n : sizes) {
        QVector<Row> rows;
        benchSize(dir.path(), n, rows, memory);
        for (const Row &r : rows)
            out << QStringLiteral("%1 %2 %3 %4 %5 %6\n")
                       .arg(n, 8)
                       .arg(r.what, -28)
                       .arg(r.ours, 9, 'f', 3)
                       .arg(r.floor, 9, 'f', 3)
                       .arg(r.floor > 0 ? r.ours / r.floor : 0.0, 6, 'f', 2)
                       .arg(r.perEntryUs > 0 ? QString::number(r.perEntryUs, 'f', 3)
                                             : QStringLiteral("-"),
                            9);
        out.flush();
    }
    out << "\nPeak memory growth while opening (VmHWM after Refresh - VmRSS before):\n";
    for (int i = 0; i < sizes.size(); ++i)
        out << QStringLiteral("  %1 entries: %2 MB\n")
                   .arg(sizes[i], 7)
                   .arg(memory[i] / 1024.0, 0, 'f', 1);
    out.flush();
    benchWindow(dir.path(), sizes.last());
    setDialogLayer(nullptr);
    return 0;
}
