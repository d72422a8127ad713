// The chart-printing window: prints the chart its opener shows on the
// default printer, as large as the page allows, while it loads, and closes
// itself. It shows a one-line notice for as long as the job takes.
#pragma once

#include "app/ChildWindow.h"

class QLabel;

namespace corv {

class CorvChart;

class frmChartPrint : public ModalWindow {
    Q_OBJECT
public:
    frmChartPrint(const CorvChart &chart, QWidget *parent);

    QLabel *Label1;

    // Runs the whole job; always false, as the window has closed by the
    // time it is done. `printed()` tells whether the page went out.
    bool Form_Load() override;
    bool printed() const { return m_printed; }

private:
    const CorvChart &m_chart;
    bool m_printed = false;
};

} // namespace corv
