#include "Chart3D.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numeric>

namespace corv {

namespace {

// f = 1 is the colour itself; above 1 towards white, below towards black.
QColor shade(const QColor &c, double f) {
    if (f >= 1)
        return mixColors(c, QColor(Qt::white), std::min(0.6, (f - 1) * 1.2));
    return mixColors(c, QColor(Qt::black), std::min(0.8, (1 - f) * 0.9));
}

constexpr double FrontShade = 1.0;
constexpr double TopShade = 1.3;
constexpr double SideShade = 0.7;
constexpr double UndersideShade = 0.5;

// A long polyline is stroked as one outline whose thousands of edges slow
// the rasterizer to a crawl; segment by segment it costs nothing.
void drawEdge(QPainter &p, const QPolygonF &line) {
    if (line.size() < 64) {
        p.drawPolyline(line);
        return;
    }
    for (int i = 0; i + 1 < line.size(); ++i)
        p.drawLine(line[i], line[i + 1]);
}

// In picture pixels, like every size here, so printed edges keep their weight.
QPen edgePen(const QColor &c) {
    QPen p(c, 1);
    p.setJoinStyle(Qt::MiterJoin);
    return p;
}

} // namespace

double Chart3D::yOf(int series, double value) const {
    const ValueAxisPlan &common = m_axes.axes.first();
    const double c = m_axes.axes[m_axes.axisOfSeries.value(series, 0)].toCommon(value, common);
    if (common.high == common.low)
        return 0;
    return std::clamp((c - common.low) / (common.high - common.low), 0.0, 1.0);
}

QPointF Chart3D::project(double x, double y, double z) const {
    const double zf = z / m_depthRows;
    return {m_plot.left() + x * m_frontWidth + zf * m_depth * m_ddx,
            m_plot.bottom() - y * m_frontHeight - zf * m_depth * m_ddy};
}

void Chart3D::layout(const QRectF &rect, double deviceScale) {
    const QFontMetricsF fm(m_style.labelFont);
    const QFontMetricsF tfm(m_style.titleFont);
    const double lh = fm.height(), em = fm.horizontalAdvance(QLatin1Char('M'));
    const double pad = std::max(6.0, lh * 0.5);
    const int cols = m_content->columns(), rows = m_content->rows();
    m_rect = rect;

    // Legend: swatch and name per series, wrapped into centred lines.
    m_legend.layOut(m_style.legend ? m_content->columnLabels : QStringList(), m_style,
                    rect.width() - 2 * pad);
    const double legendH = m_legend.height();
    m_legendRect =
        QRectF(rect.left() + pad, rect.bottom() - pad - legendH, rect.width() - 2 * pad, legendH);

    const bool several = m_axes.axes.size() > 1;
    const auto widestTick = [&](const ValueAxisPlan &a) {
        double w = 0;
        for (int t = 0; t <= a.intervals; ++t)
            w = std::max(w, fm.horizontalAdvance(a.tickText(t)));
        return w;
    };
    // With several axes each is titled with the names of its series, in as
    // many lines as it takes to fit the plot's height.
    const double plotTop = rect.top() + pad + lh * 0.6, plotBottom = m_legendRect.top() - lh * 1.8;
    m_titles.clear();
    for (const ValueAxisPlan &a : m_axes.axes) {
        QStringList names;
        for (int s : a.series)
            names << m_content->columnLabels[s];
        m_titles << (several ? axisTitleLines(names, m_style.titleFont,
                                              std::max(20.0, plotBottom - plotTop))
                             : QStringList());
    }
    const auto titleWidth = [&](int axis) { return tfm.height() * (m_titles[axis].size() + 0.2); };
    m_leftLabels = widestTick(m_axes.axes.first()) + em * 0.8;
    const double leftTitle = several ? titleWidth(0) : 0;
    m_rightAxisWidth = 0;
    for (int i = 1; i < m_axes.axes.size(); ++i)
        m_rightAxisWidth += widestTick(m_axes.axes[i]) + em * 1.2 + titleWidth(i);
    // Room for half of the last category label past the floor's front edge.
    const double labelHalf =
        rows > 0
            ? m_content->widestShownLabel(m_style.labelFont, rect.width() / rows, em, 0, rows - 1) /
                  2
            : 0;

    // The first date label is centred on the first row: leave it room too.
    const double left = std::max(pad + leftTitle + m_leftLabels, pad + labelHalf);
    m_plot = QRectF(
        QPointF(rect.left() + left, plotTop),
        QPointF(rect.right() - pad - std::max(m_rightAxisWidth, labelHalf * 0.5), plotBottom));
    if (m_plot.width() < 20)
        m_plot.setWidth(20);
    if (m_plot.height() < 20)
        m_plot.setHeight(20);

    m_depthRows = std::max(1, cols);
    const double depth = std::min(m_plot.width() * 0.26, m_plot.height() * 0.45) *
                         std::min(1.0, 0.5 + 0.12 * m_depthRows);
    const double angle = 38.0 * M_PI / 180.0;
    m_ddx = std::cos(angle);
    m_ddy = std::sin(angle);
    m_depth = depth;
    m_frontWidth = m_plot.width() - depth * m_ddx;
    m_frontHeight = m_plot.height() - depth * m_ddy;

    bool anyBars = false;
    for (int k = 0; k < cols; ++k)
        anyBars = anyBars || drawsAsBars(m_kind, k);
    m_bucket = bucketSizeFor(rows, m_frontWidth * std::max(0.01, deviceScale) / 3);
    m_units = rows > 0 ? (rows + m_bucket - 1) / m_bucket : 1;
    m_points.resize(cols);
    for (int k = 0; k < cols; ++k)
        m_points[k] = drawsAsBars(m_kind, k) ? thinForBars(m_content->series[k], m_bucket)
                                             : thinForLines(m_content->series[k], m_bucket);

    // A tall series in front would hide the smaller ones behind it (pH
    // behind nitrate): the series stand front to back from the lowest drawn
    // to the tallest, ties in column order.
    QVector<double> height(std::max(cols, 0), 0.0);
    for (int k = 0; k < cols; ++k) {
        const double base = yOf(k, 0);
        for (const PlotPoint &pt : std::as_const(m_points[k]))
            height[k] += std::fabs(yOf(k, pt.value) - base);
        height[k] /= std::max<qsizetype>(1, m_points[k].size());
    }
    m_order.resize(cols);
    std::iota(m_order.begin(), m_order.end(), 0);
    std::stable_sort(m_order.begin(), m_order.end(),
                     [&](int a, int b) { return height[a] < height[b]; });
    m_slot.resize(cols);
    for (int i = 0; i < cols; ++i)
        m_slot[m_order[i]] = i;
}

void Chart3D::drawWalls(QPainter &p) {
    const double S = m_depthRows;
    const QPolygonF floor{project(0, 0, 0), project(1, 0, 0), project(1, 0, S), project(0, 0, S)};
    const QPolygonF back{project(0, 0, S), project(1, 0, S), project(1, 1, S), project(0, 1, S)};
    const QPolygonF left{project(0, 0, 0), project(0, 0, S), project(0, 1, S), project(0, 1, 0)};
    p.setPen(Qt::NoPen);
    p.setBrush(m_style.backWall);
    p.drawPolygon(back);
    p.setBrush(m_style.sideWall);
    p.drawPolygon(left);
    p.setBrush(m_style.floor);
    p.drawPolygon(floor);

    const int n = m_axes.axes.first().intervals;
    if (m_style.gridLines) {
        p.setPen(QPen(m_style.grid, 1));
        for (int t = 1; t <= n; ++t) {
            const double y = double(t) / n;
            p.drawLine(project(0, y, 0), project(0, y, S));
            p.drawLine(project(0, y, S), project(1, y, S));
        }
    }
    p.setPen(edgePen(m_style.axis));
    p.setBrush(Qt::NoBrush);
    // The frame the reader measures against: front edges of floor and left
    // wall, and the back wall's outline.
    p.drawLine(project(0, 0, 0), project(1, 0, 0));
    p.drawLine(project(0, 0, 0), project(0, 1, 0));
    p.drawLine(project(1, 0, 0), project(1, 0, S));
    p.drawLine(project(0, 1, 0), project(0, 1, S));
    p.drawPolyline(
        QPolygonF{project(0, 0, S), project(0, 1, S), project(1, 1, S), project(1, 0, S)});
    p.drawLine(project(0, 0, 0), project(0, 0, S));
}

void Chart3D::drawValueAxes(QPainter &p) {
    m_titleRects.clear();
    const QFontMetricsF fm(m_style.labelFont);
    const QFontMetricsF tfm(m_style.titleFont);
    const double em = fm.horizontalAdvance(QLatin1Char('M'));
    const double S = m_depthRows;
    const bool several = m_axes.axes.size() > 1;
    const auto axisColor = [&](const ValueAxisPlan &a) {
        return several && a.series.size() == 1 ? m_style.color(a.series.first()) : m_style.text;
    };
    // The lines of a title side by side, read from below, the first
    // outermost on the left and innermost on the right.
    const auto drawTitle = [&](const QStringList &lines, double x, const QColor &c) {
        p.save();
        p.setFont(m_style.titleFont);
        p.setPen(c);
        const double mid = (m_plot.top() + m_plot.bottom()) / 2;
        p.translate(x, mid);
        p.rotate(-90);
        const double h = tfm.height();
        double longest = 0;
        for (int i = 0; i < lines.size(); ++i) {
            const double w = tfm.horizontalAdvance(lines[i]);
            const double across = (i - (lines.size() - 1) / 2.0) * h;
            p.drawText(QPointF(-w / 2, across + tfm.ascent() / 2 - tfm.descent() / 2), lines[i]);
            longest = std::max(longest, w);
        }
        p.restore();
        const double thick = lines.size() * h;
        m_titleRects << QRectF(x - thick / 2, mid - longest / 2, thick, longest);
    };
    const auto titleCentre = [&](int axis) {
        return tfm.height() * (0.1 + m_titles[axis].size() / 2.0);
    };

    p.setFont(m_style.labelFont);
    // The first axis on the front edge of the left wall.
    const ValueAxisPlan &a0 = m_axes.axes.first();
    const QColor c0 = axisColor(a0);
    for (int t = 0; t <= a0.intervals; ++t) {
        const QPointF at = project(0, double(t) / a0.intervals, 0);
        p.setPen(edgePen(m_style.axis));
        p.drawLine(at, at - QPointF(em * 0.3, 0));
        p.setPen(c0);
        const QString s = a0.tickText(t);
        const double w = fm.horizontalAdvance(s);
        p.drawText(QPointF(at.x() - em * 0.5 - w, at.y() + fm.ascent() / 2 - fm.descent() / 2), s);
    }
    if (several)
        drawTitle(m_titles[0], m_plot.left() - m_leftLabels - titleCentre(0), c0);

    // Further axes beside the back wall's right edge, on the same grid.
    double x = project(1, 0, S).x() + em * 0.6;
    for (int i = 1; i < m_axes.axes.size(); ++i) {
        const ValueAxisPlan &a = m_axes.axes[i];
        const QColor c = axisColor(a);
        p.setPen(edgePen(c));
        p.drawLine(QPointF(x, project(1, 0, S).y()), QPointF(x, project(1, 1, S).y()));
        double widest = 0;
        for (int t = 0; t <= a.intervals; ++t) {
            const double y = project(1, double(t) / a.intervals, S).y();
            p.setPen(edgePen(c));
            p.drawLine(QPointF(x, y), QPointF(x + em * 0.3, y));
            p.setPen(c);
            const QString s = a.tickText(t);
            widest = std::max(widest, fm.horizontalAdvance(s));
            p.drawText(QPointF(x + em * 0.5, y + fm.ascent() / 2 - fm.descent() / 2), s);
        }
        drawTitle(m_titles[i], x + em * 0.6 + widest + titleCentre(i), c);
        x += widest + em * 1.2 + tfm.height() * (m_titles[i].size() + 0.2);
    }
}

void Chart3D::drawCategoryLabels(QPainter &p) {
    m_labelRects.clear();
    const int rows = m_content->rows();
    if (rows == 0)
        return;
    const QFontMetricsF fm(m_style.labelFont);
    const double gap = fm.horizontalAdvance(QLatin1Char('M'));
    const int step = labelStep(
        m_frontWidth / rows,
        m_content->widestShownLabel(m_style.labelFont, m_frontWidth / rows, gap, 0, rows - 1), gap);
    p.setFont(m_style.labelFont);
    const double top = m_plot.bottom() + fm.height() * 0.65;
    for (int r : labelledRows(rows, step)) {
        const QString &label = m_content->rowLabels[r];
        const double w = fm.horizontalAdvance(label);
        const QPointF at = project(xOfUnit(unitOfRow(r)), 0, 0);
        p.setPen(edgePen(m_style.axis));
        p.drawLine(at, at + QPointF(0, fm.height() * 0.3));
        p.setPen(m_style.text);
        const QRectF box(at.x() - w / 2, top, w, fm.height());
        p.drawText(QPointF(box.left(), top + fm.ascent()), label);
        m_labelRects << box;
    }
}

void Chart3D::drawLegend(QPainter &p) {
    m_legend.paint(p, m_legendRect.topLeft());
}

void Chart3D::drawBoxes(QPainter &p, int k, QVector<Element> *hits) const {
    const QColor c = m_style.color(k);
    const double z0 = m_slot[k] + 0.18, z1 = m_slot[k] + 0.82;
    const double half = 0.36 / m_units;
    const double base = yOf(k, 0);
    const bool outlined = 2 * half * m_frontWidth >= 5;
    const QColor front = shade(c, FrontShade), top = shade(c, TopShade), side = shade(c, SideShade);
    const QPen edge = outlined ? edgePen(c.darker(170)) : QPen(Qt::NoPen);
    const QVector<PlotPoint> &pts = m_points[k];
    // Boxes a few device pixels wide would only show the seams between
    // their faces; packed that tight they are drawn as one stepped block.
    if (2 * half * m_frontWidth * m_scale < 4) {
        drawSkyline(p, k, hits);
        return;
    }
    for (int i = 0; i < pts.size(); ++i) {
        const double xc = xOfUnit(i);
        double y0 = base, y1 = yOf(k, pts[i].value);
        if (y1 < y0)
            std::swap(y0, y1);
        const double xl = xc - half, xr = xc + half;
        const QPolygonF sideFace{project(xr, y0, z0), project(xr, y0, z1), project(xr, y1, z1),
                                 project(xr, y1, z0)};
        const QPolygonF topFace{project(xl, y1, z0), project(xr, y1, z0), project(xr, y1, z1),
                                project(xl, y1, z1)};
        const QPolygonF frontFace{project(xl, y0, z0), project(xr, y0, z0), project(xr, y1, z0),
                                  project(xl, y1, z0)};
        p.setPen(edge);
        p.setBrush(side);
        p.drawPolygon(sideFace);
        p.setBrush(top);
        p.drawPolygon(topFace);
        p.setBrush(front);
        p.drawPolygon(frontFace);
        if (hits) {
            const int row = pts[i].row;
            *hits << Element{sideFace, row} << Element{topFace, row} << Element{frontFace, row};
        }
    }
}

void Chart3D::drawSkyline(QPainter &p, int k, QVector<Element> *hits) const {
    const QColor c = m_style.color(k);
    const double z0 = m_slot[k] + 0.18, z1 = m_slot[k] + 0.82;
    const QVector<PlotPoint> &pts = m_points[k];
    if (pts.isEmpty())
        return;
    const double base = yOf(k, 0);
    const double half = 0.5 / m_units;
    const QPointF depth = project(0, 0, z1) - project(0, 0, z0);
    const QColor top = shade(c, TopShade), side = shade(c, SideShade);
    QPolygonF front;
    front.reserve(2 * pts.size() + 2);
    front << project(xOfUnit(0) - half, base, z0);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < pts.size(); ++i) {
        const double xl = xOfUnit(i) - half, xr = xOfUnit(i) + half;
        const double y = yOf(k, pts[i].value);
        const QPointF fl = project(xl, y, z0), fr = project(xr, y, z0);
        const QPolygonF tread{fl, fr, fr + depth, fl + depth};
        p.setBrush(top);
        p.drawPolygon(tread);
        // A drop to the next block shows this block's right-hand side.
        const double next = i + 1 < pts.size() ? yOf(k, pts[i + 1].value) : base;
        if (next < y) {
            const QPointF fn = project(xr, next, z0);
            p.setBrush(side);
            p.drawPolygon(QPolygonF{fn, fr, fr + depth, fn + depth});
        }
        front << fl << fr;
        if (hits) {
            const QPolygonF block{project(xl, base, z0), fl, fr, project(xr, base, z0)};
            *hits << Element{tread, pts[i].row} << Element{block, pts[i].row};
        }
    }
    front << project(xOfUnit(int(pts.size()) - 1) + half, base, z0);
    p.setBrush(shade(c, FrontShade));
    if (p.testRenderHint(QPainter::Antialiasing)) {
        p.setPen(edgePen(c.darker(150)));
        p.drawPolygon(front);
        return;
    }
    // One block at a time: see drawSlab.
    p.setPen(Qt::NoPen);
    for (int i = 1; i + 2 < front.size(); i += 2)
        p.drawPolygon(QPolygonF{QPointF(front[i].x(), front.first().y()), front[i], front[i + 1],
                                QPointF(front[i + 1].x(), front.first().y())});
}

