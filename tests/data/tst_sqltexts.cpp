// Record-source texts and find criteria: what is accepted, how it is
// translated, and that nothing else gets through.
#include "data/Criteria.h"
#include "data/JetSql.h"
#include "data/RecordSources.h"

#include <QtTest/QTest>

using namespace corv;

class TestSqlTexts : public QObject {
    Q_OBJECT
private slots:
    void programTextsTranslate() {
        DbError e;
        auto st = parseSelect(sources::journal(QStringLiteral("3")), &e);
        QVERIFY2(st, qPrintable(e.description));
        QCOMPARE(st->table, QStringLiteral("Journal"));
        QVERIFY(st->columns.isEmpty());
        QCOMPARE(st->where, QStringLiteral("\"TankID\" = 3"));
        QCOMPARE(st->orderBy, QStringList{QStringLiteral("\"EntryDate\" COLLATE CorvellaText")});

        st = parseSelect(sources::journalChart(QStringLiteral("3"), QStringLiteral("01/01/1999"),
                                               QStringLiteral("06/30/1999")),
                         &e);
        QVERIFY(st);
        QCOMPARE(st->where, QStringLiteral("\"TankID\" = 3 AND \"EntryDate\" > '1999-01-01' AND "
                                           "\"EntryDate\" < '1999-06-30'"));

        st = parseSelect(sources::tankName(QStringLiteral("12")), &e);
        QVERIFY(st);
        QCOMPARE(st->columns, QStringList{QStringLiteral("TankName")});
        QCOMPARE(st->where, QStringLiteral("\"ID\" = 12"));

        const QStringList all = {sources::tanks(),
                                 sources::tank("1"),
                                 sources::livestock("1", "ScientificName"),
                                 sources::diseasesByCommonName(),
                                 sources::diseasesByScientificName(),
                                 sources::glossary(),
                                 sources::diseaseIndex(),
                                 sources::glossaryIndex()};
        for (const QString &text : all)
            QVERIFY2(parseSelect(text, &e), qPrintable(text + ": " + e.description));
    }

    void exactTexts() {
        QCOMPARE(sources::journal("3"),
                 QStringLiteral("SELECT * FROM [Journal] WHERE TankID = 3 ORDER BY EntryDate"));
        QCOMPARE(sources::journalChart("3", "01/01/1999", ""),
                 QStringLiteral("SELECT * FROM [Journal] WHERE TankID = 3 AND EntryDate > "
                                "#01/01/1999# ORDER BY EntryDate"));
        QCOMPARE(sources::journalChart("3", "", "06/30/1999"),
                 QStringLiteral("SELECT * FROM [Journal] WHERE TankID = 3 AND EntryDate < "
                                "#06/30/1999# ORDER BY EntryDate"));
        QCOMPARE(sources::journalChart("3", "01/01/1999", "06/30/1999"),
                 QStringLiteral("SELECT * FROM [Journal] WHERE TankID = 3 AND EntryDate > "
                                "#01/01/1999# AND EntryDate < #06/30/1999# ORDER BY EntryDate"));
        QCOMPARE(
            sources::livestock("7", "DateAcquired"),
            QStringLiteral("SELECT * FROM [LiveStock] WHERE TankID = 7 ORDER BY DateAcquired"));
        // The sort orders by number; an unknown number falls back to the first.
        QCOMPARE((QStringList{sources::livestockSortField(1), sources::livestockSortField(2),
                              sources::livestockSortField(3), sources::livestockSortField(4),
                              sources::livestockSortField(0), sources::livestockSortField(9)}),
                 (QStringList{"DateAcquired", "CommonName", "ScientificName", "AcquiredFrom",
                              "DateAcquired", "DateAcquired"}));
        QCOMPARE(sources::diseases(2),
                 QStringLiteral("SELECT * FROM [Disease] ORDER BY ScientificName"));
        QCOMPARE(sources::diseases(1),
                 QStringLiteral("SELECT * FROM [Disease] ORDER BY CommonName"));
        QCOMPARE(sources::diseases(7),
                 QStringLiteral("SELECT * FROM [Disease] ORDER BY CommonName"));
    }

