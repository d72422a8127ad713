// The engine's parts that need no window: how values are shown, template
// files and their errors, what a template is given to render, reading the
// records, and cutting the laid-out report into pages.
#include "ReportTestSupport.h"
#include "reports/ReportData.h"
#include "reports/ReportDocument.h"
#include "reports/ReportJob.h"
#include "reports/ReportTemplate.h"
#include "support/TestSupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest/QTest>
#include <limits>
#include <unistd.h>

using namespace corv;
using namespace corv::test;

namespace {

ReportTemplate templateOf(const QString &text) {
    ReportError e;
    auto t = ReportTemplate::fromText(text, QStringLiteral("/reports/test.rpt"), &e);
    if (!t)
        qFatal("template refused: %s", qPrintable(e.text));
    return *t;
}

// A table of livestock held in memory: ID, TankID, CommonName, DateAcquired,
// InitialCost, Notes.
ReportTable livestock() {
    ReportTable t;
    t.table = QStringLiteral("LiveStock");
    t.columns = {{"ID", ReportFieldKind::Integer},
                 {"TankID", ReportFieldKind::Integer},
                 {"CommonName", ReportFieldKind::Text},
                 {"DateAcquired", ReportFieldKind::Date},
                 {"InitialCost", ReportFieldKind::Currency, 2},
                 {"Notes", ReportFieldKind::Memo}};
    t.tankColumn = 1;
    t.tankNames = {{1, QStringLiteral("Reef")}, {2, QStringLiteral("Community")}};
    auto row = [](qint64 id, QVariant tank, const char *name, const char *date, QVariant cost,
                  QVariant notes) {
        return QVector<QVariant>{id,   tank, QString::fromUtf8(name), QString::fromUtf8(date),
                                 cost, notes};
    };
    t.rows = {row(1, 1, "Yellow Tang", "2021-07-18", qlonglong(895000), QVariant()),
              row(2, 2, "Neon Tetra", "2022-09-20", qlonglong(19900), QVariant()),
              row(3, 1, "Clown <Goby> & co", "2021-08-01", qlonglong(125000),
                  QStringLiteral("Shy.\nHides in the rock.")),
              row(4, QVariant(), "Stray Snail", "", QVariant(), QVariant()),
              row(5, 7, "Lost Tank Fish", "2020-01-02", qlonglong(10000), QVariant())};
    return t;
}

QString render(const QString &templateText, const ReportTable &table,
               std::optional<qint64> pinned = std::nullopt) {
    ReportError e;
    const auto r = renderReport(templateOf(templateText), table, {QDate(2024, 3, 9), pinned}, &e);
    if (!r)
        qFatal("render failed: %s", qPrintable(e.text));
    return r->bodyHtml.trimmed();
}

QByteArray digest(const QString &path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

} // namespace

class TestReportLayout : public QObject {
    Q_OBJECT
private slots:
    void shownValues() {
        QCOMPARE(moneyText(0), QStringLiteral("0.00"));
        QCOMPARE(moneyText(250000), QStringLiteral("25.00"));
        QCOMPARE(moneyText(12345), QStringLiteral("1.23"));
        QCOMPARE(moneyText(12350), QStringLiteral("1.24")); // half a cent: away from zero
        QCOMPARE(moneyText(-12350), QStringLiteral("-1.24"));
        QCOMPARE(moneyText(-49), QStringLiteral("0.00")); // no "-0.00"
        QCOMPARE(moneyText(12345678900000), QStringLiteral("1,234,567,890.00"));
        QCOMPARE(moneyText(std::numeric_limits<qint64>::min()),
                 QStringLiteral("-922,337,203,685,477.58"));
        QCOMPARE(moneyText(std::numeric_limits<qint64>::max()),
                 QStringLiteral("922,337,203,685,477.58"));

        QCOMPARE(reportText(QStringLiteral("1999-01-02"), ReportFieldKind::Date),
                 QStringLiteral("01/02/1999"));
        QCOMPARE(reportText(QStringLiteral("someday"), ReportFieldKind::Date),
                 QStringLiteral("someday"));
        QCOMPARE(reportText(QVariant(), ReportFieldKind::Date), QString());
        QCOMPARE(reportText(1.025, ReportFieldKind::Number), QStringLiteral("1.025"));
        QCOMPARE(reportText(8.0, ReportFieldKind::Number), QStringLiteral("8"));
        // As the window shows them: at least the field's decimals, never
        // fewer than the value has, no grouping.
        QCOMPARE(reportText(8.0, ReportFieldKind::Number, 1), QStringLiteral("8.0"));
        QCOMPARE(reportText(1.02, ReportFieldKind::Number, 3), QStringLiteral("1.020"));
        QCOMPARE(reportText(qlonglong(250000), ReportFieldKind::Currency, 2),
                 QStringLiteral("25.00"));
        QCOMPARE(reportText(qlonglong(251250), ReportFieldKind::Currency, 2),
                 QStringLiteral("25.125"));
        QCOMPARE(reportText(qlonglong(12345000000), ReportFieldKind::Currency, 2),
                 QStringLiteral("1234500.00"));
        QCOMPARE(reportText(QStringLiteral("n/a"), ReportFieldKind::Currency),
                 QStringLiteral("n/a"));
        QCOMPARE(reportText(qlonglong(42), ReportFieldKind::Integer), QStringLiteral("42"));
    }