namespace {

// The shade of a strip that runs from a to b on the screen and recedes by
// `depth`: lit from the upper left when its top side shows, dark when the
// reader looks at its underside.
double stripShade(const QPointF &a, const QPointF &b, const QPointF &depth, double worldDx,
                  double worldDy) {
    const QPointF s = b - a;
    const double cross = s.x() * depth.y() - s.y() * depth.x();
    if (cross > 1e-9)
        return UndersideShade;
    const double len = std::hypot(worldDx, worldDy);
    if (len == 0)
        return TopShade;
    const double nx = -worldDy / len, ny = worldDx / len;
    double f = SideShade + (TopShade - SideShade) * std::fabs(ny);
    f += nx < 0 ? 0.12 * -nx : -0.08 * nx;
    return f;
}

} // namespace

void Chart3D::drawRibbon(QPainter &p, int k, QVector<Element> *hits) const {
    const QColor c = m_style.color(k);
    const double z0 = m_slot[k] + 0.25, z1 = m_slot[k] + 0.75;
    const QVector<PlotPoint> &pts = m_points[k];
    if (pts.isEmpty())
        return;
    const QPointF depth = project(0, 0, z1) - project(0, 0, z0);
    QPolygonF frontEdge;
    frontEdge.reserve(pts.size());
    const auto xAt = [&](int i) { return xOfUnit(unitOfRow(pts[i].x)); };
    if (pts.size() == 1) {
        // A single entry: a short flat strip so that it can be seen.
        const double x = xAt(0), y = yOf(k, pts[0].value), h = 0.3 / m_units;
        const QPolygonF q{project(x - h, y, z0), project(x + h, y, z0), project(x + h, y, z1),
                          project(x - h, y, z1)};
        p.setPen(edgePen(c.darker(150)));
        p.setBrush(shade(c, TopShade));
        p.drawPolygon(q);
        if (hits)
            *hits << Element{q, pts[0].row};
        return;
    }
    p.setPen(Qt::NoPen);
    for (int i = 0; i + 1 < pts.size(); ++i) {
        const double xa = xAt(i), xb = xAt(i + 1);
        const double ya = yOf(k, pts[i].value), yb = yOf(k, pts[i + 1].value);
        const QPointF fa = project(xa, ya, z0), fb = project(xb, yb, z0);
        const QPolygonF q{fa, fb, project(xb, yb, z1), project(xa, ya, z1)};
        p.setBrush(shade(
            c, stripShade(fa, fb, depth, (xb - xa) * m_frontWidth, (yb - ya) * m_frontHeight)));
        p.drawPolygon(q);
        if (hits) {
            // Each half of a segment belongs to the nearer entry.
            const QPointF mf = (fa + fb) / 2, mb = mf + depth;
            *hits << Element{QPolygonF{fa, mf, mb, fa + depth}, pts[i].row}
                  << Element{QPolygonF{mf, fb, fb + depth, mb}, pts[i + 1].row};
        }
        if (i == 0)
            frontEdge << fa;
        frontEdge << fb;
    }
    QVector<QPair<int, int>> rows;
    for (int i = 0; i + 1 < pts.size(); ++i)
        rows << qMakePair(pts[i].row, pts[i + 1].row);
    drawFrontBand(p, frontEdge, c, rows, hits);
}

