#include "ReportFormula.h"

#include "platform/Conversions.h"

#include <cmath>

#include <QCoreApplication>

namespace corv {

namespace {

enum class Op { Eq, Ne, Lt, Le, Gt, Ge };

struct Operand {
    enum Kind { Field, Number, Text, Date } kind = Number;
    QString name; // field as written
    int column = -1;
    double number = 0;
    QString text;
    QDate date;
};

} // namespace

struct ReportFormula::Node {
    enum Kind { Or, And, Not, Compare } kind = Compare;
    std::vector<std::unique_ptr<Node>> children; // Or, And: two or more; Not: one
    Op op = Op::Eq;
    Operand left, right;
};

namespace {

using Node = ReportFormula::Node;

// --- tokens ----------------------------------------------------------------

struct Token {
    enum Kind { End, Field, Number, Text, Date, Op, LParen, RParen, And, Or, Not } kind = End;
    int position = 0; // 1-based
    QString text;     // field name, text literal, or the token as written
    double number = 0;
    QDate date;
    ::corv::Op op = ::corv::Op::Eq;
};

class Parser {
public:
    explicit Parser(const QString &text) : m_text(text) {}

    std::unique_ptr<Node> parse(ReportFormula::ParseError *error) {
        if (!advance())
            return fail(error);
        auto root = parseOr(0);
        if (!root)
            return fail(error);
        if (m_tok.kind != Token::End) {
            m_message = QCoreApplication::translate("ReportFormula", "%1 is not expected here")
                            .arg(describe(m_tok));
            m_position = m_tok.position;
            return fail(error);
        }
        return root;
    }

private:
    std::unique_ptr<Node> fail(ReportFormula::ParseError *error) {
        if (error) {
            error->position = m_position;
            error->message = m_message;
        }
        return nullptr;
    }

    bool setError(int position, const QString &message) {
        if (m_message.isEmpty()) {
            m_position = position;
            m_message = message;
        }
        return false;
    }

    static QString describe(const Token &t) {
        switch (t.kind) {
        case Token::End:
            return QCoreApplication::translate("ReportFormula", "the end of the formula");
        case Token::Field:
            return QCoreApplication::translate("ReportFormula", "the field {%1}").arg(t.text);
        case Token::Text:
            return QCoreApplication::translate("ReportFormula", "the text '%1'").arg(t.text);
        default:
            return QStringLiteral("\"%1\"").arg(t.text);
        }
    }

    // --- scanning ---

