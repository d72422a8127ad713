#include "CorvChart.h"

#include "Chart2D.h"
#include "Chart3D.h"

#include <QChart>
#include <QChartView>
#include <QEvent>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QHelpEvent>
#include <QPainter>
#include <QSet>
#include <QStackedLayout>
#include <QTimer>
#include <QToolTip>
#include <algorithm>

namespace corv {

// The 3D kinds paint here.
class CorvChart::Canvas3D : public QWidget {
public:
    explicit Canvas3D(CorvChart *owner) : QWidget(owner), m_owner(owner) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMouseTracking(true);
    }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        // What the chart last drew: while repainting is off, changes to the
        // grid do not show.
        // What the chart last drew: while repainting is off, changes to the
        // grid do not show.
        if (!m_owner->m_shown)
            m_owner->content();
        // Held while the drawing's tool tips may refer to it.
        m_owner->m_painted3D = m_owner->m_shown ? m_owner->m_shown : m_owner->m_content;
        m_owner->m_3d->paint(p, QRectF(rect()), *m_owner->m_painted3D, m_owner->kind(),
                             m_owner->style(m_owner->m_painted3D->columns()), devicePixelRatioF());
    }

private:
    CorvChart *m_owner;
};

namespace {

// A chart of its own in a scene of its own, for pictures at other sizes
// than the widget's.
struct OffscreenChart {
    QGraphicsScene scene;
    QChart *chart = new QChart;
    Chart2D builder;

    OffscreenChart(const ChartContent &content, ChartKind kind, const ChartStyle &style,
                   const QSizeF &size, double plotPixels) {
        scene.addItem(chart);
        chart->setGeometry(QRectF(QPointF(0, 0), size));
        builder.build(chart, &content, kind, style, plotPixels);
        settle();
    }
    // Lays the chart out now rather than on the next turn of the event loop;
    // placing the labels may ask for one more round.
    void settle() {
        for (int i = 0; i < 3; ++i) {
            if (chart->layout())
                chart->layout()->activate();
            builder.placeLabels();
        }
    }
};

} // namespace

CorvChart::CorvChart(QWidget *parent) : QWidget(parent) {
    m_stack = new QStackedLayout(this);
    m_stack->setContentsMargins(0, 0, 0, 0);
    m_chart = new QChart;
    m_view = new QChartView(m_chart, this);
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->setFrameShape(QFrame::NoFrame);
    m_view->setMouseTracking(true);
    m_view->viewport()->installEventFilter(this);
    m_canvas = new Canvas3D(this);
    m_stack->addWidget(m_canvas);
    m_stack->addWidget(m_view);
    m_2d = std::make_unique<Chart2D>();
    m_3d = std::make_unique<Chart3D>();
    m_content = std::make_shared<ChartContent>();
    setMinimumSize(160, 120);
    m_stack->setCurrentWidget(kind().threeD ? static_cast<QWidget *>(m_canvas) : m_view);
}

CorvChart::~CorvChart() {
    // The builder watches the chart; let it go before the view does.
    m_2d.reset();
}

void CorvChart::setChartType(int code) {
    if (code < 0 || code > 9)
        code = 0;
    if (code == m_type)
        return;
    m_type = code;
    m_viewStale = true;
    scheduleRefresh();
}

void CorvChart::resizeGrid(int rows, int columns) {
    rows = std::max(0, rows);
    columns = std::max(0, columns);
    if (rows == m_rows && columns == m_cols)
        return;
    QStringList cells;
    cells.reserve(qsizetype(rows) * columns);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            cells << (r < m_rows && c < m_cols ? m_cells[r * m_cols + c] : QString());
    m_cells = cells;
    while (m_rowLabels.size() > rows)
        m_rowLabels.removeLast();
    while (m_rowLabels.size() < rows)
        m_rowLabels << QString::number(m_rowLabels.size() + 1);
    while (m_colLabels.size() > columns)
        m_colLabels.removeLast();
    while (m_colLabels.size() < columns)
        m_colLabels << QStringLiteral("Series %1").arg(m_colLabels.size() + 1);
    m_rows = rows;
    m_cols = columns;
    m_row = std::clamp(m_row, rows > 0 ? 1 : 0, rows);
    m_col = std::clamp(m_col, columns > 0 ? 1 : 0, columns);
    changed();
}

void CorvChart::setRowCount(int rows) {
    resizeGrid(rows, m_cols);
}

void CorvChart::setColumnCount(int columns) {
    resizeGrid(m_rows, columns);
}

void CorvChart::setRow(int row) {
    if (row >= 1 && row <= m_rows)
        m_row = row;
}

void CorvChart::setColumn(int column) {
    if (column >= 1 && column <= m_cols)
        m_col = column;
}

QString CorvChart::rowLabel() const {
    return m_row > 0 ? m_rowLabels[m_row - 1] : QString();
}