void Chart3D::drawFrontBand(QPainter &p, const QPolygonF &edge, const QColor &c,
                            const QVector<QPair<int, int>> &rows, QVector<Element> *hits) const {
    // A ribbon is a thin strip with a face of its own towards the reader:
    // where a stretch of it recedes exactly along the line of sight, that
    // face is what still shows it.
    const QPointF t(0, std::max(2.5, m_frontHeight * 0.018));
    p.setPen(Qt::NoPen);
    p.setBrush(shade(c, FrontShade));
    for (int i = 0; i + 1 < edge.size(); ++i) {
        const QPolygonF band{edge[i], edge[i + 1], edge[i + 1] + t, edge[i] + t};
        p.drawPolygon(band);
        if (hits && i < rows.size()) {
            // Each half of a stretch belongs to the entry at its end.
            const QPointF m = (edge[i] + edge[i + 1]) / 2;
            *hits << Element{QPolygonF{edge[i], m, m + t, edge[i] + t}, rows[i].first}
                  << Element{QPolygonF{m, edge[i + 1], edge[i + 1] + t, m + t}, rows[i].second};
        }
    }
    p.setPen(edgePen(c.darker(150)));
    p.setBrush(Qt::NoBrush);
    drawEdge(p, edge);
    drawEdge(p, edge.translated(t));
}

