// One Corvella per database file. Corvella is single-user: two programs on
// one file would each overwrite the other's edits without a word. A lock
// file beside the database ("CORVELLA.CVL.lock") is held while the program
// runs; a second start finds it and stops. The lock of a program that
// crashed names a process that no longer runs and is taken over.
//
// Beside the lock file, the database file itself is locked by its device and
// inode (FileIdentityLock), so that a hard link in another folder, or a file
// picked when the database was missing, cannot let a second program in.
//
// The program holds one such lock for its database (programLock()); it is
// taken at start and wherever the database is opened or changed: a file
// picked in place of a missing database, a restore, an import.
#pragma once

#include "data/FileIdentityLock.h"

#include <QString>
#include <memory>

class QLockFile;

namespace corv {

class DatabaseLock {
public:
    enum Outcome {
        Locked,   // this program holds the database now
        InUse,    // another running program holds it
        NotLocked // no lock can be made here (a missing or read-only folder)
    };

    explicit DatabaseLock(const QString &databasePath);
    ~DatabaseLock(); // releases the lock
    DatabaseLock(const DatabaseLock &) = delete;
    DatabaseLock &operator=(const DatabaseLock &) = delete;

    Outcome lock();
    void unlock();
    bool isLocked() const;
    QString lockFilePath() const { return m_path; }

    // The lock file of a database: the same file reached by another path
    // (a link, a relative path) has the same lock.
    static QString lockFilePathFor(const QString &databasePath);
    // The program's own lock. Taking it for a database keeps holding it (or
    // takes the file again after a restore put a new one in place); for
    // another database, the lock moves only once the new one is held. InUse
    // when another program has the database: nothing changes then.
    static Outcome lockProgramDatabase(const QString &databasePath);
    // Makes `lock`, taken at start, the program's own.
    static void holdForProgram(std::unique_ptr<DatabaseLock> lock);
    static void releaseProgramDatabase();
    // What the user is told when another Corvella has the database.
    static QString inUseMessage(const QString &databasePath);

private:
    QString m_path;
    QString m_database;
    std::unique_ptr<QLockFile> m_file;
    FileIdentityLock m_identity;
};

} // namespace corv
