#include "FileIdentityLock.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corv {

namespace {

bool sameFile(int fd, const QString &path) {
    struct stat held {
    }, named{};
    if (fd < 0 || fstat(fd, &held) != 0 || stat(QFile::encodeName(path).constData(), &named) != 0)
        return false;
    return held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

} // namespace

FileIdentityLock::~FileIdentityLock() {
    unlock();
}

FileIdentityLock::Outcome FileIdentityLock::lock(const QString &path) {
    if (holds(path))
        return Locked;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return NotLocked;
    int rc;
    do {
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        const bool busy = errno == EWOULDBLOCK;
        ::close(fd);
        return busy ? InUse : NotLocked;
    }
    unlock();
    m_fd = fd;
    return Locked;
}

void FileIdentityLock::unlock() {
    if (m_fd >= 0) {
        ::close(m_fd); // lets go of the lock
        m_fd = -1;
    }
}

bool FileIdentityLock::holds(const QString &path) const {
    return sameFile(m_fd, path);
}

FileIdentityLock::Outcome FileIdentityLock::probe(const QString &path) {
    FileIdentityLock l;
    return l.lock(path);
}

} // namespace corv
