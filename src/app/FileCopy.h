// Copying the database file for backup and restore.
#pragma once

#include <QString>

namespace corv {

// Copies `from` to `to` byte for byte, replacing `to`. The copy is written
// to a temporary file beside `to`, flushed to disk and only then put in
// place, so a copy that fails part-way (unreadable source, full disk) leaves
// the old `to` whole. On failure `error` gets the system's description.
bool copyFileSafely(const QString &from, const QString &to, QString *error);

} // namespace corv
