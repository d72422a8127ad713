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
//
// Adding a record window (say frmGlossary):
//  1. Its row in the window table (app/Forms.cpp) says what the main window
//     knows of it: marker, open flag, menu and toolbar key, status lines,
//     command states, position key, closing order, whether it follows the
//     default tank. The rows of every window Corvella has are there already.
//  2. One class, frmGlossary : RecordForm, constructed with
//     {FormKind::Glossary, caption, record source name}. Its constructor
//     makes the bound boxes (boundText, boundMemo, dateBox, hiddenBound),
//     their checks (checkOnLeave), its own buttons, and lays them out with
//     buttonColumn() and finishLayout(); it names the fields that
//     Enable_Fields switches (addField) and the first field (setFirstField).
//     It overrides recordSourceText() and only the steps it does its own
//     way (Fill_Fields, canOpen, ...). A window with sort orders makes its
//     option buttons with sortFrame() and gives the text of CurrentSort in
//     recordSourceText(); an Index button comes from indexButton().
//  3. Its maker, one line in registerRecordWindows() (forms/Windows.cpp),
//     and its source files in forms/CMakeLists.txt.
// The menu command, toolbar button, routing of Add/Delete/Search/Print,
// EnableDisable, closing on exit/backup/restore and the reload after a new
// default tank then work without further code.
#pragma once

#include "Controls.h"
#include "app/ChildWindow.h"
#include "forms/DataControl.h"

#include <QDialog>
#include <QHash>
#include <QVector>
#include <QWidget>
#include <functional>

class QHBoxLayout;
class QLabel;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

namespace corv {

class RecordForm : public ChildWindow {
    Q_OBJECT
public:
    // What the window table does not say: marker, open flag and position
    // key come from the kind's row.
    struct Design {
        FormKind kind;
        QString caption;  // the window's caption
        QString dataName; // the record source's name: "JournalData"
    };

    // The five flags of every record window.
    bool Loading = false;
    bool RecordChanged = false;
    bool RecordAdded = false;
    bool FieldsDisabled = false;
    bool TrackPosition = false;

    // Public procedures.
    void cmdRefreshData() override;
    bool storeEdits() override { return storeOrDiscard(false); }
    void cmdClose_Click() override;
    void mnuAdd_Click() override;
    void mnuDelete_Click() override;
    void mnuSearch_Click() override;
    virtual void Enable_Fields();
    virtual void Disable_Fields();

    // Opens the window (the load handler). False when it closed again while
    // opening: the database was not found and the user cancelled, or it
    // could not open at all.
    bool Form_Load() override;
    void cmdSave_Click() { Save_Record(); }

    DataControl *data() const { return m_data; }
    const Design &design() const { return m_design; }

    // --- sort orders (livestock, diseases) --------------------------------
    // The sort order last applied, 1 to the number of orders. A window opens
    // in order 1; the order the user chose last time is applied only when
    // the window found no records and stored its first blank one, and Close
    // saves CurrentSort for that next time.
    int CurrentSort = 1;
    // The option button of order `order` ("sort1" ...), or nullptr.
    QRadioButton *sortButton(int order) const;
    int sortCount() const { return int(m_sortButtons.size()); }
    // The sort handler (the option buttons' click, and the window's own
    // calls): the record set is read again in that order and starts at its
    // first row. The option buttons are left as they are.
    void sort_Click(int order);

    // --- the Index button (diseases, glossary) ----------------------------
    // SearchForm names this window, then the index list opens modally; a
    // pick there moves this window's record set to the name picked.
    void cmdIndex_Click();
    // The index list the Index buttons open (it comes with the index part
    // of the program and installs itself here); when absent the button does
    // nothing.
    static std::function<QDialog *(QWidget *parent)> indexWindow;
    // Every record window has them; the framework makes and connects them.
    QPushButton *cmdSave = nullptr;
    QPushButton *cmdClose = nullptr;
    TextBox *txtID = nullptr;
    TextBox *txtTankID = nullptr; // journal and livestock only

