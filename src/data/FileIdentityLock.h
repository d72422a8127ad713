// A lock on a file itself, by its device and inode, whichever path reaches
// it: a symbolic link, a hard link in another folder, a relative path. Two
// programs that each hold one on the same file cannot both have it.
//
// It is an advisory lock of the whole file (flock), held as long as the
// object lives and let go by the system when the program ends in any way,
// so it never goes stale. SQLite's own locks are of another kind (byte
// ranges) and do not meet it. A file replaced by another one under the same
// name (a restore) is a new file: lock it again.
#pragma once

#include <QString>

namespace corv {

class FileIdentityLock {
public:
    enum Outcome {
        Locked,   // this object holds the file now
        InUse,    // another holder has it
        NotLocked // the file cannot be opened (missing, unreadable)
    };

    FileIdentityLock() = default;
    ~FileIdentityLock();
    FileIdentityLock(const FileIdentityLock &) = delete;
    FileIdentityLock &operator=(const FileIdentityLock &) = delete;

    // Locks the file `path` names now. A lock held on another file, or on
    // the file that used to have this name, is let go once the new one is
    // held; asking again for the file held changes nothing.
    Outcome lock(const QString &path);
    void unlock();
    bool isLocked() const { return m_fd >= 0; }
    // True when the lock is on the very file `path` names now.
    bool holds(const QString &path) const;

    // Says whether some holder has the file, without keeping a lock.
    static Outcome probe(const QString &path);

private:
    int m_fd = -1;
};

} // namespace corv
