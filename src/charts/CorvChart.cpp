#include "CorvChart.h"

#include "Chart2D.h"
#include "Chart3D.h"
#include "platform/Conversions.h"

#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QEvent>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QRubberBand>
#include <QSet>
#include <QStackedLayout>
#include <QThreadPool>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <utility>

namespace corv {

namespace {

// Letting go of a journal's worth of strings (a hundred thousand labels and
// three times as many cells) takes the window a tenth of a second: what a
// new grid or drawing replaces is let go of on a worker thread instead. The
// strings' counts are atomic, so whoever holds the last one frees them.
template <typename T> void replaceOffLoop(T &slot, T value) {
    auto old = std::make_shared<T>(std::exchange(slot, std::move(value)));
    QThreadPool::globalInstance()->start([old = std::move(old)]() mutable { old.reset(); });
}

} // namespace

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
        if (!m_owner->m_shown)
            m_owner->content();
        // Held while the drawing's tool tips may refer to it.
        std::shared_ptr<ChartContent> previous = std::exchange(
            m_owner->m_painted3D, m_owner->m_shown ? m_owner->m_shown : m_owner->m_content);
        m_owner->m_3d->paint(p, QRectF(rect()), *m_owner->m_painted3D, m_owner->kind(),
                             m_owner->style(m_owner->m_painted3D->columns()), devicePixelRatioF());
        replaceOffLoop(previous, {});
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
                   const QSizeF &size, double plotPixels,
                   const std::optional<XSpan> &view = std::nullopt, double deviceScale = 1) {
        scene.addItem(chart);
        chart->setGeometry(QRectF(QPointF(0, 0), size));
        builder.setDeviceScale(deviceScale);
        builder.build(chart, &content, kind, style, plotPixels);
        if (view)
            builder.setView(view);
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
    // Room for the focus frame round the chart: its keys zoom while it has
    // the focus.
    auto *frame = new QVBoxLayout(this);
    frame->setContentsMargins(2, 2, 2, 2);
    m_stack = new QStackedLayout;
    frame->addLayout(m_stack);
    m_chart = new QChart;
    m_view = new QChartView(m_chart, this);
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->setFrameShape(QFrame::NoFrame);
    m_view->setMouseTracking(true);
    m_view->setFocusPolicy(Qt::NoFocus);
    m_view->viewport()->installEventFilter(this);
    m_canvas = new Canvas3D(this);
    m_stack->addWidget(m_canvas);
    m_stack->addWidget(m_view);
    m_2d = std::make_unique<Chart2D>();
    m_3d = std::make_unique<Chart3D>();
    m_content = std::make_shared<ChartContent>();
    setMinimumSize(160, 120);
    setFocusPolicy(Qt::StrongFocus);
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
    // A zoom survives a change between kinds that share the axis's units.
    const bool sameUnits =
        !is3D(code) && (!m_spaceByDate || spacesByDate(code) == spacesByDate(m_type));
    m_type = code;
    if (!sameUnits)
        setZoom(std::nullopt);
    m_viewStale = true;
    scheduleRefresh();
}

void CorvChart::ensureCells() const {
    if (!m_cellsPending)
        return;
    QStringList cells;
    cells.reserve(qsizetype(m_rows) * m_cols);
    for (int r = 0; r < m_rows; ++r)
        for (int c = 0; c < m_cols; ++c)
            cells << numberText(m_cellNumbers.value(c).value(r));
    m_cells = std::move(cells);
    m_cellNumbers.clear();
    m_cellsPending = false;
}

void CorvChart::resizeGrid(int rows, int columns) {
    rows = std::max(0, rows);
    columns = std::max(0, columns);
    if (rows == m_rows && columns == m_cols)
        return;
    if (rows == 0 || columns == 0) {
        // Emptied (as before each run): none of the old texts is needed.
        m_cellNumbers.clear();
        m_cellsPending = false;
        replaceOffLoop(m_cells, QStringList());
    } else {
        ensureCells();
        QStringList cells;
        cells.reserve(qsizetype(rows) * columns);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c)
                cells << (r < m_rows && c < m_cols ? m_cells[r * m_cols + c] : QString());
        m_cells = cells;
    }
    if (rows == 0)
        replaceOffLoop(m_rowLabels, QStringList());
    while (m_rowLabels.size() > rows)
        m_rowLabels.removeLast();
    while (m_rowLabels.size() < rows)
        m_rowLabels << QString::number(m_rowLabels.size() + 1);
    while (m_colLabels.size() > columns)
        m_colLabels.removeLast();
    while (m_colLabels.size() < columns)
        m_colLabels
            << QCoreApplication::translate("CorvChart", "Series %1").arg(m_colLabels.size() + 1);
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
    if (m_row <= 0 || m_col <= 0)
        return QString();
    ensureCells();
    return m_cells[cellIndex()];
}

