// The one way Corvella opens a database file.
//
// Every reader and writer (record sets, reports, charts, import and export,
// the reference content, schema upgrades, corvella-mkdb) opens its file
// through a Connection, so that they all wait the same time for a lock,
// never create a file by accident, and put the engine's errors in the same
// words.
#pragma once

#include "DbError.h"

#include <QSqlDatabase>
#include <QString>

class QSqlError;

namespace corv {

enum class DbAccess {
    ReadOnly,  // the file must exist; nothing can be written through it
    ReadWrite, // the file must exist; it is never created
    Create,    // a new file is made if there is none
};

// How long any connection waits for another program's lock before it gives
// up with "in use by another program". One value for every connection;
// tests shorten it.
int busyTimeout();
void setBusyTimeout(int milliseconds);

// The engine's error `error`, met while working on the file `path`, as a
// DbError with the engine's number mapped to Corvella's and a description
// fit to show the user.
DbError engineError(const QSqlError &error, const QString &path);

class Connection {
public:
    // `purpose` names the connection in Qt's list of connections (only for
    // debugging); every connection gets a name of its own.
    explicit Connection(const char *purpose = "corvella");
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    // Opens `path`; closes what was open before. A missing file is
    // FileNotFound unless `access` is Create.
    DbError open(const QString &path, DbAccess access);
    void close();

    bool isOpen() const;
    const QString &path() const { return m_path; }
    // The open connection; only valid while isOpen().
    QSqlDatabase &db() { return m_db; }

    // engineError() for this connection's file.
    DbError error(const QSqlError &error) const;
    // The engine's last error on this connection, in the user's words.
    QString lastErrorText() const;

private:
    QString m_name;
    QString m_path;
    QSqlDatabase m_db;
};

} // namespace corv
