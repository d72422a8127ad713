#include "ReportWindows.h"

#include "frmPrint.h"
#include "frmSearch.h"

#include "app/mdiCorvella.h"
#include "forms/RecordForm.h"

namespace corv {

void registerReportWindows() {
    RecordForm::searchWindow = [](QWidget *p) { return ModalWindow::open<frmSearch>(p); };
    mdiCorvella::printWindow = [](QWidget *p) { return ModalWindow::open<frmPrint>(p); };
}

} // namespace corv