void CorvChart::setData(const QString &text) {
    if (m_row <= 0 || m_col <= 0)
        return;
    ensureCells();
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
    replaceOffLoop(m_rowLabels, grid.rowLabels);
    m_colLabels = grid.columnLabels;
    m_cellNumbers.clear();
    m_cellsPending = false;
    replaceOffLoop(m_cells, grid.cells);
    // A grid short of cells is completed with empty ones, which draw as 0.
    while (m_cells.size() < qsizetype(m_rows) * m_cols)
        m_cells << QString();
    m_row = m_rows > 0 ? 1 : 0;
    m_col = m_cols > 0 ? 1 : 0;
    changed();
}

void CorvChart::setContent(ChartContent content) {
    m_rows = content.rows();
    m_cols = content.columns();
    replaceOffLoop(m_rowLabels, content.rowLabels);
    m_colLabels = content.columnLabels;
    replaceOffLoop(m_cells, QStringList());
    m_cellNumbers = content.series;
    m_cellsPending = true;
    m_row = m_rows > 0 ? 1 : 0;
    m_col = m_cols > 0 ? 1 : 0;
    changed();
    replaceOffLoop(m_content, std::make_shared<ChartContent>(std::move(content)));
    m_contentStale = false;
    m_extrasStale = true;
}

ChartGrid CorvChart::grid() const {
    ensureCells();
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
    // New data: the whole of it is shown.
    setZoom(std::nullopt);
    scheduleRefresh();
}

void CorvChart::extrasChanged() {
    m_extrasStale = true;
    m_viewStale = true;
    scheduleRefresh();
}

void CorvChart::setColumnBands(const QVector<ChartBand> &bands) {
    m_bands = bands;
    extrasChanged();
}

void CorvChart::setBandsVisible(bool on) {
    if (on == m_bandsVisible)
        return;
    m_bandsVisible = on;
    extrasChanged();
}

void CorvChart::setMarkers(const QVector<MaintenanceEvent> &events) {
    m_markers = events;
    extrasChanged();
}

void CorvChart::setMarkersVisible(bool on) {
    if (on == m_markersVisible)
        return;
    m_markersVisible = on;
    extrasChanged();
}

void CorvChart::setRowDates(const QVector<QDate> &dates) {
    m_dates = dates;
    if (m_spaceByDate)
        setZoom(std::nullopt);
    extrasChanged();
}

void CorvChart::setSpaceByDate(bool on) {
    if (on == m_spaceByDate)
        return;
    m_spaceByDate = on;
    // Rows and days are different units: the zoom cannot carry over.
    setZoom(std::nullopt);
    extrasChanged();
}

bool CorvChart::spacesByDate(int code) {
    const ChartKind k = chartKind(code);
    return !k.threeD && (k.shape == ChartShape::Line || k.shape == ChartShape::Area ||
                         k.shape == ChartShape::Step);
}

