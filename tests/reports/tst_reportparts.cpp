// Long tables read in pieces and in parts: where the HTML is cut and where
// it is not, and that a report laid out in pieces looks exactly as it does
// laid out whole.
#include "ReportTestSupport.h"
#include "reports/ReportData.h"
#include "reports/ReportDocument.h"
#include "reports/ReportParts.h"
#include "reports/ReportTemplate.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTextDocument>
#include <QtTest/QTest>

using namespace corv;
using namespace corv::test;

namespace {

int count(const QString &text, const QString &what) {
    return int(text.count(what));
}

// The text a reader would see, tags left out: what a cut must never change.
QString words(const QString &html) {
    QTextDocument doc;
    doc.setHtml(html);
    return doc.toPlainText().simplified();
}

QString rows(int n, const QString &cellAttributes = QString()) {
    QString out;
    for (int i = 1; i <= n; ++i)
        out += QStringLiteral("<tr><td%1>r%2a</td><td%1>r%2b</td></tr>").arg(cellAttributes).arg(i);
    return out;
}

const QString Head = QStringLiteral("<html><head><style>td { color: #123456; }</style></head>"
                                    "<body>");
const QString Tail = QStringLiteral("</body></html>");
const QString Header =
    QStringLiteral("<thead><tr><th width=\"30%\">A</th><th width=\"70%\">B</th></tr></thead>");

// The journal's own template.
ReportTemplate journalTemplate() {
    QFile f(QStringLiteral(CORVELLA_SOURCE_DIR "/resources/reports/journal.rpt"));
    if (!f.open(QIODevice::ReadOnly))
        qFatal("journal.rpt not found");
    ReportError e;
    auto tmpl =
        ReportTemplate::fromText(QString::fromUtf8(f.readAll()), QStringLiteral("journal.rpt"), &e);
    if (!tmpl)
        qFatal("journal.rpt refused: %s", qPrintable(e.text));
    return *tmpl;
}

// The journal's own template rendered with `t`'s records.
RenderedReport journalOf(const ReportTable &t) {
    ReportError e;
    auto r = renderReport(journalTemplate(), t, {QDate(2024, 3, 9), {}}, &e);
    if (!r)
        qFatal("render failed");
    return *r;
}

// An empty journal of two tanks: ID, TankID, EntryDate, PH, Nitrate, Notes.
ReportTable journalTable() {
    ReportTable t;
    t.table = QStringLiteral("Journal");
    t.columns = {{"ID", ReportFieldKind::Integer},     {"TankID", ReportFieldKind::Integer},
                 {"EntryDate", ReportFieldKind::Date}, {"PH", ReportFieldKind::Number},
                 {"Nitrate", ReportFieldKind::Number}, {"Notes", ReportFieldKind::Memo}};
    t.tankColumn = 1;
    t.tankNames = {{1, QStringLiteral("Reef")}, {2, QStringLiteral("Pond")}};
    return t;
}

// Where pdftotext finds each word of a PDF file: the page's width, and each
// word's left and right edge with its page (0-based).
struct PdfWord {
    QString text;
    int page = 0;
    double left = 0, right = 0;
};
QVector<PdfWord> pdfWords(const QString &path, double *pageWidth) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    const QString xml = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression tag(
        QStringLiteral("<page width=\"([0-9.]+)\"|<word xMin=\"([0-9.]+)\" yMin=\"[0-9.]+\" "
                       "xMax=\"([0-9.]+)\" yMax=\"[0-9.]+\">([^<]*)</word>"));
    QVector<PdfWord> words;
    int page = -1;
    for (auto it = tag.globalMatch(xml); it.hasNext();) {
        const auto m = it.next();
        if (!m.captured(1).isEmpty()) {
            *pageWidth = m.captured(1).toDouble();
            ++page;
            continue;
        }
        words.push_back({m.captured(4), page, m.captured(2).toDouble(), m.captured(3).toDouble()});
    }
    return words;
}

