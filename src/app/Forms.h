// The windows the main window opens and talks to.
//
// Each record window, and the tank calculator, is a CorvForm: it offers the
// public procedures the main window calls (Add, Delete, Search, Close, and
// the refresh the tank window asks for). The registry below knows the one
// open instance of each kind and how to make a new one; tests put stand-in
// windows in its place.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace corv {

enum class FormKind { Journal, Stock, Tank, Diseases, Glossary, TankCalc };

class CorvForm {
public:
    virtual ~CorvForm() = default;
    virtual QWidget *widget() = 0;
    virtual void mnuAdd_Click() {}
    virtual void mnuDelete_Click() {}
    virtual void mnuSearch_Click() {}
    // Stores any pending record without asking, saves the window's position
    // and unloads it. A window that cannot store its record stays open.
    virtual void cmdClose_Click() = 0;
    virtual void cmdRefreshData() {}
    // The user made this window the active one.
    virtual void Form_Activate() {}
};

class Forms {
public:
    using Factory = std::function<CorvForm *()>;

    // The open window of a kind, or nullptr.
    static CorvForm *get(FormKind kind);
    // Windows register themselves while they exist.
    static void enroll(FormKind kind, CorvForm *form);
    static void withdraw(FormKind kind, CorvForm *form);
    // How a window of a kind is made (the windows install theirs at start).
    static void setFactory(FormKind kind, Factory factory);
    static Factory factory(FormKind kind);
    // Forgets every window and factory (tests).
    static void reset();
};

} // namespace corv
