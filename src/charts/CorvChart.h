// CorvChart: the charting control of the chart window.
//
// It holds a data grid (rows and columns of numbers kept as text, a label per
// row and per column), a chart type, a legend switch and a repaint switch,
// and draws the grid as one of ten kinds: codes 0 to 9 are 3D bar, 2D bar,
// 3D line, 2D line, 3D area, 2D area, 3D step, 2D step, 3D combination and 2D
// combination. The flat kinds are drawn by Qt Charts, the 3D kinds by our
// own painter (no OpenGL, so they work offscreen and on remote desktops).
//
// Callers fill the grid either cell by cell, as a data control fills a grid
// (make a row and a column current, then set its label or data), or at once
// with setGrid(). Colours follow the widget's palette.
//
// The picture of what it shows can be drawn onto any painter at any size;
// printing draws it straight onto the printer, so the page is sharp at the
// printer's resolution.
//
// Beside the grid, the flat kinds can draw a target band behind each series
// and, for lines, areas and steps, place the rows by their dates on a time
// axis. The flat kinds zoom along the horizontal axis: the mouse wheel
// around the pointer, a drag over a stretch, a double click back to the
// whole; with the keyboard + and - zoom, Left and Right move along, 0 or
// Home show the whole. Zooming only changes what is in view, never the data.
#pragma once

#include "ChartData.h"
#include "ChartRender.h"
#include "data/MaintenanceLog.h"

#include <QImage>
#include <QPicture>
#include <QWidget>
#include <memory>

class QChart;
class QChartView;
class QRubberBand;
class QStackedLayout;

namespace corv {

class Chart2D;
class Chart3D;

class CorvChart : public QWidget {
    Q_OBJECT
public:
    explicit CorvChart(QWidget *parent = nullptr);
    ~CorvChart() override;

    // The chart type code, 0 to 9; any other code is taken as 0.
    int chartType() const { return m_type; }
    void setChartType(int code);
    ChartKind kind() const { return chartKind(m_type); }
    static bool is3D(int code) { return chartKind(code).threeD; }

    // --- the data grid ---
    int rowCount() const { return m_rows; }
    void setRowCount(int rows);
    int columnCount() const { return m_cols; }
    void setColumnCount(int columns);
    // The current row and column, 1-based; 0 while the grid has none. A
    // position outside the grid is ignored.
    int row() const { return m_row; }
    void setRow(int row);
    int column() const { return m_col; }
    void setColumn(int column);
    QString rowLabel() const;
    void setRowLabel(const QString &label);
    QString columnLabel() const;
    void setColumnLabel(const QString &label);
    // The current cell, as text. A text that is not a number is drawn as 0.
    QString data() const;
    void setData(const QString &text);
    // Sizes the grid: label levels (one level is drawn), data rows and
    // columns. Cells already there keep their data.
    void setDataGridSize(int rowLabelCount, int columnLabelCount, int rows, int columns);
    int rowLabelCount() const { return m_rowLabelLevels; }
    int columnLabelCount() const { return m_colLabelLevels; }
    // The whole grid at once.
    void setGrid(const ChartGrid &grid);
    // The whole grid at once as numbers: the row and column labels and a
    // series of values per column, read off the event loop. Each cell reads
    // as the text numberText() writes of its value, made only when a cell's
    // text is asked for: a journal's worth of rows costs no strings.
    void setContent(ChartContent content);
    ChartGrid grid() const;

    // --- switches ---
    bool showLegend() const { return m_legend; }
    void setShowLegend(bool on);
    // While off, changes are collected and the chart keeps what it shows;
    // switching it on draws everything at once.
    bool repaintEnabled() const { return m_repaint; }
    void setRepaintEnabled(bool on);
    ChartPlot plot() const { return m_plot; }
    void setPlot(const ChartPlot &plot);

    // --- target bands and the time axis (flat kinds only) ---
    // One band per column, in column order; columns past the end have none.
    const QVector<ChartBand> &columnBands() const { return m_bands; }
    void setColumnBands(const QVector<ChartBand> &bands);
    bool bandsVisible() const { return m_bandsVisible; }
    void setBandsVisible(bool on);
    // The date of each row. With "space by date" on, the kinds drawn along
    // a line (2D line, area, step) place rows at their dates when there is
    // a valid date for every row, in order; otherwise rows stay evenly
    // spaced.
    const QVector<QDate> &rowDates() const { return m_dates; }
    void setRowDates(const QVector<QDate> &dates);
    // Things done to the tank, as thin vertical markers at their dates
    // among the rows (flat kinds only; a date outside the rows' is left
    // out). The markers need the rows' dates.
    void setMarkers(const QVector<MaintenanceEvent> &events);
    const QVector<MaintenanceEvent> &markers() const { return m_markers; }
    bool markersVisible() const { return m_markersVisible; }
    void setMarkersVisible(bool on);
    bool spaceByDate() const { return m_spaceByDate; }
    void setSpaceByDate(bool on);
    // The kinds a time axis applies to, and those that draw bands.
    static bool spacesByDate(int code);
    static bool drawsBands(int code) { return !is3D(code); }
    // Whether the chart now stands on a time axis.
    bool timeAxisShown() const;

