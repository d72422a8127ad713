#include "Windows.h"

#include "frmJournal.h"
#include "frmTank.h"
#include "tools/frmTankCalc.h"

namespace corv {

void registerRecordWindows() {
    Forms::setFactory(FormKind::Journal, [] { return RecordForm::open<frmJournal>(); });
    Forms::setFactory(FormKind::Tank, [] { return RecordForm::open<frmTank>(); });
    Forms::setFactory(FormKind::TankCalc, [] { return frmTankCalc::open(); });
}

} // namespace corv
