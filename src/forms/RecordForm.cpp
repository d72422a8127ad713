#include "RecordForm.h"

#include "WindowSupport.h"

#include "app/CorvModule.h"
#include "app/DatabaseLock.h"
#include "app/Settings.h"
#include "app/mdiCorvella.h"
#include "platform/Conversions.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

namespace corv {

std::function<QDialog *(QWidget *)> RecordForm::searchWindow;
std::function<QDialog *(QWidget *)> RecordForm::indexWindow;

bool locateDatabase(DataControl &data) {
    FileRequest r;
    r.title =
        QCoreApplication::translate("RecordForm", "Unable to find the CORVELLA.CVL file location");
    r.filter = QStringLiteral("(*.cvl)|*.cvl");
    r.initialFolder = CorvModule::userFolder();
    r.fileName = QStringLiteral("CORVELLA.CVL");
    r.flags = FileExplorer | FileMustExist | FilePathMustExist | FileHideReadOnly;
    const QString wanted = QDir::separator() + QStringLiteral("CORVELLA.CVL");
    for (;;) {
        const auto chosen = dialogs().openFile(r);
        if (!chosen)
            return false;
        const QString name = QDir::toNativeSeparators(*chosen);
        if (name.toUpper().endsWith(wanted)) {
            // The file may be the one another Corvella has open (by this
            // name or another): two programs would overwrite each other.
            if (DatabaseLock::lockProgramDatabase(name) == DatabaseLock::InUse) {
                msgBox(DatabaseLock::inUseMessage(name), MsgButtons::Ok, MsgIcon::Exclamation,
                       applicationTitle());
                continue;
            }
            // For this run only: the settings keep the path they have.
            data.setDatabaseName(name);
            CorvModule::DatabasePath = name;
            return true;
        }
        // Any other file would fail to open in the same way: ask again.
    }
}

void unexpectedError(const DbError &error) {
    msgBox(QCoreApplication::translate("RecordForm", "Unexpected Error: ") + error.description,
           MsgButtons::Ok, MsgIcon::None, applicationTitle());
    CorvModule::End(1);
}

RecordForm::RecordForm(const Design &design, QWidget *parent)
    : ChildWindow(design.kind, parent), m_design(design) {
    setWindowTitle(design.caption);
    m_data = new DataControl(this);
    m_data->setObjectName(design.dataName);
    m_data->onReposition = [this] { Reposition(); };
    m_data->onValidate = [this](int action, bool &save) { onValidate(action, save); };
    m_data->onError = [this](const DbError &e, int &response) { onDataError(e, response); };
    m_data->beforeMove = [this] { return storeOrDiscard(false); };
    txtID = hiddenBound(QStringLiteral("txtID"), QStringLiteral("ID"));
    cmdSave = button(QStringLiteral("cmdSave"), QCoreApplication::translate("RecordForm", "Save"));
    cmdClose =
        button(QStringLiteral("cmdClose"), QCoreApplication::translate("RecordForm", "Close"));
    connect(cmdSave, &QPushButton::clicked, this, &RecordForm::cmdSave_Click);
    connect(cmdClose, &QPushButton::clicked, this, &RecordForm::cmdClose_Click);
}

// --- building ----------------------------------------------------------------

void RecordForm::trackChanges(QLineEdit *box) {
    connect(box, &QLineEdit::textChanged, this, [this] {
        if (!Loading)
            RecordChanged = true;
    });
}

void RecordForm::trackChanges(QPlainTextEdit *box) {
    connect(box, &QPlainTextEdit::textChanged, this, [this] {
        if (!Loading)
            RecordChanged = true;
    });
}

TextBox *RecordForm::boundText(const QString &name, const QString &field, int limit) {
    TextBox *box = plainText(name);
    if (limit > 0)
        box->setInputLimit(limit);
    m_data->bind(box, field);
    trackChanges(box);
    return box;
}

MemoBox *RecordForm::boundMemo(const QString &name, const QString &field) {
    auto *box = new MemoBox(this);
    box->setObjectName(name);
    highlightOnFocus(box);
    m_data->bind(box, field);
    trackChanges(box);
    return box;
}

TextBox *RecordForm::hiddenBound(const QString &name, const QString &field) {
    auto *box = new TextBox(this);
    box->setObjectName(name);
    box->setVisible(false);
    m_data->bind(box, field);
    return box;
}

TextBox *RecordForm::plainText(const QString &name) {
    auto *box = new TextBox(this);
    box->setObjectName(name);
    highlightOnFocus(box);
    return box;
}

TextBox *RecordForm::dateBox(const QString &name, const QString &field,
                             const QString &dateMessage) {
    TextBox *visible = twinBox(name, field, false, &formatUserDate, &formatUserDate);
    visible->setToolTip(userDateFormatName());
    checkOnLeave(visible, [this, visible, dateMessage] {
        return dateOk(visible, withUserDateFormat(dateMessage));
    });
    return visible;
}

TextBox *RecordForm::wordsBox(const QString &name, const QString &field, int limit, WordMap shown,
                              WordMap stored) {
    TextBox *visible = twinBox(name, field, true, shown, stored);
    if (limit > 0)
        visible->setInputLimit(limit);
    return visible;
}

TextBox *RecordForm::twinBox(const QString &name, const QString &field, bool words,
                             std::function<QString(const QString &)> shown,
                             std::function<QString(const QString &)> stored) {
    TextBox *visible = plainText(name);
    TextBox *hidden = hiddenBound(name + u'2', field);
    const bool isDate = !words;
    connect(visible, &QLineEdit::textChanged, this, [this, visible, hidden, stored, isDate] {
        if (Loading)
            return;
        // A refilled box counts as an edit, as it always has; but a word
        // shown in the user's language is not stored back when a record is
        // shown, so that showing one never rewrites it ("water change"
        // would come back as "Water Change").
        RecordChanged = true;
        if (m_fillingTwins && !isDate)
            return;
        hidden->setText(stored(visible->text()));
    });
    m_pairs.push_back({visible, hidden, std::move(shown), std::move(stored)});
    setTwin(visible, hidden);
    return visible;
}

QString RecordForm::storedText(const TextBox *visible) const {
    for (const TwinPair &d : m_pairs)
        if (d.visible == visible)
            return d.hidden->text();
    return visible->text();
}

QLabel *RecordForm::label(const QString &text, QWidget *buddy, const QString &toolTip) {
    auto *l = new QLabel(text, this);
    l->setBuddy(buddy);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (!toolTip.isEmpty())
        l->setToolTip(toolTip);
    return l;
}

QPushButton *RecordForm::button(const QString &name, const QString &caption) {
    auto *b = new QPushButton(caption, this);
    b->setObjectName(name);
    return b;
}

QPushButton *RecordForm::indexButton() {
    QPushButton *b =
        button(QStringLiteral("cmdIndex"), QCoreApplication::translate("RecordForm", "Index"));
    connect(b, &QPushButton::clicked, this, &RecordForm::cmdIndex_Click);
    return b;
}

QHBoxLayout *RecordForm::sortFrame(const QStringList &captions) {
    auto *frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("SortFrame"));
    frame->setFrameShape(QFrame::StyledPanel);
    auto *options = new QHBoxLayout(frame);
    options->setContentsMargins(8, 4, 8, 4);
    options->setSpacing(16);
    for (int i = 0; i < captions.size(); ++i) {
        auto *option = new QRadioButton(captions[i], frame);
        option->setObjectName(QStringLiteral("sort%1").arg(i + 1));
        option->setChecked(i == 0);
        const int order = i + 1;
        connect(option, &QRadioButton::clicked, this, [this, order] { sort_Click(order); });
        options->addWidget(option);
        m_sortButtons.push_back(option);
    }
    options->addStretch(1);
    auto *row = new QHBoxLayout;
    row->setSpacing(8);
    QLabel *caption =
        label(QCoreApplication::translate("RecordForm", "Sort by:"), m_sortButtons.value(0));
    row->addWidget(caption);
    row->addWidget(frame, 1);
    return row;
}

