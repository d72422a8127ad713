#include "ChartRender.h"

#include "platform/Conversions.h"

#include <QFontMetricsF>
#include <QPalette>
#include <algorithm>
#include <cmath>

namespace corv {

ChartContent ChartContent::fromCells(const QStringList &rowLabels, const QStringList &columnLabels,
                                     const QStringList &cells) {
    ChartContent c;
    c.rowLabels = rowLabels;
    c.columnLabels = columnLabels;
    const int rows = int(rowLabels.size()), cols = int(columnLabels.size());
    c.series.resize(cols);
    c.ranges.resize(cols);
    for (int k = 0; k < cols; ++k) {
        QVector<double> &s = c.series[k];
        s.resize(rows);
        double lo = 0, hi = 0;
        for (int r = 0; r < rows; ++r) {
            const int i = r * cols + k;
            double v = 0;
            if (i < cells.size()) {
                // Plain numbers, as the chart is filled with, read quickly;
                // anything else the way every box in Corvella reads numbers.
                bool ok = false;
                v = cells[i].toDouble(&ok);
                if (!ok) {
                    const auto n = toNumber(cells[i]);
                    v = n ? *n : 0;
                }
                if (!std::isfinite(v))
                    v = 0;
            }
            s[r] = v;
            if (r == 0 || v < lo)
                lo = v;
            if (r == 0 || v > hi)
                hi = v;
        }
        c.ranges[k] = {lo, hi};
    }
    return c;
}

double ChartContent::widestRowLabel(const QFont &font) const {
    if (m_widthFont && *m_widthFont == font)
        return m_widest;
    const QFontMetricsF fm(font);
    double w = 0;
    for (const QString &l : rowLabels)
        w = std::max(w, fm.horizontalAdvance(l));
    m_widthFont = font;
    m_widest = w;
    return w;
}

ChartStyle ChartStyle::make(const QPalette &palette, const QFont &font, double logicalDpi,
                            const ChartPlot &plot, int seriesCount) {
    ChartStyle s;
    s.background = palette.color(QPalette::Active, QPalette::Base);
    s.text = palette.color(QPalette::Active, QPalette::Text);
    s.grid = mixColors(s.background, s.text, 0.16);
    s.axis = mixColors(s.background, s.text, 0.5);
    s.backWall = mixColors(s.background, s.text, 0.035);
    s.sideWall = mixColors(s.background, s.text, 0.065);
    s.floor = mixColors(s.background, s.text, 0.10);
    s.gridLines = plot.gridLines;
    if (logicalDpi <= 0)
        logicalDpi = 96;
    double points = plot.labelPointSize > 0 ? plot.labelPointSize : font.pointSizeF();
    int pixels = points > 0 ? int(std::lround(points * logicalDpi / 72.0)) : font.pixelSize();
    pixels = std::clamp(pixels, 8, 40);
    s.labelFont = font;
    s.labelFont.setPixelSize(pixels);
    s.titleFont = s.labelFont;
    s.titleFont.setBold(true);
    for (int i = 0; i < seriesCount; ++i)
        s.colors << seriesColor(i, s.background);
    return s;
}

QString valueTipText(const ChartContent &content, int column, int row) {
    if (column < 0 || column >= content.columns() || row < 0 || row >= content.rows())
        return QString();
    return content.columnLabels[column] + QStringLiteral(": ") +
           numberText(content.value(column, row)) + QLatin1Char('\n') + content.rowLabels[row];
}

} // namespace corv
