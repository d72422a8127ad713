#include "Artwork.h"

#include <QPainter>
#include <QSvgRenderer>

namespace corv {

namespace {

QPixmap render(const QString &resource, const QSize &size, qreal dpr) {
    QPixmap pm(size * dpr);
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    QSvgRenderer svg(resource);
    if (svg.isValid()) {
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        svg.render(&p, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    return pm;
}

} // namespace

QPixmap Artwork::logo(int size, qreal dpr) {
    return render(QStringLiteral(":/icons/corvella.svg"), QSize(size, size), dpr);
}

QIcon Artwork::appIcon() {
    return QIcon(QStringLiteral(":/icons/corvella.svg"));
}

QIcon Artwork::toolIcon(const QString &name) {
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(name));
}

QPixmap Artwork::splash(const QSize &size, qreal dpr) {
    return render(QStringLiteral(":/icons/splash.svg"), size, dpr);
}

QString Artwork::contactLine() {
    return QStringLiteral("Questions or Comments? Write to corvella@example.org");
}

QString Artwork::legalNotice() {
    return QStringLiteral(
        "Corvella is protected by copyright. You may not copy it, share it or pass it on, in "
        "whole or in part, without the written permission of its authors.");
}

} // namespace corv
