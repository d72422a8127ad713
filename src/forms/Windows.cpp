#include "Windows.h"

#include "frmGlossary.h"
#include "frmIndex.h"
#include "frmJournal.h"
#include "frmTank.h"

namespace corv {

void registerRecordWindows() {
    Forms::setFactory(FormKind::Journal, &ChildWindow::open<frmJournal>);
    Forms::setFactory(FormKind::Tank, &ChildWindow::open<frmTank>);
    Forms::setFactory(FormKind::Glossary, &ChildWindow::open<frmGlossary>);
    RecordForm::indexWindow = &frmIndex::make;
}

} // namespace corv
