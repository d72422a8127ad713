// Printing a picture as large as the page allows, and printing the chart.
//
// The picture turns the page to landscape when it is wider than high, keeps
// its proportions, touches two opposite edges of the printable area and
// starts at its top-left corner. The chart is drawn straight onto the
// printer at the printer's resolution; the clipboard is never involved, so
// whatever the user copied stays where it is.
#pragma once

#include <QPageLayout>
#include <QSizeF>
#include <QString>
#include <functional>
#include <memory>

class QPainter;
class QPrinter;
class QRectF;

namespace corv {

class CorvChart;

// Landscape when the picture is wider than high; a square prints upright.
QPageLayout::Orientation pictureOrientation(const QSizeF &picture);
// The largest size of the picture's proportions that fits the page: the
// full page width when the picture is relatively wider than the page, else
// the full page height. Any unit, as long as both sizes share it.
QSizeF fittedSize(const QSizeF &picture, const QSizeF &page);

// Something that can be drawn into a rectangle: a chart, an image.
struct PrintablePicture {
    QSizeF size; // its proportions
    std::function<void(QPainter &, const QRectF &)> draw;
};

// Prints one picture on one page of `printer` and ends the document. False
// when nothing could be printed (an empty picture, or a printer that does
// not start).
bool PrintFittedPicture(QPrinter &printer, const PrintablePicture &picture);
// The chart as it is shown, laid out as on the screen and drawn for the page.
bool PrintFittedPicture(QPrinter &printer, const CorvChart &chart);

// Where printing goes. The program asks the system for its default printer;
// tests put a source in its place that prints to a PDF file.
class PrinterSource {
public:
    virtual ~PrinterSource() = default;
    // The default printer ready to print, or nullptr when there is none.
    virtual std::unique_ptr<QPrinter> defaultPrinter() = 0;
};
PrinterSource &printerSource();
// Installs `source` (not owned); nullptr restores the system's printers.
void setPrinterSource(PrinterSource *source);

namespace chartPrintText {
inline const QString NoPrinter = QStringLiteral("No printer is available.");
inline const QString Failed = QStringLiteral("The chart could not be printed.");
} // namespace chartPrintText

// Prints the chart on the default printer. On failure returns false and
// gives the message for the user in `error`.
bool PrintChart(const CorvChart &chart, QString *error = nullptr);

} // namespace corv
