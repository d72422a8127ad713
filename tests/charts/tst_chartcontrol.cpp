// The charting control: its data grid filled cell by cell, the repaint and
// legend switches, every chart type drawn offscreen, 3D that looks 3D, axis
// labels that never collide, tool tips that name what lies under the mouse,
// and colours that follow the palette.
//
// Set CORVELLA_CHART_PNGS to a folder to keep the pictures for looking at.
#include "ChartSamples.h"
#include "charts/Chart2D.h"
#include "charts/CorvChart.h"
#include "support/TestSupport.h"

#include <QAbstractSeries>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QDir>
#include <QGraphicsTextItem>
#include <QHelpEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QSet>
#include <QToolTip>
#include <QtTest/QTest>

using namespace corv;
using namespace corv::test;

namespace {

QString typeName(int code) {
    return chartTypeItems().at(code).toLower().replace(QLatin1Char(' '), QLatin1Char('-'));
}

// Share of pixels that differ between two pictures of one size.
double differingShare(const QImage &a, const QImage &b) {
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    qint64 diff = 0;
    for (int r = 0; r < x.height(); ++r) {
        const QRgb *p = reinterpret_cast<const QRgb *>(x.constScanLine(r));
        const QRgb *q = reinterpret_cast<const QRgb *>(y.constScanLine(r));
        for (int c = 0; c < x.width(); ++c)
            diff += p[c] != q[c];
    }
    return double(diff) / (qint64(x.width()) * x.height());
}

// Pixels within `tolerance` of a colour.
int pixelsNear(const QImage &img, const QColor &c, int tolerance = 6) {
    const QImage x = img.convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int r = 0; r < x.height(); ++r) {
        const QRgb *p = reinterpret_cast<const QRgb *>(x.constScanLine(r));
        for (int i = 0; i < x.width(); ++i)
            n += std::abs(qRed(p[i]) - c.red()) <= tolerance &&
                 std::abs(qGreen(p[i]) - c.green()) <= tolerance &&
                 std::abs(qBlue(p[i]) - c.blue()) <= tolerance;
    }
    return n;
}

int distinctColours(const QImage &img) {
    const QImage x = img.convertToFormat(QImage::Format_RGB32);
    QSet<QRgb> seen;
    for (int r = 0; r < x.height(); r += 2) {
        const QRgb *p = reinterpret_cast<const QRgb *>(x.constScanLine(r));
        for (int i = 0; i < x.width(); i += 2)
            seen.insert(p[i]);
    }
    return int(seen.size());
}

bool overlapFree(QVector<QRectF> rects) {
    std::sort(rects.begin(), rects.end(),
              [](const QRectF &a, const QRectF &b) { return a.left() < b.left(); });
    for (int i = 1; i < rects.size(); ++i)
        if (rects[i].intersects(rects[i - 1]))
            return false;
    return true;
}

// Every tip found on a grid of points over the widget, each checked
// against the data: the series, value and date must be those of one cell.
QSet<QString> tipsOver(const CorvChart &chart, const ChartGrid &grid) {
    QSet<QString> series;
    for (int y = 0; y < chart.height(); y += 3) {
        for (int x = 0; x < chart.width(); x += 3) {
            const QString tip = chart.toolTipAt(QPoint(x, y));
            if (tip.isEmpty())
                continue;
            const QStringList lines = tip.split(QLatin1Char('\n'));
            if (lines.size() != 2)
                return {QStringLiteral("bad tip: ") + tip};
            const QString name = lines[0].section(QStringLiteral(": "), 0, 0);
            const QString value = lines[0].section(QStringLiteral(": "), 1);
            const int column = int(grid.columnLabels.indexOf(name));
            const int row = int(grid.rowLabels.indexOf(lines[1]));
            if (column < 0 || row < 0 || grid.cell(row, column) != value)
                return {QStringLiteral("tip not in the data: ") + tip};
            series.insert(name);
        }
    }
    return series;
}

} // namespace

class TestChartControl : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;

