// The maintenance log of the default tank: what was done to it and when,
// one entry at a time, like the journal. A water change also keeps the
// share of the tank's water it replaced.
#pragma once

#include "care/CareLog.h"
#include "forms/RecordForm.h"

#include <optional>

class QMenu;
class QToolButton;

namespace corv {

class frmMaintenance : public RecordForm {
    Q_OBJECT
public:
    frmMaintenance();

    TextBox *txtEntryDate, *txtEntryDate2, *txtKind, *txtAmount, *txtUnit, *txtProduct,
        *txtSharePercent;
    MemoBox *txtNotes;
    // The lists of kinds and units beside their boxes: a keeper may pick one
    // or type any other.
    QToolButton *cmdKinds, *cmdUnits;
    QPushButton *cmdPlanner;
    DataControl *MaintenanceData;

    // The share of a water change, worked out from its amount and unit as
    // they are left: a percentage as it stands, a volume against the
    // default tank's. Nothing changes for other kinds, or when the amount
    // gives no share (the keeper may type it).
    void fillShare();
    // The water-change planner, for the default tank; a change recorded
    // there shows here at once.
    void cmdPlanner_Click();
    // The tank's volume the shares are worked out against.
    const std::optional<care::TankVolume> &tankVolume() const { return m_tank; }

protected:
    QString recordSourceText() const override;
    bool canOpen() override;
    // The kinds the log holds and the tank's volume are read again with the
    // records (the default tank may have changed).
    void Load_Records() override;

private:
    void fillKindMenu();

    QMenu *m_kindMenu = nullptr;
    std::optional<care::TankVolume> m_tank;
};

} // namespace corv
