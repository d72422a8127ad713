// The chart control's target bands, time axis and zoom: bands behind the
// series they belong to, shown and hidden, never squeezing the values;
// entries at irregular dates placed in proportion; zooming by wheel, drag,
// double click and keys, which changes what is in view and never the data.
//
// Set CORVELLA_CHART_PNGS to a folder to keep the pictures for looking at.
#include "ChartSamples.h"
#include "charts/Chart2D.h"
#include "charts/CorvChart.h"
#include "support/TestSupport.h"

#include <QAreaSeries>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QDir>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QLineSeries>
#include <QPainter>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QValueAxis>
#include <QWheelEvent>
#include <QtTest/QTest>

using namespace corv;
using namespace corv::test;

namespace {

// The widget as it shows once Qt Charts has let go of replaced axes, which
// it does on the next turn of the event loop.
void keepShown(QWidget *w, const QString &name) {
    if (qEnvironmentVariableIsEmpty("CORVELLA_CHART_PNGS"))
        return;
    QTest::qWait(50);
    keep(w->grab().toImage(), name);
}

QStringList seriesNames(const CorvChart &chart) {
    QStringList names;
    for (QAbstractSeries *s : chart.chartView()->chart()->series())
        names << (s->objectName().isEmpty() ? s->name() : s->objectName());
    return names;
}

QStringList bandNames(const CorvChart &chart) {
    QStringList names;
    for (const QString &n : seriesNames(chart))
        if (n.startsWith(QLatin1String("band:")))
            names << n.mid(5);
    return names;
}

// Points of the drawn value series, by name.
QHash<QString, int> pointCounts(const CorvChart &chart) {
    QHash<QString, int> counts;
    for (QAbstractSeries *s : chart.chartView()->chart()->series()) {
        if (s->objectName().startsWith(QLatin1String("band")))
            continue;
        if (auto *line = qobject_cast<QXYSeries *>(s))
            counts[s->name()] = int(line->count());
        else if (auto *area = qobject_cast<QAreaSeries *>(s))
            counts[s->name()] = int(area->upperSeries()->count());
        else if (auto *bars = qobject_cast<QBarSeries *>(s))
            for (QBarSet *set : bars->barSets())
                counts[set->label()] = int(set->count());
    }
    return counts;
}

QLineSeries *lineNamed(const CorvChart &chart, const QString &name) {
    for (QAbstractSeries *s : chart.chartView()->chart()->series()) {
        if (s->name() != name)
            continue;
        if (auto *line = qobject_cast<QLineSeries *>(s))
            return line;
        if (auto *area = qobject_cast<QAreaSeries *>(s))
            return area->upperSeries();
    }
    return nullptr;
}

// Where the x of a series' point lands on the screen.
double screenX(const CorvChart &chart, QXYSeries *series, int point) {
    QChart *c = chart.chartView()->chart();
    QAbstractSeries *owner = series;
    if (auto *area = qobject_cast<QAreaSeries *>(series->parent()))
        owner = area;
    return c->mapToPosition(series->at(point), owner).x();
}

ChartGrid irregularGrid() {
    // Entries on day 0, 1 and 10.
    return {{"03/01/2024", "03/02/2024", "03/11/2024"},
            {"Ammonia", "pH"},
            {"0.1", "7.2", "0.3", "7.0", "0.2", "7.1"}};
}

QVector<QDate> irregularDates() {
    return {QDate(2024, 3, 1), QDate(2024, 3, 2), QDate(2024, 3, 11)};
}

bool near(const XSpan &a, const XSpan &b) {
    return qAbs(a.lo - b.lo) < 1e-9 && qAbs(a.hi - b.hi) < 1e-9;
}

void sendWheel(QWidget *viewport, const QPoint &at, int delta) {
    QWheelEvent wheel(QPointF(at), QPointF(viewport->mapToGlobal(at)), QPoint(), QPoint(0, delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &wheel);
}

} // namespace

class TestChartView : public QObject {
    Q_OBJECT

    std::unique_ptr<CorvChart> chart;

