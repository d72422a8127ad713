// The errors a report can end with: a number and a sentence for the user.
//
// The print dialog shows them as "Err(number) : text" followed by the names
// of the report file and the data file, so each text is one sentence that
// says what went wrong in the user's terms. Numbers are grouped by what
// failed: 1xx the report file, 2xx the data file, 3xx the selection
// formula, 4xx the output.
#pragma once

#include <QString>

namespace corv {

struct ReportError {
    int number = 0;
    QString text;

    bool ok() const { return number == 0; }
};

namespace ReportErr {
constexpr int NoReportFile = 100;       // no report file was named
constexpr int ReportFileNotFound = 101; // the template file does not exist
constexpr int ReportFileUnreadable = 102;
constexpr int ReportFileInvalid = 103; // not a valid template

constexpr int NoDataFile = 200;
constexpr int DataFileNotFound = 201;
constexpr int DataFileUnreadable = 202; // cannot be opened, or not a Corvella database
constexpr int TableMissing = 203;       // the template's table is not in the data file
constexpr int FieldMissing = 204;       // the template orders by a field the table lacks

constexpr int FormulaSyntax = 301;
constexpr int FormulaUnknownField = 302;

constexpr int NoPrinter = 401;
constexpr int PrintFailed = 402;
constexpr int BadDestination = 403;
constexpr int PdfFailed = 404;
} // namespace ReportErr

} // namespace corv
