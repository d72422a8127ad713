#include "Windows.h"

#include "frmJournal.h"
#include "frmTank.h"

namespace corv {

void registerRecordWindows() {
    Forms::setFactory(FormKind::Journal, &ChildWindow::open<frmJournal>);
    Forms::setFactory(FormKind::Tank, &ChildWindow::open<frmTank>);
}

} // namespace corv
