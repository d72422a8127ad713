// The journal: the water tests of the default tank, one entry at a time.
#pragma once

#include "RecordForm.h"
#include "app/TargetRanges.h"

namespace corv {

class frmJournal : public RecordForm {
    Q_OBJECT
public:
    frmJournal();

    TextBox *txtEntryDate, *txtEntryDate2;
    TextBox *txtAlkalinity, *txtAmmonia, *txtCalcium, *txtCarbonDioxide, *txtCopper,
        *txtDissolvedOxygen, *txtHardness, *txtIodine, *txtIron, *txtLead, *txtMagnesium,
        *txtMolybdenum, *txtNitrate, *txtNitrite, *txtpH, *txtPhosphate, *txtSepcificGravity,
        *txtStrotium, *txtTemprature, *txtZinc;
    MemoBox *txtNotes;
    QPushButton *cmdChart;
    DataControl *JournalData;

    // The twenty value boxes in their order on the window.
    const QVector<TextBox *> &valueBoxes() const { return m_values; }

    void cmdChart_Click();

    // Reads the default tank's water type and the target ranges again and
    // marks every value box anew (the default tank or its type changed, or
    // the ranges were edited).
    void refreshRangeMarks();
    // The water type the marks are read against ("" when the tank has none).
    QString markWaterType() const { return m_waterType; }

protected:
    QString recordSourceText() const override;
    bool canOpen() override;

private:
    void markValue(int index);

    QVector<TextBox *> m_values;
    TargetRanges m_ranges;
    QString m_waterType;
};

// The windows that show one tank's records need a default tank; without one
// they say so and do not open.
bool requireDefaultTank();

// The default tank's water type as stored; empty when there is no default
// tank or it cannot be read (then nothing is marked against a range).
QString readDefaultTankType();

} // namespace corv
