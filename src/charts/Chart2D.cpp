#include "Chart2D.h"

#include "platform/Conversions.h"

#include <QAreaSeries>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QGraphicsItem>
#include <QGraphicsLayout>
#include <QLegend>
#include <QLineSeries>
#include <QPainter>
#include <QScatterSeries>
#include <QSet>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace corv {

// Qt Charts' own legend keeps to one line and shortens the names to fit it;
// this one wraps, so every name shows whole.
class Chart2D::LegendItem : public QGraphicsItem {
public:
    using QGraphicsItem::QGraphicsItem;
    ChartLegend legend;
    void layOut(const QStringList &names, const ChartStyle &style, double width) {
        prepareGeometryChange();
        legend.layOut(names, style, width);
        update();
    }
    QRectF boundingRect() const override { return QRectF(0, 0, legend.width(), legend.height()); }
    void paint(QPainter *p, const QStyleOptionGraphicsItem *, QWidget *) override {
        legend.paint(*p, QPointF(0, 0));
    }
};

Chart2D::~Chart2D() {
    QObject::disconnect(m_plotAreaWatch);
    QObject::disconnect(m_sizeWatch);
}

const ChartLegend &Chart2D::legend() const {
    static const ChartLegend none;
    return m_legend ? m_legend->legend : none;
}

QPointF Chart2D::legendPos() const {
    return m_legend ? m_legend->pos() : QPointF();
}

namespace {

// Pens are in picture pixels, not device pixels, so that a chart drawn for
// a 1200 dpi printer keeps the weight of its lines.
QPen linePen(const QColor &c, double width) {
    QPen p(c, width);
    p.setJoinStyle(Qt::RoundJoin);
    p.setCapStyle(Qt::RoundCap);
    return p;
}

// The pen of a dense chart's lines. Qt Charts draws a line segment by
// segment, thousands of them in a dense chart: with square ends the raster
// engine fills each one as a plain quadrangle, with round ends it traces
// curves for every end and takes several times as long. Where the points lie a
// pixel or two apart the ends make no difference to be seen.
QPen denseLinePen(const QColor &c, double width) {
    QPen p = linePen(c, width);
    p.setCapStyle(Qt::SquareCap);
    p.setJoinStyle(Qt::MiterJoin);
    return p;
}

// `below` and `above` widen the axis past its first and last ticks, as
// shares of its height.
void styleValueAxis(QValueAxis *a, const ValueAxisPlan &plan, double below, double above,
                    const ChartStyle &s, bool grid, const QColor &labels) {
    const double span = plan.high - plan.low;
    a->setRange(plan.low - below * span, plan.high + above * span);
    if (below > 0 || above > 0) {
        // The ticks stay on the plan's round values.
        a->setTickType(QValueAxis::TicksDynamic);
        a->setTickAnchor(plan.low);
        a->setTickInterval(plan.step);
    } else {
        a->setTickCount(plan.intervals + 1);
    }
    a->setMinorTickCount(0);
    a->setLabelFormat(QStringLiteral("%.") + QString::number(plan.decimals) + QLatin1Char('f'));
    a->setLabelsFont(s.labelFont);
    a->setLabelsColor(labels);
    a->setLinePen(linePen(grid ? s.axis : labels, 1));
    a->setGridLineVisible(grid && s.gridLines);
    a->setGridLinePen(linePen(s.grid, 1));
    a->setShadesVisible(false);
    a->setTruncateLabels(false);
}

} // namespace

