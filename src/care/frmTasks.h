// The care tasks of the default tank, and those of every tank: what is to
// be done, how often, and whether its rhythm is fixed to the calendar or
// rolls on from the last time it was done. One task at a time, like the
// other record windows.
#pragma once

#include "forms/RecordForm.h"

class QComboBox;
class QMenu;
class QToolButton;

namespace corv {

class frmTasks : public RecordForm {
    Q_OBJECT
public:
    frmTasks();

    TextBox *txtTitle, *txtKind, *txtInterval, *txtStartDate, *txtStartDate2;
    // The hidden bound boxes the three lists stand for.
    TextBox *txtIntervalUnit, *txtRhythm, *txtTaskTank;
    QComboBox *cboIntervalUnit, *cboRhythm, *cboFor;
    QToolButton *cmdKinds;
    MemoBox *txtNotes;
    // When the task shown is next due in the default tank, and how overdue.
    QLabel *lblNextDue;
    DataControl *TasksData;

    // Moves to the task with this key; false when the window has none.
    bool showTask(qint64 id);

protected:
    QString recordSourceText() const override;
    bool canOpen() override;
    void Reposition() override;
    // A new task is for the default tank, once a week, rolling, from today.
    void afterRecordAdded() override;

private:
    void selectLists();
    void showNextDue();
    void listPicked(QComboBox *list, TextBox *hidden, const QStringList &stored);
};

} // namespace corv
