// The temperature converter, between Fahrenheit and Celsius; opened modally
// from the tank calculator.
#pragma once

#include "TempConvMath.h"
#include "forms/Controls.h"

#include <QDialog>

class QPushButton;

namespace corv {

class frmTempConv : public QDialog {
    Q_OBJECT
public:
    explicit frmTempConv(QWidget *parent = nullptr);

    TextBox *txtF, *txtC;
    QPushButton *cmdCalculate, *cmdReset, *cmdClose;

    void cmdCalculate_Click();
    void cmdReset_Click();
    void cmdClose_Click() { close(); }
    // The field the user typed in last; Fahrenheit right after opening.
    tempconv::Source lastEdited() const { return m_lastEdited; }

protected:
    void done(int result) override;

private:
    void Form_Load();
    void Form_Unload();
    tempconv::Source m_lastEdited = tempconv::Source::Fahrenheit;
};

} // namespace corv