void Chart2D::build(QChart *chart, const ChartContent *content, ChartKind kind,
                    const ChartStyle &style, double plotPixels) {
    QObject::disconnect(m_plotAreaWatch);
    QObject::disconnect(m_sizeWatch);
    if (m_chart == chart)
        delete m_legend;
    m_legend = nullptr;
    m_chart = chart;
    // The value axes write their numbers the user's way (7,5 in German).
    chart->setLocale(QLocale());
    chart->setLocalizeNumbers(!userFormIsFixed());
    m_content = content;
    m_kind = kind;
    m_style = style;
    m_pixels = plotPixels;
    m_labelStep = 0;
    m_labelled.clear();
    m_labelledDates.clear();
    m_placedLabels.clear();
    m_placedUnits.clear();
    m_barColumns.clear();
    m_points.clear();
    m_lines.clear();
    m_placedUnitsPerPixel = 0;
    m_bands.clear();
    m_view.reset();
    m_anchor = nullptr;
    m_yAxes.clear();

    chart->removeAllSeries();
    for (QAbstractAxis *a : chart->axes()) {
        chart->removeAxis(a);
        delete a;
    }
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundBrush(style.background);
    chart->setBackgroundPen(Qt::NoPen);
    chart->setBackgroundRoundness(0);
    chart->setDropShadowEnabled(false);
    chart->setPlotAreaBackgroundVisible(false);
    if (chart->layout())
        chart->layout()->setContentsMargins(0, 0, 0, 0);

    const int rows = content->rows(), cols = content->columns();
    m_timeAxis = rows > 0 && content->rowDays.size() == rows && content->dayZero.isValid() &&
                 (kind.shape == ChartShape::Line || kind.shape == ChartShape::Area ||
                  kind.shape == ChartShape::Step);
    // A band near the values widens the axis to show the band's edges; one
    // far off is clipped instead (see rangeWithBand).
    QVector<SeriesRange> ranges = content->ranges;
    for (int k = 0; k < cols && k < content->bands.size(); ++k)
        ranges[k] = rangeWithBand(ranges[k], content->bands[k]);
    m_axes = planValueAxes(ranges, drawnFromZero(kind));
    const ValueAxisPlan &common = m_axes.axes.first();

    // The first and last date labels are centred on the first and last rows:
    // leave them room beside the plot, or Qt Charts drops them.
    const QFontMetricsF fm(style.labelFont);
    const double plotWidth = std::max(1.0, plotPixels) / m_deviceScale;
    m_widestLabel = content->widestShownLabel(style.labelFont, plotWidth / std::max(1, rows),
                                              fm.horizontalAdvance(QLatin1Char('M')), 0, rows - 1);
    double leftAxis = fm.horizontalAdvance(QLatin1Char('M'));
    for (int t = 0; t <= common.intervals; ++t)
        leftAxis = std::max(leftAxis, fm.horizontalAdvance(common.tickText(t)));
    if (m_axes.axes.size() > 1)
        leftAxis += QFontMetricsF(style.titleFont).height();
    const int half = int(std::ceil(m_widestLabel / 2));
    m_margins = QMargins(std::max(4, half - int(leftAxis)), 6, std::max(8, half), 2);
    chart->setMargins(m_margins);

    bool anyBars = false;
    for (int k = 0; k < cols; ++k)
        anyBars = anyBars || drawsAsBars(kind, k);
    int barSets = 0;
    for (int k = 0; k < cols; ++k)
        barSets += drawsAsBars(kind, k);
    // Bars need a couple of pixels each to stay bars; a line's bucket gives
    // two points (its low and its high), so one bucket per two pixels.
    // Lines, areas and steps keep every row: a dense one is thinned per pixel
    // column once the plot's place is known (placePoints).
    const bool alongLine = kind.shape == ChartShape::Line || kind.shape == ChartShape::Area ||
                           kind.shape == ChartShape::Step;
    m_bucket =
        alongLine
            ? 1
            : bucketSizeFor(rows, std::max(1.0, plotPixels) / (anyBars ? 2.0 * barSets : 2.0));
    const int units = rows > 0 ? (rows + m_bucket - 1) / m_bucket : 1;
    if (m_timeAxis) {
        // A little room beyond the first and last entries, so their points
        // do not sit on the plot's edges.
        const double first = content->rowDays.first(), last = content->rowDays.last();
        const double pad = std::max(0.5, (last - first) * 0.03);
        m_full = {first - pad, last + pad};
    } else {
        m_full = {posOfUnit(-0.5), posOfUnit(units - 0.5)};
    }

    m_x = new QCategoryAxis;
    m_x->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    m_x->setStartValue(unitOfPos(m_full.lo));
    m_x->setRange(unitOfPos(m_full.lo), unitOfPos(m_full.hi));
    m_x->setLabelsFont(style.labelFont);
    m_x->setLabelsColor(style.text);
    m_x->setLinePen(linePen(style.axis, 1));
    m_x->setGridLineVisible(style.gridLines && !anyBars);
    m_x->setGridLinePen(linePen(style.grid, 1));
    m_x->setTruncateLabels(false);
    chart->addAxis(m_x, Qt::AlignBottom);

    // A point on the plot's top or bottom edge is drawn half outside it:
    // where a series comes that close to an end, every axis goes on a little
    // past its last tick, by the same share, so that their ticks still meet
    // the same grid lines. Bars and areas stand on 0 and keep it at the edge.
    const double span = common.high - common.low;
    const double room = std::min(0.08, 8.0 / std::max(60.0, chart->size().height() * 0.7));
    bool nearLow = false, nearHigh = false;
    for (int k = 0; k < cols && rows > 0 && span > 0; ++k) {
        const ValueAxisPlan &axis = m_axes.axes[m_axes.axisOfSeries[k]];
        nearLow =
            nearLow || axis.toCommon(content->ranges[k].low, common) < common.low + room * span;
        nearHigh =
            nearHigh || axis.toCommon(content->ranges[k].high, common) > common.high - room * span;
    }
    const bool fromZero = drawnFromZero(kind);
    nearLow = nearLow && !(fromZero && common.low == 0);
    nearHigh = nearHigh && !(fromZero && common.high == 0);
    // The other end gets a hair's breadth, so its tick is not lost to rounding.
    const double tiny = 1e-7;
    const double below = nearLow ? room : nearHigh ? tiny : 0;
    const double above = nearHigh ? room : nearLow ? tiny : 0;
    m_low = common.low - below * span;
    m_high = common.high + above * span;

    const bool severalAxes = m_axes.axes.size() > 1;
    QVector<QValueAxis *> yAxes;
    for (int i = 0; i < m_axes.axes.size(); ++i) {
        const ValueAxisPlan &plan = m_axes.axes[i];
        auto *a = new QValueAxis;
        // With one axis per size of series, each axis wears its series'
        // colour and names them, so the reader knows which scale to use.
        QColor labels = style.text;
        if (severalAxes && plan.series.size() == 1)
            labels = style.color(plan.series.first());
        styleValueAxis(a, plan, below, above, style, i == 0, labels);
        if (severalAxes) {
            // Titled by placeTitles, once the plot's height is known.
            a->setTitleFont(style.titleFont);
            a->setTitleBrush(labels);
        }
        chart->addAxis(a, i == 0 ? Qt::AlignLeft : Qt::AlignRight);
        yAxes << a;
    }
    m_y = yAxes.first();
    m_yAxes = severalAxes ? yAxes : QVector<QValueAxis *>();
    placeTitles(chart->size().height() * 0.6);
    addBands();
    addMarkers();

    // The points of every series on the common scale.
    m_points.resize(cols);
    for (int k = 0; k < cols; ++k) {
        if (drawsAsBars(kind, k))
            m_points[k] = thinForBars(content->series[k], m_bucket);
        else
            m_points[k] = thinForLines(content->series[k], m_bucket);
    }
    const auto commonOf = [&](int k, double v) {
        return m_axes.axes[m_axes.axisOfSeries[k]].toCommon(v, common);
    };

    // Edges closer than a few pixels apart gain nothing from antialiasing
    // and make it crawl: the rasterizer splits its work again and again.
    qsizetype most = 0;
    for (const QVector<PlotPoint> &pts : m_points)
        most = std::max(most, pts.size() * (anyBars ? std::max(1, barSets) : 1));
    m_dense = most > 0.25 * std::max(1.0, plotPixels);

    QBarSeries *bars = nullptr;
    if (anyBars) {
        bars = new QBarSeries;
        // Packed bars lose their gaps, which would only flicker.
        const bool thin = plotPixels / std::max(1, units) < 6;
        m_barWidth = thin ? 1.0 : kind.shape == ChartShape::Combination ? 0.7 : 0.82;
        bars->setBarWidth(m_barWidth);
        for (int k = 0; k < cols; ++k) {
            if (!drawsAsBars(kind, k))
                continue;
            auto *set = new QBarSet(content->columnLabels[k]);
            QList<qreal> values;
            values.reserve(m_points[k].size());
            for (const PlotPoint &p : m_points[k])
                values << commonOf(k, p.value);
            set->append(values);
            const QColor c = style.color(k);
            set->setBrush(c);
            set->setPen(thin ? QPen(Qt::NoPen) : linePen(c.darker(125), 1));
            bars->append(set);
            m_barColumns << k;
        }
        chart->addSeries(bars);
        bars->attachAxis(m_x);
        bars->attachAxis(m_y);
        m_anchor = bars;
    }

    // Areas hide what lies behind them: the largest go first, so that the
    // smaller ones stay in front where they can be seen.
    QVector<int> order;
    for (int k = 0; k < cols; ++k)
        if (!drawsAsBars(kind, k))
            order << k;
    if (kind.shape == ChartShape::Area) {
        QVector<double> mean(cols, 0);
        for (int k : order) {
            for (const PlotPoint &p : m_points[k])
                mean[k] += commonOf(k, p.value);
            mean[k] /= std::max<qsizetype>(1, m_points[k].size());
        }
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return mean[a] > mean[b]; });
    }
    QVector<QLineSeries *> outlines;
    for (int k : order) {
        const QVector<PlotPoint> &pts = m_points[k];
        QList<QPointF> line;
        if (kind.shape == ChartShape::Step) {
            // Each value holds from halfway to its left neighbour to halfway
            // to its right one.
            line.reserve(2 * pts.size());
            // On a time axis the first and last steps reach the plot's edges.
            for (int i = 0; i < pts.size(); ++i) {
                const double u = xOf(pts[i]);
                const double left = i > 0        ? (xOf(pts[i - 1]) + u) / 2
                                    : m_timeAxis ? unitOfPos(m_full.lo)
                                                 : u - 0.5;
                const double right = i + 1 < pts.size() ? (xOf(pts[i + 1]) + u) / 2
                                     : m_timeAxis       ? unitOfPos(m_full.hi)
                                                        : u + 0.5;
                const double y = commonOf(k, pts[i].value);
                line << QPointF(left, y) << QPointF(right, y);
            }
        } else if (kind.shape == ChartShape::Area && pts.size() == 1) {
            // A lone entry has no breadth of its own: its area stands most
            // of a row wide (of a day on a time axis), or it would be a hair.
            const double u = xOf(pts[0]), y = commonOf(k, pts[0].value);
            line << QPointF(u - 0.35, y) << QPointF(u + 0.35, y);
        } else {
            line.reserve(pts.size());
            for (const PlotPoint &p : pts)
                line << QPointF(xOf(p), commonOf(k, p.value));
        }
        const QColor c = style.color(k);
        auto *upper = new QLineSeries;
        upper->setName(content->columnLabels[k]);
        // A dense line waits for placePoints, which knows the pixel columns.
        DrawnLine drawn;
        if (m_dense && alongLine)
            drawn.line = line;
        else
            upper->replace(line);
        if (kind.shape == ChartShape::Area && m_dense)
            drawn.fill << upper;
        else
            drawn.series << upper;
        QAbstractSeries *series = upper;
        if (kind.shape == ChartShape::Area) {
            auto *area = new QAreaSeries(upper);
            // An area series does not own the line that bounds it.
            upper->setParent(area);
            area->setName(content->columnLabels[k]);
            // Mostly opaque, so colours do not mix into mud where areas
            // overlap; lightened, so the outlines stand out.
            QColor fill = mixColors(c, style.background, 0.25);
            fill.setAlphaF(0.82f);
            area->setBrush(fill);
            if (m_dense) {
                // Stroked as one path, a long outline is as slow as the fill
                // ought to be; a line series draws it piece by piece.
                area->setPen(Qt::NoPen);
                auto *outline = new QLineSeries;
                outline->setPen(denseLinePen(c, 2));
                outlines << outline;
                drawn.series << outline;
            } else {
                area->setPen(linePen(c, 2));
            }
            series = area;
        } else {
            const bool few = rows <= 60 && kind.shape == ChartShape::Line;
            const double width = kind.shape == ChartShape::Combination ? 2.5 : 2;
            upper->setPen(m_dense && alongLine ? denseLinePen(c, width) : linePen(c, width));
            upper->setColor(c);
            if (few) {
                upper->setPointsVisible(true);
                upper->setMarkerSize(6);
            }
        }
        chart->addSeries(series);
        series->attachAxis(m_x);
        series->attachAxis(m_y);
        if (!m_anchor)
            m_anchor = series;
        if (!drawn.fill.isEmpty()) {
            // The rasterizer takes far longer over one polygon of thousands
            // of tall edges than over a few narrow ones: the fill is drawn in
            // strips that meet on a pixel column's edge, where no pixel's
            // centre lies, so no pixel is covered twice or missed.
            const int strips = std::max(1, int(std::ceil(std::max(1.0, plotPixels) / 48)));
            for (int i = 1; i < strips; ++i) {
                auto *edge = new QLineSeries;
                auto *strip = new QAreaSeries(edge);
                edge->setParent(strip);
                strip->setBrush(static_cast<QAreaSeries *>(series)->brush());
                strip->setPen(Qt::NoPen);
                chart->addSeries(strip);
                strip->attachAxis(m_x);
                strip->attachAxis(m_y);
                drawn.fill << edge;
            }
        }
        if (!drawn.line.isEmpty())
            m_lines << drawn;
    }
    for (QLineSeries *outline : outlines) {
        chart->addSeries(outline);
        outline->attachAxis(m_x);
        outline->attachAxis(m_y);
    }

    chart->legend()->setVisible(false);
    m_legend = new LegendItem(chart);
    m_legend->setZValue(1);
    placeLegend();
    m_sizeWatch = QObject::connect(chart, &QGraphicsWidget::geometryChanged, chart,
                                   [this] { placeLegend(); });

    m_plotAreaWatch = QObject::connect(chart, &QChart::plotAreaChanged, chart,
                                       [this](const QRectF &) { placeLabels(); });
    placeLabels();
}