    void show(int code, const ChartGrid &grid, const QSize &size = QSize(800, 440)) {
        chart = std::make_unique<CorvChart>();
        chart->resize(size);
        chart->setChartType(code);
        chart->setGrid(grid);
        chart->show();
        QVERIFY(QTest::qWaitForWindowExposed(chart.get()));
        QTRY_VERIFY(!chart->chartView()->chart()->series().isEmpty());
    }
    QWidget *viewport() const { return chart->chartView()->viewport(); }
    // A point of the plot a share of the way across, in viewport pixels.
    QPoint acrossPlot(double share) const {
        QChart *c = chart->chartView()->chart();
        const QRectF plot = c->plotArea();
        const QPointF scene =
            c->mapToScene(QPointF(plot.left() + share * plot.width(), plot.center().y()));
        return chart->chartView()->mapFromScene(scene);
    }
    int chartX(const QPoint &inViewport) const {
        return viewport()->mapTo(chart.get(), inViewport).x();
    }

private slots:
    void cleanup() { chart.reset(); }

    void bandsLieBehindTheirSeries() {
        show(3, weeklyGrid(20));
        // Ammonia 0..0.25, no range for nitrate, pH 6.5..7.8.
        chart->setColumnBands({{0.0, 0.25}, {}, {6.5, 7.8}});
        QTRY_COMPARE(bandNames(*chart), (QStringList{"Ammonia", "pH"}));
        // Behind the values: every band comes before the first value series.
        const QStringList names = seriesNames(*chart);
        QVERIFY(names.lastIndexOf(QRegularExpression("^band")) < names.indexOf("Ammonia"));
        // Each band wears its series' colour, see-through.
        const auto *area = qobject_cast<QAreaSeries *>(
            chart->chartView()->chart()->series().at(names.indexOf("band:pH")));
        QVERIFY(area);
        const QColor ph = lineNamed(*chart, "pH")->color();
        QCOMPARE(area->brush().color().rgb(), ph.rgb());
        QVERIFY(area->brush().color().alphaF() < 0.3);
        // The legend names only the series.
        QStringList named;
        for (const ChartLegend::Entry &e : chart->flatChart().legend().entries())
            named << e.shown;
        QCOMPARE(named, (QStringList{"Ammonia", "Nitrate", "pH"}));
        keepShown(chart.get(), "bands-line");

        // Hidden and shown again; the series stay as they were.
        const QHash<QString, int> counts = pointCounts(*chart);
        chart->setBandsVisible(false);
        QTRY_VERIFY(bandNames(*chart).isEmpty());
        QCOMPARE(pointCounts(*chart), counts);
        chart->setBandsVisible(true);
        QTRY_COMPARE(bandNames(*chart).size(), 2);

        // Every flat kind draws them; the 3D kinds draw none.
        for (int code : {1, 5, 7, 9}) {
            chart->setChartType(code);
            QTRY_COMPARE(bandNames(*chart), (QStringList{"Ammonia", "pH"}));
        }
        chart->setChartType(0);
        const QImage withBands = chart->toImage(QSize(500, 300));
        chart->setBandsVisible(false);
        QCOMPARE(chart->toImage(QSize(500, 300)), withBands);

        // No entries: an empty axis, and no band on it.
        chart->setChartType(3);
        chart->setBandsVisible(true);
        chart->setGrid({{}, {"Ammonia", "Nitrate", "pH"}, {}});
        QVERIFY(chart->flatChart().bands().isEmpty());
        QVERIFY(bandNames(*chart).isEmpty());
    }

    void bandsNeverSqueezeTheValues() {
        // pH between 7.0 and 7.2, against a band far wider.
        const ChartGrid grid{
            {"01/01/2024", "01/08/2024", "01/15/2024"}, {"pH"}, {"7.0", "7.2", "7.1"}};
        show(3, grid);
        QChart *c = chart->chartView()->chart();
        const auto yRange = [&] {
            auto *y = qobject_cast<QValueAxis *>(c->axes(Qt::Vertical).first());
            return std::pair{y->min(), y->max()};
        };
        const auto plain = yRange();
        chart->setColumnBands({{6.5, 7.8}});
        QTRY_COMPARE(bandNames(*chart).size(), 1);
        // The axis is that of the values alone; the band fills the plot.
        QCOMPARE(yRange(), plain);
        QCOMPARE(chart->flatChart().bands().size(), 1);
        QCOMPARE(chart->flatChart().bands()[0].low, plain.first);
        QCOMPARE(chart->flatChart().bands()[0].high, plain.second);

        // A band just beyond the values is taken in whole.
        chart->setColumnBands({{6.9, 7.3}});
        QTRY_VERIFY(yRange().first <= 6.9 && yRange().second >= 7.3);
        QCOMPARE(chart->flatChart().bands()[0].low, 6.9);
        QCOMPARE(chart->flatChart().bands()[0].high, 7.3);

        // An open bound reaches the axis's end; a band wholly off the axis
        // draws nothing.
        chart->setColumnBands({{7.15, std::nullopt}});
        QTRY_COMPARE(chart->flatChart().bands()[0].high, yRange().second);
        chart->setColumnBands({{20.0, 30.0}});
        QTRY_VERIFY(chart->flatChart().bands().isEmpty());
        QCOMPARE(yRange(), plain);
    }

