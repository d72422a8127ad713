// Saving the chart as a picture file: a PNG image or an SVG drawing, at a
// size the user picks. The checks and the writing need no window; the chart
// window asks for the file and the size and shows what goes wrong.
#pragma once

#include <QSize>
#include <QString>
#include <functional>
#include <optional>

namespace corv {

class CorvChart;

enum class ImageFormat { Png, Svg };

// The sides a saved picture may have, in pixels.
constexpr int MinImageSide = 200;
constexpr int MaxImageSide = 8000;

namespace chartImageText {
inline const QString Title = QStringLiteral("Save Image");
inline const QString SizeTitle = QStringLiteral("Image Size");
inline const QString Filter = QStringLiteral("PNG Image (*.png)|*.png|SVG Image (*.svg)|*.svg");
inline const QString NumericErrorTitle = QStringLiteral("Numeric Error");
inline const QString BadWidth =
    QStringLiteral("Please enter a valid width: a whole number of pixels from 200 to 8000!");
inline const QString BadHeight =
    QStringLiteral("Please enter a valid height: a whole number of pixels from 200 to 8000!");
inline const QString BadType =
    QStringLiteral("Corvella saves the chart as a PNG image or an SVG drawing. Please choose a "
                   "file name ending in .png or .svg.");
// "The chart could not be saved as <file>." and the system's reason.
QString writeFailed(const QString &file, const QString &reason);
QString replaceQuestion(const QString &file);
} // namespace chartImageText

// The format a file name asks for, by its extension (letter case ignored).
// A name without an extension gets ".png" added; nullopt for any other
// extension.
std::optional<ImageFormat> imageFormatFor(QString *fileName);

// A side of the picture as typed: a whole number from MinImageSide to
// MaxImageSide, blanks around it allowed; nullopt for anything else.
std::optional<int> imageSide(const QString &text);

// Writes `chart`, as it shows now (zoom included), to `fileName` at `size`
// pixels. A picture much larger than the chart on screen is drawn as the
// chart would look enlarged, not with its labels shrunk to specks. The file
// is replaced only once the picture is complete. False, with the reason in
// `error` (a whole message for the user), when it cannot be written.
// A PNG is compressed while `stillWanted` is asked, every few hundredths of
// a second, whether to go on (the window keeps answering meanwhile); when it
// says no, nothing is written and false comes back with `error` empty.
bool saveChartImage(const CorvChart &chart, const QString &fileName, ImageFormat format,
                    const QSize &size, QString *error = nullptr,
                    const std::function<bool()> &stillWanted = {});

} // namespace corv
