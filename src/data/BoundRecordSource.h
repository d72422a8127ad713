// The bound record source of a window, without the window: a database
// connection, a record set, fields bound by name to whatever shows them,
// and three events.
//
// Bound fields show the current record after every reposition; the source
// knows which bound fields were edited since it filled them and stores those
// edits before the record is left (unless the Validate handler clears Save).
//
// Errors are values: a failing operation returns false and leaves the error
// in lastError(). While code has set up an ErrorTrap the error goes to the
// trap; otherwise it is raised through the Error event, and when the handler
// leaves Response at 1 it is passed on to unhandledError(), which whoever
// shows the source to the user overrides (the navigation bar says it in a
// message box).
#pragma once

#include "DbError.h"
#include "RecordSet.h"

#include <QSet>
#include <QVector>
#include <functional>

namespace corv {

// The Action argument of the Validate event.
enum DataAction {
    ActionMoveFirst = 1,
    ActionMovePrevious = 2,
    ActionMoveNext = 3,
    ActionMoveLast = 4,
    ActionAddNew = 5,
    ActionUpdate = 6,
    ActionDelete = 7,
    ActionFind = 8,
    ActionBookmark = 9,
    ActionClose = 10,
};

class BoundRecordSource;

// The record set as the windows see it: every call may raise the source's
// events and refreshes the bound fields.
class DataRecordset {
public:
    explicit DataRecordset(BoundRecordSource &source) : d(source) {}
    int AbsolutePosition() const;
    bool setAbsolutePosition(int position);
    int RecordCount() const;
    bool AddNew();
    bool Update();
    bool Edit();
    // Gives up the record being added (or the edits of the current one) and
    // shows the record that is current again.
    void CancelUpdate();
    bool Delete();
    bool MoveFirst();
    bool MoveLast();
    bool MoveNext();
    bool MovePrevious();
    bool FindFirst(const QString &criterion);
    bool FindNext(const QString &criterion);
    bool NoMatch() const;
    // Fields(name).Value as text ("" for an empty field).
    QString Fields(const QString &name) const;
    QString Fields(int index) const;
    QVariant FieldValue(const QString &name) const;
    int FieldCount() const;

private:
    BoundRecordSource &d;
};

class BoundRecordSource {
public:
    BoundRecordSource();
    // Edits still pending are not stored here: the owner stores them with
    // storePending() and says when that fails.
    virtual ~BoundRecordSource();
    BoundRecordSource(const BoundRecordSource &) = delete;
    BoundRecordSource &operator=(const BoundRecordSource &) = delete;

    QString DatabaseName() const { return m_databaseName; }
    void setDatabaseName(const QString &path) { m_databaseName = path; }
    QString RecordSource() const { return m_recordSource; }
    void setRecordSource(const QString &source) { m_recordSource = source; }

    // Opens the file and runs the record source; the first record becomes
    // current and Reposition is raised. Pending edits are stored first.
    bool Refresh();
    // Stores the bound fields into the current (or just added) record,
    // without raising Validate.
    bool UpdateRecord();
    // Shows the current record again in the bound fields.
    bool UpdateControls();
    // Database.Close: stores pending edits (Validate with action 10) and
    // closes the connection.
    void DatabaseClose();
    // Stores edits still pending (or the record being added) without any
    // event; the error, or none when it was stored or there was nothing to
    // store (no edit, or no record to store it into).
    DbError storePending();

    DataRecordset &Recordset() { return m_recordset; }
    const DataRecordset &Recordset() const { return m_recordset; }

    // Binds a field (letter case of the name does not matter) to whatever
    // shows it: `read` gives its text, `show` puts a text into it. Returns
    // the binding's number.
    int bindField(const QString &field, std::function<QString()> read,
                  std::function<void(const QString &)> show);
    // What showed the field is gone.
    void unbindField(int binding);
    // The user edited the field (changes made while the source fills the
    // fields do not count).
    void fieldEdited(int binding);
    // True when a bound field was edited since the source last filled it.
    bool DataChanged() const { return !m_changed.isEmpty(); }
    bool fieldChanged(int binding) const { return m_changed.contains(binding); }

    // Events.
    std::function<void(const DbError &error, int &response)> onError;
    std::function<void()> onReposition;
    std::function<void(int action, bool &save)> onValidate;

    const DbError &lastError() const { return m_lastError; }
    RecordSet &records() { return m_records; }
    const RecordSet &records() const { return m_records; }

    // While a trap exists, errors of this source are collected in it instead
    // of being raised through the Error event.
    class ErrorTrap {
    public:
        explicit ErrorTrap(BoundRecordSource &source);
        ~ErrorTrap();
        ErrorTrap(const ErrorTrap &) = delete;
        ErrorTrap &operator=(const ErrorTrap &) = delete;
        bool failed() const { return !m_error.ok(); }
        const DbError &error() const { return m_error; }
        void clear() { m_error = {}; }

    private:
        friend class BoundRecordSource;
        BoundRecordSource &m_source;
        DbError m_error;
    };

protected:
    // An error raised with nobody trapping it and the Error handler leaving
    // Response at 1. Nothing is shown here.
    virtual void unhandledError(const DbError &error) { Q_UNUSED(error); }

private:
    friend class DataRecordset;
    struct Binding {
        QString field;
        std::function<QString()> read;
        std::function<void(const QString &)> show;
        bool bound = true;
    };

    void fill();
    QHash<int, QString> pendingTexts(bool all) const;
    bool leaveCurrent(int action);
    bool store();
    bool moveWith(int action, DbError (RecordSet::*op)());
    bool find(const QString &criterion, bool first);
    void reposition();
    bool fail(const DbError &error);

    QString m_databaseName;
    QString m_recordSource;
    RecordSet m_records;
    DataRecordset m_recordset{*this};
    QVector<Binding> m_bindings;
    QSet<int> m_changed;
    bool m_filling = false;
    bool m_noMatch = false;
    DbError m_lastError;
    QVector<ErrorTrap *> m_traps;
};

} // namespace corv
