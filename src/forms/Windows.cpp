#include "Windows.h"

#include "frmDiseases.h"
#include "frmGlossary.h"
#include "frmIndex.h"
#include "frmJournal.h"
#include "frmStock.h"
#include "frmTank.h"

namespace corv {

void registerRecordWindows() {
    Forms::setFactory(FormKind::Journal, &ChildWindow::open<frmJournal>);
    Forms::setFactory(FormKind::Tank, &ChildWindow::open<frmTank>);
    Forms::setFactory(FormKind::Stock, &ChildWindow::open<frmStock>);
    Forms::setFactory(FormKind::Diseases, &ChildWindow::open<frmDiseases>);
    Forms::setFactory(FormKind::Glossary, &ChildWindow::open<frmGlossary>);
    RecordForm::indexWindow = &frmIndex::make;
}

} // namespace corv
