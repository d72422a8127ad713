// The selection formula: what parses and what does not (and why), how
// records are selected by it, and that no formula can exhaust the stack.
#include "reports/ReportFormula.h"

#include <QtTest/QTest>

using namespace corv;

namespace {

// A record of a small table with one field of each kind.
const QStringList columns = {"ID", "TankID", "CommonName", "DateAcquired", "InitialCost", "Notes"};
const QVector<FormulaFieldKind> kinds = {FormulaFieldKind::Number,   FormulaFieldKind::Number,
                                         FormulaFieldKind::Text,     FormulaFieldKind::Date,
                                         FormulaFieldKind::Currency, FormulaFieldKind::Text};

QVector<QVariant> tang() {
    // ID 7 in tank 2, acquired 2021-07-18, cost 89.50 kept in ten-thousandths,
    // notes empty.
    return {qlonglong(7),
            qlonglong(2),
            QStringLiteral("Yellow Tang"),
            QStringLiteral("2021-07-18"),
            qlonglong(895000),
            QVariant()};
}

std::optional<bool> select(const QString &formula, const QVector<QVariant> &row,
                           QString *why = nullptr) {
    ReportFormula::ParseError e;
    auto f = ReportFormula::parse(formula, &e);
    if (!f) {
        if (why)
            *why = QStringLiteral("%1 at %2").arg(e.message).arg(e.position);
        return std::nullopt;
    }
    QString unknown;
    if (!f->bind(columns, kinds, &unknown)) {
        if (why)
            *why = QStringLiteral("unknown field ") + unknown;
        return std::nullopt;
    }
    return f->matches(row);
}

} // namespace

class TestReportFormula : public QObject {
    Q_OBJECT
private slots:
    void selects_data() {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<bool>("selected");

        // What the print dialog writes.
        QTest::newRow("id") << "{ID} = 7" << true;
        QTest::newRow("other id") << "{ID} = 8" << false;
        QTest::newRow("tank") << "{TankID} = 2" << true;
        QTest::newRow("empty selects all") << "" << true;
        QTest::newRow("blank selects all") << "   " << true;
        // Field names without regard to case, spaces inside braces allowed.
        QTest::newRow("field case") << "{tankid} = 2" << true;
        QTest::newRow("field spaces") << "{ TankID } = 2" << true;
        // Comparisons.
        QTest::newRow("<>") << "{ID} <> 7" << false;
        QTest::newRow("<") << "{ID} < 8" << true;
        QTest::newRow("< equal") << "{ID} < 7" << false;
        QTest::newRow("<=") << "{ID} <= 7" << true;
        QTest::newRow(">") << "{ID} > 6.5" << true;
        QTest::newRow(">=") << "{ID} >= 7.0" << true;
        QTest::newRow("value first") << "8 > {ID}" << true;
        QTest::newRow("negative") << "{ID} > -1" << true;
        QTest::newRow("exponent") << "{ID} < 1e1" << true;
        // Texts: both quotes, a doubled quote, case-insensitive values.
        QTest::newRow("text single") << "{CommonName} = 'Yellow Tang'" << true;
        QTest::newRow("text double") << "{CommonName} = \"yellow tang\"" << true;
        QTest::newRow("text order") << "{CommonName} > 'Blue Tang'" << true;
        QTest::newRow("doubled quote") << "{CommonName} = 'Yellow''s'" << false;
        QTest::newRow("number as text") << "{ID} = '7'" << true;
        QTest::newRow("text not a number") << "{ID} = 'seven'" << false;
        // Dates, as typed or as #literals#; the stored ISO text is compared
        // as a date.
        QTest::newRow("date text") << "{DateAcquired} = '7/18/2021'" << true;
        QTest::newRow("date literal") << "{DateAcquired} = #07/18/2021#" << true;
        QTest::newRow("date before") << "{DateAcquired} < #08/01/2021#" << true;
        QTest::newRow("date after") << "{DateAcquired} > #12/31/2021#" << false;
        QTest::newRow("date vs number") << "{DateAcquired} = 2021" << false;
        // Money in whole amounts, though kept in ten-thousandths.
        QTest::newRow("cost") << "{InitialCost} = 89.5" << true;
        QTest::newRow("cost above") << "{InitialCost} > 50" << true;
        // An empty field equals only the empty text.
        QTest::newRow("empty equals ''") << "{Notes} = ''" << true;
        QTest::newRow("empty not a value") << "{Notes} = 'x'" << false;
        QTest::newRow("empty <> value") << "{Notes} <> 'x'" << true;
        QTest::newRow("empty not ordered") << "{Notes} < 'x'" << false;
        QTest::newRow("empty vs number") << "{Notes} = 0" << false;
        QTest::newRow("value <> ''") << "{CommonName} <> ''" << true;
        // Precedence: not binds tightest, then and, then or.
        QTest::newRow("and") << "{ID} = 7 and {TankID} = 2" << true;
        QTest::newRow("and false") << "{ID} = 7 AND {TankID} = 3" << false;
        QTest::newRow("or") << "{ID} = 1 Or {TankID} = 2" << true;
        QTest::newRow("and over or") << "{ID} = 1 and {TankID} = 9 or {TankID} = 2" << true;
        QTest::newRow("and over or 2") << "{TankID} = 2 or {ID} = 1 and {TankID} = 9" << true;
        QTest::newRow("brackets") << "({TankID} = 2 or {ID} = 1) and {TankID} = 9" << false;
        QTest::newRow("not") << "not {ID} = 7" << false;
        QTest::newRow("not over and") << "not {ID} = 8 and {TankID} = 2" << true;
        QTest::newRow("not brackets") << "NOT ({ID} = 7 and {TankID} = 2)" << false;
        QTest::newRow("not not") << "not not {ID} = 7" << true;
        QTest::newRow("field with field") << "{ID} > {TankID}" << true;
    }

