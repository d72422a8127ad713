#include "Conversions.h"

#include <QCoreApplication>
#include <QLocale>
#include <QVector>
#include <cmath>
#include <limits>

namespace corv {

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}
bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

QStringView trimBlanks(QStringView s) {
    qsizetype b = 0, e = s.size();
    while (b < e && isBlank(s[b]))
        ++b;
    while (e > b && isBlank(s[e - 1]))
        --e;
    return s.mid(b, e - b);
}

// One number read from the front of a text. `end` is where reading stopped.
struct Scan {
    bool hasDigits = false;
    bool negative = false;
    QString intDigits;  // without group separators
    QString fracDigits; // after the decimal point
    long long exponent = 0;
    qsizetype end = 0;
};

// Reads [sign] digits-with-groups [. digits] [e|E [sign] digits] from `pos`,
// as far as it forms a number. A group separator is taken only when exactly
// three digits follow it and the digits before it form a valid first group.
Scan scanNumber(QStringView s, qsizetype pos) {
    Scan r;
    qsizetype i = pos;
    const qsizetype n = s.size();
    if (i < n && (s[i] == u'+' || s[i] == u'-')) {
        r.negative = s[i] == u'-';
        ++i;
    }
    qsizetype groupStart = i;
    bool grouped = false;
    while (i < n) {
        if (isDigit(s[i])) {
            r.intDigits.append(s[i]);
            ++i;
        } else if (s[i] == u',') {
            const qsizetype leading = i - groupStart; // digits since last separator
            const bool firstOk = grouped ? leading == 3 : (leading >= 1 && leading <= 3);
            const bool threeFollow =
                i + 3 < n && isDigit(s[i + 1]) && isDigit(s[i + 2]) && isDigit(s[i + 3]);
            if (!firstOk || !threeFollow)
                break;
            grouped = true;
            ++i;
            groupStart = i;
        } else {
            break;
        }
    }
    if (grouped && i - groupStart != 3) {
        // A trailing group that is not three digits long: the number ends at
        // the last good separator. Rewind the digits read after it.
        const qsizetype extra = i - groupStart;
        r.intDigits.chop(extra);
        i = groupStart - 1; // before the separator
        r.hasDigits = !r.intDigits.isEmpty();
        r.end = r.hasDigits ? i : pos;
        return r;
    }
    if (i < n && s[i] == u'.') {
        qsizetype j = i + 1;
        QString frac;
        while (j < n && isDigit(s[j]))
            frac.append(s[j++]);
        if (!r.intDigits.isEmpty() || !frac.isEmpty()) {
            r.fracDigits = frac;
            i = j;
        }
    }
    r.hasDigits = !r.intDigits.isEmpty() || !r.fracDigits.isEmpty();
    if (!r.hasDigits) {
        r.end = pos;
        return r;
    }
    if (i < n && (s[i] == u'e' || s[i] == u'E')) {
        qsizetype j = i + 1;
        bool expNeg = false;
        if (j < n && (s[j] == u'+' || s[j] == u'-')) {
            expNeg = s[j] == u'-';
            ++j;
        }
        if (j < n && isDigit(s[j])) {
            long long e = 0;
            while (j < n && isDigit(s[j])) {
                if (e < 100000000)
                    e = e * 10 + (s[j].unicode() - u'0');
                ++j;
            }
            r.exponent = expNeg ? -e : e;
            i = j;
        }
    }
    r.end = i;
    return r;
}

