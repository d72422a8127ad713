// The life every window of Corvella shares with the main window.
//
// A ChildWindow is a window the main window holds as a child window (the
// record windows, the tank calculator). Its row of the window table says
// everything the main window knows about it; the base does the rest of what
// such a window does: it opens at its saved position, enrols while it
// exists, becomes the active window (ActiveForm, EnableDisable) when it
// loads, is activated or clicked, saves its position on Close, and unloads
// once, whether through Close or its close box, leaving the idle line, its
// open flag cleared and no active window behind.
//
// A ModalWindow is one of Corvella's modal windows (about box, converter,
// chart, search, print, index list): it loads before it is shown, may
// refuse to open, and puts the idle line back when it unloads.
//
// A new child window that is not a record window (the calculator is one):
// its row in the window table (Forms.cpp), a class deriving ChildWindow
// that implements Form_Load (restorePosition, markActive, then its own
// steps; runGuarded from forms/WindowSupport.h for the database) and, if it
// holds a database, unloadSteps; then one line in its layer's
// registration (registerToolWindows and the like). Record windows follow
// forms/RecordForm.h.
//
// A new modal window: a class deriving ModalWindow, constructed with its
// parent, with Form_Load (false: it does not open) and, if it does more
// than put the idle line back, Form_Unload. The main window's hooks take
// it as `[](QWidget *p) { return ModalWindow::open<frmChart>(p); }`.
#pragma once

#include "Forms.h"

#include <QDialog>
#include <QWidget>

namespace corv {

class ChildWindow : public QWidget, public CorvForm {
    Q_OBJECT
public:
    ~ChildWindow() override;

    QWidget *widget() override { return this; }
    const WindowKind &kindInfo() const { return m_kind; }

    // Opens the window (the load handler). False when it could not open, or
    // the user gave up while it opened; the window then unloads again.
    virtual bool Form_Load() = 0;
    // Activation and a click: this window becomes the active one.
    void Form_Activate() override;
    void Form_Click() { Form_Activate(); }
    // Saves the position and unloads. Windows with a record to store, or
    // settings of their own, do that first.
    void cmdClose_Click() override;
    bool isUnloaded() const { return m_unloaded; }

    // Makes a window of type W as a child of the main window and opens it;
    // nullptr when it closed again while opening.
    template <class W> static CorvForm *open() {
        auto *window = new W;
        return window->placeAndLoad() ? window : nullptr;
    }

protected:
    explicit ChildWindow(FormKind kind, QWidget *parent = nullptr);

    // "WindowPosition"/<key>Top and <key>Left, read as the window opens and
    // written by Close.
    void restorePosition();
    void savePosition();
    // ActiveForm = this window's marker, then the main window's EnableDisable.
    void markActive();
    // Unloads the window now: its frame closes (and, in the main window, is
    // destroyed); the unload runs once even if the frame refuses.
    void unloadNow();
    // The window's own first steps of unloading (closing its database).
    virtual void unloadSteps() {}
    // The close box: whether the window may go. A window that cannot keep
    // what the user entered says why and returns false.
    virtual bool closeBoxAllowed() { return true; }

    void closeEvent(QCloseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    bool placeAndLoad();
    void Form_Unload();

    const WindowKind &m_kind;
    bool m_unloaded = false;
};

class ModalWindow : public QDialog {
    Q_OBJECT
public:
    // Makes a window of type W over `parent` and loads it; nullptr (and the
    // window gone) when it could not open.
    template <class W> static W *open(QWidget *parent) {
        auto *window = new W(parent);
        if (!window->Form_Load()) {
            window->done(Rejected);
            delete window;
            return nullptr;
        }
        return window;
    }

    // Runs once before the window is shown; false when it cannot open.
    virtual bool Form_Load() { return true; }
    // Every way the window closes ends here; Form_Unload runs once.
    void done(int result) override;

protected:
    explicit ModalWindow(QWidget *parent = nullptr);
    // Runs once as the window closes, however it closes. The shared step puts
    // the idle line back; a window that leaves the status line alone sets
    // `idleLineOnUnload` false.
    virtual void Form_Unload();

    bool idleLineOnUnload = true;

private:
    bool m_unloaded = false;
};

// The frame that carries a child window's position: its frame in the main
// window, or the widget itself when it stands alone.
QWidget *positionFrame(QWidget *window);

} // namespace corv
