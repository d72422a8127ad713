// Letting go of large things without freezing the window.
#pragma once

#include <QList>
#include <functional>

class QObject;

namespace corv {

// Runs `release`, which lets go of what it holds, on a thread kept for the
// purpose, after moving `objects` there: objects of the calling thread
// without a parent, which `release` deletes. They then belong to that
// thread, and so do their timers, which a thread of their own stops with
// them (an object moved to no thread at all would leave its timers' records
// behind).
void releaseOffThread(const QList<QObject *> &objects, std::function<void()> release);

// Waits until everything handed over has been let go of, and ends the
// thread; the program's end does this too.
void finishReleasing();

} // namespace corv
