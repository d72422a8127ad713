// One Corvella per database file. Corvella is single-user: two programs on
// one file would each overwrite the other's edits without a word. A lock
// file beside the database ("CORVELLA.CVL.lock") is held while the program
// runs; a second start finds it and stops. The lock of a program that
// crashed names a process that no longer runs and is taken over.
#pragma once

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

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_file;
};

} // namespace corv
