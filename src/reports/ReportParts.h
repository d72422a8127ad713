// Cutting a report's HTML into pieces that lay out faster.
//
// QTextDocument reads a table of a thousand rows several times slower per
// row than the same rows in tables of a few dozen, and a long report is
// nearly all one such table. So a long table of the rendered HTML is cut
// into tables of at most `rowsPerTable` rows, each opened with the original
// table's tag; laid out one below the other they look exactly like the one
// table, and the page cutter carries the first table's header over them.
//
// A table is cut only where that changes nothing: its columns must have
// their widths set in the first row (the header's or the first record's),
// so every piece gets the same columns; it must have no row spanning
// another; and a piece only begins at a row with one cell per column, which
// is given the first row's widths. Any other table is left whole.
//
// The pieces can further be grouped into `parts` separate HTML documents,
// each with the original head (its style sheet), so they can be read and
// laid out at the same time; a part boundary always falls between two
// pieces of a cut table.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>

namespace corv {

// `html` with its long tables cut, as `parts` documents (fewer when there is
// not enough to share out; always at least one). With `parts` 1 the result
// is one document.
QStringList splitReportHtml(const QString &html, int rowsPerTable, int parts);

// The same cutting for HTML that comes in pieces, as it comes: the pieces
// splitReportHtml() makes of the whole, each given out as soon as it is
// complete (a piece of a long table once the rows after it are read), so
// that a report can be laid out while it is still being rendered, and
// none of it need be held whole.
//
// Where that cannot be known before the end (a template with no <body>
// before its first table), everything is held and cut at the end. Where a
// piece given out turns out not to be cut in the whole (a row spanning rows
// late in a cut table, a table never closed), failed() says so: the caller
// must start over with the whole HTML.
class HtmlCutter {
public:
    explicit HtmlCutter(int rowsPerTable);
    ~HtmlCutter();
    HtmlCutter(const HtmlCutter &) = delete;
    HtmlCutter &operator=(const HtmlCutter &) = delete;

    void add(const QString &text);
    // The HTML has ended: the rest is given out.
    void finish();
    // The pieces complete since the last call, in order.
    QStringList takePieces();
    // What goes before every part (up to and with the <body> tag): known
    // once the body has begun, or at the end.
    bool headKnown() const;
    QString head() const;
    // What goes after the last part; known at the end.
    QString tail() const;
    bool failed() const;

private:
    struct State;
    std::unique_ptr<State> d;
};

} // namespace corv