double scanValue(const Scan &s) {
    if (!s.hasDigits)
        return 0.0;
    QString text;
    text.reserve(s.intDigits.size() + s.fracDigits.size() + 24);
    if (s.negative)
        text.append(u'-');
    text.append(s.intDigits.isEmpty() ? QStringLiteral("0") : s.intDigits);
    if (!s.fracDigits.isEmpty()) {
        text.append(u'.');
        text.append(s.fracDigits);
    }
    if (s.exponent != 0) {
        text.append(u'e');
        text.append(QString::number(s.exponent));
    }
    bool ok = false;
    double v = QLocale::c().toDouble(text, &ok);
    if (!ok) {
        // Out of the double range: QLocale reports failure and gives an
        // infinity for an overflow and zero for an underflow. Which one it
        // was cannot be told from the exponent's sign alone ("1000e-2" with
        // four hundred zeros is huge), so its answer is kept, with our sign.
        v = std::isinf(v) ? std::numeric_limits<double>::infinity() : 0.0;
        if (s.negative)
            v = -v;
    }
    return v;
}

bool scanWhole(QStringView text, Scan &out) {
    QStringView t = trimBlanks(text);
    if (t.isEmpty())
        return false;
    out = scanNumber(t, 0);
    return out.hasDigits && out.end == t.size();
}

// Splits a shortest 'e' rendering such as "-4.5e+02" into its significant
// digits and decimal exponent.
void splitExponentForm(const QString &e, bool &negative, QString &digits, int &exp10) {
    negative = e.startsWith(u'-');
    const qsizetype ePos = e.indexOf(u'e');
    QString mant = e.mid(negative ? 1 : 0, ePos - (negative ? 1 : 0));
    mant.remove(u'.');
    while (mant.size() > 1 && mant.endsWith(u'0'))
        mant.chop(1);
    digits = mant;
    exp10 = e.mid(ePos + 1).toInt();
}

// Writes significant digits d1d2d3... with the value d1.d2d3 x 10^exp10,
// in plain notation when minExp <= exp10 < maxExp, else as "d.dddE+xx".
QString placeDigits(bool negative, const QString &digits, int exp10, int minExp, int maxExp) {
    QString out;
    if (negative)
        out.append(u'-');
    if (exp10 >= minExp && exp10 < maxExp) {
        if (exp10 < 0) {
            out.append(QStringLiteral("0."));
            out.append(QString(-exp10 - 1, u'0'));
            out.append(digits);
        } else if (digits.size() <= exp10 + 1) {
            out.append(digits);
            out.append(QString(exp10 + 1 - digits.size(), u'0'));
        } else {
            out.append(digits.left(exp10 + 1));
            out.append(u'.');
            out.append(digits.mid(exp10 + 1));
        }
        return out;
    }
    out.append(digits.left(1));
    if (digits.size() > 1) {
        out.append(u'.');
        out.append(digits.mid(1));
    }
    out.append(u'E');
    out.append(exp10 < 0 ? u'-' : u'+');
    out.append(QStringLiteral("%1").arg(std::abs(exp10), 2, 10, QLatin1Char('0')));
    return out;
}

} // namespace

bool readsAsNumber(QStringView text) {
    Scan s;
    return scanWhole(text, s);
}

std::optional<double> toNumber(QStringView text) {
    Scan s;
    if (!scanWhole(text, s))
        return std::nullopt;
    return scanValue(s);
}

bool readsAsFiniteNumber(QStringView text) {
    const auto v = toNumber(text);
    return v && std::isfinite(*v);
}

double leadingNumber(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    return scanValue(scanNumber(text, i));
}

double roundHalfEven(double value) {
    if (!std::isfinite(value))
        return value;
    const double fl = std::floor(value);
    const double diff = value - fl;
    if (diff < 0.5)
        return fl;
    if (diff > 0.5)
        return fl + 1.0;
    return std::fmod(fl, 2.0) == 0.0 ? fl : fl + 1.0;
}

QString wholeNumberText(double value) {
    if (!std::isfinite(value))
        return QString();
    double r = roundHalfEven(value);
    if (r == 0.0)
        return QStringLiteral("0");
    if (std::fabs(r) < 9.0e18)
        return QString::number(static_cast<qint64>(r));
    return QString::number(r, 'f', 0);
}

