#include "frmDue.h"

#include "CareWindows.h"
#include "frmTasks.h"

#include "app/CorvModule.h"
#include "app/Settings.h"
#include "app/mdiCorvella.h"
#include "platform/Conversions.h"
#include "platform/Dialogs.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace corv {

QDate frmDue::fixedToday;

QDate frmDue::today() {
    return fixedToday.isValid() ? fixedToday : QDate::currentDate();
}

frmDue::frmDue(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmDue"));
    setWindowTitle(QCoreApplication::translate("frmDue", "Due"));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);

    lstDue = new QTreeWidget(this);
    lstDue->setObjectName(QStringLiteral("lstDue"));
    lstDue->setHeaderLabels({QCoreApplication::translate("frmDue", "Task"),
                             QCoreApplication::translate("frmDue", "Tank"),
                             QCoreApplication::translate("frmDue", "Due"),
                             QCoreApplication::translate("frmDue", "How overdue")});
    lstDue->setRootIsDecorated(false);
    lstDue->setAllColumnsShowFocus(true);
    lstDue->setUniformRowHeights(true);
    lstDue->setAccessibleName(QCoreApplication::translate("frmDue", "Tasks due"));
    lstDue->header()->setStretchLastSection(true);
    lblNone = new QLabel(QCoreApplication::translate("frmDue", "No task is due today."), this);
    lblNone->setObjectName(QStringLiteral("lblNone"));

    cmdDone = new QPushButton(QCoreApplication::translate("frmDue", "&Done"), this);
    cmdDone->setObjectName(QStringLiteral("cmdDone"));
    cmdDone->setToolTip(QCoreApplication::translate("frmDue", "Record the task as done today"));
    cmdSnooze = new QPushButton(QCoreApplication::translate("frmDue", "&Snooze one day"), this);
    cmdSnooze->setObjectName(QStringLiteral("cmdSnooze"));
    cmdOpen = new QPushButton(QCoreApplication::translate("frmDue", "&Open"), this);
    cmdOpen->setObjectName(QStringLiteral("cmdOpen"));
    cmdOpen->setToolTip(QCoreApplication::translate("frmDue", "Show the task in the tasks window"));
    cmdClose = new QPushButton(QCoreApplication::translate("frmDue", "Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    for (QPushButton *b : {cmdDone, cmdSnooze, cmdOpen, cmdClose})
        b->setAutoDefault(false);
    chkAtStart =
        new QCheckBox(QCoreApplication::translate("frmDue", "Show this list after start-up"), this);
    chkAtStart->setObjectName(QStringLiteral("chkAtStart"));
    chkAtStart->setChecked(Settings::dueAtStart());

    connect(cmdDone, &QPushButton::clicked, this, &frmDue::cmdDone_Click);
    connect(cmdSnooze, &QPushButton::clicked, this, &frmDue::cmdSnooze_Click);
    connect(cmdOpen, &QPushButton::clicked, this, &frmDue::cmdOpen_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);
    connect(chkAtStart, &QCheckBox::toggled, this, [](bool on) { Settings::setDueAtStart(on); });
    connect(lstDue, &QTreeWidget::currentItemChanged, this, &frmDue::updateButtons);
    // Enter on a task opens it.
    connect(lstDue, &QTreeWidget::itemActivated, this, &frmDue::cmdOpen_Click);

    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {cmdDone, cmdSnooze, cmdOpen})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    auto *all = new QVBoxLayout(this);
    all->addWidget(lstDue, 1);
    all->addWidget(lblNone);
    all->addLayout(buttons);
    all->addWidget(chkAtStart);
    resize(560, 260);
    refresh();
}

const care::DueTask *frmDue::selected() const {
    const QTreeWidgetItem *item = lstDue->currentItem();
    if (!item)
        return nullptr;
    const int i = lstDue->indexOfTopLevelItem(const_cast<QTreeWidgetItem *>(item));
    return i >= 0 && i < m_due.size() ? &m_due[i] : nullptr;
}