void Chart3D::drawSlab(QPainter &p, int k, QVector<Element> *hits) const {
    const QColor c = m_style.color(k);
    const double z0 = m_slot[k] + 0.18, z1 = m_slot[k] + 0.82;
    const QVector<PlotPoint> &pts = m_points[k];
    if (pts.isEmpty())
        return;
    const double base = yOf(k, 0);
    const QPointF depth = project(0, 0, z1) - project(0, 0, z0);
    const auto xAt = [&](int i) { return xOfUnit(unitOfRow(pts[i].x)); };
    // A lone entry still makes a slab one category wide.
    const bool lone = pts.size() == 1;
    QVector<QPointF> top; // (x, y) pairs of the outline
    if (lone) {
        const double x = xAt(0), h = 0.35 / m_units, y = yOf(k, pts[0].value);
        top << QPointF(x - h, y) << QPointF(x + h, y);
    } else {
        for (int i = 0; i < pts.size(); ++i)
            top << QPointF(xAt(i), yOf(k, pts[i].value));
    }
    const auto rowOf = [&](int i) { return lone ? pts[0].row : pts[i].row; };

    p.setPen(Qt::NoPen);
    for (int i = 0; i + 1 < top.size(); ++i) {
        const QPointF fa = project(top[i].x(), top[i].y(), z0);
        const QPointF fb = project(top[i + 1].x(), top[i + 1].y(), z0);
        p.setBrush(shade(c, stripShade(fa, fb, depth, (top[i + 1].x() - top[i].x()) * m_frontWidth,
                                       (top[i + 1].y() - top[i].y()) * m_frontHeight)));
        p.drawPolygon(QPolygonF{fa, fb, fb + depth, fa + depth});
    }
    const QPointF last = top.last();
    const QPolygonF end{project(last.x(), base, z0), project(last.x(), base, z1),
                        project(last.x(), last.y(), z1), project(last.x(), last.y(), z0)};
    p.setBrush(shade(c, SideShade));
    p.drawPolygon(end);

    p.setBrush(shade(c, FrontShade));
    if (p.testRenderHint(QPainter::Antialiasing)) {
        QPolygonF front;
        front.reserve(top.size() + 2);
        front << project(top.first().x(), base, z0);
        for (const QPointF &t : top)
            front << project(t.x(), t.y(), z0);
        front << project(last.x(), base, z0);
        p.setPen(edgePen(c.darker(150)));
        p.drawPolygon(front);
    } else {
        // Packed points: one polygon of thousands of tall edges takes the
        // rasterizer seconds; slices of it take no time and, unsmoothed,
        // leave no seams.
        p.setPen(Qt::NoPen);
        for (int i = 0; i + 1 < top.size(); ++i)
            p.drawPolygon(QPolygonF{
                project(top[i].x(), base, z0), project(top[i].x(), top[i].y(), z0),
                project(top[i + 1].x(), top[i + 1].y(), z0), project(top[i + 1].x(), base, z0)});
        QPolygonF outline;
        for (const QPointF &t : top)
            outline << project(t.x(), t.y(), z0);
        p.setPen(edgePen(c.darker(150)));
        p.setBrush(Qt::NoBrush);
        for (int i = 0; i + 1 < outline.size(); ++i)
            p.drawLine(outline[i], outline[i + 1]);
    }

    if (hits) {
        for (int i = 0; i + 1 < top.size(); ++i) {
            const QPointF ba = project(top[i].x(), base, z0),
                          bb = project(top[i + 1].x(), base, z0);
            const QPointF fa = project(top[i].x(), top[i].y(), z0);
            const QPointF fb = project(top[i + 1].x(), top[i + 1].y(), z0);
            const QPointF mt = (fa + fb) / 2, mbse = (ba + bb) / 2;
            *hits << Element{QPolygonF{ba, fa, fa + depth, mt + depth, mt, mbse}, rowOf(i)}
                  << Element{QPolygonF{mbse, mt, mt + depth, fb + depth, fb, bb}, rowOf(i + 1)};
        }
        *hits << Element{end, rowOf(int(top.size()) - 1)};
    }
}