QHBoxLayout *RecordForm::notesBesideButtons(MemoBox *notes,
                                            std::initializer_list<QPushButton *> own,
                                            int minWidth) {
    auto *notesColumn = new QVBoxLayout;
    notesColumn->setSpacing(2);
    auto *notesLabel = new QLabel(QCoreApplication::translate("RecordForm", "Notes:"), this);
    notesLabel->setBuddy(notes);
    notesColumn->addWidget(notesLabel);
    notesColumn->addWidget(notes, 1);
    auto *row = new QHBoxLayout;
    row->setSpacing(10);
    row->addLayout(buttonColumn(own, minWidth));
    row->addLayout(notesColumn, 1);
    return row;
}

QVBoxLayout *RecordForm::buttonColumn(std::initializer_list<QPushButton *> own, int minWidth) {
    auto *column = new QVBoxLayout;
    column->setSpacing(6);
    auto add = [&](QPushButton *b) {
        b->setMinimumWidth(minWidth);
        column->addWidget(b);
    };
    for (QPushButton *b : own)
        add(b);
    add(cmdSave);
    add(cmdClose);
    column->addStretch(1);
    return column;
}

void RecordForm::finishLayout(QLayout *content) {
    auto *all = new QVBoxLayout(this);
    all->setContentsMargins(10, 10, 10, 6);
    all->setSpacing(8);
    all->addLayout(content, 1);
    all->addWidget(m_data);
}

