// The CSV reader and writer: the cases spreadsheets produce, line numbers
// that match a text editor's, and what both do with damaged input.
#include "data/Csv.h"

#include <QBuffer>
#include <QtTest/QTest>

using namespace corv;

namespace {

struct Row {
    int line;
    QStringList fields;
    bool unterminated = false;
    bool malformed = false;
};

QVector<Row> readAll(const QString &text) {
    CsvReader reader(text);
    QVector<Row> rows;
    QStringList f;
    while (reader.readRow(f))
        rows.push_back({reader.rowLine(), f, reader.rowUnterminated(), reader.rowMalformed()});
    return rows;
}

QByteArray written(const QVector<QStringList> &rows, bool bom = false) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        CsvWriter w(&buffer, bom);
        for (const QStringList &r : rows)
            w.writeRow(r);
        if (!w.flush())
            qFatal("buffer refused the write");
    }
    return bytes;
}

} // namespace

class TestCsv : public QObject {
    Q_OBJECT
private slots:
    void writerQuotesOnlyWhatItMust() {
        QCOMPARE(csvField(QStringLiteral("plain")), QStringLiteral("plain"));
        QCOMPARE(csvField(QString()), QString());
        QCOMPARE(csvField(QStringLiteral("a,b")), QStringLiteral("\"a,b\""));
        QCOMPARE(csvField(QStringLiteral("say \"hi\"")), QStringLiteral("\"say \"\"hi\"\"\""));
        QCOMPARE(csvField(QStringLiteral("one\ntwo")), QStringLiteral("\"one\ntwo\""));
        QCOMPARE(csvField(QStringLiteral("cr\rhere")), QStringLiteral("\"cr\rhere\""));
        // Blanks at the ends would be trimmed by some spreadsheets.
        QCOMPARE(csvField(QStringLiteral(" lead")), QStringLiteral("\" lead\""));
        QCOMPARE(csvField(QStringLiteral("trail ")), QStringLiteral("\"trail \""));
        QCOMPARE(csvField(QStringLiteral("in side")), QStringLiteral("in side"));

        QCOMPARE(written({{"a", "b,c", ""}, {"", "", ""}}), QByteArray("a,\"b,c\",\r\n,,\r\n"));
        QCOMPARE(written({{QStringLiteral("Café")}}, true), QByteArray("\xEF\xBB\xBF"
                                                                       "Caf\xC3\xA9\r\n"));
    }

    void writerReportsARefusingDevice() {
        QBuffer closed; // never opened: every write fails
        CsvWriter w(&closed, false);
        w.writeRow({"a"});
        QVERIFY(!w.flush());
        QVERIFY(!w.ok());
    }

    void readerRfcCases() {
        // Commas, doubled quotes and line breaks inside quotes; empty fields
        // quoted and unquoted; a trailing comma gives a last empty field.
        const auto rows = readAll(QStringLiteral("EntryDate,Notes,PH\r\n"
                                                 "2024-01-02,\"tank, top \"\"off\"\"\",7.5\r\n"
                                                 "2024-01-03,\"first line\r\nsecond\nthird\",\r\n"
                                                 ",\"\",\r\n"
                                                 "a,b,"));
        QCOMPARE(rows.size(), 5);
        QCOMPARE(rows[0].fields, (QStringList{"EntryDate", "Notes", "PH"}));
        QCOMPARE(rows[1].fields, (QStringList{"2024-01-02", "tank, top \"off\"", "7.5"}));
        QCOMPARE(rows[2].fields, (QStringList{"2024-01-03", "first line\r\nsecond\nthird", ""}));
        QCOMPARE(rows[3].fields, (QStringList{"", "", ""}));
        QCOMPARE(rows[4].fields, (QStringList{"a", "b", ""}));
        for (const Row &r : rows)
            QVERIFY(!r.unterminated && !r.malformed);
        // Rows start on the lines an editor shows: the note spans 3-5.
        QCOMPARE(rows[3].line, 6);
        QCOMPARE(rows[4].line, 7);
    }

    void readerLineEndingsBomAndBlankLines() {
        const QVector<QStringList> expected = {{"h1", "h2"}, {"1", "2"}, {"3", "4"}};
        for (const QString &text :
             {QStringLiteral("h1,h2\r\n1,2\r\n3,4\r\n"), QStringLiteral("h1,h2\n1,2\n3,4"),
              QStringLiteral("h1,h2\r1,2\r3,4\r"), QStringLiteral("\uFEFFh1,h2\n1,2\r\n3,4\n\n")}) {
            const auto rows = readAll(text);
            QCOMPARE(rows.size(), 3);
            for (int i = 0; i < 3; ++i)
                QCOMPARE(rows[i].fields, expected[i]);
            QCOMPARE(rows[2].line, 3);
        }
        // Empty lines are no rows, but still count as lines.
        const auto rows = readAll(QStringLiteral("h\n\n\r\nx\n"));
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[1].line, 4);
        QVERIFY(readAll(QString()).isEmpty());
        QVERIFY(readAll(QStringLiteral("\n\r\n")).isEmpty());
    }

    void readerDamagedInput() {
        // A quote that is never closed swallows the rest of the text.
        auto rows = readAll(QStringLiteral("a,b\n1,\"open\n2,3\n"));
        QCOMPARE(rows.size(), 2);
        QVERIFY(rows[1].unterminated);
        QCOMPARE(rows[1].fields, (QStringList{"1", "open\n2,3\n"}));
        // Text after a closing quote is kept and the row marked; a quote in
        // the middle of an unquoted field is an ordinary character.
        rows = readAll(QStringLiteral("\"abc\"def,x\"y\n"));
        QCOMPARE(rows.size(), 1);
        QVERIFY(rows[0].malformed);
        QCOMPARE(rows[0].fields, (QStringList{"abcdef", "x\"y"}));
    }

    void writeThenReadGivesTheSameFields() {
        const QVector<QStringList> data = {
            {"Notes", "Value"},           {"a \"quoted\" word, and a comma", "1"},
            {"line one\nline two\n", ""}, {"\"", ","},
            {" padded ", "Ünïcödé €"},    {"", ""},
        };
        const QString text = decodeCsvBytes(written(data, true));
        const auto rows = readAll(text);
        QCOMPARE(rows.size(), data.size());
        for (int i = 0; i < data.size(); ++i)
            QCOMPARE(rows[i].fields, data[i]);

        // A row of one empty field is no blank line, which a reader skips.
        const QVector<QStringList> single = {{"Term"}, {""}, {"KH"}};
        QCOMPARE(written(single), QByteArray("Term\r\n\"\"\r\nKH\r\n"));
        const auto back = readAll(decodeCsvBytes(written(single)));
        QCOMPARE(back.size(), 3);
        QCOMPARE(back[1].fields, QStringList{QString()});
    }

    void decodingFallsBackToWindows1252() {
        bool utf8 = false;
        QCOMPARE(decodeCsvBytes(QByteArray("\xEF\xBB\xBFK\xC3\xB6i"), &utf8),
                 QStringLiteral("Köi"));
        QVERIFY(utf8);
        // A byte that cannot start UTF-8: the whole file is Windows-1252.
        QCOMPARE(decodeCsvBytes(QByteArray("Caf\xE9 \x80 5\x96"
                                           "6"),
                                &utf8),
                 QStringLiteral("Café € 5–6"));
        QVERIFY(!utf8);
    }
};

QTEST_GUILESS_MAIN(TestCsv)
#include "tst_csv.moc"
