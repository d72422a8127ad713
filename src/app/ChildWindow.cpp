#include "ChildWindow.h"

#include "CorvModule.h"
#include "Settings.h"
#include "mdiCorvella.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>

namespace corv {

QWidget *positionFrame(QWidget *window) {
    QWidget *parent = window->parentWidget();
    return qobject_cast<QMdiSubWindow *>(parent) ? parent : window;
}

QWidget *firstTabControl(QWidget *window) {
    for (QWidget *w = window->nextInFocusChain(); w && w != window; w = w->nextInFocusChain()) {
        if (!window->isAncestorOf(w) || w->focusProxy())
            continue;
        if ((w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && w->isEnabled() &&
            w->isVisibleTo(window))
            return w;
    }
    return nullptr;
}

QWidget *focusFirstControl(QWidget *window) {
    QWidget *first = firstTabControl(window);
    if (!first)
        return nullptr;
    // A window that is not active yet keeps this as its focus widget and
    // hands it the focus when it becomes active; the highlight is done now,
    // since that later focus does not count as arriving in a box.
    first->setFocus(Qt::OtherFocusReason);
    if (mdiCorvella *m = mdiCorvella::instance())
        m->SelectMe(first);
    // A box with a caret shows where typing goes; a list or a button shows
    // it only by its focus frame, which styles draw once the keyboard has
    // moved the focus. The window opens for the keyboard, so it shows it
    // from the start.
    if (!qobject_cast<QLineEdit *>(first) && !qobject_cast<QPlainTextEdit *>(first)) {
        first->window()->setAttribute(Qt::WA_KeyboardFocusChange);
        first->update();
    }
    return first;
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
    CorvModule::ActiveForm = CorvModule::NoOne;
    if (m)
        m->EnableDisable();
}

void ChildWindow::mousePressEvent(QMouseEvent *event) {
    Form_Click();
    QWidget::mousePressEvent(event);
}

void ChildWindow::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    if (m_shown || m_unloaded)
        return;
    m_shown = true;
    // Enter on a focused button presses it, as Space does.
    for (QPushButton *b : findChildren<QPushButton *>())
        b->setAutoDefault(true);
    // In the main window the focus waits until the frame is the active child
    // window: moving it in earlier would take it from the window the user
    // leaves before that one has noted where it was.
    auto *frame = qobject_cast<QMdiSubWindow *>(positionFrame(this));
    if (!frame || (frame->windowState() & Qt::WindowActive)) {
        firstFocus();
        return;
    }
    auto *once = new QObject(this);
    connect(frame, &QMdiSubWindow::windowStateChanged, once,
            [this, once](Qt::WindowStates, Qt::WindowStates now) {
                if (!(now & Qt::WindowActive))
                    return;
                once->deleteLater();
                firstFocus();
            });
}

void ChildWindow::firstFocus() {
    // A window given the focus in one of its controls while it opened (Add
    // puts it into the first field) keeps that.
    if (m_unloaded || isAncestorOf(QApplication::focusWidget()))
        return;
    focusFirstControl(this);
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

void ModalWindow::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    if (!focusWidget())
        focusFirstControl(this);
}

void ModalWindow::makeFixedSize() {
    // The size the contents ask for (wrapped texts included), and no other.
    ensurePolished();
    adjustSize();
    setFixedSize(size());
    Qt::WindowFlags flags = windowFlags();
    flags &= ~(Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint |
               Qt::WindowContextHelpButtonHint);
    flags |= Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
             Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
    setWindowFlags(flags);
}

void ModalWindow::Form_Unload() {
    if (!idleLineOnUnload)
        return;
    if (mdiCorvella *m = mdiCorvella::instance())
        m->setStatusText(CorvModule::IdleLine);
}

} // namespace corv
