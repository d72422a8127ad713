// The record set behind every bound record source: one SELECT over one table
// of a Corvella database, with a current record.
//
// Opening reads only the ordered keys of the selected rows; a row's data is
// fetched when it becomes current. That keeps opening a journal of a hundred
// thousand entries fast and small, and the record count exact.
//
// This class raises no events and knows nothing of text boxes: the data
// control (DataControl) builds the bound behaviour on top of it.
#pragma once

#include "Connection.h"
#include "DbError.h"
#include "JetSql.h"
#include "data/FieldKind.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace corv {

class RecordSet {
public:
    RecordSet();
    ~RecordSet();
    RecordSet(const RecordSet &) = delete;
    RecordSet &operator=(const RecordSet &) = delete;

    // (Re)opens the database file at `path` (never creating it) and runs the
    // record source. On success the first record is current. On failure the
    // record set is left empty and, for a missing file, the error is
    // FileNotFound and no file has been created.
    DbError open(const QString &path, const QString &source);
    // Closes the connection; the record set becomes empty.
    void close();
    bool isOpen() const { return m_conn.isOpen(); }
    QString path() const { return m_path; }

    const QVector<FieldInfo> &fields() const { return m_fields; }
    int fieldIndex(const QString &name) const; // letter case ignored; -1 when absent
    QString tableName() const { return m_table; }
    // Whether the field `name` holds texts, which sort in the program's text
    // order (true for a name the record set does not have).
    bool sortsAsText(const QString &name) const;

    int recordCount() const { return int(m_keys.size()); }
    // 0-based position of the current record; -1 when there is none (empty
    // set, a record being added, or just after a delete).
    int absolutePosition() const { return m_adding ? -1 : m_pos; }
    bool hasCurrent() const { return !m_adding && m_pos >= 0; }
    bool isAdding() const { return m_adding; }
    qint64 currentKey() const { return hasCurrent() ? m_keys[size_t(m_pos)] : -1; }

    // Moves; at either end the record set stays on the first or last record.
    // From the gap left by a delete, next goes to the record that followed
    // the deleted one and previous to the one before it.
    DbError moveFirst();
    DbError moveLast();
    DbError moveNext();
    DbError movePrevious();
    DbError setAbsolutePosition(int position);

    // Values of the current record (null while adding or with no record).
    QVariant value(int field) const;
    QString text(int field) const; // as shown in a text box
    bool isNull(int field) const { return value(field).isNull(); }

    // Adding: a blank record that is not yet stored.
    void beginAdd();
    void cancelAdd();
    // Stores the record being added with the given field texts (field index
    // -> text; empty texts stay empty). The new record becomes current and is
    // the last of the set until the next open. Nothing is stored when any
    // text does not convert to its field's type.
    DbError storeAdded(const QHash<int, QString> &texts);
    // Stores the given field texts into the current record, all or nothing.
    DbError storeCurrent(const QHash<int, QString> &texts);
    DbError deleteCurrent();
    // Reads the current record again from the file.
    DbError reloadCurrent();

    // Finds the first record at or after `from` (a position) that meets the
    // criterion. `found` receives its position, or -1.
    DbError find(const QString &criterion, int from, int *found);

    // Conversions between stored values and the texts the user sees.
    // `decimals`: the fewest decimals a number or amount is shown with.
    static QString displayText(FieldKind kind, const QVariant &stored, int decimals = 0);
    static DbError toStored(const FieldInfo &field, const QString &text, QVariant &stored);

    // How long a write waits for another program's lock before it fails
    // (milliseconds; tests shorten it).
    static void setBusyTimeout(int milliseconds);
    // The key of a record that may be gone but is still named elsewhere (the
    // default tank in the settings), so an upgrade of an old file keeps it
    // taken. The application installs it; by default none is.
    static qint64 (*reservedTankKey)();
    // Runs long work (the upgrade of an old file) and returns when it is
    // done. The application installs one that keeps the windows answering
    // meanwhile; by default the work runs at once. The work opens its own
    // connection, so it may run on another thread.
    static void (*runLongWork)(const std::function<void()> &work);

    // Maps a failed QtSql call to an error the user can read.
    static DbError engineError(const class QSqlError &error, const QString &path);

private:
    DbError ensureConnection(const QString &path);
    DbError loadFields(const SelectStatement &st);
    DbError fetch(int position);
    DbError execOrError(QSqlQuery &q);
    // The stored values of field texts, all or nothing; ID is left out.
    DbError convertTexts(const QHash<int, QString> &texts, QStringList &columns,
                         QVector<QVariant> &values) const;
    void clearRows();

    Connection m_conn{"corvella-records"};
    QString m_path;
    QString m_table;
    QString m_where;
    QVector<FieldInfo> m_fields;
    QHash<QString, int> m_fieldByName; // lower-case name -> index
    std::vector<qint64> m_keys;
    int m_pos = -1;
    int m_gap = -1; // position of a just-deleted record, else -1
    bool m_adding = false;
    int m_posBeforeAdd = -1;
    QVector<QVariant> m_row; // values of the current record
    std::unique_ptr<QSqlQuery> m_fetch;
};

} // namespace corv
