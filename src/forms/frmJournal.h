// The journal: the water tests of the default tank, one entry at a time.
#pragma once

#include "RecordForm.h"
#include "data/TargetRanges.h"

namespace corv {

class frmJournal : public RecordForm {
    Q_OBJECT
public:
    frmJournal();

    TextBox *txtEntryDate, *txtEntryDate2;
    MemoBox *txtNotes;
    QPushButton *cmdChart;
    DataControl *JournalData;

    // The value boxes, one per journal value of the catalogue (data/
    // Catalogue.h), in their order on the window. Each is named as the
    // catalogue names it ("txtpH").
    const QVector<TextBox *> &valueBoxes() const { return m_values; }
    // The value box of that name; nullptr for any other.
    TextBox *valueBox(const QString &boxName) const;

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

} // namespace corv