QString singleText(double value) {
    const float f = static_cast<float>(value);
    if (std::isnan(f))
        return QStringLiteral("NaN");
    if (std::isinf(f))
        return f < 0 ? QStringLiteral("-Infinity") : QStringLiteral("Infinity");
    if (f == 0.0f)
        return QStringLiteral("0");
    QString rendered;
    for (int p = 0; p <= 6; ++p) { // 1 to 7 significant digits
        rendered = QString::number(double(f), 'e', p);
        if (static_cast<float>(QLocale::c().toDouble(rendered)) == f)
            break;
    }
    bool negative;
    QString digits;
    int exp10;
    splitExponentForm(rendered, negative, digits, exp10);
    return placeDigits(negative, digits, exp10, -5, 7);
}

QString numberText(double value) {
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-Infinity") : QStringLiteral("Infinity");
    if (value == 0.0)
        return QStringLiteral("0");
    const QString rendered = QString::number(value, 'e', QLocale::FloatingPointShortest);
    bool negative;
    QString digits;
    int exp10;
    splitExponentForm(rendered, negative, digits, exp10);
    return placeDigits(negative, digits, exp10, -5, 15);
}

QString withDecimals(const QString &text, int minDecimals) {
    if (minDecimals <= 0 || text.isEmpty() || text.contains(u'E') || text.contains(u'e') ||
        !text.back().isDigit())
        return text;
    const qsizetype dot = text.indexOf(u'.');
    const qsizetype have = dot < 0 ? 0 : text.size() - dot - 1;
    if (have >= minDecimals)
        return text;
    return text + (dot < 0 ? QStringLiteral(".") : QString()) + QString(minDecimals - have, u'0');
}

QString numberText(double value, int minDecimals) {
    return withDecimals(numberText(value), minDecimals);
}

// --- Fixed4 ----------------------------------------------------------------

std::optional<Fixed4> Fixed4::fromText(QStringView text) {
    Scan s;
    if (!scanWhole(text, s))
        return std::nullopt;
    // The value is the significant digits (no zeros at either end) times a
    // power of ten. The power is only ever compared and used as a count of
    // at most nineteen digits, so an exponent of a billion costs no more
    // than one of two: nothing here grows with it.
    const QString all = s.intDigits + s.fracDigits;
    qsizetype first = 0, last = all.size();
    while (first < last && all[first] == u'0')
        ++first;
    while (last > first && all[last - 1] == u'0')
        --last;
    if (first == last)
        return Fixed4();
    const QStringView digits = QStringView(all).mid(first, last - first);
    // Power of ten of the last significant digit, in ten-thousandths.
    const long long shift =
        s.exponent - static_cast<long long>(s.fracDigits.size()) + 4 + (all.size() - last);
    const long long count = digits.size();

    constexpr int MaxDigits = 19; // qint64 holds every 18-digit number, some of 19
    quint64 mag = 0;
    auto append = [&mag](QChar d) { mag = mag * 10 + quint64(d.unicode() - u'0'); };
    if (shift >= 0) {
        if (count + shift > MaxDigits)
            return std::nullopt;
        for (QChar d : digits)
            append(d);
        for (long long k = 0; k < shift; ++k)
            mag *= 10;
    } else {
        const long long cut = -shift; // digits below a ten-thousandth
        if (cut > count)
            return Fixed4(); // below half a ten-thousandth: rounds to zero
        const long long kept = count - cut;
        if (kept > MaxDigits)
            return std::nullopt;
        for (long long k = 0; k < kept; ++k)
            append(digits[k]);
        // Half-even on the dropped digits; the last of them is never zero,
        // so a leading 5 with more after it is always above the half.
        const QChar lead = digits[kept];
        const bool more = cut > 1;
        if (lead > u'5' || (lead == u'5' && (more || mag % 2 == 1)))
            ++mag;
    }
    const quint64 limit = static_cast<quint64>(std::numeric_limits<qint64>::max());
    if (mag > limit)
        return std::nullopt;
    const qint64 units = static_cast<qint64>(mag);
    return fromUnits(s.negative ? -units : units);
}

