// The application-wide state every window reads and writes, and the first
// steps of start-up that fill it from the settings store.
#pragma once

#include "Forms.h"

#include <QObject>
#include <QString>
#include <functional>

namespace corv {

// What the application state tells the windows that follow it.
class AppEvents : public QObject {
    Q_OBJECT
signals:
    // The default tank changed. `reload`: another tank became the default,
    // and the windows that show its records read them again; without it only
    // the name was read again (the caption follows either way).
    void defaultTankChanged(bool reload);
    // The target ranges in the settings store were changed.
    void targetRangesChanged();
};

class CorvModule {
public:
    // Where the database and the help file are.
    static QString DatabasePath;
    static QString HelpFile;
    // Installed: why the user's own database could not be made from the
    // pristine one at start (empty when it was, or was there already).
    static QString FirstCopyProblem;
    // The default tank: its ID as text, or "NOT SET"; and its name.
    static QString CurrentTankID;
    static QString CurrentTankName;
    // Which record window the record commands go to: "Journal", "Stock",
    // "Diseases", "Glossary", "TankAdd", "TankCalc" or "NoOne" (Forms.h).
    static ActiveMarker ActiveForm;
    // Which record windows are open (set by the main window's commands,
    // dropped when the windows unload; Forms.h).
    static OpenFlag JournalOpen;
    static OpenFlag StockOpen;
    static OpenFlag DiseasesOpen;
    static OpenFlag GlossaryOpen;
    static OpenFlag TankCalcOpen;
    static OpenFlag TankOpen;
    // State of the search and index windows.
    static QString SearchForm;
    static QString SearchCriteria;
    static QString SearchText1;
    static QString SearchText2;
    static bool ExactText;
    // Set by the chart window when a charting run found no rows.
    static bool ChartInputError;

    static const QString NotSet;      // "NOT SET"
    static const QString NoOne;       // "NoOne"
    static const QString IdleLine;    // the status line of an idle program
    static const QString WelcomeLine; // the status line at start

    // Ends the program after an error it cannot recover from. The event loop
    // is left in an orderly way, so the windows' pending edits are still
    // stored as they are destroyed. Tests put a recorder in its place.
    static std::function<void(int exitCode)> End;

    // The one way the default tank changes: the state, the settings, then
    // the notification.
    // A stored tank becomes the default tank.
    static void setDefaultTank(const QString &id, const QString &name);
    // The default tank's name as read again (renamed, or deleted: empty).
    static void setDefaultTankName(const QString &name);
    // The default tank's type as stored ("Salt Water"), read from the file
    // on a connection of its own so no window's record set moves; empty
    // when there is no default tank or it cannot be read.
    static QString defaultTankType();
    // Tells the windows the default tank as it stands (start-up).
    static void announceDefaultTank() { emit events().defaultTankChanged(false); }
    static void announceTargetRanges() { emit events().targetRangesChanged(); }
    static AppEvents &events();

    // Back to the values of a program that has not started yet.
    static void reset();

    // The folder the program runs from (the executable's folder), and a file
    // in it joined with the platform's separator.
    static QString programFolder();
    static QString programFile(const QString &fileName);
    // Tests point the program folder elsewhere; an empty text restores it.
    static void setProgramFolder(const QString &folder);
    // Run from a build folder both are the program's folder. Installed, the
    // help book, the report templates and the pristine database lie in the
    // share folder, and the database by default in the user's data folder
    // (Paths.h).
    static bool installed();
    static QString shareFolder();
    static QString userFolder();
    // A read-only file Corvella ships (the help book, a report template).
    static QString sharedFile(const QString &fileName);

    // The first steps of start-up: database path, help file, default tank, the
    // active-window marker and the chart flag, with the store's defaults
    // written back where start-up fixes them. An installed Corvella that
    // uses the database in the user's data folder and finds none there
    // first copies the pristine one there.
    static void readSettings();
};

} // namespace corv
