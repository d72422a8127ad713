#include "DatabaseLock.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLockFile>

namespace corv {

DatabaseLock::DatabaseLock(const QString &databasePath)
    : m_path(lockFilePathFor(databasePath)), m_database(databasePath),
      m_file(std::make_unique<QLockFile>(m_path)) {
    // A lock is stale only when its program no longer runs, however old it
    // is: a Corvella may well stay open for days.
    m_file->setStaleLockTime(0);
}

DatabaseLock::~DatabaseLock() {
    unlock();
}

QString DatabaseLock::lockFilePathFor(const QString &databasePath) {
    const QFileInfo info(databasePath);
    const QString canonical = info.canonicalFilePath();
    return (canonical.isEmpty() ? info.absoluteFilePath() : canonical) + QStringLiteral(".lock");
}

DatabaseLock::Outcome DatabaseLock::lock() {
    const bool heldBefore = m_file->isLocked();
    Outcome named = InUse;
    if (m_file->isLocked() || m_file->tryLock(0)) {
        named = Locked;
    } else if (m_file->error() != QLockFile::LockFailedError) {
        named = NotLocked;
    } else {
        // Held, unless the file says nothing of its owner: a program that
        // died between making the file and writing it leaves it empty, and
        // no program would ever be found to have ended.
        qint64 pid = 0;
        QString host, app;
        if (!m_file->getLockInfo(&pid, &host, &app) && m_file->removeStaleLockFile() &&
            m_file->tryLock(0))
            named = Locked;
    }
    if (named == InUse)
        return InUse;
    // The file itself, whatever its name: a hard link elsewhere has another
    // lock file but the same inode.
    const FileIdentityLock::Outcome file = m_identity.lock(m_database);
    if (file == FileIdentityLock::InUse) {
        if (named == Locked && !heldBefore)
            m_file->unlock();
        return InUse;
    }
    return named == Locked || file == FileIdentityLock::Locked ? Locked : NotLocked;
}

namespace {
std::unique_ptr<DatabaseLock> &programLock() {
    static std::unique_ptr<DatabaseLock> lock;
    return lock;
}
} // namespace

DatabaseLock::Outcome DatabaseLock::lockProgramDatabase(const QString &databasePath) {
    std::unique_ptr<DatabaseLock> &held = programLock();
    if (held && lockFilePathFor(databasePath) == held->m_path) {
        held->m_database = databasePath;
        return held->lock();
    }
    auto next = std::make_unique<DatabaseLock>(databasePath);
    const Outcome outcome = next->lock();
    if (outcome == InUse)
        return InUse;
    held = std::move(next);
    return outcome;
}

void DatabaseLock::holdForProgram(std::unique_ptr<DatabaseLock> lock) {
    programLock() = std::move(lock);
}

void DatabaseLock::releaseProgramDatabase() {
    programLock().reset();
}

QString DatabaseLock::inUseMessage(const QString &databasePath) {
    return QCoreApplication::translate(
               "DatabaseLock", "Corvella is already running with the database %1. Only one "
                               "Corvella can use a database at a time: switch to the one that "
                               "is running.")
        .arg(databasePath);
}

void DatabaseLock::unlock() {
    m_identity.unlock();
    if (m_file && m_file->isLocked())
        m_file->unlock();
}

bool DatabaseLock::isLocked() const {
    return m_file->isLocked() || m_identity.isLocked();
}

} // namespace corv
