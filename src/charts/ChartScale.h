// The arithmetic behind every chart picture, shared by the flat and the 3D
// drawings: which kind a type code names, value axes with round ticks, how
// many category labels fit, how thousands of rows are thinned to what a
// plot's pixels can show, and the series colours.
#pragma once

#include <QColor>
#include <QPointF>
#include <QString>
#include <QVector>

namespace corv {

enum class ChartShape { Bar, Line, Area, Step, Combination };

struct ChartKind {
    ChartShape shape = ChartShape::Bar;
    bool threeD = true;
};

// Codes 0 to 9 in pairs, 3D before 2D: bar, line, area, step, combination.
// A code outside 0..9 is drawn as code 0.
ChartKind chartKind(int typeCode);
// Combination charts draw their first series as bars and the others as
// lines; the other kinds draw every series alike.
bool drawsAsBars(ChartKind kind, int series);
// Bars and areas stand on 0, so their axes must show it; lines and steps
// may zoom in on a narrow band of values.
bool drawnFromZero(ChartKind kind);

// Lowest and highest value of one series.
struct SeriesRange {
    double low = 0;
    double high = 0;
};

// One value axis: its range, split into `intervals` equal steps.
struct ValueAxisPlan {
    double low = 0;
    double high = 1;
    double step = 0.2;
    int intervals = 5;
    int decimals = 1;    // enough to write every tick exactly
    QVector<int> series; // the series read against this axis
    // Where a value of this axis lands on the common plot scale of axis 0.
    double toCommon(double value, const ValueAxisPlan &common) const;
    QString tickText(int tick) const;
};

// Series whose values differ by orders of magnitude (pH about 7, nitrate in
// tens, ammonia below 1) would flatten all but the largest on one axis, so
// series of clearly different size get axes of their own: at most
// `maxAxes`, all with the same number of intervals so that every axis meets
// the same grid lines. A chart holding negative values keeps one axis.
// `zeroBased` keeps 0 on every axis (bars, areas, anything drawn from the
// floor); otherwise an axis may start at a round value near its lowest value
// when the values lie in a narrow band far from 0.
struct AxesPlan {
    QVector<ValueAxisPlan> axes;
    QVector<int> axisOfSeries;
};
AxesPlan planValueAxes(const QVector<SeriesRange> &ranges, bool zeroBased, int maxAxes = 4);

// The round step (1, 2, 2.5 or 5 times a power of ten) of an axis of
// `intervals` steps that covers low..high, and where it starts.
ValueAxisPlan niceAxis(double low, double high, int intervals, bool zeroBased);

// Category labels: the smallest round step (1, 2, 3, 4, 5, 6, 8, 10, 12, 15,
// 20, 25, ... times a power of ten) such that labels `labelWidth` wide, spaced `slotWidth` per row,
// keep `gap` between them.
int labelStep(double slotWidth, double labelWidth, double gap);
// The rows that carry a label: every `step`-th row from the first.
QVector<int> labelledRows(int rowCount, int step);

// Thinning a series to what the plot can show: rows are taken in buckets of
// `bucketSize` consecutive rows.
int bucketSizeFor(int rowCount, double pixels);
struct PlotPoint {
    double x = 0; // position in rows (row r is centred on r)
    double value = 0;
    int row = 0; // the row the value comes from
};
// Bars: one bar per bucket, the bucket's value farthest from 0, centred on
// the bucket.
QVector<PlotPoint> thinForBars(const QVector<double> &values, int bucketSize);
// Lines, areas and steps: each bucket's lowest and highest value in row
// order, so the drawn outline keeps every peak.
QVector<PlotPoint> thinForLines(const QVector<double> &values, int bucketSize);
// A polyline (x in axis units, y in values) set on device pixel columns:
// each point's x moves to origin + c * unitsPerPixel, c the column nearest to
// it. With `decimate`, a run of points in one column keeps only its first,
// lowest, highest and last point, in their order: the path between the
// others runs up and down that one column within the lowest and highest,
// so it draws no pixel the kept points do not, and a chart of a million
// entries costs what one of a few thousand does.
QVector<QPointF> onPixelColumns(const QVector<QPointF> &line, double origin, double unitsPerPixel,
                                bool decimate);
// Of points on pixel columns, the first and last of each column: all that
// the fill of an area needs, its vertical edges within a column having no
// breadth to cover a pixel's centre. A fill of a few thousand tall edges
// rather than one of each takes the rasterizer a fraction of the time.
QVector<QPointF> columnEnds(const QVector<QPointF> &placed);

// A series colour that reads on `background` and differs from its
// neighbours; the first ten are clearly distinct hues, the next ten repeat
// them lighter or darker.
QColor seriesColor(int index, const QColor &background);
bool isDark(const QColor &c);
// a mixed into b: 0 gives a, 1 gives b.
QColor mixColors(const QColor &a, const QColor &b, double t);

} // namespace corv
