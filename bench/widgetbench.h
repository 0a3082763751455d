// What the benchmarks of windows and views share: an offscreen application
// around Google Benchmark's own main, and one session on "a lifetime".
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <functional>

#include "core/session.h"
#include "engine/dates.h"

namespace orv::bench {

// The day the widget benchmarks take for today.
inline constexpr Date kBenchToday{2026, 12, 6};

// The folder (ending in '/') of a temporary data folder that lives as long as
// the program; the lifetime's data and settings file are written there.
QString BenchFolder();

// A session on the lifetime's data, read from its files and initialised on
// kBenchToday, as the program starts on it.
Session& LifetimeSession();

// What a person feels of a command: how long the window's thread was away
// from its event loop. A precise 1 ms timer notes the gaps between its
// ticks; the longest gap is the longest time the window could not repaint
// or take input.
class StallMeter : public QObject {
public:
    StallMeter();
    // Forgets the gaps seen so far.
    void Reset();
    // The longest gap since Reset, in milliseconds.
    double LongestMs() const { return static_cast<double>(longest_) / 1e6; }

protected:
    void timerEvent(QTimerEvent*) override;

private:
    QElapsedTimer clock_;
    qint64 last_ = 0;
    qint64 longest_ = 0;
};

// Milliseconds `command` holds the window's thread before it returns to
// the event loop (the command's own call, as a click runs it).
double MsOnWindowThread(const std::function<void()>& command);

// Runs the event loop until `done` answers true (or `timeoutMs` passed) and
// returns the longest stall of the loop meanwhile, in milliseconds: for a
// long command that goes on beside the window.
double LongestStallUntil(const std::function<bool()>& done, int timeoutMs = 600000);

}  // namespace orv::bench
