#include "Windows.h"

#include "frmJournal.h"
#include "frmTank.h"
#include "tools/frmTankCalc.h"

namespace corv {

void registerRecordWindows() {
    Forms::setFactory(FormKind::Journal, &ChildWindow::open<frmJournal>);
    Forms::setFactory(FormKind::Tank, &ChildWindow::open<frmTank>);
    Forms::setFactory(FormKind::TankCalc, &ChildWindow::open<frmTankCalc>);
}

} // namespace corv
