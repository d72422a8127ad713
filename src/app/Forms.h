// The windows the main window opens and talks to.
//
// Everything the program knows about a kind of child window stands in one
// row of the window table below: its ActiveForm marker, its open flag, the
// command that opens it, how the record commands treat it, where it keeps its
// position, its place in the closing order and whether it follows the
// default tank. The main window, backup and restore and the tank window
// iterate the table; none of them names a window kind of its own.
//
// Each child window is a CorvForm: it offers the public procedures the main
// window calls (Add, Delete, Search, Close, and the refresh the default tank
// asks for). The registry knows the one open instance of each kind and how
// to make a new one; the window layers install the makers at start, and
// tests put stand-in windows in their place.
#pragma once

#include <QString>
#include <QVector>
#include <functional>

class QWidget;

namespace corv {

enum class FormKind { Journal, Stock, Tank, Diseases, Glossary, TankCalc, Maintenance, Tasks };

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

// Whether each of the four record commands is enabled: Print, Add, Delete,
// Search.
struct CommandStates {
    bool print, add, remove, search;
};

struct WindowKind {
    FormKind kind;
    // ActiveForm while the window is the active one ("Journal").
    const char *marker;
    // CorvModule's flag for the window being open (&CorvModule::JournalOpen).
    bool *openFlag;
    // The Options menu item and the toolbar key that open it, and the
    // status line of that command.
    const char *menuItem;
    const char *toolKey;
    const char *openStatus;
    // "WindowPosition"/<key>Top and <key>Left.
    const char *positionKey;
    // EnableDisable: the toolbar's buttons, then the Records menu's items.
    CommandStates buttons;
    CommandStates menu;
    // The status line of each routed record command; nullptr: the command
    // does nothing while this window is active.
    const char *addStatus, *deleteStatus, *searchStatus, *printStatus;
    // The window reads its records again when another tank becomes the
    // default.
    bool followsDefaultTank;

    QString markerText() const { return QString::fromLatin1(marker); }
};

// Every kind of child window, in the order the main window closes them.
const QVector<WindowKind> &windowTable();
const WindowKind &windowKind(FormKind kind);
// The row whose marker is `marker`, or nullptr ("NoOne" and unknown texts).
const WindowKind *windowByMarker(const QString &marker);

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
