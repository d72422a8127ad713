// Backup and restore: the main window's File commands. A backup is a
// byte-for-byte copy of the database file; a restore copies a backup over
// it. Both close every window that has the database open first, since a
// window left open would go on writing into the replaced file.
#include "CorvModule.h"
#include "DatabaseLock.h"
#include "FileCopy.h"
#include "data/Tables.h"
#include "mdiCorvella.h"
#include "platform/Dialogs.h"
#include "platform/Progress.h"

#include <QFileInfo>

namespace corv {

namespace {

FileRequest backupFileRequest(const QString &title) {
    FileRequest r;
    r.title = title;
    r.filter = QStringLiteral("(*.bak)|*.bak");
    // Beside the database by default: the program's folder in a build, the
    // user's data folder when installed (the program's folder is not theirs).
    r.initialFolder = CorvModule::userFolder();
    r.fileName = QStringLiteral("Corvella.bak");
    r.flags = FileHideReadOnly | FileExplorer;
    return r;
}

} // namespace

// Shared first step: with any window on the database, ask, then close them
// all. False when the command is to end.
static bool closeWindowsFirst(mdiCorvella &main, const QString &question, const QString &title) {
    if (!main.anyDatabaseWindowOpen() && CorvModule::ActiveForm == CorvModule::NoOne)
        return true;
    if (!askYesNo(question, title)) {
        main.setStatusText(CorvModule::IdleLine);
        return false;
    }
    if (!main.closeDatabaseWindows()) {
        // A window could not store its record and has said so; copying now
        // would lose that edit or be overwritten by it.
        main.setStatusText(CorvModule::IdleLine);
        return false;
    }
    return true;
}

void mdiCorvella::mnuBackup_Click() {
    if (!closeWindowsFirst(*this, QStringLiteral("Close all windows and backup database?"),
                           QStringLiteral("Backup Database")))
        return;
    setStatusText(QStringLiteral("Backup database?"));
    const auto file = dialogs().saveFile(backupFileRequest(QStringLiteral("Backup database")));
    if (!file || file->isEmpty()) {
        setStatusText(CorvModule::IdleLine);
        return;
    }
    dialogs().setWaitCursor(true);
    setStatusText(QStringLiteral("Backing up database."));
    QString error;
    bool copied = false;
    // A large file takes a while to copy and flush to disk: the window goes
    // on answering, and Cancel leaves any older backup of that name whole.
    const QString database = CorvModule::DatabasePath;
    runWithProgress(
        {QStringLiteral("Backup Database"), QStringLiteral("Backing up the database\u2026")},
        [&](TaskProgress &p) {
            copied = copyFileSafely(database, *file, &error,
                                    [&](qint64 done, qint64 total) { return p.step(done, total); });
        });
    if (!copied && error.isEmpty()) {
        setStatusText(QStringLiteral("Backup cancelled."));
    } else if (copied) {
        setStatusText(QStringLiteral("Backup successful!"));
        msgBox(QStringLiteral("Backup successful!"), MsgButtons::Ok, MsgIcon::Information,
               QStringLiteral("Backup Database"));
    } else {
        msgBox(error, MsgButtons::Ok, MsgIcon::None, applicationTitle());
        setStatusText(QStringLiteral("Backup ERROR"));
    }
    dialogs().setWaitCursor(false);
}

void mdiCorvella::mnuRestore_Click() {
    if (!closeWindowsFirst(*this, QStringLiteral("Close all windows and restore database?"),
                           QStringLiteral("Restore Database")))
        return;
    setStatusText(QStringLiteral("Restore database?"));
    const auto file = dialogs().saveFile(backupFileRequest(QStringLiteral("Restore database")));
    if (!file || file->isEmpty()) {
        setStatusText(CorvModule::IdleLine);
        return;
    }
    // Nothing replaces the database that is not a whole Corvella database
    // itself: the tables, their fields and every page are checked first.
    QString why;
    bool whole = false;
    // Every page of the backup is read for the check: seconds for a large
    // file.
    const bool checked = runWithProgress(
        {QStringLiteral("Restore Database"), QStringLiteral("Checking the backup\u2026")},
        [&, backup = *file](TaskProgress &) {
            whole =
                isCorvellaDatabase(backup, &why) && (why = foreignSchemaProblem(backup)).isEmpty();
        });
    if (!checked) {
        setStatusText(CorvModule::IdleLine);
        return;
    }
    if (!whole) {
        msgBox(why + QStringLiteral("\n\nThe database was not restored."), MsgButtons::Ok,
               MsgIcon::Exclamation, QStringLiteral("Restore Database"));
        setStatusText(CorvModule::IdleLine);
        return;
    }
    dialogs().setWaitCursor(true);
    const bool sure = askYesNo(QStringLiteral("Are you sure that you want to restore?  This will "
                                              "destroy any changes in the current database since "
                                              "the last backup."),
                               QStringLiteral("Restore Database"), MsgIcon::Critical);
    if (!sure) {
        setStatusText(CorvModule::IdleLine);
        dialogs().setWaitCursor(false);
        return;
    }
    // The database is this program's to replace only while no other
    // Corvella has it.
    if (DatabaseLock::lockProgramDatabase(CorvModule::DatabasePath) == DatabaseLock::InUse) {
        setStatusText(CorvModule::IdleLine);
        dialogs().setWaitCursor(false);
        msgBox(DatabaseLock::inUseMessage(CorvModule::DatabasePath) +
                   QStringLiteral("\n\nThe database was not restored."),
               MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("Restore Database"));
        return;
    }
    setStatusText(QStringLiteral("Restoreing database."));
    QString error;
    bool restored = false;
    // The replaced database is kept beside it, so a restore can be undone.
    // Cancel leaves the database exactly as it was.
    const QString database = CorvModule::DatabasePath;
    runWithProgress(
        {QStringLiteral("Restore Database"), QStringLiteral("Restoring the database\u2026")},
        [&](TaskProgress &p) {
            restored = restoreDatabase(*file, database, &error, [&](qint64 done, qint64 total) {
                return p.step(done, total);
            });
        });
    if (!restored && error.isEmpty()) {
        setStatusText(QStringLiteral("Restore cancelled."));
    } else if (restored) {
        // The restored file is a new file under the old name: lock it too.
        DatabaseLock::lockProgramDatabase(CorvModule::DatabasePath);
        setStatusText(QStringLiteral("Restore successful!"));
        msgBox(QStringLiteral("Restore successful!"), MsgButtons::Ok, MsgIcon::Information,
               QStringLiteral("Restore Database"));
    } else {
        setStatusText(QStringLiteral("Restore ERROR"));
        msgBox(error, MsgButtons::Ok, MsgIcon::None, applicationTitle());
    }
    dialogs().setWaitCursor(false);
}

} // namespace corv
