// Corvella's pictures and the wording shown beside them.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace corv {

struct Artwork {
    // The logo, square, `size` logical pixels at the given device pixel ratio.
    static QPixmap logo(int size, qreal devicePixelRatio = 1.0);
    static QIcon appIcon();
    // A toolbar image by name ("tank", "journal", ...).
    static QIcon toolIcon(const QString &name);
    // The splash picture, scaled to `size`.
    static QPixmap splash(const QSize &size, qreal devicePixelRatio = 1.0);

    static QString contactLine();
    static QString legalNotice();
};

} // namespace corv
