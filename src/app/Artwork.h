// Corvella's pictures and the wording shown beside them.
#pragma once

#include <QColor>
#include <QIcon>
#include <QPalette>
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

    // Colours that follow the palette, so that every window reads as well on
    // a dark desktop as on a light one.
    // True when the palette draws light text on dark backgrounds.
    static bool isDark(const QPalette &palette);
    // The logo's deep teal on light backgrounds, a light teal on dark ones.
    static QColor accent(const QPalette &palette);
    // The ink of drawn glyphs on buttons: Corvella's blue, lightened on dark
    // buttons; the palette's own disabled text when `enabled` is false.
    static QColor glyphInk(const QPalette &palette, bool enabled);

    // A dark palette of Corvella's own, for desktops whose dark look does
    // not reach Qt programs.
    static QPalette darkPalette();
    // "dark" gives the program the Fusion style and the dark palette; any
    // other scheme leaves the desktop's style and palette as they are. The
    // program takes the scheme from CORVELLA_COLOR_SCHEME.
    static void applyColorScheme(const QString &scheme);
};

} // namespace corv
