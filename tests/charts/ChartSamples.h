// Sample chart data for the chart tests: a year of weekly water tests with
// values on very different scales (ammonia below 1, pH about 7, nitrate in
// tens), and long runs of rows; and the helpers the chart tests share.
#pragma once

#include "charts/ChartData.h"
#include "charts/ChartPrinting.h"
#include "platform/Conversions.h"

#include <QDate>
#include <QDir>
#include <QImage>
#include <QPrinter>
#include <cmath>
#include <memory>

namespace corv::test {

// `weeks` weekly entries from 01/03/2023 with Ammonia, Nitrate and pH, as
// the chart window builds them.
inline ChartGrid weeklyGrid(int weeks = 52) {
    ChartGrid g;
    g.columnLabels = {QStringLiteral("Ammonia"), QStringLiteral("Nitrate"), QStringLiteral("pH")};
    const QDate start(2023, 1, 3);
    for (int w = 0; w < weeks; ++w) {
        g.rowLabels << dateText(start.addDays(7 * w));
        // A cycling tank: ammonia spikes and falls, nitrate builds up and is
        // cut by water changes, pH drifts down between changes.
        const double ammonia = std::max(0.0, 0.9 * std::exp(-w / 3.0) + 0.08 * std::sin(w * 1.3));
        const double nitrate = 5 + std::fmod(w * 9.0, 70.0) + 4 * std::sin(w * 0.7);
        const double ph = 7.6 - 0.08 * (w % 6) + 0.15 * std::sin(w * 0.4);
        g.cells << numberText(std::round(ammonia * 100) / 100)
                << numberText(std::round(nitrate * 10) / 10)
                << numberText(std::round(ph * 100) / 100);
    }
    return g;
}

// `rows` daily entries of one series.
inline ChartGrid longGrid(int rows, int columns = 1) {
    ChartGrid g;
    for (int c = 0; c < columns; ++c)
        g.columnLabels << QStringLiteral("S%1").arg(c + 1);
    const QDate start(2000, 1, 1);
    for (int r = 0; r < rows; ++r) {
        g.rowLabels << dateText(start.addDays(r));
        for (int c = 0; c < columns; ++c)
            g.cells << numberText(std::round((10 + 8 * std::sin(r * 0.05 + c)) * 100) / 100);
    }
    return g;
}

// Every parameter the chart window offers, over `rows` weekly entries, at
// its usual size: from lead in hundredths to magnesium in thousands.
inline ChartGrid allParametersGrid(int rows = 12) {
    static const double typical[] = {8.5,  0.2, 420, 15,  0.1, 7,    180,   0.06, 0.1, 0.01,
                                     1300, 0.1, 20,  0.1, 8.2, 0.05, 1.025, 8,    78,  0.02};
    ChartGrid g;
    for (const ChartParameter &p : chartParameters())
        g.columnLabels << p.label;
    const QDate start(2024, 1, 2);
    for (int r = 0; r < rows; ++r) {
        g.rowLabels << dateText(start.addDays(7 * r));
        for (int c = 0; c < g.columnLabels.size(); ++c)
            g.cells << numberText(typical[c] * (1 + 0.1 * std::sin(r + c)));
    }
    return g;
}

// Keeps a picture a test drew, for looking at, when CORVELLA_CHART_PNGS
// names a folder.
inline void keep(const QImage &img, const QString &name) {
    const QString dir = qEnvironmentVariable("CORVELLA_CHART_PNGS");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    img.save(QDir(dir).filePath(name + QStringLiteral(".png")));
}

// Prints to a PDF file instead of a printer; with `none` there is no
// printer. `asked` counts the requests for one.
class PdfPrinters : public PrinterSource {
public:
    QString file;
    bool none = false;
    int asked = 0;
    std::unique_ptr<QPrinter> defaultPrinter() override {
        ++asked;
        if (none)
            return nullptr;
        auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
        p->setOutputFormat(QPrinter::PdfFormat);
        p->setOutputFileName(file);
        p->setPageSize(QPageSize(QPageSize::A4));
        return p;
    }
};

} // namespace corv::test
