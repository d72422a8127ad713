// The tank calculator: estimates for the default tank (or any dimensions
// the user types), computed by tankcalc::calculate.
#pragma once

#include "app/Forms.h"
#include "forms/Controls.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;

namespace corv {

class DataControl;

class frmTankCalc : public QWidget, public CorvForm {
    Q_OBJECT
public:
    frmTankCalc();
    ~frmTankCalc() override;

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

    QWidget *widget() override { return this; }
    void cmdRefreshData() override { LoadTankRecord(); }
    void cmdClose_Click() override;
    void Form_Activate() override;

    bool Form_Load();
    void Form_Click() { Form_Activate(); }
    void LoadTankRecord();
    void ResetCalculator();
    void cboShape_Click();
    void cmdCalculate_Click();
    void cmdReset_Click() { ResetCalculator(); }
    void cmdTemp_Click();

    // Makes the calculator as a child of the main window and opens it.
    static CorvForm *open();

protected:
    void closeEvent(QCloseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void selectShape(int index);
    void Form_Unload();
    bool m_unloaded = false;
};

} // namespace corv
