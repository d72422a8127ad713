// Report templates: Mustache files holding HTML, one per report.
//
// A template begins with a Mustache comment holding its settings, one
// "key: value" per line (or separated by ';'):
//
//   {{! Corvella report
//       table: LiveStock
//       title: Livestock
//       order: DateAcquired, CommonName
//       orientation: portrait
//       margins: 12.7
//   }}
//
//   table        the table the report reads (required)
//   title        the report's name: {{title}}, the preview's caption, the
//                PDF's title and the name offered when saving (default: the
//                table's name)
//   order        fields the records are sorted by, before their ID
//   orientation  portrait (default) or landscape
//   margins      the page margins in millimetres (default 12.7)
//
// Other lines of the comment are remarks. The rest of the file is the body,
// laid out on as many pages as it takes. Two sections of it are taken out of
// the body and drawn on every page instead: {{#pageHeader}}...{{/pageHeader}}
// at the top and {{#pageFooter}}...{{/pageFooter}} at the bottom; in them
// {{page}} and {{pages}} are the page's number and the number of pages.
//
// The values a template can use are listed in README.md ("Report templates").
#pragma once

#include "ReportData.h"
#include "ReportErrors.h"

#include <QDate>
#include <QPageLayout>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace corv {

struct ReportTemplate {
    QString path;
    QString text; // the whole file
    QString table;
    QString title;
    QStringList order;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    double marginMm = 12.7;

    // Reads and checks the template file: errors 101 to 103.
    static std::optional<ReportTemplate> load(const QString &path, ReportError *error);
    // Checks a template held in memory; `path` only names it in messages.
    static std::optional<ReportTemplate> fromText(const QString &text, const QString &path,
                                                  ReportError *error);
};

// The most characters of HTML a template may render into when the report is
// held whole; a template that renders more is refused as it renders.
constexpr int MaxRenderedReport = 32 * 1000 * 1000;
// A report rendered piece by piece is never held whole: its bound grows
// with its records, so that a long journal prints while a template that
// repeats itself without end is still stopped.
constexpr qint64 MaxRenderedPerRecord = 20 * 1000;
qint64 maxStreamedReport(qsizetype records);

// What a report knows beyond its records.
struct ReportValues {
    QDate printedOn;
    // The tank the selection formula names ("{TankID} = 2"), so that the
    // title names it even when it has no records.
    std::optional<qint64> pinnedTank;
};

class ReportBodySink;

// What a report is made of: the template, its records and the values
// beside them.
struct ReportSource {
    ReportTemplate tmpl;
    ReportTable table;
    ReportValues values;
};

// A template rendered with its records: the body's HTML, and the page header
// and footer, which are rendered again for each page.
class RenderedReport {
public:
    RenderedReport();
    ~RenderedReport();
    RenderedReport(const RenderedReport &);
    RenderedReport &operator=(const RenderedReport &);

    QString bodyHtml;
    QString title;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    double marginMm = 12.7;

    bool hasPageHeader() const;
    bool hasPageFooter() const;
    // Empty when the template has no such section.
    QString pageHeader(int page, int pages) const;
    QString pageFooter(int page, int pages) const;

    struct Impl;

private:
    friend std::optional<RenderedReport> renderReportBody(const ReportTemplate &,
                                                          const ReportTable &, const ReportValues &,
                                                          ReportBodySink &, qint64, ReportError *);
    std::shared_ptr<const Impl> d;
};

// Where a body rendered piece by piece goes; called on the thread that
// renders.
class ReportBodySink {
public:
    virtual ~ReportBodySink() = default;
    // The next piece of the body's HTML. False stops the rendering.
    virtual bool write(const std::string &html) = 0;
    // The page header and footer, once they are known (at the latest when
    // the body is done): `parts` draws them; its bodyHtml is empty. Called
    // once, unless the template fails first.
    virtual void pagePartsKnown(const RenderedReport &parts) = 0;
};

// Renders `tmpl`'s body with `table`'s records into `sink` as it goes,
// keeping none of it. Fails (103) when the template goes wrong or makes more
// than `maxChars` characters; stopped by the sink, it returns nullopt with
// the error number 0. The records' values are made as the template reaches
// them, so the memory taken does not grow with the records.
std::optional<RenderedReport> renderReportBody(const ReportTemplate &tmpl, const ReportTable &table,
                                               const ReportValues &values, ReportBodySink &sink,
                                               qint64 maxChars, ReportError *error);

// Renders `tmpl` with `table`'s records, the body held whole in bodyHtml
// (at most MaxRenderedReport characters). Fails (103) only when the
// template goes wrong while rendering.
std::optional<RenderedReport> renderReport(const ReportTemplate &tmpl, const ReportTable &table,
                                           const ReportValues &values, ReportError *error);

// Text made safe for HTML, its line breaks kept as <br>.
QString htmlText(const QString &text);

} // namespace corv
