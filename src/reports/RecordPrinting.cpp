#include "RecordPrinting.h"

namespace corv {

namespace {

const PrintTarget printTable[] = {
    {"Journal", "Print Journal Record(s)", "All Records This Tank", true, "journal.rpt",
     "JournalReport"},
    {"Stock", "Print Livestock Record(s)", "All Records This Tank", true, "stock.rpt",
     "StockReport"},
    {"Diseases", "Print Disease Record(s)", "All Records", false, "disease.rpt", "DiseaseReport"},
    {"Glossary", "Print Glossary Record(s)", "All Records", false, "glossary.rpt",
     "GlossaryReport"},
    {"Maintenance", "Print Maintenance Record(s)", "All Records This Tank", true, "maintenance.rpt",
     "MaintenanceReport"},
};

} // namespace

const PrintTarget *printTargetFor(const QString &activeForm) {
    for (const PrintTarget &row : printTable)
        if (activeForm == QLatin1String(row.form))
            return &row;
    return nullptr;
}

QString printSelectionFormula(const PrintTarget &target, int option, const QString &id,
                              const QString &tankId) {
    if (option == 0)
        return QStringLiteral("{ID} = ") + id;
    if (option == 1 && target.tankScope)
        return QStringLiteral("{TankID} = ") + tankId;
    return QString();
}

QString printErrorMessage(int failureNumber, const QString &failureText, int reportNumber,
                          const QString &reportText, const QString &reportFile,
                          const QString &dataFile) {
    QString m;
    m += QStringLiteral("Err(") + QString::number(failureNumber) + QStringLiteral("): ") +
         failureText + u'\n';
    m += QStringLiteral("Err(") + QString::number(reportNumber) + QStringLiteral(") : ") +
         reportText + u'\n';
    m += QStringLiteral("Report File ") + reportFile + QStringLiteral(" could not be opened") +
         u'\n';
    m += QStringLiteral("Data file ") + dataFile + QStringLiteral(" could not be opened") + u'\n';
    return m;
}

} // namespace corv
