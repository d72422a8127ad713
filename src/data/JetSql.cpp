#include "JetSql.h"

#include "platform/Conversions.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QVariant>
#include <QVector>
#include <sqlite3.h>

namespace corv {

namespace {

struct Tok {
    enum Kind { Ident, Number, String, Date, Symbol, End } kind;
    QString text; // identifier name, number text, string value, ISO date, symbol
    bool bracketed = false;
    qsizetype at = 0;
};

bool identStart(QChar c) {
    return c.isLetter() || c == u'_';
}
bool identPart(QChar c) {
    return c.isLetterOrNumber() || c == u'_';
}

QString sqlString(const QString &value) {
    QString v = value;
    v.replace(u'\'', QStringLiteral("''"));
    return u'\'' + v + u'\'';
}

class Parser {
public:
    explicit Parser(const QString &text) : m_text(text) {}

    std::optional<SelectStatement> run(DbError *error) {
        if (!tokenize())
            return fail(error);
        SelectStatement st;
        if (!isKeyword(peek(), "SELECT")) {
            m_error = {
                DbErr::NotASelect,
                QStringLiteral("Only a single SELECT statement can be used as a record source.")};
            return fail(error);
        }
        next();
        if (peek().kind == Tok::Symbol && peek().text == QLatin1String("*")) {
            next();
        } else {
            while (true) {
                const Tok t = next();
                if (t.kind != Tok::Ident || (!t.bracketed && isReserved(t.text)))
                    return syntax(error, t, "a field name");
                st.columns << t.text;
                if (!(peek().kind == Tok::Symbol && peek().text == QLatin1String(",")))
                    break;
                next();
            }
        }
        if (!isKeyword(peek(), "FROM"))
            return syntax(error, peek(), "FROM");
        next();
        const Tok table = next();
        if (table.kind != Tok::Ident || (!table.bracketed && isReserved(table.text)))
            return syntax(error, table, "a table name");
        st.table = table.text;
        if (isKeyword(peek(), "WHERE")) {
            next();
            QString expr;
            if (!orExpr(expr))
                return fail(error);
            st.where = expr;
        }
        if (isKeyword(peek(), "ORDER")) {
            next();
            if (!isKeyword(peek(), "BY"))
                return syntax(error, peek(), "BY");
            next();
            while (true) {
                const Tok t = next();
                if (t.kind != Tok::Ident || (!t.bracketed && isReserved(t.text)))
                    return syntax(error, t, "a field name");
                bool descending = false;
                if (isKeyword(peek(), "DESC")) {
                    next();
                    descending = true;
                } else if (isKeyword(peek(), "ASC")) {
                    next();
                }
                st.orderColumns << t.text;
                st.orderDescending << descending;
                if (!(peek().kind == Tok::Symbol && peek().text == QLatin1String(",")))
                    break;
                next();
            }
            st.orderBy = orderTerms(st);
        }
        if (peek().kind == Tok::Symbol && peek().text == QLatin1String(";"))
            next();
        if (peek().kind != Tok::End) {
            m_error = {DbErr::SyntaxError,
                       QCoreApplication::translate(
                           "JetSql", "Characters found after the end of the SQL statement: '%1'.")
                           .arg(m_text.mid(peek().at).left(40))};
            return fail(error);
        }
        return st;
    }

private:
    static bool isReserved(const QString &w) {
        static const char *const words[] = {"SELECT", "FROM", "WHERE", "ORDER", "BY",  "AND", "OR",
                                            "NOT",    "LIKE", "IS",    "NULL",  "ASC", "DESC"};
        for (const char *k : words)
            if (w.compare(QLatin1String(k), Qt::CaseInsensitive) == 0)
                return true;
        return false;
    }
    static bool isKeyword(const Tok &t, const char *word) {
        return t.kind == Tok::Ident && !t.bracketed &&
               t.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }
    const Tok &peek() const { return m_toks[m_pos]; }
    Tok next() {
        Tok t = m_toks[m_pos];
        if (m_pos + 1 < m_toks.size())
            ++m_pos;
        return t;
    }
    std::optional<SelectStatement> fail(DbError *error) {
        if (error)
            *error = m_error;
        return std::nullopt;
    }
    std::optional<SelectStatement> syntax(DbError *error, const Tok &at, const char *expected) {
        setSyntax(at, expected);
        return fail(error);
    }
    void setSyntax(const Tok &at, const char *expected) {
        const QString near = at.kind == Tok::End
                                 ? QCoreApplication::translate("JetSql", "the end of the text")
                                 : u'\'' + m_text.mid(at.at).left(40) + u'\'';
        m_error = {DbErr::SyntaxError,
                   QCoreApplication::translate("JetSql", "Syntax error in the record source: "
                                                         "expected %1 at %2.")
                       .arg(QLatin1String(expected), near)};
    }

