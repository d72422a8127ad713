// Text <-> number and text <-> date conversions used throughout Corvella.
//
// Every window validates what the user types with the same few tests: does a
// text read as a number, does it read as a date, and how is a date written
// back ("mm/dd/yyyy"). They live here, once, so that the journal, the tank
// window, the calculator and the chart all agree.
#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringView>
#include <optional>

namespace corv {

// --- numbers ---------------------------------------------------------------

// True when the whole text (blanks around it allowed) is one number: an
// optional sign, digits (optionally grouped in thousands with ','), at most
// one decimal point and an optional exponent ("1e3", "2.5E-2").
bool readsAsNumber(QStringView text);

// The value of a text that readsAsNumber(); nullopt for any other text.
std::optional<double> toNumber(QStringView text);

// True when the text readsAsNumber() and its value is a finite double, so
// that a number field can store it: "1e999" reads as a number but is no
// value any field can hold. A number too small for a double reads as 0.
bool readsAsFiniteNumber(QStringView text);

// Reads the number at the start of the text and ignores whatever follows
// ("48 in" gives 48, "N/A" and "" give 0). Thousands groups are honoured
// only where they are well formed, so a text that readsAsNumber() always
// gives the same value as toNumber().
double leadingNumber(QStringView text);

// Rounds to the nearest whole number, halves to the even neighbour
// (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
double roundHalfEven(double value);

// A value rounded half-even and written as plain decimal digits with no
// exponent, however large. Non-finite values give an empty text.
QString wholeNumberText(double value);

// The value taken to single precision and written in its shortest form of at
// most seven significant digits (37.7777777 -> "37.77778", 100 -> "100").
QString singleText(double value);

// The shortest text that reads back as exactly the same double; plain
// notation for ordinary magnitudes, "1.5E+20" style beyond them.
QString numberText(double value);
// The same with at least `minDecimals` decimals, zeros added where the
// value has fewer ("7" -> "7.0" for one); a digit the value has is never
// dropped, and the exponent form is left as it is.
QString numberText(double value, int minDecimals);

// `text` with zeros added after the decimal point until it has at least
// `minDecimals` decimals ("25" -> "25.00" for two). A text with an exponent
// or no digit is returned as it is.
QString withDecimals(const QString &text, int minDecimals);

// An exact decimal amount with four decimal places, as money is kept.
class Fixed4 {
public:
    static constexpr qint64 Scale = 10000;

    Fixed4() = default;
    static Fixed4 fromUnits(qint64 units) {
        Fixed4 f;
        f.m_units = units;
        return f;
    }
    static Fixed4 fromInt(qint64 whole) { return fromUnits(whole * Scale); }

    // Exact conversion of a text that readsAsNumber(); the fifth decimal and
    // beyond are rounded half-even, so a tiny amount ("1e-999999999") is 0.
    // nullopt when the text is no number or the amount lies outside the
    // representable range. The work grows with the length of the text only,
    // never with the size of its exponent.
    static std::optional<Fixed4> fromText(QStringView text);

    qint64 units() const { return m_units; }
    // Sum; nullopt when it would overflow.
    std::optional<Fixed4> plus(Fixed4 other) const;
    // "25", "25.5", "-0.0001": no trailing zeros beyond `minDecimals`
    // decimals ("25.00", "25.50" for two).
    QString toText(int minDecimals = 0) const;
    double toDouble() const { return double(m_units) / Scale; }

    friend bool operator<(Fixed4 a, Fixed4 b) { return a.m_units < b.m_units; }
    friend bool operator>(Fixed4 a, Fixed4 b) { return a.m_units > b.m_units; }
    friend bool operator==(Fixed4 a, Fixed4 b) { return a.m_units == b.m_units; }
    friend bool operator!=(Fixed4 a, Fixed4 b) { return a.m_units != b.m_units; }

private:
    qint64 m_units = 0;
};

// --- dates -----------------------------------------------------------------

// Reads a date the way a user in a month-first locale types it:
//   m/d/y, m-d-y, m.d.y (one- or two-digit month and day; a year of one or two
//   digits means 2000-2029 for 00-29 and 1930-1999 for 30-99), m/d (this year),
//   yyyy-mm-dd and yyyy/mm/dd, and English month names: "Jan 2, 1999",
//   "January 2 1999", "2 Jan 1999", "2-Jan-99".
// The calendar is checked: 02/30/2001 is no date, 02/29/2000 is.
// `today` fixes "this year" for tests; by default the current date is used.
std::optional<QDate> toDate(QStringView text, QDate today = QDate());
bool readsAsDate(QStringView text);

// "mm/dd/yyyy" for a date.
QString dateText(QDate date);

// The text rewritten as "mm/dd/yyyy" when it reads as a date; any other text
// comes back unchanged.
QString formatDate(const QString &text);

// ISO "yyyy-mm-dd", the form in which dates are stored. Every reader of
// dates takes the years 100 to 9999 only; a stored text outside them is no
// date (it is shown as it stands).
QString isoDateText(QDate date);
std::optional<QDate> fromIsoDate(QStringView text);

// --- the user's conventions -----------------------------------------------
//
// The functions above read and write the one fixed form files, settings,
// criteria and report templates use: a decimal point, month/day/year. What a
// user types into a box and reads in a window follows the language Corvella
// runs in instead: in English the same fixed form, letter for letter; in
// another language the locale's short date (its order of day and month, the
// year in four digits, 31.12.2026 in German) and its decimal separator (7,5).
// Only the text differs: what is stored is the same value either way, so a
// database moves between languages unchanged.

// Sets the conventions (the program does so once at start, from the language
// it runs in). Any English locale, and the C locale, keep the fixed form.
void setUserLocale(const QLocale &locale);
// True while the fixed form is in use.
bool userFormIsFixed();

// A number written in the fixed form ("7.5", "1,234.5", "1.5E+20") in the
// user's form ("7,5", "1.234,5", "1,5E+20"), and back. Other characters pass
// unchanged, so a text that is no number stays no number.
QString userNumberText(const QString &fixed);
QString fixedNumberText(QStringView typed);

// readsAsNumber(), toNumber(), readsAsFiniteNumber() and Fixed4::fromText()
// for a text typed the user's way.
bool readsAsUserNumber(QStringView typed);
std::optional<double> toUserNumber(QStringView typed);
bool readsAsUserFiniteNumber(QStringView typed);
std::optional<Fixed4> toUserAmount(QStringView typed);

// toDate(), readsAsDate(), dateText() and formatDate() the user's way. In
// another language the fixed form's month/day order gives way to the
// locale's, ISO dates (2026-12-31) are still read, and month names are read
// in English and in the locale's language.
std::optional<QDate> toUserDate(QStringView text, QDate today = QDate());
bool readsAsUserDate(QStringView text);
QString userDateText(QDate date);
QString formatUserDate(const QString &text);

// The user's date form as a message names it: "mm/dd/yyyy" in the fixed
// form, otherwise built from the locale (German "TT.MM.JJJJ", the letters
// translated).
QString userDateFormatName();
// A message that names the fixed form "mm/dd/yyyy" with the user's form put
// in its place; in the fixed form it comes back unchanged.
QString withUserDateFormat(QString message);

} // namespace corv
