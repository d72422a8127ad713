#include "frmWaterPlanner.h"

#include "app/CorvModule.h"
#include "app/Settings.h"
#include "data/Catalogue.h"
#include "data/TargetRanges.h"
#include "platform/Conversions.h"
#include "platform/Dialogs.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

namespace corv {

namespace {

std::optional<double> number(const QLineEdit *box) {
    const QString t = box->text().trimmed();
    if (t.isEmpty() || !readsAsUserFiniteNumber(t))
        return std::nullopt;
    return toUserNumber(t);
}

QString shown(double v) {
    return userNumberText(numberText(std::round(v * 100) / 100));
}

} // namespace

frmWaterPlanner::frmWaterPlanner(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmWaterPlanner"));
    setWindowTitle(QCoreApplication::translate("frmWaterPlanner", "Water-Change Planner"));

    lblTank = new QLabel(this);
    lblTank->setObjectName(QStringLiteral("lblTank"));
    cboParameter = new QComboBox(this);
    cboParameter->setObjectName(QStringLiteral("cboParameter"));
    for (const JournalValue &v : journalValues())
        cboParameter->addItem(v.name, v.field.name);
    txtCurrent = new QLineEdit(this);
    txtCurrent->setObjectName(QStringLiteral("txtCurrent"));
    lblLatest = new QLabel(this);
    lblLatest->setObjectName(QStringLiteral("lblLatest"));
    txtTarget = new QLineEdit(this);
    txtTarget->setObjectName(QStringLiteral("txtTarget"));
    txtTarget->setToolTip(QCoreApplication::translate(
        "frmWaterPlanner", "The high bound of the value's target range"));
    cboWater = new QComboBox(this);
    cboWater->setObjectName(QStringLiteral("cboWater"));
    cboWater->setEditable(true);
    cboWater->setInsertPolicy(QComboBox::NoInsert);
    // The offered waters are remembered under their English names, so that
    // their values survive a change of language; a water of the keeper's own
    // is remembered as typed.
    static const char *const waters[] = {QT_TRANSLATE_NOOP("frmWaterPlanner", "Tap Water"),
                                         QT_TRANSLATE_NOOP("frmWaterPlanner", "RO Water"),
                                         QT_TRANSLATE_NOOP("frmWaterPlanner", "Rain Water"),
                                         QT_TRANSLATE_NOOP("frmWaterPlanner", "Salt Mix")};
    for (const char *w : waters)
        cboWater->addItem(QCoreApplication::translate("frmWaterPlanner", w),
                          QString::fromLatin1(w));
    cboWater->setToolTip(QCoreApplication::translate(
        "frmWaterPlanner", "The water the tank is refilled with; its values are "
                           "remembered by this name"));
    txtReplacement = new QLineEdit(this);
    txtReplacement->setObjectName(QStringLiteral("txtReplacement"));
    spnChanges = new QSpinBox(this);
    spnChanges->setObjectName(QStringLiteral("spnChanges"));
    spnChanges->setRange(1, 10);
    spnChanges->setMaximumWidth(
        spnChanges->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 60);
    spnChanges->setToolTip(QCoreApplication::translate(
        "frmWaterPlanner", "In how many equal changes, one after the other"));
    lblResult = new QLabel(this);
    lblResult->setObjectName(QStringLiteral("lblResult"));
    lblResult->setWordWrap(true);
    lblResult->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    lblResult->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblResult->setMinimumHeight(lblResult->fontMetrics().lineSpacing() * 4);
    lblResult->setFrameShape(QFrame::StyledPanel);
    lblResult->setMargin(6);
    // The plan is text to read and copy; a screen reader names it by what
    // it is, as it may be empty.
    lblResult->setAccessibleName(QCoreApplication::translate("frmWaterPlanner", "Plan"));

    cmdRecord = new QPushButton(
        QCoreApplication::translate("frmWaterPlanner", "&Record this water change"), this);
    cmdRecord->setObjectName(QStringLiteral("cmdRecord"));
    cmdClose = new QPushButton(QCoreApplication::translate("frmWaterPlanner", "Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setAutoDefault(false);
    cmdRecord->setAutoDefault(false);

    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Each label names its box, for Alt+letter and for screen readers.
    auto labelFor = [this](const QString &text, QWidget *buddy) {
        auto *l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    form->addRow(QCoreApplication::translate("frmWaterPlanner", "Tank:"), lblTank);
    form->addRow(labelFor(QCoreApplication::translate("frmWaterPlanner", "&Value:"), cboParameter),
                 cboParameter);
    auto *latest = new QHBoxLayout;
    latest->addWidget(txtCurrent, 1);
    latest->addWidget(lblLatest);
    form->addRow(labelFor(QCoreApplication::translate("frmWaterPlanner", "&Latest:"), txtCurrent),
                 latest);
    form->addRow(
        labelFor(QCoreApplication::translate("frmWaterPlanner", "&Target at most:"), txtTarget),
        txtTarget);
    auto *water = new QHBoxLayout;
    water->addWidget(cboWater, 1);
    water->addWidget(
        labelFor(QCoreApplication::translate("frmWaterPlanner", "Its v&alue:"), txtReplacement));
    water->addWidget(txtReplacement);
    const QString waterLabel =
        QCoreApplication::translate("frmWaterPlanner", "Replacement &water:");
    form->addRow(labelFor(waterLabel, cboWater), water);
    // The line typed into is the box itself to a screen reader, and is
    // called what the box is called.
    cboWater->lineEdit()->setAccessibleName(
        QString(waterLabel).remove(u'&').remove(u':').trimmed());
    form->addRow(labelFor(QCoreApplication::translate("frmWaterPlanner", "&Changes:"), spnChanges),
                 spnChanges);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdRecord);
    buttons->addWidget(cmdClose);
    auto *all = new QVBoxLayout(this);
    all->addLayout(form);
    all->addWidget(lblResult, 1);
    all->addLayout(buttons);

    // The tank, its volume and its water type.
    const QString path = CorvModule::DatabasePath;
    QString why;
    m_tank = care::tankVolumeOf(path, CorvModule::CurrentTankID, &why);
    m_waterType = CorvModule::defaultTankType();
    lblTank->setText(
        m_tank ? QStringLiteral("%1, %2").arg(CorvModule::CurrentTankName,
                                              care::volumeText(m_tank->value, m_tank->unit))
               : QCoreApplication::translate("frmWaterPlanner",
                                             "%1 (no volume: enter its dimensions in Options > "
                                             "Change Tanks)")
                     .arg(CorvModule::CurrentTankName));

    int lastWater =
        cboWater->findData(Settings::replacementWater(), Qt::UserRole, Qt::MatchFixedString);
    if (lastWater < 0)
        lastWater = cboWater->findText(Settings::replacementWater(), Qt::MatchFixedString);
    if (lastWater >= 0)
        cboWater->setCurrentIndex(lastWater);
    else
        cboWater->setCurrentText(Settings::replacementWater());
    const int nitrate = cboParameter->findData(QStringLiteral("Nitrate"));
    cboParameter->setCurrentIndex(nitrate < 0 ? 0 : nitrate);
    cboParameter_Click();

    connect(cboParameter, &QComboBox::currentIndexChanged, this,
            &frmWaterPlanner::cboParameter_Click);
    connect(cboWater, &QComboBox::currentTextChanged, this, &frmWaterPlanner::cboWater_Click);
    for (QLineEdit *box : {txtCurrent, txtTarget, txtReplacement})
        connect(box, &QLineEdit::textChanged, this, &frmWaterPlanner::recompute);
    connect(spnChanges, &QSpinBox::valueChanged, this, &frmWaterPlanner::recompute);
    connect(cmdRecord, &QPushButton::clicked, this, &frmWaterPlanner::cmdRecord_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);

    setTabOrder(cboParameter, txtCurrent);
    setTabOrder(txtCurrent, txtTarget);
    setTabOrder(txtTarget, cboWater);
    setTabOrder(cboWater, txtReplacement);
    setTabOrder(txtReplacement, spnChanges);
    setTabOrder(spnChanges, cmdRecord);
    setTabOrder(cmdRecord, cmdClose);
    cboParameter->setFocus();
    resize(520, 360);
}

QString frmWaterPlanner::field() const {
    return cboParameter->currentData().toString();
}

void frmWaterPlanner::cboParameter_Click() {
    const QString f = field();
    DbError e;
    const auto latest =
        care::latestValue(CorvModule::DatabasePath, CorvModule::CurrentTankID, f, &e);
    {
        const QSignalBlocker block(txtCurrent);
        txtCurrent->setText(latest ? userNumberText(numberText(latest->value)) : QString());
    }
    lblLatest->setText(
        latest ? QCoreApplication::translate("frmWaterPlanner", "measured %1")
                     .arg(userDateText(latest->date))
               : QCoreApplication::translate("frmWaterPlanner", "no journal entry holds it"));
    const TargetRange range = TargetRanges::load().range(m_waterType, f);
    {
        const QSignalBlocker block(txtTarget);
        txtTarget->setText(range.high ? userNumberText(numberText(*range.high)) : QString());
    }
    cboWater_Click();
}

QString frmWaterPlanner::waterName() const {
    const int i = cboWater->currentIndex();
    const QString typed = cboWater->currentText().trimmed();
    if (i >= 0 && typed == cboWater->itemText(i))
        return cboWater->itemData(i).toString();
    return typed;
}

void frmWaterPlanner::cboWater_Click() {
    {
        const QSignalBlocker block(txtReplacement);
        txtReplacement->setText(userNumberText(Settings::replacementValue(waterName(), field())));
    }
    recompute();
}

void frmWaterPlanner::recompute() {
    const QString name = cboParameter->currentText();
    const auto current = number(txtCurrent), target = number(txtTarget),
               replacement = number(txtReplacement);
    m_plan = care::DilutionPlan();
    cmdRecord->setEnabled(false);
    if (!current) {
        lblResult->setText(
            QCoreApplication::translate("frmWaterPlanner",
                                        "Type the latest %1 value, or enter a water test in the "
                                        "journal.")
                .arg(name));
        return;
    }
    if (!target) {
        lblResult->setText(
            QCoreApplication::translate("frmWaterPlanner",
                                        "Type the highest %1 value the tank should have (the "
                                        "target range of %1 has no high bound).")
                .arg(name));
        return;
    }
    if (!replacement) {
        lblResult->setText(
            QCoreApplication::translate("frmWaterPlanner",
                                        "Type the %1 value of the replacement water (%2); it is "
                                        "remembered for the next time.")
                .arg(name, cboWater->currentText()));
        return;
    }
    const int n = spnChanges->value();
    m_plan = care::planDilution(*current, *target, *replacement, n);
    if (!m_plan.possible || !m_plan.needed) {
        lblResult->setText(m_plan.message);
        return;
    }
    const double percent = m_plan.share * 100;
    QString amount = percentText(percent);
    if (m_tank)
        amount += QStringLiteral(" (%1)").arg(
            care::volumeText(m_plan.share * m_tank->value, m_tank->unit));
    const QString how =
        n == 1 ? QCoreApplication::translate("frmWaterPlanner", "Change %1 of the water once.")
                     .arg(amount)
               : QCoreApplication::translate("frmWaterPlanner",
                                             "Change %1 of the water %2 times, one change "
                                             "after the other.")
                     .arg(amount)
                     .arg(n);
    lblResult->setText(how + u' ' +
                       QCoreApplication::translate("frmWaterPlanner", "%1 then goes from %2 to %3.")
                           .arg(name, shown(*current), shown(m_plan.result)));
    cmdRecord->setEnabled(true);
}

void frmWaterPlanner::rememberReplacement() {
    const QString water = waterName();
    if (water.isEmpty())
        return;
    Settings::setReplacementWater(water);
    if (number(txtReplacement) || txtReplacement->text().trimmed().isEmpty())
        Settings::setReplacementValue(water, field(),
                                      fixedNumberText(txtReplacement->text().trimmed()));
}

void frmWaterPlanner::cmdRecord_Click() {
    if (!m_plan.possible || !m_plan.needed)
        return;
    rememberReplacement();
    care::MaintenanceEntry entry;
    entry.tankId = CorvModule::CurrentTankID;
    entry.date = QDate::currentDate();
    entry.kind = QStringLiteral("Water Change");
    entry.sharePercent = std::round(m_plan.share * 1000) / 10;
    if (m_tank) {
        entry.amount = std::round(m_plan.share * m_tank->value * 10) / 10;
        entry.unit = m_tank->unit;
    } else {
        entry.amount = entry.sharePercent;
        entry.unit = QStringLiteral("%");
    }
    entry.notes =
        QCoreApplication::translate("frmWaterPlanner", "Planned: %1 from %2 to %3 with %4 (%5)")
            .arg(cboParameter->currentText(), txtCurrent->text().trimmed(), shown(m_plan.result),
                 cboWater->currentText().trimmed(), txtReplacement->text().trimmed());
    if (m_plan.changes > 1)
        entry.notes += QCoreApplication::translate("frmWaterPlanner", ", the first of %1 changes")
                           .arg(m_plan.changes);
    entry.notes += u'.';
    DbError e;
    if (!care::recordMaintenance(CorvModule::DatabasePath, entry, &e)) {
        msgBox(QCoreApplication::translate("frmWaterPlanner",
                                           "The water change could not be recorded: ") +
                   e.description,
               MsgButtons::Ok, MsgIcon::Exclamation,
               QCoreApplication::translate("frmWaterPlanner", "Water-Change Planner"));
        return;
    }
    m_recorded = true;
    msgBox(QCoreApplication::translate(
               "frmWaterPlanner",
               "The water change of %1 was recorded in the maintenance log for today.")
               .arg(percentText(*entry.sharePercent)),
           MsgButtons::Ok, MsgIcon::Information,
           QCoreApplication::translate("frmWaterPlanner", "Water-Change Planner"));
    accept();
}

void frmWaterPlanner::done(int result) {
    rememberReplacement();
    QDialog::done(result);
}

} // namespace corv