    void selects() {
        QFETCH(QString, formula);
        QFETCH(bool, selected);
        QString why;
        const auto result = select(formula, tang(), &why);
        QVERIFY2(result.has_value(), qPrintable(formula + ": " + why));
        QCOMPARE(*result, selected);
    }

    void refuses_data() {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<int>("position"); // 0: at the end
        QTest::addColumn<QString>("says");

        QTest::newRow("no value") << "{ID} = " << 0 << "a value is expected after \"=\"";
        QTest::newRow("no operator") << "{ID} 7" << 6 << "a comparison";
        QTest::newRow("field alone") << "{ID}" << 0 << "a comparison";
        QTest::newRow("open brace") << "{ID = 7" << 1 << "no closing }";
        QTest::newRow("empty braces") << "{} = 7" << 1 << "names no field";
        QTest::newRow("open quote") << "{CommonName} = 'Tang" << 16 << "no closing '";
        QTest::newRow("open bracket") << "({ID} = 7" << 1 << "never closed";
        QTest::newRow("extra bracket") << "{ID} = 7)" << 9 << "not expected here";
        QTest::newRow("bare word") << "ID = 7" << 1 << "{ID}";
        QTest::newRow("unknown word") << "{ID} = 7 xor {ID} = 8" << 10 << "\"xor\"";
        QTest::newRow("dangling and") << "{ID} = 7 and" << 0 << "a field or a value";
        QTest::newRow("two values") << "7 = 7" << 1 << "must name a field";
        QTest::newRow("chained") << "{ID} = 7 = 7" << 10 << "not expected here";
        QTest::newRow("bad number") << "{ID} = 7x" << 8 << "\"7x\" is not a number";
        QTest::newRow("bad date") << "{DateAcquired} = #13/45/2021#" << 18 << "is not a date";
        QTest::newRow("stray char") << "{ID} == 7" << 7 << "a value is expected";
        QTest::newRow("semicolon") << "{ID} = 7; DROP TABLE Journal" << 9 << "\";\"";
    }

    void refuses() {
        QFETCH(QString, formula);
        QFETCH(int, position);
        QFETCH(QString, says);
        ReportFormula::ParseError e;
        QVERIFY(!ReportFormula::parse(formula, &e));
        QVERIFY2(e.message.contains(says), qPrintable(e.message));
        QCOMPARE(e.position, position);
    }

    void unknownFieldIsReportedByName() {
        auto f = ReportFormula::parse(QStringLiteral("{ID} = 1 or {Colour} = 'red'"), nullptr);
        QVERIFY(f);
        QCOMPARE(f->fieldNames(), (QStringList{"ID", "Colour"}));
        QString unknown;
        QVERIFY(!f->bind(columns, kinds, &unknown));
        QCOMPARE(unknown, QStringLiteral("Colour"));
    }

    // Brackets and "not" nest at most MaxDepth deep; deeper is a parse
    // error, however deep, and never a crash.
    void depthLimit() {
        const int max = ReportFormula::MaxDepth;
        auto nested = [](int depth) {
            return QString(depth, u'(') + QStringLiteral("{ID} = 7") + QString(depth, u')');
        };
        QCOMPARE(select(nested(max), tang()), std::optional<bool>(true));
        ReportFormula::ParseError e;
        QVERIFY(!ReportFormula::parse(nested(max + 1), &e));
        QVERIFY2(e.message.contains(QStringLiteral("more than %1 deep").arg(max)),
                 qPrintable(e.message));
        QCOMPARE(e.position, max + 1);
        QVERIFY(!ReportFormula::parse(nested(200000), &e));

        QString nots;
        for (int i = 0; i < max; ++i)
            nots += QStringLiteral("not ");
        QCOMPARE(select(nots + QStringLiteral("{ID} = 7"), tang()), std::optional<bool>(true));
        QVERIFY(
            !ReportFormula::parse(QStringLiteral("not ") + nots + QStringLiteral("{ID} = 7"), &e));
        QString manyNots;
        for (int i = 0; i < 100000; ++i)
            manyNots += QStringLiteral("not ");
        QVERIFY(!ReportFormula::parse(manyNots + QStringLiteral("{ID} = 7"), &e));

        // A long chain of "or" is wide, not deep: it parses and evaluates.
        QStringList terms;
        for (int i = 0; i < 20000; ++i)
            terms << QStringLiteral("{ID} = %1").arg(i + 100);
        terms << QStringLiteral("{ID} = 7");
        QCOMPARE(select(terms.join(QStringLiteral(" or ")), tang()), std::optional<bool>(true));
    }

    void pinnedTank() {
        auto pinned = [](const QString &text) {
            auto f = ReportFormula::parse(text, nullptr);
            return f ? f->pinnedNumber(QStringLiteral("TankID")) : std::nullopt;
        };
        QCOMPARE(pinned("{TankID} = 2"), std::optional<double>(2));
        QCOMPARE(pinned("{tankid} = 3 and {ID} > 1"), std::optional<double>(3));
        QCOMPARE(pinned("4 = {TankID}"), std::optional<double>(4));
        QCOMPARE(pinned("{TankID} = 2 or {TankID} = 3"), std::nullopt);
        QCOMPARE(pinned("not {TankID} = 2"), std::nullopt);
        QCOMPARE(pinned("{TankID} > 2"), std::nullopt);
        QCOMPARE(pinned("{ID} = 2"), std::nullopt);
        QCOMPARE(pinned(""), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestReportFormula)
#include "tst_reportformula.moc"
