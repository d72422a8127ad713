// The 3D chart kinds, drawn with QPainter in an oblique projection: the
// categories run left to right, values upwards, and each series is a row of
// its own going back and to the right, the lowest series in front and the
// tallest at the back, so that none hides another. Bars are
// shaded boxes, lines ribbons, areas slabs, steps stair ribbons; the walls
// carry the grid lines. Light falls from the upper left, so tops are lighter
// and right-hand sides darker than fronts.
//
// Nothing here needs OpenGL, so the pictures are the same on a remote
// desktop, offscreen and on paper.
#pragma once

#include "ChartRender.h"

#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QVector>

class QPainter;

namespace corv {

class Chart3D {
public:
    // Lays out and draws `content` into `rect` (painter coordinates, the
    // picture's own pixels). `deviceScale` is how many device pixels one of
    // those pixels covers; it decides how finely thousands of rows are shown.
    void paint(QPainter &p, const QRectF &rect, const ChartContent &content, ChartKind kind,
               const ChartStyle &style, double deviceScale = 1.0);

    // The value under a point of the last picture drawn: its tip text, or
    // empty. The content must be the one drawn last.
    QString toolTipAt(const QPointF &pos) const;

    // Where the last picture put its category labels.
    const QVector<QRectF> &categoryLabelRects() const { return m_labelRects; }
    int bucketSize() const { return m_bucket; }
    // The last picture's value axis titles (with several axes), each in
    // lines, and where they stand.
    const QVector<QStringList> &axisTitles() const { return m_titles; }
    const QVector<QRectF> &axisTitleRects() const { return m_titleRects; }
    // The last picture's legend, and where it stands.
    const ChartLegend &legend() const { return m_legend; }
    QRectF legendRect() const { return m_legendRect; }
    // The plot's frame: front-left-bottom corner to back-right-top corner.
    QRectF plotRect() const { return m_plot; }

private:
    struct Element {
        QPolygonF polygon;
        int row;
    };

    void layout(const QRectF &rect, double deviceScale);
    QPointF project(double x, double y, double z) const;
    double xOfUnit(double unit) const { return (unit + 0.5) / m_units; }
    double unitOfRow(double row) const { return (row + 0.5) / m_bucket - 0.5; }
    double yOf(int series, double value) const;
    void drawWalls(QPainter &p);
    void drawValueAxes(QPainter &p);
    void drawCategoryLabels(QPainter &p);
    void drawLegend(QPainter &p);
    void drawBoxes(QPainter &p, int series, QVector<Element> *hits) const;
    void drawSkyline(QPainter &p, int series, QVector<Element> *hits) const;
    void drawRibbon(QPainter &p, int series, QVector<Element> *hits) const;
    void drawSlab(QPainter &p, int series, QVector<Element> *hits) const;
    void drawStairs(QPainter &p, int series, QVector<Element> *hits) const;
    void drawFrontBand(QPainter &p, const QPolygonF &edge, const QColor &c,
                       const QVector<QPair<int, int>> &rows, QVector<Element> *hits) const;

    const ChartContent *m_content = nullptr;
    ChartKind m_kind;
    ChartStyle m_style;
    AxesPlan m_axes;
    QVector<QVector<PlotPoint>> m_points;
    QVector<int> m_order; // the series front to back
    QVector<int> m_slot;  // each series' place in that order (0: in front)
    int m_bucket = 1;
    int m_units = 1;
    int m_depthRows = 1;
    double m_depth = 0; // screen length of the whole depth
    double m_ddx = 0.82, m_ddy = 0.57;
    double m_scale = 1; // device pixels per picture pixel
    QRectF m_rect, m_plot, m_legendRect;
    double m_frontWidth = 0, m_frontHeight = 0;
    double m_leftLabels = 0, m_rightAxisWidth = 0;
    QVector<QRectF> m_labelRects;
    ChartLegend m_legend;
    QVector<QStringList> m_titles; // each value axis's title, in lines
    QVector<QRectF> m_titleRects;
    QVector<QVector<Element>> m_hits; // per series, in drawing order
};

} // namespace corv