    // --- zoom (flat kinds only) ---
    // Spans are in positions along the horizontal axis: rows (the first is
    // 0) when evenly spaced, days from the first row's date on a time axis.
    bool canZoom() const;
    bool isZoomed() const { return m_zoom.has_value(); }
    XSpan fullSpan() const;
    XSpan viewSpan() const;
    void zoomIn();
    void zoomOut();
    // Narrows (factor below 1) or widens the view around `anchor`.
    void zoomBy(double factor, double anchor);
    void zoomTo(const XSpan &span);
    // Moves the view along by a share of its width (negative: back).
    void pan(double share);
    void resetZoom();
    // The position under a horizontal point of the widget.
    double positionAt(int x) const;
    // Where a cell's value is drawn, in the widget's coordinates (flat
    // kinds; a null point when the cell is not drawn).
    QPointF pointOf(int column, int row) const;
    // The flat drawing as it stands (for callers that inspect it).
    const Chart2D &flatChart() const;

    // --- the picture ---
    // The size of what the chart shows: its own size.
    QSize pictureSize() const;
    // Draws the chart into `target`, laid out at `layoutSize` (the picture
    // as shown, scaled to the target) or, when that is empty, laid out at
    // the target's own size. Drawn for the painter's device resolution.
    void render(QPainter &painter, const QRectF &target, const QSizeF &layoutSize = QSizeF()) const;
    // The chart laid out at `size` (default: the picture size).
    QImage toImage(const QSize &size = QSize(), qreal devicePixelRatio = 1.0) const;
    // The picture as shown, as recorded drawing commands.
    QPicture toPicture() const;
    // The colour the picture is drawn on.
    QColor pictureBackground() const;

    // The tool tip for a point of the widget: series, value and row label
    // of what lies under it; empty over nothing.
    QString toolTipAt(const QPoint &pos) const;
    // Where the category labels land when the chart is laid out at `size`
    // (default: its own size), in that picture's pixels.
    QVector<QRectF> categoryLabelRects(const QSize &size = QSize()) const;
    // The value axes' titles (drawn when there are several axes) as they
    // are shown, lines apart by '\n', and where they land when the chart is
    // laid out at `size` (default: its own size), in that picture's pixels.
    struct AxisTitle {
        QString text;
        QRectF rect;
    };
    QVector<AxisTitle> axisTitles(const QSize &size = QSize()) const;
    // The legend's entries when the chart is laid out at `size` (default:
    // its own size), in that picture's pixels; none while the legend is off.
    QVector<ChartLegend::Entry> legendEntries(const QSize &size = QSize()) const;

    QChartView *chartView() const { return m_view; }
    // The tip shown over the chart where no value lies.
    static QString zoomHint();
    // The numbers the chart draws (for callers that measure or print).
    const ChartContent &content() const;

signals:
    // The view was zoomed, moved or shown whole again.
    void zoomChanged();

protected:
    bool event(QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void changeEvent(QEvent *e) override;

private:
    class Canvas3D;
    friend class Canvas3D;

    void changed();
    void extrasChanged();
    // Builds the flat drawing now if what it shows is out of date.
    void ensureBuilt() const;
    void setZoom(const std::optional<XSpan> &zoom);
    void settleView();
    bool viewportMouse(QEvent *e);
    void scheduleRefresh();
    void refresh();
    void build2D();
    // The look for a drawing of `seriesCount` series.
    ChartStyle style(int seriesCount) const;
    int cellIndex() const { return (m_row - 1) * m_cols + (m_col - 1); }
    // Writes the cells' texts of a grid given as numbers.
    void ensureCells() const;
    void resizeGrid(int rows, int columns);
    double plotPixelsFor(double width, double scale) const;

    int m_type = 0;
    int m_rows = 0, m_cols = 0;
    int m_row = 0, m_col = 0;
    int m_rowLabelLevels = 1, m_colLabelLevels = 1;
    QStringList m_rowLabels, m_colLabels;
    mutable QStringList m_cells;
    // A grid given as numbers: its values, one series per column, until
    // the cells' texts are written (m_cellsPending).
    mutable QVector<QVector<double>> m_cellNumbers;
    mutable bool m_cellsPending = false;
    bool m_legend = true;
    bool m_repaint = true;
    ChartPlot m_plot;

    QVector<ChartBand> m_bands;
    bool m_bandsVisible = true;
    QVector<MaintenanceEvent> m_markers;
    bool m_markersVisible = true;
    QVector<QDate> m_dates;
    bool m_spaceByDate = false;
    std::optional<XSpan> m_zoom;
    std::optional<int> m_dragFrom; // viewport x where a zoom drag began
    QRubberBand *m_rubber = nullptr;

    mutable std::shared_ptr<ChartContent> m_content;
    mutable bool m_contentStale = true;
    mutable bool m_extrasStale = true;
    bool m_refreshPending = false;
    bool m_viewStale = true;

    QStackedLayout *m_stack = nullptr;
    QChartView *m_view = nullptr;
    QChart *m_chart = nullptr;
    Canvas3D *m_canvas = nullptr;
    std::unique_ptr<Chart2D> m_2d;
    std::unique_ptr<Chart3D> m_3d;
    std::shared_ptr<ChartContent> m_shown;     // what the view was built from
    std::shared_ptr<ChartContent> m_painted3D; // what the 3D canvas drew last
};

} // namespace corv