    void templateSettings() {
        // A byte-order mark and blanks before the comment are allowed.
        const ReportTemplate t = templateOf(QString::fromUtf8("\xEF\xBB\xBF  {{! My report\n"
                                                              " table: LiveStock\n"
                                                              " order: DateAcquired , CommonName\n"
                                                              " orientation: Landscape\n"
                                                              " margins: 20 }}\nbody"));
        QCOMPARE(t.table, QStringLiteral("LiveStock"));
        QCOMPARE(t.title, QStringLiteral("LiveStock")); // the table's name by default
        QCOMPARE(t.order, (QStringList{"DateAcquired", "CommonName"}));
        QCOMPARE(t.orientation, QPageLayout::Landscape);
        QCOMPARE(t.marginMm, 20.0);
        const ReportTemplate one =
            templateOf(QStringLiteral("{{! table: Glossary; title: Terms }}"));
        QCOMPARE(one.table, QStringLiteral("Glossary"));
        QCOMPARE(one.title, QStringLiteral("Terms"));
        QCOMPARE(one.orientation, QPageLayout::Portrait);
    }

    void templateErrors_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("says");
        QTest::newRow("no header") << "<html>{{#records}}{{/records}}</html>"
                                   << "must begin with a comment naming its table";
        QTest::newRow("no table") << "{{! title: x }}"
                                  << "names no table";
        QTest::newRow("open comment") << "{{! table: Journal"
                                      << "never closed";
        QTest::newRow("bad table") << "{{! table: Journal DROP }}"
                                   << "is not a table name";
        QTest::newRow("orientation") << "{{! table: Journal\norientation: sideways }}"
                                     << "portrait or landscape";
        QTest::newRow("margins") << "{{! table: Journal\nmargins: 90 }}"
                                 << "millimetres";
        QTest::newRow("open section") << "{{! table: Journal }}{{#records}}x"
                                      << "records";
        // Nesting is counted whatever the delimiters: once uncounted, a
        // template nesting sections 100,000 deep took gigabytes.
        QTest::newRow("nesting under other delimiters")
            << "{{! table: Journal }}{{=<% %>=}}" + QString("<%#title%>").repeated(51) +
                   QString("<%/title%>").repeated(51)
            << "nest more than 50 deep";
        QTest::newRow("delimiters changed twice")
            << "{{! table: Journal }}{{=<% %>=}}<%={| |}=%>" + QString("{|^x|}").repeated(51) +
                   QString("{|/x|}").repeated(51)
            << "nest more than 50 deep";
        // The work multiplies with every list inside a list.
        QTest::newRow("records in records")
            << "{{! table: Journal }}{{#records}}{{#records}}x{{/records}}{{/records}}"
            << "inside another over the same records";
        QTest::newRow("tanks in tanks, other delimiters")
            << "{{! table: Journal }}{{#tanks}}{{#records}}{{=[ ]=}}[#tanks]x[/tanks]"
               "[/records][/tanks]"
            << "inside another over the same tanks";
        // A record's text prints as text, never as markup.
        QTest::newRow("triple mustache")
            << "{{! table: Journal }}{{#records}}{{{Notes}}}{{/records}}"
            << "would print a value as markup";
        QTest::newRow("ampersand") << "{{! table: Journal }}{{=<% %>=}}<%& Notes %>"
                                   << "would print a value as markup";
    }

