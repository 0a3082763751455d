// Work that takes longer than a moment (an import, an export, a search over a
// century) runs on a thread beside the window, so that the windows keep
// painting. The work gets its input as copies and leaves its output in
// variables of the caller; the caller puts the output in place on the
// window's thread once the work is done, so that Cancel leaves every list
// and file as it was.
#pragma once

#include <QString>
#include <atomic>
#include <functional>

class QWidget;

namespace orv {

struct ViewDialogs;

// What the work and the window share: how far the work got, and whether the
// person asked it to stop. The work calls Advance and looks at Cancelled
// between its steps; the window reads the rest.
class WorkProgress {
public:
    // The number of steps, when known (0: a busy bar without steps).
    void SetTotal(long long total) { total_.store(total, std::memory_order_relaxed); }
    void Advance(long long done) { done_.store(done, std::memory_order_relaxed); }
    bool Cancelled() const { return cancelled_.load(std::memory_order_relaxed); }

    void Cancel() { cancelled_.store(true, std::memory_order_relaxed); }
    long long total() const { return total_.load(std::memory_order_relaxed); }
    long long done() const { return done_.load(std::memory_order_relaxed); }

private:
    std::atomic<long long> total_{0};
    std::atomic<long long> done_{0};
    std::atomic<bool> cancelled_{false};
};

// How long the work may run before its progress dialog appears.
inline constexpr int kProgressDelayMs = 300;

enum class WorkEnd {
    Done,       // the work ran to its end
    Cancelled,  // the person pressed Cancel (or the program is ending): drop the output
    Refused,    // another long work was running; the person was told
};

// Runs `work` on a thread of its own and waits for it in a local event loop:
// the windows repaint, timers run, and what a person types or clicks goes
// only to the progress dialog, which appears after kProgressDelayMs with the
// text `what` ("Importing 'people.xlsx'"), a bar and Cancel. One long work
// runs at a time; a second is refused with a message through `dialogs`. An
// exception the work throws is thrown again here, on the window's thread.
WorkEnd RunLongWork(QWidget* parent, const ViewDialogs& dialogs, const QString& what,
                    const std::function<void(WorkProgress&)>& work);

// Whether a long work runs now: the program's own requests (Update, sync,
// Exit) wait for it or cancel it.
bool LongWorkRunning();
// Asks the running long work to stop (as its Cancel does); it returns to its
// caller as Cancelled at its next step.
void CancelLongWork();
// Calls `then` from the event loop once no long work runs: at once (queued)
// when none runs now, else after the running one has returned to its
// caller and that has put its output in place. For what would otherwise
// change the lists under a work's copy (a sync's result, Update, Exit).
void WhenLongWorkEnds(std::function<void()> then);

}  // namespace orv