// The journal's own template over `entries` tests in two tanks, shown for
// all tanks: a long table per tank, each tank on a page of its own.
ReportTable journalRows(int entries) {
    ReportTable t = journalTable();
    for (int i = 0; i < entries; ++i) {
        const int tank = i < entries * 2 / 3 ? 1 : 2;
        // Notes of one to six lines, so rows differ in height.
        QStringList notes;
        for (int l = 0; l < (i * 5) % 6; ++l)
            notes << QStringLiteral("note%1line%2 with a few more words to wrap").arg(i).arg(l);
        t.rows.push_back({qlonglong(i + 1), tank,
                          QDate(2020, 1, 1).addDays(i).toString(Qt::ISODate), 7.0 + (i % 10) / 10.0,
                          qlonglong(i % 40), notes.isEmpty() ? QVariant() : notes.join(u'\n')});
    }
    return t;
}

RenderedReport journalReport(int entries) {
    return journalOf(journalRows(entries));
}

QImage pageImage(const ReportDocument &doc, int index) {
    const QSizeF paper = doc.paperSize();
    const qreal scale = 60.0 / ReportDocument::Resolution; // 60 dots per inch
    QImage image(QSize(int(paper.width() * scale), int(paper.height() * scale)),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.scale(scale, scale);
    doc.paintPage(p, index);
    return image;
}

} // namespace

class TestReportParts : public QObject {
    Q_OBJECT
private slots:
    // A long table whose columns are set is cut into tables of the given
    // size; the row that opens a piece gets the columns' widths; nothing a
    // reader sees changes.
    void cutsLongTables() {
        const QString html = Head + QStringLiteral("<h1>Title</h1><table border=\"0\">") + Header +
                             rows(10) + QStringLiteral("</table><p>after</p>") + Tail;
        const QStringList out = splitReportHtml(html, 4, 1);
        QCOMPARE(out.size(), 1);
        const QString &cut = out.first();
        QCOMPARE(count(cut, QStringLiteral("<table border=\"0\">")), 3);
        QCOMPARE(count(cut, QStringLiteral("</table>")), 3);
        // Rows 5 and 9 open pieces, with the header's widths.
        QVERIFY(cut.contains(QStringLiteral("</table><table border=\"0\"><tr><td width=\"30%\">r5a"
                                            "</td><td width=\"70%\">r5b")));
        QVERIFY(cut.contains(QStringLiteral("<table border=\"0\"><tr><td width=\"30%\">r9a")));
        QVERIFY(cut.contains(QStringLiteral("<tr><td>r4a</td><td>r4b</td></tr></table>")));
        QCOMPARE(count(cut, QStringLiteral("<thead>")), 1);
        QCOMPARE(words(cut), words(html));
        QVERIFY(cut.startsWith(Head) && cut.endsWith(Tail));

        // A table no longer than a piece, or one exactly as long, stays whole.
        const QString shortTable =
            QStringLiteral("<table>") + Header + rows(4) + QStringLiteral("</table>");
        QCOMPARE(splitReportHtml(shortTable, 4, 1), QStringList{shortTable});
        // Without <body> the whole text is the body.
        QCOMPARE(count(splitReportHtml(QStringLiteral("<table>") + Header + rows(9) +
                                           QStringLiteral("</table>"),
                                       3, 1)
                           .first(),
                       QStringLiteral("<table>")),
                 3);
        // Widths set on the records themselves serve as well (no header).
        const QString noHeader =
            QStringLiteral("<table>") + rows(6, QStringLiteral(" width=\"50%\"")) + "</table>";
        const QString noHeaderCut = splitReportHtml(noHeader, 2, 1).first();
        QCOMPARE(count(noHeaderCut, QStringLiteral("<table>")), 3);
        QCOMPARE(count(noHeaderCut, QStringLiteral("width=")), 12); // none added twice
    }