    // However a template repeats, the report it makes has a bound: beyond
    // it the template is refused while it renders, with the reason.
    void renderingIsBounded() {
        ReportTable many = livestock();
        const QVector<QVariant> row = many.rows.first();
        while (many.rows.size() < 20000)
            many.rows.push_back(row);
        const QString text =
            "{{! table: LiveStock }}{{#records}}" + QString(2000, u'x') + "{{/records}}";
        ReportError e;
        QVERIFY(!renderReport(templateOf(text), many, {QDate(2024, 3, 9), std::nullopt}, &e));
        QCOMPARE(e.number, ReportErr::ReportFileInvalid);
        QVERIFY2(e.text.contains(QStringLiteral("too large to print")), qPrintable(e.text));
        // Rendered piece by piece and never held whole, it is not refused:
        // that bound grows with the records. A smaller one still holds.
        struct Counting : ReportBodySink {
            qint64 chars = 0;
            bool write(const std::string &html) override {
                chars += qint64(html.size());
                return true;
            }
            void pagePartsKnown(const RenderedReport &) override {}
        } counted, bounded;
        QVERIFY(renderReportBody(templateOf(text), many, {QDate(2024, 3, 9), std::nullopt}, counted,
                                 maxStreamedReport(many.rows.size()), &e));
        QCOMPARE(counted.chars, qint64(20000) * 2000);
        QVERIFY(!renderReportBody(templateOf(text), many, {QDate(2024, 3, 9), std::nullopt},
                                  bounded, 1'000'000, &e));
        QVERIFY2(e.text.contains(QStringLiteral("too large to print")), qPrintable(e.text));
        QVERIFY(bounded.chars <= 1'000'000);
        // Half of it renders.
        many.rows.resize(10000);
        QVERIFY(renderReport(templateOf(text), many, {QDate(2024, 3, 9), std::nullopt}, &e));

        // A page header is read again with the first delimiters: raw markup
        // the body's own delimiters hid is refused there.
        const QString hidden = "{{! table: LiveStock }}{{=<% %>=}}<%#pageHeader%>{{{Notes}}}"
                               "<%/pageHeader%>";
        QVERIFY(
            !renderReport(templateOf(hidden), livestock(), {QDate(2024, 3, 9), std::nullopt}, &e));
        QVERIFY2(e.text.contains(QStringLiteral("would print a value as markup")),
                 qPrintable(e.text));
    }

    void templateErrors() {
        QFETCH(QString, text);
        QFETCH(QString, says);
        ReportError e;
        QVERIFY(!ReportTemplate::fromText(text, QStringLiteral("/x/journal.rpt"), &e));
        QCOMPARE(e.number, ReportErr::ReportFileInvalid);
        QVERIFY2(e.text.startsWith(QStringLiteral("The report file /x/journal.rpt is not a valid "
                                                  "report template: ")),
                 qPrintable(e.text));
        QVERIFY2(e.text.contains(says), qPrintable(e.text));
    }

    void templateFiles() {
        TestEnv env;
        ReportError e;
        QVERIFY(!ReportTemplate::load(QString(), &e));
        QCOMPARE(e.number, ReportErr::NoReportFile);
        const QString missing = env.path(QStringLiteral("stock.rpt"));
        QVERIFY(!ReportTemplate::load(missing, &e));
        QCOMPARE(e.number, ReportErr::ReportFileNotFound);
        QCOMPARE(e.text, QStringLiteral("The report file %1 does not exist.").arg(missing));
        QVERIFY(!ReportTemplate::load(env.folder(), &e)); // a folder is no report file
        QCOMPARE(e.number, ReportErr::ReportFileNotFound);
        QFile f(missing);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("{{! table: LiveStock }}ok");
        f.close();
        QVERIFY(ReportTemplate::load(missing, &e));
        if (::geteuid() != 0) { // root reads any file
            f.setPermissions(QFileDevice::WriteOwner);
            QVERIFY(!ReportTemplate::load(missing, &e));
            QCOMPARE(e.number, ReportErr::ReportFileUnreadable);
        }
    }

