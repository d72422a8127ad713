// The livestock of the default tank: one animal or plant at a time, with
// what it cost, when it came and went, and four sort orders.
#pragma once

#include "RecordForm.h"

namespace corv {

class frmStock : public RecordForm {
    Q_OBJECT
public:
    frmStock();

    TextBox *txtCommonName, *txtScientificName, *txtCondition, *txtInitialCost;
    TextBox *txtDateAcquired, *txtDateAcquired2, *txtDateLost, *txtDateLost2;
    TextBox *txtAcquiredFrom, *txtOther;
    MemoBox *txtNotes;
    // Date Acquired, Common Name, Scientific Name, Acquired From.
    QRadioButton *sort1, *sort2, *sort3, *sort4;
    DataControl *StockData;

    // The check of the cost box as it is left: an empty box becomes "0"; a
    // text that is no amount of money is refused with a message.
    bool txtInitialCost_LostFocus();

protected:
    QString recordSourceText() const override;
    bool canOpen() override;
    // The search window opens over the window as it stands; the window does
    // not take the focus first.
    bool focusBeforeSearch() const override { return false; }
};

} // namespace corv
