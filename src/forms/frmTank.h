// The tank window: the user's aquariums, and the choice of the default tank
// whose journal, livestock and calculator the other windows show.
#pragma once

#include "RecordForm.h"

class QComboBox;

namespace corv {

class frmTank : public RecordForm {
    Q_OBJECT
public:
    frmTank();

    TextBox *txtTankName;
    TextBox *txtDateEstablished, *txtDateEstablished2;
    QComboBox *cboTankType, *cboTankShape, *cboUnitMeasure;
    TextBox *txtHeight, *txtLength, *txtLength2, *txtWidth, *txtRadius, *txtRadius2;
    TextBox *txtLightDistance;
    MemoBox *txtEquipment, *txtNotes;
    TextBox *txtTankType, *txtTankShape, *txtUnitMeasure; // hidden
    QPushButton *cmdDefault;
    DataControl *TankData;

    // The number of tanks found when the window was loaded.
    int TankCount = 0;

    // The combo handlers run whenever a selection is set, by the user or by
    // the window itself (Click and Change do the same).
    void cboTankType_Click();
    void cboTankShape_Click();
    void cboUnitMeasure_Click();
    void cmdDefault_Click();
    void cmdClose_Click() override;
    void Enable_Fields() override;
    void Disable_Fields() override;

protected:
    QString recordSourceText() const override;
    void Load_Records() override;
    void Fill_Fields() override;
    bool Save_Record() override;
    void Reposition() override;
    void afterRecordAdded() override;
    bool trackAfterFirstRecord() const override { return false; }

private:
    void selectCombo(QComboBox *combo, int index, void (frmTank::*handler)());
    void selectCombosFromFields();
    // The shape rule without its storing of "0": the shape's text into the
    // hidden field, "N/A" in the dimension that does not apply and the
    // stored value in the one that does, and which of the two is enabled.
    void applyShape(int index);
    // The shown tank becomes the default (the steps after the question).
    bool makeDefault();
    // A tank not stored yet is stored, if it has a name; false (after
    // asking for the name) when it has none or cannot be stored.
    bool storeNamedTank();
    bool numericCheck(TextBox *box, const QString &message, bool mirror);
};

} // namespace corv
