#include "ReportParts.h"

#include <QVector>
#include <algorithm>
#include <optional>
#include <utility>

namespace corv {

namespace {

struct Tag {
    int begin = 0, end = 0; // [begin, end) in the text, '<' to past '>'
    QString name;           // lower case
    bool closing = false;
};

bool isNameChar(QChar c) {
    return c.isLetterOrNumber() || c == u'-' || c == u'_' || c == u':';
}

// The next tag at or after `from`; false when there is none. Comments are
// skipped, and a '<' that starts no tag is text.
bool nextTag(const QString &s, int from, Tag *tag) {
    const int n = int(s.size());
    for (int i = s.indexOf(u'<', from); i >= 0 && i < n; i = s.indexOf(u'<', i + 1)) {
        if (s.mid(i, 4) == QLatin1String("<!--")) {
            const int close = s.indexOf(QLatin1String("-->"), i + 4);
            if (close < 0)
                return false;
            i = close + 2;
            continue;
        }
        int j = i + 1;
        const bool closing = j < n && s[j] == u'/';
        if (closing)
            ++j;
        const int nameStart = j;
        while (j < n && isNameChar(s[j]))
            ++j;
        if (j == nameStart || !s[nameStart].isLetter())
            continue;
        // Up to the '>' that is not inside a quoted value.
        QChar quote;
        int k = j;
        for (; k < n; ++k) {
            const QChar c = s[k];
            if (!quote.isNull()) {
                if (c == quote)
                    quote = QChar();
            } else if (c == u'"' || c == u'\'') {
                quote = c;
            } else if (c == u'>') {
                break;
            }
        }
        if (k >= n)
            return false;
        tag->begin = i;
        tag->end = k + 1;
        tag->name = s.mid(nameStart, j - nameStart).toLower();
        tag->closing = closing;
        return true;
    }
    return false;
}

// Where the body's content begins and ends: after the first <body> tag and
// before the last </body> after it; the whole text when there is no body.
std::pair<int, int> bodyBounds(const QString &html) {
    int begin = 0, end = int(html.size());
    Tag tag;
    bool opened = false;
    for (int pos = 0; nextTag(html, pos, &tag); pos = tag.end) {
        if (tag.name != QLatin1String("body"))
            continue;
        if (!tag.closing && !opened) {
            begin = tag.end;
            opened = true;
        } else if (tag.closing && opened) {
            end = tag.begin;
        }
    }
    if (end < begin)
        end = int(html.size());
    return {begin, end};
}

// The value of attribute `name` in the opening tag `tag`; null when absent.
QString attribute(const QString &s, const Tag &tag, QLatin1String name) {
    const QString text = s.mid(tag.begin, tag.end - tag.begin);
    int i = 1 + int(tag.name.size());
    const int n = int(text.size()) - 1; // before '>'
    while (i < n) {
        while (i < n && (text[i].isSpace() || text[i] == u'/'))
            ++i;
        const int start = i;
        while (i < n && !text[i].isSpace() && text[i] != u'=' && text[i] != u'>')
            ++i;
        const QString attr = text.mid(start, i - start).toLower();
        if (attr.isEmpty())
            break;
        while (i < n && text[i].isSpace())
            ++i;
        QString value = QLatin1String("");
        if (i < n && text[i] == u'=') {
            ++i;
            while (i < n && text[i].isSpace())
                ++i;
            if (i < n && (text[i] == u'"' || text[i] == u'\'')) {
                const QChar quote = text[i];
                const int close = text.indexOf(quote, i + 1);
                const int stop = close < 0 ? n : close;
                value = text.mid(i + 1, stop - i - 1);
                i = stop + 1;
            } else {
                const int vstart = i;
                while (i < n && !text[i].isSpace())
                    ++i;
                value = text.mid(vstart, i - vstart);
            }
        }
        if (attr == name)
            return value;
    }
    return QString();
}

struct Cell {
    Tag tag;
    QString width; // null when not set
    bool spans = false;
};

struct Row {
    int begin = 0;
    bool inHead = false;
    QVector<Cell> cells;
};

struct Table {
    Tag open;
    int end = 0; // past its "</table>"
    bool rowSpans = false;
    QVector<Row> rows;
};

// Reads the table opened by `open` (at depth 0) up to its matching close.
// False when it is never closed.
bool readTable(const QString &s, const Tag &open, Table *table) {
    table->open = open;
    int depth = 1;
    bool inHead = false;
    Tag tag;
    int pos = open.end;
    while (nextTag(s, pos, &tag)) {
        pos = tag.end;
        if (tag.name == QLatin1String("table")) {
            depth += tag.closing ? -1 : 1;
            if (depth == 0) {
                table->end = tag.end;
                return true;
            }
            continue;
        }
        if (depth != 1)
            continue;
        if (tag.name == QLatin1String("thead")) {
            inHead = !tag.closing;
        } else if (tag.name == QLatin1String("tr") && !tag.closing) {
            Row row;
            row.begin = tag.begin;
            row.inHead = inHead;
            table->rows.push_back(row);
        } else if ((tag.name == QLatin1String("td") || tag.name == QLatin1String("th")) &&
                   !tag.closing && !table->rows.isEmpty()) {
            Cell cell;
            cell.tag = tag;
            cell.width = attribute(s, tag, QLatin1String("width"));
            const QString colspan = attribute(s, tag, QLatin1String("colspan"));
            const QString rowspan = attribute(s, tag, QLatin1String("rowspan"));
            cell.spans = (!colspan.isNull() && colspan.trimmed() != QLatin1String("1"));
            if (!rowspan.isNull() && rowspan.trimmed() != QLatin1String("1"))
                table->rowSpans = true;
            table->rows.last().cells.push_back(cell);
        }
    }
    return false;
}

// Appends `table` to the pieces, cut where that changes nothing.
void cutTable(const QString &s, const Table &table, int rowsPerTable, QStringList *pieces) {
    auto whole = [&] { pieces->last() += s.mid(table.open.begin, table.end - table.open.begin); };
    if (table.rowSpans || table.rows.isEmpty()) {
        whole();
        return;
    }
    const Row &first = table.rows.first();
    if (first.cells.isEmpty())
        return whole();
    for (const Cell &c : first.cells)
        if (c.width.isNull() || c.spans)
            return whole();
    const int columns = int(first.cells.size());
    const QString openTag = s.mid(table.open.begin, table.open.end - table.open.begin);

    int from = table.open.begin;
    int sincePiece = 0;
    for (const Row &row : table.rows) {
        if (row.inHead)
            continue;
        const bool plain =
            row.cells.size() == columns &&
            std::none_of(row.cells.begin(), row.cells.end(), [](const Cell &c) { return c.spans; });
        if (sincePiece >= rowsPerTable && plain && &row != &first) {
            pieces->last() += s.mid(from, row.begin - from);
            pieces->last() += QLatin1String("</table>");
            pieces->push_back(openTag);
            // The row that opens a piece sets its columns' widths.
            int at = row.begin;
            for (int c = 0; c < columns; ++c) {
                const Cell &cell = row.cells[c];
                if (!cell.width.isNull())
                    continue;
                const int afterName = cell.tag.begin + 1 + int(cell.tag.name.size());
                pieces->last() += s.mid(at, afterName - at);
                pieces->last() += QStringLiteral(" width=\"%1\"").arg(first.cells[c].width);
                at = afterName;
            }
            from = at;
            sincePiece = 0;
        }
        ++sincePiece;
    }
    pieces->last() += s.mid(from, table.end - from);
}

// Cuts the tables of `html` from `from` (where no table is open) up to
// `bodyEnd` into `pieces`, appending to the last.
void cutBody(const QString &html, int from, int bodyEnd, int rowsPerTable, QStringList *pieces) {
    Tag tag;
    int pos = from;
    while (nextTag(html, pos, &tag) && tag.begin < bodyEnd) {
        pos = tag.end;
        if (tag.name != QLatin1String("table") || tag.closing)
            continue;
        Table table;
        if (!readTable(html, tag, &table) || table.end > bodyEnd)
            break;
        pieces->last() += html.mid(from, tag.begin - from);
        cutTable(html, table, rowsPerTable, pieces);
        from = pos = table.end;
    }
    pieces->last() += html.mid(from, bodyEnd - from);
}

// The last "</body>" of `html` from `from` on; -1 when there is none.
int lastBodyClose(const QString &html, int from) {
    int at = -1;
    Tag tag;
    for (int pos = from; nextTag(html, pos, &tag); pos = tag.end)
        if (tag.name == QLatin1String("body") && tag.closing)
            at = tag.begin;
    return at;
}

} // namespace

QStringList splitReportHtml(const QString &html, int rowsPerTable, int parts) {
    rowsPerTable = std::max(rowsPerTable, 1);
    parts = std::max(parts, 1);

    // The body is what is cut; the head (the style sheet) goes with every
    // part.
    const auto [bodyBegin, bodyEnd] = bodyBounds(html);
    const QString head = html.left(bodyBegin);
    const QString tail = html.mid(bodyEnd);

    QStringList pieces{QString()};
    cutBody(html, bodyBegin, bodyEnd, rowsPerTable, &pieces);

    // Pieces are shared out so that the parts are about the same size.
    qsizetype total = 0;
    for (const QString &p : pieces)
        total += p.size();
    parts = std::min(parts, int(pieces.size()));
    QStringList out;
    QString current;
    qsizetype done = 0;
    for (int i = 0; i < pieces.size(); ++i) {
        current += pieces[i];
        done += pieces[i].size();
        const int remainingParts = parts - int(out.size()) - 1;
        const qsizetype target = total * (out.size() + 1) / parts;
        if (remainingParts > 0 && done >= target && i + 1 < pieces.size()) {
            out << head + current + tail;
            current.clear();
        }
    }
    out << head + current + tail;
    return out;
}

// --- cutting HTML as it comes ---------------------------------------------------

struct HtmlCutter::State {
    enum Phase { Head, Body, InTable, Hold, Whole };
    struct CellAt {
        int begin = 0, nameSize = 0;
        QString width;
        bool spans = false;
    };
    struct RowAt {
        int begin = 0;
        bool inHead = false;
        QVector<CellAt> cells;
    };
    Phase phase = Head;
    int rowsPerTable = 1;
    QString buf;   // the text not yet given out, from its start
    int from = 0;  // in buf: the first character not yet in a piece
    int pos = 0;   // in buf: where the tags are read on
    QString piece; // the piece being made
    QStringList done;
    QString head, tail;
    bool headKnown = false, finished = false, failed = false;
    // The table being read.
    QString openTag;
    int depth = 0;
    bool inHead = false, rowSpans = false, cutHere = false, cuttable = false;
    int rows = 0, sincePiece = 0;
    QVector<QString> widths; // the first row's
    std::optional<RowAt> row;