    // Where a cut could change the layout, the table stays whole.
    void leavesOtherTablesWhole_data() {
        QTest::addColumn<QString>("html");
        QTest::newRow("no widths")
            << QStringLiteral("<table><tr><th>A</th><th>B</th></tr>") + rows(9) + "</table>";
        QTest::newRow("one width missing")
            << QStringLiteral("<table><tr><th width=\"30%\">A</th><th>B</th></tr>") + rows(9) +
                   "</table>";
        QTest::newRow("a row spans rows")
            << QStringLiteral("<table>") + Header + rows(4) +
                   "<tr><td rowspan=\"2\">x</td><td>y</td></tr><tr><td>z</td></tr>" + rows(4) +
                   "</table>";
        QTest::newRow("header spans columns")
            << QStringLiteral("<table><tr><th colspan=\"2\" width=\"100%\">AB</th></tr>") +
                   rows(9) + "</table>";
        QTest::newRow("never closed") << QStringLiteral("<table>") + Header + rows(9);
    }
    void leavesOtherTablesWhole() {
        QFETCH(QString, html);
        QCOMPARE(splitReportHtml(html, 2, 1), QStringList{html});
    }

    // A row that spans columns never opens a piece: the cut moves on to the
    // next plain row. Nested tables, comments and quoted '>' are no rows.
    void cutsOnlyAtPlainRows() {
        const QString html = QStringLiteral("<table>") + Header + rows(3) +
                             "<tr><td colspan=\"2\">TOTAL</td></tr>" +
                             "<tr><td title=\"a > b\">r4a<table><tr><td>in1</td></tr><tr><td>"
                             "in2</td></tr><tr><td>in3</td></tr></table></td><td>r4b</td></tr>"
                             "<!-- <tr><td>c</td></tr> -->" +
                             rows(2) + "</table>";
        const QString cut = splitReportHtml(html, 3, 1).first();
        // Rows: r1 r2 r3 | TOTAL (spans) r4 ... ; the piece opens at r4.
        QCOMPARE(count(cut, QStringLiteral("</table>")), 3); // inner, piece 1, piece 2
        QVERIFY2(cut.contains(QStringLiteral(
                     "TOTAL</td></tr></table><table><tr><td width=\"30%\" title=\"a > b\">r4a")),
                 qPrintable(cut));
        QVERIFY(cut.contains(QStringLiteral("<td>in1</td></tr><tr><td>in2</td></tr><tr><td>in3")));
        QCOMPARE(words(cut), words(html));
    }

    // Parts: each a whole document with the head; together the same body;
    // never more parts than pieces.
    void sharesOutParts() {
        const QString html =
            Head + QStringLiteral("<p>intro</p><table>") + Header + rows(30) + "</table>" + Tail;
        const QStringList parts = splitReportHtml(html, 5, 3);
        QCOMPARE(parts.size(), 3);
        QString body;
        for (const QString &part : parts) {
            QVERIFY(part.startsWith(Head));
            QVERIFY(part.endsWith(Tail));
            body += part.mid(Head.size(), part.size() - Head.size() - Tail.size());
        }
        const QString whole = splitReportHtml(html, 5, 1).first();
        QCOMPARE(Head + body + Tail, whole);
        // Every part after the first opens with a piece of the table.
        QVERIFY(parts.at(1).mid(Head.size()).startsWith(QStringLiteral("<table>")));
        QVERIFY(parts.at(2).mid(Head.size()).startsWith(QStringLiteral("<table>")));
        QCOMPARE(splitReportHtml(html, 10, 8).size(), 3); // three pieces
        QCOMPARE(splitReportHtml(QStringLiteral("<p>x</p>"), 10, 4).size(), 1);
    }

    // HTML that comes in pieces of any size is cut as the whole would be,
    // the pieces of a long table given out before the end; where that
    // turns out wrong only late, the cutter says so.
    void cutsAsItComes_data() {
        QTest::addColumn<QString>("html");
        QTest::addColumn<bool>("failsLate");
        const QString table = QStringLiteral("<table width=\"100%\">") + Header;
        QTest::newRow("tables and text")
            << Head + "<p>intro</p>" + table + rows(40) + "</table><p>between</p>" + table +
                   rows(9) + "</table><p>end</p>" + Tail
            << false;
        QTest::newRow("no body") << table + rows(20) + "</table>" << false;
        QTest::newRow("text after the body")
            << Head + table + rows(20) + "</table></body><p>x</p>" + table + rows(9) +
                   "</table></body></html>"
            << false;
        QTest::newRow("a row span late")
            << Head + table + rows(20) +
                   "<tr><td rowspan=\"2\">x</td><td>y</td></tr><tr><td>z</td></tr></table>" + Tail
            << true;
        QTest::newRow("never closed") << Head + table + rows(20) + Tail << true;
    }

