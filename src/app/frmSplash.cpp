#include "frmSplash.h"

#include "Artwork.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

namespace corv {

frmSplash::frmSplash(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    fitToText();
    Timer1.setInterval(2500);
    Timer1.setSingleShot(true);
    connect(&Timer1, &QTimer::timeout, this, &frmSplash::CloseSplash);
}

namespace {

QFont titleFont(QFont f) {
    f.setPointSizeF(f.pointSizeF() * 3.0);
    f.setBold(true);
    return f;
}
QFont versionFont(QFont f) {
    f.setPointSizeF(f.pointSizeF() * 1.05);
    return f;
}
QFont smallFont(QFont f) {
    f.setPointSizeF(f.pointSizeF() * 0.85);
    return f;
}
QString versionText() {
    return QCoreApplication::translate("frmSplash",
                                       "Aquarium Information Toolkit Version 1.00 for Windows");
}

// The place `text` takes in `font` at (x, y), wrapped to `width`; wider
// when one word is longer than that.
QRect placeOf(const QFont &font, int x, int y, int width, const QString &text) {
    const QRect need = QFontMetrics(font).boundingRect(QRect(0, 0, width, 100000),
                                                       Qt::AlignLeft | Qt::TextWordWrap, text);
    return QRect(x, y, qMax(width, need.width()), need.height());
}

} // namespace

frmSplash::TextPlaces frmSplash::textPlaces() const {
    const QRect r = rect();
    const double k = r.height() / 260.0;
    const int left = int(r.width() * 0.40);
    const int width = r.width() - left - int(20 * k);
    const QFont f = font();
    TextPlaces at;
    at.title = placeOf(titleFont(f), left, int(40 * k), width,
                       QCoreApplication::translate("frmSplash", "Corvella"));
    at.title.setHeight(qMax(at.title.height(), int(60 * k)));
    at.version = placeOf(versionFont(f), left, at.title.bottom() + 1, width, versionText());
    at.contact = placeOf(smallFont(f), left, at.version.bottom() + 1 + int(10 * k), width,
                         Artwork::contactLine());
    at.notice = placeOf(smallFont(f), left, at.contact.bottom() + 1 + int(6 * k), width,
                        Artwork::legalNotice());
    return at;
}

void frmSplash::fitToText() {
    QSize size(520, 260);
    for (int step = 0; step < 20; ++step) {
        setFixedSize(size);
        const TextPlaces at = textPlaces();
        const int margin = 12 * size.height() / 260;
        bool fits = at.notice.bottom() + margin < size.height();
        for (const QRect &place : {at.title, at.version, at.contact, at.notice})
            fits = fits && place.right() + margin < size.width();
        if (fits)
            break;
        size = QSize(size.width() + 52, size.height() + 26);
    }
}

void frmSplash::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    // Centred on the main window, wherever the window system put it.
    if (const QWidget *main = parentWidget())
        move(main->frameGeometry().center() - rect().center());
    Form_Load();
}

void frmSplash::Form_Load() {
    Timer1.start();
}

void frmSplash::CloseSplash() {
    Timer1.stop();
    accept();
}

void frmSplash::changeEvent(QEvent *event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitToText();
}

void frmSplash::mousePressEvent(QMouseEvent *) {
    CloseSplash();
}

void frmSplash::keyPressEvent(QKeyEvent *) {
    CloseSplash();
}

void frmSplash::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRect r = rect();
    p.drawPixmap(r, Artwork::splash(r.size(), devicePixelRatioF()));
    // A soft band so the texts stay readable over the water.
    QLinearGradient band(r.width() * 0.30, 0, r.width(), 0);
    band.setColorAt(0.0, QColor(255, 255, 255, 0));
    band.setColorAt(0.25, QColor(255, 255, 255, 150));
    band.setColorAt(1.0, QColor(255, 255, 255, 190));
    p.fillRect(r, band);

    const TextPlaces at = textPlaces();
    p.setFont(titleFont(font()));
    p.setPen(QColor(11, 79, 108));
    p.drawText(at.title, Qt::AlignLeft | Qt::AlignVCenter,
               QCoreApplication::translate("frmSplash", "Corvella"));
    p.setFont(versionFont(font()));
    p.setPen(QColor(20, 40, 55));
    p.drawText(at.version, Qt::AlignLeft | Qt::TextWordWrap, versionText());
    p.setFont(smallFont(font()));
    p.setPen(QColor(40, 60, 75));
    p.drawText(at.contact, Qt::AlignLeft | Qt::TextWordWrap, Artwork::contactLine());
    p.drawText(at.notice, Qt::AlignLeft | Qt::TextWordWrap, Artwork::legalNotice());

    p.setPen(QPen(QColor(11, 79, 108), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
}

} // namespace corv
