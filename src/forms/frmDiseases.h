// The common diseases of aquarium fish: a reference kept in the database,
// in two sort orders, with an index to jump to a disease by name.
#pragma once

#include "RecordForm.h"

namespace corv {

class frmDiseases : public RecordForm {
    Q_OBJECT
public:
    frmDiseases();

    TextBox *txtCommonName, *txtScientificName;
    MemoBox *txtSymptoms, *txtTreatment, *txtNotes;
    QPushButton *cmdIndex;
    // Common Name, Scientific Name.
    QRadioButton *sort1, *sort2;
    DataControl *DiseaseData;

protected:
    QString recordSourceText() const override;
    bool focusBeforeSearch() const override { return false; }
};

} // namespace corv
