#include "frmTasks.h"

#include "CareWindows.h"

#include "care/CareLog.h"

#include "app/CorvModule.h"
#include "data/Connection.h"
#include "data/RecordSources.h"
#include "forms/frmJournal.h"
#include "platform/Conversions.h"
#include "platform/Dialogs.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace corv {

namespace {

const QStringList &unitTexts() {
    static const QStringList t{QStringLiteral("Days"), QStringLiteral("Weeks")};
    return t;
}

const QStringList &rhythmTexts() {
    static const QStringList t{care::rhythmText(care::Rhythm::Rolling),
                               care::rhythmText(care::Rhythm::Fixed)};
    return t;
}

QComboBox *list(QWidget *parent, const QString &name, const QStringList &items,
                const QString &tip) {
    auto *c = new QComboBox(parent);
    c->setObjectName(name);
    c->addItems(items);
    c->setToolTip(tip);
    return c;
}

} // namespace

frmTasks::frmTasks()
    : RecordForm({FormKind::Tasks, QCoreApplication::translate("frmTasks", "Tasks"),
                  QStringLiteral("TasksData")}) {
    setObjectName(QStringLiteral("frmTasks"));
    TasksData = m_data;
    txtTaskTank = hiddenBound(QStringLiteral("txtTaskTank"), QStringLiteral("TankID"));
    txtIntervalUnit =
        hiddenBound(QStringLiteral("txtIntervalUnit"), QStringLiteral("IntervalUnit"));
    txtRhythm = hiddenBound(QStringLiteral("txtRhythm"), QStringLiteral("Rhythm"));
    txtTitle = boundText(QStringLiteral("txtTitle"), QStringLiteral("Title"), 254);
    txtKind =
        wordsBox(QStringLiteral("txtKind"), QStringLiteral("Kind"), 254, &shownKind, &storedKind);
    txtKind->setToolTip(QCoreApplication::translate(
        "frmTasks", "What does the task: Water Test (a journal entry), or a "
                    "kind of the maintenance log"));
    txtInterval = boundText(QStringLiteral("txtInterval"), QStringLiteral("Interval"), 5);
    txtStartDate =
        dateBox(QStringLiteral("txtStartDate"), QStringLiteral("StartDate"),
                QCoreApplication::translate("frmTasks", "Please enter a valid date (mm/dd/yyyy)!"));
    txtStartDate2 = findChild<TextBox *>(QStringLiteral("txtStartDate2"));
    txtNotes = boundMemo(QStringLiteral("txtNotes"), QStringLiteral("Notes"));
    checkOnLeave(txtInterval, [this] {
        const QString t = txtInterval->text().trimmed();
        const auto v = toUserNumber(t);
        if (t.isEmpty() ||
            (readsAsUserFiniteNumber(t) && v && care::intervalDays(*v, QString()) > 0))
            return true;
        msgBox(QCoreApplication::translate(
                   "frmTasks", "Please enter a valid interval (a whole number from 1)!"),
               MsgButtons::Ok, MsgIcon::Exclamation,
               QCoreApplication::translate("frmTasks", "Numeric Error"));
        return false;
    });

    // The lists store English texts and show them in the user's language.
    cboIntervalUnit = list(this, QStringLiteral("cboIntervalUnit"),
                           {QCoreApplication::translate("frmTasks", "Days"),
                            QCoreApplication::translate("frmTasks", "Weeks")},
                           QCoreApplication::translate("frmTasks", "Days or Weeks"));
    cboRhythm = list(this, QStringLiteral("cboRhythm"),
                     {QCoreApplication::translate("frmTasks", "Rolling"),
                      QCoreApplication::translate("frmTasks", "Fixed")},
                     QCoreApplication::translate(
                         "frmTasks", "Rolling: due the interval after it was last done. Fixed: due "
                                     "on the calendar rhythm from the start date."));
    cboFor = list(this, QStringLiteral("cboFor"),
                  {QCoreApplication::translate("frmTasks", "This tank"),
                   QCoreApplication::translate("frmTasks", "Every tank")},
                  QCoreApplication::translate("frmTasks", "This tank, or each tank on its own"));
    connect(cboIntervalUnit, &QComboBox::activated, this,
            [this] { listPicked(cboIntervalUnit, txtIntervalUnit, unitTexts()); });
    connect(cboRhythm, &QComboBox::activated, this,
            [this] { listPicked(cboRhythm, txtRhythm, rhythmTexts()); });
    connect(cboFor, &QComboBox::activated, this, [this] {
        if (Loading)
            return;
        RecordChanged = true;
        txtTaskTank->setText(cboFor->currentIndex() == 1 ? QString() : CorvModule::CurrentTankID);
        showNextDue();
    });

    auto *kindMenu = new QMenu(this);
    QStringList kinds{care::waterTestKind()};
    kinds << care::standardKinds();
    for (const QString &k : std::as_const(kinds))
        kindMenu->addAction(shownKind(k), this, [this, k] { txtKind->setText(shownKind(k)); });
    cmdKinds = care::listButton(this, txtKind, QStringLiteral("cmdKinds"),
                                QCoreApplication::translate("frmTasks", "Kinds"), kindMenu);

    lblNextDue = new QLabel(this);
    lblNextDue->setObjectName(QStringLiteral("lblNextDue"));

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    grid->addWidget(label(QCoreApplication::translate("frmTasks", "Title:"), txtTitle), 0, 0);
    grid->addWidget(txtTitle, 0, 1, 1, 3);
    grid->addWidget(label(QCoreApplication::translate("frmTasks", "Done by:"), txtKind), 1, 0);
    auto *kindRow = new QHBoxLayout;
    kindRow->setSpacing(2);
    kindRow->addWidget(txtKind, 1);
    kindRow->addWidget(cmdKinds);
    grid->addLayout(kindRow, 1, 1);
    grid->addWidget(label(QCoreApplication::translate("frmTasks", "For:"), cboFor), 1, 2);
    grid->addWidget(cboFor, 1, 3);
    grid->addWidget(label(QCoreApplication::translate("frmTasks", "Every:"), txtInterval), 2, 0);
    auto *every = new QHBoxLayout;
    every->addWidget(txtInterval, 1);
    every->addWidget(cboIntervalUnit, 1);
    grid->addLayout(every, 2, 1);
    grid->addWidget(label(QCoreApplication::translate("frmTasks", "Rhythm:"), cboRhythm), 2, 2);
    grid->addWidget(cboRhythm, 2, 3);
    grid->addWidget(label(QCoreApplication::translate("frmTasks", "Start:"), txtStartDate,
                          userDateFormatName()),
                    3, 0);
    grid->addWidget(txtStartDate, 3, 1);
    grid->addWidget(lblNextDue, 3, 2, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setColumnMinimumWidth(1, 160);
    grid->setColumnMinimumWidth(3, 160);

    QHBoxLayout *lower = notesBesideButtons(txtNotes, {}, 96);
    finishRows({grid, lower});
    tabChain({txtTitle, txtKind, cboFor, txtInterval, cboIntervalUnit, cboRhythm, txtStartDate,
              txtNotes, cmdSave, cmdClose});
    addFields({txtTitle, txtKind, cboFor, txtInterval, cboIntervalUnit, cboRhythm, txtStartDate,
               txtNotes, cmdKinds});
    setFirstField(txtTitle);
    resize(640, 360);
}

void frmTasks::listPicked(QComboBox *combo, TextBox *hidden, const QStringList &stored) {
    if (Loading)
        return;
    RecordChanged = true;
    hidden->setText(stored.value(combo->currentIndex()));
    showNextDue();
}

void frmTasks::selectLists() {
    auto select = [](QComboBox *combo, int index) {
        const QSignalBlocker block(combo);
        combo->setCurrentIndex(index);
    };
    select(cboIntervalUnit,
           txtIntervalUnit->text().trimmed().startsWith(QLatin1String("week"), Qt::CaseInsensitive)
               ? 1
               : 0);
    select(cboRhythm, care::rhythmOf(txtRhythm->text()) == care::Rhythm::Fixed ? 1 : 0);
    const QString tank = txtTaskTank->text().trimmed();
    select(cboFor, tank.isEmpty() || tank == QLatin1String("0") ? 1 : 0);
}

void frmTasks::showNextDue() {
    const auto interval = toUserNumber(txtInterval->text());
    care::TaskPlan plan;
    plan.intervalDays = interval ? care::intervalDays(*interval, txtIntervalUnit->text()) : 0;
    plan.rhythm = care::rhythmOf(txtRhythm->text());
    plan.start = fromIsoDate(txtStartDate2->text()).value_or(QDate());
    if (plan.intervalDays <= 0 || storedText(txtKind).trimmed().isEmpty()) {
        lblNextDue->clear();
        return;
    }
    std::optional<QDate> last;
    {
        Connection c("corvella-tasks");
        if (!c.open(CorvModule::DatabasePath, DbAccess::ReadOnly))
            last = care::lastDone(c.db(), CorvModule::CurrentTankID, storedText(txtKind), nullptr);
    }
    const QDate today = QDate::currentDate();
    if (!plan.start.isValid() && !last)
        plan.start = today;
    const QDate due = care::nextDue(plan, last);
    lblNextDue->setText(due.isValid() ? QCoreApplication::translate("frmTasks", "Next due %1 (%2)")
                                            .arg(userDateText(due), care::overdueText(due, today))
                                      : QString());
}

void frmTasks::Reposition() {
    RecordForm::Reposition();
    selectLists();
    showNextDue();
}

void frmTasks::afterRecordAdded() {
    txtTaskTank->setText(CorvModule::CurrentTankID);
    txtIntervalUnit->setText(QStringLiteral("Weeks"));
    txtRhythm->setText(care::rhythmText(care::Rhythm::Rolling));
    txtInterval->setText(QStringLiteral("1"));
    txtStartDate2->setText(isoDateText(QDate::currentDate()));
    txtStartDate->setText(userDateText(QDate::currentDate()));
    selectLists();
    RecordForm::afterRecordAdded();
}

bool frmTasks::showTask(qint64 id) {
    auto &rs = m_data->Recordset();
    if (rs.RecordCount() <= 0)
        return false;
    if (!storeEdits())
        return false;
    for (int i = 0; i < rs.RecordCount(); ++i) {
        rs.setAbsolutePosition(i);
        if (rs.Fields(QStringLiteral("ID")).toLongLong() == id)
            return true;
    }
    rs.MoveFirst();
    return false;
}

QString frmTasks::recordSourceText() const {
    return sources::tasks(CorvModule::CurrentTankID);
}

bool frmTasks::canOpen() {
    return requireDefaultTank();
}

} // namespace corv