std::optional<Fixed4> Fixed4::plus(Fixed4 other) const {
    qint64 r;
    if (__builtin_add_overflow(m_units, other.m_units, &r))
        return std::nullopt;
    return fromUnits(r);
}

QString Fixed4::toText(int minDecimals) const {
    if (minDecimals > 0)
        return withDecimals(toText(0), minDecimals);
    const bool neg = m_units < 0;
    const quint64 mag = neg ? quint64(0) - quint64(m_units) : quint64(m_units);
    QString out = QString::number(mag / Scale);
    quint64 frac = mag % Scale;
    if (frac != 0) {
        QString f = QStringLiteral("%1").arg(frac, 4, 10, QLatin1Char('0'));
        while (f.endsWith(u'0'))
            f.chop(1);
        out += u'.' + f;
    }
    return neg ? u'-' + out : out;
}

// --- dates -----------------------------------------------------------------

namespace {

// A month's English name, or when `locale` is given its name in that locale.
int monthFromName(QStringView word, const QLocale *locale) {
    static const char *const names[] = {"january",   "february", "march",    "april",
                                        "may",       "june",     "july",     "august",
                                        "september", "october",  "november", "december"};
    const QString w = word.toString().toLower();
    if (w.size() < 3)
        return 0;
    for (int m = 0; m < 12; ++m) {
        const QString full = QString::fromLatin1(names[m]);
        if (w == full || w == full.left(3))
            return m + 1;
        if (m == 8 && w == QLatin1String("sept"))
            return 9;
    }
    if (locale) {
        for (int m = 1; m <= 12; ++m) {
            for (QLocale::FormatType f : {QLocale::LongFormat, QLocale::ShortFormat}) {
                QString name = locale->monthName(m, f).toLower();
                if (name.endsWith(u'.'))
                    name.chop(1);
                QString alone = locale->standaloneMonthName(m, f).toLower();
                if (alone.endsWith(u'.'))
                    alone.chop(1);
                if (w == name || w == alone)
                    return m;
            }
        }
    }
    return 0;
}

// The order of day, month and year in a numeric date.
enum class DateOrder { MonthDayYear, DayMonthYear, YearMonthDay };

struct Token {
    enum Kind { Number, Word } kind;
    QString text;
};

// Year as typed: one or two digits are windowed (00-29 -> 20xx, 30-99 ->
// 19xx); longer years are taken as they stand and must lie in 100..9999.
int typedYear(const QString &digits) {
    const int v = digits.toInt();
    if (digits.size() <= 2)
        return v < 30 ? 2000 + v : 1900 + v;
    return (v >= 100 && v <= 9999) ? v : 0;
}

std::optional<QDate> makeDate(int y, int m, int d) {
    if (y < 100 || y > 9999 || !QDate::isValid(y, m, d))
        return std::nullopt;
    return QDate(y, m, d);
}

} // namespace

