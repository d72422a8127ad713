#include "ChartRender.h"

#include "platform/Conversions.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <cmath>

namespace corv {

double ChartContent::cellValue(const QString &text) {
    // Plain numbers, as the chart is filled with, read quickly; anything
    // else the way every box in Corvella reads numbers.
    bool ok = false;
    double v = text.toDouble(&ok);
    if (!ok) {
        const auto n = toNumber(text);
        v = n ? *n : 0;
    }
    return std::isfinite(v) ? v : 0.0;
}

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
            const double v = i < cells.size() ? cellValue(cells[i]) : 0.0;
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

double ChartContent::widestShownLabel(const QFont &font, double slotWidth, double gap, int first,
                                      int last) const {
    first = std::max(first, 0);
    last = std::min(last, rows() - 1);
    if (first > last)
        return 0;
    const QFontMetricsF fm(font);
    double widest = 0;
    int measuredStep = 0;
    for (;;) {
        const int step = labelStep(slotWidth, widest, gap);
        if (step == measuredStep)
            return widest;
        measuredStep = step;
        // The labelled rows are every step-th from the first row.
        double w = widest;
        for (qint64 r = (qint64(first) + step - 1) / step * step; r <= last; r += step)
            w = std::max(w, fm.horizontalAdvance(rowLabels[int(r)]));
        if (w <= widest)
            return widest;
        widest = w;
    }
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

void ChartLegend::layOut(const QStringList &names, const ChartStyle &style, double width) {
    m_style = style;
    m_width = std::max(0.0, width);
    m_entries.clear();
    m_height = 0;
    if (names.isEmpty())
        return;
    const QFontMetricsF fm(style.labelFont);
    const double lh = fm.height(), em = fm.horizontalAdvance(QLatin1Char('M'));
    const double swatch = lh * 0.8, gap = em * 0.4, between = em * 1.5;
    // Entries in lines, then each line centred.
    QVector<QVector<Entry>> lines(1);
    QVector<double> widths(1, 0);
    for (int k = 0; k < names.size(); ++k) {
        Entry e;
        e.series = k;
        e.shown = names[k];
        double textWidth = fm.horizontalAdvance(e.shown);
        if (swatch + gap + textWidth > m_width) {
            e.shown = fm.elidedText(e.shown, Qt::ElideRight, std::max(0.0, m_width - swatch - gap));
            textWidth = fm.horizontalAdvance(e.shown);
        }
        const double w = swatch + gap + textWidth;
        if (!lines.last().isEmpty() && widths.last() + between + w > m_width) {
            lines.push_back({});
            widths.push_back(0);
        }
        const double x = widths.last() + (lines.last().isEmpty() ? 0 : between);
        const double y = lh * 0.3 + (lines.size() - 1) * lh * 1.4;
        e.swatch = QRectF(x, y + lh * 0.1, swatch, swatch);
        e.text = QRectF(x + swatch + gap, y, textWidth, lh);
        widths.last() = x + w;
        lines.last() << e;
    }
    for (int i = 0; i < lines.size(); ++i) {
        const double shift = (m_width - widths[i]) / 2;
        for (Entry &e : lines[i]) {
            e.swatch.translate(shift, 0);
            e.text.translate(shift, 0);
            m_entries << e;
        }
    }
    m_height = lines.size() * lh * 1.4 + lh * 0.3;
}

void ChartLegend::paint(QPainter &p, const QPointF &at) const {
    const QFontMetricsF fm(m_style.labelFont);
    p.save();
    p.translate(at);
    p.setFont(m_style.labelFont);
    for (const Entry &e : m_entries) {
        const QColor c = m_style.color(e.series);
        p.setPen(QPen(c.darker(140), 1));
        p.setBrush(c);
        p.drawRect(e.swatch);
        p.setPen(m_style.text);
        p.drawText(QPointF(e.text.left(), e.text.top() + fm.ascent()), e.shown);
    }
    p.restore();
}

QStringList axisTitleLines(const QStringList &names, const QFont &font, double length) {
    const QFontMetricsF fm(font);
    const QString comma = QStringLiteral(", ");
    // Room for the comma a line may end with.
    length -= fm.horizontalAdvance(QLatin1Char(','));
    QStringList lines;
    for (const QString &name : names) {
        if (!lines.isEmpty() && fm.horizontalAdvance(lines.last() + comma + name) <= length) {
            lines.last() += comma + name;
            continue;
        }
        if (!lines.isEmpty())
            lines.last() += QLatin1Char(',');
        lines << (fm.horizontalAdvance(name) <= length
                      ? name
                      : fm.elidedText(name, Qt::ElideRight, std::max(0.0, length)));
    }
    return lines;
}

QString valueTipText(const ChartContent &content, int column, int row) {
    if (column < 0 || column >= content.columns() || row < 0 || row >= content.rows())
        return QString();
    return content.columnLabels[column] + QStringLiteral(": ") +
           userNumberText(numberText(content.value(column, row))) + QLatin1Char('\n') +
           content.rowLabels[row];
}

} // namespace corv
