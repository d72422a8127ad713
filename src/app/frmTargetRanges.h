// The Target Ranges window: the low and high bound of each journal value for
// one water type at a time. Kept in the settings store on OK; the journal
// windows that are open mark their values anew.
#pragma once

#include "ChildWindow.h"
#include "data/TargetRanges.h"

class QComboBox;
class QPushButton;
class QTableWidget;

namespace corv {

class frmTargetRanges : public ModalWindow {
    Q_OBJECT
public:
    explicit frmTargetRanges(QWidget *parent = nullptr);

    QComboBox *cboWaterType;
    // One row per value in the journal's order; column 0 low, column 1 high.
    QTableWidget *tblRanges;
    QPushButton *cmdRestoreDefaults, *cmdOK, *cmdCancel;

    void cboWaterType_Click();
    void cmdRestoreDefaults_Click();
    void cmdOK_Click();

    // The ranges as edited so far (the water type shown not yet read back).
    const TargetRanges &ranges() const { return m_ranges; }

private:
    void showRanges();
    // Reads the table back into the ranges of the water type shown; on a
    // bad bound says what is wrong, puts the cursor on it and returns false.
    bool readTable();

    TargetRanges m_ranges;
    int m_shown = 0; // the water type the table holds
};

} // namespace corv
