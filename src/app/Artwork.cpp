#include "Artwork.h"

#include <QApplication>
#include <QCoreApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleFactory>
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
    return QCoreApplication::translate("Artwork",
                                       "Questions or Comments? Write to corvella@example.org");
}

QString Artwork::legalNotice() {
    return QCoreApplication::translate(
        "Artwork",
        "Corvella is protected by copyright. You may not copy it, share it or pass it on, in "
        "whole or in part, without the written permission of its authors.");
}

bool Artwork::isDark(const QPalette &palette) {
    return palette.color(QPalette::Window).lightnessF() <
           palette.color(QPalette::WindowText).lightnessF();
}

QColor Artwork::accent(const QPalette &palette) {
    return isDark(palette) ? QColor(0x7f, 0xc8, 0xe6) : QColor(0x0b, 0x4f, 0x6c);
}

QColor Artwork::glyphInk(const QPalette &palette, bool enabled) {
    if (!enabled)
        return palette.color(QPalette::Disabled, QPalette::ButtonText);
    const bool dark = palette.color(QPalette::Button).lightnessF() <
                      palette.color(QPalette::ButtonText).lightnessF();
    return dark ? QColor(0xa8, 0xc8, 0xee) : QColor(40, 70, 110);
}

QPalette Artwork::darkPalette() {
    const QColor window(0x2d, 0x31, 0x36), base(0x1f, 0x22, 0x26), text(0xe8, 0xea, 0xed);
    const QColor dimText(0x80, 0x86, 0x8d), highlight(0x2f, 0x7f, 0xb5);
    QPalette p;
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::ToolTipBase, base);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::PlaceholderText, dimText);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, QColor(0x3a, 0x3f, 0x45));
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::BrightText, QColor(0xff, 0x6b, 0x6b));
    p.setColor(QPalette::Light, QColor(0x4a, 0x50, 0x57));
    p.setColor(QPalette::Midlight, QColor(0x42, 0x47, 0x4d));
    p.setColor(QPalette::Mid, QColor(0x26, 0x29, 0x2d));
    p.setColor(QPalette::Dark, QColor(0x1a, 0x1c, 0x1f));
    p.setColor(QPalette::Shadow, QColor(0x0d, 0x0e, 0x10));
    p.setColor(QPalette::Highlight, highlight);
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Link, QColor(0x7f, 0xc8, 0xe6));
    p.setColor(QPalette::LinkVisited, QColor(0xb4, 0x9c, 0xe8));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, dimText);
    p.setColor(QPalette::Disabled, QPalette::Base, window);
    p.setColor(QPalette::Disabled, QPalette::Highlight, QColor(0x4a, 0x50, 0x57));
    return p;
}

void Artwork::applyColorScheme(const QString &scheme) {
    if (scheme.compare(QLatin1String("dark"), Qt::CaseInsensitive) != 0)
        return;
    // Fusion draws everything from the palette; other styles may not.
    if (QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);
    QApplication::setPalette(darkPalette());
}

} // namespace corv
