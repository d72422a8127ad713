// The temperature converter, between Fahrenheit and Celsius; opened modally
// from the tank calculator.
#pragma once

#include "TempConvMath.h"
#include "app/ChildWindow.h"
#include "forms/Controls.h"

class QPushButton;

namespace corv {

class frmTempConv : public ModalWindow {
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

    // The status line and the start values; it runs as the window is made.
    bool Form_Load() override;

private:
    tempconv::Source m_lastEdited = tempconv::Source::Fahrenheit;
};

} // namespace corv