    void entriesStandAtTheirDates() {
        for (int code : {3, 5, 7}) {
            show(code, irregularGrid());
            chart->setRowDates(irregularDates());
            QVERIFY(!chart->timeAxisShown()); // not asked for yet
            QLineSeries *line = lineNamed(*chart, "Ammonia");
            QVERIFY(line);
            if (code == 3) {
                const double x0 = screenX(*chart, line, 0), x1 = screenX(*chart, line, 1),
                             x2 = screenX(*chart, line, 2);
                QVERIFY(qAbs((x1 - x0) - (x2 - x1)) < 1); // evenly spaced
            }

            chart->setSpaceByDate(true);
            QTRY_VERIFY(chart->flatChart().timeAxis());
            QVERIFY(chart->timeAxisShown());
            line = lineNamed(*chart, "Ammonia");
            QVERIFY(line);
            // Days 0, 1 and 10: the gaps are as 1 to 9. A step's risers stand
            // halfway between entries, so its gaps are as 5 to 4.5.
            if (code == 7) {
                // Steps from the plot's left edge (half a day before day 0)
                // to its right edge (half a day after day 10), rising at
                // days 0.5 and 5.5.
                QCOMPARE(line->count(), 6);
                const double left = screenX(*chart, line, 0), rise1 = screenX(*chart, line, 1),
                             rise2 = screenX(*chart, line, 3), right = screenX(*chart, line, 5);
                const QRectF plot = chart->chartView()->chart()->plotArea();
                QVERIFY(qAbs(left - plot.left()) < 1 && qAbs(right - plot.right()) < 1);
                QVERIFY(qAbs((rise2 - rise1) / (rise1 - left) - 5.0) < 0.05);
                QVERIFY(qAbs((right - rise2) / (rise1 - left) - 5.0) < 0.05);
            } else {
                const double x0 = screenX(*chart, line, 0), x1 = screenX(*chart, line, 1),
                             x2 = screenX(*chart, line, 2);
                QVERIFY2(qAbs((x2 - x1) / (x1 - x0) - 9.0) < 0.05,
                         qPrintable(QStringLiteral("%1 %2 %3").arg(x0).arg(x1).arg(x2)));
                // The second series stands at the same places.
                QLineSeries *ph = lineNamed(*chart, "pH");
                QCOMPARE(screenX(*chart, ph, 2), x2);
            }
            // The labels are round dates on the time axis.
            QVERIFY(!chart->flatChart().labelledDates().isEmpty());
            keepShown(chart.get(), QStringLiteral("time-axis-%1").arg(code));
        }
    }

    void timeAxisOnlyWhereItApplies() {
        show(1, irregularGrid());
        chart->setRowDates(irregularDates());
        chart->setSpaceByDate(true);
        // Bars and combinations stay evenly spaced.
        for (int code : {1, 9}) {
            chart->setChartType(code);
            QTRY_VERIFY(!chart->flatChart().timeAxis());
            QVERIFY(!chart->timeAxisShown());
        }
        QVERIFY(!CorvChart::spacesByDate(0) && !CorvChart::spacesByDate(2));
        QVERIFY(CorvChart::spacesByDate(3) && CorvChart::spacesByDate(5) &&
                CorvChart::spacesByDate(7));
        // An entry without a date, or dates that do not match the rows:
        // evenly spaced, rather than a guess.
        chart->setChartType(3);
        QTRY_VERIFY(chart->flatChart().timeAxis());
        chart->setRowDates({QDate(2024, 3, 1), QDate(), QDate(2024, 3, 11)});
        QTRY_VERIFY(!chart->flatChart().timeAxis());
        chart->setRowDates({QDate(2024, 3, 1), QDate(2024, 3, 2)});
        QTRY_VERIFY(!chart->flatChart().timeAxis());
        // Entries of one day stand together.
        chart->setRowDates({QDate(2024, 3, 1), QDate(2024, 3, 1), QDate(2024, 3, 1)});
        QTRY_VERIFY(chart->flatChart().timeAxis());
        QLineSeries *line = lineNamed(*chart, "Ammonia");
        QCOMPARE(screenX(*chart, line, 0), screenX(*chart, line, 2));
    }