    void endRow() {
        if (!row)
            return;
        RowAt r = *row;
        row.reset();
        const bool first = rows++ == 0;
        if (first) {
            cuttable = !r.cells.isEmpty() &&
                       std::none_of(r.cells.begin(), r.cells.end(),
                                    [](const CellAt &c) { return c.width.isNull() || c.spans; });
            for (const CellAt &c : r.cells)
                widths << c.width;
        }
        if (r.inHead)
            return;
        const bool plain =
            r.cells.size() == widths.size() &&
            std::none_of(r.cells.begin(), r.cells.end(), [](const CellAt &c) { return c.spans; });
        if (cuttable && !rowSpans && sincePiece >= rowsPerTable && plain && !first) {
            piece += buf.mid(from, r.begin - from);
            piece += QLatin1String("</table>");
            done << piece;
            piece = openTag;
            int at = r.begin;
            for (int c = 0; c < widths.size(); ++c) {
                const CellAt &cell = r.cells[c];
                if (!cell.width.isNull())
                    continue;
                const int afterName = cell.begin + 1 + cell.nameSize;
                piece += buf.mid(at, afterName - at);
                piece += QStringLiteral(" width=\"%1\"").arg(widths[c]);
                at = afterName;
            }
            from = at;
            sincePiece = 0;
            cutHere = true;
        }
        ++sincePiece;
    }

