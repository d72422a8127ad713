// Find criteria of the form  FIELD = 'TEXT'  and  FIELD LIKE 'PATTERN',
// where '' stands for an apostrophe inside the quotes. They are parsed here
// and evaluated in C++, never handed to SQL.
#pragma once

#include "DbError.h"

#include <QString>
#include <QStringView>
#include <QVector>
#include <optional>

namespace corv {

struct Criterion {
    enum Op { Equal, Like };
    QString field;
    Op op = Equal;
    QString text; // the quoted text with '' already turned into '
};

std::optional<Criterion> parseCriterion(const QString &criterion, DbError *error);

// The text of a criterion, which parseCriterion() reads back as it is: the
// field bare when it is a plain name, in brackets otherwise.
QString criterionText(const Criterion &criterion);

// Builds a criterion text with the apostrophes of `text` doubled, so that any
// text a user picks or types yields a well-formed criterion.
QString exactCriterion(const QString &field, const QString &text);
QString containsCriterion(const QString &field, const QString &text);

// A compiled LIKE pattern: '*' any run, '?' any one character, '#' one digit,
// [abc], [a-z] and [!abc] character lists. Letter case is ignored.
class LikePattern {
public:
    static std::optional<LikePattern> compile(QStringView pattern, DbError *error);
    bool matches(QStringView value) const;

private:
    struct Item {
        enum Kind { Literal, AnyOne, AnyRun, Digit, Set } kind;
        QChar ch;                   // Literal (case-folded)
        bool negated = false;       // Set
        QString singles;            // Set: characters (case-folded)
        QString rangeFrom, rangeTo; // Set: ranges, pairwise (case-folded)
    };
    bool itemMatches(const Item &item, QChar c) const;
    QVector<Item> m_items;
};

} // namespace corv