namespace {

std::optional<QDate> readDate(QStringView text, QDate today, DateOrder order,
                              const QLocale *names) {
    const bool fixedForm = order == DateOrder::MonthDayYear && !names;
    QStringView t = trimBlanks(text);
    // "4.3." is how a German writes the 4th of March of this year.
    if (!fixedForm && t.endsWith(u'.'))
        t = trimBlanks(t.chopped(1));
    if (t.isEmpty())
        return std::nullopt;

    // Tokenise: runs of digits, runs of letters; separators between them are
    // blanks, ',', '/', '-' and '.'. Numeric-only dates must use one kind of
    // separator throughout ("1/2/99", "1-2-99", "1.2.99").
    QVector<Token> tokens;
    QChar numericSep;
    bool mixedSeps = false;
    bool sawWord = false;
    qsizetype i = 0;
    while (i < t.size()) {
        const QChar c = t[i];
        if (isDigit(c)) {
            qsizetype j = i;
            while (j < t.size() && isDigit(t[j]))
                ++j;
            if (j - i > 4)
                return std::nullopt;
            tokens.push_back({Token::Number, t.mid(i, j - i).toString()});
            i = j;
        } else if (c.isLetter()) {
            qsizetype j = i;
            while (j < t.size() && t[j].isLetter())
                ++j;
            tokens.push_back({Token::Word, t.mid(i, j - i).toString()});
            sawWord = true;
            i = j;
        } else if (c == u'/' || c == u'-' || c == u'.' || c == u',' || isBlank(c)) {
            // A run of separators counts once; blanks may surround the others.
            qsizetype j = i;
            QChar sep;
            int hard = 0;
            while (j < t.size() && (t[j] == u'/' || t[j] == u'-' || t[j] == u'.' || t[j] == u',' ||
                                    isBlank(t[j]))) {
                if (!isBlank(t[j])) {
                    sep = t[j];
                    ++hard;
                }
                ++j;
            }
            if (hard > 1)
                return std::nullopt;
            if (tokens.isEmpty() || j == t.size())
                return std::nullopt; // leading or trailing separator
            const QChar effective = hard ? sep : QChar(u' ');
            if (numericSep.isNull())
                numericSep = effective;
            else if (numericSep != effective)
                mixedSeps = true;
            i = j;
        } else {
            return std::nullopt;
        }
    }
    if (!today.isValid())
        today = QDate::currentDate();

    if (!sawWord) {
        if (mixedSeps || numericSep == u',' || numericSep == u' ')
            return std::nullopt;
        if (tokens.size() == 3) {
            const QString &a = tokens[0].text, &b = tokens[1].text, &c = tokens[2].text;
            if (a.size() == 4) { // yyyy-mm-dd
                if (b.size() > 2 || c.size() > 2 || (fixedForm && numericSep == u'.'))
                    return std::nullopt;
                return makeDate(a.toInt(), b.toInt(), c.toInt());
            }
            if (order == DateOrder::YearMonthDay) {
                if (a.size() > 2 || b.size() > 2 || c.size() > 2)
                    return std::nullopt;
                return makeDate(typedYear(a), b.toInt(), c.toInt());
            }
            if (a.size() > 2 || b.size() > 2 || c.size() == 3)
                return std::nullopt;
            const int y = typedYear(c);
            if (order == DateOrder::DayMonthYear)
                return makeDate(y, b.toInt(), a.toInt());
            return makeDate(y, a.toInt(), b.toInt());
        }
        if (tokens.size() == 2) { // m/d (d.m) of this year
            if (tokens[0].text.size() > 2 || tokens[1].text.size() > 2 ||
                (fixedForm && numericSep == u'.'))
                return std::nullopt;
            if (order == DateOrder::DayMonthYear)
                return makeDate(today.year(), tokens[1].text.toInt(), tokens[0].text.toInt());
            return makeDate(today.year(), tokens[0].text.toInt(), tokens[1].text.toInt());
        }
        return std::nullopt;
    }

    // Forms with a month name.
    int month = 0, day = 0, year = 0;
    QVector<QString> numbers;
    int words = 0, wordIndex = -1;
    for (int k = 0; k < tokens.size(); ++k) {
        if (tokens[k].kind == Token::Word) {
            ++words;
            wordIndex = k;
            month = monthFromName(tokens[k].text, names);
        } else {
            numbers.push_back(tokens[k].text);
        }
    }
    if (words != 1 || month == 0 || numbers.isEmpty() || numbers.size() > 2)
        return std::nullopt;
    if (wordIndex > 1)
        return std::nullopt; // "1999 2 Jan" and the like
    if (numbers[0].size() > 2)
        return std::nullopt;
    day = numbers[0].toInt();
    if (numbers.size() == 2) {
        if (numbers[1].size() == 3)
            return std::nullopt;
        year = typedYear(numbers[1]);
    } else {
        year = today.year();
    }
    return makeDate(year, month, day);
}

} // namespace