    // What a template is given: fields shown as they print, empty fields
    // false, records tank by tank, totals, and text kept as text.
    void renderedValues() {
        const ReportTable t = livestock();
        QCOMPARE(render("{{! table: LiveStock }}{{#records}}{{ID}}:{{TankName}};{{/records}}", t),
                 QStringLiteral("2:Community;1:Reef;3:Reef;5:Tank 7;4:No tank;"));
        QCOMPARE(render("{{! table: LiveStock }}{{#records}}{{DateAcquired}}|{{InitialCost}}|"
                        "{{#Notes}}N{{/Notes}}{{^Notes}}-{{/Notes}} {{/records}}",
                        t),
                 QStringLiteral("09/20/2022|1.99|- 07/18/2021|89.50|- 08/01/2021|12.50|N "
                                "01/02/2020|1.00|- ||-"));
        QCOMPARE(render("{{! table: LiveStock }}{{#tanks}}[{{tankName}} {{recordCount}} "
                        "{{totalInitialCost}}{{#first}} first{{/first}}{{#last}} last{{/last}}]"
                        "{{/tanks}} {{totalInitialCost}} {{recordCount}}",
                        t),
                 QStringLiteral("[Community 1 1.99 first][Reef 2 102.00][Tank 7 1 1.00]"
                                "[No tank 1 0.00 last] 104.99 5"));
        QCOMPARE(render("{{! table: LiveStock }}{{#records}}{{recordNumber}}{{#odd}}o{{/odd}}"
                        "{{#first}}f{{/first}}{{#last}}l{{/last}} {{/records}}",
                        t),
                 QStringLiteral("1of 2 3o 4 5ol"));
        // Text is text: markup in a field is printed, not obeyed; line
        // breaks are kept.
        QCOMPARE(render("{{! table: LiveStock }}{{#records}}{{#Notes}}{{CommonName}}={{Notes}}"
                        "{{/Notes}}{{/records}}",
                        t),
                 QStringLiteral("Clown &lt;Goby&gt; &amp; co=Shy.<br>Hides in the rock."));
        QCOMPARE(render("{{! table: LiveStock\ntitle: Fish }}{{title}} {{printedOn}} {{table}}", t),
                 QStringLiteral("Fish 03/09/2024 LiveStock"));
    }

    void tankName() {
        ReportTable t = livestock();
        const QString tmpl = QStringLiteral("{{! table: LiveStock }}{{tankName}}|{{#allTanks}}all"
                                            "{{/allTanks}}{{^tankName}}none{{/tankName}}");
        QCOMPARE(render(tmpl, t), QStringLiteral("|allnone"));
        t.rows.remove(1, 4); // Yellow Tang alone
        QCOMPARE(render(tmpl, t), QStringLiteral("Reef|"));
        t.rows.clear(); // the formula names the tank, which has no records
        QCOMPARE(render(tmpl, t, 2), QStringLiteral("Community|"));
        QCOMPARE(render(tmpl, t), QStringLiteral("|none"));
        // Tables without tanks have no tank name and no tank groups.
        ReportTable glossary;
        glossary.table = QStringLiteral("Glossary");
        glossary.columns = {{"ID", ReportFieldKind::Integer}, {"Term", ReportFieldKind::Text}};
        glossary.rows = {{qlonglong(1), QStringLiteral("pH")}};
        QCOMPARE(render("{{! table: Glossary }}{{tankName}}{{#tanks}}x{{/tanks}}"
                        "{{#records}}{{Term}}{{TankName}}{{/records}}",
                        glossary),
                 QStringLiteral("pH"));
    }

