#include "ReportWindows.h"

#include "frmSearch.h"

#include "forms/RecordForm.h"

namespace corv {

void registerReportWindows() {
    RecordForm::searchWindow = [](QWidget *p) { return ModalWindow::open<frmSearch>(p); };
}

} // namespace corv
