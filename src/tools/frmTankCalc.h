// The tank calculator: estimates for the default tank (or any dimensions
// the user types), computed by tankcalc::calculate.
#pragma once

#include "app/ChildWindow.h"
#include "forms/Controls.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace corv {

class DataControl;

class frmTankCalc : public ChildWindow {
    Q_OBJECT
public:
    frmTankCalc();

    // Inputs.
    QComboBox *cboShape, *cboType, *cboMeasure, *cboVolume;
    TextBox *txtHeight, *txtLength, *txtRadius, *txtWidth, *txtLight;
    TextBox *txtPercentSFish, *txtPercentMFish, *txtPercentLFish;
    // Results.
    QLineEdit *txtArea, *txtVolume, *txtWeight, *txtHeat, *txtLow, *txtMedium, *txtBrite, *txtSFish,
        *txtMFish, *txtLFish;
    // The stored tank, mirrored in hidden bound fields.
    QLineEdit *txtShape, *txtType, *txtMeasure, *txtHeight2, *txtLength2, *txtWidth2, *txtRadius2,
        *txtLight2;
    QLabel *lblEstimates, *lblFishSizes;
    QPushButton *cmdCalculate, *cmdReset, *cmdTemp, *cmdClose;
    DataControl *CalcData;

    // The number of rows found when the tank was last loaded.
    int TankFound = 0;

    void cmdRefreshData() override { LoadTankRecord(); }

    bool Form_Load() override;
    void LoadTankRecord();
    void ResetCalculator();
    void cboShape_Click();
    void cmdCalculate_Click();
    void cmdReset_Click() { ResetCalculator(); }
    void cmdTemp_Click();

protected:
    void unloadSteps() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void selectShape(int index);
    QVector<QLineEdit *> resultBoxes() const;
};

} // namespace corv
