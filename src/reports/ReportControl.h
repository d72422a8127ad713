// The report component a record window holds (JournalReport, StockReport,
// DiseaseReport, GlossaryReport): set the report file, the data file, the
// selection formula and the destination, then PrintReport(); afterwards
// LastErrorNumber() is 0, or it and LastErrorString() say what went wrong.
//
//   JournalReport->setReportFileName(programFolder + "/journal.rpt");
//   JournalReport->setDataFiles(0, CorvModule::DatabasePath);
//   JournalReport->setSelectionFormula("{TankID} = " + txtTankID->text());
//   JournalReport->setDestination(0);            // 0 preview window, 1 printer
//   JournalReport->PrintReport();
//   if (JournalReport->LastErrorNumber() != 0) ... LastErrorString() ...
//
// The settings stay as they were set until they are set again.
#pragma once

#include "ReportErrors.h"

#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

namespace corv {

class ReportControl : public QObject {
    Q_OBJECT
public:
    enum Destination { ToWindow = 0, ToPrinter = 1 };

    // The preview window is shown over `owner`'s window.
    explicit ReportControl(QWidget *owner = nullptr);
    ~ReportControl() override;

    QString ReportFileName() const { return m_reportFile; }
    void setReportFileName(const QString &path) { m_reportFile = path; }
    // Data file 0 is the database the report reads; there are no others.
    QString DataFiles(int index) const { return index == 0 ? m_dataFile : QString(); }
    void setDataFiles(int index, const QString &path);
    QString SelectionFormula() const { return m_formula; }
    void setSelectionFormula(const QString &formula) { m_formula = formula; }
    int Destination() const { return m_destination; }
    void setDestination(int destination) { m_destination = destination; }

    // Prints (runs) the report with the settings above: the preview window
    // (modal, until the user closes it) or the default printer. Returns
    // LastErrorNumber().
    int PrintReport();

    int LastErrorNumber() const { return m_error.number; }
    QString LastErrorString() const { return m_error.text; }

private:
    QWidget *previewParent() const;
    void setError(int number, const QString &text) { m_error = {number, text}; }

    QPointer<QWidget> m_owner;
    QString m_reportFile, m_dataFile, m_formula;
    int m_destination = ToWindow;
    ReportError m_error;
};

} // namespace corv
