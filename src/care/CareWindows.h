// The care log's windows, as the main window and the other windows reach
// them: the maintenance log and the tasks (record windows of the window
// table), the water-change planner, and the list of tasks due that opens
// after start-up.
#pragma once

#include <functional>

class QLabel;
class QMenu;
class QString;
class QToolButton;
class QWidget;

namespace corv {

class mdiCorvella;

// Installs the makers of the care log's windows, their menu items and the
// list of tasks due after start-up.
void registerCareWindows();

class TextBox;

namespace care {

// A small button beside `box` that drops `menu` down. It takes no focus, so
// Tab goes from box to box; Alt+Down or F4 in the box opens the list.
QToolButton *listButton(QWidget *parent, TextBox *box, const QString &name, const QString &tip,
                        QMenu *menu);

// The water-change planner for the default tank, modally; true when a
// change was recorded in the maintenance log.
bool runWaterPlanner(QWidget *parent);

// The list of tasks due (non-modal); brought to the front when it is open
// already. Shows nothing when no task is due and `onlyWhenDue`.
void showDueTasks(bool onlyWhenDue);

// Reads the tasks due again and shows "2 tasks due" in the main window's
// status bar (nothing when none is).
void refreshDueStatus();
// The status bar's panel of tasks due, or nullptr before the main window.
QLabel *dueStatusPanel();

} // namespace care
} // namespace corv
