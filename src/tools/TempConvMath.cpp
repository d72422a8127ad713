#include "TempConvMath.h"

#include "platform/Conversions.h"

#include <utility>

#include <QCoreApplication>

namespace corv::tempconv {

namespace {

const QChar Degree(0x00B0);

// The fields show "32°"; the number is what stands before the first degree
// sign, whatever follows it.
QString beforeDegree(const QString &text) {
    const qsizetype at = text.indexOf(Degree);
    return at < 0 ? text : text.left(at);
}

} // namespace

Outcome calculate(const QString &f, const QString &c, Source lastEdited) {
    Outcome out;
    out.fahrenheit = beforeDegree(f);
    out.celsius = beforeDegree(c);

    // Leaving a field empties the other one, so normally only one holds text.
    // Both are filled when Calculate is pressed before either field has lost
    // the focus (straight after opening, say); the one typed in last is then
    // what the user means.
    Source order[2] = {Source::Fahrenheit, Source::Celsius};
    if (!out.fahrenheit.isEmpty() && !out.celsius.isEmpty() && lastEdited == Source::Celsius)
        std::swap(order[0], order[1]);

    for (Source source : order) {
        const bool fromF = source == Source::Fahrenheit;
        const auto value = toNumber(fromF ? out.fahrenheit : out.celsius);
        if (!value)
            continue;
        double fahrenheit, celsius;
        if (fromF) {
            if (!(*value >= -500 && *value <= 500)) {
                out.message = QCoreApplication::translate(
                    "TempConvMath",
                    "Please enter a temprature in the range of -500\u00B0 to 500\u00B0 F!");
                out.focus = Focus::Fahrenheit;
                return out;
            }
            fahrenheit = *value;
            celsius = (fahrenheit - 32) * (100.0 / 180.0);
        } else {
            if (!(*value >= -295 && *value <= 260)) {
                out.message = QCoreApplication::translate(
                    "TempConvMath",
                    "Please enter a temprature in the range of -295\u00B0 to 260\u00B0 C!");
                out.focus = Focus::Celsius;
                return out;
            }
            celsius = *value;
            fahrenheit = (180.0 / 100.0) * celsius + 32;
        }
        out.fahrenheit = singleText(fahrenheit) + Degree;
        out.celsius = singleText(celsius) + Degree;
        return out;
    }

    out.message = QCoreApplication::translate("TempConvMath", "Please enter a valid temprature!");
    out.focus = Focus::Fahrenheit;
    return out;
}

} // namespace corv::tempconv
