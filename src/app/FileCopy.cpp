#include "FileCopy.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>
#include <QTemporaryFile>
#include <cerrno>

namespace corv {

namespace {

WriteLayer realLayer;
WriteLayer *currentLayer = &realLayer;

bool noRoomError(int error) {
#ifdef EDQUOT
    if (error == EDQUOT)
        return true;
#endif
    return error == ENOSPC;
}

} // namespace

QFileDevice::Permissions keptPermissions(QFileDevice::Permissions target,
                                         QFileDevice::Permissions source) {
    const QFileDevice::Permissions owner = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ReadUser | QFileDevice::WriteUser;
    return (target & source) | owner;
}

bool WriteLayer::write(QFileDevice &file, const char *data, qint64 size, bool *diskFull) {
    // The file is unbuffered, so a failing write fails here, with errno
    // still telling why.
    errno = 0;
    if (file.write(data, size) == size)
        return true;
    *diskFull = noRoomError(errno);
    return false;
}

bool WriteLayer::commit(QSaveFile &file, bool *diskFull) {
    errno = 0;
    if (file.commit())
        return true;
    *diskFull = noRoomError(errno);
    return false;
}

WriteLayer &writeLayer() {
    return *currentLayer;
}

void setWriteLayer(WriteLayer *layer) {
    currentLayer = layer ? layer : &realLayer;
}

bool copyFileSafely(const QString &from, const QString &to, QString *error,
                    const CopyProgress &keepGoing) {
    auto fail = [&](const QString &text) {
        if (error)
            *error = text;
        return false;
    };
    const QString shownTo = QDir::toNativeSeparators(to);
    // What went wrong while writing the target. A disk without room is said
    // in so many words: the system's own text for it is often lost on the
    // way ("Unknown error").
    auto writeFailed = [&](bool diskFull, const QString &reason, qint64 stillToWrite) {
        const QStorageInfo volume(QFileInfo(to).absolutePath());
        if (!diskFull && volume.isValid() && volume.bytesAvailable() < stillToWrite)
            diskFull = true;
        if (diskFull)
            return fail(QCoreApplication::translate(
                            "FileCopy", "There is not enough space on the disk to write %1.")
                            .arg(shownTo));
        if (reason.isEmpty() || reason == QLatin1String("Unknown error"))
            return fail(
                QCoreApplication::translate("FileCopy", "%1 could not be written.").arg(shownTo));
        return fail(QStringLiteral("%1: %2").arg(shownTo, reason));
    };
    if (QFileInfo(from).absoluteFilePath() == QFileInfo(to).absoluteFilePath())
        return fail(
            QCoreApplication::translate("FileCopy", "A file cannot be copied onto itself."));
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("%1: %2").arg(from, source.errorString()));
    // QSaveFile writes beside the target, syncs it to disk on commit and then
    // renames it over the target in one step.
    QSaveFile target(to);
    target.setDirectWriteFallback(false);
    if (!target.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(QStringLiteral("%1: %2").arg(to, target.errorString()));
    // A copy of a private database stays private: it gets no permission the
    // source lacks (nor one the file it replaces lacked), and its owner can
    // always read and write it.
    target.setPermissions(keptPermissions(target.permissions(), source.permissions()));
    WriteLayer &layer = writeLayer();
    QByteArray chunk;
    const qint64 size = source.size();
    qint64 left = size;
    auto stopped = [&] {
        if (!keepGoing || keepGoing(size - left, size))
            return false;
        target.cancelWriting();
        if (error)
            error->clear();
        return true;
    };
    while (!source.atEnd()) {
        chunk = source.read(1 << 20);
        if (chunk.isEmpty() && source.error() != QFile::NoError) {
            target.cancelWriting();
            return fail(QStringLiteral("%1: %2").arg(from, source.errorString()));
        }
        bool full = false;
        if (!layer.write(target, chunk.constData(), chunk.size(), &full)) {
            const QString why = target.errorString();
            target.cancelWriting();
            return writeFailed(full, why, left);
        }
        left -= chunk.size();
        if (stopped())
            return false;
    }
    if (source.error() != QFile::NoError) {
        target.cancelWriting();
        return fail(QStringLiteral("%1: %2").arg(from, source.errorString()));
    }
    bool full = false;
    if (!layer.commit(target, &full))
        return writeFailed(full, target.errorString(), 0);
    return true;
}

QString beforeRestorePath(const QString &database) {
    return database + QStringLiteral(".before-restore");
}

namespace {

bool sameFile(const QString &a, const QString &b) {
    const QFileInfo fa(a), fb(b);
    if (fa.exists() && fb.exists())
        return fa.canonicalFilePath() == fb.canonicalFilePath();
    return fa.absoluteFilePath() == fb.absoluteFilePath();
}

} // namespace

bool restoreDatabase(const QString &backup, const QString &database, QString *error,
                     const CopyProgress &keepGoing) {
    if (sameFile(backup, database)) {
        if (error)
            *error =
                QCoreApplication::translate("FileCopy", "A file cannot be copied onto itself.");
        return false;
    }
    const QString kept = beforeRestorePath(database);
    QString source = backup;
    // Restoring the kept database itself: it is about to be replaced by the
    // current one, so it is read into a file of its own first.
    QTemporaryFile staged(QFileInfo(database).absolutePath() +
                          QStringLiteral("/.corvella-restore-XXXXXX"));
    if (sameFile(backup, kept)) {
        if (!staged.open()) {
            if (error)
                *error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(kept),
                                                      staged.errorString());
            return false;
        }
        staged.close();
        if (!copyFileSafely(backup, staged.fileName(), error, keepGoing))
            return false;
        source = staged.fileName();
    }
    // Progress runs over both copies: the database kept, then the backup
    // put in its place.
    const qint64 first = QFileInfo::exists(database) ? QFileInfo(database).size() : 0;
    const qint64 all = first + QFileInfo(source).size();
    CopyProgress keeping, placing;
    if (keepGoing) {
        keeping = [&](qint64 done, qint64) { return keepGoing(done, all); };
        placing = [&](qint64 done, qint64) { return keepGoing(first + done, all); };
    }
    if (QFileInfo::exists(database) && !copyFileSafely(database, kept, error, keeping))
        return false;
    return copyFileSafely(source, database, error, placing);
}

} // namespace corv
