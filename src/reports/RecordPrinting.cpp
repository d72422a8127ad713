#include "RecordPrinting.h"

namespace corv {

const PrintTarget *printTargetFor(const QString &activeForm) {
    const WindowKind *w = windowByMarker(activeForm);
    return w ? w->print : nullptr;
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
