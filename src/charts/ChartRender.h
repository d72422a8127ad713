// What both chart drawings work from: the chart's data as numbers, and the
// look (colours taken from the widget's palette, fonts in pixels so that a
// picture drawn for a 1200 dpi printer has the proportions of the screen).
#pragma once

#include "ChartScale.h"
#include "ChartSpans.h"

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QStringList>
#include <QVector>
#include <optional>

class QPainter;
class QPalette;

namespace corv {

// The plot settings a caller may change: grid lines on or off, and the
// point size of the labels (0: the widget's own font size).
struct ChartPlot {
    bool gridLines = true;
    int labelPointSize = 0;
};

struct ChartContent {
    QStringList rowLabels;
    QStringList columnLabels;
    QVector<QVector<double>> series; // one per column, a value per row
    QVector<SeriesRange> ranges;     // of each series
    // The target band drawn behind each series in the flat kinds (an empty
    // band, or none at all past the end, draws nothing).
    QVector<ChartBand> bands;
    // Where each row lies on a time axis, in days from the first row; empty
    // when rows are spaced evenly. Used by the kinds drawn along a line.
    QVector<double> rowDays;
    QDate dayZero; // the first row's date, when rowDays is set
    // Things done to the tank, drawn in the flat kinds as thin vertical
    // lines, each at its position (a row, or a day on a time axis; see
    // datePosition) with a short label ("Water Change 25 %").
    struct Marker {
        double position = 0;
        QString label;
    };
    QVector<Marker> markers;

    int rows() const { return int(rowLabels.size()); }
    int columns() const { return int(columnLabels.size()); }
    double value(int column, int row) const { return series[column][row]; }

    // The value a grid's text stands for: a text that is no number (or no
    // finite one) counts 0.
    static double cellValue(const QString &text);
    // From the grid's texts (row-major); a text that is no number counts 0.
    static ChartContent fromCells(const QStringList &rowLabels, const QStringList &columnLabels,
                                  const QStringList &cells);
    // The widest of the row labels that are shown between rows `first` and
    // `last` when each row has `slotWidth` pixels and labels keep `gap`
    // between them. Only the labels at the rows that carry one are measured
    // (a hundred thousand would take the window's time for nothing): the
    // step is found from the widest seen so far until no wider one turns up.
    double widestShownLabel(const QFont &font, double slotWidth, double gap, int first,
                            int last) const;
};

struct ChartStyle {
    QColor background, text, grid, axis, backWall, sideWall, floor;
    QFont labelFont; // axis labels and legend, sized in pixels
    QFont titleFont; // axis titles
    bool legend = true;
    bool gridLines = true;
    QVector<QColor> colors; // one per series

    static ChartStyle make(const QPalette &palette, const QFont &font, double logicalDpi,
                           const ChartPlot &plot, int seriesCount);
    QColor color(int series) const { return colors.value(series, text); }
};

// The legend under a chart: a swatch in the series' colour and the series'
// whole name, item after item, wrapped into centred lines as the width
// allows. A name is shortened only when it is wider than a line by itself.
class ChartLegend {
public:
    struct Entry {
        int series = 0;
        QRectF swatch; // relative to the legend's top left corner
        QRectF text;
        QString shown; // the name as drawn
    };

    // Lays out one entry per name, `width` wide.
    void layOut(const QStringList &names, const ChartStyle &style, double width);
    double width() const { return m_width; }
    double height() const { return m_height; }
    const QVector<Entry> &entries() const { return m_entries; }
    // Draws it with its top left corner at `at`.
    void paint(QPainter &p, const QPointF &at) const;

private:
    ChartStyle m_style;
    double m_width = 0, m_height = 0;
    QVector<Entry> m_entries;
};

// The title of a value axis read by several series: their names, broken
// between names into lines no longer than `length` in `font`, so that the
// title fits beside an axis that long. A name longer than a line by itself
// is shortened.
QStringList axisTitleLines(const QStringList &names, const QFont &font, double length);

// The text shown for the value under the mouse.
QString valueTipText(const ChartContent &content, int column, int row);

} // namespace corv
