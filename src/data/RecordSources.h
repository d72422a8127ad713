// The record-source texts of every window, built in one place.
//
// A tank id is spliced into these texts as it stands, so it must be a whole
// number: anything else (a damaged or hostile settings value such as
// "1; DROP TABLE Tank") is replaced by the marker "NOT SET", which the
// record-source parser refuses before any SQL runs.
#pragma once

#include <QString>

namespace corv {

// True for an optional sign followed by digits only.
bool isWholeNumber(const QString &text);

namespace sources {

// The id as it may go into a text: itself when it is a whole number, else
// "NOT SET".
QString tankIdForQuery(const QString &tankId);

QString journal(const QString &tankId);
// The chart's texts; `from` and `to` are "mm/dd/yyyy" or empty for no bound.
QString journalChart(const QString &tankId, const QString &from, const QString &to);
// `orderField` is one of DateAcquired, CommonName, ScientificName, AcquiredFrom.
QString livestock(const QString &tankId, const QString &orderField);
// The field of the livestock window's sort order 1 to 4 (Date Acquired,
// Common Name, Scientific Name, Acquired From); DateAcquired for any other.
QString livestockSortField(int order);
QString tanks();
QString tankName(const QString &tankId);
QString tank(const QString &tankId);
QString diseasesByCommonName();
QString diseasesByScientificName();
// The diseases window's sort order: 2 by scientific name, any other by
// common name.
QString diseases(int order);
QString glossary();
// The care log of a tank, by date; its tasks and those of every tank, by title.
QString maintenance(const QString &tankId);
QString tasks(const QString &tankId);
QString diseaseIndex();
QString glossaryIndex();

} // namespace sources
} // namespace corv
