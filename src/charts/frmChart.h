// The journal chart: the current tank's water tests over a date range, one
// series per ticked parameter, drawn as one of ten chart types. Modal; opened
// from the main window's menu and toolbar and from the journal.
//
// What needs no window (the parameters, the date checks, the record-source
// text, the grid built from the rows) lives in ChartData.h; the window binds
// its controls to it.
#pragma once

#include "app/ChildWindow.h"
#include "charts/CorvChart.h"

#include <QVector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;

namespace corv {

class DataControl;
class TextBox;

class frmChart : public ModalWindow {
    Q_OBJECT
public:
    explicit frmChart(QWidget *parent = nullptr);
    ~frmChart() override;

    QGroupBox *fraItems;
    TextBox *txtFromDate, *txtToDate;
    QComboBox *cboChartType;
    // Target bands behind the values, and rows placed by their dates.
    QCheckBox *chkTargetRanges, *chkSpaceByDate, *chkMaintenance;
    QPushButton *cmdChart, *cmdPrint, *cmdSaveImage, *cmdClose;
    corv::CorvChart *CorvChart;
    DataControl *ChartData;

    // The check boxes, one per journal value of the catalogue (data/
    // Catalogue.h), in table order. Each is named as the catalogue names it
    // ("ckpH").
    const QVector<QCheckBox *> &checkBoxes() const { return m_checks; }
    // The check box of that name; nullptr for any other.
    QCheckBox *checkBox(const QString &name) const;
    // Rows of the last run's record source (0 when it found none).
    int rowCount() const { return m_rowCount; }

    // Needs a default tank; points the record source at the database, sets
    // the defaults and charts once. False when it cannot open (no default
    // tank, or the user gave up looking for the database).
    bool Form_Load() override;

    void cmdChart_Click();
    void cmdPrint_Click();
    // Asks for a file (PNG or SVG) and a size, and writes the chart as
    // shown there.
    void cmdSaveImage_Click();
    void cmdClose_Click() { close(); }
    void cboChartType_Click();
    void chkTargetRanges_Click();
    void chkMaintenance_Click();
    void chkSpaceByDate_Click();

    // The water type whose ranges the bands show ("" when the default tank
    // has none).
    QString bandWaterType() const { return m_waterType; }

protected:
    void Form_Unload() override;

private:
    // Checks the date boxes, sets the record source and counts its rows;
    // false when the record source could not be opened and the user gave up.
    bool BuildChartData();
    // One charting run; false when the user gave up looking for the database.
    bool chartRun();
    QVector<bool> ticked() const;
    void fitToMainWindow();
    // Greys out the switches that do nothing for the chosen kind.
    void enableSwitches();

    QVector<QCheckBox *> m_checks;
    int m_rowCount = 0;
    QString m_waterType;
};

} // namespace corv