    bool advance() {
        const qsizetype n = m_text.size();
        while (m_at < n && m_text.at(m_at).isSpace())
            ++m_at;
        m_tok = Token();
        m_tok.position = int(m_at) + 1;
        if (m_at >= n) {
            m_tok.position = 0;
            return true;
        }
        const QChar c = m_text.at(m_at);
        if (c == u'{') {
            const qsizetype close = m_text.indexOf(u'}', m_at + 1);
            if (close < 0)
                return setError(m_tok.position,
                                QCoreApplication::translate("ReportFormula",
                                                            "the field name has no closing }"));
            const QString name = m_text.mid(m_at + 1, close - m_at - 1).trimmed();
            if (name.isEmpty())
                return setError(m_tok.position,
                                QCoreApplication::translate("ReportFormula", "{} names no field"));
            m_tok.kind = Token::Field;
            m_tok.text = name;
            m_at = close + 1;
            return true;
        }
        if (c == u'\'' || c == u'"') {
            QString value;
            qsizetype i = m_at + 1;
            for (;;) {
                if (i >= n)
                    return setError(
                        m_tok.position,
                        QCoreApplication::translate("ReportFormula", "the text has no closing %1")
                            .arg(QString(c)));
                if (m_text.at(i) == c) {
                    if (i + 1 < n && m_text.at(i + 1) == c) { // a doubled quote
                        value += c;
                        i += 2;
                        continue;
                    }
                    break;
                }
                value += m_text.at(i++);
            }
            m_tok.kind = Token::Text;
            m_tok.text = value;
            m_at = i + 1;
            return true;
        }
        if (c == u'#') {
            const qsizetype close = m_text.indexOf(u'#', m_at + 1);
            if (close < 0)
                return setError(m_tok.position, QCoreApplication::translate(
                                                    "ReportFormula", "the date has no closing #"));
            const QString written = m_text.mid(m_at + 1, close - m_at - 1).trimmed();
            const auto date = toDate(written);
            if (!date)
                return setError(m_tok.position,
                                QCoreApplication::translate("ReportFormula", "#%1# is not a date")
                                    .arg(written));
            m_tok.kind = Token::Date;
            m_tok.date = *date;
            m_tok.text = QStringLiteral("#%1#").arg(written);
            m_at = close + 1;
            return true;
        }
        if (c.isDigit() || c == u'.' ||
            ((c == u'-' || c == u'+') && m_at + 1 < n &&
             (m_text.at(m_at + 1).isDigit() || m_text.at(m_at + 1) == u'.')))
            return scanNumber();
        if (c == u'(' || c == u')') {
            m_tok.kind = c == u'(' ? Token::LParen : Token::RParen;
            m_tok.text = c;
            ++m_at;
            return true;
        }
        if (c == u'=' || c == u'<' || c == u'>') {
            m_tok.kind = Token::Op;
            const QChar next = m_at + 1 < n ? m_text.at(m_at + 1) : QChar();
            if (c == u'<' && next == u'>') {
                m_tok.op = Op::Ne;
            } else if (c == u'<' && next == u'=') {
                m_tok.op = Op::Le;
            } else if (c == u'>' && next == u'=') {
                m_tok.op = Op::Ge;
            } else {
                m_tok.op = c == u'=' ? Op::Eq : c == u'<' ? Op::Lt : Op::Gt;
                m_tok.text = c;
                ++m_at;
                return true;
            }
            m_tok.text = m_text.mid(m_at, 2);
            m_at += 2;
            return true;
        }
        if (c.isLetter() || c == u'_') {
            qsizetype i = m_at;
            while (i < n && (m_text.at(i).isLetterOrNumber() || m_text.at(i) == u'_'))
                ++i;
            const QString word = m_text.mid(m_at, i - m_at);
            m_tok.text = word;
            const QString lower = word.toLower();
            if (lower == QLatin1String("and"))
                m_tok.kind = Token::And;
            else if (lower == QLatin1String("or"))
                m_tok.kind = Token::Or;
            else if (lower == QLatin1String("not"))
                m_tok.kind = Token::Not;
            else
                return setError(m_tok.position, QCoreApplication::translate(
                                                    "ReportFormula",
                                                    "\"%1\" is not a word of the formula language; "
                                                    "fields are written in braces, as {%1}")
                                                    .arg(word));
            m_at = i;
            return true;
        }
        return setError(m_tok.position,
                        QCoreApplication::translate("ReportFormula",
                                                    "the character \"%1\" is not expected here")
                            .arg(QString(c)));
    }

    bool scanNumber() {
        const qsizetype n = m_text.size();
        qsizetype i = m_at;
        if (m_text.at(i) == u'-' || m_text.at(i) == u'+')
            ++i;
        const qsizetype digitsFrom = i;
        while (i < n && m_text.at(i).isDigit())
            ++i;
        if (i < n && m_text.at(i) == u'.') {
            ++i;
            while (i < n && m_text.at(i).isDigit())
                ++i;
        }
        if (i - digitsFrom == 1 && m_text.at(digitsFrom) == u'.')
            return setError(m_tok.position,
                            QCoreApplication::translate("ReportFormula", "\".\" is not a number"));
        if (i < n && (m_text.at(i) == u'e' || m_text.at(i) == u'E')) {
            qsizetype j = i + 1;
            if (j < n && (m_text.at(j) == u'-' || m_text.at(j) == u'+'))
                ++j;
            if (j < n && m_text.at(j).isDigit()) {
                while (j < n && m_text.at(j).isDigit())
                    ++j;
                i = j;
            }
        }
        // "12abc" is one mistyped word, not a number followed by a word.
        if (i < n && (m_text.at(i).isLetter() || m_text.at(i) == u'_' || m_text.at(i) == u'.'))
            return setError(m_tok.position,
                            QCoreApplication::translate("ReportFormula", "\"%1\" is not a number")
                                .arg(m_text.mid(m_at, i - m_at + 1)));
        bool ok = false;
        const QString written = m_text.mid(m_at, i - m_at);
        const double value = written.toDouble(&ok);
        if (!ok || !std::isfinite(value))
            return setError(m_tok.position,
                            QCoreApplication::translate("ReportFormula", "\"%1\" is not a number")
                                .arg(written));
        m_tok.kind = Token::Number;
        m_tok.number = value;
        m_tok.text = written;
        m_at = i;
        return true;
    }