void Chart2D::placeLegend() {
    if (!m_chart || !m_legend)
        return;
    const double pad = 4;
    const QSizeF size = m_chart->size();
    m_legend->layOut(m_style.legend ? m_content->columnLabels : QStringList(), m_style,
                     size.width() - 2 * pad);
    const double height = m_legend->legend.height();
    m_legend->setPos(pad, size.height() - height);
    const QMargins margins = m_margins + QMargins(0, 0, 0, int(std::ceil(height)));
    if (m_chart->margins() != margins)
        m_chart->setMargins(margins);
}

void Chart2D::addBands() {
    const ChartContent &c = *m_content;
    // Without values the axis is only a frame: a band there would claim
    // values that are not there.
    if (c.rows() == 0)
        return;
    const ValueAxisPlan &common = m_axes.axes.first();
    const double x0 = unitOfPos(m_full.lo), x1 = unitOfPos(m_full.hi);
    // Light enough that the values in front stay the thing one sees; where
    // several bands overlap each is fainter, so their sum does not turn the
    // plot to mud.
    int count = 0;
    for (int k = 0; k < c.columns() && k < c.bands.size(); ++k)
        count += !c.bands[k].isEmpty();
    const double alpha = (isDark(m_style.background) ? 0.26 : 0.16) / std::sqrt(std::max(1, count));
    for (int k = 0; k < c.columns() && k < c.bands.size(); ++k) {
        const ChartBand &band = c.bands[k];
        if (band.isEmpty())
            continue;
        const ValueAxisPlan &axis = m_axes.axes[m_axes.axisOfSeries[k]];
        const auto onCommon = [&](double v) { return axis.toCommon(v, common); };
        // A missing bound reaches the axis's end.
        double lo = band.low ? onCommon(*band.low) : m_low;
        double hi = band.high ? onCommon(*band.high) : m_high;
        if (hi < m_low || lo > m_high)
            continue; // wholly off the axis
        lo = std::clamp(lo, m_low, m_high);
        hi = std::clamp(hi, m_low, m_high);
        m_bands.push_back({k, lo, hi});
        const QColor colour = m_style.color(k);
        const QString name = c.columnLabels[k];
        if (hi > lo) {
            auto *upper = new QLineSeries;
            upper->append(x0, hi);
            upper->append(x1, hi);
            auto *lower = new QLineSeries;
            lower->append(x0, lo);
            lower->append(x1, lo);
            auto *area = new QAreaSeries(upper, lower);
            upper->setParent(area);
            lower->setParent(area);
            QColor fill = colour;
            fill.setAlphaF(float(alpha));
            area->setBrush(fill);
            area->setPen(Qt::NoPen);
            area->setObjectName(QStringLiteral("band:") + name);
            m_chart->addSeries(area);
            area->attachAxis(m_x);
            area->attachAxis(m_y);
        }
        // The bounds the band has, as fine dashed lines: where the band ends
        // must show even where another band lies over it.
        for (const std::optional<double> &bound : {band.low, band.high}) {
            if (!bound)
                continue;
            const double v = onCommon(*bound);
            if (v < m_low || v > m_high)
                continue;
            auto *edge = new QLineSeries;
            edge->append(x0, v);
            edge->append(x1, v);
            QColor pen = colour;
            pen.setAlphaF(0.75f);
            edge->setPen(QPen(pen, 1, Qt::DashLine));
            edge->setObjectName(QStringLiteral("bandEdge:") + name);
            m_chart->addSeries(edge);
            edge->attachAxis(m_x);
            edge->attachAxis(m_y);
        }
    }
}

