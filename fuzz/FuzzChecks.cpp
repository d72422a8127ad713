#include "FuzzChecks.h"

#include "data/Criteria.h"
#include "data/DatabaseFile.h"
#include "data/JetSql.h"
#include "platform/Conversions.h"
#include "reports/ReportFormula.h"

#include <QRegularExpression>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <sqlite3.h>

namespace corv::fuzz {

namespace {

QString text(const QByteArray &input) {
    return QString::fromUtf8(input);
}

// Shows an input in a failure message, short and on one line.
QString shown(const QString &s) {
    QString t;
    for (QChar c : s.left(120))
        t += c.unicode() < 0x20 ? QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QChar(u'0'))
                                : QString(c);
    return u'"' + t + (s.size() > 120 ? QStringLiteral("...\"") : QStringLiteral("\""));
}

QString num(double v) {
    return QString::number(v, 'g', 17);
}

} // namespace

// --- numbers -------------------------------------------------------------------

QString checkNumbers(const QByteArray &input) {
    const QString t = text(input);
    const bool reads = readsAsNumber(t);
    const auto value = toNumber(t);
    if (reads != value.has_value())
        return QStringLiteral("readsAsNumber and toNumber disagree on ") + shown(t);
    if (readsAsFiniteNumber(t) != (value && std::isfinite(*value)))
        return QStringLiteral("readsAsFiniteNumber disagrees with toNumber on ") + shown(t);
    if (!value)
        return {};
    const double v = *value;
    if (std::isnan(v))
        return QStringLiteral("a number text reads as NaN: ") + shown(t);
    const double leading = leadingNumber(t);
    if (!(leading == v))
        return QStringLiteral("leadingNumber gives %1 but toNumber %2 for ")
                   .arg(num(leading), num(v)) +
               shown(t);
    if (!std::isfinite(v))
        return {};

    // The shortest text of the value reads back as exactly that value.
    const QString shortest = numberText(v);
    const auto back = toNumber(shortest);
    if (!back || !(*back == v))
        return QStringLiteral("numberText %1 of %2 does not read back (from %3)")
            .arg(shown(shortest), num(v), shown(t));
    // The single-precision and whole-number texts are numbers too.
    if (std::isfinite(static_cast<float>(v)) && !readsAsNumber(singleText(v)))
        return QStringLiteral("singleText %1 is no number (from %2)")
            .arg(shown(singleText(v)), shown(t));
    const QString whole = wholeNumberText(v);
    const auto wholeBack = toNumber(whole);
    if (!wholeBack || !(*wholeBack == roundHalfEven(v)) || whole.contains(u'e') ||
        whole.contains(u'E'))
        return QStringLiteral("wholeNumberText %1 is not the rounded %2 (from %3)")
            .arg(shown(whole), num(v), shown(t));
    return {};
}

// --- dates ---------------------------------------------------------------------

QString checkDates(const QByteArray &input) {
    const QString t = text(input);
    for (const QDate today : {QDate(2023, 6, 15), QDate(2024, 2, 29)}) {
        const auto d = toDate(t, today);
        if (!d)
            continue;
        if (!d->isValid() || d->year() < 100 || d->year() > 9999)
            return QStringLiteral("toDate gives an impossible date for ") + shown(t);
        const QString shownDate = dateText(*d);
        static const QRegularExpression form(QStringLiteral("^\\d\\d/\\d\\d/\\d\\d\\d\\d$"));
        if (!form.match(shownDate).hasMatch())
            return QStringLiteral("dateText %1 is not mm/dd/yyyy").arg(shown(shownDate));
        if (toDate(shownDate, QDate(1990, 1, 1)) != d)
            return QStringLiteral("dateText %1 does not read back (from %2)")
                .arg(shown(shownDate), shown(t));
        if (fromIsoDate(isoDateText(*d)) != d)
            return QStringLiteral("isoDateText of %1 does not read back").arg(shown(shownDate));
    }
    // Formatting twice changes nothing more than formatting once.
    const QString once = formatDate(t);
    if (formatDate(once) != once)
        return QStringLiteral("formatDate is not stable on ") + shown(t);
    // A stored (ISO) date is read only in its own exact form.
    if (const auto iso = fromIsoDate(t)) {
        if (isoDateText(*iso) != t)
            return QStringLiteral("fromIsoDate takes %1, which is not the form it writes")
                .arg(shown(t));
        if (toDate(t, QDate(2023, 6, 15)) != iso)
            return QStringLiteral("toDate and fromIsoDate disagree on ") + shown(t);
    }
    return {};
}

// --- four-decimal amounts ------------------------------------------------------

