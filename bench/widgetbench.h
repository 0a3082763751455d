// What the benchmarks of windows and views share: an offscreen application
// around Google Benchmark's own main, and one session on "a lifetime".
#pragma once

#include <QString>

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

}  // namespace orv::bench
