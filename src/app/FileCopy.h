// Copying the database file for backup and restore.
#pragma once

#include <QFileDevice>
#include <QString>
#include <functional>

class QSaveFile;

namespace corv {

// The disk under a copy. The program writes through the real one; tests put
// in a layer that fails on demand, as a full or failing disk does.
class WriteLayer {
public:
    virtual ~WriteLayer() = default;
    // Writes all of `data` to `file`. False when it cannot; `diskFull` then
    // says whether the disk had no room left.
    virtual bool write(QFileDevice &file, const char *data, qint64 size, bool *diskFull);
    // Flushes the file to disk and puts it in place of the target.
    virtual bool commit(QSaveFile &file, bool *diskFull);
};

// The layer copies write through; setWriteLayer(nullptr) restores the real one.
WriteLayer &writeLayer();
void setWriteLayer(WriteLayer *layer);

// Copies `from` to `to` byte for byte, replacing `to`. The copy is written
// to a temporary file beside `to`, flushed to disk and only then put in
// place, so a copy that fails part-way (unreadable source, full disk) leaves
// the old `to` whole. On failure `error` says what happened, in words for
// the user ("There is not enough space on the disk to write ...").
// `keepGoing`, when given, is asked after every piece copied with the bytes
// done and the bytes in all; false stops the copy, leaves `to` as it was and
// returns false with `error` empty.
using CopyProgress = std::function<bool(qint64 done, qint64 total)>;
bool copyFileSafely(const QString &from, const QString &to, QString *error,
                    const CopyProgress &keepGoing = {});

// The permissions of a file written from `source` in place of one that
// would have `target`'s: none that either lacks, always the owner's read
// and write. A backup of a private (0600) database is private too.
QFileDevice::Permissions keptPermissions(QFileDevice::Permissions target,
                                         QFileDevice::Permissions source);

// Where a restore keeps the database it replaces: beside it, with
// ".before-restore" appended ("CORVELLA.CVL.before-restore").
QString beforeRestorePath(const QString &database);

// Replaces `database` by a copy of `backup`, keeping the database it replaces
// as beforeRestorePath(database); an older file of that name is replaced.
// Restoring that very file undoes the last restore. Nothing is replaced when
// a step fails, nor when `keepGoing` stops it (false, `error` empty).
bool restoreDatabase(const QString &backup, const QString &database, QString *error,
                     const CopyProgress &keepGoing = {});

} // namespace corv
