// The fish diseases and aquarist glossary of a new database: the content
// itself, the strict reading of its text files, and corvella-mkdb making a
// database with it or adding it to an existing one.
#include "data/DatabaseFile.h"
#include "data/ReferenceData.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest/QTest>

using namespace corv;
using corv::test::TestEnv;

namespace {

struct Run {
    int exitCode = -1;
    QString out, err;
};

Run mkdb(const QStringList &args) {
    QProcess p;
    p.start(QStringLiteral(CORVELLA_MKDB), args);
    Run r;
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QVector<QStringList> rows(const QString &db, const QString &sql, int columns) {
    QVector<QStringList> out;
    {
        QSqlDatabase c =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("rows"));
        c.setDatabaseName(db);
        if (!c.open())
            return out;
        QSqlQuery q(c);
        q.exec(sql);
        while (q.next()) {
            QStringList r;
            for (int i = 0; i < columns; ++i)
                r << q.value(i).toString();
            out << r;
        }
        q.finish();
        c.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("rows"));
    return out;
}

QByteArray fileBytes(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The names a text refers to with a closing "See also: A, B." sentence.
QStringList seeAlso(const QString &text) {
    static const QRegularExpression re(QStringLiteral("See also: ([^\\n]+)\\.$"));
    const auto m = re.match(text);
    return m.hasMatch() ? m.captured(1).split(QStringLiteral(", ")) : QStringList();
}

ReferenceTable table(const ReferenceLayout &layout, const QVector<QStringList> &data) {
    ReferenceTable t;
    t.layout = layout;
    t.rows = data;
    return t;
}

} // namespace

class TestReference : public QObject {
    Q_OBJECT
private slots:
    // What the tool puts into a new database: enough entries, each complete,
    // no name twice, and every cross-reference pointing at a real entry.
    void newDatabaseHoldsTheContent() {
        QTemporaryDir dir;
        const QString db = dir.filePath(QStringLiteral("CORVELLA.CVL"));
        const Run r = mkdb({db});
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.out.startsWith(QStringLiteral("Created ")), qPrintable(r.out + r.err));

        const auto diseases = rows(
            db, "SELECT CommonName, ScientificName, Symptoms, Treatment, Notes FROM Disease", 5);
        const auto terms = rows(db, "SELECT Term, Definition FROM Glossary", 2);
        QVERIFY2(diseases.size() >= 40, qPrintable(QString::number(diseases.size())));
        QVERIFY2(terms.size() >= 250, qPrintable(QString::number(terms.size())));
        QVERIFY(r.out.contains(QStringLiteral("with %1 diseases and %2 glossary terms.")
                                   .arg(diseases.size())
                                   .arg(terms.size())));

        QSet<QString> names, folded;
        for (const QStringList &d : diseases) {
            QVERIFY2(!d[0].trimmed().isEmpty(), "a disease without a name");
            QVERIFY2(!d[2].trimmed().isEmpty(), qPrintable(d[0] + ": no symptoms"));
            QVERIFY2(!d[3].trimmed().isEmpty(), qPrintable(d[0] + ": no treatment"));
            QVERIFY2(!folded.contains(d[0].toCaseFolded()), qPrintable(d[0] + " twice"));
            folded.insert(d[0].toCaseFolded());
            names.insert(d[0]);
        }
        for (const QStringList &d : diseases)
            for (const QString &target : seeAlso(d[4]))
                QVERIFY2(names.contains(target), qPrintable(d[0] + " refers to " + target));

        QSet<QString> termSet;
        folded.clear();
        int crossReferenced = 0;
        for (const QStringList &t : terms) {
            QVERIFY2(!t[0].trimmed().isEmpty(), "a term without a name");
            QVERIFY2(!t[1].trimmed().isEmpty(), qPrintable(t[0] + ": no definition"));
            QVERIFY2(!folded.contains(t[0].toCaseFolded()), qPrintable(t[0] + " twice"));
            folded.insert(t[0].toCaseFolded());
            termSet.insert(t[0]);
        }
        for (const QStringList &t : terms) {
            const QStringList targets = seeAlso(t[1]);
            crossReferenced += targets.isEmpty() ? 0 : 1;
            for (const QString &target : targets) {
                QVERIFY2(termSet.contains(target), qPrintable(t[0] + " refers to " + target));
                QVERIFY2(target != t[0], qPrintable(t[0] + " refers to itself"));
            }
        }
        QVERIFY(crossReferenced > terms.size() / 2);

