#include "TankCalcMath.h"

#include "platform/Conversions.h"

#include <cmath>
#include <initializer_list>

#include <QCoreApplication>

namespace corv::tankcalc {

namespace {

const double InchesPerCentimeter = 0.3937;
const double CentimetersPerInch = 2.54;

// Outcome of adding up the three fish percentages.
enum class Allocation { TooMuch, TooLittle, Enough };

// The total is an exact four-decimal sum, so that 33.3 three times is 99.9
// and not a binary near miss. A percentage the exact form cannot hold (1e30)
// or a sum that overflows it is judged by the double sum instead: above 100
// is too much, anything else too little.
Allocation allocation(const QString &small, const QString &medium, const QString &large,
                      double doubleSum) {
    const auto s = Fixed4::fromText(small);
    const auto m = Fixed4::fromText(medium);
    const auto l = Fixed4::fromText(large);
    std::optional<Fixed4> total;
    if (s && m && l) {
        if (const auto sm = s->plus(*m))
            total = sm->plus(*l);
    }
    if (!total)
        return doubleSum > 100.0 ? Allocation::TooMuch : Allocation::TooLittle;
    if (*total > Fixed4::fromInt(100))
        return Allocation::TooMuch;
    if (*total < Fixed4::fromInt(99))
        return Allocation::TooLittle;
    return Allocation::Enough;
}

// Area of the tank's shape. The figure in the radius field is the tank's
// width across (across the corners for a hexagon), which is what a keeper can
// measure: pi/4 * d * d for a circle, 3/8 * sqrt(3) * d * d for a hexagon.
double shapeArea(int shape, double height, double length, double radius) {
    switch (shape) {
    case Circular:
        return radius * radius * 3.14159 / 4;
    case Hexagonal:
        return radius * radius * (3.0 / 8.0) * 1.732;
    default:
        // Length times height; the width is the third dimension the volume
        // multiplies this area by.
        return length * height;
    }
}

} // namespace

Outcome calculate(const Inputs &in) {
    Outcome out;
    out.percentSmall = in.percentSmall;
    out.percentMedium = in.percentMedium;
    out.percentLarge = in.percentLarge;

    const auto stop = [&out](const char *message, Field focus) {
        out.message = QCoreApplication::translate("TankCalcMath", message);
        out.focus = focus;
        return out;
    };

    const bool roundTank = in.shape == Circular || in.shape == Hexagonal;
    // An infinite figure ("1e999") is refused like any other bad entry.
    if (!roundTank && !readsAsFiniteNumber(in.height))
        return stop(QT_TRANSLATE_NOOP("TankCalcMath", "Please enter a valid Height!"),
                    Field::Height);
    if (roundTank && !readsAsFiniteNumber(in.radius))
        return stop(QT_TRANSLATE_NOOP("TankCalcMath", "Please enter a valid Radius!"), Field::None);
    if (!roundTank && !readsAsFiniteNumber(in.length))
        return stop(QT_TRANSLATE_NOOP("TankCalcMath", "Please enter a valid Length!"),
                    Field::Length);
    if (!readsAsFiniteNumber(in.width))
        return stop(QT_TRANSLATE_NOOP("TankCalcMath", "Please enter a valid Width!"), Field::Width);
    if (!readsAsFiniteNumber(in.light))
        return stop(QT_TRANSLATE_NOOP("TankCalcMath", "Please enter a valid Light Distance!"),
                    Field::Light);

    for (QString *p : {&out.percentSmall, &out.percentMedium, &out.percentLarge}) {
        if (p->isEmpty())
            *p = QStringLiteral("0");
    }
    if (!readsAsFiniteNumber(out.percentSmall))
        return stop(QT_TRANSLATE_NOOP("TankCalcMath", "Please enter a valid Percent Small Fish!"),
                    Field::PercentSmall);
    if (!readsAsFiniteNumber(out.percentMedium))
        return stop(QT_TRANSLATE_NOOP("TankCalcMath", "Please enter a valid Percent Medium Fish!"),
                    Field::PercentMedium);
    if (!readsAsFiniteNumber(out.percentLarge))
        return stop(QT_TRANSLATE_NOOP("TankCalcMath", "Please enter a valid Percent Large Fish!"),
                    Field::PercentLarge);

    const double pctSmall = *toNumber(out.percentSmall);
    const double pctMedium = *toNumber(out.percentMedium);
    const double pctLarge = *toNumber(out.percentLarge);
    switch (allocation(out.percentSmall, out.percentMedium, out.percentLarge,
                       pctSmall + pctMedium + pctLarge)) {
    case Allocation::TooMuch:
        return stop(QT_TRANSLATE_NOOP("TankCalcMath", "Fish percents total more than 100!"),
                    Field::PercentSmall);
    case Allocation::TooLittle:
        out.warning =
            QCoreApplication::translate("TankCalcMath", "Less than 100 percent of fish allocated!");
        break;
    case Allocation::Enough:
        break;
    }

    // The fields that do not apply to the shape hold "N/A" and read as 0.
    // The numeric test above accepted thousands groups, and the leading
    // number honours them, so "1,000" is 1000 here too.
    const double height = leadingNumber(in.height);
    const double radius = leadingNumber(in.radius);
    const double length = leadingNumber(in.length);
    const double width = leadingNumber(in.width);
    const double light = leadingNumber(in.light);

    const bool metric = in.measure == Centimeters;
    const double inchHeight = metric ? height * InchesPerCentimeter : height;
    const double inchRadius = metric ? radius * InchesPerCentimeter : radius;
    const double inchLength = metric ? length * InchesPerCentimeter : length;
    const double inchWidth = metric ? width * InchesPerCentimeter : width;
    const double inchLight = metric ? light * InchesPerCentimeter : light;
    const QString areaUnit = metric ? QCoreApplication::translate("TankCalcMath", "\u00B2 Cent.")
                                    : QCoreApplication::translate("TankCalcMath", "\u00B2 Inches");

    // The surface shown and the fish stocking use the unit the user typed;
    // water and light are reckoned in inches whatever the unit.
    const double area = shapeArea(in.shape, height, length, radius);
    const double areaInches = shapeArea(in.shape, inchHeight, inchLength, inchRadius);

    double volume = (inchWidth * areaInches) / 231;
    double weight = volume * (in.type == SaltWater ? 9.5 : 8.3453);
    const double heat = volume * 3; // heaters are rated per US gallon
    QString volumeUnit = QCoreApplication::translate("TankCalcMath", " US Gal.");
    QString weightUnit = QCoreApplication::translate("TankCalcMath", " lbs.");
    if (in.volume == Liters) {
        volumeUnit = QCoreApplication::translate("TankCalcMath", " Liters");
        weightUnit = QCoreApplication::translate("TankCalcMath", " kgs.");
        weight = weight * 0.4536;
        volume = volume * 3.785;
    }

    // Square units of surface each unit of fish length needs.
    double surfacePerFish = 12;
    if (in.type == SaltWater)
        surfacePerFish = 48;
    else if (in.type == ColdWater)
        surfacePerFish = 30;
    if (metric)
        surfacePerFish = surfacePerFish * CentimetersPerInch;
    const double capacity = area / surfacePerFish;

    // Small, medium and large fish are 1, 4 and 8 inches long.
    double smallFish = (capacity / 1) * (pctSmall / 100);
    double mediumFish = (capacity / 4) * (pctMedium / 100);
    double largeFish = (capacity / 8) * (pctLarge / 100);
    if (metric) {
        smallFish = smallFish / CentimetersPerInch;
        mediumFish = mediumFish / CentimetersPerInch;
        largeFish = largeFish / CentimetersPerInch;
    }

    const double lightBase = areaInches * inchLight;
    const double low = lightBase * 0.08 / 11;
    const double medium = lightBase * 0.15 / 11;
    const double bright = lightBase * 0.27 / 11;

    const bool coldWater = in.type == ColdWater;
    // Absurd dimensions (1e200) overflow to infinity or NaN, which has no
    // whole-number text. Huge but finite values are fine: they are written
    // out in full, beyond 32 and 64 bits alike.
    for (double shown : {area, volume, weight, coldWater ? 0.0 : heat, low, medium, bright,
                         smallFish, mediumFish, largeFish}) {
        if (!std::isfinite(shown))
            return stop(
                QT_TRANSLATE_NOOP("TankCalcMath", "The dimensions are too large to calculate."),
                Field::None);
    }

    const QString watts = QCoreApplication::translate("TankCalcMath", " watts");
    Results &r = out.results;
    r.area = userNumberText(resultText(area)) + areaUnit;
    r.volume = userNumberText(resultText(volume)) + volumeUnit;
    r.weight = userNumberText(resultText(weight)) + weightUnit;
    r.heat = coldWater ? QCoreApplication::translate("TankCalcMath", "NA")
                       : userNumberText(resultText(heat)) + watts;
    r.low = userNumberText(resultText(low)) + watts;
    r.medium = userNumberText(resultText(medium)) + watts;
    r.bright = userNumberText(resultText(bright)) + watts;
    r.smallFish = userNumberText(resultText(smallFish));
    r.mediumFish = userNumberText(resultText(mediumFish));
    r.largeFish = userNumberText(resultText(largeFish));
    out.volume = volume;
    out.calculated = true;
    return out;
}

QString resultText(double value) {
    const double whole = roundHalfEven(value);
    if (!std::isfinite(whole) || std::fabs(whole) < 1e15)
        return wholeNumberText(whole);
    // "4.80000000000000E+31" -> "4.8E+31"
    const QString full = QString::number(whole, 'E', 14);
    const qsizetype e = full.indexOf(u'E');
    QString mantissa = full.left(e);
    while (mantissa.endsWith(u'0'))
        mantissa.chop(1);
    if (mantissa.endsWith(u'.'))
        mantissa.chop(1);
    return mantissa + full.mid(e);
}

} // namespace corv::tankcalc
