// The selection formula of a report: which records of the table it prints.
//
// A small expression language of its own, never handed to the database:
//
//   formula     := empty | or
//   or          := and { "or" and }
//   and         := not { "and" not }
//   not         := "not" not | "(" or ")" | comparison
//   comparison  := operand ( "=" | "<>" | "<" | "<=" | ">" | ">=" ) operand
//   operand     := "{" Field "}" | number | 'text' | "text" | #date#
//
// Words ("and", "or", "not") and field names are matched without regard to
// case. A quote inside a text is written twice ('O''Brien'). Numbers may
// carry a sign and decimals; a date literal is read like a typed date
// (#01/02/1999#). Nesting (brackets and "not") deeper than MaxDepth is
// refused, so a hostile formula cannot exhaust the stack.
//
// How values compare:
// - numbers with numbers, dates with dates; text with text without regard
//   to case;
// - a text literal against a date or number field is read as a date or a
//   number when it reads as one, otherwise it is compared with the field's
//   shown text ("mm/dd/yyyy" for dates);
// - an empty field equals only the empty text '' (and another empty field);
//   "<" and the like are false for it; "<>" is always the opposite of "=".
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <memory>
#include <optional>

namespace corv {

// How a field's stored value is read for comparison.
enum class FormulaFieldKind { Number, Currency, Date, Text };

class ReportFormula {
public:
    static constexpr int MaxDepth = 100;

    struct ParseError {
        int position = 0; // 1-based character position; 0 at the end
        QString message;  // "a value is expected after \"=\""
    };

    ReportFormula();
    ~ReportFormula();
    ReportFormula(ReportFormula &&) noexcept;
    ReportFormula &operator=(ReportFormula &&) noexcept;

    // Parses `text`; an empty (or blank) text selects every record.
    static std::optional<ReportFormula> parse(const QString &text, ParseError *error);

    bool selectsAll() const { return !m_root; }
    // The field names the formula uses, as written (without braces), once each.
    QStringList fieldNames() const;

    // Ties each field name to a column index, matching names without regard
    // to case. Returns false and the first unknown name when a field is not
    // among `columns`.
    bool bind(const QStringList &columns, const QVector<FormulaFieldKind> &kinds,
              QString *unknownField);

    // True when the record whose column values are `row` (indexed like the
    // bound columns) is selected. Must be bound first (unless selectsAll()).
    bool matches(const QVector<QVariant> &row) const;

    // The number a field is pinned to when the formula requires
    // "{field} = number" in every case (as the whole formula or as a term of
    // a top-level "and"); nullopt otherwise.
    std::optional<double> pinnedNumber(const QString &field) const;

    struct Node;

private:
    std::unique_ptr<Node> m_root;
    QVector<FormulaFieldKind> m_kinds;
};

} // namespace corv