        // The must-haves are there under names a keeper would look up.
        for (const char *name : {"White spot disease (Ich)",
                                 "Marine velvet",
                                 "Columnaris (Cotton-mouth disease)",
                                 "Fin rot",
                                 "Dropsy",
                                 "Hole-in-the-head disease",
                                 "Swim-bladder disorder",
                                 "Ammonia poisoning",
                                 "Nitrite poisoning (Brown blood disease)",
                                 "Gas-bubble disease",
                                 "Lymphocystis",
                                 "Gill flukes",
                                 "Skin flukes",
                                 "Anchor worm",
                                 "Fish lice",
                                 "Camallanus worms",
                                 "Mycobacteriosis (Fish tuberculosis)",
                                 "Popeye (Exophthalmia)",
                                 "Cotton-wool fungus",
                                 "Brooklynellosis (Clownfish disease)",
                                 "Uronema disease (Scuticociliatosis)",
                                 "Head-and-lateral-line erosion (HLLE)"})
            QVERIFY2(names.contains(QString::fromUtf8(name)), name);
        // Long texts keep their line breaks through the file's escapes.
        QVERIFY(TestEnv::scalar(db, "SELECT COUNT(*) FROM Disease WHERE Treatment LIKE "
                                    "'%' || char(10) || '%'")
                    .toInt() > 0);
    }