void Chart2D::addMarkers() {
    const ChartContent &c = *m_content;
    if (c.rows() == 0)
        return;
    // Quieter than the values: a thin dotted line in the text's colour.
    QColor colour = m_style.text;
    colour.setAlphaF(0.6f);
    const QPen pen(colour, 1, Qt::DotLine);
    // Labels of markers close together go on lower lines, so that they do
    // not print over each other (three lines; then the line that frees
    // soonest). Widths are reckoned in the pixels the plot is built for.
    const double units = unitOfPos(m_full.hi) - unitOfPos(m_full.lo);
    const double pixelsPerUnit = units > 0 ? m_pixels / units : 0;
    const QFontMetricsF metrics(m_style.labelFont);
    const double lineStep = (m_high - m_low) * 0.05;
    double lineEnds[3] = {-1e300, -1e300, -1e300};
    for (const ChartContent::Marker &m : c.markers) {
        const double x = unitOfPos(m.position);
        const double px = x * pixelsPerUnit;
        const double half = metrics.horizontalAdvance(m.label) / 2 + 6;
        int level = 0;
        for (int k = 1; k < 3; ++k)
            if (lineEnds[level] > px - half && lineEnds[k] < lineEnds[level])
                level = k;
        lineEnds[level] = px + half;
        const double labelY = m_high - level * lineStep;
        auto *line = new QLineSeries;
        line->append(x, m_low);
        line->append(x, m_high);
        line->setPen(pen);
        line->setObjectName(QStringLiteral("marker:") + m.label);
        m_chart->addSeries(line);
        line->attachAxis(m_x);
        line->attachAxis(m_y);
        // The label stands at the line's top, as the one point of a series
        // whose point label is the text itself.
        auto *top = new QScatterSeries;
        top->append(x, labelY);
        top->setMarkerSize(4);
        top->setColor(colour);
        top->setBorderColor(colour);
        top->setPointLabelsFormat(QString(m.label).replace(u'@', QStringLiteral("(at)")));
        top->setPointLabelsFont(m_style.labelFont);
        top->setPointLabelsColor(m_style.text);
        top->setPointLabelsClipping(false);
        top->setPointLabelsVisible(true);
        top->setObjectName(QStringLiteral("markerLabel:") + m.label);
        m_chart->addSeries(top);
        top->attachAxis(m_x);
        top->attachAxis(m_y);
    }
}

