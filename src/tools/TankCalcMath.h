// The tank calculator's arithmetic: from the texts and choices of the
// calculator window to the ten result texts, or to the message that stops
// the calculation. No widgets here; the window copies the texts in and out.
#pragma once

#include <QString>

namespace corv::tankcalc {

// The values are the indices of the window's combo boxes. An index outside
// these (no item selected) counts as the first item of its box: a
// rectangular, fresh-water tank measured in inches, volume in US gallons.
enum Shape { Rectangular = 0, Circular = 1, Hexagonal = 2 };
enum Type { FreshWater = 0, SaltWater = 1, ColdWater = 2 };
enum Measure { Inches = 0, Centimeters = 1 };
enum VolumeUnit { USGallons = 0, Liters = 1 };

// The input that receives the focus together with a stopping message.
enum class Field {
    None,
    Height,
    Radius,
    Length,
    Width,
    Light,
    PercentSmall,
    PercentMedium,
    PercentLarge
};

struct Inputs {
    int shape = Rectangular, type = FreshWater, measure = Inches, volume = USGallons;
    QString height, length, radius, width, light;      // as typed
    QString percentSmall, percentMedium, percentLarge; // as typed
};

// The ten texts shown, e.g. area "960² Inches", volume "50 US Gal.",
// heat "150 watts" (or "NA" for cold water).
struct Results {
    QString area, volume, weight, heat, low, medium, bright, smallFish, mediumFish, largeFish;
};

struct Outcome {
    bool calculated = false;   // true when results were produced
    QString message;           // the message that stopped the calculation, if any
    Field focus = Field::None; // where the focus goes with that message
    // "Less than 100 percent of fish allocated!" when the percentages total
    // less than 99; the calculation goes on after it.
    QString warning;
    // The percentage texts as the window must show them afterwards: an empty
    // field reads "0" once the dimensions have been accepted.
    QString percentSmall, percentMedium, percentLarge;
    Results results; // empty unless calculated
    // The water's volume in the unit asked, unrounded (the care log's
    // planner works with it); 0 unless calculated.
    double volume = 0;
};

Outcome calculate(const Inputs &in);

// A result as shown: rounded to a whole number, halves to the even
// neighbour. From 1E+15 on, a double no longer holds every digit, so the
// number is written in scientific form with at most 15 significant digits
// (4.8E+31) rather than with digits that look exact and are not.
QString resultText(double value);

} // namespace corv::tankcalc
