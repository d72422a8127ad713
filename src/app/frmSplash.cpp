#include "frmSplash.h"

#include "Artwork.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

namespace corv {

frmSplash::frmSplash(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setFixedSize(520, 260);
    Timer1.setInterval(2500);
    Timer1.setSingleShot(true);
    connect(&Timer1, &QTimer::timeout, this, &frmSplash::CloseSplash);
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

    const int left = int(r.width() * 0.40);
    QFont title = font();
    title.setPointSizeF(title.pointSizeF() * 3.0);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(11, 79, 108));
    p.drawText(QRect(left, 40, r.width() - left - 20, 60), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Corvella"));

    QFont line = font();
    line.setPointSizeF(line.pointSizeF() * 1.05);
    p.setFont(line);
    p.setPen(QColor(20, 40, 55));
    p.drawText(QRect(left, 100, r.width() - left - 20, 50), Qt::AlignLeft | Qt::TextWordWrap,
               QStringLiteral("Aquarium Information Toolkit Version 1.00 for Windows"));

    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    p.setFont(small);
    p.setPen(QColor(40, 60, 75));
    p.drawText(QRect(left, 160, r.width() - left - 20, 20), Qt::AlignLeft, Artwork::contactLine());
    p.drawText(QRect(left, 184, r.width() - left - 20, 60), Qt::AlignLeft | Qt::TextWordWrap,
               Artwork::legalNotice());

    p.setPen(QPen(QColor(11, 79, 108), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
}

} // namespace corv