void Chart2D::setView(const std::optional<XSpan> &view) {
    if (!m_chart || !m_x)
        return;
    m_view.reset();
    if (view && *view != m_full)
        m_view = fitSpan(*view, m_full, 0);
    const XSpan v = viewSpan();
    m_x->setRange(unitOfPos(v.lo), unitOfPos(v.hi));
    m_labelStep = 0;
    placeLabels();
}

double Chart2D::positionAt(double sceneX) const {
    if (!m_chart || !m_anchor)
        return m_full.middle();
    const double y = m_chart->plotArea().center().y();
    return posOfUnit(m_chart->mapToValue(QPointF(sceneX, y), m_anchor).x());
}

QPointF Chart2D::scenePointOf(int column, int row) const {
    if (!m_chart || !m_anchor || !m_content || column < 0 || column >= m_content->columns() ||
        row < 0 || row >= m_content->rows())
        return {};
    const ValueAxisPlan &common = m_axes.axes.first();
    const double v =
        m_axes.axes[m_axes.axisOfSeries[column]].toCommon(m_content->value(column, row), common);
    const double x = m_timeAxis ? m_content->rowDays[row] : unitOfRow(row);
    return toScene(x, v);
}

void Chart2D::placeTitles(double length) {
    for (int i = 0; i < m_yAxes.size(); ++i) {
        QStringList names;
        for (int s : m_axes.axes[i].series)
            names << m_content->columnLabels[s];
        // A touch short of the axis, or Qt Charts shortens the line. Qt
        // Charts reads a title as HTML.
        QStringList lines = axisTitleLines(names, m_style.titleFont, length - 4);
        for (QString &line : lines)
            line = line.toHtmlEscaped();
        const QString title = lines.join(QStringLiteral("<br>"));
        if (m_yAxes[i]->titleText() != title)
            m_yAxes[i]->setTitleText(title);
    }
}

