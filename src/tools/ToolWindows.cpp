#include "ToolWindows.h"

#include "frmTankCalc.h"

namespace corv {

void registerToolWindows() {
    Forms::setFactory(FormKind::TankCalc, &ChildWindow::open<frmTankCalc>);
}

} // namespace corv