    void read() {
        Tag tag;
        while (phase != Hold && phase != Whole && nextTag(buf, pos, &tag)) {
            pos = tag.end;
            if (phase == Head) {
                if (tag.name == QLatin1String("body") && !tag.closing) {
                    head = buf.left(tag.end);
                    headKnown = true;
                    from = tag.end;
                    phase = Body;
                } else if (tag.name == QLatin1String("table")) {
                    // Where the body begins is only known at the end.
                    phase = Whole;
                }
            } else if (phase == Body) {
                if (tag.name == QLatin1String("body") && tag.closing) {
                    phase = Hold;
                } else if (tag.name == QLatin1String("table") && !tag.closing) {
                    piece += buf.mid(from, tag.begin - from);
                    from = tag.begin;
                    openTag = buf.mid(tag.begin, tag.end - tag.begin);
                    depth = 1;
                    inHead = rowSpans = cutHere = cuttable = false;
                    rows = sincePiece = 0;
                    widths.clear();
                    row.reset();
                    phase = InTable;
                }
            } else if (tag.name == QLatin1String("table")) {
                depth += tag.closing ? -1 : 1;
                if (depth == 0) {
                    endRow();
                    if (cutHere && rowSpans)
                        failed = true;
                    piece += buf.mid(from, tag.end - from);
                    from = tag.end;
                    phase = Body;
                }
            } else if (tag.name == QLatin1String("body") && tag.closing) {
                if (cutHere)
                    failed = true;
                phase = Hold;
            } else if (depth != 1) {
                continue;
            } else if (tag.name == QLatin1String("thead")) {
                inHead = !tag.closing;
            } else if (tag.name == QLatin1String("tr") && !tag.closing) {
                endRow();
                row = RowAt{tag.begin, inHead, {}};
            } else if ((tag.name == QLatin1String("td") || tag.name == QLatin1String("th")) &&
                       !tag.closing && row) {
                CellAt cell;
                cell.begin = tag.begin;
                cell.nameSize = int(tag.name.size());
                cell.width = attribute(buf, tag, QLatin1String("width"));
                const QString colspan = attribute(buf, tag, QLatin1String("colspan"));
                const QString rowspan = attribute(buf, tag, QLatin1String("rowspan"));
                cell.spans = !colspan.isNull() && colspan.trimmed() != QLatin1String("1");
                if (!rowspan.isNull() && rowspan.trimmed() != QLatin1String("1")) {
                    rowSpans = true;
                    if (cutHere)
                        failed = true;
                }
                row->cells.push_back(cell);
            }
        }
        // What is in pieces is let go of.
        if ((phase == Body || phase == InTable) && from > 64 * 1024) {
            buf.remove(0, from);
            pos -= from;
            if (row) {
                row->begin -= from;
                for (CellAt &c : row->cells)
                    c.begin -= from;
            }
            from = 0;
        }
    }
};

HtmlCutter::HtmlCutter(int rowsPerTable) : d(std::make_unique<State>()) {
    d->rowsPerTable = std::max(rowsPerTable, 1);
}

HtmlCutter::~HtmlCutter() = default;

void HtmlCutter::add(const QString &text) {
    if (d->finished || d->failed)
        return;
    d->buf += text;
    d->read();
}

void HtmlCutter::finish() {
    if (d->finished || d->failed)
        return;
    d->finished = true;
    State &s = *d;
    switch (s.phase) {
    case State::Head:
    case State::Whole: {
        // No body before the first table: cut as a whole.
        const auto [bodyBegin, bodyEnd] = bodyBounds(s.buf);
        s.head = s.buf.left(bodyBegin);
        s.tail = s.buf.mid(bodyEnd);
        QStringList pieces{QString()};
        cutBody(s.buf, bodyBegin, bodyEnd, s.rowsPerTable, &pieces);
        s.done += pieces;
        s.headKnown = true;
        break;
    }
    case State::InTable:
        // A table never closed is left as it is.
        if (s.cutHere)
            s.failed = true;
        s.piece += s.buf.mid(s.from);
        s.done << s.piece;
        break;
    case State::Body:
        s.piece += s.buf.mid(s.from);
        s.done << s.piece;
        break;
    case State::Hold: {
        // Past a "</body>": the body ends at the last one.
        const int end = lastBodyClose(s.buf, s.from);
        const int bodyEnd = end < 0 ? int(s.buf.size()) : end;
        QStringList pieces{s.piece};
        cutBody(s.buf, s.from, bodyEnd, s.rowsPerTable, &pieces);
        s.done += pieces;
        s.tail = s.buf.mid(bodyEnd);
        break;
    }
    }
    s.piece.clear();
    s.buf.clear();
}

QStringList HtmlCutter::takePieces() {
    QStringList out;
    out.swap(d->done);
    return out;
}

bool HtmlCutter::headKnown() const {
    return d->headKnown;
}

QString HtmlCutter::head() const {
    return d->head;
}

QString HtmlCutter::tail() const {
    return d->tail;
}

bool HtmlCutter::failed() const {
    return d->failed;
}

} // namespace corv