    void pageHeaderAndFooter() {
        ReportError e;
        const auto r = renderReport(
            templateOf("{{! table: LiveStock }}A{{#pageHeader}}<b>{{title}} {{page}}/{{pages}}"
                       "</b>{{/pageHeader}}B{{#pageFooter}}Page {{page}} of {{pages}}, "
                       "{{recordCount}}{{/pageFooter}}C"),
            livestock(), {QDate(2024, 3, 9), {}}, &e);
        QVERIFY(r);
        QCOMPARE(r->bodyHtml, QStringLiteral("ABC")); // taken out of the body
        QVERIFY(r->hasPageHeader() && r->hasPageFooter());
        QCOMPARE(r->pageHeader(2, 5), QStringLiteral("<b>LiveStock 2/5</b>"));
        QCOMPARE(r->pageFooter(3, 7), QStringLiteral("Page 3 of 7, 5"));
        const auto plain = renderReport(templateOf("{{! table: LiveStock }}x"), livestock(),
                                        {QDate(2024, 3, 9), {}}, &e);
        QVERIFY(plain && !plain->hasPageHeader() && plain->pageFooter(1, 1).isEmpty());
    }

    // The records are read from the file without writing to it, filtered
    // and put in order; names sort without regard to case, accented
    // letters with their base letter.
    void readsRecords() {
        TestEnv env;
        const QString db = env.makeDatabase();
        TestEnv::exec(db, "INSERT INTO Glossary (ID, Term, Definition) VALUES (1, 'Sump', 'a'), "
                          "(2, 'dKH', 'b'), (3, 'Alkalinity', 'c'), (4, 'biotope', 'd'), "
                          "(5, 'Ésope', 'e'), (6, 'Eel', 'f')");
        const QByteArray before = digest(db);
        const QDateTime modified = QFileInfo(db).lastModified();
        auto formula = ReportFormula::parse(QStringLiteral("{ID} <> 4"), nullptr);
        ReportTable t;
        ReportError e;
        QVERIFY(readReportTable(db, QStringLiteral("Glossary"), {QStringLiteral("Term")}, *formula,
                                &t, &e));
        QStringList terms;
        for (const auto &row : t.rows)
            terms << row.at(t.columnIndex(QStringLiteral("term"))).toString();
        QCOMPARE(terms, (QStringList{"Alkalinity", "dKH", "Eel", "Ésope", "Sump"}));
        QCOMPARE(t.tankColumn, -1);
        QCOMPARE(digest(db), before);
        QCOMPARE(QFileInfo(db).lastModified(), modified);

        // Values print as the journal window shows them.
        TestEnv::exec(db, "INSERT INTO Journal (TankID, EntryDate, PH, SpecificGravity, Nitrate) "
                          "VALUES (1, '2024-01-02', 7, 1.02, 10)");
        auto all = ReportFormula::parse(QString(), nullptr);
        QVERIFY(readReportTable(db, QStringLiteral("Journal"), {}, *all, &t, &e));
        QCOMPARE(render("{{! table: Journal }}{{#records}}{{PH}}|{{SpecificGravity}}|{{Nitrate}}"
                        "{{/records}}",
                        t),
                 QStringLiteral("7.0|1.020|10"));

        QVERIFY(!readReportTable(db, QStringLiteral("Fish"), {}, *formula, &t, &e));
        QCOMPARE(e.number, ReportErr::TableMissing);
        QCOMPARE(e.text, QStringLiteral("The data file %1 has no Fish table.").arg(db));
        QVERIFY(!readReportTable(db, QStringLiteral("Glossary"), {QStringLiteral("Colour")},
                                 *formula, &t, &e));
        QCOMPARE(e.number, ReportErr::FieldMissing);
        QVERIFY(e.text.contains(QStringLiteral("Colour")));

        const QString missing = env.path(QStringLiteral("gone.cvl"));
        QVERIFY(!readReportTable(missing, QStringLiteral("Glossary"), {}, *formula, &t, &e));
        QCOMPARE(e.number, ReportErr::DataFileNotFound);
        QCOMPARE(e.text, QStringLiteral("The data file %1 does not exist.").arg(missing));
        QVERIFY(!QFileInfo::exists(missing)); // never created
        QVERIFY(!readReportTable(QString(), QStringLiteral("Glossary"), {}, *formula, &t, &e));
        QCOMPARE(e.number, ReportErr::NoDataFile);

        const QString text = env.path(QStringLiteral("notes.txt"));
        QFile f(text);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("these are not records");
        f.close();
        QVERIFY(!readReportTable(text, QStringLiteral("Glossary"), {}, *formula, &t, &e));
        QCOMPARE(e.number, ReportErr::DataFileUnreadable);
        QCOMPARE(e.text, QStringLiteral("The data file %1 is not a Corvella database.").arg(text));
    }

