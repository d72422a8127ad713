// The window table: everything the program knows about a kind of child
// window, as data, in one row. Its ActiveForm marker; the Options menu item
// and the toolbar button that open it, and where they stand; the status line
// of that command; where it keeps its position; how the record commands
// treat it; what the print window prints for it, what the search window and
// the index list search in it, which table export and import reach from it;
// and whether it follows the default tank.
//
// The rows hold no windows: the main window builds its menu and toolbar
// from them and routes its commands by them, the print and search windows
// and the index list read their rows, and backup, restore and closing walk
// the table in its order. The window layers add only the maker of each kind
// (app/Forms.h). A new kind of window is one row here and one class.
#pragma once

#include "Transfer.h"

#include <QString>
#include <QVector>
#include <optional>

namespace corv {

enum class FormKind { Journal, Stock, Tank, Diseases, Glossary, TankCalc };

// Whether each of the four record commands is enabled: Print, Add, Delete,
// Search.
struct CommandStates {
    bool print, add, remove, search;
};

// Where the window's menu item and toolbar button stand: the commands of a
// group stand together with a separator between groups, by `order` within
// the group. Menu and toolbar share the groups.
struct CommandPlace {
    int group;
    int order;
};

// What the print window prints for a window: its caption and scopes, the
// template file and the report component's name.
struct PrintTarget {
    const char *caption;       // "Print Journal Record(s)"
    const char *secondScope;   // option 1: "All Records This Tank" or "All Records"
    bool tankScope;            // option 1 is the tank's records, option 2 all of them
    const char *templateFile;  // "journal.rpt", in the program's folder
    const char *componentName; // "JournalReport"
};

// What the search window searches in a window: one or two labelled fields.
struct SearchFields {
    const char *label1; // "Date:"
    const char *field1; // "EntryDate"
    const char *label2; // nullptr: the window has one search field only
    const char *field2;
};

// The index list of a window: the query of the names it offers, in the
// order shown, and the field a picked name is found by.
struct IndexSource {
    QString (*names)();
    const char *field;
};

struct WindowKind {
    FormKind kind;
    // ActiveForm while the window is the active one ("Journal").
    const char *marker;
    // The Options menu item (object name and caption) and the toolbar
    // button (key, which is also its caption and tool tip, and image) that
    // open the window, where both stand, and the status line of the command.
    const char *menuItem;
    const char *menuCaption;
    const char *toolKey;
    const char *toolImage;
    CommandPlace place;
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
    // nullptr: the window has no report, no search, no index list.
    const PrintTarget *print;
    const SearchFields *search;
    const IndexSource *index;
    // The table File > Export and Import reach while the window is active.
    std::optional<TransferTable> transfer;

    QString markerText() const { return QString::fromLatin1(marker); }
};

// Every kind of child window, in the order the main window closes them.
const QVector<WindowKind> &windowTable();
const WindowKind &windowKind(FormKind kind);
// The row whose marker is `marker`, or nullptr ("NoOne" and unknown texts).
const WindowKind *windowByMarker(const QString &marker);
// The rows in the order their commands stand in the menu and on the toolbar.
QVector<const WindowKind *> windowsInCommandOrder();
// The row whose export and import reach `table`, or nullptr.
const WindowKind *windowForTransfer(TransferTable table);

} // namespace corv
