// The water-change planner: for the default tank and one journal value
// (nitrate unless another is picked), how much water to change, at once or
// in a series of equal changes, to bring the latest value down to the high
// bound of its target range with replacement water of a known value.
#pragma once

#include "care/CareLog.h"

#include <QDialog>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace corv {

class frmWaterPlanner : public QDialog {
    Q_OBJECT
public:
    explicit frmWaterPlanner(QWidget *parent = nullptr);

    QLabel *lblTank, *lblLatest, *lblResult;
    QComboBox *cboParameter, *cboWater;
    QLineEdit *txtCurrent, *txtTarget, *txtReplacement;
    QSpinBox *spnChanges;
    QPushButton *cmdRecord, *cmdClose;

    // The plan for what the boxes hold now (also shown in lblResult).
    const care::DilutionPlan &plan() const { return m_plan; }
    // True once a change was stored in the maintenance log.
    bool recorded() const { return m_recorded; }
    // The journal field of the value planned for ("Nitrate").
    QString field() const;

    // Stores one change of the plan in the maintenance log, today.
    void cmdRecord_Click();
    // Fills the latest value, the target and the replacement water's value
    // for the value picked.
    void cboParameter_Click();
    void cboWater_Click();
    // The replacement water's name as its values are remembered under.
    QString waterName() const;
    void recompute();

protected:
    void done(int result) override;

private:
    void rememberReplacement();

    std::optional<care::TankVolume> m_tank;
    QString m_waterType;
    care::DilutionPlan m_plan;
    bool m_recorded = false;
};

} // namespace corv
