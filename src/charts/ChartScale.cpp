#include "ChartScale.h"

#include "platform/Conversions.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace corv {

ChartKind chartKind(int typeCode) {
    if (typeCode < 0 || typeCode > 9)
        typeCode = 0;
    static const ChartShape shapes[] = {ChartShape::Bar, ChartShape::Line, ChartShape::Area,
                                        ChartShape::Step, ChartShape::Combination};
    return {shapes[typeCode / 2], typeCode % 2 == 0};
}

bool drawsAsBars(ChartKind kind, int series) {
    return kind.shape == ChartShape::Bar || (kind.shape == ChartShape::Combination && series == 0);
}

bool drawnFromZero(ChartKind kind) {
    return kind.shape != ChartShape::Line && kind.shape != ChartShape::Step;
}

namespace {

// The decimals needed to write multiples of `step` exactly (0.25 -> 2).
int decimalsFor(double step) {
    for (int d = 0; d < 10; ++d) {
        const double scaled = step * std::pow(10.0, d);
        if (std::fabs(scaled - std::round(scaled)) < 1e-6 * std::max(1.0, scaled))
            return d;
    }
    return 10;
}

double niceStepAtLeast(double raw) {
    if (!(raw > 0) || !std::isfinite(raw))
        return 1;
    const double p = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 2.5, 5.0, 10.0}) {
        if (m * p >= raw * (1 - 1e-9))
            return m * p;
    }
    return 10 * p;
}

double nextNiceStep(double step) {
    return niceStepAtLeast(step * (1 + 1e-6));
}

} // namespace

double ValueAxisPlan::toCommon(double value, const ValueAxisPlan &common) const {
    if (high == low)
        return common.low;
    return common.low + (value - low) * (common.high - common.low) / (high - low);
}

QString ValueAxisPlan::tickText(int tick) const {
    double v = low + step * tick;
    if (std::fabs(v) < step * 1e-9)
        v = 0;
    return userNumberText(QString::number(v, 'f', decimals));
}

ValueAxisPlan niceAxis(double low, double high, int intervals, bool zeroBased) {
    if (!std::isfinite(low) || !std::isfinite(high)) {
        low = 0;
        high = 1;
    }
    if (low > high)
        std::swap(low, high);
    intervals = std::max(1, intervals);
    // A narrow band far from 0 (pH 6.8..7.6) reads better on an axis of its
    // own range; anything else keeps 0 in sight.
    const bool narrow = !zeroBased && low > 0 && (high - low) < 0.5 * high;
    if (narrow) {
        // A little room, so the lowest and highest points are not drawn on
        // the plot's edges.
        const double room = (high - low) * 0.03;
        low = std::max(0.0, low - room);
        high += room;
    } else {
        low = std::min(low, 0.0);
        high = std::max(high, 0.0);
    }
    if (high == low) {
        if (low == 0) {
            high = 1;
        } else {
            low -= std::fabs(low) * 0.1;
            high += std::fabs(high) * 0.1;
        }
    }
    ValueAxisPlan a;
    a.intervals = intervals;
    double step = niceStepAtLeast((high - low) / intervals);
    double start = 0;
    for (int guard = 0; guard < 64; ++guard) {
        start = std::floor(low / step + 1e-9) * step;
        if (start + step * intervals >= high - 1e-9 * std::max(std::fabs(high), step))
            break;
        step = nextNiceStep(step);
    }
    // 34 * 0.2 is 6.800000000000001: a start a rounding error above the
    // lowest value would leave that value off the axis.
    if (start > low && start - low < 1e-9 * step)
        start = low;
    a.low = start;
    a.high = std::max(start + step * intervals, high);
    a.step = step;
    a.decimals = decimalsFor(step);
    return a;
}

