// The print window: prints the current record, the current tank's records or
// all records of the active record window, on the screen or the printer,
// through the report component that window holds.
#pragma once

#include "app/ChildWindow.h"

class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace corv {

class RecordForm;
class ReportControl;
struct PrintTarget;
struct WindowKind;

class frmPrint : public ModalWindow {
    Q_OBJECT
public:
    explicit frmPrint(QWidget *parent = nullptr);

    QGroupBox *fraSelect;
    QRadioButton *optRecord[3];
    QCheckBox *chkPrintpreview;
    QPushButton *cmdOk, *cmdCancel;

    // Adapts the window to the active record window; false when no record
    // window that prints is active.
    bool Form_Load() override;
    void cmdOk_Click();
    void cmdCancel_Click();

    // The report component a record window holds for its prints
    // (JournalReport, ...), made the first time it prints; it keeps the
    // settings of its last print until the window closes.
    static ReportControl *reportComponent(RecordForm *window, const PrintTarget &target);

private:
    int selectedOption() const;

    const WindowKind *m_window = nullptr;
    const PrintTarget *m_target = nullptr;
};

} // namespace corv