std::optional<QDate> toDate(QStringView text, QDate today) {
    return readDate(text, today, DateOrder::MonthDayYear, nullptr);
}

bool readsAsDate(QStringView text) {
    return toDate(text).has_value();
}

QString dateText(QDate date) {
    // Written out by hand for the years of four digits: QDate::toString
    // reads its format anew each time, and a search of a long journal
    // writes every date of it.
    const int y = date.year();
    if (!date.isValid() || y < 1 || y > 9999)
        return date.toString(QStringLiteral("MM/dd/yyyy"));
    const int m = date.month(), d = date.day();
    const char16_t text[10] = {
        char16_t(u'0' + m / 10),   char16_t(u'0' + m % 10),       u'/',
        char16_t(u'0' + d / 10),   char16_t(u'0' + d % 10),       u'/',
        char16_t(u'0' + y / 1000), char16_t(u'0' + y / 100 % 10), char16_t(u'0' + y / 10 % 10),
        char16_t(u'0' + y % 10)};
    return QString(reinterpret_cast<const QChar *>(text), 10);
}

QString formatDate(const QString &text) {
    const auto d = toDate(text);
    return d ? dateText(*d) : text;
}

QString isoDateText(QDate date) {
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

std::optional<QDate> fromIsoDate(QStringView text) {
    if (text.size() != 10 || text[4] != u'-' || text[7] != u'-')
        return std::nullopt;
    // Digits only: toInt() would also take blanks and signs ("+199-01-02").
    for (qsizetype i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (!isDigit(text[i]))
            return std::nullopt;
    bool ok1, ok2, ok3;
    const int y = text.mid(0, 4).toInt(&ok1);
    const int m = text.mid(5, 2).toInt(&ok2);
    const int d = text.mid(8, 2).toInt(&ok3);
    if (!ok1 || !ok2 || !ok3)
        return std::nullopt;
    // The same years as a typed date: a stored 0020-02-29 is shown as it
    // stands, not as a date no box would take back.
    return makeDate(y, m, d);
}

// --- the user's conventions -----------------------------------------------

namespace {

struct UserForm {
    bool fixed = true;
    QLocale locale = QLocale::c();
    QChar decimal = u'.';
    QChar group = u',';
    DateOrder order = DateOrder::MonthDayYear;
    QString datePattern = QStringLiteral("MM/dd/yyyy");
};

UserForm &userForm() {
    static UserForm form;
    return form;
}

// The locale's short date with two-digit day and month and a four-digit
// year: "dd.MM.yy" becomes "dd.MM.yyyy", so that no century is guessed.
QString fullDatePattern(const QString &shortFormat) {
    QString out;
    for (qsizetype i = 0; i < shortFormat.size();) {
        const QChar c = shortFormat[i];
        qsizetype j = i;
        while (j < shortFormat.size() && shortFormat[j] == c)
            ++j;
        if (c == u'y')
            out += QStringLiteral("yyyy");
        else if ((c == u'd' || c == u'M') && j - i <= 2)
            out += QString(2, c);
        else
            out += shortFormat.mid(i, j - i);
        i = j;
    }
    return out;
}

} // namespace

void setUserLocale(const QLocale &locale) {
    UserForm form;
    const bool english = locale.language() == QLocale::English || locale.language() == QLocale::C;
    if (!english) {
        form.fixed = false;
        form.locale = locale;
        form.decimal = locale.decimalPoint().size() == 1 ? locale.decimalPoint()[0] : QChar(u'.');
        form.group = locale.groupSeparator().size() == 1 ? locale.groupSeparator()[0] : QChar(u',');
        if (form.group == form.decimal)
            form.group = form.decimal == u',' ? QChar(u'.') : QChar(u',');
        const QString shortFormat = locale.dateFormat(QLocale::ShortFormat);
        const qsizetype d = shortFormat.indexOf(u'd'), m = shortFormat.indexOf(u'M'),
                        y = shortFormat.indexOf(u'y');
        if (y >= 0 && y < m && y < d)
            form.order = DateOrder::YearMonthDay;
        else if (d >= 0 && m >= 0 && d < m)
            form.order = DateOrder::DayMonthYear;
        form.datePattern = fullDatePattern(shortFormat);
        // A pattern the reader could not read back would lose what is typed.
        const QDate probe(2026, 12, 31);
        form.locale = locale;
        userForm() = form;
        const auto back = toUserDate(probe.toString(form.datePattern));
        if (!back || *back != probe) {
            form.datePattern = form.order == DateOrder::YearMonthDay ? QStringLiteral("yyyy-MM-dd")
                               : form.order == DateOrder::DayMonthYear
                                   ? QStringLiteral("dd.MM.yyyy")
                                   : QStringLiteral("MM/dd/yyyy");
        }
    }
    userForm() = form;
}

bool userFormIsFixed() {
    return userForm().fixed;
}

QString userNumberText(const QString &fixed) {
    const UserForm &f = userForm();
    if (f.fixed)
        return fixed;
    QString out = fixed;
    for (QChar &c : out) {
        if (c == u'.')
            c = f.decimal;
        else if (c == u',')
            c = f.group;
    }
    return out;
}

QString fixedNumberText(QStringView typed) {
    const UserForm &f = userForm();
    QString out = typed.toString();
    if (f.fixed)
        return out;
    for (QChar &c : out) {
        if (c == f.decimal)
            c = u'.';
        else if (c == f.group)
            c = u',';
        else if (c == u'.' || c == u',')
            c = QChar(0xFFFD); // the fixed form's marks mean nothing here
    }
    return out;
}

bool readsAsUserNumber(QStringView typed) {
    return readsAsNumber(fixedNumberText(typed));
}

std::optional<double> toUserNumber(QStringView typed) {
    return toNumber(fixedNumberText(typed));
}

bool readsAsUserFiniteNumber(QStringView typed) {
    return readsAsFiniteNumber(fixedNumberText(typed));
}

std::optional<Fixed4> toUserAmount(QStringView typed) {
    return Fixed4::fromText(fixedNumberText(typed));
}

std::optional<QDate> toUserDate(QStringView text, QDate today) {
    const UserForm &f = userForm();
    if (f.fixed)
        return toDate(text, today);
    return readDate(text, today, f.order, &f.locale);
}

bool readsAsUserDate(QStringView text) {
    return toUserDate(text).has_value();
}

QString userDateText(QDate date) {
    const UserForm &f = userForm();
    return f.fixed ? dateText(date) : date.toString(f.datePattern);
}

QString formatUserDate(const QString &text) {
    const auto d = toUserDate(text);
    return d ? userDateText(*d) : text;
}

QString userDateFormatName() {
    const UserForm &f = userForm();
    if (f.fixed)
        return QStringLiteral("mm/dd/yyyy");
    QString name = f.datePattern;
    const QString day = QCoreApplication::translate("corv::DateFormat", "dd");
    const QString month = QCoreApplication::translate("corv::DateFormat", "mm");
    const QString year = QCoreApplication::translate("corv::DateFormat", "yyyy");
    name.replace(QStringLiteral("yyyy"), QStringLiteral("\x01"));
    name.replace(QStringLiteral("dd"), QStringLiteral("\x02"));
    name.replace(QStringLiteral("MM"), QStringLiteral("\x03"));
    name.replace(QStringLiteral("\x01"), year);
    name.replace(QStringLiteral("\x02"), day);
    name.replace(QStringLiteral("\x03"), month);
    return name;
}

QString withUserDateFormat(QString message) {
    if (userForm().fixed)
        return message;
    return message.replace(QStringLiteral("mm/dd/yyyy"), userDateFormatName());
}

} // namespace corv
