// The about box, and the start of the system-information program.
#pragma once

#include "ChildWindow.h"
#include "platform/Registry.h"

class QLabel;
class QPushButton;

namespace corv {

// Reads one value from the registry into `KeyVal`: a string as it stands, a
// double word as the decimal number it holds. True when the value was read.
bool GetKeyValue(RegKey KeyRoot, const QString &KeyName, const QString &SubKeyRef, QString &KeyVal);

// Finds and starts the system-information program as a separate program, or
// says that it cannot.
void StartSysInfo();

class frmAbout : public ModalWindow {
    Q_OBJECT
public:
    explicit frmAbout(QWidget *parent = nullptr);

    QLabel *lblProductName;
    QLabel *lblCompanyProduct;
    QLabel *Label2;
    QLabel *lblWarning;
    QPushButton *cmdSysInfo;
    QPushButton *cmdOK;

    void cmdOk_Click();
    void cmdSysInfo_Click();
};

} // namespace corv