    bool tokenize() {
        const QString &s = m_text;
        // SQLite ends a statement at a NUL character, wherever it stands;
        // none may reach it, not even inside a name or a text.
        if (const qsizetype nul = s.indexOf(QChar(0)); nul >= 0) {
            m_error = {DbErr::SyntaxError,
                       QCoreApplication::translate("JetSql", "Syntax error in the record source: "
                                                             "a NUL character at position %1.")
                           .arg(nul + 1)};
            return false;
        }
        qsizetype i = 0;
        while (i < s.size()) {
            const QChar c = s[i];
            if (c.isSpace()) {
                ++i;
                continue;
            }
            Tok t;
            t.at = i;
            if (identStart(c)) {
                qsizetype j = i;
                while (j < s.size() && identPart(s[j]))
                    ++j;
                t.kind = Tok::Ident;
                t.text = s.mid(i, j - i);
                i = j;
            } else if (c == u'[') {
                const qsizetype close = s.indexOf(u']', i + 1);
                if (close < 0 || close == i + 1) {
                    m_error = {DbErr::SyntaxError,
                               QCoreApplication::translate("JetSql",
                                                           "Syntax error in the record source: "
                                                           "a name in brackets is not closed.")};
                    return false;
                }
                t.kind = Tok::Ident;
                t.bracketed = true;
                t.text = s.mid(i + 1, close - i - 1);
                if (t.text.contains(u'[')) {
                    m_error = {DbErr::SyntaxError,
                               QCoreApplication::translate("JetSql",
                                                           "Syntax error in the record source: "
                                                           "invalid name in brackets.")};
                    return false;
                }
                i = close + 1;
            } else if (c.isDigit() || (c == u'.' && i + 1 < s.size() && s[i + 1].isDigit())) {
                qsizetype j = i;
                while (j < s.size() && (s[j].isDigit() || s[j] == u'.'))
                    ++j;
                if (j < s.size() && (s[j] == u'e' || s[j] == u'E')) {
                    qsizetype k = j + 1;
                    if (k < s.size() && (s[k] == u'+' || s[k] == u'-'))
                        ++k;
                    if (k < s.size() && s[k].isDigit()) {
                        while (k < s.size() && s[k].isDigit())
                            ++k;
                        j = k;
                    }
                }
                t.kind = Tok::Number;
                t.text = s.mid(i, j - i);
                if (!toNumber(t.text) || (j < s.size() && identPart(s[j]))) {
                    m_error = {DbErr::SyntaxError,
                               QCoreApplication::translate("JetSql",
                                                           "Syntax error in the record source: "
                                                           "'%1' is not a number.")
                                   .arg(s.mid(i, 20))};
                    return false;
                }
                i = j;
            } else if (c == u'\'' || c == u'"') {
                const QChar q = c;
                QString value;
                qsizetype j = i + 1;
                bool closed = false;
                while (j < s.size()) {
                    if (s[j] == q) {
                        if (j + 1 < s.size() && s[j + 1] == q) {
                            value.append(q);
                            j += 2;
                            continue;
                        }
                        closed = true;
                        ++j;
                        break;
                    }
                    value.append(s[j++]);
                }
                if (!closed) {
                    m_error = {DbErr::SyntaxError, QCoreApplication::translate(
                                                       "JetSql", "Syntax error in the record "
                                                                 "source: a text is not closed.")};
                    return false;
                }
                t.kind = Tok::String;
                t.text = value;
                i = j;
            } else if (c == u'#') {
                const qsizetype close = s.indexOf(u'#', i + 1);
                const auto date =
                    close < 0 ? std::nullopt : toDate(QStringView(s).mid(i + 1, close - i - 1));
                if (!date) {
                    m_error = {DbErr::SyntaxError,
                               QCoreApplication::translate("JetSql",
                                                           "Syntax error in the record source: "
                                                           "invalid date literal.")};
                    return false;
                }
                t.kind = Tok::Date;
                t.text = isoDateText(*date);
                i = close + 1;
            } else {
                static const QString two[] = {QStringLiteral("<>"), QStringLiteral("<="),
                                              QStringLiteral(">=")};
                bool matched = false;
                for (const QString &op : two) {
                    if (QStringView(s).mid(i, 2) == op) {
                        t.kind = Tok::Symbol;
                        t.text = op;
                        i += 2;
                        matched = true;
                        break;
                    }
                }
                if (!matched) {
                    if (QStringLiteral("=<>(),*;-+").contains(c)) {
                        t.kind = Tok::Symbol;
                        t.text = c;
                        ++i;
                    } else {
                        m_error = {DbErr::SyntaxError,
                                   QCoreApplication::translate("JetSql",
                                                               "Syntax error in the record source: "
                                                               "unexpected character '%1'.")
                                       .arg(c)};
                        return false;
                    }
                }
            }
            m_toks.push_back(t);
        }
        Tok end;
        end.kind = Tok::End;
        end.at = s.size();
        m_toks.push_back(end);
        return true;
    }

