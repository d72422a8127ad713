// Cutting a laid-out document into pages.
//
// QTextDocument's own pagination breaks a table row between two pages
// wherever the page ends, which splits a record. Here the document is laid
// out once as one long strip and cut into pages at places that split
// nothing:
// - between two lines of a paragraph, and between two rows of a table: a
//   row (one record of a report) is never split, unless it is taller than a
//   page, and then only between lines;
// - never right after a heading, nor between a table's header rows and its
//   first row: the heading and the header go over to the next page with it;
// - always before a paragraph or table marked "page-break-before: always"
//   (and after one marked "page-break-after: always").
// A page that continues a table shows the table's header rows again at its
// top; one that continues a record split between pages shows, in the
// record's first cell, that cell again (the entry's date in the journal), so
// the reader knows whose lines these are.
#pragma once

#include <QVector>
#include <QtGlobal>
#include <memory>

class QTextDocument;
class QTextFrame;

namespace corv {

struct PageSlice {
    // The table header repeated at the top of the page; empty when none.
    qreal headerTop = 0, headerBottom = 0;
    // The part of the strip the page shows, below the repeated header.
    qreal top = 0, bottom = 0;
    // The first cell of a record the page continues, repeated where the
    // page's part of the strip begins: its text from `labelTop` to
    // `labelBottom` on the strip, between `labelLeft` and `labelRight` across
    // the body. Empty when the page begins with a record of its own.
    qreal labelTop = 0, labelBottom = 0, labelLeft = 0, labelRight = 0;

    qreal headerHeight() const { return headerBottom - headerTop; }
    qreal labelHeight() const { return labelBottom - labelTop; }
};

// A laid-out document as one stretch of the strip: the part of it from `top`
// to `bottom` (in its own coordinates) follows the stretch before it.
struct StripPart {
    QTextDocument *doc = nullptr;
    qreal top = 0, bottom = 0;
};

// Where a laid-out frame begins. (A table's own rectangle starts at the
// text of its first row, inside the row's padding: the table begins its
// padding, spacing, border and margin above that.)
qreal frameStart(QTextFrame *frame);

// The pages of `doc`, laid out with its text width set, for pages whose body
// is `pageHeight` high. Always at least one page.
QVector<PageSlice> paginate(QTextDocument &doc, qreal pageHeight);

// The same for a strip made of several documents, one below the other. A
// table that carries on directly below another with the same columns and no
// header rows of its own (a long table cut into pieces) is taken as the
// same table: its pages repeat the first one's header.
QVector<PageSlice> paginate(const QVector<StripPart> &strip, qreal pageHeight);

// The same, part by part as the strip is laid out: each page is cut as soon
// as what follows it can no longer change it, and comes out as paginate()
// would cut it from the whole strip.
class StripPaginator {
public:
    explicit StripPaginator(qreal pageHeight);
    ~StripPaginator();
    StripPaginator(const StripPaginator &) = delete;
    StripPaginator &operator=(const StripPaginator &) = delete;

    // The next part of the strip, laid out; it must stay until forgotten.
    void add(const StripPart &part);
    // Appends the pages settled so far; with `last` (every part added), all
    // the rest.
    void paginate(bool last, QVector<PageSlice> *pages);
    // `doc` is going away: only pages below it may still be cut.
    void forget(const QTextDocument *doc);
    // The strip's height so far.
    qreal height() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace corv