    void dialectDetails() {
        DbError e;
        // Keywords in any case, bracketed names, ASC/DESC, strings, OR, NOT, IS NULL.
        auto st = parseSelect(QStringLiteral("select [ID], Term from [Glossary] where not (Term = "
                                             "'it''s' or Term is null) order by Term desc;"),
                              &e);
        QVERIFY2(st, qPrintable(e.description));
        QCOMPARE(st->columns, (QStringList{"ID", "Term"}));
        QCOMPARE(st->where, QStringLiteral("NOT (\"Term\" = 'it''s' OR \"Term\" IS NULL)"));
        QCOMPARE(st->orderBy, QStringList{QStringLiteral("\"Term\" COLLATE CorvellaText DESC")});
        // Double-quoted strings become single-quoted; negative numbers stay.
        st = parseSelect(QStringLiteral("SELECT * FROM Tank WHERE TankName = \"A\" AND ID > -5"),
                         &e);
        QVERIFY(st);
        QCOMPARE(st->where, QStringLiteral("\"TankName\" = 'A' AND \"ID\" > -5"));
        // Any date form inside # # is read month first.
        st = parseSelect(QStringLiteral("SELECT * FROM [Journal] WHERE EntryDate = #1/2/99#"), &e);
        QVERIFY(st);
        QCOMPARE(st->where, QStringLiteral("\"EntryDate\" = '1999-01-02'"));
    }