QString checkAmounts(const QByteArray &input) {
    const QString t = text(input);
    const auto amount = Fixed4::fromText(t);
    const auto value = toNumber(t);
    if (!amount) {
        // Refused: no number, or beyond the range of the amounts.
        if (value && std::isfinite(*value) && std::fabs(*value) <= 9.0e14)
            return QStringLiteral("Fixed4 refuses %1, a number of %2").arg(shown(t), num(*value));
        return {};
    }
    if (!value)
        return QStringLiteral("Fixed4 takes %1, which is no number").arg(shown(t));
    if (std::fabs(*value) >= 9.3e14)
        return QStringLiteral("Fixed4 takes %1, beyond its range").arg(shown(t));
    // Within half a ten-thousandth of the value, give or take the rounding
    // of the double reading itself.
    const double tolerance =
        0.00005 * (1 + 1e-9) + 8 * std::numeric_limits<double>::epsilon() * std::fabs(*value);
    if (std::fabs(amount->toDouble() - *value) > tolerance)
        return QStringLiteral("Fixed4 gives %1 for %2, a number of %3")
            .arg(amount->toText(), shown(t), num(*value));
    const QString written = amount->toText();
    static const QRegularExpression form(QStringLiteral("^-?(0|[1-9]\\d*)(\\.\\d{0,3}[1-9])?$"));
    if (!form.match(written).hasMatch() || written == QLatin1String("-0"))
        return QStringLiteral("Fixed4 text %1 is malformed (from %2)")
            .arg(shown(written), shown(t));
    const auto back = Fixed4::fromText(written);
    if (!back || *back != *amount)
        return QStringLiteral("Fixed4 text %1 does not read back (from %2)")
            .arg(shown(written), shown(t));
    qint64 twice = 0;
    const bool overflows = __builtin_mul_overflow(amount->units(), qint64(2), &twice);
    const auto sum = amount->plus(*amount);
    if (sum.has_value() == overflows || (sum && sum->units() != twice))
        return QStringLiteral("Fixed4 sum is wrong for ") + shown(t);
    return {};
}

// --- find criteria -------------------------------------------------------------

QString checkCriteria(const QByteArray &input) {
    const QString t = text(input);
    DbError error;
    const auto c = parseCriterion(t, &error);
    if (!c) {
        if ((error.number != DbErr::CriteriaSyntax && error.number != DbErr::InvalidPattern) ||
            error.description.isEmpty())
            return QStringLiteral("a refused criterion has no proper error: ") + shown(t);
    } else {
        if (c->field.isEmpty())
            return QStringLiteral("a criterion without a field: ") + shown(t);
        const QString printed = criterionText(*c);
        const auto again = parseCriterion(printed, &error);
        if (!again || again->field != c->field || again->op != c->op || again->text != c->text)
            return QStringLiteral("criterion %1 printed as %2 reads back differently")
                .arg(shown(t), shown(printed));
        if (c->op == Criterion::Like) {
            const auto pattern = LikePattern::compile(c->text, &error);
            if (!pattern)
                return QStringLiteral("an accepted LIKE pattern does not compile: ") + shown(t);
            pattern->matches(t); // must end, and without a fault
        }
    }

    // Whatever a user picks or types, the builders make a criterion the
    // parser takes back with the same text; only a LIKE pattern may be
    // malformed (an unclosed '[' is the user's own pattern).
    const auto exact = parseCriterion(exactCriterion(QStringLiteral("Term"), t), &error);
    if (!exact || exact->field != QLatin1String("Term") || exact->op != Criterion::Equal ||
        exact->text != t)
        return QStringLiteral("exactCriterion does not carry ") + shown(t);
    const auto contains = parseCriterion(containsCriterion(QStringLiteral("Term"), t), &error);
    if (contains) {
        if (contains->op != Criterion::Like || contains->text != u'*' + t + u'*')
            return QStringLiteral("containsCriterion does not carry ") + shown(t);
    } else if (error.number != DbErr::InvalidPattern) {
        return QStringLiteral("containsCriterion makes a malformed criterion of ") + shown(t);
    }

    // A pattern with no wildcard matches its own text, and "*" around it
    // matches it inside any text.
    bool literal = true;
    for (QChar ch : t)
        literal = literal && ch != u'*' && ch != u'?' && ch != u'#' && ch != u'[';
    if (literal) {
        const auto self = LikePattern::compile(t, &error);
        if (!self || !self->matches(t))
            return QStringLiteral("a pattern without wildcards does not match itself: ") + shown(t);
        const auto inside = LikePattern::compile(u'*' + t + u'*', &error);
        if (!inside || !inside->matches(QStringLiteral("ab") + t + QStringLiteral("cd")))
            return QStringLiteral("*text* does not find the text inside another: ") + shown(t);
    }
    return {};
}

// --- record sources ------------------------------------------------------------