    // The search window the record windows open (it comes with the search
    // part of the program); when absent the command does nothing more.
    static std::function<QDialog *(QWidget *parent)> searchWindow;

protected:
    RecordForm(const Design &design, QWidget *parent = nullptr);

    // --- what each window states --------------------------------------
    // The record source of Load_Records (of CurrentSort, for a window with
    // sort orders).
    virtual QString recordSourceText() const = 0;
    // Runs the record source (journal: Load_Records). Windows with sort
    // orders run the sort handler of CurrentSort instead.
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
    // The end of Add, once the new record is stored and shown: the flags,
    // the fields, and the focus to the first box.
    virtual void afterRecordAdded();
    // Whether the empty-table path sets TrackPosition again at its end.
    virtual bool trackAfterFirstRecord() const { return true; }
    // Search: the window named in SearchForm, and whether it takes the
    // focus before the search window opens.
    virtual bool focusBeforeSearch() const { return true; }
    // Extra settings to store on Close (the sort order, when the window
    // has sort orders).
    virtual void saveOnClose();
    // The window's sort order in the settings ("SortOrder"/"StockSort"):
    // 1 when none was saved.
    int savedSortOrder() const;
    void saveSortOrder(int order);

    // --- building the window --------------------------------------------
    // A bound box for `field`; `limit` 0 means no input limit.
    TextBox *boundText(const QString &name, const QString &field, int limit = 0);
    MemoBox *boundMemo(const QString &name, const QString &field);
    // A hidden bound box (txtID, txtTankID, a date's twin).
    TextBox *hiddenBound(const QString &name, const QString &field);
    // A visible date box with its hidden bound twin named `name` + "2".
    TextBox *dateBox(const QString &name, const QString &field, const QString &dateMessage);
    // A visible box of Corvella's own words (a kind, a unit), with its hidden
    // bound twin named `name` + "2": the field keeps the English word, the
    // box shows it in the user's language (`shown`), and what is typed is
    // stored back through `stored`. A word of the keeper's own passes as is.
    using WordMap = QString (*)(const QString &);
    TextBox *wordsBox(const QString &name, const QString &field, int limit, WordMap shown,
                      WordMap stored);
    // What the field of a box made by wordsBox (or dateBox) holds.
    QString storedText(const TextBox *visible) const;
    // A box that is not bound (the tank's Length and Radius).
    TextBox *plainText(const QString &name);
    QLabel *label(const QString &text, QWidget *buddy, const QString &toolTip = QString());
    QPushButton *button(const QString &name, const QString &caption);
    // The "Index" button (cmdIndex), wired to cmdIndex_Click.
    QPushButton *indexButton();
    // The label "Sort by:" and the frame SortFrame with one option button
    // per caption in a row, sort1 first and selected. recordSourceText()
    // then gives the text of CurrentSort, and the sort handler of
    // CurrentSort takes the place of Load_Records.
    QHBoxLayout *sortFrame(const QStringList &captions);
    // Boxes and buttons that Enable_Fields and Disable_Fields switch.
    void addField(QWidget *w) { m_fields.push_back(w); }
    void addFields(std::initializer_list<QWidget *> ws) {
        for (QWidget *w : ws)
            addField(w);
    }
    // Tab goes through `order` in that order.
    void tabChain(std::initializer_list<QWidget *> order);
    QVector<QWidget *> &fields() { return m_fields; }
    // The box Add puts the focus into.
    void setFirstField(QWidget *w) { m_firstField = w; }
    QWidget *firstField() const { return m_firstField; }
    // The column of buttons: the window's own first, then Save and Close,
    // each at least `minWidth` wide, with the spare room below them.
    QVBoxLayout *buttonColumn(std::initializer_list<QPushButton *> own, int minWidth);
    // The button column (as buttonColumn()) with the labelled notes box
    // "Notes:" beside it, taking the spare width and height.
    QHBoxLayout *notesBesideButtons(MemoBox *notes, std::initializer_list<QPushButton *> own,
                                    int minWidth);
    // Lays out the window: `content` above, the navigation bar below.
    void finishLayout(QLayout *content);
    // The same with `rows` one above the other as the content, the last
    // taking the spare height.
    void finishRows(std::initializer_list<QLayout *> rows);

