#include "Criteria.h"

#include <QCoreApplication>
#include <QVector>

namespace corv {

namespace {

DbError criteriaError(const QString &criterion, const QString &what) {
    return {DbErr::CriteriaSyntax,
            QCoreApplication::translate("Criteria", "Syntax error in the criteria \"%1\": %2.")
                .arg(criterion, what)};
}

bool isNameChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_';
}

QChar fold(QChar c) {
    return c.toCaseFolded();
}

QString doubled(const QString &text) {
    QString t = text;
    t.replace(u'\'', QStringLiteral("''"));
    return t;
}

} // namespace

std::optional<Criterion> parseCriterion(const QString &criterion, DbError *error) {
    auto fail = [&](const QString &what) -> std::optional<Criterion> {
        if (error)
            *error = criteriaError(criterion, what);
        return std::nullopt;
    };
    const QString &s = criterion;
    qsizetype i = 0;
    auto skipBlanks = [&] {
        while (i < s.size() && s[i].isSpace())
            ++i;
    };
    skipBlanks();
    Criterion c;
    if (i < s.size() && s[i] == u'[') {
        const qsizetype close = s.indexOf(u']', i + 1);
        if (close < 0 || close == i + 1)
            return fail(QCoreApplication::translate("Criteria", "the field name is not closed"));
        c.field = s.mid(i + 1, close - i - 1);
        i = close + 1;
    } else {
        const qsizetype start = i;
        while (i < s.size() && isNameChar(s[i]))
            ++i;
        c.field = s.mid(start, i - start);
        if (c.field.isEmpty())
            return fail(QCoreApplication::translate("Criteria", "a field name is expected"));
    }
    skipBlanks();
    if (i < s.size() && s[i] == u'=') {
        c.op = Criterion::Equal;
        ++i;
    } else if (s.mid(i, 4).compare(QLatin1String("LIKE"), Qt::CaseInsensitive) == 0 &&
               (i + 4 == s.size() || !isNameChar(s[i + 4]))) {
        c.op = Criterion::Like;
        i += 4;
    } else {
        return fail(QCoreApplication::translate("Criteria",
                                                "'=' or LIKE is expected after the field name"));
    }
    skipBlanks();
    if (i >= s.size() || s[i] != u'\'')
        return fail(QCoreApplication::translate("Criteria", "a text in apostrophes is expected"));
    ++i;
    bool closed = false;
    while (i < s.size()) {
        if (s[i] == u'\'') {
            if (i + 1 < s.size() && s[i + 1] == u'\'') {
                c.text.append(u'\'');
                i += 2;
                continue;
            }
            closed = true;
            ++i;
            break;
        }
        c.text.append(s[i++]);
    }
    if (!closed)
        return fail(
            QCoreApplication::translate("Criteria", "the text is not closed with an apostrophe"));
    skipBlanks();
    if (i != s.size())
        return fail(
            QCoreApplication::translate("Criteria", "unexpected characters after the text"));
    if (c.op == Criterion::Like) {
        DbError patternError;
        if (!LikePattern::compile(c.text, &patternError)) {
            if (error)
                *error = patternError;
            return std::nullopt;
        }
    }
    return c;
}

QString criterionText(const Criterion &c) {
    bool plain = !c.field.isEmpty();
    for (QChar ch : c.field)
        plain = plain && isNameChar(ch);
    const QString field = plain ? c.field : u'[' + c.field + u']';
    const QString op = c.op == Criterion::Like ? QStringLiteral(" LIKE '") : QStringLiteral(" = '");
    return field + op + doubled(c.text) + u'\'';
}

QString exactCriterion(const QString &field, const QString &text) {
    return field + QStringLiteral(" = '") + doubled(text) + u'\'';
}

QString containsCriterion(const QString &field, const QString &text) {
    return field + QStringLiteral(" LIKE '*") + doubled(text) + QStringLiteral("*'");
}

std::optional<LikePattern> LikePattern::compile(QStringView pattern, DbError *error) {
    LikePattern p;
    qsizetype i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern[i];
        Item item;
        if (c == u'*') {
            item.kind = Item::AnyRun;
            ++i;
            if (!p.m_items.isEmpty() && p.m_items.last().kind == Item::AnyRun)
                continue; // "**" is the same as "*"
        } else if (c == u'?') {
            item.kind = Item::AnyOne;
            ++i;
        } else if (c == u'#') {
            item.kind = Item::Digit;
            ++i;
        } else if (c == u'[') {
            const qsizetype close = pattern.indexOf(u']', i + 1);
            if (close < 0) {
                if (error)
                    *error = {
                        DbErr::InvalidPattern,
                        QCoreApplication::translate(
                            "Criteria", "Invalid pattern: '[' without a closing ']' in \"%1\".")
                            .arg(pattern.toString())};
                return std::nullopt;
            }
            QStringView body = pattern.mid(i + 1, close - i - 1);
            item.kind = Item::Set;
            if (body.startsWith(u'!')) {
                item.negated = true;
                body = body.mid(1);
            }
            for (qsizetype k = 0; k < body.size(); ++k) {
                if (k + 2 < body.size() && body[k + 1] == u'-') {
                    QChar from = fold(body[k]), to = fold(body[k + 2]);
                    if (to < from) {
                        if (error)
                            *error = {DbErr::InvalidPattern,
                                      QCoreApplication::translate(
                                          "Criteria", "Invalid pattern: the range %1-%2 runs "
                                                      "backwards in \"%3\".")
                                          .arg(body[k])
                                          .arg(body[k + 2])
                                          .arg(pattern.toString())};
                        return std::nullopt;
                    }
                    item.rangeFrom.append(from);
                    item.rangeTo.append(to);
                    k += 2;
                } else {
                    item.singles.append(fold(body[k]));
                }
            }
            if (body.isEmpty() && !item.negated) {
                // "[]" matches nothing but the empty run: treat it as nothing.
                i = close + 1;
                continue;
            }
            i = close + 1;
        } else {
            item.kind = Item::Literal;
            item.ch = fold(c);
            ++i;
        }
        p.m_items.push_back(item);
    }
    return p;
}

bool LikePattern::itemMatches(const Item &item, QChar c) const {
    switch (item.kind) {
    case Item::Literal:
        return fold(c) == item.ch;
    case Item::AnyOne:
        return true;
    case Item::Digit:
        return c >= u'0' && c <= u'9';
    case Item::Set: {
        const QChar f = fold(c);
        bool in = item.singles.contains(f);
        for (qsizetype k = 0; !in && k < item.rangeFrom.size(); ++k)
            in = f >= item.rangeFrom[k] && f <= item.rangeTo[k];
        return in != item.negated;
    }
    case Item::AnyRun:
        return true;
    }
    return false;
}

bool LikePattern::matches(QStringView value) const {
    // Classic wildcard matching with one backtrack point for the last '*':
    // linear in practice, at worst items x characters.
    qsizetype vi = 0, pi = 0;
    qsizetype starItem = -1, starValue = 0;
    const qsizetype n = value.size(), m = m_items.size();
    while (vi < n) {
        if (pi < m && m_items[pi].kind == Item::AnyRun) {
            starItem = pi++;
            starValue = vi;
        } else if (pi < m && itemMatches(m_items[pi], value[vi])) {
            ++pi;
            ++vi;
        } else if (starItem >= 0) {
            pi = starItem + 1;
            vi = ++starValue;
        } else {
            return false;
        }
    }
    while (pi < m && m_items[pi].kind == Item::AnyRun)
        ++pi;
    return pi == m;
}

} // namespace corv
