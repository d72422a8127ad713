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

#include <QCoreApplication>
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
        main.setStatusText(CorvModule::idleLine());
        return false;
    }
    if (!main.closeDatabaseWindows()) {
        // A window could not store its record and has said so; copying now
        // would lose that edit or be overwritten by it.
        main.setStatusText(CorvModule::idleLine());
        return false;
    }
    return true;
}

void mdiCorvella::mnuBackup_Click() {
    if (!closeWindowsFirst(
            *this,
            QCoreApplication::translate("BackupRestore", "Close all windows and backup database?"),
            QCoreApplication::translate("BackupRestore", "Backup Database")))
        return;
    setStatusText(QCoreApplication::translate("BackupRestore", "Backup database?"));
    const auto file = dialogs().saveFile(
        backupFileRequest(QCoreApplication::translate("BackupRestore", "Backup database")));
    if (!file || file->isEmpty()) {
        setStatusText(CorvModule::idleLine());
        return;
    }
    dialogs().setWaitCursor(true);
    setStatusText(QCoreApplication::translate("BackupRestore", "Backing up database."));
    QString error;
    bool copied = false;
    // A large file takes a while to copy and flush to disk: the window goes
    // on answering, and Cancel leaves any older backup of that name whole.
    const QString database = CorvModule::DatabasePath;
    runWithProgress({QCoreApplication::translate("BackupRestore", "Backup Database"),
                     QCoreApplication::translate("BackupRestore", "Backing up the database\u2026")},
                    [&](TaskProgress &p) {
                        copied =
                            copyFileSafely(database, *file, &error, [&](qint64 done, qint64 total) {
                                return p.step(done, total);
                            });
                    });
    if (!copied && error.isEmpty()) {
        setStatusText(QCoreApplication::translate("BackupRestore", "Backup cancelled."));
    } else if (copied) {
        setStatusText(QCoreApplication::translate("BackupRestore", "Backup successful!"));
        msgBox(QCoreApplication::translate("BackupRestore", "Backup successful!"), MsgButtons::Ok,
               MsgIcon::Information,
               QCoreApplication::translate("BackupRestore", "Backup Database"));
    } else {
        msgBox(error, MsgButtons::Ok, MsgIcon::None, applicationTitle());
        setStatusText(QCoreApplication::translate("BackupRestore", "Backup ERROR"));
    }
    dialogs().setWaitCursor(false);
}

void mdiCorvella::mnuRestore_Click() {
    if (!closeWindowsFirst(
            *this,
            QCoreApplication::translate("BackupRestore", "Close all windows and restore database?"),
            QCoreApplication::translate("BackupRestore", "Restore Database")))
        return;
    setStatusText(QCoreApplication::translate("BackupRestore", "Restore database?"));
    const auto file = dialogs().saveFile(
        backupFileRequest(QCoreApplication::translate("BackupRestore", "Restore database")));
    if (!file || file->isEmpty()) {
        setStatusText(CorvModule::idleLine());
        return;
    }
    // Nothing replaces the database that is not a whole Corvella database
    // itself: the tables, their fields and every page are checked first.
    QString why;
    bool whole = false;
    // Every page of the backup is read for the check: seconds for a large
    // file.
    const bool checked =
        runWithProgress({QCoreApplication::translate("BackupRestore", "Restore Database"),
                         QCoreApplication::translate("BackupRestore", "Checking the backup\u2026")},
                        [&, backup = *file](TaskProgress &) {
                            whole = isCorvellaDatabase(backup, &why) &&
                                    (why = foreignSchemaProblem(backup)).isEmpty();
                        });
    if (!checked) {
        setStatusText(CorvModule::idleLine());
        return;
    }
    if (!whole) {
        msgBox(why + QCoreApplication::translate("BackupRestore",
                                                 "\n\nThe database was not restored."),
               MsgButtons::Ok, MsgIcon::Exclamation,
               QCoreApplication::translate("BackupRestore", "Restore Database"));
        setStatusText(CorvModule::idleLine());
        return;
    }
    dialogs().setWaitCursor(true);
    const bool sure = askYesNo(
        QCoreApplication::translate("BackupRestore",
                                    "Are you sure that you want to restore?  This will "
                                    "destroy any changes in the current database since "
                                    "the last backup."),
        QCoreApplication::translate("BackupRestore", "Restore Database"), MsgIcon::Critical);
    if (!sure) {
        setStatusText(CorvModule::idleLine());
        dialogs().setWaitCursor(false);
        return;
    }
    // The database is this program's to replace only while no other
    // Corvella has it.
    if (DatabaseLock::lockProgramDatabase(CorvModule::DatabasePath) == DatabaseLock::InUse) {
        setStatusText(CorvModule::idleLine());
        dialogs().setWaitCursor(false);
        msgBox(
            DatabaseLock::inUseMessage(CorvModule::DatabasePath) +
                QCoreApplication::translate("BackupRestore", "\n\nThe database was not restored."),
            MsgButtons::Ok, MsgIcon::Exclamation,
            QCoreApplication::translate("BackupRestore", "Restore Database"));
        return;
    }
    setStatusText(QCoreApplication::translate("BackupRestore", "Restoreing database."));
    QString error;
    bool restored = false;
    // The replaced database is kept beside it, so a restore can be undone.
    // Cancel leaves the database exactly as it was.
    const QString database = CorvModule::DatabasePath;
    runWithProgress({QCoreApplication::translate("BackupRestore", "Restore Database"),
                     QCoreApplication::translate("BackupRestore", "Restoring the database\u2026")},
                    [&](TaskProgress &p) {
                        restored = restoreDatabase(
                            *file, database, &error,
                            [&](qint64 done, qint64 total) { return p.step(done, total); });
                    });
    if (!restored && error.isEmpty()) {
        setStatusText(QCoreApplication::translate("BackupRestore", "Restore cancelled."));
    } else if (restored) {
        // The restored file is a new file under the old name: lock it too.
        DatabaseLock::lockProgramDatabase(CorvModule::DatabasePath);
        setStatusText(QCoreApplication::translate("BackupRestore", "Restore successful!"));
        msgBox(QCoreApplication::translate("BackupRestore", "Restore successful!"), MsgButtons::Ok,
               MsgIcon::Information,
               QCoreApplication::translate("BackupRestore", "Restore Database"));
    } else {
        setStatusText(QCoreApplication::translate("BackupRestore", "Restore ERROR"));
        msgBox(error, MsgButtons::Ok, MsgIcon::None, applicationTitle());
    }
    dialogs().setWaitCursor(false);
}

} // namespace corv
