#include "ReportParts.h"

#include <QVector>
#include <algorithm>

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

} // namespace

QStringList splitReportHtml(const QString &html, int rowsPerTable, int parts) {
    rowsPerTable = std::max(rowsPerTable, 1);
    parts = std::max(parts, 1);

    // The body is what is cut; the head (the style sheet) goes with every
    // part.
    int bodyBegin = 0, bodyEnd = int(html.size());
    {
        Tag tag;
        int pos = 0;
        bool opened = false;
        while (nextTag(html, pos, &tag)) {
            pos = tag.end;
            if (tag.name != QLatin1String("body"))
                continue;
            if (!tag.closing && !opened) {
                bodyBegin = tag.end;
                opened = true;
            } else if (tag.closing && opened) {
                bodyEnd = tag.begin;
            }
        }
        if (!opened)
            bodyBegin = 0;
        if (bodyEnd < bodyBegin)
            bodyEnd = int(html.size());
    }
    const QString head = html.left(bodyBegin);
    const QString tail = html.mid(bodyEnd);

    QStringList pieces{QString()};
    int from = bodyBegin;
    Tag tag;
    int pos = bodyBegin;
    while (nextTag(html, pos, &tag) && tag.begin < bodyEnd) {
        pos = tag.end;
        if (tag.name != QLatin1String("table") || tag.closing)
            continue;
        Table table;
        if (!readTable(html, tag, &table) || table.end > bodyEnd)
            break;
        pieces.last() += html.mid(from, tag.begin - from);
        cutTable(html, table, rowsPerTable, &pieces);
        from = pos = table.end;
    }
    pieces.last() += html.mid(from, bodyEnd - from);

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

} // namespace corv
