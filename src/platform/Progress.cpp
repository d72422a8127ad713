#include "Progress.h"

#include "Dialogs.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QProgressDialog>
#include <QThread>
#include <QWidget>
#include <limits>

namespace corv {

namespace {

// How often the waiting main thread looks at the work and the box: often
// enough that the window never waits noticeably, seldom enough to cost
// nothing.
constexpr int PollMs = 15;

class QtProgressBox : public ProgressBox {
public:
    explicit QtProgressBox(const ProgressRequest &request) : m_request(request) { m_clock.start(); }
    void setProgress(qint64 done, qint64 total) override {
        if (!m_dialog) {
            if (m_clock.elapsed() < ProgressDelayMs)
                return;
            QWidget *parent = QApplication::activeModalWidget();
            if (!parent)
                parent = QApplication::activeWindow();
            m_dialog = std::make_unique<QProgressDialog>(
                m_request.label, QCoreApplication::translate("Progress", "Cancel"), 0, 0, parent);
            m_dialog->setWindowTitle(m_request.title.isEmpty() ? applicationTitle()
                                                               : m_request.title);
            // Nothing else may start meanwhile: the work may be replacing
            // what the other windows show.
            m_dialog->setWindowModality(Qt::ApplicationModal);
            m_dialog->setMinimumDuration(0);
            if (!m_request.cancellable)
                m_dialog->setCancelButton(nullptr);
            m_dialog->setAutoClose(false);
            m_dialog->setAutoReset(false);
            m_dialog->show();
        }
        // QProgressDialog takes int; a large total is scaled to fit.
        const qint64 most = std::numeric_limits<int>::max();
        const qint64 scale = total > most ? total / most + 1 : 1;
        if (total > 0) {
            m_dialog->setMaximum(int(total / scale));
            m_dialog->setValue(int(std::min(done, total) / scale));
        } else if (m_dialog->maximum() != 0) {
            m_dialog->setMaximum(0);
        }
    }
    bool cancelled() override {
        return m_request.cancellable && m_dialog && m_dialog->wasCanceled();
    }
    bool shown() const override { return m_dialog && m_dialog->isVisible(); }

private:
    ProgressRequest m_request;
    QElapsedTimer m_clock;
    std::unique_ptr<QProgressDialog> m_dialog;
};

// Keeps the box up to date and hands a Cancel on to the work.
void poll(ProgressBox *box, TaskProgress &progress) {
    if (box) {
        box->setProgress(progress.done(), progress.total());
        if (box->cancelled())
            progress.cancel();
    }
    // Until a modal box takes the user's input, input waits: a click
    // meanwhile must not start other work on what this work is changing.
    QCoreApplication::processEvents(box && box->shown() ? QEventLoop::AllEvents
                                                        : QEventLoop::ExcludeUserInputEvents);
}

} // namespace

std::unique_ptr<ProgressBox> makeProgressDialog(const ProgressRequest &request) {
    return std::make_unique<QtProgressBox>(request);
}

bool runWithProgress(const ProgressRequest &request,
                     const std::function<void(TaskProgress &)> &work) {
    TaskProgress progress;
    std::unique_ptr<ProgressBox> box = dialogs().progressBox(request);
    if (box && box->cancelled())
        progress.cancel();
    std::unique_ptr<QThread> worker(QThread::create([&] { work(progress); }));
    worker->start();
    while (!worker->wait(QDeadlineTimer(PollMs)))
        poll(box.get(), progress);
    return !progress.cancelled();
}

SteppedProgress::SteppedProgress(const ProgressRequest &request)
    : m_box(dialogs().progressBox(request)) {
    if (m_box && m_box->cancelled())
        m_progress.cancel();
    m_sincePoll.start();
}

SteppedProgress::~SteppedProgress() = default;

bool SteppedProgress::step(qint64 done, qint64 total) {
    m_progress.step(done, total);
    if (m_sincePoll.elapsed() >= PollMs) {
        m_sincePoll.restart();
        poll(m_box.get(), m_progress);
    }
    return !m_progress.cancelled();
}

} // namespace corv
