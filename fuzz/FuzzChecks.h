// Properties of the parsers and conversions that take what a user types or
// what a file holds. Each check runs one input through one of them and
// returns an empty text when every property holds, otherwise what broke.
//
// The fuzz targets call these on generated inputs; the test suite replays
// every input that ever broke one (fuzz/regressions/<target>/), so a fault
// found once stays found.
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

namespace corv::fuzz {

// The numeric test, the number reading and the number texts agree.
QString checkNumbers(const QByteArray &input);
// The date test, date reading and the date texts agree and round-trip.
QString checkDates(const QByteArray &input);
// Four-decimal amounts: accepted only for numbers, round trip of their text,
// close to the double reading, refused only beyond their range.
QString checkAmounts(const QByteArray &input);
// Find criteria: parse, print, parse again gives the same criterion; the
// criterion builders always give texts the parser takes.
QString checkCriteria(const QByteArray &input);
// Record sources: an accepted text becomes one read-only SELECT of its own
// table and nothing else, as SQLite itself sees it.
QString checkRecordSource(const QByteArray &input);

// Report selection formulas: a refused formula says why and where; an
// accepted one evaluates on any record, "not (formula)" selects exactly the
// records it does not, and a pinned field pins.
QString checkFormula(const QByteArray &input);

// CSV import: every refusal names its line; what is accepted, written out
// as export writes it, reads back as the same records.
QString checkCsvImport(const QByteArray &input);
// Report templates: refused with a reason, or rendered within bounds, with
// markup and tags held in the records printed as text.
QString checkReportTemplate(const QByteArray &input);
// Target-range settings text and the two bounds typed in the window: read
// back as written, refusals name the value and say the right reason.
QString checkTargetRangeText(const QByteArray &input);
// The table definitions the key upgrade reads from a database file: the
// upgraded definition is one statement making the same columns.
QString checkSchemaText(const QByteArray &input);
// The help book: any file is shown and laid out without fault or delay.
QString checkHelpBook(const QByteArray &input);

struct Target {
    const char *name; // folder name under fuzz/corpus and fuzz/regressions
    QString (*check)(const QByteArray &input);
};
const std::vector<Target> &targets();

} // namespace corv::fuzz