void RecordForm::finishRows(std::initializer_list<QLayout *> rows) {
    auto *content = new QVBoxLayout;
    content->setSpacing(10);
    for (QLayout *row : rows)
        content->addLayout(row, row == *(rows.end() - 1) ? 1 : 0);
    finishLayout(content);
}

void RecordForm::tabChain(std::initializer_list<QWidget *> order) {
    const auto w = order.begin();
    for (size_t i = 1; i < order.size(); ++i)
        setTabOrder(w[i - 1], w[i]);
}

void RecordForm::setTwin(QWidget *visible, TextBox *hidden) {
    m_twins.insert(visible, hidden);
}

void RecordForm::checkOnLeave(TextBox *box, std::function<bool()> check) {
    m_checks.push_back({box, check});
    box->onLostFocus = [this, box, check = std::move(check)] {
        // While the focus is being put back after a refused text, the box it
        // passes through must not check (and complain) in turn.
        if (m_refocusing)
            return;
        if (check())
            return;
        focusRefusedBox(box);
    };
}

bool RecordForm::numericOk(const QLineEdit *box, const QString &message) {
    const QString text = box->text();
    // "1e999" reads as a number but no field can hold it; refusing it here
    // keeps the record storable.
    if (text.isEmpty() || readsAsUserFiniteNumber(text))
        return true;
    msgBox(message, MsgButtons::Ok, MsgIcon::Exclamation,
           QCoreApplication::translate("RecordForm", "Numeric Error"));
    return false;
}

bool RecordForm::dateOk(TextBox *box, const QString &message) {
    const QString text = box->text();
    if (text.isEmpty())
        return true;
    if (readsAsUserDate(text)) {
        const QString formatted = formatUserDate(text);
        box->setText(formatted);
        for (const TwinPair &d : std::as_const(m_pairs))
            if (d.visible == box)
                d.hidden->setText(formatUserDate(formatted));
        return true;
    }
    msgBox(message, MsgButtons::Ok, MsgIcon::Exclamation,
           QCoreApplication::translate("RecordForm", "Date Error"));
    return false;
}

// --- opening -----------------------------------------------------------------

bool RecordForm::guarded(const std::function<void()> &step) {
    return runGuarded(*m_data, step);
}

