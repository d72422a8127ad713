#include "ReportPagination.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace corv {

namespace {

constexpr qreal Eps = 0.5;

// A cell's first and last blocks. (Its cursor positions would do, but a
// cursor measures where it stands in its line, which shapes the line's text:
// that made up most of the time taken here.)
QTextBlock firstBlock(const QTextTableCell &cell, const QTextDocument *doc) {
    return doc->findBlock(cell.firstPosition());
}

QTextBlock lastBlock(const QTextTableCell &cell, const QTextDocument *doc) {
    return doc->findBlock(cell.lastPosition());
}

// Positions are on the strip; `offset` takes the table's document's own
// positions there.
struct TableBand {
    qreal top = 0, bottom = 0;
    qreal headerTop = 0, headerBottom = 0; // equal when the table has no header rows
    qreal pad = 0;                         // between a row's cut and its text
    QTextTable *table = nullptr;
    QAbstractTextDocumentLayout *layout = nullptr;
    qreal offset = 0;
    std::vector<qreal> rowTops; // the cut between row r-1 and row r; rowTops[0] = top
};

class Geometry {
public:
    // Adds the next part of the strip, laid out.
    void add(const StripPart &part) {
        if (!part.doc)
            return;
        const size_t cutsBefore = m_cuts.size(), forcedBefore = m_forced.size();
        m_layout = part.doc->documentLayout();
        m_layout->documentSize(); // lays it out
        m_offset = m_height - part.top;
        m_partTop = part.top;
        m_partBottom = part.bottom;
        m_height += std::max<qreal>(0, part.bottom - part.top);
        m_keepWithNext = false;
        walk(part.doc->rootFrame());
        // The part's cuts lie below those before it, but not in order.
        auto merge = [](std::vector<qreal> &v, size_t from) {
            std::sort(v.begin() + qsizetype(from), v.end());
            std::inplace_merge(v.begin(), v.begin() + qsizetype(from), v.end());
        };
        merge(m_cuts, cutsBefore);
        merge(m_forced, forcedBefore);
    }

    // The document has gone; nothing may read it any more.
    void forget(const QTextDocument *doc) {
        for (TableBand &t : m_tables)
            if (t.table && t.table->document() == doc) {
                t.table = nullptr;
                t.layout = nullptr;
            }
    }

    qreal height() const { return m_height; }

    // Cuts the pages that what is laid out settles, after those cut before:
    // all of them when `last` (the strip is complete; always at least one
    // page).
    void paginate(qreal pageHeight, bool last, QVector<PageSlice> *pages) {
        pageHeight = std::max<qreal>(pageHeight, 1);
        if (m_ended)
            return;
        qreal &pos = m_pos;
        // A page is settled once a cut below its end is known: pages below
        // add cuts only further down.
        auto settled = [&] {
            return std::upper_bound(m_cuts.begin(), m_cuts.end(), pos + pageHeight) != m_cuts.end();
        };
        while (last ? (!m_started || pos < m_height - Eps) : settled()) {
            m_started = true;
            PageSlice page;
            if (const TableBand *t = continuedTable(pos)) {
                // A header taller than a quarter page is not worth repeating.
                if (t->headerBottom - t->headerTop < pageHeight / 4) {
                    page.headerTop = t->headerTop;
                    page.headerBottom = t->headerBottom;
                }
            }
            const qreal limit = pos + pageHeight - page.headerHeight();
            qreal end = limit;
            const auto forced = std::upper_bound(m_forced.begin(), m_forced.end(), pos + Eps);
            if (forced != m_forced.end() && *forced <= limit && *forced < m_height - Eps) {
                end = *forced;
            } else if (limit >= m_height - Eps) {
                end = m_height;
            } else {
                // The part that crosses the page's end runs from the last cut
                // before it to the next one. When it could not fit on a page
                // of its own either (a row taller than a page), moving it on
                // would only leave a gap: it is split between its lines here.
                const auto cut = lastBefore(m_cuts, pos, limit);
                const auto next = std::upper_bound(m_cuts.begin(), m_cuts.end(), limit);
                const qreal partTop = cut ? *cut : pos;
                const qreal partBottom = next != m_cuts.end() ? *next : m_height;
                const bool fits = partBottom - partTop <= pageHeight - page.headerHeight();
                const auto line = fits && cut ? std::nullopt : lineCutInside(pos, limit);
                if (line && (!cut || *line > *cut))
                    end = *line;
                else if (cut)
                    end = *cut;
            }
            page.top = pos;
            page.bottom = std::max(end, pos + Eps);
            labelContinuedRow(page, pageHeight - page.headerHeight());
            pages->push_back(page);
            pos = page.bottom;
        }
        if (last)
            m_ended = true;
    }

private:
    static std::optional<qreal> lastBefore(const std::vector<qreal> &sorted, qreal after,
                                           qreal limit) {
        auto it = std::upper_bound(sorted.begin(), sorted.end(), limit);
        if (it == sorted.begin())
            return std::nullopt;
        --it;
        if (*it <= after + Eps)
            return std::nullopt;
        return *it;
    }

