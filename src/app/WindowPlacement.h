// Where Corvella's windows go on the screen and in the main window: the
// arithmetic only, so that it can be checked without a screen.
#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>
#include <QVector>

namespace corv::placement {

// The geometry (inside the frame) of a top-level window designed at
// `design` on a screen whose free area is `available`, when the window
// system adds `frame` around it: the design size, or smaller where the free
// area is smaller, and the frame centred in the free area.
QRect fitOnScreen(QSize design, const QRect &available, const QMargins &frame);

// `window` moved, and shrunk where it is larger, so that it lies in an area
// of `area` (origin 0,0). When the window cannot shrink that far (its
// minimum size), its top left corner stays in the area, so that its title
// bar can be reached.
QRect keepInside(QRect window, QSize area, QSize minimum = QSize(0, 0));

// Cascaded frames for windows of these sizes and minimum sizes, bottom to
// top of the stack, in an area of `area`: each one `step` (the height of a
// title bar) lower and further right than the one below it, so that every
// title bar shows, and each shrunk where it would run out of the area (but
// not below its minimum size).
QVector<QRect> cascade(const QVector<QSize> &sizes, const QVector<QSize> &minimums, QSize area,
                       int step);

} // namespace corv::placement