bool RecordForm::Form_Load() {
    Loading = true;
    installRecordKeys();
    restorePosition();

    if (!canOpen())
        return false;
    markActive();

    RecordAdded = false;
    FieldsDisabled = false;
    TrackPosition = true;
    m_data->setDatabaseName(CorvModule::DatabasePath);
    if (!guarded([this] { Load_Records(); }))
        return false;

    auto &rs = m_data->Recordset();
    if (rs.AbsolutePosition() < 0) {
        // Nothing to show: a first blank record is stored at once.
        {
            DataControl::ErrorTrap trap(*m_data);
            m_data->UpdateControls();
            rs.AddNew();
            if (!m_data->UpdateRecord()) {
                // A file that cannot be written: say so, and show the empty
                // set rather than a record that does not exist.
                const DbError e = trap.error();
                rs.CancelUpdate();
                msgBox(QCoreApplication::translate("RecordForm", "Unable to save the record: ") +
                           e.description,
                       MsgButtons::Ok, MsgIcon::Exclamation);
                Fill_Fields();
                QCoreApplication::processEvents();
                RecordChanged = false;
                Loading = false;
                return true;
            }
        }
        if (!guarded([this] {
                m_data->DatabaseClose();
                reloadAfterFirstRecord();
            }))
            return false;
        TrackPosition = false;
        if (!guarded([this, &rs] {
                rs.MoveLast();
                rs.Edit();
                m_data->UpdateControls();
            }))
            return false;
        showPosition();
        if (trackAfterFirstRecord())
            TrackPosition = true;
        Fill_Fields();
        RecordAdded = true;
    } else {
        Fill_Fields();
    }
    QCoreApplication::processEvents();
    RecordChanged = false;
    Loading = false;
    // The window opens ready for typing into its first box.
    if (m_firstField && m_firstField->isEnabled())
        m_firstField->setFocus(Qt::OtherFocusReason);
    return true;
}

void RecordForm::runRecordSource() {
    m_data->setRecordSource(recordSourceText());
    m_data->Refresh();
}

void RecordForm::Load_Records() {
    if (!m_sortButtons.isEmpty()) {
        sort_Click(CurrentSort);
        return;
    }
    if (RecordAdded)
        Save_Record();
    runRecordSource();
}

void RecordForm::reloadAfterFirstRecord() {
    if (m_sortButtons.isEmpty()) {
        runRecordSource();
        return;
    }
    // The order the user chose last time; the option buttons still show the
    // first one.
    const int saved = savedSortOrder();
    sort_Click(saved >= 1 && saved <= sortCount() ? saved : 1);
}

QRadioButton *RecordForm::sortButton(int order) const {
    return m_sortButtons.value(order - 1, nullptr);
}

void RecordForm::sort_Click(int order) {
    // A new record set replaces the one that holds the record shown. What
    // that record holds and was never stored (a record just added, or edits
    // of an older one) is stored first, as leaving the record would; when
    // it cannot be, the order stays as it was and the edits stay on screen.
    if ((RecordAdded || RecordChanged) && !Save_Record()) {
        if (QRadioButton *shown = sortButton(CurrentSort))
            shown->setChecked(true);
        return;
    }
    CurrentSort = order;
    runRecordSource();
}

void RecordForm::saveOnClose() {
    if (!m_sortButtons.isEmpty())
        saveSortOrder(CurrentSort);
}

void RecordForm::cmdRefreshData() {
    Load_Records();
}

// --- showing records ----------------------------------------------------------

void RecordForm::showPosition() {
    const auto &rs = m_data->Recordset();
    m_data->setCaption(QCoreApplication::translate("RecordForm", "Record: ") +
                       QString::number(rs.AbsolutePosition() + 1) +
                       QCoreApplication::translate("RecordForm", " of ") +
                       QString::number(rs.RecordCount()));
}

void RecordForm::fillTwins() {
    const QScopedValueRollback<bool> filling(m_fillingTwins, true);
    for (const TwinPair &d : std::as_const(m_pairs))
        d.visible->setText(d.shown(d.hidden->text()));
}

