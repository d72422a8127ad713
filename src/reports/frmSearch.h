// The search window: finds a record in the record window that opened it
// (the one SearchForm names) by one or two of its fields, exactly or
// anywhere in the field, first and next.
#pragma once

#include "app/ChildWindow.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace corv {

class RecordForm;
class TextBox;

class frmSearch : public ModalWindow {
    Q_OBJECT
public:
    explicit frmSearch(QWidget *parent = nullptr);

    QLabel *lblSearch1, *lblSearch2;
    TextBox *txtSearch1, *txtSearch2;
    QCheckBox *chkExactText;
    QPushButton *cmdSearch, *cmdNext, *cmdClose;

    // Empty boxes, exact text off, and the labels and second field of the
    // window SearchForm names.
    bool Form_Load() override;
    void chkExactText_Click();
    void cmdSearch_Click() { find(true); }
    void cmdNext_Click() { find(false); }
    void cmdClose_Click();

protected:
    // SearchForm and the texts are cleared, and the idle line is back.
    void Form_Unload() override;
    void showEvent(QShowEvent *event) override;

private:
    // Find First (first) or Next: the criteria are built again from the
    // boxes as they are now.
    void find(bool first);
};

} // namespace corv