AxesPlan planValueAxes(const QVector<SeriesRange> &ranges, bool zeroBased, int maxAxes) {
    AxesPlan plan;
    const int n = int(ranges.size());
    plan.axisOfSeries.fill(0, n);

    // Groups of series of like size, largest first.
    QVector<QVector<int>> groups;
    const bool anyNegative =
        std::any_of(ranges.begin(), ranges.end(), [](const SeriesRange &r) { return r.low < 0; });
    if (n <= 1 || anyNegative || maxAxes <= 1) {
        QVector<int> all(n);
        std::iota(all.begin(), all.end(), 0);
        groups.push_back(all);
    } else {
        QVector<int> order(n);
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return ranges[a].high > ranges[b].high; });
        double groupHigh = -1;
        for (int s : order) {
            const double h = ranges[s].high;
            // A factor of four keeps look-alikes (nitrate and temperature,
            // calcium and magnesium) together; all-zero series join the
            // last group rather than get an axis of nothing.
            if (groups.isEmpty() || (h > 0 && h * 4 < groupHigh && groups.size() < maxAxes)) {
                groups.push_back({});
                groupHigh = h;
            }
            groups.back().push_back(s);
        }
    }

    // The common number of intervals that wastes least room over all axes.
    int bestIntervals = 5;
    double bestWaste = 1e300;
    for (int intervals : {5, 4, 6}) {
        double waste = 0;
        for (const QVector<int> &g : groups) {
            double lo = 1e300, hi = -1e300;
            for (int s : g)
                lo = std::min(lo, ranges[s].low), hi = std::max(hi, ranges[s].high);
            if (g.isEmpty())
                lo = hi = 0;
            const ValueAxisPlan a = niceAxis(lo, hi, intervals, zeroBased);
            const double used = std::max(hi, a.low) - std::max(std::min(lo, hi), a.low);
            waste += 1 - (a.high > a.low ? std::max(0.0, used) / (a.high - a.low) : 0);
        }
        if (waste < bestWaste - 1e-9) {
            bestWaste = waste;
            bestIntervals = intervals;
        }
    }

    for (int gi = 0; gi < groups.size(); ++gi) {
        const QVector<int> &g = groups[gi];
        double lo = 1e300, hi = -1e300;
        for (int s : g) {
            lo = std::min(lo, ranges[s].low);
            hi = std::max(hi, ranges[s].high);
            plan.axisOfSeries[s] = gi;
        }
        if (g.isEmpty())
            lo = hi = 0;
        ValueAxisPlan a = niceAxis(lo, hi, bestIntervals, zeroBased);
        a.series = g;
        std::sort(a.series.begin(), a.series.end());
        plan.axes.push_back(a);
    }
    return plan;
}

int labelStep(double slotWidth, double labelWidth, double gap) {
    if (!(slotWidth > 0))
        return 1;
    const double need = (labelWidth + gap) / slotWidth;
    if (need <= 1)
        return 1;
    // Round steps, close enough together that the labels stay dense:
    // 1, 2, 3, 4, 5, 6, 8, 10, 12, 15, 20, 25, 30, 40, 50, 60, 80, 100, ...
    static const int mantissas[] = {10, 12, 15, 20, 25, 30, 40, 50, 60, 80};
    for (qint64 p = 1; p <= 100000000; p *= 10) {
        for (int m : mantissas) {
            if ((m * p) % 10 != 0)
                continue;
            const qint64 s = m * p / 10;
            if (double(s) >= need)
                return int(s);
        }
    }
    return 1000000000;
}

QVector<int> labelledRows(int rowCount, int step) {
    QVector<int> rows;
    step = std::max(1, step);
    rows.reserve(rowCount / step + 1);
    for (int r = 0; r < rowCount; r += step)
        rows.push_back(r);
    return rows;
}

int bucketSizeFor(int rowCount, double pixels) {
    if (rowCount <= 0 || !(pixels >= 1))
        return 1;
    return std::max(1, int(std::ceil(rowCount / pixels)));
}

QVector<PlotPoint> thinForBars(const QVector<double> &values, int bucketSize) {
    QVector<PlotPoint> out;
    const int n = int(values.size());
    bucketSize = std::max(1, bucketSize);
    out.reserve(n / bucketSize + 1);
    for (int b = 0; b < n; b += bucketSize) {
        const int e = std::min(n, b + bucketSize);
        int pick = b;
        for (int r = b + 1; r < e; ++r)
            if (std::fabs(values[r]) > std::fabs(values[pick]))
                pick = r;
        out.push_back({(b + e - 1) / 2.0, values[pick], pick});
    }
    return out;
}