    // --- grammar ---

    std::unique_ptr<Node> parseOr(int depth) {
        auto first = parseAnd(depth);
        if (!first)
            return nullptr;
        if (m_tok.kind != Token::Or)
            return first;
        auto node = std::make_unique<Node>();
        node->kind = Node::Or;
        node->children.push_back(std::move(first));
        while (m_tok.kind == Token::Or) {
            if (!advance())
                return nullptr;
            auto next = parseAnd(depth);
            if (!next)
                return nullptr;
            node->children.push_back(std::move(next));
        }
        return node;
    }

    std::unique_ptr<Node> parseAnd(int depth) {
        auto first = parseUnary(depth);
        if (!first)
            return nullptr;
        if (m_tok.kind != Token::And)
            return first;
        auto node = std::make_unique<Node>();
        node->kind = Node::And;
        node->children.push_back(std::move(first));
        while (m_tok.kind == Token::And) {
            if (!advance())
                return nullptr;
            auto next = parseUnary(depth);
            if (!next)
                return nullptr;
            node->children.push_back(std::move(next));
        }
        return node;
    }

    std::unique_ptr<Node> parseUnary(int depth) {
        if (m_tok.kind == Token::Not || m_tok.kind == Token::LParen) {
            if (depth >= ReportFormula::MaxDepth) {
                setError(
                    m_tok.position,
                    QCoreApplication::translate(
                        "ReportFormula", "the formula nests brackets and \"not\" more than %1 deep")
                        .arg(ReportFormula::MaxDepth));
                return nullptr;
            }
        }
        if (m_tok.kind == Token::Not) {
            if (!advance())
                return nullptr;
            auto inner = parseUnary(depth + 1);
            if (!inner)
                return nullptr;
            auto node = std::make_unique<Node>();
            node->kind = Node::Not;
            node->children.push_back(std::move(inner));
            return node;
        }
        if (m_tok.kind == Token::LParen) {
            const int open = m_tok.position;
            if (!advance())
                return nullptr;
            auto inner = parseOr(depth + 1);
            if (!inner)
                return nullptr;
            if (m_tok.kind != Token::RParen) {
                setError(m_tok.kind == Token::End ? open : m_tok.position,
                         m_tok.kind == Token::End
                             ? QCoreApplication::translate(
                                   "ReportFormula", "the bracket opened here is never closed")
                             : QCoreApplication::translate("ReportFormula",
                                                           "\")\" is expected before %1")
                                   .arg(describe(m_tok)));
                return nullptr;
            }
            if (!advance())
                return nullptr;
            return inner;
        }
        return parseComparison();
    }

    bool parseOperand(Operand *out, const QString &after) {
        switch (m_tok.kind) {
        case Token::Field:
            out->kind = Operand::Field;
            out->name = m_tok.text;
            break;
        case Token::Number:
            out->kind = Operand::Number;
            out->number = m_tok.number;
            break;
        case Token::Text:
            out->kind = Operand::Text;
            out->text = m_tok.text;
            break;
        case Token::Date:
            out->kind = Operand::Date;
            out->date = m_tok.date;
            break;
        default:
            return setError(m_tok.position,
                            after.isEmpty()
                                ? QCoreApplication::translate(
                                      "ReportFormula", "a field or a value is expected, not %1")
                                      .arg(describe(m_tok))
                                : QCoreApplication::translate("ReportFormula",
                                                              "a value is expected after \"%1\"")
                                      .arg(after));
        }
        return advance();
    }

    std::unique_ptr<Node> parseComparison() {
        auto node = std::make_unique<Node>();
        node->kind = Node::Compare;
        const int start = m_tok.position;
        if (!parseOperand(&node->left, QString()))
            return nullptr;
        if (m_tok.kind != Token::Op) {
            setError(m_tok.position, QCoreApplication::translate(
                                         "ReportFormula", "a comparison (=, <>, <, <=, >, >=) is "
                                                          "expected before %1")
                                         .arg(describe(m_tok)));
            return nullptr;
        }
        node->op = m_tok.op;
        const QString opText = m_tok.text;
        if (!advance())
            return nullptr;
        if (!parseOperand(&node->right, opText))
            return nullptr;
        if (node->left.kind != Operand::Field && node->right.kind != Operand::Field) {
            setError(start, QCoreApplication::translate(
                                "ReportFormula", "a comparison must name a field in braces"));
            return nullptr;
        }
        return node;
    }

