// The aquarist glossary: terms and their definitions, in term order.
#pragma once

#include "RecordForm.h"

namespace corv {

class frmGlossary : public RecordForm {
    Q_OBJECT
public:
    frmGlossary();

    TextBox *txtTerm;
    MemoBox *txtDefinition;
    QPushButton *cmdIndex;
    DataControl *GlossaryData;

    QSize sizeHint() const override;

protected:
    QString recordSourceText() const override;
};

} // namespace corv