void Chart3D::drawStairs(QPainter &p, int k, QVector<Element> *hits) const {
    const QColor c = m_style.color(k);
    const double z0 = m_slot[k] + 0.25, z1 = m_slot[k] + 0.75;
    const QVector<PlotPoint> &pts = m_points[k];
    if (pts.isEmpty())
        return;
    const QPointF depth = project(0, 0, z1) - project(0, 0, z0);
    const auto xAt = [&](int i) { return xOfUnit(unitOfRow(pts[i].x)); };
    const double halfUnit = 0.5 / m_units;
    QPolygonF frontEdge;
    for (int i = 0; i < pts.size(); ++i) {
        const double xc = xAt(i);
        const double left = i == 0 ? xc - halfUnit : (xAt(i - 1) + xc) / 2;
        const double right = i + 1 == pts.size() ? xc + halfUnit : (xAt(i + 1) + xc) / 2;
        const double y = yOf(k, pts[i].value);
        // The tread of this entry, then the riser up or down to the next.
        const QPointF fa = project(left, y, z0), fb = project(right, y, z0);
        const QPolygonF tread{fa, fb, fb + depth, fa + depth};
        p.setPen(Qt::NoPen);
        p.setBrush(shade(c, TopShade));
        p.drawPolygon(tread);
        if (hits)
            *hits << Element{tread, pts[i].row};
        frontEdge << fa << fb;
        if (i + 1 < pts.size()) {
            const double yn = yOf(k, pts[i + 1].value);
            const QPointF fn = project(right, yn, z0);
            const QPolygonF riser{fb, fn, fn + depth, fb + depth};
            p.setBrush(shade(c, yn > y ? SideShade + 0.1 : SideShade));
            p.drawPolygon(riser);
            if (hits)
                *hits << Element{riser, pts[i + 1].row};
        }
    }
    QVector<QPair<int, int>> rows; // a tread, then the riser to the next entry
    for (int i = 0; i < pts.size(); ++i) {
        rows << qMakePair(pts[i].row, pts[i].row);
        if (i + 1 < pts.size())
            rows << qMakePair(pts[i + 1].row, pts[i + 1].row);
    }
    drawFrontBand(p, frontEdge, c, rows, hits);
}