private slots:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    void gridFilledCellByCell() {
        // The way a data control fills the chart: size, then row by row.
        const ChartGrid want = weeklyGrid(5);
        CorvChart chart;
        chart.setRepaintEnabled(false);
        chart.setDataGridSize(1, 1, want.rowCount(), want.columnCount());
        chart.setColumnCount(want.columnCount());
        chart.setRowCount(want.rowCount());
        QCOMPARE(chart.rowLabelCount(), 1);
        for (int r = 1; r <= chart.rowCount(); ++r) {
            chart.setRow(r);
            chart.setRowLabel(want.rowLabels[r - 1]);
            for (int c = 1; c <= chart.columnCount(); ++c) {
                chart.setColumn(c);
                chart.setColumnLabel(want.columnLabels[c - 1]);
                chart.setData(want.cell(r - 1, c - 1));
            }
        }
        chart.setRepaintEnabled(true);
        QCOMPARE(chart.grid().rowLabels, want.rowLabels);
        QCOMPARE(chart.grid().columnLabels, want.columnLabels);
        QCOMPARE(chart.grid().cells, want.cells);

        // Positions outside the grid are ignored; the current cell stays.
        chart.setRow(3);
        chart.setColumn(2);
        chart.setRow(0);
        chart.setRow(6);
        chart.setColumn(4);
        QCOMPARE(chart.row(), 3);
        QCOMPARE(chart.column(), 2);
        QCOMPARE(chart.data(), want.cell(2, 1));
        QCOMPARE(chart.rowLabel(), want.rowLabels[2]);

        // Growing keeps the cells there and adds empty ones; shrinking
        // brings the current cell back inside.
        chart.setColumnCount(4);
        QCOMPARE(chart.grid().cells.mid(0, 3), want.cells.mid(0, 3));
        chart.setColumn(4);
        QCOMPARE(chart.data(), QString());
        chart.setRowCount(2);
        QCOMPARE(chart.row(), 2);
        QCOMPARE(chart.grid().rowLabels, want.rowLabels.mid(0, 2));
        chart.setDataGridSize(1, 1, 0, 0);
        QCOMPARE(chart.row(), 0);
        QCOMPARE(chart.column(), 0);
        QCOMPARE(chart.data(), QString());
        chart.setData(QStringLiteral("5")); // no cell: nothing happens
        QCOMPARE(chart.grid().cells, QStringList());

        // Far more rows than a 16-bit counter holds.
        chart.setGrid(longGrid(70000));
        QCOMPARE(chart.rowCount(), 70000);
        chart.setRow(70000);
        QCOMPARE(chart.row(), 70000);
        QCOMPARE(chart.content().rows(), 70000);
    }

    void typeCodesAndSwitches() {
        CorvChart chart;
        QCOMPARE(chart.chartType(), 0);
        for (int code = 0; code <= 9; ++code) {
            chart.setChartType(code);
            QCOMPARE(chart.chartType(), code);
            QCOMPARE(chart.kind().threeD, code % 2 == 0);
        }
        chart.setChartType(12);
        QCOMPARE(chart.chartType(), 0);
        chart.setChartType(-1);
        QCOMPARE(chart.chartType(), 0);

        // While repainting is off the shown chart keeps its series; on, it
        // draws the new data once.
        chart.setChartType(3);
        chart.resize(700, 400);
        chart.show();
        chart.setGrid(weeklyGrid(10));
        QTRY_COMPARE(chart.chartView()->chart()->series().size(), 3);
        chart.setRepaintEnabled(false);
        ChartGrid one = weeklyGrid(10);
        one.columnLabels = one.columnLabels.mid(0, 1);
        QStringList cells;
        for (int r = 0; r < one.rowCount(); ++r)
            cells << one.cells[r * 3];
        one.cells = cells;
        chart.setGrid(one);
        QTest::qWait(20);
        QCOMPARE(chart.chartView()->chart()->series().size(), 3);
        chart.setRepaintEnabled(true);
        QTRY_COMPARE(chart.chartView()->chart()->series().size(), 1);

        // The legend switch reaches the drawing.
        QCOMPARE(chart.flatChart().legend().entries().size(), 1);
        chart.setShowLegend(false);
        QTRY_VERIFY(chart.flatChart().legend().entries().isEmpty());

        // The same for the 3D drawing: what shows is what was drawn last.
        const QColor ph = seriesColor(2, chart.palette().color(QPalette::Base));
        chart.setChartType(0);
        chart.setGrid(weeklyGrid(10));
        QTRY_VERIFY(pixelsNear(chart.grab().toImage(), ph, 4) > 200);
        chart.setRepaintEnabled(false);
        chart.setGrid(one);
        chart.repaint();
        QVERIFY(pixelsNear(chart.grab().toImage(), ph, 4) > 200);
        chart.setRepaintEnabled(true);
        QTRY_COMPARE(pixelsNear(chart.grab().toImage(), ph, 4), 0);
    }

    void everyTypeDraws_data() {
        QTest::addColumn<int>("code");
        for (int code = 0; code <= 9; ++code)
            QTest::newRow(qPrintable(typeName(code))) << code;
    }
    void everyTypeDraws() {
        QFETCH(int, code);
        CorvChart chart;
        chart.resize(900, 520);
        chart.setChartType(code);
        chart.setGrid(weeklyGrid());
        const QImage img = chart.toImage();
        QCOMPARE(img.size(), QSize(900, 520));
        keep(img, QStringLiteral("weekly-") + typeName(code));
        QVERIFY(distinctColours(img) > 40);
        // Each series shows in its colour (or a shade of it).
        const QColor bg = chart.palette().color(QPalette::Base);
        for (int k = 0; k < 3; ++k)
            QVERIFY2(pixelsNear(img, seriesColor(k, bg), 40) > 30, qPrintable(QString::number(k)));

        // Thousands of jumpy rows (every pixel column full of peaks and
        // dips) are thinned and drawn, in the picture's pixels and at four
        // times as many.
        ChartGrid jumpy = longGrid(5000, 3);
        for (int i = 0; i < jumpy.cells.size(); i += 2)
            jumpy.cells[i] = QStringLiteral("0");
        chart.setGrid(jumpy);
        QVERIFY(distinctColours(chart.toImage()) > 20);
        QCOMPARE(chart.toImage(QSize(450, 260), 4.0).size(), QSize(1800, 1040));

        // Edge shapes draw too: no rows, no columns, a single row, a row of
        // zeros, negative values.
        int edge = 0;
        for (const ChartGrid &g : {ChartGrid{}, ChartGrid{{"01/01/2024", "01/08/2024"}, {}, {}},
                                   ChartGrid{{"01/01/2024"}, {"pH"}, {"7.2"}},
                                   ChartGrid{{"01/01/2024", "01/08/2024"}, {"Ammonia"}, {"0", "0"}},
                                   ChartGrid{{"01/01/2024", "01/08/2024", "01/15/2024"},
                                             {"Temprature", "Nitrate"},
                                             {"-3", "10", "4", "0", "12.5", "-1"}}}) {
            chart.setGrid(g);
            const QImage small = chart.toImage(QSize(400, 260));
            keep(small, QStringLiteral("edge%1-%2").arg(edge++).arg(typeName(code)));
            QCOMPARE(small.size(), QSize(400, 260));
            QVERIFY(distinctColours(small) > 3);
        }
    }

    void threeDLooksThreeD() {
        // The same data as 3D and as 2D: the pictures differ widely, and the
        // 3D one shows the shaded sides and lit tops the flat one lacks.
        CorvChart chart;
        chart.resize(800, 500);
        chart.setGrid(weeklyGrid(20));
        const QColor bg = chart.palette().color(QPalette::Base);
        const QColor nitrate = seriesColor(1, bg);
        // Fronts keep the colour; lit tops, shaded sides and undersides are
        // what make the 3D.
        const QVector<QColor> shades = {mixColors(nitrate, Qt::white, 0.36),
                                        mixColors(nitrate, Qt::black, 0.27),
                                        mixColors(nitrate, Qt::black, 0.45)};
        for (int code : {0, 2, 4, 6, 8}) {
            chart.setChartType(code);
            const QImage threeD = chart.toImage();
            chart.setChartType(code + 1);
            const QImage flat = chart.toImage();
            const double share = differingShare(threeD, flat);
            QVERIFY2(share > 0.15, qPrintable(QStringLiteral("%1: %2").arg(code).arg(share)));
            // Every 3D kind shows shaded sides; most show more than that.
            QVector<bool> shown;
            QStringList counts;
            for (const QColor &c : shades) {
                const int in3D = pixelsNear(threeD, c, 8), in2D = pixelsNear(flat, c, 8);
                counts << QStringLiteral("%1/%2").arg(in3D).arg(in2D);
                shown << (in3D > 40 && in3D > 4 * in2D);
            }
            QVERIFY2(shown[1], qPrintable(QString::number(code) + u' ' + counts.join(u' ')));
            QVERIFY2(code == 4 || shown.count(true) >= 2,
                     qPrintable(QString::number(code) + u' ' + counts.join(u' ')));
        }
    }

    void labelsNeverCollide_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("rows");
        for (int code : {0, 1, 3, 6}) {
            for (int rows : {6, 52, 2000})
                QTest::addRow("%s, %d rows", qPrintable(typeName(code)), rows) << code << rows;
        }
    }
    void labelsNeverCollide() {
        QFETCH(int, code);
        QFETCH(int, rows);
        CorvChart chart;
        chart.setChartType(code);
        chart.setGrid(longGrid(rows, 2));
        const QSize size(900, 500);
        const QVector<QRectF> rects = chart.categoryLabelRects(size);
        QVERIFY(rects.size() >= 3);
        QVERIFY(overlapFree(rects));
        if (rows == 6)
            QCOMPARE(rects.size(), 6); // room for every date
        else
            QVERIFY(rects.size() < 40);
        for (const QRectF &r : rects)
            QVERIFY2(QRectF(QPointF(0, 0), QSizeF(size)).adjusted(-1, -1, 1, 1).contains(r),
                     qPrintable(QStringLiteral("%1,%2 %3x%4")
                                    .arg(r.x())
                                    .arg(r.y())
                                    .arg(r.width())
                                    .arg(r.height())));
        keep(chart.toImage(size), QStringLiteral("rows%1-").arg(rows) + typeName(code));
    }

    // Every parameter ticked, at the widths of a small laptop screen up to a
    // wide one: the legend names each series whole, in lines that wrap as
    // the width allows, inside the picture, clear of each other and of the
    // date labels. In the picture, each name's place holds text (pixels far
    // from the background) and each swatch its series' colour.
    void legendNamesEverySeriesWhole_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("width");
        for (int code : {0, 1, 3, 5})
            for (int width : {640, 980, 1366})
                QTest::addRow("%s, %d px", qPrintable(typeName(code)), width) << code << width;
    }
    void legendNamesEverySeriesWhole() {
        QFETCH(int, code);
        QFETCH(int, width);
        CorvChart chart;
        chart.setChartType(code);
        const ChartGrid grid = allParametersGrid();
        chart.setGrid(grid);
        const QSize size(width, 560);
        const QVector<ChartLegend::Entry> entries = chart.legendEntries(size);
        const QImage img = chart.toImage(size).convertToFormat(QImage::Format_RGB32);
        keep(img, QStringLiteral("legend%1-").arg(width) + typeName(code));
        QCOMPARE(entries.size(), 20);
        const QRectF picture(QPointF(0, 0), QSizeF(size));
        const QColor bg = chart.pictureBackground();
        const QVector<QRectF> labels = chart.categoryLabelRects(size);
        QVERIFY(!labels.isEmpty());
        QSet<double> lines;
        for (int i = 0; i < entries.size(); ++i) {
            const ChartLegend::Entry &e = entries[i];
            QCOMPARE(e.series, i);
            QCOMPARE(e.shown, grid.columnLabels[i]);
            const QRectF whole = e.swatch.united(e.text);
            QVERIFY(picture.contains(whole));
            for (int j = 0; j < i; ++j)
                QVERIFY(!whole.intersects(entries[j].swatch.united(entries[j].text)));
            for (const QRectF &label : labels)
                QVERIFY(!whole.intersects(label));
            lines.insert(e.text.top());
            int ink = 0;
            const QRect inside = e.text.toAlignedRect() & img.rect();
            for (int y = inside.top(); y <= inside.bottom(); ++y)
                for (int x = inside.left(); x <= inside.right(); ++x)
                    ink += qGray(img.pixel(x, y)) < qGray(bg.rgb()) - 100;
            QVERIFY2(ink > e.text.width(), qPrintable(e.shown));
            const QColor swatch = img.pixelColor(e.swatch.center().toPoint());
            const QColor want = seriesColor(i, bg);
            QVERIFY2(std::abs(swatch.red() - want.red()) + std::abs(swatch.green() - want.green()) +
                             std::abs(swatch.blue() - want.blue()) <
                         12,
                     qPrintable(e.shown));
        }
        // Narrower pictures take more lines.
        QVERIFY(lines.size() >= 2);
    }

    // Every parameter ticked puts long lists of names on the value axes'
    // titles: each shows whole, in lines that fit beside its axis, inside
    // the picture and clear of the legend; together they name every series
    // once.
    void axisTitlesShowWhole_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("width");
        for (int code : {0, 1, 3})
            for (int width : {640, 980})
                QTest::addRow("%s, %d px", qPrintable(typeName(code)), width) << code << width;
    }
    void axisTitlesShowWhole() {
        QFETCH(int, code);
        QFETCH(int, width);
        CorvChart chart;
        chart.setChartType(code);
        const ChartGrid grid = allParametersGrid();
        chart.setGrid(grid);
        const QSize size(width, 560);
        const QVector<CorvChart::AxisTitle> titles = chart.axisTitles(size);
        QVERIFY(titles.size() >= 3);
        const QVector<ChartLegend::Entry> entries = chart.legendEntries(size);
        const QRectF picture(QPointF(0, 0), QSizeF(size));
        QStringList named;
        for (const CorvChart::AxisTitle &t : titles) {
            const QString where = QStringLiteral("%1 at %2,%3 %4x%5")
                                      .arg(t.text)
                                      .arg(t.rect.x())
                                      .arg(t.rect.y())
                                      .arg(t.rect.width())
                                      .arg(t.rect.height());
            QVERIFY2(!t.text.contains(QChar(0x2026)), qPrintable(where));
            QVERIFY2(picture.contains(t.rect), qPrintable(where));
            for (const ChartLegend::Entry &e : entries)
                QVERIFY2(!t.rect.intersects(e.swatch.united(e.text)), qPrintable(where));
            named << t.text.split(QRegularExpression(QStringLiteral("[,\\s]+")),
                                  Qt::SkipEmptyParts);
        }
        QStringList all = grid.columnLabels;
        all.sort();
        named.sort();
        QCOMPARE(named, all);
    }

    void toolTipsNameWhatLiesUnderTheMouse_data() {
        QTest::addColumn<int>("code");
        for (int code = 0; code <= 9; ++code)
            QTest::newRow(qPrintable(typeName(code))) << code;
    }
    void toolTipsNameWhatLiesUnderTheMouse() {
        QFETCH(int, code);
        CorvChart chart;
        chart.resize(640, 420);
        chart.setChartType(code);
        const ChartGrid grid = weeklyGrid(8);
        chart.setGrid(grid);
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        if (code % 2 == 1)
            QTRY_COMPARE(chart.chartView()->chart()->series().isEmpty(), false);
        chart.repaint();
        keep(chart.grab().toImage(), QStringLiteral("shown-") + typeName(code));
        const QSet<QString> found = tipsOver(chart, grid);
        for (const QString &f : found)
            QVERIFY2(!f.contains(QLatin1Char('\n')) && !f.startsWith(QStringLiteral("bad")) &&
                         !f.startsWith(QStringLiteral("tip not")),
                     qPrintable(f));
        QCOMPARE(found, QSet<QString>(grid.columnLabels.begin(), grid.columnLabels.end()));
        // Nothing under the corners.
        QCOMPARE(chart.toolTipAt(QPoint(1, 1)), QString());

        // The mouse resting over the 3D drawing brings the tip up too.
        if (code == 0) {
            QPoint over;
            for (int y = 0; y < chart.height() && over.isNull(); y += 5)
                for (int x = 0; x < chart.width() && over.isNull(); x += 5)
                    if (!chart.toolTipAt(QPoint(x, y)).isEmpty())
                        over = QPoint(x, y);
            QWidget *under = chart.childAt(over);
            QVERIFY(under);
            const QPoint local = under->mapFrom(&chart, over);
            QHelpEvent help(QEvent::ToolTip, local, under->mapToGlobal(local));
            QApplication::sendEvent(under, &help);
            QTRY_VERIFY(QToolTip::isVisible());
            QCOMPARE(QToolTip::text(), chart.toolTipAt(over));
            QToolTip::hideText();
        }
    }

    void flatBarTipIsExact() {
        CorvChart chart;
        chart.resize(600, 400);
        chart.setChartType(1);
        const ChartGrid grid{{"01/01/2024", "01/08/2024", "01/15/2024"},
                             {"Nitrate", "Temprature"},
                             {"10", "15", "20", "25", "30", "35"}};
        chart.setGrid(grid);
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        QTRY_COMPARE(chart.chartView()->chart()->series().size(), 1);
        QChart *c = chart.chartView()->chart();
        QAbstractSeries *bars = c->series().first();
        const auto at = [&](double x, double y) {
            const QPointF scene = c->mapToScene(c->mapToPosition(QPointF(x, y), bars));
            return chart.chartView()->mapTo(&chart, chart.chartView()->mapFromScene(scene));
        };
        // The second set sits right of the category's centre.
        QCOMPARE(chart.toolTipAt(at(1.2, 12)), QStringLiteral("Temprature: 25\n01/08/2024"));
        QCOMPARE(chart.toolTipAt(at(0.8, 12)), QStringLiteral("Nitrate: 20\n01/08/2024"));
        QCOMPARE(chart.toolTipAt(at(1.2, 33)), QString()); // above the bar

        // The mouse resting there brings the tip up.
        QWidget *viewport = chart.chartView()->viewport();
        const QPoint over = viewport->mapFrom(&chart, at(1.2, 12));
        QHelpEvent help(QEvent::ToolTip, over, viewport->mapToGlobal(over));
        QApplication::sendEvent(viewport, &help);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), QStringLiteral("Temprature: 25\n01/08/2024"));
        QToolTip::hideText();
    }

    void followsThePalette() {
        CorvChart chart;
        chart.resize(700, 420);
        chart.setGrid(weeklyGrid());
        QPalette dark = chart.palette();
        dark.setColor(QPalette::Base, QColor(0x20, 0x22, 0x26));
        dark.setColor(QPalette::Text, QColor(0xe6, 0xe6, 0xe6));
        dark.setColor(QPalette::Window, QColor(0x2a, 0x2c, 0x30));
        dark.setColor(QPalette::WindowText, QColor(0xe6, 0xe6, 0xe6));
        chart.setPalette(dark);
        for (int code : {0, 3, 5, 8}) {
            chart.setChartType(code);
            const QImage img = chart.toImage();
            keep(img, QStringLiteral("dark-") + typeName(code));
            QCOMPARE(img.pixelColor(2, 2), QColor(0x20, 0x22, 0x26));
            // Light text on the dark ground.
            QVERIFY(pixelsNear(img, QColor(0xe6, 0xe6, 0xe6), 30) > 100);
            // Series colours are lightened to read on dark.
            QVERIFY(seriesColor(0, dark.color(QPalette::Base)).lightness() >
                    seriesColor(0, Qt::white).lightness());
        }
    }

    // In 3D the series stand one behind the other: the lower stand in
    // front, so that none hides behind a taller one (pH of about 7 behind
    // nitrate of about 10 on one axis, in the window's default order). As
    // bars and as areas, each series shows at least a quarter as much of
    // its front colour as the one that shows most.
    void threeDPutsLowSeriesInFront() {
        ChartGrid g;
        g.columnLabels = {QStringLiteral("Ammonia"), QStringLiteral("Nitrate"),
                          QStringLiteral("pH")};
        for (int r = 0; r < 12; ++r) {
            g.rowLabels << dateText(QDate(2024, 1, 2).addDays(7 * r));
            g.cells << numberText(0.1 + 0.05 * (r % 3)) << numberText(10 + r % 4)
                    << numberText(7 + 0.1 * (r % 5));
        }
        CorvChart chart;
        chart.resize(800, 480);
        chart.setGrid(g);
        const QColor bg = chart.pictureBackground();
        for (int code : {0, 4}) {
            chart.setChartType(code);
            const QImage img = chart.toImage();
            keep(img, QStringLiteral("front-") + typeName(code));
            QVector<int> shown;
            for (int k = 0; k < 3; ++k)
                shown << pixelsNear(img, seriesColor(k, bg), 4);
            const int most = *std::max_element(shown.begin(), shown.end());
            for (int k = 0; k < 3; ++k)
                QVERIFY2(shown[k] * 4 > most, qPrintable(QStringLiteral("%1: %2 shows %3 of %4")
                                                             .arg(typeName(code), g.columnLabels[k])
                                                             .arg(shown[k])
                                                             .arg(most)));
        }
    }

    // A value on an axis's first or last tick is drawn whole inside the
    // plot (a marker half outside it looks cut off), on one axis and on
    // several, while the ticks stay on their round values.
    void pointsAtTheEndsStayInsideThePlot_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<ChartGrid>("grid");
        const ChartGrid ends{{"01/02/2024", "01/09/2024", "01/16/2024", "01/23/2024"},
                             {"Nitrate"},
                             {"0", "10", "40", "20"}};
        for (int code : {3, 7, 9}) {
            QTest::addRow("%s, one axis", qPrintable(typeName(code))) << code << ends;
            QTest::addRow("%s, several", qPrintable(typeName(code))) << code << weeklyGrid(20);
        }
    }
    void pointsAtTheEndsStayInsideThePlot() {
        QFETCH(int, code);
        QFETCH(ChartGrid, grid);
        CorvChart chart;
        chart.resize(640, 400);
        chart.setChartType(code);
        chart.setGrid(grid);
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        QChart *c = chart.chartView()->chart();
        QTRY_VERIFY(!c->series().isEmpty());
        const auto toWidget = [&](const QPointF &inChart) {
            const QPoint view = chart.chartView()->mapFromScene(c->mapToScene(inChart));
            return QPointF(chart.chartView()->viewport()->mapTo(&chart, view));
        };
        const QRectF plot(toWidget(c->plotArea().topLeft()), toWidget(c->plotArea().bottomRight()));
        const int first = drawsAsBars(chartKind(code), 0) ? 1 : 0;
        for (int k = first; k < grid.columnCount(); ++k)
            for (int r = 0; r < grid.rowCount(); ++r)
                QVERIFY2(
                    plot.adjusted(3, 3, -3, -3).contains(chart.pointOf(k, r)),
                    qPrintable(QStringLiteral("%1 of row %2").arg(grid.columnLabels[k]).arg(r)));
        if (grid.columnCount() == 1) {
            QStringList ticks;
            for (QGraphicsItem *item : chart.chartView()->scene()->items())
                if (auto *text = dynamic_cast<QGraphicsTextItem *>(item); text && text->isVisible())
                    ticks << text->toPlainText();
            QVERIFY2(ticks.contains(QStringLiteral("0")) && ticks.contains(QStringLiteral("40")),
                     qPrintable(ticks.join(u' ')));
        }
    }

    // A lone entry drawn as a flat area stands most of the plot wide, with
    // rows evenly spaced and on a time axis, rather than as a hairline.
    void loneEntryAreaIsAnArea() {
        CorvChart chart;
        chart.setChartType(5);
        chart.setGrid({{"03/01/2024"}, {"pH"}, {"7.2"}});
        chart.setRowDates({QDate(2024, 3, 1)});
        const QColor bg = chart.pictureBackground();
        // The fill: the colour lightened by a quarter, 82 % opaque.
        const QColor fill = mixColors(seriesColor(0, bg), bg, 1 - 0.75 * 0.82);
        for (bool byDate : {false, true}) {
            chart.setSpaceByDate(byDate);
            QCOMPARE(chart.timeAxisShown(), byDate);
            const QImage img = chart.toImage(QSize(400, 260));
            keep(img, QStringLiteral("lone-area-%1").arg(byDate));
            const int filled = pixelsNear(img, fill, 10);
            QVERIFY2(filled > 400 * 260 / 5, qPrintable(QString::number(filled)));
        }
    }

    void picturesAtOtherSizes() {
        CorvChart chart;
        chart.resize(500, 300);
        chart.setGrid(weeklyGrid());
        for (int code : {0, 1}) {
            chart.setChartType(code);
            const QPicture pic = chart.toPicture();
            QCOMPARE(pic.boundingRect(), QRect(0, 0, 500, 300));
            QVERIFY(pic.size() > 1000);
            // Twice the size is laid out anew, not scaled up.
            const QImage big = chart.toImage(QSize(1000, 600));
            const QImage twice = chart.toImage(QSize(500, 300), 2.0);
            QCOMPARE(big.size(), QSize(1000, 600));
            QCOMPARE(twice.size(), QSize(1000, 600));
            QVERIFY(differingShare(big, twice) > 0.05);
        }
    }
};

QTEST_MAIN(TestChartControl)
#include "tst_chartcontrol.moc"