void frmDue::refresh() {
    qint64 keepTask = 0;
    QString keepTank;
    if (const care::DueTask *t = selected()) {
        keepTask = t->task.id;
        keepTank = t->tankId;
    }
    DbError e;
    m_due = care::tasksDue(CorvModule::DatabasePath, today(), &e);
    lstDue->clear();
    int current = 0;
    for (int i = 0; i < m_due.size(); ++i) {
        const care::DueTask &t = m_due[i];
        auto *item = new QTreeWidgetItem(lstDue, {t.task.title, t.tankName, userDateText(t.due),
                                                  care::overdueText(t.due, today())});
        item->setToolTip(0, shownKind(t.task.kind));
        if (t.task.id == keepTask && t.tankId == keepTank)
            current = i;
    }
    if (!m_due.isEmpty())
        lstDue->setCurrentItem(lstDue->topLevelItem(current));
    for (int c = 0; c < 3; ++c)
        lstDue->resizeColumnToContents(c);
    lblNone->setVisible(m_due.isEmpty());
    lblNone->setText(e ? QCoreApplication::translate("frmDue", "The tasks cannot be read: ") +
                             e.description
                       : QCoreApplication::translate("frmDue", "No task is due today."));
    updateButtons();
    care::refreshDueStatus();
}

void frmDue::updateButtons() {
    const bool any = selected() != nullptr;
    for (QPushButton *b : {cmdDone, cmdSnooze, cmdOpen})
        b->setEnabled(any);
}

void frmDue::useTankOf(const care::DueTask &task) {
    if (task.tankId != CorvModule::CurrentTankID)
        CorvModule::setDefaultTank(task.tankId, task.tankName);
}

void frmDue::cmdDone_Click() {
    const care::DueTask *t = selected();
    if (!t)
        return;
    const care::DueTask task = *t;
    if (care::isWaterTest(task.task.kind)) {
        // The journal's new entry does the task once it is stored.
        useTankOf(task);
        if (mdiCorvella *main = mdiCorvella::instance()) {
            main->openWindow(FormKind::Journal);
            if (CorvForm *journal = Forms::get(FormKind::Journal))
                journal->mnuAdd_Click();
        }
        return;
    }
    care::MaintenanceEntry entry;
    entry.tankId = task.tankId;
    entry.date = today();
    entry.kind = task.task.kind.trimmed();
    entry.notes = task.task.title;
    DbError e;
    if (!care::recordMaintenance(CorvModule::DatabasePath, entry, &e)) {
        msgBox(QCoreApplication::translate("frmDue", "The task could not be recorded as done: ") +
                   e.description,
               MsgButtons::Ok, MsgIcon::Exclamation, QCoreApplication::translate("frmDue", "Due"));
        return;
    }
    if (task.tankId == CorvModule::CurrentTankID)
        if (CorvForm *log = Forms::get(FormKind::Maintenance))
            log->cmdRefreshData();
    refresh();
}

void frmDue::cmdSnooze_Click() {
    const care::DueTask *t = selected();
    if (!t)
        return;
    DbError e;
    if (!care::snoozeTask(CorvModule::DatabasePath, t->task.id, today().addDays(1), &e)) {
        msgBox(QCoreApplication::translate("frmDue", "The task could not be put off: ") +
                   e.description,
               MsgButtons::Ok, MsgIcon::Exclamation, QCoreApplication::translate("frmDue", "Due"));
        return;
    }
    refresh();
}

void frmDue::cmdOpen_Click() {
    const care::DueTask *t = selected();
    if (!t)
        return;
    const care::DueTask task = *t;
    useTankOf(task);
    mdiCorvella *main = mdiCorvella::instance();
    if (!main)
        return;
    main->openWindow(FormKind::Tasks);
    if (auto *tasks = dynamic_cast<frmTasks *>(Forms::get(FormKind::Tasks)))
        tasks->showTask(task.task.id);
}

} // namespace corv
