// Long work without a frozen window: the work runs on a thread of its own
// while the event loop goes on, and when it takes longer than a moment a
// progress box with Cancel comes up (through the dialog layer, so tests
// answer it). The work is told about Cancel and undoes what it did; a
// cancelled task leaves everything as it found it.
//
//   bool stored = false;
//   const bool finished = runWithProgress({title, label}, [&](TaskProgress &p) {
//       stored = storeAll(rows, [&](qint64 done) { return p.step(done, rows.size()); });
//   });
//
// Nothing the work touches may belong to a window: it runs off the main
// thread. A database connection it needs is opened (and closed) inside it.
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>

namespace corv {

// What the work reports and reads; safe to use from any thread.
class TaskProgress {
public:
    // Records that `done` of `total` units are finished (a total of 0: not
    // known). False once the user has asked to stop: the work then undoes
    // what it did and returns.
    bool step(qint64 done, qint64 total = 0) {
        m_done = done;
        m_total = total;
        return !m_cancelled;
    }
    // True once Cancel was chosen.
    bool cancelled() const { return m_cancelled; }
    qint64 done() const { return m_done; }
    qint64 total() const { return m_total; }
    void cancel() { m_cancelled = true; }

private:
    std::atomic<qint64> m_done{0}, m_total{0};
    std::atomic<bool> m_cancelled{false};
};

// How long work may run before a progress box comes up, in milliseconds.
constexpr int ProgressDelayMs = 300;

struct ProgressRequest {
    QString title; // the box's title
    QString label; // what is being done: "Importing 100,000 records…"
    // False for work that cannot stop part-way: the box offers no Cancel.
    bool cancellable = true;
};

// The box a task shows; made through the dialog layer when the task starts,
// asked many times a second while it runs, and destroyed when it ends.
class ProgressBox {
public:
    virtual ~ProgressBox() = default;
    // How far the work is (a total of 0: not known).
    virtual void setProgress(qint64 done, qint64 total) = 0;
    // True once the user chose Cancel.
    virtual bool cancelled() = 0;
    // True while the box is on screen (and, being modal, keeps the user's
    // input from the other windows).
    virtual bool shown() const = 0;
};

// The real box: nothing for the first ProgressDelayMs, then a modal
// QProgressDialog with Cancel.
std::unique_ptr<ProgressBox> makeProgressDialog(const ProgressRequest &request);

// Runs `work` on a thread of its own and waits for it while the window goes
// on answering (input waits until a box is up to take it). True when the
// work ran to its end; false when the user cancelled (the work was told
// through TaskProgress and has ended).
bool runWithProgress(const ProgressRequest &request,
                     const std::function<void(TaskProgress &)> &work);

// Work that must stay on the main thread (laying out text for the window
// that shows it) in pieces: step() between two pieces processes the events
// that came meanwhile and keeps the box up to date, as runWithProgress()
// does. Each piece should take well under a tenth of a second.
class SteppedProgress {
public:
    explicit SteppedProgress(const ProgressRequest &request);
    ~SteppedProgress();
    SteppedProgress(const SteppedProgress &) = delete;
    SteppedProgress &operator=(const SteppedProgress &) = delete;
    // `done` of `total` finished; false once the user has cancelled.
    bool step(qint64 done, qint64 total = 0);
    bool cancelled() const { return m_progress.cancelled(); }

private:
    TaskProgress m_progress;
    std::unique_ptr<ProgressBox> m_box;
    QElapsedTimer m_sincePoll;
};

} // namespace corv