bool CorvChart::timeAxisShown() const {
    return spacesByDate(m_type) && !content().rowDays.isEmpty();
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
        ensureCells();
        m_content = std::make_shared<ChartContent>(
            ChartContent::fromCells(m_rowLabels, m_colLabels, m_cells));
        m_contentStale = false;
        m_extrasStale = true;
    }
    if (m_extrasStale) {
        // A drawing may still be built on the content: change a copy.
        if (m_content.use_count() > 1)
            m_content = std::make_shared<ChartContent>(*m_content);
        m_content->bands = m_bandsVisible ? m_bands : QVector<ChartBand>();
        m_content->rowDays.clear();
        m_content->dayZero = QDate();
        if (m_spaceByDate && m_dates.size() == m_rows) {
            m_content->rowDays = dayPositions(m_dates);
            if (!m_content->rowDays.isEmpty())
                m_content->dayZero = m_dates.first();
        }
        m_content->markers.clear();
        if (m_markersVisible && m_dates.size() == m_rows) {
            const bool byDay = !m_content->rowDays.isEmpty();
            for (const MaintenanceEvent &e : std::as_const(m_markers))
                if (const auto at = datePosition(m_dates, e.date, byDay))
                    m_content->markers.push_back({*at, e.label()});
        }
        m_extrasStale = false;
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
        replaceOffLoop(m_shown, m_content);
        m_viewStale = false;
        m_canvas->update();
        return;
    }
    // A chart built on demand meanwhile (for a zoom, say) is up to date.
    if (isVisible() && (m_viewStale || m_shown != m_content)) {
        // Showing the view and building the chart leave work queued in its
        // scene that changes what is drawn. Painted before that work, a
        // dense chart would be painted twice over in one breath; it is
        // painted once, after it.
        m_view->setUpdatesEnabled(false);
        build2D();
        QMetaObject::invokeMethod(
            this, [this] { m_view->setUpdatesEnabled(true); }, Qt::QueuedConnection);
    }
}

void CorvChart::build2D() {
    // Sized first: the drawing still in place answers the resize, and it
    // needs the content it was built on.
    m_chart->setGeometry(QRectF(QPointF(0, 0), QSizeF(m_view->viewport()->size())));
    // The drawing in place refers to what it was built on until it is built anew.
    std::shared_ptr<ChartContent> previous = std::exchange(m_shown, m_content);
    m_2d->setDeviceScale(devicePixelRatioF());
    m_2d->build(m_chart, m_shown.get(), kind(), style(m_shown->columns()),
                plotPixelsFor(width(), devicePixelRatioF()));
    if (m_zoom) {
        m_2d->setView(m_zoom);
        // What was asked, as it fits the chart now.
        if (m_2d->viewSpan() == m_2d->fullSpan())
            m_zoom.reset();
        else
            m_zoom = m_2d->viewSpan();
    }
    m_view->setRenderHint(QPainter::Antialiasing, !m_2d->dense());
    settleView();
    m_viewStale = false;
    replaceOffLoop(previous, {});
}

void CorvChart::settleView() {
    // Lay it out now, so that what is painted next (or grabbed, or asked for
    // a tool tip) has its axes and legend in place.
    for (int i = 0; i < 2; ++i) {
        if (m_chart->layout())
            m_chart->layout()->activate();
        m_2d->placeLabels();
    }
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
        QString tip = toolTipAt(m_view->mapTo(this, help->pos()));
        // Over no value, the tip tells how to zoom.
        if (tip.isEmpty() && canZoom())
            tip = zoomHint();
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, m_view->viewport());
        return true;
    }
    if (watched == m_view->viewport() && viewportMouse(e))
        return true;
    return QWidget::eventFilter(watched, e);
}

QString CorvChart::zoomHint() {
    return QCoreApplication::translate(
        "CorvChart", "Zoom: mouse wheel, or drag across the chart; double-click for the whole "
                     "chart.\nKeys: + and - zoom, Left and Right move, 0 or Home show all.");
}

