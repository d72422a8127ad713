// A rendered report laid out on pages: the body laid out by QTextDocument and
// cut into pages (ReportPagination), a page header above it and a page
// footer below it on every page.
//
// Layout happens once, for one paper size and orientation, in units of
// Resolution dots per inch against a PDF metrics device, so that the preview,
// the printer and a PDF file all show the same pages. Painting scales to the
// target device.
#pragma once

#include "ReportPagination.h"
#include "ReportTemplate.h"

#include <QPageLayout>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

class QPainter;
class QPagedPaintDevice;
class QTextDocument;

namespace corv {

class ReportDocument {
public:
    static constexpr int Resolution = 1200;

    // Lays `report` out on paper of `pageSize`; the orientation and margins
    // are the template's. A long report is read in `parts` pieces at the
    // same time, one thread each; 0 chooses by its length and the
    // processors there are. Long tables are read as tables of at most
    // `rowsPerTable` rows (see ReportParts.h). The pages come out the same
    // either way.
    // `keepGoing`, when given, is called on this thread between the pieces
    // of the layout with how many are done of how many (so the window can
    // go on answering); false stops it, and the document is then
    // incomplete() and shows nothing.
    static constexpr int DefaultRowsPerTable = 25;
    using LayoutProgress = std::function<bool(int done, int total)>;
    ReportDocument(const RenderedReport &report, const QPageSize &pageSize, int parts = 0,
                   int rowsPerTable = DefaultRowsPerTable, const LayoutProgress &keepGoing = {});
    // Renders and lays out `source` piece by piece: a thread renders the
    // HTML and reads it, in parts, while layOutMore() lays the parts out on
    // this thread and cuts the pages they settle, so that the first pages
    // can be shown long before the last is known. Parts laid out are let go
    // of beyond a bound and read again when a page of theirs is painted:
    // however long the report, its memory stays within that bound.
    // Its tables are cut finer: a part is then laid out in a few
    // hundredths of a second even on a busy machine.
    static constexpr int StreamedRowsPerTable = 16;
    // The laid-out parts kept, in characters of their HTML (some 5,000
    // journal entries, a few tens of megabytes); beyond it the least
    // recently used go.
    static constexpr qsizetype DefaultKeptChars = 4'000'000;
    ReportDocument(ReportSource source, const QPageSize &pageSize,
                   int rowsPerTable = StreamedRowsPerTable, qsizetype keptChars = DefaultKeptChars);
    // `other` (complete) laid out again on other paper, from its parts.
    ReportDocument(const ReportDocument &other, const QPageSize &pageSize);
    ~ReportDocument();
    ReportDocument(const ReportDocument &) = delete;
    ReportDocument &operator=(const ReportDocument &) = delete;

    // The pages cut so far: all of them once complete().
    int pageCount() const { return int(m_slices.size()); }
    // True when the layout was stopped before its end.
    bool incomplete() const { return m_incomplete; }

    // Laid out piece by piece: lays out what has come for up to `budgetMs`
    // milliseconds (a part at least, when one is there). True once the
    // report is complete or has failed.
    bool layOutMore(int budgetMs);
    // Lays out the rest, asking `keepGoing` (pages so far, 0) between the
    // pieces; false when it said stop (the report stays as it was) or the
    // report failed.
    bool finish(const LayoutProgress &keepGoing = {});
    // Every page is cut and the page count is final.
    bool complete() const { return m_complete; }
    // Rendering failed (a template that goes wrong as it renders): error()
    // says why, and the document has no pages.
    bool failed() const { return m_failed; }
    ReportError error() const { return m_error; }
    // How many pieces the body was laid out in.
    int partCount() const { return int(m_parts.size()); }
    // Where each page's body lies on the laid-out strip.
    const QVector<PageSlice> &pageSlices() const { return m_slices; }
    QString title() const { return m_report.title; }
    const RenderedReport &report() const { return m_report; }
    // Paper size, orientation applied, margins zero: the layout the devices
    // that print it are given.
    QPageLayout pageLayout() const;
    // The paper in layout units (Resolution dots per inch).
    QSizeF paperSize() const { return m_paper; }

    // Paints page `index` (0-based). The painter's coordinates must be those
    // of the paper in layout units, origin at its top left corner. Until the
    // document is complete the page count in its header or footer shows as
    // an ellipsis.
    void paintPage(QPainter &painter, int index) const;

    // Paints pages `from` to `to` (1-based, inclusive; 0 and 0 for all) on a
    // device (laying out the rest first, when it is not complete)
    // device whose painting origin is the paper's corner (a QPdfWriter with
    // no margins, a QPrinter in full-page mode). False with a reason when
    // the device cannot be painted on.
    // `keepGoing`, when given, is asked after each page with the pages done
    // and the pages in all; false stops it: false with `error` empty.
    bool paint(QPagedPaintDevice &device, int from, int to, QString *error,
               const LayoutProgress &keepGoing = {}) const;

    // Writes the whole report to a PDF file. Stopped by `keepGoing`, it
    // leaves the file as it was and returns false with `error` empty.
    bool writePdf(const QString &path, QString *error, const LayoutProgress &keepGoing = {}) const;

private:
    struct Stream;
    void setPaper(const QPageSize &pageSize, const RenderedReport &report);
    void setPageParts(const RenderedReport &report);
    void layOutBody(int parts, int rowsPerTable, const LayoutProgress &keepGoing);
    QTextDocument *pagePart(const QString &html) const;
    void addPart(std::unique_ptr<QTextDocument> doc, QByteArray packed, qsizetype chars);
    void startPages();
    void dropParts();
    class PartReader;
    // The part's document, read again if it was let go of.
    QTextDocument *partDoc(std::size_t index) const;
    // Has the parts page `index` shows read ahead, while painting.
    void readAhead(int index) const;
    void letGo() const;

    RenderedReport m_report;
    QString m_styleSheet; // the body's, shared by the page header and footer
    QPageLayout m_layout;
    QSizeF m_paper;
    QRectF m_content; // within the margins
    qreal m_headerHeight = 0, m_footerHeight = 0, m_gap = 0;
    QRectF m_body;
    QVector<PageSlice> m_slices;
    std::unique_ptr<QPagedPaintDevice> m_metrics;
    // The body, one document per piece (measured against m_metrics, so
    // declared after it); each shows the part of itself from `top` to
    // `bottom`, at `offset` on the strip the pages are cut from.
    // Laid out piece by piece, a part keeps its HTML packed, and its
    // document only while it is used.
    struct Part {
        std::unique_ptr<QTextDocument> doc;
        qreal top = 0, bottom = 0, offset = 0;
        QByteArray packed; // empty when the document is always kept
        qsizetype chars = 0;
        quint64 used = 0;
    };
    mutable std::vector<Part> m_parts;
    bool m_incomplete = false;

    std::shared_ptr<Stream> m_stream;
    std::unique_ptr<StripPaginator> m_paginator;
    bool m_partsKnown = false, m_complete = true, m_failed = false;
    ReportError m_error;
    qreal m_stripEnd = 0;
    mutable qsizetype m_liveChars = 0;
    qsizetype m_keptChars = DefaultKeptChars;
    mutable quint64 m_clock = 0, m_painting = 0;
    mutable std::array<quint64, 6> m_recentPaints{};
    mutable std::size_t m_paintCount = 0;
    mutable std::unique_ptr<PartReader> m_reader;
};

} // namespace corv
