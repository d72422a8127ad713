#include "ChartPrinting.h"

#include "CorvChart.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace corv {

QPageLayout::Orientation pictureOrientation(const QSizeF &picture) {
    return picture.height() < picture.width() ? QPageLayout::Landscape : QPageLayout::Portrait;
}

QSizeF fittedSize(const QSizeF &picture, const QSizeF &page) {
    if (picture.width() <= 0 || picture.height() <= 0 || page.width() <= 0 || page.height() <= 0)
        return QSizeF(0, 0);
    const double pictureRatio = picture.width() / picture.height();
    const double pageRatio = page.width() / page.height();
    if (pictureRatio >= pageRatio)
        return QSizeF(page.width(), page.width() / pictureRatio);
    return QSizeF(page.height() * pictureRatio, page.height());
}

bool PrintFittedPicture(QPrinter &printer, const PrintablePicture &picture) {
    if (picture.size.isEmpty() || !picture.draw)
        return false;
    printer.setPageOrientation(pictureOrientation(picture.size));
    // The printable area in device pixels; the painter's origin is its
    // top-left corner.
    const QSizeF page = printer.pageRect(QPrinter::DevicePixel).size();
    const QSizeF printed = fittedSize(picture.size, page);
    if (printed.isEmpty())
        return false;
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    picture.draw(painter, QRectF(QPointF(0, 0), printed));
    return painter.end();
}

bool PrintFittedPicture(QPrinter &printer, const CorvChart &chart) {
    const QSizeF shown(chart.pictureSize());
    return PrintFittedPicture(printer, {shown, [&chart, shown](QPainter &p, const QRectF &r) {
                                            chart.render(p, r, shown);
                                        }});
}

namespace {

class SystemPrinters : public PrinterSource {
public:
    std::unique_ptr<QPrinter> defaultPrinter() override {
        if (QPrinterInfo::availablePrinterNames().isEmpty())
            return nullptr;
        QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull())
            info = QPrinterInfo::printerInfo(QPrinterInfo::availablePrinterNames().first());
        if (info.isNull())
            return nullptr;
        return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    }
};

SystemPrinters systemPrinters;
PrinterSource *currentSource = nullptr;

} // namespace

PrinterSource &printerSource() {
    return currentSource ? *currentSource : systemPrinters;
}

void setPrinterSource(PrinterSource *source) {
    currentSource = source;
}

bool PrintChart(const CorvChart &chart, QString *error) {
    std::unique_ptr<QPrinter> printer = printerSource().defaultPrinter();
    if (!printer) {
        if (error)
            *error = chartPrintText::NoPrinter;
        return false;
    }
    printer->setDocName(QStringLiteral("CorvChart"));
    if (!PrintFittedPicture(*printer, chart)) {
        if (error)
            *error = chartPrintText::Failed;
        return false;
    }
    if (error)
        error->clear();
    return true;
}

} // namespace corv
