// The temperature converter's arithmetic: one temperature from Fahrenheit to
// Celsius or back, with the range checks and messages of the converter window.
#pragma once

#include <QString>

namespace corv::tempconv {

enum class Source { Fahrenheit, Celsius };
enum class Focus { None, Fahrenheit, Celsius };

struct Outcome {
    // The texts the two fields show afterwards: cut before their first "°"
    // when a check fails, both results followed by "°" on success.
    QString fahrenheit, celsius;
    QString message; // empty on success
    Focus focus = Focus::None;
};

// f, c: the two fields' texts. lastEdited: the field the user typed in last
// (Fahrenheit right after opening). When both fields hold text, the one typed
// in last is tried first; otherwise Fahrenheit comes before Celsius. The
// first of them that reads as a number is converted.
Outcome calculate(const QString &f, const QString &c, Source lastEdited);

} // namespace corv::tempconv