void RecordForm::followPosition() {
    showPosition();
    if (TrackPosition) {
        if (m_data->Recordset().AbsolutePosition() == -1)
            Disable_Fields();
        else
            Enable_Fields();
    }
}

void RecordForm::Reposition() {
    followPosition();
    fillTwins();
    if (txtTankID)
        txtTankID->setText(CorvModule::CurrentTankID);
    setWaitCursor(false);
}

void RecordForm::Fill_Fields() {
    if (txtTankID)
        txtTankID->setText(CorvModule::CurrentTankID);
    fillTwins();
    RecordChanged = false;
}

void RecordForm::onDataError(const DbError &error, int &response) {
    response = 0;
    // A text its field cannot take is the user's to mend: the box says so.
    if (error.number == DbErr::ConversionError || error.number == DbErr::FieldTooSmall) {
        refuseUnstorableField();
        return;
    }
    // Every engine error is shown while a record is current, the first one
    // included.
    if (m_data->Recordset().AbsolutePosition() >= 0)
        msgBox(QCoreApplication::translate("RecordForm", "Data error: ") + error.description,
               MsgButtons::Ok, MsgIcon::None, applicationTitle());
}

void RecordForm::onValidate(int action, bool &) {
    if (action == ActionClose)
        setWaitCursor(false);
}

void RecordForm::setWaitCursor(bool wait) {
    dialogs().setWaitCursor(wait);
}

void RecordForm::Enable_Fields() {
    FieldsDisabled = false;
    for (QWidget *w : std::as_const(m_fields))
        w->setEnabled(true);
    if (cmdSave)
        cmdSave->setEnabled(true);
}

void RecordForm::Disable_Fields() {
    FieldsDisabled = true;
    for (QWidget *w : std::as_const(m_fields))
        w->setEnabled(false);
    if (cmdSave)
        cmdSave->setEnabled(false);
}

// --- the commands -------------------------------------------------------------

bool RecordForm::Save_Record() {
    // Nothing is lost without a word: an edit that is neither stored nor
    // given up stays in the boxes, and the window knows it still has to
    // store it.
    bool goOn = true;
    if (m_data->Recordset().AbsolutePosition() >= 0)
        goOn = storeOrDiscard(true);
    if (goOn) {
        RecordChanged = false;
        RecordAdded = false;
    }
    setWaitCursor(false);
    return goOn;
}

bool RecordForm::editPending(QWidget *box) const {
    if (m_data->records().isAdding() || m_data->DataChanged(box))
        return true;
    const TextBox *twin = m_twins.value(box, nullptr);
    return twin && m_data->DataChanged(twin);
}

QWidget *RecordForm::visibleBox(QWidget *box) const {
    for (auto it = m_twins.cbegin(); it != m_twins.cend(); ++it)
        if (it.value() == box)
            return it.key();
    return box;
}

bool RecordForm::fieldsStorable() {
    if (!m_data->records().isOpen())
        return true;
    for (const BoxCheck &c : std::as_const(m_checks)) {
        if (!editPending(c.box))
            continue;
        if (!c.check()) {
            focusRefusedBox(c.box);
            return false;
        }
    }
    if (m_data->unstorableBinding() >= 0) {
        refuseUnstorableField();
        return false;
    }
    return true;
}

