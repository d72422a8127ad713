#include "ChildWindow.h"

#include "CorvModule.h"
#include "Settings.h"
#include "mdiCorvella.h"

#include <QCloseEvent>
#include <QMdiSubWindow>

namespace corv {

QWidget *positionFrame(QWidget *window) {
    QWidget *parent = window->parentWidget();
    return qobject_cast<QMdiSubWindow *>(parent) ? parent : window;
}

ChildWindow::ChildWindow(FormKind kind, QWidget *parent)
    : QWidget(parent), m_kind(windowKind(kind)) {
    setAttribute(Qt::WA_DeleteOnClose, false); // its frame in the main window owns it
    Forms::enroll(kind, this);
}

ChildWindow::~ChildWindow() {
    Forms::withdraw(m_kind.kind, this);
}

bool ChildWindow::placeAndLoad() {
    // The frame would take the size its layout prefers; the window opens at
    // the size it was designed with instead, as long as everything fits.
    const QSize designed =
        testAttribute(Qt::WA_Resized) ? size().expandedTo(minimumSizeHint()) : sizeHint();
    if (mdiCorvella *m = mdiCorvella::instance()) {
        QMdiSubWindow *frame = m->addChild(this);
        frame->resize(frame->sizeHint() - sizeHint() + designed);
    }
    if (!Form_Load()) {
        unloadNow();
        return false;
    }
    return true;
}

void ChildWindow::restorePosition() {
    QWidget *frame = positionFrame(this);
    const Settings::Position p = Settings::windowPosition(QString::fromLatin1(m_kind.positionKey));
    if (p.top != -1)
        frame->move(frame->x(), p.top);
    if (p.left != -1)
        frame->move(p.left, frame->y());
}

void ChildWindow::savePosition() {
    QWidget *frame = positionFrame(this);
    Settings::setWindowPosition(QString::fromLatin1(m_kind.positionKey), {frame->y(), frame->x()});
}

void ChildWindow::markActive() {
    CorvModule::ActiveForm = m_kind.markerText();
    if (mdiCorvella *m = mdiCorvella::instance())
        m->EnableDisable();
}

void ChildWindow::Form_Activate() {
    if (!m_unloaded)
        markActive();
}

void ChildWindow::cmdClose_Click() {
    savePosition();
    unloadNow();
}

void ChildWindow::unloadNow() {
    if (!positionFrame(this)->close() && !m_unloaded)
        Form_Unload(); // a frame that refuses still lets the window go
}

void ChildWindow::closeEvent(QCloseEvent *event) {
    if (!m_unloaded) {
        if (!closeBoxAllowed()) {
            event->ignore();
            return;
        }
        Form_Unload();
    }
    event->accept();
}

void ChildWindow::Form_Unload() {
    m_unloaded = true;
    unloadSteps();
    Forms::withdraw(m_kind.kind, this);
    mdiCorvella *m = mdiCorvella::instance();
    if (m) {
        // The child that the main window activates next was not the user's
        // choice.
        m->childClosing();
        m->setStatusText(CorvModule::IdleLine);
    }
    *m_kind.openFlag = false;
    CorvModule::ActiveForm = CorvModule::NoOne;
    if (m)
        m->EnableDisable();
}

void ChildWindow::mousePressEvent(QMouseEvent *event) {
    Form_Click();
    QWidget::mousePressEvent(event);
}

// --- modal windows -----------------------------------------------------------

ModalWindow::ModalWindow(QWidget *parent) : QDialog(parent) {}

void ModalWindow::done(int result) {
    if (!m_unloaded) {
        m_unloaded = true;
        Form_Unload();
    }
    QDialog::done(result);
}

void ModalWindow::Form_Unload() {
    if (!idleLineOnUnload)
        return;
    if (mdiCorvella *m = mdiCorvella::instance())
        m->setStatusText(CorvModule::IdleLine);
}

} // namespace corv