void CorvChart::setRowLabel(const QString &label) {
    if (m_row <= 0)
        return;
    m_rowLabels[m_row - 1] = label;
    changed();
}

QString CorvChart::columnLabel() const {
    return m_col > 0 ? m_colLabels[m_col - 1] : QString();
}

void CorvChart::setColumnLabel(const QString &label) {
    if (m_col <= 0)
        return;
    m_colLabels[m_col - 1] = label;
    changed();
}

QString CorvChart::data() const {
    return m_row > 0 && m_col > 0 ? m_cells[cellIndex()] : QString();
}

void CorvChart::setData(const QString &text) {
    if (m_row <= 0 || m_col <= 0)
        return;
    m_cells[cellIndex()] = text;
    changed();
}

void CorvChart::setDataGridSize(int rowLabelCount, int columnLabelCount, int rows, int columns) {
    m_rowLabelLevels = std::max(0, rowLabelCount);
    m_colLabelLevels = std::max(0, columnLabelCount);
    resizeGrid(rows, columns);
}

void CorvChart::setGrid(const ChartGrid &grid) {
    m_rows = grid.rowCount();
    m_cols = grid.columnCount();
    m_rowLabels = grid.rowLabels;
    m_colLabels = grid.columnLabels;
    m_cells = grid.cells;
    // A grid short of cells is completed with empty ones, which draw as 0.
    while (m_cells.size() < qsizetype(m_rows) * m_cols)
        m_cells << QString();
    m_row = m_rows > 0 ? 1 : 0;
    m_col = m_cols > 0 ? 1 : 0;
    changed();
}

ChartGrid CorvChart::grid() const {
    return {m_rowLabels, m_colLabels, m_cells};
}

void CorvChart::setShowLegend(bool on) {
    if (on == m_legend)
        return;
    m_legend = on;
    m_viewStale = true;
    scheduleRefresh();
}

void CorvChart::setRepaintEnabled(bool on) {
    m_repaint = on;
    if (on)
        scheduleRefresh();
}

void CorvChart::setPlot(const ChartPlot &plot) {
    m_plot = plot;
    m_viewStale = true;
    scheduleRefresh();
}

void CorvChart::changed() {
    m_contentStale = true;
    m_viewStale = true;
    scheduleRefresh();
}

void CorvChart::scheduleRefresh() {
    if (!m_repaint || m_refreshPending)
        return;
    m_refreshPending = true;
    // Filling a grid cell by cell asks for a thousand refreshes; the chart
    // is drawn once, when control returns to the event loop.
    QTimer::singleShot(0, this, [this] {
        m_refreshPending = false;
        if (m_repaint)
            refresh();
    });
}

const ChartContent &CorvChart::content() const {
    if (m_contentStale) {
        m_content = std::make_shared<ChartContent>(
            ChartContent::fromCells(m_rowLabels, m_colLabels, m_cells));
        m_contentStale = false;
    }
    return *m_content;
}

ChartStyle CorvChart::style(int seriesCount) const {
    ChartStyle s = ChartStyle::make(palette(), font(), logicalDpiY(), m_plot, seriesCount);
    s.legend = m_legend;
    return s;
}

double CorvChart::plotPixelsFor(double width, double scale) const {
    // The plot takes most of the width; what it leaves goes to the labels.
    return std::max(1.0, width * 0.85 * scale);
}

void CorvChart::refresh() {
    content();
    const bool threeD = kind().threeD;
    m_stack->setCurrentWidget(threeD ? static_cast<QWidget *>(m_canvas) : m_view);
    if (threeD) {
        m_shown = m_content;
        m_viewStale = false;
        m_canvas->update();
        return;
    }
    if (isVisible())
        build2D();
}

void CorvChart::build2D() {
    m_shown = m_content;
    m_chart->setGeometry(QRectF(QPointF(0, 0), QSizeF(m_view->viewport()->size())));
    m_2d->build(m_chart, m_shown.get(), kind(), style(m_shown->columns()),
                plotPixelsFor(width(), devicePixelRatioF()));
    m_view->setRenderHint(QPainter::Antialiasing, !m_2d->dense());
    // Lay it out now, so that what is painted next (or grabbed, or asked for
    // a tool tip) has its axes and legend in place.
    for (int i = 0; i < 2; ++i) {
        if (m_chart->layout())
            m_chart->layout()->activate();
        m_2d->placeLabels();
    }
    m_viewStale = false;
}

void CorvChart::resizeEvent(QResizeEvent *e) {
    QWidget::resizeEvent(e);
    // Thinned rows depend on the width: build again when it changed much.
    if (!kind().threeD && m_shown && content().rows() > m_2d->builtForPixels() / 2) {
        const double now = plotPixelsFor(width(), devicePixelRatioF());
        const double ratio = now / std::max(1.0, m_2d->builtForPixels());
        if (ratio > 1.25 || ratio < 0.8) {
            m_viewStale = true;
            scheduleRefresh();
        }
    }
}

