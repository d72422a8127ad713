#include "Connection.h"

#include "JetSql.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QFileInfo>
#include <QSqlError>
#include <QUrl>

namespace corv {

namespace {

QAtomicInt connectionCounter;
// Long enough to ride out another window's short write, short enough that
// a window never seems to hang on a file another program keeps locked.
QAtomicInt busyMilliseconds = 2000;

// SQLite's primary result codes that get a message of their own.
enum SqliteCode {
    Busy = 5,
    Locked = 6,
    ReadOnly = 8,
    IoErr = 10,
    Corrupt = 11,
    Full = 13,
    CantOpen = 14,
    NotADb = 26,
};

DbError fileNotFound(const QString &path) {
    return {DbErr::FileNotFound,
            QCoreApplication::translate("Connection", "Could not find the file '%1'.").arg(path)};
}

} // namespace

int busyTimeout() {
    return busyMilliseconds.loadRelaxed();
}

void setBusyTimeout(int milliseconds) {
    busyMilliseconds.storeRelaxed(milliseconds);
}

DbError engineError(const QSqlError &error, const QString &path) {
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok) & 0xff;
    const QString engine = error.driverText().isEmpty()     ? error.databaseText()
                           : error.databaseText().isEmpty() ? error.driverText()
                                                            : error.databaseText();
    const QString file = QFileInfo(path).fileName();
    switch (ok ? code : -1) {
    case ReadOnly:
        return {DbErr::ReadOnly,
                QCoreApplication::translate("Connection",
                                            "The database file %1 cannot be written: the file "
                                            "or its folder is read-only.")
                    .arg(file)};
    case Busy:
    case Locked:
        return {DbErr::Locked,
                QCoreApplication::translate("Connection",
                                            "The database file %1 is in use by another program. "
                                            "Try again in a moment.")
                    .arg(file)};
    case Full:
        return {DbErr::DiskFull,
                QCoreApplication::translate(
                    "Connection", "There is not enough space on the disk to store the record.")};
    case CantOpen:
        return {DbErr::CannotOpen,
                QCoreApplication::translate("Connection", "The database file %1 cannot be opened.")
                    .arg(path)};
    case NotADb:
    case Corrupt:
        // Said where a window fails to open, just before the program ends:
        // the way back is a restore, made before any window is opened.
        return {DbErr::NotADatabase,
                QCoreApplication::translate(
                    "Connection", "%1 is not a Corvella database, or it is damaged. To recover, "
                                  "put a backup in its place: start Corvella and choose File > "
                                  "Restore before opening any window, or copy the backup over this "
                                  "file while Corvella is closed. A restore keeps the database it "
                                  "replaced as %2.before-restore.")
                    .arg(path, QFileInfo(path).fileName())};
    case IoErr:
        return {DbErr::EngineFailure,
                QCoreApplication::translate("Connection",
                                            "A disk error occurred while reading or writing %1.")
                    .arg(file)};
    default:
        return {DbErr::EngineFailure, QCoreApplication::translate(
                                          "Connection", "The database engine reported an error: %1")
                                          .arg(engine)};
    }
}

Connection::Connection(const char *purpose)
    : m_name(QStringLiteral("%1-%2")
                 .arg(QLatin1String(purpose))
                 .arg(connectionCounter.fetchAndAddRelaxed(1))) {}

Connection::~Connection() {
    close();
}

bool Connection::isOpen() const {
    return m_db.isValid() && m_db.isOpen();
}

void Connection::close() {
    if (!m_db.isValid())
        return;
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
    m_path.clear();
}

DbError Connection::open(const QString &path, DbAccess access) {
    close();
    const QFileInfo info(path);
    if (path.isEmpty() || info.isDir() || (access != DbAccess::Create && !info.exists()))
        return fileNotFound(path);
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    m_path = path;
    // The URI's mode says whether the file may be created: mode=rw never
    // creates one, even if the file vanishes between the check above and the
    // open.
    QUrl uri = QUrl::fromLocalFile(info.absoluteFilePath());
    QString options = QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeout());
    switch (access) {
    case DbAccess::ReadOnly:
        uri.setQuery(QStringLiteral("mode=ro"));
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
        break;
    case DbAccess::ReadWrite:
        uri.setQuery(QStringLiteral("mode=rw"));
        break;
    case DbAccess::Create:
        uri.setQuery(QStringLiteral("mode=rwc"));
        break;
    }
    m_db.setDatabaseName(uri.toString(QUrl::FullyEncoded));
    m_db.setConnectOptions(options);
    if (!m_db.open()) {
        const DbError e = error(m_db.lastError());
        close();
        if (access != DbAccess::Create && !QFileInfo::exists(path))
            return fileNotFound(path);
        return e;
    }
    // Every connection sorts text the one way the windows, the index lists
    // and the reports agree on.
    installTextOrder(m_db);
    return {};
}

DbError Connection::error(const QSqlError &e) const {
    return engineError(e, m_path);
}

QString Connection::lastErrorText() const {
    return m_db.lastError().text();
}

} // namespace corv
