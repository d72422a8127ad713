#include "ReportControl.h"

#include "ReportDocument.h"
#include "ReportJob.h"
#include "ReportPreview.h"
#include "ReportPrinters.h"
#include "platform/Dialogs.h"
#include "platform/Progress.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPrinter>

namespace corv {

namespace {

// How long the preview waits for the whole report before it shows the pages
// that are ready, in milliseconds.
constexpr qint64 PreviewWaitMs = 0;

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

    // Reading the records runs off the event loop. The report is then
    // rendered on a thread of its own and laid out here in pieces, between
    // which the window answers; the preview opens as soon as its first page
    // is ready and lays out the rest while it is shown. After a moment a
    // progress box offers Cancel, which shows or prints nothing.
    const ProgressRequest progress{
        QCoreApplication::translate("ReportControl", "Print"),
        QCoreApplication::translate("ReportControl", "Preparing the report\u2026")};
    std::optional<ReportSource> source;
    {
        WaitCursor wait;
        ReportError error;
        if (!runWithProgress(progress,
                             [&](TaskProgress &) { source = readReportSource(request, &error); }))
            return m_error.number;
        m_error = error;
    }
    if (!source)
        return m_error.number;

    const bool toWindow = m_destination == ToWindow;
    auto doc = std::make_shared<ReportDocument>(std::move(*source), request.pageSize);
    {
        WaitCursor wait;
        SteppedProgress layout(progress);
        // A printer needs every page. The preview shows a short report
        // whole, and a long one as soon as its first page is ready.
        QElapsedTimer clock;
        clock.start();
        auto ready = [&] {
            return doc->layOutMore(20) ||
                   (toWindow && doc->pageCount() > 0 && clock.elapsed() >= PreviewWaitMs);
        };
        while (!layout.cancelled() && !ready())
            if (!layout.step(doc->pageCount()))
                break;
        if (layout.cancelled())
            return m_error.number;
    }
    if (doc->failed()) {
        m_error = doc->error();
        return m_error.number;
    }

    if (toWindow) {
        ReportPreview preview(doc, previewParent());
        dialogs().execModal(preview);
        // Rendering may still go wrong after the first pages are shown.
        if (doc->failed())
            m_error = doc->error();
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
    // A print job cannot be taken back half-sent: the box has no Cancel.
    SteppedProgress printing({progress.title, progress.label, false});
    if (!printReport(*doc, *printer, &why, [&](int done, int total) {
            printing.step(done, total);
            return true;
        }))
        setError(ReportErr::PrintFailed, why);
    return m_error.number;
}

} // namespace corv