    bool isSymbol(const char *sym) const {
        return peek().kind == Tok::Symbol && peek().text == QLatin1String(sym);
    }

    // Each NOT and each opening parenthesis goes one level deeper into the
    // parser's own recursion. Far more than any record source needs, far
    // less than would exhaust the stack.
    static constexpr int MaxDepth = 200;
    class Deeper {
    public:
        explicit Deeper(int &depth) : m_depth(depth) { ++m_depth; }
        ~Deeper() { --m_depth; }
        Deeper(const Deeper &) = delete;
        Deeper &operator=(const Deeper &) = delete;

    private:
        int &m_depth;
    };
    bool tooDeep() {
        if (m_depth <= MaxDepth)
            return false;
        m_error = {DbErr::SyntaxError,
                   QCoreApplication::translate(
                       "JetSql", "Syntax error in the record source: the expression is nested "
                                 "more than %1 levels deep.")
                       .arg(MaxDepth)};
        return true;
    }

    // or := and (OR and)*
    bool orExpr(QString &out) {
        if (!andExpr(out))
            return false;
        while (isKeyword(peek(), "OR")) {
            next();
            QString rhs;
            if (!andExpr(rhs))
                return false;
            out += QStringLiteral(" OR ");
            out += rhs;
        }
        return true;
    }
    bool andExpr(QString &out) {
        if (!notExpr(out))
            return false;
        while (isKeyword(peek(), "AND")) {
            next();
            QString rhs;
            if (!notExpr(rhs))
                return false;
            out += QStringLiteral(" AND ");
            out += rhs;
        }
        return true;
    }
    bool notExpr(QString &out) {
        if (isKeyword(peek(), "NOT")) {
            next();
            const Deeper level(m_depth);
            if (tooDeep())
                return false;
            QString inner;
            if (!notExpr(inner))
                return false;
            out = QStringLiteral("NOT ") + inner;
            return true;
        }
        return comparison(out);
    }
    bool comparison(QString &out) {
        if (isSymbol("(")) {
            next();
            const Deeper level(m_depth);
            if (tooDeep())
                return false;
            QString inner;
            if (!orExpr(inner))
                return false;
            if (!isSymbol(")")) {
                setSyntax(peek(), "')'");
                return false;
            }
            next();
            out = u'(' + inner + u')';
            return true;
        }
        QString lhs;
        if (!operand(lhs))
            return false;
        if (isKeyword(peek(), "IS")) {
            next();
            bool negate = false;
            if (isKeyword(peek(), "NOT")) {
                next();
                negate = true;
            }
            if (!isKeyword(peek(), "NULL")) {
                setSyntax(peek(), "NULL");
                return false;
            }
            next();
            out = lhs + (negate ? QStringLiteral(" IS NOT NULL") : QStringLiteral(" IS NULL"));
            return true;
        }
        static const char *const ops[] = {"=", "<>", "<", ">", "<=", ">="};
        const Tok t = peek();
        bool isOp = false;
        for (const char *op : ops)
            isOp = isOp || (t.kind == Tok::Symbol && t.text == QLatin1String(op));
        if (!isOp) {
            setSyntax(t, "a comparison operator");
            return false;
        }
        next();
        QString rhs;
        if (!operand(rhs))
            return false;
        out = lhs + u' ' + t.text + u' ' + rhs;
        return true;
    }
    bool operand(QString &out) {
        const Tok t = peek();
        if (t.kind == Tok::Symbol &&
            (t.text == QLatin1String("-") || t.text == QLatin1String("+"))) {
            next();
            const Tok n = peek();
            if (n.kind != Tok::Number) {
                setSyntax(n, "a number");
                return false;
            }
            next();
            out = (t.text == QLatin1String("-") ? QStringLiteral("-") : QString()) + n.text;
            return true;
        }
        switch (t.kind) {
        case Tok::Ident:
            if (!t.bracketed && isReserved(t.text)) {
                setSyntax(t, "a value or a field name");
                return false;
            }
            next();
            out = quoteIdentifier(t.text);
            return true;
        case Tok::Number:
            next();
            out = t.text;
            return true;
        case Tok::String:
        case Tok::Date:
            next();
            out = sqlString(t.text);
            return true;
        default:
            setSyntax(t, "a value or a field name");
            return false;
        }
    }