    // When the page begins inside a record, the record's first cell, as
    // long as that cell lies wholly on the pages before.
    void labelContinuedRow(PageSlice &page, qreal room) const {
        const qreal pos = page.top;
        for (const TableBand &t : m_tables) {
            if (pos <= t.top + Eps || pos >= t.bottom - Eps || pos < t.headerBottom + Eps ||
                !t.table || t.table->columns() < 2)
                continue;
            const auto next = std::upper_bound(t.rowTops.begin(), t.rowTops.end(), pos + Eps);
            const int r = int(next - t.rowTops.begin()) - 1;
            if (r < 0 || t.rowTops[size_t(r)] >= pos - Eps)
                return; // the page begins between two records
            const qreal rowBottom = next != t.rowTops.end() ? *next : t.bottom;
            const QTextTableCell cell = t.table->cellAt(r, 0), beside = t.table->cellAt(r, 1);
            if (!cell.isValid() || cell.row() != r || cell.column() != 0 || !beside.isValid() ||
                beside.column() != 1)
                return;
            const QTextDocument *doc = t.table->document();
            const QTextBlock first = firstBlock(cell, doc), last = lastBlock(cell, doc);
            const QRectF firstRect = t.layout->blockBoundingRect(first);
            qreal textBottom = t.layout->blockBoundingRect(last).bottom();
            qreal textRight = firstRect.right();
            for (QTextBlock b = first; b.isValid(); b = b.next()) {
                textRight = std::max(textRight, t.layout->blockBoundingRect(b).right());
                if (b == last)
                    break;
            }
            const qreal textTop = firstRect.top();
            if (t.offset + textBottom > pos + Eps)
                return; // the cell itself goes on here
            // A cell too tall to repeat whole (or taller than what is left
            // of the record here) is repeated by its first line.
            const qreal left = std::min(room / 4, rowBottom - pos);
            if (textBottom - textTop > left) {
                const QTextLayout *lines = first.layout();
                if (!lines || lines->lineCount() == 0)
                    return;
                textBottom = textTop + lines->lineAt(0).y() + lines->lineAt(0).height();
                if (textBottom - textTop > left + Eps)
                    return;
            }
            // Across: the cell's text and half the gap to the next cell's.
            const qreal besideLeft = t.layout->blockBoundingRect(firstBlock(beside, doc)).left();
            const qreal gap = std::max<qreal>(0, besideLeft - textRight) / 2;
            page.labelTop = t.offset + textTop;
            page.labelBottom = t.offset + textBottom;
            page.labelLeft = std::max<qreal>(0, firstRect.left() - gap);
            page.labelRight = textRight + gap;
            return;
        }
    }

    const TableBand *continuedTable(qreal pos) const {
        for (const TableBand &t : m_tables)
            if (t.headerBottom > t.headerTop && pos > t.headerBottom - Eps && pos < t.bottom - Eps)
                return &t;
        return nullptr;
    }

    // A position in the document being walked, on the strip; none when it
    // lies outside the document's stretch.
    std::optional<qreal> onStrip(qreal y) const {
        if (y < m_partTop - Eps || y > m_partBottom + Eps)
            return std::nullopt;
        return y + m_offset;
    }

    // Cuts are collected before the strip's end is known: those at its very
    // ends are dropped when the pages are cut.
    void addCut(qreal y) {
        if (const auto at = onStrip(y); at && *at > Eps)
            m_cuts.push_back(*at);
    }

    void addForced(qreal y) {
        if (const auto at = onStrip(y); at && *at > Eps)
            m_forced.push_back(*at);
    }

    // A heading keeps with what follows it: no cut right after it.
    void addCutUnlessKept(qreal y) {
        if (!m_keepWithNext)
            addCut(y);
        m_keepWithNext = false;
    }