namespace {

// What SQLite's authorizer saw while preparing one statement.
struct Seen {
    QString table;       // the only table the statement may read
    QStringList foreign; // every other action, described
};

int authorize(void *data, int action, const char *a, const char *b, const char *, const char *) {
    auto *seen = static_cast<Seen *>(data);
    if (action == SQLITE_SELECT)
        return SQLITE_OK;
    if (action == SQLITE_READ &&
        QString::fromUtf8(a).compare(seen->table, Qt::CaseInsensitive) == 0)
        return SQLITE_OK;
    seen->foreign << QStringLiteral("action %1 on %2.%3")
                         .arg(action)
                         .arg(QString::fromUtf8(a ? a : ""), QString::fromUtf8(b ? b : ""));
    return SQLITE_DENY;
}

// One in-memory database with the program's tables, made once.
sqlite3 *schemaDatabase() {
    static sqlite3 *db = [] {
        sqlite3 *d = nullptr;
        sqlite3_open(":memory:", &d);
        char *message = nullptr;
        // Without the tables every statement would fail as "no such table"
        // and the check would pass vacuously: that must not go unnoticed.
        const QByteArray schema = corvellaSchema().toUtf8();
        if (schema.isEmpty() ||
            sqlite3_exec(d, schema.constData(), nullptr, nullptr, &message) != SQLITE_OK) {
            std::fprintf(stderr, "The program's schema cannot be made: %s\n",
                         message ? message : "(no schema)");
            std::abort();
        }
        // The order terms name the program's text order.
        installTextOrder(d);
        return d;
    }();
    return db;
}

// Prepares `sql` as SQLite would run it. Empty when it is one read-only
// statement that touches nothing but `table`, or when SQLite refuses it for
// a reason that is not the translator's fault.
QString checkStatement(const QString &sql, const QString &table, const QString &source) {
    sqlite3 *db = schemaDatabase();
    Seen seen;
    seen.table = table;
    sqlite3_set_authorizer(db, authorize, &seen);
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt *stmt = nullptr;
    const char *tail = nullptr;
    const int rc = sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &stmt, &tail);
    sqlite3_set_authorizer(db, nullptr, nullptr);
    QString problem;
    if (rc != SQLITE_OK) {
        const QString message = QString::fromUtf8(sqlite3_errmsg(db));
        // A table or field the database lacks, and nesting beyond the
        // engine's own limits, are refused by the engine with a message.
        static const char *const fine[] = {"no such table", "no such column",
                                           "parser stack overflow", "Expression tree is too large",
                                           "not authorized"};
        bool known = false;
        for (const char *f : fine)
            known = known || message.startsWith(QLatin1String(f));
        if (message.startsWith(QLatin1String("not authorized")))
            problem = QStringLiteral("the statement does more than read %1: %2")
                          .arg(table, seen.foreign.join(QStringLiteral("; ")));
        else if (!known)
            problem = QStringLiteral("SQLite refuses the translation (%1)").arg(message);
    } else {
        if (!seen.foreign.isEmpty())
            problem = QStringLiteral("the statement does more than read %1: %2")
                          .arg(table, seen.foreign.join(QStringLiteral("; ")));
        else if (!stmt)
            problem = QStringLiteral("the translation is no statement");
        else if (!sqlite3_stmt_readonly(stmt))
            problem = QStringLiteral("the statement is not read-only");
        else if (!QString::fromUtf8(tail).trimmed().isEmpty())
            problem = QStringLiteral("text is left after the statement: ") +
                      shown(QString::fromUtf8(tail));
    }
    sqlite3_finalize(stmt);
    if (problem.isEmpty())
        return {};
    return problem + QStringLiteral(" [SQL ") + shown(sql) + QStringLiteral(" from ") +
           shown(source) + u']';
}

} // namespace

QString checkRecordSource(const QByteArray &input) {
    const QString t = text(input);
    DbError error;
    const auto st = parseSelect(t, &error);
    if (!st) {
        if ((error.number != DbErr::SyntaxError && error.number != DbErr::NotASelect) ||
            error.description.isEmpty())
            return QStringLiteral("a refused record source has no proper error: ") + shown(t);
        return {};
    }
    if (!t.trimmed().startsWith(QLatin1String("SELECT"), Qt::CaseInsensitive))
        return QStringLiteral("a text not starting with SELECT is accepted: ") + shown(t);
    if (st->table.isEmpty())
        return QStringLiteral("an accepted record source names no table: ") + shown(t);
    if (st->orderBy.size() != st->orderColumns.size())
        return QStringLiteral("order terms and columns differ in number: ") + shown(t);
    if (QString why = checkStatement(keySelectText(*st), st->table, t); !why.isEmpty())
        return why;
    if (!st->columns.isEmpty()) {
        QStringList quoted;
        for (const QString &c : st->columns)
            quoted << quoteIdentifier(c);
        const QString columns =
            QStringLiteral("SELECT %1 FROM %2")
                .arg(quoted.join(QStringLiteral(", ")), quoteIdentifier(st->table));
        if (QString why = checkStatement(columns, st->table, t); !why.isEmpty())
            return why;
    }
    return {};
}