    // Every change of a data box counts as an edit once the window is open.
    void trackChanges(QLineEdit *box);
    void trackChanges(QPlainTextEdit *box);
    // A lost-focus check: `check` shows its own message and returns false
    // when the text is refused; the focus then goes back into the box. The
    // same check runs before an edit of the box is stored, however the
    // record is stored (Add and the navigation bar take no focus).
    void checkOnLeave(TextBox *box, std::function<bool()> check);
    // A visible box whose text a hidden bound box carries (a date, the
    // tank's Length): an edit of the hidden one is the visible one's.
    void setTwin(QWidget *visible, TextBox *hidden);
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
    // A visible box and its hidden bound twin, kept in step both ways
    // (`words`: a words box, else a date box).
    TextBox *twinBox(const QString &name, const QString &field, bool words,
                     std::function<QString(const QString &)> shown,
                     std::function<QString(const QString &)> stored);
    // Fills each visible date or words box from its hidden twin.
    void fillTwins();
    void setWaitCursor(bool wait);

    // The close box stores what is still in the bound boxes first; the
    // unload closes the database.
    bool closeBoxAllowed() override;
    void unloadSteps() override;

    // Whether the record may be left (or the window closed): every edited
    // box holds a text its field can take, and the edits are stored or the
    // user gave them up. `viaUpdate` stores through the record set's Update
    // (which raises Validate); otherwise the bound boxes are written as the
    // record source writes them when a record is left.
    bool storeOrDiscard(bool viaUpdate);
    // The first edited box whose text its field cannot take says so in its
    // own message and takes the focus; false then.
    bool fieldsStorable();
    // The record could not be stored for a reason no box can mend (the file
    // cannot be written, the record was deleted by another program): the
    // user is told and asked whether to give up the edits. True when they
    // were given up: the record shows its stored values again.
    bool offerDiscard(const DbError &error);
    // Brings the window to the front with the focus in `box`.
    void focusRefusedBox(QWidget *box);

    // Page Up / Page Down, Ctrl+Home / Ctrl+End move between records from
    // any control of the window, a notes box included.
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool recordKey(QKeyEvent *event);

    DataControl *m_data = nullptr;

private:
    void onDataError(const DbError &error, int &response);
    // Runs a modal window that a later part of the program provides.
    void runModal(const std::function<QDialog *(QWidget *)> &make);
    void onValidate(int action, bool &save);

    // A visible box and its hidden bound twin, with how a stored text is
    // shown and a shown text stored.
    struct TwinPair {
        TextBox *visible;
        TextBox *hidden;
        std::function<QString(const QString &)> shown;
        std::function<QString(const QString &)> stored;
    };
    struct BoxCheck {
        TextBox *box;
        std::function<bool()> check;
    };
    // Whether the box (or its hidden twin) holds an edit not stored yet.
    bool editPending(QWidget *box) const;
    // A box the user knows the field by: the visible twin of a hidden box.
    QWidget *visibleBox(QWidget *box) const;
    // Says, without database words, that a field cannot take its text.
    void refuseUnstorableField();
    void installRecordKeys();

    Design m_design;
    QVector<QWidget *> m_fields;
    QVector<TwinPair> m_pairs;
    QVector<BoxCheck> m_checks;
    QHash<QWidget *, TextBox *> m_twins;
    bool m_keysInstalled = false;
    QWidget *m_firstField = nullptr;
    QVector<QRadioButton *> m_sortButtons;
    bool m_refocusing = false;
    bool m_fillingTwins = false;
};

// Asks for the database file when it is not where DatabasePath says; a
// file named CORVELLA.CVL (any letter case) is taken for `data` and for
// DatabasePath. False when the user cancelled.
bool locateDatabase(DataControl &data);

// The program's answer to an error it cannot recover from while a window
// opens: the message, then the end of the program.
void unexpectedError(const DbError &error);

} // namespace corv