void Chart3D::paint(QPainter &p, const QRectF &rect, const ChartContent &content, ChartKind kind,
                    const ChartStyle &style, double deviceScale) {
    m_content = &content;
    m_kind = kind;
    m_style = style;
    m_axes = planValueAxes(content.ranges, drawnFromZero(kind));
    m_scale = deviceScale > 0 ? deviceScale : 1;
    layout(rect, deviceScale);
    m_hits.clear();
    m_hits.resize(content.columns());

    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.fillRect(rect, style.background);
    p.setClipRect(rect);
    drawWalls(p);
    drawValueAxes(p);
    drawCategoryLabels(p);
    // Back rows first, so nearer rows cover them.
    for (int i = content.columns() - 1; i >= 0; --i) {
        const int k = m_order[i];
        QVector<Element> *hits = &m_hits[k];
        // Edges a pixel or two apart gain nothing from antialiasing and make
        // the rasterizer crawl.
        p.setRenderHint(QPainter::Antialiasing, m_points[k].size() < 0.25 * m_frontWidth * m_scale);
        if (drawsAsBars(kind, k)) {
            drawBoxes(p, k, hits);
            continue;
        }
        switch (kind.shape) {
        case ChartShape::Area:
            drawSlab(p, k, hits);
            break;
        case ChartShape::Step:
            drawStairs(p, k, hits);
            break;
        default:
            drawRibbon(p, k, hits);
            break;
        }
    }
    p.setRenderHint(QPainter::Antialiasing, true);
    drawLegend(p);
    p.restore();
}

QString Chart3D::toolTipAt(const QPointF &pos) const {
    if (!m_content)
        return QString();
    // Front rows first; within a row the last drawn lies on top.
    for (int k : m_order) {
        const QVector<Element> &row = m_hits[k];
        for (int i = int(row.size()) - 1; i >= 0; --i) {
            const QRectF b = row[i].polygon.boundingRect().adjusted(-2, -2, 2, 2);
            if (!b.contains(pos))
                continue;
            if (row[i].polygon.containsPoint(pos, Qt::OddEvenFill) ||
                (b.width() < 5 || b.height() < 5))
                return valueTipText(*m_content, k, row[i].row);
        }
    }
    return QString();
}

} // namespace corv
