// Speed of a chart run on a large journal: from the record source of the
// run to the picture drawn, for every chart type, step by step; then the
// flat types again with target bands and a time axis.
//
//   QT_QPA_PLATFORM=offscreen ./bench_chart [entries] [width] [height] [codes]
//
// Defaults: 10000 weekly-ish entries of one tank with Ammonia, Nitrate and
// pH (as the chart window opens), drawn 900 x 520, every type (codes: a
// comma-separated list such as 0,3).
#include "BenchSupport.h"
#include "charts/ChartData.h"
#include "charts/CorvChart.h"
#include "data/DatabaseFile.h"
#include "data/RecordSet.h"

#include <QApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QImage>
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

// Median wall-clock time of `runs` runs, in milliseconds; `cpu` receives the
// median processor time.
double median(int runs, const std::function<void()> &work, double *cpu = nullptr) {
    const bench::Timing t = bench::measure(runs, work);
    if (cpu)
        *cpu = t.cpu;
    return t.wall;
}

void makeJournal(const QString &path, int entries) {
    QRandomGenerator rng(7);
    const QDate start(1990, 1, 1);
    const int ammonia = bench::valueIndex("Ammonia"), calcium = bench::valueIndex("Calcium"),
              nitrate = bench::valueIndex("Nitrate"), ph = bench::valueIndex("PH");
    bench::makeJournal(path, {QStringLiteral("INSERT INTO Tank (TankName) VALUES ('Bench')")},
                       entries, [&](int i, bench::JournalRow &row) {
                           row.date = start.addDays(i).toString(QStringLiteral("yyyy-MM-dd"));
                           row.notes = QStringLiteral("routine");
                           row.values[ammonia] = double(rng.bounded(100)) / 100.0;
                           row.values[nitrate] = double(rng.bounded(800)) / 10.0;
                           row.values[ph] = 6.5 + double(rng.bounded(150)) / 100.0;
                           row.values[calcium] = double(380 + rng.bounded(80));
                       });
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int entries = args.size() > 1 ? args[1].toInt() : 10000;
    const QSize size(args.size() > 2 ? args[2].toInt() : 900,
                     args.size() > 3 ? args[3].toInt() : 520);

    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("CHART.CVL"));
    makeJournal(db, entries);
    const QVector<bool> ticked = defaultChartSelection();

    // The steps of one run, each on its own.
    RecordSet rs;
    ChartQuery query;
    QVector<JournalChartRow> rows;
    ChartGrid grid;
    const double plan = median(9, [&] { query = planChartQuery("1", "", ""); });
    const double open = median(5, [&] { rs.open(db, query.recordSource); });
    const double readEach = median(3, [&] { rows = readChartRows(rs, ticked); });
    const double read = median(5, [&] { rows = queryChartRows(rs, query.recordSource, ticked); });
    const double build = median(5, [&] { grid = buildChartGrid(rows, ticked); });
    // What the chart window does instead: the values read as numbers.
    ChartRead numbers;
    const double readNumbers =
        median(5, [&] { numbers = readChartContent(rs, query.recordSource, ticked); });
    CorvChart chart;
    chart.resize(size);
    const double fill = median(5, [&] {
        chart.setGrid(grid);
        (void)chart.content();
    });

    out << "Chart of " << entries << " entries x " << grid.columnCount() << " parameters, "
        << size.width() << " x " << size.height() << " px (median ms)\n";
    out << QStringLiteral("  record source text   %1\n").arg(plan, 8, 'f', 2);
    out << QStringLiteral("  open (run query)     %1\n").arg(open, 8, 'f', 2);
    out << QStringLiteral("  read rows one by one %1  (not counted)\n").arg(readEach, 8, 'f', 2);
    out << QStringLiteral("  read rows at once    %1\n").arg(read, 8, 'f', 2);
    out << QStringLiteral("  build grid           %1\n").arg(build, 8, 'f', 2);
    out << QStringLiteral("  hand grid to chart   %1\n").arg(fill, 8, 'f', 2);
    out << QStringLiteral("  read as numbers      %1  (instead of the three above)\n")
               .arg(readNumbers, 8, 'f', 2);
    const double data = plan + open + read + build + fill;
    out << QStringLiteral("  data total           %1\n\n").arg(data, 8, 'f', 2);

    out << "  type              draw   whole run (query to image)   its CPU time\n";
    QList<int> codes;
    for (const QString &c : args.value(4).split(QLatin1Char(','), Qt::SkipEmptyParts))
        codes << c.toInt();
    if (codes.isEmpty())
        codes = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    for (int code : codes) {
        chart.setChartType(code);
        QImage img;
        const double draw = median(5, [&] { img = chart.toImage(size); });
        // The whole run again, end to end, as the Chart button makes it.
        double cpu = 0;
        const double whole = median(
            5,
            [&] {
                RecordSet r;
                const ChartQuery q = planChartQuery("1", "", "");
                r.open(db, q.fieldsSource);
                CorvChart c;
                c.resize(size);
                c.setChartType(code);
                c.setContent(readChartContent(r, q.recordSource, ticked).content);
                img = c.toImage(size);
            },
            &cpu);
        out << QStringLiteral("  %1 %2 %3 %4\n")
                   .arg(chartTypeItems()[code], -15)
                   .arg(draw, 8, 'f', 1)
                   .arg(whole, 10, 'f', 1)
                   .arg(cpu, 22, 'f', 1);
        out.flush();
    }

    // The same drawings with a target band behind every series and, where
    // it applies, the entries placed by their dates.
    chart.setColumnBands({{0.0, 0.25}, {0.0, 40.0}, {6.5, 7.8}});
    chart.setRowDates(chartRowDates(rows));
    chart.setSpaceByDate(true);
    out << "\n  with bands (and by date)   draw\n";
    for (int code : codes) {
        if (CorvChart::is3D(code))
            continue;
        chart.setChartType(code);
        QImage img;
        const double draw = median(5, [&] { img = chart.toImage(size); });
        out << QStringLiteral("  %1 %2\n").arg(chartTypeItems()[code], -15).arg(draw, 8, 'f', 1);
        out.flush();
    }
    return 0;
}
