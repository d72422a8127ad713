#include "ReportPrinters.h"

#include "ReportDocument.h"
#include "platform/Dialogs.h"

#include <QCoreApplication>
#include <QLocale>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace corv {

namespace {

ReportPrinters *installed = nullptr;

QString noPrinter() {
    return QCoreApplication::translate("ReportPrinters", "No printer is available.");
}

// The default printer, or the first there is when none is the default.
QPrinterInfo systemPrinter() {
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (!info.isNull())
        return info;
    const QList<QPrinterInfo> all = QPrinterInfo::availablePrinters();
    return all.isEmpty() ? QPrinterInfo() : all.first();
}

} // namespace

ReportPrinters &reportPrinters() {
    static SystemReportPrinters system;
    return installed ? *installed : system;
}

void setReportPrinters(ReportPrinters *printers) {
    installed = printers;
}

QPageSize localPageSize() {
    return QLocale::system().measurementSystem() == QLocale::ImperialUSSystem
               ? QPageSize(QPageSize::Letter)
               : QPageSize(QPageSize::A4);
}

QPageSize SystemReportPrinters::defaultPageSize() {
    const QPrinterInfo info = systemPrinter();
    if (!info.isNull() && info.defaultPageSize().isValid())
        return info.defaultPageSize();
    return localPageSize();
}

std::unique_ptr<QPrinter> SystemReportPrinters::defaultPrinter(QString *why) {
    const QPrinterInfo info = systemPrinter();
    if (info.isNull()) {
        if (why)
            *why = noPrinter();
        return nullptr;
    }
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

std::unique_ptr<QPrinter> SystemReportPrinters::choosePrinter(QWidget *parent, int pageCount,
                                                              QString *why) {
    auto printer = defaultPrinter(why);
    if (!printer)
        return nullptr;
    QPrintDialog dialog(printer.get(), parent);
    dialog.setWindowTitle(QCoreApplication::translate("ReportPrinters", "Print"));
    dialog.setMinMax(1, std::max(1, pageCount));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    if (dialogs().execModal(dialog) != QDialog::Accepted)
        return nullptr;
    return printer;
}

namespace {

bool printOn(const RenderedReport &report, const ReportDocument *laidOut, QPrinter &printer,
             QString *why, const ReportDocument::LayoutProgress &keepGoing = {}) {
    // Our margins are in the layout; the printer is given the whole sheet.
    printer.setFullPage(true);
    printer.setPageOrientation(report.orientation);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
    if (printer.docName().isEmpty())
        printer.setDocName(report.title);
    QPageSize paper = printer.pageLayout().pageSize();
    if (!paper.isValid())
        paper = QPageSize(QPageSize::Letter);
    std::unique_ptr<ReportDocument> own;
    const ReportDocument *doc = laidOut;
    if (!doc || !doc->pageLayout().pageSize().isEquivalentTo(paper)) {
        // A report laid out piece by piece is not held whole: its parts are
        // laid out again.
        if (doc && report.bodyHtml.isEmpty())
            own = std::make_unique<ReportDocument>(*doc, paper);
        else
            own = std::make_unique<ReportDocument>(report, paper);
        doc = own.get();
    }
    int from = 0, to = 0;
    if (printer.printRange() == QPrinter::PageRange) {
        from = printer.fromPage();
        to = printer.toPage();
    }
    QString reason;
    if (!doc->paint(printer, from, to, &reason, keepGoing)) {
        if (why)
            *why = QCoreApplication::translate("ReportPrinters",
                                               "The report could not be printed on %1: %2.")
                       .arg(printer.printerName().isEmpty()
                                ? QCoreApplication::translate("ReportPrinters", "the printer")
                                : printer.printerName(),
                            reason);
        return false;
    }
    return true;
}

} // namespace

bool printReport(const RenderedReport &report, const ReportDocument *laidOut, QPrinter &printer,
                 QString *why) {
    return printOn(report, laidOut, printer, why);
}

bool printReport(ReportDocument &laidOut, QPrinter &printer, QString *why,
                 const std::function<bool(int, int)> &keepGoing) {
    if (!laidOut.finish(keepGoing)) {
        if (why)
            *why = laidOut.error().text;
        return false;
    }
    return printOn(laidOut.report(), &laidOut, printer, why, keepGoing);
}

} // namespace corv
