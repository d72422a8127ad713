#include "ChartWindows.h"

#include "app/mdiCorvella.h"
#include "frmChart.h"

namespace corv {

void registerChartWindows() {
    mdiCorvella::chartWindow = [](QWidget *parent) -> QDialog * {
        return ModalWindow::open<frmChart>(parent);
    };
}

} // namespace corv