    const QString &m_text;
    qsizetype m_at = 0;
    Token m_tok;
    int m_position = 0;
    QString m_message;
};

// --- evaluation --------------------------------------------------------------

struct Value {
    enum Kind { Empty, Number, Text, Date } kind = Empty;
    double number = 0;
    QString text;
    QDate date;
};

Value fieldValue(const QVariant &v, FormulaFieldKind kind) {
    Value out;
    if (v.isNull())
        return out;
    switch (kind) {
    case FormulaFieldKind::Number:
    case FormulaFieldKind::Currency: {
        bool ok = false;
        double d = 0;
        if (v.typeId() == QMetaType::QString) {
            const QString s = v.toString();
            if (s.trimmed().isEmpty())
                return out;
            const auto n = toNumber(s);
            ok = n.has_value();
            d = n.value_or(0);
        } else {
            d = v.toDouble(&ok);
        }
        if (!ok) {
            out.kind = Value::Text;
            out.text = v.toString();
            return out;
        }
        out.kind = Value::Number;
        // Money is kept in ten-thousandths; formulas speak whole amounts.
        out.number = kind == FormulaFieldKind::Currency ? d / 10000.0 : d;
        return out;
    }
    case FormulaFieldKind::Date: {
        const QString s = v.toString();
        if (s.trimmed().isEmpty())
            return out;
        if (const auto d = fromIsoDate(s.trimmed())) {
            out.kind = Value::Date;
            out.date = *d;
        } else {
            out.kind = Value::Text;
            out.text = s;
        }
        return out;
    }
    case FormulaFieldKind::Text:
        out.text = v.toString();
        if (!out.text.isEmpty())
            out.kind = Value::Text;
        return out;
    }
    return out;
}

Value literalValue(const Operand &o) {
    Value out;
    switch (o.kind) {
    case Operand::Number:
        out.kind = Value::Number;
        out.number = o.number;
        break;
    case Operand::Text:
        out.kind = o.text.isEmpty() ? Value::Empty : Value::Text;
        out.text = o.text;
        break;
    case Operand::Date:
        out.kind = Value::Date;
        out.date = o.date;
        break;
    case Operand::Field:
        break;
    }
    return out;
}

QString shownText(const Value &v) {
    switch (v.kind) {
    case Value::Number:
        return numberText(v.number);
    case Value::Date:
        return dateText(v.date);
    case Value::Text:
        return v.text;
    case Value::Empty:
        break;
    }
    return QString();
}

// Brings a text to the kind of the other side when it reads as that kind.
void harmonise(Value &a, const Value &b) {
    if (a.kind != Value::Text)
        return;
    if (b.kind == Value::Number) {
        if (const auto n = toNumber(a.text)) {
            a.kind = Value::Number;
            a.number = *n;
        }
    } else if (b.kind == Value::Date) {
        if (const auto d = toDate(a.text)) {
            a.kind = Value::Date;
            a.date = *d;
        }
    }
}

// -1, 0, 1 when the values compare; nullopt when they cannot be ordered.
std::optional<int> compareValues(Value a, Value b) {
    if (a.kind == Value::Empty || b.kind == Value::Empty) {
        if (a.kind == b.kind)
            return 0;
        return std::nullopt;
    }
    harmonise(a, b);
    harmonise(b, a);
    if (a.kind == Value::Number && b.kind == Value::Number)
        return a.number < b.number ? -1 : a.number > b.number ? 1 : 0;
    if (a.kind == Value::Date && b.kind == Value::Date)
        return a.date < b.date ? -1 : a.date > b.date ? 1 : 0;
    if (a.kind == Value::Text || b.kind == Value::Text) {
        const int c = QString::compare(shownText(a), shownText(b), Qt::CaseInsensitive);
        return c < 0 ? -1 : c > 0 ? 1 : 0;
    }
    return std::nullopt; // a number against a date
}

bool evaluate(const Node &node, const QVector<QVariant> &row,
              const QVector<FormulaFieldKind> &kinds) {
    switch (node.kind) {
    case Node::Or:
        for (const auto &c : node.children)
            if (evaluate(*c, row, kinds))
                return true;
        return false;
    case Node::And:
        for (const auto &c : node.children)
            if (!evaluate(*c, row, kinds))
                return false;
        return true;
    case Node::Not:
        return !evaluate(*node.children.front(), row, kinds);
    case Node::Compare:
        break;
    }
    auto valueOf = [&](const Operand &o) {
        if (o.kind != Operand::Field)
            return literalValue(o);
        if (o.column < 0 || o.column >= row.size())
            return Value();
        return fieldValue(row.at(o.column), kinds.value(o.column, FormulaFieldKind::Text));
    };
    const auto c = compareValues(valueOf(node.left), valueOf(node.right));
    switch (node.op) {
    case Op::Eq:
        return c && *c == 0;
    case Op::Ne:
        return !(c && *c == 0);
    case Op::Lt:
        return c && *c < 0;
    case Op::Le:
        return c && *c <= 0;
    case Op::Gt:
        return c && *c > 0;
    case Op::Ge:
        return c && *c >= 0;
    }
    return false;
}

// Walks every comparison without recursion deeper than the tree itself,
// which parsing keeps within MaxDepth.
template <typename F> void forEachComparison(Node &node, F &&f) {
    if (node.kind == Node::Compare) {
        f(node);
        return;
    }
    for (auto &c : node.children)
        forEachComparison(*c, f);
}

} // namespace

ReportFormula::ReportFormula() = default;
ReportFormula::~ReportFormula() = default;
ReportFormula::ReportFormula(ReportFormula &&) noexcept = default;
ReportFormula &ReportFormula::operator=(ReportFormula &&) noexcept = default;

std::optional<ReportFormula> ReportFormula::parse(const QString &text, ParseError *error) {
    ReportFormula f;
    if (text.trimmed().isEmpty())
        return f;
    Parser p(text);
    f.m_root = p.parse(error);
    if (!f.m_root)
        return std::nullopt;
    return f;
}

QStringList ReportFormula::fieldNames() const {
    QStringList names;
    if (!m_root)
        return names;
    forEachComparison(*m_root, [&](Node &n) {
        for (const Operand *o : {&n.left, &n.right})
            if (o->kind == Operand::Field && !names.contains(o->name, Qt::CaseInsensitive))
                names << o->name;
    });
    return names;
}

bool ReportFormula::bind(const QStringList &columns, const QVector<FormulaFieldKind> &kinds,
                         QString *unknownField) {
    m_kinds = kinds;
    if (!m_root)
        return true;
    bool ok = true;
    forEachComparison(*m_root, [&](Node &n) {
        for (Operand *o : {&n.left, &n.right}) {
            if (o->kind != Operand::Field)
                continue;
            o->column = -1;
            for (int i = 0; i < columns.size(); ++i)
                if (columns.at(i).compare(o->name, Qt::CaseInsensitive) == 0)
                    o->column = i;
            if (o->column < 0 && ok) {
                ok = false;
                if (unknownField)
                    *unknownField = o->name;
            }
        }
    });
    return ok;
}

bool ReportFormula::matches(const QVector<QVariant> &row) const {
    return !m_root || evaluate(*m_root, row, m_kinds);
}

std::optional<double> ReportFormula::pinnedNumber(const QString &field) const {
    if (!m_root)
        return std::nullopt;
    auto pinned = [&](const Node &n) -> std::optional<double> {
        if (n.kind != Node::Compare || n.op != Op::Eq)
            return std::nullopt;
        const Operand *f = &n.left, *v = &n.right;
        if (f->kind != Operand::Field)
            std::swap(f, v);
        if (f->kind == Operand::Field && v->kind == Operand::Number &&
            f->name.compare(field, Qt::CaseInsensitive) == 0)
            return v->number;
        return std::nullopt;
    };
    if (m_root->kind == Node::And) {
        for (const auto &c : m_root->children)
            if (const auto n = pinned(*c))
                return n;
        return std::nullopt;
    }
    return pinned(*m_root);
}

} // namespace corv
