#include "WindowPlacement.h"

#include <algorithm>

namespace corv::placement {

QRect fitOnScreen(QSize design, const QRect &available, const QMargins &frame) {
    const int frameWidth = frame.left() + frame.right();
    const int frameHeight = frame.top() + frame.bottom();
    const QSize inner(std::max(1, std::min(design.width(), available.width() - frameWidth)),
                      std::max(1, std::min(design.height(), available.height() - frameHeight)));
    const QSize outer(inner.width() + frameWidth, inner.height() + frameHeight);
    const QPoint corner(available.x() + std::max(0, (available.width() - outer.width()) / 2),
                        available.y() + std::max(0, (available.height() - outer.height()) / 2));
    return QRect(corner + QPoint(frame.left(), frame.top()), inner);
}

QRect keepInside(QRect window, QSize area, QSize minimum) {
    window.setWidth(std::max(std::min(window.width(), area.width()), minimum.width()));
    window.setHeight(std::max(std::min(window.height(), area.height()), minimum.height()));
    const int x = std::max(0, std::min(window.x(), area.width() - window.width()));
    const int y = std::max(0, std::min(window.y(), area.height() - window.height()));
    window.moveTo(x, y);
    return window;
}

QVector<QRect> cascade(const QVector<QSize> &sizes, const QVector<QSize> &minimums, QSize area,
                       int step) {
    QVector<QRect> frames;
    const int count = int(sizes.size());
    if (count == 0)
        return frames;
    const int offset = std::max(1, step);
    for (int i = 0; i < count; ++i) {
        const QSize m = i < minimums.size() ? minimums[i] : QSize(0, 0);
        const int o = i * offset;
        QSize s = sizes[i];
        s.setWidth(std::max(m.width(), std::min(s.width(), area.width() - o)));
        s.setHeight(std::max(m.height(), std::min(s.height(), area.height() - o)));
        frames.push_back(QRect(QPoint(o, o), s));
    }
    return frames;
}

} // namespace corv::placement