    // The build runs the tool with --if-missing: an existing database, even
    // an empty one, comes out byte for byte as it went in.
    void existingDatabaseIsNeverChangedByTheBuild() {
        QTemporaryDir dir;
        const QString db = dir.filePath(QStringLiteral("CORVELLA.CVL"));
        QCOMPARE(mkdb({QStringLiteral("--empty"), db}).exitCode, 0);
        QCOMPARE(TestEnv::scalar(db, "SELECT COUNT(*) FROM Glossary").toInt(), 0);
        const QByteArray before = fileBytes(db);
        const Run r = mkdb({QStringLiteral("--if-missing"), db});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(fileBytes(db), before);
        const Run again = mkdb({db});
        QCOMPARE(again.exitCode, 1);
        QVERIFY(again.err.contains(QStringLiteral("already exists; it is left as it is.")));
        QCOMPARE(fileBytes(db), before);
        // Into a folder that is not there: said in words, nothing made.
        const QString lost = dir.filePath(QStringLiteral("no/such/CORVELLA.CVL"));
        const Run missing = mkdb({lost});
        QCOMPARE(missing.exitCode, 1);
        QVERIFY2(missing.err.contains(QStringLiteral("the folder %1 does not exist.")
                                          .arg(dir.filePath(QStringLiteral("no/such")))),
                 qPrintable(missing.err));
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("no"))));
    }

    void addReferenceFillsEmptyTables() {
        QTemporaryDir dir;
        const QString db = dir.filePath(QStringLiteral("old.cvl"));
        QCOMPARE(mkdb({QStringLiteral("--empty"), db}).exitCode, 0);
        TestEnv::exec(db, "INSERT INTO Tank (TankName) VALUES ('Reef')");
        const Run r = mkdb({QStringLiteral("--add-reference"), db});
        QCOMPARE(r.exitCode, 0);
        const int diseases = TestEnv::scalar(db, "SELECT COUNT(*) FROM Disease").toInt();
        const int terms = TestEnv::scalar(db, "SELECT COUNT(*) FROM Glossary").toInt();
        QVERIFY(diseases >= 40 && terms >= 250);
        QCOMPARE(r.out.trimmed(), QStringLiteral("Added %1 diseases and %2 glossary terms to %3.")
                                      .arg(diseases)
                                      .arg(terms)
                                      .arg(QDir::toNativeSeparators(db)));
        QCOMPARE(TestEnv::scalar(db, "SELECT TankName FROM Tank").toString(),
                 QStringLiteral("Reef"));
    }

    // A table the user has filled is left alone, row for row; only an empty
    // one gets the content.
    void addReferenceLeavesFilledTablesAlone() {
        QTemporaryDir dir;
        const QString db = dir.filePath(QStringLiteral("mine.cvl"));
        QCOMPARE(mkdb({QStringLiteral("--empty"), db}).exitCode, 0);
        TestEnv::exec(db, "INSERT INTO Glossary (Term, Definition) VALUES ('Tank', 'My word.')");
        Run r = mkdb({QStringLiteral("--add-reference"), db});
        QCOMPARE(r.exitCode, 0);
        const int diseases = TestEnv::scalar(db, "SELECT COUNT(*) FROM Disease").toInt();
        QVERIFY(diseases >= 40);
        QCOMPARE(rows(db, "SELECT Term, Definition FROM Glossary", 2),
                 (QVector<QStringList>{{QStringLiteral("Tank"), QStringLiteral("My word.")}}));
        QCOMPARE(r.out, QStringLiteral("Added %1 diseases to %2.\nThe Glossary table already had "
                                       "1 row and was left alone.\n")
                            .arg(diseases)
                            .arg(QDir::toNativeSeparators(db)));

        // Both tables hold rows now: nothing changes at all.
        const QByteArray before = fileBytes(db);
        r = mkdb({QStringLiteral("--add-reference"), db});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.startsWith(QStringLiteral("Nothing was added to ")));
        QVERIFY(r.out.contains(
            QStringLiteral("The Disease table already had %1 rows and was left alone.")
                .arg(diseases)));
        QCOMPARE(fileBytes(db), before);
    }

    void addReferenceRefusesOtherFiles() {
        QTemporaryDir dir;
        const QString text = dir.filePath(QStringLiteral("notes.cvl"));
        {
            QFile f(text);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("not a database\n");
        }
        Run r = mkdb({QStringLiteral("--add-reference"), text});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains(QStringLiteral("is not a Corvella database")), qPrintable(r.err));
        QCOMPARE(fileBytes(text), QByteArray("not a database\n"));

        // An SQLite file of some other program: its tables are not touched.
        const QString other = dir.filePath(QStringLiteral("other.db"));
        TestEnv::exec(other, "CREATE TABLE Glossary (Term TEXT)");
        r = mkdb({QStringLiteral("--add-reference"), other});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains(QStringLiteral("is not a Corvella database")), qPrintable(r.err));
        QCOMPARE(TestEnv::scalar(other, "SELECT COUNT(*) FROM Glossary").toInt(), 0);

        r = mkdb({QStringLiteral("--add-reference"), dir.filePath(QStringLiteral("none.cvl"))});
        QCOMPARE(r.exitCode, 1);
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("none.cvl"))));
    }

    // A failure partway (here the engine refuses one glossary row, after all
    // the diseases went in) leaves both tables as they were.
    void addReferenceIsAllOrNothing() {
        QTemporaryDir dir;
        const QString db = dir.filePath(QStringLiteral("CORVELLA.CVL"));
        QString error;
        QVERIFY2(createDatabase(db, &error), qPrintable(error));
        TestEnv::exec(db, "CREATE TRIGGER refuse BEFORE INSERT ON Glossary WHEN NEW.Term = 'pH' "
                          "BEGIN SELECT RAISE(ABORT, 'refused'); END");
        const auto content = builtInReferenceContent(&error);
        QVERIFY2(content, qPrintable(error));
        ReferenceAddition done;
        done.diseasesAdded = -1;
        QVERIFY(!addReferenceContent(db, *content, &done, &error));
        QVERIFY2(error.startsWith(QStringLiteral("Nothing was added to ")), qPrintable(error));
        QVERIFY2(error.contains(QStringLiteral("refused")), qPrintable(error));
        QCOMPARE(done.diseasesAdded, -1); // no result is reported for a failure
        QCOMPARE(TestEnv::scalar(db, "SELECT COUNT(*) FROM Disease").toInt(), 0);
        QCOMPARE(TestEnv::scalar(db, "SELECT COUNT(*) FROM Glossary").toInt(), 0);

        // Without the obstacle the same call succeeds.
        TestEnv::exec(db, "DROP TRIGGER refuse");
        QVERIFY2(addReferenceContent(db, *content, &done, &error), qPrintable(error));
        QCOMPARE(done.diseasesAdded, int(content->diseases.rows.size()));
        QCOMPARE(done.termsAdded, int(content->glossary.rows.size()));
    }

    // The same for a new database: a failing row leaves no file behind.
    void newDatabaseIsAllOrNothing() {
        QTemporaryDir dir;
        const QString db = dir.filePath(QStringLiteral("new.cvl"));
        ReferenceContent content{
            table(diseaseLayout(), {{"Fin rot", "", "Ragged fins.", "Clean water.", ""}}),
            table(glossaryLayout(), {{"pH", "Acidity."}})};
        QString error;
        QVERIFY(!createDatabase(
            db, &error, {QStringLiteral("INSERT INTO Glossary (ID, Term) VALUES (1, 'x');")},
            &content));
        QVERIFY(!QFile::exists(db));
        QVERIFY(createDatabase(db, &error, {}, &content));
        QCOMPARE(
            rows(db, "SELECT CommonName, ScientificName IS NULL, Notes IS NULL FROM Disease", 3),
            (QVector<QStringList>{{"Fin rot", "1", "1"}}));
    }

    void escapes_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << "Nitrate"
                               << "Nitrate";
        QTest::newRow("line break") << "One.\\nTwo."
                                    << "One.\nTwo.";
        QTest::newRow("paragraph") << "a\\n\\nb"
                                   << "a\n\nb";
        QTest::newRow("tab") << "a\\tb"
                             << "a\tb";
        QTest::newRow("backslash") << "C:\\\\fish"
                                   << "C:\\fish";
        QTest::newRow("backslash then n") << "\\\\n"
                                          << "\\n";
        QTest::newRow("unicode") << "CO₂ at 25 °C – µS/cm"
                                 << "CO₂ at 25 °C – µS/cm";
    }
    void escapes() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QCOMPARE(unescapeReferenceField(field).value_or(QStringLiteral("<refused>")), text);
        QCOMPARE(escapeReferenceField(text), field);
    }

    void badEscapes() {
        QString why;
        QVERIFY(!unescapeReferenceField(QStringLiteral("a\\x"), &why));
        QCOMPARE(why, QStringLiteral("unknown escape \\x"));
        QVERIFY(!unescapeReferenceField(QStringLiteral("ends\\"), &why));
        QVERIFY(why.contains(QStringLiteral("backslash ends the field")));
    }

    void wellFormedFiles() {
        QString error;
        // Windows line ends and a missing final line break are both fine.
        auto t = parseReferenceTable("Term\tDefinition\r\npH\tAcidity.\\nSee also: KH.\r\n"
                                     "KH\tCarbonate hardness.",
                                     glossaryLayout(), QStringLiteral("Glossary.tsv"), &error);
        QVERIFY2(t, qPrintable(error));
        QCOMPARE(t->rows, (QVector<QStringList>{{"pH", "Acidity.\nSee also: KH."},
                                                {"KH", "Carbonate hardness."}}));
        // An empty optional field is a row like any other.
        t = parseReferenceTable("CommonName\tScientificName\tSymptoms\tTreatment\tNotes\n"
                                "Dropsy\t\tBloating.\tIsolate.\t\n",
                                diseaseLayout(), QStringLiteral("Disease.tsv"), &error);
        QVERIFY2(t, qPrintable(error));
        QCOMPARE(t->rows.first(), (QStringList{"Dropsy", "", "Bloating.", "Isolate.", ""}));
    }

    void malformedFiles_data() {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("message");
        const QByteArray head = "Term\tDefinition\n";
        QTest::newRow("empty file") << QByteArray() << "Glossary.tsv is empty";
        QTest::newRow("wrong header")
            << QByteArray("Word\tMeaning\npH\tAcidity.\n")
            << "Glossary.tsv, line 1: the first line must name the columns Term, Definition";
        QTest::newRow("too few fields")
            << head + "pH\tAcidity.\nKH\n"
            << "Glossary.tsv, line 3: expected 2 fields separated by tabs, found 1.";
        QTest::newRow("too many fields")
            << head + "pH\tAcidity.\tmore\n"
            << "Glossary.tsv, line 2: expected 2 fields separated by tabs, found 3.";
        QTest::newRow("blank line") << head + "pH\tAcidity.\n\nKH\tHardness.\n"
                                    << "Glossary.tsv, line 3: the line is empty.";
        QTest::newRow("bad escape") << head + "pH\tAcid\\q.\n"
                                    << "Glossary.tsv, line 2: field 2 (Definition): unknown "
                                       "escape \\q.";
        QTest::newRow("empty term") << head + "\tAcidity.\n"
                                    << "Glossary.tsv, line 2: Term is empty.";
        QTest::newRow("blank definition") << head + "pH\t  \n"
                                          << "Glossary.tsv, line 2: Definition is empty.";
        QTest::newRow("duplicate term")
            << head + "pH\tAcidity.\nKH\tHardness.\nPH\tAgain.\n"
            << "Glossary.tsv, line 4: Term \"PH\" is already on line 2.";
        QTest::newRow("padded term") << head + "pH \tAcidity.\n"
                                     << "Glossary.tsv, line 2: Term \"pH \" begins or ends";
        QTest::newRow("long term") << head + QByteArray(255, 'x') + "\tToo long.\n"
                                   << "Glossary.tsv, line 2: Term is longer than 254 characters.";
        QTest::newRow("not UTF-8") << head + "pH\tAcid\xff.\n"
                                   << "Glossary.tsv, line 2: the line is not valid UTF-8 text.";
        QTest::newRow("raw carriage return")
            << head + "pH\tOne.\rTwo.\n"
            << "Glossary.tsv, line 2: the line holds the control character U+000D";
    }
    void malformedFiles() {
        QFETCH(QByteArray, data);
        QFETCH(QString, message);
        QString error;
        QVERIFY(
            !parseReferenceTable(data, glossaryLayout(), QStringLiteral("Glossary.tsv"), &error));
        QVERIFY2(error.startsWith(message), qPrintable(error));
    }

    // The files read from a folder name themselves in errors, and a missing
    // file is an error rather than an empty table.
    void readingFromAFolder() {
        QTemporaryDir dir;
        QString error;
        QVERIFY(!readReferenceContent(dir.path(), &error));
        QVERIFY2(error.contains(QStringLiteral("Disease.tsv")), qPrintable(error));
        auto write = [&](const QString &name, const QByteArray &data) {
            QFile f(dir.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(data);
        };
        write(QStringLiteral("Disease.tsv"), "CommonName\tScientificName\tSymptoms\tTreatment\t"
                                             "Notes\nFin rot\t\tRagged fins.\tClean water.\t\n");
        write(QStringLiteral("Glossary.tsv"), "Term\tDefinition\npH\tAcidity.\npH\tAgain.\n");
        QVERIFY(!readReferenceContent(dir.path(), &error));
        QVERIFY2(error.startsWith(QDir::toNativeSeparators(dir.filePath("Glossary.tsv")) +
                                  QStringLiteral(", line 3: ")),
                 qPrintable(error));
        write(QStringLiteral("Glossary.tsv"), "Term\tDefinition\npH\tAcidity.\n");
        const auto content = readReferenceContent(dir.path(), &error);
        QVERIFY2(content, qPrintable(error));
        QCOMPARE(content->diseases.rows.size(), 1);
        QCOMPARE(content->glossary.rows.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestReference)
#include "tst_reference.moc"
