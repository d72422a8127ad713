#include "frmMaintenance.h"

#include "CareWindows.h"

#include "app/CorvModule.h"
#include "data/RecordSources.h"
#include "forms/frmJournal.h"
#include "platform/Conversions.h"
#include "platform/Dialogs.h"

#include <QCoreApplication>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

namespace corv {

frmMaintenance::frmMaintenance()
    : RecordForm({FormKind::Maintenance,
                  QCoreApplication::translate("frmMaintenance", "Maintenance"),
                  QStringLiteral("MaintenanceData")}) {
    setObjectName(QStringLiteral("frmMaintenance"));
    MaintenanceData = m_data;
    txtTankID = hiddenBound(QStringLiteral("txtTankID"), QStringLiteral("TankID"));
    txtEntryDate = dateBox(
        QStringLiteral("txtEntryDate"), QStringLiteral("EntryDate"),
        QCoreApplication::translate("frmMaintenance", "Please enter a valid date (mm/dd/yyyy)!"));
    txtEntryDate2 = findChild<TextBox *>(QStringLiteral("txtEntryDate2"));
    txtKind =
        wordsBox(QStringLiteral("txtKind"), QStringLiteral("Kind"), 254, &shownKind, &storedKind);
    txtAmount = boundText(QStringLiteral("txtAmount"), QStringLiteral("Amount"), 20);
    txtUnit =
        wordsBox(QStringLiteral("txtUnit"), QStringLiteral("Unit"), 254, &shownKind, &storedKind);
    txtProduct = boundText(QStringLiteral("txtProduct"), QStringLiteral("Product"), 254);
    txtSharePercent =
        boundText(QStringLiteral("txtSharePercent"), QStringLiteral("SharePercent"), 20);
    txtNotes = boundMemo(QStringLiteral("txtNotes"), QStringLiteral("Notes"));
    txtKind->setToolTip(QCoreApplication::translate(
        "frmMaintenance", "Water Change, Filter Cleaned, Dosing, Glass Cleaned, "
                          "Equipment, Feeding, Other, or a kind of your own"));
    txtUnit->setToolTip(QCoreApplication::translate(
        "frmMaintenance", "A volume (US Gal., Liters) or % for a water change; the "
                          "unit of a dose"));
    txtProduct->setToolTip(
        QCoreApplication::translate("frmMaintenance", "What was dosed or fitted"));
    txtSharePercent->setToolTip(QCoreApplication::translate(
        "frmMaintenance", "The share of the tank's water a water change "
                          "replaced, worked out from the amount"));

    checkOnLeave(txtAmount, [this] {
        if (!numericOk(txtAmount, QCoreApplication::translate("frmMaintenance",
                                                              "Please enter a valid amount!")))
            return false;
        fillShare();
        return true;
    });
    checkOnLeave(txtUnit, [this] {
        fillShare();
        return true;
    });
    checkOnLeave(txtSharePercent, [this] {
        const QString t = txtSharePercent->text();
        const auto v = toUserNumber(t);
        if (t.isEmpty() || (readsAsUserFiniteNumber(t) && v && *v >= 0 && *v <= 100))
            return true;
        msgBox(
            QCoreApplication::translate("frmMaintenance", "Please enter a valid share (0 to 100)!"),
            MsgButtons::Ok, MsgIcon::Exclamation,
            QCoreApplication::translate("frmMaintenance", "Numeric Error"));
        return false;
    });

    m_kindMenu = new QMenu(this);
    cmdKinds = care::listButton(this, txtKind, QStringLiteral("cmdKinds"),
                                QCoreApplication::translate("frmMaintenance", "Kinds"), m_kindMenu);
    auto *unitMenu = new QMenu(this);
    for (const QString &u : care::standardUnits())
        unitMenu->addAction(shownKind(u), this, [this, u] {
            txtUnit->setText(shownKind(u));
            fillShare();
        });
    cmdUnits = care::listButton(this, txtUnit, QStringLiteral("cmdUnits"),
                                QCoreApplication::translate("frmMaintenance", "Units"), unitMenu);
    fillKindMenu();

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    auto withList = [](TextBox *box, QToolButton *list) {
        auto *row = new QHBoxLayout;
        row->setSpacing(2);
        row->addWidget(box, 1);
        row->addWidget(list);
        return row;
    };
    grid->addWidget(label(QCoreApplication::translate("frmMaintenance", "Date:"), txtEntryDate,
                          userDateFormatName()),
                    0, 0);
    grid->addWidget(txtEntryDate, 0, 1);
    grid->addWidget(label(QCoreApplication::translate("frmMaintenance", "Kind:"), txtKind), 0, 2);
    grid->addLayout(withList(txtKind, cmdKinds), 0, 3);
    grid->addWidget(label(QCoreApplication::translate("frmMaintenance", "Amount:"), txtAmount), 1,
                    0);
    grid->addWidget(txtAmount, 1, 1);
    grid->addWidget(label(QCoreApplication::translate("frmMaintenance", "Unit:"), txtUnit), 1, 2);
    grid->addLayout(withList(txtUnit, cmdUnits), 1, 3);
    grid->addWidget(label(QCoreApplication::translate("frmMaintenance", "Product:"), txtProduct), 2,
                    0);
    grid->addWidget(txtProduct, 2, 1);
    grid->addWidget(
        label(QCoreApplication::translate("frmMaintenance", "Share %:"), txtSharePercent), 2, 2);
    grid->addWidget(txtSharePercent, 2, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setColumnMinimumWidth(1, 150);
    grid->setColumnMinimumWidth(3, 150);

    cmdPlanner = button(QStringLiteral("cmdPlanner"),
                        QCoreApplication::translate("frmMaintenance", "Planner"));
    cmdPlanner->setToolTip(QCoreApplication::translate(
        "frmMaintenance", "How much water to change to bring a value back into "
                          "its target range"));
    connect(cmdPlanner, &QPushButton::clicked, this, &frmMaintenance::cmdPlanner_Click);
    QHBoxLayout *lower = notesBesideButtons(txtNotes, {cmdPlanner}, 96);

    finishRows({grid, lower});
    tabChain({txtEntryDate, txtKind, txtAmount, txtUnit, txtProduct, txtSharePercent, txtNotes,
              cmdPlanner, cmdSave, cmdClose});
    addFields({txtEntryDate, txtKind, txtAmount, txtUnit, txtProduct, txtSharePercent, txtNotes,
               cmdKinds, cmdUnits});
    setFirstField(txtEntryDate);
    resize(640, 360);
}

void frmMaintenance::fillKindMenu() {
    m_kindMenu->clear();
    const QStringList kinds = care::kindsOffered(CorvModule::DatabasePath.isEmpty()
                                                     ? QStringList()
                                                     : care::usedKinds(CorvModule::DatabasePath));
    for (const QString &k : kinds)
        m_kindMenu->addAction(shownKind(k), this, [this, k] {
            txtKind->setText(shownKind(k));
            fillShare();
        });
}

void frmMaintenance::Load_Records() {
    RecordForm::Load_Records();
    fillKindMenu();
    m_tank = care::tankVolumeOf(CorvModule::DatabasePath, CorvModule::CurrentTankID);
}

void frmMaintenance::fillShare() {
    if (!isWaterChange(storedText(txtKind)))
        return;
    const auto amount = toUserNumber(txtAmount->text());
    if (!amount || !readsAsUserFiniteNumber(txtAmount->text()))
        return;
    if (const auto share = care::changeSharePercent(*amount, storedText(txtUnit), m_tank)) {
        const QString text = userNumberText(numberText(std::round(*share * 10) / 10));
        if (txtSharePercent->text() != text)
            txtSharePercent->setText(text);
    }
}

QString frmMaintenance::recordSourceText() const {
    return sources::maintenance(CorvModule::CurrentTankID);
}

bool frmMaintenance::canOpen() {
    return requireDefaultTank();
}

void frmMaintenance::cmdPlanner_Click() {
    // An entry being typed is stored first, as leaving the record would.
    if (!storeEdits())
        return;
    if (care::runWaterPlanner(this)) {
        cmdRefreshData();
        // The change is of today: the last entry in date order.
        m_data->clickLast();
    }
}

} // namespace corv
