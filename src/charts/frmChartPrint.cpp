#include "frmChartPrint.h"

#include "charts/ChartPrinting.h"
#include "charts/CorvChart.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QVBoxLayout>

namespace corv {

frmChartPrint::frmChartPrint(const CorvChart &chart, QWidget *parent)
    : ModalWindow(parent), m_chart(chart) {
    setObjectName(QStringLiteral("frmChartPrint"));
    setWindowTitle(QCoreApplication::translate("frmChartPrint", "Printing Chart"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowModality(Qt::ApplicationModal);
    Label1 = new QLabel(
        QCoreApplication::translate("frmChartPrint", "Sending the chart to the printer..."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->addWidget(Label1);
    // The chart window keeps the status line; this window leaves it alone.
    idleLineOnUnload = false;
}

bool frmChartPrint::Form_Load() {
    // The notice stays up, and the rest of the program waits, while the
    // page is drawn and spooled.
    show();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    dialogs().setWaitCursor(true);
    QString error;
    // Straight from the chart, drawn for the page: the clipboard is not
    // used, so whatever the user copied stays there.
    m_printed = PrintChart(m_chart, &error);
    dialogs().setWaitCursor(false);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    done(m_printed ? Accepted : Rejected);
    if (!m_printed)
        msgBox(error, MsgButtons::Ok, MsgIcon::Exclamation, windowTitle());
    return false;
}

} // namespace corv