    void cutsAsItComes() {
        QFETCH(QString, html);
        QFETCH(bool, failsLate);
        for (const int size : {1, 7, 100000}) {
            HtmlCutter cutter(4);
            QStringList pieces;
            int early = 0;
            for (int at = 0; at < html.size(); at += size) {
                cutter.add(html.mid(at, size));
                pieces += cutter.takePieces();
            }
            early = int(pieces.size());
            cutter.finish();
            pieces += cutter.takePieces();
            QCOMPARE(cutter.failed(), failsLate);
            if (failsLate)
                continue;
            QCOMPARE(cutter.head() + pieces.join(QString()) + cutter.tail(),
                     splitReportHtml(html, 4, 1).first());
            if (QByteArray(QTest::currentDataTag()) == "tables and text")
                QVERIFY2(early >= 8, qPrintable(QString::number(early)));
        }
    }

    // Rendered and laid out piece by piece, the journal gives its first
    // pages before the last is known, and in the end the pages it gives
    // laid out whole: the same cuts, and the same pictures, also of parts
    // let go of and read again.
    void streamedLayOutAsWhole() {
        const QPageSize paper(QPageSize::Letter);
        const ReportTable table = journalRows(260);
        ReportDocument whole(journalOf(table), paper);
        // Tables of 5 rows, a few parts kept.
        ReportDocument streamed(ReportSource{journalTemplate(), table, {QDate(2024, 3, 9), {}}},
                                paper, 5, 20'000);
        while (!streamed.layOutMore(0) && streamed.pageCount() == 0) {
        }
        QVERIFY(!streamed.complete());
        const int early = streamed.pageCount();
        QVERIFY(early > 0 && early < whole.pageCount());
        // Until the page count is known the footer does not give it.
        QVERIFY(pageImage(streamed, 0) != pageImage(whole, 0));
        QVERIFY(streamed.finish());
        QVERIFY(streamed.complete() && !streamed.failed());
        QCOMPARE(streamed.pageCount(), whole.pageCount());
        for (int i = 0; i < whole.pageCount(); ++i) {
            const PageSlice &a = whole.pageSlices().at(i);
            const PageSlice &b = streamed.pageSlices().at(i);
            QVERIFY2(qAbs(a.top - b.top) < 1 && qAbs(a.bottom - b.bottom) < 1 &&
                         qAbs(a.headerHeight() - b.headerHeight()) < 1 &&
                         qAbs(a.labelHeight() - b.labelHeight()) < 1,
                     qPrintable(QStringLiteral("page %1: %2-%3 h%4 l%5 against %6-%7 h%8 l%9")
                                    .arg(i + 1)
                                    .arg(a.top)
                                    .arg(a.bottom)
                                    .arg(a.headerHeight())
                                    .arg(a.labelHeight())
                                    .arg(b.top)
                                    .arg(b.bottom)
                                    .arg(b.headerHeight())
                                    .arg(b.labelHeight())));
            QVERIFY2(pageImage(streamed, i) == pageImage(whole, i),
                     qPrintable(QStringLiteral("page %1 differs").arg(i + 1)));
        }
        // Laid out again on other paper from its parts, as the whole would be.
        const QPageSize a4(QPageSize::A4);
        ReportDocument again(streamed, a4);
        ReportDocument wholeA4(journalOf(table), a4);
        QCOMPARE(again.pageCount(), wholeA4.pageCount());
        QVERIFY(pageImage(again, again.pageCount() - 1) ==
                pageImage(wholeA4, wholeA4.pageCount() - 1));
    }

    // What the stream cannot cut as the whole would (a row spanning rows
    // after many records) is made again whole, with the whole's pages; a
    // template that fails as it renders leaves no pages and says why.
    void streamedStartsOverOrFails() {
        ReportTable t;
        t.table = QStringLiteral("Glossary");
        t.columns = {{"ID", ReportFieldKind::Integer}, {"Term", ReportFieldKind::Text}};
        for (int i = 0; i < 300; ++i)
            t.rows.push_back({qlonglong(i + 1), QStringLiteral("term%1").arg(i)});
        ReportError e;
        const auto spans = ReportTemplate::fromText(
            "{{! table: Glossary }}<html><body>{{#pageFooter}}Page {{page}} of "
            "{{pages}}{{/pageFooter}}<table><tr><td width=\"50%\">A</td><td "
            "width=\"50%\">B</td></tr>{{#records}}<tr><td>{{Term}}</td><td>x</td></tr>"
            "{{/records}}<tr><td rowspan=\"2\">z</td><td>y</td></tr><tr><td>w</td></tr>"
            "</table></body></html>",
            QStringLiteral("spans.rpt"), &e);
        QVERIFY(spans);
        const QPageSize paper(QPageSize::A5);
        ReportDocument whole(*renderReport(*spans, t, {QDate(2024, 3, 9), {}}, &e), paper);
        ReportDocument streamed(ReportSource{*spans, t, {QDate(2024, 3, 9), {}}}, paper, 5);
        QVERIFY(streamed.finish());
        QVERIFY(whole.pageCount() > 3);
        QCOMPARE(streamed.pageCount(), whole.pageCount());
        for (int i = 0; i < whole.pageCount(); ++i)
            QVERIFY2(pageImage(streamed, i) == pageImage(whole, i),
                     qPrintable(QStringLiteral("page %1 differs").arg(i + 1)));

        // The footer, read again with the first delimiters, prints markup.
        const auto bad = ReportTemplate::fromText(
            "{{! table: Glossary }}{{=<% %>=}}<html><body><%#records%><p><%Term%></p><%/records%>"
            "<%#pageFooter%>{{{Term}}}<%/pageFooter%></body></html>",
            QStringLiteral("bad.rpt"), &e);
        QVERIFY(bad);
        ReportDocument failing(ReportSource{*bad, t, {QDate(2024, 3, 9), {}}}, paper);
        QVERIFY(!failing.finish());
        QVERIFY(failing.failed());
        QCOMPARE(failing.pageCount(), 0);
        QCOMPARE(failing.error().number, ReportErr::ReportFileInvalid);
        QVERIFY2(failing.error().text.contains(QStringLiteral("would print a value as markup")),
                 qPrintable(failing.error().text));
    }

    // The journal of two tanks laid out whole, cut into small pieces, and
    // cut and read in three parts: the same pages, pixel for pixel, with the
    // header repeated on every continued page.
    void piecesLayOutAsOneTable() {
        const RenderedReport report = journalReport(260);
        const QPageSize paper(QPageSize::Letter);
        ReportDocument whole(report, paper, 1, 1'000'000);
        ReportDocument pieces(report, paper, 1, 7);
        ReportDocument parts(report, paper, 3, 7);
        QCOMPARE(whole.partCount(), 1);
        QCOMPARE(parts.partCount(), 3);
        QVERIFY(whole.pageCount() > 6);
        for (const ReportDocument *doc : {&pieces, &parts}) {
            QCOMPARE(doc->pageCount(), whole.pageCount());
            for (int i = 0; i < whole.pageCount(); ++i) {
                const PageSlice &a = whole.pageSlices().at(i);
                const PageSlice &b = doc->pageSlices().at(i);
                QVERIFY2(qAbs(a.top - b.top) < 1 && qAbs(a.bottom - b.bottom) < 1 &&
                             qAbs(a.headerHeight() - b.headerHeight()) < 1,
                         qPrintable(QStringLiteral("page %1: %2-%3 (%4) against %5-%6 (%7)")
                                        .arg(i + 1)
                                        .arg(a.top)
                                        .arg(a.bottom)
                                        .arg(a.headerHeight())
                                        .arg(b.top)
                                        .arg(b.bottom)
                                        .arg(b.headerHeight())));
                QVERIFY2(pageImage(*doc, i) == pageImage(whole, i),
                         qPrintable(QStringLiteral("page %1 differs").arg(i + 1)));
            }
        }
        // Pages that continue a tank's table repeat its header.
        int continued = 0;
        for (const PageSlice &s : parts.pageSlices())
            continued += s.headerHeight() > 0 ? 1 : 0;
        QVERIFY(continued >= parts.pageCount() - 3);

        // The PDF has every entry once, each tank's in date order.
        TestEnv env;
        const QString pdf = env.path(QStringLiteral("j.pdf"));
        QVERIFY(parts.writePdf(pdf, nullptr));
        const QString text = pdfText(pdf);
        int at = 0;
        for (int i = 0; i < 260; ++i) {
            if (i == 260 * 2 / 3) // the next tank
                at = -1;
            const QString date =
                QDate(2020, 1, 1).addDays(i).toString(QStringLiteral("MM/dd/yyyy"));
            QCOMPARE(countWord(text, date), 1);
            const int next = int(text.indexOf(date));
            QVERIFY2(next > at, qPrintable(date));
            at = next;
        }
    }

    // A note longer than a page spreads its entry over several pages: each
    // page it goes on over names the entry's date in the date column, and
    // no other entry's. The notes get a fair share of the width.
    void longNoteNamesItsEntryOnEveryPage() {
        ReportTable t = journalTable();
        const auto dateOf = [](int i) {
            return QDate(2023, 5, 1).addDays(i).toString(QStringLiteral("MM/dd/yyyy"));
        };
        for (int i = 0; i < 6; ++i) {
            QStringList note;
            if (i == 2)
                for (int s = 1; s <= 700; ++s)
                    note << QStringLiteral("long%1 rinsed the filter sponge in tank water.").arg(s);
            t.rows.push_back({qlonglong(i + 1), 1,
                              QDate(2023, 5, 1).addDays(i).toString(Qt::ISODate), 7.2,
                              qlonglong(10 + i), note.isEmpty() ? QVariant() : note.join(u' ')});
        }
        ReportDocument doc(journalOf(t), QPageSize(QPageSize::Letter), 1);
        TestEnv env;
        const QString pdf = env.path(QStringLiteral("long.pdf"));
        QVERIFY(doc.writePdf(pdf, nullptr));
        const QStringList pages = pdfPages(pdf);
        QCOMPARE(pages.size(), doc.pageCount());
        const QRegularExpression noteWord(QStringLiteral("\\blong\\d+\\b"));
        int notePages = 0;
        for (int p = 0; p < pages.size(); ++p) {
            if (!pages.at(p).contains(noteWord))
                continue;
            ++notePages;
            QVERIFY2(countWord(pages.at(p), dateOf(2)) == 1,
                     qPrintable(QStringLiteral("page %1:\n%2").arg(p + 1).arg(pages.at(p))));
        }
        QVERIFY2(notePages >= 3, qPrintable(QString::number(notePages)));
        const QString all = pages.join(u'\n');
        for (int i : {0, 1, 3, 4, 5})
            QCOMPARE(countWord(all, dateOf(i)), 1);
        // The date stands in its own column, left of the note's lines.
        double width = 0;
        const QVector<PdfWord> words = pdfWords(pdf, &width);
        QVERIFY(width > 0);
        double noteLeft = width, noteRight = 0;
        for (const PdfWord &w : words) {
            if (!noteWord.match(w.text).hasMatch() &&
                !QStringList{"rinsed", "filter", "sponge", "water."}.contains(w.text))
                continue;
            noteLeft = std::min(noteLeft, w.left);
            noteRight = std::max(noteRight, w.right);
        }
        int dates = 0;
        for (const PdfWord &w : words) {
            if (w.text != dateOf(2))
                continue;
            ++dates;
            QVERIFY(w.right < width * 0.15);
        }
        QCOMPARE(dates, notePages);
        QVERIFY2(
            (noteRight - noteLeft) / width > 0.2,
            qPrintable(
                QStringLiteral("notes %1 to %2 of %3").arg(noteLeft).arg(noteRight).arg(width)));
    }
};

QTEST_MAIN(TestReportParts)
#include "tst_reportparts.moc"