    QString m_text;
    QVector<Tok> m_toks;
    qsizetype m_pos = 0;
    int m_depth = 0;
    DbError m_error;
};

} // namespace

const char TextOrder[] = "CorvellaText";

namespace {

// A text in its sort form: decomposed, without the accents, case folded.
QString sortForm(QStringView text) {
    const QString decomposed = text.toString().normalized(QString::NormalizationForm_D);
    QString out;
    out.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        const QChar::Category cat = c.category();
        if (cat != QChar::Mark_NonSpacing && cat != QChar::Mark_SpacingCombining &&
            cat != QChar::Mark_Enclosing)
            out.append(c);
    }
    return out.toCaseFolded();
}

int sign(int v) {
    return v < 0 ? -1 : (v > 0 ? 1 : 0);
}

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// The database hands texts over as UTF-8. Plain ASCII, by far the most
// common, is compared where it stands; from the first other character on,
// the rest of both texts is compared in its sort form. Decomposition works
// character by character, so the split gives what the whole texts would.
int compareUtf8(const char *a, int na, const char *b, int nb) {
    int i = 0;
    for (; i < na && i < nb; ++i) {
        const char ca = a[i], cb = b[i];
        if ((ca & 0x80) || (cb & 0x80))
            break;
        const char la = asciiLower(ca), lb = asciiLower(cb);
        if (la != lb)
            return la < lb ? -1 : 1;
    }
    // Every byte before i is ASCII in both, so i starts a character in both.
    auto ascii = [](const char *p, int from, int n) {
        for (int k = from; k < n; ++k)
            if (p[k] & 0x80)
                return false;
        return true;
    };
    if (ascii(a, i, na) && ascii(b, i, nb))
        return sign(na - nb);
    const QString ra = QString::fromUtf8(a + i, na - i);
    const QString rb = QString::fromUtf8(b + i, nb - i);
    return sign(sortForm(ra).compare(sortForm(rb)));
}

int collate(void *, int na, const void *a, int nb, const void *b) {
    return compareUtf8(static_cast<const char *>(a), na, static_cast<const char *>(b), nb);
}

} // namespace

int compareText(QStringView a, QStringView b) {
    const QByteArray ua = a.toUtf8(), ub = b.toUtf8();
    return compareUtf8(ua.constData(), int(ua.size()), ub.constData(), int(ub.size()));
}

bool installTextOrder(const QSqlDatabase &db) {
    if (!db.isOpen() || !db.driver())
        return false;
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return false;
    return installTextOrder(*static_cast<sqlite3 *const *>(handle.constData()));
}

bool installTextOrder(sqlite3 *engine) {
    return engine &&
           sqlite3_create_collation(engine, TextOrder, SQLITE_UTF8, nullptr, &collate) == SQLITE_OK;
}

QString quoteIdentifier(const QString &name) {
    QString n = name;
    n.replace(u'"', QStringLiteral("\"\""));
    return u'"' + n + u'"';
}

QStringList orderTerms(const SelectStatement &st, const TextColumnTest &sortsAsText) {
    QStringList terms;
    for (int i = 0; i < st.orderColumns.size(); ++i) {
        const QString &column = st.orderColumns.at(i);
        QString term = quoteIdentifier(column);
        // Texts sort in the program's one order; numbers and dates as stored.
        if (!sortsAsText || sortsAsText(column))
            term += QStringLiteral(" COLLATE ") + QLatin1String(TextOrder);
        if (st.orderDescending.value(i))
            term += QStringLiteral(" DESC");
        terms << term;
    }
    return terms;
}

QString keySelectText(const SelectStatement &st, const TextColumnTest &sortsAsText) {
    QString keys = QStringLiteral("SELECT \"ID\" FROM %1").arg(quoteIdentifier(st.table));
    if (!st.where.isEmpty())
        keys += QStringLiteral(" WHERE ") + st.where;
    // ID breaks ties, so records of equal sort value keep the order in which
    // they were stored.
    QStringList order = orderTerms(st, sortsAsText);
    order << QStringLiteral("\"ID\"");
    keys += QStringLiteral(" ORDER BY ") + order.join(QStringLiteral(", "));
    return keys;
}

std::optional<SelectStatement> parseSelect(const QString &text, DbError *error) {
    return Parser(text).run(error);
}

} // namespace corv
