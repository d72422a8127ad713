// The tasks due: a small window that does not block the others, opened
// after start-up when any task is due (unless the keeper turned that off),
// and from the Options menu. Each task can be done, put off by a day, or
// opened in the tasks window.
#pragma once

#include "care/CareLog.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace corv {

class frmDue : public QDialog {
    Q_OBJECT
public:
    explicit frmDue(QWidget *parent = nullptr);

    QTreeWidget *lstDue;
    QLabel *lblNone;
    QPushButton *cmdDone, *cmdSnooze, *cmdOpen, *cmdClose;
    QCheckBox *chkAtStart;

    // Reads the tasks due again; the selection stays on the same task where
    // it can.
    void refresh();
    const QVector<care::DueTask> &due() const { return m_due; }
    // The task of the selected row, or nullptr.
    const care::DueTask *selected() const;

    // A water-test task opens the journal of its tank with a new entry; any
    // other is recorded in the maintenance log as done today.
    void cmdDone_Click();
    void cmdSnooze_Click();
    // The task in the tasks window, its tank made the default.
    void cmdOpen_Click();

    // The day the list counts from (tests fix it).
    static QDate today();
    static QDate fixedToday;

private:
    void updateButtons();
    // Makes the task's tank the default when it is another.
    void useTankOf(const care::DueTask &task);

    QVector<care::DueTask> m_due;
};

} // namespace corv