    // Read fed, a report gets the records a whole reading gets, with the
    // same tanks and totals, while its records are read behind it; a
    // record that cannot be read fails the report rather than end it short.
    void fedReadingIsTheWholeReading() {
        TestEnv env;
        const QString db = env.makeDatabase();
        TestEnv::exec(db, "INSERT INTO Tank (ID, TankName) VALUES (1, 'Reef'), (2, 'Community')");
        TestEnv::exec(db, "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x "
                          "< 900) INSERT INTO Journal (TankID, EntryDate, PH, Notes) SELECT x % 3, "
                          "date('2024-01-01', '+' || (x / 4) || ' days'), 6.5 + (x % 20) / 10.0, "
                          "CASE WHEN x % 5 = 0 THEN 'note ' || x END FROM n");
        TestEnv::exec(db, "INSERT INTO LiveStock (TankID, CommonName, InitialCost) VALUES (1, "
                          "'Tang', 895000), (2, 'Tetra', 19900), (1, 'Goby', 125000), (NULL, "
                          "'Snail', 20000)");
        const QString journal = QStringLiteral(
            "{{! table: Journal }}{{#tanks}}[{{tankName}} {{recordCount}}]{{#records}}"
            "{{recordNumber}}:{{EntryDate}}/{{PH}}/{{Notes}};{{/records}}{{/tanks}}");
        const QString stock = QStringLiteral(
            "{{! table: LiveStock }}{{totalInitialCost}}{{#tanks}}[{{tankName}} "
            "{{totalInitialCost}}]{{#records}}{{CommonName}};{{/records}}{{/tanks}}");
        auto read = [&](const QString &table, const QString &formulaText, ReportReading how) {
            auto formula = ReportFormula::parse(formulaText, nullptr);
            ReportTable t;
            ReportError e;
            const QStringList order = table == QLatin1String("Journal")
                                          ? QStringList{QStringLiteral("EntryDate")}
                                          : QStringList();
            if (!readReportTable(db, table, order, *formula, &t, &e, how))
                qFatal("read failed: %s", qPrintable(e.text));
            return t;
        };
        for (const QString &formula : {QString(), QStringLiteral("{TankID} = 2"),
                                       QStringLiteral("{PH} > 7 and {EntryDate} < #03/01/2024#")}) {
            const ReportTable whole = read("Journal", formula, ReportReading::Whole);
            const ReportTable fed = read("Journal", formula, ReportReading::Fed);
            QVERIFY(fed.feed && !whole.feed);
            QVERIFY(whole.recordCount() > 100);
            QCOMPARE(fed.recordCount(), whole.recordCount());
            for (int r = 0; r < whole.recordCount(); ++r)
                QCOMPARE(*fed.record(r), *whole.record(r));
            QCOMPARE(render(journal, fed), render(journal, whole));
        }
        QCOMPARE(render(stock, read("LiveStock", QString(), ReportReading::Fed)),
                 render(stock, read("LiveStock", QString(), ReportReading::Whole)));
        QCOMPARE(render(stock, read("LiveStock", QString(), ReportReading::Fed)),
                 QStringLiteral("105.99[Community 1.99]Tetra;[Reef 102.00]Tang;Goby;[No tank "
                                "2.00]Snail;"));

        // A table whose IDs are not a key (a hand-made one) is read whole.
        TestEnv::exec(db, "CREATE TABLE Legacy (ID INTEGER, Word TEXT)");
        TestEnv::exec(db, "INSERT INTO Legacy VALUES (1, 'kept'), (1, 'left out'), (2, 'also')");
        const ReportTable legacy =
            read("Legacy", QStringLiteral("{Word} <> 'left out'"), ReportReading::Fed);
        QCOMPARE(render("{{! table: Legacy }}{{#records}}{{Word}};{{/records}}", legacy),
                 QStringLiteral("kept;also;"));

        // Damaged pages that only the records themselves lie on fail the
        // report with the reason: at once when the reading has failed
        // before the caller looks, else as the report is rendered.
        ReportError e;
        const QString broken = env.makeDatabase(QStringLiteral("broken.cvl"));
        TestEnv::damageJournalPages(broken);
        auto tankOne = ReportFormula::parse(QStringLiteral("{TankID} = 1"), nullptr);
        ReportTable damaged;
        if (readReportTable(broken, QStringLiteral("Journal"), {}, *tankOne, &damaged, &e,
                            ReportReading::Fed))
            QVERIFY(!renderReport(templateOf(journal), damaged, {QDate(2024, 3, 9), {}}, &e));
        QCOMPARE(e.number, ReportErr::DataFileUnreadable);
        QVERIFY2(e.text.contains(QStringLiteral("cannot be read")), qPrintable(e.text));
    }