void Chart2D::placePoints() {
    const QRectF plot = m_chart->plotArea();
    const double span = m_x->max() - m_x->min();
    if (m_lines.isEmpty() || plot.width() <= 0 || !(span > 0))
        return;
    // Scene x of a unit u is plot.left + (u - min) * scale.
    const double scale = plot.width() / span;
    const double perPixel = 1 / (scale * m_deviceScale);
    const double origin = m_x->min() - plot.left() / scale;
    if (perPixel == m_placedUnitsPerPixel && origin == m_placedOrigin)
        return;
    m_placedUnitsPerPixel = perPixel;
    m_placedOrigin = origin;
    for (const DrawnLine &drawn : std::as_const(m_lines)) {
        const QVector<QPointF> placed = onPixelColumns(drawn.line, origin, perPixel, m_decimate);
        for (QLineSeries *series : drawn.series)
            series->replace(placed);
        if (drawn.fill.isEmpty())
            continue;
        // Each strip's edge runs over a share of the columns, from the last
        // column of the strip before it: they meet on that column's line.
        const QVector<QPointF> ends = columnEnds(placed);
        QVector<qsizetype> starts; // where each column's ends begin
        for (qsizetype i = 0; i < ends.size(); ++i)
            if (i == 0 || ends[i].x() != ends[i - 1].x())
                starts << i;
        const qsizetype columns = starts.size(), strips = drawn.fill.size();
        const qsizetype per = std::max<qsizetype>(1, (columns + strips - 1) / strips);
        for (qsizetype i = 0; i < strips; ++i) {
            const qsizetype first = i * per, last = std::min(columns - 1, (i + 1) * per);
            if (first >= last) {
                drawn.fill[i]->replace(i == 0 ? ends : QVector<QPointF>());
                continue;
            }
            const qsizetype from = starts[first];
            const qsizetype to = last + 1 < columns ? starts[last + 1] : ends.size();
            drawn.fill[i]->replace(ends.mid(from, to - from));
        }
    }
}

