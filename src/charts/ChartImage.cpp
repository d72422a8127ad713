#include "ChartImage.h"

#include "CorvChart.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <memory>

namespace corv {

QString chartImageText::writeFailed(const QString &file, const QString &reason) {
    QString text = QCoreApplication::translate("ChartImage", "The chart could not be saved as %1.")
                       .arg(QDir::toNativeSeparators(file));
    if (!reason.isEmpty())
        text += QStringLiteral("\n\n") + reason;
    return text;
}

QString chartImageText::replaceQuestion(const QString &file) {
    return QCoreApplication::translate("ChartImage",
                                       "%1 already exists.\nDo you want to replace it?")
        .arg(QDir::toNativeSeparators(file));
}

std::optional<ImageFormat> imageFormatFor(QString *fileName) {
    const QString suffix = QFileInfo(*fileName).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return ImageFormat::Png;
    if (suffix == QLatin1String("svg"))
        return ImageFormat::Svg;
    if (!suffix.isEmpty())
        return std::nullopt;
    // "chart." has an empty extension too: do not make it "chart..png".
    if (fileName->endsWith(QLatin1Char('.')))
        fileName->chop(1);
    *fileName += QStringLiteral(".png");
    return ImageFormat::Png;
}

std::optional<int> imageSide(const QString &text) {
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 6)
        return std::nullopt;
    for (QChar c : t)
        if (c < u'0' || c > u'9')
            return std::nullopt;
    const int n = t.toInt();
    if (n < MinImageSide || n > MaxImageSide)
        return std::nullopt;
    return n;
}

namespace {

// The chart is laid out at its size on screen, enlarged, when the picture
// is larger than that in both directions; otherwise at the picture's size.
QSizeF layoutFor(const CorvChart &chart, const QSize &size) {
    const QSize shown = chart.pictureSize();
    double scale = 1;
    if (shown.width() > 0 && shown.height() > 0)
        scale = std::max(1.0, std::min(double(size.width()) / shown.width(),
                                       double(size.height()) / shown.height()));
    return QSizeF(size) / scale;
}

// The encoder's output, which stops taking bytes once the save is given up:
// the encoder then ends at its next write.
class StoppableBuffer : public QBuffer {
public:
    explicit StoppableBuffer(QByteArray *bytes) : QBuffer(bytes) {}
    std::atomic<bool> stopped{false};

protected:
    qint64 writeData(const char *data, qint64 length) override {
        return stopped ? -1 : QBuffer::writeData(data, length);
    }
};

// Compresses the picture on a thread of its own, so the window goes on
// answering (a picture of 8000 x 8000 pixels takes many seconds); `stillWanted`
// is asked every few hundredths of a second until it is done. False, with
// `*cancelled` set, when it says no.
bool encodePng(const QImage &image, QByteArray *bytes, QString *why,
               const std::function<bool()> &stillWanted, bool *cancelled) {
    StoppableBuffer buffer(bytes);
    buffer.open(QIODevice::WriteOnly);
    bool written = false;
    QString reason;
    std::unique_ptr<QThread> worker(QThread::create([&] {
        QImageWriter writer(&buffer, "png");
        written = writer.write(image);
        reason = writer.errorString();
    }));
    worker->start();
    while (!worker->wait(QDeadlineTimer(30))) {
        if (stillWanted && !*cancelled && !stillWanted()) {
            *cancelled = true;
            buffer.stopped = true;
        }
    }
    if (*cancelled || !written) {
        *why = reason;
        bytes->clear();
        return false;
    }
    return true;
}

bool writeAll(const QString &fileName, const QByteArray &bytes, QString *error) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = chartImageText::writeFailed(fileName, file.errorString());
        file.cancelWriting();
        return false;
    }
    return true;
}

} // namespace

bool saveChartImage(const CorvChart &chart, const QString &fileName, ImageFormat format,
                    const QSize &size, QString *error, const std::function<bool()> &stillWanted) {
    if (error)
        error->clear();
    const QRectF target(QPointF(0, 0), QSizeF(size));
    const QSizeF layout = layoutFor(chart, size);
    QByteArray bytes;
    if (format == ImageFormat::Png) {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        if (image.isNull()) {
            if (error)
                *error = chartImageText::writeFailed(
                    fileName, QCoreApplication::translate(
                                  "ChartImage", "There is not enough memory for a picture of "
                                                "%1 x %2 pixels; please choose a smaller size.")
                                  .arg(size.width())
                                  .arg(size.height()));
            return false;
        }
        image.fill(chart.pictureBackground());
        {
            QPainter p(&image);
            chart.render(p, target, layout);
        }
        bool cancelled = false;
        QString why;
        if (!encodePng(image, &bytes, &why, stillWanted, &cancelled)) {
            if (error && !cancelled)
                *error = chartImageText::writeFailed(fileName, why);
            return false;
        }
    } else {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(target);
        svg.setTitle(QStringLiteral("CorvChart"));
        {
            QPainter p(&svg);
            p.fillRect(target, chart.pictureBackground());
            chart.render(p, target, layout);
        }
        // The generator gives the size in millimetres, which viewers turn
        // back into pixels at differing resolutions; the size chosen was in
        // pixels, so that is what the drawing says.
        static const QRegularExpression mmSize(
            QStringLiteral("(<svg\\b[^>]*?\\s)width=\"[^\"]*\"\\s+height=\"[^\"]*\""));
        const QString text = QString::fromUtf8(bytes);
        const QRegularExpressionMatch m = mmSize.match(text);
        if (m.hasMatch())
            bytes =
                (text.left(m.capturedStart()) + m.captured(1) +
                 QStringLiteral("width=\"%1\" height=\"%2\"").arg(size.width()).arg(size.height()) +
                 text.mid(m.capturedEnd()))
                    .toUtf8();
    }
    return writeAll(fileName, bytes, error);
}

} // namespace corv
