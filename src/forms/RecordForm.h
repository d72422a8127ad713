// The pattern every record window follows (journal, livestock, tank,
// diseases, glossary): one bound record source over one table, shown one
// record at a time in data-bound boxes, with the navigation bar at the
// bottom.
//
// The framework opens the window at its saved position, shows the first
// record (storing a first blank record when the table has none for this
// window), asks for the database file when it is missing, tracks edits,
// saves, adds, deletes, enables and disables the fields, reports itself to
// the main window and closes. Each window states only what differs: its
// fields and their checks, its record source, and the steps it does its
// own way.
#pragma once

#include "Controls.h"
#include "app/Forms.h"
#include "data/DataControl.h"

#include <QDialog>
#include <QVector>
#include <QWidget>
#include <functional>

class QLabel;
class QMdiSubWindow;
class QPushButton;

namespace corv {

class RecordForm : public QWidget, public CorvForm {
    Q_OBJECT
public:
    struct Design {
        FormKind kind;
        QString marker;      // ActiveForm value: "Journal"
        QString positionKey; // settings keys <key>Top and <key>Left
        bool *openFlag;      // JournalOpen
        QString caption;     // the window's caption
        QString dataName;    // the record source's name: "JournalData"
    };

    ~RecordForm() override;

    // The five flags of every record window.
    bool Loading = false;
    bool RecordChanged = false;
    bool RecordAdded = false;
    bool FieldsDisabled = false;
    bool TrackPosition = false;

    // Public procedures.
    QWidget *widget() override { return this; }
    void cmdRefreshData() override;
    void cmdClose_Click() override;
    void mnuAdd_Click() override;
    void mnuDelete_Click() override;
    void mnuSearch_Click() override;
    void Form_Activate() override;
    virtual void Enable_Fields();
    virtual void Disable_Fields();

    // Opens the window (the load handler). False when it closed again while
    // opening: the database was not found and the user cancelled, or it
    // could not open at all.
    bool Form_Load();
    void Form_Click();
    void cmdSave_Click() { Save_Record(); }

    DataControl *data() const { return m_data; }
    const Design &design() const { return m_design; }
    QPushButton *cmdSave = nullptr;
    QPushButton *cmdClose = nullptr;
    TextBox *txtID = nullptr;
    TextBox *txtTankID = nullptr; // journal and livestock only

    // The search window the record windows open (it comes with the search
    // part of the program); when absent the command does nothing more.
    static std::function<QDialog *(QWidget *parent)> searchWindow;

    // Makes a window of type F as a child of the main window and opens it;
    // nullptr when it closed again while opening.
    template <class F> static CorvForm *open() {
        auto *form = new F;
        return form->placeAndLoad() ? form : nullptr;
    }

protected:
    RecordForm(const Design &design, QWidget *parent = nullptr);

    // --- what each window states --------------------------------------
    // The record source of Load_Records.
    virtual QString recordSourceText() const = 0;
    // Runs the record source (journal: Load_Records). Windows with sort
    // orders run their sort handler instead.
    virtual void Load_Records();
    // The reload of the empty-table path, after the first blank record is
    // stored and the database closed (windows with sort orders apply the
    // saved order here).
    virtual void reloadAfterFirstRecord();
    // Sets the record source to recordSourceText() and refreshes.
    void runRecordSource();
    // A window that cannot open now says why and returns false (a window
    // that shows one tank's records, with no default tank set).
    virtual bool canOpen() { return true; }
    virtual void Fill_Fields();
    virtual bool Save_Record();
    virtual void Reposition();
    // Step 5 of Add: flags, the fields, and the focus to the first box.
    virtual void afterRecordAdded();
    // Whether the empty-table path sets TrackPosition again at its end.
    virtual bool trackAfterFirstRecord() const { return true; }
    // Search: the window named in SearchForm, and whether it takes the
    // focus before the search window opens.
    virtual bool focusBeforeSearch() const { return true; }
    // Extra settings to store on Close (sort orders).
    virtual void saveOnClose() {}

    // --- building the window --------------------------------------------
    // A bound box for `field`; `limit` 0 means no input limit.
    TextBox *boundText(const QString &name, const QString &field, int limit = 0);
    MemoBox *boundMemo(const QString &name, const QString &field);
    // A hidden bound box (txtID, txtTankID, a date's twin).
    TextBox *hiddenBound(const QString &name, const QString &field);
    // A visible date box with its hidden bound twin named `name` + "2".
    TextBox *dateBox(const QString &name, const QString &field, const QString &dateMessage);
    // A box that is not bound (the tank's Length and Radius).
    TextBox *plainText(const QString &name);
    QLabel *label(const QString &text, QWidget *buddy, const QString &toolTip = QString());
    QPushButton *button(const QString &name, const QString &caption);
    // Boxes and buttons that Enable_Fields and Disable_Fields switch.
    void addField(QWidget *w) { m_fields.push_back(w); }
    QVector<QWidget *> &fields() { return m_fields; }
    // The box Add puts the focus into.
    void setFirstField(QWidget *w) { m_firstField = w; }
    QWidget *firstField() const { return m_firstField; }
    // Lays out the window: `content` above, the navigation bar below.
    void finishLayout(QLayout *content);

    // Every change of a data box counts as an edit once the window is open.
    void trackChanges(QLineEdit *box);
    void trackChanges(QPlainTextEdit *box);
    // A lost-focus check: `check` shows its own message and returns false
    // when the text is refused; the focus then goes back into the box.
    void checkOnLeave(TextBox *box, std::function<bool()> check);
    // The standard checks.
    static bool numericOk(const QLineEdit *box, const QString &message);
    bool dateOk(TextBox *box, const QString &message);

    // Runs a step of opening with the database-location recovery: a
    // missing file makes the user pick it and the step runs again. False
    // when the user cancelled or another error ended the program.
    bool guarded(const std::function<void()> &step);
    // Shows "Record: n of m".
    void showPosition();
    // The first steps of Reposition: the caption, and the fields enabled
    // for a record or disabled for none (when TrackPosition is set).
    void followPosition();
    // Fills each visible date box from its hidden twin.
    void fillDates();
    void setWaitCursor(bool wait);

    // Close's last steps: the window's position into the settings, then
    // the unload.
    void savePosition();
    void unloadNow();

    void closeEvent(QCloseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

    DataControl *m_data = nullptr;

private:
    bool placeAndLoad();
    void Form_Unload();
    void onDataError(const DbError &error, int &response);
    void onValidate(int action, bool &save);

    struct DatePair {
        TextBox *visible;
        TextBox *hidden;
    };
    Design m_design;
    QVector<QWidget *> m_fields;
    QVector<DatePair> m_dates;
    QWidget *m_firstField = nullptr;
    bool m_refocusing = false;
    bool m_unloaded = false;
};

// Asks for the database file when it is not where DatabasePath says; a
// file named CORVELLA.CVL (any letter case) is taken for `data` and for
// DatabasePath. False when the user cancelled.
bool locateDatabase(DataControl &data);

// The program's answer to an error it cannot recover from while a window
// opens: the message, then the end of the program.
void unexpectedError(const DbError &error);

} // namespace corv
