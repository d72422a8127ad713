#include "ReportJob.h"

#include "ReportData.h"
#include "ReportFormula.h"
#include "ReportTemplate.h"

#include "platform/Language.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cmath>

namespace corv {

QString formulaErrorText(const QString &formula, const ReportFormula::ParseError &e) {
    const QString where =
        e.position > 0 ? QCoreApplication::translate("ReportJob", "at character %1").arg(e.position)
                       : QCoreApplication::translate("ReportJob", "at its end");
    return QCoreApplication::translate("ReportJob", "The selection formula %1 is not valid %2: %3.")
        .arg(formula.trimmed(), where, e.message);
}

std::optional<ReportSource> readReportSource(const ReportRequest &request, ReportError *error,
                                             ReportTimings *timings) {
    ReportError local;
    ReportError &err = error ? *error : local;
    err = ReportError();
    ReportTimings t;
    QElapsedTimer clock;
    clock.start();
    auto lap = [&](qint64 &slot) {
        slot = clock.nsecsElapsed();
        clock.restart();
    };

    // A template in the user's language, where one is installed beside it.
    auto tmpl = ReportTemplate::load(localizedFile(request.reportFile, QLocale()), &err);
    if (!tmpl)
        return std::nullopt;
    lap(t.templateNs);

    ReportFormula::ParseError parseError;
    auto formula = ReportFormula::parse(request.selectionFormula, &parseError);
    if (!formula) {
        err = {ReportErr::FormulaSyntax, formulaErrorText(request.selectionFormula, parseError)};
        return std::nullopt;
    }
    ReportSource source;
    // The records themselves are read while the report renders its first.
    if (!readReportTable(request.dataFile, tmpl->table, tmpl->order, *formula, &source.table, &err,
                         ReportReading::Fed))
        return std::nullopt;
    lap(t.queryNs);

    source.tmpl = std::move(*tmpl);
    source.values.printedOn =
        request.printedOn.isValid() ? request.printedOn : QDate::currentDate();
    if (source.table.tankColumn >= 0) {
        if (const auto tank = formula->pinnedNumber(QStringLiteral("TankID"));
            tank && *tank == std::floor(*tank) && std::abs(*tank) < 9e15)
            source.values.pinnedTank = qint64(*tank);
    }
    if (timings)
        *timings = t;
    return source;
}

std::optional<RenderedReport> renderReportFile(const ReportRequest &request, ReportError *error,
                                               ReportTimings *timings) {
    ReportTimings t;
    const auto source = readReportSource(request, error, &t);
    if (!source)
        return std::nullopt;
    QElapsedTimer clock;
    clock.start();
    auto rendered = renderReport(source->tmpl, source->table, source->values, error);
    t.renderNs = clock.nsecsElapsed();
    if (timings)
        *timings = t;
    return rendered;
}

std::unique_ptr<ReportDocument> prepareReport(const ReportRequest &request, ReportError *error,
                                              ReportTimings *timings) {
    const auto rendered = renderReportFile(request, error, timings);
    if (!rendered)
        return nullptr;
    QElapsedTimer clock;
    clock.start();
    auto doc = std::make_unique<ReportDocument>(*rendered, request.pageSize);
    if (timings)
        timings->layoutNs = clock.nsecsElapsed();
    return doc;
}

} // namespace corv
