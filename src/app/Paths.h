// Where Corvella's files are: the program's folder when it runs from a build
// folder, the platform's usual places when it is installed.
//
// A build folder holds everything side by side: the program, its tools, the
// help book, the report templates and the database. An installed Corvella
// (a package, or `cmake --install`) keeps its executables in `<prefix>/bin`,
// which the user cannot write to, its read-only files in
// `<prefix>/share/corvella`, and each user's database in that user's own data
// folder, copied there on first start from the pristine one it ships.
#pragma once

#include <QString>

namespace corv {

struct FolderLayout {
    // Run from `<prefix>/bin` beside `<prefix>/share/corvella`.
    bool installed = false;
    // The executable's folder.
    QString programFolder;
    // The help book, the report templates and the pristine database.
    QString shareFolder;
    // Where the database lives by default, and where backups are offered.
    QString userFolder;
};

// The database file and the help book, by name.
inline const char *const DatabaseFileName = "CORVELLA.CVL";
inline const char *const HelpFileName = "CORVELLA.HLP";

// The installed share folder that belongs to the executables in
// `programFolder` (whether or not it is there).
QString installedShareFolder(const QString &programFolder);

// Works out the layout. Corvella counts as installed when the share folder
// that belongs to its program folder holds the pristine database: the build
// never makes that folder, and an installation always does, wherever its
// prefix lies.
FolderLayout folderLayout(const QString &programFolder, const QString &userDataFolder);

// The per-user data folder of an installed Corvella (on Linux
// ~/.local/share/Corvella), from the platform's standard locations.
QString userDataFolder();

enum class FirstCopy {
    Copied,     // the pristine database was copied to the target
    Present,    // a file was already there; it was left as it is
    NoPristine, // there is no pristine database to copy
    Failed      // the copy could not be made; `error` says why
};

// Puts a copy of the pristine database at `target` when no file is there,
// making the folder if need be. An existing file is never replaced, not even
// one that appears while the copy is being made: the copy is written beside
// the target under another name and only then given the target's name, in a
// step that fails rather than replace a file. A copy that fails part-way
// leaves nothing behind.
FirstCopy copyPristineDatabase(const QString &pristine, const QString &target,
                               QString *error = nullptr);

} // namespace corv
