// Export of records to CSV and import back: the file's exact form, the
// report of refused lines, all-or-nothing storing, and the round trip.
#include "data/Transfer.h"
#include "support/TestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest/QTest>
#include <memory>

using namespace corv;
using corv::test::TestEnv;

namespace {

QString journalHeader() {
    return QStringLiteral("EntryDate,Alkalinity,Ammonia,Calcium,CarbonDioxide,Copper,"
                          "DissolvedOxygen,Hardness,Iodine,Iron,Lead,Magnesium,Molybdenum,"
                          "Nitrate,Nitrite,PH,Phosphate,SpecificGravity,Strontium,Temprature,"
                          "Zinc,Notes");
}

} // namespace

class TestTransfer : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnv> env;
    QString db;

    void exec(const QString &sql) { TestEnv::exec(db, sql); }
    qint64 count(const QString &table, const QString &where = QString()) {
        return TestEnv::scalar(db, QStringLiteral("SELECT COUNT(*) FROM %1%2")
                                       .arg(table, where.isEmpty() ? QString() : " WHERE " + where))
            .toLongLong();
    }
    QByteArray exported(TransferTable table, const QString &tank, int *records = nullptr) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        const TransferResult r = exportCsv(db, table, tank, &buffer);
        if (!r.ok)
            qWarning("export failed: %s", qPrintable(r.error));
        if (records)
            *records = r.records;
        return bytes;
    }
    // Every column of every row but ID and TankID, in the given order.
    QVector<QVariantList> rows(const QString &table, const QString &where, const QString &order) {
        QVector<QVariantList> out;
        const QString name = QStringLiteral("tst-transfer-read");
        {
            QSqlDatabase d = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            d.setDatabaseName(db);
            d.open();
            QSqlQuery q(d);
            q.exec(
                QStringLiteral("SELECT * FROM %1 WHERE %2 ORDER BY %3").arg(table, where, order));
            while (q.next()) {
                QVariantList row;
                for (int i = 0; i < q.record().count(); ++i) {
                    const QString f = q.record().fieldName(i);
                    if (f != QLatin1String("ID") && f != QLatin1String("TankID"))
                        row << (q.value(i).isNull() ? QVariant() : q.value(i));
                }
                out << row;
            }
        }
        QSqlDatabase::removeDatabase(name);
        return out;
    }

    // Journal entries and livestock of tank 1 with every awkward value: tiny
    // and huge numbers, a float that prints long, quotes, line breaks,
    // blanks, a record with nothing in it, costs with four decimals.
    void fillReef() {
        exec("INSERT INTO Journal (TankID, EntryDate, Alkalinity, Ammonia, Calcium, CarbonDioxide, "
             "Copper, DissolvedOxygen, Hardness, Iodine, Iron, Lead, Magnesium, Molybdenum, "
             "Nitrate, Nitrite, PH, Phosphate, SpecificGravity, Strontium, Temprature, Zinc, "
             "Notes) VALUES "
             "(1, '2024-01-02', 9.5, 0, 420, 2.25, 0, 6.8, 0, 0.06, 0.001, 0, 1300, 0.01, 5, 0, "
             "8.25, 0.03, 1.025, 8, 78.5, 0, 'plain'), "
             "(1, '1999-12-31', -1, 1e-9, 1.5e20, 123456789, NULL, NULL, NULL, NULL, NULL, NULL, "
             "NULL, NULL, NULL, NULL, 0.1, NULL, NULL, NULL, 0.30000000000000004, NULL, "
             "'a, \"quoted\" note\nover two lines\r\nand a third; with ünïcödé €'), "
             "(1, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, "
             "NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL), "
             "(1, '2024-01-02', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, "
             "NULL, NULL, NULL, 7, NULL, NULL, NULL, NULL, NULL, ' padded ')");
        exec("INSERT INTO LiveStock (TankID, CommonName, ScientificName, DateAcquired, DateLost, "
             "AcquiredFrom, Condition, Other, InitialCost, Notes) VALUES "
             "(1, 'Yellow Tang', 'Zebrasoma flavescens', '2023-05-01', NULL, 'Shop, Main St', "
             "'good', 'male', 250000, 'eats \"nori\"\nlikes caves'), "
             "(1, 'Goby', NULL, '2023-04-01', '2023-09-30', NULL, NULL, NULL, 251234, NULL), "
             "(1, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL)");
    }

