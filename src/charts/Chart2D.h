// The flat chart kinds, drawn by Qt Charts: bars, lines, areas, steps and
// bars combined with lines.
//
// Rows are placed along the x axis in "bucket" units: one unit per row, or,
// when a chart has more rows than its plot has pixels, one unit per bucket of
// rows thinned to what the pixels can show (every peak kept). Lines, areas
// and steps may instead stand on a time axis, one unit per day, each row at
// its date. Every series is drawn on the scale of the first value axis;
// further axes, for series of another order of size, show their own ticks on
// the same grid lines. Target bands lie behind the series.
//
// The horizontal view can be narrowed to part of the chart (a zoom). Spans
// of it are given in "positions": rows on an evenly spaced axis, days on a
// time axis, so a zoom keeps its meaning when the chart is built again for
// another width.
#pragma once

#include "ChartRender.h"
#include "ChartSpans.h"

#include <QMargins>
#include <QMetaObject>
#include <QPointF>
#include <QRectF>
#include <QVector>
#include <optional>

class QChart;
class QCategoryAxis;
class QValueAxis;
class QAbstractSeries;
class QLineSeries;

namespace corv {

class Chart2D {
public:
    Chart2D() = default;
    ~Chart2D();
    Chart2D(const Chart2D &) = delete;
    Chart2D &operator=(const Chart2D &) = delete;

    // Empties `chart` and fills it with `content` (which must outlive this
    // object or the next build). `plotPixels` is about how many device
    // pixels wide the plot will be drawn.
    void build(QChart *chart, const ChartContent *content, ChartKind kind, const ChartStyle &style,
               double plotPixels);
    // Puts the category labels, thinned to fit, under the current plot area,
    // and the lines of a dense chart on its pixel columns. Runs by itself
    // whenever the plot area changes.
    void placeLabels();
    // How many device pixels one unit of the scene spans where the chart is
    // drawn (set before build; 1 on a plain screen).
    void setDeviceScale(double scale) { m_deviceScale = scale > 0 ? scale : 1; }
    // Whether a dense line, area or step chart draws only the lowest and
    // highest point (and the first and last) of each pixel column, which
    // draws the same pixels as every point does. On unless switched off.
    void setDecimation(bool on) { m_decimate = on; }

    // The value under a point of the chart's scene: its tip text, or empty.
    QString toolTipAt(const QPointF &scenePos) const;

    // Whether the rows stand at their dates.
    bool timeAxis() const { return m_timeAxis; }
    // The whole horizontal extent, and what of it is in view, in positions.
    XSpan fullSpan() const { return m_full; }
    XSpan viewSpan() const { return m_view.value_or(m_full); }
    // Narrows the view to `view` (kept inside the whole), or shows the whole.
    void setView(const std::optional<XSpan> &view);
    // The position under a horizontal point of the scene.
    double positionAt(double sceneX) const;
    // The narrowest view worth zooming to: two rows, or two days.
    double minViewWidth() const { return 2; }

    // The bands drawn, on the common scale of the first value axis: each
    // one's series (column) and its extent after clipping to the axis.
    struct DrawnBand {
        int column = 0;
        double low = 0;
        double high = 0;
    };
    const QVector<DrawnBand> &bands() const { return m_bands; }
    // Where a row's value of a series sits in the chart's scene.
    QPointF scenePointOf(int column, int row) const;

    // The rows that carry a label now, and how many rows one x unit holds.
    // On a time axis the labels are round dates instead (labelledDates).
    const QVector<int> &labelledRows() const { return m_labelled; }
    const QVector<QDate> &labelledDates() const { return m_labelledDates; }
    int bucketSize() const { return m_bucket; }
    double builtForPixels() const { return m_pixels; }
    // So many points that antialiasing would only slow the drawing down.
    bool dense() const { return m_dense; }
    // The legend under the plot, and where its top left corner stands in
    // the chart's coordinates.
    const ChartLegend &legend() const;
    QPointF legendPos() const;

private:
    double unitOfRow(double row) const { return (row + 0.5) / m_bucket - 0.5; }
    // Positions (rows or days) to x units and back.
    double unitOfPos(double pos) const { return m_timeAxis ? pos : unitOfRow(pos); }
    double posOfUnit(double unit) const {
        return m_timeAxis ? unit : (unit + 0.5) * m_bucket - 0.5;
    }
    // Where a drawn point stands along x, in units.
    double xOf(const PlotPoint &p) const {
        return m_timeAxis ? m_content->rowDays[p.row] : unitOfRow(p.x);
    }
    void addBands();
    // The content's markers, as thin dotted lines across the plot with
    // their labels at the top.
    void addMarkers();
    // Lays the legend out for the chart's width and leaves it room below
    // the plot. Runs by itself whenever the chart is resized.
    void placeLegend();
    // Titles each value axis with its series' names, in lines no longer
    // than `length`.
    void placeTitles(double length);
    void placeRowLabels(double width, double gap);
    void placePoints();
    void placeDateLabels(double width, double gap);
    void setLabels(const QStringList &labels, const QVector<double> &units);
    QPointF toScene(double unit, double common) const;
    QString barTip(const QPointF &value, const QPointF &scenePos) const;
    QString lineTip(const QPointF &value, const QPointF &scenePos) const;

    QChart *m_chart = nullptr;
    const ChartContent *m_content = nullptr;
    ChartKind m_kind;
    ChartStyle m_style;
    AxesPlan m_axes;
    double m_low = 0, m_high = 1; // the first axis's ends, past its ticks
    int m_bucket = 1;
    bool m_dense = false;
    double m_barWidth = 0.82; // share of a unit the bars of one row take
    double m_pixels = 0;
    double m_widestLabel = 0;
    int m_labelStep = 0;
    QVector<int> m_labelled;
    QVector<QDate> m_labelledDates;
    QStringList m_placedLabels;    // what the axis shows now
    QVector<double> m_placedUnits; // and where
    bool m_timeAxis = false;
    XSpan m_full;
    std::optional<XSpan> m_view;
    QVector<DrawnBand> m_bands;
    QCategoryAxis *m_x = nullptr;
    QValueAxis *m_y = nullptr;
    QVector<QValueAxis *> m_yAxes;        // with their own titles, when there are several
    QAbstractSeries *m_anchor = nullptr;  // a series on the main axes, for mapping
    QVector<int> m_barColumns;            // columns drawn as bars, in set order
    QVector<QVector<PlotPoint>> m_points; // per column, as drawn (common scale)
    // The lines of the kinds drawn along a line, in axis units, and the
    // series that draw each one.
    struct DrawnLine {
        QVector<QPointF> line;
        QVector<QLineSeries *> series;
        // An area's fill, in strips side by side (each strip's upper edge).
        QVector<QLineSeries *> fill;
    };
    QVector<DrawnLine> m_lines;
    bool m_decimate = true;
    double m_deviceScale = 1;
    double m_placedOrigin = 0, m_placedUnitsPerPixel = 0; // what m_lines were placed for
    QMetaObject::Connection m_plotAreaWatch;
    QMetaObject::Connection m_sizeWatch;
    class LegendItem;
    LegendItem *m_legend = nullptr; // a child of the chart, which owns it
    QMargins m_margins;             // round the plot, the legend's room left out
};

} // namespace corv