    void zoomChangesTheViewNeverTheData_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("byDate");
        QTest::newRow("2D Bar") << 1 << false;
        QTest::newRow("2D Line") << 3 << false;
        QTest::newRow("2D Line by date") << 3 << true;
        QTest::newRow("2D Area by date") << 5 << true;
        QTest::newRow("2D Step") << 7 << false;
        QTest::newRow("2D Combination") << 9 << false;
    }
    void zoomChangesTheViewNeverTheData() {
        QFETCH(int, code);
        QFETCH(bool, byDate);
        const ChartGrid grid = weeklyGrid(60);
        show(code, grid);
        QVector<QDate> dates;
        for (const QString &l : grid.rowLabels)
            dates << QDate::fromString(l, QStringLiteral("MM/dd/yyyy"));
        chart->setRowDates(dates);
        chart->setSpaceByDate(byDate);
        chart->setColumnBands({{0.0, 0.25}, {}, {6.5, 7.8}});
        QTRY_COMPARE(chart->flatChart().timeAxis(), byDate);
        const QHash<QString, int> counts = pointCounts(*chart);
        const XSpan full = chart->fullSpan();
        QCOMPARE(chart->viewSpan(), full);
        QVERIFY(!chart->isZoomed());
        QSignalSpy changes(chart.get(), &CorvChart::zoomChanged);

        chart->zoomIn();
        QVERIFY(chart->isZoomed());
        QVERIFY(chart->viewSpan().width() < full.width());
        QCOMPARE(chart->viewSpan().middle(), full.middle());
        chart->zoomIn();
        chart->zoomIn();
        const XSpan narrow = chart->viewSpan();
        chart->pan(-0.25);
        QVERIFY(chart->viewSpan().lo < narrow.lo);
        QCOMPARE(chart->viewSpan().width(), narrow.width());
        // The drawing's axis shows just that stretch, and the data is whole.
        QCOMPARE(chart->flatChart().viewSpan(), chart->viewSpan());
        QCOMPARE(pointCounts(*chart), counts);
        QCOMPARE(chart->grid().cells, grid.cells);
        QCOMPARE(chart->grid().rowLabels, grid.rowLabels);
        keepShown(chart.get(), QStringLiteral("zoomed-%1%2").arg(code).arg(byDate));

        // Zooming out reaches the whole and no further.
        for (int i = 0; i < 20; ++i)
            chart->zoomOut();
        QCOMPARE(chart->viewSpan(), full);
        QVERIFY(!chart->isZoomed());
        chart->zoomTo({full.lo + 3, full.lo + 10});
        QVERIFY(chart->isZoomed());
        chart->resetZoom();
        QCOMPARE(chart->viewSpan(), full);
        QCOMPARE(pointCounts(*chart), counts);
        QVERIFY(changes.count() >= 6);

        // Never narrower than two rows or days, whatever is asked.
        for (int i = 0; i < 60; ++i)
            chart->zoomIn();
        QVERIFY(qAbs(chart->viewSpan().width() - 2) < 1e-9);
    }

    void zoomByMouse() {
        show(3, weeklyGrid(60));
        const XSpan full = chart->fullSpan();
        // The wheel zooms around the pointer: what is under it stays there.
        const QPoint at = acrossPlot(0.3);
        const double under = chart->positionAt(chartX(at));
        sendWheel(viewport(), at, 120);
        QVERIFY(chart->isZoomed());
        QVERIFY(chart->viewSpan().width() < full.width());
        QVERIFY(qAbs(chart->positionAt(chartX(at)) - under) < 0.05);
        sendWheel(viewport(), at, -240);
        QCOMPARE(chart->viewSpan(), full);

        // A drag across a stretch zooms to it, dragged either way.
        const QPoint a = acrossPlot(0.2), b = acrossPlot(0.5);
        const double pa = chart->positionAt(chartX(a)), pb = chart->positionAt(chartX(b));
        QTest::mousePress(viewport(), Qt::LeftButton, {}, b);
        QTest::mouseMove(viewport(), a);
        QTest::mouseRelease(viewport(), Qt::LeftButton, {}, a);
        QVERIFY(chart->isZoomed());
        QVERIFY(qAbs(chart->viewSpan().lo - pa) < 0.05);
        QVERIFY(qAbs(chart->viewSpan().hi - pb) < 0.05);
        // A click is no drag.
        const XSpan dragged = chart->viewSpan();
        QTest::mouseClick(viewport(), Qt::LeftButton, {}, acrossPlot(0.6));
        QCOMPARE(chart->viewSpan(), dragged);
        // A double click shows the whole again.
        QTest::mouseDClick(viewport(), Qt::LeftButton, {}, acrossPlot(0.6));
        QCOMPARE(chart->viewSpan(), full);
        QVERIFY(!chart->isZoomed());
    }

