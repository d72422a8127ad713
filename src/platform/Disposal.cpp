#include "Disposal.h"

#include <QCoreApplication>
#include <QObject>
#include <QThread>
#include <mutex>

namespace corv {

namespace {

struct Releaser {
    QThread thread;
    QObject *context = nullptr; // lives in `thread`: queued work runs there
};

std::mutex releaserMutex;
Releaser *releaser = nullptr;

} // namespace

void releaseOffThread(const QList<QObject *> &objects, std::function<void()> release) {
    std::lock_guard<std::mutex> hold(releaserMutex);
    if (!releaser) {
        releaser = new Releaser;
        releaser->thread.setObjectName(QStringLiteral("Corvella release"));
        releaser->thread.start(QThread::LowestPriority);
        releaser->context = new QObject;
        releaser->context->moveToThread(&releaser->thread);
        qAddPostRoutine(&finishReleasing);
    }
    for (QObject *o : objects)
        o->moveToThread(&releaser->thread);
    // Posted after what moving the objects posted to them, so it runs after.
    QMetaObject::invokeMethod(releaser->context, std::move(release), Qt::QueuedConnection);
}

void finishReleasing() {
    std::lock_guard<std::mutex> hold(releaserMutex);
    if (!releaser)
        return;
    QObject *context = releaser->context;
    QMetaObject::invokeMethod(
        context, [context] { delete context; }, Qt::QueuedConnection);
    releaser->thread.quit();
    releaser->thread.wait();
    delete releaser;
    releaser = nullptr;
}

} // namespace corv