// --- report selection formulas ------------------------------------------------

namespace {

// The values a record's fields are tried with, by kind: ordinary ones, the
// edges and the empty field.
QVariant sampleValue(FormulaFieldKind kind, int which) {
    switch (kind) {
    case FormulaFieldKind::Number: {
        static const QVariant v[] = {QVariant(0.0),
                                     QVariant(1.5),
                                     QVariant(-3.0),
                                     QVariant(),
                                     QVariant(QStringLiteral("8.2")),
                                     QVariant(1e300)};
        return v[which % 6];
    }
    case FormulaFieldKind::Currency: {
        static const QVariant v[] = {QVariant(qlonglong(125000)), QVariant(qlonglong(0)),
                                     QVariant(), QVariant(qlonglong(-10000))};
        return v[which % 4];
    }
    case FormulaFieldKind::Date: {
        static const QVariant v[] = {QVariant(QStringLiteral("2024-01-31")), QVariant(),
                                     QVariant(QStringLiteral("1999-01-02")),
                                     QVariant(QStringLiteral("not a date"))};
        return v[which % 4];
    }
    case FormulaFieldKind::Text: {
        static const QVariant v[] = {QVariant(QStringLiteral("Neon Tetra")), QVariant(),
                                     QVariant(QStringLiteral("O'Brien")), QVariant(QString()),
                                     QVariant(QStringLiteral("12"))};
        return v[which % 5];
    }
    }
    return {};
}

} // namespace

QString checkFormula(const QByteArray &input) {
    const QString t = text(input);
    ReportFormula::ParseError error;
    auto formula = ReportFormula::parse(t, &error);
    if (!formula) {
        if (error.message.isEmpty() || error.position < 0 || error.position > t.size() + 1)
            return QStringLiteral("a refused formula has no proper error (%1 at %2): %3")
                .arg(shown(error.message))
                .arg(error.position)
                .arg(shown(t));
        return {};
    }
    if (formula->selectsAll() != t.trimmed().isEmpty())
        return QStringLiteral("selects every record but is not blank, or the other way: ") +
               shown(t);
    if (formula->selectsAll())
        return {};

    // The fields get kinds chosen by the input, so every kind is met.
    const QStringList fields = formula->fieldNames();
    QVector<FormulaFieldKind> kinds;
    for (int i = 0; i < fields.size(); ++i)
        kinds << FormulaFieldKind((i + int(input.size())) % 4);
    QString unknown;
    if (!formula->bind(fields, kinds, &unknown))
        return QStringLiteral("a formula does not bind to its own fields (%1): %2")
            .arg(shown(unknown), shown(t));

    auto negated = ReportFormula::parse(QStringLiteral("not (") + t + u')', &error);
    if (negated && !negated->bind(fields, kinds, &unknown))
        return QStringLiteral("not (formula) does not bind: ") + shown(t);
    for (int r = 0; r < 6; ++r) {
        QVector<QVariant> row;
        for (int i = 0; i < fields.size(); ++i)
            row << sampleValue(kinds[i], r + i);
        const bool selected = formula->matches(row);
        if (negated && negated->matches(row) == selected)
            return QStringLiteral("not (formula) agrees with the formula on record %1: %2")
                .arg(r)
                .arg(shown(t));
    }

    // A field pinned to a number: a record with any other number there is
    // never selected.
    const QVector<FormulaFieldKind> numbers(fields.size(), FormulaFieldKind::Number);
    if (!formula->bind(fields, numbers, &unknown))
        return QStringLiteral("a formula does not bind to number fields: ") + shown(t);
    for (int i = 0; i < fields.size(); ++i) {
        const auto pinned = formula->pinnedNumber(fields[i]);
        if (!pinned || !std::isfinite(*pinned) || *pinned + 1 == *pinned)
            continue;
        for (int r = 0; r < 4; ++r) {
            QVector<QVariant> row;
            for (int j = 0; j < fields.size(); ++j)
                row << sampleValue(FormulaFieldKind::Number, r + j);
            // Every field of that name (letter case aside) holds the other
            // number.
            for (int j = 0; j < fields.size(); ++j)
                if (fields[j].compare(fields[i], Qt::CaseInsensitive) == 0)
                    row[j] = *pinned + 1;
            if (formula->matches(row))
                return QStringLiteral("{%1} is pinned to %2, yet %3 is selected: %4")
                    .arg(fields[i])
                    .arg(*pinned)
                    .arg(*pinned + 1)
                    .arg(shown(t));
        }
    }
    return {};
}

} // namespace corv::fuzz