    void zoomByKeys() {
        show(5, weeklyGrid(60));
        const XSpan full = chart->fullSpan();
        chart->setFocus();
        QTRY_VERIFY(chart->hasFocus());
        QTest::keyClick(chart.get(), Qt::Key_Plus);
        QVERIFY(chart->isZoomed());
        QTest::keyClick(chart.get(), Qt::Key_Equal); // + without Shift
        const XSpan two = chart->viewSpan();
        QVERIFY(two.width() < full.width() * 0.7);
        QTest::keyClick(chart.get(), Qt::Key_Right);
        QVERIFY(chart->viewSpan().lo > two.lo);
        QTest::keyClick(chart.get(), Qt::Key_Left);
        QVERIFY(near(chart->viewSpan(), two));
        QTest::keyClick(chart.get(), Qt::Key_Minus);
        QVERIFY(chart->viewSpan().width() > two.width());
        QTest::keyClick(chart.get(), Qt::Key_0);
        QCOMPARE(chart->viewSpan(), full);
        QTest::keyClick(chart.get(), Qt::Key_Plus);
        QTest::keyClick(chart.get(), Qt::Key_Home);
        QCOMPARE(chart->viewSpan(), full);

        // The 3D kinds do not zoom; their keys go to the window.
        chart->setChartType(4);
        QVERIFY(!chart->canZoom());
        QTest::keyClick(chart.get(), Qt::Key_Plus);
        QVERIFY(!chart->isZoomed());
    }

    void zoomSurvivesWhatKeepsItsMeaning() {
        const ChartGrid grid = weeklyGrid(60);
        show(3, grid);
        chart->zoomTo({10, 20});
        const XSpan z = chart->viewSpan();
        // Bands on and off, another kind on the same axis, another size.
        chart->setColumnBands({{0.0, 0.25}, {}, {6.5, 7.8}});
        QTRY_COMPARE(bandNames(*chart).size(), 2);
        QCOMPARE(chart->viewSpan(), z);
        chart->setChartType(7);
        QTRY_VERIFY(!chart->chartView()->chart()->series().isEmpty());
        QCOMPARE(chart->viewSpan(), z);
        chart->resize(600, 380);
        QTRY_COMPARE(chart->chartView()->size(), QSize(596, 376));
        QCOMPARE(chart->viewSpan(), z);

        // The picture of the chart is the zoomed one.
        const QImage zoomed = chart->toImage(QSize(600, 380));
        chart->resetZoom();
        QVERIFY(chart->toImage(QSize(600, 380)) != zoomed);
        chart->zoomTo(z);

        // New data, or days instead of rows: the whole is shown.
        chart->setGrid(grid);
        QVERIFY(!chart->isZoomed());
        chart->zoomTo(z);
        chart->setSpaceByDate(true);
        QVERIFY(!chart->isZoomed());
    }

