// The bound record source of a record window: a database connection, a
// record set, text boxes bound to its fields by name, three events, and the
// navigation bar (first, previous, caption, next, last) along the bottom of
// the window.
//
// Boxes show the current record after every reposition; the control knows
// which bound boxes were edited since it filled them and stores those edits
// before the record is left (unless the Validate handler clears Save).
//
// Errors: a failing operation returns false. When code has set up an
// ErrorTrap the error goes to the trap; otherwise it is raised through the
// Error event, and unless the handler sets Response to 0 the control shows
// the error's description itself.
#pragma once

#include "DbError.h"
#include "RecordSet.h"

#include <QPointer>
#include <QSet>
#include <QVector>
#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;

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

class DataControl;

// The record set as the windows see it: every call may raise the control's
// events and refreshes the bound boxes.
class DataRecordset {
public:
    explicit DataRecordset(DataControl &control) : d(control) {}
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
    DataControl &d;
};

class DataControl : public QWidget {
    Q_OBJECT
public:
    explicit DataControl(QWidget *parent = nullptr);
    ~DataControl() override;

    QString DatabaseName() const { return m_databaseName; }
    void setDatabaseName(const QString &path) { m_databaseName = path; }
    QString RecordSource() const { return m_recordSource; }
    void setRecordSource(const QString &source) { m_recordSource = source; }
    QString Caption() const;
    void setCaption(const QString &caption);

    // Opens the file and runs the record source; the first record becomes
    // current and Reposition is raised. Pending edits are stored first.
    bool Refresh();
    // Stores the bound boxes into the current (or just added) record,
    // without raising Validate.
    bool UpdateRecord();
    // Shows the current record again in the bound boxes.
    bool UpdateControls();
    // Database.Close: stores pending edits (Validate with action 10) and
    // closes the connection.
    void DatabaseClose();

    DataRecordset &Recordset() { return m_recordset; }
    const DataRecordset &Recordset() const { return m_recordset; }

    // Binds a single- or multi-line text box to a field (letter case of the
    // name does not matter). Hidden boxes bind like visible ones.
    void bind(QLineEdit *box, const QString &field);
    void bind(QPlainTextEdit *box, const QString &field);
    // True when a bound box was changed since the control last filled it.
    bool DataChanged() const { return !m_changed.isEmpty(); }
    bool DataChanged(const QWidget *box) const;

    // Events.
    std::function<void(const DbError &error, int &response)> onError;
    std::function<void()> onReposition;
    std::function<void(int action, bool &save)> onValidate;

    const DbError &lastError() const { return m_lastError; }
    RecordSet &records() { return m_records; }
    const RecordSet &records() const { return m_records; }

    // While a trap exists, errors of this control are collected in it instead
    // of being raised through the Error event.
    class ErrorTrap {
    public:
        explicit ErrorTrap(DataControl &control);
        ~ErrorTrap();
        ErrorTrap(const ErrorTrap &) = delete;
        ErrorTrap &operator=(const ErrorTrap &) = delete;
        bool failed() const { return !m_error.ok(); }
        const DbError &error() const { return m_error; }
        void clear() { m_error = {}; }

    private:
        friend class DataControl;
        DataControl &m_control;
        DbError m_error;
    };

    // Navigation as the bar's buttons do it (errors through the Error event).
    void clickFirst();
    void clickPrevious();
    void clickNext();
    void clickLast();

private:
    friend class DataRecordset;
    struct Binding {
        QPointer<QWidget> box;
        QString field;
    };

    void addBinding(QWidget *box, const QString &field);
    void boxChanged(QWidget *box);
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
    QSet<const QWidget *> m_changed;
    bool m_filling = false;
    bool m_noMatch = false;
    DbError m_lastError;
    QVector<ErrorTrap *> m_traps;

    QLabel *m_caption = nullptr;
    QToolButton *m_first = nullptr;
    QToolButton *m_previous = nullptr;
    QToolButton *m_next = nullptr;
    QToolButton *m_last = nullptr;
};

} // namespace corv
