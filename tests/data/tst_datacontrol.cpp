// The bound record source on a real database file in a temporary folder.
#include "data/BoundRecordSource.h"
#include "data/JetSql.h"
#include "data/RecordSet.h"
#include "data/RecordSources.h"
#include "forms/DataControl.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest/QTest>
#include <memory>

using namespace corv;
using corv::test::TestEnv;

namespace {

// A data control with a few bound boxes and a log of its events.
struct Bound {
    DataControl dc;
    QLineEdit id, tankId, date, ph, nitrate;
    QPlainTextEdit notes;
    QStringList events;  // "R" reposition, "V3,1" validate action 3 with save
    QVector<int> errors; // error numbers raised through the Error event
    int response = 0;    // what the Error handler answers

    explicit Bound(const QString &db, const QString &source) {
        dc.setDatabaseName(db);
        dc.setRecordSource(source);
        dc.bind(&id, "ID");
        dc.bind(&tankId, "TankID");
        dc.bind(&date, "EntryDate");
        dc.bind(&ph, "pH"); // the field is PH: names match without regard to case
        dc.bind(&nitrate, "Nitrate");
        dc.bind(&notes, "Notes");
        dc.onReposition = [this] { events << QStringLiteral("R"); };
        dc.onValidate = [this](int action, bool &save) {
            events << QStringLiteral("V%1,%2").arg(action).arg(save ? 1 : 0);
            if (dropSaves)
                save = false;
        };
        dc.onError = [this](const DbError &e, int &r) {
            errors << e.number;
            r = response;
        };
    }
    bool dropSaves = false;
    int pos() const { return dc.Recordset().AbsolutePosition(); }
};

} // namespace

class TestDataControl : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnv> env;
    QString db;

    void journal(int tank, const QString &date, const QString &ph = QStringLiteral("NULL")) {
        const QString d = date.isEmpty() ? QStringLiteral("NULL") : u'\'' + date + u'\'';
        TestEnv::exec(
            db, QStringLiteral("INSERT INTO Journal (TankID, EntryDate, PH) VALUES (%1, %2, %3)")
                    .arg(tank)
                    .arg(d, ph));
    }
    int count(const QString &sql) { return TestEnv::scalar(db, sql).toInt(); }

