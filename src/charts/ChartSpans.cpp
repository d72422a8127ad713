#include "ChartSpans.h"

#include <algorithm>
#include <cmath>

namespace corv {

QVector<double> dayPositions(const QVector<QDate> &dates) {
    QVector<double> days;
    if (dates.isEmpty() || !dates.first().isValid())
        return days;
    days.reserve(dates.size());
    const qint64 first = dates.first().toJulianDay();
    for (const QDate &d : dates) {
        if (!d.isValid())
            return {};
        const double day = double(d.toJulianDay() - first);
        if (!days.isEmpty() && day < days.last())
            return {};
        days.push_back(day);
    }
    return days;
}

namespace {

enum class Unit { Day, Month, Year };
struct Rhythm {
    Unit unit;
    int count;
    double approxDays;
};

const Rhythm rhythms[] = {
    {Unit::Day, 1, 1},      {Unit::Day, 2, 2},       {Unit::Day, 7, 7},
    {Unit::Day, 14, 14},    {Unit::Month, 1, 30.44}, {Unit::Month, 2, 60.9},
    {Unit::Month, 3, 91.3}, {Unit::Month, 6, 182.6}, {Unit::Year, 1, 365.25},
    {Unit::Year, 2, 730.5}, {Unit::Year, 5, 1826},   {Unit::Year, 10, 3652},
    {Unit::Year, 20, 7305}, {Unit::Year, 50, 18262}, {Unit::Year, 100, 36525},
};

// The first date of the rhythm on or after `from`.
QDate firstOnRhythm(const QDate &from, const Rhythm &r) {
    switch (r.unit) {
    case Unit::Day: {
        // Julian day 0 was a Monday: whole weeks fall on Mondays.
        const qint64 jd = from.toJulianDay();
        const qint64 rest = ((jd % r.count) + r.count) % r.count;
        return rest == 0 ? from : QDate::fromJulianDay(jd + r.count - rest);
    }
    case Unit::Month: {
        QDate d(from.year(), from.month(), 1);
        if (d < from)
            d = d.addMonths(1);
        while ((d.month() - 1) % r.count != 0)
            d = d.addMonths(1);
        return d;
    }
    case Unit::Year: {
        int y = from.year();
        if (QDate(y, 1, 1) < from)
            ++y;
        const int rest = ((y % r.count) + r.count) % r.count;
        if (rest != 0)
            y += r.count - rest;
        return QDate(y, 1, 1);
    }
    }
    return from;
}

QDate nextOnRhythm(const QDate &d, const Rhythm &r) {
    switch (r.unit) {
    case Unit::Day:
        return d.addDays(r.count);
    case Unit::Month:
        return d.addMonths(r.count);
    case Unit::Year:
        return d.addYears(r.count);
    }
    return d.addDays(1);
}

} // namespace

QVector<QDate> dateTicks(const QDate &first, const QDate &last, int maxLabels) {
    QVector<QDate> ticks;
    if (!first.isValid() || !last.isValid() || last < first)
        return ticks;
    maxLabels = std::max(1, maxLabels);
    const double span = double(first.daysTo(last));
    for (const Rhythm &r : rhythms) {
        // Estimate first, so a span of centuries is never walked day by day.
        if (span / r.approxDays > maxLabels + 1)
            continue;
        ticks.clear();
        for (QDate d = firstOnRhythm(first, r); d.isValid() && d <= last; d = nextOnRhythm(d, r)) {
            ticks.push_back(d);
            if (ticks.size() > maxLabels)
                break;
        }
        // A rhythm too coarse to land inside the span at all labels nothing.
        if (!ticks.isEmpty() && ticks.size() <= maxLabels)
            return ticks;
    }
    // No rhythm fits: the two ends, as far as they fit.
    ticks.clear();
    ticks.push_back(first);
    if (maxLabels > 1 && last != first)
        ticks.push_back(last);
    return ticks;
}

XSpan zoomSpan(const XSpan &view, const XSpan &full, double factor, double anchor,
               double minWidth) {
    if (!(full.width() > 0) || !(view.width() > 0) || !(factor > 0) || !std::isfinite(factor))
        return full;
    const double least = std::min(std::max(0.0, minWidth), full.width());
    const double width = std::clamp(view.width() * factor, least, full.width());
    anchor = std::clamp(anchor, view.lo, view.hi);
    // The anchor keeps its share of the way across.
    const double share = (anchor - view.lo) / view.width();
    XSpan out{anchor - share * width, anchor - share * width + width};
    return panSpan(out, full, 0);
}

XSpan panSpan(const XSpan &view, const XSpan &full, double delta) {
    if (view.width() >= full.width())
        return full;
    const double width = view.width();
    double lo = view.lo + delta;
    lo = std::clamp(lo, full.lo, full.hi - width);
    return {lo, lo + width};
}

XSpan fitSpan(const XSpan &wanted, const XSpan &full, double minWidth) {
    XSpan s{std::min(wanted.lo, wanted.hi), std::max(wanted.lo, wanted.hi)};
    s.lo = std::max(s.lo, full.lo);
    s.hi = std::min(s.hi, full.hi);
    if (s.hi < s.lo)
        s = {full.lo, full.lo};
    const double least = std::min(std::max(0.0, minWidth), full.width());
    if (s.width() < least) {
        const double mid = s.middle();
        s = {mid - least / 2, mid + least / 2};
    }
    return panSpan(s, full, 0);
}

SeriesRange rangeWithBand(const SeriesRange &data, const ChartBand &band) {
    SeriesRange out = data;
    double height = data.high - data.low;
    if (!(height > 0))
        height = 0.1 * std::max(std::fabs(data.low), std::fabs(data.high));
    const double tallest = std::max(data.high - data.low, 2 * height);
    // The bounds outside the values, nearer first.
    struct Reach {
        double bound;
        double distance;
    };
    QVector<Reach> reaches;
    if (band.low && std::isfinite(*band.low) && *band.low < data.low)
        reaches.push_back({*band.low, data.low - *band.low});
    if (band.high && std::isfinite(*band.high) && *band.high > data.high)
        reaches.push_back({*band.high, *band.high - data.high});
    std::sort(reaches.begin(), reaches.end(),
              [](const Reach &a, const Reach &b) { return a.distance < b.distance; });
    for (const Reach &r : reaches) {
        const double lo = std::min(out.low, r.bound), hi = std::max(out.high, r.bound);
        if (hi - lo <= tallest * (1 + 1e-9)) {
            out.low = lo;
            out.high = hi;
        }
    }
    return out;
}

} // namespace corv
