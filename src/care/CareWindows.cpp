#include "CareWindows.h"

#include "frmDue.h"
#include "frmMaintenance.h"
#include "frmTasks.h"
#include "frmWaterPlanner.h"

#include "app/ChildWindow.h"
#include "app/CorvModule.h"
#include "app/Settings.h"
#include "app/mdiCorvella.h"
#include "forms/Controls.h"
#include "forms/frmJournal.h"
#include "platform/Dialogs.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>

namespace corv {

namespace {

QPointer<frmDue> dueWindow;
QPointer<QLabel> duePanel;

// The care log's commands beside the windows they belong with: the
// planner and the list of tasks due after Target Ranges, and the panel of
// tasks due in the status bar, which is read again now and then (a day may
// pass while Corvella runs) and whenever another window comes to the front.
void extendMainWindow(mdiCorvella &main) {
    auto *planner =
        new QAction(QCoreApplication::translate("care", "&Water-Change Planner\u2026"), &main);
    planner->setObjectName(QStringLiteral("mnuWaterPlanner"));
    planner->setStatusTip(
        QCoreApplication::translate("care", "Work out how much water to change."));
    QObject::connect(planner, &QAction::triggered, &main, [&main] {
        main.setStatusText(
            QCoreApplication::translate("care", "Work out how much water to change."));
        if (care::runWaterPlanner(&main))
            if (CorvForm *log = Forms::get(FormKind::Maintenance))
                log->cmdRefreshData();
    });
    auto *due = new QAction(QCoreApplication::translate("care", "Tasks D&ue\u2026"), &main);
    due->setObjectName(QStringLiteral("mnuTasksDue"));
    QObject::connect(due, &QAction::triggered, &main, [&main] {
        main.setStatusText(QCoreApplication::translate("care", "The care tasks due today."));
        care::showDueTasks(false);
    });
    const QList<QAction *> items = main.mnuOptions->actions();
    const int at = items.indexOf(main.mnuTargetRanges);
    QAction *before = at >= 0 && at + 1 < items.size() ? items[at + 1] : nullptr;
    main.mnuOptions->insertActions(before, {planner, due});

    duePanel = new QLabel(&main);
    duePanel->setObjectName(QStringLiteral("panelDue"));
    duePanel->setContentsMargins(4, 0, 4, 0);
    duePanel->setToolTip(QCoreApplication::translate("care", "Options > Tasks Due lists them"));
    main.sbStatusBar->addPermanentWidget(duePanel);
    auto *timer = new QTimer(&main);
    timer->setInterval(60 * 1000);
    QObject::connect(timer, &QTimer::timeout, &main, &care::refreshDueStatus);
    timer->start();
    QObject::connect(main.mdiArea, &QMdiArea::subWindowActivated, &main,
                     [] { care::refreshDueStatus(); });
    care::refreshDueStatus();
}

void afterStartup(mdiCorvella &) {
    care::refreshDueStatus();
    if (Settings::dueAtStart())
        care::showDueTasks(true);
}

} // namespace

void registerCareWindows() {
    Forms::setFactory(FormKind::Maintenance, &ChildWindow::open<frmMaintenance>);
    Forms::setFactory(FormKind::Tasks, &ChildWindow::open<frmTasks>);
    mdiCorvella::extendWindow = &extendMainWindow;
    mdiCorvella::afterStartup = &afterStartup;
}

namespace care {

QToolButton *listButton(QWidget *parent, TextBox *box, const QString &name, const QString &tip,
                        QMenu *menu) {
    auto *b = new QToolButton(parent);
    b->setObjectName(name);
    b->setArrowType(Qt::DownArrow);
    b->setToolTip(tip);
    b->setAccessibleName(tip);
    b->setPopupMode(QToolButton::InstantPopup);
    b->setMenu(menu);
    b->setFocusPolicy(Qt::NoFocus);
    for (const QKeySequence &keys :
         {QKeySequence(Qt::ALT | Qt::Key_Down), QKeySequence(Qt::Key_F4)}) {
        auto *open = new QShortcut(keys, box, nullptr, nullptr, Qt::WidgetShortcut);
        QObject::connect(open, &QShortcut::activated, b, &QToolButton::showMenu);
    }
    return b;
}

bool runWaterPlanner(QWidget *parent) {
    if (!requireDefaultTank())
        return false;
    frmWaterPlanner planner(parent);
    dialogs().execModal(planner);
    return planner.recorded();
}

void showDueTasks(bool onlyWhenDue) {
    if (dueWindow) {
        dueWindow->refresh();
        dueWindow->show();
        dueWindow->raise();
        dueWindow->activateWindow();
        return;
    }
    if (onlyWhenDue) {
        DbError e;
        if (tasksDue(CorvModule::DatabasePath, frmDue::today(), &e).isEmpty())
            return;
    }
    dueWindow = new frmDue(mdiCorvella::instance());
    dueWindow->show();
}

void refreshDueStatus() {
    if (!duePanel)
        return;
    DbError e;
    const int count = int(tasksDue(CorvModule::DatabasePath, frmDue::today(), &e).size());
    const QString text = dueStatusText(count);
    duePanel->setText(text);
    duePanel->setVisible(!text.isEmpty());
}

QLabel *dueStatusPanel() {
    return duePanel;
}

} // namespace care
} // namespace corv
