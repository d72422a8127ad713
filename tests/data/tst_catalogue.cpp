// The field catalogue against everything written by hand that lists the
// same fields: the schema of a new database, the journal's report template
// and the help book. A value added to the catalogue and forgotten in one of
// them fails here.
#include "data/Catalogue.h"
#include "data/RecordSet.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QtTest/QTest>

using namespace corv;
using corv::test::TestEnv;

namespace {

QString readSource(const QString &relative) {
    QFile f(QStringLiteral(CORVELLA_SOURCE_DIR "/") + relative);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(f.fileName()));
    return QString::fromUtf8(f.readAll());
}

// The text between the first `from` and the next `to` after it; empty when
// either is missing.
QString between(const QString &text, const QString &from, const QString &to) {
    const qsizetype a = text.indexOf(from);
    if (a < 0)
        return QString();
    const qsizetype b = text.indexOf(to, a + from.size());
    return b < 0 ? QString() : text.mid(a + from.size(), b - a - from.size());
}

QStringList captures(const QString &text, const QString &pattern) {
    QStringList out;
    auto it = QRegularExpression(pattern).globalMatch(text);
    while (it.hasNext())
        out << it.next().captured(1);
    return out;
}

// A cell of the help book as the user reads it.
QString plainCell(QString html) {
    html.replace(QLatin1String("&ndash;"), QString(QChar(0x2013)));
    html.replace(QLatin1String("&mdash;"), QString()); // the book's "no range"
    return html.trimmed();
}

QStringList valueNames() {
    QStringList names;
    for (const JournalValue &v : journalValues())
        names << v.name;
    return names;
}

} // namespace

class TestCatalogue : public QObject {
    Q_OBJECT

private slots:
    void tablesAreTheSchemaOfANewDatabase() {
        TestEnv env;
        const QString path = env.makeDatabase();
        const QStringList inFile =
            TestEnv::scalar(path, "SELECT group_concat(name) FROM (SELECT name FROM sqlite_master "
                                  "WHERE type = 'table' AND name NOT LIKE 'sqlite%' ORDER BY name)")
                .toString()
                .split(u',');
        QStringList ours;
        for (const TableSpec &t : catalogue())
            ours << t.name;
        ours.sort();
        QCOMPARE(ours, inFile);
        // Field by field, as a record set reads the columns; their order is
        // free, as a column a later schema adds comes last in the table.
        for (const TableSpec &t : catalogue()) {
            RecordSet rs;
            QVERIFY(rs.open(path, QStringLiteral("SELECT * FROM [%1]").arg(t.name)).ok());
            for (const FieldInfo &column : rs.fields()) {
                const QString where = t.name + u'.' + column.name;
                const FieldSpec *f = t.field(column.name);
                QVERIFY2(f, qPrintable(where));
                QCOMPARE(f->name, column.name);
                QVERIFY2(f->kind == column.kind, qPrintable(where));
                if (f->kind == FieldKind::Text)
                    QCOMPARE(f->length, column.maxLength);
                // Only the keys stay out of the files.
                QCOMPARE(f->inFiles, f->kind != FieldKind::Integer);
            }
            QCOMPARE(rs.fields().size(), t.fields.size());
        }
    }

    void journalValuesAreWrittenOnce() {
        // Every name the windows give a value is its own: two rows with one
        // box or one field would bind two boxes to one column.
        QSet<QString> fields, boxes, checks, names;
        for (const JournalValue &v : journalValues()) {
            fields << v.field.name.toLower();
            boxes << v.field.box;
            checks << v.chartBox;
            names << v.name;
            QCOMPARE(v.field.kind, FieldKind::Number);
            QCOMPARE(catalogueTable("Journal")->field(v.chartField)->name, v.field.name);
            for (const TargetRange &r : v.defaultRanges)
                QVERIFY2(!(r.low && r.high && *r.low > *r.high), qPrintable(v.name));
        }
        const int n = int(journalValues().size());
        QCOMPARE(fields.size(), n);
        QCOMPARE(boxes.size(), n);
        QCOMPARE(checks.size(), n);
        QCOMPARE(names.size(), n);
        // The journal's fields: the keys, the date, the values, the notes.
        QCOMPARE(catalogueTable("journal")->fields.size(), n + 4);
        QVERIFY(!catalogueTable("Journals"));
    }

    void reportTemplateHasEveryValue() {
        const QString rpt = readSource("resources/reports/journal.rpt");
        // The record row prints the date, each value in order, the notes.
        const QString row = between(rpt, "{{#records}}", "{{/records}}");
        QVERIFY(!row.isEmpty());
        QStringList expected{"EntryDate"};
        for (const JournalValue &v : journalValues())
            expected << v.field.name;
        expected << "Notes";
        QCOMPARE(captures(row, "\\{\\{([A-Za-z]\\w*)\\}\\}"), expected);
        // One heading per column.
        const QString head = between(rpt, "<thead>", "</thead>");
        QCOMPARE(head.count(QLatin1String("<th ")), expected.size());
    }

    void helpBookListsEveryValue() {
        const QString help = readSource("resources/help/CORVELLA.HLP");
        const QStringList names = valueNames();

        // The journal window's fields, its labels in the window's order.
        QStringList labels;
        for (const JournalValue &v : journalValues())
            labels << v.field.label;
        const QString firstLabel = QStringLiteral("<b>%1</b>").arg(labels.first());
        const QString windowList = between(help, "<tr><td>" + firstLabel, "</td>");
        QCOMPARE(captures(firstLabel + windowList, "<b>([^<]+)</b>"), labels);

        // The default target ranges, per water type as the store holds them.
        const QString defaults = between(
            help,
            "<tr><th>Value</th><th>Fresh Water</th><th>Salt Water</th><th>Cold Water</th></tr>",
            "</table>");
        QCOMPARE(waterTypes().size(), 3);
        const QRegularExpression cells("<tr><td>([^<]+)</td><td>([^<]*)</td><td>([^<]*)</td>"
                                       "<td>([^<]*)</td></tr>");
        QStringList rangeNames;
        auto it = cells.globalMatch(defaults);
        while (it.hasNext()) {
            const auto m = it.next();
            const QString name = m.captured(1);
            rangeNames << name;
            const int i = int(names.indexOf(name));
            if (i < 0)
                continue; // the list comparison below names it
            for (int t = 0; t < 3; ++t)
                QCOMPARE(plainCell(m.captured(2 + t)),
                         journalValues()[i].defaultRanges[size_t(t)].text());
        }
        QCOMPARE(rangeNames, names);

        // The parameters chapter: one row per value, each with its section.
        const QString table = between(help, "<tr><th>Parameter</th>", "</table>");
        const QStringList anchors = captures(table, "<a href=\"#(p-[a-z0-9]+)\">");
        QCOMPARE(captures(table, "<a href=\"#p-[a-z0-9]+\">([^<]+)</a>"), names);
        for (const QString &a : anchors)
            QVERIFY2(help.contains(QStringLiteral("<a name=\"%1\">").arg(a)), qPrintable(a));
    }
};

QTEST_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