    // A page never splits a record (a table row), repeats the table's header
    // rows, and a record taller than a page is split between its lines with
    // nothing lost, its first cell repeated on each page it goes on over.
    void pagination() {
        QString tmpl = QStringLiteral(
            "{{! table: Glossary }}<h1>Terms</h1>"
            "<table width=\"100%\" cellpadding=\"2\"><thead><tr><th>HEADCELL</th>"
            "<th>Meaning</th></tr></thead>"
            "{{#records}}<tr><td>{{Term}}</td><td>{{Definition}}</td></tr>{{/records}}"
            "</table><p>THE-END</p>"
            "{{#pageFooter}}Page {{page}} of {{pages}}{{/pageFooter}}");
        ReportTable t;
        t.table = QStringLiteral("Glossary");
        t.columns = {{"ID", ReportFieldKind::Integer},
                     {"Term", ReportFieldKind::Text},
                     {"Definition", ReportFieldKind::Memo}};
        for (int i = 1; i <= 60; ++i) {
            QStringList lines;
            for (int l = 0; l < 1 + (i * 7) % 9; ++l)
                lines << QStringLiteral("line%1of%2").arg(l + 1).arg(i);
            lines.first().prepend(QStringLiteral("BEGIN%1 ").arg(i));
            lines.last().append(QStringLiteral(" END%1").arg(i));
            t.rows.push_back({qlonglong(i), QStringLiteral("T%1").arg(i), lines.join(u'\n')});
        }
        // One record taller than a page.
        QStringList tall;
        for (int l = 1; l <= 150; ++l)
            tall << QStringLiteral("tall%1").arg(l);
        t.rows.push_back({qlonglong(61), QStringLiteral("TALL"), tall.join(u'\n')});
        t.rows.push_back({qlonglong(62), QStringLiteral("T62"), QStringLiteral("BEGIN62 END62")});

        ReportError e;
        const auto r = renderReport(templateOf(tmpl), t, {QDate(2024, 3, 9), {}}, &e);
        QVERIFY(r);
        ReportDocument doc(*r, QPageSize(QPageSize::A5));
        QVERIFY(doc.pageCount() > 4);
        TestEnv env;
        const QString pdf = env.path(QStringLiteral("p.pdf"));
        QString why;
        QVERIFY2(doc.writePdf(pdf, &why), qPrintable(why));
        const QStringList pages = pdfPages(pdf);
        QCOMPARE(pages.size(), doc.pageCount());
        for (int p = 0; p < pages.size(); ++p) {
            const QString &text = pages.at(p);
            QVERIFY2(text.contains(QStringLiteral("Page %1 of %2").arg(p + 1).arg(pages.size())),
                     qPrintable(text));
            // Every page with rows shows the header row, once.
            if (text.contains(QStringLiteral("BEGIN")) || text.contains(QStringLiteral("tall")))
                QVERIFY2(countWord(text, QStringLiteral("HEADCELL")) == 1, qPrintable(text));
        }
        for (int i = 1; i <= 62; ++i) {
            if (i == 61)
                continue;
            int beginPage = -1, endPage = -1;
            for (int p = 0; p < pages.size(); ++p) {
                if (countWord(pages.at(p), QStringLiteral("BEGIN%1").arg(i)))
                    beginPage = p;
                if (countWord(pages.at(p), QStringLiteral("END%1").arg(i)))
                    endPage = p;
            }
            QVERIFY2(beginPage >= 0 && beginPage == endPage,
                     qPrintable(QStringLiteral("record %1 on pages %2 and %3")
                                    .arg(i)
                                    .arg(beginPage + 1)
                                    .arg(endPage + 1)));
        }
        // The record longer than a page runs on over pages, nothing lost.
        // (Where it is split, the line above the cut is also in the next
        // page's text, hidden under its header: so "at least once".)
        const QString all = pages.join(u'\n');
        int tallPages = 0;
        for (const QString &page : pages)
            tallPages +=
                page.contains(QRegularExpression(QStringLiteral("\\btall\\d+\\b"))) ? 1 : 0;
        for (int l = 1; l <= 150; ++l) {
            const int n = countWord(all, QStringLiteral("tall%1").arg(l));
            QVERIFY2(n == 1 || n == 2,
                     qPrintable(QStringLiteral("tall%1 printed %2 times").arg(l).arg(n)));
        }
        QVERIFY(tallPages >= 3);
        // Each page it goes on over names it again in its first cell.
        for (const QString &page : pages)
            if (page.contains(QRegularExpression(QStringLiteral("\\btall\\d+\\b"))))
                QVERIFY2(countWord(page, QStringLiteral("TALL")) == 1, qPrintable(page));
        QCOMPARE(countWord(all, QStringLiteral("TALL")), tallPages);
        QCOMPARE(countWord(all, QStringLiteral("THE-END")), 1);
        QVERIFY(countWord(pages.first(), QStringLiteral("Terms")) == 1);
    }