    void walk(QTextFrame *frame) {
        for (auto it = frame->begin(); !it.atEnd(); ++it) {
            if (QTextFrame *child = it.currentFrame()) {
                QRectF r = m_layout->frameBoundingRect(child);
                // A table's extent is taken from its cells: the frame's
                // rectangle does not always cover its first row.
                if (auto *table = qobject_cast<QTextTable *>(child))
                    r = addTable(table).translated(0, -m_offset);
                // Any other frame is cut only where its page ends.
                addCutUnlessKept(r.top());
                const auto policy = child->frameFormat().pageBreakPolicy();
                if (policy & QTextFormat::PageBreak_AlwaysBefore)
                    addForced(r.top());
                if (policy & QTextFormat::PageBreak_AlwaysAfter)
                    addForced(r.bottom());
                continue;
            }
            const QTextBlock block = it.currentBlock();
            if (!block.isValid())
                continue;
            const QRectF r = m_layout->blockBoundingRect(block);
            addCutUnlessKept(r.top());
            if (const QTextLayout *layout = block.layout())
                for (int i = 1; i < layout->lineCount(); ++i)
                    addCut(r.top() + layout->lineAt(i).y());
            const QTextBlockFormat format = block.blockFormat();
            if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
                addForced(r.top());
            if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysAfter)
                addForced(r.bottom());
            m_keepWithNext = format.headingLevel() > 0;
        }
    }

    // Records the table's rows and returns its extent.
    QRectF addTable(QTextTable *table) {
        TableBand band;
        band.table = table;
        const int rows = table->rows(), cols = table->columns();
        constexpr qreal None = std::numeric_limits<qreal>::quiet_NaN();
        std::vector<qreal> contentTop(size_t(rows), None), contentBottom(size_t(rows), None);
        std::vector<bool> spannedInto(size_t(rows), false);
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < cols; ++c) {
                const QTextTableCell cell = table->cellAt(r, c);
                if (!cell.isValid())
                    continue;
                if (cell.row() != r || cell.column() != c) {
                    if (cell.row() < r)
                        spannedInto[size_t(r)] = true;
                    continue;
                }
                // Most cells hold one block: one look-up serves both ends.
                const QTextBlock first = firstBlock(cell, table->document());
                const QTextBlock last = lastBlock(cell, table->document());
                const QRectF firstRect = m_layout->blockBoundingRect(first);
                const qreal top = firstRect.top();
                const qreal bottom =
                    first == last ? firstRect.bottom() : m_layout->blockBoundingRect(last).bottom();
                qreal &t = contentTop[size_t(r)];
                t = std::isnan(t) ? top : std::min(t, top);
                const size_t lastRow = size_t(std::min(rows - 1, r + cell.rowSpan() - 1));
                qreal &b = contentBottom[lastRow];
                b = std::isnan(b) ? bottom : std::max(b, bottom);
            }
        }
        const QRectF frame = m_layout->frameBoundingRect(table);
        if (rows == 0 || std::isnan(contentTop[0]) || std::isnan(contentBottom[size_t(rows - 1)]))
            return frame.translated(0, m_offset);
        band.layout = m_layout;
        band.offset = m_offset;
        for (qreal &y : contentTop)
            y += m_offset;
        for (qreal &y : contentBottom)
            y += m_offset;
        const int headerRows = std::clamp(table->format().headerRowCount(), 0, rows);
        // A piece of a cut table: directly below the piece before, with the
        // same columns and no header of its own.
        const TableBand *continues = nullptr;
        if (headerRows == 0 && !m_tables.empty()) {
            const TableBand &before = m_tables.back();
            if (std::abs(contentTop[0] - before.pad - before.bottom) < 2 * Eps &&
                before.table->columns() == cols &&
                before.table->format().columnWidthConstraints() ==
                    table->format().columnWidthConstraints())
                continues = &before;
        }
        // Rows meet halfway between the last text of one and the first of the
        // next, inside their padding, so a cut there touches no text. The
        // first row's top and the last row's bottom are as far out from their
        // text as the rows meet.
        qreal pad = rows == 1 && continues ? continues->pad : 0;
        band.rowTops.assign(size_t(rows), contentTop[0]);
        for (int r = 1; r < rows; ++r) {
            const qreal above = contentBottom[size_t(r - 1)];
            const qreal below = contentTop[size_t(r)];
            qreal y;
            if (!std::isnan(above) && !std::isnan(below))
                y = (above + below) / 2;
            else if (!std::isnan(below))
                y = below;
            else
                y = band.rowTops[size_t(r - 1)];
            band.rowTops[size_t(r)] = y;
            if (r == 1 && !std::isnan(above))
                pad = std::max<qreal>(0, y - above);
            if (!spannedInto[size_t(r)] && r > headerRows)
                addCut(y - m_offset);
        }
        band.top = contentTop[0] - pad;
        band.rowTops[0] = band.top;
        band.bottom = contentBottom[size_t(rows - 1)] + pad;
        band.headerTop = band.top;
        band.headerBottom =
            headerRows > 0 && headerRows < rows ? band.rowTops[size_t(headerRows)] : band.top;
        band.pad = pad;
        if (continues) {
            band.headerTop = continues->headerTop;
            band.headerBottom = continues->headerBottom;
        }
        const QRectF extent(0, band.top, 1, band.bottom - band.top);
        m_tables.push_back(std::move(band));
        return extent;
    }

    // The last line top in (pos, limit] among the cells of the table rows
    // there: where a row taller than a page may be split.
    std::optional<qreal> lineCutInside(qreal pos, qreal limit) const {
        std::vector<qreal> lines;
        for (const TableBand &t : m_tables) {
            if (t.bottom <= pos || t.top >= limit || !t.table)
                continue;
            const int rows = t.table->rows(), cols = t.table->columns();
            for (int r = 0; r < rows; ++r) {
                const qreal rowTop = t.rowTops[size_t(r)];
                const qreal rowBottom = r + 1 < rows ? t.rowTops[size_t(r + 1)] : t.bottom;
                if (rowBottom <= pos || rowTop >= limit)
                    continue;
                for (int c = 0; c < cols; ++c) {
                    const QTextTableCell cell = t.table->cellAt(r, c);
                    if (!cell.isValid() || cell.row() != r || cell.column() != c)
                        continue;
                    QTextBlock b = firstBlock(cell, t.table->document());
                    const QTextBlock last = lastBlock(cell, t.table->document());
                    for (; b.isValid(); b = b.next()) {
                        const QRectF br = t.layout->blockBoundingRect(b);
                        if (const QTextLayout *layout = b.layout())
                            for (int i = 0; i < layout->lineCount(); ++i)
                                lines.push_back(t.offset + br.top() + layout->lineAt(i).y());
                        if (b == last)
                            break;
                    }
                }
            }
        }
        std::sort(lines.begin(), lines.end());
        return lastBefore(lines, pos, limit);
    }

    QAbstractTextDocumentLayout *m_layout = nullptr;
    qreal m_offset = 0, m_partTop = 0, m_partBottom = 0;
    qreal m_height = 0;
    bool m_keepWithNext = false;
    qreal m_pos = 0; // where the next page begins
    bool m_started = false, m_ended = false;
    std::vector<qreal> m_cuts, m_forced;
    std::vector<TableBand> m_tables;
};

} // namespace