private slots:
    void init() {
        env = std::make_unique<TestEnv>();
        db = env->makeDatabase();
        exec("INSERT INTO Tank (ID, TankName, TankType) VALUES (1, 'Reef', 'Salt Water')");
        exec("INSERT INTO Tank (ID, TankName, TankType) VALUES (2, 'Empty', 'Fresh Water')");
    }
    void cleanup() { env.reset(); }

    void fieldsFollowTheSchema() {
        // The kinds the import checks by must be those the database has.
        for (TransferTable t : {TransferTable::Journal, TransferTable::LiveStock,
                                TransferTable::Disease, TransferTable::Glossary}) {
            QVector<FieldInfo> expected;
            {
                QSqlDatabase d = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "schema");
                d.setDatabaseName(db);
                QVERIFY(d.open());
                QSqlQuery q(d);
                QVERIFY(q.exec(QStringLiteral("PRAGMA table_info(%1)").arg(transferTableName(t))));
                while (q.next()) {
                    const QString name = q.value(1).toString(), type = q.value(2).toString();
                    if (name == QLatin1String("ID") || name == QLatin1String("TankID"))
                        continue;
                    FieldKind kind = FieldKind::Memo;
                    int limit = 0;
                    if (type == QLatin1String("DATE_TEXT"))
                        kind = FieldKind::Date;
                    else if (type == QLatin1String("REAL"))
                        kind = FieldKind::Number;
                    else if (type == QLatin1String("CURRENCY_INT"))
                        kind = FieldKind::Currency;
                    else if (type == QLatin1String("VARCHAR(254)"))
                        kind = FieldKind::Text, limit = 254;
                    expected.push_back({name, kind, limit});
                }
            }
            QSqlDatabase::removeDatabase("schema");
            const QVector<FieldInfo> &ours = transferFields(t);
            QCOMPARE(ours.size(), expected.size());
            for (int i = 0; i < ours.size(); ++i) {
                QCOMPARE(ours[i].name, expected[i].name);
                QVERIFY2(ours[i].kind == expected[i].kind, qPrintable(ours[i].name));
                QCOMPARE(ours[i].maxLength, expected[i].maxLength);
            }
        }
    }

    void exportsTheTanksJournalExactly() {
        exec("INSERT INTO Journal (TankID, EntryDate, PH, Nitrate, Temprature, Notes) VALUES "
             "(1, '2024-03-05', 8.2, 1.5e-7, 78, 'water change, 25%\nadded \"buffer\"')");
        exec("INSERT INTO Journal (TankID, EntryDate, Ammonia) VALUES (1, '2024-01-31', 0)");
        exec("INSERT INTO Journal (TankID, EntryDate, PH) VALUES (2, '2024-02-01', 7)");
        exec("INSERT INTO Journal (TankID) VALUES (1)"); // a blank entry: no date sorts first
        int n = 0;
        const QByteArray bytes = exported(TransferTable::Journal, "1", &n);
        QCOMPARE(n, 3);
        // The byte order mark lets spreadsheets see UTF-8.
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        const QString expected =
            journalHeader() +
            QStringLiteral("\r\n"
                           ",,,,,,,,,,,,,,,,,,,,,\r\n"
                           "2024-01-31,,0.00,,,,,,,,,,,,,,,,,,,\r\n"
                           "2024-03-05,,,,,,,,,,,,,1.5E-07,,8.2,,,,78,,\"water change, "
                           "25%\nadded \"\"buffer\"\"\"\r\n");
        QCOMPARE(QString::fromUtf8(bytes), expected);
    }

    void exportsLivestockCostsAndReferenceTables() {
        exec("INSERT INTO LiveStock (TankID, CommonName, DateAcquired, InitialCost) VALUES "
             "(1, 'Tang', '2023-05-01', 250000), (1, 'Goby', '2023-04-01', 251250), "
             "(1, 'Snail', '2023-06-01', 0), (1, 'Crab', '2023-07-01', NULL), "
             "(2, 'Other', '2023-01-01', 10000)");
        const QStringList lines =
            QString::fromUtf8(exported(TransferTable::LiveStock, "1")).split("\r\n");
        QCOMPARE(lines[0], QStringLiteral("CommonName,ScientificName,DateAcquired,DateLost,"
                                          "AcquiredFrom,Condition,Other,InitialCost,Notes"));
        QCOMPARE(lines.mid(1),
                 (QStringList{"Goby,,2023-04-01,,,,,25.125,", "Tang,,2023-05-01,,,,,25.00,",
                              "Snail,,2023-06-01,,,,,0.00,", "Crab,,2023-07-01,,,,,,", ""}));

        // In the order of the window: letter case and accents do not count.
        exec("INSERT INTO Glossary (Term, Definition) VALUES ('pH', 'acid or base'), "
             "('Zooxanthellae', 'algae'), ('Ésope', 'e'), ('Cycle', 'the nitrogen cycle')");
        QCOMPARE(QString::fromUtf8(exported(TransferTable::Glossary, "NOT SET")),
                 QString::fromUtf8("Term,Definition\r\nCycle,the nitrogen cycle\r\nÉsope,e\r\n"
                                   "pH,acid or base\r\nZooxanthellae,algae\r\n"));
    }

    void exportFailures() {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        TransferResult r = exportCsv(db, TransferTable::Journal, "NOT SET", &buffer);
        QVERIFY(!r.ok);
        QVERIFY(r.error.startsWith("There is no default tank."));
        r = exportCsv(env->path("missing.cvl"), TransferTable::Glossary, "", &buffer);
        QVERIFY(!r.ok);
        QVERIFY(r.error.contains("Could not find the file"));
        QVERIFY(!QFile::exists(env->path("missing.cvl")));

        // A file is replaced only by a complete export.
        const QString out = env->path("journal.csv");
        QFile old(out);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("keep me");
        old.close();
        r = exportCsvFile(db, TransferTable::Journal, "x", out);
        QVERIFY(!r.ok);
        QFile kept(out);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("keep me"));
        r = exportCsvFile(db, TransferTable::Journal, "1", env->path("no/such/folder/j.csv"));
        QVERIFY(!r.ok);
        QVERIFY(r.error.contains("cannot be written"));
        r = exportCsvFile(db, TransferTable::Journal, "1", out);
        QVERIFY2(r.ok, qPrintable(r.error));
    }

    void badNumberOnLine7IsReportedAndNothingStored() {
        // A note over two lines (3-4) shifts the lines after it.
        const QString file = QStringLiteral("EntryDate,PH,Nitrate,Notes\n"
                                            "01/02/2024,8.1,5,\n"
                                            "01/09/2024,8.2,6,\"two\nlines\"\n"
                                            "2024-01-16,8.3,7,\n"
                                            "2024-01-23,8.2,8,\n"
                                            "2024-01-30,8.1,abc,\n"
                                            "2024-02-06,8.0,9,\n");
        CsvImport imp(TransferTable::Journal);
        QVERIFY(imp.analyse(file));
        QCOMPARE(imp.reportLines(), QStringList{"Line 7: Nitrate \"abc\" is not a number."});
        QCOMPARE(imp.report()[0].line, 7);
        QCOMPARE(imp.rowCount(), 6);
        QCOMPARE(imp.acceptedCount(), 5);
        QCOMPARE(imp.refusedCount(), 1);
        QCOMPARE(imp.summary(), QStringLiteral("5 records can be imported; 1 line is refused."));
        QCOMPARE(imp.columns(), (QStringList{"EntryDate", "Nitrate", "PH", "Notes"}));
        // Analysing stores nothing; a user who cancels here has changed nothing.
        QCOMPARE(count("Journal"), 0);

        const TransferResult r = imp.commit(db, "2");
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.records, 5);
        QCOMPARE(count("Journal", "TankID = 2"), 5);
        QCOMPARE(count("Journal", "Nitrate IS NULL"), 0);
        QCOMPARE(count("Journal", "EntryDate = '2024-01-30'"), 0);
        QCOMPARE(TestEnv::scalar(db, "SELECT Notes FROM Journal WHERE EntryDate = '2024-01-09'")
                     .toString(),
                 QStringLiteral("two\nlines"));
    }

    void everyProblemOfARowIsReported() {
        const QString file = QStringLiteral("EntryDate,Alkalinity,Specific Gravity,pH,notes\n"
                                            "31/12/2023,1e999,1.025,7,ok\n" // bad date, too large
                                            "12/31/2023, 7.5 ,1.024,\"1,000\",fine\n"
                                            "2023-12-30,7,1.023\n"           // short
                                            "2023-12-29,7,1.023,7,x,extra\n" // long
                                            "\"2023-12-28\"x,7,1.023,7,y\n"  // text after a quote
                                            "Jan 2 2024,,,,\n"
                                            "2024-01-03,,,,\"never closed\n"
                                            "2024-01-04,,,,\n");
        CsvImport imp(TransferTable::Journal);
        QVERIFY(imp.analyse(file));
        QCOMPARE(imp.reportLines(),
                 (QStringList{
                     "Line 2: EntryDate \"31/12/2023\" is not a date (mm/dd/yyyy or yyyy-mm-dd).",
                     "Line 2: Alkalinity \"1e999\" is too large.",
                     "Line 4: the row has 3 fields; the header has 5.",
                     "Line 5: the row has 6 fields; the header has 5.",
                     "Line 6: there is text after a closing quote.",
                     "Line 8: a quoted field is not closed; the rest of the file belongs to it."}));
        QCOMPARE(imp.acceptedCount(), 2);
        QCOMPARE(imp.refusedCount(), 5);
        QVERIFY(imp.commit(db, "1").ok);
        QCOMPARE(
            TestEnv::scalar(db, "SELECT PH FROM Journal WHERE EntryDate = '2023-12-31'").toDouble(),
            1000.0);
        QCOMPARE(TestEnv::scalar(db, "SELECT Alkalinity FROM Journal WHERE EntryDate = "
                                     "'2023-12-31'")
                     .toDouble(),
                 7.5);
        QCOMPARE(count("Journal", "EntryDate = '2024-01-02' AND PH IS NULL"), 1);
    }

    void datesInBothForms() {
        CsvImport imp(TransferTable::LiveStock);
        QVERIFY(imp.analyse(QStringLiteral("CommonName,DateAcquired,DateLost,InitialCost\n"
                                           "Tang,03/15/1999,,25.00\n"
                                           "Goby,1999-03-16,2000-01-02,25\n"
                                           "Crab,3/17/99,13/01/2000,\n"
                                           "Snail,,,twenty\n"
                                           "Shrimp,,,\n")));
        QCOMPARE(imp.reportLines(),
                 (QStringList{"Line 4: DateLost \"13/01/2000\" is not a date (mm/dd/yyyy or "
                              "yyyy-mm-dd).",
                              "Line 5: InitialCost \"twenty\" is not an amount (EX: 25.00)."}));
        QVERIFY(imp.commit(db, "1").ok);
        QCOMPARE(
            rows("LiveStock", "1", "ID"),
            (QVector<QVariantList>{{"Tang", {}, "1999-03-15", {}, {}, {}, {}, 250000, {}},
                                   {"Goby", {}, "1999-03-16", "2000-01-02", {}, {}, {}, 250000, {}},
                                   {"Shrimp", {}, {}, {}, {}, {}, {}, {}, {}}}));
    }

    void headerProblems() {
        // Unknown columns and ID/TankID are noted and ignored; names match
        // whatever their case and blanks.
        CsvImport imp(TransferTable::Glossary);
        QVERIFY(imp.analyse(QStringLiteral("ID,Salinity, term ,,DEFINITION,TankID\n"
                                           "7,35,Cycle,,the nitrogen cycle,3\n")));
        QCOMPARE(
            imp.reportLines(),
            (QStringList{"Line 1: column \"ID\" is ignored: Corvella numbers the records itself.",
                         "Line 1: column \"Salinity\" is not a field of the Glossary table; it is "
                         "ignored.",
                         "Line 1: column 4 has no name; it is ignored.",
                         "Line 1: column \"TankID\" is not a field of the Glossary table; it is "
                         "ignored."}));
        QVERIFY(!imp.report()[0].refused);
        QCOMPARE(imp.acceptedCount(), 1);
        QCOMPARE(imp.summary(), QStringLiteral("1 record can be imported."));
        QVERIFY(imp.commit(db, QString()).ok);
        QCOMPARE(rows("Glossary", "1", "ID"),
                 (QVector<QVariantList>{{"Cycle", "the nitrogen cycle"}}));

        // A missing required column, a column twice, semicolons, nothing:
        // nothing can be imported.
        struct Case {
            TransferTable table;
            QString text;
            QString report;
        };
        const QVector<Case> cases = {
            {TransferTable::Journal, "PH,Nitrate\n7,5\n",
             "Line 1: the column \"EntryDate\" is missing."},
            {TransferTable::LiveStock, "CommonName,Notes,notes\nTang,a,b\n",
             "Line 1: the column \"notes\" appears twice."},
            {TransferTable::Journal, "EntryDate;PH\n01/02/2024;7,5\n",
             "Line 1: the fields are separated by semicolons. Save the file as CSV with commas "
             "between fields and dots in numbers."},
            {TransferTable::Disease, "\n\n",
             "Line 1: the file is empty: it has no header of field "
             "names."},
        };
        for (const Case &c : cases) {
            CsvImport bad(c.table);
            QVERIFY(!bad.analyse(c.text));
            QVERIFY(!bad.usable());
            QCOMPARE(bad.reportLines(), QStringList{c.report});
            QCOMPARE(bad.acceptedCount(), 0);
            QCOMPARE(bad.summary(), QStringLiteral("The file cannot be imported."));
            const TransferResult r = bad.commit(db, "1");
            QVERIFY(!r.ok);
        }
        QCOMPARE(count("Journal") + count("LiveStock") + count("Disease"), 0);
    }

    void textLimitsAndEncodings() {
        CsvImport imp(TransferTable::Disease);
        const QString longName(255, u'x');
        QVERIFY(imp.analyseBytes(QByteArray("CommonName,Symptoms\n") + longName.toUtf8() + ",a\n" +
                                 QString(254, u'y').toUtf8() + "," + QByteArray(3000, 'z') + "\n"));
        QCOMPARE(imp.reportLines(),
                 QStringList{"Line 2: CommonName is longer than 254 characters."});
        QCOMPARE(imp.acceptedCount(), 1);

        // A spreadsheet's Windows-1252 file: read, and said so.
        QVERIFY(imp.analyseBytes(QByteArray("CommonName,Notes\nIch,caf\xE9 \x93quoted\x94\n")));
        QCOMPARE(imp.reportLines(), QStringList{"Line 1: the file is not in UTF-8; it was read as "
                                                "Windows-1252 (Western European)."});
        QVERIFY(!imp.report()[0].refused);
        QVERIFY(imp.commit(db, "").ok);
        QCOMPARE(TestEnv::scalar(db, "SELECT Notes FROM Disease").toString(),
                 QStringLiteral("café “quoted”"));

        QVERIFY(!imp.analyseFile(env->path("nothing-here.csv")));
        QCOMPARE(imp.reportLines().size(), 1);
        QVERIFY(imp.reportLines()[0].contains("cannot be read"));
    }

    void commitIsAllOrNothing() {
        const QString file = QStringLiteral("EntryDate,Notes\n"
                                            "01/01/2024,one\n"
                                            "01/02/2024,two\n"
                                            "01/03/2024,boom\n"
                                            "01/04/2024,four\n");
        CsvImport imp(TransferTable::Journal);
        QVERIFY(imp.analyse(file));
        QCOMPARE(imp.acceptedCount(), 4);
        // The database refuses the third row only when it is stored.
        exec("CREATE TRIGGER refuse BEFORE INSERT ON Journal WHEN NEW.Notes = 'boom' "
             "BEGIN SELECT RAISE(ABORT, 'refused'); END");
        TransferResult r = imp.commit(db, "1");
        QVERIFY(!r.ok);
        QCOMPARE(r.records, 0);
        QVERIFY2(r.error.startsWith("Line 4 could not be stored: "), qPrintable(r.error));
        QVERIFY(r.error.endsWith(" Nothing was stored."));
        QCOMPARE(count("Journal"), 0);
        exec("DROP TRIGGER refuse");

        // No default tank, or one that is gone: nothing stored either.
        r = imp.commit(db, "NOT SET");
        QVERIFY(!r.ok);
        QVERIFY(r.error.startsWith("There is no default tank."));
        r = imp.commit(db, "99");
        QVERIFY(!r.ok);
        QVERIFY(r.error.contains("no longer in the database"));
        r = imp.commit(env->path("gone.cvl"), "1");
        QVERIFY(!r.ok);
        QVERIFY(!QFile::exists(env->path("gone.cvl")));
        QCOMPARE(count("Journal"), 0);

        r = imp.commit(db, "1");
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.records, 4);
    }

    void roundTripGivesTheSameRecords() {
        fillReef();
        // The care log: a share with a decimal, a formula-like product, a
        // note over lines, an entry with nothing but its kind.
        exec("INSERT INTO Maintenance (TankID, EntryDate, Kind, Amount, Unit, Product, "
             "SharePercent, Notes) VALUES (1, '2024-01-06', 'Water Change', 12.5, 'US Gal.', "
             "NULL, 22.3, 'nitrate 40,\n\"high\"'), (1, '2024-01-03', 'Dosing', 5, 'ml', "
             "'=Two part', NULL, NULL), (1, NULL, 'Other', NULL, NULL, NULL, NULL, NULL), "
             "(3, '2024-01-04', 'Filter Cleaned', NULL, NULL, NULL, NULL, NULL)");
        for (TransferTable t :
             {TransferTable::Journal, TransferTable::LiveStock, TransferTable::Maintenance}) {
            const QString file = env->path(transferTableName(t) + ".csv");
            const TransferResult out = exportCsvFile(db, t, "1", file);
            QVERIFY2(out.ok, qPrintable(out.error));
            QCOMPARE(out.records,
                     t == TransferTable::LiveStock ? 3 : 4 - int(t == TransferTable::Maintenance));
            CsvImport imp(t);
            QVERIFY(imp.analyseFile(file));
            QVERIFY2(imp.report().isEmpty(), qPrintable(imp.reportLines().join('\n')));
            const TransferResult in = imp.commit(db, "2");
            QVERIFY2(in.ok, qPrintable(in.error));
            QCOMPARE(in.records, out.records);
            // Same order of storing as of export, so ID order compares them.
            const QString order =
                t == TransferTable::LiveStock ? "DateAcquired, ID" : "EntryDate, ID";
            const auto before = rows(transferTableName(t), "TankID = 1", order);
            const auto after = rows(transferTableName(t), "TankID = 2", order);
            QCOMPARE(after.size(), before.size());
            for (int i = 0; i < before.size(); ++i)
                QCOMPARE(after[i], before[i]);
        }

        // The reference tables go to another database whole.
        exec("INSERT INTO Disease (CommonName, ScientificName, Symptoms, Treatment, Notes) VALUES "
             "('White Spot', 'Ichthyophthirius', 'white dots, \"salt\" grains', 'heat\nsalt', "
             "NULL)");
        exec("INSERT INTO Glossary (Term, Definition) VALUES ('KH', 'carbonate hardness')");
        const QString other = env->makeDatabase("OTHER.CVL");
        for (TransferTable t : {TransferTable::Disease, TransferTable::Glossary}) {
            const QString file = env->path(transferTableName(t) + ".csv");
            QVERIFY(exportCsvFile(db, t, "", file).ok);
            CsvImport imp(t);
            QVERIFY(imp.analyseFile(file));
            QVERIFY(imp.commit(other, "").ok);
            QString dbBefore = db;
            const auto before = rows(transferTableName(t), "1", "ID");
            db = other;
            const auto after = rows(transferTableName(t), "1", "ID");
            db = dbBefore;
            QCOMPARE(after, before);
        }
    }

    // A file imported again into the records it came from adds nothing;
    // into another tank it adds everything; a changed row is imported.
    void recordsStoredAlreadyAreLeftOut() {
        fillReef();
        exec("INSERT INTO Glossary (Term, Definition) VALUES ('KH', 'carbonate hardness')");
        for (TransferTable t :
             {TransferTable::Journal, TransferTable::LiveStock, TransferTable::Glossary}) {
            const QString file = env->path(transferTableName(t) + ".csv");
            QVERIFY(exportCsvFile(db, t, "1", file).ok);
            const qint64 before = count(transferTableName(t));
            CsvImport again(t);
            QVERIFY(again.analyseFile(file));
            const int rows = again.acceptedCount();
            QCOMPARE(again.leaveOutStored(db, "1"), rows);
            QCOMPARE(again.acceptedCount(), 0);
            QCOMPARE(again.summary(),
                     rows == 1 ? QStringLiteral("0 records can be imported; 1 record is stored "
                                                "already and is left out.")
                               : QStringLiteral("0 records can be imported; %1 records are "
                                                "stored already and are left out.")
                                     .arg(rows));
            QCOMPARE(again.reportLines().size(), rows);
            QVERIFY(again.reportLines().first().endsWith(
                QStringLiteral(": the same record is stored already; it is left out.")));
            QVERIFY(again.commit(db, "1").ok);
            QCOMPARE(count(transferTableName(t)), before);
            if (isTankTable(t)) {
                CsvImport other(t);
                QVERIFY(other.analyseFile(file));
                QCOMPARE(other.leaveOutStored(db, "2"), 0);
                QCOMPARE(other.acceptedCount(), rows);
            }
        }

        // One value changed in the file: that row alone is new.
        const QString file = env->path("changed.csv");
        QVERIFY(exportCsvFile(db, TransferTable::Journal, "1", file).ok);
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QString text = QString::fromUtf8(f.readAll());
        f.close();
        QVERIFY(text.contains(QStringLiteral(",plain")));
        text.replace(QStringLiteral(",plain"), QStringLiteral(",plain again"));
        CsvImport changed(TransferTable::Journal);
        QVERIFY(changed.analyse(text));
        QCOMPARE(changed.leaveOutStored(db, "1"), 3);
        QCOMPARE(changed.acceptedCount(), 1);
        // The notes stay in the order of the file's lines.
        QStringList lines = changed.reportLines();
        QStringList sorted = lines;
        std::sort(sorted.begin(), sorted.end(), [](const QString &a, const QString &b) {
            return a.section(u':', 0, 0).mid(5).toInt() < b.section(u':', 0, 0).mid(5).toInt();
        });
        QCOMPARE(lines, sorted);
        QVERIFY(changed.commit(db, "1").ok);
        QCOMPARE(count("Journal", "Notes = 'plain again'"), 1);

        // A database that cannot be read leaves everything in.
        CsvImport unread(TransferTable::Journal);
        QVERIFY(unread.analyse(text));
        QCOMPARE(unread.leaveOutStored(env->path("NOSUCH.CVL"), "1"), 0);
        QCOMPARE(unread.acceptedCount(), 4);
    }

    // A text a spreadsheet would run as a formula is written so that it is
    // read as text (an apostrophe in front), and import takes exactly that
    // apostrophe away again; numbers stay numbers.
    void formulaTextsAreExportedAsTextAndReadBackExactly() {
        const QStringList terms = {"=1+2",
                                   "+41",
                                   "-3",
                                   "@SUM(A1:A9)",
                                   "\tx",
                                   "\r=y",
                                   "'=HYPERLINK(\"http://x\")",
                                   "''=z",
                                   "'plain",
                                   "a=b",
                                   "-"};
        for (const QString &t : terms)
            exec(QStringLiteral("INSERT INTO Glossary (Term, Definition) VALUES ('%1', '%1')")
                     .arg(QString(t).replace("'", "''")));
        exec("INSERT INTO Journal (TankID, EntryDate, PH, Nitrate, Notes) VALUES "
             "(1, '2024-02-29', -3, -0.5, '=cmd|'' /C calc''!A0')");
        const QString text = QString::fromUtf8(exported(TransferTable::Glossary, QString()));
        for (const QString &cell :
             {QStringLiteral("'=1+2,'=1+2"), QStringLiteral("'+41,'+41"), QStringLiteral("'-3,'-3"),
              QStringLiteral("'@SUM(A1:A9),'@SUM(A1:A9)"), QStringLiteral("'\tx,'\tx"),
              QStringLiteral("\"'\r=y\",\"'\r=y\""), QStringLiteral("\n'''=z,'''=z\r"),
              QStringLiteral("'plain,'plain"), QStringLiteral("\r\na=b,a=b\r\n"),
              QStringLiteral("'-,'-")})
            QVERIFY2(text.contains(cell), qPrintable(cell + " in:\n" + text));
        QVERIFY2(text.contains(QStringLiteral("\"''=HYPERLINK(\"\"http://x\"\")\"")),
                 qPrintable(text));
        const QString journal = QString::fromUtf8(exported(TransferTable::Journal, "1"));
        QVERIFY2(journal.contains(QStringLiteral("2024-02-29,")), qPrintable(journal));
        QVERIFY2(journal.contains(QStringLiteral(",-0.5,")), qPrintable(journal));
        // pH is shown to the tenth; a number never gets the apostrophe.
        QVERIFY2(journal.contains(QStringLiteral(",-3.0,")), qPrintable(journal));
        QVERIFY2(journal.contains(QStringLiteral(",'=cmd|' /C calc'!A0\r\n")), qPrintable(journal));

        // Back into another database: every text exactly as it was.
        const QString other = env->makeDatabase("OTHER.CVL");
        CsvImport imp(TransferTable::Glossary);
        QVERIFY(imp.analyse(text));
        QVERIFY(imp.commit(other, QString()).ok);
        const QString dbBefore = db;
        const auto before = rows("Glossary", "1", "Term");
        db = other;
        QCOMPARE(rows("Glossary", "1", "Term"), before);
        db = dbBefore;
        CsvImport entries(TransferTable::Journal);
        QVERIFY(entries.analyse(journal));
        QVERIFY(entries.commit(db, "2").ok);
        QCOMPARE(rows("Journal", "TankID = 2", "ID"), rows("Journal", "TankID = 1", "ID"));
    }

    // "Stored already" means the same record: equal in every field the file
    // has, and empty in every field it has not. A stored entry that holds
    // more than the file's row is another record, and the row is imported.
    void storedAlreadyMeansTheWholeRecord() {
        exec("INSERT INTO Journal (TankID, EntryDate, PH, Nitrate) VALUES (1, '2024-03-01', 7.2, "
             "10)");
        exec("INSERT INTO Journal (TankID, EntryDate, PH) VALUES (1, '2024-03-02', 7.4)");
        CsvImport imp(TransferTable::Journal);
        QVERIFY(imp.analyse(QStringLiteral("EntryDate,PH\n2024-03-01,7.2\n2024-03-02,7.4\n")));
        QCOMPARE(imp.leaveOutStored(db, "1"), 1);
        QCOMPARE(imp.reportLines(),
                 QStringList{"Line 3: the same record is stored already; it is left out."});
        QVERIFY(imp.commit(db, "1").ok);
        QCOMPARE(count("Journal", "EntryDate = '2024-03-01'"), 2);
        QCOMPARE(count("Journal", "EntryDate = '2024-03-02'"), 1);
    }

    // Files that are not what they seem: binary data, a field larger than an
    // import takes, a row of one field, a column name of 300,000 letters.
    // Each is refused or noted with its line, in a report of readable size.
    void hostileFilesAreRefusedWithTheirLine() {
        CsvImport imp(TransferTable::Journal);
        QByteArray png("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
        QVERIFY(!imp.analyseBytes(png));
        QCOMPARE(imp.reportLines(),
                 QStringList{"Line 3: the file is not a text file of comma-separated values: it "
                             "holds binary data."});
        QVERIFY(!imp.usable());

        const QString fits(MaxImportedText, u'w'), tooLong(MaxImportedText + 1, u'w');
        QVERIFY(imp.analyse("EntryDate,Notes\n2024-01-01," + fits + "\n2024-01-02," + tooLong +
                            "\n2024-01-03\n"));
        QCOMPARE(imp.reportLines(),
                 (QStringList{"Line 3: Notes is longer than 65,535 characters.",
                              "Line 4: the row has 1 field; the header has 2."}));
        QCOMPARE(imp.acceptedCount(), 1);
        QCOMPARE(imp.acceptedValues(0).at(1).toString().size(), MaxImportedText);

        const QString hugeName(300000, u'n');
        QVERIFY(imp.analyse("EntryDate," + hugeName + ",PH\n2024-01-01,x,seven\n"));
        const QStringList lines = imp.reportLines();
        QCOMPARE(lines.size(), 2);
        for (const QString &line : lines)
            QVERIFY2(line.size() < 200, qPrintable(line.left(300)));
        QVERIFY2(lines[0].startsWith("Line 1: column \"nnnn"), qPrintable(lines[0].left(100)));
        QVERIFY2(lines[0].contains("300000 characters"), qPrintable(lines[0].left(300)));
    }
};

QTEST_GUILESS_MAIN(TestTransfer)
#include "tst_transfer.moc"