QVector<PlotPoint> thinForLines(const QVector<double> &values, int bucketSize) {
    QVector<PlotPoint> out;
    const int n = int(values.size());
    bucketSize = std::max(1, bucketSize);
    if (bucketSize == 1) {
        out.reserve(n);
        for (int r = 0; r < n; ++r)
            out.push_back({double(r), values[r], r});
        return out;
    }
    out.reserve(2 * (n / bucketSize + 1));
    for (int b = 0; b < n; b += bucketSize) {
        const int e = std::min(n, b + bucketSize);
        int lo = b, hi = b;
        for (int r = b + 1; r < e; ++r) {
            if (values[r] < values[lo])
                lo = r;
            if (values[r] > values[hi])
                hi = r;
        }
        const int first = std::min(lo, hi), second = std::max(lo, hi);
        out.push_back({double(first), values[first], first});
        if (second != first)
            out.push_back({double(second), values[second], second});
    }
    return out;
}

QVector<QPointF> onPixelColumns(const QVector<QPointF> &line, double origin, double unitsPerPixel,
                                bool decimate) {
    if (!(unitsPerPixel > 0) || !std::isfinite(unitsPerPixel))
        return line;
    const qsizetype n = line.size();
    const auto columnOf = [&](qsizetype i) {
        return std::floor((line[i].x() - origin) / unitsPerPixel + 0.5);
    };
    QVector<QPointF> out;
    out.reserve(n);
    for (qsizetype i = 0; i < n;) {
        const double column = columnOf(i);
        qsizetype end = i + 1;
        while (end < n && columnOf(end) == column)
            ++end;
        const double x = origin + column * unitsPerPixel;
        if (!decimate || end - i <= 4) {
            for (qsizetype k = i; k < end; ++k)
                out.push_back(QPointF(x, line[k].y()));
        } else {
            qsizetype lo = i, hi = i;
            for (qsizetype k = i + 1; k < end; ++k) {
                if (line[k].y() < line[lo].y())
                    lo = k;
                if (line[k].y() > line[hi].y())
                    hi = k;
            }
            qsizetype last = -1;
            for (qsizetype k : {i, std::min(lo, hi), std::max(lo, hi), end - 1}) {
                if (k != last)
                    out.push_back(QPointF(x, line[k].y()));
                last = k;
            }
        }
        i = end;
    }
    return out;
}

QVector<QPointF> columnEnds(const QVector<QPointF> &placed) {
    QVector<QPointF> out;
    out.reserve(placed.size());
    const qsizetype n = placed.size();
    for (qsizetype i = 0; i < n; ++i) {
        const bool first = i == 0 || placed[i - 1].x() != placed[i].x();
        const bool last = i + 1 == n || placed[i + 1].x() != placed[i].x();
        if (first || last)
            out.push_back(placed[i]);
    }
    return out;
}

bool isDark(const QColor &c) {
    return c.lightnessF() < 0.5;
}

QColor mixColors(const QColor &a, const QColor &b, double t) {
    const auto m = [t](double x, double y) { return x + (y - x) * t; };
    return QColor::fromRgbF(float(m(a.redF(), b.redF())), float(m(a.greenF(), b.greenF())),
                            float(m(a.blueF(), b.blueF())), float(m(a.alphaF(), b.alphaF())));
}

QColor seriesColor(int index, const QColor &background) {
    // Mid-toned hues, far apart on the colour wheel, that keep enough
    // contrast against both white and a dark grey.
    static const QRgb base[] = {0x2f7fc1, 0xe8762b, 0x2ca25f, 0xc8417a, 0x7e57c2,
                                0x17a2b8, 0xc9a227, 0x8d6e63, 0x5c7c8a, 0xd9423a};
    constexpr int n = int(sizeof(base) / sizeof(base[0]));
    if (index < 0)
        index = 0;
    QColor c = QColor::fromRgb(base[index % n]);
    const bool dark = isDark(background);
    if ((index / n) % 2 == 1)
        c = dark ? c.lighter(135) : c.darker(135);
    if (dark)
        c = c.lighter(118);
    return c;
}

} // namespace corv