void RecordForm::refuseUnstorableField() {
    FieldInfo field;
    const int binding = m_data->unstorableBinding(&field);
    QWidget *box = binding >= 0 ? m_data->boundBox(binding) : nullptr;
    if (box)
        box = visibleBox(box);
    // The box's label names the field as the window shows it.
    QString name = field.name;
    if (box) {
        for (const QLabel *l : findChildren<QLabel *>()) {
            if (l->buddy() == box) {
                name = l->text().remove(u'&').trimmed();
                if (name.endsWith(u':'))
                    name.chop(1);
                break;
            }
        }
    }
    QString title = applicationTitle();
    if (field.kind == FieldKind::Date)
        title = QCoreApplication::translate("RecordForm", "Date Error");
    else if (field.kind == FieldKind::Integer || field.kind == FieldKind::Number ||
             field.kind == FieldKind::Currency)
        title = QCoreApplication::translate("RecordForm", "Numeric Error");
    const QString text =
        binding >= 0 ? (field.kind == FieldKind::Date
                            ? withUserDateFormat(QCoreApplication::translate(
                                  "RecordForm", "Please enter a valid date (mm/dd/yyyy)!"))
                            : QCoreApplication::translate("RecordForm", "Please enter a valid %1!")
                                  .arg(name))
                     : QCoreApplication::translate(
                           "RecordForm",
                           "A value of this record cannot be stored. Please check the fields.");
    msgBox(text, MsgButtons::Ok, MsgIcon::Exclamation, title);
    if (box)
        focusRefusedBox(box);
}

void RecordForm::focusRefusedBox(QWidget *box) {
    if (auto *frame = qobject_cast<QMdiSubWindow *>(positionFrame(this))) {
        if (frame->isMinimized())
            frame->showNormal();
        if (QMdiArea *area = frame->mdiArea())
            area->setActiveSubWindow(frame);
    }
    // Moving the focus must not make the box it leaves check in turn.
    m_refocusing = true;
    box->setFocus(Qt::OtherFocusReason);
    m_refocusing = false;
    // The text is highlighted for typing over, also when the focus arrives
    // only once the window is active again after the message.
    if (mdiCorvella *m = mdiCorvella::instance())
        m->SelectMe(box);
}

bool RecordForm::offerDiscard(const DbError &error) {
    const MsgResult answer =
        msgBox(QCoreApplication::translate("RecordForm", "The record could not be saved.\n\n") +
                   error.description +
                   QCoreApplication::translate(
                       "RecordForm", "\n\nDo you want to discard your changes to this record?"),
               MsgButtons::YesNo, MsgIcon::Exclamation,
               QCoreApplication::translate("RecordForm", "Record Not Saved"), MsgResult::No);
    if (answer != MsgResult::Yes)
        return false;
    // Back to what the file holds; the refill and the window's own reaction
    // to it count as no edit.
    DataControl::ErrorTrap quiet(*m_data);
    m_data->Recordset().CancelUpdate();
    m_data->UpdateControls();
    RecordChanged = false;
    RecordAdded = false;
    return true;
}

bool RecordForm::storeOrDiscard(bool viaUpdate) {
    const RecordSet &records = m_data->records();
    if (!records.isOpen())
        return true;
    // Nothing edited, or no record to store the edits into (the last one
    // deleted): nothing to store.
    if (!viaUpdate && !(records.isAdding() || (records.hasCurrent() && m_data->DataChanged())))
        return true;
    if (!fieldsStorable())
        return false;
    DbError error;
    {
        DataControl::ErrorTrap trap(*m_data);
        if (viaUpdate ? m_data->Recordset().Update() : m_data->UpdateRecord())
            return true;
        error = trap.error();
    }
    if (error.number == DbErr::ConversionError || error.number == DbErr::FieldTooSmall) {
        refuseUnstorableField();
        return false;
    }
    return offerDiscard(error);
}

void RecordForm::installRecordKeys() {
    if (m_keysInstalled)
        return;
    m_keysInstalled = true;
    installEventFilter(this);
    for (QWidget *w : findChildren<QWidget *>())
        w->installEventFilter(this);
}

bool RecordForm::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget *>(watched)->window() == window() &&
        recordKey(static_cast<QKeyEvent *>(event)))
        return true;
    return ChildWindow::eventFilter(watched, event);
}

