// One run of a report, everything that needs no window: read the template,
// check the selection formula, read the records, render and lay out.
#pragma once

#include "ReportDocument.h"
#include "ReportErrors.h"

#include <QDate>
#include <QPageSize>
#include <QString>
#include <memory>
#include <optional>

namespace corv {

struct ReportRequest {
    QString reportFile;       // the template
    QString dataFile;         // the database
    QString selectionFormula; // empty: every record
    QPageSize pageSize;       // invalid: Letter
    QDate printedOn;          // null: today
};

// Where the time of a run went, in nanoseconds.
struct ReportTimings {
    qint64 templateNs = 0; // reading and checking the template
    qint64 queryNs = 0;    // reading and selecting the records
    qint64 renderNs = 0;   // Mustache to HTML
    qint64 layoutNs = 0;   // HTML to laid-out pages
};

// What the report is made of: the template read and checked, the records
// read and selected. Errors as for renderReportFile(), but for those of
// rendering.
std::optional<ReportSource> readReportSource(const ReportRequest &request, ReportError *error,
                                             ReportTimings *timings = nullptr);

// The report rendered to HTML, or nullopt and `error` set. Errors are
// checked in the order a user would fix them: the report file, the
// formula's wording, the data file, then the fields the formula names.
std::optional<RenderedReport> renderReportFile(const ReportRequest &request, ReportError *error,
                                               ReportTimings *timings = nullptr);

// renderReportFile(), then laid out on the request's paper.
std::unique_ptr<ReportDocument> prepareReport(const ReportRequest &request, ReportError *error,
                                              ReportTimings *timings = nullptr);

// The message for a formula that does not parse.
QString formulaErrorText(const QString &formula, const ReportFormula::ParseError &e);

} // namespace corv
