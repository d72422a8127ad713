// What both chart drawings work from: the chart's data as numbers, and the
// look (colours taken from the widget's palette, fonts in pixels so that a
// picture drawn for a 1200 dpi printer has the proportions of the screen).
#pragma once

#include "ChartScale.h"
#include "ChartSpans.h"

#include <QColor>
#include <QFont>
#include <QStringList>
#include <QVector>
#include <optional>

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

    int rows() const { return int(rowLabels.size()); }
    int columns() const { return int(columnLabels.size()); }
    double value(int column, int row) const { return series[column][row]; }

    // From the grid's texts (row-major); a text that is no number counts 0.
    static ChartContent fromCells(const QStringList &rowLabels, const QStringList &columnLabels,
                                  const QStringList &cells);
    // The widest row label in `font`.
    double widestRowLabel(const QFont &font) const;

private:
    mutable std::optional<QFont> m_widthFont; // what m_widest was measured in
    mutable double m_widest = 0;
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

// The text shown for the value under the mouse.
QString valueTipText(const ChartContent &content, int column, int row);

} // namespace corv