    // A heading goes over to the next page with what follows it, and
    // "page-break-before" starts a new page.
    void pageBreaks() {
        QString body = QStringLiteral("{{! table: Glossary }}");
        for (int i = 0; i < 3; ++i)
            body += QStringLiteral("<h2%1>PART%2</h2><p>text%2</p>")
                        .arg(i ? QStringLiteral(" style=\"page-break-before: always\"") : QString())
                        .arg(i);
        ReportError e;
        ReportTable t;
        t.table = QStringLiteral("Glossary");
        auto r = renderReport(templateOf(body), t, {QDate(2024, 3, 9), {}}, &e);
        QVERIFY(r);
        ReportDocument doc(*r, QPageSize(QPageSize::A4));
        QCOMPARE(doc.pageCount(), 3);

        // Enough paragraphs that the heading would land at a page's foot.
        const QString filler = QStringLiteral("{{! table: Glossary }}");
        for (int n = 10; n < 40; ++n) {
            QString text = filler;
            for (int i = 0; i < n; ++i)
                text += QStringLiteral("<p>para%1</p>").arg(i);
            text += QStringLiteral("<h2>HEADING</h2><p>FOLLOWS</p>");
            ReportDocument d(*renderReport(templateOf(text), t, {}, &e), QPageSize(QPageSize::A6));
            TestEnv env;
            const QString pdf = env.path(QStringLiteral("h.pdf"));
            QVERIFY(d.writePdf(pdf, nullptr));
            const QStringList pages = pdfPages(pdf);
            for (const QString &page : pages)
                QCOMPARE(page.contains(QStringLiteral("HEADING")),
                         page.contains(QStringLiteral("FOLLOWS")));
        }
    }

    void pdfFailure() {
        TestEnv env;
        ReportError e;
        ReportTable t;
        t.table = QStringLiteral("Glossary");
        const auto r = renderReport(templateOf("{{! table: Glossary }}x"), t, {}, &e);
        ReportDocument doc(*r, QPageSize(QPageSize::A4));
        const QString bad = env.path(QStringLiteral("no/such/folder/x.pdf"));
        QString why;
        QVERIFY(!doc.writePdf(bad, &why));
        QVERIFY2(
            why.startsWith(
                QStringLiteral("The file %1 cannot be written").arg(QDir::toNativeSeparators(bad))),
            qPrintable(why));
        QVERIFY(!QFileInfo::exists(bad));
        // An existing file is replaced whole.
        const QString good = env.path(QStringLiteral("x.pdf"));
        QVERIFY(doc.writePdf(good, &why));
        QVERIFY(pdfText(good).contains(QLatin1Char('x')));
    }
};

QTEST_MAIN(TestReportLayout)
#include "tst_reportlayout.moc"
