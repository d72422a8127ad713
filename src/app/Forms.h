// The windows the main window opens and talks to.
//
// What the program knows about each kind of child window stands in one row
// of the window table (data/WindowTable.h). This is the part that needs
// windows: each child window is a CorvForm, offering the public procedures
// the main window calls (Add, Delete, Search, Close, and the refresh the
// default tank asks for); the registry knows the one open instance of each
// kind, how to make a new one (the window layers install the makers at
// start, tests put stand-in windows in their place), and which windows the
// main window's commands opened. The open flags and ActiveForm are read
// from that one state, so they cannot name a window that is gone.
#pragma once

#include "data/WindowTable.h"

#include <QString>
#include <functional>

class QWidget;

namespace corv {

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
    // Stores an edit still in the window's boxes, as leaving the record
    // would; false when it cannot be stored and the user kept it.
    virtual bool storeEdits() { return true; }
    // The user made this window the active one.
    virtual void Form_Activate() {}
};

// A window's open flag (CorvModule::JournalOpen and the rest): set by the
// main window's command that opens the window, and true while that window
// is there; it drops when the window goes. A window opened otherwise (the
// tank window start-up opens) leaves it false.
class OpenFlag {
public:
    explicit constexpr OpenFlag(FormKind kind) : m_kind(kind) {}
    operator bool() const;
    OpenFlag &operator=(bool on);
    OpenFlag &operator=(const OpenFlag &other) { return *this = bool(other); }
    FormKind kind() const { return m_kind; }
    // The flag of any kind, as the table is walked (the six above have
    // names in CorvModule; a handle reads and sets the same state).
    static OpenFlag of(FormKind kind) { return OpenFlag(kind); }

private:
    FormKind m_kind;
};

// ActiveForm: the marker of the window the record commands go to. A window
// sets its marker when it is activated and "NoOne" when it unloads; read,
// a window's marker counts only while that window is there, so a window
// that is gone is never the active one ("NoOne" then). Any other text is
// kept as it was set.
class ActiveMarker {
public:
    QString text() const;
    operator QString() const { return text(); }
    ActiveMarker &operator=(const QString &marker);
    ActiveMarker &operator=(const char *marker) { return *this = QString::fromUtf8(marker); }
    void clear() { *this = QString(); }
    // The row of the active window, or nullptr.
    const WindowKind *window() const;
    friend bool operator==(const ActiveMarker &a, const QString &b) { return a.text() == b; }
    friend bool operator!=(const ActiveMarker &a, const QString &b) { return a.text() != b; }
    friend bool operator==(const ActiveMarker &a, const char *b) {
        return a.text() == QString::fromUtf8(b);
    }

private:
    const WindowKind *m_window = nullptr;
    QString m_other;
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