bool CorvChart::viewportMouse(QEvent *e) {
    QWidget *viewport = m_view->viewport();
    switch (e->type()) {
    case QEvent::Wheel: {
        auto *w = static_cast<QWheelEvent *>(e);
        if (!canZoom() || w->angleDelta().y() == 0)
            return false;
        const int x = viewport->mapTo(this, w->position().toPoint()).x();
        // One notch of a wheel narrows the view by a fifth.
        zoomBy(std::pow(0.8, w->angleDelta().y() / 120.0), positionAt(x));
        return true;
    }
    case QEvent::MouseButtonPress: {
        auto *m = static_cast<QMouseEvent *>(e);
        if (m->button() != Qt::LeftButton || !canZoom())
            return false;
        setFocus(Qt::MouseFocusReason);
        m_dragFrom = m->position().toPoint().x();
        if (!m_rubber)
            m_rubber = new QRubberBand(QRubberBand::Rectangle, viewport);
        return true;
    }
    case QEvent::MouseMove: {
        auto *m = static_cast<QMouseEvent *>(e);
        if (!m_dragFrom || !(m->buttons() & Qt::LeftButton))
            return false;
        const QRectF plot = m_view->mapFromScene(m_chart->plotArea()).boundingRect();
        const int x = m->position().toPoint().x();
        const int left = std::max(int(plot.left()), std::min(*m_dragFrom, x));
        const int right = std::min(int(plot.right()), std::max(*m_dragFrom, x));
        m_rubber->setGeometry(
            QRect(left, int(plot.top()), std::max(0, right - left), int(plot.height())));
        m_rubber->show();
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto *m = static_cast<QMouseEvent *>(e);
        if (m->button() != Qt::LeftButton || !m_dragFrom)
            return false;
        const int from = *m_dragFrom, to = m->position().toPoint().x();
        m_dragFrom.reset();
        if (m_rubber)
            m_rubber->hide();
        // A click is no drag.
        if (std::abs(to - from) >= 5) {
            const int a = viewport->mapTo(this, QPoint(from, 0)).x();
            const int b = viewport->mapTo(this, QPoint(to, 0)).x();
            zoomTo({positionAt(a), positionAt(b)});
        }
        return true;
    }
    case QEvent::MouseButtonDblClick: {
        auto *m = static_cast<QMouseEvent *>(e);
        if (m->button() != Qt::LeftButton || !canZoom())
            return false;
        resetZoom();
        return true;
    }
    default:
        return false;
    }
}

void CorvChart::keyPressEvent(QKeyEvent *e) {
    if (canZoom()) {
        switch (e->key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal: // the + key without Shift
            zoomIn();
            return;
        case Qt::Key_Minus:
            zoomOut();
            return;
        case Qt::Key_0:
        case Qt::Key_Home:
            resetZoom();
            return;
        case Qt::Key_Left:
            pan(-0.25);
            return;
        case Qt::Key_Right:
            pan(0.25);
            return;
        case Qt::Key_Escape:
            // Escape drops a drag under way; otherwise it is the window's.
            if (m_dragFrom) {
                m_dragFrom.reset();
                if (m_rubber)
                    m_rubber->hide();
                return;
            }
            break;
        default:
            break;
        }
    }
    QWidget::keyPressEvent(e);
}