bool RecordForm::recordKey(QKeyEvent *event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    void (DataControl::*move)() = nullptr;
    if (mods == Qt::NoModifier && event->key() == Qt::Key_PageUp)
        move = &DataControl::clickPrevious;
    else if (mods == Qt::NoModifier && event->key() == Qt::Key_PageDown)
        move = &DataControl::clickNext;
    else if (mods == Qt::ControlModifier && event->key() == Qt::Key_Home)
        move = &DataControl::clickFirst;
    else if (mods == Qt::ControlModifier && event->key() == Qt::Key_End)
        move = &DataControl::clickLast;
    if (!move || Loading)
        return false;
    (m_data->*move)();
    // The box keeps the focus but shows another record's value: it is
    // highlighted as if it had just been entered, so typing replaces the
    // value instead of appending to it.
    QWidget *focused = QApplication::focusWidget();
    if (focused && focused->window() == window())
        if (mdiCorvella *m = mdiCorvella::instance())
            m->SelectMe(focused);
    return true;
}

void RecordForm::afterRecordAdded() {
    RecordAdded = true;
    Fill_Fields();
    if (m_firstField)
        m_firstField->setFocus(Qt::OtherFocusReason);
}

void RecordForm::mnuAdd_Click() {
    if ((RecordAdded || RecordChanged) && !Save_Record())
        return;
    if (FieldsDisabled)
        Enable_Fields();
    TrackPosition = false;
    auto &rs = m_data->Recordset();
    {
        DataControl::ErrorTrap trap(*m_data);
        if (rs.RecordCount() > 0)
            rs.MoveLast();
        rs.AddNew();
        if (!m_data->UpdateRecord()) {
            const DbError e = trap.error();
            rs.CancelUpdate();
            TrackPosition = true;
            Reposition();
            msgBox(QCoreApplication::translate("RecordForm", "Unable to add a record: ") +
                       e.description,
                   MsgButtons::Ok, MsgIcon::Exclamation);
            return;
        }
        rs.MoveLast();
        rs.Edit();
        m_data->UpdateControls();
    }
    showPosition();
    TrackPosition = true;
    afterRecordAdded();
}

void RecordForm::mnuDelete_Click() {
    if (askYesNo(QCoreApplication::translate("RecordForm",
                                             "Are you sure you want to delete the current record?"),
                 QCoreApplication::translate("RecordForm", "Delete Record"))) {
        auto &rs = m_data->Recordset();
        const int p = rs.AbsolutePosition();
        if (p >= 0 && rs.Delete()) {
            if (p == 0)
                rs.MoveNext();
            else
                rs.setAbsolutePosition(p - 1);
        }
    }
    setWaitCursor(false);
}

void RecordForm::runModal(const std::function<QDialog *(QWidget *)> &make) {
    if (!make)
        return;
    if (QDialog *d = make(this)) {
        dialogs().execModal(*d);
        delete d;
    }
}

void RecordForm::mnuSearch_Click() {
    CorvModule::SearchForm = kindInfo().markerText();
    if (focusBeforeSearch())
        setFocus(Qt::OtherFocusReason);
    runModal(searchWindow);
}

void RecordForm::cmdIndex_Click() {
    CorvModule::SearchForm = kindInfo().markerText();
    runModal(indexWindow);
}

void RecordForm::cmdClose_Click() {
    if ((RecordAdded || RecordChanged) && !Save_Record())
        return; // the record could not be stored: the window stays open
    savePosition();
    saveOnClose();
    unloadNow();
}

int RecordForm::savedSortOrder() const {
    return Settings::sortOrder(QString::fromLatin1(kindInfo().positionKey));
}

void RecordForm::saveSortOrder(int order) {
    Settings::setSortOrder(QString::fromLatin1(kindInfo().positionKey), order);
}

bool RecordForm::closeBoxAllowed() {
    // The close box: edits still in the bound boxes are stored; if they
    // cannot be, the window stays open with them unless the user gives
    // them up. With no record left (the last one deleted) there is nothing
    // to store: the window closes.
    return storeOrDiscard(false);
}

void RecordForm::unloadSteps() {
    DataControl::ErrorTrap quiet(*m_data);
    m_data->DatabaseClose();
}

} // namespace corv
