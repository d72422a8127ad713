// Where reports are printed. Everything that touches a printer goes through
// one replaceable object: the real one uses the system's printers, tests
// install one that prints into a PDF file.
#pragma once

#include <QPageSize>
#include <QString>
#include <functional>
#include <memory>

class QPrinter;
class QWidget;

namespace corv {

class ReportDocument;
class RenderedReport;

class ReportPrinters {
public:
    virtual ~ReportPrinters() = default;
    // The paper a report is laid out on for the preview and for PDF files.
    virtual QPageSize defaultPageSize() = 0;
    // The default printer, ready to print on; nullptr, with `why` saying so
    // in a sentence, when there is none.
    virtual std::unique_ptr<QPrinter> defaultPrinter(QString *why) = 0;
    // Lets the user choose a printer, the pages and copies (from the
    // preview). nullptr when cancelled (`why` left empty) or when there is no
    // printer (`why` says so).
    virtual std::unique_ptr<QPrinter> choosePrinter(QWidget *parent, int pageCount,
                                                    QString *why) = 0;
};

// The printers in use; the system's until others are installed.
ReportPrinters &reportPrinters();
// Installs `printers` (not owned); nullptr restores the system's.
void setReportPrinters(ReportPrinters *printers);

// The system's printers, through Qt Print Support.
class SystemReportPrinters : public ReportPrinters {
public:
    QPageSize defaultPageSize() override;
    std::unique_ptr<QPrinter> defaultPrinter(QString *why) override;
    std::unique_ptr<QPrinter> choosePrinter(QWidget *parent, int pageCount, QString *why) override;
};

// The paper usual where the user lives: Letter in the United States and
// Canada's imperial habits, A4 elsewhere.
QPageSize localPageSize();

// Prints `report` on `printer`: laid out again on the printer's paper when
// `laidOut` is for other paper, the template's orientation kept. Prints the
// printer's page range when one is set. False with a reason when the printer
// fails.
bool printReport(const RenderedReport &report, const ReportDocument *laidOut, QPrinter &printer,
                 QString *why);
// The same for a report laid out piece by piece (complete, or laid out to
// its end first). `keepGoing`, when given, is told of each page printed
// (pages done, pages in all), so the window can answer meanwhile.
bool printReport(ReportDocument &laidOut, QPrinter &printer, QString *why,
                 const std::function<bool(int, int)> &keepGoing = {});

} // namespace corv
