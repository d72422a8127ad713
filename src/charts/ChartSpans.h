// Spans along the chart's axes, with no window involved: the time axis
// (entries placed by their dates, round dates to label it), zooming and
// panning along the horizontal axis, and how far a target band may stretch
// a value axis.
#pragma once

#include "ChartScale.h"

#include <QDate>
#include <QVector>
#include <optional>

namespace corv {

// --- the time axis ---

// Each date's distance in days from the first one; empty unless every date
// is valid and they never go back in time (the journal is read oldest
// first, so anything else means the dates are not the rows' own).
QVector<double> dayPositions(const QVector<QDate> &dates);

// Round dates to label a time axis with: at most `maxLabels` of them
// between `first` and `last` (inclusive), all on one rhythm: every day, 2
// days, week (Mondays), 2 weeks, month (the 1st), 2, 3 or 6 months, year
// (January 1st), 2, 5, 10, 20, 50 or 100 years; the finest rhythm that
// keeps to the limit and lands inside the span. When none does, the first
// (and, room permitting, the last) date.
QVector<QDate> dateTicks(const QDate &first, const QDate &last, int maxLabels);

// --- the horizontal view ---

// A stretch of the horizontal axis, in its own units (rows, or days).
struct XSpan {
    double lo = 0;
    double hi = 0;
    double width() const { return hi - lo; }
    double middle() const { return (lo + hi) / 2; }
    friend bool operator==(const XSpan &a, const XSpan &b) { return a.lo == b.lo && a.hi == b.hi; }
    friend bool operator!=(const XSpan &a, const XSpan &b) { return !(a == b); }
};

// `view` narrowed (factor below 1) or widened (above 1) around `anchor`,
// which stays where it is on the screen; never narrower than `minWidth`
// (nor than the whole, if that is narrower still), never wider than `full`
// and always inside it.
XSpan zoomSpan(const XSpan &view, const XSpan &full, double factor, double anchor, double minWidth);
// `view` moved by `delta`, stopping at the ends of `full`.
XSpan panSpan(const XSpan &view, const XSpan &full, double delta);
// A span picked by the user (a drag), put in order, widened to `minWidth`
// around its middle and kept inside `full`.
XSpan fitSpan(const XSpan &wanted, const XSpan &full, double minWidth);

// --- target bands ---

// A target band: either bound may be missing (open towards the axis end).
struct ChartBand {
    std::optional<double> low;
    std::optional<double> high;
    bool isEmpty() const { return !low && !high; }
};

// The range a value axis is planned for when `band` is drawn with a series
// of `data`'s range. A bound is taken in only while the axis stays at most
// twice as tall as the values need (a flat series counts a tenth of its
// size as its height), the nearer bound first; a bound farther out is left
// to be clipped at the plot's edge, so a band never squeezes the values
// into a sliver. Bounds inside the values' range change nothing.
SeriesRange rangeWithBand(const SeriesRange &data, const ChartBand &band);

} // namespace corv