    void refusesEverythingElse_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("error");
        QTest::newRow("empty") << "" << DbErr::NotASelect;
        QTest::newRow("delete") << "DELETE FROM [Tank]" << DbErr::NotASelect;
        QTest::newRow("drop") << "DROP TABLE Tank" << DbErr::NotASelect;
        QTest::newRow("pragma") << "PRAGMA writable_schema = 1" << DbErr::NotASelect;
        QTest::newRow("hostile tank id")
            << "SELECT * FROM [Journal] WHERE TankID = 1; DROP TABLE Tank ORDER BY EntryDate"
            << DbErr::SyntaxError;
        QTest::newRow("second statement")
            << "SELECT * FROM [Tank]; SELECT * FROM [Journal]" << DbErr::SyntaxError;
        QTest::newRow("comment") << "SELECT * FROM [Tank] -- x" << DbErr::SyntaxError;
        QTest::newRow("not set marker")
            << "SELECT * FROM [Journal] WHERE TankID = NOT SET ORDER BY EntryDate"
            << DbErr::SyntaxError;
        QTest::newRow("subquery") << "SELECT * FROM [Tank] WHERE ID = (SELECT ID FROM [Tank])"
                                  << DbErr::SyntaxError;
        QTest::newRow("function call")
            << "SELECT * FROM [Tank] WHERE ID = abs(1)" << DbErr::SyntaxError;
        QTest::newRow("union") << "SELECT * FROM [Tank] UNION SELECT * FROM [Journal]"
                               << DbErr::SyntaxError;
        QTest::newRow("bad date literal")
            << "SELECT * FROM [Journal] WHERE EntryDate > #31/31/1999#" << DbErr::SyntaxError;
        QTest::newRow("unclosed string")
            << "SELECT * FROM [Tank] WHERE TankName = 'x" << DbErr::SyntaxError;
        QTest::newRow("unclosed bracket") << "SELECT * FROM [Tank" << DbErr::SyntaxError;
        QTest::newRow("no table") << "SELECT * FROM" << DbErr::SyntaxError;
        QTest::newRow("reserved as table") << "SELECT * FROM WHERE" << DbErr::SyntaxError;
        QTest::newRow("NUL in a name")
            << QStringLiteral("SELECT * FROM [T") + QChar(0) + QStringLiteral("ank]")
            << DbErr::SyntaxError;
        QTest::newRow("NUL in a text")
            << QStringLiteral("SELECT * FROM [Tank] WHERE TankName = 'a") + QChar(0) +
                   QStringLiteral("'")
            << DbErr::SyntaxError;
        QTest::newRow("number glued to name")
            << "SELECT * FROM [Tank] WHERE ID = 1x" << DbErr::SyntaxError;
    }
    void refusesEverythingElse() {
        QFETCH(QString, text);
        QFETCH(int, error);
        DbError e;
        QVERIFY(!parseSelect(text, &e));
        QCOMPARE(e.number, error);
        QVERIFY(!e.description.isEmpty());
    }

    // Nesting used to recurse without limit: some ten thousand parentheses
    // or NOTs overflowed the stack. A sane depth parses; beyond it the text
    // is refused like any other malformed record source.
    void nestingDepthIsLimited() {
        const QString head = QStringLiteral("SELECT * FROM [Tank] WHERE ");
        auto nested = [&](int depth) {
            return head + QString(depth, u'(') + QStringLiteral("ID = 1") + QString(depth, u')');
        };
        auto nots = [&](int count) {
            return head + QStringLiteral("NOT ").repeated(count) + QStringLiteral("ID = 1");
        };
        DbError e;
        auto st = parseSelect(nested(150), &e);
        QVERIFY2(st, qPrintable(e.description));
        QCOMPARE(st->where, QString(150, u'(') + QStringLiteral("\"ID\" = 1") + QString(150, u')'));
        QVERIFY2(parseSelect(nots(150), &e), qPrintable(e.description));
        // Parentheses and NOTs count together.
        QVERIFY(parseSelect(head + QStringLiteral("(NOT ").repeated(100) +
                                QStringLiteral("ID = 1") + QString(100, u')'),
                            &e));
        QVERIFY(!parseSelect(head + QStringLiteral("(NOT ").repeated(101) +
                                 QStringLiteral("ID = 1") + QString(101, u')'),
                             &e));
        for (const QString &text :
             {nested(201), nested(12000), nots(201), nots(40000), head + QString(100000, u'(')}) {
            e = {};
            QVERIFY(!parseSelect(text, &e));
            QCOMPARE(e.number, DbErr::SyntaxError);
            QVERIFY(e.description.contains(QLatin1String("nested")));
        }
        // A long flat chain is no nesting at all.
        const QString chain =
            head + QStringLiteral("ID = 1") + QStringLiteral(" OR ID = 1").repeated(20000);
        QVERIFY2(parseSelect(chain, &e), qPrintable(e.description));
    }

    void tankIdMustBeWhole() {
        QVERIFY(isWholeNumber("12"));
        QVERIFY(isWholeNumber("-3"));
        QVERIFY(!isWholeNumber(""));
        QVERIFY(!isWholeNumber("1.5"));
        QVERIFY(!isWholeNumber("NOT SET"));
        QVERIFY(!isWholeNumber("1; DROP TABLE Tank"));
        QVERIFY(!isWholeNumber(" 1"));
        const QString text = sources::journal(QStringLiteral("1; DROP TABLE Tank"));
        QVERIFY(!text.contains(QLatin1String("DROP")));
        DbError e;
        QVERIFY(!parseSelect(text, &e));
    }

    void criteria_data() {
        QTest::addColumn<QString>("criterion");
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("like");
        QTest::addColumn<QString>("text");
        QTest::newRow("exact") << "CommonName = 'Ich'"
                               << "CommonName" << false << "Ich";
        QTest::newRow("contains") << "Term LIKE '*alg*'"
                                  << "Term" << true << "*alg*";
        QTest::newRow("apostrophe") << "Term = 'Brine shrimp''s eggs'"
                                    << "Term" << false << "Brine shrimp's eggs";
        QTest::newRow("lower-case like") << "Term like '*x*'"
                                         << "Term" << true << "*x*";
        QTest::newRow("bracketed field") << "[EntryDate] = '01/02/1999'"
                                         << "EntryDate" << false << "01/02/1999";
        QTest::newRow("no blanks") << "Term='a'"
                                   << "Term" << false << "a";
        QTest::newRow("empty text") << "Term = ''"
                                    << "Term" << false << "";
    }
    void criteria() {
        QFETCH(QString, criterion);
        QFETCH(QString, field);
        QFETCH(bool, like);
        QFETCH(QString, text);
        DbError e;
        const auto c = parseCriterion(criterion, &e);
        QVERIFY2(c, qPrintable(e.description));
        QCOMPARE(c->field, field);
        QCOMPARE(c->op == Criterion::Like, like);
        QCOMPARE(c->text, text);
    }

    void malformedCriteria_data() {
        QTest::addColumn<QString>("criterion");
        QTest::newRow("unescaped apostrophe") << "Term = 'it's'";
        QTest::newRow("unclosed") << "Term = 'abc";
        QTest::newRow("no operator") << "Term 'abc'";
        QTest::newRow("no field") << "= 'abc'";
        QTest::newRow("number unquoted") << "ID = 5";
        QTest::newRow("extra clause") << "Term = 'a' OR 1 = 1";
        QTest::newRow("empty") << "";
        QTest::newRow("bad pattern") << "Term LIKE '*[ab*'";
        QTest::newRow("likeness glued") << "Term LIKEX 'a'";
    }
    void malformedCriteria() {
        QFETCH(QString, criterion);
        DbError e;
        QVERIFY(!parseCriterion(criterion, &e));
        QVERIFY(e.number == DbErr::CriteriaSyntax || e.number == DbErr::InvalidPattern);
    }

    // A criterion has no nesting: however many parentheses or NOTs it holds,
    // it is one malformed text, refused without recursion.
    void criteriaDoNotNest() {
        DbError e;
        QVERIFY(!parseCriterion(QString(100000, u'(') + QStringLiteral("Term = 'a'"), &e));
        QCOMPARE(e.number, DbErr::CriteriaSyntax);
        QVERIFY(!parseCriterion(
            QStringLiteral("NOT ").repeated(40000) + QStringLiteral("Term = 'a'"), &e));
        QCOMPARE(e.number, DbErr::CriteriaSyntax);
    }

    void buildersEscapeApostrophes() {
        DbError e;
        const auto c = parseCriterion(exactCriterion("CommonName", "Neon's tetra"), &e);
        QVERIFY(c);
        QCOMPARE(c->text, QStringLiteral("Neon's tetra"));
        const auto l = parseCriterion(containsCriterion("Term", "o'c"), &e);
        QVERIFY(l);
        QCOMPARE(l->text, QStringLiteral("*o'c*"));
    }

    void likePatterns_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("match");
        QTest::newRow("contains") << "*tang*"
                                  << "Yellow Tang" << true;
        QTest::newRow("case ignored") << "*TANG*"
                                      << "yellow tang" << true;
        QTest::newRow("not contained") << "*tang*"
                                       << "Clownfish" << false;
        QTest::newRow("star matches empty") << "*"
                                            << "" << true;
        QTest::newRow("contains empty") << "**"
                                        << "anything" << true;
        QTest::newRow("anchored start") << "ab*"
                                        << "xab" << false;
        QTest::newRow("anchored end") << "*ab"
                                      << "abx" << false;
        QTest::newRow("question mark") << "t?ng"
                                       << "tang" << true;
        QTest::newRow("question needs one") << "t?ng"
                                            << "tng" << false;
        QTest::newRow("digit") << "*/1999"
                               << "01/02/1999" << true;
        QTest::newRow("hash digit") << "##/##/####"
                                    << "01/02/1999" << true;
        QTest::newRow("hash not letter") << "#"
                                         << "a" << false;
        QTest::newRow("set") << "[abc]at"
                             << "Bat" << true;
        QTest::newRow("negated set") << "[!abc]at"
                                     << "cat" << false;
        QTest::newRow("range") << "[a-f]*"
                               << "Discus" << true;
        QTest::newRow("literal star in set") << "*[*]*"
                                             << "a*b" << true;
        QTest::newRow("backtracking") << "*a*b*c"
                                      << "aaxbbxc" << true;
        QTest::newRow("backtracking fails") << "*a*b*c"
                                            << "aaxbbx" << false;
        QTest::newRow("accented letters") << "*ÉCLAIR*"
                                          << "un éclair" << true;
    }
    void likePatterns() {
        QFETCH(QString, pattern);
        QFETCH(QString, value);
        QFETCH(bool, match);
        DbError e;
        const auto p = LikePattern::compile(pattern, &e);
        QVERIFY2(p, qPrintable(e.description));
        QCOMPARE(p->matches(value), match);
    }
};

QTEST_APPLESS_MAIN(TestSqlTexts)
#include "tst_sqltexts.moc"