void CorvChart::showEvent(QShowEvent *e) {
    QWidget::showEvent(e);
    if (m_viewStale || m_contentStale)
        scheduleRefresh();
}

void CorvChart::changeEvent(QEvent *e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::PaletteChange || e->type() == QEvent::FontChange) {
        m_viewStale = true;
        scheduleRefresh();
    }
}

bool CorvChart::event(QEvent *e) {
    if (e->type() == QEvent::ToolTip && kind().threeD) {
        auto *help = static_cast<QHelpEvent *>(e);
        const QString tip = toolTipAt(help->pos());
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, this);
        return true;
    }
    return QWidget::event(e);
}

bool CorvChart::eventFilter(QObject *watched, QEvent *e) {
    if (watched == m_view->viewport() && e->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(e);
        const QString tip = toolTipAt(m_view->mapTo(this, help->pos()));
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, m_view->viewport());
        return true;
    }
    return QWidget::eventFilter(watched, e);
}

QString CorvChart::toolTipAt(const QPoint &pos) const {
    if (kind().threeD)
        return m_painted3D ? m_3d->toolTipAt(QPointF(m_canvas->mapFrom(this, pos))) : QString();
    if (!m_shown || m_viewStale)
        return QString();
    const QPointF scenePos = m_view->mapToScene(m_view->viewport()->mapFrom(this, pos));
    return m_2d->toolTipAt(m_chart->mapFromScene(scenePos));
}

QSize CorvChart::pictureSize() const {
    return size();
}

void CorvChart::render(QPainter &painter, const QRectF &target, const QSizeF &layoutSize) const {
    const QSizeF layout = layoutSize.isEmpty() ? target.size() : layoutSize;
    if (layout.isEmpty() || target.isEmpty())
        return;
    const ChartContent &data = content();
    const ChartStyle s = style(data.columns());
    // Device pixels per picture pixel, so thinning follows the output.
    const double scale = painter.deviceTransform().mapRect(target).width() / layout.width();
    if (kind().threeD) {
        painter.save();
        painter.translate(target.topLeft());
        painter.scale(target.width() / layout.width(), target.height() / layout.height());
        Chart3D c;
        c.paint(painter, QRectF(QPointF(0, 0), layout), data, kind(), s, scale);
        painter.restore();
        return;
    }
    OffscreenChart off(data, kind(), s, layout, plotPixelsFor(layout.width(), scale));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, !off.builder.dense());
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    off.scene.render(&painter, target, QRectF(QPointF(0, 0), layout), Qt::IgnoreAspectRatio);
    painter.restore();
}

QImage CorvChart::toImage(const QSize &size, qreal devicePixelRatio) const {
    const QSize s = size.isEmpty() ? pictureSize() : size;
    QImage img((QSizeF(s) * devicePixelRatio).toSize(), QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(devicePixelRatio);
    img.fill(style(0).background);
    QPainter p(&img);
    render(p, QRectF(QPointF(0, 0), QSizeF(s)));
    p.end();
    return img;
}

QPicture CorvChart::toPicture() const {
    QPicture pic;
    const QRect r(QPoint(0, 0), pictureSize());
    QPainter p(&pic);
    render(p, QRectF(r));
    p.end();
    pic.setBoundingRect(r);
    return pic;
}

QVector<QRectF> CorvChart::categoryLabelRects(const QSize &size) const {
    const QSize s = size.isEmpty() ? pictureSize() : size;
    const ChartContent &data = content();
    if (kind().threeD) {
        QImage img(s, QImage::Format_ARGB32_Premultiplied);
        QPainter p(&img);
        Chart3D c;
        c.paint(p, QRectF(QPointF(0, 0), QSizeF(s)), data, kind(), style(data.columns()), 1.0);
        return c.categoryLabelRects();
    }
    OffscreenChart off(data, kind(), style(data.columns()), QSizeF(s),
                       plotPixelsFor(s.width(), 1.0));
    // The axis's own text items, where Qt Charts put them.
    const QSet<QString> labels(data.rowLabels.begin(), data.rowLabels.end());
    QVector<QRectF> rects;
    for (QGraphicsItem *item : off.scene.items()) {
        auto *text = dynamic_cast<QGraphicsTextItem *>(item);
        if (!text || !text->isVisible())
            continue;
        QString t = text->toPlainText();
        t.remove(QChar(0x200B));
        if (labels.contains(t))
            rects << text->sceneBoundingRect();
    }
    std::sort(rects.begin(), rects.end(),
              [](const QRectF &a, const QRectF &b) { return a.left() < b.left(); });
    return rects;
}

} // namespace corv