void Chart2D::placeLabels() {
    if (!m_chart || !m_content || !m_x)
        return;
    placePoints();
    if (m_chart->plotArea().height() > 0)
        placeTitles(m_chart->plotArea().height());
    const int rows = m_content->rows();
    const double width = m_chart->plotArea().width();
    if (rows == 0 || width <= 0)
        return;
    const double gap = QFontMetricsF(m_style.labelFont).horizontalAdvance(QLatin1Char('M'));
    if (m_timeAxis)
        placeDateLabels(width, gap);
    else
        placeRowLabels(width, gap);
}

void Chart2D::placeRowLabels(double width, double gap) {
    const XSpan view = viewSpan();
    const int rows = m_content->rows();
    const double slot = width / std::max(1e-9, view.width());
    const int step = labelStep(slot,
                               m_content->widestShownLabel(m_style.labelFont, slot, gap,
                                                           int(std::ceil(view.lo)), int(view.hi)),
                               gap);
    if (step == m_labelStep && !m_placedUnits.isEmpty())
        return;
    m_labelStep = step;
    // Every step-th row from the first, so the labels stay put as the view
    // moves; only those in view go on the axis.
    m_labelled.clear();
    QStringList labels;
    QVector<double> units;
    // The axis keys its labels by text; entries of the same date get an
    // invisible mark each to stay apart.
    QSet<QString> used;
    for (int r : corv::labelledRows(rows, step)) {
        if (r < view.lo || r > view.hi)
            continue;
        m_labelled << r;
        QString label = m_content->rowLabels[r];
        while (used.contains(label))
            label += QChar(0x200B);
        used.insert(label);
        labels << label;
        units << unitOfRow(r);
    }
    setLabels(labels, units);
}

void Chart2D::placeDateLabels(double width, double gap) {
    const XSpan view = viewSpan();
    const QDate &zero = m_content->dayZero;
    const QDate first = zero.addDays(qint64(std::ceil(view.lo)));
    const QDate last = zero.addDays(qint64(std::floor(view.hi)));
    const int fit = std::max(1, int((width + gap) / (m_widestLabel + gap)));
    m_labelledDates = dateTicks(first, last, fit);
    QStringList labels;
    QVector<double> units;
    for (const QDate &d : std::as_const(m_labelledDates)) {
        labels << userDateText(d);
        units << double(zero.daysTo(d));
    }
    setLabels(labels, units);
}