qreal frameStart(QTextFrame *frame) {
    QTextDocument *doc = frame->document();
    QAbstractTextDocumentLayout *layout = doc->documentLayout();
    if (auto *table = qobject_cast<QTextTable *>(frame)) {
        // From the text of the first cell out through its padding, the
        // spacing, the border and the margin: lengths the layout takes as
        // pixels at 96 dots per inch.
        const QTextTableCell cell = table->cellAt(0, 0);
        const QPaintDevice *device = layout->paintDevice();
        if (cell.isValid() && cell.rowSpan() == 1) {
            const QTextTableFormat tf = table->format();
            const QTextTableCellFormat cf = cell.format().toTableCellFormat();
            const qreal padding = cf.hasProperty(QTextFormat::TableCellTopPadding)
                                      ? cf.topPadding()
                                      : tf.cellPadding();
            const qreal scale = device ? device->logicalDpiY() / 96.0 : 1.0;
            const qreal text = layout->blockBoundingRect(firstBlock(cell, doc)).top();
            return text - scale * (padding + tf.cellSpacing() + tf.border() + tf.topMargin());
        }
    }
    return layout->frameBoundingRect(frame).top();
}

QVector<PageSlice> paginate(QTextDocument &doc, qreal pageHeight) {
    const qreal height = doc.documentLayout()->documentSize().height();
    return paginate(QVector<StripPart>{{&doc, 0, height}}, pageHeight);
}

QVector<PageSlice> paginate(const QVector<StripPart> &strip, qreal pageHeight) {
    Geometry geometry;
    for (const StripPart &part : strip)
        geometry.add(part);
    QVector<PageSlice> pages;
    geometry.paginate(pageHeight, true, &pages);
    return pages;
}

struct StripPaginator::Impl {
    Geometry geometry;
    qreal pageHeight = 1;
};

StripPaginator::StripPaginator(qreal pageHeight) : d(std::make_unique<Impl>()) {
    d->pageHeight = pageHeight;
}

StripPaginator::~StripPaginator() = default;

void StripPaginator::add(const StripPart &part) {
    d->geometry.add(part);
}

void StripPaginator::paginate(bool last, QVector<PageSlice> *pages) {
    d->geometry.paginate(d->pageHeight, last, pages);
}

void StripPaginator::forget(const QTextDocument *doc) {
    d->geometry.forget(doc);
}

qreal StripPaginator::height() const {
    return d->geometry.height();
}

} // namespace corv
