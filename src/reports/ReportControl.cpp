#include "ReportControl.h"

#include "ReportDocument.h"
#include "ReportJob.h"
#include "ReportPreview.h"
#include "ReportPrinters.h"
#include "platform/Dialogs.h"
#include "platform/Progress.h"

#include <QApplication>
#include <QCoreApplication>
#include <QPrinter>

namespace corv {

namespace {

// The wait cursor for as long as a report is being made.
class WaitCursor {
public:
    WaitCursor() { dialogs().setWaitCursor(true); }
    ~WaitCursor() { dialogs().setWaitCursor(false); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

} // namespace

ReportControl::ReportControl(QWidget *owner) : QObject(owner), m_owner(owner) {}

ReportControl::~ReportControl() = default;

void ReportControl::setDataFiles(int index, const QString &path) {
    if (index == 0)
        m_dataFile = path;
}

QWidget *ReportControl::previewParent() const {
    if (m_owner)
        return m_owner->window();
    return QApplication::activeWindow();
}

int ReportControl::PrintReport() {
    m_error = ReportError();
    if (m_destination != ToWindow && m_destination != ToPrinter) {
        setError(ReportErr::BadDestination,
                 QCoreApplication::translate(
                     "ReportControl", "The destination %1 is not known: 0 shows the report in a "
                                      "window, 1 prints it.")
                     .arg(m_destination));
        return m_error.number;
    }
    ReportRequest request;
    request.reportFile = m_reportFile;
    request.dataFile = m_dataFile;
    request.selectionFormula = m_formula;
    request.pageSize = reportPrinters().defaultPageSize();

    // Reading the records and laying out thousands of them takes seconds:
    // the reading runs off the event loop, the layout (which must stay on
    // this thread) in pieces between which the window answers; after a
    // moment a progress box offers Cancel, which shows or prints nothing.
    const ProgressRequest progress{
        QCoreApplication::translate("ReportControl", "Print"),
        QCoreApplication::translate("ReportControl", "Preparing the report\u2026")};
    std::optional<RenderedReport> rendered;
    {
        WaitCursor wait;
        ReportError error;
        if (!runWithProgress(progress,
                             [&](TaskProgress &) { rendered = renderReportFile(request, &error); }))
            return m_error.number;
        m_error = error;
    }
    if (!rendered)
        return m_error.number;

    if (m_destination == ToWindow) {
        std::shared_ptr<ReportDocument> doc;
        {
            WaitCursor wait;
            SteppedProgress layout(progress);
            doc = std::make_shared<ReportDocument>(
                *rendered, request.pageSize, 0, ReportDocument::DefaultRowsPerTable,
                [&](int done, int total) { return layout.step(done, total); });
            if (doc->incomplete() || layout.cancelled())
                return m_error.number;
        }
        ReportPreview preview(doc, previewParent());
        dialogs().execModal(preview);
        return m_error.number;
    }

    QString why;
    auto printer = reportPrinters().defaultPrinter(&why);
    if (!printer) {
        setError(ReportErr::NoPrinter,
                 why.isEmpty()
                     ? QCoreApplication::translate("ReportControl", "No printer is available.")
                     : why);
        return m_error.number;
    }
    WaitCursor wait;
    if (!printReport(*rendered, nullptr, *printer, &why))
        setError(ReportErr::PrintFailed, why);
    return m_error.number;
}

} // namespace corv