    // A dense line, area or step chart draws one pixel column's lowest and
    // highest points (and its first and last) instead of all of them: the
    // picture must not change by a single pixel, spikes, flat runs, runs of
    // blanks (0) and long gaps between dates included.
    void decimatedChartDrawsEveryPixel() {
        const int rows = 8000;
        ChartGrid grid;
        grid.columnLabels = {QStringLiteral("Nitrate"), QStringLiteral("pH"),
                             QStringLiteral("Ammonia")};
        QVector<double> days;
        const QDate start(1990, 1, 1);
        double day = 0;
        quint32 seed = 7;
        const auto next = [&seed] { return (seed = seed * 1664525u + 1013904223u) >> 8; };
        for (int r = 0; r < rows; ++r) {
            day += (r % 2500 == 2499) ? 900 : 1 + (r % 7 == 0); // a few long gaps
            days << day;
            grid.rowLabels << dateText(start.addDays(qint64(day)));
            const bool blank = (r / 150) % 9 == 4; // runs of missing values
            const bool spike = next() % 997 == 0;
            grid.cells << (blank ? QString() : numberText(spike ? 95 : 20 + (next() % 400) / 10.0))
                       << numberText(spike ? 4.5 : 7 + (next() % 100) / 100.0)
                       << numberText(r % 1000 < 400 ? 0.25 : (next() % 50) / 100.0);
        }
        ChartContent content =
            ChartContent::fromCells(grid.rowLabels, grid.columnLabels, grid.cells);
        const QWidget w;
        const ChartStyle style =
            ChartStyle::make(w.palette(), w.font(), w.logicalDpiX(), ChartPlot(), 3);
        const QSize size(900, 420);
        struct Drawn {
            QImage image;
            qsizetype points = 0;
        };
        const auto draw = [&](int code, bool decimate) {
            QGraphicsScene scene;
            auto *qchart = new QChart;
            scene.addItem(qchart);
            qchart->setGeometry(QRectF(QPointF(0, 0), QSizeF(size)));
            Chart2D builder;
            builder.setDecimation(decimate);
            builder.build(qchart, &content, chartKind(code), style, size.width() * 0.85);
            for (int i = 0; i < 3; ++i) {
                qchart->layout()->activate();
                builder.placeLabels();
            }
            Drawn d;
            d.image = QImage(size, QImage::Format_ARGB32_Premultiplied);
            d.image.fill(Qt::white);
            QPainter p(&d.image);
            p.setRenderHint(QPainter::Antialiasing, !builder.dense());
            scene.render(&p, QRectF(QPointF(0, 0), QSizeF(size)),
                         QRectF(QPointF(0, 0), QSizeF(size)));
            for (QAbstractSeries *s : qchart->series())
                if (auto *line = qobject_cast<QLineSeries *>(s))
                    d.points += line->count();
            return d;
        };
        for (bool byDate : {false, true}) {
            content.rowDays = byDate ? days : QVector<double>();
            content.dayZero = byDate ? start.addDays(qint64(days.first())) : QDate();
            if (byDate)
                for (double &d : content.rowDays)
                    d -= days.first();
            for (int code : {3, 5, 7}) {
                const QString what =
                    QStringLiteral("kind %1%2").arg(code).arg(byDate ? " by date" : "");
                const Drawn every = draw(code, false);
                const Drawn thinned = draw(code, true);
                // Thinned for real: a handful of points per column.
                QVERIFY2(every.points >= 3 * rows, qPrintable(what));
                QVERIFY2(thinned.points < every.points / 2, qPrintable(what));
                if (thinned.image != every.image) {
                    keep(every.image, QStringLiteral("every-%1-%2").arg(code).arg(byDate));
                    keep(thinned.image, QStringLiteral("thinned-%1-%2").arg(code).arg(byDate));
                    int differ = 0;
                    for (int y = 0; y < size.height(); ++y)
                        for (int x = 0; x < size.width(); ++x)
                            differ += every.image.pixel(x, y) != thinned.image.pixel(x, y);
                    QFAIL(qPrintable(what + QStringLiteral(": %1 pixels differ").arg(differ)));
                }
            }
        }
    }

    void bandsAndTimeAxisOnADarkPalette() {
        // Keeps pictures for looking at; checks only that the bands differ
        // from the background they lie on.
        CorvChart c;
        QPalette dark = c.palette();
        dark.setColor(QPalette::Base, QColor(0x20, 0x22, 0x26));
        dark.setColor(QPalette::Text, QColor(0xe6, 0xe6, 0xe6));
        c.setPalette(dark);
        c.setChartType(3);
        const ChartGrid grid = weeklyGrid(30);
        c.setGrid(grid);
        QVector<QDate> dates;
        for (int i = 0; i < grid.rowCount(); ++i)
            dates << QDate(2023, 1, 3).addDays(i * 7 + (i % 4) * 2);
        c.setRowDates(dates);
        c.setSpaceByDate(true);
        const QImage plain = c.toImage(QSize(800, 440));
        c.setColumnBands({{0.0, 0.25}, {0.0, 40.0}, {6.5, 7.8}});
        const QImage banded = c.toImage(QSize(800, 440));
        keep(banded, "bands-dark");
        QVERIFY(banded != plain);
    }
};

QTEST_MAIN(TestChartView)
#include "tst_chartview.moc"
