#include "WindowSupport.h"

#include "RecordForm.h"
#include "app/CorvModule.h"
#include "app/Settings.h"
#include "app/mdiCorvella.h"
#include "data/DataControl.h"

#include <QMdiSubWindow>

namespace corv {

QWidget *positionFrame(QWidget *window) {
    QWidget *parent = window->parentWidget();
    return qobject_cast<QMdiSubWindow *>(parent) ? parent : window;
}

void restorePosition(QWidget *window, const QString &key) {
    QWidget *frame = positionFrame(window);
    const int top =
        Settings::readInt(QStringLiteral("WindowPosition"), key + QStringLiteral("Top"), -1);
    const int left =
        Settings::readInt(QStringLiteral("WindowPosition"), key + QStringLiteral("Left"), -1);
    if (top != -1)
        frame->move(frame->x(), top);
    if (left != -1)
        frame->move(left, frame->y());
}

void savePosition(QWidget *window, const QString &key) {
    QWidget *frame = positionFrame(window);
    Settings::save(Settings::appName(), QStringLiteral("WindowPosition"),
                   key + QStringLiteral("Top"), QString::number(frame->y()));
    Settings::save(Settings::appName(), QStringLiteral("WindowPosition"),
                   key + QStringLiteral("Left"), QString::number(frame->x()));
}

bool runGuarded(DataControl &data, const std::function<void()> &step) {
    for (;;) {
        DataControl::ErrorTrap trap(data);
        step();
        if (!trap.failed())
            return true;
        if (trap.error().number == DbErr::FileNotFound) {
            if (!locateDatabase(data))
                return false;
            continue; // the failed step again, on the file the user chose
        }
        unexpectedError(trap.error());
        return false;
    }
}

void unloadFromMainWindow(bool *openFlag) {
    mdiCorvella *m = mdiCorvella::instance();
    if (m) {
        m->childClosing();
        m->setStatusText(CorvModule::IdleLine);
    }
    if (openFlag)
        *openFlag = false;
    CorvModule::ActiveForm = CorvModule::NoOne;
    if (m)
        m->EnableDisable();
}

} // namespace corv
