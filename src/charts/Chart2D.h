// The flat chart kinds, drawn by Qt Charts: bars, lines, areas, steps and
// bars combined with lines.
//
// Rows are placed along the x axis in "bucket" units: one unit per row, or,
// when a chart has more rows than its plot has pixels, one unit per bucket of
// rows thinned to what the pixels can show (every peak kept). Every series
// is drawn on the scale of the first value axis; further axes, for series of
// another order of size, show their own ticks on the same grid lines.
#pragma once

#include "ChartRender.h"

#include <QMetaObject>
#include <QPointF>
#include <QRectF>
#include <QVector>

class QChart;
class QCategoryAxis;
class QValueAxis;
class QAbstractSeries;

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
    // Puts the category labels, thinned to fit, under the current plot area.
    // Runs by itself whenever the plot area changes.
    void placeLabels();

    // The value under a point of the chart's scene: its tip text, or empty.
    QString toolTipAt(const QPointF &scenePos) const;
    // The rows that carry a label now, and how many rows one x unit holds.
    const QVector<int> &labelledRows() const { return m_labelled; }
    int bucketSize() const { return m_bucket; }
    double builtForPixels() const { return m_pixels; }
    // So many points that antialiasing would only slow the drawing down.
    bool dense() const { return m_dense; }

private:
    double unitOfRow(double row) const { return (row + 0.5) / m_bucket - 0.5; }
    QPointF toScene(double unit, double common) const;
    QString barTip(const QPointF &value, const QPointF &scenePos) const;
    QString lineTip(const QPointF &value, const QPointF &scenePos) const;

    QChart *m_chart = nullptr;
    const ChartContent *m_content = nullptr;
    ChartKind m_kind;
    ChartStyle m_style;
    AxesPlan m_axes;
    int m_bucket = 1;
    bool m_dense = false;
    double m_barWidth = 0.82; // share of a unit the bars of one row take
    double m_pixels = 0;
    double m_widestLabel = 0;
    int m_labelStep = 0;
    QVector<int> m_labelled;
    QCategoryAxis *m_x = nullptr;
    QValueAxis *m_y = nullptr;
    QAbstractSeries *m_anchor = nullptr;  // a series on the main axes, for mapping
    QVector<int> m_barColumns;            // columns drawn as bars, in set order
    QVector<QVector<PlotPoint>> m_points; // per column, as drawn (common scale)
    QMetaObject::Connection m_plotAreaWatch;
};

} // namespace corv