void CorvChart::paintEvent(QPaintEvent *e) {
    QWidget::paintEvent(e);
    if (!hasFocus())
        return;
    QPainter p(this);
    p.setPen(QPen(palette().color(QPalette::Highlight), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}

void CorvChart::focusInEvent(QFocusEvent *e) {
    QWidget::focusInEvent(e);
    update();
}

void CorvChart::focusOutEvent(QFocusEvent *e) {
    QWidget::focusOutEvent(e);
    update();
}

// --- zoom ---------------------------------------------------------------------

bool CorvChart::canZoom() const {
    return !kind().threeD && content().rows() > 0;
}

void CorvChart::ensureBuilt() const {
    if (kind().threeD)
        return;
    (void)content();
    if (!m_shown || m_viewStale || m_shown != m_content)
        const_cast<CorvChart *>(this)->build2D();
}

const Chart2D &CorvChart::flatChart() const {
    ensureBuilt();
    return *m_2d;
}

XSpan CorvChart::fullSpan() const {
    if (!canZoom())
        return {};
    ensureBuilt();
    return m_2d->fullSpan();
}

XSpan CorvChart::viewSpan() const {
    if (!canZoom())
        return {};
    ensureBuilt();
    return m_2d->viewSpan();
}

double CorvChart::positionAt(int x) const {
    ensureBuilt();
    const QPoint inView = m_view->viewport()->mapFrom(this, QPoint(x, height() / 2));
    return m_2d->positionAt(m_chart->mapFromScene(m_view->mapToScene(inView)).x());
}

QPointF CorvChart::pointOf(int column, int row) const {
    ensureBuilt();
    const QPointF scene = m_chart->mapToScene(m_2d->scenePointOf(column, row));
    // Unrounded: entries a day apart may lie only a few pixels apart.
    return m_view->viewportTransform().map(scene) +
           QPointF(m_view->viewport()->mapTo(this, QPoint(0, 0)));
}

void CorvChart::setZoom(const std::optional<XSpan> &zoom) {
    if (zoom == m_zoom)
        return;
    m_zoom = zoom;
    emit zoomChanged();
}

void CorvChart::zoomBy(double factor, double anchor) {
    if (!canZoom())
        return;
    ensureBuilt();
    zoomTo(zoomSpan(m_2d->viewSpan(), m_2d->fullSpan(), factor, anchor, m_2d->minViewWidth()));
}

void CorvChart::zoomIn() {
    if (canZoom())
        zoomBy(0.8, viewSpan().middle());
}

void CorvChart::zoomOut() {
    if (canZoom())
        zoomBy(1.25, viewSpan().middle());
}

void CorvChart::pan(double share) {
    if (!canZoom())
        return;
    ensureBuilt();
    const XSpan view = m_2d->viewSpan();
    zoomTo(panSpan(view, m_2d->fullSpan(), share * view.width()));
}

void CorvChart::zoomTo(const XSpan &span) {
    if (!canZoom())
        return;
    ensureBuilt();
    const XSpan full = m_2d->fullSpan();
    XSpan fitted = fitSpan(span, full, m_2d->minViewWidth());
    // Within a rounding error of the whole is the whole.
    const double slack = 1e-9 * std::max(1.0, full.width());
    if (fitted.lo <= full.lo + slack && fitted.hi >= full.hi - slack)
        fitted = full;
    m_2d->setView(fitted);
    settleView();
    setZoom(fitted == full ? std::nullopt : std::optional<XSpan>(fitted));
}

void CorvChart::resetZoom() {
    if (!canZoom()) {
        setZoom(std::nullopt);
        return;
    }
    ensureBuilt();
    m_2d->setView(std::nullopt);
    settleView();
    setZoom(std::nullopt);
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
    OffscreenChart off(data, kind(), s, layout, plotPixelsFor(layout.width(), scale), m_zoom,
                       scale);
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

QColor CorvChart::pictureBackground() const {
    return style(0).background;
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
                       plotPixelsFor(s.width(), 1.0), m_zoom);
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

QVector<CorvChart::AxisTitle> CorvChart::axisTitles(const QSize &size) const {
    const QSize s = size.isEmpty() ? pictureSize() : size;
    const ChartContent &data = content();
    QVector<AxisTitle> titles;
    if (kind().threeD) {
        QImage img(s, QImage::Format_ARGB32_Premultiplied);
        QPainter p(&img);
        Chart3D c;
        c.paint(p, QRectF(QPointF(0, 0), QSizeF(s)), data, kind(), style(data.columns()), 1.0);
        for (int i = 0; i < c.axisTitleRects().size(); ++i)
            titles.push_back({c.axisTitles().value(i).join(u'\n'), c.axisTitleRects()[i]});
        return titles;
    }
    OffscreenChart off(data, kind(), style(data.columns()), QSizeF(s),
                       plotPixelsFor(s.width(), 1.0), m_zoom);
    // Qt Charts' own text items: the titles are those that hold letters
    // (the axes' other labels are numbers and dates).
    static const QRegularExpression letter(QStringLiteral("[A-Za-z]"));
    for (QGraphicsItem *item : off.scene.items()) {
        auto *text = dynamic_cast<QGraphicsTextItem *>(item);
        if (text && text->isVisible() && text->toPlainText().contains(letter))
            titles.push_back({text->toPlainText(), text->sceneBoundingRect()});
    }
    return titles;
}

QVector<ChartLegend::Entry> CorvChart::legendEntries(const QSize &size) const {
    const QSize s = size.isEmpty() ? pictureSize() : size;
    const ChartContent &data = content();
    QVector<ChartLegend::Entry> entries;
    QPointF at;
    if (kind().threeD) {
        QImage img(s, QImage::Format_ARGB32_Premultiplied);
        QPainter p(&img);
        Chart3D c;
        c.paint(p, QRectF(QPointF(0, 0), QSizeF(s)), data, kind(), style(data.columns()), 1.0);
        entries = c.legend().entries();
        at = c.legendRect().topLeft();
    } else {
        OffscreenChart off(data, kind(), style(data.columns()), QSizeF(s),
                           plotPixelsFor(s.width(), 1.0), m_zoom);
        entries = off.builder.legend().entries();
        at = off.chart->mapToScene(off.builder.legendPos());
    }
    for (ChartLegend::Entry &e : entries) {
        e.swatch.translate(at);
        e.text.translate(at);
    }
    return entries;
}

} // namespace corv
