#include "DatabaseLock.h"

#include <QFileInfo>
#include <QLockFile>

namespace corv {

DatabaseLock::DatabaseLock(const QString &databasePath)
    : m_path(lockFilePathFor(databasePath)), m_file(std::make_unique<QLockFile>(m_path)) {
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
    if (m_file->isLocked())
        return Locked;
    if (m_file->tryLock(0))
        return Locked;
    if (m_file->error() != QLockFile::LockFailedError)
        return NotLocked;
    // Held, unless the file says nothing of its owner: a program that died
    // between making the file and writing it leaves it empty, and no
    // program would ever be found to have ended.
    qint64 pid = 0;
    QString host, app;
    if (!m_file->getLockInfo(&pid, &host, &app) && m_file->removeStaleLockFile() &&
        m_file->tryLock(0))
        return Locked;
    return InUse;
}

void DatabaseLock::unlock() {
    if (m_file && m_file->isLocked())
        m_file->unlock();
}

bool DatabaseLock::isLocked() const {
    return m_file->isLocked();
}

} // namespace corv