void Chart2D::setLabels(const QStringList &labels, const QVector<double> &units) {
    if (labels == m_placedLabels && units == m_placedUnits)
        return;
    for (const QString &l : m_x->categoriesLabels())
        m_x->remove(l);
    for (int i = 0; i < labels.size(); ++i)
        m_x->append(labels[i], units[i]);
    m_x->setStartValue(unitOfPos(m_full.lo));
    m_placedLabels = labels;
    m_placedUnits = units;
}

QPointF Chart2D::toScene(double unit, double common) const {
    return m_chart->mapToPosition(QPointF(unit, common), m_anchor);
}

QString Chart2D::toolTipAt(const QPointF &scenePos) const {
    if (!m_chart || !m_anchor || !m_content || m_content->rows() == 0)
        return QString();
    if (!m_chart->plotArea().adjusted(-4, -4, 4, 4).contains(scenePos))
        return QString();
    const QPointF value = m_chart->mapToValue(scenePos, m_anchor);
    // Lines lie over bars in a combination, so they answer first.
    QString tip = lineTip(value, scenePos);
    if (tip.isEmpty())
        tip = barTip(value, scenePos);
    return tip;
}

QString Chart2D::barTip(const QPointF &value, const QPointF &scenePos) const {
    if (m_barColumns.isEmpty())
        return QString();
    const int unit = int(std::lround(value.x()));
    const double offset = value.x() - unit;
    const double width = m_barWidth;
    const int sets = int(m_barColumns.size());
    const int j = int(std::floor((offset + width / 2) / (width / sets)));
    if (j < 0 || j >= sets)
        return QString();
    const int k = m_barColumns[j];
    if (unit < 0 || unit >= m_points[k].size())
        return QString();
    const PlotPoint &p = m_points[k][unit];
    const ValueAxisPlan &common = m_axes.axes.first();
    const double top = m_axes.axes[m_axes.axisOfSeries[k]].toCommon(p.value, common);
    const double base = m_axes.axes[m_axes.axisOfSeries[k]].toCommon(0, common);
    const double yTop = toScene(unit, top).y(), yBase = toScene(unit, base).y();
    if (scenePos.y() < std::min(yTop, yBase) - 3 || scenePos.y() > std::max(yTop, yBase) + 3)
        return QString();
    return valueTipText(*m_content, k, p.row);
}

QString Chart2D::lineTip(const QPointF &value, const QPointF &scenePos) const {
    const ValueAxisPlan &common = m_axes.axes.first();
    double best = 12; // pixels
    int bestColumn = -1, bestRow = -1;
    for (int k = 0; k < m_points.size(); ++k) {
        if (drawsAsBars(m_kind, k) || m_points[k].isEmpty())
            continue;
        const QVector<PlotPoint> &pts = m_points[k];
        // The drawn point nearest in x.
        const auto it =
            std::lower_bound(pts.begin(), pts.end(), value.x(),
                             [this](const PlotPoint &p, double u) { return xOf(p) < u; });
        for (auto c : {it, it - 1}) {
            if (c < pts.begin() || c >= pts.end())
                continue;
            const double u = xOf(*c);
            if (m_timeAxis) {
                // Days apart mean nothing on the screen: the nearer of the
                // two neighbours answers, a line's point only from close by.
                const auto other = c == it ? it - 1 : it;
                if (other >= pts.begin() && other < pts.end() &&
                    std::fabs(xOf(*other) - value.x()) < std::fabs(u - value.x()))
                    continue;
                if (m_kind.shape == ChartShape::Line &&
                    std::fabs(toScene(u, 0).x() - scenePos.x()) > 12)
                    continue;
            } else if (std::fabs(u - value.x()) > 0.5 + (m_bucket > 1 ? 1 : 0)) {
                continue;
            }
            const double v = m_axes.axes[m_axes.axisOfSeries[k]].toCommon(c->value, common);
            const QPointF at = toScene(m_kind.shape == ChartShape::Step ? value.x() : u, v);
            double d = std::fabs(at.y() - scenePos.y());
            if (m_kind.shape == ChartShape::Area) {
                // Anywhere inside an area names it, the nearest outline first.
                const double base = toScene(u, common.low).y();
                if (scenePos.y() >= at.y() && scenePos.y() <= base)
                    d = std::min(d, 11.0);
            }
            if (d < best) {
                best = d;
                bestColumn = k;
                bestRow = c->row;
            }
        }
    }
    return bestColumn < 0 ? QString() : valueTipText(*m_content, bestColumn, bestRow);
}

} // namespace corv