private slots:
    void init() {
        env = std::make_unique<TestEnv>();
        db = env->makeDatabase();
        RecordSet::setBusyTimeout(200);
    }
    void cleanup() { env.reset(); }

    void opensOnFirstRecordInOrder() {
        journal(1, "2001-01-03", "7.3");
        journal(1, "2001-01-01", "7.1");
        journal(2, "2001-01-01", "6.0");
        journal(1, "2001-01-02", "7.2");
        Bound b(db, sources::journal("1"));
        QVERIFY(b.dc.Refresh());
        QCOMPARE(b.dc.Recordset().RecordCount(), 3);
        QCOMPARE(b.pos(), 0);
        QCOMPARE(b.date.text(), QStringLiteral("01/01/2001"));
        QCOMPARE(b.ph.text(), QStringLiteral("7.1"));
        QCOMPARE(b.tankId.text(), QStringLiteral("1"));
        QCOMPARE(b.events, QStringList{"R"});
        QVERIFY(!b.dc.DataChanged());
    }

    // Dates sort by date, ties by the order they were stored in, and the
    // database reads them in its index's order rather than sorting them all
    // (which froze a window of many thousand entries); texts still sort in
    // the program's own order.
    void datesSortInTheIndexOrder() {
        journal(1, "2001-03-01", "7.3");
        journal(1, "2000-12-31", "7.1");
        journal(1, "", "7.0");
        journal(1, "2001-03-01", "7.4");
        journal(1, "2001-01-15", "7.2");
        RecordSet rs;
        QVERIFY(!rs.open(db, sources::journal("1")));
        QStringList seen;
        for (int i = 0; i < rs.recordCount(); ++i) {
            QVERIFY(!rs.setAbsolutePosition(i));
            seen << rs.text(rs.fieldIndex(QStringLiteral("PH")));
        }
        QCOMPARE(seen, (QStringList{"7.0", "7.1", "7.2", "7.3", "7.4"}));

        DbError e;
        const auto st = parseSelect(sources::journal("1"), &e);
        QVERIFY(st);
        const QString keys =
            keySelectText(*st, [&rs](const QString &column) { return rs.sortsAsText(column); });
        QSqlDatabase plan = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "plan");
        plan.setDatabaseName(db);
        QVERIFY(plan.open() && installTextOrder(plan));
        {
            QSqlQuery q(plan);
            QVERIFY(q.exec(QStringLiteral("EXPLAIN QUERY PLAN ") + keys));
            QString steps;
            while (q.next())
                steps += q.value(3).toString() + u'\n';
            QVERIFY2(steps.contains(QStringLiteral("JournalByTankDate")), qPrintable(steps));
            QVERIFY2(!steps.contains(QStringLiteral("TEMP B-TREE")), qPrintable(steps));
        }
        plan.close();
        plan = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("plan"));
        const auto glossary =
            parseSelect(QStringLiteral("SELECT * FROM Glossary ORDER BY Term"), &e);
        QVERIFY(keySelectText(*glossary, [](const QString &) {
                    return true;
                }).contains(QStringLiteral("\"Term\" COLLATE CorvellaText")));
    }

    void navigationStaysAtTheEnds() {
        journal(1, "2001-01-01");
        journal(1, "2001-01-02");
        journal(1, "2001-01-03");
        Bound b(db, sources::journal("1"));
        QVERIFY(b.dc.Refresh());
        b.dc.clickPrevious();
        QCOMPARE(b.pos(), 0);
        b.dc.clickNext();
        b.dc.clickNext();
        QCOMPARE(b.date.text(), QStringLiteral("01/03/2001"));
        b.dc.clickNext();
        QCOMPARE(b.pos(), 2);
        QCOMPARE(b.date.text(), QStringLiteral("01/03/2001"));
        b.dc.clickFirst();
        QCOMPARE(b.pos(), 0);
        b.dc.clickLast();
        QCOMPARE(b.pos(), 2);
        QVERIFY(b.dc.Recordset().MovePrevious());
        QCOMPARE(b.pos(), 1);
        QVERIFY(b.errors.isEmpty());
    }

    void absolutePosition() {
        Bound b(db, sources::journal("1"));
        QVERIFY(b.dc.Refresh());
        QCOMPARE(b.pos(), -1); // empty set
        QCOMPARE(b.dc.Recordset().RecordCount(), 0);
        journal(1, "2001-01-01");
        journal(1, "2001-01-02");
        QVERIFY(b.dc.Refresh());
        QVERIFY(b.dc.Recordset().setAbsolutePosition(1));
        QCOMPARE(b.date.text(), QStringLiteral("01/02/2001"));
        QVERIFY(b.events.contains("V9,0"));
        // Beyond the set: an error through the Error event, position kept.
        QVERIFY(!b.dc.Recordset().setAbsolutePosition(5));
        QCOMPARE(b.errors, QVector<int>{DbErr::InvalidArgument});
        QCOMPARE(b.pos(), 1);
        QVERIFY(b.dc.Recordset().AddNew());
        QCOMPARE(b.pos(), -1); // while adding
        QVERIFY(b.date.text().isEmpty() && b.id.text().isEmpty());
    }

    void errorEventAndOwnMessage() {
        Bound b(db, sources::journal("1"));
        QVERIFY(b.dc.Refresh());
        b.response = 0; // handled: the control shows nothing
        b.dc.Recordset().setAbsolutePosition(3);
        QVERIFY(env->dialogs.messages().isEmpty());
        b.response = 1; // not handled: the control shows the description
        env->dialogs.expectOk();
        b.dc.Recordset().setAbsolutePosition(3);
        QCOMPARE(env->dialogs.messages().size(), 1);
        QCOMPARE(env->dialogs.messages()[0].title, QStringLiteral("Corvella"));
        QCOMPARE(b.errors.size(), 2);
        // A trap takes the error instead of the event.
        DataControl::ErrorTrap trap(b.dc);
        QVERIFY(!b.dc.Recordset().setAbsolutePosition(3));
        QCOMPARE(trap.error().number, DbErr::InvalidArgument);
        QCOMPARE(b.errors.size(), 2);
    }

    void addNewUpdateRecordMoveLast() {
        journal(1, "2001-01-05");
        journal(1, "2001-01-06");
        Bound b(db, sources::journal("1"));
        QVERIFY(b.dc.Refresh());
        b.events.clear();
        QVERIFY(b.dc.Recordset().AddNew());
        QCOMPARE(b.events, (QStringList{"V5,0", "R"}));
        b.tankId.setText("1"); // code fills the tank, as the windows do
        QVERIFY(b.dc.DataChanged());
        QVERIFY(b.dc.UpdateRecord());
        QVERIFY(!b.events.contains("V6,1")); // UpdateRecord raises no Validate
        QCOMPARE(count("SELECT COUNT(*) FROM Journal"), 3);
        QCOMPARE(b.dc.Recordset().RecordCount(), 3);
        QVERIFY(b.dc.Recordset().MoveLast());
        QCOMPARE(b.pos(), 2);
        const QString newId = b.id.text();
        QCOMPARE(newId, TestEnv::scalar(db, "SELECT MAX(ID) FROM Journal").toString());
        QVERIFY(b.date.text().isEmpty());
        // After a refresh the blank-dated entry sorts first.
        QVERIFY(b.dc.Refresh());
        QCOMPARE(b.id.text(), newId);
    }

    void addingWithoutEditsIsGivenUp() {
        journal(1, "2001-01-05");
        Bound b(db, sources::journal("1"));
        QVERIFY(b.dc.Refresh());
        QVERIFY(b.dc.Recordset().AddNew());
        QVERIFY(b.dc.Recordset().MoveFirst());
        QCOMPARE(count("SELECT COUNT(*) FROM Journal"), 1);
        QCOMPARE(b.date.text(), QStringLiteral("01/05/2001"));
        // With an edit, leaving stores the new record.
        QVERIFY(b.dc.Recordset().AddNew());
        b.tankId.setText("1");
        b.ph.setText("8.1");
        QVERIFY(b.dc.Recordset().MoveFirst());
        QCOMPARE(count("SELECT COUNT(*) FROM Journal WHERE PH = 8.1 AND TankID = 1"), 1);
    }

    void deleteAndTheMovesAfterIt() {
        for (int d = 1; d <= 4; ++d)
            journal(1, QStringLiteral("2001-01-0%1").arg(d));
        Bound b(db, sources::journal("1"));
        QVERIFY(b.dc.Refresh());
        // The first: moving next shows the former second.
        QVERIFY(b.dc.Recordset().Delete());
        QCOMPARE(b.pos(), -1);
        QVERIFY(b.dc.Recordset().MoveNext());
        QCOMPARE(b.date.text(), QStringLiteral("01/02/2001"));
        QCOMPARE(b.dc.Recordset().RecordCount(), 3);
        // A middle one, then the record before it.
        QVERIFY(b.dc.Recordset().setAbsolutePosition(1));
        QVERIFY(b.dc.Recordset().Delete());
        QVERIFY(b.dc.Recordset().setAbsolutePosition(0));
        QCOMPARE(b.date.text(), QStringLiteral("01/02/2001"));
        // The last.
        QVERIFY(b.dc.Recordset().MoveLast());
        QCOMPARE(b.date.text(), QStringLiteral("01/04/2001"));
        QVERIFY(b.dc.Recordset().Delete());
        QVERIFY(b.dc.Recordset().MovePrevious());
        QCOMPARE(b.date.text(), QStringLiteral("01/02/2001"));
        // The only one: moving next leaves no current record, and still
        // raises Reposition so the window can show "0 of 0".
        QVERIFY(b.dc.Recordset().Delete());
        b.events.clear();
        QVERIFY(b.dc.Recordset().MoveNext());
        QCOMPARE(b.events, QStringList{"R"});
        QCOMPARE(b.pos(), -1);
        QCOMPARE(b.dc.Recordset().RecordCount(), 0);
        QVERIFY(b.date.text().isEmpty());
        QCOMPARE(count("SELECT COUNT(*) FROM Journal"), 0);
        // Deleting with nothing current fails through the event.
        QVERIFY(!b.dc.Recordset().Delete());
        QCOMPARE(b.errors.last(), DbErr::NoCurrentRecord);
    }

    void findFirstAndNext() {
        TestEnv::exec(db,
                      "INSERT INTO Disease (CommonName, ScientificName) VALUES "
                      "('Ich', 'Ichthyophthirius'), ('Velvet', 'Oodinium'), "
                      "('Fin rot', 'Aeromonas'), ('Ich', 'Second'), ('Hole''s disease', 'Hex')");
        DataControl dc;
        QLineEdit common, scientific;
        dc.bind(&common, "CommonName");
        dc.bind(&scientific, "ScientificName");
        QVector<int> errors;
        dc.onError = [&](const DbError &e, int &r) {
            errors << e.number;
            r = 0;
        };
        dc.setDatabaseName(db);
        dc.setRecordSource(sources::diseasesByCommonName());
        QVERIFY(dc.Refresh());
        auto &rs = dc.Recordset();
        QVERIFY(rs.FindFirst("CommonName = 'ich'")); // letter case ignored
        QVERIFY(!rs.NoMatch());
        QCOMPARE(scientific.text(), QStringLiteral("Ichthyophthirius"));
        QVERIFY(rs.FindNext("CommonName = 'Ich'"));
        QCOMPARE(scientific.text(), QStringLiteral("Second"));
        const int at = rs.AbsolutePosition();
        QVERIFY(rs.FindNext("CommonName = 'Ich'"));
        QVERIFY(rs.NoMatch());
        QCOMPARE(rs.AbsolutePosition(), at); // stays where it was
        QVERIFY(rs.FindFirst("ScientificName LIKE '*DINI*'"));
        QCOMPARE(common.text(), QStringLiteral("Velvet"));
        QVERIFY(rs.FindFirst("CommonName = 'Hole''s disease'"));
        QCOMPARE(scientific.text(), QStringLiteral("Hex"));
        // Malformed criteria and unknown fields fail through Error, no move.
        QVERIFY(!rs.FindFirst("CommonName = 'Hole's disease'"));
        QVERIFY(!rs.FindFirst("Nonsense = 'x'"));
        QVERIFY(!rs.FindFirst("CommonName LIKE '[x'"));
        QCOMPARE(errors,
                 (QVector<int>{DbErr::CriteriaSyntax, DbErr::UnknownField, DbErr::InvalidPattern}));
        QCOMPARE(scientific.text(), QStringLiteral("Hex"));
    }

    void findOnDatesAndNumbers() {
        journal(1, "1999-01-02", "7.5");
        journal(1, "1999-03-02", "8");
        journal(1, "2000-01-02", "7.5");
        Bound b(db, sources::journal("1"));
        QVERIFY(b.dc.Refresh());
        auto &rs = b.dc.Recordset();
        QVERIFY(rs.FindFirst("EntryDate = '3/2/99'")); // a date compares as a date
        QCOMPARE(b.date.text(), QStringLiteral("03/02/1999"));
        QVERIFY(rs.FindFirst("EntryDate LIKE '*01/02*'")); // as shown, mm/dd/yyyy
        QCOMPARE(b.date.text(), QStringLiteral("01/02/1999"));
        QVERIFY(rs.FindNext("EntryDate LIKE '*01/02*'"));
        QCOMPARE(b.date.text(), QStringLiteral("01/02/2000"));
        QVERIFY(rs.FindFirst("EntryDate = 'not a date'"));
        QVERIFY(rs.NoMatch());
        QVERIFY(rs.FindFirst("PH = '8.0'"));
        QCOMPARE(b.date.text(), QStringLiteral("03/02/1999"));
        QVERIFY(rs.FindFirst("PH LIKE '7.*'"));
        QCOMPARE(b.date.text(), QStringLiteral("01/02/1999"));
    }

    void missingFileIs3024AndNothingIsCreated() {
        const QString missing = env->path("elsewhere/CORVELLA.CVL");
        Bound b(missing, sources::journal("1"));
        DataControl::ErrorTrap trap(b.dc);
        QVERIFY(!b.dc.Refresh());
        QCOMPARE(trap.error().number, DbErr::FileNotFound);
        QVERIFY(!QFile::exists(missing));
        const QString inFolder = env->path("NOPE.CVL");
        b.dc.setDatabaseName(inFolder);
        trap.clear();
        QVERIFY(!b.dc.Refresh());
        QCOMPARE(trap.error().number, DbErr::FileNotFound);
        QVERIFY(!QFile::exists(inFolder));
    }

    void notADatabase() {
        const QString bogus = env->path("bogus.cvl");
        QFile f(bogus);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
        f.close();
        Bound b(bogus, sources::journal("1"));
        DataControl::ErrorTrap trap(b.dc);
        QVERIFY(!b.dc.Refresh());
        QCOMPARE(trap.error().number, DbErr::NotADatabase);
    }

    // Damage met while reading says how to get back to a whole database.
    void damagedDatabaseSaysHowToRecover() {
        TestEnv::damageJournalPages(db);
        Bound b(db, sources::journal("1"));
        DataControl::ErrorTrap trap(b.dc);
        QVERIFY(!b.dc.Refresh());
        QCOMPARE(trap.error().number, DbErr::NotADatabase);
        QVERIFY2(
            trap.error().description.contains(QLatin1String("damaged")) &&
                trap.error().description.contains(QLatin1String("File > Restore")) &&
                trap.error().description.contains(QLatin1String("CORVELLA.CVL.before-restore")),
            qPrintable(trap.error().description));
    }

    void validateActionsAndSave() {
        journal(1, "2001-01-01", "7");
        journal(1, "2001-01-02", "7");
        journal(1, "2001-01-03", "7");
        Bound b(db, sources::journal("1"));
        QVERIFY(b.dc.Refresh());
        auto &rs = b.dc.Recordset();
        b.events.clear();
        rs.MoveNext();
        rs.MovePrevious();
        rs.MoveLast();
        rs.MoveFirst();
        rs.FindFirst("PH = '7'");
        rs.setAbsolutePosition(1);
        rs.Update();
        QCOMPARE(b.events.filter(QRegularExpression("^V")),
                 (QStringList{"V3,0", "V2,0", "V4,0", "V1,0", "V8,0", "V9,0", "V6,0"}));
        // An edit makes Save true, and leaving stores it.
        b.ph.setText("6.8");
        b.events.clear();
        QVERIFY(rs.MoveNext());
        QCOMPARE(b.events.first(), QStringLiteral("V3,1"));
        QCOMPARE(count("SELECT COUNT(*) FROM Journal WHERE PH = 6.8 AND EntryDate = '2001-01-02'"),
                 1);
        // A handler that clears Save drops the edit.
        b.dropSaves = true;
        b.ph.setText("5.5");
        QVERIFY(rs.MovePrevious());
        QCOMPARE(count("SELECT COUNT(*) FROM Journal WHERE PH = 5.5"), 0);
        b.dropSaves = false;
        // Delete and close.
        b.events.clear();
        QVERIFY(rs.Delete());
        b.dc.Recordset().MoveNext();
        b.notes.setPlainText("kept on close");
        b.dc.DatabaseClose();
        QCOMPARE(b.events.filter(QRegularExpression("^V")), (QStringList{"V7,0", "V10,1"}));
        QCOMPARE(count("SELECT COUNT(*) FROM Journal WHERE Notes = 'kept on close'"), 1);
    }

    void fillingIsNoEdit() {
        journal(1, "2001-01-01", "7");
        journal(1, "2001-01-02", "8");
        Bound b(db, sources::journal("1"));
        int phChanges = 0;
        QObject::connect(&b.ph, &QLineEdit::textChanged, [&] { ++phChanges; });
        QVERIFY(b.dc.Refresh());
        QVERIFY(b.dc.Recordset().MoveNext());
        QCOMPARE(phChanges, 2);       // the boxes change for the window's handlers
        QVERIFY(!b.dc.DataChanged()); // but the control does not count them as edits
        b.nitrate.setText("5");
        QVERIFY(b.dc.DataChanged(&b.nitrate));
        QVERIFY(!b.dc.DataChanged(&b.ph));
        QVERIFY(b.dc.UpdateControls()); // the stored record again; the edit is gone
        QVERIFY(b.nitrate.text().isEmpty());
        QVERIFY(!b.dc.DataChanged());
    }

    void refreshStoresPendingEdits() {
        journal(1, "2001-01-01", "7");
        Bound b(db, sources::journal("1"));
        QVERIFY(b.dc.Refresh());
        b.nitrate.setText("20");
        b.events.clear();
        QVERIFY(b.dc.Refresh());
        QCOMPARE(b.events, (QStringList{"V10,1", "R"}));
        QCOMPARE(b.nitrate.text(), QStringLiteral("20"));
        QCOMPARE(count("SELECT COUNT(*) FROM Journal WHERE Nitrate = 20"), 1);
    }

    void badValuesAreNotStoredHalf() {
        journal(1, "2001-01-01", "7");
        journal(1, "2001-01-02", "7");
        Bound b(db, sources::journal("1"));
        QVERIFY(b.dc.Refresh());
        b.nitrate.setText("10");
        b.ph.setText("7.5 ppm");
        QVERIFY(!b.dc.Recordset().MoveNext());
        QCOMPARE(b.errors, QVector<int>{DbErr::ConversionError});
        QCOMPARE(b.pos(), 0);                             // the move is abandoned
        QCOMPARE(b.ph.text(), QStringLiteral("7.5 ppm")); // the edit is kept
        QCOMPARE(count("SELECT COUNT(*) FROM Journal WHERE Nitrate IS NOT NULL"), 0);
        // A date field takes only dates.
        b.ph.setText("7.4");
        b.date.setText("31/31/1999");
        QVERIFY(!b.dc.UpdateRecord());
        QCOMPARE(b.errors.last(), DbErr::ConversionError);
        QCOMPARE(count("SELECT COUNT(*) FROM Journal WHERE PH = 7.4"), 0);
        // Good values, with the user's forms of numbers and dates.
        b.nitrate.setText("1,000");
        b.date.setText("1/2/99");
        QVERIFY(b.dc.UpdateRecord());
        QCOMPARE(count("SELECT COUNT(*) FROM Journal WHERE Nitrate = 1000 AND PH = 7.4 "
                       "AND EntryDate = '1999-01-02'"),
                 1);
        // An emptied box stores an empty field.
        b.date.setText("");
        QVERIFY(b.dc.UpdateRecord());
        QCOMPARE(count("SELECT COUNT(*) FROM Journal WHERE EntryDate IS NULL"), 1);
    }

    void textLimitAndMoney() {
        TestEnv::exec(db, "INSERT INTO LiveStock (TankID, CommonName) VALUES (1, 'Tang')");
        DataControl dc;
        QLineEdit name, cost;
        dc.bind(&name, "CommonName");
        dc.bind(&cost, "InitialCost");
        dc.onError = [](const DbError &, int &r) { r = 0; };
        dc.setDatabaseName(db);
        dc.setRecordSource(sources::livestock("1", "DateAcquired"));
        QVERIFY(dc.Refresh());
        cost.setText("25.10");
        QVERIFY(dc.UpdateRecord());
        QCOMPARE(TestEnv::scalar(db, "SELECT InitialCost FROM LiveStock").toLongLong(), 251000);
        QVERIFY(dc.UpdateControls());
        QCOMPARE(cost.text(), QStringLiteral("25.10"));
        name.setText(QString(255, u'x'));
        QVERIFY(!dc.UpdateRecord());
        QCOMPARE(dc.lastError().number, DbErr::FieldTooSmall);
        name.setText(QString(254, u'x'));
        QVERIFY(dc.UpdateRecord());
    }

    void jetDateLiteralsAndExclusiveChartBounds() {
        journal(1, "1998-12-31");
        journal(1, "1999-01-01");
        journal(1, "1999-01-15");
        journal(1, "1999-01-31");
        journal(1, "1999-02-01");
        Bound b(db, sources::journalChart("1", "01/01/1999", "01/31/1999"));
        QVERIFY(b.dc.Refresh());
        QCOMPARE(b.dc.Recordset().RecordCount(), 1);
        QCOMPARE(b.date.text(), QStringLiteral("01/15/1999"));
        b.dc.setRecordSource(sources::journalChart("1", "01/01/1999", ""));
        QVERIFY(b.dc.Refresh());
        QCOMPARE(b.dc.Recordset().RecordCount(), 3);
        b.dc.setRecordSource(sources::journalChart("1", "", "01/01/1999"));
        QVERIFY(b.dc.Refresh());
        QCOMPARE(b.dc.Recordset().RecordCount(), 1);
        b.dc.setRecordSource("SELECT * FROM [Journal] WHERE TankID = 1 AND EntryDate = #1/15/99# "
                             "ORDER BY EntryDate");
        QVERIFY(b.dc.Refresh());
        QCOMPARE(b.dc.Recordset().RecordCount(), 1);
    }

    void hostileTankIdNeverRuns() {
        TestEnv::exec(db, "INSERT INTO Tank (TankName) VALUES ('Reef')");
        Bound b(db, "SELECT * FROM [Journal] WHERE TankID = 1; DROP TABLE Tank ORDER BY EntryDate");
        QVERIFY(!b.dc.Refresh());
        QCOMPARE(b.errors, QVector<int>{DbErr::SyntaxError});
        b.dc.setRecordSource(sources::journal("1; DROP TABLE Tank"));
        QVERIFY(!b.dc.Refresh());
        b.dc.setRecordSource("DELETE FROM [Tank]");
        QVERIFY(!b.dc.Refresh());
        QCOMPARE(b.errors.last(), DbErr::NotASelect);
        QCOMPARE(count("SELECT COUNT(*) FROM Tank"), 1);
    }

    void otherTablesAndColumns() {
        TestEnv::exec(db, "INSERT INTO Tank (TankName, TankLength) VALUES ('Reef', 48)");
        DataControl dc;
        dc.setDatabaseName(db);
        dc.setRecordSource(sources::tankName("1"));
        QVERIFY(dc.Refresh());
        QCOMPARE(dc.Recordset().FieldCount(), 1);
        QCOMPARE(dc.Recordset().Fields(0), QStringLiteral("Reef"));
        QCOMPARE(dc.Recordset().Fields("tankname"), QStringLiteral("Reef"));
        dc.setRecordSource(sources::tankName("99"));
        QVERIFY(dc.Refresh());
        QCOMPARE(dc.Recordset().RecordCount(), 0);
        QVERIFY(dc.Recordset().Fields(0).isEmpty());
        DataControl::ErrorTrap trap(dc);
        dc.setRecordSource("SELECT * FROM [Aquarium]");
        QVERIFY(!dc.Refresh());
        QCOMPARE(trap.error().number, DbErr::TableNotFound);
        trap.clear();
        dc.setRecordSource("SELECT Bogus FROM [Tank]");
        QVERIFY(!dc.Refresh());
        QCOMPARE(trap.error().number, DbErr::UnknownField);
    }

    void windowsSeeEachOthersRecords() {
        Bound one(db, sources::journal("1"));
        Bound two(db, sources::journal("1"));
        QVERIFY(one.dc.Refresh());
        QVERIFY(two.dc.Refresh());
        QVERIFY(one.dc.Recordset().AddNew());
        one.tankId.setText("1");
        QVERIFY(one.dc.UpdateRecord());
        QCOMPARE(two.dc.Recordset().RecordCount(), 0);
        QVERIFY(two.dc.Refresh());
        QCOMPARE(two.dc.Recordset().RecordCount(), 1);
        // The second window edits the record; the first writes back only what
        // it changed, so it does not undo that edit.
        two.ph.setText("6.5");
        QVERIFY(two.dc.UpdateRecord());
        one.nitrate.setText("3");
        QVERIFY(one.dc.UpdateRecord());
        QCOMPARE(count("SELECT COUNT(*) FROM Journal WHERE PH = 6.5 AND Nitrate = 3"), 1);
        // A record deleted elsewhere cannot be updated.
        two.dc.Recordset().Delete();
        one.nitrate.setText("4");
        QVERIFY(!one.dc.UpdateRecord());
        QCOMPARE(one.errors.last(), DbErr::RecordDeleted);
    }

    void withoutWindowsErrorsAreValues() {
        journal(1, "2001-01-01", "7");
        // Fields shown in plain texts: no box, no message box.
        BoundRecordSource source;
        QString ph, date;
        const int phField = source.bindField(
            "PH", [&] { return ph; }, [&](const QString &t) { ph = t; });
        source.bindField(
            "EntryDate", [&] { return date; }, [&](const QString &t) { date = t; });
        source.setDatabaseName(db);
        source.setRecordSource(sources::journal("1"));
        QVERIFY(source.Refresh());
        QCOMPARE(ph, QStringLiteral("7.0"));
        QVERIFY(!source.Recordset().setAbsolutePosition(5));
        QCOMPARE(source.lastError().number, DbErr::InvalidArgument);
        ph = "7.5 ppm";
        source.fieldEdited(phField);
        QVERIFY(source.fieldChanged(phField));
        QCOMPARE(source.storePending().number, DbErr::ConversionError);
        QVERIFY(source.DataChanged()); // still there to store
        ph = "7.5";
        QVERIFY(source.storePending().ok());
        QVERIFY(!source.DataChanged());
        QVERIFY(source.storePending().ok()); // nothing left to store
        QCOMPARE(count("SELECT COUNT(*) FROM Journal WHERE PH = 7.5"), 1);
        QVERIFY(env->dialogs.messages().isEmpty());
    }

    void goingWithAnEditItCannotStoreSaysSo() {
        journal(1, "2001-01-01", "7");
        QLineEdit ph;
        {
            DataControl dc;
            dc.bind(&ph, "PH");
            dc.setDatabaseName(db);
            dc.setRecordSource(sources::journal("1"));
            QVERIFY(dc.Refresh());
            ph.setText("7.2"); // stored as the control goes, without a word
        }
        QCOMPARE(count("SELECT COUNT(*) FROM Journal WHERE PH = 7.2"), 1);
        QVERIFY(env->dialogs.messages().isEmpty());
        {
            DataControl dc;
            dc.bind(&ph, "PH");
            dc.setDatabaseName(db);
            dc.setRecordSource(sources::journal("1"));
            QVERIFY(dc.Refresh());
            ph.setText("seven");
            env->dialogs.expectOk();
        }
        const auto m = env->dialogs.messages();
        QCOMPARE(m.size(), 1);
        QVERIFY(m[0].text.startsWith("Unable to save the record: "));
        QCOMPARE(m[0].icon, MsgIcon::Exclamation);
        QCOMPARE(m[0].buttons, MsgButtons::Ok);
        QCOMPARE(count("SELECT COUNT(*) FROM Journal WHERE PH = 7.2"), 1);
    }

    void lockedFileFailsToStore() {
        journal(1, "2001-01-01", "7");
        Bound b(db, sources::journal("1"));
        QVERIFY(b.dc.Refresh());
        {
            QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "locker");
            other.setDatabaseName(db);
            QVERIFY(other.open());
            QSqlQuery q(other);
            QVERIFY(q.exec("BEGIN EXCLUSIVE"));
            b.ph.setText("7.9");
            QVERIFY(!b.dc.UpdateRecord());
            QCOMPARE(b.errors.last(), DbErr::Locked);
            QVERIFY(b.dc.DataChanged()); // the edit is still there to store later
            QVERIFY(q.exec("ROLLBACK"));
            q.finish();
            other.close();
        }
        QSqlDatabase::removeDatabase("locker");
        QVERIFY(b.dc.UpdateRecord());
        QCOMPARE(count("SELECT COUNT(*) FROM Journal WHERE PH = 7.9"), 1);
    }
};

QTEST_MAIN(TestDataControl)
#include "tst_datacontrol.moc"
